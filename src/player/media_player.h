#pragma once
// The operations the program needs of a media player, and the routines
// through which every part of the program uses it.
#include <cstdint>
#include <functional>
#include <string>

class UiServices;

// What the decoder tells of the file named last; empty texts and -1 where it
// tells nothing.
struct TrackInfo {
  std::string title;
  std::string artist;
  std::string album;
  int64_t duration_us = -1;
};

class MediaPlayer {
 public:
  static constexpr int kPlaying = 2;

  virtual ~MediaPlayer() = default;
  // Each answers false when the operation failed.
  virtual bool stop() = 0;
  virtual bool set_file_name(const std::string& path) = 0;
  virtual bool play() = 0;       // plays the file named last once, asynchronously
  virtual int play_state() = 0;  // kPlaying while a file plays
  // The music is switched off for a while: the player may let go of its
  // output device, which costs time even while it is silent. The next play()
  // takes it again; the file named last stays named.
  virtual void rest() {}
  // Tags and length of the file named last, once it has been opened by play().
  virtual TrackInfo track_info() { return {}; }
  // How far the playing file has got, in microseconds; -1 when unknown.
  virtual int64_t position_us() { return -1; }
  // Called when a file that played comes to its end by itself; not for a
  // stop or another file the program asked for, nor for a file that never
  // got going. May be called on the player's own thread: it must only hand
  // the notice over. An empty function ends the notices.
  virtual void set_end_notice(std::function<void()> notice) { (void)notice; }

  // The file to play right after the playing one (or the one named, when
  // queued before play()), without a frame between, if that one ends by
  // itself; "" for none. A stop, a new file name or a new queue drops it.
  virtual void queue_next(const std::string& path) { (void)path; }
  // True once after the player has gone on to the queued file by itself (the
  // question takes the news); the player then plays that file.
  virtual bool take_moved_on() { return false; }
  // Called when the player has gone on to the queued file; like the end
  // notice, on any thread, and it must only hand the notice over.
  virtual void set_moved_on_notice(std::function<void()> notice) { (void)notice; }

  // Holds the playing file at its place, and goes on from there.
  virtual bool pause() { return false; }
  virtual bool resume() { return false; }
  // To a place of the playing file; false where it cannot go there.
  virtual bool seek_us(int64_t us) {
    (void)us;
    return false;
  }
  // The loudness of the music, 0 .. 1, kept across files.
  virtual void set_volume(double volume) { (void)volume; }
  virtual double volume() { return 1.0; }
};

// Stops the output, then yields once (no yield when the stop failed).
void stop_player(MediaPlayer& player, UiServices& ui);
// Stops, names the file and starts it; failures end it quietly.
void play_file(MediaPlayer& player, UiServices& ui, const std::string& path);
bool is_playing(MediaPlayer& player);
// Lets a stopped player rest; a failing player keeps its device.
void rest_player(MediaPlayer& player);
// Queues the file to follow; a failure leaves nothing queued.
void queue_file(MediaPlayer& player, const std::string& path);
// Whether the player went on to the queued file since last asked.
bool moved_on(MediaPlayer& player);

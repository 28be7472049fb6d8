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
};

// Stops the output, then yields once (no yield when the stop failed).
void stop_player(MediaPlayer& player, UiServices& ui);
// Stops, names the file and starts it; failures end it quietly.
void play_file(MediaPlayer& player, UiServices& ui, const std::string& path);
bool is_playing(MediaPlayer& player);
// Lets a stopped player rest; a failing player keeps its device.
void rest_player(MediaPlayer& player);

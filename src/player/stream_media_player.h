#pragma once
// The media player over the program's own music engine: a stream decoded
// ahead into SDL2's audio device, in which the queued file follows the
// playing one without a frame between. Plays MP3, WAV, MIDI, RMI, FLAC, Ogg
// Vorbis and Opus files, and CD-audio entries from the disc in the drive.
//
// A file that no decoder opens never reaches the playing state. While the
// music is switched off (rest) the device is given back, so nothing wakes.
// When the output is lost (a sound server that went away) the music holds at
// its place and the output is opened again every second, later every five;
// it goes on from there once the output is back. With no output at all the
// player holds at the start of its file the same way.
#include <chrono>
#include <functional>
#include <mutex>
#include <string>

#include "audio/sdl_output.h"
#include "audio/streamer.h"
#include "cd/cd_drive.h"
#include "player/media_player.h"

class StreamMediaPlayer : public MediaPlayer {
 public:
  StreamMediaPlayer();
  ~StreamMediaPlayer() override;
  StreamMediaPlayer(const StreamMediaPlayer&) = delete;
  StreamMediaPlayer& operator=(const StreamMediaPlayer&) = delete;

  bool stop() override;
  bool set_file_name(const std::string& path) override;
  bool play() override;
  int play_state() override;  // kPlaying while music plays or waits for an output
  void rest() override;
  TrackInfo track_info() override;
  int64_t position_us() override;
  void set_end_notice(std::function<void()> notice) override;
  void set_moved_on_notice(std::function<void()> notice) override;
  void queue_next(const std::string& path) override;
  bool take_moved_on() override;
  bool pause() override;
  bool resume() override;
  bool seek_us(int64_t us) override;
  void set_volume(double volume) override;
  double volume() override;
  // The drive CD-audio entries play from: a device or an image; "" for the default drive.
  void set_cd_device(std::string device) { cd_drive_.set_device(std::move(device)); }

 private:
  // The output is opened when it is due; false while there is none.
  bool open_output();
  void watch_output();
  void tell(bool moved_on);

  std::mutex open_mutex_;
  CdDrive cd_drive_;
  Streamer streamer_;
  SdlOutput output_;
  std::string file_name_;
  std::string queued_;    // to follow the playing file; also named before play()
  bool paused_ = false;   // held at the listener's wish
  bool waiting_ = false;  // held until an output can be opened
  int failed_opens_ = 0;
  std::chrono::steady_clock::time_point next_open_{};
  int moved_on_seen_ = 0;

  std::mutex notice_mutex_;  // the decode thread reads the notices
  std::function<void()> end_notice_, moved_on_notice_;
};

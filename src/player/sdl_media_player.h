#pragma once
// The media player over SDL2_mixer: one piece of music at a time, each played
// once. Plays MP3, WAV, MIDI, RMI, FLAC, Ogg Vorbis and Opus files, and
// CD-audio entries (.cda) from the disc in the CD drive.
//
// A file name is always accepted; the file is opened when play() is called.
// A missing, empty, unreadable or undecodable file simply never reaches the
// playing state, and neither does anything when no audio device can be opened.
//
// Between tracks the device is only paused, so the next track starts without
// delay; a paused device still wakes every buffer's length, so while the music
// is switched off (rest) it is closed.
//
// The end of a file that played is told, on the mixer's audio thread, through
// the end notice; stops and new files the program asks for are not ends.
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cd/cd_drive.h"
#include "player/media_player.h"

struct _Mix_Music;

class SdlMediaPlayer : public MediaPlayer {
 public:
  SdlMediaPlayer() = default;
  ~SdlMediaPlayer() override;
  SdlMediaPlayer(const SdlMediaPlayer&) = delete;
  SdlMediaPlayer& operator=(const SdlMediaPlayer&) = delete;

  bool stop() override;
  bool set_file_name(const std::string& path) override;
  bool play() override;
  int play_state() override;  // kPlaying while music plays, 0 otherwise
  void rest() override;       // closes the audio device; play() opens it again
  // From the decoder, where it tells them: tags of MP3, FLAC, Ogg and Opus
  // files, the length of most kinds; MIDI tells no length.
  TrackInfo track_info() override;
  int64_t position_us() override;
  // The drive CD-audio entries play from: a device or an image; "" for the default drive.
  void set_cd_device(std::string device) { cd_drive_.set_device(std::move(device)); }
  void set_end_notice(std::function<void()> notice) override;

 private:
  static void music_finished();  // the mixer's end hook
  bool open_audio();
  void close_audio();
  bool load_music();
  void release_music();
  void pause_device(bool paused);

  bool audio_open_ = false;
  std::chrono::steady_clock::time_point last_open_failure_{};
  bool open_failed_ = false;
  unsigned device_ = 0;  // the mixer's audio device; 0 when unknown
  bool device_paused_ = false;
  _Mix_Music* music_ = nullptr;
  std::vector<unsigned char> music_bytes_;  // an RMI file's MIDI data, alive as long as music_
  std::string file_name_;
  CdDrive cd_drive_;

  std::mutex notice_mutex_;  // the audio thread reads end_notice_
  std::function<void()> end_notice_;
  const std::thread::id own_thread_ = std::this_thread::get_id();
  std::atomic<std::chrono::steady_clock::rep> started_at_{0};  // the last play()
};

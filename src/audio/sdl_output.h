#pragma once
// The sound card, or the sound server, through SDL2's audio device: 44.1 kHz,
// 16-bit stereo, fed by the streamer. The stream tells the desktop who plays
// (the program's name and icon, the role "music", the track's name).
#include <chrono>
#include <cstdint>
#include <string>

class Streamer;

class SdlOutput {
 public:
  explicit SdlOutput(Streamer& streamer);
  ~SdlOutput();
  SdlOutput(const SdlOutput&) = delete;
  SdlOutput& operator=(const SdlOutput&) = delete;

  // Opens the device paused, its stream named `stream_name`; false when there
  // is no output to open.
  bool open(const std::string& stream_name);
  // Gives the device back: nothing of the program wakes for it any more.
  void close();
  bool is_open() const { return device_ != 0; }
  void set_paused(bool paused);
  // The output went away under the music: the device was removed, or its
  // clock has stood still for two seconds while it ran.
  bool lost();

 private:
  static void callback(void* self, unsigned char* stream, int bytes);

  Streamer& streamer_;
  uint32_t device_ = 0;
  bool paused_ = true;
  uint64_t last_pulls_ = 0;
  std::chrono::steady_clock::time_point last_moved_{};
};

#pragma once
// The music as one stream: a decode thread fills a ring of output frames ahead
// of the output, and the audio callback only copies from it. The file queued to
// follow is decoded into the same ring right after the last frame of the one
// before, so that no frame is inserted or lost where one track meets the next;
// the place where it begins is marked, and the program is told when the output
// has taken that frame.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "audio/decoder.h"
#include "audio/pcm_convert.h"
#include "audio/ring_buffer.h"

class Streamer {
 public:
  using Opener = std::function<std::unique_ptr<Decoder>(const std::string& path)>;
  enum class State { Idle, Playing, Ended };
  static constexpr int kRate = PcmConverter::kOutputRate;

  explicit Streamer(Opener opener, size_t ring_frames = size_t{1} << 15);
  ~Streamer();
  Streamer(const Streamer&) = delete;
  Streamer& operator=(const Streamer&) = delete;

  // Told on the decode thread: the output has taken the first frame of the
  // queued file; the music has ended with nothing queued (only for a track
  // that played a fifth of a second or more).
  void set_notices(std::function<void()> moved_on, std::function<void()> ended);

  // Plays the file from its start in place of whatever played; false when no
  // decoder opens it (nothing plays then).
  bool start(const std::string& path);
  // The file to follow if the playing one ends by itself; "" for none.
  void queue(const std::string& path);
  void stop();
  // Holds the music at the last frame that left for the output and decodes
  // nothing more; resume() goes on from there.
  void hold();
  void resume();
  bool held() const;
  // To a place of the playing file; false where its decoder cannot.
  bool seek_us(int64_t us);

  State state() const;
  std::string path() const;     // the file the output plays; "" when idle
  int64_t position_us() const;  // -1 when idle
  int64_t length_us() const;    // -1 where the file does not tell
  DecoderTags tags() const;
  // How often the playing file was followed by the queued one since start().
  int moved_on_count() const;

  // 0 .. 1; heard at once, with a short ramp.
  void set_volume(double volume);
  double volume() const;

  // The audio callback: the next frames, silence where the decoder is behind.
  void pull(int16_t* out, size_t frames);
  // The callback's turns so far: stands still when the output does.
  uint64_t pulls() const { return pulls_.load(std::memory_order_relaxed); }

 private:
  struct Source {
    std::unique_ptr<Decoder> decoder;
    std::string path;
    uint64_t start = 0;  // the ring's frame where it begins
    int64_t base = 0;    // its own output frame at that point
    bool decoded = false;
  };

  void run();
  const Source* current_locked() const;
  int64_t frames_in_locked(const Source& s) const;
  void fill_locked(std::unique_lock<std::mutex>& lock, size_t until_space);
  bool take_queued_locked(std::unique_lock<std::mutex>& lock);
  void write_locked(const std::vector<int16_t>& frames);
  void restart_at_locked(int64_t frame);
  void clear_locked();
  bool active_locked() const;
  std::chrono::milliseconds next_turn_locked() const;

  const Opener opener_;
  FrameRing ring_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool quit_ = false;
  std::deque<Source> sources_;  // the playing one first, then the one decoded after it
  std::string queued_path_;
  std::unique_ptr<Decoder> queued_;  // opened ahead
  bool queued_failed_ = false;
  uint64_t generation_ = 0;  // counts every start, stop and queue
  std::optional<uint64_t> end_at_;
  bool ended_told_ = false;
  bool held_ = false;
  int moved_on_ = 0;
  PcmConverter converter_;
  std::vector<int16_t> spill_;  // converted frames that did not fit into the ring
  std::vector<float> decoded_;
  std::vector<int16_t> converted_;
  std::function<void()> moved_on_notice_, ended_notice_;

  std::atomic<float> volume_{1.0f};
  float gain_ = 1.0f;  // the callback's own, ramping towards volume_
  std::atomic<uint64_t> pulls_{0};

  std::thread thread_;
};

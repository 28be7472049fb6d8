#pragma once
// Stereo 16-bit frames handed from the decode thread to the audio callback
// without a lock: one writer, one reader, positions counted in frames since
// the start, so that a position also tells where the music stands.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <vector>

class FrameRing {
 public:
  static constexpr int kChannels = 2;

  explicit FrameRing(size_t frames_pow2) : frames_(frames_pow2), data_(frames_pow2 * kChannels) {}

  size_t capacity() const { return frames_; }
  uint64_t written() const { return write_.load(std::memory_order_acquire); }
  // The frames that left for the output, counting the discarded ones as read.
  uint64_t read() const {
    const uint64_t r = read_.load(std::memory_order_acquire);
    const uint64_t d = discard_until_.load(std::memory_order_acquire);
    return r > d ? r : d;
  }

  // Writer side.
  size_t space() const { return frames_ - static_cast<size_t>(written() - read()); }
  void write(const int16_t* frames, size_t count) {
    uint64_t w = write_.load(std::memory_order_relaxed);
    for (size_t done = 0; done < count;) {
      const size_t at = static_cast<size_t>(w % frames_);
      const size_t n = std::min(count - done, frames_ - at);
      std::memcpy(&data_[at * kChannels], frames + done * kChannels,
                  n * kChannels * sizeof(int16_t));
      done += n;
      w += n;
    }
    write_.store(w, std::memory_order_release);
  }
  // Everything written so far is dropped; the reader skips it on its next turn.
  void discard() { discard_until_.store(written(), std::memory_order_release); }

  // Reader side (the audio callback): up to `count` frames, the count copied.
  size_t take(int16_t* out, size_t count) {
    uint64_t r = read();
    const uint64_t w = written();
    const size_t n = static_cast<size_t>(std::min<uint64_t>(count, w - r));
    for (size_t done = 0; done < n;) {
      const size_t at = static_cast<size_t>(r % frames_);
      const size_t part = std::min(n - done, frames_ - at);
      std::memcpy(out + done * kChannels, &data_[at * kChannels],
                  part * kChannels * sizeof(int16_t));
      done += part;
      r += part;
    }
    read_.store(r, std::memory_order_release);
    return n;
  }

 private:
  const size_t frames_;
  std::vector<int16_t> data_;
  std::atomic<uint64_t> write_{0};
  std::atomic<uint64_t> read_{0};
  std::atomic<uint64_t> discard_until_{0};
};

#include "audio/cd_decoder.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "cd/cd_drive.h"
#include "cd/cd_track_stream.h"
#include "cd/cda_stub.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Opening waits no longer for a drive that spins up: the next entry finds it ready.
constexpr auto kOpenWait = 500ms;
// One wait on the drive's reader; a read goes on waiting in such steps.
constexpr auto kReadWait = 50ms;
// A drive that delivers nothing for this long ends the track.
constexpr auto kGiveUpAfter = 10s;
constexpr int kFrameBytes = 4;
constexpr long kSilenceFrames = 2205;  // as long as one wait
// A drive that was delivering gets longer before silence fills in for it.
constexpr auto kFirstWait = 500ms;

class CdDecoder final : public Decoder {
 public:
  explicit CdDecoder(std::unique_ptr<CdTrackStream> stream)
      : stream_(std::move(stream)),
        frames_(static_cast<int64_t>((stream_->size() - kWavHeaderBytes) / kFrameBytes)) {}

  int rate() const override { return 44100; }
  int channels() const override { return 2; }
  int64_t length() const override { return frames_; }

  long read(float* out, long frames) override {
    const int64_t left = frames_ - frame_;
    if (frames <= 0 || left <= 0) return 0;
    const long wanted = static_cast<long>(std::min<int64_t>(frames, left));
    bytes_.resize(static_cast<size_t>(wanted) * kFrameBytes);
    // The stream is the track as a WAV file: its header is skipped.
    const uint64_t pos = kWavHeaderBytes + static_cast<uint64_t>(frame_) * kFrameBytes;
    // The streamer decodes under its lock: a drive that is behind gets one
    // wait, then silence takes the sectors' place and the place stays, so
    // nothing is skipped and no caller waits long.
    const std::optional<size_t> got =
        stream_->read(pos, bytes_.data(), bytes_.size(), stalled_ ? kReadWait : kFirstWait);
    if (!got) {
      const auto now = Clock::now();
      if (!stalled_) stalled_since_ = now;
      stalled_ = true;
      if (now - stalled_since_ >= kGiveUpAfter) return -1;
      const long silence = std::min<long>(wanted, kSilenceFrames);
      std::fill(out, out + silence * 2, 0.0f);
      return silence;
    }
    stalled_ = false;
    // Sectors hold whole frames, so a read from a frame's start ends on one.
    const long count = static_cast<long>(*got / kFrameBytes);
    if (count == 0) return -1;  // the disc cannot be read on here
    for (long i = 0; i < count * 2; ++i) {
      const auto sample =
          static_cast<int16_t>(bytes_[2 * i] | static_cast<unsigned>(bytes_[2 * i + 1]) << 8);
      out[i] = static_cast<float>(sample) / 32768.0f;
    }
    frame_ += count;
    return count;
  }

  bool seek(int64_t frame) override {
    if (frame < 0 || frame > frames_) return false;
    frame_ = frame;  // the reader moves there on the next read
    return true;
  }

 private:
  std::unique_ptr<CdTrackStream> stream_;
  const int64_t frames_;
  int64_t frame_ = 0;
  std::vector<unsigned char> bytes_;
  bool stalled_ = false;
  Clock::time_point stalled_since_{};
};

}  // namespace

std::unique_ptr<Decoder> open_cd_decoder(const std::string& path, CdDrive* drive) {
  if (!drive) return nullptr;
  const std::optional<CdTrackRef> ref = cd_track_of(path);
  if (!ref) return nullptr;
  std::unique_ptr<CdTrackStream> stream = open_cd_track(*drive, *ref, kOpenWait);
  if (!stream || stream->size() < kWavHeaderBytes) return nullptr;
  return std::make_unique<CdDecoder>(std::move(stream));
}

#pragma once
// A track's float frames into the output's format: stereo, 44.1 kHz, 16-bit.
// Mono is doubled, more channels are mixed down; another rate goes through a
// resampler that is kept while consecutive tracks share their rate, so that
// one track's last frame meets the next one's first. Where the rate is the
// output's, nothing is resampled and 16-bit sources come out bit-exact.
#include <cstddef>
#include <cstdint>
#include <vector>

struct soxr;

class PcmConverter {
 public:
  static constexpr int kOutputRate = 44100;

  PcmConverter() = default;
  ~PcmConverter();
  PcmConverter(const PcmConverter&) = delete;
  PcmConverter& operator=(const PcmConverter&) = delete;

  // The next frames come at this rate. A change of rate starts a new
  // resampler: drain() the old one first, or its last frames are lost.
  void set_rate(int rate);
  // Appends the converted frames to out (interleaved stereo).
  void convert(const float* in, long frames, int channels, std::vector<int16_t>& out);
  // The resampler's last frames, at the end of the music or before a change
  // of rate; nothing is left inside it afterwards.
  void drain(std::vector<int16_t>& out);
  // Forgets what is inside (a seek, a new track).
  void reset();
  // Output frames the frames fed so far will still give.
  int64_t pending() const;

 private:
  void resample(const float* stereo, size_t frames, std::vector<int16_t>& out);
  void release();

  int rate_ = kOutputRate;
  soxr* resampler_ = nullptr;
  int64_t fed_ = 0;    // input frames since the resampler started
  int64_t given_ = 0;  // output frames it gave since then
  std::vector<float> stereo_, resampled_;
};

// Float samples to 16-bit, rounded and clipped: s/32768 comes back as s.
void floats_to_s16(const float* in, size_t samples, std::vector<int16_t>& out);

#include "audio/pcm_convert.h"

#include <soxr.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr float kMinus3dB = 0.70710678f;

// Two channels from any number: mono doubled, 5.1 by the usual mix-down,
// others by their odd and even channels; the sum is scaled back so that a
// full-scale mix does not clip.
void to_stereo(const float* in, long frames, int channels, std::vector<float>& out) {
  out.resize(static_cast<size_t>(frames) * 2);
  float* o = out.data();
  if (channels == 2) {
    std::copy(in, in + frames * 2, o);
    return;
  }
  for (long f = 0; f < frames; ++f, in += channels, o += 2) {
    if (channels == 1) {
      o[0] = o[1] = in[0];
    } else if (channels == 6) {  // L R C LFE Ls Rs
      const float scale = 1.0f / (1.0f + 2 * kMinus3dB);
      o[0] = (in[0] + kMinus3dB * (in[2] + in[4])) * scale;
      o[1] = (in[1] + kMinus3dB * (in[2] + in[5])) * scale;
    } else {
      float l = 0, r = 0;
      for (int c = 0; c < channels; ++c) (c % 2 == 0 ? l : r) += in[c];
      o[0] = l / static_cast<float>((channels + 1) / 2);
      o[1] = r / static_cast<float>(channels / 2);
    }
  }
}

}  // namespace

void floats_to_s16(const float* in, size_t samples, std::vector<int16_t>& out) {
  const size_t at = out.size();
  out.resize(at + samples);
  int16_t* o = out.data() + at;
  for (size_t i = 0; i < samples; ++i) {
    // Rounded half away from zero without a library call: s/32768 comes back as s.
    const float v = std::clamp(in[i] * 32768.0f, -32768.0f, 32767.0f);
    o[i] = static_cast<int16_t>(v + (v >= 0 ? 0.5f : -0.5f));
  }
}

PcmConverter::~PcmConverter() {
  release();
}

void PcmConverter::release() {
  if (resampler_) soxr_delete(resampler_);
  resampler_ = nullptr;
  fed_ = given_ = 0;
}

void PcmConverter::set_rate(int rate) {
  if (rate == rate_) return;
  release();
  rate_ = rate;
}

void PcmConverter::convert(const float* in, long frames, int channels, std::vector<int16_t>& out) {
  if (frames <= 0) return;
  to_stereo(in, frames, channels, stereo_);
  if (rate_ == kOutputRate) {
    floats_to_s16(stereo_.data(), stereo_.size(), out);
    return;
  }
  resample(stereo_.data(), static_cast<size_t>(frames), out);
}

void PcmConverter::resample(const float* stereo, size_t frames, std::vector<int16_t>& out) {
  if (!resampler_) {
    soxr_error_t error = nullptr;
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    resampler_ = soxr_create(rate_, kOutputRate, 2, &error, nullptr, &quality, nullptr);
    if (error || !resampler_) {
      resampler_ = nullptr;
      return;
    }
  }
  const double ratio = static_cast<double>(kOutputRate) / rate_;
  // With no input the resampler gives out what it still holds.
  const bool draining = stereo == nullptr;
  size_t left = frames;
  for (int rounds = 0; rounds < 64; ++rounds) {
    const size_t room = static_cast<size_t>(std::ceil(left * ratio)) + 1024;
    resampled_.resize(room * 2);
    size_t used = 0, made = 0;
    if (soxr_process(resampler_, draining ? nullptr : stereo, left, draining ? nullptr : &used,
                     resampled_.data(), room, &made) != nullptr) {
      break;
    }
    floats_to_s16(resampled_.data(), made * 2, out);
    given_ += static_cast<int64_t>(made);
    fed_ += static_cast<int64_t>(used);
    if (draining ? made == 0 : used >= left) break;
    if (!draining) {
      stereo += used * 2;
      left -= used;
    }
  }
}

void PcmConverter::drain(std::vector<int16_t>& out) {
  if (!resampler_) return;
  resample(nullptr, 0, out);
  release();
}

void PcmConverter::reset() {
  if (resampler_) soxr_clear(resampler_);
  fed_ = given_ = 0;
}

int64_t PcmConverter::pending() const {
  if (!resampler_) return 0;
  const int64_t due =
      static_cast<int64_t>(std::llround(static_cast<double>(fed_) * kOutputRate / rate_));
  return std::max<int64_t>(0, due - given_);
}

#include "audio/sndfile_decoder.h"

#include <sndfile.h>

#include <string>

namespace {

class SndfileDecoder final : public Decoder {
 public:
  SndfileDecoder(std::string path, SNDFILE* file, const SF_INFO& info)
      : path_(std::move(path)), file_(file), info_(info) {
    normalise();
    auto tag = [this](int which) {
      const char* text = sf_get_string(file_, which);
      return text ? std::string(text) : std::string();
    };
    tags_ = {tag(SF_STR_TITLE), tag(SF_STR_ARTIST), tag(SF_STR_ALBUM)};
  }
  ~SndfileDecoder() override { sf_close(file_); }
  SndfileDecoder(const SndfileDecoder&) = delete;
  SndfileDecoder& operator=(const SndfileDecoder&) = delete;

  int rate() const override { return info_.samplerate; }
  int channels() const override { return info_.channels; }

  long read(float* out, long frames) override {
    if (frames <= 0) return 0;
    const sf_count_t got = sf_readf_float(file_, out, frames);
    if (got > 0) return static_cast<long>(got);
    return sf_error(file_) == SF_ERR_NO_ERROR ? 0 : -1;
  }

  bool seek(int64_t frame) override {
    if (!info_.seekable || frame < 0 || (length() >= 0 && frame > length())) return false;
    // libsndfile 1.2.0 seeks Ogg Vorbis off by up to a block, and by seconds
    // after some seeks, but exactly in a file just opened.
    if ((info_.format & SF_FORMAT_SUBMASK) == SF_FORMAT_VORBIS) {
      SF_INFO info{};
      SNDFILE* fresh = sf_open(path_.c_str(), SFM_READ, &info);
      if (!fresh) return false;
      sf_close(file_);
      file_ = fresh;
      normalise();
    }
    return sf_seek(file_, frame, SEEK_SET) == frame;
  }

  int64_t length() const override {
    if (!info_.seekable || info_.frames < 0 || info_.frames == SF_COUNT_MAX) return -1;
    return info_.frames;
  }

  DecoderTags tags() const override { return tags_; }

 private:
  // Samples come out as s / 2^(bits - 1): a 16-bit file's exactly as s / 32768.
  void normalise() { sf_command(file_, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE); }

  std::string path_;
  SNDFILE* file_;
  SF_INFO info_;
  DecoderTags tags_;
};

}  // namespace

std::unique_ptr<Decoder> open_sndfile_decoder(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return nullptr;
  if (info.channels < 1 || info.channels > 8 || info.samplerate <= 0) {
    sf_close(file);
    return nullptr;
  }
  return std::make_unique<SndfileDecoder>(path, file, info);
}

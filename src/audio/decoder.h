#pragma once
// A music file opened for playing: its frames as interleaved float samples
// (-1 .. 1) at the file's own rate and channel count, read in order, with a
// seek and the length where the file tells them. One decoder per track; it is
// used by one thread at a time.
#include <cstdint>
#include <memory>
#include <string>

struct DecoderTags {
  std::string title;
  std::string artist;
  std::string album;
};

class Decoder {
 public:
  virtual ~Decoder() = default;
  virtual int rate() const = 0;      // frames a second
  virtual int channels() const = 0;  // 1 .. 8
  // Up to `frames` frames into out (frames * channels() floats): the count
  // read; 0 at the end; -1 when the file cannot be read on (the track ends).
  virtual long read(float* out, long frames) = 0;
  // To a frame of the file; false where it cannot (the place is then unknown).
  virtual bool seek(int64_t frame) = 0;
  // The file's frames; -1 where it does not tell them (MIDI).
  virtual int64_t length() const = 0;
  virtual DecoderTags tags() const { return {}; }
};

class CdDrive;

// What opening a decoder needs besides the path: the drive that CD-audio
// entries play from.
struct DecoderContext {
  CdDrive* cd_drive = nullptr;
};

// The decoder for a music file or a CD-audio entry, or nothing when no decoder
// opens it (missing, empty, unreadable, of no kind we play, damaged).
std::unique_ptr<Decoder> open_decoder(const std::string& path, const DecoderContext& context);

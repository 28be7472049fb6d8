#pragma once
// One audio track of a disc as a WAV file that is never whole in memory: a
// 44-byte header, then the track's sectors, which a thread of its own reads
// through paranoia a second or two ahead of whoever reads the stream.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

#include "cd/cd_toc.h"

class CdDisc;
class CdDrive;
struct CdTrackRef;

inline constexpr size_t kWavHeaderBytes = 44;

class CdTrackStream {
 public:
  CdTrackStream(std::unique_ptr<CdDisc> disc, CdTrackSpan span);
  // Stops the reader; one that the drive holds up is left to end by itself.
  ~CdTrackStream();
  CdTrackStream(const CdTrackStream&) = delete;
  CdTrackStream& operator=(const CdTrackStream&) = delete;

  uint64_t size() const;  // the whole WAV file's bytes
  int64_t duration_us() const;
  // Up to n bytes from pos: the count copied, 0 at the end or where the disc
  // cannot be read, or nothing when the disc has not delivered within `wait`.
  std::optional<size_t> read(uint64_t pos, unsigned char* out, size_t n,
                             std::chrono::milliseconds wait);

 private:
  struct Reader;
  CdTrackSpan span_;
  unsigned char header_[kWavHeaderBytes];
  std::shared_ptr<Reader> reader_;
  std::thread thread_;
};

// The stream of the track an entry names, from the disc in the drive. Nothing
// when there is no drive or no disc (within `wait`), when a stub names
// another disc, or when the disc holds no such audio track.
std::unique_ptr<CdTrackStream> open_cd_track(CdDrive& drive, const CdTrackRef& ref,
                                             std::chrono::milliseconds wait);

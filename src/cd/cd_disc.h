#pragma once
// The disc in a CD drive, or a CUE/BIN image opened as one, over libcdio: its
// table of contents, and its audio sectors read through paranoia. Only one
// thread at a time may use a disc.
#include <cstdint>
#include <memory>
#include <string>

#include "cd/cd_toc.h"

struct _CdIo;
struct cdrom_drive_s;
struct cdrom_paranoia_s;

class CdDisc {
 public:
  // Opens the drive and reads its table of contents: libcdio's default drive
  // when the device is "". Nothing when there is no such drive, no disc in
  // it, or no track on the disc. A drive that spins up takes seconds here.
  static std::unique_ptr<CdDisc> open(const std::string& device);
  ~CdDisc();
  CdDisc(const CdDisc&) = delete;
  CdDisc& operator=(const CdDisc&) = delete;

  const std::string& device() const { return device_; }
  const CdToc& toc() const { return toc_; }

  // Reading goes on from the sector given, within the track's span; false
  // when the drive cannot read audio.
  bool seek(const CdTrackSpan& span, int32_t sector);
  // The next sector's samples, little-endian; false on a read error.
  bool read_sector(unsigned char out[kCdSectorBytes]);

 private:
  CdDisc(_CdIo* cdio, std::string device, CdToc toc);
  bool start_paranoia();

  _CdIo* cdio_ = nullptr;
  cdrom_drive_s* drive_ = nullptr;
  cdrom_paranoia_s* paranoia_ = nullptr;
  std::string device_;
  CdToc toc_;
};

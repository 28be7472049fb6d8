#include "cd/cd_disc.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <bit>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

// libcdio would tell its warnings on the program's standard error.
void quiet_log(cdio_log_level_t, const char*) {}

std::once_flag set_up_once;

bool valid_track(track_t t) {
  return t != CDIO_INVALID_TRACK && t >= 1 && t <= 99;
}

}  // namespace

std::unique_ptr<CdDisc> CdDisc::open(const std::string& device) {
  // libcdio sets up its table of drivers once; openings run on threads of their own.
  std::call_once(set_up_once, [] {
    cdio_log_set_handler(quiet_log);
    cdio_init();
  });
  std::string name = device;
  if (name.empty()) {
    char* found = cdio_get_default_device(nullptr);
    if (!found) return nullptr;
    name = found;
    std::free(found);
  }
  CdIo_t* cdio = cdio_open(name.c_str(), DRIVER_UNKNOWN);
  if (!cdio) return nullptr;

  CdToc toc;
  const track_t first = cdio_get_first_track_num(cdio);
  const track_t last = cdio_get_last_track_num(cdio);
  if (valid_track(first) && valid_track(last) && first <= last) {
    for (track_t t = first; t <= last; ++t) {
      CdTocTrack track;
      track.number = t;
      track.first_sector = cdio_get_track_lsn(cdio, t);
      track.last_sector = cdio_get_track_last_lsn(cdio, t);
      track.audio = cdio_get_track_format(cdio, t) == TRACK_FORMAT_AUDIO;
      if (track.first_sector == CDIO_INVALID_LSN) continue;
      toc.tracks.push_back(track);
    }
    toc.lead_out = cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
  }
  if (toc.tracks.empty() || toc.lead_out == CDIO_INVALID_LSN) {
    cdio_destroy(cdio);
    return nullptr;
  }
  return std::unique_ptr<CdDisc>(new CdDisc(cdio, name, std::move(toc)));
}

CdDisc::CdDisc(CdIo_t* cdio, std::string device, CdToc toc)
    : cdio_(cdio), device_(std::move(device)), toc_(std::move(toc)) {}

CdDisc::~CdDisc() {
  if (paranoia_) cdio_paranoia_free(paranoia_);
  if (drive_) cdio_cddap_close_no_free_cdio(drive_);
  cdio_destroy(cdio_);
}

// Paranoia's drive is set up at the first read: it reads a few sectors to
// learn the drive's byte order, which is no work for whoever only lists tracks.
bool CdDisc::start_paranoia() {
  if (paranoia_) return true;
  if (!drive_) {
    drive_ = cdio_cddap_identify_cdio(cdio_, CDDA_MESSAGE_FORGETIT, nullptr);
    if (!drive_) return false;
    cdio_cddap_verbose_set(drive_, CDDA_MESSAGE_FORGETIT, CDDA_MESSAGE_FORGETIT);
    if (cdio_cddap_open(drive_) != 0) return false;
  }
  paranoia_ = cdio_paranoia_init(drive_);
  if (!paranoia_) return false;
  cdio_paranoia_modeset(paranoia_, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
  return true;
}

bool CdDisc::seek(const CdTrackSpan& span, int32_t sector) {
  if (!start_paranoia()) return false;
  // Paranoia reads ahead in blocks: the range keeps it inside the track.
  cdio_paranoia_set_range(paranoia_, span.first_sector, span.first_sector + span.sectors - 1);
  cdio_paranoia_seek(paranoia_, sector, SEEK_SET);
  return true;
}

bool CdDisc::read_sector(unsigned char out[kCdSectorBytes]) {
  if (!paranoia_) return false;
  const int16_t* samples = cdio_paranoia_read_limited(paranoia_, nullptr, 20);
  if (!samples) return false;
  // Paranoia hands the samples over in the machine's byte order.
  std::memcpy(out, samples, kCdSectorBytes);
  if constexpr (std::endian::native == std::endian::big) {
    for (int i = 0; i + 1 < kCdSectorBytes; i += 2) std::swap(out[i], out[i + 1]);
  }
  return true;
}

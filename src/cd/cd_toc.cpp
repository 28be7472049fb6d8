#include "cd/cd_toc.h"

#include <algorithm>

namespace {

uint32_t packed_msf(int32_t sector) {
  const auto frames = static_cast<uint32_t>(sector + kCdLeadInSectors);
  const uint32_t minute = frames / (60 * kCdSectorsPerSecond);
  const uint32_t second = frames / kCdSectorsPerSecond % 60;
  const uint32_t frame = frames % kCdSectorsPerSecond;
  return minute << 16 | second << 8 | frame;
}

}  // namespace

uint32_t disc_serial(const CdToc& toc) {
  uint32_t serial = 0;
  for (const CdTocTrack& t : toc.tracks) serial += packed_msf(t.first_sector);
  if (!toc.tracks.empty() && toc.tracks.size() < 3) {
    const int32_t first = toc.tracks.front().first_sector;
    serial += (packed_msf(first) & 0xff) + static_cast<uint32_t>(toc.lead_out - first);
  }
  return serial;
}

std::optional<CdTrackSpan> audio_track_span(const CdToc& toc, int track) {
  const auto it = std::find_if(toc.tracks.begin(), toc.tracks.end(),
                               [track](const CdTocTrack& t) { return t.number == track; });
  if (it == toc.tracks.end() || !it->audio) return std::nullopt;
  int32_t end = std::next(it) == toc.tracks.end() ? toc.lead_out : std::next(it)->first_sector;
  end = std::min({end, it->last_sector + 1, toc.lead_out});
  if (it->first_sector < 0 || end <= it->first_sector) return std::nullopt;
  return CdTrackSpan{it->first_sector, end - it->first_sector};
}

std::vector<int> audio_tracks(const CdToc& toc) {
  std::vector<int> numbers;
  for (const CdTocTrack& t : toc.tracks) {
    if (audio_track_span(toc, t.number)) numbers.push_back(t.number);
  }
  return numbers;
}

#pragma once
// A disc's table of contents as plain numbers, and what follows from it: the
// serial the old platform gave the disc, and where each audio track lies.
#include <cstdint>
#include <optional>
#include <vector>

inline constexpr int kCdSectorBytes = 2352;     // 588 stereo samples of 16 bits
inline constexpr int kCdSectorsPerSecond = 75;  // 44.1 kHz
inline constexpr int kCdLeadInSectors = 150;    // the two seconds before sector 0

struct CdTocTrack {
  int number = 0;
  int32_t first_sector = 0;  // counted from the first track's sector 0
  int32_t last_sector = 0;   // the drive's own account of the track's end
  bool audio = true;
};

struct CdToc {
  std::vector<CdTocTrack> tracks;  // in disc order
  int32_t lead_out = 0;            // the first sector after the last track
};

struct CdTrackSpan {
  int32_t first_sector = 0;
  int32_t sectors = 0;
};

// Each track's start as minute, second and frame, packed into a word as
// 0x00MMSSFF, summed; a disc of one or two tracks adds the first track's
// frame and its length in frames.
uint32_t disc_serial(const CdToc& toc);

// The sectors of an audio track, cut at the lead-out: an image whose data
// file is shorter than its sheet claims ends there. Nothing for a data
// track, a track the disc does not hold and a track that lies wholly beyond
// the end.
std::optional<CdTrackSpan> audio_track_span(const CdToc& toc, int track);

// The numbers of the audio tracks that hold sectors, in order.
std::vector<int> audio_tracks(const CdToc& toc);

#pragma once
// A disc for the tests: a CUE/BIN image of sine tones made with sox, one
// track per tone, as CD audio is (44.1 kHz, 16-bit stereo, 2352 bytes a
// sector, 75 sectors a second).
#include <cstdint>
#include <string>
#include <vector>

struct CdImage {
  std::string cue, bin;
  int sectors_per_track = 0;
  // The serial the old platform gives a disc of three tracks or more: each
  // track's start as minute, second and frame (after the two-second
  // lead-in), summed as 0xMMSSFF.
  uint32_t serial = 0;
};

// Empty texts when sox is missing.
CdImage make_cd_image(const std::string& folder, const std::vector<double>& freqs,
                      int seconds_per_track);

#include "cd_image.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

CdImage make_cd_image(const std::string& folder, const std::vector<double>& freqs,
                      int seconds_per_track) {
  CdImage image;
  image.cue = folder + "disc.cue";
  image.bin = folder + "disc.bin";
  image.sectors_per_track = seconds_per_track * 75;
  // Each tone in turn, as raw little-endian samples.
  std::ofstream cue(image.cue);
  cue << "FILE \"disc.bin\" BINARY\n";
  std::remove(image.bin.c_str());
  for (size_t i = 0; i < freqs.size(); ++i) {
    const std::string cmd = "sox -q -n -r 44100 -c 2 -b 16 -e signed -L -t raw - synth " +
                            std::to_string(seconds_per_track) + " sine " +
                            std::to_string(freqs[i]) + " vol 0.5 >> '" + image.bin + "'";
    if (std::system(cmd.c_str()) != 0) return {};
    const int start = static_cast<int>(i) * image.sectors_per_track;
    char line[96];
    std::snprintf(line, sizeof line, "  TRACK %02zu AUDIO\n    INDEX 01 %02d:%02d:%02d\n", i + 1,
                  start / 4500, start / 75 % 60, start % 75);
    cue << line;
    const int lba = start + 150;
    image.serial += static_cast<uint32_t>((lba / 4500) << 16 | (lba / 75 % 60) << 8 | lba % 75);
  }
  if (std::filesystem::file_size(image.bin) !=
      freqs.size() * static_cast<size_t>(image.sectors_per_track) * 2352)
    return {};
  return image;
}

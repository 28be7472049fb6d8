// Arbitrary bytes as a play list of another player, read as an M3U and as a
// PLS: every track must be a clean full path of a music file, and the tracks
// written out again (as plain lines, as PLS keys, as escaped file addresses)
// must read back unchanged.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "model/music_formats.h"
#include "store/foreign_play_list.h"

namespace {

const std::string kFolder = "/lists/from a player/";

size_t line_count(std::string_view text) {
  size_t lines = 1;
  for (char c : text) lines += c == '\r' || c == '\n';
  return lines;
}

void check_track(const std::string& track) {
  FUZZ_CHECK(!track.empty() && track.front() == '/', "a track is a full path");
  FUZZ_CHECK(track.back() != '/', "a track names a file, not a folder");
  for (char c : track) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20, "no control characters");
  FUZZ_CHECK(track.find("//") == std::string::npos, "no empty folder names");
  FUZZ_CHECK(track.find("/./") == std::string::npos && track.find("/../") == std::string::npos,
             "no . or .. folders");
  FUZZ_CHECK(is_music_file(track), "a track is a music file");
}

std::string escaped_address(const std::string& path) {
  static const char* kHex = "0123456789ABCDEF";
  std::string out = "file://";
  for (unsigned char c : path) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
        c == '.' || c == '-' || c == '_') {
      out.push_back(static_cast<char>(c));
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

void check_round_trips(const std::vector<std::string>& tracks) {
  std::string lines = "\xEF\xBB\xBF#EXTM3U\r\n";
  std::string pls = "[playlist]\n";
  std::string addresses;
  for (const std::string& track : tracks) {
    lines += "#EXTINF:1,x\r\n" + track + "\r\n";
    addresses += escaped_address(track) + "\n";
  }
  // In reverse, so that the numbers and not the order of the keys decide.
  for (size_t i = tracks.size(); i-- > 0;) {
    pls += "File" + std::to_string(i + 1) + "=" + tracks[i] + "\n";
  }
  FUZZ_CHECK(foreign_play_list_tracks(lines, ForeignFormat::M3u, "/elsewhere/") == tracks,
             "plain lines read back as the tracks");
  FUZZ_CHECK(foreign_play_list_tracks(pls, ForeignFormat::Pls, "/elsewhere/") == tracks,
             "PLS keys read back as the tracks, in the order of their numbers");
  FUZZ_CHECK(foreign_play_list_tracks(addresses, ForeignFormat::M3u, "/elsewhere/") == tracks,
             "escaped file addresses read back as the tracks");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  for (ForeignFormat format : {ForeignFormat::M3u, ForeignFormat::Pls}) {
    const std::vector<std::string> tracks = foreign_play_list_tracks(text, format, kFolder);
    FUZZ_CHECK(tracks.size() <= line_count(text), "at most one track a line");
    for (const std::string& track : tracks) check_track(track);
    check_round_trips(tracks);
  }
  return 0;
}

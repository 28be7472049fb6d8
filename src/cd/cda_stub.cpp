#include "cd/cda_stub.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

uint32_t le32(const unsigned char* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

uint16_t le16(const unsigned char* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

char lower_ascii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower_ascii(a[i]) != lower_ascii(b[i])) return false;
  }
  return true;
}

std::string_view file_name_of(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<CdaStub> parse_cda_stub(const unsigned char* bytes, size_t size) {
  if (!bytes || size < kCdaStubBytes) return std::nullopt;
  if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "CDDAfmt ", 8) != 0)
    return std::nullopt;
  // The format chunk holds version, track, serial, start and length at least.
  if (le32(bytes + 16) < 24) return std::nullopt;
  CdaStub stub;
  stub.track = le16(bytes + 22);
  if (stub.track < 1 || stub.track > 99) return std::nullopt;
  stub.disc_serial = le32(bytes + 24);
  stub.start_frame = le32(bytes + 28);
  stub.frames = le32(bytes + 32);
  return stub;
}

std::optional<int> track_of_cda_name(std::string_view file_name) {
  // "Track" two digits ".cda"
  if (file_name.size() != 11 || !equal_ignoring_case(file_name.substr(0, 5), "track") ||
      !equal_ignoring_case(file_name.substr(7), ".cda"))
    return std::nullopt;
  const char tens = file_name[5], ones = file_name[6];
  if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return std::nullopt;
  const int track = (tens - '0') * 10 + (ones - '0');
  if (track < 1) return std::nullopt;
  return track;
}

std::string cda_name_of_track(int track) {
  std::string name = "Track00.cda";
  name[5] = static_cast<char>('0' + track / 10 % 10);
  name[6] = static_cast<char>('0' + track % 10);
  return name;
}

bool is_cda_path(std::string_view path) {
  const std::string_view name = file_name_of(path);
  return name.size() > 4 && equal_ignoring_case(name.substr(name.size() - 4), ".cda");
}

std::optional<CdTrackRef> cd_track_of(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (fs::exists(status)) {
    if (!fs::is_regular_file(status)) return std::nullopt;
    unsigned char bytes[kCdaStubBytes];
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes), sizeof bytes);
    const std::optional<CdaStub> stub =
        parse_cda_stub(bytes, in ? sizeof bytes : static_cast<size_t>(in.gcount()));
    if (!stub) return std::nullopt;
    return CdTrackRef{stub->track, stub->disc_serial};
  }
  const std::optional<int> track = track_of_cda_name(file_name_of(path));
  if (!track) return std::nullopt;
  return CdTrackRef{*track, std::nullopt};
}

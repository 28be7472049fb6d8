// Arbitrary bytes as a CD-audio track stub, and as the name of a missing
// "TrackNN.cda" file: the reader takes exactly what a stub's 44 bytes say,
// from bytes and from a file alike, and names read back to their track.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "cd/cda_stub.h"
#include "fuzz_check.h"

namespace {

std::string folder_path;
std::string file_path;  // the stub on disk: a "TrackNN.cda" that does exist

void remove_folder() {
  unlink(file_path.c_str());
  rmdir(folder_path.c_str());
}

uint32_t le(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool same_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

void check_stub(const uint8_t* bytes, size_t size) {
  const auto stub = parse_cda_stub(bytes, size);
  const bool shaped = size >= 44 &&
                      std::string_view(reinterpret_cast<const char*>(bytes), 4) == "RIFF" &&
                      std::string_view(reinterpret_cast<const char*>(bytes) + 8, 8) == "CDDAfmt " &&
                      le(bytes + 16, 4) >= 24 && le(bytes + 22, 2) >= 1 && le(bytes + 22, 2) <= 99;
  FUZZ_CHECK(stub.has_value() == shaped, "a stub is read exactly when it is one");
  if (stub) {
    FUZZ_CHECK(stub->track == static_cast<int>(le(bytes + 22, 2)), "the track is the stub's");
    FUZZ_CHECK(stub->disc_serial == le(bytes + 24, 4), "the serial is the stub's");
    FUZZ_CHECK(stub->start_frame == le(bytes + 28, 4) && stub->frames == le(bytes + 32, 4),
               "start and length are the stub's");
    FUZZ_CHECK(parse_cda_stub(bytes, 44).has_value(), "what follows the 44 bytes does not count");
  }

  // The same bytes as a file: its contents count, never its name.
  std::ofstream(file_path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
  const auto ref = cd_track_of(file_path);
  FUZZ_CHECK(ref.has_value() == stub.has_value(), "a file is read as its bytes are");
  if (ref) {
    FUZZ_CHECK(ref->track == stub->track && ref->disc_serial == stub->disc_serial,
               "the file names the stub's track and disc");
  }
}

void check_name(std::string_view name) {
  const auto track = track_of_cda_name(name);
  if (!track) return;
  FUZZ_CHECK(*track >= 1 && *track <= 99, "a name names a track of a disc");
  FUZZ_CHECK(same_ignoring_case(cda_name_of_track(*track), name), "the name is the track's");
  FUZZ_CHECK(is_cda_path(name), "a track's name is a CD-audio entry");
  const std::string missing = "/no such folder/" + std::string(name);
  const auto ref = cd_track_of(missing);
  FUZZ_CHECK(ref && ref->track == *track && !ref->disc_serial, "a missing file goes by its name");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char folder[] = "/tmp/davrin-fuzz-cda-XXXXXX";
  if (!mkdtemp(folder)) std::abort();
  folder_path = folder;
  file_path = folder_path + "/Track05.cda";
  std::atexit(remove_folder);
  for (int track = 1; track <= 99; ++track) {
    FUZZ_CHECK(track_of_cda_name(cda_name_of_track(track)) == track, "names read back");
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  check_stub(bytes, size);
  check_name(std::string_view(reinterpret_cast<const char*>(bytes), size));
  return 0;
}

#pragma once
// What a CD-audio entry of a play list means. A ".cda" file is the 44-byte
// RIFF "CDDA" stub the old platform showed for each track of a disc: it names
// the track and the disc's serial. An entry "TrackNN.cda" whose file does not
// exist (a play list made on the old platform, a disc since taken out) means
// track NN of whatever disc is in the drive.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr size_t kCdaStubBytes = 44;

struct CdaStub {
  int track = 0;  // 1 to 99
  uint32_t disc_serial = 0;
  uint32_t start_frame = 0;  // where the track starts, in frames from the disc's start
  uint32_t frames = 0;       // its length in frames (sectors, 75 a second)
};

// The stub in bytes, or nothing for anything shorter than a stub, another
// RIFF form, or a track number outside 1 to 99.
std::optional<CdaStub> parse_cda_stub(const unsigned char* bytes, size_t size);

// 3 for "Track03.cda" in any letter case; nothing for other names.
std::optional<int> track_of_cda_name(std::string_view file_name);
// "Track03.cda": the name the editor lists a disc's track by.
std::string cda_name_of_track(int track);

// Whether the path names a CD-audio entry: its name ends in ".cda".
bool is_cda_path(std::string_view path);

struct CdTrackRef {
  int track = 0;
  std::optional<uint32_t> disc_serial;  // only a stub names the disc
};

// The track an entry plays: the stub's, when the file exists; the name's,
// when it does not. Nothing for a file that is no stub (truncated, garbage)
// and for a missing file of another name.
std::optional<CdTrackRef> cd_track_of(const std::string& path);

// CD-audio entries and the disc they name: a CUE/BIN image made with sox is
// the disc in the drive.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "audio_files.h"
#include "cd/cd_drive.h"
#include "cd/cd_track_stream.h"
#include "cd/cda_stub.h"
#include "cd_image.h"
#include "temp_dir.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
constexpr size_t kSector = 2352;

// The whole stream, or as much as comes before the disc stops answering.
std::string read_all(CdTrackStream& stream, uint64_t from, size_t chunk) {
  std::string bytes;
  std::string buffer(chunk, '\0');
  for (uint64_t pos = from; pos < stream.size();) {
    const auto got = stream.read(pos, reinterpret_cast<unsigned char*>(buffer.data()), chunk, 5s);
    if (!got || *got == 0) break;
    bytes.append(buffer, 0, *got);
    pos += *got;
  }
  return bytes;
}

class CdTracks : public ::testing::Test {
 protected:
  void SetUp() override {
    image = make_cd_image(dir.folder(), {440, 660, 990}, 2);
    ASSERT_FALSE(image.cue.empty()) << "sox made no image";
    bin = read_file_bytes(image.bin);
  }
  std::string track_bytes(int track) const {
    return bin.substr((track - 1) * image.sectors_per_track * kSector,
                      image.sectors_per_track * kSector);
  }

  TempDir dir;
  CdImage image;
  std::string bin;
  CdDrive drive{};
};

}  // namespace

TEST_F(CdTracks, ATrackIsItsSectorsBehindAWavHeader) {
  drive.set_device(image.cue);
  std::unique_ptr<CdTrackStream> stream = open_cd_track(drive, {2, image.serial}, 5s);
  ASSERT_TRUE(stream);
  const size_t pcm = image.sectors_per_track * kSector;
  ASSERT_EQ(stream->size(), kWavHeaderBytes + pcm);
  EXPECT_EQ(stream->duration_us(), 2'000'000);

  // In pieces that cut across the header and the sectors.
  const std::string wav = read_all(*stream, 0, 10007);
  ASSERT_EQ(wav.size(), stream->size());
  EXPECT_EQ(wav.substr(0, 4), "RIFF");
  EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(wav.substr(36, 4), "data");
  EXPECT_EQ(wav.substr(44), track_bytes(2));
  // Back to the middle of a sector, as a reader that seeks does.
  const uint64_t back = kWavHeaderBytes + 100 * kSector + 7;
  EXPECT_EQ(read_all(*stream, back, 5000), track_bytes(2).substr(back - kWavHeaderBytes));
}

TEST_F(CdTracks, AnEntryNamesItsTrackByItsStubOrByTheNameOfAMissingFile) {
  ASSERT_TRUE(write_cda(dir.folder() + "song.cda", 3, image.serial));
  const auto stub = cd_track_of(dir.folder() + "song.cda");
  ASSERT_TRUE(stub);
  EXPECT_EQ(stub->track, 3);
  EXPECT_EQ(stub->disc_serial, image.serial);

  const auto missing = cd_track_of(dir.folder() + "taken out/TRACK02.CDA");
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->track, 2);
  EXPECT_FALSE(missing->disc_serial);

  // A file that is there but no stub says nothing, whatever its name.
  const std::string whole = read_file_bytes(dir.folder() + "song.cda");
  EXPECT_FALSE(cd_track_of(dir.write("Track01.cda", whole.substr(0, 30))));
  EXPECT_FALSE(cd_track_of(dir.write("Track02.cda", std::string(44, 'x'))));
  EXPECT_FALSE(cd_track_of(dir.folder() + "gone/Song.cda"));

  drive.set_device(image.cue);
  auto stream = open_cd_track(drive, *missing, 5s);
  ASSERT_TRUE(stream);
  EXPECT_EQ(read_all(*stream, kWavHeaderBytes, 65536), track_bytes(2));
}

TEST_F(CdTracks, NoTrackIsFoundOnAnotherDiscBeyondTheLastOrWithoutADrive) {
  drive.set_device(image.cue);
  EXPECT_FALSE(open_cd_track(drive, {2, image.serial + 1}, 5s)) << "another disc";
  EXPECT_FALSE(open_cd_track(drive, {4, image.serial}, 5s)) << "past the last track";
  EXPECT_FALSE(open_cd_track(drive, {0, std::nullopt}, 5s));
  drive.set_device(dir.folder() + "no such drive.cue");
  EXPECT_FALSE(open_cd_track(drive, {1, std::nullopt}, 5s)) << "no drive";
  EXPECT_FALSE(drive.busy());
}

// A data file cut short, as a copy that stopped: the track it ends in stops
// there, and the tracks after it are not on the disc.
TEST_F(CdTracks, ATruncatedBinEndsWhereItsDataEnds) {
  fs::create_directories(dir.folder() + "cut");
  fs::copy_file(image.cue, dir.folder() + "cut/disc.cue");
  const int kept = image.sectors_per_track + 60;
  dir.write("cut/disc.bin", bin.substr(0, kept * kSector + 1000));
  drive.set_device(dir.folder() + "cut/disc.cue");

  auto stream = open_cd_track(drive, {2, std::nullopt}, 5s);
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->size(), kWavHeaderBytes + 60 * kSector);
  EXPECT_EQ(read_all(*stream, kWavHeaderBytes, 65536), track_bytes(2).substr(0, 60 * kSector));
  EXPECT_FALSE(open_cd_track(drive, {3, std::nullopt}, 5s));
}

// A drive that does not answer (here a pipe nobody writes into yet) holds the
// caller no longer than it is willing to wait; once the drive answers, a
// later call has the answer.
TEST_F(CdTracks, ADriveThatDoesNotAnswerHoldsTheCallerOnlyForItsWait) {
  const std::string slow = dir.folder() + "slow.cue";
  ASSERT_EQ(mkfifo(slow.c_str(), 0600), 0);
  drive.set_device(slow);
  const auto before = std::chrono::steady_clock::now();
  EXPECT_FALSE(open_cd_track(drive, {1, std::nullopt}, 200ms));
  EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
  EXPECT_TRUE(drive.busy());

  // The pipe gives an empty sheet each time it is opened: no disc.
  for (int i = 0; i < 200 && drive.busy(); ++i) {
    const int fd = open(slow.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) close(fd);
    EXPECT_FALSE(open_cd_track(drive, {1, std::nullopt}, 20ms));
  }
  EXPECT_FALSE(drive.busy());
}

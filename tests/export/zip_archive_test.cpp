#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "export/libarchive_zip.h"
#include "fake_zip_component.h"
#include "ground/zip_component.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

struct Entry {
  std::string name;
  std::string bytes;
};

// Reads every entry back through libarchive.
std::vector<Entry> read_back(const std::string& archive_path) {
  std::vector<Entry> entries;
  struct archive* a = archive_read_new();
  archive_read_support_format_zip(a);
  if (archive_read_open_filename(a, archive_path.c_str(), 10240) != ARCHIVE_OK) {
    ADD_FAILURE() << archive_error_string(a);
    archive_read_free(a);
    return entries;
  }
  struct archive_entry* entry;
  while (archive_read_next_header(a, &entry) == ARCHIVE_OK) {
    const char* name = archive_entry_pathname_utf8(entry);
    Entry e{name ? name : "<no name>", {}};
    char buf[8192];
    la_ssize_t n;
    while ((n = archive_read_data(a, buf, sizeof buf)) > 0) e.bytes.append(buf, n);
    EXPECT_EQ(n, 0) << archive_error_string(a);
    entries.push_back(e);
  }
  archive_read_free(a);
  return entries;
}

// What the central directory records of each entry: method and flags.
struct CentralRecord {
  uint16_t flags = 0;
  uint16_t method = 0;
};
std::map<std::string, CentralRecord> central_directory(const std::string& zip) {
  std::map<std::string, CentralRecord> records;
  auto u16 = [&](size_t at) { return uint16_t(uint8_t(zip[at]) | uint8_t(zip[at + 1]) << 8); };
  auto u32 = [&](size_t at) { return uint32_t(u16(at)) | uint32_t(u16(at + 2)) << 16; };
  const size_t end = zip.rfind(std::string("PK\x05\x06", 4));
  if (end == std::string::npos || end + 22 > zip.size()) return records;
  size_t at = u32(end + 16);
  for (int i = 0, n = u16(end + 10); i < n && at + 46 <= zip.size(); ++i) {
    if (zip.compare(at, 4, std::string("PK\x01\x02", 4)) != 0) break;
    const size_t name_len = u16(at + 28);
    records[zip.substr(at + 46, name_len)] = {u16(at + 8), u16(at + 10)};
    at += 46 + name_len + u16(at + 30) + u16(at + 32);
  }
  return records;
}

bool unzip_accepts(const std::string& archive_path) {
  const std::string cmd = "unzip -tqq '" + archive_path + "' >/dev/null 2>&1";
  return std::system(cmd.c_str()) == 0;
}

std::string pattern_bytes(size_t n, unsigned seed) {
  std::string s;
  s.reserve(n);
  for (size_t i = 0; i < n; ++i) s.push_back(static_cast<char>((i * seed + i / 7) & 0xFF));
  return s;
}

std::vector<std::string> files_in(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class ZipBuild : public ::testing::Test {
 protected:
  ZipBuild() {
    build = dir.folder() + "my music/build/";
    out = dir.folder() + "out folder/";
    fs::create_directories(build);
    fs::create_directories(out);
    zip.set_progress_handler([this](const std::string& item, int32_t percent) {
      events.push_back({item, percent});
    });
  }
  void stage(const std::string& name, const std::string& bytes) {
    dir.write("my music/build/" + name, bytes);
  }
  int16_t run(const std::string& archive) { return run_zip(zip, build, archive); }

  TempDir dir;
  std::string build, out;
  LibarchiveZip zip;
  std::vector<std::pair<std::string, int32_t>> events;
};

}  // namespace

TEST(RunZip, SetsTheTenStepsInOrder) {
  FakeZipComponent zip;
  zip.result = 7;
  EXPECT_EQ(run_zip(zip, "/home/u/my music/build/", "/home/u/out/Best Of.zip"), 7);
  std::vector<std::pair<int, std::string>> steps;
  for (const auto& s : zip.steps) steps.push_back({s.member, s.value});
  const std::vector<std::pair<int, std::string>> expected = {
      {17, "-1"},
      {5, "0"},
      {4, "-1"},
      {46, "-1"},
      {9, "-1"},
      {36, "0"},
      {1, "/home/u/out/Best Of.zip"},
      {2, "\"/home/u/my music/build/*.*\""},
      {40, "4"},
      {39, ""},
  };
  EXPECT_EQ(steps, expected);
}

TEST(RunZip, EveryRunSetsTheSameSteps) {
  FakeZipComponent zip;
  run_zip(zip, "/b/", "/o/a.zip");
  const size_t first = zip.steps.size();
  run_zip(zip, "/b/", "/o/a.zip");
  ASSERT_EQ(zip.steps.size(), 2 * first);
  for (size_t i = 0; i < first; ++i) {
    EXPECT_EQ(zip.steps[i].member, zip.steps[first + i].member);
    EXPECT_EQ(zip.steps[i].value, zip.steps[first + i].value);
  }
}

TEST(RunZip, LibarchiveZipKeepsTheValuesItWasGiven) {
  LibarchiveZip zip;
  TempDir dir;
  run_zip(zip, dir.folder(), dir.folder() + "x.zip");
  EXPECT_TRUE(zip.flag(17));
  EXPECT_FALSE(zip.flag(5));
  EXPECT_TRUE(zip.flag(46));
  EXPECT_FALSE(zip.flag(36));
  EXPECT_EQ(zip.text(zip_member::kFileSpec), "\"" + dir.folder() + "*.*\"");
}

TEST_F(ZipBuild, ArchivePassesUnzipAndReadsBackIdentical) {
  const std::string wav = "RIFF" + pattern_bytes(150000, 3);
  const std::string mp3 = "ID3" + pattern_bytes(90000, 101);
  stage("b tune.wav", wav);
  stage("a song.mp3", mp3);
  stage("Grüße ♪.mp3", mp3.substr(0, 5000));
  stage("notes.txt", "");
  fs::create_directories(build + "sub folder");
  dir.write("my music/build/sub folder/deep.mp3", "not packed");

  const std::string archive = out + "Best Of.zip";
  ASSERT_EQ(run(archive), 0);
  EXPECT_TRUE(unzip_accepts(archive));
  const std::vector<Entry> entries = read_back(archive);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].name, "Grüße ♪.mp3");
  EXPECT_EQ(entries[0].bytes, mp3.substr(0, 5000));
  EXPECT_EQ(entries[1].name, "a song.mp3");
  EXPECT_EQ(entries[1].bytes, mp3);
  EXPECT_EQ(entries[2].name, "b tune.wav");
  EXPECT_EQ(entries[2].bytes, wav);
  EXPECT_EQ(entries[3].name, "notes.txt");
  EXPECT_EQ(entries[3].bytes, "");
  // Only the archive itself is left in the destination.
  EXPECT_EQ(files_in(out), std::vector<std::string>{"Best Of.zip"});
}

TEST_F(ZipBuild, Mp3IsStoredTheRestDeflatedNamesFlaggedUtf8) {
  stage("Grüße ♪.mp3", pattern_bytes(30000, 5));
  stage("TRACK.MP3", pattern_bytes(30000, 7));
  stage("tone.wav", std::string(60000, 'a'));
  const std::string archive = out + "x.zip";
  ASSERT_EQ(run(archive), 0);
  const auto records = central_directory(read_file_bytes(archive));
  ASSERT_EQ(records.size(), 3u);
  ASSERT_TRUE(records.count("Grüße ♪.mp3"));
  EXPECT_EQ(records.at("Grüße ♪.mp3").method, 0);
  EXPECT_TRUE(records.at("Grüße ♪.mp3").flags & 0x0800) << "language encoding flag";
  EXPECT_EQ(records.at("TRACK.MP3").method, 0);
  EXPECT_EQ(records.at("tone.wav").method, 8);
  EXPECT_LT(fs::file_size(archive), 70000u);  // the wav really shrank
}

TEST_F(ZipBuild, ProgressComesPerItemInOrderUpToAHundred) {
  stage("big.wav", pattern_bytes(300000, 11));
  stage("empty.mid", "");
  stage("small.mp3", "abc");
  ASSERT_EQ(run(out + "p.zip"), 0);
  std::vector<std::string> items;
  std::map<std::string, std::vector<int32_t>> percents;
  for (const auto& [item, percent] : events) {
    if (items.empty() || items.back() != item) items.push_back(item);
    percents[item].push_back(percent);
  }
  EXPECT_EQ(items, (std::vector<std::string>{"big.wav", "empty.mid", "small.mp3"}));
  for (const auto& [item, list] : percents) {
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.back(), 100) << item;
    for (size_t i = 0; i < list.size(); ++i) {
      EXPECT_GE(list[i], 0);
      EXPECT_LE(list[i], 100);
      if (i) {
        EXPECT_GE(list[i], list[i - 1]) << item;
      }
    }
  }
  // A file of several chunks reports along the way, not only at its end.
  EXPECT_GE(percents["big.wav"].size(), 4u);
}

TEST_F(ZipBuild, ExistingArchiveIsReplaced) {
  const std::string archive = out + "list.zip";
  dir.write("out folder/list.zip", "an old archive");
  stage("one.wav", "new content");
  ASSERT_EQ(run(archive), 0);
  const auto entries = read_back(archive);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "one.wav");
  EXPECT_EQ(entries[0].bytes, "new content");
}

TEST_F(ZipBuild, MissingDestinationFolderFailsAndWritesNothing) {
  stage("one.wav", "x");
  const std::string archive = dir.folder() + "nowhere/list.zip";
  EXPECT_NE(run(archive), 0);
  EXPECT_FALSE(fs::exists(dir.folder() + "nowhere"));
}

TEST_F(ZipBuild, DestinationThatIsAFolderFailsAndStaysAsItWas) {
  stage("one.wav", "x");
  fs::create_directories(out + "list.zip");
  EXPECT_NE(run(out + "list.zip"), 0);
  EXPECT_TRUE(fs::is_directory(out + "list.zip"));
  EXPECT_TRUE(fs::is_empty(out + "list.zip"));
  EXPECT_EQ(files_in(out), std::vector<std::string>{"list.zip"});
}

TEST_F(ZipBuild, MissingSourceFolderFailsAndKeepsTheOldArchive) {
  const std::string archive = out + "list.zip";
  dir.write("out folder/list.zip", "the old archive");
  fs::remove_all(build);
  EXPECT_NE(run(archive), 0);
  EXPECT_EQ(read_file_bytes(archive), "the old archive");
  EXPECT_EQ(files_in(out), std::vector<std::string>{"list.zip"});
}

TEST_F(ZipBuild, UnreadableSourceMidwayLeavesNoPartialFileAndTheOldArchive) {
  stage("a first.wav", pattern_bytes(200000, 13));
  if (geteuid() == 0) {
    // Root reads everything: a file whose contents fall short of its size fails the same way.
    const char* short_file = "/sys/devices/system/cpu/online";
    std::error_code ec;
    if (fs::file_size(short_file, ec) <= read_file_bytes(short_file).size()) {
      GTEST_SKIP() << "no file here that reads shorter than its size";
    }
    fs::create_symlink(short_file, build + "b second.wav");
  } else {
    stage("b second.wav", "locked");
    fs::permissions(build + "b second.wav", fs::perms::none);
  }
  const std::string archive = out + "list.zip";
  dir.write("out folder/list.zip", "the old archive");
  EXPECT_NE(run(archive), 0);
  EXPECT_EQ(read_file_bytes(archive), "the old archive");
  EXPECT_EQ(files_in(out), std::vector<std::string>{"list.zip"});
}

TEST_F(ZipBuild, EmptySourceFolderGivesAnEmptyArchive) {
  const std::string archive = out + "empty.zip";
  ASSERT_EQ(run(archive), 0);
  ASSERT_TRUE(fs::exists(archive));
  EXPECT_TRUE(read_back(archive).empty());
  EXPECT_TRUE(events.empty());
}

TEST_F(ZipBuild, UnknownActionWritesNothing) {
  stage("one.wav", "x");
  zip.set_text(zip_member::kArchivePath, out + "list.zip");
  zip.set_text(zip_member::kFileSpec, "\"" + build + "*.*\"");
  zip.set_action(3);
  EXPECT_NE(zip.result_code(), 0);
  EXPECT_TRUE(fs::is_empty(out));
}

TEST_F(ZipBuild, AFailureIsFollowedByASuccessfulRun) {
  stage("one.wav", "x");
  EXPECT_NE(run(dir.folder() + "nowhere/list.zip"), 0);
  EXPECT_EQ(run(out + "list.zip"), 0);
  EXPECT_EQ(read_back(out + "list.zip").size(), 1u);
}

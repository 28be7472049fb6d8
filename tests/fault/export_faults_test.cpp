// Exporting into a destination that is full or read-only: the error box is
// shown, no partial archive is left, an old archive stays as it was, and the
// staging folder is gone.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "export/export_job.h"
#include "export/libarchive_zip.h"
#include "fake_ui.h"
#include "fault_fs.h"
#include "model/player_state.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

class NoProgress : public ProgressView {
 public:
  void draw_progress(int16_t, const std::string&) override { ++drawings; }
  int drawings = 0;
};

// Bytes that do not compress, so the archive is as big as the tracks.
std::string noise(size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(gen());
  return s;
}

class ExportFaults : public ::testing::Test {
 protected:
  ExportFaults() {
    state.playlist_folder = dir.folder() + "lists/";
    state.picked_folder = dir.folder() + "out/";
    fs::create_directories(state.playlist_folder);
    fs::create_directories(state.picked_folder);
    std::vector<std::string> tracks;
    for (unsigned k = 1; k <= 4; ++k) {
      tracks.push_back(dir.write("music/track " + std::to_string(k) + ".mp3", noise(40 * 1024, k)));
    }
    list_bytes = format_play_list(tracks);
    dir.write("lists/Rock.cap", list_bytes);
    state.current_list_name = "Rock";
  }

  // The error box the user must see for this result code, and only it.
  static bool shows_only_zip_error(const FakeUi& ui, int32_t code) {
    return code != 0 && ui.boxes.size() == 1 &&
           ui.boxes[0].text ==
               "Error #: " + std::to_string(code) + "\r\rFailed to create .zip file!" &&
           ui.boxes[0].title == ".ZIP Error!" && ui.boxes[0].buttons == MsgButtons::Ok &&
           ui.boxes[0].icon == MsgIcon::None;
  }

  void expect_nothing_left(const std::string& destination_entries) {
    EXPECT_EQ(folder_entries(state.picked_folder), destination_entries);
    EXPECT_FALSE(fs::exists(state.playlist_folder + "build")) << "staging folder left behind";
    EXPECT_EQ(folder_entries(state.playlist_folder), "Rock.cap;");
    EXPECT_EQ(read_file_bytes(state.playlist_folder + "Rock.cap"), list_bytes);
  }

  ExportOutcome export_now() {
    LibarchiveZip zip;
    return zip_it(state, ui, zip, view);
  }

  TempDir dir;
  PlayerState state;
  FakeUi ui;
  NoProgress view;
  std::string list_bytes;
};

TEST_F(ExportFaults, FullDestinationShowsTheErrorAndLeavesNoArchive) {
  SmallTmpfs tmpfs(state.picked_folder, 64 * 1024);
  if (!tmpfs.mounted()) GTEST_SKIP() << tmpfs.error() << " (the file-size-limit test covers it)";
  const ExportOutcome outcome = export_now();
  EXPECT_TRUE(outcome.packed);
  EXPECT_EQ(outcome.copied, 4);
  EXPECT_TRUE(shows_only_zip_error(ui, outcome.result_code)) << outcome.result_code;
  expect_nothing_left("");
}

TEST_F(ExportFaults, FullDestinationKeepsAnOldArchive) {
  SmallTmpfs tmpfs(state.picked_folder, 64 * 1024);
  if (!tmpfs.mounted()) GTEST_SKIP() << tmpfs.error();
  const std::string old_archive = noise(8 * 1024, 99);
  dir.write("out/Rock.zip", old_archive);
  const ExportOutcome outcome = export_now();
  EXPECT_TRUE(shows_only_zip_error(ui, outcome.result_code)) << outcome.result_code;
  expect_nothing_left("Rock.zip;");
  EXPECT_EQ(read_file_bytes(state.picked_folder + "Rock.zip"), old_archive);
}

TEST_F(ExportFaults, FileSizeLimitShowsTheErrorAndLeavesNoArchive) {
  const std::string old_archive = noise(8 * 1024, 98);
  dir.write("out/Rock.zip", old_archive);
  // The tracks (40 KiB each) may be staged; the archive (160 KiB) cannot grow.
  const int code = run_with_file_size_limit(100 * 1024, [&] {
    const ExportOutcome outcome = export_now();
    return (outcome.copied == 4 ? 0 : 1) | (shows_only_zip_error(ui, outcome.result_code) ? 0 : 2);
  });
  EXPECT_EQ(code & 1, 0) << "the tracks were not all staged";
  EXPECT_EQ(code & 2, 0) << "the .ZIP error box was not shown exactly once";
  EXPECT_EQ(code & ~3, 0) << "the child died: " << code;
  expect_nothing_left("Rock.zip;");
  EXPECT_EQ(read_file_bytes(state.picked_folder + "Rock.zip"), old_archive);
}

TEST_F(ExportFaults, ReadOnlyDestinationShowsTheErrorAndLeavesNoArchive) {
  ReadOnlyFolder read_only(state.picked_folder);
  if (!read_only.read_only()) GTEST_SKIP() << read_only.error();
  const ExportOutcome outcome = export_now();
  EXPECT_TRUE(outcome.packed);
  EXPECT_TRUE(shows_only_zip_error(ui, outcome.result_code)) << outcome.result_code;
  expect_nothing_left("");
}

TEST_F(ExportFaults, ExportWorksOnceTheDestinationHasRoom) {
  {
    SmallTmpfs tmpfs(state.picked_folder, 64 * 1024);
    if (!tmpfs.mounted()) GTEST_SKIP() << tmpfs.error();
    export_now();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, ".ZIP Error!");
  }
  ui.boxes.clear();
  const ExportOutcome outcome = export_now();
  EXPECT_EQ(outcome.result_code, 0);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Finished making .zip file.\rNo errors reported.");
  EXPECT_EQ(folder_entries(state.picked_folder), "Rock.zip;");
  EXPECT_GT(fs::file_size(state.picked_folder + "Rock.zip"), 4u * 40 * 1024);
  EXPECT_FALSE(fs::exists(state.playlist_folder + "build"));
}

}  // namespace

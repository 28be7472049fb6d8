// Saving a play list where the file system refuses the write: the old play
// list stays byte for byte, the save error box is shown, nothing else is left.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "fake_ui.h"
#include "fault_fs.h"
#include "fault_lists.h"
#include "model/player_state.h"
#include "store/list_box.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

class SaveFaults : public ::testing::Test {
 protected:
  SaveFaults() {
    fs::create_directories(folder);
    state.playlist_folder = folder;
  }

  // The old play list, saved the ordinary way.
  void save_old() {
    ASSERT_TRUE(save_list(state, ui, "Rock", old_tracks));
    ASSERT_TRUE(ui.boxes.empty());
    old_bytes = read_file_bytes(folder + "Rock.cap");
    ASSERT_EQ(old_bytes, format_play_list(old_tracks));
    state.active_collection = "Before";
  }

  // What must hold after a refused save of the big list over the old one.
  void expect_old_list_kept(bool saved) {
    EXPECT_FALSE(saved);
    EXPECT_TRUE(shows_only_save_error(ui));
    EXPECT_EQ(read_file_bytes(folder + "Rock.cap"), old_bytes);
    EXPECT_EQ(state.active_collection, "Before");
    // No half-written or temporary file beside it, hidden or not.
    EXPECT_EQ(folder_entries(folder), "Rock.cap;");
    MemoryListBox box;
    list_play_lists(state, ui, box);
    EXPECT_EQ(box.items, std::vector<std::string>{"Rock"});
    ASSERT_TRUE(load_play_list(state, ui, "Rock", false));
    EXPECT_EQ(state.track_count, 3);
  }

  TempDir dir;
  std::string folder = dir.folder() + "lists/";
  PlayerState state;
  FakeUi ui;
  std::vector<std::string> old_tracks = fault_tracks(3, "old");
  std::vector<std::string> new_tracks = fault_tracks(30000, "new");
  std::string old_bytes;
};

TEST_F(SaveFaults, FullFileSystemKeepsTheOldPlayList) {
  SmallTmpfs tmpfs(folder, 64 * 1024);
  if (!tmpfs.mounted()) GTEST_SKIP() << tmpfs.error() << " (the file-size-limit test covers it)";
  save_old();
  // 30000 tracks need well over a megabyte; the file system holds 64 KiB.
  ASSERT_GT(format_play_list(new_tracks).size(), 1000000u);
  const bool saved = save_list(state, ui, "Rock", new_tracks);
  expect_old_list_kept(saved);
}

TEST_F(SaveFaults, FullFileSystemRefusesANewPlayListAndLeavesNoFile) {
  SmallTmpfs tmpfs(folder, 64 * 1024);
  if (!tmpfs.mounted()) GTEST_SKIP() << tmpfs.error();
  save_old();
  EXPECT_FALSE(save_list(state, ui, "Jazz", new_tracks));
  EXPECT_TRUE(shows_only_save_error(ui));
  EXPECT_EQ(folder_entries(folder), "Rock.cap;");
  EXPECT_EQ(read_file_bytes(folder + "Rock.cap"), old_bytes);
}

TEST_F(SaveFaults, FileSizeLimitKeepsTheOldPlayList) {
  save_old();
  // In a child whose files may not grow past 64 KiB: the write fails midway.
  const int code = run_with_file_size_limit(64 * 1024, [&] {
    const bool saved = save_list(state, ui, "Rock", new_tracks);
    return (saved ? 1 : 0) | (shows_only_save_error(ui) ? 0 : 2) |
           (state.active_collection == "Before" ? 0 : 4);
  });
  EXPECT_EQ(code & 1, 0) << "the save answered success";
  EXPECT_EQ(code & 2, 0) << "the save error box was not shown exactly once";
  EXPECT_EQ(code & 4, 0) << "active_collection changed";
  EXPECT_EQ(code & ~7, 0) << "the child died: " << code;
  EXPECT_EQ(read_file_bytes(folder + "Rock.cap"), old_bytes);
  EXPECT_EQ(folder_entries(folder), "Rock.cap;");
}

TEST_F(SaveFaults, ReadOnlyFolderKeepsTheOldPlayList) {
  save_old();
  ReadOnlyFolder read_only(folder);
  if (!read_only.read_only()) GTEST_SKIP() << read_only.error();
  const bool saved = save_list(state, ui, "Rock", new_tracks);
  EXPECT_FALSE(saved);
  EXPECT_TRUE(shows_only_save_error(ui));
  EXPECT_EQ(read_file_bytes(folder + "Rock.cap"), old_bytes);
  EXPECT_EQ(state.active_collection, "Before");
  EXPECT_EQ(folder_entries(folder), "Rock.cap;");
}

TEST_F(SaveFaults, ReadOnlyFolderRefusesANewPlayList) {
  save_old();
  ReadOnlyFolder read_only(folder);
  if (!read_only.read_only()) GTEST_SKIP() << read_only.error();
  EXPECT_FALSE(save_list(state, ui, "Jazz", old_tracks));
  EXPECT_TRUE(shows_only_save_error(ui));
  EXPECT_EQ(folder_entries(folder), "Rock.cap;");
}

TEST_F(SaveFaults, ReadOnlyFileIsNotReplaced) {
  save_old();
  ASSERT_EQ(::chmod((folder + "Rock.cap").c_str(), 0444), 0);
  const bool saved = save_list(state, ui, "Rock", new_tracks);
  expect_old_list_kept(saved);
  // Still read-only: the user's mark on the file is kept.
  EXPECT_EQ(fs::status(folder + "Rock.cap").permissions() & fs::perms::owner_write,
            fs::perms::none);
}

TEST_F(SaveFaults, SaveSucceedsAgainOnceThereIsRoom) {
  SmallTmpfs tmpfs(folder, 64 * 1024);
  if (!tmpfs.mounted()) GTEST_SKIP() << tmpfs.error();
  save_old();
  ASSERT_FALSE(save_list(state, ui, "Rock", new_tracks));
  // The failed save left no space taken: a list that fits is saved.
  ui.boxes.clear();
  const std::vector<std::string> fits = fault_tracks(200, "fits");
  ASSERT_LT(format_play_list(fits).size(), 40000u);
  EXPECT_TRUE(save_list(state, ui, "Rock", fits));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(read_file_bytes(folder + "Rock.cap"), format_play_list(fits));
  EXPECT_EQ(state.active_collection, "Rock");
}

}  // namespace

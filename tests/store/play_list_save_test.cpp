#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "fake_ui.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {
struct SaveFixture {
  TempDir dir;
  PlayerState state;
  FakeUi ui;
  SaveFixture() {
    state.playlist_folder = dir.folder();
    state.active_collection = "Before";
  }
  // The names in the folder, so a test sees any file left behind.
  std::vector<std::string> folder_names(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  void expect_save_error_shown() const {
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Error saving playlist data!");
    EXPECT_EQ(ui.boxes[0].title, "Davrin Audio Player");
    EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::None);
    EXPECT_EQ(state.active_collection, "Before");
  }
};

const std::string kOldBytes = "\"old\"\r\n\"old\"\r\n\"old\"\r\n1\r\n\"/old.mp3\"\r\n";
}  // namespace

TEST(PlayListSave, ReplacesAnExistingList) {
  SaveFixture f;
  f.dir.write("Mine.cap", kOldBytes);
  ASSERT_TRUE(save_list(f.state, f.ui, "Mine", {"/new.mp3"}));
  EXPECT_EQ(read_file_bytes(f.dir.folder() + "Mine.cap"), format_play_list({"/new.mp3"}));
  EXPECT_EQ(f.state.active_collection, "Mine");
  EXPECT_TRUE(f.ui.boxes.empty());
  EXPECT_EQ(f.folder_names(f.dir.path()), std::vector<std::string>{"Mine.cap"});
}

TEST(PlayListSave, ClearsTemporariesLeftByAKilledSaveOfTheSameList) {
  SaveFixture f;
  f.dir.write("Mine.cap", kOldBytes);
  f.dir.write(".Mine.cap.123-0.tmp", "torn");
  f.dir.write(".Other.cap.123-0.tmp", "another list's");
  ASSERT_TRUE(save_list(f.state, f.ui, "Mine", {"/new.mp3"}));
  EXPECT_EQ(f.folder_names(f.dir.path()),
            (std::vector<std::string>{".Other.cap.123-0.tmp", "Mine.cap"}));
}

TEST(PlayListSave, KeepsTheRightsOfTheReplacedFile) {
  SaveFixture f;
  const std::string path = f.dir.write("Shared.cap", kOldBytes);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(save_list(f.state, f.ui, "Shared", {"/s.mp3"}));
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(PlayListSave, ReplacesTheListedFileWhateverTheCaseOfItsExtension) {
  SaveFixture f;
  f.dir.write("Loud.CAP", kOldBytes);
  ASSERT_TRUE(save_list(f.state, f.ui, "Loud", {"/l.mp3"}));
  EXPECT_EQ(f.folder_names(f.dir.path()), std::vector<std::string>{"Loud.CAP"});
  EXPECT_EQ(read_file_bytes(f.dir.folder() + "Loud.CAP"), format_play_list({"/l.mp3"}));
}

TEST(PlayListSave, ReadOnlyListStaysAsItWas) {
  SaveFixture f;
  const std::string path = f.dir.write("Locked.cap", kOldBytes);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(save_list(f.state, f.ui, "Locked", {"/new.mp3"}));
  EXPECT_EQ(read_file_bytes(path), kOldBytes);
  f.expect_save_error_shown();
  EXPECT_EQ(f.folder_names(f.dir.path()), std::vector<std::string>{"Locked.cap"});
}

TEST(PlayListSave, ReadOnlyFolderKeepsTheOldList) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
  SaveFixture f;
  const std::string path = f.dir.write("Kept.cap", kOldBytes);
  fs::permissions(f.dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(save_list(f.state, f.ui, "Kept", {"/new.mp3"}));
  fs::permissions(f.dir.path(), fs::perms::owner_all);
  EXPECT_EQ(read_file_bytes(path), kOldBytes);
  f.expect_save_error_shown();
  EXPECT_EQ(f.folder_names(f.dir.path()), std::vector<std::string>{"Kept.cap"});
}

TEST(PlayListSave, FullDiskKeepsTheOldListAndLeavesNoTemporary) {
  SaveFixture f;
  const std::string path = f.dir.write("Full.cap", kOldBytes);
  std::vector<std::string> paths(200, "/a/rather/long/path/to/some/music/file.mp3");
  // A file-size limit makes the write fail part-way, as a full disk would.
  rlimit old_limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old_limit;
  small.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved = save_list(f.state, f.ui, "Full", paths);
  setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);

  EXPECT_FALSE(saved);
  EXPECT_EQ(read_file_bytes(path), kOldBytes);
  f.expect_save_error_shown();
  EXPECT_EQ(f.folder_names(f.dir.path()), std::vector<std::string>{"Full.cap"});
}

TEST(PlayListSave, MissingFolderFails) {
  SaveFixture f;
  f.state.playlist_folder = f.dir.folder() + "not there/";
  EXPECT_FALSE(save_list(f.state, f.ui, "List", {"/a.mp3"}));
  f.expect_save_error_shown();
  EXPECT_TRUE(f.folder_names(f.dir.path()).empty());
}

TEST(PlayListSave, FolderThatIsAFileFails) {
  SaveFixture f;
  const std::string file = f.dir.write("plain", "x");
  f.state.playlist_folder = file + "/";
  EXPECT_FALSE(save_list(f.state, f.ui, "List", {"/a.mp3"}));
  f.expect_save_error_shown();
  EXPECT_EQ(read_file_bytes(file), "x");
}

TEST(PlayListSave, TitleWithASlashIsNoFileName) {
  SaveFixture f;
  fs::create_directory(f.dir.path() / "sub");
  EXPECT_FALSE(save_list(f.state, f.ui, "sub/List", {"/a.mp3"}));
  f.expect_save_error_shown();
  EXPECT_TRUE(fs::is_empty(f.dir.path() / "sub"));
  EXPECT_FALSE(save_list(f.state, f.ui, "missing/List", {"/a.mp3"}));
  EXPECT_EQ(f.folder_names(f.dir.path()), std::vector<std::string>{"sub"});
}

TEST(PlayListSave, EmptyTitleFails) {
  SaveFixture f;
  EXPECT_FALSE(save_list(f.state, f.ui, "", {"/a.mp3"}));
  f.expect_save_error_shown();
  EXPECT_TRUE(f.folder_names(f.dir.path()).empty());
}

TEST(PlayListSave, FolderNamedLikeTheListIsLeftAlone) {
  SaveFixture f;
  fs::create_directory(f.dir.path() / "Taken.cap");
  f.dir.write("Taken.cap/inside.txt", "keep");
  EXPECT_FALSE(save_list(f.state, f.ui, "Taken", {"/a.mp3"}));
  f.expect_save_error_shown();
  EXPECT_EQ(read_file_bytes(f.dir.folder() + "Taken.cap/inside.txt"), "keep");
  EXPECT_EQ(f.folder_names(f.dir.path()), std::vector<std::string>{"Taken.cap"});
}

TEST(PlayListSave, SavesThroughALinkIntoTheLinkedFile) {
  SaveFixture f;
  TempDir elsewhere;
  const std::string real = elsewhere.write("Real.cap", kOldBytes);
  fs::create_symlink(real, f.dir.path() / "Linked.cap");
  ASSERT_TRUE(save_list(f.state, f.ui, "Linked", {"/l.mp3"}));
  EXPECT_TRUE(fs::is_symlink(f.dir.path() / "Linked.cap"));
  EXPECT_EQ(read_file_bytes(real), format_play_list({"/l.mp3"}));
}

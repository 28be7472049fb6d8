#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fake_ui.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {
std::vector<std::string> sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}
}  // namespace

TEST(PlayListListing, ListsCapFilesInAnyCaseUnderTheirNames) {
  TempDir dir;
  dir.write("Rock.cap", "x");
  dir.write("Jazz.CAP", "x");
  dir.write("Folk Songs.Cap", "x");
  dir.write("notes.txt", "x");
  dir.write("cap", "x");
  dir.write("recap", "x");
  dir.write(".hidden.cap", "x");
  dir.write("x.cap/inside.cap", "x");  // a folder whose name ends in .cap
  fs::create_symlink(dir.path() / "x.cap", dir.path() / "link to folder.cap");
  fs::create_symlink(dir.path() / "Rock.cap", dir.path() / "Rock again.cap");

  PlayerState state;
  state.playlist_folder = dir.folder();
  FakeUi ui;
  MemoryListBox box;
  box.items = {"stale"};
  list_play_lists(state, ui, box);

  const std::vector<std::string> expected = {"Folk Songs", "Jazz", "Rock", "Rock again"};
  EXPECT_EQ(sorted(box.items), expected);
  EXPECT_EQ(state.list_count, 4);
  ASSERT_EQ(state.list_names.size(), 5u);
  EXPECT_EQ(state.list_names[0], "");
  EXPECT_EQ(std::vector<std::string>(state.list_names.begin() + 1, state.list_names.end()),
            box.items);
}

TEST(PlayListListing, ListsByNameWithoutRegardToCaseAndYieldsAfterEveryEntry) {
  TempDir dir;
  // Created scrambled; a folder and a text file in between.
  for (const char* name : {"b.cap", "A.cap", "zz.txt", "c.cap", "sub", "B.cap", "_x.cap",
                           "\xC3\xA4pfel.cap", "Zoo.cap", "\xC3\x84rger.cap"}) {
    if (std::string(name) == "sub") {
      fs::create_directory(dir.path() / name);
    } else {
      dir.write(name, "x");
    }
  }
  PlayerState state;
  state.playlist_folder = dir.folder();
  state.current_list_name = "c";
  state.current_list_index = 1;  // from an earlier listing
  FakeUi ui;
  std::vector<int32_t> counts_seen;
  ui.on_yield = [&] { counts_seen.push_back(state.list_count); };
  MemoryListBox box;
  list_play_lists(state, ui, box);

  // Capitals decide ("_" comes after the letters, "äpfel" before "Ärger"), then the bytes.
  const std::vector<std::string> expected = {
      "A", "B", "b", "c", "Zoo", "_x", "\xC3\xA4pfel", "\xC3\x84rger"};
  EXPECT_EQ(box.items, expected);
  EXPECT_EQ(std::vector<std::string>(state.list_names.begin() + 1, state.list_names.end()),
            expected);
  EXPECT_EQ(state.current_list_index, 4) << "the index follows the playing list";
  EXPECT_EQ(ui.yields, 10);
  EXPECT_EQ(counts_seen.back(), 8);
  EXPECT_TRUE(std::is_sorted(counts_seen.begin(), counts_seen.end()));
}

TEST(PlayListListing, EmptyOrMissingFolderListsNothing) {
  TempDir dir;
  PlayerState state;
  state.list_names = {"", "old"};
  state.list_count = 1;
  FakeUi ui;
  MemoryListBox box;
  box.items = {"old"};
  state.playlist_folder = dir.folder();
  list_play_lists(state, ui, box);
  EXPECT_TRUE(box.items.empty());
  EXPECT_EQ(state.list_count, 0);
  EXPECT_EQ(state.list_names, std::vector<std::string>{""});

  state.playlist_folder = dir.folder() + "gone/";
  list_play_lists(state, ui, box);
  EXPECT_TRUE(box.items.empty());
  EXPECT_EQ(state.list_count, 0);
  EXPECT_EQ(ui.yields, 0);
}

TEST(PlayListListing, SavedListIsListedAndLoads) {
  TempDir dir;
  PlayerState state;
  state.playlist_folder = dir.folder();
  FakeUi ui;
  ASSERT_TRUE(save_list(state, ui, "Party", {"/p.mp3"}));
  MemoryListBox box;
  list_play_lists(state, ui, box);
  ASSERT_EQ(box.items, std::vector<std::string>{"Party"});
  ASSERT_TRUE(load_play_list(state, ui, state.list_names[1], false));
  EXPECT_EQ(state.track_list, (std::vector<std::string>{"", "/p.mp3"}));
}

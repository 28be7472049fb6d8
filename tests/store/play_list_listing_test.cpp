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
// The folder's own order, as the listing must keep it.
std::vector<std::string> directory_order(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
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

TEST(PlayListListing, KeepsTheFolderOrderAndYieldsAfterEveryEntry) {
  TempDir dir;
  for (const char* name : {"b.cap", "a.cap", "zz.txt", "c.cap", "m.cap", "sub"}) {
    if (std::string(name) == "sub") {
      fs::create_directory(dir.path() / name);
    } else {
      dir.write(name, "x");
    }
  }
  std::vector<std::string> expected;
  for (const std::string& name : directory_order(dir.path())) {
    if (name.size() > 4 && name.ends_with(".cap"))
      expected.push_back(name.substr(0, name.size() - 4));
  }

  PlayerState state;
  state.playlist_folder = dir.folder();
  FakeUi ui;
  std::vector<int32_t> counts_seen;
  ui.on_yield = [&] { counts_seen.push_back(state.list_count); };
  MemoryListBox box;
  list_play_lists(state, ui, box);

  EXPECT_EQ(box.items, expected);
  EXPECT_EQ(ui.yields, 6);
  EXPECT_EQ(counts_seen.back(), 4);
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

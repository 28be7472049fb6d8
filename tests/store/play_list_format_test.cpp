#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_ui.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

namespace {
const std::string kHeader =
    "\"Davrin Audio Player\"\r\n"
    "\"Davrin Software\"\r\n"
    "\"https://www.davrin-software.com/audio-player/\"\r\n";

std::vector<std::string> split_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  EXPECT_EQ(start, bytes.size()) << "bytes after the last CR LF";
  return lines;
}
}  // namespace

TEST(PlayListFormat, TwoTracksAreExactlySixLines) {
  TempDir dir;
  PlayerState state;
  state.playlist_folder = dir.folder();
  FakeUi ui;
  ASSERT_TRUE(save_list(state, ui, "Evening", {"/music/a b.mp3", "/music/c.wav"}));

  const std::string bytes = read_file_bytes(dir.folder() + "Evening.cap");
  EXPECT_EQ(bytes, kHeader + "2\r\n\"/music/a b.mp3\"\r\n\"/music/c.wav\"\r\n");
  const auto lines = split_lines(bytes);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[3], "2");
  EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);  // no bare line feed anywhere
  EXPECT_TRUE(ui.boxes.empty());
}

TEST(PlayListFormat, EmptyListIsHeaderAndZero) {
  EXPECT_EQ(format_play_list({}), kHeader + "0\r\n");
}

TEST(PlayListFormat, PathsAreStoredAsTheirBytes) {
  const std::string path = "/home/j\xc3\xb6rg/M\xc3\xbcsik/\xe2\x99\xab track.mp3";
  EXPECT_EQ(format_play_list({path}), kHeader + "1\r\n\"" + path + "\"\r\n");
}

TEST(PlayListFormat, SavedListLoadsBackInOrder) {
  TempDir dir;
  PlayerState state;
  state.playlist_folder = dir.folder();
  FakeUi ui;
  std::vector<std::string> paths;
  for (int i = 0; i < 500; ++i) {
    paths.push_back("/music/album " + std::to_string(i % 7) + "/track, " + std::to_string(i) +
                    ".mp3");
  }
  ASSERT_TRUE(save_list(state, ui, "Long list", paths));
  state.active_collection.clear();
  ASSERT_TRUE(load_play_list(state, ui, "Long list", false));

  ASSERT_EQ(state.track_count, 500);
  ASSERT_EQ(state.track_list.size(), 501u);
  EXPECT_EQ(state.track_list[0], "");
  EXPECT_EQ(std::vector<std::string>(state.track_list.begin() + 1, state.track_list.end()), paths);
  EXPECT_EQ(state.active_collection, "Long list");
  EXPECT_TRUE(ui.boxes.empty());
}

TEST(PlayListFormat, SavingTheLoadedListAgainGivesTheSameBytes) {
  TempDir dir;
  const std::string original = kHeader + "3\r\n\"/a/1.mp3\"\r\n\"/a/2.mid\"\r\n\"/b/3.rmi\"\r\n";
  dir.write("Mix.cap", original);
  PlayerState state;
  state.playlist_folder = dir.folder();
  FakeUi ui;
  ASSERT_TRUE(load_play_list(state, ui, "Mix", false));
  ASSERT_TRUE(
      save_list(state, ui, "Copy",
                std::vector<std::string>(state.track_list.begin() + 1, state.track_list.end())));
  EXPECT_EQ(read_file_bytes(dir.folder() + "Copy.cap"), original);
}

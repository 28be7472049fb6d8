#include <gtest/gtest.h>

#include <algorithm>
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

struct LoadFixture {
  TempDir dir;
  PlayerState state;
  FakeUi ui;
  LoadFixture() { state.playlist_folder = dir.folder(); }
  bool load(const std::string& name, bool silent) {
    state.current_list_name = name;
    return load_play_list(state, ui, state.current_list_name, silent);
  }
};

bool is_permutation_of_1_to_n(const std::vector<int32_t>& order, int32_t n) {
  if (order.size() != static_cast<size_t>(n) + 1 || order[0] != 0) return false;
  std::vector<int32_t> sorted(order.begin() + 1, order.end());
  std::sort(sorted.begin(), sorted.end());
  for (int32_t i = 0; i < n; ++i) {
    if (sorted[i] != i + 1) return false;
  }
  return true;
}
}  // namespace

TEST(PlayListLoad, FillsTrackTableAndPlayOrder) {
  LoadFixture f;
  f.dir.write("Rock.cap", kHeader + "3\r\n\"/m/a.mp3\"\r\n\"/m/b.mp3\"\r\n\"/m/c.mp3\"\r\n");
  f.state.track_list = {"", "old 1", "old 2", "old 3", "old 4", "old 5"};
  ASSERT_TRUE(f.load("Rock", false));
  EXPECT_EQ(f.state.track_list, (std::vector<std::string>{"", "/m/a.mp3", "/m/b.mp3", "/m/c.mp3"}));
  EXPECT_EQ(f.state.track_count, 3);
  EXPECT_TRUE(is_permutation_of_1_to_n(f.state.play_order, 3));
  EXPECT_EQ(f.state.current_list_name, "Rock");
  EXPECT_EQ(f.state.active_collection, "Rock");
  EXPECT_TRUE(f.ui.boxes.empty());

  // A longer list after it: the shorter table grows, and nothing of it stays
  // in a longer path written over a shorter one, or the other way round.
  f.dir.write("Long.cap", kHeader +
                              "5\r\n\"/media/long/path/1.mp3\"\r\n\"/2\"\r\n"
                              "\"/media/long/path/3.mp3\"\r\n\"/4\"\r\n\"/5\"\r\n");
  ASSERT_TRUE(f.load("Long", false));
  EXPECT_EQ(f.state.track_list, (std::vector<std::string>{"", "/media/long/path/1.mp3", "/2",
                                                          "/media/long/path/3.mp3", "/4", "/5"}));
  EXPECT_EQ(f.state.track_count, 5);
  ASSERT_TRUE(f.load("Rock", false));
  EXPECT_EQ(f.state.track_list, (std::vector<std::string>{"", "/m/a.mp3", "/m/b.mp3", "/m/c.mp3"}));
}

TEST(PlayListLoad, BuildsAPlayOrderEvenInStoredOrderMode) {
  LoadFixture f;
  f.state.player_random = 0;
  f.dir.write("L.cap", kHeader + "2\r\n\"/a\"\r\n\"/b\"\r\n");
  ASSERT_TRUE(f.load("L", true));
  EXPECT_TRUE(is_permutation_of_1_to_n(f.state.play_order, 2));
}

TEST(PlayListLoad, HeaderIsNeverExamined) {
  LoadFixture f;
  f.dir.write("Other.cap",
              "\"\"\r\n\"Some Other Product\"\r\nno quotes here\r\n1\r\n\"/x.wav\"\r\n");
  ASSERT_TRUE(f.load("Other", false));
  EXPECT_EQ(f.state.track_list, (std::vector<std::string>{"", "/x.wav"}));
}

TEST(PlayListLoad, ReadsCommasLeadingBlanksGarbageAndExtraLines) {
  LoadFixture f;
  f.dir.write("Loose.cap",
              "\"A\",\"B\",\"C\"\r\n"
              "   2\r\n"
              "  \"/m/one, two.mp3\" trailing words\r\n"
              "\t\"/m/three.mp3\"\r\n"
              "\"/m/not counted.mp3\"\r\n"
              "and more lines\n");
  ASSERT_TRUE(f.load("Loose", false));
  EXPECT_EQ(f.state.track_count, 2);
  EXPECT_EQ(f.state.track_list, (std::vector<std::string>{"", "/m/one, two.mp3", "/m/three.mp3"}));
  EXPECT_TRUE(f.ui.boxes.empty());
}

TEST(PlayListLoad, PathsOnOneLineSeparatedByCommas) {
  LoadFixture f;
  f.dir.write("Flat.cap", "a,b,c,3,\"/1\",\"/2\",/3\r\n");
  ASSERT_TRUE(f.load("Flat", false));
  EXPECT_EQ(f.state.track_list, (std::vector<std::string>{"", "/1", "/2", "/3"}));
}

TEST(PlayListLoad, ReadsFilesWithBareLineFeeds) {
  LoadFixture f;
  f.dir.write("Unix.cap", "\"a\"\n\"b\"\n\"c\"\n2\n\"/p\"\n\"/q\"\n");
  ASSERT_TRUE(f.load("Unix", false));
  EXPECT_EQ(f.state.track_list, (std::vector<std::string>{"", "/p", "/q"}));
}

TEST(PlayListLoad, CountZeroIsAnEmptyPlayList) {
  LoadFixture f;
  f.dir.write("Empty.cap", kHeader + "0\r\n");
  f.state.track_count = 7;
  ASSERT_TRUE(f.load("Empty", false));
  EXPECT_EQ(f.state.track_count, 0);
  EXPECT_EQ(f.state.track_list, std::vector<std::string>{""});
  EXPECT_EQ(f.state.play_order, std::vector<int32_t>{0});
  EXPECT_EQ(f.state.active_collection, "Empty");
  EXPECT_TRUE(f.ui.boxes.empty());
}

TEST(PlayListLoad, CountAboveTheEditorLimitLoadsInFull) {
  LoadFixture f;
  std::string bytes = kHeader + "30005\r\n";
  for (int i = 1; i <= 30005; ++i) bytes += "\"/m/" + std::to_string(i) + ".mp3\"\r\n";
  f.dir.write("Big.cap", bytes);
  ASSERT_TRUE(f.load("Big", false));
  EXPECT_EQ(f.state.track_count, 30005);
  EXPECT_EQ(f.state.track_list.back(), "/m/30005.mp3");
  EXPECT_TRUE(is_permutation_of_1_to_n(f.state.play_order, 30005));
}

TEST(PlayListLoad, FindsAListWhoseExtensionIsUpperCase) {
  LoadFixture f;
  f.dir.write("Loud.CAP", kHeader + "1\r\n\"/l.mp3\"\r\n");
  ASSERT_TRUE(f.load("Loud", false));
  EXPECT_EQ(f.state.track_list, (std::vector<std::string>{"", "/l.mp3"}));
}

// Every way a load can fail, with and without the message.
struct BadFile {
  const char* what;
  const char* bytes;  // nullptr: no file at all
};

class PlayListLoadFailure : public ::testing::TestWithParam<std::tuple<BadFile, bool>> {};

TEST_P(PlayListLoadFailure, ResetsCountAndActiveListAndKeepsTheTable) {
  const auto& [bad, silent] = GetParam();
  LoadFixture f;
  if (bad.bytes) f.dir.write("Bad.cap", bad.bytes);
  f.state.track_list = {"", "/kept/1.mp3", "/kept/2.mp3"};
  f.state.play_order = {0, 2, 1};
  f.state.track_count = 2;
  f.state.active_collection = "Before";

  EXPECT_FALSE(f.load("Bad", silent));

  EXPECT_EQ(f.state.track_count, 0);
  EXPECT_EQ(f.state.active_collection, "");
  EXPECT_EQ(f.state.current_list_name, "Bad");
  EXPECT_EQ(f.state.track_list, (std::vector<std::string>{"", "/kept/1.mp3", "/kept/2.mp3"}));
  EXPECT_EQ(f.state.play_order, (std::vector<int32_t>{0, 2, 1}));
  if (silent) {
    EXPECT_TRUE(f.ui.boxes.empty());
  } else {
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, "Error loading playlist data!");
    EXPECT_EQ(f.ui.boxes[0].title, "Davrin Audio Player");
    EXPECT_EQ(f.ui.boxes[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(f.ui.boxes[0].icon, MsgIcon::None);
  }
}

const BadFile kBadFiles[] = {
    {"missing", nullptr},
    {"empty", ""},
    {"two_header_fields", "\"a\"\r\n\"b\"\r\n"},
    {"no_count", "\"a\"\r\n\"b\"\r\n\"c\"\r\n"},
    {"count_not_a_number", "\"a\"\r\n\"b\"\r\n\"c\"\r\nabc\r\n\"/x\"\r\n"},
    {"count_with_letters", "\"a\"\r\n\"b\"\r\n\"c\"\r\n1x\r\n\"/x\"\r\n"},
    {"count_negative", "\"a\"\r\n\"b\"\r\n\"c\"\r\n-1\r\n"},
    {"count_too_big", "\"a\"\r\n\"b\"\r\n\"c\"\r\n99999999999\r\n\"/x\"\r\n"},
    {"fewer_paths", "\"a\"\r\n\"b\"\r\n\"c\"\r\n3\r\n\"/x\"\r\n\"/y\"\r\n"},
    {"two_billion", "\"a\"\r\n\"b\"\r\n\"c\"\r\n2000000000\r\n\"/x\"\r\n\"/y\"\r\n\"/z\"\r\n"},
};

INSTANTIATE_TEST_SUITE_P(EveryFailure, PlayListLoadFailure,
                         ::testing::Combine(::testing::ValuesIn(kBadFiles), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).what) +
                                  (std::get<1>(info.param) ? "_silent" : "_shown");
                         });

TEST(PlayListLoad, FolderNamedLikeAPlayListFails) {
  LoadFixture f;
  std::filesystem::create_directory(f.dir.path() / "Dir.cap");
  EXPECT_FALSE(f.load("Dir", false));
  EXPECT_EQ(f.ui.boxes.size(), 1u);
}

TEST(PlayListLoad, FailureAfterSuccessKeepsTheLoadedPaths) {
  LoadFixture f;
  f.dir.write("Good.cap", kHeader + "1\r\n\"/g.mp3\"\r\n");
  ASSERT_TRUE(f.load("Good", false));
  EXPECT_FALSE(f.load("Gone", true));
  EXPECT_EQ(f.state.track_count, 0);
  EXPECT_EQ(f.state.track_list, (std::vector<std::string>{"", "/g.mp3"}));
  EXPECT_EQ(f.state.current_list_name, "Gone");
}

// A play list whose tracks are all missing or unplayable is cycled through,
// one position a tick, with the end-of-list action at every pass.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "fake_media_player.h"
#include "fake_ui.h"
#include "player/playback_engine.h"
#include "player/stream_media_player.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

namespace {

// Remembers only the last tooltip: long runs would pile up every one.
class LastTooltip : public TrayView {
 public:
  void set_tooltip(const std::string& text) override { tooltip = text; }
  void set_music_entries(bool, bool) override {}
  void set_repeat_checked(bool) override {}
  std::string tooltip;
};

// Tracks that cannot be found: paths in a folder that does not exist.
std::vector<std::string> missing_tracks(const TempDir& dir, const std::string& list, int n) {
  std::vector<std::string> paths;
  for (int k = 1; k <= n; ++k) {
    paths.push_back(dir.folder() + "gone/" + list + "/track " + std::to_string(k) + ".mp3");
  }
  return paths;
}

struct MissingRig {
  TempDir dir;
  PlayerState state;
  FakeUi ui;
  LastTooltip tray;
  uint64_t clock = 0;

  MissingRig() {
    state.playlist_folder = dir.folder();
    state.random = RandomDraw([this] { return ++clock; });
  }
  void add_list(const std::string& name, int n) {
    dir.write(name + ".cap", format_play_list(missing_tracks(dir, name, n)));
    state.list_names.push_back(name);
    state.list_count = static_cast<int32_t>(state.list_names.size() - 1);
  }
  void start(PlaybackEngine& engine, const std::string& name) {
    for (int32_t i = 1; i <= state.list_count; ++i) {
      if (state.list_names[i] == name) state.current_list_index = i;
    }
    ASSERT_TRUE(load_play_list(state, ui, name, true));
    engine.start_music();
  }
};

TEST(MissingTracks, RepeatActionCyclesThePlayListForever) {
  MissingRig rig;
  rig.add_list("Gone", 5);
  FakeMediaPlayer player;
  for (const auto& p : missing_tracks(rig.dir, "Gone", 5)) player.unplayable.insert(p);
  PlaybackEngine engine(rig.state, rig.ui, player, rig.tray);
  rig.start(engine, "Gone");
  for (int k = 1; k <= 5000; ++k) {
    engine.tick();
    const int32_t position = (k - 1) % 5 + 1;
    ASSERT_EQ(rig.state.current_track, position) << k;
    ASSERT_FALSE(player.playing);
    ASSERT_EQ(player.started.back(), engine.path_of_position(position));
    ASSERT_EQ(rig.tray.tooltip, " Play List: Gone  Track: (" + std::to_string(position) +
                                    "/5) track " + file_title_of(player.started.back()).substr(6) +
                                    " ");
  }
  EXPECT_EQ(player.started.size(), 5000u);
  EXPECT_TRUE(rig.ui.boxes.empty());
}

TEST(MissingTracks, ShuffledPassesGetAFreshOrderEachTime) {
  MissingRig rig;
  rig.add_list("Gone", 6);
  FakeMediaPlayer player;
  for (const auto& p : missing_tracks(rig.dir, "Gone", 6)) player.unplayable.insert(p);
  PlaybackEngine engine(rig.state, rig.ui, player, rig.tray);
  rig.state.player_random = 1;
  rig.start(engine, "Gone");
  std::set<std::vector<int32_t>> orders;
  for (int pass = 0; pass < 200; ++pass) {
    std::set<std::string> played;
    for (int k = 0; k < 6; ++k) {
      engine.tick();
      played.insert(player.started.back());
    }
    // Every pass visits each track once, in the order of that pass.
    ASSERT_EQ(played.size(), 6u) << pass;
    orders.insert(rig.state.play_order);
  }
  EXPECT_GT(orders.size(), 50u);
}

TEST(MissingTracks, NextPlayListActionWalksThroughAllPlayLists) {
  MissingRig rig;
  rig.add_list("A", 3);
  rig.add_list("B", 1);
  rig.add_list("C", 2);
  FakeMediaPlayer player;
  for (const char* l : {"A", "B", "C"}) {
    for (const auto& p : missing_tracks(rig.dir, l, 3)) player.unplayable.insert(p);
  }
  PlaybackEngine engine(rig.state, rig.ui, player, rig.tray);
  rig.state.list_done_action = 1;
  rig.start(engine, "A");
  // A: 1 2 3, B: 1, C: 1 2, A: 1 2 3 ...: each pass ends on the first of the next list.
  const std::vector<std::pair<std::string, int32_t>> cycle = {{"A", 1}, {"A", 2}, {"A", 3},
                                                              {"B", 1}, {"C", 1}, {"C", 2}};
  for (int k = 0; k < 600; ++k) {
    engine.tick();
    const auto& [list, position] = cycle[static_cast<size_t>(k) % cycle.size()];
    ASSERT_EQ(rig.state.current_list_name, list) << k;
    ASSERT_EQ(rig.state.active_collection, list) << k;
    ASSERT_EQ(rig.state.current_track, position) << k;
  }
  EXPECT_TRUE(rig.ui.boxes.empty());
}

TEST(MissingTracks, RandomPlayListActionKeepsGoingWhenAListFileVanishes) {
  MissingRig rig;
  rig.add_list("A", 2);
  rig.add_list("B", 3);
  rig.add_list("C", 1);
  FakeMediaPlayer player;
  for (const char* l : {"A", "B", "C"}) {
    for (const auto& p : missing_tracks(rig.dir, l, 3)) player.unplayable.insert(p);
  }
  PlaybackEngine engine(rig.state, rig.ui, player, rig.tray);
  rig.state.list_done_action = 2;
  rig.start(engine, "A");
  std::map<std::string, int> visits;
  for (int k = 0; k < 3000; ++k) {
    if (k == 1500) std::filesystem::remove(rig.dir.path() / "B.cap");
    engine.tick();
    ++visits[rig.state.current_list_name];
    ASSERT_GE(rig.state.current_track, 0);
    ASSERT_LE(rig.state.current_track, std::max(rig.state.track_count, 1));
    // A track only ever comes from the loaded play list.
    const std::string& last = player.started.back();
    bool known = last.empty();
    for (int32_t i = 1; i <= rig.state.track_count; ++i) known |= rig.state.track_list[i] == last;
    ASSERT_TRUE(known) << k << ": " << last;
  }
  EXPECT_GT(visits["A"], 100);
  EXPECT_GT(visits["B"], 100);
  EXPECT_GT(visits["C"], 100);
  // Drawing the vanished list shows the load error; playback carries on.
  ASSERT_FALSE(rig.ui.boxes.empty());
  for (const auto& box : rig.ui.boxes) EXPECT_EQ(box.text, "Error loading playlist data!");
}

// The real media player with files that are missing, empty or not music.
TEST(MissingTracks, RealPlayerSkipsUnplayableFilesOneATick) {
  MissingRig rig;
  std::vector<std::string> paths = missing_tracks(rig.dir, "Bad", 2);
  paths.push_back(rig.dir.write("bad/empty.mp3", ""));
  paths.push_back(rig.dir.write("bad/noise.mp3", std::string(4096, '\x5a')));
  paths.push_back(rig.dir.write("bad/text.wav", "RIFF but not really a wave file"));
  paths.push_back(rig.dir.write("bad/song.mid", "MThd broken"));
  paths.push_back(rig.dir.folder() + "bad/");  // a folder, not a file
  rig.dir.write("Bad.cap", format_play_list(paths));
  rig.state.list_names.push_back("Bad");
  rig.state.list_count = 1;
  StreamMediaPlayer player;
  PlaybackEngine engine(rig.state, rig.ui, player, rig.tray);
  rig.start(engine, "Bad");
  const int32_t n = static_cast<int32_t>(paths.size());
  for (int k = 1; k <= 3 * n; ++k) {
    engine.tick();
    ASSERT_EQ(rig.state.current_track, (k - 1) % n + 1) << k;
    ASSERT_NE(player.play_state(), MediaPlayer::kPlaying) << k;
  }
  EXPECT_TRUE(rig.ui.boxes.empty());
}

}  // namespace

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "fake_media_player.h"
#include "fake_ui.h"
#include "player/media_player.h"

namespace {

// Answers with a fixed play state, or throws from every operation.
class ScriptedPlayer : public MediaPlayer {
 public:
  bool stop() override { return act("stop"); }
  bool set_file_name(const std::string& path) override { return act("name " + path); }
  bool play() override { return act("play"); }
  int play_state() override {
    if (throw_all) throw std::runtime_error("play state");
    return state;
  }
  void rest() override { act("rest"); }
  bool act(const std::string& what) {
    calls.push_back(what);
    if (throw_all) throw std::runtime_error(what);
    return true;
  }
  int state = 0;
  bool throw_all = false;
  std::vector<std::string> calls;
};

}  // namespace

TEST(StopPlayer, StopsThenYieldsOnce) {
  FakeMediaPlayer player;
  FakeUi ui;
  int stops_seen_in_yield = -1;
  ui.on_yield = [&] { stops_seen_in_yield = player.stops; };
  player.playing = true;
  stop_player(player, ui);
  EXPECT_EQ(player.stops, 1);
  EXPECT_EQ(ui.yields, 1);
  EXPECT_EQ(stops_seen_in_yield, 1);
  EXPECT_FALSE(player.playing);
}

TEST(StopPlayer, FailedStopEndsWithoutYield) {
  FakeMediaPlayer player;
  FakeUi ui;
  player.fail_stop = true;
  stop_player(player, ui);
  EXPECT_EQ(player.stops, 1);
  EXPECT_EQ(ui.yields, 0);
}

TEST(StopPlayer, ThrowingStopEndsQuietlyWithoutYield) {
  ScriptedPlayer player;
  player.throw_all = true;
  FakeUi ui;
  EXPECT_NO_THROW(stop_player(player, ui));
  EXPECT_EQ(ui.yields, 0);
}

TEST(PlayFile, StopsYieldsNamesThenPlays) {
  ScriptedPlayer player;
  FakeUi ui;
  std::vector<std::string> calls_at_yield;
  ui.on_yield = [&] { calls_at_yield = player.calls; };
  play_file(player, ui, "/music/a b.mp3");
  EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", "name /music/a b.mp3", "play"}));
  EXPECT_EQ(calls_at_yield, std::vector<std::string>{"stop"});
  EXPECT_EQ(ui.yields, 1);
}

TEST(PlayFile, FailedStopStillPlaysTheFile) {
  FakeMediaPlayer player;
  FakeUi ui;
  player.fail_stop = true;
  play_file(player, ui, "/music/a.wav");
  EXPECT_EQ(ui.yields, 0);
  EXPECT_EQ(player.started, std::vector<std::string>{"/music/a.wav"});
  EXPECT_TRUE(is_playing(player));
}

TEST(PlayFile, NameThatCannotBeSetIsNeverPlayed) {
  FakeMediaPlayer player;
  FakeUi ui;
  player.fail_set_file = true;
  play_file(player, ui, "/music/a.wav");
  EXPECT_TRUE(player.started.empty());
  EXPECT_FALSE(is_playing(player));
}

TEST(PlayFile, UnplayableFileSimplyNeverPlays) {
  FakeMediaPlayer player;
  FakeUi ui;
  player.unplayable.insert("/gone.mp3");
  play_file(player, ui, "/gone.mp3");
  EXPECT_FALSE(is_playing(player));
  play_file(player, ui, "");
  EXPECT_FALSE(is_playing(player));
  EXPECT_TRUE(ui.boxes.empty());
}

TEST(PlayFile, ThrowingPlayerReportsNothing) {
  ScriptedPlayer player;
  player.throw_all = true;
  FakeUi ui;
  EXPECT_NO_THROW(play_file(player, ui, "/a.mid"));
  EXPECT_FALSE(is_playing(player));
  EXPECT_TRUE(ui.boxes.empty());
}

TEST(IsPlaying, OnlyStateTwoIsPlaying) {
  ScriptedPlayer player;
  for (int state : {-1, 0, 1, 3, 6, 10}) {
    player.state = state;
    EXPECT_FALSE(is_playing(player)) << state;
  }
  player.state = 2;
  EXPECT_TRUE(is_playing(player));
}

TEST(RestPlayer, RestsAndSwallowsAThrowingPlayer) {
  ScriptedPlayer player;
  rest_player(player);
  EXPECT_EQ(player.calls, std::vector<std::string>{"rest"});
  player.throw_all = true;
  EXPECT_NO_THROW(rest_player(player));
}

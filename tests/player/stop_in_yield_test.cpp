// Stop Music (or Settings) chosen while a tick waits in its own yield: the
// command cannot wait for that tick, and the tick must start nothing after it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "engine_rig.h"

using Paths = std::vector<std::string>;

namespace {
// Runs command inside the n-th yield from now (1 = the next one), once.
void on_nth_yield(EngineRig& rig, int n, std::function<void()> command) {
  auto left = std::make_shared<int>(n);
  rig.ui.on_yield = [&rig, left, command] {
    if (--*left != 0) return;
    rig.ui.on_yield = nullptr;
    command();
  };
}

void start_list_a(EngineRig& rig, int tracks) {
  rig.write_list("A", tracks_of("A", tracks));
  rig.write_list("B", tracks_of("B", 2));
  rig.set_lists({"A", "B"});
  rig.start_with("A");
  rig.engine.tick();  // A-1 plays
}
}  // namespace

TEST(StopInsideATick, StopWhileTheTickStartsTheNextTrackStartsNothing) {
  EngineRig rig;
  start_list_a(rig, 5);
  rig.player.end_track();
  on_nth_yield(rig, 1, [&] { rig.engine.on_stop_music(); });
  rig.engine.tick();  // returns: the stop did not wait for it

  EXPECT_FALSE(rig.engine.tick_busy());
  EXPECT_EQ(rig.player.started, Paths{"/music/A/A-1.mp3"});
  EXPECT_FALSE(rig.player.playing);
  EXPECT_EQ(rig.state.music_stopped, 1);
  EXPECT_EQ(rig.state.req_track_backward, 1);
  EXPECT_EQ(rig.tooltip(), "");
  EXPECT_TRUE(rig.tray.start_entry_enabled);
  EXPECT_FALSE(rig.tray.stop_entry_enabled);

  // Start Music resumes with the track that was about to start.
  rig.engine.on_start_music();
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_track, 2);
  EXPECT_EQ(rig.last_started(), "/music/A/A-2.mp3");
  EXPECT_TRUE(rig.player.playing);
  EXPECT_EQ(rig.state.req_track_backward, 0);
}

TEST(StopInsideATick, StopWhileARequestStopsThePlayerKeepsTheRequest) {
  EngineRig rig;
  start_list_a(rig, 5);
  rig.engine.on_track_forward();
  on_nth_yield(rig, 1, [&] { rig.engine.on_stop_music(); });
  rig.engine.tick();
  EXPECT_EQ(rig.player.started.size(), 1u);
  EXPECT_FALSE(rig.player.playing);
  EXPECT_EQ(rig.state.req_track_forward, 1);  // waits for the music
  EXPECT_EQ(rig.state.current_track, 1);

  // As Stop, Next, Start: the track after the stopped one.
  rig.engine.on_start_music();
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_track, 2);
  EXPECT_EQ(rig.last_started(), "/music/A/A-2.mp3");
  EXPECT_EQ(rig.state.req_track_forward, 0);
}

TEST(StopInsideATick, StopAfterTheTickStartedATrackLeavesNothingPlaying) {
  EngineRig rig;
  start_list_a(rig, 5);
  rig.engine.on_track_forward();
  rig.engine.on_list_forward();
  // Yields: the forward request's stop, A-2's start, then the list request's stop.
  on_nth_yield(rig, 3, [&] { rig.engine.on_stop_music(); });
  rig.engine.tick();
  EXPECT_EQ(rig.last_started(), "/music/A/A-2.mp3");
  EXPECT_FALSE(rig.player.playing);
  EXPECT_EQ(rig.state.req_track_forward, 0);
  EXPECT_EQ(rig.state.req_list_forward, 1);
  EXPECT_EQ(rig.state.current_list_name, "A");

  rig.engine.on_start_music();
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_list_name, "B");
  rig.engine.tick();
  EXPECT_EQ(rig.last_started(), "/music/B/B-1.mp3");
}

TEST(StopInsideATick, StopDuringTheBackwardRequestKeepsTheNewBackwardRequest) {
  EngineRig rig;
  start_list_a(rig, 5);
  rig.engine.on_track_forward();
  rig.engine.tick();
  rig.engine.on_track_backward();
  // Yields: the backward request's stop, then A-1's start.
  on_nth_yield(rig, 2, [&] { rig.engine.on_stop_music(); });
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_track, 1);
  EXPECT_EQ(rig.last_started(), "/music/A/A-2.mp3");
  EXPECT_FALSE(rig.player.playing);
  EXPECT_EQ(rig.state.req_track_backward, 1);

  rig.engine.on_start_music();
  rig.engine.tick();
  EXPECT_EQ(rig.last_started(), "/music/A/A-1.mp3");
  EXPECT_TRUE(rig.player.playing);
}

TEST(StopInsideATick, SettingsInsideTheYieldStartsNothingFromTheOldTick) {
  EngineRig rig;
  start_list_a(rig, 3);
  rig.player.end_track();
  // The Settings entry: stop, the modal window (ticks inside it do nothing), start.
  on_nth_yield(rig, 1, [&] {
    rig.engine.stop_music();
    rig.engine.tick();
    rig.engine.start_music();
  });
  rig.engine.tick();
  EXPECT_EQ(rig.player.started, Paths{"/music/A/A-1.mp3"});
  EXPECT_FALSE(rig.player.playing);
  EXPECT_EQ(rig.state.music_stopped, 0);
  EXPECT_EQ(rig.tray.tooltips.size(), 2u);
  EXPECT_EQ(rig.tooltip(), " Play List: A  Track: (2/3) A-2.mp3 ");

  rig.engine.tick();  // the next tick finds the player idle and moves on
  EXPECT_EQ(rig.last_started(), "/music/A/A-3.mp3");
}

TEST(StopInsideATick, StopWhileTheLoadErrorIsShownStartsNothing) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 2));
  rig.set_lists({"A", "B"});  // B's file is missing
  rig.state.list_done_action = 1;
  rig.start_with("A");
  rig.engine.tick();
  rig.finish_track();  // A-2, the last
  rig.ui.on_box = [&] { rig.engine.on_stop_music(); };
  rig.finish_track();
  EXPECT_EQ(rig.ui.boxes.size(), 1u);
  EXPECT_EQ(rig.player.started, (Paths{"/music/A/A-1.mp3", "/music/A/A-2.mp3"}));
  EXPECT_EQ(rig.state.current_track, 1);
  EXPECT_EQ(rig.tooltip(), "");

  // Once started again nothing is there to play; the backward request only stops.
  rig.engine.on_start_music();
  const int stops = rig.player.stops;
  rig.engine.tick();
  EXPECT_EQ(rig.player.stops, stops + 1);
  EXPECT_EQ(rig.player.started.size(), 2u);
  EXPECT_EQ(rig.state.req_track_backward, 0);
  EXPECT_EQ(rig.tooltip(), " Play List: B  Track: (1/0)  ");
}

TEST(StopInsideATick, MusicSwitchedOffAtExitStartsNothing) {
  EngineRig rig;
  start_list_a(rig, 3);
  rig.player.end_track();
  on_nth_yield(rig, 1, [&] { rig.state.music_stopped = 1; });
  rig.engine.tick();
  EXPECT_EQ(rig.player.started.size(), 1u);
  EXPECT_FALSE(rig.player.playing);
}

TEST(MusicEntries, StartAndStopSwitchTheEntriesAndTheMusic) {
  EngineRig rig;
  rig.engine.start_music();
  EXPECT_FALSE(rig.tray.start_entry_enabled);
  EXPECT_TRUE(rig.tray.stop_entry_enabled);
  EXPECT_EQ(rig.state.music_stopped, 0);

  rig.player.playing = true;
  rig.engine.stop_music();
  EXPECT_TRUE(rig.tray.start_entry_enabled);
  EXPECT_FALSE(rig.tray.stop_entry_enabled);
  EXPECT_EQ(rig.state.music_stopped, 1);
  EXPECT_FALSE(rig.player.playing);
  EXPECT_EQ(rig.state.req_track_backward, 0);  // only the menu entry leaves a request

  rig.engine.on_start_music();
  rig.engine.on_stop_music();
  EXPECT_EQ(rig.state.req_track_backward, 1);
}

// A switched-off player lets go of its device; the music started again takes it.
TEST(MusicEntries, StopRestsThePlayerUntilTheMusicIsStartedAgain) {
  EngineRig rig;
  start_list_a(rig, 5);
  EXPECT_FALSE(rig.player.resting);
  rig.engine.on_stop_music();
  EXPECT_TRUE(rig.player.resting);
  rig.engine.tick();
  EXPECT_TRUE(rig.player.resting);  // ticks with the music off leave it resting
  rig.engine.on_start_music();
  rig.engine.tick();
  EXPECT_FALSE(rig.player.resting);
  EXPECT_TRUE(rig.player.playing);
  EXPECT_EQ(rig.last_started(), "/music/A/A-1.mp3");

  rig.engine.stop_music();  // as the settings window does
  EXPECT_TRUE(rig.player.resting);
}

TEST(StopInsideATick, MusicStartedAgainDuringTheStopsYieldIsNotRested) {
  EngineRig rig;
  start_list_a(rig, 5);
  on_nth_yield(rig, 1, [&] {
    rig.engine.on_start_music();
    rig.engine.tick();  // the next track starts at once
  });
  rig.engine.on_stop_music();
  EXPECT_EQ(rig.player.rests, 0);
  EXPECT_TRUE(rig.player.playing);
  EXPECT_EQ(rig.state.music_stopped, 0);
  EXPECT_EQ(rig.player.started.size(), 2u);
}

TEST(MusicEntries, RepeatClickedTwiceIsOffAgain) {
  EngineRig rig;
  rig.engine.on_repeat_track();
  EXPECT_EQ(rig.state.repeat_track_on, 1);
  EXPECT_TRUE(rig.tray.repeat_checked);
  rig.engine.on_repeat_track();
  EXPECT_EQ(rig.state.repeat_track_on, 0);
  EXPECT_FALSE(rig.tray.repeat_checked);
}

TEST(StopAndStart, ResumesTheStoppedTrackFromItsBeginning) {
  EngineRig rig;
  start_list_a(rig, 5);
  rig.finish_track();
  rig.engine.on_stop_music();
  EXPECT_FALSE(rig.player.playing);
  rig.engine.tick();
  rig.engine.tick();
  EXPECT_EQ(rig.tooltip(), "");
  EXPECT_EQ(rig.player.started.size(), 2u);
  EXPECT_EQ(rig.state.req_track_backward, 1);  // waits for the music

  rig.engine.on_start_music();
  rig.engine.tick();
  EXPECT_EQ(rig.player.started, (Paths{"/music/A/A-1.mp3", "/music/A/A-2.mp3", "/music/A/A-3.mp3",
                                       "/music/A/A-2.mp3"}));
  EXPECT_EQ(rig.state.current_track, 2);
  EXPECT_TRUE(rig.player.playing);
  EXPECT_EQ(rig.tooltip(), " Play List: A  Track: (2/5) A-2.mp3 ");
}

TEST(StopAndStart, WithRepeatLandsOnePositionBefore) {
  EngineRig rig;
  start_list_a(rig, 5);
  rig.finish_track();
  rig.engine.on_repeat_track();
  rig.engine.on_stop_music();
  rig.engine.on_start_music();
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_track, 1);
  EXPECT_EQ(rig.last_started(), "/music/A/A-1.mp3");
}

TEST(StopAndStart, OnTheLastPositionEndsThePassFirst) {
  EngineRig rig;
  start_list_a(rig, 3);
  rig.engine.on_track_backward();
  rig.engine.tick();  // A-3, the last
  rig.engine.on_stop_music();
  rig.engine.on_start_music();
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_track, 3);
  EXPECT_EQ(rig.last_started(), "/music/A/A-3.mp3");
  EXPECT_EQ(rig.player.started[rig.player.started.size() - 2], "/music/A/A-1.mp3");

  // With "next play list" the pass moves on and the request lands on its last track.
  rig.state.list_done_action = 1;
  rig.engine.on_stop_music();
  rig.engine.on_start_music();
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_list_name, "B");
  EXPECT_EQ(rig.state.current_track, 2);
  EXPECT_EQ(rig.last_started(), "/music/B/B-2.mp3");
}

TEST(StopAndStart, StopNextStartPlaysTheTrackAfterTheStoppedOne) {
  EngineRig rig;
  start_list_a(rig, 5);
  rig.finish_track();
  rig.engine.on_stop_music();
  rig.engine.on_track_forward();
  rig.engine.on_start_music();
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_track, 3);
  EXPECT_EQ(rig.last_started(), "/music/A/A-3.mp3");
}

TEST(StopAndStart, RequestsWaitWhileTheMusicIsOff) {
  EngineRig rig;
  start_list_a(rig, 3);
  rig.engine.on_stop_music();
  rig.engine.on_list_forward();
  for (int i = 0; i < 3; ++i) rig.engine.tick();
  EXPECT_EQ(rig.state.req_list_forward, 1);
  EXPECT_EQ(rig.state.current_list_name, "A");
  EXPECT_EQ(rig.tooltip(), "");
  rig.engine.on_start_music();
  rig.engine.tick();
  EXPECT_EQ(rig.state.req_list_forward, 0);
  EXPECT_EQ(rig.state.current_list_name, "B");
}

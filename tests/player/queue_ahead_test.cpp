// The engine queues the file that follows, so that the player goes on into it
// without a gap; the tick then steps as at the end of a track, without
// starting anything.
#include <gtest/gtest.h>

#include "engine_rig.h"

using Paths = std::vector<std::string>;

namespace {
void start_list(EngineRig& rig, int tracks, int32_t action) {
  rig.write_list("A", tracks_of("A", tracks));
  rig.write_list("B", tracks_of("B", 2));
  rig.set_lists({"A", "B"});
  rig.state.list_done_action = action;
  rig.start_with("A");
  rig.run_due_ticks();
}
}  // namespace

TEST(QueueAhead, TheTickStepsToTheQueuedTrackTheTrackGoesOnWithoutARestart) {
  EngineRig rig;
  start_list(rig, 3, 0);
  EXPECT_EQ(rig.player.queued, "/music/A/A-2.mp3");
  rig.player.move_on();
  EXPECT_EQ(rig.player.started, Paths{"/music/A/A-1.mp3"}) << "nothing started again";
  EXPECT_EQ(rig.state.current_track, 2);
  EXPECT_EQ(rig.tooltip(), " Play List: A  Track: (2/3) A-2.mp3 ");
  EXPECT_EQ(rig.player.queued, "/music/A/A-3.mp3");
  rig.engine.tick();  // the second's tick finds it playing: nothing moves
  EXPECT_EQ(rig.state.current_track, 2);
  EXPECT_EQ(rig.player.started.size(), 1u);
}

TEST(QueueAhead, TheLastTrackQueuesTheFirstOfTheNextShuffledPass) {
  EngineRig rig;
  rig.state.player_random = 1;
  start_list(rig, 5, 0);
  for (int k = 1; k < 5; ++k) rig.player.move_on();
  ASSERT_EQ(rig.state.current_track, 5);
  const std::string last = rig.engine.path_of_position(5);
  const std::string first_of_next = rig.player.queued;
  ASSERT_FALSE(first_of_next.empty());
  EXPECT_EQ(rig.engine.path_of_position(5), last) << "the playing pass keeps its order";
  rig.player.move_on();
  EXPECT_EQ(rig.state.current_track, 1);
  EXPECT_EQ(rig.engine.path_of_position(1), first_of_next) << "the pass plays the order drawn";
  EXPECT_EQ(rig.tooltip(), " Play List: A  Track: (1/5) " + first_of_next.substr(9) + " ");
}

TEST(QueueAhead, RepeatCurrentTrackQueuesTheSameFileAndItsSwitchQueuesAgain) {
  EngineRig rig;
  start_list(rig, 3, 0);
  rig.engine.on_repeat_track();
  EXPECT_EQ(rig.player.queued, "/music/A/A-1.mp3");
  rig.player.move_on();
  EXPECT_EQ(rig.state.current_track, 1);
  EXPECT_EQ(rig.player.queued, "/music/A/A-1.mp3");
  rig.engine.on_repeat_track();
  EXPECT_EQ(rig.player.queued, "/music/A/A-2.mp3");
}

TEST(QueueAhead, AnotherPlayListAtTheEndStartsAtOnceAsBefore) {
  EngineRig rig;
  start_list(rig, 2, 1);
  rig.player.move_on();
  EXPECT_EQ(rig.player.queued, "") << "the next play list is not queued";
  rig.player.end_with_notice();
  EXPECT_EQ(rig.state.current_list_name, "B");
  EXPECT_EQ(rig.last_started(), "/music/B/B-1.mp3");
  EXPECT_EQ(rig.player.queued, "/music/B/B-2.mp3");
}

TEST(QueueAhead, ARequestQueuesWhatFollowsItsNewPositionAndStopMusicDropsTheQueue) {
  EngineRig rig;
  start_list(rig, 4, 0);
  rig.engine.on_track_forward();
  rig.run_due_ticks();
  EXPECT_EQ(rig.last_started(), "/music/A/A-2.mp3");
  EXPECT_EQ(rig.player.queued, "/music/A/A-3.mp3");
  rig.engine.on_stop_music();
  EXPECT_EQ(rig.player.queued, "");
  rig.engine.on_start_music();
  rig.run_due_ticks();
  EXPECT_EQ(rig.last_started(), "/music/A/A-2.mp3") << "Start Music replays the stopped track";
  EXPECT_EQ(rig.player.queued, "/music/A/A-3.mp3");
}

TEST(QueueAhead, WhatFollowsChangedAfterItWasQueuedThePositionsOwnFileStarts) {
  EngineRig rig;
  start_list(rig, 4, 0);
  ASSERT_EQ(rig.player.queued, "/music/A/A-2.mp3");
  rig.state.player_random = 1;             // the settings window's order, while A-1 plays
  rig.state.play_order = {0, 1, 4, 3, 2};  // in which position 2 is another file
  rig.player.move_on();
  EXPECT_EQ(rig.state.current_track, 2);
  EXPECT_EQ(rig.last_started(), "/music/A/A-4.mp3");
  EXPECT_EQ(rig.player.started.size(), 2u) << "the right file, started anew";
}

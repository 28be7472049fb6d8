// Playback that answers at once: the end of a track and every request bring a
// tick of their own, right after the command, never nested in a running tick;
// the once-a-second tick stays for the tracks that never start.
#include <gtest/gtest.h>

#include "engine_rig.h"

using Paths = std::vector<std::string>;

namespace {
// Music on with play list A, then the turns of the event loop that follow;
// how many ticks they ran.
int start_lists(EngineRig& rig, int a_tracks) {
  rig.write_list("A", tracks_of("A", a_tracks));
  rig.write_list("B", tracks_of("B", 2));
  rig.set_lists({"A", "B"});
  rig.start_with("A");
  return rig.run_due_ticks();
}
}  // namespace

TEST(TickAtOnce, TheEndOfATrackStartsTheNextPositionInTheSameTurn) {
  EngineRig rig;
  EXPECT_EQ(start_lists(rig, 2), 1);  // Start Music: the first track without waiting
  rig.state.list_done_action = 1;
  EXPECT_EQ(rig.player.started, Paths{"/music/A/A-1.mp3"});

  rig.player.end_with_notice();
  EXPECT_EQ(rig.last_started(), "/music/A/A-2.mp3");
  EXPECT_EQ(rig.tooltip(), " Play List: A  Track: (2/2) A-2.mp3 ");
  rig.player.end_with_notice();  // the pass is complete: the next play list
  EXPECT_EQ(rig.state.current_list_name, "B");
  EXPECT_EQ(rig.last_started(), "/music/B/B-1.mp3");
  EXPECT_EQ(rig.run_due_ticks(), 0);
  rig.engine.tick();  // the second's tick finds it playing
  EXPECT_EQ(rig.player.started.size(), 3u);
}

TEST(TickAtOnce, RequestsAreServicedRightAfterTheCommandInTheirOrderAndOnce) {
  EngineRig rig;
  start_lists(rig, 3);
  rig.engine.on_list_forward();
  rig.engine.on_track_forward();
  rig.engine.on_track_forward();
  EXPECT_EQ(rig.player.started.size(), 1u) << "serviced inside the command";
  // One tick for the clicks, the track step first; one more that starts the
  // new list's first track, so the settings hint is never left showing.
  EXPECT_EQ(rig.run_due_ticks(), 2);
  EXPECT_EQ(rig.player.started,
            (Paths{"/music/A/A-1.mp3", "/music/A/A-2.mp3", "/music/B/B-1.mp3"}));
  EXPECT_EQ(rig.tooltip(), " Play List: B  Track: (1/2) B-1.mp3 ");
  rig.engine.tick();
  EXPECT_EQ(rig.player.started.size(), 3u) << "serviced twice";
}

TEST(TickAtOnce, ARequestDuringARunningTickWaitsForItsEndNotForTheNextSecond) {
  EngineRig rig;
  start_lists(rig, 4);
  rig.engine.on_track_forward();
  int yields = 0;
  rig.ui.on_yield = [&] {
    if (++yields != 1) return;
    // Another click, and the tick it asks for, while the first stops the player.
    rig.engine.on_track_forward();
    rig.timer.soon = false;
    rig.engine.tick_at_once();
    rig.player.end_with_notice();
    EXPECT_TRUE(rig.engine.tick_busy());
  };
  EXPECT_EQ(rig.run_due_ticks(), 2);
  EXPECT_EQ(rig.tray.tooltips.size(), 3u) << "a tick ran inside another";
  EXPECT_EQ(rig.player.started,
            (Paths{"/music/A/A-1.mp3", "/music/A/A-2.mp3", "/music/A/A-3.mp3"}));
}

TEST(TickAtOnce, TracksThatNeverStartArePassedOverOneATickNeverFaster) {
  EngineRig rig;
  for (const char* l : {"A", "B"}) {
    for (const auto& p : tracks_of(l, 3)) rig.player.unplayable.insert(p);
  }
  EXPECT_EQ(start_lists(rig, 3), 1);
  rig.state.list_done_action = 1;
  rig.engine.on_list_forward();  // its tick also moves past A-1, as any tick would
  EXPECT_EQ(rig.run_due_ticks(), 2);
  EXPECT_EQ(rig.player.started,
            (Paths{"/music/A/A-1.mp3", "/music/A/A-2.mp3", "/music/B/B-1.mp3"}));
  for (int second = 1; second <= 6; ++second) {
    rig.engine.tick();
    EXPECT_EQ(rig.run_due_ticks(), 0) << second;
    EXPECT_EQ(rig.player.started.size(), 3u + second);
  }
  EXPECT_EQ(rig.last_started(), "/music/B/B-2.mp3");  // through A once and back to B
}

TEST(TickAtOnce, NothingTicksWhileTheMusicIsOffAndStartMusicTicksAtOnce) {
  EngineRig rig;
  start_lists(rig, 3);
  rig.engine.on_stop_music();
  rig.engine.on_track_forward();
  EXPECT_EQ(rig.run_due_ticks(), 0);
  rig.engine.on_start_music();
  EXPECT_EQ(rig.run_due_ticks(), 1);
  EXPECT_EQ(rig.last_started(), "/music/A/A-2.mp3");  // onward, Next, back to the stopped one
}

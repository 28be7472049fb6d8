// Pause holds the track at its place: the music reads as off, nothing ticks
// on, and Start Music goes on from there; Stop Music keeps its meaning.
#include <gtest/gtest.h>

#include "engine_rig.h"

using Paths = std::vector<std::string>;

TEST(Pause, StartMusicResumesThePausedTrackAtItsPlaceAndTheTooltipStays) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 3));
  rig.set_lists({"A"});
  rig.start_with("A");
  rig.run_due_ticks();
  const std::string text = rig.tooltip();
  ASSERT_TRUE(rig.engine.pause_music());
  EXPECT_TRUE(rig.player.paused);
  EXPECT_TRUE(rig.tray.start_entry_enabled);
  EXPECT_FALSE(rig.tray.stop_entry_enabled);
  EXPECT_FALSE(rig.timer.ticking);
  rig.engine.tick();  // a tick that still comes finds no ended track
  EXPECT_EQ(rig.tooltip(), text);
  EXPECT_EQ(rig.player.started, Paths{"/music/A/A-1.mp3"});
  EXPECT_FALSE(rig.engine.pause_music()) << "paused already";

  rig.engine.on_start_music();
  rig.run_due_ticks();
  EXPECT_FALSE(rig.player.paused);
  EXPECT_EQ(rig.player.started, Paths{"/music/A/A-1.mp3"}) << "went on, not started again";
  EXPECT_FALSE(rig.tray.start_entry_enabled);
}

TEST(Pause, StopMusicWhilePausedThenStartMusicReplaysTheTrackFromItsStart) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 3));
  rig.set_lists({"A"});
  rig.start_with("A");
  rig.run_due_ticks();
  rig.engine.on_track_forward();
  rig.run_due_ticks();
  ASSERT_TRUE(rig.engine.pause_music());
  rig.engine.on_stop_music();
  EXPECT_FALSE(rig.engine.paused());
  rig.engine.on_start_music();
  rig.run_due_ticks();
  EXPECT_EQ(rig.last_started(), "/music/A/A-2.mp3");
  EXPECT_EQ(rig.state.current_track, 2);
  EXPECT_FALSE(rig.player.paused);
}

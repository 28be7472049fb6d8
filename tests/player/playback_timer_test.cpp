// The tick of the playback timer as a state machine: what plays, where the
// position goes and what the tooltip says, one tick at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine_rig.h"

using Paths = std::vector<std::string>;

namespace {
std::string line(const std::string& list, int pos, int count, const std::string& file) {
  return " Play List: " + list + "  Track: (" + std::to_string(pos) + "/" + std::to_string(count) +
         ") " + file + " ";
}
const std::string kHint = " Click on SETTINGS to create a play list! ";
}  // namespace

TEST(PlaybackTimer, OneTrackWithoutRepeatStartsAgainAfterItsPass) {
  EngineRig rig;
  rig.write_list("Solo", {"/music/solo.mp3"});
  rig.set_lists({"Solo"});
  rig.start_with("Solo");

  rig.engine.tick();
  EXPECT_EQ(rig.player.started, Paths{"/music/solo.mp3"});
  EXPECT_TRUE(rig.player.playing);
  EXPECT_EQ(rig.tooltip(), line("Solo", 1, 1, "solo.mp3"));

  rig.engine.tick();  // still playing: nothing new
  EXPECT_EQ(rig.player.started.size(), 1u);

  rig.finish_track();
  EXPECT_EQ(rig.player.started, (Paths{"/music/solo.mp3", "/music/solo.mp3"}));
  EXPECT_EQ(rig.state.current_track, 1);
  EXPECT_EQ(rig.state.play_order, (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(rig.tooltip(), line("Solo", 1, 1, "solo.mp3"));
}

TEST(PlaybackTimer, PlaysTheListInStoredOrderAndRepeatsIt) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 3));
  rig.set_lists({"A"});
  rig.start_with("A");
  rig.engine.tick();
  for (int i = 0; i < 5; ++i) rig.finish_track();
  EXPECT_EQ(rig.player.started,
            (Paths{"/music/A/A-1.mp3", "/music/A/A-2.mp3", "/music/A/A-3.mp3", "/music/A/A-1.mp3",
                   "/music/A/A-2.mp3", "/music/A/A-3.mp3"}));
  EXPECT_TRUE(rig.ui.boxes.empty());
}

TEST(PlaybackTimer, RepeatStartsTheSamePositionAndNeverEndsThePass) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 3));
  rig.write_list("B", tracks_of("B", 2));
  rig.set_lists({"A", "B"});
  rig.state.list_done_action = 1;
  rig.start_with("A");
  rig.engine.tick();
  rig.finish_track();  // position 2
  rig.engine.on_repeat_track();
  EXPECT_TRUE(rig.tray.repeat_checked);
  for (int i = 0; i < 3; ++i) rig.finish_track();
  EXPECT_EQ(rig.state.current_track, 2);
  EXPECT_EQ(rig.player.started.size(), 5u);
  EXPECT_EQ(rig.last_started(), "/music/A/A-2.mp3");

  rig.engine.on_track_forward();  // requests still move the position
  rig.engine.tick();
  EXPECT_EQ(rig.last_started(), "/music/A/A-3.mp3");
  for (int i = 0; i < 3; ++i) rig.finish_track();
  EXPECT_EQ(rig.state.current_track, 3);
  EXPECT_EQ(rig.state.current_list_name, "A");
  EXPECT_EQ(rig.last_started(), "/music/A/A-3.mp3");
}

TEST(PlaybackTimer, RepeatAfterAPlayListRequestPlaysNothingUntilSwitchedOff) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 2));
  rig.write_list("B", tracks_of("B", 2));
  rig.set_lists({"A", "B"});
  rig.start_with("A");
  rig.engine.tick();
  rig.engine.on_repeat_track();
  rig.engine.on_list_forward();
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_list_name, "B");
  EXPECT_EQ(rig.state.current_track, 0);
  EXPECT_FALSE(rig.player.playing);
  EXPECT_EQ(rig.tooltip(), kHint);

  for (int i = 0; i < 3; ++i) {
    rig.engine.tick();
    EXPECT_EQ(rig.last_started(), "");
    EXPECT_FALSE(rig.player.playing);
    EXPECT_EQ(rig.state.current_track, 0);
    EXPECT_EQ(rig.tooltip(), kHint);
  }

  rig.engine.on_repeat_track();
  EXPECT_FALSE(rig.tray.repeat_checked);
  EXPECT_EQ(rig.state.repeat_track_on, 0);
  rig.engine.tick();
  EXPECT_EQ(rig.last_started(), "/music/B/B-1.mp3");
  EXPECT_EQ(rig.tooltip(), line("B", 1, 2, "B-1.mp3"));
}

TEST(PlaybackTimer, TrackRequestsWrapAroundWithoutEndOfListAction) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 3));
  rig.write_list("B", tracks_of("B", 2));
  rig.set_lists({"A", "B"});
  rig.state.list_done_action = 1;
  rig.start_with("A");
  rig.engine.tick();

  rig.engine.on_track_backward();  // before the first: the last
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_track, 3);
  EXPECT_EQ(rig.last_started(), "/music/A/A-3.mp3");

  rig.engine.on_track_forward();  // after the last: the first, same play list
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_track, 1);
  EXPECT_EQ(rig.last_started(), "/music/A/A-1.mp3");
  EXPECT_EQ(rig.state.current_list_name, "A");
  EXPECT_EQ(rig.state.active_collection, "A");
}

TEST(PlaybackTimer, PlayListRequestsWrapAround) {
  EngineRig rig;
  for (const char* n : {"A", "B", "C"}) rig.write_list(n, tracks_of(n, 1));
  rig.set_lists({"A", "B", "C"});
  rig.start_with("C");
  rig.engine.tick();

  rig.engine.on_list_forward();  // after the last: the first
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_list_index, 1);
  EXPECT_EQ(rig.state.current_list_name, "A");
  EXPECT_EQ(rig.state.active_collection, "A");
  rig.engine.tick();
  EXPECT_EQ(rig.last_started(), "/music/A/A-1.mp3");

  rig.engine.on_list_backward();  // before the first: the last
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_list_index, 3);
  EXPECT_EQ(rig.state.current_list_name, "C");
  rig.engine.tick();
  EXPECT_EQ(rig.last_started(), "/music/C/C-1.mp3");
}

// Right after start, the play-list steps move on from the list that plays.
TEST(PlaybackTimer, PlayListStepsMoveOnFromTheListActiveAtStart) {
  struct Case {
    const char* active;
    void (PlaybackEngine::*request)();  // none: the pass ends with action 1
    const char* expected;
  };
  for (const Case& c : {Case{"B", &PlaybackEngine::on_list_forward, "C"},
                        Case{"B", &PlaybackEngine::on_list_backward, "A"}, Case{"B", nullptr, "C"},
                        Case{"C", &PlaybackEngine::on_list_forward, "A"}}) {
    EngineRig rig;
    for (const char* n : {"A", "B", "C"}) rig.write_list(n, tracks_of(n, 1));
    rig.set_lists({"A", "B", "C"});
    rig.state.list_done_action = 1;
    rig.start_with(c.active);
    rig.engine.tick();
    if (c.request != nullptr) {
      (rig.engine.*c.request)();
      rig.engine.tick();
      rig.engine.tick();
    } else {
      rig.finish_track();
    }
    const std::string e = c.expected;
    EXPECT_EQ(rig.state.current_list_name, e) << c.active;
    EXPECT_EQ(rig.last_started(), "/music/" + e + "/" + e + "-1.mp3") << c.active;
  }
}

TEST(PlaybackTimer, RequestsOfOneSecondAreServicedInTheirOrder) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 3));
  rig.write_list("B", tracks_of("B", 2));
  rig.set_lists({"A", "B"});
  rig.start_with("A");
  rig.engine.tick();

  rig.engine.on_list_forward();  // raised first, serviced after the track request
  rig.engine.on_track_forward();
  rig.engine.tick();
  EXPECT_EQ(rig.player.started, (Paths{"/music/A/A-1.mp3", "/music/A/A-2.mp3"}));
  EXPECT_FALSE(rig.player.playing);  // the play-list step stopped it again
  EXPECT_EQ(rig.state.current_list_name, "B");
  EXPECT_EQ(rig.state.current_track, 0);
  rig.engine.tick();
  EXPECT_EQ(rig.last_started(), "/music/B/B-1.mp3");
}

TEST(PlaybackTimer, OneTickServicesAndClearsEveryRequest) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 4));
  rig.write_list("B", tracks_of("B", 2));
  rig.set_lists({"A", "B"});
  rig.start_with("A");
  rig.engine.tick();
  rig.engine.on_track_forward();
  rig.engine.on_track_backward();
  rig.engine.on_track_random();
  rig.engine.on_list_forward();
  rig.engine.on_list_backward();
  rig.engine.on_list_random();
  rig.engine.tick();
  const PlayerState& s = rig.state;
  EXPECT_EQ(s.req_track_forward + s.req_track_backward + s.req_track_random + s.req_list_forward +
                s.req_list_backward + s.req_list_random,
            0);
  // Forward and back start 2 and 1, the random track one more; then the lists.
  ASSERT_EQ(rig.player.started.size(), 4u);
  EXPECT_EQ(rig.player.started[1], "/music/A/A-2.mp3");
  EXPECT_EQ(rig.player.started[2], "/music/A/A-1.mp3");
  EXPECT_EQ(s.current_track, 0);
  EXPECT_TRUE(s.current_list_name == "A" || s.current_list_name == "B");
}

TEST(PlaybackTimer, NextTrackTwiceInOneSecondIsOneStep) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 4));
  rig.set_lists({"A"});
  rig.start_with("A");
  rig.engine.tick();
  rig.engine.on_track_forward();
  rig.engine.on_track_forward();
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_track, 2);
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_track, 2);
  EXPECT_EQ(rig.player.started.size(), 2u);
}

TEST(PlaybackTimer, RandomTrackOfOneTrackStartsItAgain) {
  EngineRig rig;
  rig.write_list("Solo", {"/music/solo.mp3"});
  rig.set_lists({"Solo"});
  rig.start_with("Solo");
  rig.engine.tick();
  rig.engine.on_track_random();
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_track, 1);
  EXPECT_EQ(rig.player.started, (Paths{"/music/solo.mp3", "/music/solo.mp3"}));
}

TEST(PlaybackTimer, RandomPlayListMayReloadTheCurrentOne) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 2));
  rig.set_lists({"A"});
  rig.start_with("A");
  rig.engine.tick();
  rig.engine.on_track_forward();
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_track, 2);
  rig.engine.on_list_random();
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_list_index, 1);
  EXPECT_EQ(rig.state.current_track, 0);
  EXPECT_EQ(rig.tooltip(), kHint);
  rig.engine.tick();
  EXPECT_EQ(rig.last_started(), "/music/A/A-1.mp3");
}

TEST(PlaybackTimer, RequestsWithNothingToMoveOnlyStopThePlayer) {
  EngineRig rig;
  rig.engine.start_music();
  rig.engine.on_track_forward();
  rig.engine.on_track_backward();
  rig.engine.on_track_random();
  rig.engine.on_list_forward();
  rig.engine.on_list_backward();
  rig.engine.on_list_random();
  rig.engine.tick();
  EXPECT_EQ(rig.player.stops, 6);
  EXPECT_TRUE(rig.player.started.empty());
  EXPECT_EQ(rig.state.current_track, 0);
  EXPECT_EQ(rig.state.req_track_forward + rig.state.req_list_random, 0);
  EXPECT_EQ(rig.tooltip(), kHint);
  EXPECT_TRUE(rig.ui.boxes.empty());
}

TEST(PlaybackTimer, EndOfPassWithoutOtherPlayListsOrWithAnUnknownActionRestartsTheList) {
  for (int32_t action : {1, 2, 3, -1, 99}) {
    for (bool with_lists : {false, true}) {
      if (with_lists && (action == 1 || action == 2)) continue;  // those move on
      EngineRig rig;
      rig.write_list("A", tracks_of("A", 2));
      rig.write_list("B", tracks_of("B", 2));
      rig.set_lists({"A", "B"});
      rig.start_with("A");
      if (!with_lists) rig.set_lists({});  // the folder was listed again and found nothing
      rig.state.list_done_action = action;
      rig.engine.tick();
      rig.finish_track();
      rig.finish_track();
      EXPECT_EQ(rig.state.current_track, 1) << action;
      EXPECT_EQ(rig.state.current_list_name, "A") << action;
      EXPECT_EQ(rig.last_started(), "/music/A/A-1.mp3") << action;
      EXPECT_TRUE(rig.ui.boxes.empty()) << action;
    }
  }
}

TEST(PlaybackTimer, EndOfPassMovesToTheNextOrARandomPlayList) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 1));
  rig.write_list("B", tracks_of("B", 1));
  rig.set_lists({"A", "B"});
  rig.state.list_done_action = 1;
  rig.start_with("B");
  rig.engine.tick();
  rig.finish_track();  // after the last play list: the first
  EXPECT_EQ(rig.state.current_list_index, 1);
  EXPECT_EQ(rig.state.active_collection, "A");
  EXPECT_EQ(rig.last_started(), "/music/A/A-1.mp3");

  rig.state.list_done_action = 2;
  std::set<std::string> lists;
  for (int i = 0; i < 40; ++i) {
    rig.finish_track();
    lists.insert(rig.state.current_list_name);
    EXPECT_EQ(rig.last_started(), "/music/" + rig.state.current_list_name + "/" +
                                      rig.state.current_list_name + "-1.mp3");
  }
  EXPECT_EQ(lists, (std::set<std::string>{"A", "B"}));
}

TEST(PlaybackTimer, FailedLoadOfAPlayListRequestLeavesNothingToPlay) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 3));
  rig.set_lists({"A", "B"});  // B was listed but its file is gone
  rig.start_with("A");
  rig.engine.tick();
  rig.engine.on_list_forward();
  rig.engine.tick();
  ASSERT_EQ(rig.ui.boxes.size(), 1u);
  EXPECT_EQ(rig.ui.boxes[0].text, "Error loading playlist data!");
  EXPECT_EQ(rig.ui.boxes[0].title, "Davrin Audio Player");
  EXPECT_EQ(rig.ui.boxes[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(rig.ui.boxes[0].icon, MsgIcon::None);
  EXPECT_EQ(rig.state.track_count, 0);
  EXPECT_EQ(rig.state.active_collection, "");
  EXPECT_EQ(rig.state.current_list_name, "B");
  EXPECT_EQ(rig.state.current_track, 0);
  EXPECT_EQ(rig.tooltip(), kHint);

  rig.engine.tick();
  rig.engine.on_track_forward();  // only stops the player
  rig.engine.tick();
  EXPECT_EQ(rig.player.started.size(), 1u);
  EXPECT_EQ(rig.state.current_track, 0);
  EXPECT_EQ(rig.tooltip(), kHint);

  rig.engine.on_list_forward();  // a later request loads a play list again
  rig.engine.tick();
  rig.engine.tick();
  EXPECT_EQ(rig.state.current_list_name, "A");
  EXPECT_EQ(rig.last_started(), "/music/A/A-1.mp3");
}

TEST(PlaybackTimer, FailedLoadAtTheEndOfAPassPlaysNothingFromTheOldList) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 2));
  rig.write_list("B", tracks_of("B", 2));
  rig.set_lists({"A", "B"});
  rig.state.list_done_action = 1;
  rig.start_with("A");
  rig.engine.tick();
  rig.remove_list("B");
  rig.finish_track();
  rig.finish_track();
  ASSERT_EQ(rig.ui.boxes.size(), 1u);
  EXPECT_EQ(rig.ui.boxes[0].text, "Error loading playlist data!");
  EXPECT_EQ(rig.state.track_count, 0);
  EXPECT_EQ(rig.state.current_track, 1);
  // The old list's tracks are still in the table; none of them starts.
  EXPECT_EQ(rig.player.started, (Paths{"/music/A/A-1.mp3", "/music/A/A-2.mp3", ""}));
  EXPECT_FALSE(rig.player.playing);
  EXPECT_EQ(rig.tooltip(), " Play List: B  Track: (1/0)  ");

  rig.engine.tick();
  EXPECT_EQ(rig.player.started.size(), 3u);
  EXPECT_EQ(rig.tooltip(), " Play List: B  Track: (1/0)  ");
}

TEST(PlaybackTimer, PlayListOfMissingFilesIsCycledOnePositionPerTick) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 3));
  rig.write_list("B", tracks_of("B", 2));
  for (const auto& p : tracks_of("A", 3)) rig.player.unplayable.insert(p);
  for (const auto& p : tracks_of("B", 2)) rig.player.unplayable.insert(p);
  rig.set_lists({"A", "B"});
  rig.start_with("A");
  for (int i = 0; i < 7; ++i) rig.engine.tick();
  EXPECT_EQ(rig.player.started,
            (Paths{"/music/A/A-1.mp3", "/music/A/A-2.mp3", "/music/A/A-3.mp3", "/music/A/A-1.mp3",
                   "/music/A/A-2.mp3", "/music/A/A-3.mp3", "/music/A/A-1.mp3"}));

  rig.state.list_done_action = 1;  // each pass now moves on to the other list
  for (int i = 0; i < 6; ++i) rig.engine.tick();
  EXPECT_EQ(rig.player.started.size(), 13u);
  EXPECT_EQ(rig.player.started[9], "/music/B/B-1.mp3");
  EXPECT_EQ(rig.player.started[10], "/music/B/B-2.mp3");
  EXPECT_EQ(rig.player.started[11], "/music/A/A-1.mp3");
  EXPECT_EQ(rig.player.started[12], "/music/A/A-2.mp3");
  EXPECT_TRUE(rig.ui.boxes.empty());
}

TEST(PlaybackTimer, ShuffledPlayShowsThePositionAndTheTrackPlaying) {
  EngineRig rig;
  const Paths paths = tracks_of("Mix", 6);
  rig.write_list("Mix", paths);
  rig.set_lists({"Mix"});
  rig.state.player_random = 1;
  rig.start_with("Mix");
  for (int pass = 0; pass < 3; ++pass) {
    std::set<std::string> played;
    for (int32_t p = 1; p <= 6; ++p) {
      rig.finish_track();
      ASSERT_EQ(rig.state.current_track, p);
      const std::string& track = rig.state.track_list[rig.state.play_order[p]];
      EXPECT_EQ(rig.last_started(), track);
      EXPECT_EQ(rig.tooltip(), line("Mix", p, 6, track.substr(track.rfind('/') + 1)));
      played.insert(track);
    }
    EXPECT_EQ(played, std::set<std::string>(paths.begin(), paths.end()));
  }
}

TEST(PlaybackTimer, TooltipTextsAreExactAndSetEveryTick) {
  EngineRig rig;
  Paths paths = tracks_of("Rock", 12);
  paths[2] = "/home/user/Music/song.mp3";
  rig.write_list("Rock", paths);
  rig.set_lists({"Rock"});

  rig.engine.start_music();
  rig.engine.tick();  // nothing loaded yet
  EXPECT_EQ(rig.tooltip(), " Click on SETTINGS to create a play list! ");

  rig.start_with("Rock");
  rig.engine.tick();
  rig.finish_track();
  rig.finish_track();
  EXPECT_EQ(rig.tooltip(), " Play List: Rock  Track: (3/12) song.mp3 ");
  rig.engine.tick();
  EXPECT_EQ(rig.tray.tooltips.size(), 5u);
  EXPECT_EQ(rig.tray.tooltips[3], rig.tray.tooltips[4]);

  rig.engine.on_stop_music();
  rig.engine.tick();
  EXPECT_EQ(rig.tooltip(), "");
  EXPECT_EQ(rig.engine.status_text(), "");
}

TEST(PlaybackTimer, TickArrivingInsideATicksYieldDoesNothing) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 3));
  rig.set_lists({"A"});
  rig.start_with("A");
  rig.engine.tick();
  rig.engine.on_track_forward();
  int nested = 0;
  rig.ui.on_yield = [&] {
    ++nested;
    EXPECT_TRUE(rig.engine.tick_busy());
    rig.engine.tick();
  };
  rig.engine.tick();
  EXPECT_GT(nested, 0);
  EXPECT_FALSE(rig.engine.tick_busy());
  EXPECT_EQ(rig.tray.tooltips.size(), 2u);
  EXPECT_EQ(rig.player.started, (Paths{"/music/A/A-1.mp3", "/music/A/A-2.mp3"}));
  EXPECT_EQ(rig.state.current_track, 2);
}

TEST(PlaybackTimer, PathLookupStaysInsideTheLoadedTracks) {
  EngineRig rig;
  rig.state.track_list = {"", "a", "b", "c"};  // a longer list was loaded before
  rig.state.play_order = {0, 3, 1, 2};
  rig.state.track_count = 2;
  EXPECT_EQ(rig.engine.path_of_position(0), "");
  EXPECT_EQ(rig.engine.path_of_position(-1), "");
  EXPECT_EQ(rig.engine.path_of_position(1), "a");
  EXPECT_EQ(rig.engine.path_of_position(2), "b");
  EXPECT_EQ(rig.engine.path_of_position(3), "");
  rig.state.player_random = 1;
  EXPECT_EQ(rig.engine.path_of_position(1), "");  // the order names track 3 of 2
  EXPECT_EQ(rig.engine.path_of_position(2), "a");
  rig.state.track_count = 5;  // more than the tables hold
  EXPECT_EQ(rig.engine.path_of_position(4), "");
  rig.state.player_random = 2;  // anything but 1 plays in stored order
  EXPECT_EQ(rig.engine.path_of_position(3), "c");
  EXPECT_EQ(rig.engine.path_of_position(4), "");
}

TEST(PlaybackTimer, EveryPassBuildsAFreshShuffle) {
  EngineRig rig;
  rig.write_list("A", tracks_of("A", 4));
  rig.set_lists({"A"});
  rig.start_with("A");
  rig.engine.tick();
  for (int i = 0; i < 3; ++i) rig.finish_track();
  rig.state.play_order = {0, 0, 0, 0, 0};  // built also while playing in stored order
  rig.finish_track();
  std::vector<int32_t> order = rig.state.play_order;
  std::sort(order.begin(), order.end());
  EXPECT_EQ(order, (std::vector<int32_t>{0, 1, 2, 3, 4}));

  rig.state.player_random = 1;
  std::set<std::vector<int32_t>> orders;
  for (int pass = 0; pass < 30; ++pass) {
    for (int i = 0; i < 4; ++i) rig.finish_track();
    orders.insert(rig.state.play_order);
  }
  EXPECT_GT(orders.size(), 1u);
}

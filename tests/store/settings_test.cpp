#include "store/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_settings_store.h"

TEST(Settings, EmptyStoreGivesTheDefaults) {
  FakeSettingsStore store;
  PlayerState state;
  state.active_collection = "x";
  state.player_random = 5;
  state.web_description = "x";
  state.web_link = "x";
  state.welcome = 0;
  state.cd_device = "x";
  load_settings(state, store);
  EXPECT_EQ(state.cd_device, "") << "libcdio's default drive";
  EXPECT_EQ(state.active_collection, "");
  EXPECT_EQ(state.player_random, 0);
  EXPECT_EQ(state.web_description, "");
  EXPECT_EQ(state.web_link, "");
  EXPECT_EQ(state.welcome, 1);
  EXPECT_TRUE(store.writes.empty());
}

TEST(Settings, ReadsTheStoredValues) {
  FakeSettingsStore store;
  store.set_option("active_collection", "Evening");
  store.set_option("player_random", "1");
  store.set_option("web_description", "My Radio");
  store.set_option("web_link", "http://radio.example/");
  store.set_option("welcome", "0");
  store.set_option("cd_device", "/home/anna/Discs/Live.cue");
  PlayerState state;
  load_settings(state, store);
  EXPECT_EQ(state.cd_device, "/home/anna/Discs/Live.cue");
  EXPECT_EQ(state.active_collection, "Evening");
  EXPECT_EQ(state.player_random, 1);
  EXPECT_EQ(state.web_description, "My Radio");
  EXPECT_EQ(state.web_link, "http://radio.example/");
  EXPECT_EQ(state.welcome, 0);
}

TEST(Settings, ReadsOnlyTheProgramsOwnSection) {
  FakeSettingsStore store;
  store.values[{"Another Program", "Options", "player_random"}] = "1";
  store.values[{kSettingsApp, "Other", "welcome"}] = "0";
  PlayerState state;
  load_settings(state, store);
  EXPECT_EQ(state.player_random, 0);
  EXPECT_EQ(state.welcome, 1);
}

TEST(Settings, ValueThatIsNoWholeNumberReadsAsTheDefault) {
  for (const char* text : {"abc", "12abc", "", "1.0", "yes", "99999999999"}) {
    FakeSettingsStore store;
    store.set_option("player_random", text);
    store.set_option("welcome", text);
    PlayerState state;
    load_settings(state, store);
    EXPECT_EQ(state.player_random, 0) << '"' << text << '"';
    EXPECT_EQ(state.welcome, 1) << '"' << text << '"';
  }
}

TEST(Settings, BlanksAroundANumberAreAllowed) {
  FakeSettingsStore store;
  store.set_option("player_random", " 1 ");
  store.set_option("welcome", "0\t");
  PlayerState state;
  load_settings(state, store);
  EXPECT_EQ(state.player_random, 1);
  EXPECT_EQ(state.welcome, 0);
}

TEST(Settings, SaveWritesTheFourKeysInOrderAsTextThenTheVolume) {
  FakeSettingsStore store;
  PlayerState state;
  state.active_collection = "New List";
  state.player_random = 1;
  state.web_description = "";
  state.web_link = "";
  state.welcome = 0;
  state.volume = 0.5;
  save_settings(state, store);
  EXPECT_EQ(store.writes, (std::vector<std::string>{"active_collection", "player_random",
                                                    "web_description", "web_link", "volume"}));
  EXPECT_EQ(store.option("volume"), "0.500");
  EXPECT_EQ(store.option("active_collection"), "New List");
  EXPECT_EQ(store.option("player_random"), "1");
  EXPECT_EQ(store.option("web_description"), "");  // written empty, not removed
  EXPECT_EQ(store.option("web_link"), "");
  EXPECT_EQ(store.option("welcome"), "<absent>");  // only the welcome window writes it
}

TEST(Settings, WelcomeIsWrittenOnItsOwn) {
  FakeSettingsStore store;
  PlayerState state;
  state.welcome = 0;
  save_welcome(state, store);
  EXPECT_EQ(store.writes, std::vector<std::string>{"welcome"});
  EXPECT_EQ(store.option("welcome"), "0");
}

TEST(Settings, RoundTripGivesTheSameOptions) {
  FakeSettingsStore store;
  PlayerState before;
  before.active_collection = "Rock \xc3\xa9t\xc3\xa9";
  before.player_random = 1;
  before.web_description = "Radio";
  before.web_link = "http://example.org/?a";
  before.welcome = 0;
  save_settings(before, store);
  save_welcome(before, store);
  PlayerState after;
  load_settings(after, store);
  EXPECT_EQ(after.active_collection, before.active_collection);
  EXPECT_EQ(after.player_random, 1);
  EXPECT_EQ(after.web_description, "Radio");
  EXPECT_EQ(after.web_link, "http://example.org/?a");
  EXPECT_EQ(after.welcome, 0);
}

TEST(Settings, NextRunKeepsTheOptionsButNotTheEndOfListAction) {
  FakeSettingsStore store;
  PlayerState run1;
  load_settings(run1, store);
  run1.player_random = 1;
  run1.active_collection = "Chosen";
  run1.list_done_action = 2;
  save_settings(run1, store);
  PlayerState run2;
  load_settings(run2, store);
  EXPECT_EQ(run2.player_random, 1);
  EXPECT_EQ(run2.active_collection, "Chosen");
  EXPECT_EQ(run2.list_done_action, 0);
}

TEST(Settings, VolumeIsReadBackAndAnythingButZeroToOneIsFull) {
  for (const auto& [text, want] : std::vector<std::pair<std::string, double>>{{"0.250", 0.25},
                                                                              {"0", 0.0},
                                                                              {"1.5", 1.0},
                                                                              {"-0.1", 1.0},
                                                                              {"loud", 1.0},
                                                                              {"0.5x", 1.0}}) {
    FakeSettingsStore store;
    store.save_setting(kSettingsApp, kSettingsSection, "volume", text);
    PlayerState state;
    load_settings(state, store);
    EXPECT_EQ(state.volume, want) << text;
  }
  FakeSettingsStore empty;
  PlayerState state;
  load_settings(state, empty);
  EXPECT_EQ(state.volume, 1.0) << "missing";
}

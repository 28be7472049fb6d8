// The options go through a real settings file in the test's own config folder.
#include "qt_base/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStandardPaths>

#include "store/settings.h"
#include "temp_dir.h"

TEST(QtSettingsStore, AbsentKeysGiveTheirDefaults) {
  QtSettingsStore store;
  EXPECT_EQ(store.get_setting("Davrin Test Absent", "Options", "welcome", "1"), "1");
  PlayerState state;
  state.welcome = 7;
  load_settings(state, store);  // the program's own store is empty in a fresh config folder
  EXPECT_EQ(state.active_collection, "");
  EXPECT_EQ(state.player_random, 0);
  EXPECT_EQ(state.welcome, 1);
}

TEST(QtSettingsStore, OptionsSurviveARoundTripThroughTheFile) {
  QtSettingsStore store;
  PlayerState out;
  out.active_collection = "Rock & Roll, \"live\"";
  out.player_random = 1;
  out.web_description = "Grüße ♪";
  out.web_link = "http://radio.example/a?b";
  save_settings(out, store);
  PlayerState in;
  load_settings(in, store);
  EXPECT_EQ(in.active_collection, out.active_collection);
  EXPECT_EQ(in.player_random, 1);
  EXPECT_EQ(in.web_description, out.web_description);
  EXPECT_EQ(in.web_link, out.web_link);

  const std::string file =
      std::string(getenv("XDG_CONFIG_HOME")) + "/Davrin Software/Davrin Audio Player.conf";
  const std::string text = read_file_bytes(file);
  EXPECT_NE(text.find("[Options]"), std::string::npos) << text;
  EXPECT_NE(text.find("player_random=1"), std::string::npos) << text;
}

TEST(QtSettingsStore, EmptyTextsAreWrittenNotRemoved) {
  QtSettingsStore store;
  store.save_setting("Davrin Test Empty", "Options", "web_link", "");
  EXPECT_EQ(store.get_setting("Davrin Test Empty", "Options", "web_link", "<default>"), "");
}

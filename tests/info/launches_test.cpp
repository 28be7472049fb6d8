// The launches hand the right target to the desktop, yield where the user
// interface must catch up, and show the right box when the desktop refuses.
#include "info/launches.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fake_launcher.h"
#include "fake_ui.h"

namespace {

const std::string kBrowserMessage =
    "Error Launching Your Default Browser!\r\rPlease make sure you have a DEFAULT browser "
    "selected and try again.";

struct Launch {
  const char* name;
  std::function<void(Launcher&, UiServices&, PlayerState&)> run;
  std::string target;
  int yields;
  std::string message;
  std::string title;
};

std::vector<Launch> all_launches() {
  return {
      {"audio settings",
       [](Launcher& l, UiServices& u, PlayerState&) { launch_audio_settings(l, u); },
       "<volume control>", 1, "Error Launching Audio Properties!", "Error!"},
      {"web link", [](Launcher& l, UiServices& u, PlayerState& s) { launch_web_link(l, u, s); },
       "http://radio.example.org/", 1, "Shell Execute Error. (No default browser?)",
       "Davrin Audio Player"},
      {"software downloads",
       [](Launcher& l, UiServices& u, PlayerState&) { launch_software_downloads(l, u); },
       "https://downloads.davrin-software.com/", 1, "Shell Execute Error. (No default browser?)",
       "Davrin Audio Player"},
      {"help", [](Launcher& l, UiServices& u, PlayerState& s) { launch_help(l, u, s); },
       "/opt/davrin/help.htm", 1, "Shell Execute Error. (No default browser?)",
       "Davrin Audio Player"},
      {"other products",
       [](Launcher& l, UiServices& u, PlayerState&) { launch_other_products(l, u); },
       "https://www.davrin-software.com/", 0, kBrowserMessage, "Error!"},
      {"product home", [](Launcher& l, UiServices& u, PlayerState&) { launch_product_home(l, u); },
       "https://www.davrin-software.com/audio-player/", 1,
       "Shell Execute Error. (No default browser?)", "Davrin Audio Player"},
      {"shell command",
       [](Launcher& l, UiServices& u, PlayerState&) {
         shell_command(l, u, "https://example.org/page");
       },
       "https://example.org/page", 0, kBrowserMessage, "Error!"},
  };
}

PlayerState state_with_link() {
  PlayerState state;
  state.web_description = "My Radio";
  state.web_link = "http://radio.example.org/";
  state.program_folder = "/opt/davrin/";
  return state;
}

}  // namespace

TEST(Launches, OpenTheirTargetAndSayNothingWhenTheDesktopTakesIt) {
  for (const Launch& launch : all_launches()) {
    SCOPED_TRACE(launch.name);
    FakeLauncher launcher;
    FakeUi ui;
    PlayerState state = state_with_link();
    launch.run(launcher, ui, state);
    ASSERT_EQ(launcher.opened.size(), 1u);
    EXPECT_EQ(launcher.opened[0], launch.target);
    EXPECT_EQ(ui.yields, launch.yields);
    EXPECT_TRUE(ui.boxes.empty());
  }
}

TEST(Launches, ShowTheirOwnMessageAndTitleWhenTheDesktopRefuses) {
  for (const Launch& launch : all_launches()) {
    SCOPED_TRACE(launch.name);
    FakeLauncher launcher;
    launcher.succeed = false;
    FakeUi ui;
    PlayerState state = state_with_link();
    launch.run(launcher, ui, state);
    EXPECT_EQ(ui.yields, launch.yields);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, launch.message);
    EXPECT_EQ(ui.boxes[0].title, launch.title);
    EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::None);
    EXPECT_EQ(launcher.opened.size(), 1u) << "nothing is retried";
  }
}

TEST(Launches, YieldAfterHandingOverAndBeforeTheMessage) {
  FakeLauncher launcher;
  launcher.succeed = false;
  FakeUi ui;
  size_t opened_at_yield = 99, boxes_at_yield = 99;
  ui.on_yield = [&] {
    opened_at_yield = launcher.opened.size();
    boxes_at_yield = ui.boxes.size();
  };
  launch_software_downloads(launcher, ui);
  EXPECT_EQ(opened_at_yield, 1u);
  EXPECT_EQ(boxes_at_yield, 0u);
  EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST(Launches, WebEntryWithADescriptionButNoLinkHandsOverTheEmptyLink) {
  FakeLauncher launcher;
  launcher.succeed = false;  // as the desktop answers for an empty target
  FakeUi ui;
  PlayerState state;
  state.web_description = "My Radio";
  launch_web_link(launcher, ui, state);
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(launcher.opened[0], "");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Shell Execute Error. (No default browser?)");
  EXPECT_EQ(ui.boxes[0].title, "Davrin Audio Player");
}

TEST(Launches, WebLinkWithoutSchemeIsHandedOverUnchanged) {
  FakeLauncher launcher;
  FakeUi ui;
  PlayerState state;
  state.web_link = "radio.example.org";
  launch_web_link(launcher, ui, state);
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(launcher.opened[0], "radio.example.org");
}

TEST(Launches, HelpPageLiesInTheProgramsFolder) {
  PlayerState state;
  state.program_folder = "/home/ann/Davrin Audio Player/";
  state.playlist_folder = "/home/ann/.local/share/elsewhere/";
  EXPECT_EQ(help_page_path(state), "/home/ann/Davrin Audio Player/help.htm");
}

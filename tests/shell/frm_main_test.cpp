// The hidden main window: menu, startup, Settings entry and exit, with fakes.
#include "shell/frm_main.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <chrono>
#include <thread>

#include "fake_launcher.h"
#include "fake_media_player.h"
#include "fake_settings_store.h"
#include "fake_ui.h"
#include "fake_zip_component.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

namespace {

struct MainFixture : ::testing::Test {
  TempDir dir;
  PlayerState state;
  FakeUi ui;
  FakeMediaPlayer player;
  FakeSettingsStore store;
  FakeZipComponent zip;
  FakeLauncher launcher;
  AppContext ctx{state, ui, player, store, zip, launcher};
  int settings_opened = 0;
  int welcome_opened = 0;
  std::string tooltip_while_settings_open = "<never>";
  std::unique_ptr<frm_main> main;

  void make(std::function<void()> in_settings = {}) {
    frm_main::Windows w;
    w.open_settings = [this, in_settings] {
      ++settings_opened;
      main->engine().tick();
      tooltip_while_settings_open = main->tray()->tool_tip().toStdString();
      if (in_settings) in_settings();
    };
    w.open_welcome = [this] { ++welcome_opened; };
    main = std::make_unique<frm_main>(ctx, w);
  }
  void write_list(const std::string& name, const std::vector<std::string>& paths) {
    dir.write(name + ".cap", format_play_list(paths));
  }
  // A start with the play list Rock of three tracks active.
  void start_rock() {
    store.set_option("welcome", "0");
    store.set_option("active_collection", "Rock");
    write_list("Rock", {"/m/1.mp3", "/m/2.mp3", "/m/3.mp3"});
    make();
    main->init_program(dir.folder(), dir.folder());
    main->activate();
  }
};

std::vector<std::string> captions(QMenu* menu) {
  std::vector<std::string> out;
  for (QAction* a : menu->actions())
    out.push_back(a->isSeparator() ? "-" : a->text().toStdString());
  return out;
}

}  // namespace

TEST_F(MainFixture, MenuHasTheTwentyEntriesInOrder) {
  make();
  const std::vector<std::string> expected = {"Settings",
                                             "-",
                                             "Start Music",
                                             "Stop Music",
                                             "-",
                                             "Next Track",
                                             "Previous Track",
                                             "Random Track",
                                             "Repeat Current Track",
                                             "-",
                                             "Next Play List",
                                             "Previous Play List",
                                             "Random Play List",
                                             "-",
                                             "Audio Settings",
                                             "-",
                                             "Audio Web Site",
                                             "Software Downloads",
                                             "-",
                                             "Exit Davrin Audio Player"};
  EXPECT_EQ(captions(main->menu()), expected);
  const char* names[] = {
      "settings",      "track",          "Startmusic",         "Stopmusic",    "empty1",
      "track_forward", "track_backward", "track_random",       "repeat_track", "playlist",
      "list_forward",  "list_backward",  "list_random",        "line1",        "audio_settings",
      "line2",         "audio_web_site", "software_downloads", "line4",        "exit"};
  auto actions = main->menu()->actions();
  ASSERT_EQ(actions.size(), 20);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(actions[i]->objectName().toStdString(), names[i]);
  EXPECT_FALSE(main->entry("repeat_track")->isChecked());
  EXPECT_TRUE(main->entry("Startmusic")->isEnabled());
  EXPECT_TRUE(main->entry("Stopmusic")->isEnabled());
}

TEST_F(MainFixture, InitProgramSetsFoldersOptionsAndTheWebEntry) {
  store.set_option("web_description", "Radio");
  store.set_option("player_random", "1");
  write_list("Rock", {"/m/a.mp3"});
  write_list("Jazz", {"/m/b.mp3"});
  make();
  std::string folder = dir.path().string();  // without the trailing '/'
  main->init_program(folder, folder);
  EXPECT_EQ(state.playlist_folder, dir.folder());
  EXPECT_EQ(state.picker_folder, dir.folder());
  EXPECT_EQ(state.editor_folder, dir.folder());
  EXPECT_EQ(state.program_folder, dir.folder());
  EXPECT_EQ(state.player_random, 1);
  EXPECT_EQ(state.list_count, 2);
  EXPECT_EQ(main->entry("audio_web_site")->text().toStdString(), "Radio");
  EXPECT_TRUE(main->entry("audio_web_site")->isEnabled());
  main->init_program(dir.folder(), dir.folder());
  EXPECT_EQ(state.playlist_folder, dir.folder());  // exactly one trailing '/'
}

TEST_F(MainFixture, WebEntryRuleFollowsTheDescription) {
  make();
  main->init_program(dir.folder(), dir.folder());
  EXPECT_EQ(main->entry("audio_web_site")->text().toStdString(), "Audio Web Link");
  EXPECT_FALSE(main->entry("audio_web_site")->isEnabled());
  // The settings window sets a description, and then clears it again.
  make([this] { state.web_description = "My Station"; });
  main->init_program(dir.folder(), dir.folder());
  main->on_settings();
  EXPECT_EQ(main->entry("audio_web_site")->text().toStdString(), "My Station");
  EXPECT_TRUE(main->entry("audio_web_site")->isEnabled());
  make([this] { state.web_description.clear(); });
  main->init_program(dir.folder(), dir.folder());
  main->on_settings();
  EXPECT_EQ(main->entry("audio_web_site")->text().toStdString(), "Audio Web Link");
  EXPECT_FALSE(main->entry("audio_web_site")->isEnabled());
}

TEST_F(MainFixture, FirstStartShowsWelcomeThenSettingsAndOnlyOnce) {
  make();
  main->init_program(dir.folder(), dir.folder());
  main->activate();
  EXPECT_EQ(welcome_opened, 1);
  EXPECT_EQ(settings_opened, 1);               // no active play list
  EXPECT_EQ(tooltip_while_settings_open, "");  // music is off while the window is open
  EXPECT_TRUE(ui.boxes.empty());               // the silent load of nothing shows nothing
  EXPECT_TRUE(main->timer()->isActive());
  EXPECT_EQ(state.music_stopped, 0);
  EXPECT_FALSE(main->entry("Startmusic")->isEnabled());
  EXPECT_TRUE(main->entry("Stopmusic")->isEnabled());
  main->activate();  // the tray menu brings the window forward again
  EXPECT_EQ(welcome_opened, 1);
  EXPECT_EQ(settings_opened, 1);
  main->engine().tick();
  EXPECT_EQ(main->tray()->tool_tip().toStdString(), " Click on SETTINGS to create a play list! ");
}

TEST_F(MainFixture, ActivePlayListLoadsSilentlyAndPlays) {
  store.set_option("welcome", "0");
  store.set_option("active_collection", "Rock");
  write_list("Rock", {"/music/one.mp3", "/music/two.mp3"});
  make();
  main->init_program(dir.folder(), dir.folder());
  main->activate();
  EXPECT_EQ(welcome_opened, 0);
  EXPECT_EQ(settings_opened, 0);
  EXPECT_EQ(state.track_count, 2);
  main->engine().tick();
  EXPECT_EQ(player.file_name, "/music/one.mp3");
  EXPECT_EQ(main->tray()->tool_tip().toStdString(), " Play List: Rock  Track: (1/2) one.mp3 ");
}

// A stopped player does not wake up: the tick that blanks the tooltip also
// stops the timer, and Start Music starts it again for the requests left.
TEST_F(MainFixture, TimerRestsWhileTheMusicIsOff) {
  start_rock();
  main->engine().tick();
  EXPECT_EQ(player.file_name, "/m/1.mp3");

  main->entry("Stopmusic")->trigger();
  EXPECT_TRUE(main->timer()->isActive()) << "the tooltip is blanked by the next tick";
  main->engine().tick();
  EXPECT_EQ(main->tray()->tool_tip().toStdString(), "");
  EXPECT_FALSE(main->timer()->isActive());
  main->entry("track_forward")->trigger();
  EXPECT_FALSE(main->timer()->isActive());

  main->entry("Startmusic")->trigger();
  EXPECT_TRUE(main->timer()->isActive());
  main->engine().tick();  // onward, Next Track, back to the stopped track
  EXPECT_EQ(player.started.back(), "/m/2.mp3");
  EXPECT_EQ(state.req_track_forward + state.req_track_backward, 0);
  EXPECT_TRUE(main->timer()->isActive());
}

// The end of a track, told on the player's own thread, and the menu's
// requests are serviced in the next turn of the event loop, not by Timer1.
TEST_F(MainFixture, TheEndOfATrackAndRequestsAreServicedInTheNextTurn) {
  start_rock();
  QCoreApplication::processEvents();
  EXPECT_EQ(player.started, std::vector<std::string>{"/m/1.mp3"});

  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // Timer1 has run on
  std::thread audio([this] { player.end_with_notice(); });
  audio.join();
  EXPECT_EQ(player.started.size(), 1u) << "run on the player's thread";
  QCoreApplication::processEvents();
  EXPECT_EQ(player.started.back(), "/m/2.mp3");
  EXPECT_GT(main->timer()->remainingTime(), 900) << "Timer1 waits a whole second again";

  main->entry("track_forward")->trigger();
  main->entry("track_backward")->trigger();
  EXPECT_EQ(player.started.size(), 2u) << "serviced inside the menu's handler";
  QCoreApplication::processEvents();
  EXPECT_EQ(player.started,
            (std::vector<std::string>{"/m/1.mp3", "/m/2.mp3", "/m/3.mp3", "/m/2.mp3"}));
}

TEST_F(MainFixture, MissingActivePlayListFailsSilentlyAndOpensSettings) {
  store.set_option("welcome", "0");
  store.set_option("active_collection", "Gone");
  make();
  main->init_program(dir.folder(), dir.folder());
  main->activate();
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(state.active_collection, "");
  EXPECT_EQ(settings_opened, 1);
}

TEST_F(MainFixture, ExitSavesTheOptionsEvenWhenTheStopFails) {
  store.set_option("welcome", "0");
  make();
  main->init_program(dir.folder(), dir.folder());
  state.active_collection = "Jazz";
  state.player_random = 1;
  state.web_description = "";
  state.web_link = "http://x";
  state.list_done_action = 2;
  player.fail_stop = true;
  bool ended = false;
  QObject::connect(main.get(), &frm_main::exit_requested, [&] { ended = true; });
  main->entry("exit")->trigger();
  EXPECT_TRUE(ended);
  EXPECT_EQ(state.music_stopped, 1);
  EXPECT_FALSE(main->timer()->isActive());
  EXPECT_EQ(store.writes, (std::vector<std::string>{"active_collection", "player_random",
                                                    "web_description", "web_link", "volume"}));
  EXPECT_EQ(store.option("active_collection"), "Jazz");
  EXPECT_EQ(store.option("player_random"), "1");
  EXPECT_EQ(store.option("web_description"), "");  // written empty, not removed
  EXPECT_EQ(store.option("web_link"), "http://x");
}

TEST_F(MainFixture, MenuEntriesReachTheEngineAndTheLaunches) {
  store.set_option("welcome", "0");
  store.set_option("web_description", "Radio");
  make();
  main->init_program(dir.folder(), dir.folder());
  main->entry("track_forward")->trigger();
  main->entry("list_random")->trigger();
  EXPECT_EQ(state.req_track_forward, 1);
  EXPECT_EQ(state.req_list_random, 1);
  main->entry("repeat_track")->trigger();
  EXPECT_EQ(state.repeat_track_on, 1);
  EXPECT_TRUE(main->entry("repeat_track")->isChecked());
  main->entry("repeat_track")->trigger();
  EXPECT_EQ(state.repeat_track_on, 0);
  EXPECT_FALSE(main->entry("repeat_track")->isChecked());
  main->entry("Stopmusic")->trigger();
  EXPECT_EQ(state.music_stopped, 1);
  EXPECT_EQ(state.req_track_backward, 1);
  EXPECT_TRUE(main->entry("Startmusic")->isEnabled());
  EXPECT_FALSE(main->entry("Stopmusic")->isEnabled());
  main->entry("Startmusic")->trigger();
  EXPECT_EQ(state.music_stopped, 0);
  state.web_link = "https://radio.example/";
  main->entry("audio_web_site")->trigger();
  main->entry("software_downloads")->trigger();
  main->entry("audio_settings")->trigger();
  ASSERT_EQ(launcher.opened.size(), 3u);
  EXPECT_EQ(launcher.opened[0], "https://radio.example/");
  EXPECT_EQ(launcher.opened[2], "<volume control>");
}

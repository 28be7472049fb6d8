#pragma once
// The program as main builds it, on fakes: the hidden main window with its
// menu and engine, the menu commands and the media-player service. Ticks are
// driven by hand.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <map>
#include <memory>

#include "fake_launcher.h"
#include "fake_media_player.h"
#include "fake_settings_store.h"
#include "fake_ui.h"
#include "fake_zip_component.h"
#include "mpris/menu_commands.h"
#include "mpris/mpris_names.h"
#include "mpris/mpris_service.h"
#include "shell/frm_main.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

// A player whose files carry tags where a test gives them.
struct TaggedPlayer : FakeMediaPlayer {
  TrackInfo track_info() override {
    auto it = tags.find(file_name);
    return it == tags.end() ? TrackInfo{} : it->second;
  }
  int64_t position_us() override { return playing ? position : -1; }
  bool seek_us(int64_t us) override {
    if (!FakeMediaPlayer::seek_us(us)) return false;
    position = us;
    return true;
  }

  std::map<std::string, TrackInfo> tags;
  int64_t position = -1;
};

struct MprisRig {
  TempDir dir;
  PlayerState state;
  FakeUi ui;
  TaggedPlayer player;
  FakeSettingsStore store;
  FakeZipComponent zip;
  FakeLauncher launcher;
  AppContext ctx{state, ui, player, store, zip, launcher};
  int settings_opened = 0;
  std::function<void()> in_settings;  // what the user does in the settings window
  std::unique_ptr<frm_main> main;
  std::unique_ptr<MenuCommands> commands;
  std::unique_ptr<MprisService> service;
  std::string track1, track2, track3;

  // Starts the program on the play list "Tones" of three files; the first plays.
  bool start() {
    track1 = dir.folder() + "tone440.wav";
    track2 = dir.folder() + "tone 660.wav";
    track3 = dir.folder() + "tone990.wav";
    dir.write("Tones.cap", format_play_list({track1, track2, track3}));
    store.set_option("welcome", "0");
    store.set_option("active_collection", "Tones");
    frm_main::Windows w;
    w.open_settings = [this] {
      ++settings_opened;
      if (in_settings) in_settings();
    };
    main = std::make_unique<frm_main>(ctx, w);
    main->init_program(dir.folder(), dir.folder());
    commands = std::make_unique<MenuCommands>(*main->menu());
    service = std::make_unique<MprisService>(state, player, main->engine(), *commands);
    const bool serving = service->start();
    main->activate();
    main->timer()->stop();
    main->engine().tick();
    return serving;
  }
  QAction* entry(const char* name) { return main->entry(name); }
};

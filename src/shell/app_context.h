#pragma once
// Everything a window of the program works with, created once by main and
// handed by reference to each window it opens.
#include "export/zip_component.h"
#include "info/launcher.h"
#include "player/media_player.h"
#include "player/player_state.h"
#include "shell/ui_services.h"
#include "store/settings_store.h"

struct AppContext {
  PlayerState& state;
  UiServices& ui;
  MediaPlayer& player;
  SettingsStore& store;
  ZipComponent& zip;
  Launcher& launcher;
};

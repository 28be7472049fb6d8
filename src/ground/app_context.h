#pragma once
// Everything a window of the program works with, created once by main and
// handed by reference to each window it opens.
#include "ground/launcher.h"
#include "ground/settings_store.h"
#include "ground/ui_services.h"
#include "ground/zip_component.h"

struct PlayerState;
class MediaPlayer;

struct AppContext {
  PlayerState& state;
  UiServices& ui;
  MediaPlayer& player;
  SettingsStore& store;
  ZipComponent& zip;
  Launcher& launcher;
};

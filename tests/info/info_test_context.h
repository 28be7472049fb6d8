#pragma once
// A window context built from the fakes, for the welcome and About windows.
#include "fake_launcher.h"
#include "fake_media_player.h"
#include "fake_settings_store.h"
#include "fake_ui.h"
#include "fake_zip_component.h"
#include "ground/app_context.h"
#include "model/player_state.h"

struct InfoTestContext {
  PlayerState state;
  FakeUi ui;
  FakeMediaPlayer player;
  FakeSettingsStore store;
  FakeZipComponent zip;
  FakeLauncher launcher;
  AppContext ctx{state, ui, player, store, zip, launcher};
};

#pragma once
// The options kept between runs in the settings store.
#include "ground/settings_store.h"
#include "model/player_state.h"

// Reads active_collection, player_random, web_description, web_link, welcome
// and cd_device, which no window changes and nothing writes.
void load_settings(PlayerState& state, SettingsStore& store);
// Writes active_collection, player_random, web_description and web_link.
void save_settings(const PlayerState& state, SettingsStore& store);
// Writes the welcome switch (the welcome window does so when it closes).
void save_welcome(const PlayerState& state, SettingsStore& store);

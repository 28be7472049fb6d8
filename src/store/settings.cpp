#include "store/settings.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "store/field_reader.h"

namespace {
std::string get_option(SettingsStore& store, const char* key, const std::string& default_value) {
  return store.get_setting(kSettingsApp, kSettingsSection, key, default_value);
}

void save_option(SettingsStore& store, const char* key, const std::string& value) {
  store.save_setting(kSettingsApp, kSettingsSection, key, value);
}

// A stored whole number; anything else (a hand-edited "yes", "12abc", an
// empty text) counts as the key's default. Surrounding blanks are allowed.
int32_t get_whole_number(SettingsStore& store, const char* key, int32_t default_value) {
  const std::string text = get_option(store, key, std::to_string(default_value));
  std::string_view view = text;
  while (!view.empty() && (view.front() == ' ' || view.front() == '\t')) view.remove_prefix(1);
  return parse_whole_number(view).value_or(default_value);
}
// A stored loudness from 0 to 1; anything else counts as full.
double get_volume(SettingsStore& store) {
  const std::string text = get_option(store, "volume", "1");
  try {
    size_t used = 0;
    const double v = std::stod(text, &used);
    if (used == text.size() && v >= 0.0 && v <= 1.0) return v;
  } catch (...) {
    // Not a number: full loudness.
  }
  return 1.0;
}
}  // namespace

void load_settings(PlayerState& state, SettingsStore& store) {
  state.active_collection = get_option(store, "active_collection", "");
  state.player_random = get_whole_number(store, "player_random", 0);
  state.web_description = get_option(store, "web_description", "");
  state.web_link = get_option(store, "web_link", "");
  state.welcome = get_whole_number(store, "welcome", 1);
  state.cd_device = get_option(store, "cd_device", "");
  state.volume = get_volume(store);
}

void save_settings(const PlayerState& state, SettingsStore& store) {
  save_option(store, "active_collection", state.active_collection);
  save_option(store, "player_random", std::to_string(state.player_random));
  save_option(store, "web_description", state.web_description);
  save_option(store, "web_link", state.web_link);
  char volume[16];
  std::snprintf(volume, sizeof volume, "%.3f", state.volume);
  save_option(store, "volume", volume);
}

void save_welcome(const PlayerState& state, SettingsStore& store) {
  save_option(store, "welcome", std::to_string(state.welcome));
}

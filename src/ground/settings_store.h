#pragma once
// The per-user settings store: text values addressed by application,
// section and key.
#include <string>

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string get_setting(const std::string& app, const std::string& section,
                                  const std::string& key, const std::string& default_value) = 0;
  virtual void save_setting(const std::string& app, const std::string& section,
                            const std::string& key, const std::string& value) = 0;
};

inline constexpr const char* kSettingsApp = "Davrin Audio Player";
inline constexpr const char* kSettingsSection = "Options";

#pragma once
// The per-user settings store over QSettings: one file per application name
// in the user's configuration folder, sections as groups.
#include "ground/settings_store.h"

class QtSettingsStore : public SettingsStore {
 public:
  std::string get_setting(const std::string& app, const std::string& section,
                          const std::string& key, const std::string& default_value) override;
  void save_setting(const std::string& app, const std::string& section, const std::string& key,
                    const std::string& value) override;
};

inline constexpr const char* kOrganization = "Davrin Software";

#pragma once
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "ground/settings_store.h"

class FakeSettingsStore : public SettingsStore {
 public:
  std::string get_setting(const std::string& app, const std::string& section,
                          const std::string& key, const std::string& default_value) override {
    auto it = values.find({app, section, key});
    return it == values.end() ? default_value : it->second;
  }
  void save_setting(const std::string& app, const std::string& section, const std::string& key,
                    const std::string& value) override {
    values[{app, section, key}] = value;
    writes.push_back(key);
  }
  // Shortcut for the program's own section.
  std::string option(const std::string& key) const {
    auto it = values.find({kSettingsApp, kSettingsSection, key});
    return it == values.end() ? std::string("<absent>") : it->second;
  }
  void set_option(const std::string& key, const std::string& value) {
    values[{kSettingsApp, kSettingsSection, key}] = value;
  }

  std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
  std::vector<std::string> writes;  // keys in the order written
};

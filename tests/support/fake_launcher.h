#pragma once
#include <string>
#include <vector>

#include "ground/launcher.h"

class FakeLauncher : public Launcher {
 public:
  bool open(const std::string& target) override {
    opened.push_back(target);
    return succeed;
  }
  bool open_volume_control() override {
    opened.push_back("<volume control>");
    return succeed;
  }
  std::vector<std::string> opened;
  bool succeed = true;
};

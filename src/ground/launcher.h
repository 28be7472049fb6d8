#pragma once
// Hands a target to the desktop to be opened with its default action.
#include <string>

class Launcher {
 public:
  virtual ~Launcher() = default;
  // A web address or a local file; answers whether the desktop took it.
  virtual bool open(const std::string& target) = 0;
  // The desktop's volume control (mixer program).
  virtual bool open_volume_control() = 0;
};

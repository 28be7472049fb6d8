#pragma once
// The volume controls worth trying for Audio Settings, best first: the sound
// panel or mixer of the desktop in use (as XDG_CURRENT_DESKTOP names it, a
// colon-separated list), then the common mixers of any desktop.
#include <string>
#include <vector>

struct VolumeControl {
  std::string program;
  std::vector<std::string> arguments;

  bool operator==(const VolumeControl&) const = default;
};

std::vector<VolumeControl> volume_controls_for(const std::string& current_desktop);

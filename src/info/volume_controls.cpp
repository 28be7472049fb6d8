#include "info/volume_controls.h"

#include <algorithm>
#include <string_view>

namespace {
struct Desktop {
  std::vector<std::string_view> names;  // as XDG_CURRENT_DESKTOP spells them
  std::vector<VolumeControl> controls;
};

const VolumeControl kPavucontrol{"pavucontrol", {}};
const VolumeControl kPavucontrolQt{"pavucontrol-qt", {}};
const VolumeControl kGnomeSound{"gnome-control-center", {"sound"}};

const Desktop kDesktops[] = {
    {{"GNOME", "GNOME-Classic", "GNOME-Flashback", "Unity", "ubuntu", "Pop"}, {kGnomeSound}},
    {{"Budgie"}, {{"budgie-control-center", {"sound"}}, kGnomeSound}},
    {{"X-Cinnamon", "Cinnamon"}, {{"cinnamon-settings", {"sound"}}, kGnomeSound}},
    {{"KDE"}, {{"kcmshell6", {"kcm_pulseaudio"}}, {"kcmshell5", {"kcm_pulseaudio"}}}},
    {{"XFCE"}, {{"xfce4-mixer", {}}, kPavucontrol, kPavucontrolQt}},
    {{"MATE"}, {{"mate-volume-control", {}}, kPavucontrol, kPavucontrolQt}},
    {{"LXQt"}, {kPavucontrolQt, kPavucontrol}},
};

// Any other desktop, and after the desktop's own: the first of these found on PATH.
const std::vector<VolumeControl> kAnyDesktop = {
    kPavucontrol,        kPavucontrolQt, {"mate-volume-control", {}},
    {"xfce4-mixer", {}}, {"kmix", {}},   {"qasmixer", {}}};

bool same_name(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

const Desktop* desktop_named(std::string_view name) {
  for (const Desktop& d : kDesktops) {
    for (std::string_view n : d.names) {
      if (same_name(n, name)) return &d;
    }
  }
  return nullptr;
}

void add_all(std::vector<VolumeControl>& out, const std::vector<VolumeControl>& controls) {
  for (const VolumeControl& c : controls) {
    if (std::find(out.begin(), out.end(), c) == out.end()) out.push_back(c);
  }
}
}  // namespace

std::vector<VolumeControl> volume_controls_for(const std::string& current_desktop) {
  std::vector<VolumeControl> out;
  std::string_view rest = current_desktop;
  while (!rest.empty()) {
    const size_t colon = rest.find(':');
    const std::string_view name = rest.substr(0, colon);
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    if (const Desktop* d = desktop_named(name)) add_all(out, d->controls);
  }
  add_all(out, kAnyDesktop);
  return out;
}

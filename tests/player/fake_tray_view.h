#pragma once
// Records what the playback engine shows on the tray.
#include <string>
#include <vector>

#include "player/tray_view.h"

class FakeTrayView : public TrayView {
 public:
  void set_tooltip(const std::string& text) override { tooltips.push_back(text); }
  void set_music_entries(bool start_enabled, bool stop_enabled) override {
    start_entry_enabled = start_enabled;
    stop_entry_enabled = stop_enabled;
  }
  void set_repeat_checked(bool checked) override { repeat_checked = checked; }

  const std::string& tooltip() const { return tooltips.back(); }

  std::vector<std::string> tooltips;  // one per tick that did its work
  // As at design time: both music entries enabled, no check mark.
  bool start_entry_enabled = true;
  bool stop_entry_enabled = true;
  bool repeat_checked = false;
};

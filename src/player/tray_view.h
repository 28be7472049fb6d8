#pragma once
// What the playback engine shows on the tray: the tooltip and the states of
// the Start Music, Stop Music and Repeat Current Track entries.
#include <string>

class TrayView {
 public:
  virtual ~TrayView() = default;
  virtual void set_tooltip(const std::string& text) = 0;
  virtual void set_music_entries(bool start_enabled, bool stop_enabled) = 0;
  virtual void set_repeat_checked(bool checked) = 0;
};

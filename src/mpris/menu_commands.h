#pragma once
// The tray menu's entries as commands for the desktop's media controls, so
// that a media key does exactly what choosing the entry does.
#include <QString>

class QAction;
class QMenu;

class MenuCommands {
 public:
  explicit MenuCommands(QMenu& menu) : menu_(menu) {}

  void next_track();      // Next Track
  void previous_track();  // Previous Track
  void start_music();     // Start Music, where the entry is enabled
  void stop_music();      // Stop Music, where the entry is enabled
  void play_pause();      // whichever of the two is enabled
  void set_repeat(bool on);
  bool repeat_checked() const;
  // The desktop's shuffle button is the settings window's play order: while
  // that window is open its Play List Order buttons move with it, so that the
  // window shows the order the player uses.
  void show_play_order(bool random);
  // Both run once the caller has returned (a D-Bus caller waits for its
  // answer): Settings runs modally and Exit ends the program.
  // Brings an open modal window of the program to the front, or else opens
  // the settings window as the Settings entry does.
  void raise();
  void quit();  // Exit

 private:
  QAction* entry(const char* name) const;
  void trigger(const char* name) const;

  QMenu& menu_;
};

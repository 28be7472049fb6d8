#pragma once
// Start at login: the desktop's autostart entry for this program,
// $XDG_CONFIG_HOME/autostart/davrin-audio-player.desktop.
#include <QString>

// Where the entry lies.
QString autostart_entry_path();
// Writes the entry that starts the executable at exe_path; false when it cannot.
bool write_autostart_entry(const QString& exe_path);
// Removes the entry; true also when there was none.
bool remove_autostart_entry();
// The Exec value that starts exe_path, quoted as desktop entries want it.
QString desktop_exec_value(const QString& exe_path);

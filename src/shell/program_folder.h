#pragma once
// Where the program finds its help page and keeps its play lists: its own
// folder, or for an installed copy (bin/ beside share/) the shared data folder
// for the help page and the per-user data folder for the play lists.
#include <string>

// The folder of the running executable, ending in '/'.
std::string executable_folder();
// True when the help page lies not beside the executable but in its installed
// place, ../share/davrin-audio-player/.
bool is_installed_copy(const std::string& exe_folder);
// The folder that holds the help page, ending in '/'.
std::string help_folder(const std::string& exe_folder);
// The play-list folder for an executable in exe_folder, ending in '/'.
std::string choose_playlist_folder(const std::string& exe_folder);
// Appends '/' unless the folder already ends in one.
std::string with_trailing_separator(std::string folder);

#pragma once
// Where the program keeps its play lists: its own folder, or the per-user data
// folder where the user cannot write beside the program (an installed copy).
#include <string>

// The folder of the running executable, ending in '/'.
std::string executable_folder();
// The play-list folder for an executable in exe_folder, ending in '/'.
std::string choose_playlist_folder(const std::string& exe_folder);
// Appends '/' unless the folder already ends in one.
std::string with_trailing_separator(std::string folder);

#pragma once
// Play-list files (.cap) in the play-list folder and the routines around them.
#include <string>
#include <vector>

#include "ground/ui_services.h"
#include "model/player_state.h"
#include "store/list_box.h"

inline constexpr const char* kLoadErrorText = "Error loading playlist data!";
inline constexpr const char* kSaveErrorText = "Error saving playlist data!";

// Header lines written at the top of every play-list file.
inline constexpr const char* kPlayListProduct = "Davrin Audio Player";
inline constexpr const char* kPlayListMaker = "Davrin Software";
inline constexpr const char* kPlayListHomePage = "https://www.davrin-software.com/audio-player/";

// Fills list_names/list_count and the box with the play lists of the folder,
// in name order, and keeps current_list_index on current_list_name.
void list_play_lists(PlayerState& state, UiServices& ui, ListBox& box);

// Sets current_list_index to the position of current_list_name in list_names
// (0 when it is not listed), so that Next and Previous Play List and the end
// of a pass move on from the play list that plays. A position that already
// names that list is kept.
void align_list_index(PlayerState& state);

// Reads playlist_folder + name + ".cap" into the track table and builds a new
// play order; name becomes current_list_name, with its position. On failure track_count is 0,
// active_collection empty, and the error box is shown unless silent. Answers whether the load
// succeeded.
bool load_play_list(PlayerState& state, UiServices& ui, std::string name, bool silent);

// Writes the paths (track 1 first, no empty entry in front) as play list
// `title`, replacing an existing file only when the new one is complete. On
// failure (also: an empty title, a title holding '/', a read-only play list)
// shows the error box, leaves the old file as it was and answers false. On
// success active_collection becomes title.
bool save_list(PlayerState& state, UiServices& ui, const std::string& title,
               const std::vector<std::string>& paths);

// True when a file exists at path and is longer than 1 byte.
bool file_exists(const std::string& path);

// The text after the last '/' or '\' of path.
std::string file_title_of(const std::string& path);

// The bytes of a play-list file holding these paths, exactly as written.
std::string format_play_list(const std::vector<std::string>& paths);

// The file of play list `name`: folder + name + ".cap", or the file of that
// name whose extension differs only in letter case (a listed "x.CAP") when
// only that one exists. Loading and saving use it, so a listed play list
// loads, and saving replaces it rather than adding a second "x".
std::string play_list_path(const std::string& folder, const std::string& name);

#pragma once
// The program-wide variables that every part of the program reads and writes.
// Arrays are used from position 1; position 0 always exists and stays empty.
#include <cstdint>
#include <string>
#include <vector>

#include "model/random_draw.h"

struct PlayerState {
  // Loaded play list.
  std::vector<std::string> track_list{std::string()};
  int32_t track_count = 0;
  std::vector<int32_t> play_order{0};
  int32_t current_track = 0;
  std::string current_list_name;
  std::string active_collection;

  // Play lists found in the play-list folder.
  std::vector<std::string> list_names{std::string()};
  int32_t list_count = 0;
  int32_t current_list_index = 0;

  // Options.
  int32_t player_random = 0;
  int32_t list_done_action = 0;
  int32_t repeat_track_on = 0;
  int32_t music_stopped = 0;
  std::string cd_device;  // the CD drive, a device or an image; "" for the default drive
  double volume = 1.0;    // the music's own loudness, 0 .. 1, as the media controls set it

  // Navigation requests raised by the tray menu, serviced by a tick right after.
  int32_t req_track_forward = 0;
  int32_t req_track_backward = 0;
  int32_t req_track_random = 0;
  int32_t req_list_forward = 0;
  int32_t req_list_backward = 0;
  int32_t req_list_random = 0;

  // Persisted texts and the welcome switch.
  std::string web_description;
  std::string web_link;
  int32_t welcome = 1;

  // Folders, each ending in the platform's separator.
  std::string playlist_folder;
  std::string picker_folder;
  std::string editor_folder;
  std::string program_folder;  // the executable's folder: the help page lies there

  // Hand-over between the windows.
  int32_t changes_made = 0;   // the open editor holds unsaved changes
  std::string picked_folder;  // folder picker: title in, chosen folder out
  std::string build_folder;   // export staging folder

  // The shared generator behind every random choice of the player.
  RandomDraw random;
};

#include "player/media_player.h"

#include "ground/ui_services.h"

// A player that throws is treated like one that answered false: failures of
// the player never reach the caller.

void stop_player(MediaPlayer& player, UiServices& ui) {
  bool stopped = false;
  try {
    stopped = player.stop();
  } catch (...) {
    stopped = false;
  }
  if (!stopped) return;
  ui.yield();
}

void play_file(MediaPlayer& player, UiServices& ui, const std::string& path) {
  stop_player(player, ui);
  try {
    if (!player.set_file_name(path)) return;
    player.play();
  } catch (...) {
    // A file that cannot be played simply never reaches the playing state.
  }
}

bool is_playing(MediaPlayer& player) {
  try {
    return player.play_state() == MediaPlayer::kPlaying;
  } catch (...) {
    return false;
  }
}

void rest_player(MediaPlayer& player) {
  try {
    player.rest();
  } catch (...) {
    // A player that cannot rest simply keeps its device.
  }
}

void queue_file(MediaPlayer& player, const std::string& path) {
  try {
    player.queue_next(path);
  } catch (...) {
    // The track then ends by itself and the tick starts the next one.
  }
}

bool moved_on(MediaPlayer& player) {
  try {
    return player.take_moved_on();
  } catch (...) {
    return false;
  }
}

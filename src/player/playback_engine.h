#pragma once
// The once-a-second tick that moves playback forward, and the tray commands
// that drive it. Menu commands only raise requests; the tick services them.
#include "player/media_player.h"
#include "player/player_state.h"
#include "player/tray_view.h"
#include "shell/ui_services.h"

class PlaybackEngine {
 public:
  PlaybackEngine(PlayerState& state, UiServices& ui, MediaPlayer& player, TrayView& tray);

  // One tick of the playback timer.
  void tick();
  // Plays the path of position current_track.
  void play_track();

  void start_music();
  void stop_music();
  void pause_player();

  // Tray menu entries.
  void on_start_music();
  void on_stop_music();  // stops and leaves a backward request, so Start resumes the track
  void on_track_forward();
  void on_track_backward();
  void on_track_random();
  void on_repeat_track();
  void on_list_forward();
  void on_list_backward();
  void on_list_random();

  bool tick_busy() const { return tick_busy_ != 0; }
  const std::string& status_text() const { return status_text_; }

 private:
  PlayerState& state_;
  UiServices& ui_;
  MediaPlayer& player_;
  TrayView& tray_;
  int tick_busy_ = 0;
  std::string status_text_;
};

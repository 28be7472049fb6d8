#pragma once
// The once-a-second tick that moves playback forward, and the tray commands
// that drive it. Menu commands only raise requests; the tick services them,
// at once: each request, and the end of a track, brings a tick of its own.
#include <cstdint>
#include <string>
#include <vector>

#include "ground/ui_services.h"
#include "model/player_state.h"
#include "player/media_player.h"
#include "player/playback_listener.h"
#include "player/tick_timer.h"
#include "player/tray_view.h"

class PlaybackEngine {
 public:
  // With a timer, the engine switches it off once a tick has found the music
  // off (and blanked the tooltip), and on again when the music starts; and it
  // asks the timer for the ticks that requests and play-list steps want at once.
  PlaybackEngine(PlayerState& state, UiServices& ui, MediaPlayer& player, TrayView& tray,
                 TickTimer* timer = nullptr);

  // One tick of the playback timer; nothing while another tick runs.
  void tick();
  // A tick now, or, when this runs inside a yield of a running tick, one
  // right after that tick. For the end of a track and for requests.
  void tick_at_once();
  // Plays the path of position current_track, and queues the one to follow.
  void play_track();
  // Queues again the file that follows the playing one if it ends by itself,
  // after a change of what follows (Repeat Current Track, the play order).
  void queue_following();

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
  // Optional; nullptr for none.
  void set_listener(PlaybackListener* listener) { listener_ = listener; }
  const std::string& status_text() const { return status_text_; }

  // The path of position p of the loaded play list through the play order
  // when player_random is 1; "" for a position without a track.
  std::string path_of_position(int32_t p) const;

 private:
  enum class ListMove { Forward, Backward, Random };

  // The tick's steps; each answers false when the music was stopped while it
  // yielded, and the rest of the tick is then skipped.
  bool end_of_track();
  bool service_track_request(int32_t& flag, int32_t (PlaybackEngine::*next_position)());
  bool service_list_request(int32_t& flag, ListMove move);
  int32_t position_after();
  int32_t position_before();
  int32_t random_position();
  void end_of_pass();
  void change_play_list(int32_t index);
  std::string make_status_text() const;
  std::string following_path();
  // The player went on to the queued file: it plays the current position.
  void adopt_track();

  // Stops, names the file and starts it, unless the music is stopped meanwhile.
  void play_path(const std::string& path);
  bool stopped_since(uint64_t serial) const;
  void tell_changed();
  // Raises a request and has it serviced by a tick right after this command.
  void request(int32_t& flag);
  void tick_soon();

  PlayerState& state_;
  UiServices& ui_;
  MediaPlayer& player_;
  TrayView& tray_;
  TickTimer* timer_;
  PlaybackListener* listener_ = nullptr;
  int tick_busy_ = 0;
  bool tick_again_ = false;  // a tick is due as soon as the running one ends
  std::string status_text_;
  // Counts the stops of the music, so that a tick resuming from a yield sees
  // that the music was stopped (even if started again) beneath it.
  uint64_t stop_serial_ = 0;
  uint64_t tick_serial_ = 0;  // stop_serial_ when the running tick began
  // The shuffle of the next pass, drawn when its first track was queued, for
  // the play list of that name and length.
  std::vector<int32_t> next_order_;
  std::string next_order_list_;
  int32_t next_order_tracks_ = -1;
};

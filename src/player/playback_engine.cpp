#include "player/playback_engine.h"

#include <utility>

#include "model/play_order.h"
#include "player/tooltip.h"
#include "store/play_list_files.h"

PlaybackEngine::PlaybackEngine(PlayerState& state, UiServices& ui, MediaPlayer& player,
                               TrayView& tray, TickTimer* timer)
    : state_(state), ui_(ui), player_(player), tray_(tray), timer_(timer) {}

void PlaybackEngine::tick() {
  // A tick arriving while another waits in a yield does nothing.
  if (tick_busy_ != 0) return;
  tick_busy_ = 1;
  if (state_.music_stopped != 0) {
    // Requests stay pending until the music is started again; a paused
    // track keeps its text.
    if (!paused_) status_text_.clear();
  } else {
    tick_serial_ = stop_serial_;
    // End of track first, so that a track a request has just started is not
    // taken for ended in the same tick; then the requests in their fixed order.
    // A stop of the music inside one of the steps' yields ends the chain.
    (void)(end_of_track() &&
           service_track_request(state_.req_track_forward, &PlaybackEngine::position_after) &&
           service_track_request(state_.req_track_backward, &PlaybackEngine::position_before) &&
           service_track_request(state_.req_track_random, &PlaybackEngine::random_position) &&
           service_list_request(state_.req_list_forward, ListMove::Forward) &&
           service_list_request(state_.req_list_backward, ListMove::Backward) &&
           service_list_request(state_.req_list_random, ListMove::Random));
    status_text_ = state_.music_stopped != 0 ? std::string() : make_status_text();
  }
  tray_.set_tooltip(kTooltipLimit == 0 ? status_text_
                                       : shorten_tooltip(status_text_, kTooltipLimit));
  tick_busy_ = 0;
  tell_changed();
  // The tooltip stays blank while the music is off; the requests wait for
  // start_music, which starts the timer again.
  if (state_.music_stopped != 0 && timer_ != nullptr) timer_->set_ticking(false);
  if (tick_again_) {
    tick_again_ = false;
    tick_soon();
  }
}

void PlaybackEngine::tick_at_once() {
  if (tick_busy_ != 0) {
    tick_again_ = true;
    return;
  }
  tick();
}

void PlaybackEngine::tick_soon() {
  // Requests raised while the music is off wait for start_music.
  if (timer_ != nullptr && state_.music_stopped == 0) timer_->tick_soon();
}

bool PlaybackEngine::end_of_track() {
  // A track that went on into the queued file is stepped to like one that
  // ended, but the player keeps playing.
  const bool went_on = moved_on(player_);
  if (state_.track_count <= 0 || (!went_on && is_playing(player_))) return true;
  if (state_.repeat_track_on == 0 && state_.current_track <= state_.track_count) {
    ++state_.current_track;
  }
  if (state_.current_track > state_.track_count) end_of_pass();
  // The load of a new play list may have shown its error box.
  if (stopped_since(tick_serial_)) return false;
  // What follows may have changed since it was queued (the play order, the
  // end-of-list action): then the position's own file starts instead.
  if (went_on && path_of_position(state_.current_track) == queued_) {
    adopt_track();
  } else {
    play_track();
  }
  return !stopped_since(tick_serial_);
}

void PlaybackEngine::end_of_pass() {
  // Every pass gets a fresh shuffle, whatever the play order option says;
  // the one drawn when the pass's first track was queued, if it fits.
  if (next_order_tracks_ == state_.track_count && next_order_list_ == state_.current_list_name) {
    state_.play_order.swap(next_order_);
  } else {
    build_play_order(state_.play_order, state_.track_count, state_.random);
  }
  next_order_tracks_ = -1;
  if (state_.list_count > 0) {
    if (state_.list_done_action == 1) {
      const int32_t i = state_.current_list_index;
      change_play_list(i >= 0 && i < state_.list_count ? i + 1 : 1);
    } else if (state_.list_done_action == 2) {
      change_play_list(state_.random.draw(state_.list_count));  // may pick the same list
    }
  }
  // Without another play list to go to, or for an unknown action, the play
  // list starts again.
  state_.current_track = 1;
}

void PlaybackEngine::queue_following() {
  if (state_.music_stopped != 0) return;
  queued_ = following_path();
  queue_file(player_, queued_);
}

std::string PlaybackEngine::following_path() {
  const int32_t p = state_.current_track;
  if (p < 1 || p > state_.track_count) return std::string();
  if (state_.repeat_track_on != 0) return path_of_position(p);
  if (p < state_.track_count) return path_of_position(p + 1);
  // Another play list starts with its first track once this one has ended.
  if (state_.list_count > 0 && (state_.list_done_action == 1 || state_.list_done_action == 2)) {
    return std::string();
  }
  // The list starts again: in the shuffle of its next pass, drawn now.
  if (next_order_tracks_ != state_.track_count || next_order_list_ != state_.current_list_name) {
    build_play_order(next_order_, state_.track_count, state_.random);
    next_order_tracks_ = state_.track_count;
    next_order_list_ = state_.current_list_name;
  }
  int32_t k = 1;
  if (state_.player_random == 1) {
    if (next_order_.size() < 2) return std::string();
    k = next_order_[1];
  }
  if (k < 1 || k > state_.track_count || static_cast<size_t>(k) >= state_.track_list.size()) {
    return std::string();
  }
  return state_.track_list[k];
}

void PlaybackEngine::adopt_track() {
  if (listener_ != nullptr) listener_->track_started(path_of_position(state_.current_track));
  queue_following();
}

bool PlaybackEngine::service_track_request(int32_t& flag,
                                           int32_t (PlaybackEngine::*next_position)()) {
  if (flag == 0) return true;
  // Taken before the yield: a click arriving meanwhile stays for the next tick.
  flag = 0;
  stop_player(player_, ui_);
  if (stopped_since(tick_serial_)) {
    flag = 1;  // serviced once the music is started again
    return false;
  }
  if (state_.track_count > 0) {
    state_.current_track = (this->*next_position)();
    play_track();
  }
  return !stopped_since(tick_serial_);
}

int32_t PlaybackEngine::position_after() {
  const int32_t p = state_.current_track;
  return p >= 0 && p < state_.track_count ? p + 1 : 1;
}

int32_t PlaybackEngine::position_before() {
  const int32_t p = state_.current_track;
  return p > 1 && p <= state_.track_count ? p - 1 : state_.track_count;
}

int32_t PlaybackEngine::random_position() {
  return state_.random.draw(state_.track_count);
}

bool PlaybackEngine::service_list_request(int32_t& flag, ListMove move) {
  if (flag == 0) return true;
  flag = 0;
  stop_player(player_, ui_);
  if (stopped_since(tick_serial_)) {
    flag = 1;
    return false;
  }
  if (state_.list_count > 0) {
    const int32_t i = state_.current_list_index;
    const int32_t n = state_.list_count;
    switch (move) {
      case ListMove::Forward:
        change_play_list(i >= 0 && i < n ? i + 1 : 1);
        break;
      case ListMove::Backward:
        change_play_list(i > 1 && i <= n ? i - 1 : n);
        break;
      case ListMove::Random:
        change_play_list(state_.random.draw(n));
        break;
    }
    // No track starts here: the next tick finds the player idle and starts
    // position 1; it follows right after this one.
    state_.current_track = 0;
    tick_again_ = true;
  }
  return !stopped_since(tick_serial_);
}

void PlaybackEngine::change_play_list(int32_t index) {
  state_.current_list_index = index;
  const bool known = index >= 1 && static_cast<size_t>(index) < state_.list_names.size();
  state_.current_list_name = known ? state_.list_names[index] : std::string();
  load_play_list(state_, ui_, state_.current_list_name, false);
}

std::string PlaybackEngine::path_of_position(int32_t p) const {
  // After a failed load the tables may hold more than track_count entries, or
  // fewer than current_track: only positions 1..track_count that exist count.
  if (p < 1 || p > state_.track_count) return std::string();
  int32_t k = p;
  if (state_.player_random == 1) {
    if (static_cast<size_t>(p) >= state_.play_order.size()) return std::string();
    k = state_.play_order[p];
    if (k < 1 || k > state_.track_count) return std::string();
  }
  if (static_cast<size_t>(k) >= state_.track_list.size()) return std::string();
  return state_.track_list[k];
}

std::string PlaybackEngine::make_status_text() const {
  if (!state_.current_list_name.empty() && state_.current_track > 0) {
    return track_status_text(state_.current_list_name, state_.current_track, state_.track_count,
                             file_title_of(path_of_position(state_.current_track)));
  }
  return kSettingsHint;
}

void PlaybackEngine::play_track() {
  play_path(path_of_position(state_.current_track));
}

void PlaybackEngine::play_path(const std::string& path) {
  // The steps of play_file, with a look after its yield: a Stop Music chosen
  // there, or earlier in the running tick, must not be followed by a track
  // starting.
  const uint64_t serial = tick_busy_ != 0 ? tick_serial_ : stop_serial_;
  const bool music_on = tick_busy_ != 0 || state_.music_stopped == 0;
  stop_player(player_, ui_);
  if (stop_serial_ != serial || (music_on && state_.music_stopped != 0)) return;
  try {
    if (!player_.set_file_name(path)) return;
    // Queued before the start, so that even a track shorter than the
    // output's buffer has its follower in time.
    queue_following();
    player_.play();
    if (listener_ != nullptr) listener_->track_started(path);
  } catch (...) {
    // A file that cannot be played simply never reaches the playing state.
  }
}

bool PlaybackEngine::stopped_since(uint64_t serial) const {
  return stop_serial_ != serial || state_.music_stopped != 0;
}

void PlaybackEngine::start_music() {
  tray_.set_music_entries(false, true);
  state_.music_stopped = 0;
  if (std::exchange(paused_, false)) {
    try {
      player_.resume();
    } catch (...) {
      // A player that cannot go on: the tick finds the track ended.
    }
  }
  if (timer_ != nullptr) timer_->set_ticking(true);
  tell_changed();
  tick_soon();  // the music goes on at once
}

void PlaybackEngine::stop_music() {
  tray_.set_music_entries(true, false);
  paused_ = false;
  pause_player();
  tell_changed();
}

bool PlaybackEngine::pause_music() {
  if (state_.music_stopped != 0 || paused_ || !is_playing(player_)) return false;
  bool held = false;
  try {
    held = player_.pause();
  } catch (...) {
    held = false;
  }
  if (!held) return false;
  paused_ = true;
  state_.music_stopped = 1;
  ++stop_serial_;
  tray_.set_music_entries(true, false);
  if (timer_ != nullptr) timer_->set_ticking(false);
  tell_changed();
  return true;
}

void PlaybackEngine::pause_player() {
  // On the one user-interface thread a busy tick can only be one suspended in
  // a yield beneath this very command; waiting for it would never end. Stop
  // at once: the tick notices the stop when it resumes and starts nothing.
  state_.music_stopped = 1;
  ++stop_serial_;
  stop_player(player_, ui_);
  // Music started again during the stop's yield may already play a track.
  if (state_.music_stopped != 0) rest_player(player_);
}

void PlaybackEngine::on_start_music() {
  start_music();
}

void PlaybackEngine::on_stop_music() {
  stop_music();
  // Serviced by the first tick after Start Music: it lands on the stopped track again.
  state_.req_track_backward = 1;
}

void PlaybackEngine::request(int32_t& flag) {
  flag = 1;
  // Queued, never nested: clicks until it comes are serviced together, in
  // the tick's fixed order.
  tick_soon();
}

void PlaybackEngine::on_track_forward() {
  request(state_.req_track_forward);
}
void PlaybackEngine::on_track_backward() {
  request(state_.req_track_backward);
}
void PlaybackEngine::on_track_random() {
  request(state_.req_track_random);
}
void PlaybackEngine::on_list_forward() {
  request(state_.req_list_forward);
}
void PlaybackEngine::on_list_backward() {
  request(state_.req_list_backward);
}
void PlaybackEngine::on_list_random() {
  request(state_.req_list_random);
}

void PlaybackEngine::on_repeat_track() {
  state_.repeat_track_on = state_.repeat_track_on != 0 ? 0 : 1;
  tray_.set_repeat_checked(state_.repeat_track_on != 0);
  queue_following();
  tell_changed();
}

void PlaybackEngine::tell_changed() {
  if (listener_ != nullptr) listener_->playback_changed();
}

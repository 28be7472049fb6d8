#pragma once
// A media player that plays nothing: a track "plays" until the test ends it.
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "player/media_player.h"

class FakeMediaPlayer : public MediaPlayer {
 public:
  bool stop() override {
    ++stops;
    if (fail_stop) return false;
    playing = false;
    queued.clear();
    went_on = false;
    paused = false;
    return true;
  }
  bool set_file_name(const std::string& path) override {
    file_name = path;
    queued.clear();
    return !fail_set_file;
  }
  bool play() override {
    resting = false;
    started.push_back(file_name);
    // Empty and missing paths never reach the playing state.
    playing = !file_name.empty() && !unplayable.count(file_name);
    return true;
  }
  int play_state() override { return playing ? MediaPlayer::kPlaying : 1; }
  void rest() override {
    ++rests;
    playing = false;
    resting = true;
  }

  void end_track() { playing = false; }  // untold: only a look at the play state finds it
  // The track ends and the player tells it, as a real one does.
  void end_with_notice() {
    playing = false;
    if (end_notice) end_notice();
  }
  void set_end_notice(std::function<void()> notice) override { end_notice = std::move(notice); }
  bool pause() override {
    if (!playing || paused) return false;
    return paused = true;
  }
  bool seek_us(int64_t us) override {
    if (!playing) return false;
    seeks.push_back(us);
    return true;
  }
  void set_volume(double v) override { loudness = v; }
  double volume() override { return loudness; }
  bool resume() override { return !std::exchange(paused, false) ? false : true; }
  void set_moved_on_notice(std::function<void()> notice) override {
    moved_on_notice = std::move(notice);
  }
  void queue_next(const std::string& path) override { queued = path; }
  bool take_moved_on() override { return std::exchange(went_on, false); }
  // The playing track ends and the queued one plays on, as a real player does.
  void move_on() {
    file_name = queued;
    queued.clear();
    playing = !file_name.empty() && !unplayable.count(file_name);
    went_on = playing;
    if (went_on && moved_on_notice) moved_on_notice();
  }

  bool playing = false;
  bool fail_stop = false;
  bool fail_set_file = false;
  int stops = 0;
  int rests = 0;
  bool resting = false;  // rested, and not played since
  std::string file_name;
  std::vector<std::string> started;  // every path handed to play()
  std::set<std::string> unplayable;
  std::function<void()> end_notice;
  std::string queued;  // the file queued to follow, "" for none
  bool went_on = false;
  bool paused = false;         // held at its place
  std::vector<int64_t> seeks;  // every place asked for
  double loudness = 1.0;
  std::function<void()> moved_on_notice;
};

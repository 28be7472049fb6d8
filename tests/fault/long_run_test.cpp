// A million ticks of the real playback engine under random menu commands,
// option changes, play lists appearing and vanishing on disk, and media that
// fail to play or end at any moment. After every tick: the positions are in
// range, every path handed to the player comes from the loaded play list, the
// tooltip has one of its three forms, and no request is lost.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <regex>
#include <set>

#include "player/playback_engine.h"
#include "store/list_box.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

namespace {

// Checks every path it is given against the track table of that moment and
// keeps nothing that grows with the run.
class CheckingPlayer : public MediaPlayer {
 public:
  explicit CheckingPlayer(const PlayerState& state) : state_(state) {}
  bool stop() override {
    ++stops;
    last_stop_failed = fail_stop;
    if (fail_stop) return false;
    playing = false;
    return true;
  }
  bool set_file_name(const std::string& path) override {
    bool known = path.empty();
    for (int32_t i = 1; i <= state_.track_count && !known; ++i) {
      known = static_cast<size_t>(i) < state_.track_list.size() && state_.track_list[i] == path;
    }
    if (!known && fault.empty()) fault = "player given " + path + ", not in the loaded play list";
    file_name = path;
    return !fail_set_file;
  }
  bool play() override {
    ++plays;
    if (state_.music_stopped != 0 && fault.empty()) fault = "a track started while stopped";
    // Missing files and the "bad" ones never reach the playing state.
    playing = !file_name.empty() && file_name.find("/bad/") == std::string::npos;
    return true;
  }
  int play_state() override { return playing ? MediaPlayer::kPlaying : 0; }

  bool playing = false;
  bool fail_stop = false;
  bool fail_set_file = false;
  bool last_stop_failed = false;
  std::string file_name;
  std::string fault;
  uint64_t stops = 0, plays = 0;

 private:
  const PlayerState& state_;
};

class RunUi : public UiServices {
 public:
  void yield() override {
    if (on_yield) {
      auto hook = std::move(on_yield);  // runs once
      on_yield = nullptr;
      hook();
    }
  }
  MsgAnswer message_box(const MessageBoxRequest& request) override {
    ++boxes;
    if (request.text != kLoadErrorText && fault.empty()) fault = "unexpected box " + request.text;
    return MsgAnswer::Ok;
  }
  std::string input_box(const std::string&, const std::string&, const std::string&) override {
    fault = "unexpected input box";
    return std::string();
  }
  std::function<void()> on_yield;
  uint64_t boxes = 0;
  std::string fault;
};

class RunTray : public TrayView {
 public:
  void set_tooltip(const std::string& text) override {
    ++tooltips;
    tooltip = text;
  }
  void set_music_entries(bool start_enabled, bool stop_enabled) override {
    start_entry = start_enabled;
    stop_entry = stop_enabled;
  }
  void set_repeat_checked(bool checked) override { repeat_checked = checked; }
  std::string tooltip;
  uint64_t tooltips = 0;
  bool start_entry = true, stop_entry = true, repeat_checked = false;
};

constexpr std::array<const char*, 5> kNames = {"Rock", "Jazz", "Sigur R\xc3\xb3s", "Loud",
                                               "Night, Day"};

struct RunRig {
  TempDir dir;
  PlayerState state;
  RunUi ui;
  RunTray tray;
  CheckingPlayer player{state};
  PlaybackEngine engine{state, ui, player, tray};
  MemoryListBox hidden_box;
  std::mt19937 gen{20261209};
  uint64_t clock = 0;
  int version = 0;

  RunRig() {
    state.playlist_folder = dir.folder();
    state.random = RandomDraw([this] { return ++clock; });
  }
  bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(gen) < p; }
  int pick(int n) { return static_cast<int>(gen() % static_cast<unsigned>(n)); }

  // A play list on disk: mostly small, sometimes long, sometimes broken.
  void write_list(const std::string& name) {
    const int n = chance(0.05) ? 300 : pick(9);
    std::vector<std::string> paths;
    ++version;
    for (int k = 1; k <= n; ++k) {
      const bool bad = chance(0.25);
      paths.push_back("/music/" + std::string(bad ? "bad/" : "") + name + "/v" +
                      std::to_string(version) + " track " + std::to_string(k) + ".mp3");
    }
    std::string bytes = format_play_list(paths);
    if (chance(0.1) && n > 0) bytes.resize(bytes.size() - paths.back().size() - 3);  // torn
    if (chance(0.03)) bytes = "\"a\"\r\n\"b\"\r\n\"c\"\r\nmany\r\n";
    // Some files carry their extension in capitals, as copied from elsewhere.
    const bool capitals = name == "Loud";
    dir.write(name + (capitals ? ".CAP" : ".cap"), bytes);
  }
  void remove_list(const std::string& name) {
    std::error_code ec;
    std::filesystem::remove(dir.path() / (name + ".cap"), ec);
    std::filesystem::remove(dir.path() / (name + ".CAP"), ec);
  }
};

std::array<int32_t*, 6> request_flags(PlayerState& s) {
  return {&s.req_track_forward, &s.req_track_backward, &s.req_track_random,
          &s.req_list_forward,  &s.req_list_backward,  &s.req_list_random};
}

TEST(LongRun, AMillionRandomTicksKeepEveryInvariant) {
  RunRig run;
  PlayerState& state = run.state;
  PlaybackEngine& engine = run.engine;
  for (const char* n : kNames) run.write_list(n);
  list_play_lists(state, run.ui, run.hidden_box);
  ASSERT_EQ(state.list_count, 5);
  state.current_list_index = 1;
  load_play_list(state, run.ui, state.list_names[1], true);
  engine.start_music();

  const std::regex track_line(R"(^ Play List: (.+)  Track: \((\d+)/(\d+)\) (.*) $)");
  const std::string hint = " Click on SETTINGS to create a play list! ";

  // The nine entries of the tray menu that reach the engine.
  const std::array<std::function<void()>, 9> menu = {
      [&] { engine.on_start_music(); },   [&] { engine.on_stop_music(); },
      [&] { engine.on_track_forward(); }, [&] { engine.on_track_backward(); },
      [&] { engine.on_track_random(); },  [&] { engine.on_repeat_track(); },
      [&] { engine.on_list_forward(); },  [&] { engine.on_list_backward(); },
      [&] { engine.on_list_random(); }};
  // Menu entry i raises request flag kFlagOf[i] (-1: none).
  constexpr std::array<int, 9> kFlagOf = {-1, -1, 0, 1, 2, -1, 3, 4, 5};

  struct Counts {
    uint64_t music_on = 0, stopped_inside = 0, raised_inside = 0, disk_changes = 0, settings = 0,
             track_lines = 0, hints = 0, blanks = 0, passes = 0;
  } counts;
  std::string last_checked_tooltip = "\x01";
  constexpr int kTicks = 1000000;

  for (int t = 0; t < kTicks; ++t) {
    // Between ticks: the user at the tray menu.
    for (size_t i = 0; i < menu.size(); ++i) {
      // Mostly the music is on: Start soon after a stop, Stop now and then.
      const bool stopped = state.music_stopped != 0;
      const double p = i == 0   ? (stopped ? 0.05 : 0.002)
                       : i == 1 ? (stopped ? 0.002 : 0.003)
                                : 0.01;
      if (run.chance(p)) menu[i]();
    }
    // The settings window: the music stops, options change, a play list is
    // chosen and loaded, the music starts again.
    if (run.chance(0.0005)) {
      ++counts.settings;
      engine.stop_music();
      state.player_random = run.pick(2);
      state.list_done_action = run.pick(4);
      list_play_lists(state, run.ui, run.hidden_box);
      if (state.list_count > 0) {
        state.current_list_index = 1 + run.pick(state.list_count);
        state.current_list_name = state.list_names[state.current_list_index];
        load_play_list(state, run.ui, state.current_list_name, false);
        state.current_track = 0;
      }
      engine.start_music();
    }
    // Options changed while the music plays.
    if (run.chance(0.002)) state.player_random = 1 - state.player_random;
    if (run.chance(0.002)) state.list_done_action = run.pick(4);
    // Play lists come and go on disk, now and then.
    if (run.chance(0.001)) {
      ++counts.disk_changes;
      const std::string name = kNames[static_cast<size_t>(run.pick(5))];
      if (run.chance(0.6)) {
        run.write_list(name);
      } else {
        run.remove_list(name);
      }
      if (run.chance(0.7)) list_play_lists(state, run.ui, run.hidden_box);
    }
    // Media: tracks end at any moment, the player fails now and then.
    if (run.chance(0.15)) run.player.playing = false;
    if (run.chance(0.001)) run.player.fail_stop = !run.player.fail_stop;
    if (run.chance(0.001)) run.player.fail_set_file = !run.player.fail_set_file;

    // A menu command that arrives while the tick waits in a yield.
    bool stopped_inside = false;
    std::array<bool, 6> raised_inside{};
    const bool music_on = state.music_stopped == 0;
    if (music_on && run.chance(0.005)) {
      const size_t i = static_cast<size_t>(run.pick(9));
      run.ui.on_yield = [&, i] {
        const bool was_on = state.music_stopped == 0;
        menu[i]();
        stopped_inside = was_on && state.music_stopped != 0;
        if (kFlagOf[i] >= 0) raised_inside[static_cast<size_t>(kFlagOf[i])] = true;
        if (i == 1) raised_inside[1] = true;  // Stop Music leaves a backward request
      };
    }

    auto flags = request_flags(state);
    std::array<int32_t, 6> before{};
    for (size_t i = 0; i < flags.size(); ++i) before[i] = *flags[i];
    const uint64_t tooltips = run.tray.tooltips;
    const int32_t track_before = state.current_track;
    const std::string list_before = state.current_list_name;

    engine.tick();
    run.ui.on_yield = nullptr;

    // The tick finished, showed one tooltip, and met no stray path or box.
    ASSERT_FALSE(engine.tick_busy()) << t;
    ASSERT_EQ(run.tray.tooltips, tooltips + 1) << t;
    ASSERT_EQ(run.player.fault, "") << "tick " << t;
    ASSERT_EQ(run.ui.fault, "") << "tick " << t;

    // Positions and tables.
    ASSERT_GE(state.current_track, 0) << t;
    ASSERT_LE(state.current_track, std::max(state.track_count, 1)) << t;
    ASSERT_GE(state.track_count, 0) << t;
    ASSERT_LE(static_cast<size_t>(state.track_count) + 1, state.track_list.size()) << t;
    if (state.track_count > 0 && !state.active_collection.empty()) {
      ASSERT_EQ(state.play_order.size(), static_cast<size_t>(state.track_count) + 1) << t;
      std::vector<bool> seen(state.play_order.size(), false);
      for (int32_t p = 1; p <= state.track_count; ++p) {
        const int32_t k = state.play_order[static_cast<size_t>(p)];
        ASSERT_TRUE(k >= 1 && k <= state.track_count && !seen[static_cast<size_t>(k)]) << t;
        seen[static_cast<size_t>(k)] = true;
      }
    }
    ASSERT_GE(state.list_count, 0);
    ASSERT_EQ(state.list_names.size(), static_cast<size_t>(state.list_count) + 1) << t;

    // The tooltip: blank while stopped, else a track line or the hint.
    const std::string& tip = run.tray.tooltip;
    if (state.music_stopped != 0) {
      ASSERT_EQ(tip, "") << t;
      ++counts.blanks;
    } else if (tip == hint) {
      ASSERT_TRUE(state.current_list_name.empty() || state.current_track == 0) << t;
      ++counts.hints;
    } else {
      if (tip != last_checked_tooltip) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(tip, m, track_line)) << t << ": [" << tip << "]";
        last_checked_tooltip = tip;
      }
      const std::string expected =
          " Play List: " + state.current_list_name + "  Track: (" +
          std::to_string(state.current_track) + "/" + std::to_string(state.track_count) + ") " +
          file_title_of(engine.path_of_position(state.current_track)) + " ";
      ASSERT_EQ(tip, expected) << t;
      ++counts.track_lines;
    }

    // The tray menu's marks follow the state.
    ASSERT_EQ(run.tray.repeat_checked, state.repeat_track_on != 0) << t;
    ASSERT_EQ(run.tray.stop_entry, state.music_stopped == 0) << t;
    ASSERT_EQ(run.tray.start_entry, state.music_stopped != 0) << t;
    // (Unless the player refused the stop: its errors are passed over.)
    if (state.music_stopped != 0 && !run.player.last_stop_failed) {
      ASSERT_FALSE(run.player.playing) << "music stopped but a track plays, tick " << t;
    }

    // No request lost: with the music on, each pending request is serviced
    // by this tick; with it off, each stays pending.
    for (size_t i = 0; i < flags.size(); ++i) {
      if (!music_on) {
        ASSERT_EQ(*flags[i], before[i]) << "request " << i << " lost while stopped, tick " << t;
      } else if (!stopped_inside && !raised_inside[i]) {
        ASSERT_EQ(*flags[i], 0) << "request " << i << " not serviced, tick " << t;
      }
    }
    if (stopped_inside) {
      ASSERT_EQ(state.req_track_backward, 1) << t;
    }

    counts.music_on += music_on;
    counts.stopped_inside += stopped_inside;
    for (bool r : raised_inside) counts.raised_inside += r;
    counts.passes += music_on && track_before == state.track_count && state.track_count > 0 &&
                     state.current_track == 1 && list_before != state.current_list_name;
  }

  std::printf(
      "%d ticks: %llu with music, %llu track lines, %llu hints, %llu blank; %llu starts, %llu "
      "load errors, %llu disk changes, %llu settings, %llu stops and %llu requests inside a "
      "yield, %llu passes into another play list\n",
      kTicks, static_cast<unsigned long long>(counts.music_on),
      static_cast<unsigned long long>(counts.track_lines),
      static_cast<unsigned long long>(counts.hints), static_cast<unsigned long long>(counts.blanks),
      static_cast<unsigned long long>(run.player.plays),
      static_cast<unsigned long long>(run.ui.boxes),
      static_cast<unsigned long long>(counts.disk_changes),
      static_cast<unsigned long long>(counts.settings),
      static_cast<unsigned long long>(counts.stopped_inside),
      static_cast<unsigned long long>(counts.raised_inside),
      static_cast<unsigned long long>(counts.passes));
  // The run went through the states that matter.
  EXPECT_GT(counts.music_on, 600000u);
  EXPECT_GT(counts.track_lines, 300000u);
  EXPECT_GT(counts.hints, 1000u);
  EXPECT_GT(counts.blanks, 10000u);
  EXPECT_GT(run.ui.boxes, 100u);
  EXPECT_GT(counts.disk_changes, 500u);
  EXPECT_GT(counts.stopped_inside, 100u);
  EXPECT_GT(counts.raised_inside, 500u);
  EXPECT_GT(counts.passes, 300u);
}

}  // namespace

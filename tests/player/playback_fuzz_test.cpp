// Thousands of ticks under random requests, options, failing files and play
// lists coming and going: after every tick the position, the paths handed to
// the player, the tooltip and the pending requests are checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <random>

#include "fake_media_player.h"
#include "fake_tray_view.h"
#include "fake_ui.h"
#include "player/playback_engine.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

namespace {
// The path of position p, looked up with checked access: any position outside
// the tables throws and fails the test.
std::string expected_path(const PlayerState& s, int32_t p) {
  if (p < 1 || p > s.track_count) return std::string();
  const int32_t k = s.player_random == 1 ? s.play_order.at(p) : p;
  return s.track_list.at(k);
}

std::string expected_tooltip(const PlayerState& s) {
  if (s.music_stopped != 0) return std::string();
  if (s.current_list_name.empty() || s.current_track <= 0) {
    return " Click on SETTINGS to create a play list! ";
  }
  std::string file = expected_path(s, s.current_track);
  file = file.substr(file.find_last_of('/') + 1);
  return " Play List: " + s.current_list_name + "  Track: (" + std::to_string(s.current_track) +
         "/" + std::to_string(s.track_count) + ") " + file + " ";
}

// Checks every start against the track table at that moment.
class CheckingPlayer : public FakeMediaPlayer {
 public:
  explicit CheckingPlayer(const PlayerState& state) : state_(state) {}
  bool play() override {
    try {
      if (file_name != expected_path(state_, state_.current_track)) {
        faults.push_back("started " + file_name + " at position " +
                         std::to_string(state_.current_track));
      }
    } catch (const std::exception&) {
      faults.push_back("position " + std::to_string(state_.current_track) + " outside the tables");
    }
    bool in_list = file_name.empty();
    for (int32_t i = 1; i <= state_.track_count && !in_list; ++i) {
      in_list = state_.track_list.at(i) == file_name;
    }
    if (!in_list) faults.push_back("started " + file_name + ", not in the loaded list");
    return FakeMediaPlayer::play();
  }
  std::vector<std::string> faults;

 private:
  const PlayerState& state_;
};

std::array<int32_t*, 6> request_flags(PlayerState& s) {
  return {&s.req_track_forward, &s.req_track_backward, &s.req_track_random,
          &s.req_list_forward,  &s.req_list_backward,  &s.req_list_random};
}
}  // namespace

TEST(PlaybackFuzz, ThousandsOfRandomTicksStayConsistent) {
  std::mt19937 gen(20261209);
  auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(gen) < p; };
  auto pick = [&](int n) { return static_cast<int>(gen() % static_cast<unsigned>(n)); };

  TempDir dir;
  PlayerState state;
  state.playlist_folder = dir.folder();
  uint64_t clock = 0;
  state.random = RandomDraw([&clock] { return ++clock; });
  FakeUi ui;
  CheckingPlayer player(state);
  FakeTrayView tray;
  PlaybackEngine engine(state, ui, player, tray);

  const std::vector<std::string> names = {"A", "B", "C", "D"};
  int version = 0;
  std::vector<std::string> all_paths;
  auto write_list = [&](const std::string& name) {
    std::string bytes = "\"h1\"\r\n\"h2\"\r\n\"h3\"\r\n";
    const int n = pick(6);  // empty play lists too
    bytes += std::to_string(n) + "\r\n";
    ++version;
    for (int k = 1; k <= n; ++k) {
      std::string path =
          "/music/" + name + "/v" + std::to_string(version) + "-" + std::to_string(k) + ".mp3";
      all_paths.push_back(path);
      bytes += "\"" + path + "\"\r\n";
    }
    dir.write(name + ".cap", bytes);
  };
  auto relist = [&] {  // as the folder listing would find them now
    state.list_names = {std::string()};
    for (const auto& n : names) {
      if (std::filesystem::exists(dir.path() / (n + ".cap"))) state.list_names.push_back(n);
    }
    state.list_count = static_cast<int32_t>(state.list_names.size() - 1);
  };
  for (const auto& n : names) write_list(n);
  relist();
  state.current_list_index = 1;
  load_play_list(state, ui, "A", true);
  engine.start_music();

  int ticks_with_music = 0, stops_inside = 0, empty_folder_ticks = 0, odd_action_ticks = 0;
  size_t failed_loads = 0;
  for (int step = 0; step < 20000; ++step) {
    auto flags = request_flags(state);
    for (int32_t* f : flags) {
      if (chance(0.04)) *f = 1;
    }
    if (chance(0.02)) engine.on_repeat_track();
    if (chance(0.02)) state.player_random = pick(3);
    if (chance(0.02)) state.list_done_action = std::array<int32_t, 5>{0, 1, 2, 3, -1}[pick(5)];
    if (chance(0.03)) state.music_stopped ? engine.on_start_music() : engine.on_stop_music();
    if (chance(0.3)) player.end_track();
    if (chance(0.04)) {
      const std::string& n = names[pick(4)];
      if (chance(0.5)) {
        write_list(n);
      } else {
        std::filesystem::remove(dir.path() / (n + ".cap"));
      }
    }
    if (chance(0.02)) relist();
    if (chance(0.05) && !all_paths.empty()) {
      player.unplayable.insert(all_paths[pick(static_cast<int>(all_paths.size()))]);
    }
    if (chance(0.01)) player.unplayable.clear();
    const bool music_on = state.music_stopped == 0;
    bool stopped_inside = false;
    bool settings_inside = false;
    if (music_on && chance(0.03)) {
      const int after = 1 + pick(4);
      auto left = std::make_shared<int>(after);
      const bool settings = chance(0.5);
      ui.on_yield = [&, left, settings] {
        if (--*left != 0) return;
        ui.on_yield = nullptr;
        stopped_inside = true;
        settings_inside = settings;
        if (settings) {
          engine.stop_music();
          engine.start_music();
        } else {
          engine.on_stop_music();
        }
      };
    }
    std::array<int32_t, 6> before{};
    for (size_t i = 0; i < flags.size(); ++i) before[i] = *flags[i];
    const size_t tooltips = tray.tooltips.size();

    engine.tick();
    ui.on_yield = nullptr;

    ASSERT_TRUE(player.faults.empty()) << "step " << step << ": " << player.faults[0];
    ASSERT_FALSE(engine.tick_busy());
    ASSERT_EQ(tray.tooltips.size(), tooltips + 1) << step;
    ASSERT_GE(state.current_track, 0) << step;
    ASSERT_LE(state.current_track, std::max(state.track_count, 1)) << step;
    ASSERT_LE(static_cast<size_t>(state.track_count), state.track_list.size() - 1) << step;
    ASSERT_EQ(tray.tooltip(), expected_tooltip(state)) << step;
    if (state.music_stopped != 0) {
      ASSERT_FALSE(player.playing) << step;
    }
    for (size_t i = 0; i < flags.size(); ++i) {
      if (!music_on) {
        ASSERT_EQ(*flags[i], before[i])
            << "a request was lost while the music was off, step " << step;
      } else if (!stopped_inside) {
        ASSERT_EQ(*flags[i], 0) << "request " << i << " not serviced, step " << step;
      }
    }
    // The request that Stop Music leaves survives the tick it interrupted.
    if (stopped_inside && !settings_inside) {
      ASSERT_EQ(state.req_track_backward, 1) << step;
    }
    ticks_with_music += music_on;
    stops_inside += stopped_inside;
    failed_loads += ui.boxes.size();
    ui.boxes.clear();
    empty_folder_ticks += state.list_count == 0;
    odd_action_ticks += music_on && (state.list_done_action < 0 || state.list_done_action > 2);
  }
  // The run really went through the interesting states.
  EXPECT_GT(ticks_with_music, 5000);
  EXPECT_GT(stops_inside, 30);
  EXPECT_GT(player.started.size(), 2000u);
  EXPECT_GT(failed_loads, 50u);
  EXPECT_GT(odd_action_ticks, 1000);
  EXPECT_GT(empty_folder_ticks, 100);
}

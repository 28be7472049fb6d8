#pragma once
// A playback engine over real play-list files in a temporary play-list folder,
// with a media player, user interface and tray that tests can look into.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fake_media_player.h"
#include "fake_tray_view.h"
#include "fake_ui.h"
#include "model/player_state.h"
#include "player/playback_engine.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

// The bytes of a play-list file as the editor writes them.
inline std::string play_list_bytes(const std::vector<std::string>& paths) {
  std::string s = "\"Davrin Audio Player\"\r\n\"Davrin Software\"\r\n\"https://example.org/\"\r\n";
  s += std::to_string(paths.size()) + "\r\n";
  for (const auto& p : paths) s += "\"" + p + "\"\r\n";
  return s;
}

// Paths of n tracks of play list `name`: /music/<name>/<name>-<k>.mp3.
inline std::vector<std::string> tracks_of(const std::string& name, int n) {
  std::vector<std::string> paths;
  for (int k = 1; k <= n; ++k)
    paths.push_back("/music/" + name + "/" + name + "-" + std::to_string(k) + ".mp3");
  return paths;
}

// Can also run a command while a message box is open (its own message loop).
class BoxHookUi : public FakeUi {
 public:
  MsgAnswer message_box(const MessageBoxRequest& request) override {
    if (on_box) {
      auto hook = on_box;
      on_box = nullptr;
      hook();
    }
    return FakeUi::message_box(request);
  }
  std::function<void()> on_box;  // runs once
};

// Remembers whether the engine asked for a tick at once; the test gives it
// as the event loop would, once the command has returned.
struct FakeTickTimer : TickTimer {
  void set_ticking(bool on) override { ticking = on; }
  void tick_soon() override { soon = true; }
  bool ticking = false;
  bool soon = false;
};

struct EngineRig {
  TempDir dir;
  PlayerState state;
  BoxHookUi ui;
  FakeMediaPlayer player;
  FakeTrayView tray;
  FakeTickTimer timer;
  PlaybackEngine engine{state, ui, player, tray, &timer};

  EngineRig() {
    state.playlist_folder = dir.folder();
    // As the main window hands it over: in the turn after the notice.
    player.set_end_notice([this] { engine.tick_at_once(); });
    player.set_moved_on_notice([this] { engine.tick_at_once(); });
  }

  // Turns of the event loop until no tick is due; how many ticks ran. A
  // player that keeps asking for ticks at once would spin: it fails here.
  int run_due_ticks() {
    int ticks = 0;
    for (; timer.soon && ticks < 50; ++ticks) {
      timer.soon = false;
      engine.tick_at_once();
    }
    EXPECT_FALSE(timer.soon) << "ticks at once without end";
    return ticks;
  }

  void write_list(const std::string& name, const std::vector<std::string>& paths) {
    dir.write(name + ".cap", play_list_bytes(paths));
  }
  void remove_list(const std::string& name) {
    std::filesystem::remove(dir.path() / (name + ".cap"));
  }

  // The play lists as the folder listing found them, in this order.
  void set_lists(const std::vector<std::string>& names) {
    state.list_names = {std::string()};
    state.list_names.insert(state.list_names.end(), names.begin(), names.end());
    state.list_count = static_cast<int32_t>(names.size());
  }

  // As at program start: the active play list loaded silently, the music on.
  void start_with(const std::string& name) {
    load_play_list(state, ui, name, true);
    engine.start_music();
  }

  // The track's end, then the next tick.
  void finish_track() {
    player.end_track();
    engine.tick();
  }
  const std::string& last_started() const { return player.started.back(); }
  const std::string& tooltip() const { return tray.tooltip(); }
};

#pragma once
// What the export tests share: a play-list folder with real tracks, a zip
// component that notes what the staging folder held when it was asked to
// pack, and a progress view that notes every drawing.
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "export/export_job.h"
#include "fake_ui.h"
#include "fake_zip_component.h"
#include "model/player_state.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

// File name -> contents of a folder's files.
inline std::map<std::string, std::string> folder_files(const std::string& folder) {
  std::map<std::string, std::string> files;
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator(folder, ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    files[it->path().filename().string()] = read_file_bytes(it->path().string());
  }
  return files;
}

class StagingZip : public FakeZipComponent {
 public:
  explicit StagingZip(const PlayerState& state) : state_(state) {}
  void set_action(int16_t action) override {
    staged = folder_files(state_.build_folder);
    FakeZipComponent::set_action(action);
  }
  // An event that would come after the run.
  void late_event() { raise_progress("late.mp3", 50); }
  std::string step_value(int member) const {
    for (const auto& step : steps)
      if (step.member == member) return step.value;
    return "<none>";
  }
  int action_count() const {
    int n = 0;
    for (const auto& step : steps) n += step.member == zip_member::kAction;
    return n;
  }
  std::map<std::string, std::string> staged;

 private:
  const PlayerState& state_;
};

struct Drawing {
  int16_t percent;
  std::string text;
  size_t staged_files;  // files in the staging folder at the moment of drawing
};

class RecordingView : public ProgressView {
 public:
  explicit RecordingView(const PlayerState& state) : state_(state) {}
  void draw_progress(int16_t percent, const std::string& text) override {
    drawings.push_back({percent, text, folder_files(state_.build_folder).size()});
  }
  std::vector<Drawing> drawings;

 private:
  const PlayerState& state_;
};

// A play-list folder, a destination folder and tracks below one TempDir.
class ExportSetup {
 public:
  ExportSetup() {
    state.playlist_folder = dir.folder() + "lists/";
    state.picker_folder = state.playlist_folder;
    state.editor_folder = state.playlist_folder;
    state.picked_folder = dir.folder() + "out/";
    std::filesystem::create_directories(state.playlist_folder);
    std::filesystem::create_directories(state.picked_folder);
  }
  std::string track(const std::string& name, const std::string& bytes) {
    return dir.write("music/" + name, bytes);
  }
  void play_list(const std::string& name, const std::vector<std::string>& paths) {
    std::ofstream(state.playlist_folder + name + ".cap", std::ios::binary)
        << format_play_list(paths);
    state.current_list_name = name;
  }
  std::string staging() const { return state.playlist_folder + "build/"; }
  std::string archive(const std::string& name) const { return state.picked_folder + name + ".zip"; }

  TempDir dir;
  PlayerState state;
  FakeUi ui;
};

// Exports one play list the way the export window does, without a window:
//   davrin_export_bench <play-list folder/> <play-list name> <destination folder/>
// Prints the outcome box and the time the job took; exit status 0 on success.
#include <chrono>
#include <cstdio>
#include <string>

#include "export/export_job.h"
#include "export/libarchive_zip.h"

namespace {

class ConsoleUi : public UiServices {
 public:
  void yield() override {}
  MsgAnswer message_box(const MessageBoxRequest& request) override {
    std::string text = request.text;
    for (char& c : text)
      if (c == '\r') c = '\n';
    std::printf("[%s] %s\n", request.title.c_str(), text.c_str());
    return MsgAnswer::Ok;
  }
  std::string input_box(const std::string&, const std::string&, const std::string&) override {
    return std::string();
  }
};

class CountingView : public ProgressView {
 public:
  void draw_progress(int16_t, const std::string&) override { ++drawings; }
  long drawings = 0;
};

std::string with_separator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <play-list folder> <play-list name> <destination folder>\n",
                 argv[0]);
    return 2;
  }
  PlayerState state;
  state.playlist_folder = with_separator(argv[1]);
  state.current_list_name = argv[2];
  state.picked_folder = with_separator(argv[3]);
  ConsoleUi ui;
  LibarchiveZip zip;
  CountingView view;

  const auto start = std::chrono::steady_clock::now();
  const ExportOutcome outcome = zip_it(state, ui, zip, view);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;

  std::printf("tracks copied %d, skipped %d, drawings %ld, job %.3f s\n", outcome.copied,
              outcome.skipped, view.drawings, took.count());
  return outcome.packed && outcome.result_code == 0 && outcome.skipped == 0 ? 0 : 1;
}

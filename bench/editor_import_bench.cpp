// Add Selected on another player's play list of 30000 tracks, into the
// editor's working list, beside a plain line-by-line read of the same file;
// the ratio of the medians is printed at the end.
//   build/bench/davrin_bench_editor_import --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/frm_collection.h"
#include "ground/app_context.h"
#include "model/player_state.h"
#include "player/media_player.h"
#include "qt_base/browse/file_list.h"
#include "ratio_reporter.h"
#include "silent_ui.h"

namespace fs = std::filesystem;

namespace {

constexpr int kTracks = 30000;

class SilentPlayer : public MediaPlayer {
 public:
  bool stop() override { return true; }
  bool set_file_name(const std::string&) override { return true; }
  bool play() override { return true; }
  int play_state() override { return 0; }
};
class NoStore : public SettingsStore {
 public:
  std::string get_setting(const std::string&, const std::string&, const std::string&,
                          const std::string& value) override {
    return value;
  }
  void save_setting(const std::string&, const std::string&, const std::string&,
                    const std::string&) override {}
};
class NoZip : public ZipComponent {
 public:
  void set_flag(int, bool) override {}
  void set_text(int, const std::string&) override {}
  void set_action(int16_t) override {}
  int16_t result_code() override { return 0; }
};
class NoLauncher : public Launcher {
 public:
  bool open(const std::string&) override { return false; }
  bool open_volume_control() override { return false; }
};

// A folder holding the play list: "#EXTM3U", then one full path a line. No
// #EXTINF lines, which would make the plain read longer and the ratio kinder.
struct BenchFolder {
  BenchFolder() {
    std::string pattern = (fs::temp_directory_path() / "davrin-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path = pattern;
    std::ofstream out(list(), std::ios::binary);
    out << "#EXTM3U\n";
    for (int i = 0; i < kTracks; ++i) {
      out << "/home/listener/Music/Artist " << i % 300 << "/Album " << i % 40 << "/" << i % 20 + 1
          << " - A track with a fairly ordinary title " << i << ".flac\n";
    }
  }
  ~BenchFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  std::string folder() const { return path.string() + "/"; }
  std::string list() const { return folder() + "Big.m3u8"; }

  fs::path path;
};

BenchFolder& bench_folder() {
  static BenchFolder folder;
  return folder;
}

void BM_AddPlayListToWorkingList(benchmark::State& bench) {
  PlayerState state;
  state.playlist_folder = bench_folder().folder();
  state.editor_folder = bench_folder().folder();
  SilentUi ui;
  SilentPlayer player;
  NoStore store;
  NoZip zip;
  NoLauncher launcher;
  AppContext ctx{state, ui, player, store, zip, launcher};
  frm_collection window(ctx);
  window.show();
  auto* file1 = window.findChild<FileList*>(QStringLiteral("file1"));
  auto* add_selected = window.findChild<QAbstractButton*>(QStringLiteral("Command8"));
  auto* remove_all = window.findChild<QAbstractButton*>(QStringLiteral("Command2"));
  if (!file1 || file1->count() != 1 || !add_selected || !remove_all) {
    bench.SkipWithError("no editor");
    return;
  }
  file1->item(0)->setSelected(true);
  for (auto _ : bench) {
    add_selected->click();
    bench.PauseTiming();
    if (window.item_count() != kTracks) bench.SkipWithError("not every track was added");
    remove_all->click();
    bench.ResumeTiming();
  }
  bench.SetItemsProcessed(bench.iterations() * kTracks);
  state.changes_made = 0;  // closes without asking
}
BENCHMARK(BM_AddPlayListToWorkingList)->Unit(benchmark::kMillisecond);

void BM_PlainGetlineRead(benchmark::State& bench) {
  for (auto _ : bench) {
    std::ifstream in(bench_folder().list(), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(std::move(line));
    benchmark::DoNotOptimize(lines.data());
  }
  bench.SetItemsProcessed(bench.iterations() * kTracks);
}
BENCHMARK(BM_PlainGetlineRead)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::printf("\nratio of the medians, elapsed time:\n");
  print_ratio(reporter, "add a 30000-track M3U8 / plain getline", "BM_AddPlayListToWorkingList",
              "BM_PlainGetlineRead", "target <= 3");
  return 0;
}

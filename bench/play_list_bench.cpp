// Loading and saving a play list of 30000 tracks and shuffling it, beside a
// plain line-by-line read and a plain write of the same file; the ratios of
// the medians are printed at the end.
//   build/bench/davrin_bench_play_list --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ground/ui_services.h"
#include "model/play_order.h"
#include "model/player_state.h"
#include "ratio_reporter.h"
#include "silent_ui.h"
#include "store/play_list_files.h"

namespace fs = std::filesystem;

namespace {
constexpr int kTracks = 30000;

std::vector<std::string> sample_paths() {
  std::vector<std::string> paths;
  paths.reserve(kTracks);
  for (int i = 0; i < kTracks; ++i) {
    paths.push_back("/home/listener/Music/Artist " + std::to_string(i % 300) + "/Album " +
                    std::to_string(i % 40) + "/" + std::to_string(i % 20 + 1) +
                    " - A track with a fairly ordinary title " + std::to_string(i) + ".mp3");
  }
  return paths;
}

// One folder for the whole run, holding the sample play list.
struct BenchFolder {
  BenchFolder() {
    std::string pattern = (fs::temp_directory_path() / "davrin-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path = pattern;
    paths = sample_paths();
    bytes = format_play_list(paths);
    std::ofstream(folder() + "Bench.cap", std::ios::binary) << bytes;
    std::vector<std::string> other = paths;
    for (size_t i = 0; i < other.size(); ++i) other[i].insert(1, i % 2 ? "media/" : "mnt/usb/");
    std::ofstream(folder() + "Other.cap", std::ios::binary) << format_play_list(other);
  }
  ~BenchFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  std::string folder() const { return path.string() + "/"; }

  fs::path path;
  std::vector<std::string> paths;
  std::string bytes;
};

BenchFolder& bench_folder() {
  static BenchFolder folder;
  return folder;
}

void BM_LoadPlayList(benchmark::State& bench) {
  PlayerState state;
  state.playlist_folder = bench_folder().folder();
  SilentUi ui;
  for (auto _ : bench) {
    if (!load_play_list(state, ui, "Bench", false)) bench.SkipWithError("load failed");
    benchmark::DoNotOptimize(state.track_list.data());
  }
  bench.SetItemsProcessed(bench.iterations() * kTracks);
  bench.SetBytesProcessed(bench.iterations() * static_cast<int64_t>(bench_folder().bytes.size()));
}
BENCHMARK(BM_LoadPlayList)->Unit(benchmark::kMillisecond);

// Two play lists of 30000 different tracks loaded in turn, as the end of a
// pass or Next Play List does: each load replaces every path of the other.
void BM_LoadAnotherPlayList(benchmark::State& bench) {
  PlayerState state;
  state.playlist_folder = bench_folder().folder();
  SilentUi ui;
  bool other = false;
  for (auto _ : bench) {
    if (!load_play_list(state, ui, other ? "Other" : "Bench", false)) {
      bench.SkipWithError("load failed");
    }
    other = !other;
    benchmark::DoNotOptimize(state.track_list.data());
  }
  bench.SetItemsProcessed(bench.iterations() * kTracks);
}
BENCHMARK(BM_LoadAnotherPlayList)->Unit(benchmark::kMillisecond);

void BM_PlainGetlineRead(benchmark::State& bench) {
  const std::string file = bench_folder().folder() + "Bench.cap";
  for (auto _ : bench) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(std::move(line));
    benchmark::DoNotOptimize(lines.data());
  }
  bench.SetItemsProcessed(bench.iterations() * kTracks);
  bench.SetBytesProcessed(bench.iterations() * static_cast<int64_t>(bench_folder().bytes.size()));
}
BENCHMARK(BM_PlainGetlineRead)->Unit(benchmark::kMillisecond);

void BM_SaveList(benchmark::State& bench) {
  PlayerState state;
  state.playlist_folder = bench_folder().folder();
  SilentUi ui;
  for (auto _ : bench) {
    if (!save_list(state, ui, "Saved", bench_folder().paths)) bench.SkipWithError("save failed");
  }
  bench.SetItemsProcessed(bench.iterations() * kTracks);
  bench.SetBytesProcessed(bench.iterations() * static_cast<int64_t>(bench_folder().bytes.size()));
}
BENCHMARK(BM_SaveList)->Unit(benchmark::kMillisecond);

// The same bytes written over the file in place: no temporary, no flush to disk.
void BM_PlainWrite(benchmark::State& bench) {
  const std::string file = bench_folder().folder() + "Plain.cap";
  const std::string& bytes = bench_folder().bytes;
  for (auto _ : bench) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  bench.SetItemsProcessed(bench.iterations() * kTracks);
  bench.SetBytesProcessed(bench.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond);

// A plain write that is also flushed to disk: what the safe replace adds beyond it
// is the temporary file and the rename.
void BM_PlainWriteFlushedToDisk(benchmark::State& bench) {
  const std::string file = bench_folder().folder() + "Plain.cap";
  const std::string& bytes = bench_folder().bytes;
  for (auto _ : bench) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
        ::fsync(fd) != 0) {
      bench.SkipWithError("write failed");
    }
    if (fd >= 0) ::close(fd);
  }
  bench.SetItemsProcessed(bench.iterations() * kTracks);
  bench.SetBytesProcessed(bench.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_PlainWriteFlushedToDisk)->Unit(benchmark::kMillisecond);

void BM_BuildPlayOrder(benchmark::State& bench) {
  std::vector<int32_t> order;
  RandomDraw random;
  for (auto _ : bench) {
    build_play_order(order, kTracks, random);
    benchmark::DoNotOptimize(order.data());
  }
  bench.SetItemsProcessed(bench.iterations() * kTracks);
}
BENCHMARK(BM_BuildPlayOrder)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::printf("\nratios of the medians, elapsed time:\n");
  print_ratio(reporter, "reload (read, play order) / plain getline", "BM_LoadPlayList",
              "BM_PlainGetlineRead", "target <= 3");
  print_ratio(reporter, "load of another list / plain getline", "BM_LoadAnotherPlayList",
              "BM_PlainGetlineRead", "target <= 3");
  print_ratio(reporter, "save / plain write", "BM_SaveList", "BM_PlainWrite", "target <= 3");
  print_ratio(reporter, "save / plain write flushed to disk", "BM_SaveList",
              "BM_PlainWriteFlushedToDisk", "the same bytes made as safe");
  return 0;
}

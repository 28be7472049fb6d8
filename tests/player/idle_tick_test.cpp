// The idle cost of the playback timer: while a track plays and nothing else
// changes, a tick touches no file and allocates nothing that grows with the
// length of the play list.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>

#include "engine_rig.h"

namespace {
std::atomic<long> g_allocations{0};
std::atomic<bool> g_counting{false};
}  // namespace

// Counts every allocation of this test program while counting is on.
void* operator new(std::size_t size) {
  if (g_counting.load(std::memory_order_relaxed)) g_allocations.fetch_add(1);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (g_counting.load(std::memory_order_relaxed)) g_allocations.fetch_add(1);
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& t) noexcept {
  return operator new(size, t);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

constexpr int kTicks = 1000;

// Open file descriptors of this process.
int open_files() {
  int n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

struct IdleRun {
  long allocations = 0;
  int files_before = 0;
  int files_after = 0;
  std::string tooltip_before;
  std::string tooltip_after;
  size_t started_before = 0;
  size_t started_after = 0;
};

// Starts the music on a play list of n tracks, deletes its file, then counts
// what kTicks ticks with the track still playing cost.
IdleRun idle_ticks(int n) {
  EngineRig rig;
  rig.write_list("Long", tracks_of("Long", n));
  rig.set_lists({"Long"});
  rig.start_with("Long");
  rig.engine.tick();  // the first tick after the start settles any request
  IdleRun run;
  // With the file gone, a tick that read the list again would change what plays.
  rig.remove_list("Long");
  run.tooltip_before = rig.tooltip();
  run.started_before = rig.player.started.size();
  run.files_before = open_files();
  g_allocations = 0;
  g_counting = true;
  for (int i = 0; i < kTicks; ++i) rig.engine.tick();
  g_counting = false;
  run.allocations = g_allocations;
  run.files_after = open_files();
  run.tooltip_after = rig.tooltip();
  run.started_after = rig.player.started.size();
  return run;
}

TEST(IdleTick, ChangesNothingWhileATrackPlays) {
  IdleRun run = idle_ticks(10);
  EXPECT_EQ(run.started_after, run.started_before);
  EXPECT_EQ(run.tooltip_after, run.tooltip_before);
  EXPECT_EQ(run.files_after, run.files_before);
}

TEST(IdleTick, AllocatesNothingThatGrowsWithThePlayList) {
  IdleRun small = idle_ticks(10);
  IdleRun large = idle_ticks(30000);
  RecordProperty("allocations_10", static_cast<int>(small.allocations));
  RecordProperty("allocations_30000", static_cast<int>(large.allocations));
  std::printf("allocations in %d idle ticks: 10 tracks %ld, 30000 tracks %ld\n", kTicks,
              small.allocations, large.allocations);
  EXPECT_EQ(large.allocations, small.allocations);
  // A few per tick (the tooltip text is built again), never one per track.
  EXPECT_LE(small.allocations, 8L * kTicks);
  EXPECT_EQ(large.started_after, large.started_before);
  EXPECT_EQ(large.files_after, large.files_before);
}

}  // namespace

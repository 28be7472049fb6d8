// A save killed at any moment leaves the old or the new play list, whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>

#include "fake_ui.h"
#include "fault_fs.h"
#include "fault_lists.h"
#include "model/player_state.h"
#include "store/list_box.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

// Tells the parent it is about to save, then saves the two lists in turn
// until it is killed.
[[noreturn]] void keep_saving(PlayerState state, const std::vector<std::string>& a,
                              const std::vector<std::string>& b, int ready_fd) {
  FakeUi ui;
  const char ready = 1;
  (void)!::write(ready_fd, &ready, 1);
  for (;;) {
    save_list(state, ui, "Big", b);
    save_list(state, ui, "Big", a);
    ui.boxes.clear();
  }
}

TEST(SaveKilled, LeavesTheOldOrTheNewFileNeverATornOne) {
  TempDir dir;
  PlayerState state;
  state.playlist_folder = dir.folder();
  FakeUi ui;
  const std::vector<std::string> a = fault_tracks(30000, "A");
  const std::vector<std::string> b = fault_tracks(30000, "B");
  const std::string a_bytes = format_play_list(a);
  const std::string b_bytes = format_play_list(b);
  ASSERT_NE(a_bytes, b_bytes);
  ASSERT_TRUE(save_list(state, ui, "Other", fault_tracks(2, "other")));

  // How long one save takes here, so the kills land all over a save.
  const auto t0 = std::chrono::steady_clock::now();
  ASSERT_TRUE(save_list(state, ui, "Big", b));
  ASSERT_TRUE(save_list(state, ui, "Big", a));
  const auto one_save =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0) /
      2;
  const int64_t max_delay_us = std::max<int64_t>(4 * one_save.count(), 2000);

  std::mt19937 gen(4711);
  int saw_a = 0, saw_b = 0, killed_mid_save = 0;
  constexpr int kRounds = 200;
  for (int round = 0; round < kRounds; ++round) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) keep_saving(state, a, b, ready[1]);
    // The delay counts from the child's first save, however slow its start.
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
    const int64_t delay = std::uniform_int_distribution<int64_t>(0, max_delay_us)(gen);
    std::this_thread::sleep_for(std::chrono::microseconds(delay));
    ::kill(pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round;

    const std::string bytes = read_file_bytes(dir.folder() + "Big.cap");
    const bool is_a = bytes == a_bytes, is_b = bytes == b_bytes;
    ASSERT_TRUE(is_a || is_b) << "torn play list after round " << round << ": " << bytes.size()
                              << " bytes";
    saw_a += is_a;
    saw_b += is_b;
    ASSERT_TRUE(load_play_list(state, ui, "Big", false)) << round;
    ASSERT_EQ(state.track_count, 30000);
    ASSERT_EQ(state.track_list[30000], (is_a ? a : b).back());

    // The listing shows the two play lists and nothing a killed save left.
    MemoryListBox box;
    list_play_lists(state, ui, box);
    std::sort(box.items.begin(), box.items.end());
    ASSERT_EQ(box.items, (std::vector<std::string>{"Big", "Other"})) << round;
    ASSERT_TRUE(ui.boxes.empty());

    // What a kill in the middle leaves is a hidden temporary file; clear it
    // away so the rounds do not fill the disk.
    for (const auto& entry : fs::directory_iterator(dir.path())) {
      const std::string name = entry.path().filename().string();
      if (name == "Big.cap" || name == "Other.cap") continue;
      ASSERT_EQ(name.front(), '.') << name;
      ASSERT_EQ(name.substr(name.size() - 4), ".tmp") << name;
      ++killed_mid_save;
      fs::remove(entry.path());
    }
  }
  // The kills really landed inside saves, and both outcomes occurred.
  EXPECT_GT(killed_mid_save, kRounds / 20);
  EXPECT_GT(saw_a, 0);
  EXPECT_GT(saw_b, 0);
  std::printf("one save %lld us; %d of %d kills inside a save; old %d, new %d\n",
              static_cast<long long>(one_save.count()), killed_mid_save, kRounds, saw_a, saw_b);
}

}  // namespace

// Entry point of every test program: real widgets on the offscreen platform,
// silent audio, and a private settings, data and cache folder per run.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <string>

#include "temp_dir.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // Never touch the real user's options or play lists.
  static TempDir home;
  setenv("XDG_CONFIG_HOME", (home.path() / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home.path() / "data").c_str(), 1);
  setenv("XDG_CACHE_HOME", (home.path() / "cache").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home.path() / "runtime").c_str(), 1);
  std::filesystem::create_directories(home.path() / "runtime");
  std::filesystem::permissions(home.path() / "runtime", std::filesystem::perms::owner_all);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  // The same names as the program, so stores and data folders resolve alike.
  QApplication::setOrganizationName("Davrin Software");
  QApplication::setApplicationName("Davrin Audio Player");
  return RUN_ALL_TESTS();
}

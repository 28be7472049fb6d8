#include "shell/program_folder.h"

#include <gtest/gtest.h>

#include <QStandardPaths>

#include "temp_dir.h"

TEST(ProgramFolder, EndsInExactlyOneSeparator) {
  EXPECT_EQ(with_trailing_separator("/opt/davrin"), "/opt/davrin/");
  EXPECT_EQ(with_trailing_separator("/opt/davrin/"), "/opt/davrin/");
  EXPECT_EQ(with_trailing_separator("/"), "/");
}

TEST(ProgramFolder, AWritableProgramFolderHoldsThePlayLists) {
  TempDir dir;
  EXPECT_EQ(choose_playlist_folder(dir.path().string()), dir.folder());
}

TEST(ProgramFolder, AnUnwritableOneFallsBackToTheUsersDataFolder) {
  const std::string folder = choose_playlist_folder("/nonexistent/davrin/");
  const std::string data = std::string(getenv("XDG_DATA_HOME"));
  EXPECT_EQ(folder.rfind(data, 0), 0u) << folder;
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

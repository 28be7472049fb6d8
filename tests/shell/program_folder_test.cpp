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

TEST(ProgramFolder, TheHelpPageBesideTheProgramWins) {
  TempDir dir;
  dir.write("bin/help.htm", "<html></html>");
  dir.write("share/davrin-audio-player/help.htm", "<html></html>");
  const std::string bin = dir.folder() + "bin";
  EXPECT_FALSE(is_installed_copy(bin));
  EXPECT_EQ(help_folder(bin), bin + "/");
  EXPECT_EQ(choose_playlist_folder(bin), bin + "/");
}

TEST(ProgramFolder, AnInstalledCopyReadsHelpFromShareAndKeepsPlayListsPerUser) {
  TempDir dir;
  dir.write("share/davrin-audio-player/help.htm", "<html></html>");
  std::filesystem::create_directories(dir.path() / "bin");
  const std::string bin = dir.folder() + "bin/";
  EXPECT_TRUE(is_installed_copy(bin));
  EXPECT_EQ(help_folder(bin), dir.folder() + "share/davrin-audio-player/");
  // Even where the user could write beside the program.
  const std::string lists = choose_playlist_folder(bin);
  EXPECT_EQ(lists.rfind(std::string(getenv("XDG_DATA_HOME")), 0), 0u) << lists;
}

TEST(ProgramFolder, WithoutAnyHelpPageHelpAsksBesideTheProgram) {
  TempDir dir;
  EXPECT_EQ(help_folder(dir.path().string()), dir.folder());
}

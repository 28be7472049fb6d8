#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "store/play_list_files.h"
#include "temp_dir.h"

TEST(FileExists, NeedsMoreThanOneByte) {
  TempDir dir;
  EXPECT_FALSE(file_exists(dir.write("zero.cap", "")));
  EXPECT_FALSE(file_exists(dir.write("one.cap", "x")));
  EXPECT_TRUE(file_exists(dir.write("two.cap", "xy")));
  EXPECT_FALSE(file_exists(dir.folder() + "missing.cap"));
  EXPECT_FALSE(file_exists(""));
}

TEST(FileExists, FolderIsNoFileAndLinksCountAsTheirTarget) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "folder.cap");
  EXPECT_FALSE(file_exists(dir.folder() + "folder.cap"));
  std::filesystem::create_symlink(dir.write("real.cap", "full"), dir.path() / "link.cap");
  EXPECT_TRUE(file_exists(dir.folder() + "link.cap"));
  std::filesystem::create_symlink(dir.path() / "gone.cap", dir.path() / "dangling.cap");
  EXPECT_FALSE(file_exists(dir.folder() + "dangling.cap"));
}

TEST(FileTitleOf, CutsAfterTheLastSeparator) {
  EXPECT_EQ(file_title_of("/home/ann/Music/Song One.mp3"), "Song One.mp3");
  EXPECT_EQ(file_title_of("C:\\Music\\Old\\track.mid"), "track.mid");
  EXPECT_EQ(file_title_of("/mixed\\path/name\\last.wav"), "last.wav");
  EXPECT_EQ(file_title_of("bare name.rmi"), "bare name.rmi");
  EXPECT_EQ(file_title_of("/home/ann/Music/"), "");
  EXPECT_EQ(file_title_of("C:\\Music\\"), "");
  EXPECT_EQ(file_title_of(""), "");
}

TEST(PlayListPath, PrefersTheExactNameAndFallsBackToAnyCaseOfTheExtension) {
  TempDir dir;
  EXPECT_EQ(play_list_path(dir.folder(), "New"), dir.folder() + "New.cap");
  dir.write("Up.CAP", "x");
  EXPECT_EQ(play_list_path(dir.folder(), "Up"), dir.folder() + "Up.CAP");
  EXPECT_EQ(play_list_path(dir.folder(), "up"),
            dir.folder() + "up.cap");  // the name keeps its case
  dir.write("Up.cap", "x");
  EXPECT_EQ(play_list_path(dir.folder(), "Up"), dir.folder() + "Up.cap");
}

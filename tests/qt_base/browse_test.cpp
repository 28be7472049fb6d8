// The drive, folder and file lists that the editor and the folder picker share.
#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include "qt_base/browse/drive_list.h"
#include "qt_base/browse/file_list.h"
#include "qt_base/browse/folder_list.h"
#include "temp_dir.h"

namespace {

std::vector<std::string> entries_of(const FolderList& list) {
  std::vector<std::string> paths;
  for (int i = 0; i < list.count(); ++i) paths.push_back(list.entry_path(i));
  return paths;
}

void click_row(QListWidget& list, int row, Qt::KeyboardModifiers modifiers = {}) {
  const QRect rect = list.visualItemRect(list.item(row));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, rect.center());
}

}  // namespace

TEST(DriveList, OffersTheRootAndTheHomeFolderFirst) {
  DriveList drives;
  ASSERT_GE(drives.count(), 2);
  EXPECT_EQ(drives.drive(), "/");
  EXPECT_EQ(drives.itemText(0).toStdString(), "/");
  const std::string home = QFile::encodeName(QDir::homePath()).toStdString() + "/";
  EXPECT_EQ(DriveList::drive_roots().at(1), home);
  for (const std::string& root : DriveList::drive_roots()) {
    EXPECT_EQ(root.back(), '/');
    EXPECT_NE(root.rfind("/proc", 0), 0u) << root;
    EXPECT_NE(root.rfind("/sys", 0), 0u) << root;
  }
}

TEST(DriveList, DriveOfAFolderIsTheLongestRootHoldingIt) {
  EXPECT_EQ(DriveList::drive_of("/"), "/");
  const std::string home = QFile::encodeName(QDir::homePath()).toStdString() + "/";
  if (home != "/") {
    EXPECT_EQ(DriveList::drive_of(home + "Music/Rock/"), home);
    EXPECT_EQ(DriveList::drive_of(home), home);
    EXPECT_EQ(DriveList::drive_of(home.substr(0, home.size() - 1)), home);  // no trailing '/'
    // A folder beside the home folder whose name starts the same is not inside it.
    EXPECT_NE(DriveList::drive_of(home.substr(0, home.size() - 1) + "x/"), home);
  }
}

TEST(DriveList, SetDriveSelectsQuietlyAndAddsAMissingRoot) {
  DriveList drives;
  QSignalSpy chosen(&drives, &DriveList::drive_chosen);
  const int before = drives.count();
  drives.set_drive("/no-such-volume-here");
  EXPECT_EQ(drives.drive(), "/no-such-volume-here/");
  EXPECT_EQ(drives.count(), before + 1);
  drives.set_drive("/");
  EXPECT_EQ(drives.drive(), "/");
  EXPECT_EQ(drives.count(), before + 1);
  EXPECT_EQ(chosen.count(), 0);
}

TEST(DriveList, AUserChoiceIsSignalled) {
  DriveList drives;
  QSignalSpy chosen(&drives, &DriveList::drive_chosen);
  drives.show();
  QTest::keyClick(&drives, Qt::Key_Down);
  EXPECT_EQ(chosen.count(), 1);
  EXPECT_EQ(drives.drive(), DriveList::drive_roots().at(1));
}

TEST(FolderList, ShowsTheAncestorsThenTheSortedSubFolders) {
  TempDir tmp;
  tmp.write("music/beta/x.mp3", "x");
  tmp.write("music/Alpha/x.mp3", "x");
  tmp.write("music/.hidden/x.mp3", "x");
  tmp.write("music/song.mp3", "x");  // files are not folders
  FolderList folders;
  const std::string music = tmp.folder() + "music/";
  ASSERT_TRUE(folders.set_path(music));
  EXPECT_EQ(folders.path(), music);

  std::vector<std::string> expected{"/"};
  for (size_t pos = 1; (pos = music.find('/', pos)) != std::string::npos; ++pos)
    expected.push_back(music.substr(0, pos + 1));
  const int current_row = static_cast<int>(expected.size()) - 1;
  expected.push_back(music + "Alpha/");
  expected.push_back(music + "beta/");
  EXPECT_EQ(entries_of(folders), expected);
  EXPECT_EQ(folders.current_folder_row(), current_row);
  EXPECT_EQ(folders.currentRow(), current_row);
  EXPECT_EQ(folders.item(current_row)->text().toStdString(), "music");
}

TEST(FolderList, RefusesAFolderThatCannotBeRead) {
  TempDir tmp;
  FolderList folders;
  ASSERT_TRUE(folders.set_path(tmp.folder()));
  QSignalSpy changed(&folders, &FolderList::path_changed);
  const auto before = entries_of(folders);
  EXPECT_FALSE(folders.set_path(tmp.folder() + "gone/"));
  EXPECT_FALSE(folders.set_path(tmp.write("file.mp3", "x")));
  EXPECT_EQ(folders.path(), tmp.folder());
  EXPECT_EQ(entries_of(folders), before);
  EXPECT_EQ(changed.count(), 0);
}

TEST(FolderList, SignalsAChangeOnlyWhenTheFolderChanges) {
  TempDir tmp;
  tmp.write("a/x.mp3", "x");
  FolderList folders;
  QSignalSpy changed(&folders, &FolderList::path_changed);
  ASSERT_TRUE(folders.set_path(tmp.folder()));
  EXPECT_EQ(changed.count(), 1);
  ASSERT_TRUE(folders.set_path(tmp.path().string()));  // the same folder without the '/'
  EXPECT_EQ(changed.count(), 1);
  ASSERT_TRUE(folders.set_path(tmp.folder() + "a"));
  EXPECT_EQ(folders.path(), tmp.folder() + "a/");
  EXPECT_EQ(changed.count(), 2);
}

TEST(FolderList, ClickNamesTheEntryAndDoubleClickOpensIt) {
  TempDir tmp;
  tmp.write("a/inner/x.mp3", "x");
  tmp.write("b/x.mp3", "x");
  FolderList folders;
  folders.resize(300, 400);
  ASSERT_TRUE(folders.set_path(tmp.folder()));
  folders.show();
  QSignalSpy clicked(&folders, &FolderList::entry_clicked);
  QSignalSpy changed(&folders, &FolderList::path_changed);
  const int row_a = folders.current_folder_row() + 1;
  ASSERT_EQ(folders.entry_path(row_a), tmp.folder() + "a/");

  click_row(folders, row_a);
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked.at(0).at(0).value<std::string>(), tmp.folder() + "a/");
  EXPECT_EQ(folders.path(), tmp.folder());  // a click does not open it
  EXPECT_EQ(changed.count(), 0);

  QTest::mouseDClick(folders.viewport(), Qt::LeftButton, {},
                     folders.visualItemRect(folders.item(row_a)).center());
  EXPECT_EQ(folders.path(), tmp.folder() + "a/");
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(folders.entry_path(folders.current_folder_row() + 1), tmp.folder() + "a/inner/");

  // An ancestor opens the same way, with Enter as well.
  folders.setCurrentRow(folders.current_folder_row() - 1);
  QTest::keyClick(&folders, Qt::Key_Return);
  EXPECT_EQ(folders.path(), tmp.folder());
  EXPECT_EQ(changed.count(), 2);
}

TEST(FileList, ShowsMatchingOrdinaryFilesInAnyLetterCaseSortedByName) {
  TempDir tmp;
  tmp.write("b.mp3", "x");
  tmp.write("A.MP3", "x");
  tmp.write("c.Wav", "x");
  tmp.write("notes.txt", "x");
  tmp.write("cover.jpg", "x");
  tmp.write(".hidden.mp3", "x");
  tmp.write("folder.mp3/x.mp3", "x");
  FileList files;
  files.set_pattern("*.mp3;*.wav");
  ASSERT_TRUE(files.set_path(tmp.path().string()));
  EXPECT_EQ(files.path(), tmp.folder());
  EXPECT_EQ(files.file_names(), (std::vector<std::string>{"A.MP3", "b.mp3", "c.Wav"}));
  EXPECT_EQ(files.current_name(), "");
}

TEST(FileList, PatternChangeReReadsTheFolder) {
  TempDir tmp;
  tmp.write("a.mp3", "x");
  tmp.write("b.txt", "x");
  tmp.write("noext", "x");
  FileList files;
  ASSERT_TRUE(files.set_path(tmp.folder()));
  EXPECT_EQ(files.file_names(), (std::vector<std::string>{"a.mp3", "b.txt", "noext"}));  // "*.*"
  files.set_pattern("*.txt");
  EXPECT_EQ(files.file_names(), std::vector<std::string>{"b.txt"});
  EXPECT_TRUE(FileList::matches("*.mp3;*.wav;*.mid;*.rmi;*.cda", "Track01.CDA"));
  EXPECT_FALSE(FileList::matches("*.mp3;*.wav", "song.mp3.txt"));
}

TEST(FileList, AnUnreadableFolderLeavesTheListAsItWas) {
  TempDir tmp;
  tmp.write("a.mp3", "x");
  FileList files;
  ASSERT_TRUE(files.set_path(tmp.folder()));
  EXPECT_FALSE(files.set_path(tmp.folder() + "missing/"));
  EXPECT_EQ(files.path(), tmp.folder());
  EXPECT_EQ(files.file_names(), std::vector<std::string>{"a.mp3"});
}

TEST(FileList, SelectsSeveralEntriesAndReportsTheClickedOne) {
  TempDir tmp;
  for (const char* name : {"1.mp3", "2.mp3", "3.mp3", "4.mp3"}) tmp.write(name, "x");
  FileList files;
  files.resize(200, 300);
  ASSERT_TRUE(files.set_path(tmp.folder()));
  files.show();
  QSignalSpy clicked(&files, &FileList::file_clicked);
  click_row(files, 1);
  click_row(files, 3, Qt::ControlModifier);
  EXPECT_EQ(clicked.count(), 2);
  EXPECT_EQ(files.selected_names(), (std::vector<std::string>{"2.mp3", "4.mp3"}));
  EXPECT_EQ(files.current_name(), "4.mp3");
  QTest::keyClick(&files, Qt::Key_Up);
  EXPECT_EQ(clicked.count(), 3);
  EXPECT_EQ(files.current_name(), "3.mp3");
}

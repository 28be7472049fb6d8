#include "export/frm_getfolder.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "fake_launcher.h"
#include "fake_media_player.h"
#include "fake_settings_store.h"
#include "fake_ui.h"
#include "fake_zip_component.h"
#include "model/player_state.h"
#include "qt_base/twips.h"
#include "tab_stops.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

class FolderPicker : public ::testing::Test {
 protected:
  FolderPicker() {
    state.playlist_folder = dir.folder() + "program/";
    state.picker_folder = state.playlist_folder;
    state.picked_folder = "Select destination folder for .ZIP file";
    fs::create_directories(state.playlist_folder);
    fs::create_directories(dir.folder() + "backup/old/");
    fs::create_directories(dir.folder() + "backup/new/");
  }
  AppContext ctx() { return AppContext{state, ui, player, store, zip, launcher}; }
  static QPushButton* button(frm_getfolder& w, const char* name) {
    return w.findChild<QPushButton*>(name);
  }
  static void click(frm_getfolder& w, const char* name) {
    QTest::mouseClick(button(w, name), Qt::LeftButton);
  }
  static std::string label(frm_getfolder& w) {
    return w.findChild<QLabel*>("Label1")->text().toStdString();
  }
  static FolderList* folders(frm_getfolder& w) { return w.findChild<FolderList*>("Dir1"); }
  // Single click on the folder list's entry for folder.
  static void click_folder(frm_getfolder& w, const std::string& folder) {
    FolderList* list = folders(w);
    for (int row = 0; row < list->count(); ++row) {
      if (list->entry_path(row) != folder) continue;
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                        list->visualItemRect(list->item(row)).center());
      return;
    }
    ADD_FAILURE() << "no entry " << folder;
  }

  TempDir dir;
  PlayerState state;
  FakeUi ui;
  FakeMediaPlayer player;
  FakeSettingsStore store;
  FakeZipComponent zip;
  FakeLauncher launcher;
};

}  // namespace

TEST_F(FolderPicker, HasItsControlsInPlace) {
  AppContext c = ctx();
  frm_getfolder w(c);
  EXPECT_EQ(w.windowTitle(), "Select destination folder for .ZIP file");
  EXPECT_EQ(w.size(), QSize(393, 215));
  EXPECT_EQ(w.findChild<QLabel*>("Label2")->text(), "Look In:");
  EXPECT_EQ(button(w, "Command3")->text(), "New &Folder");
  EXPECT_EQ(button(w, "Command3")->toolTip(), " Click here to create a new folder ");
  EXPECT_EQ(button(w, "Command2")->text(), "&Cancel");
  EXPECT_EQ(button(w, "Command1")->text(), "&Ok");
  EXPECT_EQ(folders(w)->geometry(), twips_rect(45, 450, 5805, 1890));
  EXPECT_EQ(w.findChild<DriveList*>("Drive1")->geometry(), twips_rect(1620, 90, 3000, 315));
  // The hidden file list lies beyond the right edge.
  EXPECT_GE(w.findChild<FileList*>("file1")->geometry().left(), w.width());
}

TEST_F(FolderPicker, KeyboardAloneOpensAFolderAndChoosesIt) {
  state.picker_folder = dir.folder() + "backup/";
  AppContext c = ctx();
  frm_getfolder w(c);
  QWidget* drive = w.findChild<DriveList*>("Drive1");
  EXPECT_EQ(tab_stops(w, drive),
            (std::vector<std::string>{"Drive1", "Command3", "Dir1", "Command2", "Command1"}));
  EXPECT_EQ(tab_stops(w, drive, true),
            (std::vector<std::string>{"Drive1", "Command1", "Command2", "Dir1", "Command3"}));
  // Return in the folder list opens the folder and leaves the window open;
  // on a button it works that button.
  folders(w)->setFocus();
  folders(w)->setCurrentRow(folders(w)->current_folder_row() + 2);  // "old", after "new"
  QTest::keyClick(folders(w), Qt::Key_Return);
  EXPECT_EQ(folders(w)->path(), dir.folder() + "backup/old/");
  EXPECT_TRUE(w.isVisible());
  QTest::keyClick(button(w, "Command1"), Qt::Key_Return);
  EXPECT_EQ(state.picked_folder, dir.folder() + "backup/old/");
  EXPECT_FALSE(w.isVisible());
}

TEST_F(FolderPicker, OpensAtTheRememberedFolderItself) {
  state.picker_folder = dir.folder() + "backup/old/";
  AppContext c = ctx();
  frm_getfolder w(c);
  EXPECT_EQ(folders(w)->path(), dir.folder() + "backup/old/");
  EXPECT_EQ(label(w), dir.folder() + "backup/old/");
  EXPECT_EQ(state.picker_folder, dir.folder() + "backup/old/");
  EXPECT_EQ(w.findChild<DriveList*>("Drive1")->drive(), DriveList::drive_of(state.picker_folder));
}

TEST_F(FolderPicker, FallsBackSilentlyToTheProgramFolderWhenTheFolderIsGone) {
  state.picker_folder = dir.folder() + "backup/deleted since/";
  AppContext c = ctx();
  frm_getfolder w(c);
  EXPECT_EQ(state.picker_folder, state.playlist_folder);
  EXPECT_EQ(folders(w)->path(), state.playlist_folder);
  EXPECT_EQ(label(w), state.playlist_folder);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FolderPicker, OkAnswersTheFolderWithOneSeparator) {
  state.picker_folder = dir.folder() + "backup/old";
  AppContext c = ctx();
  frm_getfolder w(c);
  w.show();
  click(w, "Command1");
  EXPECT_EQ(state.picked_folder, dir.folder() + "backup/old/");
  EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST_F(FolderPicker, RootFolderAnswersASingleSlash) {
  state.picker_folder = "/";
  AppContext c = ctx();
  frm_getfolder w(c);
  w.show();
  click(w, "Command1");
  EXPECT_EQ(state.picked_folder, "/");
  EXPECT_EQ(state.picker_folder, "/");
}

TEST_F(FolderPicker, ClickedFolderIsTheChoiceAtOnce) {
  state.picker_folder = dir.folder() + "backup/";
  AppContext c = ctx();
  frm_getfolder w(c);
  w.show();
  click_folder(w, dir.folder() + "backup/new/");
  EXPECT_EQ(label(w), dir.folder() + "backup/new/");
  EXPECT_EQ(folders(w)->path(), dir.folder() + "backup/");  // the parent stays open
  click(w, "Command1");
  EXPECT_EQ(state.picked_folder, dir.folder() + "backup/new/");
}

TEST_F(FolderPicker, NewFolderIsMadeTrimmedAndChosen) {
  state.picker_folder = dir.folder() + "backup/";
  ui.input_answers = {"  My Songs  "};
  AppContext c = ctx();
  frm_getfolder w(c);
  w.show();
  click(w, "Command3");
  ASSERT_EQ(ui.inputs.size(), 1u);
  EXPECT_EQ(ui.inputs[0].prompt, "Please enter a name for the new folder:");
  EXPECT_EQ(ui.inputs[0].title, "Create new folder");
  EXPECT_EQ(ui.inputs[0].default_text, "New Folder");
  EXPECT_TRUE(fs::is_directory(dir.folder() + "backup/My Songs"));
  EXPECT_EQ(state.picker_folder, dir.folder() + "backup/My Songs/");
  EXPECT_EQ(folders(w)->path(), dir.folder() + "backup/My Songs/");
  EXPECT_EQ(label(w), dir.folder() + "backup/My Songs/");
  click(w, "Command1");
  EXPECT_EQ(state.picked_folder, dir.folder() + "backup/My Songs/");
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FolderPicker, SpacesOnlyOrCancelledNameDoesNothing) {
  state.picker_folder = dir.folder() + "backup/";
  ui.input_answers = {"    ", ""};
  AppContext c = ctx();
  frm_getfolder w(c);
  w.show();
  click(w, "Command3");
  click(w, "Command3");
  EXPECT_EQ(ui.inputs.size(), 2u);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(state.picker_folder, dir.folder() + "backup/");
  size_t entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.folder() + "backup/")) ++entries;
  EXPECT_EQ(entries, 2u);
}

TEST_F(FolderPicker, FailedCreateShowsTheFolderErrorAndChangesNothing) {
  state.picker_folder = dir.folder() + "backup/";
  ui.input_answers = {"old", "a/b"};
  AppContext c = ctx();
  frm_getfolder w(c);
  w.show();
  click(w, "Command3");  // exists already
  click(w, "Command3");  // no separators in a folder name
  ASSERT_EQ(ui.boxes.size(), 2u);
  for (const MessageBoxRequest& box : ui.boxes) {
    EXPECT_EQ(box.text, "Error trying to create folder!");
    EXPECT_EQ(box.title, "Folder Error!");
    EXPECT_EQ(box.buttons, MsgButtons::Ok);
    EXPECT_EQ(box.icon, MsgIcon::None);
  }
  EXPECT_EQ(state.picker_folder, dir.folder() + "backup/");
  EXPECT_EQ(folders(w)->path(), dir.folder() + "backup/");
}

TEST_F(FolderPicker, FailedCreateInAReadOnlyFolder) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write anywhere";
  fs::create_directories(dir.folder() + "locked/");
  fs::permissions(dir.folder() + "locked/", fs::perms::owner_read | fs::perms::owner_exec);
  state.picker_folder = dir.folder() + "locked/";
  ui.input_answers = {"New Folder"};
  AppContext c = ctx();
  frm_getfolder w(c);
  w.show();
  click(w, "Command3");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Error trying to create folder!");
  EXPECT_FALSE(fs::exists(dir.folder() + "locked/New Folder"));
}

TEST_F(FolderPicker, CancelAfterMovingAnswersEmptyAndRemembersTheFolder) {
  state.picker_folder = dir.folder() + "backup/";
  {
    AppContext c = ctx();
    frm_getfolder w(c);
    w.show();
    click_folder(w, dir.folder() + "backup/old/");
    click(w, "Command2");
    EXPECT_EQ(state.picked_folder, "");
    EXPECT_EQ(w.result(), QDialog::Rejected);
  }
  EXPECT_EQ(state.picker_folder, dir.folder() + "backup/old/");
  state.picked_folder = "Select destination folder for .ZIP file";
  AppContext c = ctx();
  frm_getfolder again(c);
  EXPECT_EQ(folders(again)->path(), dir.folder() + "backup/old/");
}

TEST_F(FolderPicker, CloseBoxAndEscapeAnswerEmpty) {
  AppContext c = ctx();
  {
    frm_getfolder w(c);
    w.show();
    w.close();
    EXPECT_EQ(state.picked_folder, "");
  }
  state.picked_folder = "Select destination folder for .ZIP file";
  frm_getfolder w(c);
  w.show();
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_EQ(state.picked_folder, "");
  EXPECT_FALSE(w.isVisible());
}

TEST_F(FolderPicker, ChosenDriveOpensAtItsRoot) {
  state.picker_folder = dir.folder() + "backup/";
  AppContext c = ctx();
  frm_getfolder w(c);
  w.show();
  DriveList* drives = w.findChild<DriveList*>("Drive1");
  const int root = drives->findText("/");
  ASSERT_GE(root, 0);
  drives->setCurrentIndex(root);
  emit drives->activated(root);
  EXPECT_EQ(folders(w)->path(), "/");
  EXPECT_EQ(label(w), "/");
  EXPECT_EQ(state.picker_folder, "/");
}

TEST_F(FolderPicker, UnreadableDriveReturnsSilentlyToTheFolderShown) {
  state.picker_folder = dir.folder() + "backup/old/";
  AppContext c = ctx();
  frm_getfolder w(c);
  w.show();
  DriveList* drives = w.findChild<DriveList*>("Drive1");
  const std::string before = drives->drive();
  drives->set_drive(dir.folder() + "unplugged/");  // a volume that has gone
  emit drives->activated(drives->currentIndex());
  EXPECT_EQ(drives->drive(), before);
  EXPECT_EQ(folders(w)->path(), dir.folder() + "backup/old/");
  EXPECT_EQ(state.picker_folder, dir.folder() + "backup/old/");
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FolderPicker, NameTheFileSystemRefusesShowsTheFolderError) {
  state.picker_folder = dir.folder() + "backup/";
  dir.write("backup/taken", "a file, not a folder");
  ui.input_answers = {std::string(300, 'x'), "taken"};
  AppContext c = ctx();
  frm_getfolder w(c);
  w.show();
  click(w, "Command3");
  click(w, "Command3");
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[0].text, "Error trying to create folder!");
  EXPECT_EQ(ui.boxes[1].title, "Folder Error!");
  EXPECT_EQ(state.picker_folder, dir.folder() + "backup/");
}

// New, Edit, Remove, .ZIP, About, Help and Other Davrin Products.
#include <QPushButton>
#include <filesystem>

#include "info/launches.h"
#include "settings_fixture.h"

namespace fs = std::filesystem;

namespace {
const std::vector<std::string> kThree = {"/music/a.mp3", "/music/b.mp3", "/music/c.mp3"};
const std::vector<std::string> kTwo = {"/music/x.wav", "/music/y.wav"};
}  // namespace

using NewPlayList = SettingsWindowTest;

TEST_F(NewPlayList, LeavingTheEditorSelectsThePreviousListWithNoTracksLoaded) {
  write_list("Rock", kThree);
  write_list("Jazz", kTwo);
  make_active("Rock", 2);
  state.changes_made = 1;
  int count_seen = -1, changes_seen = -1;
  on_editor = [&] {
    count_seen = state.track_count;
    changes_seen = state.changes_made;
  };
  auto w = open_window();
  click(*w, "Command2");
  EXPECT_EQ(opened, std::vector<std::string>{"editor"});
  EXPECT_EQ(count_seen, 0);
  EXPECT_EQ(changes_seen, 0);
  EXPECT_EQ(selected(*w), "Rock");
  EXPECT_EQ(state.current_list_name, "Rock");
  EXPECT_EQ(state.track_count, 0);  // until Ok loads it again

  click(*w, "Command1");
  EXPECT_EQ(state.track_count, 3);
  EXPECT_EQ(state.current_track, 1);
}

TEST_F(NewPlayList, ASavedListIsListedSelectedAndStartsFromTheFirstPosition) {
  write_list("Rock", kThree);
  make_active("Rock", 2);
  on_editor = [&] { ASSERT_TRUE(save_list(state, ui, "Fresh", {"/new/1.mp3", "/new/2.mp3"})); };
  auto w = open_window();
  click(*w, "Command2");
  EXPECT_TRUE(entries(*w).contains("Fresh"));
  EXPECT_EQ(entries(*w).size(), 2);
  EXPECT_EQ(selected(*w), "Fresh");
  EXPECT_EQ(state.current_list_name, "Fresh");
  EXPECT_EQ(state.current_list_index, entries(*w).indexOf("Fresh") + 1);

  click(*w, "Command1");
  EXPECT_EQ(state.active_collection, "Fresh");
  EXPECT_EQ(state.track_count, 2);
  EXPECT_EQ(state.current_track, 0);
}

using EditPlayList = SettingsWindowTest;

TEST_F(EditPlayList, AnEmptyListOpensTheEditorLikeANewOne) {
  write_list("Empty", {});
  write_list("Rock", kThree);
  make_active("Rock", 1);
  int count_seen = -1;
  std::string name_seen;
  on_editor = [&] {
    count_seen = state.track_count;
    name_seen = state.current_list_name;
  };
  auto w = open_window();
  click_entry(*w, "Empty");
  click(*w, "Command3");
  EXPECT_EQ(opened, std::vector<std::string>{"editor"});
  EXPECT_EQ(count_seen, 0);
  EXPECT_EQ(name_seen, "Empty");
}

TEST_F(EditPlayList, TheEditedListBecomesActiveEvenWhenNotSaved) {
  write_list("Rock", kThree);
  write_list("Jazz", kTwo);
  make_active("Rock", 2);
  int count_seen = -1, changes_seen = -1;
  std::string active_seen;
  on_editor = [&] {
    count_seen = state.track_count;
    changes_seen = state.changes_made;
    active_seen = state.active_collection;
  };
  auto w = open_window();
  click_entry(*w, "Jazz");
  state.changes_made = 1;
  click(*w, "Command3");
  EXPECT_EQ(count_seen, 2);
  EXPECT_EQ(changes_seen, 0);
  EXPECT_EQ(active_seen, "Jazz");
  EXPECT_EQ(state.active_collection, "Jazz");
  EXPECT_EQ(selected(*w), "Jazz");
  EXPECT_EQ(state.track_list[2], "/music/y.wav");
}

TEST_F(EditPlayList, NothingHappensWithoutAChosenList) {
  write_list("Rock", kThree);
  auto w = open_window();
  click(*w, "Command3");
  click(*w, "Command5");
  click(*w, "Command4");
  EXPECT_TRUE(opened.empty());
  EXPECT_TRUE(ui.boxes.empty());
}

using RemovePlayList = SettingsWindowTest;

TEST_F(RemovePlayList, AnsweredNoKeepsTheFile) {
  write_list("Rock", kThree);
  write_list("Jazz", kTwo);
  make_active("Rock", 1);
  auto w = open_window();
  click_entry(*w, "Jazz");
  ui.answers.push_back(MsgAnswer::No);
  click(*w, "Command4");
  ASSERT_EQ(ui.boxes.size(), 1u);
  const MessageBoxRequest& box = ui.boxes[0];
  EXPECT_EQ(box.text, "You are about to remove this play list!\r\rIs this what you want to do?\r");
  EXPECT_EQ(box.title, "Remove Play List?");
  EXPECT_EQ(box.buttons, MsgButtons::YesNo);
  EXPECT_EQ(box.icon, MsgIcon::Critical);
  EXPECT_EQ(box.default_button, MsgDefault::Second);
  EXPECT_TRUE(fs::exists(list_file("Jazz")));
  EXPECT_EQ(entries(*w).size(), 2);
  EXPECT_EQ(selected(*w), "Jazz");

  // Return takes the default button, No.
  click(*w, "Command4");
  EXPECT_EQ(ui.boxes.size(), 2u);
  EXPECT_TRUE(fs::exists(list_file("Jazz")));
}

TEST_F(RemovePlayList, AnsweredYesDeletesTheFileAndRefreshesTheList) {
  write_list("Rock", kThree);
  write_list("Jazz", kTwo);
  make_active("Rock", 1);
  auto w = open_window();
  click_entry(*w, "Jazz");
  ui.answers.push_back(MsgAnswer::Yes);
  // The first yield comes after the deletion and before the list is refreshed.
  bool file_at_yield = true;
  int listed_at_yield = -1;
  ui.on_yield = [&] {
    file_at_yield = fs::exists(list_file("Jazz"));
    listed_at_yield = list1(*w)->count();
    ui.on_yield = nullptr;
  };
  click(*w, "Command4");
  EXPECT_FALSE(file_at_yield);
  EXPECT_EQ(listed_at_yield, 2);
  EXPECT_FALSE(fs::exists(list_file("Jazz")));
  EXPECT_TRUE(fs::exists(list_file("Rock")));
  EXPECT_EQ(entries(*w), QStringList{"Rock"});
  EXPECT_EQ(ui.boxes.size(), 1u);
  // The active list is still there, so it is chosen again.
  EXPECT_EQ(selected(*w), "Rock");
  EXPECT_EQ(state.active_collection, "Rock");
  EXPECT_EQ(state.current_list_name, "Rock");
  EXPECT_EQ(state.track_count, 3);
}

TEST_F(RemovePlayList, AFileDeletedBehindTheProgramsBackShowsTheErrorAndKeepsTheName) {
  write_list("Rock", kThree);
  write_list("Jazz", kTwo);
  auto w = open_window();
  click_entry(*w, "Jazz");
  fs::remove(list_file("Jazz"));
  ui.answers.push_back(MsgAnswer::Yes);
  click(*w, "Command4");
  ASSERT_EQ(ui.boxes.size(), 2u);
  const MessageBoxRequest& box = ui.boxes[1];
  EXPECT_EQ(box.text, "Error removing play list!");
  EXPECT_EQ(box.title, "File I/O Error");
  EXPECT_EQ(box.buttons, MsgButtons::Ok);
  EXPECT_EQ(box.icon, MsgIcon::None);
  EXPECT_TRUE(entries(*w).contains("Jazz"));
  EXPECT_EQ(selected(*w), "Jazz");
}

TEST_F(RemovePlayList, RemovingTheActiveListLeavesNothingToPlay) {
  write_list("Rock", kThree);
  write_list("Jazz", kTwo);
  make_active("Rock", 2);
  auto w = open_window();
  ui.answers.push_back(MsgAnswer::Yes);
  click(*w, "Command4");
  EXPECT_FALSE(fs::exists(list_file("Rock")));
  EXPECT_EQ(entries(*w), QStringList{"Jazz"});
  EXPECT_TRUE(list1(*w)->selectedItems().isEmpty());
  EXPECT_EQ(state.active_collection, "");
  EXPECT_EQ(state.current_list_name, "");
  EXPECT_EQ(state.track_count, 0);
  const int track = state.current_track;
  click(*w, "Command1");
  EXPECT_EQ(state.track_count, 0);
  EXPECT_EQ(state.current_track, track);
}

using ZipExport = SettingsWindowTest;

TEST_F(ZipExport, CancelledPickerOpensNoExportWindow) {
  write_list("Rock", kThree);
  make_active("Rock", 1);
  std::string title_seen;
  on_picker = [&] {
    title_seen = state.picked_folder;
    state.picked_folder.clear();
  };
  auto w = open_window();
  click(*w, "Command5");
  EXPECT_EQ(title_seen, "Select destination folder for .ZIP file");
  EXPECT_EQ(opened, std::vector<std::string>{"picker"});
}

TEST_F(ZipExport, ChosenFolderOpensTheExportOfTheChosenList) {
  write_list("Rock", kThree);
  write_list("Jazz", kTwo);
  make_active("Rock", 1);
  const std::string target = dir.folder() + "out/";
  on_picker = [&] { state.picked_folder = target; };
  std::string list_seen, folder_seen;
  on_zipit = [&] {
    list_seen = state.current_list_name;
    folder_seen = state.picked_folder;
  };
  auto w = open_window();
  click_entry(*w, "Jazz");
  click(*w, "Command5");
  EXPECT_EQ(opened, (std::vector<std::string>{"picker", "zipit"}));
  EXPECT_EQ(list_seen, "Jazz");
  EXPECT_EQ(folder_seen, target);
  EXPECT_EQ(selected(*w), "Jazz");
}

using OtherButtons = SettingsWindowTest;

TEST_F(OtherButtons, AboutOpensTheAboutWindow) {
  auto w = open_window();
  click(*w, "Command7");
  EXPECT_EQ(opened, std::vector<std::string>{"about"});
  EXPECT_TRUE(w->isVisible());
}

TEST_F(OtherButtons, HelpOpensTheHelpPageBesideTheProgram) {
  auto w = open_window();
  click(*w, "Command9");
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(launcher.opened[0], dir.folder() + "help.htm");
  EXPECT_TRUE(ui.boxes.empty());

  launcher.succeed = false;
  click(*w, "Command9");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Shell Execute Error. (No default browser?)");
  EXPECT_EQ(ui.boxes[0].title, "Davrin Audio Player");
}

TEST_F(OtherButtons, OtherProductsOpensTheMakersPageAndNamesTheBrowserOnFailure) {
  auto w = open_window();
  launcher.succeed = false;
  const int yields_before = ui.yields;
  click(*w, "Command8");
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(launcher.opened[0].rfind("https://", 0), 0u);
  EXPECT_EQ(ui.yields, yields_before);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, kBrowserError);
  EXPECT_EQ(ui.boxes[0].title, "Error!");
  EXPECT_TRUE(w->isVisible());
}

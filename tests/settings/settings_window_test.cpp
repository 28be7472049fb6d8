// Choosing the play list, the order, the end-of-list action and the web link.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

#include "settings_fixture.h"

namespace {
const std::vector<std::string> kThree = {"/music/a.mp3", "/music/b.mp3", "/music/c.mp3"};
const std::vector<std::string> kTwo = {"/music/x.wav", "/music/y.wav"};
}  // namespace

using ShowCurrent = SettingsWindowTest;

TEST_F(ShowCurrent, EmptyFolderListsNothingAndClearsTheActiveList) {
  state.active_collection = "Gone";
  state.current_list_name = "Gone";
  state.track_count = 4;
  auto w = open_window();
  EXPECT_EQ(list1(*w)->count(), 0);
  EXPECT_TRUE(list1(*w)->selectedItems().isEmpty());
  EXPECT_EQ(state.active_collection, "");
  EXPECT_EQ(state.current_list_name, "");
  EXPECT_EQ(state.track_count, 0);
  EXPECT_EQ(state.current_list_index, 0);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ShowCurrent, ListsThePlayListsInTheListingOrderAndSelectsTheActiveOne) {
  write_list("Rock", kThree);
  write_list("Jazz", kTwo);
  write_list("Blues", kTwo);
  dir.write("notes.txt", "not a play list");
  make_active("Jazz", 1);
  auto w = open_window();

  QStringList listed;
  for (int i = 1; i <= state.list_count; ++i) listed << QString::fromStdString(state.list_names[i]);
  EXPECT_EQ(entries(*w), listed);
  EXPECT_EQ(state.list_count, 3);
  EXPECT_EQ(selected(*w), "Jazz");
  EXPECT_EQ(state.current_list_name, "Jazz");
  EXPECT_EQ(state.current_list_index, listed.indexOf("Jazz") + 1);
  EXPECT_EQ(state.active_collection, "Jazz");
  EXPECT_EQ(state.track_count, 2);
}

TEST_F(ShowCurrent, ActiveListDifferingOnlyInLetterCaseIsClearedAsGone) {
  write_list("Rock", kThree);
  state.active_collection = "rock";
  state.current_list_name = "rock";
  state.track_count = 3;
  auto w = open_window();
  EXPECT_EQ(entries(*w), QStringList{"Rock"});
  EXPECT_TRUE(list1(*w)->selectedItems().isEmpty());
  EXPECT_EQ(state.active_collection, "");
  EXPECT_EQ(state.current_list_name, "");
  EXPECT_EQ(state.track_count, 0);
}

using ChoosingAPlayList = SettingsWindowTest;

TEST_F(ChoosingAPlayList, ClickChoosesWithoutLoadingAndOkLoadsFromTheFirstPosition) {
  write_list("Rock", kThree);
  write_list("Jazz", kTwo);
  make_active("Rock", 2);
  auto w = open_window();

  click_entry(*w, "Jazz");
  EXPECT_EQ(state.current_list_name, "Jazz");
  EXPECT_EQ(state.current_list_index, entries(*w).indexOf("Jazz") + 1);
  EXPECT_EQ(state.active_collection, "Rock");
  EXPECT_EQ(state.track_count, 3);

  click(*w, "Command1");
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(state.active_collection, "Jazz");
  EXPECT_EQ(state.track_count, 2);
  EXPECT_EQ(state.track_list[1], "/music/x.wav");
  EXPECT_EQ(state.current_track, 0);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ChoosingAPlayList, OkWithTheSameListReloadsItAndResumesTheInterruptedTrack) {
  write_list("Rock", kThree);
  make_active("Rock", 2);
  state.player_random = 0;
  auto w = open_window();
  // The file changed since it was loaded: Ok reads it again.
  write_list("Rock", {"/music/a.mp3", "/music/b.mp3", "/music/c.mp3", "/music/d.mp3"});
  click(*w, "Command1");
  EXPECT_EQ(state.track_count, 4);
  EXPECT_EQ(state.current_track, 1);  // the next tick moves on to 2 and plays it again
  EXPECT_EQ(state.track_list[4], "/music/d.mp3");
  EXPECT_EQ(state.play_order.size(), 5u);
  EXPECT_EQ(state.active_collection, "Rock");
}

TEST_F(ChoosingAPlayList, OkNeverLeavesThePositionBelowTheFirst) {
  write_list("Rock", kThree);
  make_active("Rock", 0);
  open_window()->findChild<QPushButton*>("Command1")->click();
  EXPECT_EQ(state.current_track, 0);

  make_active("Rock", 1);
  state.repeat_track_on = 1;
  open_window()->findChild<QPushButton*>("Command1")->click();
  EXPECT_EQ(state.current_track, 0);

  make_active("Rock", 3);
  open_window()->findChild<QPushButton*>("Command1")->click();
  EXPECT_EQ(state.current_track, 2);
}

TEST_F(ChoosingAPlayList, OkWithNothingChosenLoadsNothingAndKeepsThePosition) {
  write_list("Rock", kThree);
  state.current_track = 3;
  auto w = open_window();
  click(*w, "Command1");
  EXPECT_EQ(state.current_track, 3);
  EXPECT_EQ(state.track_count, 0);
  EXPECT_EQ(state.active_collection, "");
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ChoosingAPlayList, OkOnAListThatCannotBeReadShowsTheLoadError) {
  write_list("Rock", kThree);
  write_list("Jazz", kTwo);
  make_active("Rock", 2);
  auto w = open_window();
  click_entry(*w, "Jazz");
  std::filesystem::remove(list_file("Jazz"));
  click(*w, "Command1");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, kLoadErrorText);
  EXPECT_EQ(state.track_count, 0);
  EXPECT_EQ(state.current_track, 0);
}

TEST_F(ChoosingAPlayList, CloseBoxAndEscapeActAsOk) {
  write_list("Rock", kThree);
  write_list("Jazz", kTwo);
  make_active("Rock", 2);
  auto w = open_window();
  click_entry(*w, "Jazz");
  EXPECT_TRUE(w->close());
  EXPECT_EQ(w->result(), QDialog::Accepted);
  EXPECT_EQ(state.active_collection, "Jazz");
  EXPECT_EQ(state.current_track, 0);

  state.current_track = 2;
  auto again = open_window();
  QTest::keyClick(again.get(), Qt::Key_Escape);
  EXPECT_FALSE(again->isVisible());
  EXPECT_EQ(again->result(), QDialog::Accepted);
  EXPECT_EQ(state.current_track, 1);
}

using OptionButtons = SettingsWindowTest;

TEST_F(OptionButtons, ShowTheCurrentValuesAndWriteEachClickAtOnce) {
  state.player_random = 1;
  state.list_done_action = 0;
  auto w = open_window();
  auto* random = child<QRadioButton>(*w, "Option2_1");
  EXPECT_TRUE(random->isChecked());
  EXPECT_FALSE(child<QRadioButton>(*w, "Option2_0")->isChecked());
  auto* repeat = child<QRadioButton>(*w, "Option1_0");
  EXPECT_TRUE(repeat->isChecked());
  EXPECT_EQ(repeat->text(), "Repeat Current Play List");

  click(*w, "Option2_0");
  EXPECT_EQ(state.player_random, 0);
  EXPECT_FALSE(random->isChecked());
  click(*w, "Option1_2");
  EXPECT_EQ(state.list_done_action, 2);
  EXPECT_FALSE(repeat->isChecked());
  click(*w, "Option1_1");
  EXPECT_EQ(state.list_done_action, 1);
  click(*w, "Option2_1");
  EXPECT_EQ(state.player_random, 1);
}

TEST_F(OptionButtons, ValuesWithNoButtonSelectNothingAndStayUntilClicked) {
  state.player_random = 7;
  state.list_done_action = -1;
  auto w = open_window();
  for (const char* name : {"Option2_0", "Option2_1", "Option1_0", "Option1_1", "Option1_2"}) {
    EXPECT_FALSE(child<QRadioButton>(*w, name)->isChecked()) << name;
  }
  EXPECT_EQ(state.player_random, 7);
  EXPECT_EQ(state.list_done_action, -1);
  click(*w, "Option1_2");
  EXPECT_EQ(state.list_done_action, 2);
  EXPECT_EQ(state.player_random, 7);
  click(*w, "Command1");
  EXPECT_EQ(state.player_random, 7);
}

using WebLinkBoxes = SettingsWindowTest;

TEST_F(WebLinkBoxes, ShowTheLinkAndWriteEveryChange) {
  state.web_description = "Radio";
  state.web_link = "http://radio.example/";
  auto w = open_window();
  auto* text1 = child<QLineEdit>(*w, "Text1");
  auto* text2 = child<QLineEdit>(*w, "Text2");
  EXPECT_EQ(text1->text(), "Radio");
  EXPECT_EQ(text2->text(), "http://radio.example/");

  text1->setFocus();
  text1->end(false);
  QTest::keyClick(text1, 'X');
  EXPECT_EQ(state.web_description, "RadioX");
  text2->end(false);
  QTest::keyClicks(text2, "a?b");
  EXPECT_EQ(state.web_link, "http://radio.example/a?b");
}

TEST_F(WebLinkBoxes, RefusedKeysLeaveTheTextUnchanged) {
  auto w = open_window();
  auto* text1 = child<QLineEdit>(*w, "Text1");
  auto* text2 = child<QLineEdit>(*w, "Text2");
  QTest::keyClicks(text1, "My-Radio_=&Show");
  EXPECT_EQ(text1->text(), "MyRadioShow");
  EXPECT_EQ(state.web_description, "MyRadioShow");
  QTest::keyClicks(text2, "http://a.example/x?y=1&z-2_3%");
  EXPECT_EQ(text2->text(), "http://a.example/x?y1z23");
  EXPECT_EQ(state.web_link, "http://a.example/x?y1z23");
}

TEST_F(WebLinkBoxes, PastedTextIsFilteredLikeTypedText) {
  auto w = open_window();
  auto* text2 = child<QLineEdit>(*w, "Text2");
  QApplication::clipboard()->setText("http://a-b.example/?q=1&r=2");
  text2->paste();
  EXPECT_EQ(text2->text(), "http://ab.example/?q1r2");
  EXPECT_EQ(state.web_link, "http://ab.example/?q1r2");
}

TEST_F(WebLinkBoxes, ClearingTheDescriptionEmptiesIt) {
  state.web_description = "Jazz";
  auto w = open_window();
  auto* text1 = child<QLineEdit>(*w, "Text1");
  text1->setFocus();
  text1->end(false);
  for (int i = 0; i < 4; ++i) QTest::keyClick(text1, Qt::Key_Backspace);
  EXPECT_EQ(text1->text(), "");
  EXPECT_EQ(state.web_description, "");
}

TEST_F(WebLinkBoxes, StoredTextsAreShownAndKeptAsStored) {
  // Only typing and pasting are filtered: opening the window must not change
  // a link saved with characters the boxes refuse.
  state.web_description = "Rock & Roll";
  state.web_link = "http://my-radio.example/?a=1&b=2";
  auto w = open_window();
  EXPECT_EQ(child<QLineEdit>(*w, "Text1")->text().toStdString(), "Rock & Roll");
  EXPECT_EQ(child<QLineEdit>(*w, "Text2")->text().toStdString(),
            "http://my-radio.example/?a=1&b=2");
  click(*w, "Command1");
  EXPECT_EQ(state.web_description, "Rock & Roll");
  EXPECT_EQ(state.web_link, "http://my-radio.example/?a=1&b=2");
}

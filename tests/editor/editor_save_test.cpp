// Saving and leaving the editor: the title check, the overwrite question,
// the unsaved-changes question and what lands in the play-list folder.
#include <QApplication>
#include <QClipboard>

#include "editor_fixture.h"

namespace {

constexpr const char* kUnsaved =
    "You have made changes to your play list!\r\rIf you exit now you will lose your changes.\r\r"
    "Is this what you want to do?\r";

void expect_question(const MessageBoxRequest& box, const std::string& text,
                     const std::string& title) {
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.title, title);
  EXPECT_EQ(box.buttons, MsgButtons::YesNo);
  EXPECT_EQ(box.icon, MsgIcon::Critical);
  EXPECT_EQ(box.default_button, MsgDefault::Second);
}

}  // namespace

class EditorSaveTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    make_folder("", {"a.mp3", "b.mp3"});
  }
  void type_title(frm_collection& window, const char* text) {
    auto* box = child<QLineEdit>(window, "Text1");
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
  }
  std::string list_of(const std::vector<std::string>& paths) { return format_play_list(paths); }
};

TEST_F(EditorSaveTest, SavingANewListWritesItAndClosesWithoutAQuestion) {
  auto window = open_new();
  click(*window, "Command1");
  type_title(*window, "Sunday");
  click(*window, "Command7");
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->result(), QDialog::Accepted);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(read_file_bytes(lists + "Sunday.cap"), list_of({music + "a.mp3", music + "b.mp3"}));
  EXPECT_EQ(state.active_collection, "Sunday");
  EXPECT_EQ(state.changes_made, 0);
}

TEST_F(EditorSaveTest, SaveOfAnUntouchedEmptyListJustCloses) {
  auto window = open_new();
  click(*window, "Command7");
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(std::filesystem::is_empty(lists));
}

TEST_F(EditorSaveTest, SaveAfterRemoveAllAsksAboutTheChanges) {
  auto window = open_existing("Old", {"/m/1.mp3"});
  click(*window, "Command2");
  ui.answers = {MsgAnswer::No};
  click(*window, "Command7");
  ASSERT_EQ(ui.boxes.size(), 1u);
  expect_question(ui.boxes[0], kUnsaved, "Cancel And Exit?");
  EXPECT_TRUE(window->isVisible());

  ui.answers = {MsgAnswer::Yes};
  click(*window, "Command7");
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(std::filesystem::is_empty(lists));
}

TEST_F(EditorSaveTest, AnEmptyTitleIsRefusedWithAMessageAndNothingIsLost) {
  auto window = open_new();
  click(*window, "Command1");
  click(*window, "Command7");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Please enter a title for this play list!");
  EXPECT_EQ(ui.boxes[0].title, "Davrin Audio Player");
  EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(ui.boxes[0].icon, MsgIcon::None);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->item_count(), 2);
  EXPECT_EQ(state.changes_made, 1);
  EXPECT_TRUE(std::filesystem::is_empty(lists));
}

TEST_F(EditorSaveTest, ANameOfAnotherPlayListAsksBeforeReplacingIt) {
  tmp.write("lists/Party.cap", "old party list");
  auto window = open_new();
  click(*window, "Command1");
  type_title(*window, "Party");
  ui.answers = {MsgAnswer::Yes};
  click(*window, "Command7");
  ASSERT_EQ(ui.boxes.size(), 1u);
  expect_question(ui.boxes[0], "A play list by this name already exists!",
                  "Over write existing play list?");
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(read_file_bytes(lists + "Party.cap"), list_of({music + "a.mp3", music + "b.mp3"}));
}

TEST_F(EditorSaveTest, NoToTheOverwriteQuestionLeavesTheFileAndCloses) {
  tmp.write("lists/Party.cap", "old party list");
  auto window = open_new();
  click(*window, "Command1");
  type_title(*window, "Party");
  ui.answers = {MsgAnswer::No};
  click(*window, "Command7");
  EXPECT_EQ(ui.boxes.size(), 1u);  // no unsaved-changes question after it
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(read_file_bytes(lists + "Party.cap"), "old party list");
}

TEST_F(EditorSaveTest, ANameDifferingOnlyInLetterCaseAsksWhenThatListExists) {
  tmp.write("lists/Mix.cap", "the edited list");
  tmp.write("lists/MIX.cap", "another list");
  auto window = open_existing("Mix", {"/m/1.mp3"});
  type_title(*window, "MIX");
  ui.answers = {MsgAnswer::Yes};
  click(*window, "Command7");
  ASSERT_EQ(ui.boxes.size(), 1u);
  expect_question(ui.boxes[0], "A play list by this name already exists!",
                  "Over write existing play list?");
  EXPECT_EQ(read_file_bytes(lists + "MIX.cap"), list_of({"/m/1.mp3"}));
  EXPECT_EQ(read_file_bytes(lists + "Mix.cap"), "the edited list");
}

TEST_F(EditorSaveTest, EmptyAndOneByteFilesAreReplacedWithoutAQuestion) {
  tmp.write("lists/Zero.cap", "");
  tmp.write("lists/One.cap", "x");
  for (const char* title : {"Zero", "One"}) {
    auto window = open_new();
    click(*window, "Command1");
    type_title(*window, title);
    click(*window, "Command7");
    EXPECT_FALSE(window->isVisible()) << title;
    EXPECT_EQ(read_file_bytes(lists + title + ".cap"), list_of({music + "a.mp3", music + "b.mp3"}));
  }
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(EditorSaveTest, AnEditedListUnderItsOwnTitleIsRewrittenWithoutAQuestion) {
  tmp.write("lists/Drive.cap", format_play_list({"/m/1.mp3"}));
  auto window = open_existing("Drive", {"/m/1.mp3"});
  click(*window, "Command1");
  click(*window, "Command7");
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(read_file_bytes(lists + "Drive.cap"),
            list_of({"/m/1.mp3", music + "a.mp3", music + "b.mp3"}));
}

TEST_F(EditorSaveTest, AListNamedOutsideTheProgramKeepsItsNameAndIsRewrittenInPlace) {
  tmp.write("lists/rock-n-roll.cap", format_play_list({"/m/1.mp3"}));
  auto window = open_existing("rock-n-roll", {"/m/1.mp3"});
  EXPECT_EQ(window->list_title(), "rock-n-roll");
  click(*window, "Command1");
  click(*window, "Command7");
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(read_file_bytes(lists + "rock-n-roll.cap"),
            list_of({"/m/1.mp3", music + "a.mp3", music + "b.mp3"}));
}

TEST_F(EditorSaveTest, AnEditedListUnderANewTitleLeavesTheOldFile) {
  tmp.write("lists/Drive.cap", format_play_list({"/m/1.mp3"}));
  auto window = open_existing("Drive", {"/m/1.mp3"});
  type_title(*window, "Drive Two");
  click(*window, "Command7");
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(read_file_bytes(lists + "Drive Two.cap"), list_of({"/m/1.mp3"}));
  EXPECT_EQ(read_file_bytes(lists + "Drive.cap"), format_play_list({"/m/1.mp3"}));
  EXPECT_EQ(state.active_collection, "Drive Two");
}

TEST_F(EditorSaveTest, ANewListGivenTheLoadedListsTitleAsksBeforeReplacingIt) {
  tmp.write("lists/Loaded.cap", format_play_list({"/m/1.mp3"}));
  state.current_list_name = "Loaded";
  auto window = open_new();
  click(*window, "Command1");
  type_title(*window, "Loaded");
  ui.answers = {MsgAnswer::No};
  click(*window, "Command7");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].title, "Over write existing play list?");
  EXPECT_EQ(read_file_bytes(lists + "Loaded.cap"), format_play_list({"/m/1.mp3"}));
}

TEST_F(EditorSaveTest, AFailedSaveKeepsTheWindowTheListAndTheTitle) {
  state.playlist_folder = tmp.folder() + "no such folder/";
  auto window = open_new();
  click(*window, "Command1");
  type_title(*window, "Kept");
  state.changes_made = 0;  // the failure itself marks the work as unsaved
  click(*window, "Command7");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Error saving playlist data!");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->entry_paths(), (std::vector<std::string>{music + "a.mp3", music + "b.mp3"}));
  EXPECT_EQ(window->list_title(), "Kept");
  EXPECT_EQ(state.changes_made, 1);
  EXPECT_EQ(state.active_collection, "");

  // The close box now warns about the unsaved list; once the folder is there, saving works.
  window->close();
  EXPECT_EQ(ui.boxes.size(), 2u);
  EXPECT_TRUE(window->isVisible());
  std::filesystem::create_directories(state.playlist_folder);
  click(*window, "Command7");
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(read_file_bytes(state.playlist_folder + "Kept.cap"),
            list_of({music + "a.mp3", music + "b.mp3"}));
}

TEST_F(EditorSaveTest, TheCloseBoxAndEscapeAskAfterAChange) {
  auto window = open_new();
  click(*window, "Command1");
  window->close();  // the close box
  ASSERT_EQ(ui.boxes.size(), 1u);
  expect_question(ui.boxes[0], kUnsaved, "Cancel And Exit?");
  EXPECT_TRUE(window->isVisible());
  QTest::keyClick(window.get(), Qt::Key_Escape);
  EXPECT_EQ(ui.boxes.size(), 2u);
  EXPECT_TRUE(window->isVisible());
  ui.answers = {MsgAnswer::Yes};
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(std::filesystem::is_empty(lists));
}

TEST_F(EditorSaveTest, NothingIsAskedWhenClosingAfterASave) {
  auto window = open_new();
  click(*window, "Command1");
  type_title(*window, "Saved");
  click(*window, "Command7");
  window->close();
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(EditorSaveTest, TypedTitleKeepsOnlyAcceptedKeysAndCountsAsAChange) {
  auto window = open_new();
  auto* box = child<QLineEdit>(*window, "Text1");
  QTest::keyClicks(box, "Best-Of_2024.Mix");
  EXPECT_EQ(window->list_title(), "BestOf2024Mix");
  EXPECT_EQ(state.changes_made, 1);

  state.changes_made = 0;
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(window->list_title(), "BestOf2024Mi");
  EXPECT_EQ(state.changes_made, 1);

  state.changes_made = 0;
  QTest::keyClicks(box, "-_.");
  EXPECT_EQ(state.changes_made, 0);
}

TEST_F(EditorSaveTest, PastedTitleIsFilteredAndCannotLeaveThePlayListFolder) {
  auto window = open_new();
  click(*window, "Command1");
  auto* box = child<QLineEdit>(*window, "Text1");
  QApplication::clipboard()->setText(QStringLiteral("../escape"));
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(window->list_title(), "");
  state.changes_made = 0;
  box->paste();
  EXPECT_EQ(window->list_title(), "escape");
  EXPECT_EQ(state.changes_made, 1);
  click(*window, "Command7");
  EXPECT_TRUE(std::filesystem::exists(lists + "escape.cap"));
  EXPECT_FALSE(std::filesystem::exists(tmp.folder() + "escape.cap"));
}

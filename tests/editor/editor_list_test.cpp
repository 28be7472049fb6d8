// The working list: adding, removing and moving entries keeps the visible
// names and the hidden full paths parallel, and marks the list as changed.
#include "editor_fixture.h"

namespace {
constexpr const char* kLimitMessage = "Only 30000 files per collection please!";
}

TEST_F(EditorTest, AddAllAddsEveryFileOfTheFolderInOrder) {
  make_folder("", {"b.mp3", "a.WAV", "c.mid", "notes.txt"});
  auto window = open_new();
  click(*window, "Command1");
  EXPECT_EQ(window->item_count(), 3);
  EXPECT_EQ(texts(child<QListView>(*window, "List1")),
            (std::vector<std::string>{"a.WAV", "b.mp3", "c.mid"}));
  EXPECT_EQ(window->entry_paths(),
            (std::vector<std::string>{music + "a.WAV", music + "b.mp3", music + "c.mid"}));
  EXPECT_EQ(state.changes_made, 1);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(EditorTest, AddAllTwicePutsEveryFileInTwice) {
  make_folder("", {"a.mp3", "b.mp3"});
  auto window = open_new();
  click(*window, "Command1");
  click(*window, "Command1");
  EXPECT_EQ(window->item_count(), 4);
  EXPECT_EQ(window->entry_paths(), (std::vector<std::string>{music + "a.mp3", music + "b.mp3",
                                                             music + "a.mp3", music + "b.mp3"}));
}

TEST_F(EditorTest, AddAllOnAFolderWithoutMusicChangesNothing) {
  make_folder("", {"readme.txt", "cover.jpg"});
  auto window = open_new();
  EXPECT_EQ(child<FileList>(*window, "file1")->count(), 0);
  click(*window, "Command1");
  click(*window, "Command8");
  EXPECT_EQ(window->item_count(), 0);
  EXPECT_EQ(state.changes_made, 0);
}

TEST_F(EditorTest, AddSelectedAddsOnlyTheSelectedFilesInShownOrder) {
  make_folder("", {"1.mp3", "2.mp3", "3.mp3", "4.mp3"});
  auto window = open_new();
  auto* file1 = child<FileList>(*window, "file1");
  click_row(file1, 3);
  click_row(file1, 1, Qt::ControlModifier);
  click(*window, "Command8");
  EXPECT_EQ(window->entry_paths(), (std::vector<std::string>{music + "2.mp3", music + "4.mp3"}));
  EXPECT_EQ(window->item_count(), 2);
}

TEST_F(EditorTest, AddSelectedWithNothingSelectedAddsNothingButCountsAsAChange) {
  make_folder("", {"1.mp3"});
  auto window = open_new();
  click(*window, "Command8");
  EXPECT_EQ(window->item_count(), 0);
  EXPECT_EQ(state.changes_made, 1);
}

TEST_F(EditorTest, ListStopsAt30000EntriesWithOneMessagePerClick) {
  make_folder("", {"a.mp3", "b.mp3", "c.mp3"});
  auto window = open_new();
  std::vector<std::string> earlier;
  for (int i = 0; i < 29999; ++i) earlier.push_back("/old/" + std::to_string(i) + ".mp3");
  EXPECT_FALSE(window->append_entries(earlier));
  ASSERT_EQ(window->item_count(), 29999);

  click(*window, "Command1");
  EXPECT_EQ(window->item_count(), 30000);
  EXPECT_EQ(rows(child<QListView>(*window, "List1")), 30000);
  EXPECT_EQ(rows(child<QListView>(*window, "List2")), 30000);
  EXPECT_EQ(window->entry_paths().back(), music + "a.mp3");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, kLimitMessage);
  EXPECT_EQ(ui.boxes[0].title, "Davrin Audio Player");
  EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(ui.boxes[0].icon, MsgIcon::None);

  // A full list refuses the next click's files too, again with one message.
  child<FileList>(*window, "file1")->selectAll();
  click(*window, "Command8");
  EXPECT_EQ(window->item_count(), 30000);
  EXPECT_EQ(ui.boxes.size(), 2u);
}

TEST_F(EditorTest, RemoveSelectedTakesTheSecondAndFourthAndKeepsTheOrder) {
  auto window = open_existing("L", {"/m/1.mp3", "/m/2.mp3", "/m/3.mp3", "/m/4.mp3", "/m/5.mp3"});
  auto* list1 = child<QListView>(*window, "List1");
  click_row(list1, 1);
  click_row(list1, 3, Qt::ControlModifier);
  const int yields_before = ui.yields;
  click(*window, "Command3");
  EXPECT_EQ(texts(list1), (std::vector<std::string>{"1.mp3", "3.mp3", "5.mp3"}));
  EXPECT_EQ(window->entry_paths(), (std::vector<std::string>{"/m/1.mp3", "/m/3.mp3", "/m/5.mp3"}));
  EXPECT_EQ(window->item_count(), 3);
  EXPECT_EQ(state.changes_made, 1);
  EXPECT_EQ(ui.yields - yields_before, 4);  // after each removal from each list
}

TEST_F(EditorTest, RemoveSelectedOnAnEmptyListStillCountsAsAChange) {
  auto window = open_new();
  click(*window, "Command3");
  EXPECT_EQ(state.changes_made, 1);
  EXPECT_EQ(window->item_count(), 0);
}

TEST_F(EditorTest, RemoveAllEmptiesBothLists) {
  auto window = open_existing("L", {"/m/1.mp3", "/m/2.mp3"});
  click(*window, "Command2");
  EXPECT_EQ(window->item_count(), 0);
  EXPECT_EQ(rows(child<QListView>(*window, "List1")), 0);
  EXPECT_TRUE(window->entry_paths().empty());
  EXPECT_EQ(state.changes_made, 1);
}

TEST_F(EditorTest, MovesAtTheEndsOrWithoutACurrentEntryChangeNothingButCount) {
  const std::vector<std::string> paths{"/m/1.mp3", "/m/2.mp3", "/m/3.mp3"};
  auto window = open_existing("L", paths);
  auto* list1 = child<QListView>(*window, "List1");
  ASSERT_EQ(list1->currentIndex().row(), -1);
  click(*window, "Command4");
  EXPECT_EQ(state.changes_made, 1);
  state.changes_made = 0;
  click(*window, "Command5");
  EXPECT_EQ(state.changes_made, 1);
  EXPECT_EQ(window->entry_paths(), paths);

  click_row(list1, 0);
  state.changes_made = 0;
  click(*window, "Command5");  // up on the first
  EXPECT_EQ(state.changes_made, 1);
  click_row(list1, 2);
  state.changes_made = 0;
  click(*window, "Command4");  // down on the last
  EXPECT_EQ(state.changes_made, 1);
  EXPECT_EQ(window->entry_paths(), paths);
  EXPECT_EQ(texts(list1), (std::vector<std::string>{"1.mp3", "2.mp3", "3.mp3"}));
}

TEST_F(EditorTest, MovingPositionThreeDownSwapsItWithFourInBothListsAndTheSavedFile) {
  auto window = open_existing("Five", {"/m/1.mp3", "/m/2.mp3", "/m/3.mp3", "/m/4.mp3", "/m/5.mp3"});
  auto* list1 = child<QListView>(*window, "List1");
  click_row(list1, 0);
  click_row(list1, 2, Qt::ControlModifier);  // two selected, the third is current
  click(*window, "Command4");
  EXPECT_EQ(texts(list1), (std::vector<std::string>{"1.mp3", "2.mp3", "4.mp3", "3.mp3", "5.mp3"}));
  const std::vector<std::string> moved{"/m/1.mp3", "/m/2.mp3", "/m/4.mp3", "/m/3.mp3", "/m/5.mp3"};
  EXPECT_EQ(window->entry_paths(), moved);
  // Only the moved entry is selected, and it stays current for the next click.
  const QModelIndexList selected = list1->selectionModel()->selectedIndexes();
  ASSERT_EQ(selected.size(), 1);
  EXPECT_EQ(selected[0].row(), 3);
  EXPECT_EQ(list1->currentIndex().row(), 3);

  click(*window, "Command7");
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(read_file_bytes(lists + "Five.cap"),
            "\"Davrin Audio Player\"\r\n\"Davrin Software\"\r\n\"" +
                std::string(kPlayListHomePage) +
                "\"\r\n5\r\n\"/m/1.mp3\"\r\n\"/m/2.mp3\"\r\n\"/m/4.mp3\"\r\n\"/m/3.mp3\"\r\n"
                "\"/m/5.mp3\"\r\n");
}

TEST_F(EditorTest, MoveUpTwiceCarriesTheSameEntry) {
  auto window = open_existing("L", {"/m/1.mp3", "/m/2.mp3", "/m/3.mp3"});
  click_row(child<QListView>(*window, "List1"), 2);
  click(*window, "Command5");
  click(*window, "Command5");
  EXPECT_EQ(window->entry_paths(), (std::vector<std::string>{"/m/3.mp3", "/m/1.mp3", "/m/2.mp3"}));
  EXPECT_EQ(window->entry_titles(), (std::vector<std::string>{"3.mp3", "1.mp3", "2.mp3"}));
}

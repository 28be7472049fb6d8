// The editor window as it opens: its controls, and the new and edit modes.
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

#include "editor_fixture.h"
#include "qt_base/twips.h"
#include "tab_stops.h"

namespace {

struct ControlRow {
  const char* name;
  const char* caption;
  const char* tooltip;
  QRect place;
};

}  // namespace

TEST_F(EditorTest, WindowHasEveryControlAtItsPlaceWithItsCaptionAndTooltip) {
  auto window = open_new();
  EXPECT_EQ(window->windowTitle().toStdString(), "Create Your Music List");
  EXPECT_EQ(window->size(), QSize(twips(8520), twips(6030)));

  const ControlRow buttons[] = {
      {"Command1", "&Add All", " Add all files found in this folder ",
       twips_rect(3060, 135, 1365, 870)},
      {"Command8", "&Add Selected", " Add selected files from this folder ",
       twips_rect(3060, 1260, 1365, 870)},
      {"Command7", "&Save && Exit", " Save this play list and exit ",
       twips_rect(3060, 3870, 1365, 870)},
      {"Command9", "&Cancel", " Cancel and exit without saving ",
       twips_rect(3060, 5040, 1365, 870)},
      {"Command3", "&Remove Selected",
       " Click here to remove the selected files from the play list ",
       twips_rect(135, 5310, 1500, 375)},
      {"Command2", "&Remove All", " Click here to remove all files from this play list ",
       twips_rect(1710, 5310, 1005, 375)},
      {"Command4", "", " Click here to move the selected file down 1 position in the play list ",
       twips_rect(2790, 5310, 420, 375)},
      {"Command5", "", " Click here to move the selected file up 1 position in the play list ",
       twips_rect(3285, 5310, 420, 375)},
  };
  for (const ControlRow& row : buttons) {
    auto* button = child<QAbstractButton>(*window, row.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text().toStdString(), row.caption) << row.name;
    EXPECT_EQ(button->toolTip().toStdString(), row.tooltip) << row.name;
    EXPECT_EQ(button->geometry(), row.place) << row.name;
    const bool picture = row.place.height() == twips(870) || row.caption[0] == 0;
    EXPECT_EQ(!button->icon().isNull(), picture) << row.name << " shows a picture";
  }

  EXPECT_EQ(child<QWidget>(*window, "Drive1")->geometry(), twips_rect(135, 135, 2805, 330));
  EXPECT_EQ(child<QWidget>(*window, "Dir1")->geometry(), twips_rect(135, 540, 2805, 1530));
  auto* file1 = child<FileList>(*window, "file1");
  EXPECT_EQ(file1->geometry(), twips_rect(135, 2250, 2820, 3660));
  EXPECT_EQ(file1->selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_EQ(file1->pattern(),
            "*.mp3;*.wav;*.mid;*.rmi;*.cda;*.flac;*.ogg;*.oga;*.opus;*.m3u;*.m3u8;*.pls");

  auto* picture = child<QLabel>(*window, "Picture1");
  EXPECT_EQ(picture->geometry(), twips_rect(3105, 2295, 480, 480));
  EXPECT_EQ(picture->pixmap().size(), QSize(32, 32));

  auto* frame = child<QGroupBox>(*window, "Frame1");
  EXPECT_EQ(frame->title().toStdString(), "Music Files For This Play List:");
  EXPECT_EQ(frame->geometry(), twips_rect(4545, 90, 3840, 5820));
  auto* label = child<QLabel>(*window, "Label1");
  EXPECT_EQ(label->text().toStdString(), "Play List Title:");
  EXPECT_EQ(label->parentWidget(), frame);
  auto* text = child<QLineEdit>(*window, "Text1");
  EXPECT_EQ(text->parentWidget(), frame);
  EXPECT_EQ(text->geometry(), twips_rect(1215, 270, 2490, 285));
  EXPECT_EQ(text->toolTip().toStdString(), " Enter a title for this play list here ");
  auto* list1 = child<QListView>(*window, "List1");
  EXPECT_EQ(list1->geometry(), twips_rect(135, 630, 3570, 4545));
  EXPECT_EQ(list1->selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_EQ(child<QWidget>(*window, "Command4")->parentWidget(), frame);

  auto* list2 = child<QListView>(*window, "List2");
  EXPECT_FALSE(list2->isVisible());
  EXPECT_FALSE(window->rect().intersects(list2->geometry()));
}

TEST_F(EditorTest, TabGoesThroughTheControlsInTheirOrderAndReturnWorksTheFocusedButton) {
  make_folder("", {"a.mp3", "b.wav"});
  auto window = open_new();
  const std::vector<std::string> order = {"Drive1",   "Dir1",     "file1",   "Command1", "Command8",
                                          "Command7", "Command9", "Text1",   "List1",    "Command3",
                                          "Command2", "Command4", "Command5"};
  QWidget* first = child<QWidget>(*window, "Drive1");
  EXPECT_EQ(tab_stops(*window, first), order);
  std::vector<std::string> back{order.front()};
  back.insert(back.end(), order.rbegin(), order.rend() - 1);
  EXPECT_EQ(tab_stops(*window, first, true), back);

  // No default button: Return in the title box works none.
  QTest::keyClick(child<QWidget>(*window, "Command1"), Qt::Key_Return);  // Add All
  EXPECT_EQ(window->entry_titles(), (std::vector<std::string>{"a.mp3", "b.wav"}));
  click_row(child<QListView>(*window, "List1"), 0);
  QTest::keyClick(child<QWidget>(*window, "Text1"), Qt::Key_Return);
  EXPECT_EQ(window->entry_titles().size(), 2u);
  QTest::keyClick(child<QWidget>(*window, "Command4"), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(window->entry_titles(), (std::vector<std::string>{"b.wav", "a.mp3"}));
  EXPECT_TRUE(window->isVisible());
}

TEST_F(EditorTest, NewListOpensEmptyInTheEditorFolder) {
  make_folder("", {"a.mp3", "b.wav"});
  state.current_list_name = "Earlier";
  auto window = open_new();
  EXPECT_EQ(window->item_count(), 0);
  EXPECT_EQ(window->list_title(), "");
  EXPECT_EQ(child<QLineEdit>(*window, "Text1")->text().toStdString(), "");
  EXPECT_EQ(rows(child<QListView>(*window, "List1")), 0);
  EXPECT_EQ(child<FolderList>(*window, "Dir1")->path(), music);
  EXPECT_EQ(child<FileList>(*window, "file1")->file_names(),
            (std::vector<std::string>{"a.mp3", "b.wav"}));
  EXPECT_EQ(child<DriveList>(*window, "Drive1")->drive(), DriveList::drive_of(music));
}

TEST_F(EditorTest, ExistingListOpensWithItsTitleAndTracksWithoutCountingAChange) {
  auto window = open_existing("Road Trip", {"/m/one.mp3", "/m/sub/two.wav", "/m/three.mid"});
  EXPECT_EQ(window->item_count(), 3);
  EXPECT_EQ(window->list_title(), "Road Trip");
  EXPECT_EQ(child<QLineEdit>(*window, "Text1")->text().toStdString(), "Road Trip");
  EXPECT_EQ(texts(child<QListView>(*window, "List1")),
            (std::vector<std::string>{"one.mp3", "two.wav", "three.mid"}));
  EXPECT_EQ(window->entry_paths(),
            (std::vector<std::string>{"/m/one.mp3", "/m/sub/two.wav", "/m/three.mid"}));
  EXPECT_EQ(state.changes_made, 0);

  click(*window, "Command9");  // Cancel at once asks nothing
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_FALSE(window->isVisible());
}

TEST_F(EditorTest, ListWithAnEmptyTrackTableOpensLikeANewOne) {
  state.current_list_name = "Empty";
  state.track_count = 0;
  auto window = show(std::make_unique<frm_collection>(ctx));
  EXPECT_EQ(window->list_title(), "");
  EXPECT_EQ(window->item_count(), 0);
}

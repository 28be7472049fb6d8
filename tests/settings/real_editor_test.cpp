// New and Edit with the real play-list editor: the hand-over through the
// player state, both ways.
#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include "editor/frm_collection.h"
#include "settings_fixture.h"

namespace {

// Runs action on the editor once it is open (inside its modal loop).
void when_editor_opens(std::function<void(frm_collection&)> action) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, action] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* editor = qobject_cast<frm_collection*>(top);
      if (editor && editor->isVisible()) {
        poll->stop();
        poll->deleteLater();
        action(*editor);
        return;
      }
    }
  });
  poll->start(10);
}

}  // namespace

class RealEditor : public SettingsWindowTest {
 protected:
  RealEditor() { hooks = WindowOpeners{}; }  // the program's own windows
};

TEST_F(RealEditor, NewListSavedInTheEditorIsSelectedAndPlaysFromTheFirstPosition) {
  write_list("Rock", {"/music/a.mp3", "/music/b.mp3", "/music/c.mp3"});
  make_active("Rock", 2);
  auto w = open_window();
  std::string title_shown = "<not opened>";
  int entries_shown = -1;
  when_editor_opens([&](frm_collection& editor) {
    auto* title = editor.findChild<QLineEdit*>("Text1");
    title_shown = title->text().toStdString();
    entries_shown = editor.item_count();
    editor.append_entries({"/music/road1.mp3", "/music/road2.mp3"});
    QTest::keyClicks(title, "Road Trip");
    QTest::mouseClick(editor.findChild<QWidget*>("Command7"), Qt::LeftButton);
  });
  click(*w, "Command2");
  EXPECT_EQ(title_shown, "");
  EXPECT_EQ(entries_shown, 0);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(std::filesystem::exists(list_file("Road Trip")));
  EXPECT_EQ(selected(*w), "Road Trip");
  EXPECT_EQ(state.current_list_name, "Road Trip");

  click(*w, "Command1");
  EXPECT_EQ(state.active_collection, "Road Trip");
  EXPECT_EQ(state.track_count, 2);
  EXPECT_EQ(state.track_list[1], "/music/road1.mp3");
  EXPECT_EQ(state.current_track, 0);
}

TEST_F(RealEditor, EditOfAnEmptyListOpensLikeNewAndLeavingKeepsItActive) {
  write_list("Rock", {"/music/a.mp3"});
  write_list("Empty", {});
  make_active("Rock", 1);
  auto w = open_window();
  click_entry(*w, "Empty");
  std::string title_shown = "<not opened>";
  int entries_shown = -1;
  when_editor_opens([&](frm_collection& editor) {
    title_shown = editor.findChild<QLineEdit*>("Text1")->text().toStdString();
    entries_shown = editor.item_count();
    QTest::mouseClick(editor.findChild<QWidget*>("Command9"), Qt::LeftButton);  // Cancel
  });
  click(*w, "Command3");
  EXPECT_EQ(title_shown, "");
  EXPECT_EQ(entries_shown, 0);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(state.active_collection, "Empty");
  EXPECT_EQ(selected(*w), "Empty");
  EXPECT_EQ(state.track_count, 0);
}

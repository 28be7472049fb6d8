// What the settings window looks like: places, captions, tooltips, tab order.
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <cstdlib>
#include <filesystem>

#include "qt_base/twips.h"
#include "settings_fixture.h"
#include "tab_stops.h"

using SettingsLayout = SettingsWindowTest;

TEST_F(SettingsLayout, FixedCentredWindowWithTheProgramsTitle) {
  auto w = open_window();
  EXPECT_EQ(w->windowTitle(), "Davrin Audio Player");
  EXPECT_EQ(w->size(), QSize(twips(7860), twips(4665)));
  EXPECT_EQ(w->minimumSize(), w->maximumSize());
  const Qt::WindowFlags flags = w->windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  // Within the few pixels of the window frame.
  EXPECT_LE(std::abs(w->frameGeometry().center().x() - screen.center().x()), 4);
  EXPECT_LE(std::abs(w->frameGeometry().center().y() - screen.center().y()), 4);
}

TEST_F(SettingsLayout, GroupBoxesHaveBoldCaptionsTooltipsAndPlaces) {
  auto w = open_window();
  struct Frame {
    const char* name;
    const char* caption;
    const char* tooltip;
    QRect place;
  };
  const Frame frames[] = {
      {"Frame2", "Select A Play List:", " These are the play lists you have created ",
       twips_rect(90, 90, 3615, 3930)},
      {"Frame4", "Play List Order:", " Select the order to play the files in your play list ",
       twips_rect(3825, 90, 3975, 1185)},
      {"Frame1", "When The Current Play List Is Done:",
       " Select what to do when the current play list is done ",
       twips_rect(3825, 1395, 3975, 1320)},
      {"Frame3", "Audio Web Site Link:", " You can create a link to your favorite audio web site! ",
       twips_rect(3825, 2835, 3975, 1185)},
  };
  for (const Frame& f : frames) {
    auto* box = child<QGroupBox>(*w, f.name);
    EXPECT_EQ(box->title(), f.caption);
    EXPECT_EQ(box->toolTip(), f.tooltip);
    EXPECT_EQ(box->geometry(), f.place) << f.name;
    EXPECT_TRUE(box->font().bold()) << f.name;
  }
  EXPECT_FALSE(child<QWidget>(*w, "List1")->font().bold());
  EXPECT_FALSE(child<QWidget>(*w, "Option1_0")->font().bold());
  EXPECT_EQ(child<QWidget>(*w, "List1")->parentWidget()->objectName(), "Frame2");
  EXPECT_EQ(child<QWidget>(*w, "List1")->geometry(), twips_rect(135, 270, 3345, 2985));
  // Option buttons too low for their indicator keep their middle.
  for (auto [name, place] : {std::pair{"Option2_1", twips_rect(270, 720, 3030, 195)},
                             std::pair{"Option1_2", twips_rect(180, 945, 3255, 240)}}) {
    auto* option = child<QWidget>(*w, name);
    EXPECT_EQ(option->x(), place.x()) << name;
    EXPECT_EQ(option->width(), place.width()) << name;
    EXPECT_GE(option->height(), place.height()) << name;
    EXPECT_GE(option->height(), option->sizeHint().height()) << name;
    EXPECT_LE(std::abs(option->geometry().center().y() - place.center().y()), 1) << name;
  }
  EXPECT_EQ(child<QWidget>(*w, "Text2")->geometry(), twips_rect(990, 675, 2850, 285));
  EXPECT_EQ(child<QLabel>(*w, "Label1")->text(), "Description:");
  EXPECT_EQ(child<QLabel>(*w, "Label2")->text(), "Web Page:");
}

TEST_F(SettingsLayout, ButtonsHaveTheirCaptionsTooltipsAndPlaces) {
  auto w = open_window();
  struct Button {
    const char* name;
    const char* caption;
    const char* tooltip;
  };
  const Button buttons[] = {
      {"Command3", "&Edit", " Click here to edit the current play list "},
      {"Command4", "&Remove", " Click here to remove the current play list "},
      {"Command5", "&.&ZIP",
       " Click here to create a compressed .ZIP file of the current play list "},
      {"Command2", "&New", " Click here to create a new play list! "},
      {"Command7", "&About", " Click here to learn more about this program "},
      {"Command9", "&Help", " Click here to visit the home page for this program "},
      {"Command8", "&Other Davrin Products",
       " Click here to learn about other Davrin Software products!"},
      {"Command1", "&Ok", " Click here to minimize to the system tray "},
  };
  for (const Button& b : buttons) {
    auto* button = child<QPushButton>(*w, b.name);
    EXPECT_EQ(button->text(), b.caption);
    EXPECT_EQ(button->toolTip(), b.tooltip);
  }
  EXPECT_EQ(child<QWidget>(*w, "Command5")->geometry(), twips_rect(1845, 3420, 780, 330));
  EXPECT_EQ(child<QWidget>(*w, "Command1")->geometry(), twips_rect(6660, 4185, 1140, 375));
  EXPECT_EQ(child<QWidget>(*w, "Text1")->toolTip(),
            " Enter a short description of the audio web link ");
  EXPECT_EQ(child<QWidget>(*w, "Text2")->toolTip(),
            " Enter an audio website to link to. Include the http:// in the link! ");

  // The bottom row stands left to right, About to Ok, without overlapping.
  int right = 0;
  for (const char* name : {"Command7", "Command9", "Command8", "Command1"}) {
    const QRect place = child<QWidget>(*w, name)->geometry();
    EXPECT_EQ(place.top(), twips(4185)) << name;
    EXPECT_EQ(place.height(), twips(375)) << name;
    EXPECT_GT(place.left(), right) << name;
    right = place.right();
  }
  EXPECT_EQ(child<QWidget>(*w, "Command8")->width(), twips(1995));
  EXPECT_LT(right, w->width());
}

// Each group of option buttons is one stop, at its chosen button; the arrow
// keys move and choose within the group.
TEST_F(SettingsLayout, TabAndShiftTabGoThroughTheControlsInOrder) {
  state.list_done_action = 1;
  auto w = open_window();
  const std::vector<std::string> order = {
      "List1", "Command3", "Command4", "Command5", "Command2", "Option2_0", "Option1_1",
      "Text1", "Text2",    "Command7", "Command9", "Command8", "Command1"};
  QWidget* first = child<QWidget>(*w, "List1");
  EXPECT_EQ(tab_stops(*w, first), order);
  std::vector<std::string> back{order.front()};
  back.insert(back.end(), order.rbegin(), order.rend() - 1);
  EXPECT_EQ(tab_stops(*w, first, true), back);

  auto* option = child<QRadioButton>(*w, "Option1_1");
  option->setFocus();
  QTest::keyClick(option, Qt::Key_Down);
  EXPECT_TRUE(child<QRadioButton>(*w, "Option1_2")->isChecked());
  EXPECT_EQ(state.list_done_action, 2);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
  EXPECT_EQ(state.list_done_action, 0);
}

// With DAVRIN_ARTIFACTS set, leaves a picture of the window there to look at.
TEST_F(SettingsLayout, PictureOfTheWindow) {
  const char* folder = std::getenv("DAVRIN_ARTIFACTS");
  if (!folder) GTEST_SKIP() << "DAVRIN_ARTIFACTS not set";
  write_list("Rock Classics", {"/music/a.mp3"});
  write_list("Evening Jazz", {"/music/b.mp3"});
  write_list("Road Trip", {"/music/c.mp3"});
  make_active("Evening Jazz", 1);
  state.web_description = "Internet Radio";
  state.web_link = "http://radio.example/";
  auto w = open_window();
  std::filesystem::create_directories(folder);
  const std::string file = std::string(folder) + "/settings.png";
  EXPECT_TRUE(w->grab().save(QString::fromStdString(file)));
}

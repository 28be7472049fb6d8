// The welcome window: its texts and places, and the choice it stores however
// it is closed.
#include "info/frm_welcome.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "info/info_window.h"
#include "info_test_context.h"
#include "qt_base/twips.h"
#include "store/settings.h"
#include "tab_stops.h"

namespace {

QString label_text(const QDialog& window, const char* name) {
  auto* label = window.findChild<QLabel*>(name);
  return label ? label->text() : QString("<missing %1>").arg(name);
}

QCheckBox* check1(const QDialog& window) {
  return window.findChild<QCheckBox*>("Check1");
}
QPushButton* command1(const QDialog& window) {
  return window.findChild<QPushButton*>("Command1");
}

}  // namespace

TEST(WelcomeWindow, OpensWithTheBoxCheckedEveryTime) {
  InfoTestContext t;
  for (int opening = 0; opening < 2; ++opening) {
    frm_welcome window(t.ctx);
    window.show();
    ASSERT_NE(check1(window), nullptr);
    EXPECT_TRUE(check1(window)->isChecked());
    check1(window)->setChecked(false);
    QTest::mouseClick(command1(window), Qt::LeftButton);
  }
  EXPECT_EQ(t.store.option("welcome"), "0");
}

TEST(WelcomeWindow, ClearedAndContinueStoresZeroAtOnce) {
  InfoTestContext t;
  frm_welcome window(t.ctx);
  window.show();
  QTest::mouseClick(check1(window), Qt::LeftButton);
  EXPECT_FALSE(check1(window)->isChecked());
  QTest::mouseClick(command1(window), Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(t.state.welcome, 0);
  EXPECT_EQ(t.store.option("welcome"), "0");
  EXPECT_EQ(t.store.writes, std::vector<std::string>{"welcome"});
}

TEST(WelcomeWindow, ClearedAndCloseBoxStoresZero) {
  InfoTestContext t;
  frm_welcome window(t.ctx);
  window.show();
  check1(window)->setChecked(false);
  EXPECT_TRUE(window.close());
  EXPECT_EQ(t.state.welcome, 0);
  EXPECT_EQ(t.store.option("welcome"), "0");
}

TEST(WelcomeWindow, ClearedAndEscapeStoresZero) {
  InfoTestContext t;
  frm_welcome window(t.ctx);
  window.show();
  check1(window)->setChecked(false);
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(t.store.option("welcome"), "0");
}

TEST(WelcomeWindow, LeftCheckedStoresOne) {
  for (bool by_close_box : {false, true}) {
    SCOPED_TRACE(by_close_box ? "close box" : "Continue");
    InfoTestContext t;
    t.state.welcome = 1;
    t.store.set_option("welcome", "0");
    frm_welcome window(t.ctx);
    window.show();
    if (by_close_box) {
      window.close();
    } else {
      QTest::keyClick(command1(window), Qt::Key_Space);
    }
    EXPECT_EQ(t.state.welcome, 1);
    EXPECT_EQ(t.store.option("welcome"), "1");
  }
}

TEST(WelcomeWindow, TabReachesTheBoxAndSpaceClearsItThenReturnPressesContinue) {
  InfoTestContext t;
  frm_welcome window(t.ctx);
  EXPECT_EQ(tab_stops(window, check1(window)), (std::vector<std::string>{"Check1", "Command1"}));
  check1(window)->setFocus();
  QTest::keyClick(check1(window), Qt::Key_Space);
  EXPECT_FALSE(check1(window)->isChecked());
  QTest::keyClick(check1(window), Qt::Key_Return);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(t.store.option("welcome"), "0");
}

TEST(WelcomeWindow, AfterClearingItTheNextStartShowsNoWelcome) {
  InfoTestContext t;
  {
    frm_welcome window(t.ctx);
    window.show();
    check1(window)->setChecked(false);
    window.close();
  }
  PlayerState next_start;
  load_settings(next_start, t.store);
  EXPECT_EQ(next_start.welcome, 0);
}

TEST(WelcomeWindow, ShowsItsOwnTexts) {
  InfoTestContext t;
  frm_welcome window(t.ctx);
  EXPECT_EQ(window.windowTitle(), "Welcome!");
  EXPECT_EQ(label_text(window, "Label2_3"), "Welcome To Davrin Audio Player!");
  EXPECT_EQ(label_text(window, "Label4_4"),
            "Davrin Audio Player is a system tray utility that allows you to organize your "
            "favorite music files (mp3, wav, mid, rmi) into multiple play lists and then play them "
            "back in the background while you are doing other tasks! You can create an unlimited "
            "number of play lists. Plus, at anytime you can repeat a track, select the next or "
            "previous track, or even select a random track!");
  EXPECT_EQ(label_text(window, "Label2_0"), "Send Your Favorite Play Lists To A Friend!");
  EXPECT_EQ(label_text(window, "Label4_0"),
            "Davrin Audio Player has a built in .ZIP tool that allows you to turn your favorite "
            "play lists into a .ZIP file that you can then send to a friend via your email "
            "service!");
  EXPECT_EQ(label_text(window, "Label2_1"), "Davrin Audio Player Lives In Your System Tray!");
  EXPECT_EQ(label_text(window, "Label4_1"),
            "Davrin Audio Player resides in your system tray. To access it's features please "
            "click your RIGHT MOUSE BUTTON over the player icon. Then to begin creating your music "
            "lists click on SETTINGS.");
  EXPECT_EQ(check1(window)->text(), "Display This Screen At Program Start Up");
  EXPECT_EQ(command1(window)->text(), "&Continue...");
  for (const char* bold : {"Label2_3", "Label2_0", "Label2_1"}) {
    EXPECT_TRUE(window.findChild<QLabel*>(bold)->font().bold()) << bold;
  }
  EXPECT_FALSE(window.findChild<QLabel*>("Label4_4")->font().bold());
}

TEST(WelcomeWindow, EveryTextShowsWhole) {
  InfoTestContext t;
  frm_welcome window(t.ctx);
  window.show();
  for (QWidget* control : window.findChildren<QWidget*>()) {
    auto* label = qobject_cast<QLabel*>(control);
    if (label && label->text().isEmpty()) continue;  // a picture box
    if (!label && !qobject_cast<QAbstractButton*>(control)) continue;
    EXPECT_TRUE(info_window::text_fits(*control)) << control->objectName().toStdString();
    EXPECT_GE(control->font().pixelSize(), 8) << control->objectName().toStdString();
  }
}

TEST(WelcomeWindow, ControlsStandAtTheirPlaces) {
  InfoTestContext t;
  frm_welcome window(t.ctx);
  EXPECT_EQ(window.size(), QSize(twips(5805), twips(5055)));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_EQ(window.findChild<QLabel*>("Picture2")->geometry(), twips_rect(90, 90, 2085, 1650));
  EXPECT_EQ(window.findChild<QLabel*>("Picture1")->geometry(), twips_rect(5220, 315, 480, 480));
  EXPECT_EQ(window.findChild<QLabel*>("Label4_4")->geometry(), twips_rect(2295, 405, 2805, 2040));
  EXPECT_EQ(window.findChild<QLabel*>("Label4_1")->geometry(), twips_rect(90, 3780, 4920, 645));
  EXPECT_EQ(check1(window)->geometry(), twips_rect(135, 4725, 3390, 195));
  EXPECT_EQ(command1(window)->geometry(), twips_rect(4455, 4590, 1185, 375));
  EXPECT_EQ(window.findChild<QLabel*>("Picture1")->pixmap().size(), QSize(32, 32));
  EXPECT_EQ(window.findChild<QLabel*>("Picture2")->pixmap().size(), QSize(135, 106));
}

TEST(WelcomeWindow, HasNoMinimiseOrMaximiseButtonAndIsCentredOnTheScreen) {
  InfoTestContext t;
  frm_welcome window(t.ctx);
  window.show();
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  const QPoint screen_centre = QGuiApplication::primaryScreen()->availableGeometry().center();
  EXPECT_LE((window.frameGeometry().center() - screen_centre).manhattanLength(), 2);
}

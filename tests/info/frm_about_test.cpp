// The About window: version, texts, centring on its owner, and its launches.
#include "info/frm_about.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "info/info_window.h"
#include "info_test_context.h"
#include "qt_base/twips.h"
#include "tab_stops.h"

namespace {

QString label_text(const QDialog& window, const char* name) {
  auto* label = window.findChild<QLabel*>(name);
  return label ? label->text() : QString("<missing %1>").arg(name);
}

QPushButton* button(const QDialog& window, const char* name) {
  return window.findChild<QPushButton*>(name);
}

}  // namespace

TEST(AboutWindow, ShowsTheVersionOfThisRelease) {
  InfoTestContext t;
  frm_about window(t.ctx);
  EXPECT_EQ(label_text(window, "Label3"), "Version: 2.0.0");
  EXPECT_TRUE(window.findChild<QLabel*>("Label3")->font().bold());
}

TEST(AboutWindow, ShowsItsOwnTexts) {
  InfoTestContext t;
  frm_about window(t.ctx);
  EXPECT_EQ(window.windowTitle(), "About...");
  EXPECT_EQ(label_text(window, "Label1").count('\n'), 1) << "two lines";
  EXPECT_EQ(label_text(window, "Label2_3"), "Welcome To Davrin Audio Player!");
  EXPECT_EQ(label_text(window, "Label4_4"),
            "Davrin Audio Player is a system tray utility that allows you to organize your "
            "favorite music files (mp3, wav, mid, rmi) into multiple play lists and then play them "
            "back in the background while you are doing other tasks! You can create an unlimited "
            "number of play lists. Plus you can at anytime you can repeat a track, select the next "
            "or previous track, or even select a random track!");
  EXPECT_EQ(label_text(window, "Label2_0"), "Send Your Favorite Play Lists To A Friend!");
  EXPECT_EQ(label_text(window, "Label4_0"),
            "Davrin Audio Player has a built in .ZIP tool that allows you to turn your favorite "
            "play lists into a .ZIP file that you can then send to a friend via your email "
            "service!");
  EXPECT_EQ(button(window, "Command2")->text(), "Davrin Audio Player &Web Site");
  EXPECT_EQ(button(window, "Command2")->toolTip(),
            " Click here to visit the home page for this program! ");
  EXPECT_EQ(button(window, "Command1")->text(), "&Ok");
}

TEST(AboutWindow, EveryTextShowsWhole) {
  InfoTestContext t;
  frm_about window(t.ctx);
  window.show();
  for (QWidget* control : window.findChildren<QWidget*>()) {
    auto* label = qobject_cast<QLabel*>(control);
    if (label && label->text().isEmpty()) continue;  // a picture box
    if (!label && !qobject_cast<QAbstractButton*>(control)) continue;
    EXPECT_TRUE(info_window::text_fits(*control)) << control->objectName().toStdString();
    EXPECT_GE(control->font().pixelSize(), 8) << control->objectName().toStdString();
  }
}

TEST(AboutWindow, ControlsStandAtTheirPlaces) {
  InfoTestContext t;
  frm_about window(t.ctx);
  EXPECT_EQ(window.size(), QSize(twips(4980), twips(5235)));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_EQ(window.findChild<QLabel*>("Picture1")->geometry(), twips_rect(90, 90, 2085, 1650));
  EXPECT_EQ(window.findChild<QLabel*>("Label3")->geometry(), twips_rect(2250, 90, 1950, 240));
  EXPECT_EQ(window.findChild<QLabel*>("Label4_4")->geometry(), twips_rect(90, 2565, 4785, 1230));
  EXPECT_EQ(button(window, "Command2")->geometry(), twips_rect(90, 4770, 3390, 375));
  EXPECT_EQ(button(window, "Command1")->geometry(), twips_rect(3960, 4770, 915, 375));
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST(AboutWindow, IsCentredOnTheWindowThatOpensIt) {
  InfoTestContext t;
  QWidget owner;
  owner.setGeometry(40, 30, 524, 311);
  owner.show();
  frm_about window(t.ctx, &owner);
  window.show();
  EXPECT_LE((window.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(),
            2);
}

TEST(AboutWindow, OkCloses) {
  InfoTestContext t;
  frm_about window(t.ctx);
  window.show();
  QTest::mouseClick(button(window, "Command1"), Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(t.launcher.opened.empty());
}

TEST(AboutWindow, TabGoesToTheWebSiteAndOkAndEscapeCloses) {
  InfoTestContext t;
  frm_about window(t.ctx);
  EXPECT_EQ(tab_stops(window, button(window, "Command2")),
            (std::vector<std::string>{"Command2", "Command1"}));
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
}

TEST(AboutWindow, WebSiteButtonOpensTheProductHomePage) {
  InfoTestContext t;
  frm_about window(t.ctx);
  window.show();
  QTest::mouseClick(button(window, "Command2"), Qt::LeftButton);
  EXPECT_EQ(t.launcher.opened,
            std::vector<std::string>{"https://www.davrin-software.com/audio-player/"});
  EXPECT_EQ(t.ui.yields, 1);
  EXPECT_TRUE(t.ui.boxes.empty());
  EXPECT_TRUE(window.isVisible());
}

TEST(AboutWindow, WebSiteButtonReportsARefusedLaunch) {
  InfoTestContext t;
  t.launcher.succeed = false;
  frm_about window(t.ctx);
  window.show();
  QTest::mouseClick(button(window, "Command2"), Qt::LeftButton);
  ASSERT_EQ(t.ui.boxes.size(), 1u);
  EXPECT_EQ(t.ui.boxes[0].text, "Shell Execute Error. (No default browser?)");
  EXPECT_EQ(t.ui.boxes[0].title, "Davrin Audio Player");
}

TEST(AboutWindow, ShellCommandOpensAnyTargetWithoutYielding) {
  InfoTestContext t;
  t.launcher.succeed = false;
  frm_about window(t.ctx);
  window.shell_command("mailto:info@davrin-software.com");
  EXPECT_EQ(t.launcher.opened, std::vector<std::string>{"mailto:info@davrin-software.com"});
  EXPECT_EQ(t.ui.yields, 0);
  ASSERT_EQ(t.ui.boxes.size(), 1u);
  EXPECT_EQ(t.ui.boxes[0].text,
            "Error Launching Your Default Browser!\r\rPlease make sure you have a DEFAULT browser "
            "selected and try again.");
  EXPECT_EQ(t.ui.boxes[0].title, "Error!");
}

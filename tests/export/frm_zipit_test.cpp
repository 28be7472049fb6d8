#include "export/frm_zipit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <filesystem>

#include "export_test_support.h"
#include "fake_launcher.h"
#include "fake_media_player.h"
#include "fake_settings_store.h"
#include "qt_base/twips.h"

namespace fs = std::filesystem;

namespace {

class ZipWindow : public ::testing::Test, protected ExportSetup {
 protected:
  AppContext ctx() { return AppContext{state, ui, player, store, zip, launcher}; }
  std::vector<std::string> two_tracks() { return {track("a.mp3", "A"), track("b.wav", "B")}; }

  FakeMediaPlayer player;
  FakeSettingsStore store;
  StagingZip zip{state};
  FakeLauncher launcher;
};

}  // namespace

TEST_F(ZipWindow, HasItsTitleSizeAndBar) {
  AppContext c = ctx();
  frm_zipit window(c);
  EXPECT_EQ(window.windowTitle(), "Creating Zip File...");
  EXPECT_EQ(window.size(), QSize(492, 52));
  ProgressBar* bar = window.findChild<ProgressBar*>("picProgress");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->geometry(), twips_rect(225, 270, 6945, 270));
  EXPECT_FALSE(window.job_started());
}

TEST_F(ZipWindow, RunsTheJobOnceWhenShownThenClosesItself) {
  play_list("Rock", two_tracks());
  AppContext c = ctx();
  frm_zipit window(c);
  std::vector<std::string> seen;  // bar texts as the yields found them
  ui.on_yield = [&] {
    const std::string text = window.progress_bar()->line().text.toStdString();
    if (seen.empty() || seen.back() != text) seen.push_back(text);
  };
  zip.events = {{"a.mp3", 50}, {"b.wav", 100}};
  window.exec();

  EXPECT_TRUE(window.job_started());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(zip.action_count(), 1);
  std::vector<std::string> expected{"", "Copying Files: 1/2", "Copying Files: 2/2",
                                    "Zipping: a.mp3", "Zipping: b.wav"};
  EXPECT_EQ(seen, expected);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Finished making .zip file.\rNo errors reported.");
  EXPECT_FALSE(window.progress_bar()->isVisible());
  EXPECT_FALSE(fs::exists(staging()));
}

TEST_F(ZipWindow, LaterActivationsDuringTheJobStartNothing) {
  play_list("Rock", two_tracks());
  AppContext c = ctx();
  frm_zipit window(c);
  int pokes = 0;
  ui.on_yield = [&] {
    // The window comes to the front again while the job runs.
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&window, &activate);
    QCoreApplication::processEvents();
    ++pokes;
  };
  window.exec();
  EXPECT_GT(pokes, 3);
  EXPECT_EQ(zip.action_count(), 1);
  EXPECT_EQ(ui.boxes.size(), 1u);

  // Shown once more after it closed: still no second job.
  ui.on_yield = nullptr;
  window.show();
  QCoreApplication::processEvents();
  window.hide();
  EXPECT_EQ(zip.action_count(), 1);
}

TEST_F(ZipWindow, CannotBeClosedWhileTheJobRuns) {
  play_list("Rock", two_tracks());
  AppContext c = ctx();
  frm_zipit window(c);
  bool visible_after_close = false;
  bool tried = false;
  ui.on_yield = [&] {
    if (tried || !window.job_started()) return;
    tried = true;
    window.close();
    visible_after_close = window.isVisible();
  };
  window.exec();
  EXPECT_TRUE(tried);
  EXPECT_TRUE(visible_after_close);
  EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(ZipWindow, ErrorFromTheComponentIsShownThenTheWindowCloses) {
  zip.result = -3;
  play_list("Rock", two_tracks());
  AppContext c = ctx();
  frm_zipit window(c);
  window.exec();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Error #: -3\r\rFailed to create .zip file!");
  EXPECT_EQ(ui.boxes[0].title, ".ZIP Error!");
  EXPECT_FALSE(window.isVisible());
}

TEST_F(ZipWindow, EmptyPlayListClosesTheWindowWithoutABox) {
  play_list("Empty", {});
  AppContext c = ctx();
  frm_zipit window(c);
  window.exec();
  EXPECT_TRUE(window.job_started());
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(zip.steps.empty());
  EXPECT_FALSE(window.isVisible());
}

TEST_F(ZipWindow, UnreadablePlayListClosesAfterTheLoaderMessage) {
  state.current_list_name = "Missing";
  AppContext c = ctx();
  frm_zipit window(c);
  window.exec();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Error loading playlist data!");
  EXPECT_TRUE(zip.steps.empty());
  EXPECT_FALSE(window.isVisible());
}

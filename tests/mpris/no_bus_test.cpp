// Without a session bus: the program runs as it always did, a later start
// still reaches it over the local socket, and without a tray host the
// settings window opens once by itself.
#include <gtest/gtest.h>

#include <QTest>
#include <cstdlib>
#include <thread>

#include "mpris/raise_running_copy.h"
#include "mpris_rig.h"
#include "shell/single_instance.h"
#include "shell/tray_host_watch.h"

TEST(NoBus, TheProgramPlaysAndItsMenuWorksWithoutTheService) {
  ASSERT_EQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr);
  MprisRig rig;
  EXPECT_FALSE(rig.start());
  EXPECT_EQ(rig.player.started.back(), rig.track1);
  rig.entry("track_forward")->trigger();
  rig.main->engine().tick();
  EXPECT_EQ(rig.player.started.back(), rig.track2);
  EXPECT_FALSE(ask_running_copy_to_raise(1000));
}

TEST(NoBus, ALaterStartReachesTheRunningCopyOverTheLocalSocket) {
  SingleInstance first;
  ASSERT_TRUE(first.acquired());
  SingleInstance second;
  ASSERT_FALSE(second.acquired());
  EXPECT_FALSE(second.ask_running_copy());  // nobody listens yet: it just ends

  int opened = 0;
  first.listen([&] { ++opened; });
  bool answered = false;
  std::thread later_start([&] { answered = second.ask_running_copy(); });
  EXPECT_TRUE(QTest::qWaitFor([&] { return opened == 1; }, 3000));
  later_start.join();
  EXPECT_TRUE(answered);
}

TEST(NoBus, WithoutATrayHostTheSettingsWindowOpensOnce) {
  MprisRig rig;
  rig.start();
  // The offscreen screen has no tray.
  TrayHostWatch watch([&] { return rig.main->tray()->host_available(); },
                      [&] { rig.commands->raise(); }, 100);
  EXPECT_TRUE(QTest::qWaitFor([&] { return rig.settings_opened == 1; }, 3000));
  QTest::qWait(300);
  EXPECT_EQ(rig.settings_opened, 1);
  EXPECT_EQ(rig.state.music_stopped, 0);
}

// The desktop launcher: what it refuses itself, what it hands to the desktop's
// opener, and how it finds a mixer program on PATH.
#include "info/qt_launcher.h"

#include <gtest/gtest.h>

#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace {

// Sets an environment variable while it lives.
class EnvOverride {
 public:
  EnvOverride(const char* name, const std::string& value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~EnvOverride() {
    if (had_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

// A shell script that writes its name and arguments into a file of its folder.
void write_recording_stub(const TempDir& dir, const std::string& name, const std::string& record) {
  const std::string path = dir.write(name, "#!/bin/sh\necho \"${0##*/} $*\" > '" + dir.folder() +
                                               record + ".tmp'\n/bin/mv '" + dir.folder() + record +
                                               ".tmp' '" + dir.folder() + record + "'\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

bool wait_for_file(const std::string& path) {
  return QTest::qWaitFor([&] { return std::filesystem::exists(path); }, 10000);
}

// Records what would have gone to the desktop's handler.
struct RecordingOpener {
  std::vector<QUrl> urls;
  bool answer = true;
  QtLauncher launcher() {
    return QtLauncher([this](const QUrl& url) {
      urls.push_back(url);
      return answer;
    });
  }
};

}  // namespace

TEST(QtLauncher, RefusesAnEmptyTarget) {
  RecordingOpener desktop;
  QtLauncher launcher = desktop.launcher();
  EXPECT_FALSE(launcher.open(""));
  EXPECT_TRUE(desktop.urls.empty());
}

TEST(QtLauncher, RefusesALocalPageThatIsNotThere) {
  TempDir dir;
  RecordingOpener desktop;
  QtLauncher launcher = desktop.launcher();
  EXPECT_FALSE(launcher.open(dir.folder() + "help.htm"));
  EXPECT_FALSE(launcher.open("file://" + dir.folder() + "help.htm"));
  EXPECT_FALSE(launcher.open(dir.folder())) << "a folder is not a page";
  EXPECT_TRUE(desktop.urls.empty());
}

TEST(QtLauncher, HandsAnExistingLocalPageOverAsAFileAddress) {
  TempDir dir;
  const std::string page = dir.write("my help.htm", "<html></html>");
  RecordingOpener desktop;
  QtLauncher launcher = desktop.launcher();
  EXPECT_TRUE(launcher.open(page));
  EXPECT_TRUE(launcher.open("file://" + page));
  ASSERT_EQ(desktop.urls.size(), 2u);
  EXPECT_TRUE(desktop.urls[0].isLocalFile());
  EXPECT_EQ(desktop.urls[0].toLocalFile().toStdString(), page);
  EXPECT_EQ(desktop.urls[1].toLocalFile().toStdString(), page);
}

TEST(QtLauncher, HandsWebAddressesOverUnchanged) {
  RecordingOpener desktop;
  QtLauncher launcher = desktop.launcher();
  for (const char* target :
       {"https://www.davrin-software.com/audio-player/", "http://radio.example.org/live?station=3",
        "radio.example.org", "mailto:info@davrin-software.com"}) {
    EXPECT_TRUE(launcher.open(target)) << target;
    ASSERT_FALSE(desktop.urls.empty());
    EXPECT_EQ(desktop.urls.back().toString().toStdString(), target);
  }
}

TEST(QtLauncher, PassesOnTheDesktopsRefusal) {
  RecordingOpener desktop;
  desktop.answer = false;
  QtLauncher launcher = desktop.launcher();
  EXPECT_FALSE(launcher.open("https://downloads.davrin-software.com/"));
  EXPECT_EQ(desktop.urls.size(), 1u);
}

TEST(QtLauncher, VolumeControlFailsWhenNoMixerIsInstalled) {
  TempDir empty;
  EnvOverride path("PATH", empty.folder());
  QtLauncher launcher;
  EXPECT_FALSE(launcher.open_volume_control());
}

TEST(QtLauncher, VolumeControlStartsTheMixerFoundOnPath) {
  TempDir bin;
  write_recording_stub(bin, "pavucontrol", "mixer-ran");
  EnvOverride path("PATH", bin.folder());
  QtLauncher launcher;
  EXPECT_TRUE(launcher.open_volume_control());
  EXPECT_TRUE(wait_for_file(bin.folder() + "mixer-ran"));
}

TEST(QtLauncher, VolumeControlTriesTheOtherMixersToo) {
  TempDir bin;
  write_recording_stub(bin, "kmix", "mixer-ran");
  EnvOverride path("PATH", bin.folder());
  QtLauncher launcher;
  EXPECT_TRUE(launcher.open_volume_control());
  EXPECT_TRUE(wait_for_file(bin.folder() + "mixer-ran"));
}

TEST(QtLauncher, VolumeControlIsTheOneOfTheDesktopInUse) {
  TempDir bin;
  // Every volume control is installed; each stub records its name and arguments.
  for (const char* name : {"gnome-control-center", "kcmshell6", "kcmshell5", "xfce4-mixer",
                           "mate-volume-control", "pavucontrol", "pavucontrol-qt", "kmix"}) {
    write_recording_stub(bin, name, "ran");
  }
  EnvOverride path("PATH", bin.folder());
  struct Case {
    const char* desktop;
    const char* uninstall;  // taken away before this case
    const char* started;
  };
  for (const Case& c :
       {Case{"ubuntu:GNOME", "", "gnome-control-center sound"},
        Case{"KDE", "", "kcmshell6 kcm_pulseaudio"},
        Case{"KDE", "kcmshell6", "kcmshell5 kcm_pulseaudio"}, Case{"XFCE", "", "xfce4-mixer "},
        Case{"MATE", "", "mate-volume-control "}, Case{"LXQt", "", "pavucontrol-qt "},
        Case{"Hyprland", "", "pavucontrol "}, Case{"X-Generic:xfce", "xfce4-mixer", "pavucontrol "},
        Case{"GNOME", "gnome-control-center", "pavucontrol "},
        Case{"KDE", "kcmshell5", "pavucontrol "}}) {
    EnvOverride desktop("XDG_CURRENT_DESKTOP", c.desktop);
    if (*c.uninstall != 0) std::filesystem::remove(bin.path() / c.uninstall);
    QtLauncher launcher;
    ASSERT_TRUE(launcher.open_volume_control()) << c.desktop;
    ASSERT_TRUE(wait_for_file(bin.folder() + "ran")) << c.desktop;
    std::ifstream in(bin.folder() + "ran");
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, c.started) << c.desktop;
    std::filesystem::remove(bin.path() / "ran");
  }
}

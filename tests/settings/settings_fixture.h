#pragma once
// The settings window on real play-list files in a temporary folder, with
// scripted message boxes and the windows it opens replaced by recorders.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fake_launcher.h"
#include "fake_media_player.h"
#include "fake_settings_store.h"
#include "fake_ui.h"
#include "fake_zip_component.h"
#include "ground/app_context.h"
#include "settings/frm_settings.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

class SettingsWindowTest : public ::testing::Test {
 protected:
  SettingsWindowTest() {
    state.playlist_folder = dir.folder();
    state.program_folder = dir.folder();
    state.picker_folder = dir.folder();
    state.editor_folder = dir.folder();
    hooks.open_editor = [this](AppContext&, QWidget*) { record("editor", on_editor); };
    hooks.open_picker = [this](AppContext&, QWidget*) { record("picker", on_picker); };
    hooks.open_zipit = [this](AppContext&, QWidget*) { record("zipit", on_zipit); };
    hooks.open_about = [this](AppContext&, QWidget*) { record("about", on_about); };
  }

  // A play-list file named name + ".cap" holding these paths.
  std::string write_list(const std::string& name, const std::vector<std::string>& paths) {
    return dir.write(name + ".cap", format_play_list(paths));
  }
  std::string list_file(const std::string& name) const { return dir.folder() + name + ".cap"; }

  // Makes name the playing list, as the program has it before the window opens.
  void make_active(const std::string& name, int current_track) {
    ASSERT_TRUE(load_play_list(state, ui, name, true));
    state.current_track = current_track;
  }

  std::unique_ptr<frm_settings> open_window() {
    auto window = std::make_unique<frm_settings>(ctx, nullptr, hooks);
    window->show();
    return window;
  }

  template <class T>
  static T* child(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  static QListWidget* list1(QWidget& w) { return child<QListWidget>(w, "List1"); }
  static QStringList entries(QWidget& w) {
    QStringList names;
    for (int i = 0; i < list1(w)->count(); ++i) names << list1(w)->item(i)->text();
    return names;
  }
  static QString selected(QWidget& w) {
    const auto items = list1(w)->selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
  }
  static void click_entry(QWidget& w, const QString& name) {
    QListWidget* list = list1(w);
    const auto found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
  }
  static void click(QWidget& w, const char* name) {
    QTest::mouseClick(child<QWidget>(w, name), Qt::LeftButton);
  }

  TempDir dir;
  PlayerState state;
  FakeUi ui;
  FakeMediaPlayer player;
  FakeSettingsStore store;
  FakeZipComponent zip;
  FakeLauncher launcher;
  AppContext ctx{state, ui, player, store, zip, launcher};

  WindowOpeners hooks;
  std::vector<std::string> opened;  // the windows opened, in order
  std::function<void()> on_editor, on_picker, on_zipit, on_about;

 private:
  void record(const char* window, const std::function<void()>& action) {
    opened.push_back(window);
    if (action) action();
  }
};

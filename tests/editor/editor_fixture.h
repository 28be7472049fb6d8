#pragma once
// An editor window on real folders: a play-list folder and a music folder in
// a temporary folder, scripted message boxes and a media player that records.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QListView>
#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <memory>

#include "editor/filtered_line_edit.h"
#include "editor/frm_collection.h"
#include "fake_launcher.h"
#include "fake_media_player.h"
#include "fake_settings_store.h"
#include "fake_ui.h"
#include "fake_zip_component.h"
#include "qt_base/browse/drive_list.h"
#include "qt_base/browse/file_list.h"
#include "qt_base/browse/folder_list.h"
#include "store/play_list_files.h"
#include "temp_dir.h"

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lists = tmp.folder() + "lists/";
    music = tmp.folder() + "music/";
    std::filesystem::create_directories(lists);
    std::filesystem::create_directories(music);
    state.playlist_folder = lists;
    state.editor_folder = music;
    state.picker_folder = lists;
  }

  // A new list: the settings window empties the track table first.
  std::unique_ptr<frm_collection> open_new() {
    state.track_count = 0;
    state.changes_made = 0;
    return show(std::make_unique<frm_collection>(ctx));
  }
  // An existing list, as the settings window hands it over after loading it.
  std::unique_ptr<frm_collection> open_existing(const std::string& name,
                                                const std::vector<std::string>& paths) {
    state.current_list_name = name;
    state.track_list = {std::string()};
    state.track_list.insert(state.track_list.end(), paths.begin(), paths.end());
    state.track_count = static_cast<int32_t>(paths.size());
    state.changes_made = 0;
    return show(std::make_unique<frm_collection>(ctx));
  }
  std::unique_ptr<frm_collection> show(std::unique_ptr<frm_collection> window) {
    window->show();
    return window;
  }

  // Music files named in order, in a folder below the music folder.
  std::string make_folder(const std::string& sub, const std::vector<std::string>& names) {
    std::string folder = music + sub;
    if (!sub.empty()) folder += "/";
    std::filesystem::create_directories(folder);
    for (const std::string& name : names) tmp.write("music/" + sub + "/" + name, "music");
    return folder;
  }

  template <typename T>
  static T* child(QWidget& window, const char* name) {
    T* widget = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  static void click(QWidget& window, const char* name) {
    QTest::mouseClick(child<QAbstractButton>(window, name), Qt::LeftButton);
  }
  // The lists as a user sees them: the shown column of each row.
  static QModelIndex row_of(QListView* list, int row) {
    return list->model()->index(row, list->modelColumn());
  }
  static int rows(QListView* list) { return list->model()->rowCount(); }
  static void click_row(QListView* list, int row, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, mods,
                      list->visualRect(row_of(list, row)).center());
  }
  static std::vector<std::string> texts(QListView* list) {
    std::vector<std::string> out;
    for (int i = 0; i < rows(list); ++i)
      out.push_back(row_of(list, i).data().toString().toStdString());
    return out;
  }
  // Shows the folder's files in the file list as the folder list does on a double click.
  static void open_folder(QWidget& window, const std::string& folder) {
    ASSERT_TRUE(child<FolderList>(window, "Dir1")->set_path(folder));
  }

  TempDir tmp;
  std::string lists, music;
  PlayerState state;
  FakeUi ui;
  FakeMediaPlayer player;
  FakeSettingsStore store;
  FakeZipComponent zip;
  FakeLauncher launcher;
  AppContext ctx{state, ui, player, store, zip, launcher};
};

#pragma once
// The play-list editor "Create Your Music List": browse the drives, folders
// and music files on the left, gather the working list on the right, give it
// a title and save it as a play list.
#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "ground/app_context.h"

class AudioDiscBrowse;
class DriveList;
class FolderList;
class FileList;
class FilteredLineEdit;
class QGroupBox;
class QLabel;
class QListView;
class WorkingListModel;
class QAbstractButton;
class QPushButton;
class QToolButton;

inline constexpr int32_t kMaxListEntries = 30000;
// The music files the player plays, and the play lists other players write.
inline constexpr const char* kMusicFilePattern =
    "*.mp3;*.wav;*.mid;*.rmi;*.cda;*.flac;*.ogg;*.oga;*.opus;*.m3u;*.m3u8;*.pls";
inline constexpr const char* kLimitText = "Only 30000 files per collection please!";
// Followed by a blank line and the play lists' names, one a line.
inline constexpr const char* kForeignListFailedText =
    "No music files could be added from this play list:";
inline constexpr const char* kForeignListsFailedText =
    "No music files could be added from these play lists:";
inline constexpr const char* kEmptyTitleText = "Please enter a title for this play list!";
inline constexpr const char* kOverwriteText = "A play list by this name already exists!";
inline constexpr const char* kOverwriteTitle = "Over write existing play list?";
inline constexpr const char* kUnsavedText =
    "You have made changes to your play list!\r\rIf you exit now you will lose your "
    "changes.\r\rIs this what you want to do?\r";
inline constexpr const char* kUnsavedTitle = "Cancel And Exit?";

class frm_collection : public QDialog {
  Q_OBJECT
 public:
  explicit frm_collection(AppContext& ctx, QWidget* parent = nullptr);

  // Preview of the file list's current file through the program's player.
  void do_audio();
  // Whether the window may close: asks first when there are unsaved changes.
  bool leave_editor();

  int32_t item_count() const { return item_count_; }
  const std::string& list_title() const { return list_title_; }
  const std::vector<std::string>& entry_paths() const;  // the hidden list: full paths, in order
  std::vector<std::string> entry_titles() const;        // the visible list, in order
  // Appends paths to the working list as Add All does, up to the limit;
  // answers whether some were refused because the list was full.
  bool append_entries(std::vector<std::string> paths);

  // Every attempt to close (Cancel, Escape, the close box, after a save)
  // passes the closing check.
  void reject() override;
  void accept() override;

 private:
  void build_controls();
  void open_browser();
  void fill_working_list();

  // Browsing (frm_collection_browse.cpp).
  void drive_chosen();
  void folder_changed();
  void folder_clicked(const std::string& folder);
  // Working list commands (frm_collection_list.cpp).
  // Adds the named files of the file list; with open_play_lists a play list
  // among them adds the tracks it names, otherwise it is passed over.
  void add_files(const std::vector<std::string>& names, bool open_play_lists);
  void Command1_Click();  // Add All
  void Command8_Click();  // Add Selected
  void Command2_Click();  // Remove All
  void Command3_Click();  // Remove Selected
  void Command4_Click();  // move down
  void Command5_Click();  // move up
  void move_current(int step);
  // Saving and leaving (frm_collection_save.cpp).
  void Command7_Click();  // Save && Exit
  void close_window(int result);
  void window_closed();

  AppContext& ctx_;
  int32_t item_count_ = 0;
  std::string list_title_;
  bool new_list_ = false;  // opened with an empty track table
  bool closed_ = false;

  DriveList* Drive1 = nullptr;
  AudioDiscBrowse* disc_ = nullptr;  // an audio CD in Drive1
  FolderList* Dir1 = nullptr;
  FileList* file1 = nullptr;
  QToolButton* Command1 = nullptr;  // "&Add All"
  QToolButton* Command8 = nullptr;  // "&Add Selected"
  QLabel* Picture1 = nullptr;
  QToolButton* Command7 = nullptr;  // "&Save && Exit"
  QToolButton* Command9 = nullptr;  // "&Cancel"
  QGroupBox* Frame1 = nullptr;
  QLabel* Label1 = nullptr;  // "Play List Title:"
  FilteredLineEdit* Text1 = nullptr;
  WorkingListModel* entries_ = nullptr;  // the rows of List1 and List2
  QListView* List1 = nullptr;
  QPushButton* Command3 = nullptr;  // "&Remove Selected"
  QPushButton* Command2 = nullptr;  // "&Remove All"
  QPushButton* Command4 = nullptr;  // move down
  QPushButton* Command5 = nullptr;  // move up
  QListView* List2 = nullptr;       // full paths, never shown
};

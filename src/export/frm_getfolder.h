#pragma once
// The destination folder picker. The caller puts the title into
// picked_folder; after the window closes picked_folder holds the chosen
// folder with one trailing '/' (Ok) or "" (Cancel, Escape, the close box).
// The folder last shown stays in picker_folder for the next opening.
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <string>

#include "ground/app_context.h"
#include "qt_base/browse/drive_list.h"
#include "qt_base/browse/file_list.h"
#include "qt_base/browse/folder_list.h"

inline constexpr const char* kNewFolderPrompt = "Please enter a name for the new folder:";
inline constexpr const char* kNewFolderTitle = "Create new folder";
inline constexpr const char* kNewFolderDefault = "New Folder";
inline constexpr const char* kFolderErrorText = "Error trying to create folder!";
inline constexpr const char* kFolderErrorTitle = "Folder Error!";

class frm_getfolder : public QDialog {
 public:
  explicit frm_getfolder(AppContext& ctx, QWidget* parent = nullptr);

  // Shows the folder of file1 and makes it picker_folder, then yields.
  void set_path();

 protected:
  void reject() override;

 private:
  bool show_folder(const std::string& folder);
  void drive_chosen();
  void folder_changed();
  void folder_clicked(const std::string& folder);
  void new_folder();
  void ok_clicked();

  AppContext& ctx_;
  QLabel* Label2;  // "Look In:"
  DriveList* Drive1;
  QPushButton* Command3;  // "New &Folder"
  FolderList* Dir1;
  QLabel* Label1;         // the current folder
  QPushButton* Command2;  // "&Cancel"
  QPushButton* Command1;  // "&Ok"
  FileList* file1;        // never seen: turns the current choice into a folder
};

// folder with exactly one trailing '/' ("/" for the root).
std::string with_one_separator(const std::string& folder);

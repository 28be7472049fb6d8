#pragma once
// The settings window: chooses the play list to play, the play order, the
// end-of-list action and the audio web link, and manages the play lists.
#include <QDialog>
#include <functional>
#include <string>

#include "ground/app_context.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The windows this one opens modally. Each is handed the context and the
// settings window as parent and returns when its window has closed; hand-over
// runs through the player state. Hooks left empty open the program's windows.
struct WindowOpeners {
  std::function<void(AppContext&, QWidget*)> open_editor;  // frm_collection
  std::function<void(AppContext&, QWidget*)> open_picker;  // frm_getfolder
  std::function<void(AppContext&, QWidget*)> open_zipit;   // frm_zipit
  std::function<void(AppContext&, QWidget*)> open_about;   // frm_about
};

// The program's own windows for every hook.
WindowOpeners real_window_openers();

inline constexpr const char* kRemoveQuestion =
    "You are about to remove this play list!\r\rIs this what you want to do?\r";
inline constexpr const char* kRemoveTitle = "Remove Play List?";
inline constexpr const char* kRemoveErrorText = "Error removing play list!";
inline constexpr const char* kRemoveErrorTitle = "File I/O Error";
inline constexpr const char* kZipPickerTitle = "Select destination folder for .ZIP file";

class frm_settings : public QDialog {
  Q_OBJECT

 public:
  explicit frm_settings(AppContext& ctx, QWidget* parent = nullptr, WindowOpeners openers = {});

  // Re-selects active_collection in List1 and brings current_list_name and
  // current_list_index in line; clears the active list when it is gone.
  void show_current();

 public slots:
  // The close box and Escape leave the window the way Ok does.
  void reject() override;

 private:
  void build_controls();  // frm_settings_controls.cpp
  void set_tab_order();
  void load_steps();
  void refill_list();
  int selected_row() const;

  void list_click();
  void ok_click();  // Command1
  // The play-list commands and links (frm_settings_commands.cpp).
  void new_click();             // Command2
  void edit_click();            // Command3
  void remove_click();          // Command4
  void zip_click();             // Command5
  void about_click();           // Command7
  void other_products_click();  // Command8
  void help_click();            // Command9

  AppContext& ctx_;
  WindowOpeners openers_;
  std::string list_at_open_;
  bool closing_ = false;

  QGroupBox* Frame1 = nullptr;  // "When The Current Play List Is Done:"
  QGroupBox* Frame2 = nullptr;  // "Select A Play List:"
  QGroupBox* Frame3 = nullptr;  // "Audio Web Site Link:"
  QGroupBox* Frame4 = nullptr;  // "Play List Order:"
  QListWidget* List1 = nullptr;
  QPushButton* Command1 = nullptr;  // "&Ok"
  QPushButton* Command2 = nullptr;  // "&New"
  QPushButton* Command3 = nullptr;  // "&Edit"
  QPushButton* Command4 = nullptr;  // "&Remove"
  QPushButton* Command5 = nullptr;  // "&.&ZIP"
  QPushButton* Command7 = nullptr;  // "&About"
  QPushButton* Command8 = nullptr;  // "&Other Davrin Products"
  QPushButton* Command9 = nullptr;  // "&Help"
  QRadioButton* Option1[3] = {};    // end-of-list action 0..2
  QRadioButton* Option2[2] = {};    // play order 0..1
  QButtonGroup* option1_group_ = nullptr;
  QButtonGroup* option2_group_ = nullptr;
  QLabel* Label1 = nullptr;    // "Description:"
  QLabel* Label2 = nullptr;    // "Web Page:"
  QLineEdit* Text1 = nullptr;  // description of the web link
  QLineEdit* Text2 = nullptr;  // web page of the link
};

#include "export/frm_getfolder.h"

#include <filesystem>
#include <system_error>

#include "model/player_state.h"
#include "qt_base/return_clicks.h"
#include "qt_base/twips.h"

namespace {

std::string trimmed_spaces(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string with_separator(const std::string& folder) {
  if (!folder.empty() && folder.back() == '/') return folder;
  return folder + "/";
}

}  // namespace

std::string with_one_separator(const std::string& folder) {
  std::string bare = folder;
  while (!bare.empty() && bare.back() == '/') bare.pop_back();
  return bare + "/";
}

frm_getfolder::frm_getfolder(AppContext& ctx, QWidget* parent)
    : QDialog(parent),
      ctx_(ctx),
      Label2(new QLabel("Look In:", this)),
      Drive1(new DriveList(this)),
      Command3(new QPushButton("New &Folder", this)),
      Dir1(new FolderList(this)),
      Label1(new QLabel(this)),
      Command2(new QPushButton("&Cancel", this)),
      Command1(new QPushButton("&Ok", this)),
      file1(new FileList(this)) {
  setObjectName("frm_getfolder");
  setWindowTitle(QString::fromStdString(ctx_.state.picked_folder));
  setFixedSize(twips(5895), twips(3225));

  Label2->setObjectName("Label2");
  Label2->setGeometry(twips_rect(675, 180, 870, 195));
  Drive1->setObjectName("Drive1");
  Drive1->setGeometry(twips_rect(1620, 90, 3000, 315));
  Command3->setObjectName("Command3");
  Command3->setGeometry(twips_rect(4725, 90, 1110, 315));
  Command3->setToolTip(" Click here to create a new folder ");
  Dir1->setObjectName("Dir1");
  Dir1->setGeometry(twips_rect(45, 450, 5805, 1890));
  Label1->setObjectName("Label1");
  Label1->setGeometry(twips_rect(45, 2385, 5805, 255));
  Command2->setObjectName("Command2");
  Command2->setGeometry(twips_rect(3465, 2745, 1125, 405));
  Command1->setObjectName("Command1");
  Command1->setGeometry(twips_rect(4725, 2745, 1125, 405));
  file1->setObjectName("file1");
  file1->setGeometry(twips_rect(6120, 450, 2700, 675));  // beyond the right edge
  file1->setFocusPolicy(Qt::NoFocus);
  file1->hide();  // nor read by a screen reader
  Label2->setBuddy(Drive1);
  Dir1->setAccessibleName("Folders");
  // No default button: Return works the focused one, and in the lists it does not close the window.
  for (QPushButton* b : {Command3, Command2, Command1}) {
    b->setAutoDefault(false);
    click_on_return(b);
  }

  setTabOrder(Drive1, Command3);
  setTabOrder(Command3, Dir1);
  setTabOrder(Dir1, Command2);
  setTabOrder(Command2, Command1);

  file1->set_pattern("*.*");
  PlayerState& state = ctx_.state;
  state.picker_folder = with_separator(state.picker_folder);
  // A remembered folder that has gone since opens the program's own folder.
  if (!show_folder(state.picker_folder)) {
    state.picker_folder = with_separator(state.playlist_folder);
    show_folder(state.picker_folder);
  }

  // Connected only now: the opening itself must not move picker_folder.
  connect(Drive1, &DriveList::drive_chosen, this, &frm_getfolder::drive_chosen);
  connect(Dir1, &FolderList::path_changed, this, &frm_getfolder::folder_changed);
  connect(Dir1, &FolderList::entry_clicked, this, &frm_getfolder::folder_clicked);
  connect(Command3, &QPushButton::clicked, this, &frm_getfolder::new_folder);
  connect(Command2, &QPushButton::clicked, this, &frm_getfolder::reject);
  connect(Command1, &QPushButton::clicked, this, &frm_getfolder::ok_clicked);
}

bool frm_getfolder::show_folder(const std::string& folder) {
  Drive1->set_drive(DriveList::drive_of(folder));
  const bool shown = Dir1->set_path(folder) && file1->set_path(folder);
  Label1->setText(QString::fromStdString(folder));
  return shown;
}

void frm_getfolder::set_path() {
  const std::string folder = file1->path();
  // Nothing could be shown at all: keep the folder we were given.
  if (!folder.empty()) {
    Label1->setText(QString::fromStdString(folder));
    ctx_.state.picker_folder = with_separator(folder);
  }
  ctx_.ui.yield();
}

void frm_getfolder::drive_chosen() {
  // A drive that cannot be read returns to the folder last shown.
  if (!Dir1->set_path(Drive1->drive())) {
    Drive1->set_drive(DriveList::drive_of(ctx_.state.picker_folder));
    Dir1->set_path(ctx_.state.picker_folder);
  }
}

void frm_getfolder::folder_changed() {
  file1->set_path(Dir1->path());
  set_path();
}

void frm_getfolder::folder_clicked(const std::string& folder) {
  // The clicked folder is the choice at once; the list keeps its parent open.
  file1->set_path(folder);
  set_path();
}

void frm_getfolder::new_folder() {
  const std::string name =
      trimmed_spaces(ctx_.ui.input_box(kNewFolderPrompt, kNewFolderTitle, kNewFolderDefault));
  if (name.empty()) return;
  const std::string folder = ctx_.state.picker_folder + name;
  std::error_code ec;
  // One new folder inside the one shown: a separator in the name is refused.
  const bool made = name.find('/') == std::string::npos && name != "." && name != ".." &&
                    std::filesystem::create_directory(folder, ec);
  if (!made) {
    ctx_.ui.show_error(kFolderErrorText, kFolderErrorTitle);
    return;
  }
  ctx_.state.picker_folder = with_separator(folder);
  Dir1->set_path(ctx_.state.picker_folder);
  ctx_.ui.yield();
}

void frm_getfolder::ok_clicked() {
  set_path();
  ctx_.state.picked_folder = with_one_separator(ctx_.state.picker_folder);
  done(QDialog::Accepted);
}

void frm_getfolder::reject() {
  // Cancel, Escape and the close box all answer "".
  set_path();
  ctx_.state.picked_folder.clear();
  QDialog::reject();
}

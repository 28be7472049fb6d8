#include "editor/frm_collection.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QToolButton>

#include "editor/filtered_line_edit.h"
#include "editor/key_filters.h"
#include "editor/working_list_model.h"
#include "player/media_player.h"
#include "qt_base/artwork.h"
#include "qt_base/browse/audio_disc_browse.h"
#include "qt_base/browse/drive_list.h"
#include "qt_base/browse/file_list.h"
#include "qt_base/browse/folder_list.h"
#include "qt_base/twips.h"
#include "store/foreign_play_list.h"
#include "store/play_list_files.h"

namespace {

QString qs(const char* text) {
  return QString::fromUtf8(text);
}

// A button with its picture above the caption.
QToolButton* picture_button(QWidget* parent, const char* name, const char* caption,
                            const char* tooltip, ButtonPicture picture, const QRect& place) {
  auto* button = new QToolButton(parent);
  button->setObjectName(qs(name));
  button->setText(qs(caption));
  button->setToolTip(qs(tooltip));
  button->setIcon(QIcon(button_picture(picture)));
  button->setIconSize(QSize(32, 32));
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setFocusPolicy(Qt::StrongFocus);
  button->setGeometry(place);
  return button;
}

QPushButton* push_button(QWidget* parent, const char* name, const char* caption,
                         const char* tooltip, const QRect& place) {
  auto* button = new QPushButton(qs(caption), parent);
  button->setObjectName(qs(name));
  button->setToolTip(qs(tooltip));
  button->setAutoDefault(false);
  button->setGeometry(place);
  return button;
}

// A caption wider than its place gets a slightly smaller face rather than losing letters.
void shrink_to_fit(QLabel* label) {
  QFont face = label->font();
  for (int pixels = face.pixelSize(); pixels > 8; --pixels) {
    face.setPixelSize(pixels);
    if (QFontMetrics(face).horizontalAdvance(label->text()) <= label->width()) break;
  }
  label->setFont(face);
}

std::string folder_with_slash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  return folder;
}

}  // namespace

frm_collection::frm_collection(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  build_controls();
  open_browser();
  fill_working_list();
}

void frm_collection::build_controls() {
  setObjectName(QStringLiteral("frm_collection"));
  setWindowTitle(qs("Create Your Music List"));
  setWindowIcon(player_icon());
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(twips(8520), twips(6030));
  // The places are measured for an 8-point face (11 pixels); a larger
  // desktop font would cut the captions off.
  QFont small = font();
  small.setPixelSize(11);
  setFont(small);

  Drive1 = new DriveList(this);
  Drive1->setObjectName(QStringLiteral("Drive1"));
  Drive1->setGeometry(twips_rect(135, 135, 2805, 330));
  Dir1 = new FolderList(this);
  Dir1->setObjectName(QStringLiteral("Dir1"));
  Dir1->setGeometry(twips_rect(135, 540, 2805, 1530));
  file1 = new FileList(this);
  file1->setObjectName(QStringLiteral("file1"));
  file1->setGeometry(twips_rect(135, 2250, 2820, 3660));
  disc_ = new AudioDiscBrowse(ctx_.state.cd_device, Drive1, Dir1, file1);

  Command1 = picture_button(this, "Command1", "&Add All", " Add all files found in this folder ",
                            ButtonPicture::AddAll, twips_rect(3060, 135, 1365, 870));
  Command8 =
      picture_button(this, "Command8", "&Add Selected", " Add selected files from this folder ",
                     ButtonPicture::AddSelected, twips_rect(3060, 1260, 1365, 870));
  Picture1 = new QLabel(this);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setPixmap(player_icon_pixmap(32));
  Picture1->setGeometry(twips_rect(3105, 2295, 480, 480));
  Command7 = picture_button(this, "Command7", "&Save && Exit", " Save this play list and exit ",
                            ButtonPicture::Save, twips_rect(3060, 3870, 1365, 870));
  Command9 = picture_button(this, "Command9", "&Cancel", " Cancel and exit without saving ",
                            ButtonPicture::Cancel, twips_rect(3060, 5040, 1365, 870));

  Frame1 = new QGroupBox(qs("Music Files For This Play List:"), this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Frame1->setGeometry(twips_rect(4545, 90, 3840, 5820));
  Label1 = new QLabel(qs("Play List Title:"), Frame1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(twips_rect(135, 315, 1005, 195));
  shrink_to_fit(Label1);
  Text1 = new FilteredLineEdit(title_key_filter, Frame1);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setToolTip(qs(" Enter a title for this play list here "));
  Text1->setGeometry(twips_rect(1215, 270, 2490, 285));
  entries_ = new WorkingListModel(this);
  List1 = new QListView(Frame1);
  List1->setObjectName(QStringLiteral("List1"));
  List1->setModel(entries_);
  List1->setModelColumn(WorkingListModel::kTitleColumn);
  List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  List1->setUniformItemSizes(true);  // a long list is laid out without measuring every row
  List1->setGeometry(twips_rect(135, 630, 3570, 4545));
  Command3 = push_button(Frame1, "Command3", "&Remove Selected",
                         " Click here to remove the selected files from the play list ",
                         twips_rect(135, 5310, 1500, 375));
  Command2 = push_button(Frame1, "Command2", "&Remove All",
                         " Click here to remove all files from this play list ",
                         twips_rect(1710, 5310, 1005, 375));
  Command4 = push_button(Frame1, "Command4", "",
                         " Click here to move the selected file down 1 position in the play list ",
                         twips_rect(2790, 5310, 420, 375));
  Command4->setIcon(QIcon(button_picture(ButtonPicture::ArrowDown)));
  Command5 = push_button(Frame1, "Command5", "",
                         " Click here to move the selected file up 1 position in the play list ",
                         twips_rect(3285, 5310, 420, 375));
  Command5->setIcon(QIcon(button_picture(ButtonPicture::ArrowUp)));

  // The full paths, parallel to List1; it lies beyond the window's edge and is never shown.
  List2 = new QListView(this);
  List2->setObjectName(QStringLiteral("List2"));
  List2->setModel(entries_);
  List2->setModelColumn(WorkingListModel::kPathColumn);
  List2->setUniformItemSizes(true);
  List2->setGeometry(twips_rect(8700, 0, 1200, 1200));
  List2->setFocusPolicy(Qt::NoFocus);
  List2->hide();

  QWidget* order[] = {Drive1, Dir1,  file1,    Command1, Command8, Command7, Command9,
                      Text1,  List1, Command3, Command2, Command4, Command5};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(Drive1, &DriveList::drive_chosen, this, &frm_collection::drive_chosen);
  connect(Dir1, &FolderList::path_changed, this, &frm_collection::folder_changed);
  connect(Dir1, &FolderList::entry_clicked, this, &frm_collection::folder_clicked);
  connect(file1, &FileList::file_clicked, this, &frm_collection::do_audio);
  connect(Command1, &QAbstractButton::clicked, this, &frm_collection::Command1_Click);
  connect(Command8, &QAbstractButton::clicked, this, &frm_collection::Command8_Click);
  connect(Command7, &QAbstractButton::clicked, this, &frm_collection::Command7_Click);
  connect(Command9, &QAbstractButton::clicked, this, [this] { close_window(QDialog::Rejected); });
  connect(Command2, &QAbstractButton::clicked, this, &frm_collection::Command2_Click);
  connect(Command3, &QAbstractButton::clicked, this, &frm_collection::Command3_Click);
  connect(Command4, &QAbstractButton::clicked, this, &frm_collection::Command4_Click);
  connect(Command5, &QAbstractButton::clicked, this, &frm_collection::Command5_Click);
  connect(Text1, &QLineEdit::textChanged, this,
          [this](const QString& text) { list_title_ = text.toUtf8().toStdString(); });
  // Typed keys and pasted text change the title; putting the loaded title in does not.
  connect(Text1, &FilteredLineEdit::typed_key_accepted, this,
          [this] { ctx_.state.changes_made = 1; });
  connect(Text1, &FilteredLineEdit::edited_by_user, this, [this] { ctx_.state.changes_made = 1; });
}

void frm_collection::open_browser() {
  file1->set_pattern(kMusicFilePattern);
  auto open_at = [this](const std::string& folder) {
    if (folder.empty()) return false;
    Drive1->set_drive(DriveList::drive_of(folder));
    return Dir1->set_path(folder);
  };
  // A folder that has gone since the last visit (a removed medium) opens the
  // program's own folder instead, so the window always opens.
  if (!open_at(ctx_.state.editor_folder) && !open_at(ctx_.state.playlist_folder) &&
      !open_at(QFile::encodeName(QDir::homePath()).toStdString())) {
    open_at("/");
  }
  // The drive fallback returns here while the window is open.
  ctx_.state.editor_folder = Dir1->path();
}

void frm_collection::fill_working_list() {
  entries_->clear();
  const PlayerState& state = ctx_.state;
  new_list_ = state.track_count <= 0;
  if (new_list_) {
    item_count_ = 0;
    Text1->setText(QString());
    list_title_.clear();
    return;
  }
  item_count_ = state.track_count;
  // The list's own name, as stored, even when made outside the program.
  Text1->set_stored_text(QString::fromUtf8(state.current_list_name));
  list_title_ = state.current_list_name;
  std::vector<std::string> paths;
  paths.reserve(static_cast<size_t>(state.track_count));
  for (int32_t i = 1; i <= state.track_count; ++i) {
    paths.push_back(static_cast<size_t>(i) < state.track_list.size() ? state.track_list[i]
                                                                     : std::string());
  }
  entries_->append(std::move(paths));
}

const std::vector<std::string>& frm_collection::entry_paths() const {
  return entries_->paths();
}

std::vector<std::string> frm_collection::entry_titles() const {
  std::vector<std::string> titles;
  titles.reserve(entries_->paths().size());
  for (const std::string& path : entries_->paths()) titles.push_back(file_title_of(path));
  return titles;
}

// ---- Browsing ----

void frm_collection::drive_chosen() {
  if (disc_->show_if_chosen()) {
    stop_player(ctx_.player, ctx_.ui);
    return;
  }
  if (Dir1->set_path(Drive1->drive())) return;
  // A drive without a readable medium: back to where the editor opened, silently.
  Drive1->set_drive(DriveList::drive_of(ctx_.state.editor_folder));
  Dir1->set_path(ctx_.state.editor_folder);
}

void frm_collection::folder_changed() {
  file1->set_path(Dir1->path());
  // Opening an ancestor can leave the drive shown; the drive list follows.
  const std::string drive = Drive1->drive();
  if (Dir1->path().compare(0, drive.size(), drive) != 0)
    Drive1->set_drive(DriveList::drive_of(Dir1->path()));
  stop_player(ctx_.player, ctx_.ui);
}

void frm_collection::folder_clicked(const std::string& folder) {
  const std::string noted = file1->path();
  file1->set_path(folder);
  if (file1->path() != noted) stop_player(ctx_.player, ctx_.ui);
}

void frm_collection::do_audio() {
  // Only a path that names a file is played; with no current file there is none.
  const std::string name = file1->current_name();
  if (name.empty()) return;
  play_file(ctx_.player, ctx_.ui, folder_with_slash(file1->path()) + name);
}

// ---- The working list ----

bool frm_collection::append_entries(std::vector<std::string> paths) {
  const size_t room =
      item_count_ >= kMaxListEntries ? 0 : static_cast<size_t>(kMaxListEntries - item_count_);
  const bool refused = paths.size() > room;
  if (refused) paths.resize(room);
  item_count_ += static_cast<int32_t>(paths.size());
  entries_->append(std::move(paths));
  return refused;
}

void frm_collection::add_files(const std::vector<std::string>& names, bool open_play_lists) {
  if (file1->count() == 0) return;
  ctx_.state.changes_made = 1;
  const std::string folder = folder_with_slash(file1->path());
  std::vector<std::string> paths;
  paths.reserve(names.size());
  std::vector<std::string> failed;  // play lists that could not be read or name no music
  for (const std::string& name : names) {
    if (!foreign_play_list_format(name)) {
      paths.push_back(folder + name);
      continue;
    }
    // Add All passes over an album's own play list: its tracks are added already.
    if (!open_play_lists) continue;
    std::optional<std::vector<std::string>> tracks = read_foreign_play_list(folder + name);
    if (!tracks || tracks->empty()) {
      failed.push_back(name);
      continue;
    }
    paths.insert(paths.end(), std::make_move_iterator(tracks->begin()),
                 std::make_move_iterator(tracks->end()));
  }
  const bool refused = append_entries(std::move(paths));
  ctx_.ui.yield();
  if (!failed.empty()) {
    std::string text = failed.size() == 1 ? kForeignListFailedText : kForeignListsFailedText;
    text += "\r";
    for (const std::string& name : failed) text += "\r" + name;
    ctx_.ui.show_error(text, kAppTitle);
  }
  if (refused) ctx_.ui.show_error(kLimitText, kAppTitle);
}

void frm_collection::Command1_Click() {
  add_files(file1->file_names(), false);
}

void frm_collection::Command8_Click() {
  add_files(file1->selected_names(), true);
}

void frm_collection::Command2_Click() {
  ctx_.state.changes_made = 1;
  entries_->clear();
  item_count_ = 0;
}

void frm_collection::Command3_Click() {
  ctx_.state.changes_made = 1;
  if (entries_->count() == 0) return;
  const QItemSelectionModel* selection = List1->selectionModel();
  for (int i = entries_->count() - 1; i >= 0; --i) {
    if (i >= entries_->count() ||
        !selection->isSelected(entries_->index(i, WorkingListModel::kTitleColumn))) {
      continue;
    }
    // The entry leaves both lists at once; the yields stay those of the two removals.
    entries_->remove(i);
    ctx_.ui.yield();
    ctx_.ui.yield();
  }
  item_count_ = entries_->count();
}

void frm_collection::Command4_Click() {
  move_current(+1);
}

void frm_collection::Command5_Click() {
  move_current(-1);
}

void frm_collection::move_current(int step) {
  ctx_.state.changes_made = 1;
  const int current = List1->currentIndex().isValid() ? List1->currentIndex().row() : -1;
  const int neighbour = current + step;
  if (current < 0 || neighbour < 0 || neighbour >= entries_->count()) return;
  List1->clearSelection();
  entries_->swap(current, neighbour);
  // The moved entry stays the only selected one and the current one, so
  // further clicks keep moving it.
  List1->selectionModel()->setCurrentIndex(
      entries_->index(neighbour, WorkingListModel::kTitleColumn),
      QItemSelectionModel::ClearAndSelect);
}

// ---- Saving and leaving ----

void frm_collection::Command7_Click() {
  PlayerState& state = ctx_.state;
  if (item_count_ < 1) {
    close_window(QDialog::Rejected);
    return;
  }
  if (list_title_.empty()) {
    ctx_.ui.show_error(kEmptyTitleText, kAppTitle);
    return;
  }
  // Only an edited list keeps its own title without a question; a new list
  // given the loaded list's title would replace that list.
  const bool own_title = !new_list_ && list_title_ == state.current_list_name;
  if (!own_title && file_exists(play_list_path(state.playlist_folder, list_title_)) &&
      !ctx_.ui.ask_yes_no(kOverwriteText, kOverwriteTitle)) {
    state.changes_made = 0;
    close_window(QDialog::Rejected);
    return;
  }
  if (!save_list(state, ctx_.ui, list_title_, entry_paths())) {
    // save_list has shown its message; the work stays here to be saved again.
    state.changes_made = 1;
    return;
  }
  state.changes_made = 0;
  close_window(QDialog::Accepted);
}

bool frm_collection::leave_editor() {
  if (ctx_.state.changes_made == 0) return true;
  return ctx_.ui.ask_yes_no(kUnsavedText, kUnsavedTitle);
}

void frm_collection::reject() {
  close_window(QDialog::Rejected);
}

void frm_collection::accept() {
  close_window(QDialog::Accepted);
}

void frm_collection::close_window(int result) {
  if (!closed_) {
    if (!leave_editor()) return;
    window_closed();
  }
  QDialog::done(result);
}

void frm_collection::window_closed() {
  closed_ = true;
  // Ends any preview; the next opening starts in the folder shown now.
  stop_player(ctx_.player, ctx_.ui);
  ctx_.ui.yield();
  // With the music off, the output rests until it is started again.
  if (ctx_.state.music_stopped != 0) rest_player(ctx_.player);
  ctx_.state.editor_folder = file1->path();
}

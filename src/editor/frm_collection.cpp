// The editor window: its controls, and the working list it opens with. The
// browser, the list commands and the saving live in frm_collection_*.cpp.
#include "editor/frm_collection.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QToolButton>

#include "editor/filtered_line_edit.h"
#include "editor/key_filters.h"
#include "editor/working_list_model.h"
#include "model/player_state.h"
#include "qt_base/artwork.h"
#include "qt_base/browse/audio_disc_browse.h"
#include "qt_base/browse/drive_list.h"
#include "qt_base/browse/file_list.h"
#include "qt_base/browse/folder_list.h"
#include "qt_base/return_clicks.h"
#include "qt_base/twips.h"
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
  List2->setModel(new FullPathsModel(entries_, this));
  List2->setUniformItemSizes(true);
  List2->setGeometry(twips_rect(8700, 0, 1200, 1200));
  List2->setFocusPolicy(Qt::NoFocus);
  List2->hide();

  // What a screen reader reads where no caption gives a name. A combo box is
  // read by its value; its name comes from the label it is the buddy of, which
  // stays hidden so that the window looks as it always has.
  auto* drives = new QLabel(qs("Drives"), this);
  drives->setObjectName(QStringLiteral("Drive1Label"));
  drives->hide();
  drives->setBuddy(Drive1);
  Dir1->setAccessibleName(qs("Folders"));
  file1->setAccessibleName(qs("Music files"));
  Label1->setBuddy(Text1);
  List1->setAccessibleName(qs("Music Files For This Play List"));
  Command4->setAccessibleName(qs("Move Down"));
  Command5->setAccessibleName(qs("Move Up"));

  QWidget* order[] = {Drive1, Dir1,  file1,    Command1, Command8, Command7, Command9,
                      Text1,  List1, Command3, Command2, Command4, Command5};
  // The window has no default button: Return works the focused one, as Space does.
  for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
           Command1, Command8, Command7, Command9, Command3, Command2, Command4, Command5}) {
    click_on_return(b);
  }
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

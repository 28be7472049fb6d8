#include "settings/frm_settings.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QValidator>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "editor/filtered_line_edit.h"
#include "editor/frm_collection.h"
#include "editor/key_filters.h"
#include "export/frm_getfolder.h"
#include "export/frm_zipit.h"
#include "info/frm_about.h"
#include "info/launches.h"
#include "qt_base/artwork.h"
#include "qt_base/twips.h"
#include "settings/list_widget_box.h"
#include "store/play_list_files.h"

namespace {

QString qs(const char* text) {
  return QString::fromUtf8(text);
}

QPushButton* make_button(QWidget* parent, const char* name, const char* caption,
                         const char* tooltip, QRect place) {
  auto* button = new QPushButton(qs(caption), parent);
  button->setObjectName(qs(name));
  button->setToolTip(qs(tooltip));
  button->setGeometry(place);
  return button;
}

QGroupBox* make_frame(QWidget* parent, const char* name, const char* caption, const char* tooltip,
                      QRect place) {
  auto* frame = new QGroupBox(qs(caption), parent);
  frame->setObjectName(qs(name));
  frame->setToolTip(qs(tooltip));
  frame->setGeometry(place);
  // Only the caption is bold; the controls inside keep the window's font.
  QFont bold = parent->font();
  bold.setBold(true);
  frame->setFont(bold);
  return frame;
}

QRadioButton* make_option(QGroupBox* frame, const QString& name, const char* caption, QRect place,
                          const QFont& font) {
  auto* option = new QRadioButton(qs(caption), frame);
  option->setObjectName(name);
  option->setGeometry(place);
  option->setFont(font);
  return option;
}

// A caption wider than its place is narrowed until it fits, so no text is cut.
// One too low for its indicator grows about its own middle, so its circle is
// not cut off.
void fit_caption(QWidget* control) {
  const int missing = control->sizeHint().height() - control->height();
  if (missing > 0) {
    const QRect place = control->geometry();
    control->setGeometry(place.adjusted(0, -missing / 2, 0, missing - missing / 2));
  }
  if (control->sizeHint().width() <= control->width()) return;
  QFont font = control->font();
  font.setStretch(QFont::Condensed);
  control->setFont(font);
  while (control->sizeHint().width() > control->width() && font.pixelSize() > 9) {
    font.setPixelSize(font.pixelSize() - 1);
    control->setFont(font);
  }
}

// Shows a stored text as it was saved: the box's filter is for what the user
// types or pastes, and must not change a saved link just by opening the window.
void show_stored_text(QLineEdit* box, const std::string& text) {
  const QValidator* filter = box->validator();
  box->setValidator(nullptr);
  box->setText(QString::fromStdString(text));
  box->setValidator(filter);
}

}  // namespace

WindowOpeners real_window_openers() {
  WindowOpeners openers;
  openers.open_editor = [](AppContext& ctx, QWidget* parent) {
    frm_collection window(ctx, parent);
    window.exec();
  };
  openers.open_picker = [](AppContext& ctx, QWidget* parent) {
    frm_getfolder window(ctx, parent);
    window.exec();
  };
  openers.open_zipit = [](AppContext& ctx, QWidget* parent) {
    frm_zipit window(ctx, parent);
    window.exec();
  };
  openers.open_about = [](AppContext& ctx, QWidget* parent) {
    frm_about window(ctx, parent);
    window.exec();
  };
  return openers;
}

frm_settings::frm_settings(AppContext& ctx, QWidget* parent, WindowOpeners openers)
    : QDialog(parent), ctx_(ctx), openers_(std::move(openers)) {
  WindowOpeners real = real_window_openers();
  if (!openers_.open_editor) openers_.open_editor = real.open_editor;
  if (!openers_.open_picker) openers_.open_picker = real.open_picker;
  if (!openers_.open_zipit) openers_.open_zipit = real.open_zipit;
  if (!openers_.open_about) openers_.open_about = real.open_about;

  setObjectName("frm_settings");
  setWindowTitle(qs(kAppTitle));
  setWindowIcon(player_icon());
  // Fixed border: a title and a close box, no minimise or maximise.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(twips(7860), twips(4665));
  setSizeGripEnabled(false);
  // The layout is measured for an 8-point dialog font: 11 pixels high.
  QFont dialog_font = font();
  dialog_font.setPixelSize(11);
  setFont(dialog_font);

  build_controls();
  set_tab_order();
  for (QWidget* control : std::initializer_list<QWidget*>{Label1, Label2, Option1[0], Option1[1],
                                                          Option1[2], Option2[0], Option2[1]}) {
    fit_caption(control);
  }
  // The two captions of the web link stand side by side: they keep one look.
  QLabel* smaller = Label1->font().pixelSize() <= Label2->font().pixelSize() ? Label1 : Label2;
  Label1->setFont(smaller->font());
  Label2->setFont(smaller->font());

  QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }

  load_steps();
}

void frm_settings::build_controls() {
  // Set explicitly, so the controls keep it inside the bold group boxes.
  QFont normal = font();
  normal.setBold(false);

  Frame2 = make_frame(this, "Frame2",
                      "Select A Play List:", " These are the play lists you have created ",
                      twips_rect(90, 90, 3615, 3930));
  List1 = new QListWidget(Frame2);
  List1->setObjectName("List1");
  List1->setFont(normal);
  List1->setGeometry(twips_rect(135, 270, 3345, 2985));
  List1->setSelectionMode(QAbstractItemView::SingleSelection);
  List1->setSortingEnabled(false);
  Command3 = make_button(Frame2, "Command3", "&Edit", " Click here to edit the current play list ",
                         twips_rect(135, 3420, 780, 330));
  Command4 =
      make_button(Frame2, "Command4", "&Remove", " Click here to remove the current play list ",
                  twips_rect(990, 3420, 780, 330));
  Command5 = make_button(Frame2, "Command5", "&.&ZIP",
                         " Click here to create a compressed .ZIP file of the current play list ",
                         twips_rect(1845, 3420, 780, 330));
  Command2 = make_button(Frame2, "Command2", "&New", " Click here to create a new play list! ",
                         twips_rect(2700, 3420, 780, 330));
  for (QPushButton* button : {Command3, Command4, Command5, Command2}) button->setFont(normal);

  Frame4 = make_frame(this, "Frame4",
                      "Play List Order:", " Select the order to play the files in your play list ",
                      twips_rect(3825, 90, 3975, 1185));
  Option2[0] = make_option(Frame4, "Option2_0", "Play Files In Their Original Order",
                           twips_rect(270, 360, 3030, 195), normal);
  Option2[1] = make_option(Frame4, "Option2_1", "Play Files In A Random Order",
                           twips_rect(270, 720, 3030, 195), normal);

  Frame1 = make_frame(this, "Frame1", "When The Current Play List Is Done:",
                      " Select what to do when the current play list is done ",
                      twips_rect(3825, 1395, 3975, 1320));
  Option1[0] = make_option(Frame1, "Option1_0", "Repeat Current Play List",
                           twips_rect(180, 315, 2490, 240), normal);
  Option1[1] = make_option(Frame1, "Option1_1", "Play The Next Available Play List",
                           twips_rect(180, 630, 3255, 240), normal);
  Option1[2] = make_option(Frame1, "Option1_2", "Select A Random Play List",
                           twips_rect(180, 945, 3255, 240), normal);

  // Each array is one group: a click selects its index and writes it at once.
  // Groups start with nothing selected, so a stored value with no button
  // shows no selection and stays until the user picks one.
  option2_group_ = new QButtonGroup(this);
  for (int i = 0; i < 2; ++i) option2_group_->addButton(Option2[i], i);
  option1_group_ = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) option1_group_->addButton(Option1[i], i);
  connect(option2_group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) ctx_.state.player_random = id;
  });
  connect(option1_group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) ctx_.state.list_done_action = id;
  });

  Frame3 =
      make_frame(this, "Frame3",
                 "Audio Web Site Link:", " You can create a link to your favorite audio web site! ",
                 twips_rect(3825, 2835, 3975, 1185));
  Label1 = new QLabel(qs("Description:"), Frame3);
  Label1->setObjectName("Label1");
  Label1->setGeometry(twips_rect(90, 315, 870, 240));
  Text1 = new FilteredLineEdit(link_key_filter, Frame3);
  Text1->setObjectName("Text1");
  Text1->setToolTip(qs(" Enter a short description of the audio web link "));
  Text1->setGeometry(twips_rect(990, 270, 2850, 285));
  Label2 = new QLabel(qs("Web Page:"), Frame3);
  Label2->setObjectName("Label2");
  Label2->setGeometry(twips_rect(90, 720, 870, 240));
  Text2 = new FilteredLineEdit(link_key_filter, Frame3);
  Text2->setObjectName("Text2");
  Text2->setToolTip(qs(" Enter an audio website to link to. Include the http:// in the link! "));
  Text2->setGeometry(twips_rect(990, 675, 2850, 285));
  for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, Text1, Text2}) {
    w->setFont(normal);
  }
  // The box's own text, not the signal's: a paste is filtered inside the
  // change, and the change then reports the text from before the filter.
  connect(Text1, &QLineEdit::textChanged, this,
          [this] { ctx_.state.web_description = Text1->text().toStdString(); });
  connect(Text2, &QLineEdit::textChanged, this,
          [this] { ctx_.state.web_link = Text2->text().toStdString(); });

  // The bottom row, right-aligned on Ok with the frames' 90-twip gaps.
  constexpr int kTop = 4185, kHeight = 375, kGap = 90;
  constexpr int kOkLeft = 6660;
  constexpr int kOtherLeft = kOkLeft - kGap - 1995;
  constexpr int kHelpLeft = kOtherLeft - kGap - 1140;
  constexpr int kAboutLeft = kHelpLeft - kGap - 1140;
  Command7 =
      make_button(this, "Command7", "&About", " Click here to learn more about this program ",
                  twips_rect(kAboutLeft, kTop, 1140, kHeight));
  Command9 =
      make_button(this, "Command9", "&Help", " Click here to visit the home page for this program ",
                  twips_rect(kHelpLeft, kTop, 1140, kHeight));
  Command8 = make_button(this, "Command8", "&Other Davrin Products",
                         " Click here to learn about other Davrin Software products!",
                         twips_rect(kOtherLeft, kTop, 1995, kHeight));
  Command1 = make_button(this, "Command1", "&Ok", " Click here to minimize to the system tray ",
                         twips_rect(kOkLeft, kTop, 1140, kHeight));
  Command1->setDefault(true);

  // "Click" of the list: any change of the selection, by mouse, key or code.
  connect(List1, &QListWidget::itemSelectionChanged, this, &frm_settings::list_click);
  connect(Command1, &QPushButton::clicked, this, &frm_settings::ok_click);
  connect(Command2, &QPushButton::clicked, this, &frm_settings::new_click);
  connect(Command3, &QPushButton::clicked, this, &frm_settings::edit_click);
  connect(Command4, &QPushButton::clicked, this, &frm_settings::remove_click);
  connect(Command5, &QPushButton::clicked, this, &frm_settings::zip_click);
  connect(Command7, &QPushButton::clicked, this, &frm_settings::about_click);
  connect(Command8, &QPushButton::clicked, this, &frm_settings::other_products_click);
  connect(Command9, &QPushButton::clicked, this, &frm_settings::help_click);
}

void frm_settings::set_tab_order() {
  QWidget* order[] = {List1,      Command3,   Command4,   Command5,   Command2, Option2[0],
                      Option2[1], Option1[0], Option1[1], Option1[2], Text1,    Text2,
                      Command7,   Command9,   Command8,   Command1};
  for (QWidget* w : order) w->setFocusPolicy(Qt::StrongFocus);
  for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

void frm_settings::load_steps() {
  PlayerState& state = ctx_.state;
  list_at_open_ = state.current_list_name;
  if (state.list_done_action >= 0 && state.list_done_action <= 2) {
    Option1[state.list_done_action]->setChecked(true);
  }
  if (state.player_random >= 0 && state.player_random <= 1) {
    Option2[state.player_random]->setChecked(true);
  }
  refill_list();
  show_current();
  show_stored_text(Text1, state.web_description);
  show_stored_text(Text2, state.web_link);
}

void frm_settings::refill_list() {
  ListWidgetBox box(List1);
  list_play_lists(ctx_.state, ctx_.ui, box);
}

int frm_settings::selected_row() const {
  const QList<QListWidgetItem*> selected = List1->selectedItems();
  return selected.isEmpty() ? -1 : List1->row(selected.first());
}

void frm_settings::show_current() {
  PlayerState& state = ctx_.state;
  state.current_list_index = 0;
  int found = -1;
  const std::string wanted = state.active_collection;
  for (int p = 0; p < List1->count(); ++p) {
    // Exact comparison: a name differing only in letter case is another list.
    if (List1->item(p)->text().toStdString() == wanted) found = p;
  }
  if (found > -1) {
    List1->setCurrentRow(found, QItemSelectionModel::ClearAndSelect);
    state.current_list_index = found + 1;
    state.current_list_name = wanted;
  } else {
    state.active_collection.clear();
    state.current_list_name.clear();
    state.track_count = 0;
    List1->clearSelection();
  }
}

void frm_settings::list_click() {
  const int row = selected_row();
  if (row == -1) return;
  ctx_.state.current_list_name = List1->item(row)->text().toStdString();
  ctx_.state.current_list_index = row + 1;
}

void frm_settings::ok_click() {
  if (closing_) return;
  closing_ = true;
  PlayerState& state = ctx_.state;
  if (!state.current_list_name.empty()) {
    load_play_list(state, ctx_.ui, state.current_list_name, false);
    // The timer moves on one position before it plays, so the unchanged list
    // resumes at the interrupted position; never below the first.
    if (list_at_open_ == state.current_list_name) {
      state.current_track = std::max(0, state.current_track - 1);
    } else {
      state.current_track = 0;
    }
  }
  accept();
}

void frm_settings::reject() {
  ok_click();
}

void frm_settings::new_click() {
  ctx_.state.track_count = 0;
  ctx_.state.changes_made = 0;
  openers_.open_editor(ctx_, this);
  refill_list();
  show_current();
}

void frm_settings::edit_click() {
  PlayerState& state = ctx_.state;
  if (state.current_list_name.empty()) return;
  // Loading makes the list active at once, whether or not the editor saves.
  load_play_list(state, ctx_.ui, state.current_list_name, false);
  state.changes_made = 0;
  openers_.open_editor(ctx_, this);
  refill_list();
  show_current();
}

void frm_settings::remove_click() {
  const int row = selected_row();
  if (row == -1) return;
  const std::string name = List1->item(row)->text().toStdString();
  if (name.empty()) return;
  if (!ctx_.ui.ask_yes_no(kRemoveQuestion, kRemoveTitle)) return;

  bool removed = false;
  try {
    std::error_code error;
    removed = std::filesystem::remove(
        std::filesystem::path(play_list_path(ctx_.state.playlist_folder, name)), error);
  } catch (...) {
    removed = false;
  }
  // A file that is already gone counts as a failure too: the list stays as shown.
  if (!removed) {
    ctx_.ui.show_error(kRemoveErrorText, kRemoveErrorTitle);
    return;
  }
  ctx_.ui.yield();
  refill_list();
  show_current();
}

void frm_settings::zip_click() {
  PlayerState& state = ctx_.state;
  if (state.current_list_name.empty()) return;
  state.picked_folder = kZipPickerTitle;
  openers_.open_picker(ctx_, this);
  if (!state.picked_folder.empty()) openers_.open_zipit(ctx_, this);
}

void frm_settings::about_click() {
  openers_.open_about(ctx_, this);
}

void frm_settings::other_products_click() {
  launch_other_products(ctx_.launcher, ctx_.ui);
}

void frm_settings::help_click() {
  launch_help(ctx_.launcher, ctx_.ui, ctx_.state);
}

// The settings window's controls: their places, captions, tooltips and fonts,
// what each click and change does, and the tab order.
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "editor/filtered_line_edit.h"
#include "editor/key_filters.h"
#include "model/player_state.h"
#include "qt_base/twips.h"
#include "settings/frm_settings.h"

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

// Tab reaches a group of option buttons at its chosen one, from where the
// arrow keys move the choice; with none chosen, at its first.
void tab_stop_at_choice(QButtonGroup& group) {
  QAbstractButton* chosen = group.checkedButton();
  for (QAbstractButton* button : group.buttons()) {
    button->setFocusPolicy(chosen == nullptr || button == chosen ? Qt::StrongFocus
                                                                 : Qt::ClickFocus);
  }
}

}  // namespace

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
  List1->setAccessibleName(qs("Play lists"));
  Command3 = make_button(Frame2, "Command3", "&Edit", " Click here to edit the current play list ",
                         twips_rect(135, 3420, 780, 330));
  Command4 =
      make_button(Frame2, "Command4", "&Remove", " Click here to remove the current play list ",
                  twips_rect(990, 3420, 780, 330));
  Command5 = make_button(Frame2, "Command5", "&.&ZIP",
                         " Click here to create a compressed .ZIP file of the current play list ",
                         twips_rect(1845, 3420, 780, 330));
  Command5->setAccessibleName(qs(".ZIP"));  // the caption's two access keys are not read
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
    if (!checked) return;
    ctx_.state.player_random = id;
    tab_stop_at_choice(*option2_group_);
  });
  connect(option1_group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (!checked) return;
    ctx_.state.list_done_action = id;
    tab_stop_at_choice(*option1_group_);
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
  // The captions name the boxes beside them, not the group's title.
  Label1->setBuddy(Text1);
  Label2->setBuddy(Text2);
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

  for (QWidget* control : std::initializer_list<QWidget*>{Label1, Label2, Option1[0], Option1[1],
                                                          Option1[2], Option2[0], Option2[1]}) {
    fit_caption(control);
  }
  // The two captions of the web link stand side by side: they keep one look.
  QLabel* smaller = Label1->font().pixelSize() <= Label2->font().pixelSize() ? Label1 : Label2;
  Label1->setFont(smaller->font());
  Label2->setFont(smaller->font());
}

void frm_settings::set_tab_order() {
  QWidget* order[] = {List1,      Command3,   Command4,   Command5,   Command2, Option2[0],
                      Option2[1], Option1[0], Option1[1], Option1[2], Text1,    Text2,
                      Command7,   Command9,   Command8,   Command1};
  for (QWidget* w : order) w->setFocusPolicy(Qt::StrongFocus);
  for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

// The settings window: how it opens, what it shows of the player state, and
// Ok. Its controls and its commands live in frm_settings_*.cpp.
#include "settings/frm_settings.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScreen>
#include <QValidator>
#include <algorithm>

#include "editor/frm_collection.h"
#include "export/frm_getfolder.h"
#include "export/frm_zipit.h"
#include "info/frm_about.h"
#include "model/player_state.h"
#include "qt_base/artwork.h"
#include "qt_base/twips.h"
#include "settings/list_widget_box.h"
#include "store/play_list_files.h"

namespace {

QString qs(const char* text) {
  return QString::fromUtf8(text);
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
  // The keyboard comes back here when a window opened from here closes, also
  // where the desktop gives it to no window (the export and its end message
  // close one after the other).
  for (auto* opener :
       {&openers_.open_editor, &openers_.open_picker, &openers_.open_zipit, &openers_.open_about}) {
    *opener = [open = std::move(*opener)](AppContext& context, QWidget* window) {
      open(context, window);
      window->activateWindow();
    };
  }

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

  QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }

  load_steps();
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

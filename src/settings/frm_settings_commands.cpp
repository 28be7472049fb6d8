// The settings window's play-list commands (New, Edit, Remove, .ZIP) and the
// buttons that open the About window, the help page and the makers' products.
#include <QListWidget>
#include <filesystem>
#include <system_error>

#include "info/launches.h"
#include "model/player_state.h"
#include "settings/frm_settings.h"
#include "store/play_list_files.h"

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

// Saving the editor's play list, and every way of leaving the window.
#include "editor/filtered_line_edit.h"
#include "editor/frm_collection.h"
#include "model/player_state.h"
#include "player/media_player.h"
#include "qt_base/browse/file_list.h"
#include "store/play_list_files.h"

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

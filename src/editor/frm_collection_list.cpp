// The editor's working-list commands: add all or the selected files (and the
// tracks of other players' play lists), remove, and move an entry.
#include <QItemSelectionModel>
#include <QListView>

#include "editor/frm_collection.h"
#include "editor/working_list_model.h"
#include "model/player_state.h"
#include "qt_base/browse/browse_paths.h"
#include "qt_base/browse/file_list.h"
#include "store/foreign_play_list.h"

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
  const std::string folder = browse::with_slash(file1->path());
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
    if (i >= entries_->count() || !selection->isSelected(entries_->index(i))) {
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
  List1->selectionModel()->setCurrentIndex(entries_->index(neighbour),
                                           QItemSelectionModel::ClearAndSelect);
}

// The editor's browser: the drive, folder and file lists, and the preview of
// a clicked file.
#include <QDir>
#include <QFile>

#include "editor/frm_collection.h"
#include "model/player_state.h"
#include "player/media_player.h"
#include "qt_base/browse/audio_disc_browse.h"
#include "qt_base/browse/browse_paths.h"
#include "qt_base/browse/drive_list.h"
#include "qt_base/browse/file_list.h"
#include "qt_base/browse/folder_list.h"

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
  play_file(ctx_.player, ctx_.ui, browse::with_slash(file1->path()) + name);
}

#include "qt_base/browse/audio_disc_browse.h"

#include "cd/cd_disc.h"
#include "cd/cda_stub.h"
#include "qt_base/browse/browse_paths.h"
#include "qt_base/browse/drive_list.h"
#include "qt_base/browse/file_list.h"
#include "qt_base/browse/folder_list.h"

namespace {

constexpr int kPollMs = 200;
// A drive that has not answered in this time is asked again when the list opens.
constexpr int kMaxPolls = 30 * 1000 / kPollMs;

}  // namespace

AudioDiscBrowse::AudioDiscBrowse(const std::string& device, DriveList* drives, FolderList* folders,
                                 FileList* files)
    : QObject(drives), drive_(device), drives_(drives), folders_(folders), files_(files) {
  poll_timer_.setInterval(kPollMs);
  connect(&poll_timer_, &QTimer::timeout, this, &AudioDiscBrowse::poll);
  connect(drives_, &DriveList::popup_opening, this, &AudioDiscBrowse::ask_drive);
  ask_drive();
}

void AudioDiscBrowse::ask_drive() {
  polls_left_ = kMaxPolls;
  if (!poll_timer_.isActive()) poll_timer_.start();
  poll();
}

void AudioDiscBrowse::poll() {
  const std::unique_ptr<CdDisc> disc = drive_.open(std::chrono::milliseconds(0));
  if (!disc && drive_.busy() && --polls_left_ > 0) return;
  poll_timer_.stop();
  track_names_.clear();
  if (disc) {
    for (int track : audio_tracks(disc->toc())) track_names_.push_back(cda_name_of_track(track));
  }
  if (track_names_.empty()) {
    drives_->clear_audio_disc();
    return;
  }
  root_ = browse::with_slash(disc->device());
  caption_ = browse::to_qt(disc->device()) + QStringLiteral(" (Audio CD)");
  drives_->set_audio_disc(root_, caption_);
}

bool AudioDiscBrowse::show_if_chosen() {
  if (!drives_->audio_disc_chosen()) return false;
  folders_->show_disc(root_, caption_);
  files_->show_names(root_, track_names_);
  return true;
}

#include "player/stream_media_player.h"

#include <filesystem>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kFirstRetries = std::chrono::seconds(1);
constexpr auto kLaterRetries = std::chrono::seconds(5);
constexpr int kQuickRetries = 5;

}  // namespace

StreamMediaPlayer::StreamMediaPlayer()
    : streamer_([this](const std::string& path) {
        // The queued file opens on the decode thread: one drive, one opening at a time.
        std::lock_guard<std::mutex> lock(open_mutex_);
        DecoderContext context;
        context.cd_drive = &cd_drive_;
        return open_decoder(path, context);
      }),
      output_(streamer_) {
  streamer_.set_notices([this] { tell(true); }, [this] { tell(false); });
}

StreamMediaPlayer::~StreamMediaPlayer() {
  streamer_.set_notices({}, {});
  output_.close();
}

void StreamMediaPlayer::tell(bool moved_on) {
  std::lock_guard<std::mutex> lock(notice_mutex_);
  auto& notice = moved_on ? moved_on_notice_ : end_notice_;
  if (notice) notice();
}

bool StreamMediaPlayer::stop() {
  streamer_.stop();
  queued_.clear();
  output_.set_paused(true);
  paused_ = waiting_ = false;
  moved_on_seen_ = 0;
  return true;
}

bool StreamMediaPlayer::set_file_name(const std::string& path) {
  stop();  // the file named before, and what was queued after it, go
  file_name_ = path;
  return true;
}

bool StreamMediaPlayer::open_output() {
  if (output_.is_open()) return true;
  const auto now = Clock::now();
  if (failed_opens_ > 0 && now < next_open_) return false;
  const std::string name = std::filesystem::path(file_name_).filename().string();
  if (output_.open(name)) {
    failed_opens_ = 0;
    return true;
  }
  ++failed_opens_;
  next_open_ = now + (failed_opens_ <= kQuickRetries ? kFirstRetries : kLaterRetries);
  return false;
}

bool StreamMediaPlayer::play() {
  if (file_name_.empty()) return false;
  paused_ = waiting_ = false;
  moved_on_seen_ = 0;
  if (!streamer_.start(file_name_)) {
    output_.set_paused(true);
    return false;
  }
  if (!queued_.empty()) streamer_.queue(queued_);
  if (open_output()) {
    output_.set_paused(false);
  } else {
    streamer_.hold();
    waiting_ = true;
  }
  return true;
}

// Once a tick: an output that went away is let go, and one that is due is
// opened again; the music goes on where it went silent.
void StreamMediaPlayer::watch_output() {
  if (!waiting_ && output_.is_open() && output_.lost()) {
    streamer_.hold();
    output_.close();
    waiting_ = true;
    failed_opens_ = 1;
    next_open_ = Clock::now() + kFirstRetries;
    return;
  }
  if (waiting_ && !paused_ && open_output()) {
    waiting_ = false;
    streamer_.resume();
    output_.set_paused(false);
  }
}

int StreamMediaPlayer::play_state() {
  if (streamer_.state() == Streamer::State::Idle) return 0;
  watch_output();
  if (waiting_ || paused_) return kPlaying;
  if (streamer_.state() == Streamer::State::Ended) {
    output_.set_paused(true);
    return 0;
  }
  return kPlaying;
}

void StreamMediaPlayer::rest() {
  streamer_.stop();
  queued_.clear();
  output_.close();
  paused_ = waiting_ = false;
  failed_opens_ = 0;
}

TrackInfo StreamMediaPlayer::track_info() {
  TrackInfo info;
  if (streamer_.state() == Streamer::State::Idle) return info;
  const DecoderTags tags = streamer_.tags();
  info.title = tags.title;
  info.artist = tags.artist;
  info.album = tags.album;
  info.duration_us = streamer_.length_us();
  return info;
}

int64_t StreamMediaPlayer::position_us() {
  return streamer_.position_us();
}

void StreamMediaPlayer::set_end_notice(std::function<void()> notice) {
  std::lock_guard<std::mutex> lock(notice_mutex_);
  end_notice_ = std::move(notice);
}

void StreamMediaPlayer::set_moved_on_notice(std::function<void()> notice) {
  std::lock_guard<std::mutex> lock(notice_mutex_);
  moved_on_notice_ = std::move(notice);
}

void StreamMediaPlayer::queue_next(const std::string& path) {
  queued_ = path;
  streamer_.queue(path);
}

bool StreamMediaPlayer::take_moved_on() {
  const int count = streamer_.moved_on_count();
  if (count <= moved_on_seen_) return false;
  moved_on_seen_ = count;
  return true;
}

// A paused file gives its output back, as a stopped one does.
bool StreamMediaPlayer::pause() {
  if (streamer_.state() != Streamer::State::Playing || paused_) return false;
  output_.close();
  streamer_.hold();
  paused_ = true;
  return true;
}

bool StreamMediaPlayer::resume() {
  if (!paused_) return false;
  paused_ = false;
  if (!open_output()) {
    waiting_ = true;
    return true;
  }
  waiting_ = false;
  streamer_.resume();
  output_.set_paused(false);
  return true;
}

bool StreamMediaPlayer::seek_us(int64_t us) {
  return streamer_.seek_us(us);
}

void StreamMediaPlayer::set_volume(double volume) {
  streamer_.set_volume(volume);
}

double StreamMediaPlayer::volume() {
  return streamer_.volume();
}

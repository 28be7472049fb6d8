#include "audio/streamer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr long kChunk = 2048;  // source frames decoded at a time
// Frames the calling thread decodes itself when a file starts or the place
// moves, so that the output has music on its very next turn.
constexpr size_t kPrime = 8192;
// A track that ends this soon never really got going: its end is left to the
// once-a-second tick, so that a list of such files is not raced through.
constexpr int64_t kShortestToldEnd = Streamer::kRate / 5;
constexpr auto kShortestTurn = std::chrono::milliseconds(5);
constexpr auto kLongestTurn = std::chrono::milliseconds(300);
constexpr float kRampStep = 1.0f / 441;  // a full swing of the volume in 10 ms

int64_t to_us(int64_t frames, int rate) {
  return rate > 0 ? frames * 1000000 / rate : -1;
}

}  // namespace

Streamer::Streamer(Opener opener, size_t ring_frames)
    : opener_(std::move(opener)), ring_(ring_frames), thread_([this] { run(); }) {}

Streamer::~Streamer() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void Streamer::set_notices(std::function<void()> moved_on, std::function<void()> ended) {
  std::lock_guard<std::mutex> lock(mutex_);
  moved_on_notice_ = std::move(moved_on);
  ended_notice_ = std::move(ended);
}

bool Streamer::start(const std::string& path) {
  std::unique_ptr<Decoder> decoder;
  try {
    decoder = opener_(path);
  } catch (...) {
    decoder.reset();
  }
  std::unique_lock<std::mutex> lock(mutex_);
  clear_locked();
  if (!decoder) return false;
  converter_.set_rate(decoder->rate());
  Source s;
  s.decoder = std::move(decoder);
  s.path = path;
  s.start = ring_.written();
  sources_.push_back(std::move(s));
  fill_locked(lock, ring_.capacity() - kPrime);
  lock.unlock();
  wake_.notify_all();
  return true;
}

void Streamer::clear_locked() {
  ++generation_;
  ring_.discard();
  sources_.clear();
  queued_path_.clear();
  queued_.reset();
  queued_failed_ = false;
  spill_.clear();
  converter_.set_rate(kRate);
  converter_.reset();
  end_at_.reset();
  ended_told_ = false;
  held_ = false;
  moved_on_ = 0;
}

void Streamer::queue(const std::string& path) {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    const bool behind = sources_.size() > 1;  // already decoded behind the playing file
    if (behind ? queued_path_.empty() && sources_.back().path == path : path == queued_path_) {
      return;
    }
    ++generation_;
    if (behind) {
      // The ring is decoded again from the place the output has reached.
      restart_at_locked(frames_in_locked(*current_locked()));
    } else if (end_at_ && ring_.read() < *end_at_) {
      end_at_.reset();  // decoded to its end, but still playing: the new follower joins it
    }
    queued_path_ = path;
    queued_.reset();
    queued_failed_ = false;
    if (behind && !held_) fill_locked(lock, ring_.capacity() - kPrime);
  }
  wake_.notify_all();
}

void Streamer::stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  clear_locked();
}

void Streamer::hold() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (sources_.empty() || held_) return;
  if (!end_at_ || ring_.read() < *end_at_) restart_at_locked(frames_in_locked(*current_locked()));
  held_ = true;
}

void Streamer::resume() {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!held_) return;
    held_ = false;
    fill_locked(lock, ring_.capacity() - kPrime);
  }
  wake_.notify_all();
}

bool Streamer::held() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return held_;
}

bool Streamer::seek_us(int64_t us) {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    if (sources_.empty()) return false;
    const Source& s = *current_locked();
    int64_t frame = (std::max<int64_t>(0, us) * kRate + 500000) / 1000000;
    const int64_t length = s.decoder->length();
    if (length >= 0) {
      frame = std::min(frame, length * kRate / s.decoder->rate());
    }
    restart_at_locked(frame);
    if (!held_) fill_locked(lock, ring_.capacity() - kPrime);
  }
  wake_.notify_all();
  return true;
}

// The ring is emptied and the playing file decoded again from its output
// frame `frame`; a follower already decoded behind it waits again, from its start.
void Streamer::restart_at_locked(int64_t frame) {
  const Source* now = current_locked();
  while (!sources_.empty() && &sources_.front() != now) sources_.pop_front();
  if (sources_.size() > 1) {
    queued_path_ = sources_[1].path;
    queued_ = std::move(sources_[1].decoder);
    if (queued_ && !queued_->seek(0)) queued_.reset();
    sources_.resize(1);
  }
  Source& s = sources_.front();
  ring_.discard();
  spill_.clear();
  converter_.set_rate(s.decoder->rate());
  converter_.reset();
  end_at_.reset();
  ended_told_ = false;
  const int64_t source_frame = frame * s.decoder->rate() / kRate;
  s.decoded = !s.decoder->seek(source_frame);
  s.start = ring_.written();
  s.base = frame;
}

const Streamer::Source* Streamer::current_locked() const {
  if (sources_.empty()) return nullptr;
  const uint64_t read = ring_.read();
  for (auto it = sources_.rbegin(); it != sources_.rend(); ++it) {
    if (it->start <= read) return &*it;
  }
  return &sources_.front();
}

int64_t Streamer::frames_in_locked(const Source& s) const {
  uint64_t read = ring_.read();
  if (end_at_ && read > *end_at_) read = *end_at_;
  return s.base + static_cast<int64_t>(read > s.start ? read - s.start : 0);
}

Streamer::State Streamer::state() const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (sources_.empty()) return State::Idle;
  if (end_at_ && ring_.read() >= *end_at_) return State::Ended;
  return State::Playing;
}

std::string Streamer::path() const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Source* s = current_locked();
  return s ? s->path : std::string();
}

int64_t Streamer::position_us() const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Source* s = current_locked();
  return s ? to_us(frames_in_locked(*s), kRate) : -1;
}

int64_t Streamer::length_us() const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Source* s = current_locked();
  if (!s || s->decoder->length() < 0) return -1;
  return to_us(s->decoder->length(), s->decoder->rate());
}

DecoderTags Streamer::tags() const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Source* s = current_locked();
  return s ? s->decoder->tags() : DecoderTags{};
}

int Streamer::moved_on_count() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return moved_on_;
}

void Streamer::set_volume(double volume) {
  volume_.store(static_cast<float>(std::clamp(volume, 0.0, 1.0)), std::memory_order_relaxed);
}

double Streamer::volume() const {
  return volume_.load(std::memory_order_relaxed);
}

// Long enough to decode in bursts, short enough that the ring never runs dry
// and that a marked frame is told soon after the output has taken it.
std::chrono::milliseconds Streamer::next_turn_locked() const {
  const uint64_t read = ring_.read();
  const uint64_t buffered = ring_.written() - read;
  uint64_t frames = buffered > ring_.capacity() / 2 ? buffered - ring_.capacity() / 2 : 0;
  if (sources_.size() > 1 && sources_[1].start >= read)
    frames = std::min(frames, sources_[1].start - read);
  if (end_at_ && *end_at_ >= read) frames = std::min(frames, *end_at_ - read);
  const auto ms = std::chrono::milliseconds(static_cast<int64_t>(frames * 1000 / kRate));
  return std::clamp(ms, kShortestTurn, kLongestTurn);
}

bool Streamer::active_locked() const {
  return !sources_.empty() && !held_ && !ended_told_;
}

void Streamer::write_locked(const std::vector<int16_t>& frames) {
  const size_t fits = std::min(frames.size() / 2, ring_.space());
  ring_.write(frames.data(), fits);
  spill_.insert(spill_.end(), frames.begin() + static_cast<long>(fits * 2), frames.end());
}

// Decodes until the ring has no more than `until_space` frames free, or the
// music is decoded to its end.
void Streamer::fill_locked(std::unique_lock<std::mutex>& lock, size_t until_space) {
  while (!sources_.empty() && !held_) {
    if (!spill_.empty()) {
      const size_t fits = std::min(spill_.size() / 2, ring_.space());
      ring_.write(spill_.data(), fits);
      spill_.erase(spill_.begin(), spill_.begin() + static_cast<long>(fits * 2));
      if (!spill_.empty()) return;
    }
    if (ring_.space() <= until_space || end_at_) return;
    Source& s = sources_.back();
    if (s.decoded) {
      if (take_queued_locked(lock)) continue;
      if (sources_.empty() || !sources_.back().decoded) continue;  // changed while unlocked
      converted_.clear();
      converter_.drain(converted_);
      write_locked(converted_);
      end_at_ = ring_.written() + spill_.size() / 2;
      return;
    }
    const int channels = s.decoder->channels();
    decoded_.resize(static_cast<size_t>(kChunk * channels));
    long got = -1;
    try {
      got = s.decoder->read(decoded_.data(), kChunk);
    } catch (...) {
      got = -1;
    }
    // A file that cannot be read on ends where it stopped.
    if (got <= 0) {
      s.decoded = true;
      continue;
    }
    converted_.clear();
    converter_.convert(decoded_.data(), got, channels, converted_);
    write_locked(converted_);
  }
}

// The queued file, opened ahead, goes into the ring right behind the playing
// one; false when there is none to take.
bool Streamer::take_queued_locked(std::unique_lock<std::mutex>& lock) {
  if (!queued_ && !queued_path_.empty() && !queued_failed_) {
    const uint64_t generation = generation_;
    const std::string path = queued_path_;
    lock.unlock();
    std::unique_ptr<Decoder> decoder;
    try {
      decoder = opener_(path);
    } catch (...) {
      decoder.reset();
    }
    lock.lock();
    if (generation != generation_) return true;  // look again at what is there now
    queued_ = std::move(decoder);
    queued_failed_ = !queued_;
  }
  if (!queued_) return false;
  Source next;
  next.decoder = std::move(queued_);
  next.path = queued_path_;
  queued_path_.clear();
  int64_t inside = converter_.pending();
  if (next.decoder->rate() != sources_.back().decoder->rate()) {
    converted_.clear();
    converter_.drain(converted_);
    write_locked(converted_);
    inside = 0;
    converter_.set_rate(next.decoder->rate());
  }
  next.start = ring_.written() + spill_.size() / 2 + static_cast<uint64_t>(inside);
  sources_.push_back(std::move(next));
  return true;
}

void Streamer::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!quit_) {
    if (!active_locked()) {
      wake_.wait(lock);
      continue;
    }
    fill_locked(lock, 0);
    bool moved_on = false, ended = false;
    const uint64_t read = ring_.read();
    while (sources_.size() > 1 && read >= sources_[1].start) {
      sources_.pop_front();
      ++moved_on_;
      moved_on = true;
    }
    if (end_at_ && read >= *end_at_ && !ended_told_ && !sources_.empty()) {
      ended_told_ = true;
      ended = frames_in_locked(sources_.front()) >= kShortestToldEnd;
    }
    // Copies, so that a notice set meanwhile is not torn; called unlocked.
    auto moved_on_notice = moved_on ? moved_on_notice_ : nullptr;
    auto ended_notice = ended ? ended_notice_ : nullptr;
    if (moved_on_notice || ended_notice) {
      lock.unlock();
      if (moved_on_notice) moved_on_notice();
      if (ended_notice) ended_notice();
      lock.lock();
    }
    if (active_locked()) wake_.wait_for(lock, next_turn_locked());
  }
}

void Streamer::pull(int16_t* out, size_t frames) {
  const size_t got = ring_.take(out, frames);
  std::fill(out + got * 2, out + frames * 2, int16_t{0});
  const float target = volume_.load(std::memory_order_relaxed);
  if (gain_ != target || target != 1.0f) {
    for (size_t f = 0; f < got; ++f) {
      if (gain_ < target) gain_ = std::min(target, gain_ + kRampStep);
      if (gain_ > target) gain_ = std::max(target, gain_ - kRampStep);
      for (int c = 0; c < 2; ++c) {
        int16_t& v = out[f * 2 + c];
        v = static_cast<int16_t>(std::lrint(static_cast<float>(v) * gain_));
      }
    }
  }
  pulls_.fetch_add(1, std::memory_order_relaxed);
}

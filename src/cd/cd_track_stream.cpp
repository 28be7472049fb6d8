#include "cd/cd_track_stream.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <vector>

#include "cd/cd_disc.h"
#include "cd/cd_drive.h"
#include "cd/cda_stub.h"

namespace {

// Two seconds of sound ahead of the reader of the stream.
constexpr int32_t kBufferedSectors = 2 * kCdSectorsPerSecond;
// Closing waits this long for a reader that is in the middle of a sector.
constexpr auto kReaderStopWait = std::chrono::milliseconds(500);

void put_le(unsigned char* at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

void write_wav_header(unsigned char* h, uint32_t data_bytes) {
  std::memcpy(h, "RIFF", 4);
  put_le(h + 4, 36 + data_bytes, 4);
  std::memcpy(h + 8, "WAVEfmt ", 8);
  put_le(h + 16, 16, 4);
  put_le(h + 20, 1, 2);  // PCM
  put_le(h + 22, 2, 2);  // stereo
  put_le(h + 24, 44100, 4);
  put_le(h + 28, 44100 * 4, 4);
  put_le(h + 32, 4, 2);
  put_le(h + 34, 16, 2);
  std::memcpy(h + 36, "data", 4);
  put_le(h + 40, data_bytes, 4);
}

}  // namespace

// What the stream and its reading thread share. The buffer holds the track's
// sectors [first, first + count) in a ring; `wanted` asks the thread to read
// from another sector on.
struct CdTrackStream::Reader {
  Reader(std::unique_ptr<CdDisc> d, CdTrackSpan s)
      : disc(std::move(d)), span(s), ring(static_cast<size_t>(kBufferedSectors) * kCdSectorBytes) {}

  void run();
  unsigned char* slot(int32_t sector) {
    return ring.data() + static_cast<size_t>(sector % kBufferedSectors) * kCdSectorBytes;
  }

  std::unique_ptr<CdDisc> disc;
  const CdTrackSpan span;
  std::vector<unsigned char> ring;
  std::mutex mutex;
  std::condition_variable changed;
  int32_t first = 0;
  int32_t count = 0;
  int32_t wanted = 0;   // -1 when reading simply goes on
  bool failed = false;  // the sector first + count cannot be read
  bool stopping = false;
  bool finished = false;
};

void CdTrackStream::Reader::run() {
  std::vector<unsigned char> sector(kCdSectorBytes);
  std::unique_lock<std::mutex> lock(mutex);
  while (!stopping) {
    if (wanted >= 0) {
      first = wanted;
      count = 0;
      wanted = -1;
      lock.unlock();
      const bool ok = disc->seek(span, span.first_sector + first);
      lock.lock();
      failed = !ok;
      changed.notify_all();
      continue;
    }
    if (failed || count == kBufferedSectors || first + count >= span.sectors) {
      changed.wait(lock);
      continue;
    }
    lock.unlock();
    const bool ok = disc->read_sector(sector.data());
    lock.lock();
    if (wanted >= 0) continue;  // read for a place the stream has left
    if (ok) {
      std::memcpy(slot(first + count), sector.data(), kCdSectorBytes);
      ++count;
    } else {
      failed = true;
    }
    changed.notify_all();
  }
  finished = true;
  changed.notify_all();
}

CdTrackStream::CdTrackStream(std::unique_ptr<CdDisc> disc, CdTrackSpan span)
    : span_(span), reader_(std::make_shared<Reader>(std::move(disc), span)) {
  write_wav_header(header_, static_cast<uint32_t>(span.sectors) * kCdSectorBytes);
  // The reading starts at once: the first second is there when playing starts.
  thread_ = std::thread([reader = reader_] { reader->run(); });
}

CdTrackStream::~CdTrackStream() {
  std::unique_lock<std::mutex> lock(reader_->mutex);
  reader_->stopping = true;
  reader_->changed.notify_all();
  const bool stopped =
      reader_->changed.wait_for(lock, kReaderStopWait, [this] { return reader_->finished; });
  lock.unlock();
  if (stopped) {
    thread_.join();
  } else {
    thread_.detach();  // it holds its own share of the disc
  }
}

uint64_t CdTrackStream::size() const {
  return kWavHeaderBytes + static_cast<uint64_t>(span_.sectors) * kCdSectorBytes;
}

int64_t CdTrackStream::duration_us() const {
  return static_cast<int64_t>(span_.sectors) * 1000000 / kCdSectorsPerSecond;
}

std::optional<size_t> CdTrackStream::read(uint64_t pos, unsigned char* out, size_t n,
                                          std::chrono::milliseconds wait) {
  if (pos >= size() || n == 0) return 0;
  if (pos < kWavHeaderBytes) {
    const size_t part = std::min<size_t>(n, kWavHeaderBytes - pos);
    std::memcpy(out, header_ + pos, part);
    return part;
  }
  const uint64_t offset = pos - kWavHeaderBytes;
  const auto sector = static_cast<int32_t>(offset / kCdSectorBytes);
  size_t within = offset % kCdSectorBytes;

  Reader& r = *reader_;
  std::unique_lock<std::mutex> lock(r.mutex);
  // Sectors before the wanted one are done with; a place outside what is
  // buffered or next in line is read anew.
  if (r.wanted < 0) {
    while (r.count > 0 && r.first < sector) {
      ++r.first;
      --r.count;
    }
    if (sector != r.first) {
      r.wanted = sector;
      r.failed = false;
    }
    r.changed.notify_all();
  } else {
    r.wanted = sector;
  }
  const bool ready = r.changed.wait_for(
      lock, wait, [&] { return r.wanted < 0 && r.first == sector && (r.count > 0 || r.failed); });
  if (!ready) return std::nullopt;
  if (r.count == 0) return 0;  // the disc cannot be read here

  size_t copied = 0;
  for (int32_t s = r.first; s < r.first + r.count && copied < n; ++s) {
    const size_t part = std::min(n - copied, static_cast<size_t>(kCdSectorBytes) - within);
    std::memcpy(out + copied, r.slot(s) + within, part);
    copied += part;
    within = 0;
  }
  return copied;
}

std::unique_ptr<CdTrackStream> open_cd_track(CdDrive& drive, const CdTrackRef& ref,
                                             std::chrono::milliseconds wait) {
  std::unique_ptr<CdDisc> disc = drive.open(wait);
  if (!disc) return nullptr;
  if (ref.disc_serial && *ref.disc_serial != disc_serial(disc->toc())) return nullptr;
  const std::optional<CdTrackSpan> span = audio_track_span(disc->toc(), ref.track);
  if (!span) return nullptr;
  return std::make_unique<CdTrackStream>(std::move(disc), *span);
}

#include "player/cd_music.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <cstring>
#include <memory>

#include "cd/cd_track_stream.h"
#include "cd/cda_stub.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The user-interface thread waits no longer for the drive than this; a drive
// that is still spinning up answers the next entry.
constexpr auto kOpenWait = 500ms;
// The mixer's thread waits this long for sectors before it plays silence in
// their place, so that stopping the music never waits on the drive.
constexpr auto kReadWait = 20ms;
// A drive that delivers nothing for this long ends the track.
constexpr auto kGiveUpAfter = 10s;

struct CdSource {
  std::unique_ptr<CdTrackStream> stream;
  uint64_t pos = 0;
  bool stalled = false;
  Clock::time_point stalled_since;
};

CdSource& source_of(SDL_RWops* rw) {
  return *static_cast<CdSource*>(rw->hidden.unknown.data1);
}

Sint64 cd_size(SDL_RWops* rw) {
  return static_cast<Sint64>(source_of(rw).stream->size());
}

Sint64 cd_seek(SDL_RWops* rw, Sint64 offset, int whence) {
  CdSource& s = source_of(rw);
  const auto size = static_cast<Sint64>(s.stream->size());
  Sint64 base = 0;
  if (whence == RW_SEEK_CUR) base = static_cast<Sint64>(s.pos);
  if (whence == RW_SEEK_END) base = size;
  const Sint64 to = base + offset;
  if (to < 0) return SDL_SetError("seek before the start");
  // Nothing is read here: the mixer seeks past the data when it opens a WAV file.
  s.pos = static_cast<uint64_t>(to > size ? size : to);
  return static_cast<Sint64>(s.pos);
}

size_t cd_read(SDL_RWops* rw, void* ptr, size_t size, size_t count) {
  CdSource& s = source_of(rw);
  if (size == 0 || count == 0) return 0;
  const size_t wanted = size * count;
  auto* out = static_cast<unsigned char*>(ptr);
  size_t got = 0;
  while (got < wanted) {
    const std::optional<size_t> part = s.stream->read(s.pos, out + got, wanted - got, kReadWait);
    if (!part) break;
    if (*part == 0) return got / size;  // the end, or the disc cannot be read on
    s.pos += *part;
    got += *part;
  }
  if (got > 0) {
    s.stalled = false;
    return got / size;
  }
  // The drive is behind: silence, and the place stays, so nothing is skipped.
  const auto now = Clock::now();
  if (!s.stalled) {
    s.stalled = true;
    s.stalled_since = now;
  }
  if (now - s.stalled_since > kGiveUpAfter) return 0;
  std::memset(out, 0, wanted);
  return count;
}

size_t cd_write(SDL_RWops*, const void*, size_t, size_t) {
  return 0;
}

int cd_close(SDL_RWops* rw) {
  delete &source_of(rw);
  SDL_FreeRW(rw);
  return 0;
}

}  // namespace

Mix_Music* load_cd_music(const std::string& path, CdDrive& drive) {
  const std::optional<CdTrackRef> ref = cd_track_of(path);
  if (!ref) return nullptr;
  std::unique_ptr<CdTrackStream> stream = open_cd_track(drive, *ref, kOpenWait);
  if (!stream) return nullptr;
  SDL_RWops* rw = SDL_AllocRW();
  if (!rw) return nullptr;
  rw->type = SDL_RWOPS_UNKNOWN;
  rw->size = cd_size;
  rw->seek = cd_seek;
  rw->read = cd_read;
  rw->write = cd_write;
  rw->close = cd_close;
  auto* source = new CdSource;
  source->stream = std::move(stream);
  rw->hidden.unknown.data1 = source;
  // The mixer closes the stream with the music, or at once when it refuses it.
  return Mix_LoadMUSType_RW(rw, MUS_WAV, 1);
}

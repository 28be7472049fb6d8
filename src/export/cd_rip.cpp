#include "export/cd_rip.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

#include "cd/cd_track_stream.h"
#include "cd/cda_stub.h"
#include "export/export_job.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Each wait for the drive is this short; the window is served in between.
constexpr auto kStep = 50ms;
// A drive spinning up gets this long to answer, and this long for each piece.
constexpr auto kDriveAnswers = 20s;
constexpr size_t kChunkBytes = 64 * 1024;

}  // namespace

std::string ripped_name_of(const std::string& file_name) {
  const size_t dot = file_name.rfind('.');
  return (dot == std::string::npos || dot == 0 ? file_name : file_name.substr(0, dot)) + ".wav";
}

CdRipper::CdRipper(const std::string& device, UiServices& ui, ProgressView& view)
    : drive_(device), ui_(ui), view_(view) {}

bool CdRipper::rip(const std::string& entry, const std::string& target,
                   const std::string& shown_name) {
  const std::optional<CdTrackRef> ref = cd_track_of(entry);
  if (!ref || drive_silent_) return false;
  std::unique_ptr<CdTrackStream> stream;
  for (const auto until = Clock::now() + kDriveAnswers; !stream && Clock::now() < until;) {
    stream = open_cd_track(drive_, *ref, kStep);
    if (!drive_.busy()) break;
    ui_.yield();
  }
  if (!stream) {
    drive_silent_ = drive_.busy();
    return false;
  }

  const std::string text = "Reading CD: " + shown_name;
  view_.draw_progress(0, text);
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  std::vector<unsigned char> chunk(kChunkBytes);
  const uint64_t size = stream->size();
  uint64_t done = 0;
  int percent = 0;
  auto stalled_since = Clock::now();
  while (out && done < size) {
    const std::optional<size_t> got = stream->read(done, chunk.data(), chunk.size(), kStep);
    if (!got) {
      if (Clock::now() - stalled_since > kDriveAnswers) break;
      ui_.yield();
      continue;
    }
    if (*got == 0) break;  // the disc cannot be read on
    out.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(*got));
    done += *got;
    stalled_since = Clock::now();
    const int now = static_cast<int>(done * 100 / size);
    if (now != percent) view_.draw_progress(static_cast<int16_t>(percent = now), text);
  }
  out.close();
  if (done == size && out) return true;
  std::remove(target.c_str());
  return false;
}

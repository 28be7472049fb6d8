// Which decoder plays a file: CD-audio entries by name or content, MIDI and
// RMI by content, everything else through libsndfile.
#include <cstring>
#include <filesystem>
#include <fstream>

#include "audio/cd_decoder.h"
#include "audio/decoder.h"
#include "audio/midi_decoder.h"
#include "audio/sndfile_decoder.h"
#include "cd/cda_stub.h"

namespace {

namespace fs = std::filesystem;

bool is_riff(const char* head, size_t size, const char* form) {
  return size >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, form, 4) == 0;
}

std::unique_ptr<Decoder> open_file(const std::string& path, const DecoderContext& context) {
  // A CD-audio entry plays its track from the disc, also when its file is missing.
  if (is_cda_path(path)) return open_cd_decoder(path, context.cd_drive);
  std::error_code ec;
  if (path.empty() || !fs::is_regular_file(path, ec)) return nullptr;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec || size == 0) return nullptr;
  char head[12] = {};
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  in.read(head, sizeof head);
  const auto got = static_cast<size_t>(in.gcount());
  if (is_riff(head, got, "CDDA")) return open_cd_decoder(path, context.cd_drive);
  if (is_riff(head, got, "RMID") || (got >= 4 && std::memcmp(head, "MThd", 4) == 0))
    return open_midi_decoder(path);
  return open_sndfile_decoder(path);
}

}  // namespace

std::unique_ptr<Decoder> open_decoder(const std::string& path, const DecoderContext& context) {
  try {
    return open_file(path, context);
  } catch (...) {
    return nullptr;  // a file that cannot be opened is one the player skips
  }
}

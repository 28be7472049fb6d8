#include "audio/midi_decoder.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

constexpr int kRate = 44100;
constexpr std::uintmax_t kMaxFileBytes = 64u << 20;
// Rendering goes in blocks this long, so that the end is found to the block.
constexpr long kBlockFrames = 512;
// Once the music is over the track ends when the last note has rung out:
// this long below the level nobody hears, or at the latest after the cap.
constexpr long kQuietFrames = kRate / 10;
constexpr float kQuietLevel = 1e-4f;  // -80 dB
constexpr long kRingOutCap = 3 * kRate;
// FluidSynth's own 0.2 leaves General MIDI music far below other tracks.
constexpr double kGain = 0.5;

uint32_t be(const unsigned char* p, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = v << 8 | p[i];
  return v;
}

uint32_t le32(const unsigned char* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

std::optional<Bytes> read_file(const std::string& path) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec || size > kMaxFileBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  Bytes bytes(static_cast<size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  bytes.resize(static_cast<size_t>(in.gcount()));
  return bytes;
}

// The standard MIDI file inside an RMI file is its "data" chunk; a chunk
// that claims more than the file holds is cut to what is there.
Bytes rmi_midi_data(const Bytes& file) {
  size_t pos = 12;
  while (file.size() >= 8 && pos <= file.size() - 8) {
    const unsigned char* chunk = file.data() + pos;
    const size_t available = file.size() - pos - 8;
    const size_t length = std::min<size_t>(le32(chunk + 4), available);
    if (std::memcmp(chunk, "data", 4) == 0) return Bytes(chunk + 8, chunk + 8 + length);
    if (length == available) break;
    pos += 8 + length + (length & 1);
  }
  return {};
}

struct Tempo {
  int64_t tick;
  uint32_t us_per_quarter;
};

// What seeking needs of the music: ticks a quarter and the tempo changes.
struct MidiTiming {
  int division = 0;
  std::vector<Tempo> tempos;
};

// Walks every track of a standard MIDI file as FluidSynth's player will:
// nothing for a file it would refuse or find cut short.
std::optional<MidiTiming> read_timing(const Bytes& smf) {
  const size_t size = smf.size();
  if (size < 14 || std::memcmp(smf.data(), "MThd", 4) != 0) return std::nullopt;
  const uint32_t header = be(&smf[4], 4);
  const uint32_t format = be(&smf[8], 2), tracks = be(&smf[10], 2), division = be(&smf[12], 2);
  // Time code divisions are not played by the synthesizer.
  if (header != 6 || format > 2 || tracks == 0 || division == 0 || (division & 0x8000))
    return std::nullopt;
  MidiTiming timing;
  timing.division = static_cast<int>(division);
  size_t pos = 8 + header;
  for (uint32_t found = 0; found < tracks;) {
    if (size - pos < 8) return std::nullopt;
    const uint32_t length = be(&smf[pos + 4], 4);
    if (length > size - pos - 8) return std::nullopt;
    const bool track = std::memcmp(&smf[pos], "MTrk", 4) == 0;
    size_t at = pos + 8;
    const size_t end = at + length;
    pos = end;
    if (!track) continue;
    ++found;
    int64_t tick = 0;
    unsigned running = 0;
    auto varlen = [&](uint32_t& v) {
      v = 0;
      for (int i = 0; i < 4; ++i) {
        if (at >= end) return false;
        const unsigned char c = smf[at++];
        v = v << 7 | (c & 0x7F);
        if (!(c & 0x80)) return true;
      }
      return false;
    };
    while (at < end) {
      uint32_t delta = 0, len = 0;
      if (!varlen(delta) || at >= end) return std::nullopt;
      tick += delta;
      unsigned status = smf[at];
      if (status & 0x80) {
        ++at;
      } else if (running) {
        status = running;
      } else {
        return std::nullopt;
      }
      running = status;  // the synthesizer's player keeps any status as running
      if (status == 0xF0) {
        if (!varlen(len) || len > end - at) return std::nullopt;
        at += len;
      } else if (status == 0xFF) {
        if (at >= end) return std::nullopt;
        const unsigned type = smf[at++];
        if (!varlen(len) || len > end - at) return std::nullopt;
        if (type == 0x51 && len == 3) timing.tempos.push_back({tick, be(&smf[at], 3)});
        at += len;
        if (type == 0x2F) break;
      } else if (status >= 0xF0) {
        return std::nullopt;  // escaped and system messages stop the player's reading
      } else {
        const size_t data = (status & 0xE0) == 0xC0 ? 1 : 2;
        if (data > end - at) return std::nullopt;
        at += data;
      }
    }
  }
  std::stable_sort(timing.tempos.begin(), timing.tempos.end(),
                   [](const Tempo& a, const Tempo& b) { return a.tick < b.tick; });
  return timing;
}

// The tick that sounds at a frame, through the tempo changes before it.
int64_t tick_at_frame(const MidiTiming& timing, int64_t frame) {
  double seconds = static_cast<double>(frame) / kRate;
  int64_t tick = 0;
  double us_per_quarter = 500000;  // 120 beats a minute until the music says otherwise
  for (const Tempo& change : timing.tempos) {
    const double span = (change.tick - tick) * us_per_quarter / timing.division / 1e6;
    if (span > seconds) break;
    seconds -= span;
    tick = change.tick;
    us_per_quarter = change.us_per_quarter > 0 ? change.us_per_quarter : us_per_quarter;
  }
  return tick + static_cast<int64_t>(seconds * 1e6 / us_per_quarter * timing.division);
}

std::string sound_font() {
  std::error_code ec;
  if (const char* chosen = std::getenv("DAVRIN_SOUNDFONT");
      chosen && fs::is_regular_file(chosen, ec))
    return chosen;
  for (const char* font :
       {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2"}) {
    if (fs::is_regular_file(font, ec)) return font;
  }
  return {};
}

// FluidSynth writes its complaints to the terminal: the player has no use for them.
void silence_fluidsynth() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
      fluid_set_log_function(level, nullptr, nullptr);
  });
}

class MidiDecoder final : public Decoder {
 public:
  MidiDecoder(Bytes smf, MidiTiming timing) : smf_(std::move(smf)), timing_(std::move(timing)) {}
  ~MidiDecoder() override {
    if (player_) delete_fluid_player(player_);
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
  }
  MidiDecoder(const MidiDecoder&) = delete;
  MidiDecoder& operator=(const MidiDecoder&) = delete;

  bool open(const std::string& font) {
    settings_ = new_fluid_settings();
    if (!settings_) return false;
    // The player follows the samples rendered, never a clock of its own; no
    // audio driver is ever made, so none opens.
    fluid_settings_setstr(settings_, "player.timing-source", "sample");
    fluid_settings_setnum(settings_, "synth.sample-rate", kRate);
    fluid_settings_setnum(settings_, "synth.gain", kGain);
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    fluid_settings_setint(settings_, "synth.cpu-cores", 1);
    {
      // FluidSynth fills its shared tables when the first synthesizer is
      // made: two made at once on two threads could see them half done.
      static std::mutex making;
      std::lock_guard<std::mutex> lock(making);
      synth_ = new_fluid_synth(settings_);
    }
    if (!synth_ || fluid_synth_sfload(synth_, font.c_str(), 1) == FLUID_FAILED) return false;
    return start_player(0);
  }

  int rate() const override { return kRate; }
  int channels() const override { return 2; }
  int64_t length() const override { return -1; }

  long read(float* out, long frames) override {
    long done = 0;
    while (done < frames && !ended_) {
      const long n = std::min(kBlockFrames, frames - done);
      float* block = out + 2 * done;
      if (fluid_synth_write_float(synth_, static_cast<int>(n), block, 0, 2, block, 1, 2) !=
          FLUID_OK)
        return done > 0 ? done : -1;
      done += n;
      if (!music_over_) {
        music_over_ =
            fluid_player_get_status(player_) == FLUID_PLAYER_DONE ||
            fluid_player_get_current_tick(player_) >= fluid_player_get_total_ticks(player_);
        if (music_over_) release_all();
        continue;
      }
      float peak = 0;
      for (long i = 0; i < 2 * n; ++i) peak = std::max(peak, std::fabs(block[i]));
      quiet_ = peak < kQuietLevel ? quiet_ + n : 0;
      ringing_ += n;
      ended_ = quiet_ >= kQuietFrames || ringing_ >= kRingOutCap;
    }
    return done;
  }

  // A fresh player that starts at the tick of the frame: FluidSynth's seek
  // replays the tempo, program and controller changes before it silently.
  bool seek(int64_t frame) override {
    if (frame < 0) return false;
    const int64_t tick = tick_at_frame(timing_, frame);
    if (player_) delete_fluid_player(player_);
    player_ = nullptr;
    fluid_synth_system_reset(synth_);
    return start_player(static_cast<int>(std::min<int64_t>(tick, INT32_MAX)));
  }

 private:
  bool start_player(int tick) {
    music_over_ = ended_ = false;
    quiet_ = ringing_ = 0;
    player_ = new_fluid_player(synth_);
    if (!player_ || fluid_player_add_mem(player_, smf_.data(), smf_.size()) != FLUID_OK)
      return false;
    if (tick > 0 && fluid_player_seek(player_, tick) != FLUID_OK) return false;
    return fluid_player_play(player_) == FLUID_OK;
  }

  // The music is over: pedals up and every note let go, so that nothing
  // the file left held rings on.
  void release_all() {
    for (int channel = 0; channel < fluid_synth_count_midi_channels(synth_); ++channel) {
      fluid_synth_cc(synth_, channel, 64, 0);
      fluid_synth_cc(synth_, channel, 66, 0);
    }
    fluid_synth_all_notes_off(synth_, -1);
  }

  Bytes smf_;
  MidiTiming timing_;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_player_t* player_ = nullptr;
  bool music_over_ = false;
  bool ended_ = false;
  long quiet_ = 0;
  long ringing_ = 0;
};

}  // namespace

std::unique_ptr<Decoder> open_midi_decoder(const std::string& path) {
  std::optional<Bytes> file = read_file(path);
  if (!file) return nullptr;
  Bytes smf = std::move(*file);
  if (smf.size() >= 12 && std::memcmp(smf.data(), "RIFF", 4) == 0 &&
      std::memcmp(smf.data() + 8, "RMID", 4) == 0)
    smf = rmi_midi_data(smf);
  std::optional<MidiTiming> timing = read_timing(smf);
  if (!timing) return nullptr;
  const std::string font = sound_font();
  if (font.empty()) return nullptr;
  silence_fluidsynth();
  auto decoder = std::make_unique<MidiDecoder>(std::move(smf), std::move(*timing));
  if (!decoder->open(font)) return nullptr;
  return decoder;
}

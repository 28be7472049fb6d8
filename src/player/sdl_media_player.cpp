#include "player/sdl_media_player.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "cd/cda_stub.h"
#include "player/cd_music.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMaxDeviceId = 32;
constexpr auto kRetryOpenAfter = std::chrono::seconds(5);
constexpr std::uintmax_t kMaxRmiBytes = 64u << 20;
// A file that ends this soon after its start never got going (no sound in it,
// or a decoder that gave up): it is left to the once-a-second tick like a file
// that never opened, so that a list of such files is not raced through.
constexpr auto kShortestNoticedPlay = std::chrono::milliseconds(200);

// The mixer's end hook has no argument: it finds the player that opened the
// device here, set before the hook is put in and cleared once it is taken out.
std::atomic<SdlMediaPlayer*> g_hooked_player{nullptr};

// MIDI goes to the built-in Timidity with the freepats patches: it reports the
// end of a track on time, while FluidSynth reports it about 3 s late and would
// hold the next track back. Only where no patch set is found does FluidSynth
// play, with a General MIDI sound font, late but audible.
void choose_midi_synth() {
  if (std::getenv("TIMIDITY_CFG")) {
    SDL_SetHint("SDL_MIXER_DISABLE_FLUIDSYNTH", "1");
    return;
  }
  for (const char* cfg :
       {"/etc/timidity/freepats.cfg", "/etc/timidity.cfg", "/usr/share/timidity/timidity.cfg",
        "/usr/local/lib/timidity/timidity.cfg"}) {
    std::error_code ec;
    if (fs::is_regular_file(cfg, ec)) {
      Mix_SetTimidityCfg(cfg);
      SDL_SetHint("SDL_MIXER_DISABLE_FLUIDSYNTH", "1");
      return;
    }
  }
  if (std::getenv("SDL_SOUNDFONTS")) return;
  for (const char* font :
       {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2"}) {
    std::error_code ec;
    if (fs::is_regular_file(font, ec)) {
      Mix_SetSoundFonts(font);
      return;
    }
  }
}

bool read_bytes(const std::string& path, std::uintmax_t limit, std::vector<unsigned char>& out) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec || size > limit) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.resize(static_cast<size_t>(size));
  in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(size));
  out.resize(static_cast<size_t>(in.gcount()));
  return true;
}

uint32_t le32(const unsigned char* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

bool is_riff(const std::vector<unsigned char>& head, const char* form) {
  return head.size() >= 12 && std::memcmp(head.data(), "RIFF", 4) == 0 &&
         std::memcmp(head.data() + 8, form, 4) == 0;
}

// The standard MIDI file inside an RMI file is its "data" chunk.
std::vector<unsigned char> rmi_midi_data(const std::vector<unsigned char>& file) {
  size_t pos = 12;
  while (file.size() >= 8 && pos <= file.size() - 8) {
    const unsigned char* chunk = file.data() + pos;
    const size_t available = file.size() - pos - 8;
    const size_t length = std::min<size_t>(le32(chunk + 4), available);
    if (std::memcmp(chunk, "data", 4) == 0) {
      return std::vector<unsigned char>(chunk + 8, chunk + 8 + length);
    }
    if (length == available) break;
    pos += 8 + length + (length & 1);
  }
  return {};
}

// The mixer's seconds, or -1 where it answers that it does not know.
int64_t microseconds(double seconds) {
  if (!(seconds >= 0) || seconds > 1e9) return -1;
  return static_cast<int64_t>(seconds * 1e6 + 0.5);
}

}  // namespace

SdlMediaPlayer::~SdlMediaPlayer() {
  release_music();
  close_audio();
}

bool SdlMediaPlayer::open_audio() {
  if (audio_open_) return true;
  // A missing device is tried again now and then, not on every track.
  const auto now = std::chrono::steady_clock::now();
  if (open_failed_ && now - last_open_failure_ < kRetryOpenAfter) return false;

  // The program handles SIGINT and SIGTERM itself.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  choose_midi_synth();
  if (SDL_Init(SDL_INIT_AUDIO) != 0) {
    open_failed_ = true;
    last_open_failure_ = now;
    return false;
  }
  // The mixer does not name its device: it is the one that starts playing.
  bool was_playing[kMaxDeviceId + 1] = {};
  for (int id = 1; id <= kMaxDeviceId; ++id) {
    was_playing[id] = SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING;
  }
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_failed_ = true;
    last_open_failure_ = now;
    return false;
  }
  device_ = 0;
  for (int id = 1; id <= kMaxDeviceId && device_ == 0; ++id) {
    if (!was_playing[id] && SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) {
      device_ = static_cast<unsigned>(id);
    }
  }
  device_paused_ = false;
  audio_open_ = true;
  open_failed_ = false;
  g_hooked_player = this;
  Mix_HookMusicFinished(&SdlMediaPlayer::music_finished);
  return true;
}

void SdlMediaPlayer::close_audio() {
  if (!audio_open_) return;
  // Once this returns no hook runs any more: the mixer calls it under its lock.
  Mix_HookMusicFinished(nullptr);
  SdlMediaPlayer* self = this;
  g_hooked_player.compare_exchange_strong(self, nullptr);
  Mix_HaltMusic();
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audio_open_ = false;
  device_ = 0;
}

// An open device mixes silence even when nothing plays: it rests while idle.
void SdlMediaPlayer::pause_device(bool paused) {
  if (!audio_open_ || device_ == 0 || device_paused_ == paused) return;
  SDL_PauseAudioDevice(device_, paused ? 1 : 0);
  device_paused_ = paused;
}

void SdlMediaPlayer::release_music() {
  if (music_) {
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
  }
  music_bytes_.clear();
}

bool SdlMediaPlayer::load_music() {
  // A CD-audio entry plays its track from the disc, also when its file is missing.
  if (is_cda_path(file_name_)) return (music_ = load_cd_music(file_name_, cd_drive_)) != nullptr;
  std::error_code ec;
  if (file_name_.empty() || !fs::is_regular_file(file_name_, ec)) return false;
  if (fs::file_size(file_name_, ec) == 0 || ec) return false;

  std::vector<unsigned char> head;
  {
    std::ifstream in(file_name_, std::ios::binary);
    if (!in) return false;
    head.resize(12);
    in.read(reinterpret_cast<char*>(head.data()), 12);
    head.resize(static_cast<size_t>(in.gcount()));
  }
  if (is_riff(head, "CDDA")) return (music_ = load_cd_music(file_name_, cd_drive_)) != nullptr;

  if (is_riff(head, "RMID")) {
    std::vector<unsigned char> file;
    if (!read_bytes(file_name_, kMaxRmiBytes, file)) return false;
    music_bytes_ = rmi_midi_data(file);
    if (music_bytes_.empty()) return false;
    SDL_RWops* rw = SDL_RWFromConstMem(music_bytes_.data(), static_cast<int>(music_bytes_.size()));
    if (!rw) return false;
    music_ = Mix_LoadMUSType_RW(rw, MUS_MID, 1);
  } else {
    music_ = Mix_LoadMUS(file_name_.c_str());
  }
  if (!music_) music_bytes_.clear();
  return music_ != nullptr;
}

bool SdlMediaPlayer::stop() {
  if (audio_open_) Mix_HaltMusic();
  pause_device(true);
  return true;
}

bool SdlMediaPlayer::set_file_name(const std::string& path) {
  release_music();
  pause_device(true);
  file_name_ = path;
  return true;
}

bool SdlMediaPlayer::play() {
  if (file_name_.empty() || !open_audio()) return false;
  if (!music_ && !load_music()) return false;
  pause_device(false);
  started_at_ = std::chrono::steady_clock::now().time_since_epoch().count();
  if (Mix_PlayMusic(music_, 1) != 0) {
    pause_device(true);
    return false;
  }
  return true;
}

void SdlMediaPlayer::rest() {
  // The music goes first: it belongs to the mixer that closing ends.
  release_music();
  close_audio();
}

TrackInfo SdlMediaPlayer::track_info() {
  TrackInfo info;
  if (!audio_open_ || !music_) return info;
  // The tags are the decoder's own text; they never fall back to the file name.
  auto tag = [](const char* text) { return text ? std::string(text) : std::string(); };
  info.title = tag(Mix_GetMusicTitleTag(music_));
  info.artist = tag(Mix_GetMusicArtistTag(music_));
  info.album = tag(Mix_GetMusicAlbumTag(music_));
  info.duration_us = microseconds(Mix_MusicDuration(music_));
  return info;
}

int64_t SdlMediaPlayer::position_us() {
  if (!audio_open_ || !music_) return -1;
  return microseconds(Mix_GetMusicPosition(music_));
}

void SdlMediaPlayer::set_end_notice(std::function<void()> notice) {
  std::lock_guard<std::mutex> lock(notice_mutex_);
  end_notice_ = std::move(notice);
}

// Runs on the mixer's audio thread with its lock held, or inside a halt on
// the thread that asked for it: no mixer call here.
void SdlMediaPlayer::music_finished() {
  SdlMediaPlayer* player = g_hooked_player;
  // A halt the program asked for (a stop, another file) is not an end.
  if (player == nullptr || std::this_thread::get_id() == player->own_thread_) return;
  const auto played =
      std::chrono::steady_clock::now().time_since_epoch().count() - player->started_at_.load();
  if (std::chrono::steady_clock::duration(played) < kShortestNoticedPlay) return;
  std::lock_guard<std::mutex> lock(player->notice_mutex_);
  if (player->end_notice_) player->end_notice_();
}

int SdlMediaPlayer::play_state() {
  if (audio_open_ && music_ && Mix_PlayingMusic()) return kPlaying;
  pause_device(true);
  return 0;
}

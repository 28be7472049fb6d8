#include "audio/sdl_output.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include "audio/streamer.h"

namespace {

constexpr int kBufferFrames = 2048;
constexpr auto kStillClock = std::chrono::seconds(2);

// What the desktop's sound settings show of the stream; the client's icon and
// role have no SDL hint and reach the sound server through its environment.
void name_the_stream(const std::string& stream_name) {
  setenv("PULSE_PROP_application.icon_name", "davrin-audio-player", 0);
  setenv("PULSE_PROP_media.role", "music", 0);
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Davrin Audio Player");
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME,
              stream_name.empty() ? "Davrin Audio Player" : stream_name.c_str());
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_ROLE, "music");
}

}  // namespace

SdlOutput::SdlOutput(Streamer& streamer) : streamer_(streamer) {}

SdlOutput::~SdlOutput() {
  close();
}

bool SdlOutput::open(const std::string& stream_name) {
  if (device_ != 0) return true;
  // The program handles SIGINT and SIGTERM itself.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  name_the_stream(stream_name);
  // A fresh start of the audio subsystem each time: a sound server that went
  // away is only found again by a new connection.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = 44100;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kBufferFrames;
  want.callback = &SdlOutput::callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  paused_ = true;
  return true;
}

void SdlOutput::close() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device_ = 0;
  paused_ = true;
}

void SdlOutput::set_paused(bool paused) {
  if (device_ == 0 || paused == paused_) return;
  SDL_PauseAudioDevice(device_, paused ? 1 : 0);
  paused_ = paused;
  last_moved_ = std::chrono::steady_clock::now();
  last_pulls_ = streamer_.pulls();
}

bool SdlOutput::lost() {
  if (device_ == 0) return false;
  if (SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED) return true;
  const auto now = std::chrono::steady_clock::now();
  const uint64_t pulls = streamer_.pulls();
  if (paused_ || pulls != last_pulls_) {
    last_pulls_ = pulls;
    last_moved_ = now;
    return false;
  }
  return now - last_moved_ > kStillClock;
}

// SDL's audio thread: only a copy from the ring. Once the device is lost SDL
// goes on asking into a buffer nobody hears: the music must not run on there.
void SdlOutput::callback(void* self, unsigned char* stream, int bytes) {
  auto* output = static_cast<SdlOutput*>(self);
  if (SDL_GetAudioDeviceStatus(output->device_) == SDL_AUDIO_STOPPED) {
    std::memset(stream, 0, static_cast<size_t>(bytes));
    return;
  }
  output->streamer_.pull(reinterpret_cast<int16_t*>(stream), static_cast<size_t>(bytes) / 4);
}

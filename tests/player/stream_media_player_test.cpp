// Real playback through the music engine on the silent audio driver the tests use.
#include "player/stream_media_player.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "audio_files.h"
#include "cd_image.h"
#include "temp_dir.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

bool within(std::chrono::milliseconds limit, const std::function<bool()>& condition) {
  const auto until = Clock::now() + limit;
  while (Clock::now() < until) {
    if (condition()) return true;
    std::this_thread::sleep_for(10ms);
  }
  return condition();
}

bool reaches_playing(StreamMediaPlayer& player) {
  return within(3s, [&] { return player.play_state() == MediaPlayer::kPlaying; });
}

bool comes_to_an_end(StreamMediaPlayer& player) {
  return within(10s, [&] { return player.play_state() != MediaPlayer::kPlaying; });
}

// Watches for a while: the file must not play at any moment.
bool never_plays(StreamMediaPlayer& player) {
  return !within(400ms, [&] { return player.play_state() == MediaPlayer::kPlaying; });
}

// Whether any open audio device is running (mixing) rather than resting.
bool an_audio_device_runs() {
  for (SDL_AudioDeviceID id = 1; id <= 32; ++id) {
    if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) return true;
  }
  return false;
}

// Whether any audio device is open at all, running or paused.
bool an_audio_device_is_open() {
  for (SDL_AudioDeviceID id = 1; id <= 32; ++id) {
    if (SDL_GetAudioDeviceStatus(id) != SDL_AUDIO_STOPPED) return true;
  }
  return false;
}

void start(StreamMediaPlayer& player, const std::string& path) {
  player.stop();
  player.set_file_name(path);
  player.play();
}

std::string garbage(size_t n) {
  std::string bytes;
  uint32_t x = 12345;
  for (size_t i = 0; i < n; ++i) {
    x = x * 1103515245 + 12345;
    bytes.push_back(static_cast<char>(x >> 16));
  }
  return bytes;
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (had_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

// The loudest sample of what the disk audio driver wrote (S16LE).
int peak_of(const std::string& samples) {
  int peak = 0;
  for (size_t i = 0; i + 1 < samples.size(); i += 2) {
    const auto v = static_cast<int16_t>(uint8_t(samples[i]) | uint8_t(samples[i + 1]) << 8);
    peak = std::max(peak, std::abs(int{v}));
  }
  return peak;
}

class StreamPlayback : public ::testing::Test {
 protected:
  std::string path(const std::string& name) { return dir.folder() + name; }
  TempDir dir;
};

}  // namespace

TEST_F(StreamPlayback, WavPlaysOnceAndEnds) {
  ASSERT_TRUE(write_wav(path("tone.wav"), 0.6));
  StreamMediaPlayer player;
  start(player, path("tone.wav"));
  EXPECT_TRUE(reaches_playing(player));
  EXPECT_TRUE(comes_to_an_end(player));
  // Played once, no looping: it stays ended.
  EXPECT_TRUE(never_plays(player));
}

TEST_F(StreamPlayback, Mp3PlaysAndEnds) {
  if (!write_mp3(path("tone.mp3"), 0.6)) GTEST_SKIP() << "sox cannot write MP3 here";
  StreamMediaPlayer player;
  start(player, path("tone.mp3"));
  EXPECT_TRUE(reaches_playing(player));
  EXPECT_TRUE(comes_to_an_end(player));
}

TEST_F(StreamPlayback, MidiPlaysAndEnds) {
  ASSERT_TRUE(write_midi(path("tune.mid"), 0.75));
  StreamMediaPlayer player;
  start(player, path("tune.mid"));
  EXPECT_TRUE(reaches_playing(player));
  EXPECT_TRUE(comes_to_an_end(player));
}

TEST_F(StreamPlayback, RmiIsUnwrappedAndPlays) {
  ASSERT_TRUE(write_rmi(path("tune.rmi"), 0.75));
  StreamMediaPlayer player;
  start(player, path("tune.rmi"));
  EXPECT_TRUE(reaches_playing(player));
  EXPECT_TRUE(comes_to_an_end(player));
}

TEST_F(StreamPlayback, NonAsciiFileNamePlays) {
  ASSERT_TRUE(write_wav(path("Grüße ♪.wav"), 0.5));
  StreamMediaPlayer player;
  start(player, path("Grüße ♪.wav"));
  EXPECT_TRUE(reaches_playing(player));
}

TEST_F(StreamPlayback, StopEndsPlaybackAtOnce) {
  ASSERT_TRUE(write_wav(path("long.wav"), 20));
  StreamMediaPlayer player;
  start(player, path("long.wav"));
  ASSERT_TRUE(reaches_playing(player));
  EXPECT_TRUE(player.stop());
  EXPECT_NE(player.play_state(), MediaPlayer::kPlaying);
  EXPECT_TRUE(never_plays(player));
}

TEST_F(StreamPlayback, PlayAfterStopStartsTheFileAgain) {
  ASSERT_TRUE(write_wav(path("long.wav"), 20));
  StreamMediaPlayer player;
  start(player, path("long.wav"));
  ASSERT_TRUE(reaches_playing(player));
  player.stop();
  player.play();
  EXPECT_TRUE(reaches_playing(player));
}

TEST_F(StreamPlayback, SecondFileReplacesTheFirst) {
  ASSERT_TRUE(write_wav(path("long.wav"), 30));
  ASSERT_TRUE(write_wav(path("short.wav"), 0.5, 880));
  StreamMediaPlayer player;
  start(player, path("long.wav"));
  ASSERT_TRUE(reaches_playing(player));
  // Named without a stop: the long file goes, the short one plays and ends.
  player.set_file_name(path("short.wav"));
  player.play();
  EXPECT_TRUE(reaches_playing(player));
  EXPECT_TRUE(comes_to_an_end(player));
}

// The end notice: once for a file that played to its end, from the engine's
// own thread; never for a stop, another file, or files that never got going.
TEST_F(StreamPlayback, TheEndOfAFileIsToldOnceAndOnlyForARealEnd) {
  ASSERT_TRUE(write_wav(path("tone.wav"), 0.5));
  ASSERT_TRUE(write_wav(path("long.wav"), 20));
  ASSERT_TRUE(write_wav(path("silent.wav"), 0));
  ASSERT_TRUE(write_wav(path("blip.wav"), 0.05));
  StreamMediaPlayer player;
  std::atomic<int> ends{0};
  std::atomic<bool> on_own_thread{false};
  const auto own = std::this_thread::get_id();
  player.set_end_notice([&] {
    ++ends;
    if (std::this_thread::get_id() == own) on_own_thread = true;
  });
  start(player, path("tone.wav"));
  EXPECT_TRUE(within(3s, [&] { return ends == 1; }));
  EXPECT_FALSE(on_own_thread);

  // Each halted after it has played for a while: a halt is no end.
  auto play_a_while = [&] {
    ASSERT_TRUE(reaches_playing(player));
    std::this_thread::sleep_for(300ms);
  };
  start(player, path("long.wav"));
  play_a_while();
  player.stop();
  player.play();
  play_a_while();
  player.set_file_name(path("long.wav"));  // another file while one plays
  player.play();
  play_a_while();
  for (const char* never : {"missing.wav", "silent.wav", "blip.wav"}) start(player, path(never));
  std::this_thread::sleep_for(600ms);
  player.rest();
  EXPECT_EQ(ends, 1);

  player.set_end_notice({});
  start(player, path("tone.wav"));
  ASSERT_TRUE(reaches_playing(player));
  EXPECT_TRUE(comes_to_an_end(player));
  EXPECT_EQ(ends, 1);
}

TEST_F(StreamPlayback, UnplayableFileAfterAPlayingOneLeavesSilence) {
  ASSERT_TRUE(write_wav(path("long.wav"), 30));
  StreamMediaPlayer player;
  start(player, path("long.wav"));
  ASSERT_TRUE(reaches_playing(player));
  start(player, path("missing.mp3"));
  EXPECT_TRUE(never_plays(player));
}

TEST_F(StreamPlayback, MissingEmptyAndGarbageFilesNeverPlay) {
  const std::string noise = garbage(20000);
  std::filesystem::create_directories(path("folder.mp3"));
  const std::vector<std::string> files = {
      path("missing.mp3"),
      "",
      dir.write("empty.mp3", ""),
      dir.write("empty.wav", ""),
      dir.write("noise.mp3", noise),
      dir.write("noise.mid", noise),
      dir.write("noise.wav", noise),
      dir.write("noise.rmi", noise),
      dir.write("noise", noise),
      dir.write("cut.wav", std::string("RIFF\x24\0\0\0WAVEfmt ", 16)),
      dir.write("cut.mid", "MThd"),
      dir.write("no_data.rmi", std::string("RIFF\x04\0\0\0RMID", 12)),
      dir.write("huge_chunk.rmi", std::string("RIFF\x10\0\0\0RMIDdata\xff\xff\xff\x7fMThd", 24)),
      path("folder.mp3"),
      dir.folder(),
  };
  StreamMediaPlayer player;
  for (const auto& file : files) {
    start(player, file);
    EXPECT_TRUE(never_plays(player)) << "'" << file << "'";
  }
  // Still a working player afterwards.
  ASSERT_TRUE(write_wav(path("tone.wav"), 0.5));
  start(player, path("tone.wav"));
  EXPECT_TRUE(reaches_playing(player));
}

// The drive is a CUE/BIN image of three tones.
TEST_F(StreamPlayback, CdAudioEntriesPlayTheirTrackFromTheDisc) {
  const CdImage image = make_cd_image(dir.folder(), {440, 660, 990}, 2);
  ASSERT_FALSE(image.cue.empty());
  ASSERT_TRUE(write_cda(path("Song.cda"), 3, image.serial));
  StreamMediaPlayer player;
  player.set_cd_device(image.cue);
  for (const std::string& entry : {path("taken out/Track02.cda"), path("Song.cda")}) {
    start(player, entry);
    ASSERT_TRUE(reaches_playing(player)) << entry;
    EXPECT_NEAR(static_cast<double>(player.track_info().duration_us), 2e6, 2e4) << entry;
    EXPECT_TRUE(comes_to_an_end(player)) << entry;
  }
}

// Each is skipped like a missing file: it never plays, and the next plays.
TEST_F(StreamPlayback, CdAudioEntriesWithoutTheirTrackNeverPlay) {
  const CdImage image = make_cd_image(dir.folder(), {440, 660, 990}, 2);
  ASSERT_FALSE(image.cue.empty());
  ASSERT_TRUE(write_cda(path("other disc.cda"), 1, image.serial + 1));
  ASSERT_TRUE(write_cda(path("past the last.cda"), 4, image.serial));
  ASSERT_TRUE(write_cda(path("stub.wav"), 1));  // a stub by its contents, of another disc
  const std::string stub = read_file_bytes(path("past the last.cda"));
  dir.write("Track01.cda", stub.substr(0, 40));  // truncated: the name does not count then
  dir.write("TRACK02.CDA", garbage(44));
  dir.write("cut/disc.bin", read_file_bytes(image.bin).substr(0, 150 * 2352));
  std::filesystem::copy_file(image.cue, path("cut/disc.cue"));

  StreamMediaPlayer player;
  const std::vector<std::pair<std::string, std::string>> entries = {
      {image.cue, "other disc.cda"},
      {image.cue, "past the last.cda"},
      {image.cue, "stub.wav"},
      {image.cue, "Track01.cda"},
      {image.cue, "TRACK02.CDA"},
      {path("cut/disc.cue"), "gone/Track02.cda"},
      {path("no drive.cue"), "gone/Track01.cda"}};
  for (const auto& [drive, entry] : entries) {
    player.set_cd_device(drive);
    const auto before = Clock::now();
    start(player, path(entry));
    EXPECT_LT(Clock::now() - before, 1s) << entry;
    EXPECT_TRUE(never_plays(player)) << entry;
  }
  player.set_cd_device(path("cut/disc.cue"));
  start(player, path("gone/Track01.cda"));
  EXPECT_TRUE(reaches_playing(player)) << "the cut image's first track is whole";
}

TEST_F(StreamPlayback, AudioDeviceRestsWhileNothingPlays) {
  ASSERT_TRUE(write_wav(path("tone.wav"), 0.5));
  ASSERT_TRUE(write_wav(path("long.wav"), 20));
  StreamMediaPlayer player;
  start(player, path("tone.wav"));
  ASSERT_TRUE(reaches_playing(player));
  EXPECT_TRUE(an_audio_device_runs());
  ASSERT_TRUE(comes_to_an_end(player));
  EXPECT_FALSE(an_audio_device_runs()) << "ended";
  start(player, path("long.wav"));
  ASSERT_TRUE(reaches_playing(player));
  EXPECT_TRUE(an_audio_device_runs());
  player.stop();
  EXPECT_FALSE(an_audio_device_runs()) << "stopped";
  start(player, path("missing.wav"));
  EXPECT_FALSE(an_audio_device_runs()) << "unplayable";
}

TEST_F(StreamPlayback, RestClosesTheDeviceAndPlayOpensItAgain) {
  ASSERT_TRUE(write_wav(path("long.wav"), 20));
  StreamMediaPlayer player;
  player.rest();  // nothing open yet
  start(player, path("long.wav"));
  ASSERT_TRUE(reaches_playing(player));
  player.stop();
  EXPECT_TRUE(an_audio_device_is_open()) << "a stop between tracks only pauses";
  player.rest();
  EXPECT_FALSE(an_audio_device_is_open()) << "rested";
  EXPECT_TRUE(never_plays(player));

  player.play();  // the file named before the rest
  ASSERT_TRUE(reaches_playing(player));
  EXPECT_TRUE(an_audio_device_runs());
  player.rest();  // while playing: the music ends with the device
  EXPECT_FALSE(an_audio_device_is_open()) << "rested while playing";
  EXPECT_TRUE(never_plays(player));
  start(player, path("long.wav"));
  EXPECT_TRUE(reaches_playing(player));
}

TEST_F(StreamPlayback, PlayWithoutAFileNameNeverPlays) {
  StreamMediaPlayer player;
  EXPECT_TRUE(player.stop());
  player.play();
  EXPECT_TRUE(never_plays(player));
}

TEST_F(StreamPlayback, PlayerClosedWhilePlayingLeavesAudioUsableForTheNext) {
  ASSERT_TRUE(write_wav(path("long.wav"), 20));
  {
    StreamMediaPlayer first;
    start(first, path("long.wav"));
    ASSERT_TRUE(reaches_playing(first));
  }
  StreamMediaPlayer second;
  start(second, path("long.wav"));
  EXPECT_TRUE(reaches_playing(second));
}

// No output at the start, or an output that went away: the track holds at
// its place, never ends in silence, and plays on once an output opens.
TEST_F(StreamPlayback, WithoutAnOutputTheTrackHoldsUntilOneOpens) {
  ASSERT_TRUE(write_wav(path("tone.wav"), 0.5));
  ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
  StreamMediaPlayer player;
  start(player, path("tone.wav"));
  EXPECT_FALSE(within(1500ms, [&] { return player.play_state() != MediaPlayer::kPlaying; }));
  EXPECT_EQ(player.position_us(), 0);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  // The tick's look at the player is what opens the output again.
  EXPECT_TRUE(within(3s, [&] {
    player.play_state();
    return player.position_us() > 100000;
  }));
  EXPECT_TRUE(comes_to_an_end(player));
}

// The disk driver writes the real output: each format must be heard, not
// merely reported as playing (MIDI needs its instrument patches found).
TEST_F(StreamPlayback, EveryFormatIsAudible) {
  ASSERT_TRUE(write_wav(path("tone.wav"), 0.5));
  ASSERT_TRUE(write_midi(path("tune.mid"), 0.5));
  ASSERT_TRUE(write_rmi(path("tune.rmi"), 0.5));
  std::vector<std::string> names = {"tone.wav", "tune.mid", "tune.rmi"};
  if (write_mp3(path("tone.mp3"), 0.5)) names.push_back("tone.mp3");
  for (const char* name : {"tone.flac", "tone.ogg", "tone.opus"}) {
    ASSERT_TRUE(write_tagged_tone(path(name), 0.5, 440)) << name;
    names.push_back(name);
  }
  ScopedEnv driver("SDL_AUDIODRIVER", "disk");
  for (const auto& name : names) {
    const std::string output = path(name + ".raw");
    ScopedEnv file("SDL_DISKAUDIOFILE", output);
    {
      StreamMediaPlayer player;
      start(player, path(name));
      ASSERT_TRUE(reaches_playing(player)) << name;
      EXPECT_TRUE(comes_to_an_end(player)) << name;
    }
    EXPECT_GT(peak_of(read_file_bytes(output)), 1000) << name;
  }
}

// What the media controls read: the decoder's tags (never the file name in
// their place), its length, and a position that moves while the file plays.
TEST_F(StreamPlayback, TagsLengthAndPositionComeFromTheFileNamedLast) {
  const AudioTags tags{"Grüße Tone", "The Sines", "Test Card"};
  StreamMediaPlayer player;
  EXPECT_EQ(player.track_info().duration_us, -1) << "nothing opened yet";
  EXPECT_EQ(player.position_us(), -1);
  for (const char* name : {"tagged.flac", "tagged.ogg", "tagged.OPUS"}) {
    ASSERT_TRUE(write_tagged_tone(path(name), 1.5, 660, tags)) << name;
    start(player, path(name));
    ASSERT_TRUE(reaches_playing(player)) << name;
    const TrackInfo info = player.track_info();
    EXPECT_EQ(info.title, tags.title) << name;
    EXPECT_EQ(info.artist, tags.artist) << name;
    EXPECT_EQ(info.album, tags.album) << name;
    EXPECT_NEAR(info.duration_us, 1500000, 100000) << name;
    const int64_t early = player.position_us();
    EXPECT_GE(early, 0) << name;
    EXPECT_TRUE(within(2s, [&] { return player.position_us() >= early + 200000; })) << name;
  }

  ASSERT_TRUE(write_wav(path("plain.wav"), 0.8));
  start(player, path("plain.wav"));
  ASSERT_TRUE(reaches_playing(player));
  const TrackInfo plain = player.track_info();
  EXPECT_EQ(plain.title, "");
  EXPECT_EQ(plain.artist, "");
  EXPECT_NEAR(plain.duration_us, 800000, 50000);

  // Naming another file forgets the last one's values until it is played.
  player.set_file_name(path("tagged.flac"));
  EXPECT_EQ(player.track_info().title, "");
  EXPECT_EQ(player.position_us(), -1);
}

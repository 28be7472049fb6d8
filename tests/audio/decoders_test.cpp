// The decoders of the music engine on real files made by sox, lame, opusenc
// and a CUE/BIN image: what they report, what they decode, where they seek.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "audio/decoder.h"
#include "audio_files.h"
#include "cd/cd_drive.h"
#include "cd_image.h"
#include "temp_dir.h"

namespace {

std::unique_ptr<Decoder> open(const std::string& path, CdDrive* drive = nullptr) {
  return open_decoder(path, DecoderContext{drive});
}

// The whole file from where the decoder stands, in reads of an odd size.
std::vector<float> decode_all(Decoder& d, int64_t cap_frames = 60 * 192000) {
  std::vector<float> all, block(1000 * d.channels());
  for (long got; (got = d.read(block.data(), 1000)) > 0;) {
    all.insert(all.end(), block.begin(), block.begin() + got * d.channels());
    if (static_cast<int64_t>(all.size()) > cap_frames * d.channels()) break;
  }
  return all;
}

// A tone's pitch from the rising zero crossings of one channel.
double pitch_of(const std::vector<float>& samples, int channels, int channel, int rate) {
  int rises = 0;
  for (size_t i = channels + channel; i < samples.size(); i += channels)
    rises += samples[i - channels] < 0 && samples[i] >= 0;
  return rises * static_cast<double>(rate) * channels / static_cast<double>(samples.size());
}

float peak_of(const std::vector<float>& samples, size_t from = 0) {
  float peak = 0;
  for (size_t i = from; i < samples.size(); ++i) peak = std::max(peak, std::fabs(samples[i]));
  return peak;
}

class Decoders : public ::testing::Test {
 protected:
  std::string file(const std::string& name) const { return dir.folder() + name; }
  TempDir dir;
};

}  // namespace

TEST_F(Decoders, WavOfEveryRateChannelCountAndSampleSizeDecodesAtItsPitchAndLength) {
  struct Case {
    int rate, channels, bits;
    bool floats;
  };
  for (const Case c :
       {Case{8000, 1, 8, false}, Case{22050, 2, 16, false}, Case{44100, 6, 24, false},
        Case{96000, 2, 32, false}, Case{192000, 1, 32, true}, Case{48000, 8, 16, false}}) {
    SCOPED_TRACE(std::to_string(c.rate) + " Hz, " + std::to_string(c.channels) + " channels, " +
                 std::to_string(c.bits) + (c.floats ? " bits float" : " bits"));
    const std::string path = file("tone.wav");
    ASSERT_TRUE(write_wav_tone(path, 0.5, 1000, c.rate, c.channels, c.bits, c.floats));
    auto d = open(path);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->rate(), c.rate);
    EXPECT_EQ(d->channels(), c.channels);
    EXPECT_EQ(d->length(), c.rate / 2);
    const std::vector<float> pcm = decode_all(*d);
    EXPECT_EQ(static_cast<int64_t>(pcm.size()), d->length() * c.channels);
    EXPECT_NEAR(pitch_of(pcm, c.channels, c.channels - 1, c.rate), 1000, 10);
    EXPECT_NEAR(peak_of(pcm), 0.5, 0.02);
  }
}

TEST_F(Decoders, SixteenBitSamplesComeOutExactlyAndSeeksLandOnTheFrame) {
  const std::string path = file("tone.wav");
  ASSERT_TRUE(write_wav(path, 2.0, 440));
  const std::string bytes = read_file_bytes(path);
  auto d = open(path);
  ASSERT_TRUE(d);
  const std::vector<float> pcm = decode_all(*d);
  ASSERT_EQ(pcm.size(), (bytes.size() - 44) / 2);
  for (size_t i = 0; i < pcm.size(); ++i) {
    int16_t s;
    std::memcpy(&s, bytes.data() + 44 + 2 * i, 2);
    ASSERT_EQ(pcm[i], s / 32768.0f) << "sample " << i;
  }
  // Lossless files and Ogg Vorbis seek sample-exactly, forward and back.
  const std::string flac = file("tone.flac"), ogg = file("tone.ogg");
  ASSERT_TRUE(write_tagged_tone(flac, 1.0, 440));
  ASSERT_TRUE(write_tagged_tone(ogg, 2.0, 440));
  for (const std::string& p : {path, flac, ogg}) {
    auto s = open(p);
    ASSERT_TRUE(s);
    const std::vector<float> whole = decode_all(*s);
    for (int64_t frame :
         {int64_t{12345}, int64_t{30000}, int64_t{40000}, int64_t{7}, s->length() - 10}) {
      ASSERT_TRUE(s->seek(frame)) << p << " frame " << frame;
      std::vector<float> part(100 * s->channels());
      const long got = s->read(part.data(), 100);
      ASSERT_EQ(got, std::min<int64_t>(100, s->length() - frame));
      for (long i = 0; i < got * s->channels(); ++i)
        ASSERT_EQ(part[i], whole[frame * s->channels() + i]) << p << " frame " << frame;
    }
    EXPECT_FALSE(s->seek(s->length() + 1));
  }
}

TEST_F(Decoders, CompressedTonesDecodeWithTheirTagsAndLengths) {
  const AudioTags tags{"Night Train", "Ana Ruiz", "Stations"};
  struct Case {
    std::string name;
    int rate;
    int64_t slack;  // frames the format may add or drop
  };
  // lame's header tells the decoder its delay and padding: the length is the source's.
  for (const Case& c : {Case{"tone.flac", 44100, 0}, Case{"tone.ogg", 44100, 0},
                        Case{"tone.opus", 48000, 0}, Case{"tone.mp3", 44100, 2}}) {
    SCOPED_TRACE(c.name);
    const std::string path = file(c.name);
    const bool made = c.name == "tone.mp3" ? write_lame_mp3(path, 2.0, 660, tags)
                                           : write_tagged_tone(path, 2.0, 660, tags);
    ASSERT_TRUE(made);
    auto d = open(path);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->rate(), c.rate);
    EXPECT_EQ(d->channels(), 2);
    EXPECT_NEAR(d->length(), 2 * c.rate, c.slack);
    EXPECT_EQ(d->tags().title, tags.title);
    EXPECT_EQ(d->tags().artist, tags.artist);
    EXPECT_EQ(d->tags().album, tags.album);
    const std::vector<float> pcm = decode_all(*d);
    EXPECT_EQ(static_cast<int64_t>(pcm.size()), d->length() * 2);
    EXPECT_NEAR(pitch_of(pcm, 2, 1, c.rate), 660, 5);
  }
}

TEST_F(Decoders, MidiAndRmiSoundAndEndSoonAfterTheLastNote) {
  ASSERT_TRUE(write_midi(file("song.mid"), 1.0));
  ASSERT_TRUE(write_rmi(file("song.rmi"), 1.0));
  for (const std::string name : {"song.mid", "song.rmi"}) {
    SCOPED_TRACE(name);
    auto d = open(file(name));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->rate(), 44100);
    EXPECT_EQ(d->channels(), 2);
    EXPECT_EQ(d->length(), -1);
    const std::vector<float> pcm = decode_all(*d, 30 * 44100);
    const double seconds = pcm.size() / 2 / 44100.0;
    EXPECT_GT(seconds, 1.0);
    EXPECT_LT(seconds, 3.0) << "the track rings on long after its last note";
    EXPECT_GT(peak_of(pcm), 0.05);
    // From the middle on, only the rest of the music plays.
    ASSERT_TRUE(d->seek(44100 / 2));
    const std::vector<float> rest = decode_all(*d, 30 * 44100);
    EXPECT_NEAR(rest.size() / 2 / 44100.0, seconds - 0.5, 0.1);
    EXPECT_GT(peak_of(rest), 0.05);
  }
}

TEST_F(Decoders, DamagedMissingAndEmptyFilesAreRefused) {
  ASSERT_TRUE(write_rmi(file("whole.rmi"), 2.0));
  const std::string rmi = read_file_bytes(file("whole.rmi"));
  const std::string midi = midi_bytes(2.0);
  for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
           {"cut.rmi", rmi.substr(0, rmi.size() / 2)},
           {"no_data.rmi", rmi.substr(0, 12)},
           {"cut.mid", midi.substr(0, midi.size() - 7)},
           {"garbage.mid", "MThd" + std::string(200, '\x7f')},
           {"garbage.wav", std::string(5000, 'x')},
           {"empty.ogg", ""}}) {
    EXPECT_FALSE(open(dir.write(name, bytes))) << name;
  }
  EXPECT_FALSE(open(file("missing.mp3")));
  EXPECT_FALSE(open(dir.folder()));
  EXPECT_FALSE(open(""));
}

TEST_F(Decoders, CdTracksDecodeToTheDiscsSamples) {
  const CdImage image = make_cd_image(dir.folder(), {440, 660, 990}, 2);
  ASSERT_FALSE(image.cue.empty()) << "sox made no image";
  const std::string bin = read_file_bytes(image.bin);
  const size_t track_bytes = image.sectors_per_track * 2352;
  CdDrive drive(image.cue);
  // No drive: no CD track.
  EXPECT_FALSE(open(file("Track02.cda")));

  // By the name of a missing stub, and by a stub's contents under another name.
  ASSERT_TRUE(write_cda(file("third.bin"), 3, image.serial));
  for (const auto& [path, track] :
       {std::pair{file("Track02.cda"), 2}, std::pair{file("third.bin"), 3}}) {
    SCOPED_TRACE(path);
    auto d = open(path, &drive);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->rate(), 44100);
    EXPECT_EQ(d->channels(), 2);
    ASSERT_EQ(d->length(), static_cast<int64_t>(track_bytes / 4));
    const std::vector<float> pcm = decode_all(*d);
    ASSERT_EQ(pcm.size(), track_bytes / 2);
    const char* samples = bin.data() + (track - 1) * track_bytes;
    for (size_t i = 0; i < pcm.size(); ++i) {
      int16_t s;
      std::memcpy(&s, samples + 2 * i, 2);
      ASSERT_EQ(pcm[i], s / 32768.0f) << "sample " << i;
    }
    ASSERT_TRUE(d->seek(44100));
    std::vector<float> part(2 * 10);
    ASSERT_EQ(d->read(part.data(), 10), 10);
    EXPECT_EQ(part[0], pcm[2 * 44100]);
    EXPECT_EQ(part[19], pcm[2 * 44100 + 19]);
  }
  // A stub of another disc is not played from this one.
  ASSERT_TRUE(write_cda(file("other.cda"), 1, image.serial + 1));
  EXPECT_FALSE(open(file("other.cda"), &drive));
}

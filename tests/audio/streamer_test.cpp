// The streamer with decoders made up here, pulled as the audio callback pulls:
// where one file meets the next, at a seek, a hold and a failing file.
#include "audio/streamer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <map>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Never zero, so that silence the streamer inserted stands out.
int16_t sample_at(int64_t frame, int seed) {
  return static_cast<int16_t>((frame * 7 + seed * 1000) % 20000 + 1);
}

class MadeUpDecoder : public Decoder {
 public:
  MadeUpDecoder(int64_t frames, int seed, int rate = 44100, int64_t fail_at = -1)
      : frames_(frames), seed_(seed), rate_(rate), fail_at_(fail_at) {}
  int rate() const override { return rate_; }
  int channels() const override { return 2; }
  long read(float* out, long frames) override {
    if (gate) gate->wait();
    if (fail_at_ >= 0 && at_ >= fail_at_) return -1;
    const int64_t end = fail_at_ >= 0 ? std::min(frames_, fail_at_) : frames_;
    const long n = static_cast<long>(std::min<int64_t>(frames, end - at_));
    for (long i = 0; i < n; ++i, ++at_) {
      out[2 * i] = sample_at(at_, seed_) / 32768.0f;
      out[2 * i + 1] = -sample_at(at_, seed_) / 32768.0f;
    }
    return n;
  }
  bool seek(int64_t frame) override {
    at_ = std::min(frame, frames_);
    return true;
  }
  int64_t length() const override { return frames_; }
  std::shared_future<void>* gate = nullptr;  // read waits for it when set

 private:
  int64_t frames_, at_ = 0;
  int seed_, rate_;
  int64_t fail_at_;
};

struct Rig {
  std::map<std::string, std::function<std::unique_ptr<Decoder>()>> files;
  std::atomic<int> moved_on{0}, ended{0};
  Streamer streamer{[this](const std::string& path) -> std::unique_ptr<Decoder> {
    auto it = files.find(path);
    return it == files.end() ? nullptr : it->second();
  }};
  Rig() {
    streamer.set_notices([this] { ++moved_on; }, [this] { ++ended; });
  }
  void add(const std::string& name, int64_t frames, int seed, int rate = 44100,
           int64_t fail_at = -1) {
    files[name] = [=] { return std::make_unique<MadeUpDecoder>(frames, seed, rate, fail_at); };
  }
  // Pulls `frames` frames in odd-sized blocks, as an output would.
  std::vector<int16_t> pull(size_t frames, size_t block = 1003) {
    std::vector<int16_t> out(frames * 2);
    for (size_t at = 0; at < frames; at += block) {
      streamer.pull(out.data() + at * 2, std::min(block, frames - at));
    }
    return out;
  }
};

std::vector<int16_t> expected(int seed, int64_t from, int64_t to) {
  std::vector<int16_t> v;
  for (int64_t f = from; f < to; ++f) {
    v.push_back(sample_at(f, seed));
    v.push_back(static_cast<int16_t>(-sample_at(f, seed)));
  }
  return v;
}

template <typename T>
std::vector<T> cat(std::vector<T> a, const std::vector<T>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

bool eventually(const std::function<bool()>& condition) {
  for (int i = 0; i < 500 && !condition(); ++i) std::this_thread::sleep_for(10ms);
  return condition();
}

}  // namespace

TEST(Streamer, TheQueuedFileFollowsTheLastFrameWithoutAFrameBetween) {
  Rig rig;
  rig.add("a", 10001, 1);
  rig.add("b", 9003, 2);
  ASSERT_TRUE(rig.streamer.start("a"));
  rig.streamer.queue("b");
  std::this_thread::sleep_for(100ms);  // both fit the ring: all decoded by now
  // Up to the last frame of a, a plays; its next frame is b's first.
  const auto first = rig.pull(10000);
  EXPECT_EQ(rig.streamer.path(), "a");
  const auto junction = rig.pull(1, 1);
  EXPECT_EQ(rig.streamer.path(), "b");
  EXPECT_EQ(rig.streamer.position_us(), 0);
  const auto rest = rig.pull(9003 + 500);
  const auto heard = cat(cat(first, junction), rest);
  auto want = cat(expected(1, 0, 10001), expected(2, 0, 9003));
  want.resize(heard.size(), 0);  // then silence
  EXPECT_EQ(heard, want);
  EXPECT_TRUE(eventually([&] { return rig.ended == 1; }));
  EXPECT_EQ(rig.moved_on, 1) << "told once";
  EXPECT_EQ(rig.streamer.moved_on_count(), 1);
  EXPECT_EQ(rig.streamer.state(), Streamer::State::Ended);
}

TEST(Streamer, SeekHoldAndResumeKeepTheExactPlace) {
  Rig rig;
  rig.add("a", 100000, 3);
  rig.add("b", 1000, 4);
  ASSERT_TRUE(rig.streamer.start("a"));
  rig.streamer.queue("b");
  rig.pull(4410);
  EXPECT_EQ(rig.streamer.position_us(), 100000);
  rig.streamer.hold();
  EXPECT_EQ(rig.streamer.position_us(), 100000) << "held where the output stopped";
  std::this_thread::sleep_for(50ms);
  rig.streamer.resume();
  EXPECT_EQ(rig.pull(500), expected(3, 4410, 4910));
  ASSERT_TRUE(rig.streamer.seek_us(2000000));  // frame 88200
  EXPECT_EQ(rig.streamer.position_us(), 2000000);
  EXPECT_EQ(rig.pull(2000), expected(3, 88200, 90200));
  // A seek after the follower was decoded behind it: the follower still follows.
  std::this_thread::sleep_for(100ms);
  ASSERT_TRUE(rig.streamer.seek_us(99000 * 1000000LL / 44100));
  const auto heard = rig.pull(1000 + 1000);
  EXPECT_EQ(heard, cat(expected(3, 99000, 100000), expected(4, 0, 1000)));
  EXPECT_TRUE(eventually([&] { return rig.moved_on == 1; }));
}

TEST(Streamer, AFileThatFailsInTheMiddleEndsItsTrack) {
  Rig rig;
  rig.add("broken", 50000, 5, 44100, 3000);
  rig.add("next", 2000, 6);
  ASSERT_TRUE(rig.streamer.start("broken"));
  rig.streamer.queue("next");
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(rig.pull(5000), cat(expected(5, 0, 3000), expected(6, 0, 2000)));
  EXPECT_FALSE(rig.streamer.start("missing")) << "no decoder opens it";
  EXPECT_EQ(rig.streamer.state(), Streamer::State::Idle);
  EXPECT_EQ(rig.streamer.position_us(), -1);
}

TEST(Streamer, AnotherRateIsResampledWithoutSilenceAtTheChange) {
  Rig rig;
  rig.add("cd", 11025, 7);
  rig.add("low", 5513, 8, 22050);
  ASSERT_TRUE(rig.streamer.start("cd"));
  rig.streamer.queue("low");
  std::this_thread::sleep_for(150ms);
  const auto heard = rig.pull(11025 + 11025 + 2000);
  EXPECT_EQ(std::vector<int16_t>(heard.begin(), heard.begin() + 22050), expected(7, 0, 11025));
  // A quarter second at 22.05 kHz comes out as a quarter second at 44.1 kHz,
  // with no run of silence where it starts.
  size_t last_sound = 0;
  for (size_t i = 0; i < heard.size(); i += 2) {
    if (heard[i] != 0) last_sound = i / 2;
  }
  EXPECT_NEAR(static_cast<double>(last_sound), 22050.0, 50);
  for (size_t f = 11025; f < 11025 + 200; ++f) EXPECT_NE(heard[f * 2], 0) << "frame " << f;
}

TEST(Streamer, TheCallbackNeverWaitsForTheDecoder) {
  std::promise<void> release;
  std::shared_future<void> gate = release.get_future().share();
  Rig rig;  // ends before the gate its decoder waits on
  rig.files["slow"] = [&] {
    auto d = std::make_unique<MadeUpDecoder>(1000000, 9);
    d->gate = &gate;
    return d;
  };
  auto started = std::async(std::launch::async, [&] { return rig.streamer.start("slow"); });
  std::this_thread::sleep_for(50ms);  // the decoder now holds the streamer up
  auto pulled = std::async(std::launch::async, [&] { return rig.pull(4096); });
  const bool returned = pulled.wait_for(5s) == std::future_status::ready;
  release.set_value();
  EXPECT_TRUE(returned) << "the callback waited for a decoder";
  EXPECT_TRUE(started.get());
}

TEST(Streamer, VolumeIsHeardAtOnceAfterAShortRamp) {
  Rig rig;
  rig.add("a", 44100, 10);
  ASSERT_TRUE(rig.streamer.start("a"));
  std::this_thread::sleep_for(50ms);
  rig.streamer.set_volume(0.5);
  const auto heard = rig.pull(2000);
  const auto full = expected(10, 0, 2000);
  for (size_t i = 2 * 441; i < heard.size(); ++i) {
    ASSERT_NEAR(heard[i], full[i] * 0.5, 1.0) << "sample " << i;
  }
  EXPECT_EQ(rig.streamer.volume(), 0.5);
}

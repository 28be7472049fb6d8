#include "model/random_draw.h"

#include <time.h>

#include <atomic>
#include <chrono>
#include <cmath>

namespace {
uint64_t mix(uint64_t z) {
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

// The first seed: both clocks to the nanosecond and a count of the generators
// made, so that two generators made one after the other start apart. The
// clocks are mixed apart first: both move on by the same amount between two
// readings, which a plain XOR of the two can cancel.
uint64_t precise_now() {
  static std::atomic<uint64_t> made{0};
  const auto steady =
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  const auto system =
      static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  return mix(steady) ^ system ^ (made.fetch_add(1) * 0x9e3779b97f4a7c15ULL);
}

// The re-seed before each draw: the system clock at its cheapest reading. A
// shuffle of 30000 tracks draws 30000 times, and the precise clocks would cost
// more than all the rest of loading the play list; equal readings do no harm,
// since the running state moves on with every draw.
uint64_t system_clock_now() {
#ifdef CLOCK_REALTIME_COARSE
  timespec now{};
  if (clock_gettime(CLOCK_REALTIME_COARSE, &now) == 0) {
    return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
  }
#endif
  return static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

RandomDraw::RandomDraw() : clock_(system_clock_now), state_(mix(precise_now())) {}

RandomDraw::RandomDraw(Clock clock) : clock_(std::move(clock)), state_(mix(clock_())) {}

void RandomDraw::reseed() {
  state_ ^= mix(clock_());
}

uint64_t RandomDraw::next_bits() {
  // splitmix64 step: the running state always moves on, whatever the clock says.
  state_ += 0x9e3779b97f4a7c15ULL;
  return mix(state_);
}

float RandomDraw::next_value() {
  reseed();
  // 24 random bits fill the float's mantissa exactly, so the value stays below 1.
  return static_cast<float>(next_bits() >> 40) / 16777216.0f;
}

int32_t RandomDraw::draw(int32_t n) {
  if (n <= 1) return 1;
  const double r = next_value();
  const auto k = static_cast<int32_t>(std::floor(r * static_cast<double>(n) + 1.0));
  return k > n ? n : k;
}

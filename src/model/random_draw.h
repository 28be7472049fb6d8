#pragma once
// The player's random generator: re-seeded from the clock before every draw,
// the clock being stirred into the running state so that draws within one
// clock tick still differ.
#include <cstdint>
#include <functional>

class RandomDraw {
 public:
  using Clock = std::function<uint64_t()>;

  RandomDraw();  // seeded from the steady and the system clock, re-seeded from the system clock
  explicit RandomDraw(Clock clock);

  // A value r with 0 <= r < 1, single precision.
  float next_value();
  // A whole number in 1..n for n >= 1 (1 for any smaller n).
  int32_t draw(int32_t n);

 private:
  void reseed();
  uint64_t next_bits();

  Clock clock_;
  uint64_t state_;
};

#include "model/random_draw.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

TEST(RandomDraw, ConsecutiveDrawsWithinOneClockTickDiffer) {
  RandomDraw random([] { return uint64_t{42}; });  // the clock stands still
  std::set<float> values;
  for (int i = 0; i < 1000; ++i) values.insert(random.next_value());
  EXPECT_GT(values.size(), 990u);
}

TEST(RandomDraw, GeneratorsMadeOneAfterTheOtherDrawDifferently) {
  RandomDraw first;
  RandomDraw second;  // well within one tick of the coarse system clock
  std::vector<int32_t> a, b;
  for (int i = 0; i < 20; ++i) {
    a.push_back(first.draw(1000000));
    b.push_back(second.draw(1000000));
  }
  EXPECT_NE(a, b);
}

TEST(RandomDraw, StaysInRangeAndReachesBothEnds) {
  RandomDraw random;
  std::set<int32_t> seen;
  for (int i = 0; i < 5000; ++i) {
    int32_t k = random.draw(7);
    ASSERT_GE(k, 1);
    ASSERT_LE(k, 7);
    seen.insert(k);
  }
  EXPECT_EQ(seen.size(), 7u);
  EXPECT_EQ(random.draw(1), 1);
  EXPECT_EQ(random.draw(0), 1);
}

TEST(RandomDraw, ValuesLieInTheHalfOpenUnitInterval) {
  RandomDraw random;
  for (int i = 0; i < 100000; ++i) {
    float r = random.next_value();
    ASSERT_GE(r, 0.0f);
    ASSERT_LT(r, 1.0f);
  }
}

#include "model/play_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>

namespace {
// A generator whose clock moves on by one at every look: runs repeat exactly.
RandomDraw counting_draw(uint64_t start) {
  return RandomDraw([c = start]() mutable { return c++; });
}
}  // namespace

TEST(PlayOrder, IsAlwaysAPermutation) {
  for (uint64_t seed = 1; seed <= 20; ++seed) {
    RandomDraw random = counting_draw(seed * 7919);
    for (int32_t n : {1, 2, 3, 4, 5, 7, 10, 31, 100, 1000}) {
      std::vector<int32_t> order{0, 9, 9};  // a previous list's order
      build_play_order(order, n, random);
      ASSERT_EQ(order.size(), static_cast<size_t>(n) + 1);
      EXPECT_EQ(order[0], 0);
      std::vector<int32_t> sorted(order.begin() + 1, order.end());
      std::sort(sorted.begin(), sorted.end());
      std::vector<int32_t> expected(n);
      std::iota(expected.begin(), expected.end(), 1);
      ASSERT_EQ(sorted, expected) << "n=" << n << " seed=" << seed;
    }
  }
}

TEST(PlayOrder, NoTracksLeaveOnlyPositionZero) {
  RandomDraw random;
  std::vector<int32_t> order{0, 3, 1, 2};
  build_play_order(order, 0, random);
  EXPECT_EQ(order, std::vector<int32_t>{0});
  order = {0, 1};
  build_play_order(order, -5, random);
  EXPECT_EQ(order, std::vector<int32_t>{0});
}

TEST(PlayOrder, OneTrackIsAlwaysPositionOne) {
  RandomDraw random;
  for (int i = 0; i < 50; ++i) {
    std::vector<int32_t> order;
    build_play_order(order, 1, random);
    EXPECT_EQ(order, (std::vector<int32_t>{0, 1}));
  }
}

TEST(PlayOrder, TwoTracksComeInBothOrders) {
  RandomDraw random;
  std::map<std::vector<int32_t>, int> seen;
  for (int i = 0; i < 400; ++i) {
    std::vector<int32_t> order;
    build_play_order(order, 2, random);
    ++seen[order];
  }
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_GT(seen[(std::vector<int32_t>{0, 1, 2})], 0);
  EXPECT_GT(seen[(std::vector<int32_t>{0, 2, 1})], 0);
}

// Each position swaps with one drawn from all positions, not only the later
// ones: of the 27 equally likely draws for three tracks, five each give the
// orders 2 3 1, 2 1 3 and 1 3 2, and four each the other three.
TEST(PlayOrder, SwapPartnersAreDrawnFromTheWholeRange) {
  RandomDraw random = counting_draw(12345);
  std::map<std::vector<int32_t>, int> seen;
  for (int i = 0; i < 27000; ++i) {
    std::vector<int32_t> order;
    build_play_order(order, 3, random);
    ++seen[order];
  }
  for (const auto& five : {std::vector<int32_t>{0, 2, 3, 1}, std::vector<int32_t>{0, 2, 1, 3},
                           std::vector<int32_t>{0, 1, 3, 2}}) {
    EXPECT_GT(seen[five], 4500);
  }
  for (const auto& four : {std::vector<int32_t>{0, 3, 1, 2}, std::vector<int32_t>{0, 3, 2, 1},
                           std::vector<int32_t>{0, 1, 2, 3}}) {
    EXPECT_LT(seen[four], 4500);
  }
}

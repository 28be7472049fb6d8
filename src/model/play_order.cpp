#include "model/play_order.h"

#include <utility>

void build_play_order(std::vector<int32_t>& order, int32_t n, RandomDraw& random) {
  if (n < 0) n = 0;
  order.assign(static_cast<size_t>(n) + 1, 0);
  for (int32_t i = 1; i <= n; ++i) order[i] = i;
  // Every position swaps with one drawn from the whole range, itself included.
  for (int32_t i = 1; i <= n; ++i) {
    const int32_t j = random.draw(n);
    std::swap(order[i], order[j]);
  }
}

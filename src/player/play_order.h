#pragma once
#include <cstdint>
#include <vector>

#include "player/random_draw.h"

// Fills positions 1..n of order with a shuffled permutation of 1..n; position 0 holds 0.
void build_play_order(std::vector<int32_t>& order, int32_t n, RandomDraw& random);

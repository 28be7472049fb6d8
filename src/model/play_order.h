#pragma once
// The shuffle: the order in which the positions of a play list are played.
#include <cstdint>
#include <vector>

#include "model/random_draw.h"

// Fills positions 1..n of order with a shuffled permutation of 1..n; position 0 holds 0.
void build_play_order(std::vector<int32_t>& order, int32_t n, RandomDraw& random);

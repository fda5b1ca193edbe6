// The game's own random generator: one stream for the whole game, so that every
// draw is reproducible from the seed on every platform.
#pragma once

#include <cstdint>

constexpr int GAME_RAND_MAX = 32767;

void game_srand(uint32_t seed);
// 0 to 32767.
int game_rand();
uint32_t game_rand_state();

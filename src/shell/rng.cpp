#include "shell/rng.h"

static uint32_t rng_seed = 1;

void game_srand(uint32_t seed) { rng_seed = seed; }

int game_rand() {
    rng_seed = rng_seed * 214013u + 2531011u; // wraps modulo 2^32
    return (int)((rng_seed >> 16) & 0x7FFF);
}

uint32_t game_rand_state() { return rng_seed; }

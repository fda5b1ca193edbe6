// The building map as the game needs it. The map engine loads any valid map; before
// anything of the game reads one, the shell checks that it can be played.
#pragma once

#include <string>

constexpr const char *MAP_FILE_NAME = "buildings.fmp";

// Loads a map for a new game. "" when the game can play it; otherwise one line
// naming the file and saying what is wrong, and no map is left loaded.
std::string game_map_load(const char *file);

// What makes the loaded map unplayable, in words, or "" when the game can play it:
// layer 0 of at least 98 x 120 tiles of 64 x 64 pixels spaced 64 apart, rows not
// staggered, a block 2 that is no fire (a fire put out becomes block 2), and every
// mission that holds people with an elevator door and a beacon tile, and nobody
// placed on a tile where no one can stand.
std::string game_map_problem();

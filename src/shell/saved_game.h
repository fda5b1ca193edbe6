// The saved game "resumed-game.bin", kept in the player's folder.
#pragma once

#include <cstddef>
#include <string>

constexpr const char *SAVED_GAME_NAME = "resumed-game.bin";
// The saved game's path, "" when the player has no usable folder. A save is written
// first to this path plus ".tmp" and renamed over the saved game once complete.
std::string saved_game_path();

// The layout: mission, score, time bonus, one cell and one slot word per building
// tile, rescued_count, people_count, then the raw records of the people in transit.
// Every number is a little-endian 32-bit signed integer.
constexpr std::size_t SAVED_TILE_ENTRY_SIZE = 8;
constexpr std::size_t SAVED_TILES_OFFSET = 12;
constexpr std::size_t SAVED_RESCUED_OFFSET = SAVED_TILES_OFFSET + 1680 * SAVED_TILE_ENTRY_SIZE;
constexpr std::size_t SAVED_PEOPLE_COUNT_OFFSET = SAVED_RESCUED_OFFSET + 4;
constexpr std::size_t SAVED_HEADER_SIZE = SAVED_PEOPLE_COUNT_OFFSET + 4; // 13460
constexpr std::size_t SAVED_RECORD_SIZE = 40;
constexpr std::size_t SAVED_GAME_MAX_SIZE = SAVED_HEADER_SIZE + 1024 * SAVED_RECORD_SIZE;
static_assert(SAVED_HEADER_SIZE == 13460, "saved game header size");

// Writes the saved game; false when it could not be written whole (the previous
// saved game is then left as it was).
bool save_game();
// A class enum, so that no caller can take the result for a yes or no.
enum class SavedGameLoad {
    LOADED,
    MISSING, // no file (or no player's folder): not worth a word
    REFUSED  // a file that is damaged, foreign, or cannot be read
};
// Reads the saved game. Unless it is loaded, the game state is left untouched; a
// refused file is left on disk as it is.
SavedGameLoad load_saved_game();
// "Resume": loads the saved game and tells the player when a file was there but
// could not be taken; true when the game is resumed.
bool resume_saved_game();

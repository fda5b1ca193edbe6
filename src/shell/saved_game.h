// The saved game "resumed-game.bin".
#pragma once

constexpr const char *SAVED_GAME_FILE = "resumed-game.bin";

// Writes the saved game; false when it could not be written whole (the previous
// saved game is then left as it was).
bool save_game();
// Reads the saved game; false when there is none or it is damaged (the game state
// is then left untouched).
bool load_saved_game();

// Highrise Rescue: the program's entry.
#include "shell/game_state.h"

int main() { return game_main(); }
END_OF_MAIN()

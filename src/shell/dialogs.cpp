// Quit and save questions, and shutdown (to be written).
#include "shell/game_state.h"

#include "map/map.h"

bool ask_yes_no(const char *question) {
    return alert(question, nullptr, nullptr, "Yes", "No", 'y', 'n') == 1;
}

bool quit_checks() { return key[KEY_ESC]; }

void shutdown_game() {
    map_free();
    allegro_exit();
}

// The X server going away while the game runs (its window closed by the session
// ending, the server killed): one line and status 1, instead of the library's
// exit handlers, which wait on the dead display or abort.
#pragma once

// Installs the handler; call once, after the library has opened the display.
void display_loss_watch();

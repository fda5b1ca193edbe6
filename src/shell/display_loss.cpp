// Xlib calls its fatal I/O error handler when the connection to the X server is
// lost, from whichever thread noticed (the library polls the display from a thread
// of its own), and ends the process with exit() if the handler returns. exit()
// would run the library's exit handler, which locks the display that thread may
// hold, and tears down Xlib state under its feet: the game hung or aborted. Nothing
// of the library or of Xlib can be called here any more, so the handler writes its
// line with write() and leaves with _exit(): the sound and the display need no
// goodbye, the kernel closes both.
#include "shell/display_loss.h"

#include <X11/Xlib.h>
#include <csignal>
#include <unistd.h>

namespace {

int display_lost(Display *) {
    static const char line[] = "highrise: the display has gone away (the X server closed the "
                               "connection); the game ends\n";
    ssize_t written = write(STDERR_FILENO, line, sizeof line - 1);
    (void)written;
    _exit(1);
}

} // namespace

void display_loss_watch() {
    // A write to the dead connection must come back as an error that reaches the
    // handler, not end the game with SIGPIPE first.
    signal(SIGPIPE, SIG_IGN);
    XSetIOErrorHandler(display_lost);
}

// Losing the X server (it ended, or the connection to it broke) reaches the
// game inside some Xlib call, through Xlib's IO error handler. Xlib's own
// prints "XIO: fatal IO error" and exits there, so nothing of the game's
// orderly end ran and the settings were lost. A handler may not return
// either (Xlib then exits all the same), and nothing of the display can be
// closed any more: so ours runs the game's last words, the settings saved
// the same safe way as at every end, and ends the program itself with 0,
// as a closed window would have.
#include "platform/platform_internal.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

DisplayLostHook lastWords = nullptr;

int OnDisplayLost(Display*) {
    static bool ending = false;
    if (!ending) {
        ending = true;
        std::fputs("orbivore: the connection to the display was lost; the game ends\n", stderr);
        if (lastWords) lastWords();
    }
    // No exit(): the exit handlers of SDL and the OpenGL driver would talk
    // to the display that is gone.
    _exit(0);
}

}  // namespace

void SetDisplayLostHook(DisplayLostHook hook) { lastWords = hook; }

void WatchForDisplayLoss() {
    const char* driver = SDL_GetCurrentVideoDriver();
    // Xlib's handler is one for the whole process; SDL's X11 driver uses the
    // same libX11 this is linked with.
    if (driver && std::strcmp(driver, "x11") == 0) XSetIOErrorHandler(OnDisplayLost);
}

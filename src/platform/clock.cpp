// Real time for the game, virtual time for the headless platform: there,
// waiting advances the clock at once, so tests never wait for real.
#include "platform/platform_internal.h"

uint32_t Millisecs() {
    if (IsHeadless()) return uint32_t(uint64_t(Platform().virtualMs));
    return SDL_GetTicks();
}

void Delay(int milliseconds) {
    if (milliseconds <= 0) return;
    if (IsHeadless()) {
        Platform().virtualMs += milliseconds;
        PumpEvents();
        return;
    }
    // Sleep in short steps so the window stays responsive during a pause.
    const uint32_t end = SDL_GetTicks() + uint32_t(milliseconds);
    while (SDL_GetTicks() < end) {
        PumpEvents();
        if (Platform().quitRequested) throw ProgramQuit{};
        const uint32_t left = end - SDL_GetTicks();
        SDL_Delay(left > 10 ? 10 : left);
    }
}

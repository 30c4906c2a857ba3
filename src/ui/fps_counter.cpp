#include "ui/fps_counter.h"

#include <string>

#include "effects/vector_font.h"
#include "game/game_state.h"
#include "platform/platform.h"

void CountAndShowFps() {
    FpsFrames += 1;
    if (float(Millisecs()) - FpsClock > 500) {
        FpsClock += 500;
        Fps = int(FpsFrames * 2);
        FpsFrames = 0;
    }
    if (ShowFps == 1)
        DrawVectorText("FPS: " + std::to_string(Fps), 18, 35.5f, 0xFF4043FF, 0, 0.75f, 0.75f, 0);
}

#include "options/display_mode.h"

#include <cstdio>

#include "game/settings.h"
#include "platform/platform.h"

namespace {

struct DisplayMode {
    int width, height, fullScreen, offsetX, offsetY;
};
DisplayMode OpenMode{1024, 768, 0, 0, 0};

}  // namespace

void RememberOpenMode() { OpenMode = {ScreenWidth, ScreenHeight, FullScreen, OffsetX, OffsetY}; }

bool ReopenDisplay() {
    if (OpenDisplay(ScreenWidth, ScreenHeight, FullScreen != 0, WindowTitle)) {
        RememberOpenMode();
        SetPlayViewport(OffsetX, OffsetY);
        return true;
    }
    std::fprintf(stderr, "orbivore: %s; keeping %d x %d\n", PlatformError().c_str(), OpenMode.width, OpenMode.height);
    ScreenWidth = OpenMode.width, ScreenHeight = OpenMode.height, FullScreen = OpenMode.fullScreen;
    OffsetX = OpenMode.offsetX, OffsetY = OpenMode.offsetY;
    SetPlayViewport(OffsetX, OffsetY);
    return false;
}

void ToggleFullScreen() {
    FullScreen = 1 - FullScreen;
    ReopenDisplay();
}

// The display: an SDL window with an OpenGL context, or an offscreen context
// on the software rasterizer, or nothing at all (drawing only counted).
#include <epoxy/gl.h>

#include <algorithm>

#include <cstdio>
#include <cstdlib>

#include "platform/platform_internal.h"

namespace {

PreShowHook preShowHook = nullptr;

constexpr int PlayWidth = 1024;
constexpr int PlayHeight = 768;

void ShutdownVideo(PlatformState& p) {
    if (p.gl) SDL_GL_DeleteContext(p.gl);
    if (p.window) SDL_DestroyWindow(p.window);
    p.gl = nullptr;
    p.window = nullptr;
}

void SetupGL(PlatformState& p) {
    CompleteGlowDrawing();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    // Light blending: the source, scaled by its alpha, is added to the screen.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glClearColor(0, 0, 0, 1);
    ChooseSwapInterval(p);
    glViewport(0, 0, p.width, p.height);
    glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
    ApplyPlayProjection();
}

}  // namespace

PlatformState& Platform() {
    static PlatformState state;
    return state;
}

bool IsHeadless() { return Platform().options.kind != PlatformKind::Window; }
PlatformKind CurrentPlatformKind() { return Platform().options.kind; }
bool PlatformHasGL() { return Platform().gl != nullptr; }
const std::string& PlatformError() { return Platform().error; }

bool PlatformStart(const PlatformOptions& options) {
    PlatformState& p = Platform();
    p = PlatformState{};
    p.options = options;
    InputReset();
    InputApplyScript(0);
    if (options.kind == PlatformKind::HeadlessNoGL) {
        p.started = true;
        return true;
    }
    if (options.kind == PlatformKind::HeadlessGL) SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    Uint32 flags = SDL_INIT_VIDEO;
    if (options.kind == PlatformKind::Window) flags |= SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER;
    if (SDL_InitSubSystem(flags) != 0) {
        p.error = std::string("cannot start the video system: ") + SDL_GetError();
        return false;
    }
    if (options.kind == PlatformKind::Window) {
        // With no display SDL falls back to drivers that show nothing; a
        // player would stare at nothing, so that counts as no display.
        const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
        if (driver == "offscreen" || driver == "dummy" || driver == "evdev") {
            p.error = "no display found (SDL could only start its '" + driver +
                      "' video driver; is DISPLAY or WAYLAND_DISPLAY set?)";
            SDL_QuitSubSystem(flags);
            return false;
        }
        InputOpenJoystick();
    }
    p.started = true;
    return true;
}

void PlatformStop() {
    PlatformState& p = Platform();
    if (!p.started) return;
    InputCloseJoystick();
    ShutdownVideo(p);
    if (p.options.kind != PlatformKind::HeadlessNoGL)
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    p.started = false;
}

bool OpenDisplay(int width, int height, bool fullScreen, const char* title) {
    PlatformState& p = Platform();
    if (p.options.kind == PlatformKind::HeadlessNoGL) {
        p.width = width, p.height = height, p.fullScreen = fullScreen;
        return true;
    }
    if (p.window) {
        // Change the mode of the open window; on failure go back to the old one.
        const int oldW = p.width, oldH = p.height;
        const bool oldFull = p.fullScreen;
        SDL_SetWindowFullscreen(p.window, 0);
        SDL_SetWindowSize(p.window, width, height);
        bool ok = true;
        if (fullScreen) {
            SDL_DisplayMode mode{SDL_PIXELFORMAT_UNKNOWN, width, height, 60, nullptr};
            ok = SDL_SetWindowDisplayMode(p.window, &mode) == 0 &&
                 SDL_SetWindowFullscreen(p.window, SDL_WINDOW_FULLSCREEN) == 0;
        }
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(p.window, &w, &h);
        if (!ok || (p.options.kind == PlatformKind::Window && (w != width || h != height) && !fullScreen)) {
            p.error = std::string("cannot switch the display mode: ") + SDL_GetError();
            SDL_SetWindowFullscreen(p.window, oldFull ? SDL_WINDOW_FULLSCREEN : 0);
            SDL_SetWindowSize(p.window, oldW, oldH);
            SetupGL(p);
            return false;
        }
        p.width = width, p.height = height, p.fullScreen = fullScreen;
        SetupGL(p);
        return true;
    }

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    Uint32 flags = SDL_WINDOW_OPENGL;
    if (fullScreen) flags |= SDL_WINDOW_FULLSCREEN;
    p.window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (!p.window) {
        p.error = std::string("cannot open a ") + std::to_string(width) + " x " + std::to_string(height) +
                  " window: " + SDL_GetError();
        return false;
    }
    p.gl = SDL_GL_CreateContext(p.window);
    if (!p.gl) {
        p.error = std::string("cannot create an OpenGL context: ") + SDL_GetError();
        SDL_DestroyWindow(p.window);
        p.window = nullptr;
        return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    p.width = width, p.height = height, p.fullScreen = fullScreen;
    SetupGL(p);
    return true;
}

int DisplayWidth() { return Platform().width; }
int DisplayHeight() { return Platform().height; }

void SetPlayViewport(int offsetX, int offsetY) {
    Platform().offsetX = offsetX;
    Platform().offsetY = offsetY;
    if (PlatformHasGL()) ApplyPlayProjection();
}

void ApplyPlayProjection() {
    CompleteGlowDrawing();
    const PlatformState& p = Platform();
    // GL counts rows from the bottom; the game counts them from the top.
    glViewport(p.offsetX, p.height - p.offsetY - PlayHeight, PlayWidth, PlayHeight);
    glScissor(p.offsetX, p.height - p.offsetY - PlayHeight, PlayWidth, PlayHeight);
    glEnable(GL_SCISSOR_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(p.offsetX, p.offsetX + PlayWidth, p.offsetY + PlayHeight, p.offsetY, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void ClearScreen() {
    if (!PlatformHasGL()) return;
    CompleteGlowDrawing();
    // The whole display, so everything outside the play area stays black.
    glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
}

void SetPreShowHook(PreShowHook hook) { preShowHook = hook; }

namespace {
FrameHook frameHook = nullptr;
}

void SetFrameHook(FrameHook hook) { frameHook = hook; }

void ShowFrame() {
    PlatformState& p = Platform();
    if (preShowHook) preShowHook();
    if (frameHook) frameHook(p.framesShown);
    if (p.window && !IsHeadless()) {
        PresentRealFrame(p);
    } else if (p.gl) {
        // Nothing shows the offscreen frame; it is read where it was drawn.
        // Waiting for it keeps the software rasterizer from queueing frame
        // after frame, each holding its memory, while the game runs ahead.
        glFinish();
    }
    p.framesShown++;
    if (IsHeadless()) p.virtualMs += 1000.0 / 60.0;
    InputApplyScript(p.framesShown);
    PumpEvents();
    if (p.quitRequested) throw ProgramQuit{};
    if (p.options.frameLimit >= 0 && p.framesShown >= p.options.frameLimit) {
        p.quitRequested = true;
        throw ProgramQuit{};
    }
}

long long FramesShown() { return Platform().framesShown; }

std::vector<uint8_t> ReadFramePixels() {
    const PlatformState& p = Platform();
    if (!PlatformHasGL()) return {};
    CompleteGlowDrawing();
    std::vector<uint8_t> rows(size_t(p.width) * p.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, p.width, p.height, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    // Turn bottom-up GL rows into top-down picture rows.
    std::vector<uint8_t> out(rows.size());
    const size_t stride = size_t(p.width) * 4;
    for (int y = 0; y < p.height; ++y)
        std::copy_n(&rows[size_t(p.height - 1 - y) * stride], stride, &out[size_t(y) * stride]);
    return out;
}

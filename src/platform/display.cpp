// The display: an SDL window with an OpenGL context, or an offscreen context
// on the software rasterizer, or nothing at all (drawing only counted).
#include <epoxy/gl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/platform_internal.h"

namespace {

// Mesa's software rasterizer fills with one thread per core by default,
// while the game's thread feeds it the frame's triangles on one of those
// cores. Measured on two cores, one rasterizer thread more than there are
// cores took the slowest percent of the heaviest scene's frames from 18-22
// ms down to 16-19 ms, at about the same median (BENCHMARKS.md). Must be set
// before the first OpenGL context; a player's own setting stays, and other
// drivers never read it.
void ChooseRasterizerThreads() {
    const long cores = sysconf(_SC_NPROCESSORS_ONLN);
    if (cores > 0) setenv("LP_NUM_THREADS", std::to_string(cores + 1).c_str(), 0);
}

void ShutdownVideo(PlatformState& p) {
    if (p.gl) SDL_GL_DeleteContext(p.gl);
    if (p.window) SDL_DestroyWindow(p.window);
    p.gl = nullptr;
    p.window = nullptr;
}

void FitPicture(PlatformState& p) {
    int w = p.width, h = p.height;
    if (p.window) SDL_GL_GetDrawableSize(p.window, &w, &h);
    p.drawableWidth = w, p.drawableHeight = h;
    p.scale = std::min(float(w) / float(p.width), float(h) / float(p.height));
    p.unmagnified = p.unmagnifiedWanted;
    if (p.unmagnified) p.scale = std::min(p.scale, 1.0f);
    p.barX = int((float(w) - float(p.width) * p.scale) / 2);
    p.barY = int((float(h) - float(p.height) * p.scale) / 2);
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
    FitPicture(p);
    glViewport(0, 0, p.drawableWidth, p.drawableHeight);
    glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
    ApplyPlayProjection();
}

// A real window on a real desktop; headless windows keep the chosen size.
bool OnDesktop(const PlatformState& p) { return p.options.kind == PlatformKind::Window && p.window; }

int WindowDisplay(const PlatformState& p) { return std::max(0, SDL_GetWindowDisplayIndex(p.window)); }

// A window larger than the desktop's free room is shrunk, aspect kept, so
// that all of it stays reachable; the picture is scaled into it.
void SizeWindowToFit(PlatformState& p, int width, int height) {
    SDL_Rect room{};
    if (SDL_GetDisplayUsableBounds(WindowDisplay(p), &room) == 0 && room.w > 0 && room.h > 0 &&
        (width > room.w || height > room.h)) {
        const double shrink = std::min(double(room.w) / width, double(room.h) / height);
        width = int(width * shrink), height = int(height * shrink);
    }
    SDL_SetWindowSize(p.window, width, height);
    const int centred = SDL_WINDOWPOS_CENTERED_DISPLAY(WindowDisplay(p));
    SDL_SetWindowPosition(p.window, centred, centred);
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
    InstallQuitSignals();
    InputReset();
    InputApplyScript(0);
    // Headless, the pad layer starts only for a script that plugs a pad in.
    if (!options.padScript.empty()) {
        if (!PadStart(true)) {
            p.error = std::string("cannot start the game-controller layer: ") + SDL_GetError();
            RemoveQuitSignals();
            return false;
        }
        PadApplyScript(0);
    }
    if (options.kind == PlatformKind::HeadlessNoGL) {
        p.started = true;
        return true;
    }
    ChooseRasterizerThreads();
    if (options.kind == PlatformKind::HeadlessGL) SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    const Uint32 flags = SDL_INIT_VIDEO;
    if (SDL_InitSubSystem(flags) != 0) {
        p.error = std::string("cannot start the video system: ") + SDL_GetError();
        RemoveQuitSignals();
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
            RemoveQuitSignals();
            return false;
        }
        // Without pads the keyboard still plays the whole game.
        if (!PadStart(false)) std::fprintf(stderr, "orbivore: no game controllers: %s\n", SDL_GetError());
        WatchForDisplayLoss();
    }
    p.started = true;
    return true;
}

void PlatformStop() {
    PlatformState& p = Platform();
    if (!p.started) return;
    RemoveQuitSignals();
    PadStop();
    ShutdownVideo(p);
    if (p.options.kind != PlatformKind::HeadlessNoGL) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    p.started = false;
}

bool OpenDisplay(int width, int height, bool fullScreen, const char* title) {
    PlatformState& p = Platform();
    if (p.options.kind == PlatformKind::HeadlessNoGL) {
        p.width = width, p.height = height, p.fullScreen = fullScreen;
        return true;
    }
    if (p.window) {
        // Full screen never changes the monitor's mode: the window covers the
        // desktop in its own mode and the chosen size is scaled into it.
        if (OnDesktop(p)) {
            if (fullScreen) {
                if (!p.fullScreen && SDL_SetWindowFullscreen(p.window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
                    p.error = std::string("cannot switch to full screen: ") + SDL_GetError();
                    return false;
                }
            } else {
                if (p.fullScreen) SDL_SetWindowFullscreen(p.window, 0);
                SizeWindowToFit(p, width, height);
            }
        } else {
            SDL_SetWindowSize(p.window, width, height);
        }
        p.width = width, p.height = height, p.fullScreen = fullScreen;
        SetupGL(p);
        return true;
    }

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // Nothing is depth-tested; without a depth buffer Mesa's software
    // rasterizer can also take its fast path for plain textured rectangles.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    Uint32 flags = SDL_WINDOW_OPENGL;
    if (p.options.kind == PlatformKind::Window) {
        // The player may size the window as any other; the picture is fitted
        // into it. On a scaled desktop the drawable has more pixels than the
        // window has points, and the lines are drawn at those real pixels.
        flags |= SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
        if (fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
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
    // Small enough for any desktop, large enough that the texts stay readable.
    if (p.options.kind == PlatformKind::Window) SDL_SetWindowMinimumSize(p.window, 512, 384);
    p.width = width, p.height = height, p.fullScreen = fullScreen;
    if (OnDesktop(p) && !fullScreen) SizeWindowToFit(p, width, height);
    SetupGL(p);
    return true;
}

void DisplayResized() {
    PlatformState& p = Platform();
    if (!PlatformHasGL()) return;
    FitPicture(p);
    ApplyPlayProjection();
}

void SetUnmagnifiedPicture(bool on) { Platform().unmagnifiedWanted = on && !IsHeadless(); }
bool UnmagnifiedPictureInUse() {
    const PlatformState& p = Platform();
    return p.unmagnified && p.scale == 1.0f && p.drawableWidth > p.width;
}

int DisplayWidth() { return Platform().width; }
int DisplayHeight() { return Platform().height; }
float DisplayScale() { return Platform().scale; }

void SetPlayViewport(int offsetX, int offsetY) {
    Platform().offsetX = offsetX;
    Platform().offsetY = offsetY;
    if (PlatformHasGL()) ApplyPlayProjection();
}

void ApplyPlayProjection() {
    CompleteGlowDrawing();
    const PlatformState& p = Platform();
    const int x = p.barX + int(std::lround(float(p.offsetX) * p.scale));
    const int top = p.barY + int(std::lround(float(p.offsetY) * p.scale));
    const int w = int(std::lround(PlayWidth * p.scale)), h = int(std::lround(PlayHeight * p.scale));
    // GL counts rows from the bottom; the game counts them from the top.
    glViewport(x, p.drawableHeight - top - h, w, h);
    glScissor(x, p.drawableHeight - top - h, w, h);
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


namespace {
FrameHook frameHook = nullptr;
DisplayToggleHook displayToggleHook = nullptr;
}  // namespace

void SetFrameHook(FrameHook hook) { frameHook = hook; }
void SetDisplayToggleHook(DisplayToggleHook hook) { displayToggleHook = hook; }

void ShowFrame() {
    PlatformState& p = Platform();
    EndGlowFrame();
    if (frameHook) frameHook(p.framesShown);
    if (p.window && !IsHeadless()) {
        PresentRealFrame(p);
        // Asked for while the frame was made; the next one is drawn so.
        if (p.unmagnified != p.unmagnifiedWanted) DisplayResized();
    } else if (p.gl) {
        // Nothing shows the offscreen frame; it is read where it was drawn.
        // Waiting for it keeps the software rasterizer from queueing frame
        // after frame, each holding its memory, while the game runs ahead.
        glFinish();
    }
    p.framesShown++;
    if (IsHeadless()) p.virtualMs += FramePeriodMs;
    InputApplyScript(p.framesShown);
    PadApplyScript(p.framesShown);
    PumpEvents();
    // Between frames, where the options switch the display too.
    for (int n = InputTakeDisplayToggles(); n > 0 && displayToggleHook; --n) displayToggleHook();
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

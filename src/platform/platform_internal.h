// State shared by the platform's own files; the game never includes this.
#pragma once

#include <SDL.h>

#include <chrono>
#include <string>

#include "platform/pacing_rules.h"
#include "platform/platform.h"

// The real window's frame pacing (pacing.cpp).
struct PacingState {
    bool vsync = false;          // the swap waits for the monitor
    VsyncTrial trial;            // the frames watched since vsync was switched on
    bool frameStarted = false;
    std::chrono::steady_clock::time_point frameStart;  // when the frame's work began
    bool deadlineSet = false;
    std::chrono::steady_clock::time_point deadline;    // software pacing: when the next frame is due
    double workMs = 0;           // the last frame's work, without the wait
    std::chrono::steady_clock::time_point shownAt;     // when the last frame's swap returned, or none
};

struct PlatformState {
    PlatformOptions options;
    bool started = false;
    bool quitRequested = false;
    std::string error;

    SDL_Window* window = nullptr;
    SDL_GLContext gl = nullptr;
    int width = 0;
    int height = 0;
    bool fullScreen = false;
    int offsetX = 0;
    int offsetY = 0;
    // Where the width x height picture lands in what the window really shows
    // (the desktop's mode in full screen, or a size the desktop forced):
    // scaled to fit with its aspect kept, centred between black bars.
    int drawableWidth = 0;
    int drawableHeight = 0;
    float scale = 1;
    int barX = 0;
    int barY = 0;
    // The picture is never magnified (SetUnmagnifiedPicture): asked, and
    // what the fit above was made with.
    bool unmagnifiedWanted = false;
    bool unmagnified = false;

    long long framesShown = 0;
    double virtualMs = 0;        // headless clock
    PacingState pacing;
};

PlatformState& Platform();
bool IsHeadless();

// input.cpp
void InputHandleEvent(const SDL_Event& event);
void InputApplyScript(long long frame);
void InputReset();
// The window lost the keyboard's focus or was minimised.
void InputFocusLost();
// F11 and Alt+Enter presses since the last call.
int InputTakeDisplayToggles();

// pad.cpp
// Starts the game-controller layer and opens the first pad (headless: only
// virtual ones count). False when SDL cannot start it.
bool PadStart(bool headless);
void PadStop();
bool PadStarted();
void PadHandleEvent(const SDL_Event& event);
// Moves the script's virtual pad for this frame, its events handled at once.
void PadApplyScript(long long frame);
void PadFlush();

// pictures.cpp
// Draws what the glow renderer holds back, before anything that must come
// after it (pictures, clearing, a new viewport, reading the pixels).
void FlushGlowDrawing();
// The same, and what it keeps aside is added too: before the screen must be complete.
void CompleteGlowDrawing();
// The renderer completes the frame about to be shown.
void EndGlowFrame();
void DrawTexturedQuad(unsigned texture, float x, float y, float width, float height, float alpha);

// display_loss.cpp
// Under X, a lost display ends the program the orderly way (see there).
void WatchForDisplayLoss();

// display.cpp
void ApplyPlayProjection();
// The window's drawable changed size: the picture is fitted to it again.
void DisplayResized();

// pacing.cpp
// Picks vsync or software pacing for the window's monitor (after every mode change).
void ChooseSwapInterval(PlatformState& p);
// Shows the window's frame and waits until the next one is due.
void PresentRealFrame(PlatformState& p);

// quit_signals.cpp: SIGTERM and SIGINT noted, for the pump to end the program.
void InstallQuitSignals();
void RemoveQuitSignals();
bool QuitSignalled();

// What every screen does: start a frame, play an effect when sound is on.
#pragma once

#include "platform/platform.h"

// The backdrop behind every screen, drawn while BackgroundOn = 1.
extern Picture* BackdropImage;

// Clears the screen and draws the backdrop when it is on.
void BeginScreenFrame();

// Plays an effect by name, only when SoundOn = 1.
void PlaySfx(const char* name);
inline void Blip() { PlaySfx("BlipSND"); }

// Frames (about half a second) a screen showing a result ignores fire and
// Enter for, so that presses meant for the game do not skip it unseen.
inline constexpr int ResultLockFrames = 30;

// What every screen does: start a frame, play an effect when sound is on,
// read a y/n prompt.
#pragma once

#include "platform/platform.h"

// The backdrop behind every screen, drawn while BackgroundOn = 1.
extern Picture* BackdropImage;

// Clears the screen and draws the backdrop when it is on.
void BeginScreenFrame();

// Plays an effect by name, only when SoundOn = 1.
void PlaySfx(const char* name);
inline void Blip() { PlaySfx("BlipSND"); }

// One frame's answer to a y/n prompt: 0 none, 1 yes (Y or KeyLeft), 2 no (N,
// KeyRight or Escape). No is tested last and wins when both come in one frame.
int PromptAnswer();

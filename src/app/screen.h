// What every screen does: start a frame, play an effect when sound is on,
// read a y/n prompt.
#pragma once

// Clears the screen and draws the backdrop when it is on.
void BeginScreenFrame();

// Plays an effect by name, only when SoundOn = 1.
void PlaySfx(const char* name);
inline void Blip() { PlaySfx("BlipSND"); }

// One frame's answer to a y/n prompt: 0 none, 1 yes (Y or KeyLeft), 2 no (N,
// KeyRight or Escape). No is tested last and wins when both come in one frame.
int PromptAnswer();

// Virtual-key codes the screens test directly.
constexpr int VkBackspace = 8, VkTab = 9, VkReturn = 13, VkEscape = 27, VkSpace = 32;
constexpr int VkLeft = 37, VkUp = 38, VkRight = 39, VkDown = 40;
constexpr int VkN = 78, VkY = 89, VkF12 = 123;

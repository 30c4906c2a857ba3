// What the classic mode's own files share among themselves: sizes of its
// objects, the box test, and the pieces the tests reach directly.
#pragma once

#include <string>
#include <string_view>

#include "classic/classic_game.h"
#include "game/game_state.h"  // Frozen

constexpr float ShotLength = 10;      // a player shot is drawn 10 pixels long, its tip on top
constexpr float ShotSpeed = 8;        // pixels up per frame
constexpr float ShotStartY = 680;
constexpr int MaxClassicShots = 2;
constexpr float ShotBiteRadius = 16;  // blocks a shot takes out around its tip
constexpr float BombLength = 8;
constexpr float BombBiteRadius = 20;  // a bomb bites deeper than a shot
constexpr float BunkerZoneTop = 550, BunkerZoneBottom = 660;
constexpr float GroundY = 750;
constexpr float MothershipY = 108;    // centre of its outline; the hit box is y 90 to 130
constexpr float MothershipSpeed = 2.5f;

// Axis-aligned boxes given as left, top, width, height.
inline bool BoxesTouch(float ax, float ay, float aw, float ah, float bx, float by, float bw, float bh) {
    return ax < bx + bw && bx < ax + aw && ay < by + bh && by < ay + ah;
}

// The bunker bitmap from its text: 192 values 0 or 1, '#' lines are comments.
bool ParseBunkerBitmap(std::string_view text, int (&bitmap)[BunkerColumns * BunkerRows], std::string& error);

// The base is gone while the life-lost sequence is due or running.
inline bool ClassicBaseAlive() { return Frozen == 0; }

// The base's box for invader contact and for bombs.
constexpr float BaseHalfWidth = 32;
constexpr float BaseContactTop = 700, BaseBombTop = 714, BaseBoxHeight = 22;

// Frames counted by the exit prompt's FPS display.

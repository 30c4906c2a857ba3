// The player's base: its outline, where it stands, and its drawing.
#pragma once

#include "effects/vector_picture.h"

extern int BaseShieldLook;  // 0 none, 1 absorb shield, 2 deflect shield

// Player shots counted by this frame's player-shot pass.
extern int PlayerShotCount;

// The outline: hull and gun (0-17), absorb shield (18-25), deflect shield
// (26-40). Stored flicker segments are drawn in a random colour per call.
constexpr int BaseSegmentCount = 41;
constexpr int BaseLastHullSegment = 17;
constexpr uint32_t BaseFlickerColour = 0xFFFA8A00;
extern VectorPicture BaseShape;
void LoadBaseShape();

// Draws a base on the Earth's rim at angle a; which = 0 is the main base,
// 1 the double base's mirror. Nothing while the Earth has no size.
void DrawBase(float a, int which);

// The HUD's spare-lives icon and count, only while more than one life is left.
void DrawSpareLives();

// The index of a pre-rotated table (0..360) for an angle in degrees.
int ShapeAngleIndex(float degrees);

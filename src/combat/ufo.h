// The UFO as the shots and the beam see it: where it is and its outline.
#pragma once

extern int UfoState;     // 0 absent, 1 arriving or circling, 2 leaving
extern float UfoRadius;  // distance from the field centre, pixels
extern float UfoAngle;   // degrees

// [angle 0..360][segment slot][9], laid out like the invader outlines;
// slot 0 is the rim segment the hit tests use.
constexpr int UfoShapeSlots = 26;
extern int UfoShapes[361][UfoShapeSlots][9];

// Draws the UFO at offset (ox, oy) from the field centre, turned to angle.
void DrawUfo(int ox, int oy, float angle);

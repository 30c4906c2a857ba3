// The UFO: a bonus target that spirals in from beyond the field, circles the
// Earth for 75 frames and spirals out again. It never shoots. Shots and the
// beam destroy it by crossing its rim.
#pragma once

#include <cstdint>

extern int UfoState;  // 0 absent, 1 arriving or circling, 2 leaving
extern float UfoRadius;  // pixels from the field centre
extern float UfoAngle;   // degrees around the centre
extern float UfoTurn;    // degrees a frame while leaving
extern int UfoHoverTime;    // frames left to circle at the orbit
extern int UfoAtOrbit;      // 1 for the rest of a frame once at the orbit
extern int UfoOrbitRadius;  // fixed when the UFO starts

// The outline turned to each whole degree 0..360, slots laid out as the
// invader outlines: [0] number of the last segment (slot 0), [1] colour,
// [2..5] x1, y1, x2, y2, [6..8] red, green, blue. Slot 0 is the rim.
constexpr int UfoSegments = 25;
extern int32_t UfoShapes[361][UfoSegments][9];

// Start-up: turns data/pictures/ufo.txt into UfoShapes.
void LoadUfoShapes();

// Puts a UFO at its starting point beyond the field, silently; the saucer
// levels' timer adds the sounds and uses up a saucer.
void StartUfo();

// The UFO pass, once a frame after the invader pass: timer, saucer-level
// spawning, movement, drawing and the loop sound.
void UpdateUfo();

// Draws the outline turned to `angle` at the field centre plus the offset.
void DrawUfo(int offsetX, int offsetY, float angle);

// Draws the UFO where it is, moving nothing (the frozen scene).
void DrawUfoStill();

// The rim at the UFO's place, in field pixels: x1, y1, x2, y2.
void UfoRimSegment(float rim[4]);

// The UFO is destroyed at (x, y): 1000 points, its pickup, explosions and
// sparks. byShot = 1 also counts it for the saucer level and stops its loop
// at once (the UFO pass stops it after a beam kill).
void DestroyUfo(int x, int y, int byShot);

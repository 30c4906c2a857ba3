// The invaders: their record, list and pre-rotated outlines, as the shot and
// base passes see them. (The invader pass itself lives beside them.)
#pragma once

#include <list>

struct Enemies {
    float x = 0, y = 0;   // field position of the centre, written when drawn
    float angle = 0;      // orbit angle, degrees
    float radius = 0;     // orbit distance, orbit units
    float startradius = 0;
    int Frame = 1;        // kind 1..5
    int FramePlus = 0;
    int FrameDelay = 0;
    int SoundToggle = 0;
    float Direction = 0;
    int PowerupPayload = 0;
    int SpecificPowerup = 0;
    int WaveID = 0;
    int Score = 0;
    int HitPoints = 0;
};

extern std::list<Enemies> EnemiesList;

// [angle 0..360][shape 1..12][segment slot][9]: slot 0's [0] is the segment
// count; every slot holds colour, x1, y1, x2, y2, red, green, blue in [1..8].
// Shape 11 is the beam's target line.
constexpr int InvaderShapeSlots = 35;
extern int InvaderShapes[361][13][InvaderShapeSlots][9];
void LoadInvaderShapes();

extern int InvaderMovePattern;
extern int InvaderShotCount;
extern float EarthShrinkPerKill;

void UpdateInvaders();
void DrawInvaders();

// The invaders: the record of one invader, the list of all of them, their
// pre-rotated outlines, the state the invader pass keeps, and the pure steps
// of that pass (movement, animation, march tempo).
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <string_view>

struct Enemies {
    float x = 0;       // field position of the centre, written when drawn
    float y = 0;
    float angle = 0;   // orbit angle, degrees
    float radius = 0;  // orbit distance in orbit units (5.8 pixels)
    float startradius = 0;
    int Frame = 0;      // kind 1..5
    int FramePlus = 0;  // animation frame 0 or 1
    int FrameDelay = 0;
    int SoundToggle = 0;
    float Direction = 0;  // degrees per frame before the movement pattern, -0.1 or +0.1
    int PowerupPayload = 0;   // 1: drops a pickup of the level's kind
    int SpecificPowerup = 0;  // 1..24 drops exactly that kind; 30 the nuke carrier
    int WaveID = 0;
    int Score = 0;
    int HitPoints = 0;
};

// Every invader in play, in release order. Passes erase while they walk it.
extern std::list<Enemies> EnemiesList;

constexpr float OrbitUnit = 5.8f;  // pixels per orbit unit

// The outlines of shape numbers 1..12 (2 x kind - 1 + frame for the kinds,
// 11 the beam target line, 12 a copy of it), rotated once per whole degree
// 0..360. Each of the 46 segment slots holds: [0] the segment count (read
// from slot 0), [1] colour ARGB, [2..5] x1, y1, x2, y2, [6..8] red, green,
// blue. Slots from the count on are zero; so is shape 0.
constexpr int InvaderShapeCount = 13;
constexpr int InvaderShapeSlots = 46;
extern int32_t InvaderShapes[361][InvaderShapeCount][InvaderShapeSlots][9];

// Fills InvaderShapes from outline text (data/invaders/outlines.txt).
// Returns "" or the first fault as "line N: what"; on a fault the table is
// left empty.
std::string BuildInvaderShapes(std::string_view outlines);

// Start-up: builds the table from the built-in outlines; a damaged outline
// file is a build fault and ends the program.
void LoadInvaderShapes();

// ---- state of the invader pass ----
extern int InvaderShotCount;
extern int InvaderCount;
extern int WalkInterval;
extern int WalkTimer;
extern int WalkToggle;

// ---- steps of the invader pass ----

// Shape number of the invader's current frame, 1..10 for kinds 1..5.
int InvaderShapeNumber(const Enemies& e);

// Brings the angle back near 0..360: above 359 loses 360, then below 0 gains
// 360 (so a value between 359 and 360 stays as it is).
void NormaliseInvaderAngle(Enemies& e);

// The invader's centre relative to the field centre, in pixels.
void InvaderCentreOffset(const Enemies& e, float& ox, float& oy);

// Counts a frame and flips the animation frame every 18.
void AnimateInvader(Enemies& e);

// One frame of orbit and descent under a movement pattern, single precision:
//   0 normal, 1 double speed, 2 half, 3 third, 4 fast dive, 5 slow dive at
//   normal speed, 6 half dive at five times the speed; others stand still.
void MoveInvader(Enemies& e, int pattern);

// March tempo for the number of invaders in play: 20 frames for 15..35,
// then 12 above 35 or under the speed-up powerup (kind 10), then 28 under 15
// or under the speed-down powerup (kind 11); later rules win.
int MarchInterval(int invaders, int powerupKind);

// Advances the march countdown (only while sound is on and nothing is
// frozen). Returns 0 when no step is due, else the march sound to play:
// 1 for "Walk1", 2 for "Walk2".
int StepMarch();

// ---- the passes ----

// The invader pass, once a frame after the invader-shot pass: draws every
// invader, takes hit points for player shots near its segment ends, fires,
// animates and moves it, and keeps the marching sound going.
void UpdateInvaders();
// Every invader drawn where it stands (exit prompt, life-lost frames).
void DrawInvaders();
// One invader shot from orbit distance `radius` along the invader's own
// radial line, towards the Earth.
void InvaderFire(int angle, int radius);

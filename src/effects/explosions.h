// Explosions: hit flashes, star bursts, shock rings, the wreck of the
// player's base and the debris of the overlord.
#pragma once

#include <cstdint>
#include <list>

#include "effects/vector_picture.h"

struct Explosions {
    int fx = 0, fy = 0;
    int fAngle = 0;        // direction in degrees (kinds 1, 4, 5, 6)
    float fspeed = 0;      // debris speed
    float radius = 0;      // shock ring radius
    float direction = 0;   // shock ring turn per step
    float fLength = 0;     // star burst: spoke length factor; base wreck: phase 0, 1, 2
    int fCount = 0;        // steps left
    int exptype = 0;
    int WaitDelay = 0;     // base wreck: frames into the current phase
    uint32_t col1 = 0;     // shock ring colour
    int DelayB4Showing = 0;
    uint32_t color = 0;    // debris colour
};

extern std::list<Explosions> ExplosionsList;

// Explosion kinds.
constexpr int HitFlash = 0, StarBurst = 1, BaseWreck = 3, ShockRing = 4, DebrisDots = 5, DebrisStreaks = 6;
// Shock ring variants: yellow at once, or red after 10 frames.
constexpr int ShockRingYellow = 0, ShockRingRed = 10;

// The base wreck's two outlines, relative to the base: 0 whole, 1 broken.
constexpr int BaseWreckSegments = 16;
extern VectorPicture BaseShapeTable[2];
void LoadBaseShapeTable();

// Appends an explosion (41 or 64 objects for the debris kinds). `variant`
// only matters to the shock ring. A kind not listed above still makes one
// object, which is never drawn and is gone after 24 frames.
void SpawnExplosion(int x, int y, int kind, float direction, int variant = ShockRingYellow);

// Draws every explosion; frozen = 0 also animates and ages them. Debris
// flies and ages on every call, frozen or not.
void UpdateExplosions(int frozen);

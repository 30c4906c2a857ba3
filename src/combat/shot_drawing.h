// Where a shot stands and how it looks, shared by the passes that move shots
// and the pass that only draws them.
#pragma once

#include "combat/shots.h"

struct ShotEnds {
    float tailX, tailY, headX, headY;  // field pixels
};

// Recomputes x, y, xcenter, ycenter from the shot's angle and radius.
ShotEnds PlacePlayerShot(PlayerBullets& shot);
ShotEnds PlaceInvaderShot(EnemyBullets& shot);

void DrawPlayerShot(const PlayerBullets& shot, const ShotEnds& ends);
void DrawInvaderShot(const ShotEnds& ends);

// Player shots and invader shots: their records, lists and per-frame passes.
#pragma once

#include <list>

struct PlayerBullets {
    float x = 0, y = 0;  // field position of the head
    float xspeed = 0, yspeed = 0;
    int angle = 0;
    float radius = 0;       // pixels travelled beyond the starting circle
    float startradius = 0;  // orbit units: the Earth's size when fired
    float xcenter = 0, ycenter = 0;
    int Powerup = 0;  // 0 normal shot, 4 power shot
};

struct EnemyBullets {
    float x = 0, y = 0;  // field position of the tail
    float xspeed = 0, yspeed = 0;
    int angle = 0;
    float Radius = 0;       // pixels beyond the starting circle
    float RadiusSpeed = 0;  // -3 incoming, +3 once deflected
    float startradius = 0;  // orbit units
    float xcenter = 0, ycenter = 0;
};

extern std::list<PlayerBullets> PlayerBulletsList;
extern std::list<EnemyBullets> EnemyBulletsList;

// Moves (unless Frozen), draws and counts the player shots, and settles
// their hits on invader shots and on the UFO.
void UpdatePlayerShots();

// Moves (unless Frozen), draws and counts the invader shots; incoming ones
// grow the Earth when they reach it, deflected ones destroy invaders.
void UpdateInvaderShots();

// Both kinds drawn where they stand, nothing moved or tested.
void DrawShots();

// Every invader shot bursts and is gone (the overlord's death).
void BurstAllInvaderShots();

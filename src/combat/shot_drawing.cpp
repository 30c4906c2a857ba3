#include "combat/shot_drawing.h"

#include "common/maths.h"
#include "game/settings.h"
#include "glow/glow.h"

std::list<PlayerBullets> PlayerBulletsList;
std::list<EnemyBullets> EnemyBulletsList;

namespace {

void DrawFieldLine(float x1, float y1, float x2, float y2, uint32_t colour, int width) {
    const float ox = float(OffsetX), oy = float(OffsetY);
    TPoly::Line(GlowImage, 0, x1 + ox, y1 + oy, colour, x2 + ox, y2 + oy, colour, float(width));
}

}  // namespace

ShotEnds PlacePlayerShot(PlayerBullets& shot) {
    const float s = Sin(float(shot.angle)), c = Cos(float(shot.angle));
    const float bx = 512 + s * shot.startradius * 5.8f, by = 384 - c * shot.startradius * 5.8f;
    const ShotEnds ends{bx + s * shot.radius, by - c * shot.radius, bx + s * (shot.radius + 8),
                        by - c * (shot.radius + 8)};
    shot.x = shot.xcenter = ends.headX;
    shot.y = shot.ycenter = ends.headY;
    return ends;
}

ShotEnds PlaceInvaderShot(EnemyBullets& shot) {
    const float s = Sin(float(shot.angle)), c = Cos(float(shot.angle));
    const float bx = 512 + s * shot.startradius * 5.8f, by = 384 - c * shot.startradius * 5.8f;
    const ShotEnds ends{bx + s * (shot.Radius - 8), by - c * (shot.Radius - 8), bx + s * shot.Radius,
                        by - c * shot.Radius};
    shot.x = shot.xcenter = ends.tailX;
    shot.y = shot.ycenter = ends.tailY;
    return ends;
}

void DrawPlayerShot(const PlayerBullets& shot, const ShotEnds& e) {
    if (shot.Powerup == 4) DrawFieldLine(e.tailX, e.tailY, e.headX, e.headY, 0xFF2040FF, LineWidth32);
    DrawFieldLine(e.tailX, e.tailY, e.headX, e.headY, 0xFFFF8040, LineWidth18);
}

void DrawInvaderShot(const ShotEnds& e) {
    DrawFieldLine(e.headX, e.headY, e.tailX, e.tailY, 0xFFFF80FF, LineWidth18);
}

void DrawShots() {
    for (EnemyBullets& shot : EnemyBulletsList) DrawInvaderShot(PlaceInvaderShot(shot));
    for (PlayerBullets& shot : PlayerBulletsList) DrawPlayerShot(shot, PlacePlayerShot(shot));
}

// Stand-in for the invader module until it lands: the list, the beam target
// line of the outline table and a drawing pass that only places invaders.
// The invader module replaces this whole file.
#include <cmath>

#include "combat/invaders.h"
#include "common/maths.h"

std::list<Enemies> EnemiesList;
int InvaderShapes[361][13][InvaderShapeSlots][9];
int InvaderMovePattern = 0;
int InvaderShotCount = 0;
float EarthShrinkPerKill = 0.4f;

void LoadInvaderShapes() {
    for (int a = 0; a <= 360; ++a) {
        for (int s = 11; s <= 12; ++s) {
            int* slot = InvaderShapes[a][s][0];
            const float c = Cos(float(a)), sn = Sin(float(a));
            slot[0] = 1;
            slot[1] = int(0xFFFFFFFF);
            slot[2] = int(-16 * c - 12 * sn);
            slot[3] = int(-16 * sn + 12 * c);
            slot[4] = int(18 * c - 12 * sn);
            slot[5] = int(18 * sn + 12 * c);
        }
    }
}

void DrawInvaders() {
    for (Enemies& e : EnemiesList) {
        e.x = 512 + Sin(e.angle) * e.radius * 5.8f;
        e.y = 384 - Cos(e.angle) * e.radius * 5.8f;
    }
}

void UpdateInvaders() { DrawInvaders(); }

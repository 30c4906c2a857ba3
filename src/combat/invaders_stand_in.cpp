// Stand-in for the invader pass until it lands: invaders are only placed
// where they stand, nothing is drawn, hit or fired. It goes then.
#include "combat/invaders.h"
#include "common/maths.h"

void DrawInvaders() {
    for (Enemies& e : EnemiesList) {
        float ox = 0, oy = 0;
        InvaderCentreOffset(e, ox, oy);
        e.x = 512 + ox;
        e.y = 384 + oy;
    }
}

void UpdateInvaders() { DrawInvaders(); }

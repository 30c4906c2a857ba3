#include "combat/pickups.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "combat/collisions.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "common/maths.h"
#include "common/random.h"
#include "effects/explosions.h"
#include "effects/particles.h"
#include "effects/vector_picture.h"
#include "game/game_state.h"
#include "game/levels.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "ui/screen.h"

std::list<PickUps> PickUpsList;
int32_t PickupShapes[PickupSymbolCount + 1][PickupSlots][9];

namespace {

// Sound played when a pickup of each kind 1..14 is caught.
const char* const CatchSounds[15] = {
    nullptr,          "putrippleshot", "pubeamweapon",   "pushieldon",  "pushieldon",
    "pudoublebase",   "pupowershots",  "puextralife",    "pulessinvaders", "pumoreinvaders",
    "puspeedup",      "puspeeddown",   "puufo",          "pushrinkearth",  "pugrowearth",
};

void PutSlot(int32_t* slot, const PictureSegment& s) {
    slot[1] = int32_t(s.colour);
    slot[2] = s.x1, slot[3] = s.y1, slot[4] = s.x2, slot[5] = s.y2;
    slot[6] = s.r, slot[7] = s.g, slot[8] = s.b;
}

// Drawn every frame, caught or not: a pickup shows once more where it ends.
bool CaughtByBase(int px, int py) {
    BaseX = TruncToInt(512 + Sin(BaseAngle) * EarthRadius * OrbitUnit);
    BaseY = TruncToInt(384 - Cos(BaseAngle) * EarthRadius * OrbitUnit);
    if (WithinDistance(px, py, BaseX, BaseY, 24)) return true;
    // The second base's last place is stale once the double base has ended.
    return PowerupKind == 3 && WithinDistance(px, py, SecondBaseX, SecondBaseY, 24);
}

}  // namespace

void LoadPickupShapes() {
    const VectorPicture frame = LoadVectorPicture("pictures/pickup_frame.txt");
    for (int symbol = 1; symbol <= PickupSymbolCount; ++symbol) {
        char name[40];
        std::snprintf(name, sizeof name, "pictures/pickup_%02d.txt", symbol);
        const VectorPicture emblem = LoadVectorPicture(name);
        const int total = frame.Count() + emblem.Count();
        if (total > PickupSlots || total == 0) {
            std::fprintf(stderr, "orbivore: %s: %d segments with the frame, room for %d\n", name, total, PickupSlots);
            std::exit(1);
        }
        int32_t(*slots)[9] = PickupShapes[symbol];
        for (int k = 0; k < PickupSlots; ++k)
            for (int i = 0; i < 9; ++i) slots[k][i] = 0;
        int k = 0;
        for (const PictureSegment& s : frame.segments) PutSlot(slots[k++], s);
        for (const PictureSegment& s : emblem.segments) PutSlot(slots[k++], s);
        slots[0][0] = total - 1;
    }
}

void SpawnPickup(int radius, int angle, int extra, int specific) {
    if (LevelPickupKind <= 0) return;
    PickUps p;
    p.angle = angle;
    p.radius = TruncToInt(float(radius) * OrbitUnit);
    p.DropSpeed = Rnd(0.1f, 0.6f);
    p.rotatespeed = Rand(1, 100) > 50 ? -1 : 1;
    p.ExtraLife = extra;
    StatPickupsDropped += 1;
    int kind = LevelPickupKind;
    if (kind == 20) {
        kind = Rand(1, 9);  // every kind but double base and more invaders
        if (kind == 5) kind = 11;
        if (kind == 9) kind = 12;
    } else if (kind == 21) {
        kind = Rand(1, 8);
        if (kind == 5) kind = 11;
    }
    if (specific > 0) kind = specific;
    p.WhichOne = kind;
    PickUpsList.push_back(p);
}

void UpdatePickups(int move) {
    for (auto it = PickUpsList.begin(); it != PickUpsList.end();) {
        PickUps& p = *it;
        const float px = 512 + Sin(float(p.angle)) * float(p.radius);
        const float py = 384 - Cos(float(p.angle)) * float(p.radius);
        bool gone = false;
        if (move == 1) {
            p.rotate = float(std::fmod(p.rotate + float(p.rotatespeed), 360.0f));
            if (p.rotate < 0) p.rotate += 360;
            p.radius = TruncToInt(float(p.radius) - p.DropSpeed);
            const int ix = TruncToInt(px), iy = TruncToInt(py);
            if (CaughtByBase(ix, iy)) {
                SpawnParticles(ix, iy, 3, 2);
                Score += 100;
                if (p.WhichOne >= 1 && p.WhichOne <= 14) PlaySfx(CatchSounds[p.WhichOne]);
                StatPickupsCaught += 1;
                SaucerLivesEarned += 1;
                ApplyPowerup(p.WhichOne);
                gone = true;
            } else if (WithinDistance(ix, iy, 512, 384, TruncToInt(8 + EarthRadius * OrbitUnit))) {
                PlaySfx("BounceOffRock");
                SpawnParticles(ix, iy, 10, 1);
                gone = true;
            }
        }
        DrawPickup(px, py, TruncToInt(p.rotate), p.WhichOne);
        it = gone ? PickUpsList.erase(it) : std::next(it);
    }
}

void DrawPickup(float x, float y, int rotation, int kind) {
    if (kind < 1 || kind > PickupSymbolCount) return;  // no symbol to draw
    const int32_t(*slots)[9] = PickupShapes[kind];
    const float c = Cos(float(rotation)), s = Sin(float(rotation));
    const float cx = x + float(OffsetX), cy = y + float(OffsetY);
    const int last = slots[0][0];
    for (int k = 0; k <= last && k < PickupSlots; ++k) {
        const float x1 = float(slots[k][2]), y1 = float(slots[k][3]);
        const float x2 = float(slots[k][4]), y2 = float(slots[k][5]);
        const uint32_t colour = uint32_t(slots[k][1]);
        TPoly::Line(GlowImage, 0, cx + x1 * c - y1 * s, cy + x1 * s + y1 * c, colour, cx + x2 * c - y2 * s,
                    cy + x2 * s + y2 * c, colour, float(LineWidth18));
    }
}

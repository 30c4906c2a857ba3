#include "combat/ufo.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "audio/sound.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "common/maths.h"
#include "common/random.h"
#include "effects/explosions.h"
#include "effects/particles.h"
#include "effects/vector_picture.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"

int UfoState = 0;
float UfoRadius = 0;
float UfoAngle = 0;
float UfoTurn = 2;
int UfoHoverTime = 0;
int UfoAtOrbit = 0;
int UfoOrbitRadius = 0;
int32_t UfoShapes[361][UfoSegments][9];

namespace {

constexpr const char* LoopSound = "ufo3-loop";

void OffsetNow(float& ox, float& oy) {
    ox = Sin(UfoAngle) * UfoRadius;
    oy = -Cos(UfoAngle) * UfoRadius;
}

int AngleIndex(float angle) {
    int a = TruncToInt(angle) % 361;
    if (a < 0) a += 361;
    return a;
}

}  // namespace

void LoadUfoShapes() {
    const VectorPicture outline = LoadVectorPicture("pictures/ufo.txt");
    if (outline.Count() != UfoSegments) {
        std::fprintf(stderr, "orbivore: pictures/ufo.txt: %d segments, the UFO has %d\n", outline.Count(),
                     UfoSegments);
        std::exit(1);
    }
    for (int a = 0; a <= 360; ++a) {
        const float c = Cos(float(a)), s = Sin(float(a));
        for (int k = 0; k < UfoSegments; ++k) {
            const PictureSegment& seg = outline.segments[size_t(k)];
            int32_t* slot = UfoShapes[a][k];
            slot[0] = k == 0 ? UfoSegments - 1 : 0;
            slot[1] = int32_t(seg.colour);
            slot[2] = int32_t(float(seg.x1) * c - float(seg.y1) * s);
            slot[3] = int32_t(float(seg.x1) * s + float(seg.y1) * c);
            slot[4] = int32_t(float(seg.x2) * c - float(seg.y2) * s);
            slot[5] = int32_t(float(seg.x2) * s + float(seg.y2) * c);
            slot[6] = seg.r, slot[7] = seg.g, slot[8] = seg.b;
        }
    }
}

void StartUfo() {
    UfoState = 1;
    UfoRadius = 640;
    UfoAngle = float(Rand(1, 359));
    UfoHoverTime = 75;
    UfoAtOrbit = 0;
    UfoTurn = 2;
    // Fixed now: the Earth may grow or shrink while the UFO circles.
    UfoOrbitRadius = TruncToInt(EarthRadius + 300);
}

void UpdateUfo() {
    if (SaucerLevel == 1) UfoTimer = 0;
    if (UfoTimer > 0) UfoTimer -= 1;

    if (UfoTimer == 0 && UfoState == 0 && SaucersLeft > 0) {
        StartUfo();
        if (SoundOn == 1) {
            Sound::Play("BlipSND", 0);
            Sound::Play(LoopSound, 1);
        }
        SaucersLeft -= 1;
    }

    float ox = 0, oy = 0;
    if (UfoState == 1) {
        OffsetNow(ox, oy);
        DrawUfo(TruncToInt(ox), TruncToInt(oy), UfoAngle);
        UfoAngle = std::fmod(UfoAngle + 1, 360.0f);
        if (UfoRadius > float(UfoOrbitRadius) && UfoAtOrbit == 0) UfoRadius -= 3;
        if (!(UfoRadius > float(UfoOrbitRadius))) UfoAtOrbit = 1;
    }
    if (UfoAtOrbit == 1) {
        UfoHoverTime -= 1;
        if (UfoHoverTime <= 0) UfoState = 2;
        UfoAtOrbit = 0;
    }
    if (UfoState == 2) {
        UfoAngle = std::fmod(UfoAngle + UfoTurn, 360.0f);
        UfoRadius += 3;
        OffsetNow(ox, oy);
        DrawUfo(TruncToInt(ox), TruncToInt(oy), UfoAngle);
        if (ox < -520 || ox > 520 || oy < -420 || oy > 420) {
            UfoState = 0;
            if (Sound::IsPlaying(LoopSound)) Sound::Stop(LoopSound);
        }
    }
    // Also silences the loop of a UFO that was destroyed.
    if (SoundOn == 1 && UfoState == 0 && Sound::IsPlaying(LoopSound)) Sound::Stop(LoopSound);
}

void DrawUfo(int offsetX, int offsetY, float angle) {
    const int32_t(*slots)[9] = UfoShapes[AngleIndex(angle)];
    const float cx = float(512 + OffsetX + offsetX), cy = float(384 + OffsetY + offsetY);
    const int last = slots[0][0];
    for (int k = 0; k <= last && k < UfoSegments; ++k) {
        const uint32_t colour = uint32_t(slots[k][1]);
        TPoly::Line(GlowImage, 0, cx + float(slots[k][2]), cy + float(slots[k][3]), colour, cx + float(slots[k][4]),
                    cy + float(slots[k][5]), colour, 20);
    }
}

void DrawUfoStill() {
    if (UfoState <= 0) return;
    float ox = 0, oy = 0;
    OffsetNow(ox, oy);
    DrawUfo(TruncToInt(ox), TruncToInt(oy), UfoAngle);
}

void UfoRimSegment(float rim[4]) {
    const int32_t* slot = UfoShapes[AngleIndex(UfoAngle)][0];
    const float cx = 512 + Sin(UfoAngle) * UfoRadius, cy = 384 - Cos(UfoAngle) * UfoRadius;
    rim[0] = cx + float(slot[2]);
    rim[1] = cy + float(slot[3]);
    rim[2] = cx + float(slot[4]);
    rim[3] = cy + float(slot[5]);
}

void DestroyUfo(int x, int y, int byShot) {
    SpawnExplosion(x, y, ShockRing, -1, ShockRingYellow);
    SpawnExplosion(x, y, ShockRing, 1, ShockRingRed);
    if (SoundOn == 1) Sound::Play("Boom", 0);
    SpawnParticles(x, y, 4, 2);
    SpawnParticles(x, y, 30, 0);
    SpawnPickup(TruncToInt(UfoRadius / OrbitUnit), TruncToInt(UfoAngle), 7, 0);
    Score += 1000;
    UfoState = 0;
    StatUfosShot += 1;
    if (byShot == 1) {
        SaucersShot += 1;
        if (Sound::IsPlaying(LoopSound)) Sound::Stop(LoopSound);
    }
}

#include "combat/invaders.h"

#include "common/maths.h"

std::list<Enemies> EnemiesList;

int InvaderShotCount = 0;
int InvaderCount = 0;
int WalkInterval = 20;
int WalkTimer = 20;
int WalkToggle = 0;

int InvaderShapeNumber(const Enemies& e) { return 2 * e.Frame - 1 + e.FramePlus; }

void NormaliseInvaderAngle(Enemies& e) {
    if (e.angle > 359) e.angle -= 360;
    if (e.angle < 0) e.angle += 360;
}

void InvaderCentreOffset(const Enemies& e, float& ox, float& oy) {
    ox = Sin(e.angle) * e.radius * OrbitUnit;
    oy = -Cos(e.angle) * e.radius * OrbitUnit;
}

void AnimateInvader(Enemies& e) {
    e.FrameDelay += 1;
    if (e.FrameDelay > 17) {
        e.FrameDelay = 0;
        e.FramePlus = 1 - e.FramePlus;
        e.SoundToggle = 1 - e.SoundToggle;
    }
}

void MoveInvader(Enemies& e, int pattern) {
    // Single precision throughout, the step worked out afresh every frame.
    const float descent = -0.033f;
    const float d = e.Direction;
    switch (pattern) {
        case 0: e.radius += descent, e.angle += d; break;
        case 1: e.radius += descent, e.angle += 2.0f * d; break;
        case 2: e.radius += descent / 2.0f, e.angle += d / 2.0f; break;
        case 3: e.radius += descent / 3.0f, e.angle += d / 3.0f; break;
        case 4: e.radius += descent * 2.0f, e.angle += 4.0f * d; break;
        case 5: e.radius += descent / 3.0f, e.angle += d; break;
        case 6: e.radius += descent / 2.0f, e.angle += 5.0f * d; break;
        default: break;
    }
}

int MarchInterval(int invaders, int powerupKind) {
    int interval = 20;
    if (powerupKind == 10 || invaders > 35) interval = 12;
    if (powerupKind == 11 || invaders < 15) interval = 28;
    return interval;
}

int StepMarch() {
    WalkTimer -= 1;
    // Reaching zero restarts the countdown; a timer already below zero (never
    // set up) restarts too, rather than leaving the march silent for good.
    if (WalkTimer > 0) return 0;
    WalkTimer = WalkInterval;
    WalkToggle = 1 - WalkToggle;
    return WalkToggle == 0 ? 1 : 2;
}

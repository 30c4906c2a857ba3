#include "bot.h"

#include <cmath>

#include "combat/base.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/shots.h"
#include "combat/ufo.h"
#include "game/game_state.h"
#include "game/settings.h"

namespace {

constexpr float TurnPerFrame = 2;    // degrees, what a held turn key gives
constexpr float ShotSpeed = 3;       // pixels a frame, an incoming invader shot
constexpr float BaseHitReach = 18;   // pixels: closer than this an unshielded base is lost
constexpr int ReturnEvery = 45;      // frames between taps outside play

float Normal(float a) {
    a = std::fmod(a, 360.0f);
    return a < 0 ? a + 360 : a;
}

// The shorter way round from one angle to another, -180..180.
float AngleTo(float from, float to) { return std::fmod(Normal(to) - Normal(from) + 540.0f, 360.0f) - 180.0f; }

float EarthPixels() { return EarthRadius * OrbitUnit; }

// Frames the base needs to turn to an angle.
float TurnFrames(float angle) { return std::fabs(AngleTo(BaseAngle, angle)) / TurnPerFrame; }

struct Threat {
    bool found = false;
    float angle = 0;   // where the shot comes down
    float frames = 0;  // until it reaches the rim
};

// The incoming shot that would hit the base soonest if the base stood still.
Threat ShotAboutToHit() {
    Threat worst;
    const float earth = EarthPixels();
    for (const EnemyBullets& s : EnemyBulletsList) {
        if (s.RadiusSpeed >= 0) continue;
        const float dx = s.xcenter - 512, dy = s.ycenter - 384;
        const float fromCentre = std::sqrt(dx * dx + dy * dy);
        const float frames = std::fmax(0.0f, fromCentre - earth) / ShotSpeed;
        const float arc = std::fabs(AngleTo(BaseAngle, float(s.angle))) * 3.14159265f / 180 * earth;
        if (arc > BaseHitReach + 10 || frames > 25) continue;
        if (!worst.found || frames < worst.frames) worst = {true, float(s.angle), frames};
    }
    return worst;
}

// A falling pickup the base can get under before it lands.
bool ReachablePickup(float& angle) {
    bool found = false;
    float soonest = 0;
    for (const PickUps& p : PickUpsList) {
        const float frames = float(p.radius) - 8 - EarthPixels();  // they fall a pixel a frame
        if (frames < 0 || TurnFrames(float(p.angle)) > frames - 2) continue;
        if (!found || frames < soonest) found = true, soonest = frames, angle = float(p.angle);
    }
    return found;
}

// On boss levels the overlord feeds on the invaders' shots: the bot fires
// only at invaders that come close and otherwise keeps the base in the
// widest gap between the shots coming in.
float BossLevelTarget() {
    for (const Enemies& e : EnemiesList)
        if (e.radius < EarthRadius + 22) return e.angle;
    float best = BaseAngle, bestGap = -1;
    for (int a = 0; a < 360; a += 5) {
        float gap = 360;
        for (const EnemyBullets& s : EnemyBulletsList) gap = std::fmin(gap, std::fabs(AngleTo(float(a), float(s.angle))));
        for (const Enemies& e : EnemiesList) gap = std::fmin(gap, std::fabs(AngleTo(float(a), e.angle)));
        // Of equal gaps, the one nearest the base.
        gap -= TurnFrames(float(a)) * 0.01f;
        if (gap > bestGap) bestGap = gap, best = float(a);
    }
    return best;
}

float Target() {
    float angle = 0;
    if (ReachablePickup(angle)) return angle;
    if (BossLevel == 1 && BossDeathPhase == 0) return BossLevelTarget();
    const Enemies* nearest = nullptr;
    for (const Enemies& e : EnemiesList)
        if (!nearest || e.radius < nearest->radius) nearest = &e;
    if (nearest) return nearest->angle;
    if (UfoState != 0) return UfoAngle;
    return BaseAngle;
}

struct BotState {
    bool held[256] = {};
    int lastPulse = -1;
    long long lastReturn = -1000;
};
BotState Bot;

void Hold(int key, bool down, std::vector<ScriptedKey>& changes, long long frame) {
    if (key <= 0 || key > 255 || Bot.held[key] == down) return;
    Bot.held[key] = down;
    changes.push_back({int(frame), key, down});
}

void LetGoOfAll(std::vector<ScriptedKey>& changes, long long frame) {
    for (int k = 1; k < 256; ++k) Hold(k, false, changes, frame);
}

// Frames a turn needs to take the base out of a shot's reach.
float StepAsideFrames() { return (BaseHitReach + 8) / (EarthPixels() * 3.14159265f / 180) / TurnPerFrame; }

void SteerTowards(float angle, BotChoice& keys) {
    const float d = AngleTo(BaseAngle, angle);
    keys.right = d > TurnPerFrame / 2;
    keys.left = d < -TurnPerFrame / 2;
}

}  // namespace

BotChoice ChooseBotKeys() { return KeysTowards(Target(), true); }

BotChoice KeysTowards(float target, bool fire) {
    BotChoice keys;
    keys.fire = fire;
    const Threat threat = ShotAboutToHit();
    if (threat.found && BaseShieldLook == 0) {
        // Too late to step aside: the shield, if one is left; else step aside anyway.
        if (Shields > 0 && threat.frames < StepAsideFrames() + 1) keys.shield = true;
        else target = threat.angle + (AngleTo(threat.angle, BaseAngle) >= 0 ? 40.0f : -40.0f);
    }
    SteerTowards(target, keys);
    return keys;
}

void ResetBot() { Bot = BotState{}; }

void BotAtKeyboard(long long frame, std::vector<ScriptedKey>& changes, BotChooser choose) {
    // The overlord's pulse moves once every frame of play and never elsewhere,
    // which is how a player tells play from the screens around it.
    const bool playing = Bot.lastPulse >= 0 && BossPulse != Bot.lastPulse && GameOverState == 0;
    Bot.lastPulse = BossPulse;
    if (!playing) {
        LetGoOfAll(changes, frame);
        if (frame - Bot.lastReturn >= ReturnEvery) {
            Hold(VkReturn, true, changes, frame);
            Bot.lastReturn = frame;
        }
        return;
    }
    Hold(VkReturn, false, changes, frame);
    const BotChoice keys = choose();
    Hold(KeyLeft, keys.left, changes, frame);
    Hold(KeyRight, keys.right, changes, frame);
    Hold(KeyFire, keys.fire, changes, frame);
    // The shield is used on a press: let go first when it is still down.
    Hold(KeyShield, keys.shield && !Bot.held[KeyShield], changes, frame);
}

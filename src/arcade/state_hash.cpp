#include "arcade/state_hash.h"

#include <cmath>
#include <cstring>
#include <list>

#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/shots.h"
#include "combat/ufo.h"
#include "common/random.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "effects/particles.h"
#include "game/game_state.h"

namespace {

// FNV-1a over the values' bytes; floats by their bits, so -0 and 0 or two
// different NaNs count as different states, as they would play differently.
struct Hasher {
    uint64_t h = 1469598103934665603ull;
    void Bytes(const void* p, size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 1099511628211ull;
    }
    void Int(long long v) { Bytes(&v, sizeof v); }
    void Float(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        Int(bits);
    }
};

void HashGlobals(Hasher& h) {
    for (int v : {Score, Level, StartLevel, Lives, Shields, PowerupKind, PowerupBarShown, DoubleBasePending,
                  ResetPatternAfterPowerup, FireCooldown, FireDelay, MaxPlayerShots, WaveCount, WavesSpawned,
                  BossLevel, BossBurstRadius, BossDeathPhase, BossDeathTimer, BossPulse, BigEarthLevel,
                  BigEarthTarget, TimeBonus, SaucerLevel, SaucersLeft, LevelFreshStart, TargetRingTimer,
                  GameOverState, LastScore, LastLevel, BestScore, TopScore, BaseShieldLook, EarthShrinkSteps,
                  SaucersShot, SaucerLivesEarned, UfoTimer, IntroFrames, InvaderMovePattern, InvaderFireChance,
                  MaxInvaderShots, InvaderShotCount, InvaderCount, WalkInterval, WalkTimer, WalkToggle, Frozen,
                  UfoState, UfoHoverTime, UfoAtOrbit, UfoOrbitRadius})
        h.Int(v);
    for (float v : {EarthRadius, BaseAngle, PowerupTime, PowerupDecay, EarthGrowPerHit, EarthShrinkPerKill,
                    UfoRadius, UfoAngle, UfoTurn})
        h.Float(v);
}

void HashLists(Hasher& h) {
    h.Int(static_cast<long long>(EnemiesList.size()));
    for (const Enemies& e : EnemiesList) {
        for (float v : {e.x, e.y, e.angle, e.radius, e.startradius, e.Direction}) h.Float(v);
        for (int v : {e.Frame, e.FramePlus, e.FrameDelay, e.SoundToggle, e.PowerupPayload, e.SpecificPowerup,
                      e.WaveID, e.Score, e.HitPoints})
            h.Int(v);
    }
    h.Int(static_cast<long long>(PlayerBulletsList.size()));
    for (const PlayerBullets& s : PlayerBulletsList) {
        for (float v : {s.x, s.y, s.xspeed, s.yspeed, s.radius, s.startradius, s.xcenter, s.ycenter}) h.Float(v);
        h.Int(s.angle), h.Int(s.Powerup);
    }
    h.Int(static_cast<long long>(EnemyBulletsList.size()));
    for (const EnemyBullets& s : EnemyBulletsList) {
        for (float v : {s.x, s.y, s.xspeed, s.yspeed, s.Radius, s.RadiusSpeed, s.startradius, s.xcenter, s.ycenter})
            h.Float(v);
        h.Int(s.angle);
    }
    h.Int(static_cast<long long>(PickUpsList.size()));
    for (const PickUps& p : PickUpsList) {
        for (int v : {p.angle, p.rotatespeed, p.radius, p.WhichOne, p.ExtraLife}) h.Int(v);
        h.Float(p.rotate), h.Float(p.DropSpeed);
    }
    h.Int(static_cast<long long>(StarsList.size()));
    for (const Stars& s : StarsList) {
        for (float v : {s.x, s.y, s.xspeed, s.yspeed, s.angle, s.radius}) h.Float(v);
        h.Int(s.color), h.Int(s.life), h.Int(s.WhatType);
    }
    h.Int(static_cast<long long>(ExplosionsList.size()));
    for (const Explosions& e : ExplosionsList) {
        for (long long v : {(long long)e.fx, (long long)e.fy, (long long)e.fAngle, (long long)e.fCount,
                            (long long)e.exptype, (long long)e.WaitDelay, (long long)e.col1,
                            (long long)e.DelayB4Showing, (long long)e.color})
            h.Int(v);
        for (float v : {e.fspeed, e.radius, e.direction, e.fLength}) h.Float(v);
    }
    h.Int(static_cast<long long>(FlyingTextList.size()));
    for (const FlyingText& t : FlyingTextList) {
        for (float v : {t.angle, t.zoom, t.anglecount, t.Sinus}) h.Float(v);
        h.Int(t.TextIndex), h.Int(t.Yoffset), h.Int(t.timedelay);
    }
}

bool Finite(float v) { return std::isfinite(v); }

template <typename T, typename F>
bool AllFinite(const std::list<T>& list, F fields) {
    for (const T& item : list)
        if (!fields(item)) return false;
    return true;
}

}  // namespace

uint64_t GameStateHash() {
    Hasher h;
    HashGlobals(h);
    HashLists(h);
    h.Int(static_cast<long long>(RandomStateHash()));
    return h.h;
}

const char* BrokenGameInvariant() {
    // Far above anything a level releases or fires, far below a runaway.
    constexpr size_t MaxEntities = 5000, MaxEffects = 100000;
    if (Score < 0) return "Score is negative";
    if (Lives < 0) return "Lives is negative";
    // The overlord's remains shrink on below zero while its last explosions
    // play out, so only the size of the number is bounded.
    if (!Finite(EarthRadius) || std::fabs(EarthRadius) > 100000) return "EarthRadius is not finite";
    if (!Finite(BaseAngle)) return "BaseAngle is not finite";
    if (!Finite(PowerupTime) || !Finite(PowerupDecay)) return "the powerup timer is not finite";
    if (!Finite(UfoRadius) || !Finite(UfoAngle) || !Finite(UfoTurn)) return "the UFO's place is not finite";
    if (EnemiesList.size() > MaxEntities) return "too many invaders";
    if (PlayerBulletsList.size() > MaxEntities) return "too many player shots";
    if (EnemyBulletsList.size() > MaxEntities) return "too many invader shots";
    if (PickUpsList.size() > MaxEntities) return "too many pickups";
    if (StarsList.size() > MaxEffects) return "too many particles";
    if (ExplosionsList.size() > MaxEntities) return "too many explosions";
    if (FlyingTextList.size() > MaxEntities) return "too many captions";
    if (!AllFinite(EnemiesList, [](const Enemies& e) { return Finite(e.x) && Finite(e.y) && Finite(e.angle) && Finite(e.radius); }))
        return "an invader's place is not finite";
    if (!AllFinite(PlayerBulletsList, [](const PlayerBullets& s) { return Finite(s.x) && Finite(s.y) && Finite(s.radius); }))
        return "a player shot's place is not finite";
    if (!AllFinite(EnemyBulletsList, [](const EnemyBullets& s) { return Finite(s.x) && Finite(s.y) && Finite(s.Radius); }))
        return "an invader shot's place is not finite";
    if (!AllFinite(StarsList, [](const Stars& s) { return Finite(s.x) && Finite(s.y); }))
        return "a particle's place is not finite";
    if (!AllFinite(ExplosionsList, [](const Explosions& e) { return Finite(e.radius) && Finite(e.fspeed); }))
        return "an explosion is not finite";
    return "";
}

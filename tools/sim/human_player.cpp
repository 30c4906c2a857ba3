#include "human_player.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <tuple>

#include "combat/base.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/shots.h"
#include "combat/ufo.h"
#include "common/maths.h"
#include "game/game_state.h"

namespace {

// What the game is, as a player learns it; how well he plays is in the skill table.
constexpr float TurnPerFrame = 2;       // degrees a held turn key gives
constexpr float InvaderShotSpeed = 3;   // pixels a frame, coming in
constexpr float PlayerShotSpeed = 4;    // pixels a frame, going out
constexpr float BaseHitReach = 18;      // pixels: a shot closer than this takes an unshielded base
constexpr float PickupReach = 24;       // pixels: the base catches a pickup this close
constexpr int Unbreakable = 999;        // hit points from which an invader never goes down
constexpr float BlockDeg = 4;           // an unbreakable invader this close in angle, nearer the Earth, is in the way
constexpr float BossGuardReach = 22;    // orbit units: on boss levels an invader this close must be shot
constexpr float UfoOverInvaders = 20;   // orbit units: with no invader nearer the rim, the saucer is worth it
constexpr int RingSize = 64;            // frames of sight kept: more than the longest delay and motion window
constexpr long long NoPlayLimit = 3000; // frames the menus may take to lead into play

float Normal(float a) {
    a = std::fmod(a, 360.0f);
    return a < 0 ? a + 360 : a;
}

// The shorter way round from one angle to another, -180..180.
float AngleTo(float from, float to) { return std::fmod(Normal(to) - Normal(from) + 540.0f, 360.0f) - 180.0f; }

struct SeenInvader {
    float angle = 0, radius = 0;
    int kind = 0;
    bool breakable = true;
};
struct SeenShot {
    int angle = 0;
    float fromCentre = 0;  // pixels
    std::tuple<int, int, long long> id;  // angle, where it was fired, when: how a player tells shots apart
};
struct SeenPickup {
    int angle = 0;
    int radius = 0;  // pixels from the centre
    std::pair<int, long long> id;  // it falls a pixel a frame: its angle and the frame it would land
};

// One frame as the screen showed it.
struct Seen {
    float baseAngle = 0, earth = 0;
    int shields = 0, shieldLook = 0;
    bool boss = false, saucer = false, ufo = false;
    bool beam = false;  // the beam weapon is on: it goes through any invader
    float ufoAngle = 0, ufoRadius = 0;
    std::vector<SeenInvader> invaders;
    std::vector<SeenShot> shots;  // coming in only
    std::vector<SeenPickup> pickups;
};

struct Human {
    HumanSettings settings;
    HumanSkill skill;
    std::mt19937 rng;
    HumanOutcome outcome;
    bool started = false, frozenSeen = false;
    long long firstFrame = 0, now = 0;
    int lives = 0;
    // Sight and its own turns, by frame of the current stretch of play.
    std::array<Seen, RingSize> seen;
    std::array<float, RingSize> turned{};
    long long lastFrame = -10, stretch = 0;
    // The last decision.
    float goal = 0;        // angle it steers to
    bool steering = false;
    bool fire = false;     // it has something to shoot at, aimed at `aim`
    float aim = 0;
    bool shield = false;   // a press still to make
    long long shieldAt = -1000;  // frame of its last press: it knows the shield is up before it sees it
    long long tap = 0;
    // What it noticed or missed, by what tells things apart on the screen.
    std::map<std::tuple<int, int, long long>, bool> shotNoticed;
    std::map<std::pair<int, long long>, bool> pickupNoticed;
};
Human H;

float Uniform() { return float(H.rng() >> 8) * (1.0f / 16777216.0f); }

float Gauss() {
    const float u = 1.0f - Uniform(), v = Uniform();
    return std::sqrt(-2.0f * std::log(u)) * Cos(360 * v);
}

// Whether a point at an angle and a distance from the centre is on the screen.
bool OnScreen(float angle, float pixels) {
    const float x = 512 + Sin(angle) * pixels, y = 384 - Cos(angle) * pixels;
    return x >= 0 && x < 1024 && y >= 0 && y < 768;
}

void Look(Seen& s, long long t) {
    s.baseAngle = BaseAngle, s.earth = EarthRadius, s.shields = Shields, s.shieldLook = BaseShieldLook;
    s.boss = BossLevel == 1 && BossDeathPhase == 0, s.saucer = SaucerLevel == 1, s.beam = PowerupKind == 2;
    s.ufo = UfoState != 0 && OnScreen(UfoAngle, UfoRadius), s.ufoAngle = UfoAngle, s.ufoRadius = UfoRadius;
    s.invaders.clear(), s.shots.clear(), s.pickups.clear();
    for (const Enemies& e : EnemiesList)
        if (OnScreen(e.angle, e.radius * OrbitUnit)) s.invaders.push_back({e.angle, e.radius, e.Frame, e.HitPoints < Unbreakable});
    for (const EnemyBullets& b : EnemyBulletsList) {
        if (b.RadiusSpeed >= 0 || b.xcenter < 0 || b.xcenter >= 1024 || b.ycenter < 0 || b.ycenter >= 768) continue;
        const float dx = b.xcenter - 512, dy = b.ycenter - 384;
        const long long fired = t - std::lround((b.startradius - b.Radius) / InvaderShotSpeed);
        s.shots.push_back({b.angle, std::sqrt(dx * dx + dy * dy), {b.angle, int(b.startradius), fired}});
    }
    for (const PickUps& p : PickUpsList) s.pickups.push_back({p.angle, p.radius, {p.angle, t + p.radius}});
}

// Whether it notices a thing: decided once, the first time it could.
template <class Key>
bool Noticed(std::map<Key, bool>& memory, const Key& id, float missChance) {
    auto it = memory.find(id);
    if (it == memory.end()) it = memory.emplace(id, Uniform() >= missChance).first;
    return it->second;
}

const Seen& SeenAt(long long i) { return H.seen[size_t(i % RingSize)]; }

// Where its base stands now: where it saw it, moved by its own presses since.
float OwnBase() {
    const long long from = H.stretch - H.skill.reactionFrames;
    float a = SeenAt(from).baseAngle;
    for (long long i = from; i < H.stretch; ++i) a += H.turned[size_t(i % RingSize)];
    return a;
}

float EarthPixels(const Seen& s) { return s.earth * OrbitUnit; }
float DegreesPerPixel(const Seen& s) { return 1 / (DegToRad * EarthPixels(s)); }

// Frames until a seen shot reaches the rim, as it judges it now.
float Arrival(const Seen& s, const SeenShot& shot) {
    return (shot.fromCentre - EarthPixels(s)) / InvaderShotSpeed - H.skill.anticipation * float(H.skill.reactionFrames);
}

struct Threat {
    bool found = false;
    float angle = 0, frames = 0;
};

// The noticed shot that would take the base soonest at angle `at`, within
// `horizon` frames, if the base went there now.
Threat ThreatAt(const Seen& s, float at, float horizon) {
    Threat worst;
    const float reach = BaseHitReach * DegreesPerPixel(s);
    for (const SeenShot& shot : s.shots) {
        const float frames = Arrival(s, shot);
        if (frames < -2 || frames > horizon || std::fabs(AngleTo(at, float(shot.angle))) > reach) continue;
        if (!Noticed(H.shotNoticed, shot.id, H.skill.missDodge)) continue;
        if (!worst.found || frames < worst.frames) worst = {true, float(shot.angle), frames};
    }
    return worst;
}

// How fast a seen invader turns round the Earth, degrees a frame, from the
// nearest like invader a moment earlier; 0 when there is no earlier look.
float TurnRate(const SeenInvader& e, const Seen* before) {
    if (!before) return 0;
    float best = 5, rate = 0;
    for (const SeenInvader& o : before->invaders) {
        const float d = AngleTo(o.angle, e.angle);
        if (o.kind == e.kind && std::fabs(o.radius - e.radius) < 0.6f && std::fabs(d) < best)
            best = std::fabs(d), rate = d / float(H.skill.motionFrames);
    }
    return rate;
}

// Where it means to aim for something seen at `angle`, `pixels` from the
// centre, turning `rate` degrees a frame: led as far as its skill allows.
float LeadFor(const Seen& s, float angle, float pixels, float rate) {
    const float flight = std::fmax(0.0f, pixels - EarthPixels(s)) / PlayerShotSpeed;
    const float moved = rate * (float(H.skill.reactionFrames) + flight);
    return angle + H.skill.leadShare * moved;
}

// The same, off by a fresh error of its hands.
float AimAt(const Seen& s, float angle, float pixels, float rate) {
    return LeadFor(s, angle, pixels, rate) + Gauss() * H.skill.aimErrorDeg;
}

bool InTheWay(const Seen& s, const SeenInvader& e) {
    for (const SeenInvader& o : s.invaders)
        if (!o.breakable && o.radius < e.radius - 0.5f && std::fabs(AngleTo(o.angle, e.angle)) < BlockDeg) return true;
    return false;
}

// The invader to shoot: the nearest the Earth, the turn to where it means
// to aim counted against it, one with an unbreakable invader in the way
// only if all are. The beam takes unbreakable ones too.
const SeenInvader* Quarry(const Seen& s, const Seen* before, float base) {
    const SeenInvader* best = nullptr;
    float bestCost = 0;
    bool bestClear = false;
    for (const SeenInvader& e : s.invaders) {
        if (!e.breakable && !s.beam) continue;
        const bool clear = s.beam || !InTheWay(s, e);
        const float lead = LeadFor(s, e.angle, e.radius * OrbitUnit, TurnRate(e, before));
        const float cost = e.radius - s.earth + H.skill.turnCost * std::fabs(AngleTo(base, lead));
        if (!best || (clear && !bestClear) || (clear == bestClear && cost < bestCost)) best = &e, bestCost = cost, bestClear = clear;
    }
    return best;
}

// On boss levels the overlord feeds on the invaders' shots: shoot only the
// invaders that come close, and otherwise sit in the widest gap between
// the shots and invaders.
float WidestGap(const Seen& s, float base) {
    float best = base, bestGap = -1;
    for (int a = 0; a < 360; a += 5) {
        float gap = 360;
        for (const SeenShot& shot : s.shots) gap = std::fmin(gap, std::fabs(AngleTo(float(a), float(shot.angle))));
        for (const SeenInvader& e : s.invaders) gap = std::fmin(gap, std::fabs(AngleTo(float(a), e.angle)));
        gap -= std::fabs(AngleTo(base, float(a))) * 0.005f;  // of equal gaps, the nearest
        if (gap > bestGap) bestGap = gap, best = float(a);
    }
    return best;
}

// What to shoot at and where to stand for it.
void ChooseQuarry(const Seen& s, const Seen* before, float base) {
    H.fire = false, H.steering = false;
    const SeenInvader* e = Quarry(s, before, base);
    if (s.boss && !(e && e->radius < s.earth + BossGuardReach)) {
        H.goal = WidestGap(s, base), H.steering = true;
        return;
    }
    if (s.ufo && (s.saucer || !e || e->radius - s.earth > UfoOverInvaders)) {
        float rate = 0;
        if (before && before->ufo) rate = AngleTo(before->ufoAngle, s.ufoAngle) / float(H.skill.motionFrames);
        H.aim = AimAt(s, s.ufoAngle, s.ufoRadius, rate);
    } else if (e) {
        H.aim = AimAt(s, e->angle, e->radius * OrbitUnit, TurnRate(*e, before));
    } else {
        return;
    }
    H.fire = true, H.goal = H.aim, H.steering = true;
}

// A pickup it can get under before it lands, the soonest to land.
bool ChoosePickup(const Seen& s, float base) {
    bool found = false;
    float soonest = 0;
    for (const SeenPickup& p : s.pickups) {
        const float frames = float(p.radius) - EarthPixels(s) - PickupReach / 2 - H.skill.anticipation * float(H.skill.reactionFrames);
        if (frames < 0 || std::fabs(AngleTo(base, float(p.angle))) / TurnPerFrame > frames - 2) continue;
        if (!Noticed(H.pickupNoticed, p.id, H.skill.missPickup)) continue;
        if (!found || frames < soonest) found = true, soonest = frames, H.goal = float(p.angle);
    }
    if (found) H.steering = true;
    return found;
}

void Decide(const Seen& s, const Seen* before) {
    const float base = OwnBase();
    ChooseQuarry(s, before, base);
    const float reach = BaseHitReach * DegreesPerPixel(s) + H.skill.dodgeMarginDeg;
    const bool shielded = s.shieldLook != 0 || H.stretch - H.shieldAt <= H.skill.reactionFrames + 1;
    const Threat threat = shielded ? Threat{} : ThreatAt(s, base, float(H.skill.threatFrames));
    if (threat.found) {
        const float off = AngleTo(threat.angle, base);
        const float stepFrames = (reach - std::fabs(off)) / TurnPerFrame;
        if (threat.frames <= stepFrames + 1 && s.shields > 0) {
            H.shield = true, H.shieldAt = H.stretch;
        } else {
            const float side = off > 0 || (off == 0 && Uniform() < 0.5f) ? 1.0f : -1.0f;
            H.goal = threat.angle + side * reach, H.steering = true;
        }
        return;
    }
    if (ChoosePickup(s, base)) return;
    // Not into a shot on the way: wait where it stands until it has passed.
    if (H.steering && !shielded) {
        const float step = std::fmax(-reach, std::fmin(reach, AngleTo(base, H.goal)));
        if (ThreatAt(s, base + step, float(H.skill.threatFrames)).found) H.steering = false;
    }
}

void Forget() {
    H.stretch = 0, H.steering = false, H.fire = false, H.shield = false, H.shieldAt = -1000;
    H.shotNoticed.clear(), H.pickupNoticed.clear();
}

}  // namespace

void BeginHumanPlay(int level, const HumanSettings& settings) {
    H = Human{};
    H.settings = settings;
    H.skill = SkillFor(settings.skill);
    H.rng.seed(std::uint32_t(settings.seed * 2654435761u + 12345u));
    H.outcome.level = level;
}

BotChoice HumanPlayFrame(long long frame) {
    if (frame != H.lastFrame + 1) Forget();
    H.lastFrame = frame;
    Look(H.seen[size_t(H.stretch % RingSize)], H.stretch);
    BotChoice keys;
    const HumanSkill& k = H.skill;
    const long long sight = H.stretch - k.reactionFrames;  // the frame it sees now
    if (sight >= 0 && sight % k.decideEvery == 0) {
        const long long earlier = sight - k.motionFrames;
        Decide(SeenAt(sight), earlier >= 0 ? &SeenAt(earlier) : nullptr);
    }
    if (sight >= 0) {
        const float base = OwnBase();
        const float d = H.steering ? AngleTo(base, H.goal) : 0;
        keys.right = d > TurnPerFrame / 2, keys.left = d < -TurnPerFrame / 2;
        if (H.fire && std::fabs(AngleTo(base, H.aim)) <= k.fireWindowDeg) keys.fire = H.tap++ % k.tapEvery < k.tapHold;
        keys.shield = H.shield, H.shield = false;
    }
    H.turned[size_t(H.stretch % RingSize)] = (keys.right ? TurnPerFrame : 0) - (keys.left ? TurnPerFrame : 0);
    ++H.stretch;
    return keys;
}

void HumanAtKeyboard(long long frame, std::vector<ScriptedKey>& changes) {
    HumanOutcome& o = H.outcome;
    const auto finish = [&](bool completed) {
        o.completed = completed;
        o.frames = H.started ? frame - H.firstFrame : 0;
        o.shotsFired = StatShotsFired;
        o.accuracy = std::max(0, HitAccuracy());
        throw ProgramQuit{};
    };
    if (H.started) {
        // How the base went, told by whether an invader stands on the rim.
        if (Frozen != 0 && !H.frozenSeen) {
            bool landed = false;
            for (const Enemies& e : EnemiesList) landed = landed || e.radius - 1 < EarthRadius + 1;
            ++(landed ? o.lostToLandings : o.lostToShots);
        }
        H.frozenSeen = Frozen != 0;
        if (Lives < H.lives) o.livesLost += H.lives - Lives;
        if (Level != o.level) finish(true);
        if (Lives <= 0 || GameOverState != 0 || frame - H.firstFrame >= H.settings.frameLimit) finish(false);
    } else if (frame > NoPlayLimit) {
        finish(false);  // the menus never led into play
    }
    H.lives = Lives;
    H.now = frame;
    BotAtKeyboard(frame, changes, [] {
        // Play has begun once two frames of it follow each other: setting up a
        // level moves the overlord's pulse once, which looks like a frame of play.
        if (!H.started && H.lastFrame == H.now - 1) H.started = true, H.firstFrame = H.lastFrame;
        return HumanPlayFrame(H.now);
    });
}

const HumanOutcome& HumanResult() { return H.outcome; }

void PrintHumanOutcome() {
    const HumanOutcome& o = H.outcome;
    std::printf("{\"human_level\": %d, \"skill\": \"%s\", \"completed\": %s, \"frames\": %lld, \"lives_lost\": %d, "
                "\"lost_to_shots\": %d, \"lost_to_landings\": %d, \"shots_fired\": %d, \"accuracy\": %d}\n",
                o.level, SkillName(H.settings.skill), o.completed ? "true" : "false", o.frames, o.livesLost,
                o.lostToShots, o.lostToLandings, o.shotsFired, o.accuracy);
}

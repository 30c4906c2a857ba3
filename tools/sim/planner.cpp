#include "planner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "bot.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "game/game_state.h"

namespace {

// A way of playing for the next stretch: the bot's own choices, holding one
// angle (fixed when the way is chosen), or following one invader round the
// Earth, which is how a shot finds the gap above a carrier in unbreakable
// rings. All of them step aside from a shot about to hit, or take the shield.
enum class WayKind { Bot, Angle, Track };
struct Way {
    WayKind kind = WayKind::Bot;
    float turn = 0;                   // Angle: degrees from the base's angle at the choice
    const Enemies* target = nullptr;  // Track: a copy shares the program's addresses, so this names the same invader there
    bool fire = true;
};

constexpr float PlayerShotSpeed = 4;  // pixels a frame, outwards
constexpr int LongestFlight = 400;    // frames: beyond this a shot has left the field

// Angles worth a look: a nudge either way, and the far sides.
constexpr float Turns[] = {0, -40, 40, 180};
constexpr int MostTracked = 5;
// Frames the menus may take to lead into play.
constexpr long long NoPlayLimit = 3000;
// Hit points from which an invader counts as unbreakable (the level table's 999, 1000, 10000).
constexpr int Unbreakable = 999;

struct Choice {
    Way way;
    float angle = 0;  // Angle: absolute, set when chosen
};

// What a copy measures against when its stretch ends.
struct Start {
    long long frame = 0;
    int score = 0, lives = 0, shields = 0, level = 0, kills = 0;
    float earth = 0;
};

// What a copy sends back. `fine`: no life or shield lost and the level moved
// on, which is all the bot's own way has to show to be kept without looking
// at the others.
struct Verdict {
    double value = -1e18;
    int fine = 0;
};

struct Planner {
    PlanSettings settings;
    PlanOutcome outcome;
    bool started = false;  // the level's first frame of play has been seen
    long long firstFrame = 0, nextChoice = 0;
    int lives = 0;
    Choice current;
    // Set only in a forked copy: where to send its verdict and when.
    int verdictFd = -1;
    long long verdictFrame = 0;
    Start start;
};
Planner P;

int Kills() { return StatKilledByBullets + StatKilledByBeam + StatKilledByOwnShots + StatUfosShot; }

Start Now(long long frame) { return {frame, Score, Lives, Shields, Level, Kills(), EarthRadius}; }

// Closest an invader has come to the Earth's rim, in orbit units.
float ClosestInvader() {
    float closest = 1e9f;
    for (const Enemies& e : EnemiesList) closest = std::fmin(closest, e.radius - EarthRadius);
    return closest;
}

// How well a copy fared from `s` to now. Losing a life outweighs anything,
// later being better; completing outweighs anything else, sooner being better.
Verdict Judge(const Start& s, long long frame, bool lost, bool done) {
    const double frames = double(frame - s.frame);
    if (lost) return {-1e7 + frames * 1000, 0};
    if (done) return {1e7 - frames * 1000, 1};
    double v = Score - s.score;
    const double grew = EarthRadius - s.earth;
    // The overlord is beaten by feeding it; everywhere else a growing Earth
    // brings the invaders closer, and on the big-Earth levels shrinking it is the goal.
    if (BossLevel == 1) v += grew * 4000;
    else if (BigEarthLevel == 1) v -= grew * 2000;
    else v -= grew * 300;
    v -= (s.shields - Shields) * 400.0;
    const float closest = ClosestInvader();
    if (closest < 12) v -= (12 - closest) * 60;
    // Saucer levels end with time; the overlord with its growth; the rest with kills.
    const bool moved = SaucerLevel == 1 || (BossLevel == 1 ? grew > 0 : Kills() > s.kills);
    return {v, moved && Shields >= s.shields};
}

bool LifeLost(const Start& s) { return Frozen != 0 || Lives < s.lives || GameOverState != 0; }

const Enemies* StillThere(const Enemies* target) {
    for (const Enemies& e : EnemiesList)
        if (&e == target) return &e;
    return nullptr;
}

// Where an invader will be when a shot fired now at that angle reaches its
// orbit: a formation turns far enough during the flight for a shot aimed
// straight at a carrier to meet the unbreakable neighbour of the gap instead.
float LeadAngle(const Enemies& e) {
    Enemies ahead = e;
    const float from = EarthRadius * OrbitUnit;
    for (int t = 1; t < LongestFlight && from + PlayerShotSpeed * float(t) < ahead.radius * OrbitUnit; ++t)
        MoveInvader(ahead, InvaderMovePattern);
    return ahead.angle;
}

BotChoice Follow(const Choice& c) {
    if (c.way.kind == WayKind::Bot) return ChooseBotKeys();
    float angle = c.angle;
    if (c.way.kind == WayKind::Track) {
        const Enemies* e = StillThere(c.way.target);
        if (!e) return ChooseBotKeys();  // gone: the bot takes over for the rest of the stretch
        angle = LeadAngle(*e);
    }
    return KeysTowards(angle, c.way.fire);
}

// The breakable invaders nearest the Earth, no two in the same direction.
std::vector<const Enemies*> WorthTracking() {
    std::vector<const Enemies*> all;
    for (const Enemies& e : EnemiesList)
        if (e.HitPoints < Unbreakable) all.push_back(&e);
    std::stable_sort(all.begin(), all.end(), [](const Enemies* a, const Enemies* b) { return a->radius < b->radius; });
    std::vector<const Enemies*> chosen;
    for (const Enemies* e : all) {
        bool apart = true;
        for (const Enemies* c : chosen) apart = apart && std::fabs(std::remainder(e->angle - c->angle, 360.0f)) > 6;
        if (apart) chosen.push_back(e);
        if (int(chosen.size()) == MostTracked) break;
    }
    return chosen;
}

std::vector<Way> WaysToTry() {
    std::vector<Way> ways{{}};
    for (float t : Turns) ways.push_back({WayKind::Angle, t, nullptr, true});
    for (const Enemies* e : WorthTracking()) ways.push_back({WayKind::Track, 0, e, true});
    // The overlord grows on the shots that land: holding fire feeds it.
    if (BossLevel == 1)
        for (float t : Turns) ways.push_back({WayKind::Angle, t, nullptr, false});
    return ways;
}

// Tries each way on a copy of its own, all at once. In a copy it returns at
// once with that copy's way in `mine`; in the program, with every verdict.
bool TryWays(const std::vector<Way>& ways, long long frame, std::vector<Verdict>& verdicts, Way& mine) {
    std::vector<int> fds;
    std::vector<pid_t> pids;
    for (const Way& w : ways) {
        int fd[2];
        if (pipe(fd) != 0) std::abort();
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid < 0) std::abort();
        if (pid == 0) {
            close(fd[0]);
            for (int other : fds) close(other);
            P.verdictFd = fd[1];
            P.verdictFrame = frame + P.settings.lookAhead;
            P.start = Now(frame);
            mine = w;
            return true;
        }
        close(fd[1]);
        fds.push_back(fd[0]);
        pids.push_back(pid);
    }
    for (size_t i = 0; i < ways.size(); ++i) {
        Verdict v;
        if (read(fds[i], &v, sizeof v) != sizeof v) v = Verdict{};  // a copy that died tells nothing
        close(fds[i]);
        waitpid(pids[i], nullptr, 0);
        verdicts.push_back(v);
    }
    return false;
}

// The bot's own way while it does fine; otherwise the best of all ways (the
// first of equals, so that a seed always plays the same game).
Choice ChooseWay(long long frame) {
    std::vector<Verdict> verdicts;
    Way mine;
    const std::vector<Way> botOnly{Way{}};
    if (TryWays(botOnly, frame, verdicts, mine)) return {mine, BaseAngle + mine.turn};
    if (verdicts[0].fine) return {Way{}, BaseAngle};
    // The first way is the bot's own, which has had its look already.
    const std::vector<Way> ways = WaysToTry();
    if (TryWays({ways.begin() + 1, ways.end()}, frame, verdicts, mine)) return {mine, BaseAngle + mine.turn};
    size_t best = 0;
    for (size_t i = 1; i < ways.size(); ++i)
        if (verdicts[i].value > verdicts[best].value) best = i;
    return {ways[best], BaseAngle + ways[best].turn};
}

BotChoice ChoosePlannedKeys() {
    const long long frame = FramesShown();
    if (!P.started) P.started = true, P.firstFrame = frame, P.nextChoice = frame;
    if (P.verdictFd < 0 && frame >= P.nextChoice) {
        P.current = ChooseWay(frame);
        if (P.verdictFd < 0) P.nextChoice = frame + P.settings.replanEvery;
    }
    return Follow(P.current);
}

// In a copy: once its stretch is over, or something settled it, report and vanish.
void CopyAtFrame(long long frame) {
    const bool lost = LifeLost(P.start), done = Level != P.start.level;
    if (!lost && !done && frame < P.verdictFrame) return;
    const Verdict v = Judge(P.start, frame, lost, done);
    if (write(P.verdictFd, &v, sizeof v) != sizeof v) _exit(1);
    _exit(0);
}

void Finish(bool completed, long long frame) {
    PlanOutcome& o = P.outcome;
    o.completed = completed;
    o.frames = P.started ? frame - P.firstFrame : 0;
    o.shotsFired = StatShotsFired;
    o.accuracy = std::max(0, HitAccuracy());
    throw ProgramQuit{};
}

}  // namespace

void BeginPlan(int level, const PlanSettings& settings) {
    P = Planner{};
    P.settings = settings;
    P.outcome.level = level;
}

void PlannerAtKeyboard(long long frame, std::vector<ScriptedKey>& changes) {
    if (P.verdictFd >= 0) CopyAtFrame(frame);
    else if (P.started) {
        if (Lives < P.lives) P.outcome.livesLost += P.lives - Lives;
        if (Level != P.outcome.level) Finish(true, frame);
        if (Lives <= 0 || GameOverState != 0 || frame - P.firstFrame >= P.settings.frameLimit) Finish(false, frame);
    } else if (frame > NoPlayLimit) {
        Finish(false, frame);  // the menus never led into play
    }
    P.lives = Lives;
    BotAtKeyboard(frame, changes, ChoosePlannedKeys);
}

const PlanOutcome& PlanResult() { return P.outcome; }

void PrintPlanOutcome() {
    const PlanOutcome& o = P.outcome;
    std::printf("{\"plan_level\": %d, \"completed\": %s, \"frames\": %lld, \"lives_lost\": %d, \"shots_fired\": %d, "
                "\"accuracy\": %d}\n",
                o.level, o.completed ? "true" : "false", o.frames, o.livesLost, o.shotsFired, o.accuracy);
}

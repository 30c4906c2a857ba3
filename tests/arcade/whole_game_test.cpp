// Whole games through the program on the headless platform, played by a
// bot: it steers the base as the turn keys would (two degrees a frame) and
// the fire key is held throughout. Return is tapped now and then, which
// starts a game from the menu, picks the level the select offers and
// closes the title, result and game-over screens; in play it does nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "combat/base.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/shots.h"
#include "combat/ufo.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "support/sim_run.h"

namespace {

float AngleTo(float from, float to) {
    float d = std::fmod(to - from + 540.0f, 360.0f) - 180.0f;
    return d;
}

float Normal(float a) {
    a = std::fmod(a, 360.0f);
    return a < 0 ? a + 360 : a;
}

// Where the bot wants the base: at the invader nearest the Earth. On boss
// levels it lets the overlord feed on invader shots, firing only at
// invaders that come close, and otherwise keeps the base in the widest gap
// between the shots coming in.
float BotTarget() {
    const Enemies* nearest = nullptr;
    for (const Enemies& e : EnemiesList)
        if (!nearest || e.radius < nearest->radius) nearest = &e;
    const bool defend = BossLevel == 1 && BossDeathPhase == 0;
    if (nearest && (!defend || nearest->radius < EarthRadius + 22)) return Normal(nearest->angle);
    if (!defend) return BaseAngle;
    std::vector<float> shots;
    for (const EnemyBullets& s : EnemyBulletsList) shots.push_back(Normal(float(s.angle)));
    for (const Enemies& e : EnemiesList) shots.push_back(Normal(e.angle));
    float best = BaseAngle, bestGap = -1;
    for (int a = 0; a < 360; a += 5) {
        float gap = 360;
        for (float s : shots) gap = std::fmin(gap, std::fabs(AngleTo(float(a), s)));
        if (gap > bestGap) bestGap = gap, best = float(a);
    }
    return best;
}

void SteerBot() {
    const float d = AngleTo(BaseAngle, BotTarget());
    BaseAngle = Normal(BaseAngle + std::fmax(-2.0f, std::fmin(2.0f, d)));
}

struct Completed {
    int normal = 0, saucer = 0, bigEarth = 0, boss = 0;
};

// One game from `level`: the bot keeps a spare life until the level after
// `lastLevel` starts, then gives up and lets the game end.
struct BotGame {
    int level;
    int lastLevel;
};

TEST(WholeGame, ABotCompletesEveryKindOfLevelAndEachGameEnds) {
    const std::vector<BotGame> games = {{1, 1}, {14, 14}, {23, 23}, {65, 65}};
    SimRun run;
    run.frames = 30000;  // the four games take about 19000
    run.keys.push_back({0, KeyFire, true});
    for (int f = 40; f < run.frames; f += 137) Tap(run.keys, f, VkReturn);

    size_t game = 0;
    int gameOvers = 0, lastLevel = 0;
    bool playing = false;
    Completed done;
    std::vector<int> levelsCompleted;
    // The march's timer and toggle as each game's play begins: every
    // game starts it on its first beat, whatever the game before left.
    std::vector<std::pair<int, int>> marchAtStart;
    run.onFrame = [&](long long) {
        if (game >= games.size()) return;
        const BotGame& g = games[game];
        if (!playing) {
            HighestLevel = g.level;  // the level the select offers next
            if (Level == g.level && Lives > 0 && !EnemiesList.empty()) {
                playing = true, lastLevel = Level;
                marchAtStart.emplace_back(WalkTimer, WalkToggle);
            }
            return;
        }
        if (Lives == 0) {  // the game-over screen
            ++gameOvers;
            ++game;
            playing = false;
            return;
        }
        if (Level != lastLevel) {
            // The frames after a completion still show the level just done.
            levelsCompleted.push_back(lastLevel);
            if (SaucerLevel == 1) ++done.saucer;
            else if (BigEarthLevel == 1) ++done.bigEarth;
            else if (BossLevel == 1) ++done.boss;
            else ++done.normal;
            lastLevel = Level;
        }
        if (Level <= g.lastLevel) {
            if (Lives < 2) Lives = 2;
            SteerBot();
        } else if (Lives > 1) {
            Lives = 1;  // the bot gives up: the next lost base ends the game
        }
    };
    EXPECT_EQ(RunSim(run), 0);
    EXPECT_EQ(gameOvers, int(games.size()));
    EXPECT_GE(done.normal, 1);
    EXPECT_GE(done.saucer, 1);
    EXPECT_GE(done.bigEarth, 1);
    EXPECT_GE(done.boss, 1);
    EXPECT_EQ(levelsCompleted, (std::vector<int>{1, 14, 23, 65}));
    EXPECT_EQ(HighestLevel, 66);  // raised by each completion, and saved
    const std::vector<std::pair<int, int>> firstBeat(games.size(), {20, 0});
    EXPECT_EQ(marchAtStart, firstBeat);
}

}  // namespace

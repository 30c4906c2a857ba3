// The human-model player: the same seed plays the same game, here and in a
// fresh orbivore-sim, and it never answers a shot before it could have seen it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "arcade/state_hash.h"
#include "combat/base.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/shots.h"
#include "combat/ufo.h"
#include "game/game_state.h"
#include "human_player.h"
#include "sim_session.h"
#include "support/sim_run.h"

namespace {

struct Played {
    HumanOutcome outcome;
    uint64_t hash = 0;
};

Played PlayHere(int level, long long seed) {
    // The march's beat is the one thing start-up leaves as an earlier run in this process left it.
    WalkTimer = 20, WalkToggle = 0;
    HumanSettings settings;
    settings.seed = seed;
    BeginHumanPlay(level, settings);
    SimSession session;
    session.human = true;
    session.startLevel = level;
    SimRun run;
    run.seed = seed;
    run.frames = -1;  // the player ends the run
    BeginSimSession(&session);
    EXPECT_EQ(RunSim(run), 0);
    BeginSimSession(nullptr);
    return {HumanResult(), GameStateHash()};
}

// The last line of a fresh orbivore-sim's output that starts with `prefix`.
std::string FreshLine(const std::string& command, const std::string& prefix) {
    std::string found;
    FILE* out = popen(command.c_str(), "r");
    if (!out) return found;
    char line[1024];
    while (std::fgets(line, sizeof line, out))
        if (std::string(line).rfind(prefix, 0) == 0) found = line;
    pclose(out);
    return found;
}

TEST(HumanPlayer, TheSameSeedPlaysTheSameGameHereAndInAFreshProcess) {
    const Played first = PlayHere(3, 7), second = PlayHere(3, 7);
    EXPECT_GT(first.outcome.frames, 0);
    EXPECT_GT(first.outcome.shotsFired, 0);
    EXPECT_EQ(first.hash, second.hash);
    EXPECT_EQ(first.outcome.frames, second.outcome.frames);
    EXPECT_EQ(first.outcome.livesLost, second.outcome.livesLost);
    EXPECT_NE(PlayHere(3, 8).hash, first.hash) << "another seed should play another game";

    const std::filesystem::path fresh = SimDirectory() + "/fresh";
    std::filesystem::create_directories(fresh);
    const std::string command = "cd '" + fresh.string() + "' && '" ORBIVORE_SIM_PATH
                                "' --no-gl --bot human --start-level 3 --seed 7 --stats";
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(first.hash));
    EXPECT_NE(FreshLine(command, "{\"frames\"").find(std::string("\"state_hash\": \"") + hash), std::string::npos);
    EXPECT_NE(FreshLine(command, "{\"human_level\"").find("\"frames\": " + std::to_string(first.outcome.frames) + ","),
              std::string::npos);
}

// A quiet field with the base at the top; a shot then comes straight down at it.
void QuietField() {
    EnemiesList.clear(), EnemyBulletsList.clear(), PickUpsList.clear();
    BaseAngle = 0, EarthRadius = 20, Shields = 5, BaseShieldLook = 0;
    BossLevel = 0, BossDeathPhase = 0, SaucerLevel = 0, UfoState = 0;
}

void ShotAt(float fromRim) {
    EnemyBullets& b = EnemyBulletsList.back();
    b.xcenter = 512, b.ycenter = 384 - (EarthRadius * OrbitUnit + fromRim);
}

TEST(HumanPlayer, NeverAnswersAShotBeforeItsReactionTime) {
    constexpr long long ShotFrame = 40;
    for (SkillLevel skill : {SkillLevel::Casual, SkillLevel::Average, SkillLevel::Expert}) {
        const HumanSkill k = SkillFor(skill);
        int answered = 0;
        for (long long seed = 1; seed <= 20; ++seed) {
            QuietField();
            HumanSettings settings;
            settings.skill = skill, settings.seed = seed;
            BeginHumanPlay(0, settings);
            long long first = -1;
            for (long long f = 0; f < ShotFrame + k.reactionFrames + 2 * k.decideEvery && first < 0; ++f) {
                if (f == ShotFrame) {
                    EnemyBullets b;
                    b.angle = 0, b.RadiusSpeed = -3, b.startradius = 40, b.Radius = 40;
                    EnemyBulletsList.push_back(b);
                }
                if (f >= ShotFrame) ShotAt(100 - 3 * float(f - ShotFrame));
                const BotChoice keys = HumanPlayFrame(f);
                if (keys.left || keys.right || keys.shield) first = f;
            }
            if (first < 0) continue;  // this one went unnoticed
            ++answered;
            EXPECT_GE(first, ShotFrame + k.reactionFrames) << SkillName(skill) << " seed " << seed;
        }
        // Unnoticed shots are the exception.
        EXPECT_GE(answered, 15) << SkillName(skill);
    }
}

}  // namespace

// The human-model player: measures how a level feels to a person. It plays
// one level from a new game's lives and shields with the four keys a person
// has (turn left, turn right, fire, shield), acting only on what the screen
// showed a reaction time ago, deciding again every few frames, and with the
// imperfect hands of its skill (see human_skill.h). It never looks ahead and
// never copies the game. Where its own base stands it knows from its own key
// presses, as a player knows where his hands have taken it.
#pragma once

#include <vector>

#include "bot.h"
#include "human_skill.h"
#include "platform/platform.h"

struct HumanSettings {
    SkillLevel skill = SkillLevel::Average;
    long long seed = 1;            // its own generator's; the game's stays the game's
    long long frameLimit = 18000;  // frames of play before the level counts as not completed
};

struct HumanOutcome {
    int level = 0;
    bool completed = false;
    long long frames = 0;  // from the level's first frame of play to its completion (or the end)
    int livesLost = 0;
    int lostToShots = 0;     // of those, the base hit by a shot or rammed
    int lostToLandings = 0;  // of those, an invader reaching the Earth
    int shotsFired = 0;
    int accuracy = 0;  // per cent, as the statistics page counts it
};

// Starts the player for the next run; `level` is the level it is to complete.
void BeginHumanPlay(int level, const HumanSettings& settings);

// At the keyboard once a frame (fits SimSession). Ends the run, through
// ProgramQuit, once the level is completed, the game lost or the limit met.
void HumanAtKeyboard(long long frame, std::vector<ScriptedKey>& changes);

// One frame of play: looks at the game as it stands and returns the keys it
// holds. Frames that do not follow each other start a new stretch of play in
// which it must first see again. HumanAtKeyboard calls it; so do the tests.
BotChoice HumanPlayFrame(long long frame);

const HumanOutcome& HumanResult();

// One line of JSON with the outcome.
void PrintHumanOutcome();

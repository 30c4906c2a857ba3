// The planning player: proves and measures levels. It plays one level from a
// new game's lives and shields with the keys a person has (turn left, turn
// right, fire, shield) and chooses them by trying each of a handful of ways
// of playing ahead on forked copies of the running program, keeping the way
// whose copy fared best. Only for the simulator's headless no-OpenGL runs
// without sound: a forked copy must own everything it touches.
#pragma once

#include <vector>

#include "platform/platform.h"

struct PlanOutcome {
    int level = 0;
    bool completed = false;
    long long frames = 0;   // from the level's first frame of play to its completion (or the end)
    int livesLost = 0;
    int shotsFired = 0;
    int accuracy = 0;       // per cent, as the statistics page counts it; 0 with no shot fired
};

struct PlanSettings {
    long long frameLimit = 18000;  // frames of play before the level counts as not completed
    int replanEvery = 30;          // frames a chosen way is kept before the next look ahead
    int lookAhead = 150;           // frames each way is tried on its copy
};

// Starts a plan for the next run; `level` is the level it is to complete.
// The run must have no frame limit of the platform's: a copy that met it
// would end as the whole program does, saving settings and running on in
// whatever called the program.
void BeginPlan(int level, const PlanSettings& settings);

// At the keyboard once a frame (fits SimSession). Ends the run, through
// ProgramQuit, once the level is completed, the game lost or the limit met.
void PlannerAtKeyboard(long long frame, std::vector<ScriptedKey>& changes);

const PlanOutcome& PlanResult();

// One line of JSON with the outcome.
void PrintPlanOutcome();

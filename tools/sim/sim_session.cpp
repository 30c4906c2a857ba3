#include "sim_session.h"

#include "bot.h"
#include "game/settings.h"
#include "human_player.h"
#include "planner.h"

namespace {

SimSession* Current = nullptr;

void OnInput(long long frame, std::vector<ScriptedKey>& changes) {
    SimSession& s = *Current;
    // Frame 0's keys go down before the settings file is read; the settings
    // are overridden, and the bot starts, once the first frame is shown.
    if (frame < 1) return;
    if (frame == 1) {
        if (s.replay) ApplyReplaySettings(*s.replay);
        else if (s.startLevel > 0) HighestLevel = s.startLevel;
        if (s.record) CaptureReplaySettings(s.recorded);
    }
    if (s.plan) PlannerAtKeyboard(frame, changes);
    else if (s.human) HumanAtKeyboard(frame, changes);
    else if (s.bot) BotAtKeyboard(frame, changes);
    if (!s.record) return;
    for (const ScriptedKey& k : changes) s.recorded.keys.push_back({int(frame), k.key, k.down});
}

}  // namespace

void BeginSimSession(SimSession* session) {
    Current = session;
    ResetBot();
    SetInputHook(session ? OnInput : nullptr);
}

#include "sim_stats.h"

#include <cstdio>
#include <string>

#include "arcade/state_hash.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "platform/platform.h"

void PrintSimStats(long long wallMs) {
    std::printf(
        "{\"frames\": %lld, \"wall_ms\": %lld, \"glow_segments\": %lld, \"gl_calls_last_frame\": %d, "
        "\"score\": %d, \"level\": %d, \"lives\": %d, \"shields\": %d, \"earth_radius\": %.3f, "
        "\"game_over_state\": %d, \"highest_level\": %d, \"classic_unlocked\": %d, \"state_hash\": \"%016llx\"}\n",
        FramesShown(), wallMs, GlowSegmentsDrawn(), GlowDrawCallsLastFrame(), Score, Level, Lives, Shields,
        double(EarthRadius), GameOverState, int(HighestLevel), int(ClassicUnlocked),
        static_cast<unsigned long long>(GameStateHash()));
}

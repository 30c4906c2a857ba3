// A busy frame of the arcade mode: the largest wave of the game, 150 invader
// shots in flight (as on the no-weapon levels), 15 player shots and the
// deflect shield, with the fire key held. Measured: the frame's logic passes
// plus building the glow vertices of every segment they draw. Then the
// invader pass alone over the whole wave, with 15 power shots that miss
// (each one is still tested against every segment end of every invader).
#include <benchmark/benchmark.h>

#include "arcade/base_lost.h"
#include "busy_frame.h"
#include "combat/base.h"
#include "combat/earth.h"
#include "combat/invaders.h"
#include "combat/shots.h"
#include "common/random.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "glow/glow_options.h"

namespace {

void BuildVertices() {
    float strip[TPoly::StripFloats];
    for (const GlowSegment& s : BusyFrameSegments) {
        BuildGlowLineStrip(strip, s.x1, s.y1, s.colour1, s.x2, s.y2, s.colour2, s.width);
        benchmark::DoNotOptimize(strip);
    }
}

void BM_BusyArcadeFrame(benchmark::State& state) {
    PrepareBusyFrame();
    double segments = 0, invaders = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TopUpBusyFrame();
        EarthRadius = 20;
        BaseAngle = float(Rand(0, 359));
        BusyFrameSegments.clear();
        state.ResumeTiming();
        DrawBusyFrame();
        if (FireCooldown > 0) FireCooldown--;
        EarthUpkeep();
        CheckBaseLost();
        BuildVertices();
        segments += double(BusyFrameSegments.size());
        invaders += double(EnemiesList.size());
    }
    state.counters["segments/frame"] = segments / double(state.iterations());
    state.counters["invaders"] = invaders / double(state.iterations());
    state.counters["wave"] = double(LargestWave().size());
    GlowKnobs.capture = nullptr;
}
BENCHMARK(BM_BusyArcadeFrame)->Unit(benchmark::kMicrosecond);

void BM_InvaderPassWholeWave(benchmark::State& state) {
    PrepareBusyFrame();
    InvaderFireChance = 39;  // no shots fired: the wave stays as it is
    for (size_t i = 0; i < BusyPlayerShots; ++i) {
        PlayerBullets s;
        s.x = s.xcenter = float(10 + 60 * i), s.y = s.ycenter = 5;  // along the top edge, clear of the wave
        s.Powerup = 4;
        PlayerBulletsList.push_back(s);
    }
    double segments = 0;
    for (auto _ : state) {
        state.PauseTiming();
        EnemiesList = LargestWave();  // the same wave in the same places every frame
        BusyFrameSegments.clear();
        state.ResumeTiming();
        UpdateInvaders();
        BuildVertices();
        segments += double(BusyFrameSegments.size());
    }
    state.counters["segments/frame"] = segments / double(state.iterations());
    state.counters["invaders"] = double(EnemiesList.size());
    GlowKnobs.capture = nullptr;
}
BENCHMARK(BM_InvaderPassWholeWave)->Unit(benchmark::kMicrosecond);

}  // namespace

// A crowded frame of effects, as when a nuke or the overlord's death fills
// the screen: 2,000 particles and 300 explosions alive, updated and turned
// into glow vertices. The reference builds the same number of strips alone,
// so what the passes add on top of the vertex work shows.
#include <benchmark/benchmark.h>

#include "common/random.h"
#include <vector>

#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "effects/particles.h"
#include "glow/glow.h"
#include "glow/glow_options.h"

namespace {

constexpr size_t Particles = 2000, ExplosionCount = 300;

float Strip[TPoly::StripFloats];
std::vector<GlowSegment> Frame;
long long Segments = 0;

// Without a display the renderer only records segments; build their
// vertices here as it would.
void BuildStrips() {
    for (const GlowSegment& s : Frame) {
        BuildGlowLineStrip(Strip, s.x1, s.y1, s.colour1, s.x2, s.y2, s.colour2, s.width);
        benchmark::DoNotOptimize(Strip);
    }
    Segments += long(Frame.size());
    Frame.clear();
}

int DebrisAlive() {
    int n = 0;
    for (const Explosions& e : ExplosionsList) n += e.exptype == DebrisDots || e.exptype == DebrisStreaks;
    return n;
}

// Keeps the crowd at its size as effects burn out, the way play keeps
// spawning them: a third of the explosions are debris, the rest flashes,
// bursts and shock-ring pairs.
void TopUp() {
    while (StarsList.size() < Particles) SpawnParticles(Rand(100, 900), Rand(100, 700), 10, Rand(0, 3) == 2 ? 0 : 1);
    const int debris = DebrisAlive();
    if (debris < int(ExplosionCount) / 3) SpawnExplosion(512, 384, Rand(0, 1) ? DebrisDots : DebrisStreaks, 0);
    while (int(ExplosionsList.size()) - debris < int(ExplosionCount) * 2 / 3) {
        const int x = Rand(100, 900), y = Rand(100, 700);
        switch (Rand(0, 2)) {
        case 0: SpawnExplosion(x, y, HitFlash, 0); break;
        case 1: SpawnExplosion(x, y, StarBurst, 0); break;
        default:
            SpawnExplosion(x, y, ShockRing, -1, ShockRingYellow);
            SpawnExplosion(x, y, ShockRing, 1, ShockRingRed);
        }
    }
}

void Prepare() {
    SeedRandom(7);
    StarsList.clear();
    ExplosionsList.clear();
    FlyingTextList.clear();
    LoadCaptionShapes();
    LoadBaseShapeTable();
    GlowKnobs.capture = &Frame;
    for (int warm = 0; warm < 120; ++warm) {
        TopUp();
        UpdateExplosions(0);
        UpdateParticles(1);
        Frame.clear();
    }
}

void BM_CrowdedEffectsFrame(benchmark::State& state) {
    Prepare();
    Segments = 0;
    for (auto _ : state) {
        TopUp();
        UpdateExplosions(0);
        UpdateParticles(1);
        if (FlyingTextList.empty()) SpawnFlyingText(Rand(1, CaptionCount), 0);
        UpdateFlyingTexts(1);
        BuildStrips();
    }
    state.counters["segments/frame"] = double(Segments) / double(state.iterations());
    GlowKnobs.capture = nullptr;
}
BENCHMARK(BM_CrowdedEffectsFrame)->Unit(benchmark::kMicrosecond);

// Reference: the strips alone, as many as a crowded frame draws.
void BM_StripsOfACrowdedFrame(benchmark::State& state) {
    const int count = int(state.range(0));
    float x = 0;
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) {
            x += 0.25f;
            BuildGlowLineStrip(Strip, x, 100, 0xFFFFFFFF, x + 7, 103, 0xFFFFFFFF, 20);
            benchmark::DoNotOptimize(Strip);
        }
        if (x > 1000) x = 0;
    }
}
BENCHMARK(BM_StripsOfACrowdedFrame)->Arg(4400)->Unit(benchmark::kMicrosecond);

}  // namespace

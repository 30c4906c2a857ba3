// Speed of the glow renderer: building segments into the frame's buffer, and
// a whole frame of 10,000 segments on the offscreen OpenGL, batched against
// the reference path that draws every segment as its own primitive.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "common/random.h"
#include "glow/full/glow_batch.h"
#include "glow/glow.h"
#include "offscreen_gl.h"

namespace {

struct BenchSegment {
    float x1, y1, x2, y2;
    uint32_t colour;
};

// A frame's worth of short segments, as letters, invaders and particles are.
// Shifted off the play area they are clipped away before any pixel is
// touched, which leaves only the cost of handing them to OpenGL.
std::vector<BenchSegment> MakeSegments(int n, float shift = 0) {
    SeedRandom(12345);
    std::vector<BenchSegment> out;
    for (int i = 0; i < n; ++i) {
        const float x = Rnd(0, 1024) + shift, y = Rnd(0, 768);
        out.push_back({x, y, x + Rnd(-30, 30), y + Rnd(-30, 30), 0xFF000000u | uint32_t(Rand(0, 0xFFFFFF))});
    }
    return out;
}

void BM_BuildGlowSegments(benchmark::State& state) {
    const auto segments = MakeSegments(10000);
    GlowKnobs.batching = true;
    // The full path's strips, whichever texture the benches before left
    // bound: with the dot bound on a software rasterizer they would become
    // the split path's quads, and the figure would depend on the order.
    GlowBatchUseTexture(0);
    float strip[TPoly::StripFloats];
    for (auto _ : state) {
        for (const BenchSegment& s : segments) {
            BuildGlowLineStrip(strip, s.x1, s.y1, s.colour, s.x2, s.y2, s.colour, 20);
            GlowBatchAddStrip(strip, 8);
        }
        benchmark::DoNotOptimize(GlowBatchPendingVertices());
        GlowBatchDiscard();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(segments.size()));
}
BENCHMARK(BM_BuildGlowSegments)->Unit(benchmark::kMicrosecond);

struct FrameTime {
    double wallMs = 0;
    double cpuMs = 0;  // this thread only: building and handing over, not the rasterizer's threads
};

FrameTime DrawFrame(const std::vector<BenchSegment>& segments, bool batched) {
    GlowKnobs.batching = batched;
    GlowKnobs.path = GlowPath::Full;  // batching against strip by strip, both at full resolution
    const double cpu0 = ThreadCpuMs();
    const auto start = std::chrono::steady_clock::now();
    ClearScreen();
    TPoly::_Begin();
    for (const BenchSegment& s : segments)
        TPoly::Line(GlowImage, 0, s.x1, s.y1, s.colour, s.x2, s.y2, s.colour, 20);
    TPoly::_End();
    const double cpu1 = ThreadCpuMs();
    GlowWaitForGpu();
    const auto end = std::chrono::steady_clock::now();
    GlowKnobs.batching = true;
    GlowKnobs.path = GlowPath::Auto;
    return {std::chrono::duration<double, std::milli>(end - start).count(), cpu1 - cpu0};
}

void BM_GlowFrame10k(benchmark::State& state) {
    if (!OpenOffscreen()) {
        state.SkipWithError(("no offscreen OpenGL: " + PlatformError()).c_str());
        return;
    }
    const bool offscreen = state.range(0) == 1;
    state.SetLabel(offscreen ? "clipped away: submission only" : "on the play area");
    const auto segments = MakeSegments(10000, offscreen ? 5000.0f : 0.0f);
    FrameTime batched, reference;
    for (auto _ : state) {
        const FrameTime b = DrawFrame(segments, true);
        const FrameTime r = DrawFrame(segments, false);
        batched.wallMs += b.wallMs, batched.cpuMs += b.cpuMs;
        reference.wallMs += r.wallMs, reference.cpuMs += r.cpuMs;
    }
    const double n = double(state.iterations());
    state.counters["batched_ms"] = batched.wallMs / n;
    state.counters["reference_ms"] = reference.wallMs / n;
    state.counters["speedup"] = reference.wallMs / batched.wallMs;
    state.counters["batched_cpu_ms"] = batched.cpuMs / n;
    state.counters["reference_cpu_ms"] = reference.cpuMs / n;
    state.counters["cpu_speedup"] = reference.cpuMs / batched.cpuMs;
}
BENCHMARK(BM_GlowFrame10k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

// The busiest arcade frame, over the backdrop as the default settings show
// it, drawn on the offscreen OpenGL every way the glow renderer can: each
// strip whole at full resolution, and split into sharp cores with the halo
// at a half or a quarter of the resolution. Timed in CPU time of the whole
// process, since the software rasterizer fills on threads of its own; the
// full path is timed in the same iterations as the reference.
// The split paths are measured with the invaders' halos kept in their atlas
// (split/glow_atlas.h) and, as its reference, with the invaders drawn as lines.
// BM_HeavyFramePictures writes the pictures and the differences from the
// full one to bench-out/ in the build folder and reports PSNR and the mean
// absolute difference per channel.
#include <benchmark/benchmark.h>
#include <png.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "busy_frame.h"
#include "glow/full/glow_batch.h"
#include "glow/glow.h"
#include "offscreen_gl.h"

namespace {

const std::vector<GlowSegment>& HeavyFrame() {
    static const std::vector<GlowSegment> frame = CaptureBusyArcadeFrame();
    return frame;
}

struct Cost {
    double cpuMs = 0, wallMs = 0;
};

Cost DrawHeavyFrame(GlowPath path) {
    GlowKnobs.path = path;
    const double cpu0 = ProcessCpuMs();
    const auto start = std::chrono::steady_clock::now();
    ClearScreen();
    DrawBackdrop(OffscreenBackdrop(), 0, 0);
    TPoly::_Begin();
    DrawGlowSegments(HeavyFrame());
    TPoly::_End();
    ShowFrame();
    GlowWaitForGpu();
    const auto end = std::chrono::steady_clock::now();
    GlowKnobs.path = GlowPath::Auto;
    return {ProcessCpuMs() - cpu0, std::chrono::duration<double, std::milli>(end - start).count()};
}

// The frame is captured on a platform of its own without OpenGL, so before
// the offscreen OpenGL is opened (or it would be closed under the drawing).
bool OpenOffscreenForHeavyFrame() {
    HeavyFrame();
    return OpenOffscreen();
}

void BM_HeavyFrameGL(benchmark::State& state) {
    if (!OpenOffscreenForHeavyFrame()) {
        state.SkipWithError(("no offscreen OpenGL: " + PlatformError()).c_str());
        return;
    }
    const auto path = GlowPath(state.range(0));
    const bool lines = state.range(1) == 0;
    state.SetLabel(std::string(path == GlowPath::Full       ? "full"
                               : path == GlowPath::HalfHalo ? "halo at 1/2"
                                                            : "halo at 1/4") +
                   (lines && path != GlowPath::Full ? ", invaders as lines" : ""));
    Cost cost, full;
    int calls = 0;
    for (auto _ : state) {
        GlowKnobs.keepShapes = !lines;
        const Cost c = DrawHeavyFrame(path);
        calls = GlowDrawCallsLastFrame();
        GlowKnobs.keepShapes = true;
        const Cost f = DrawHeavyFrame(GlowPath::Full);
        cost.cpuMs += c.cpuMs, cost.wallMs += c.wallMs;
        full.cpuMs += f.cpuMs, full.wallMs += f.wallMs;
    }
    const double n = double(state.iterations());
    state.counters["cpu_ms"] = cost.cpuMs / n;
    state.counters["wall_ms"] = cost.wallMs / n;
    state.counters["full_cpu_ms"] = full.cpuMs / n;
    state.counters["full_wall_ms"] = full.wallMs / n;
    state.counters["draw_calls"] = calls;
    state.counters["segments"] = double(HeavyFrame().size());
    state.counters["load"] = LoadAverage();
}
// Second argument 0: the invaders drawn as lines, without the atlas of their
// halos (split/glow_atlas.h), as the reference for it.
BENCHMARK(BM_HeavyFrameGL)
    ->Args({int(GlowPath::Full), 1})
    ->Args({int(GlowPath::HalfHalo), 0})
    ->Args({int(GlowPath::HalfHalo), 1})
    ->Args({int(GlowPath::QuarterHalo), 0})
    ->Args({int(GlowPath::QuarterHalo), 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

std::vector<uint8_t> HeavyFramePixels(GlowPath path) {
    DrawHeavyFrame(path);
    return ReadFramePixels();
}

void WritePng(const std::string& path, const std::vector<uint8_t>& rgba) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = uint32_t(DisplayWidth());
    image.height = uint32_t(DisplayHeight());
    image.format = PNG_FORMAT_RGBA;
    png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr);
}

// Compares the colour channels; the difference picture shows each channel's
// difference eight times as bright, on opaque black.
struct Difference {
    double psnr = 0;
    double meanAbs[3] = {0, 0, 0};
    int largest = 0;
    std::vector<uint8_t> picture;
};

Difference Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    Difference d;
    d.picture.assign(a.size(), 255);
    double squares = 0;
    const size_t pixels = a.size() / 4;
    for (size_t i = 0; i < a.size(); i += 4) {
        for (int c = 0; c < 3; ++c) {
            const int diff = std::abs(int(a[i + c]) - int(b[i + c]));
            squares += double(diff) * diff;
            d.meanAbs[c] += diff;
            d.largest = std::max(d.largest, diff);
            d.picture[i + c] = uint8_t(std::min(255, diff * 8));
        }
    }
    for (double& m : d.meanAbs) m /= double(pixels);
    const double mse = squares / double(pixels * 3);
    d.psnr = mse > 0 ? 10 * std::log10(255.0 * 255.0 / mse) : 99;
    return d;
}

void BM_HeavyFramePictures(benchmark::State& state) {
    if (!OpenOffscreenForHeavyFrame()) {
        state.SkipWithError(("no offscreen OpenGL: " + PlatformError()).c_str());
        return;
    }
    const auto path = GlowPath(state.range(0));
    const bool lines = state.range(1) == 0;
    const std::string name = std::string(path == GlowPath::HalfHalo ? "half" : "quarter") + (lines ? "-lines" : "");
    state.SetLabel("bench-out/heavy-" + name + "{,-diff}.png against heavy-full.png");
    Difference d;
    for (auto _ : state) {
        const auto full = HeavyFramePixels(GlowPath::Full);
        GlowKnobs.keepShapes = !lines;
        const auto split = HeavyFramePixels(path);
        GlowKnobs.keepShapes = true;
        d = Compare(full, split);
        std::filesystem::create_directories("bench-out");
        WritePng("bench-out/heavy-full.png", full);
        WritePng("bench-out/heavy-" + name + ".png", split);
        WritePng("bench-out/heavy-" + name + "-diff.png", d.picture);
    }
    state.counters["psnr_db"] = d.psnr;
    state.counters["mad_r"] = d.meanAbs[0];
    state.counters["mad_g"] = d.meanAbs[1];
    state.counters["mad_b"] = d.meanAbs[2];
    state.counters["max_diff"] = d.largest;
}
BENCHMARK(BM_HeavyFramePictures)
    ->Args({int(GlowPath::HalfHalo), 0})
    ->Args({int(GlowPath::HalfHalo), 1})
    ->Args({int(GlowPath::QuarterHalo), 0})
    ->Args({int(GlowPath::QuarterHalo), 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

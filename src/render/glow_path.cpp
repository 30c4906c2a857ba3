// Choosing the glow path: the driver decides where to start, the real
// window's frame times whether to step lighter.
#include <epoxy/gl.h>

#include <cstring>

#include "platform/platform.h"
#include "render/glow_batch.h"

GlowPath GlowPathWanted = GlowPath::Auto;

namespace {

// Frames judged together, and how many of them must miss to step lighter.
// Every miss shows as a stutter, and the lighter picture is hard to tell
// from the other, so a twentieth is already too many; a single slow moment
// (a level's set-up pause) does not count.
constexpr int JudgedFrames = 60;
constexpr int MissesToStep = 3;
// A steady trickle of misses, never three in one second, is a stutter every
// second or two all the same: judged over ten seconds as well. A level's
// set-up pause and a new screen's first frame come far more rarely.
constexpr int LongJudgedFrames = 600;
constexpr int LongMissesToStep = 6;

GlowPath AutoPath = GlowPath::Full;
bool Decided = false;
int Judged = 0, Missed = 0;
int LongJudged = 0, LongMissed = 0;

bool SoftwareRasterizer() {
    const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!name) return false;
    return std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") ||
           std::strstr(name, "Software Rasterizer");
}

}  // namespace

GlowPath GlowPathInUse() {
    if (GlowPathWanted != GlowPath::Auto) return GlowPathWanted;
    if (!Decided && PlatformHasGL()) {
        AutoPath = SoftwareRasterizer() ? GlowPath::HalfHalo : GlowPath::Full;
        Decided = true;
    }
    return AutoPath;
}

void GlowPathReset() {
    Decided = false;
    AutoPath = GlowPath::Full;
    Judged = Missed = LongJudged = LongMissed = 0;
}

void GlowPathAfterFrame(double workMs) {
    if (GlowPathWanted != GlowPath::Auto || workMs <= 0) return;
    const bool missed = workMs > FramePeriodMs;  // the work, the swap included, overran: shown late
    Missed += missed, LongMissed += missed;
    ++Judged, ++LongJudged;
    const bool step = (Judged == JudgedFrames && Missed >= MissesToStep) || LongMissed >= LongMissesToStep;
    if (step && AutoPath != GlowPath::QuarterHalo) {
        AutoPath = AutoPath == GlowPath::Full ? GlowPath::HalfHalo : GlowPath::QuarterHalo;
        Judged = Missed = LongJudged = LongMissed = 0;
    }
    if (Judged == JudgedFrames) Judged = Missed = 0;
    if (LongJudged == LongJudgedFrames) LongJudged = LongMissed = 0;
}

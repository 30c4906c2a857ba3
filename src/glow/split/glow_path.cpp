// Choosing the glow path: the driver decides where to start, the real
// window's frame times whether to step lighter.
#include <epoxy/gl.h>

#include <cstring>

#include "glow/full/glow_batch.h"
#include "glow/glow_options.h"
#include "platform/platform.h"

namespace {

// Frames judged together, and how many of them must miss to step lighter.
// Every miss shows as a stutter, and the lighter picture is hard to tell
// from the other, so a twentieth is already too many; a single slow moment
// (a level's set-up pause) does not count.
constexpr int JudgedFrames = 60;
constexpr int MissesToStep = 3;
// A steady trickle of misses, never three in one second, is a stutter every
// second or two all the same: so are the seconds judged in tens, and six
// with a miss step lighter too. A burst (a game's first frames) is one
// second; a level's set-up pause comes far more rarely.
constexpr int JudgedSeconds = 10;
constexpr int SecondsMissedToStep = 6;

GlowPath AutoPath = GlowPath::Full;
bool Decided = false;
// The renderer's own fallback: no offscreen pictures or shaders here.
bool SplitUnavailable = false;
int Judged = 0, Missed = 0;
int Seconds = 0, SecondsMissed = 0;
bool Unmagnified = false;

bool SoftwareRasterizer() {
    const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!name) return false;
    return std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") ||
           std::strstr(name, "Software Rasterizer");
}

}  // namespace

GlowPath GlowPathInUse() {
    if (SplitUnavailable) return GlowPath::Full;
    if (GlowKnobs.path != GlowPath::Auto) return GlowKnobs.path;
    if (!Decided && PlatformHasGL()) {
        AutoPath = SoftwareRasterizer() ? GlowPath::HalfHalo : GlowPath::Full;
        Decided = true;
    }
    return AutoPath;
}

void GlowPathSplitUnavailable() { SplitUnavailable = true; }

void GlowPathReset() {
    Decided = false;
    AutoPath = GlowPath::Full;
    Judged = Missed = Seconds = SecondsMissed = 0;
    Unmagnified = false;
    SetUnmagnifiedPicture(false);
}

void GlowPathAfterFrame(double workMs) {
    if (GlowKnobs.path != GlowPath::Auto || workMs <= 0) return;
    Missed += workMs > FramePeriodMs;  // the work, the swap included, overran: shown late
    if (++Judged < JudgedFrames) return;
    SecondsMissed += Missed > 0;
    const bool step = Missed >= MissesToStep || SecondsMissed >= SecondsMissedToStep;
    Judged = Missed = 0;
    if (step && AutoPath != GlowPath::QuarterHalo) {
        AutoPath = AutoPath == GlowPath::Full ? GlowPath::HalfHalo : GlowPath::QuarterHalo;
        Seconds = SecondsMissed = 0;
    } else if (step && GlowKnobs.mayUnmagnify && !Unmagnified && DisplayScale() > 1.0f) {
        // The lightest halo still misses where the picture is magnified
        // (desktop full screen): it is drawn at its own size instead.
        Unmagnified = true;
        SetUnmagnifiedPicture(true);
        Seconds = SecondsMissed = 0;
    } else if (++Seconds == JudgedSeconds) {
        Seconds = SecondsMissed = 0;
    }
}

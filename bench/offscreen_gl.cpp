#include "offscreen_gl.h"

#include <sys/resource.h>
#include <time.h>

#include <cstdlib>

#include "common/resources.h"
#include "platform/platform.h"
#include "render/tpoly.h"

namespace {
const Picture* Backdrop = nullptr;
}

bool OpenOffscreen() {
    if (PlatformHasGL() && GlowImage) return true;
    PlatformOptions options;
    options.kind = PlatformKind::HeadlessGL;
    if (!PlatformStart(options) || !OpenDisplay(1024, 768, false, "glow bench")) return false;
    SetPlayViewport(0, 0);
    const ResourceBytes dot = FindResource("res\\dot.png");
    GlowImage = dot ? LoadPicturePng(dot.data, dot.size, "res\\dot.png") : nullptr;
    const ResourceBytes sky = FindResource("res\\backdrop.png");
    Backdrop = sky ? LoadPicturePng(sky.data, sky.size, "res\\backdrop.png") : nullptr;
    if (!GlowImage || !Backdrop) return false;
    MidHandle(GlowImage);
    TPoly::Initialise();
    return true;
}

const Picture* OffscreenBackdrop() { return Backdrop; }

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double LoadAverage() {
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

#include "offscreen_gl.h"

#include <sys/resource.h>
#include <time.h>

#include <cstdlib>

#include "busy_frame.h"
#include "glow/glow.h"
#include "platform/platform.h"

namespace {
const Picture* Backdrop = nullptr;
}

bool OpenOffscreen() {
    if (PlatformHasGL() && GlowImage) return true;
    PlatformOptions options;
    options.kind = PlatformKind::HeadlessGL;
    if (!PlatformStart(options) || !OpenDisplay(1024, 768, false, "glow bench")) return false;
    SetPlayViewport(0, 0);
    Backdrop = LoadGlowPictures();
    return Backdrop != nullptr;
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

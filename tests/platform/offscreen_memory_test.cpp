// Long offscreen OpenGL runs (screenshot series, bot games) must not grow:
// the menu drawn with OpenGL keeps its resident memory from frame 100 on.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "render/glow_batch.h"
#include "support/pin_libraries.h"
#include "support/sim_run.h"

namespace {

double ResidentMiB() {
    std::ifstream statm("/proc/self/statm");
    long long size = 0, resident = 0;
    statm >> size >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

TEST(OffscreenMemory, TheMenuDrawnWithOpenGLStaysFlat) {
    SimRun run;
    run.kind = PlatformKind::HeadlessGL;
    run.frames = 200;
    double at100 = 0, atEnd = 0;
    bool drawn = false;
    // The full path fills the most: the rasterizer falls furthest behind there.
    GlowPathWanted = GlowPath::Full;
    run.onFrame = [&](long long frame) {
        if (frame == 100) {
            at100 = ResidentMiB(), drawn = PlatformHasGL();
            PinLoadedLibraries();
        }
        if (frame == run.frames - 1) atEnd = ResidentMiB();
    };
    const int code = RunSim(run);
    GlowPathWanted = GlowPath::Auto;
    ASSERT_EQ(code, 0);
    ASSERT_TRUE(drawn) << "the run had no OpenGL";
    // It used to grow by more than a megabyte a frame.
    EXPECT_LT(atEnd - at100, 10.0) << "at frame 100: " << at100 << " MiB, at 200: " << atEnd << " MiB";
}

}  // namespace

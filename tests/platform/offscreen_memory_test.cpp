// Long offscreen OpenGL runs (screenshot series, bot games) must not grow:
// the menu drawn with OpenGL keeps its memory from frame 100 on.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstddef>

#include "glow/full/glow_batch.h"
#include "support/pin_libraries.h"
#include "support/sim_run.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Heap in use, the driver's included. Not the resident size: the sanitizer
// build holds freed memory back for a while, which would look like growth.
double HeapInUseMiB() {
#if defined(__SANITIZE_ADDRESS__)
    const double bytes = double(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    const double bytes = double(info.uordblks + info.hblkhd);
#endif
    return bytes / (1024.0 * 1024.0);
}

TEST(OffscreenMemory, TheMenuDrawnWithOpenGLStaysFlat) {
    SimRun run;
    run.kind = PlatformKind::HeadlessGL;
    run.frames = 200;
    double at100 = 0, atEnd = 0;
    bool drawn = false;
    // The full path fills the most: the rasterizer falls furthest behind there.
    GlowKnobs.path = GlowPath::Full;
    run.onFrame = [&](long long frame) {
        if (frame == 100) {
            at100 = HeapInUseMiB(), drawn = PlatformHasGL();
            PinLoadedLibraries();
        }
        if (frame == run.frames - 1) atEnd = HeapInUseMiB();
    };
    const int code = RunSim(run);
    GlowKnobs.path = GlowPath::Auto;
    ASSERT_EQ(code, 0);
    ASSERT_TRUE(drawn) << "the run had no OpenGL";
    // It used to grow by more than a megabyte a frame.
    EXPECT_LT(atEnd - at100, 10.0) << "at frame 100: " << at100 << " MiB, at 200: " << atEnd << " MiB";
}

}  // namespace

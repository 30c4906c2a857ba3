// The glow renderer on the offscreen OpenGL: what reaches the pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "common/random.h"
#include "common/resources.h"
#include "game/settings.h"
#include "glow/full/glow_batch.h"
#include "glow/glow.h"
#include "support/pin_libraries.h"

namespace {

std::vector<uint8_t> ShownPixels;
void KeepShownPixels(long long) { ShownPixels = ReadFramePixels(); }

struct GlowGL : ::testing::Test {
    int width = 1024, height = 768;

    void Open(int w, int h, int offsetX, int offsetY) {
        width = w, height = h;
        PlatformOptions options;
        options.kind = PlatformKind::HeadlessGL;
        ASSERT_TRUE(PlatformStart(options)) << PlatformError();
        ASSERT_TRUE(OpenDisplay(w, h, false, "glow test")) << PlatformError();
        ASSERT_TRUE(PlatformHasGL());
        PinLoadedLibraries();
        OffsetX = offsetX, OffsetY = offsetY;
        SetPlayViewport(offsetX, offsetY);
        const ResourceBytes dot = FindResource("res\\dot.png");
        ASSERT_TRUE(dot);
        GlowImage = LoadPicturePng(dot.data, dot.size, "res\\dot.png");
        ASSERT_NE(GlowImage, nullptr) << PlatformError();
        MidHandle(GlowImage);
        GlowAmount = 0;
        ApplyGlowAmount();
        TPoly::Initialise();
        SetFrameHook(KeepShownPixels);
    }
    // The exact geometry is checked on the full path; the split path is
    // checked against it.
    void SetUp() override {
        GlowKnobs.batching = true;
        GlowKnobs.path = GlowPath::Full;
    }
    void TearDown() override {
        GlowKnobs.batching = true;
        GlowKnobs.path = GlowPath::Auto;
        SetFrameHook(nullptr);
        OffsetX = OffsetY = 0;
        PlatformStop();
    }

    std::vector<uint8_t> Show() {
        ShownPixels.clear();
        ShowFrame();
        EXPECT_EQ(ShownPixels.size(), size_t(width) * height * 4);
        return ShownPixels;
    }
    const uint8_t* At(const std::vector<uint8_t>& px, int x, int y) const {
        return &px[(size_t(y) * width + size_t(x)) * 4];
    }
    int Red(const std::vector<uint8_t>& px, int x, int y) const { return At(px, x, y)[0]; }

    void Segment(float x1, float y1, float x2, float y2, uint32_t colour, int w = 20) {
        TPoly::Line(GlowImage, 0, x1 + float(OffsetX), y1 + float(OffsetY), colour, x2 + float(OffsetX),
                    y2 + float(OffsetY), colour, float(w));
    }
    std::vector<uint8_t> Frame(const std::function<void()>& draw) {
        ClearScreen();
        TPoly::_Begin();
        draw();
        TPoly::_End();
        return Show();
    }
    // Two pictures of the same lines by different roads: alike to the eye.
    static void ExpectAlike(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, const char* what) {
        ASSERT_EQ(a.size(), b.size()) << what;
        double total = 0;
        int largest = 0;
        for (size_t i = 0; i < a.size(); ++i) {
            if (i % 4 == 3) continue;
            const int d = std::abs(int(a[i]) - int(b[i]));
            total += d, largest = std::max(largest, d);
        }
        EXPECT_LT(total / double(a.size()), 0.1) << what;
        EXPECT_LE(largest, 6) << what;
    }
    // A hexagon of radius 12..19 at (x, y), turned and coloured by its number.
    void Hexagon(int n, float x, float y, bool asShape) {
        const float radius = float(12 + n % 8), turn = float(n / 8 % 240) * 0.5f;
        const uint32_t colour = 0xFF000000u | (n < 1920 ? 0x40A0FFu : (uint32_t(n) * 2654435761u) & 0xFFFFFFu);
        if (asShape) TPoly::BeginShape(x + float(OffsetX), y + float(OffsetY));
        for (int k = 0; k < 6; ++k) {
            const float a = (turn + float(60 * k)) * 0.0174533f, b = a + 60 * 0.0174533f;
            Segment(x + radius * std::cos(a), y + radius * std::sin(a), x + radius * std::cos(b),
                    y + radius * std::sin(b), k % 2 ? colour : 0xFFFF6020u);
        }
        if (asShape) TPoly::EndShape();
    }
};

TEST_F(GlowGL, CrossingSegmentsAddWhereTheyCross) {
    Open(1024, 768, 0, 0);
    const uint32_t grey = 0xFF606060;
    const auto a = Frame([&] { Segment(312, 384, 712, 384, grey); });
    const auto b = Frame([&] { Segment(512, 184, 512, 584, grey); });
    const auto ab = Frame([&] {
        Segment(312, 384, 712, 384, grey);
        Segment(512, 184, 512, 584, grey);
    });
    EXPECT_GT(Red(ab, 512, 384), Red(a, 512, 384));
    EXPECT_GT(Red(ab, 512, 384), Red(b, 512, 384));
    for (size_t i = 0; i < ab.size(); i += 4) {
        for (int c = 0; c < 3; ++c) {
            ASSERT_GE(ab[i + c], std::max(a[i + c], b[i + c]));
            ASSERT_NEAR(ab[i + c], std::min(255, a[i + c] + b[i + c]), 1);
        }
    }
}

TEST_F(GlowGL, SegmentLightsItsWidthAroundAndBeyondItsEnds) {
    Open(1024, 768, 0, 0);
    const auto px = Frame([&] { Segment(300, 384, 700, 384, 0xFFFFFFFF, 20); });
    // A two-pixel core on the axis, then the faint halo.
    EXPECT_GT(Red(px, 500, 383), 4 * Red(px, 500, 382));
    EXPECT_GT(Red(px, 500, 384), 4 * Red(px, 500, 385));
    EXPECT_LE(Red(px, 500, 382), 42);
    EXPECT_GT(Red(px, 500, 384 - 18), 0);
    EXPECT_GT(Red(px, 500, 384 + 18), 0);
    EXPECT_EQ(Red(px, 500, 384 - 21), 0);
    EXPECT_EQ(Red(px, 500, 384 + 21), 0);
    EXPECT_GT(Red(px, 300 - 16, 384), 0);
    EXPECT_GT(Red(px, 700 + 16, 384), 0);
    EXPECT_EQ(Red(px, 300 - 21, 384), 0);
    EXPECT_EQ(Red(px, 700 + 21, 384), 0);

    const auto none = Frame([&] { Segment(300, 384, 700, 384, 0x00FFFFFF, 20); });
    int lit = 0;
    for (size_t i = 0; i < none.size(); i += 4) lit += none[i] + none[i + 1] + none[i + 2] > 0;
    EXPECT_EQ(lit, 0);
}

TEST_F(GlowGL, BatchDrawsWhatStripByStripDraws) {
    Open(1024, 768, 0, 0);
    const auto scene = [&] {
        SeedRandom(7);
        for (int i = 0; i < 600; ++i) {
            if (i == 300) {
                DrawPicture(GlowImage, 400, 300, 0.5f);  // other drawing in between
                FillRect(600, 500, 50, 40, 0x80204080);
            }
            const uint32_t colour = uint32_t(Rand(0, 255)) << 24 | uint32_t(Rand(0, 0xFFFFFF));
            Segment(Rnd(-50, 1074), Rnd(-50, 818), Rnd(-50, 1074), Rnd(-50, 818), colour, Rand(8, 38));
        }
    };
    const auto batched = Frame(scene);
    EXPECT_EQ(GlowDrawCallsLastFrame(), 2);
    GlowKnobs.batching = false;
    const auto reference = Frame(scene);
    EXPECT_EQ(GlowDrawCallsLastFrame(), 600);
    int differing = 0;
    for (size_t i = 0; i < batched.size(); ++i) differing += batched[i] != reference[i];
    EXPECT_EQ(differing, 0);
}

// An OpenGL without offscreen pictures (told so through Mesa's overrides,
// read as the context is made; ctest runs each test in a process of its
// own): the split path cannot be had, and asking for it draws the full path.
TEST_F(GlowGL, WithoutOffscreenPicturesTheFullPathIsDrawn) {
    setenv("MESA_GL_VERSION_OVERRIDE", "2.1", 1);
    setenv("MESA_EXTENSION_OVERRIDE", "-GL_ARB_framebuffer_object -GL_EXT_framebuffer_object", 1);
    Open(1024, 768, 0, 0);
    unsetenv("MESA_GL_VERSION_OVERRIDE");
    unsetenv("MESA_EXTENSION_OVERRIDE");
    const auto scene = [&] { Segment(300, 300, 700, 420, 0xFF40A0FF); };
    const auto full = Frame(scene);
    GlowKnobs.path = GlowPath::HalfHalo;
    const auto asked = Frame(scene);
    EXPECT_EQ(GlowPathInUse(), GlowPath::Full);
    EXPECT_FALSE(GlowSplitPathReady());
    EXPECT_EQ(asked, full);
}

// The split path (sharp cores, a halo at reduced resolution) against the
// full one: the same picture up to the halo's smoothing, in a handful of
// calls; the backdrop rides in the halo's pass and comes out exact.
TEST_F(GlowGL, SplitPathDrawsNearlyTheFullPicture) {
    Open(1440, 900, 208, 66);
    std::vector<uint8_t> pattern(1024 * 768 * 4);
    for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = i % 4 == 3 ? 255 : uint8_t((i * 37 / 4) % 61);
    Picture backdrop;
    backdrop.width = 1024, backdrop.height = 768;
    backdrop.texture = MakeTexture(1024, 768, pattern.data());
    const auto scene = [&] {
        DrawBackdrop(&backdrop, 208, 66);
        SeedRandom(11);
        for (int i = 0; i < 600; ++i) {
            if (i == 300) DrawPicture(GlowImage, 600, 400, 0.5f);
            const uint32_t colour = uint32_t(Rand(0, 255)) << 24 | uint32_t(Rand(0, 0xFFFFFF));
            Segment(Rnd(-50, 1074), Rnd(-50, 818), Rnd(-50, 1074), Rnd(-50, 818), colour, Rand(8, 38));
        }
        Segment(100, 700, 100, 700.5f, 0xFFFFFFFF);  // shorter than the core: a round dot
    };
    const auto full = Frame(scene);
    for (GlowPath path : {GlowPath::HalfHalo, GlowPath::QuarterHalo}) {
        GlowKnobs.path = path;
        const auto split = Frame(scene);
        // Two runs of strips, each a halo and a core call, and one composite
        // with the backdrop in it.
        EXPECT_EQ(GlowDrawCallsLastFrame(), 5);
        double total = 0;
        int largest = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool inside = x >= 208 && x < 208 + 1024 && y >= 66 && y < 66 + 768;
                for (int c = 0; c < 3; ++c) {
                    const int d = std::abs(At(full, x, y)[c] - At(split, x, y)[c]);
                    if (!inside) {
                        ASSERT_EQ(At(split, x, y)[c], 0) << x << "," << y;
                    }
                    total += d;
                    largest = std::max(largest, d);
                }
            }
        }
        // A halo out of place or missing moves the mean by several levels.
        EXPECT_LT(total / (1024.0 * 768 * 3), 1.5) << int(path);
        EXPECT_LE(largest, 48) << int(path);
        const auto bare = Frame([&] { DrawBackdrop(&backdrop, 208, 66); });
        for (int y = 66; y < 66 + 768; y += 7)
            for (int x = 208; x < 208 + 1024; x += 5) ASSERT_EQ(Red(bare, x, y), pattern[(size_t(y - 66) * 1024 + size_t(x - 208)) * 4]) << x << "," << y;
        // The cores stay sharp: the axis of a lone line is as bright as before.
        const auto one = Frame([&] { Segment(300, 384, 700, 384, 0xFFFFFFFF, 20); });
        GlowKnobs.path = GlowPath::Full;
        const auto oneFull = Frame([&] { Segment(300, 384, 700, 384, 0xFFFFFFFF, 20); });
        for (int y = 380; y <= 388; ++y) EXPECT_NEAR(Red(one, 208 + 500, 66 + y), Red(oneFull, 208 + 500, 66 + y), 3) << y;
    }
}

// A sky (smooth light with single bright pixels) is not read whole on the
// split path: its smooth light rides in the halo picture, its stars are
// points. It must still come out where it was, to within a few levels.
TEST_F(GlowGL, SplitPathCarriesASkyAsSmoothLightAndPoints) {
    Open(1440, 900, 208, 66);
    std::vector<uint8_t> sky(1024 * 768 * 4);
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            uint8_t* p = &sky[(size_t(y) * 1024 + size_t(x)) * 4];
            const bool star = (x * 7 + y * 13) % 211 == 0;
            p[0] = uint8_t(10 + x / 16 + (star ? 120 : 0)), p[1] = uint8_t(5 + y / 24 + (star ? 90 : 0));
            p[2] = uint8_t(20 + (star ? 150 : 0)), p[3] = 255;
        }
    }
    Picture backdrop;
    backdrop.width = 1024, backdrop.height = 768;
    backdrop.texture = MakeTexture(1024, 768, sky.data());
    for (GlowPath path : {GlowPath::HalfHalo, GlowPath::QuarterHalo}) {
        GlowKnobs.path = path;
        const auto bare = Frame([&] { DrawBackdrop(&backdrop, 208, 66); });
        EXPECT_EQ(GlowDrawCallsLastFrame(), 2) << int(path);  // the composite and the points
        int largest = 0;
        for (int y = 0; y < 768; ++y)
            for (int x = 0; x < 1024; ++x)
                for (int c = 0; c < 3; ++c)
                    largest = std::max(largest, std::abs(At(bare, 208 + x, 66 + y)[c] - sky[(size_t(y) * 1024 + size_t(x)) * 4 + c]));
        EXPECT_LE(largest, 4) << int(path);
    }
}

// On the split path a shape that comes back (an invader) has its halo kept
// in an atlas. Whether its cell is new, kept, or handed on to other shapes
// and back, it must look as its lines do.
TEST_F(GlowGL, KeptShapeHalosLookAsTheirLines) {
    Open(1440, 900, 208, 66);
    // Forty forms at uneven places.
    const auto wave = [&](int first, bool asShape) {
        for (int i = 0; i < 40; ++i) Hexagon(first + i, 80 + 110.3f * float(i % 9), 90 + 131.7f * float(i / 9), asShape);
    };
    for (GlowPath path : {GlowPath::HalfHalo, GlowPath::QuarterHalo}) {
        GlowKnobs.path = path;
        const auto lines = Frame([&] { wave(0, false); });
        const auto fresh = Frame([&] { wave(0, true); });
        // Cells emptied and drawn, the squares, the cores, the composite.
        EXPECT_EQ(GlowDrawCallsLastFrame(), 5) << int(path);
        const auto kept = Frame([&] { wave(0, true); });
        EXPECT_EQ(GlowDrawCallsLastFrame(), 3) << int(path);
        // Enough other shapes, 48 new ones a frame, to hand every cell on.
        SetFrameHook(nullptr);
        for (int f = 0; f < 90; ++f) {
            ClearScreen();
            for (int i = 0; i < 48; ++i) Hexagon(2000 + 48 * f + i, 100 + 17.0f * float(i), 400, true);
            ShowFrame();
        }
        SetFrameHook(KeepShownPixels);
        const auto back = Frame([&] { wave(0, true); });
        ExpectAlike(lines, fresh, "new cells");
        ExpectAlike(lines, kept, "kept cells");
        ExpectAlike(lines, back, "cells handed on and back");
    }
}

// More new forms in one frame than the atlas takes, and a shape that other
// drawing cuts in two: both fall back to lines, and the picture stays.
TEST_F(GlowGL, ShapesTheAtlasCannotTakeAreDrawnAsLines) {
    Open(1024, 768, 0, 0);
    const auto crowd = [&](bool asShapes) {
        for (int i = 0; i < 70; ++i) Hexagon(3000 + i, 40 + 45.0f * float(i % 21), 60 + 90.0f * float(i / 21), asShapes);
    };
    const auto cut = [&](bool asShape) {
        if (asShape) TPoly::BeginShape(500, 600);
        Segment(480, 600, 520, 600, 0xFF40A0FF);
        FillRect(10, 10, 4, 4, 0xFF202020);  // a flush in the middle of the shape
        Segment(500, 580, 500, 620, 0xFFFF6020);
        if (asShape) TPoly::EndShape();
    };
    for (GlowPath path : {GlowPath::HalfHalo, GlowPath::QuarterHalo}) {
        GlowKnobs.path = path;
        ExpectAlike(Frame([&] { crowd(false); }), Frame([&] { crowd(true); }), "past the new cells a frame");
        ExpectAlike(Frame([&] { cut(false); }), Frame([&] { cut(true); }), "a shape cut by a flush");
    }
}

// On the software rasterizer the game starts on the half-resolution halo and
// steps lighter once a twentieth of a second's frames miss their budget, or
// six seconds in ten have a miss, never back; a single slow frame (a level's
// set-up pause) is not a reason.
TEST_F(GlowGL, SoftwareRasterizerStepsLighterWhenFramesKeepMissing) {
    Open(1024, 768, 0, 0);
    GlowKnobs.path = GlowPath::Auto;
    GlowPathReset();
    if (GlowPathInUse() == GlowPath::Full) GTEST_SKIP() << "not a software rasterizer: the full path holds";
    ASSERT_EQ(GlowPathInUse(), GlowPath::HalfHalo);
    const auto judge = [](int misses) {
        for (int i = 0; i < 60; ++i) GlowPathAfterFrame(i < misses ? 40.0 : 9.0);
    };
    judge(1), judge(2);
    EXPECT_EQ(GlowPathInUse(), GlowPath::HalfHalo);
    judge(3);
    EXPECT_EQ(GlowPathInUse(), GlowPath::QuarterHalo);
    judge(0), judge(60);
    EXPECT_EQ(GlowPathInUse(), GlowPath::QuarterHalo);
    // A miss a second is a steady stutter and steps too; one every other
    // second does not.
    GlowPathReset();
    for (int i = 0; i < 10; ++i) judge(1), judge(0);
    EXPECT_EQ(GlowPathInUse(), GlowPath::HalfHalo);
    for (int i = 0; i < 6; ++i) judge(1);
    EXPECT_EQ(GlowPathInUse(), GlowPath::QuarterHalo);
}

TEST_F(GlowGL, PendingSegmentsKeepTheirPlaceAroundClearsAndShows) {
    Open(1024, 768, 0, 0);
    // Drawn, then cleared away before the frame is shown.
    ClearScreen();
    Segment(100, 100, 200, 100, 0xFFFFFFFF);
    ClearScreen();
    Segment(100, 600, 200, 600, 0xFFFFFFFF);  // after _End-less drawing: shown anyway
    const auto px = Show();
    EXPECT_EQ(Red(px, 150, 100), 0);
    EXPECT_GT(Red(px, 150, 600), 100);
    EXPECT_EQ(GlowDrawCallsLastFrame(), 2);  // the cleared one was drawn, then cleared
}

TEST_F(GlowGL, VertexArraysOfOddOrShortLengthAreIgnored) {
    Open(1024, 768, 0, 0);
    float strip[TPoly::StripFloats];
    BuildGlowLineStrip(strip, 100, 100, 0xFFFFFFFF, 300, 100, 0xFFFFFFFF, 20);
    const auto px = Frame([&] {
        TPoly::Draw(GlowImage, 0, strip, TPoly::StripFloats - 1, 5, 1);
        TPoly::Draw(GlowImage, 0, strip, 4, 5, 1);
        TPoly::Draw(GlowImage, 0, strip, 3 * TPoly::FloatsPerVertex, 5, 1);  // 27: odd
    });
    EXPECT_EQ(Red(px, 200, 100), 0);
    EXPECT_EQ(GlowDrawCallsLastFrame(), 0);
    const auto drawn = Frame([&] { TPoly::Draw(GlowImage, 0, strip, TPoly::StripFloats, 5, 1); });
    EXPECT_GT(Red(drawn, 200, 100), 100);
}

TEST_F(GlowGL, WideDisplayStaysBlackOutsideThePlayArea) {
    Open(1440, 900, 208, 66);
    const auto px = Frame([&] {
        DrawGlowPolygon(512, 384, 0, 36, 70, 0xFFFFFFFF);  // radius 400: past every edge
        Segment(-100, -100, 1124, 868, 0xFFFFFFFF, 32);
        Segment(1124, -100, -100, 868, 0xFFFFFFFF, 32);
        FillRect(float(OffsetX) - 50, float(OffsetY) - 50, 1124, 868, 0xFF202020);
    });
    int lit = 0;
    for (int y = 0; y < 900; ++y) {
        for (int x = 0; x < 1440; ++x) {
            const uint8_t* p = At(px, x, y);
            const bool inside = x >= 208 && x < 208 + 1024 && y >= 66 && y < 66 + 768;
            if (!inside) {
                ASSERT_TRUE(p[0] == 0 && p[1] == 0 && p[2] == 0) << x << "," << y;
            } else {
                lit += p[0] > 0x20;
            }
        }
    }
    EXPECT_GT(lit, 10000);
    EXPECT_GT(Red(px, 208, 66), 0);          // the corner itself is drawn on
    EXPECT_GT(Red(px, 208 + 512, 66 + 384), 0x20);
}

}  // namespace

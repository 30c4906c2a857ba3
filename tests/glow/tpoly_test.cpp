#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "common/maths.h"
#include "common/resources.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "glow/glow_options.h"

namespace {

uint32_t ColourBits(float f) {
    uint32_t c;
    std::memcpy(&c, &f, sizeof c);
    return c;
}

// Captures what a drawing does, with no OpenGL and the play area at (0, 0).
struct Capture {
    std::vector<GlowSegment> segments;
    Capture() {
        OffsetX = OffsetY = 0;
        GlowAmount = 0;
        ApplyGlowAmount();
        GlowKnobs.capture = &segments;
    }
    ~Capture() { GlowKnobs.capture = nullptr; }
};

TEST(GlowLine, StripOfASlopedSegment) {
    // dx = 6, dy = 8, length 10, so with width 5: a = 3, b = 4.
    float v[TPoly::StripFloats];
    BuildGlowLineStrip(v, 10, 20, 0xFF102030, 4, 12, 0x80FFFFFF, 5);
    const float expected[8][5] = {
        // x, y, colour end (1 or 2), u, v
        {10 + 3 - 4, 20 + 4 + 3, 1, 1, 0},      {10 + 3 + 4, 20 + 4 - 3, 1, 1, 1},
        {10 - 4, 20 + 3, 1, 0.4985f, 0},        {10 + 4, 20 - 3, 1, 0.4985f, 1},
        {4 - 4, 12 + 3, 2, 0.5015f, 0},         {4 + 4, 12 - 3, 2, 0.5015f, 1},
        {4 - 3 - 4, 12 - 4 + 3, 2, 1, 0},       {4 - 3 + 4, 12 - 4 - 3, 2, 1, 1},
    };
    for (int i = 0; i < 8; ++i) {
        const float* p = &v[i * TPoly::FloatsPerVertex];
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(p[0], expected[i][0]);
        EXPECT_FLOAT_EQ(p[1], expected[i][1]);
        EXPECT_EQ(p[2], 0.0f);
        EXPECT_EQ(p[3], 0.0f);
        EXPECT_EQ(p[4], 0.0f);
        EXPECT_EQ(p[5], 1.0f);
        EXPECT_EQ(ColourBits(p[6]), expected[i][2] == 1 ? 0xFF102030u : 0x80FFFFFFu);
        EXPECT_FLOAT_EQ(p[7], expected[i][3]);
        EXPECT_FLOAT_EQ(p[8], expected[i][4]);
    }
}

TEST(GlowLine, ZeroLengthSegmentIsSkippedAndBuildsNoNaN) {
    float v[TPoly::StripFloats];
    BuildGlowLineStrip(v, 50, 50, 0xFFFFFFFF, 50, 50, 0xFFFFFFFF, 20);
    for (int i = 0; i < TPoly::StripFloats; ++i) {
        if (i % TPoly::FloatsPerVertex == 6) continue;  // colour bits, not a number
        EXPECT_FALSE(std::isnan(v[i])) << i;
    }
    // The dot it would be: the caps 20 pixels to either side.
    EXPECT_FLOAT_EQ(v[0], 70);
    EXPECT_FLOAT_EQ(v[6 * TPoly::FloatsPerVertex], 30);

    Capture cap;
    const long long before = GlowSegmentsDrawn();
    TPoly::Line(GlowImage, 0, 50, 50, 0xFFFFFFFF, 50, 50, 0xFFFFFFFF, 20);
    TPoly::Line(GlowImage, 0, NAN, 50, 0xFFFFFFFF, 60, 50, 0xFFFFFFFF, 20);
    EXPECT_TRUE(cap.segments.empty());
    EXPECT_EQ(GlowSegmentsDrawn(), before);
    TPoly::Line(GlowImage, 0, 50, 50, 0xFFFFFFFF, 52, 52, 0xFFFFFFFF, 20);
    EXPECT_EQ(cap.segments.size(), 1u);
    EXPECT_EQ(GlowSegmentsDrawn(), before + 1);
}

TEST(GlowWidths, FollowTheGlowSetting) {
    const int expected[5][8] = {
        {8, 12, 14, 14, 16, 18, 22, 26},   // -2 minimal
        {9, 13, 15, 16, 18, 21, 25, 29},   // -1
        {10, 14, 16, 18, 20, 24, 28, 32},  // 0 normal
        {11, 15, 17, 20, 22, 27, 31, 35},  // 1
        {12, 16, 18, 22, 24, 30, 34, 38},  // 2 maximum
    };
    for (int g = -2; g <= 2; ++g) {
        GlowAmount = g;
        ApplyGlowAmount();
        const int got[8] = {LineWidth10, LineWidth14, LineWidth16, LineWidth18,
                            LineWidth20, LineWidth24, LineWidth28, LineWidth32};
        for (int i = 0; i < 8; ++i) EXPECT_EQ(got[i], expected[g + 2][i]) << "GlowAmount " << g << " width " << i;
    }
    GlowAmount = 0;
    ApplyGlowAmount();
}

TEST(GlowPolygon, ThirtySixSidesOfTwentyCloseARingOfRadius114Point7) {
    Capture cap;
    OffsetX = 208, OffsetY = 66;
    DrawGlowPolygon(512, 384, 0, 36, 20, 0xFF40FFFF);
    ASSERT_EQ(cap.segments.size(), 36u);
    const float cx = 720, cy = 450;
    for (size_t i = 0; i < 36; ++i) {
        const GlowSegment& s = cap.segments[i];
        EXPECT_NEAR(std::hypot(s.x1 - cx, s.y1 - cy), 114.74f, 0.01f);
        EXPECT_NEAR(std::hypot(s.x1 - s.x2, s.y1 - s.y2), 20.0f, 0.001f);
        EXPECT_EQ(s.width, 20.0f);
        EXPECT_EQ(s.colour1, 0xFF40FFFFu);
        const GlowSegment& next = cap.segments[(i + 1) % 36];
        EXPECT_NEAR(s.x2, next.x1, 0.01f);
        EXPECT_NEAR(s.y2, next.y1, 0.01f);
    }
    // The first corner is straight above the centre.
    EXPECT_NEAR(cap.segments[0].x1, cx, 0.001f);
    EXPECT_LT(cap.segments[0].y1, cy);
}

TEST(GlowPolygon, SevenSidesStopThreeDegreesShort) {
    Capture cap;
    DrawGlowPolygon(512, 384, 0, 7, 50, 0xFFFFFFFF);
    ASSERT_EQ(cap.segments.size(), 7u);
    // Corners go anticlockwise on screen from the top: the last ends at 357.
    const auto angleOf = [](float x, float y) { return std::atan2(-(x - 512), -(y - 384)) / DegToRad; };
    const float first = angleOf(cap.segments[0].x1, cap.segments[0].y1);
    const float last = angleOf(cap.segments[6].x2, cap.segments[6].y2);
    EXPECT_NEAR(first, 0, 0.01f);
    EXPECT_NEAR(std::fmod(last + 360.0f, 360.0f), 357, 0.01f);
}

TEST(GlowPolygon, SideCountsThatAreNoPolygonDrawNothing) {
    Capture cap;
    DrawGlowPolygon(512, 384, 0, 0, 20, 0xFFFFFFFF);
    DrawGlowPolygon(512, 384, 0, -3, 20, 0xFFFFFFFF);
    DrawGlowPolygon(512, 384, 0, 1, 20, 0xFFFFFFFF);
    DrawGlowPolygon(512, 384, 0, 361, 20, 0xFFFFFFFF);
    EXPECT_TRUE(cap.segments.empty());
    DrawGlowPolygon(512, 384, 0, 2, 20, 0xFFFFFFFF);
    EXPECT_EQ(cap.segments.size(), 2u);
}

// The dot every line is drawn with: white, a bright two-pixel core with one
// pixel of edge, a faint halo falling off to nothing at its rim, round.
TEST(GlowImage, BuiltInDotIsABrightCoreInAFaintRoundHalo) {
    const ResourceBytes png = FindResource("res\\dot.png");
    ASSERT_TRUE(png);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data, png.size));
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> px(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, px.data(), 0, nullptr));
    ASSERT_EQ(image.width, 128u);
    ASSERT_EQ(image.height, 128u);
    const auto at = [&](int x, int y) { return &px[(size_t(y) * 128 + size_t(x)) * 4]; };
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) ASSERT_TRUE(at(x, y)[0] == 255 && at(x, y)[1] == 255 && at(x, y)[2] == 255);
    for (int y : {63, 64})
        for (int x : {63, 64}) EXPECT_EQ(at(x, y)[3], 255);
    // Down the middle column: the core (rows 62 to 65) and nothing else is
    // bright, the halo beside it lights about an eighth, and from the centre
    // out it only ever falls, to 1 at the image's edge.
    for (int y = 0; y < 128; ++y) {
        const int a = at(64, y)[3];
        const bool core = y >= 62 && y <= 65;
        EXPECT_EQ(core, a > 150) << "row " << y;
        EXPECT_TRUE(core || a < 50) << "row " << y;
        const int inward = y < 64 ? at(64, y + 1)[3] : at(64, y - 1)[3];
        EXPECT_LE(a, inward) << "row " << y;
    }
    EXPECT_NEAR(at(64, 60)[3], 30, 3);
    EXPECT_EQ(at(64, 0)[3], 1);
    EXPECT_EQ(at(64, 127)[3], 1);
    for (int c : {0, 127}) {
        EXPECT_EQ(at(c, 0)[3], 0);
        EXPECT_EQ(at(c, 127)[3], 0);
    }
    // Round: the row through the centre mirrors the column.
    for (int i = 0; i < 128; ++i) EXPECT_NEAR(at(i, 64)[3], at(64, i)[3], 1) << "column " << i;
}

}  // namespace

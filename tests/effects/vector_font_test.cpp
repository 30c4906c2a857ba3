#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "effects/vector_font.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "glow/glow_options.h"

namespace {

struct FontTest : ::testing::Test {
    std::vector<GlowSegment> segments;
    void SetUp() override {
        LoadGlyphs();
        LoadPopScale();
        OffsetX = OffsetY = 0;
        GlowAmount = 0;
        ApplyGlowAmount();
        GlowKnobs.capture = &segments;
    }
    void TearDown() override { GlowKnobs.capture = nullptr; }

    // Segments of one drawing, then forgets them.
    std::vector<GlowSegment> Take() {
        std::vector<GlowSegment> out;
        out.swap(segments);
        return out;
    }
    static int Segments(int glyph) { return GlyphTable[glyph][0] + 1; }
};

bool Same(const std::vector<GlowSegment>& a, const std::vector<GlowSegment>& b, float dx = 0) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::fabs(a[i].x1 + dx - b[i].x1) > 1e-3f || std::fabs(a[i].y1 - b[i].y1) > 1e-3f ||
            std::fabs(a[i].x2 + dx - b[i].x2) > 1e-3f || std::fabs(a[i].y2 - b[i].y2) > 1e-3f ||
            a[i].colour1 != b[i].colour1 || a[i].width != b[i].width)
            return false;
    }
    return true;
}

TEST_F(FontTest, TableHoldsFiftyFourGlyphsOf242Segments) {
    EXPECT_EQ(std::string(GlyphChars).size(), 55u);
    int total = 0, largest = 0;
    for (int i = 0; i < 60; ++i) EXPECT_EQ(GlyphTable[0][i], 0);
    for (int g = 1; g < GlyphCount; ++g) {
        total += Segments(g);
        largest = std::max(largest, Segments(g));
    }
    EXPECT_EQ(total, 242);
    EXPECT_EQ(largest, 14);
    EXPECT_EQ(Segments(GlyphIndex('@')), 14);
    // First and last numbers of the list land where they belong.
    const int a[5] = {5, -10, 12, -10, -4};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(GlyphTable[1][i], a[i]);
    EXPECT_EQ(GlyphTable[54][4 * 8], 0);  // '#' ends (-10,0)-(10,0)
    EXPECT_EQ(GlyphTable[54][4 * 8 - 1], 10);
}

TEST_F(FontTest, MalformedGlyphListsAreRejected) {
    static int table[GlyphCount][GlyphColumns];
    std::string error;
    std::string one = "0 1 2 3 4\n";
    std::string all;
    for (int g = 1; g < GlyphCount; ++g) all += one;
    EXPECT_TRUE(ParseGlyphSource(all, table, error)) << error;
    EXPECT_FALSE(ParseGlyphSource(all + "7", table, error));
    EXPECT_FALSE(ParseGlyphSource(all.substr(0, all.size() - 3), table, error));
    EXPECT_NE(error.find("glyph 54"), std::string::npos) << error;
    // 15 segments would run past the table's 60 columns.
    EXPECT_FALSE(ParseGlyphSource("14" + std::string(60 * 2, ' ') + all, table, error));
    EXPECT_FALSE(ParseGlyphSource("0 1 2 x 4\n" + all, table, error));
}

TEST_F(FontTest, CaseFoldsAndOddCharactersKeepTheirPlace) {
    DrawVectorText("Score", 2, 3, 0xFFFFFFFF, 0, 1, 1, 0);
    const auto upper = Take();
    DrawVectorText("score", 2, 3, 0xFFFFFFFF, 0, 1, 1, 0);
    EXPECT_TRUE(Same(upper, Take()));

    DrawVectorText("a_b", 100, 50, 0xFFFFFFFF, 0, 1, 1, 1);
    const auto skipped = Take();
    DrawVectorText("a%b", 100, 50, 0xFFFFFFFF, 0, 1, 1, 1);
    EXPECT_TRUE(Same(skipped, Take()));
    DrawVectorText("a b", 100, 50, 0xFFFFFFFF, 0, 1, 1, 1);
    EXPECT_TRUE(Same(skipped, Take()));

    // "a b": the second glyph sits 56 x scale to the right of the first.
    DrawVectorText("a a", 100, 50, 0xFFFFFFFF, 0, 0.5f, 0.5f, 1);
    const auto two = Take();
    ASSERT_EQ(two.size(), size_t(2 * Segments(1)));
    const std::vector<GlowSegment> first(two.begin(), two.begin() + Segments(1));
    const std::vector<GlowSegment> second(two.begin() + Segments(1), two.end());
    EXPECT_TRUE(Same(first, second, 28));
    EXPECT_FLOAT_EQ(first[0].x1, 100 - 5);  // (-10, 12) at scale 0.5
    EXPECT_FLOAT_EQ(first[0].y1, 50 + 6);

    DrawVectorText("", 0, 0, 0xFFFFFFFF, 0, 1, 1, 0);
    DrawVectorText("   ", 0, 0, 0xFFFFFFFF, 0, 1, 1, 0);
    EXPECT_TRUE(Take().empty());
}

TEST_F(FontTest, GridModePlacesByCellsAndAddsTheOffset) {
    OffsetX = 208, OffsetY = 66;
    DrawVectorText("l", 2, 3, 0xFF00FF00, 0, 0.5f, 1, 0);
    const auto l = Take();
    ASSERT_EQ(l.size(), 2u);
    // Centre at (2 x 28 x 0.5, 3 x 28 x 1) = (28, 84); first stroke (-10,12)-(-10,-12).
    EXPECT_FLOAT_EQ(l[0].x1, 208 + 28 - 5);
    EXPECT_FLOAT_EQ(l[0].y1, 66 + 84 + 6);
    EXPECT_FLOAT_EQ(l[0].y2, 66 + 84 - 6);
    EXPECT_EQ(l[0].colour1, 0xFF00FF00u);
    EXPECT_EQ(l[0].colour2, 0xFF00FF00u);
}

TEST_F(FontTest, QuarterTurnTurnsGlyphsButNotTheRow) {
    DrawVectorText("ll", 100, 100, 0xFFFFFFFF, 90, 1, 1, 1);
    const auto turned = Take();
    ASSERT_EQ(turned.size(), 4u);
    // The upright stroke (-10,12)-(-10,-12) of "l" becomes (-12,-10)-(12,-10).
    EXPECT_NEAR(turned[0].x1, 100 - 12, 1e-4);
    EXPECT_NEAR(turned[0].y1, 100 - 10, 1e-4);
    EXPECT_NEAR(turned[0].x2, 100 + 12, 1e-4);
    EXPECT_NEAR(turned[0].y2, 100 - 10, 1e-4);
    EXPECT_NEAR(turned[2].x1, 128 - 12, 1e-4);
    EXPECT_NEAR(turned[2].y1, 100 - 10, 1e-4);
}

TEST_F(FontTest, ZoomStepsGrowLettersInPlace) {
    DrawZoomText("ab", 100, 100, 0xFFFFFFFF, 25, 1, 1, 1);
    EXPECT_TRUE(Take().empty());  // scale 0: nothing at all

    DrawVectorText("a", 100, 100, 0xFFFFFFFF, 0, 1.3f, 1, 1);
    const auto big = Take();
    for (float step : {6.0f, 5.0f, 5.5f}) {
        DrawZoomText("a", 100, 100, 0xFFFFFFFF, step, 1, 1, 1);
        auto z = Take();
        for (auto& s : z) s.width = 20;  // zoom text glows narrower; compare shape
        EXPECT_TRUE(Same(big, z)) << step;
    }
    DrawZoomText("ab", 100, 100, 0xFFFFFFFF, 0, 1, 1, 1);
    const auto full = Take();
    DrawVectorText("ab", 100, 100, 0xFFFFFFFF, 0, 1, 1, 1);
    auto plain = Take();
    for (auto& s : plain) s.width = 16;
    EXPECT_TRUE(Same(full, plain));

    // Letters keep the plain advance while they are bigger.
    DrawZoomText("ab", 100, 100, 0xFFFFFFFF, 6, 1, 1, 1);
    const auto grown = Take();
    DrawVectorText("b", 128, 100, 0xFFFFFFFF, 0, 1.3f, 1, 1);
    auto b = Take();
    for (auto& s : b) s.width = 16;
    EXPECT_TRUE(Same(b, std::vector<GlowSegment>(grown.begin() + Segments(1), grown.end())));

    // Outside 0..25 nothing is read beyond the curve.
    DrawZoomText("a", 100, 100, 0xFFFFFFFF, -100, 1, 1, 1);
    DrawZoomText("a", 100, 100, 0xFFFFFFFF, 1e9f, 1, 1, 1);
    EXPECT_TRUE(Take().empty());
}

TEST_F(FontTest, EachDrawerGlowsWithItsOwnWidth) {
    DrawVectorText("a", 1, 1, 0xFFFFFFFF, 0, 1, 1, 0);
    EXPECT_EQ(Take()[0].width, 20.0f);
    DrawZoomText("a", 1, 1, 0xFFFFFFFF, 0, 1, 1, 0);
    EXPECT_EQ(Take()[0].width, 16.0f);
    DrawWideText("a", 1, 1, 0xFFFFFFFF, 0, 1, 1, 0);
    EXPECT_EQ(Take()[0].width, 32.0f);
    // Glow setting -2 draws text and the Earth's outline at 16, setting 2 at 24.
    for (int g : {-2, 2}) {
        GlowAmount = g;
        ApplyGlowAmount();
        DrawVectorText("a", 1, 1, 0xFFFFFFFF, 0, 1, 1, 0);
        DrawGlowPolygon(512, 384, 0, 36, 20, 0xFFFFFFFF);
        const float expected = g < 0 ? 16.0f : 24.0f;
        for (const GlowSegment& s : Take()) EXPECT_EQ(s.width, expected);
    }
}

// x of the centre of the glyph at place i of a 0.75-scale grid row.
float RowPlace(int i) { return 21 + 21 * float(i); }

TEST_F(FontTest, CentredRowsPadToTheGrid) {
    // 10 characters pad to 50 (20 spaces each side), 9 to 49: both start at place 20.
    DrawCentredTextRow("llllllllll", 0);
    auto ten = Take();
    ASSERT_EQ(ten.size(), 20u);
    EXPECT_FLOAT_EQ(ten[0].x1, RowPlace(20) - 7.5f);
    EXPECT_FLOAT_EQ(ten[0].y1, 525 + 9);
    EXPECT_EQ(ten[0].colour1, 0xFFFF8080u);
    DrawCentredTextRow("lllllllll", -12);
    auto nine = Take();
    EXPECT_FLOAT_EQ(nine[0].x1, RowPlace(20) - 7.5f);
    EXPECT_FLOAT_EQ(nine[0].y1, 147 + 9);
    // A long text still gets one space on each side.
    DrawCentredTextRow(std::string(60, 'l'), 0);
    EXPECT_FLOAT_EQ(Take()[0].x1, RowPlace(1) - 7.5f);
    // Characters, not bytes, are counted: the boxed c is one place in UTF-8.
    DrawCentredTextRow("\u00a4 2026 l", 0);  // 8 characters: 21 spaces
    auto credit = Take();
    ASSERT_EQ(credit.size(), size_t(Segments(27) + 2 * Segments(30) + Segments(28) + Segments(34) + 2));
    EXPECT_FLOAT_EQ(credit[0].x1, RowPlace(21) + 7.5f);  // the box's (10,12)-(-10,12)
}

TEST_F(FontTest, EmptyQuotedRowIsTwoApostrophesNearTheMiddle) {
    DrawQuotedTextRow("", 3);
    const auto q = Take();
    ASSERT_EQ(q.size(), 4u);  // each apostrophe is one stroke drawn twice
    // "''" pads to 48 characters: the apostrophes are places 23 and 24.
    EXPECT_FLOAT_EQ(q[0].x1, RowPlace(23) - 1.5f);
    EXPECT_FLOAT_EQ(q[2].x1, RowPlace(24) - 1.5f);
    EXPECT_FLOAT_EQ(q[0].y1, 21 * (25 + 4.5f) - 5.25f);
    DrawQuotedTextRow("ab", 0);
    const auto ab = Take();
    EXPECT_EQ(ab.size(), size_t(2 + Segments(1) + Segments(2) + 2));
}

TEST(TextChars, Utf8AndLatin1Bytes) {
    EXPECT_EQ(GlyphIndex(U'\u00a4'), 27);
    EXPECT_EQ(GlyphIndex('#'), 54);
    EXPECT_EQ(GlyphIndex('A'), 1);
    EXPECT_EQ(GlyphIndex(' '), 0);
    EXPECT_EQ(GlyphIndex(0), -1);
    EXPECT_EQ(GlyphIndex(U'\u20ac'), -1);
    EXPECT_EQ(GlyphIndex(0x1A4), -1);  // not folded into the Latin-1 range
    EXPECT_EQ(TextLength("\u00a4\u20ac\U0001F600x"), 4);
    // A lone Latin-1 byte, a cut-off sequence and a surrogate: one place per byte.
    EXPECT_EQ(TextLength("\xA4"), 1);
    size_t pos = 0;
    EXPECT_EQ(NextTextChar("\xA4", pos), U'\u00a4');
    EXPECT_EQ(TextLength("\xE2\x82"), 2);
    EXPECT_EQ(TextLength("\xED\xA0\x80"), 3);
    EXPECT_EQ(TextLength("\xC0\xAF"), 2);  // overlong '/'
    pos = 5;
    EXPECT_EQ(NextTextChar("ab", pos), U'\0');
}

}  // namespace

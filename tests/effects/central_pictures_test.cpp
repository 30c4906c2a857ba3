#include "effects/central_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/maths.h"
#include "common/random.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "glow/glow_options.h"

namespace {

class CentralPictures : public ::testing::Test {
protected:
    void SetUp() override {
        static bool loaded = false;
        if (!loaded) LoadCentralPictures();
        loaded = true;
        SeedRandom(5);
        OffsetX = 0, OffsetY = 0;
        EarthRadius = 20;
        BaseAngle = 0;
        BurstSize = 0, BurstAtBase = 0, BurstSpin = 0;
        GlowKnobs.capture = &drawn;
    }
    void TearDown() override {
        GlowKnobs.capture = nullptr;
        OffsetX = 0, OffsetY = 0;
    }
    std::vector<GlowSegment> drawn;
};

struct Extent {
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
};

Extent ExtentOf(const std::vector<GlowSegment>& segs) {
    Extent e;
    for (const GlowSegment& s : segs) {
        e.left = std::min({e.left, s.x1, s.x2});
        e.right = std::max({e.right, s.x1, s.x2});
        e.top = std::min({e.top, s.y1, s.y2});
        e.bottom = std::max({e.bottom, s.y1, s.y2});
    }
    return e;
}

int CountColour(const VectorPicture& pic, uint32_t colour) {
    return int(std::count_if(pic.segments.begin(), pic.segments.end(),
                             [&](const PictureSegment& s) { return s.colour == colour; }));
}

bool IsSparkle(uint32_t c) { return c >= uint32_t(-50000) && c <= uint32_t(-10000); }

TEST_F(CentralPictures, ListedShapesHaveExactlyTheirSegments) {
    ASSERT_EQ(LandmassShape.Count(), 50);
    EXPECT_EQ(CountColour(LandmassShape, 0xFF2B8921), 50);
    const PictureSegment& first = LandmassShape.segments.front();
    EXPECT_EQ((std::vector<int>{first.x1, first.y1, first.x2, first.y2}), (std::vector<int>{-40, -108, -54, -86}));
    EXPECT_EQ(first.r, 0x2B);
    EXPECT_EQ(first.g, 0x89);
    EXPECT_EQ(first.b, 0x21);

    ASSERT_EQ(OverlordShape.Count(), 38);
    EXPECT_EQ(CountColour(OverlordShape, 0xFF5EFF19), 18);
    EXPECT_EQ(CountColour(OverlordShape, 0xFFF921C3), 6);
    EXPECT_EQ(CountColour(OverlordShape, 0xFFF800FF), 14);

    // The burst is one closed ring: each segment starts where the last ended.
    ASSERT_EQ(BurstShape.Count(), 24);
    for (int i = 0; i < 24; ++i) {
        const PictureSegment& a = BurstShape.segments[size_t(i)];
        const PictureSegment& b = BurstShape.segments[size_t((i + 1) % 24)];
        EXPECT_EQ(a.x2, b.x1) << i;
        EXPECT_EQ(a.y2, b.y1) << i;
    }
    EXPECT_EQ(BurstShape.segments[0].x1, 12);
    EXPECT_EQ(BurstShape.segments[0].y1, -74);
}

TEST_F(CentralPictures, LandmassGrowsWithTheEarth) {
    DrawLandmass();
    ASSERT_EQ(drawn.size(), 50u);
    EXPECT_FLOAT_EQ(ExtentOf(drawn).right, 512 + 112);  // just inside the circle of radius 114.7
    EXPECT_FLOAT_EQ(ExtentOf(drawn).top, 385 - 108);
    EXPECT_EQ(drawn[0].width, float(LineWidth24));
    EXPECT_EQ(drawn[0].colour1, 0xFF2B8921u);

    drawn.clear();
    EarthRadius = 40;
    OffsetX = 128, OffsetY = 128;  // the 1280 x 1024 display
    DrawLandmass();
    EXPECT_FLOAT_EQ(ExtentOf(drawn).right, 128 + 512 + 224);
    EXPECT_FLOAT_EQ(ExtentOf(drawn).top, 128 + 385 - 216);
}

TEST_F(CentralPictures, OverlordStandsUprightAtPulseZeroAndTurnsAsItSwells) {
    DrawOverlord(0);
    ASSERT_EQ(drawn.size(), 38u);
    // The crown of the head, (0, -104), straight above the centre (512, 385).
    EXPECT_NEAR(drawn[8].x2, 512, 1e-3);
    EXPECT_NEAR(drawn[8].y2, 385 - 104, 1e-3);
    EXPECT_EQ(drawn[8].width, float(LineWidth32));

    drawn.clear();
    DrawOverlord(22.5f);
    // Sin(4 x 22.5) = 1: one unit of scale larger, and turned 22.5 degrees.
    const float cx = 512 + Sin(22.5f), cy = 386 - Cos(22.5f);
    EXPECT_NEAR(drawn[8].x2, cx + 208 * Sin(22.5f), 1e-3);
    EXPECT_NEAR(drawn[8].y2, cy - 208 * Cos(22.5f), 1e-3);

    drawn.clear();
    EarthRadius = 40;
    DrawOverlord(0);
    EXPECT_NEAR(drawn[8].y2, 385 - 208, 1e-3);
}

TEST_F(CentralPictures, GainedLifeBurstGrowsOutOfTheEarthFor37Frames) {
    UpdateBurst(1, 0);
    EXPECT_TRUE(drawn.empty());  // no burst, nothing drawn

    BurstSize = 0.1f;
    int frames = 0;
    while (BurstSize > 0 && frames < 100) {
        drawn.clear();
        UpdateBurst(1, TruncToInt(BurstSpin));
        ++frames;
        ASSERT_EQ(drawn.size(), 24u);
        EXPECT_TRUE(std::all_of(drawn.begin(), drawn.end(), [&](const GlowSegment& s) {
            return s.colour1 == drawn[0].colour1 && s.colour2 == drawn[0].colour1;
        }));
        EXPECT_TRUE(IsSparkle(drawn[0].colour1));
        if (frames == 1) {
            EXPECT_NEAR(drawn[0].x1, 512 + 1.2f, 1e-4);  // scale 0.1 about the centre
        }
    }
    EXPECT_EQ(frames, 37);
    EXPECT_EQ(BurstAtBase, 0);
    EXPECT_FLOAT_EQ(BurstSpin, float(37 * 3 % 360));
}

TEST_F(CentralPictures, BurstAtTheBaseShrinksIntoIt) {
    BaseAngle = 90;  // the base on the right of the Earth
    BurstSize = 0.1f, BurstAtBase = 1;
    UpdateBurst(1, 0);
    const float baseX = 512 + 20 * 5.8f;
    EXPECT_NEAR(drawn[0].x1, baseX + 12 * 10.9f, 1e-2);
    EXPECT_NEAR(drawn[0].y1, 384 - 74 * 10.9f, 1e-2);

    // A frozen frame draws the same burst and leaves it as it was.
    const float size = BurstSize, spin = BurstSpin;
    drawn.clear();
    UpdateBurst(0, 0);
    UpdateBurst(0, 0);
    EXPECT_EQ(drawn.size(), 48u);
    EXPECT_EQ(BurstSize, size);
    EXPECT_EQ(BurstSpin, spin);

    while (BurstSize > 0) {
        drawn.clear();
        UpdateBurst(1, 0);
    }
    Extent last = ExtentOf(drawn);  // the final frame: nearly a point at the base
    EXPECT_LT(last.right - last.left, 20);
    EXPECT_NEAR((last.right + last.left) / 2, baseX, 3);
    EXPECT_EQ(BurstAtBase, 0);
}

TEST_F(CentralPictures, BurstTurnsByTheRotationGiven) {
    BurstSize = 1;
    UpdateBurst(0, 90);
    // (12, -74) turned a quarter clockwise is (74, 12).
    EXPECT_NEAR(drawn[0].x1, 512 + 74, 1e-3);
    EXPECT_NEAR(drawn[0].y1, 384 + 12, 1e-3);
}

TEST_F(CentralPictures, TitleLogoStaysAboveEveryText) {
    ASSERT_EQ(TitleLogo.Count(), TitleLogoSegmentCount);
    EXPECT_GT(CountColour(TitleLogo, LogoSparkleColour), 0);
    DrawTitleLogo(0, 8, 0, 1);
    ASSERT_EQ(drawn.size(), 378u);
    const Extent e = ExtentOf(drawn);
    // Glow included: clear of "level:" (its letters start 12 px above row
    // 15, at y 420) and of everything the menu and title screens put lower.
    const float glow = float(LineWidth28);
    EXPECT_LT(e.bottom + glow, 420 - 12 * 1.3f);
    EXPECT_GE(e.top, 0);
    EXPECT_GE(e.left, 0);
    EXPECT_LE(e.right, 1024);
    EXPECT_TRUE(std::none_of(drawn.begin(), drawn.end(),
                             [](const GlowSegment& s) { return s.colour1 == LogoSparkleColour; }));
}

TEST_F(CentralPictures, TitleLogoSparklesAfreshEachFrameAndTurnsAboutItsCentre) {
    DrawTitleLogo(0, 8, 0, 1);
    std::vector<GlowSegment> first = drawn;
    drawn.clear();
    DrawTitleLogo(0, 8, 0, 1);
    int changed = 0;
    for (size_t i = 0; i < drawn.size(); ++i) {
        const bool sparkle = TitleLogo.segments[i].colour == LogoSparkleColour;
        if (sparkle) {
            EXPECT_TRUE(IsSparkle(drawn[i].colour1)) << i;
        } else {
            EXPECT_EQ(drawn[i].colour1, TitleLogo.segments[i].colour) << i;
        }
        changed += drawn[i].colour1 != first[i].colour1;
    }
    EXPECT_GT(changed, 0);

    // Half size and half a turn about (512, 394): a point above moves below.
    drawn.clear();
    DrawTitleLogo(0, 8, 180, 0.5f);
    const PictureSegment& s = TitleLogo.segments[0];
    EXPECT_NEAR(drawn[0].x1, 512 - 0.5f * float(s.x1), 1e-3);
    EXPECT_NEAR(drawn[0].y1, 394 - 0.5f * float(s.y1), 1e-3);
    EXPECT_EQ(drawn[0].width, float(LineWidth28));
}

TEST_F(CentralPictures, MenuPictureIsDimAndFitsThePlayArea) {
    ASSERT_GT(MenuPicture.Count(), 0);
    EXPECT_LE(1 + 8 * MenuPicture.Count(), 2000);  // the stored table's room
    EXPECT_GT(CountColour(MenuPicture, MenuDimColour), 0);
    DrawMenuPicture(0, 0, 0);
    ASSERT_EQ(int(drawn.size()), MenuPicture.Count());
    const Extent e = ExtentOf(drawn);
    EXPECT_GE(e.left, 0);
    EXPECT_LE(e.right, 1024);
    EXPECT_GE(e.top, 0);
    EXPECT_LE(e.bottom, 768);
    for (size_t i = 0; i < drawn.size(); ++i) {
        const uint32_t stored = MenuPicture.segments[i].colour;
        EXPECT_EQ(drawn[i].colour1, stored == MenuDimColour ? MenuDimDrawn : stored);
        EXPECT_EQ(drawn[i].width, float(LineWidth32));
    }

    // The game-over screen shows it 128 pixels lower.
    std::vector<GlowSegment> menu = drawn;
    drawn.clear();
    DrawMenuPicture(0, 128, 0);
    EXPECT_FLOAT_EQ(drawn[0].y1, menu[0].y1 + 128);
    EXPECT_FLOAT_EQ(drawn[0].x1, menu[0].x1);
}

TEST_F(CentralPictures, CreditsPictureIsTheRocketThePageExpects) {
    ASSERT_EQ(CreditsPicture.Count(), 128);
    EXPECT_LE(1 + 8 * CreditsPicture.Count(), 1200);
    EXPECT_EQ(CountColour(CreditsPicture, 0xFF1A54FF), 72);
    EXPECT_EQ(CountColour(CreditsPicture, 0xFF898989), 56);
    const PictureSegment& first = CreditsPicture.segments.front();
    EXPECT_EQ(first.colour, 0xFF1A54FFu);
    EXPECT_EQ((std::vector<int>{first.x1, first.y1, first.x2, first.y2}), (std::vector<int>{-43, 77, 43, 77}));
    for (const PictureSegment& s : CreditsPicture.segments) {
        for (int x : {s.x1, s.x2}) EXPECT_TRUE(x >= -43 && x <= 43) << x;
        for (int y : {s.y1, s.y2}) EXPECT_TRUE(y >= -87 && y <= 77) << y;
    }
}

TEST(CreditLines, DifferOnlyInTheYear) {
    const std::string now = CreditLine, old = OldCreditLine;
    ASSERT_EQ(now.size(), old.size());
    EXPECT_NE(now, old);
    std::string diff;
    for (size_t i = 0; i < now.size(); ++i)
        if (now[i] != old[i]) diff += now[i];
    EXPECT_LE(diff.size(), 4u);
    EXPECT_TRUE(std::all_of(diff.begin(), diff.end(), [](char c) { return c >= '0' && c <= '9'; }));
    EXPECT_EQ(now.rfind("\u00a4 ", 0), 0u);  // the boxed c leads the line
}

}  // namespace

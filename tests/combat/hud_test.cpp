#include "arcade/hud.h"

#include "combat_fixture.h"
#include "glow/glow.h"

namespace {

using HudTest = CombatTest;

std::vector<GlowSegment> Text(HudTest& t, const std::string& text, float x, float y, uint32_t colour,
                              float scale = 1) {
    return t.DrawnBy([&] { DrawVectorText(text, x, y, colour, 0, scale, scale, 1); });
}

TEST_F(HudTest, ScoreShowsItsLastSevenDigits) {
    for (auto [score, digits] : {std::pair{1234, "0001234"}, {123456789, "3456789"}}) {
        Score = score;
        const auto hud = DrawnBy([] { DrawHud(); });
        EXPECT_TRUE(DrawsRun(hud, Text(*this, std::string("score: ") + digits, 640, 24, 0xFFFF4040))) << score;
    }
}

TEST_F(HudTest, SpecialLevelsShowNoWaveCountAndBigEarthLevelsTheirTimeBonus) {
    const auto waves = Text(*this, "waves left: 2", 210, 24, 0xFF2080FF);
    EXPECT_TRUE(DrawsRun(DrawnBy([] { DrawHud(); }), waves));
    SaucerLevel = 1;
    EXPECT_FALSE(DrawsRun(DrawnBy([] { DrawHud(); }), waves));
    SaucerLevel = 0;
    BigEarthLevel = 1;
    TimeBonus = 6000;
    const auto hud = DrawnBy([] { DrawHud(); });
    EXPECT_FALSE(DrawsRun(hud, waves));
    EXPECT_TRUE(DrawsRun(hud, Text(*this, "timebonus: 10", 210, 24, 0xFF2080FF)));
    EXPECT_EQ(TimeBonus, 5995);  // counted down whenever the HUD is drawn
}

TEST_F(HudTest, SpareLivesOnlyWithMoreThanOneLife) {
    const auto icon = Text(*this, "x1", 100, 36, 0xFFFF4020, 1.25f);
    Lives = 2;
    EXPECT_TRUE(DrawsRun(DrawnBy([] { DrawHud(); }), icon));
    Lives = 1;
    EXPECT_FALSE(DrawsRun(DrawnBy([] { DrawSpareLives(); }), icon));
    EXPECT_TRUE(DrawnBy([] { DrawSpareLives(); }).empty());
}

TEST_F(HudTest, LevelNumberOrPowerupBarButNeitherUnderTheLastingDoubleBase) {
    Level = 7;
    const auto level = Text(*this, "level: 7", 24, 738, 0xFF2080FF);
    const auto label = Text(*this, "powerup", 24, 738, 0xFF2080FF);
    PowerupTime = 0;
    EXPECT_TRUE(DrawsRun(DrawnBy([] { DrawHud(); }), level));

    PowerupTime = 50;
    PowerupBarShown = 1;
    const auto bar = DrawnBy([] { DrawHud(); });
    EXPECT_TRUE(DrawsRun(bar, label));
    EXPECT_FALSE(DrawsRun(bar, level));
    int shading = 0;
    for (const GlowSegment& s : bar)
        if (s.colour2 == 0xFF06A63E) {
            ++shading;
            EXPECT_FLOAT_EQ(s.x2 - s.x1, 100);
        }
    EXPECT_EQ(shading, 10);

    PowerupBarShown = 0;
    const auto none = DrawnBy([] { DrawHud(); });
    EXPECT_FALSE(DrawsRun(none, label));
    EXPECT_FALSE(DrawsRun(none, level));
}

// The display modes' play-area offsets, and every glow setting: the glow
// strip reaches its width beyond each end and each side of a segment.
TEST_F(HudTest, EveryShieldIconGlowsInsideThePlayArea) {
    for (auto [ox, oy] : {std::pair{0, 0}, {128, 128}, {208, 66}, {328, 141}})
        for (int glow = -2; glow <= 2; ++glow) {
            OffsetX = ox, OffsetY = oy, GlowAmount = glow;
            ApplyGlowAmount();
            int icons = 0;
            for (const GlowSegment& s : DrawnBy([] { DrawHud(); })) {
                if (s.colour1 != 0xFF009090) continue;
                ++icons;
                EXPECT_GE(std::min(s.x1, s.x2) - s.width, float(ox)) << ox << " glow " << glow;
                EXPECT_LE(std::max(s.x1, s.x2) + s.width, float(ox + 1024)) << ox << " glow " << glow;
            }
            EXPECT_EQ(icons, 5 * 6);
        }
    GlowAmount = 0;
    ApplyGlowAmount();
}

}  // namespace

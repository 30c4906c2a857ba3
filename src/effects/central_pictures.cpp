#include "effects/central_pictures.h"

#include <algorithm>
#include <cmath>

#include "common/maths.h"
#include "common/random.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"

VectorPicture LandmassShape;
VectorPicture OverlordShape;
VectorPicture BurstShape;
VectorPicture TitleLogo;
VectorPicture MenuPicture;
VectorPicture CreditsPicture;

float BurstSize = 0;
int BurstAtBase = 0;
float BurstSpin = 0;

namespace {

// Where the base sits on its orbit, in pixels per unit of EarthRadius.
constexpr float BaseOrbitPixels = 5.8f;

// A warm white, yellow or pink: the top bytes are always FFFF.
uint32_t SparkleColour() { return uint32_t(Rand(-50000, -10000)); }

float ScreenX() { return float(OffsetX); }
float ScreenY() { return float(OffsetY); }

struct Turn {
    float c, s;
    explicit Turn(float degrees) : c(Cos(degrees)), s(Sin(degrees)) {}
    float X(float x, float y) const { return x * c - y * s; }
    float Y(float x, float y) const { return x * s + y * c; }
};

// Draws one picture's segments scaled, turned and placed about (cx, cy).
// recolour gives the colour each stored colour is drawn in.
template <typename Recolour>
void DrawPlaced(const VectorPicture& pic, int count, float cx, float cy, float scale, float degrees, int width,
                Recolour recolour) {
    const Turn turn(degrees);
    count = std::min(count, pic.Count());
    for (int i = 0; i < count; ++i) {
        const PictureSegment& seg = pic.segments[size_t(i)];
        const float x1 = float(seg.x1) * scale, y1 = float(seg.y1) * scale;
        const float x2 = float(seg.x2) * scale, y2 = float(seg.y2) * scale;
        const uint32_t c = recolour(seg.colour);
        TPoly::Line(GlowImage, 0, cx + turn.X(x1, y1), cy + turn.Y(x1, y1), c, cx + turn.X(x2, y2),
                    cy + turn.Y(x2, y2), c, float(width));
    }
}

uint32_t OwnColour(uint32_t c) { return c; }

}  // namespace

void LoadCreditsPicture() { CreditsPicture = LoadVectorPicture("pictures/credits_picture.txt"); }

void LoadCentralPictures() {
    LoadCreditsPicture();
    BurstShape = LoadVectorPicture("pictures/burst.txt");
    LandmassShape = LoadVectorPicture("pictures/landmass.txt");
    OverlordShape = LoadVectorPicture("pictures/overlord.txt");
    MenuPicture = LoadVectorPicture("pictures/menu_picture.txt");
    TitleLogo = LoadVectorPicture("pictures/title_logo.txt");
}

void DrawLandmass() {
    // The continents sit one pixel below the circle's centre.
    DrawPlaced(LandmassShape, LandmassShape.Count(), 512 + ScreenX(), 385 + ScreenY(), EarthRadius / 20, 0,
               LineWidth24, OwnColour);
}

void DrawOverlord(float pulse) {
    const float k = EarthRadius / 20 + Sin(4 * pulse);
    DrawPlaced(OverlordShape, OverlordShape.Count(), 512 + Sin(pulse) + ScreenX(), 386 - Cos(pulse) + ScreenY(), k,
               pulse, LineWidth32, OwnColour);
}

void UpdateBurst(int move, int rotation) {
    if (!(BurstSize > 0)) return;
    const float s = BurstAtBase == 1 ? 11 - BurstSize : BurstSize;
    const uint32_t c = SparkleColour();
    float cx = 512 + ScreenX(), cy = 384 + ScreenY();
    if (BurstAtBase == 1) {
        cx += Sin(BaseAngle) * EarthRadius * BaseOrbitPixels;
        cy -= Cos(BaseAngle) * EarthRadius * BaseOrbitPixels;
    }
    const Turn turn{float(rotation)};
    for (const PictureSegment& seg : BurstShape.segments) {
        const float x1 = float(seg.x1) * s, y1 = float(seg.y1) * s;
        const float x2 = float(seg.x2) * s, y2 = float(seg.y2) * s;
        TPoly::_Begin();
        TPoly::Line(GlowImage, 0, cx + turn.X(x1, y1), cy + turn.Y(x1, y1), c, cx + turn.X(x2, y2),
                    cy + turn.Y(x2, y2), c, float(LineWidth18));
        TPoly::_End();
    }
    if (move != 1) return;
    BurstSize += 0.3f;
    if (BurstSize > 11) {
        BurstSize = 0;
        BurstAtBase = 0;
    }
    BurstSpin = std::fmod(BurstSpin + 3, 360.0f);
}

void DrawTitleLogo(int offsetX, int offsetY, int rotation, float scale) {
    DrawPlaced(TitleLogo, TitleLogoSegmentCount, ScreenX() + 512 + float(offsetX), ScreenY() + 386 + float(offsetY),
               scale, float(rotation), LineWidth28,
               [](uint32_t c) { return c == LogoSparkleColour ? SparkleColour() : c; });
}

void DrawMenuPicture(int offsetX, int offsetY, int rotation) {
    DrawPlaced(MenuPicture, MenuPicture.Count(), ScreenX() + 512 + float(offsetX), ScreenY() + 386 + float(offsetY),
               1, float(rotation), LineWidth32, [](uint32_t c) { return c == MenuDimColour ? MenuDimDrawn : c; });
}

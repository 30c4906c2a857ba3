#include "render/central_pictures.h"

#include <algorithm>
#include <cmath>

#include "arcade/game_state.h"
#include "common/maths.h"
#include "common/random.h"
#include "render/tpoly.h"
#include "settings/settings.h"

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

// Scales, turns and places one picture's segments about (cx, cy).
void PlaceSegments(const VectorPicture& pic, int count, float cx, float cy, float scale, const Turn& turn,
                   int width, std::vector<ScreenSegment>& out) {
    count = std::min(count, pic.Count());
    for (int i = 0; i < count; ++i) {
        const PictureSegment& seg = pic.segments[size_t(i)];
        const float x1 = float(seg.x1) * scale, y1 = float(seg.y1) * scale;
        const float x2 = float(seg.x2) * scale, y2 = float(seg.y2) * scale;
        out.push_back({cx + turn.X(x1, y1), cy + turn.Y(x1, y1), cx + turn.X(x2, y2), cy + turn.Y(x2, y2),
                       seg.colour, width});
    }
}

void Emit(const ScreenSegment& s) {
    TPoly::Line(GlowImage, 0, s.x1, s.y1, s.colour, s.x2, s.y2, s.colour, float(s.width));
}

// One buffer for every drawing: the pictures are drawn many times a frame
// on some screens, and the buffer keeps its room between calls.
std::vector<ScreenSegment>& Scratch() {
    static std::vector<ScreenSegment> buffer;
    buffer.clear();
    return buffer;
}

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

void LandmassSegments(std::vector<ScreenSegment>& out) {
    // The continents sit one pixel below the circle's centre, as drawn.
    PlaceSegments(LandmassShape, LandmassShape.Count(), 512 + ScreenX(), 385 + ScreenY(), EarthRadius / 20,
                  Turn(0), LineWidth24, out);
}

void OverlordSegments(float pulse, std::vector<ScreenSegment>& out) {
    const float k = EarthRadius / 20 + Sin(4 * pulse);
    const float cx = 512 + Sin(pulse) + ScreenX();
    const float cy = 386 - Cos(pulse) + ScreenY();
    PlaceSegments(OverlordShape, OverlordShape.Count(), cx, cy, k, Turn(pulse), LineWidth32, out);
}

void BurstSegments(int rotation, std::vector<ScreenSegment>& out) {
    if (!(BurstSize > 0)) return;
    const float s = BurstAtBase == 1 ? 11 - BurstSize : BurstSize;
    float cx = 512 + ScreenX(), cy = 384 + ScreenY();
    if (BurstAtBase == 1) {
        cx += Sin(BaseAngle) * EarthRadius * BaseOrbitPixels;
        cy -= Cos(BaseAngle) * EarthRadius * BaseOrbitPixels;
    }
    const size_t first = out.size();
    PlaceSegments(BurstShape, BurstShape.Count(), cx, cy, s, Turn(float(rotation)), LineWidth18, out);
    const uint32_t c = SparkleColour();
    for (size_t i = first; i < out.size(); ++i) out[i].colour = c;
}

void TitleLogoScreenSegments(int offsetX, int offsetY, int rotation, float scale, std::vector<ScreenSegment>& out) {
    const size_t first = out.size();
    PlaceSegments(TitleLogo, TitleLogoSegmentCount, ScreenX() + 512 + float(offsetX),
                  ScreenY() + 386 + float(offsetY), scale, Turn(float(rotation)), LineWidth28, out);
    for (size_t i = first; i < out.size(); ++i)
        if (out[i].colour == LogoSparkleColour) out[i].colour = SparkleColour();
}

void MenuPictureSegments(int offsetX, int offsetY, int rotation, std::vector<ScreenSegment>& out) {
    const size_t first = out.size();
    PlaceSegments(MenuPicture, MenuPicture.Count(), ScreenX() + 512 + float(offsetX),
                  ScreenY() + 386 + float(offsetY), 1, Turn(float(rotation)), LineWidth32, out);
    for (size_t i = first; i < out.size(); ++i)
        if (out[i].colour == MenuDimColour) out[i].colour = MenuDimDrawn;
}

void DrawLandmass() {
    std::vector<ScreenSegment>& segs = Scratch();
    LandmassSegments(segs);
    for (const ScreenSegment& s : segs) Emit(s);
}

void DrawOverlord(float pulse) {
    std::vector<ScreenSegment>& segs = Scratch();
    OverlordSegments(pulse, segs);
    for (const ScreenSegment& s : segs) Emit(s);
}

void UpdateBurst(int move, int rotation) {
    if (!(BurstSize > 0)) return;
    std::vector<ScreenSegment>& segs = Scratch();
    BurstSegments(rotation, segs);
    for (const ScreenSegment& s : segs) {
        TPoly::_Begin();
        Emit(s);
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
    std::vector<ScreenSegment>& segs = Scratch();
    TitleLogoScreenSegments(offsetX, offsetY, rotation, scale, segs);
    for (const ScreenSegment& s : segs) Emit(s);
}

void DrawMenuPicture(int offsetX, int offsetY, int rotation) {
    std::vector<ScreenSegment>& segs = Scratch();
    MenuPictureSegments(offsetX, offsetY, rotation, segs);
    for (const ScreenSegment& s : segs) Emit(s);
}

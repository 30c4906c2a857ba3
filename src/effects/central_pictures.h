// The pictures drawn about the centre of the play area: the Earth's
// landmasses, the alien overlord, the burst of a gained or returning base,
// the title logo and the menu picture; and the credits page's picture.
#pragma once

#include <cstdint>

#include "effects/vector_picture.h"

extern VectorPicture LandmassShape;
extern VectorPicture OverlordShape;
extern VectorPicture BurstShape;
extern VectorPicture TitleLogo;
extern VectorPicture MenuPicture;
extern VectorPicture CreditsPicture;

// The burst: 0 = none. With BurstAtBase = 1 it sits on the base and shrinks.
extern float BurstSize;
extern int BurstAtBase;
extern float BurstSpin;  // degrees, 0 to 360

// Logo segments stored in this colour are drawn in a fresh random colour.
constexpr uint32_t LogoSparkleColour = 0xFF3EFF00;
// Menu picture segments stored in this colour are drawn in MenuDimDrawn.
constexpr uint32_t MenuDimColour = 0xFF062400;
constexpr uint32_t MenuDimDrawn = 0xFF004000;
// The logo is drawn with exactly this many segments.
constexpr int TitleLogoSegmentCount = 378;

// The maker's line on the menu, and the older one it alternates with.
inline constexpr const char* CreditLine = "\u00a4 2026 Velvet Comet Arcade";
inline constexpr const char* OldCreditLine = "\u00a4 2025 Velvet Comet Arcade";

// Loads every picture above from data/pictures/ (once, at start-up).
void LoadCentralPictures();
// The credits picture alone, for a start-up that loads it earlier.
void LoadCreditsPicture();

void DrawLandmass();
void DrawOverlord(float pulse);
// Draws the burst; with move = 1 it also grows, spins and ends by itself.
void UpdateBurst(int move, int rotation);
void DrawTitleLogo(int offsetX, int offsetY, int rotation, float scale);
void DrawMenuPicture(int offsetX, int offsetY, int rotation);

// The stroke font every text of the game is drawn with, and the text layouts.
#pragma once

#include <cstdint>
#include <string_view>

extern const char* const GlyphChars;  // index = glyph number; 0 is the space
constexpr int GlyphCount = 55;
constexpr int GlyphColumns = 60;
constexpr int CellSize = 28;
extern int GlyphTable[GlyphCount][GlyphColumns];
extern float PopScale[32];

void LoadGlyphs();
void LoadPopScale();

// Glyph index of a character (lower-cased), -1 when not in the set.
int GlyphIndex(char32_t c);

void DrawVectorText(std::string_view text, float x, float y, uint32_t colour, float angle, float scale,
                    float rowScale, int pixelMode);
void DrawZoomText(std::string_view text, float x, float y, uint32_t colour, float zoomStep, float scale,
                  float rowScale, int pixelMode);
void DrawWideText(std::string_view text, float x, float y, uint32_t colour, float angle, float scale,
                  float rowScale, int pixelMode);
void DrawQuotedTextRow(std::string_view text, float row);
void DrawCentredTextRow(std::string_view text, float row);

// The stroke font every text of the game is drawn with, and the text layouts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The character set in Latin-1 ("\xA4" is the boxed c), so that the byte
// index is the glyph number; 0 is the space.
extern const char* const GlyphChars;
constexpr int GlyphCount = 55;
constexpr int GlyphColumns = 60;
constexpr int CellSize = 28;
extern int GlyphTable[GlyphCount][GlyphColumns];
extern float PopScale[32];

// Reads the glyph source list (built in as "font/glyphs.txt"); a malformed
// list is a build fault and ends the program with a message.
void LoadGlyphs();
// The reading itself: false, with the reason, when the list is malformed.
bool ParseGlyphSource(std::string_view text, int (&table)[GlyphCount][GlyphColumns], std::string& error);
void LoadPopScale();

// Glyph index of a character (lower-cased), -1 when not in the set.
int GlyphIndex(char32_t c);

// Texts are UTF-8; a byte that does not start a valid sequence is read as a
// Latin-1 character on its own. Returns the character at pos and moves past it.
char32_t NextTextChar(std::string_view text, size_t& pos);
// Characters in a text, each of which takes one place when drawn.
int TextLength(std::string_view text);

void DrawVectorText(std::string_view text, float x, float y, uint32_t colour, float angle, float scale,
                    float rowScale, int pixelMode);
void DrawZoomText(std::string_view text, float x, float y, uint32_t colour, float zoomStep, float scale,
                  float rowScale, int pixelMode);
void DrawWideText(std::string_view text, float x, float y, uint32_t colour, float angle, float scale,
                  float rowScale, int pixelMode);
void DrawQuotedTextRow(std::string_view text, float row);
void DrawCentredTextRow(std::string_view text, float row);

// The stroke font: the glyph table read from its data file, and the text
// drawers that lay glyphs out as glow segments.
#include "effects/vector_font.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/maths.h"
#include "common/resources.h"
#include "game/settings.h"
#include "glow/glow.h"

const char* const GlyphChars = " abcdefghijklmnopqrstuvwxyz\xA4" "0123456789.,?=/-+()':;@!*>#";
int GlyphTable[GlyphCount][GlyphColumns];
float PopScale[32];

namespace {

constexpr int MaxSegments = (GlyphColumns - 1) / 4;  // 14
constexpr int PopSteps = 26;

// Whitespace-separated numbers; '#' comments to the end of the line.
struct NumberReader {
    std::string_view text;
    size_t pos = 0;
    int line = 1;

    // The next token, empty at the end.
    std::string_view Next() {
        while (pos < text.size()) {
            const char c = text[pos];
            if (c == '\n') ++line;
            if (c == '#') {
                while (pos < text.size() && text[pos] != '\n') ++pos;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++pos;
            } else {
                break;
            }
        }
        const size_t start = pos;
        while (pos < text.size() && !std::strchr(" \t\r\n#", text[pos])) ++pos;
        return text.substr(start, pos - start);
    }

    template <typename T>
    bool Read(T& value) {
        const std::string_view t = Next();
        if (t.empty()) return false;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
        return ec == std::errc() && end == t.data() + t.size();
    }
};

[[noreturn]] void BuildFault(const char* resource, const std::string& why) {
    std::fprintf(stderr, "orbivore: built-in %s is malformed: %s\n", resource, why.c_str());
    std::exit(1);
}

int FoldCase(char32_t c) { return c >= 'A' && c <= 'Z' ? int(c - 'A' + 'a') : int(c); }

// Draws every glyph of a text; glyphScale sizes the glyphs, scale places them.
void DrawGlyphs(std::string_view text, float x, float y, uint32_t colour, float angle, float glyphScale,
                float scale, float rowScale, int pixelMode, int width) {
    float cx = pixelMode == 1 ? x : x * CellSize * scale;
    const float cy = (pixelMode == 1 ? y : y * CellSize * rowScale) + float(OffsetY);
    const float c = Cos(angle), s = Sin(angle);
    const float w = float(width);
    size_t pos = 0;
    while (pos < text.size()) {
        const int index = GlyphIndex(NextTextChar(text, pos));
        const float gx = cx + float(OffsetX);
        cx += CellSize * scale;
        if (index <= 0) continue;
        const int* g = GlyphTable[index];
        for (int i = 0; i <= g[0]; ++i) {
            const float x1 = float(g[1 + 4 * i]) * glyphScale, y1 = float(g[2 + 4 * i]) * glyphScale;
            const float x2 = float(g[3 + 4 * i]) * glyphScale, y2 = float(g[4 + 4 * i]) * glyphScale;
            TPoly::Line(GlowImage, 0, gx + x1 * c - y1 * s, cy + x1 * s + y1 * c, colour, gx + x2 * c - y2 * s,
                        cy + x2 * s + y2 * c, colour, w);
        }
    }
}

// " " + t + " " until the text is longer than `longer`, at least once.
void DrawPaddedRow(std::string_view text, int longer, float row) {
    const int length = TextLength(text);
    int pad = 1;
    while (length + 2 * pad <= longer) ++pad;
    std::string t(size_t(pad), ' ');
    t.append(text);
    t.append(size_t(pad), ' ');
    DrawVectorText(t, 1, 25 + 1.5f * row, 0xFFFF8080, 0, 0.75f, 0.75f, 0);
}

}  // namespace

bool ParseGlyphSource(std::string_view text, int (&table)[GlyphCount][GlyphColumns], std::string& error) {
    NumberReader in{text};
    std::memset(table, 0, sizeof table);
    for (int glyph = 1; glyph < GlyphCount; ++glyph) {
        int n = 0;
        if (!in.Read(n) || n < 0 || n >= MaxSegments) {
            error = "glyph " + std::to_string(glyph) + " (line " + std::to_string(in.line) +
                    "): segment count must be a number from 0 to " + std::to_string(MaxSegments - 1);
            return false;
        }
        table[glyph][0] = n;
        for (int k = 1; k <= 4 * (n + 1); ++k) {
            if (!in.Read(table[glyph][k])) {
                error = "glyph " + std::to_string(glyph) + " (line " + std::to_string(in.line) +
                        "): expected " + std::to_string(4 * (n + 1)) + " coordinates";
                return false;
            }
        }
    }
    if (!in.Next().empty()) {
        error = "line " + std::to_string(in.line) + ": data after the last glyph";
        return false;
    }
    return true;
}

void LoadGlyphs() {
    std::string error;
    if (!ParseGlyphSource(RequireTextResource("font/glyphs.txt"), GlyphTable, error))
        BuildFault("font/glyphs.txt", error);
}

void LoadPopScale() {
    NumberReader in{RequireTextResource("font/pop_scale.txt")};
    for (float& f : PopScale) f = 0;
    for (int i = 0; i < PopSteps; ++i)
        if (!in.Read(PopScale[i])) BuildFault("font/pop_scale.txt", "expected 26 numbers");
    if (!in.Next().empty()) BuildFault("font/pop_scale.txt", "more than 26 numbers");
}

int GlyphIndex(char32_t c) {
    const int folded = FoldCase(c);
    if (folded <= 0 || folded > 0xFF) return -1;
    for (int i = 0; i < GlyphCount; ++i)
        if (static_cast<unsigned char>(GlyphChars[i]) == folded) return i;
    return -1;
}

char32_t NextTextChar(std::string_view text, size_t& pos) {
    if (pos >= text.size()) {
        pos = text.size();
        return 0;
    }
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int extra = 0;
    char32_t c = lead;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the first continuation byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, c = lead & 0x0F;
        if (lead == 0xE0) lo = 0xA0;  // no overlong forms
        if (lead == 0xED) hi = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, c = lead & 0x07;
        if (lead == 0xF0) lo = 0x90;
        if (lead == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
    }
    bool valid = extra > 0 && pos + size_t(extra) < text.size();
    for (int k = 1; valid && k <= extra; ++k) {
        const unsigned char b = byte(pos + size_t(k));
        if (b < (k == 1 ? lo : 0x80) || b > (k == 1 ? hi : 0xBF)) valid = false;
        c = (c << 6) | (b & 0x3F);
    }
    if (valid) {
        pos += size_t(extra) + 1;
        return c;
    }
    ++pos;
    return lead;
}

int TextLength(std::string_view text) {
    int n = 0;
    for (size_t pos = 0; pos < text.size(); ++n) NextTextChar(text, pos);
    return n;
}

void DrawVectorText(std::string_view text, float x, float y, uint32_t colour, float angle, float scale,
                    float rowScale, int pixelMode) {
    DrawGlyphs(text, x, y, colour, angle, scale, scale, rowScale, pixelMode, LineWidth20);
}

void DrawZoomText(std::string_view text, float x, float y, uint32_t colour, float zoomStep, float scale,
                  float rowScale, int pixelMode) {
    // Steps outside 0..25 are a caller's slip; past the table they draw
    // nothing rather than read beyond it.
    const int index = TruncToInt(25 - double(zoomStep));
    const float zoom = index >= 0 && index < 32 ? PopScale[index] : 0.0f;
    DrawGlyphs(text, x, y, colour, 0, scale * zoom, scale, rowScale, pixelMode, LineWidth16);
}

void DrawWideText(std::string_view text, float x, float y, uint32_t colour, float angle, float scale,
                  float rowScale, int pixelMode) {
    DrawGlyphs(text, x, y, colour, angle, scale, scale, rowScale, pixelMode, LineWidth32);
}

void DrawQuotedTextRow(std::string_view text, float row) {
    std::string t = "'";
    t.append(text);
    t.push_back('\'');
    DrawPaddedRow(t, 46, row);
}

void DrawCentredTextRow(std::string_view text, float row) { DrawPaddedRow(text, 48, row); }

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "common/resources.h"
#include "effects/vector_font.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "glow/glow_options.h"

namespace {

// The pages are drawn from x = 2 at scale 1 with no wrapping, so a line too
// long for the play area loses its last letters off the right edge.
TEST(InstructionPages, EveryLineFitsThePlayArea) {
    LoadGlyphs();
    OffsetX = OffsetY = 0;
    std::vector<GlowSegment> drawn;
    GlowKnobs.capture = &drawn;
    std::istringstream in{std::string(RequireTextResource("text/instructions.txt"))};
    int lines = 0;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        drawn.clear();
        DrawVectorText(line, 2, 9, 0xFFFFFFFF, 0, 1, 1, 0);
        for (const GlowSegment& s : drawn) EXPECT_LE(std::max(s.x1, s.x2), 1024.0f) << '"' << line << '"';
        ++lines;
    }
    GlowKnobs.capture = nullptr;
    EXPECT_GT(lines, 20);
}

}  // namespace

#include <sstream>
#include <string>
#include <vector>

#include "combat/ufo.h"
#include "common/maths.h"
#include "common/resources.h"
#include "effects/central_pictures.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "options/options_screen.h"
#include "platform/platform.h"
#include "ui/key_names.h"
#include "ui/screen.h"

namespace {

// The page texts: "N" opens page N, "*" ends it; '#' lines are comments.
std::vector<std::string> PageLines(int page) {
    std::istringstream in{std::string(RequireTextResource("text/instructions.txt"))};
    std::vector<std::string> lines;
    int current = -1;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (current < 0) {
            if (!line.empty() && line[0] != '#') current = std::atoi(line.c_str());
            continue;
        }
        if (line == "*") {
            if (current == page) break;
            current = -1;
            continue;
        }
        if (current == page) lines.push_back(line);
    }
    return lines;
}

void DrawTextPage(int page, const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const uint32_t colour = i == 0 || lines[i] == "credits:" ? 0xFFFFFF00 : 0xFFFFFFFF;
        DrawVectorText(lines[i], 2, 9 + 1.5f * float(i), colour, 0, 1, 1, 0);
    }
    DrawVectorText("page " + std::to_string(page + 1) + " of 2", 19, 33, 0xFFFF40FF, 0, 0.75f, 0.75f, 0);
    DrawVectorText("press any key to continue", 6, 26.5f, 0xFF4043FF, 0, 1, 1, 0);
}

}  // namespace

void DrawCreditsPicture(float scale, float angle) {
    const float c = Cos(angle), s = Sin(angle);
    const float cx = float(OffsetX) + 512, cy = float(OffsetY) + 256;
    for (const PictureSegment& seg : CreditsPicture.segments) {
        const float x1 = float(seg.x1) * scale, y1 = float(seg.y1) * scale;
        const float x2 = float(seg.x2) * scale, y2 = float(seg.y2) * scale;
        TPoly::Line(GlowImage, 0, cx + x1 * c - y1 * s, cy + x1 * s + y1 * c, seg.colour, cx + x2 * c - y2 * s,
                    cy + x2 * s + y2 * c, seg.colour, float(LineWidth20));
    }
}

int ShowInstructions() {
    Blip();
    FlushKeys();
    const std::vector<std::string> pages[2] = {PageLines(0), PageLines(1)};
    int page = 0, pulse = 1;
    float angle = 0;
    while (page < 2) {
        BeginScreenFrame();
        TPoly::_Begin();
        DrawVectorText("instructions", 0.5f, 2, 0xFF80FF40, 0, 3, 1, 0);
        DrawTextPage(page, pages[page]);
        if (page == 0) DrawUfo(0, -196, 0);
        else DrawCreditsPicture(1 + Sin(float(pulse)), angle);
        TPoly::_End();
        ShowFrame();
        angle += 2;
        if (angle >= 360) angle -= 360;
        if (++pulse >= 180) pulse -= 180;
        ScanKeys();
        if (AnyKeyHit) {
            page++;
            Blip();
        }
    }
    Delay(100);
    FlushKeys();
    TextZoom = 25;
    return 0;
}

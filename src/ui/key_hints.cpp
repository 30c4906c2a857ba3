#include "ui/key_hints.h"

#include "effects/vector_font.h"
#include "game/settings.h"
#include "ui/key_names.h"

namespace {

constexpr float HintScale = 0.55f;
constexpr float HintRowStep = 1.3f;
constexpr uint32_t HintColour = 0xFF80C0FF;

// Names as the key redefinition screen shows them, in the font's lower case.
std::string Named(int code) {
    std::string name = KeyName(code);
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return name;
}

}  // namespace

std::vector<std::string> KeyHintLines() {
    std::vector<std::string> lines{
        Named(KeyLeft) + " and " + Named(KeyRight) + " turn, " + Named(KeyFire) + " fires",
        Named(KeyShield) + " raises a shield, escape pauses",
    };
    if (JoystickOn == 1) lines.push_back("pad: stick or d-pad turns, a fires, b shields");
    return lines;
}

void DrawKeyHints(float firstRow) {
    // The play area is this many cells wide at the hint's scale.
    const float cells = 1024.0f / (28.0f * HintScale);
    float row = firstRow;
    for (const std::string& line : KeyHintLines()) {
        const float x = (cells - float(TextLength(line))) / 2;
        DrawVectorText(line, x, row, HintColour, 0, HintScale, HintScale, 0);
        row += HintRowStep;
    }
}

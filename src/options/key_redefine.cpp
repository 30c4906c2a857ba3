#include <algorithm>
#include <vector>

#include "effects/vector_font.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "options/options_screen.h"
#include "platform/platform.h"
#include "ui/key_names.h"
#include "ui/screen.h"

namespace {

struct GameKey {
    const char* label;
    int* code;
};

void ShowLines(int count, int waitingFor);

const GameKey GameKeys[4] = {
    {"Turn Left", &KeyLeft}, {"Turn Right", &KeyRight}, {"Fire Key", &KeyFire}, {"Shield Key", &KeyShield}};

int Asking = 0;  // the key WaitForKey is asking for

void DrawTitles() {
    BeginScreenFrame();
    TPoly::_Begin();
    DrawVectorText("redefine", 2.5f, 2, 0xFF80FF40, 0, 3, 1, 0);
    DrawVectorText("keys", 4.5f, 5, 0xFF80FF40, 0, 3, 1, 0);
}

// Draws the lines of the first `count` keys with their names, then the
// label of the key being asked for when `waitingFor` < 4.
void DrawKeyLines(int count, int waitingFor) {
    for (int i = 0; i < count; ++i) DrawKeyLine(GameKeys[i].label, *GameKeys[i].code, 3, 9 + 2.0f * float(i), 0);
    if (waitingFor < 4) DrawKeyLine(GameKeys[waitingFor].label, 0, 3, 9 + 2.0f * float(waitingFor), 1);
}

void ShowLines(int count, int waitingFor) {
    DrawTitles();
    DrawKeyLines(count, waitingFor);
    TPoly::_End();
    ShowFrame();
}

}  // namespace

void DrawKeyLine(const char* label, int code, float x, float y, int waiting) {
    DrawVectorText(label, x, y, 0xFFFFFF00, 0, 1, 1, 0);
    if (waiting == 0) DrawVectorText(KeyName(code), x + 12, y, 0xFFFFFF00, 0, 1, 1, 0);
}

int WaitForKey() {
    int captured = 0;
    Delay(100);
    // Whatever is still down now is a press already used: the answer to the
    // question or the key just taken for the function before. Each waits to
    // be let go, so that one press never sets two functions; pressing it
    // again still gives it to this one too.
    std::vector<int> used;
    for (const KeyNameRow* row = KeyNames; row->code != 255; ++row)
        if (KeyDown(row->code)) used.push_back(row->code);
    while (std::any_of(used.begin(), used.end(), [](int code) { return KeyDown(code); })) ShowLines(Asking, Asking);
    FlushKeys();
    while (captured == 0) {
        for (const KeyNameRow* row = KeyNames;; ++row) {
            if (KeyDown(row->code)) captured = row->code;
            if (row->code == 255 || row->code == captured) break;
        }
        // Keys are looked at as states, once a frame, with the question on screen.
        if (captured == 0) ShowLines(Asking, Asking);
    }
    Blip();
    return captured;
}

int RedefineKeys() {
    Blip();
    for (;;) {
        int answer = 0;
        while (answer == 0) {
            DrawTitles();
            DrawKeyLines(4, 4);
            DrawVectorText(" these are the currrent keys", 4.5f, 18.5f, 0xFF80FF40, 0, 1, 1, 0);
            DrawVectorText("do you want to redefine (y/n)", 4.5f, 20, 0xFF80FF40, 0, 1, 1, 0);
            TPoly::_End();
            ShowFrame();
            if (KeyDown(VkN) || KeyDown(VkEscape)) answer = 2;
            else if (KeyDown(VkY)) answer = 1;
        }
        Blip();
        Delay(200);
        FlushKeys();
        if (answer == 2) return 0;
        for (int i = 0; i < 4; ++i) {
            Asking = i;
            ShowLines(i, i);
            *GameKeys[i].code = WaitForKey();
        }
        ShowLines(4, 4);
        Delay(100);
        FlushKeys();
    }
}

#include "ui/yes_no_prompt.h"

#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "platform/platform.h"
#include "ui/pad.h"
#include "ui/screen.h"

int PromptAnswer() {
    int answer = 0;
    if (KeyHit(VkY) || KeyHit(KeyLeft)) answer = 1;
    if (KeyHit(VkN) || KeyHit(KeyRight) || KeyHit(VkEscape)) answer = 2;
    const int pad = PadPromptAnswer();
    return answer == 2 || pad == 0 ? answer : pad;
}

int RunYesNoPrompt(const YesNoPrompt& prompt) {
    constexpr uint32_t White = 0xFFFFFFFF, HintColour = 0xFFFF40FF;
    if (prompt.inGame) Blip();
    TextZoom = 25;
    FlushKeys();
    int answer = 0;
    while (answer == 0) {
        prompt.drawScene();
        DrawZoomText(prompt.question, 11.5f, 20, White, TextZoom, 1, 1, 0);
        DrawVectorText("press right key for no", 14, 28.5f, HintColour, 0, 0.75f, 0.75f, 0);
        DrawVectorText("press left key for yes", 14, 30, HintColour, 0, 0.75f, 0.75f, 0);
        TPoly::_End();
        ShowFrame();
        answer = PromptAnswer();
        if (TextZoom > 0) TextZoom -= 1;
    }
    TextZoom = 25;
    if (prompt.inGame) Delay(100);
    FlushKeys();
    // The question stood while the window was away; its answer covers that.
    ForgetFocusLosses();
    return answer;
}

bool PlayPauseAsked() {
    const bool escape = KeyHit(VkEscape) > 0;
    const bool focusLost = FocusLossHit() > 0;
    const bool padLeaves = PadAsksToLeave();
    return escape || focusLost || padLeaves;
}

void ForgetFocusLosses() {
    FocusLossHit();
    BeginPadWatch();
}

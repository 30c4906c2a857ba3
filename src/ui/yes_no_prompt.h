// The y/n prompt every exit question uses: the menu's and both games'.
#pragma once

// One frame's answer to a y/n prompt: 0 none, 1 yes (Y or KeyLeft, the pad's
// Y), 2 no (N, KeyRight or Escape, the pad's B, Back or Start). No is tested
// last and wins when both come in one frame.
int PromptAnswer();

struct YesNoPrompt {
    const char* question;  // "exit game (y/n)"
    // Starts the frame and draws what stands behind the question (a frozen
    // scene, the menu); the prompt adds its texts and shows the frame.
    void (*drawScene)();
    // The games' prompts blip as they open and wait a moment after the
    // answer, so that the key that answered is not taken up by the game.
    bool inGame;
};

// Asks until the player answers; 1 yes, 2 no. Keys are flushed before and after.
int RunYesNoPrompt(const YesNoPrompt& prompt);

// Whether play must stop for the exit prompt: Escape was hit, or the window
// lost the keyboard's focus or was minimised (the player turned elsewhere),
// or the pad's Start was pressed or the pad in use went away. All are taken,
// so one turn away opens one prompt.
bool PlayPauseAsked();

// Forgets focus losses and pads gone from before a game (menus are not paused).
void ForgetFocusLosses();

// A computer player for the headless runs (the simulator's --bot, the long
// runs and the replay tests). It plays through the keys a person has: the
// turn, fire and shield keys of the settings, and Return to get through the
// menu, the level select and the screens between levels. It sees what the
// screen would show (the game's lists) and nothing else.
#pragma once

#include <vector>

#include "platform/platform.h"

// What the bot wants held this frame of play.
struct BotChoice {
    bool left = false;
    bool right = false;
    bool fire = false;
    bool shield = false;  // a press: the shield key is read as a hit
};

// The keys for a frame of play, from the state the last frame showed.
BotChoice ChooseBotKeys();

// The keys that take the base towards an angle, firing or not, unless an
// incoming shot is about to hit it: then the shield while one is left, or a
// step aside.
BotChoice KeysTowards(float angle, bool fire);

using BotChooser = BotChoice (*)();

// Forgets the keys held and the play seen (a new run).
void ResetBot();

// The bot at the keyboard, run once a frame before the game reads its keys
// (fits SetInputHook): in play it holds what ChooseBotKeys asks for; outside
// play it lets go of everything and taps Return now and then. Another
// player's choices can take the place of ChooseBotKeys.
void BotAtKeyboard(long long frame, std::vector<ScriptedKey>& changes, BotChooser choose = ChooseBotKeys);

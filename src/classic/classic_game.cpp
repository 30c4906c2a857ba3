// One classic game: its start, its frame, and its end.
#include "classic/classic_game.h"

#include "classic/classic_parts.h"
#include "combat/game_lists.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/shots.h"
#include "effects/explosions.h"
#include "effects/particles.h"
#include "game/game_state.h"
#include "game/local_scores.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "online/highscores.h"
#include "online/score_sync.h"
#include "platform/platform.h"
#include "ui/screen.h"
#include "ui/yes_no_prompt.h"

int ClassicLevel = 1;
float ClassicSpeed = 1;
float MarchSpeed = 5;
float DropStep = 16;
int BombCooldown = 100;
int WaveCleared = 0;
int BunkerTurn = 1;
int ClassicWalkToggle = 0;

void StartClassicGame() {
    ClearGameLists();
    PickUpsList.clear();
    EnemiesList.clear();
    RebuildBunkers();
    ClassicSpeed = 1;
    MarchSpeed = 5;
    DropStep = 16;
    ClassicLevel = 1;
    SpawnClassicWave();
    GameOverState = 0;
    BaseX = BaseStartX;
    Lives = ClassicStartLives;
    Frozen = 0;
    EarthRadius = 20;
    BombCooldown = 100;
    ResetGameStats();
    // Not named as a start value, but a game must not begin with the last
    // game's score, wave state or mothership.
    Score = 0;
    WaveCleared = 0;
    BunkerTurn = 1;
    ClassicWalkToggle = 0;
    MothershipOn = 0;
    MothershipFlash = 0;
    FpsClock = float(Millisecs());
}

bool RunClassicFrame() {
    BeginScreenFrame();
    TPoly::_Begin();
    MoveClassicInvaders();
    DrawClassicInvaders();
    DrawClassicGround();
    ClassicControls();
    DrawClassicBase();
    UpdateMothership(1);
    UpdateClassicShots(1);
    UpdateBombs(1);
    UpdateExplosions(0);
    UpdateParticles(1);
    UpdateBunkers();
    DrawClassicHud();
    TPoly::_End();
    bool sequence = false;
    if (Frozen > 0) {
        RunClassicLifeLost();
        sequence = true;
    }
    if ((EnemiesList.empty() || WaveCleared == 1) && Lives > 0) {
        RunClassicNextLevel();
        sequence = true;
    }
    return sequence;
}

void EndClassicGame() { RecordGameResult(ClassicLevel); }

void PlayClassicGame() {
    LastGameMode = 1;
    // The score upload asks for a played game by WavesSpawned, which only the
    // arcade sets; without this a classic-only session could never upload.
    WavesSpawned = 1;
    StartClassicGame();
    FlushKeys();
    ForgetFocusLosses();
    while (GameOverState == 0) {
        // A sequence shows frames of its own; this frame's drawing is gone
        // under them, so it is not shown as well.
        if (!RunClassicFrame()) ShowFrame();
        if (GameOverState == 0 && PlayPauseAsked()) RunClassicExitPrompt();
    }
    EndClassicGame();
    EnemiesList.clear();
    BaseBitsList.clear();
}

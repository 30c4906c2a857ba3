// Setting up a level: its title screen, its parameters, the lists emptied,
// the first wave and the level's combat settings.
#include "arcade/level_setup.h"

#include <string>

#include "audio/sound.h"
#include "combat/formation_text.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/shots.h"
#include "combat/ufo.h"
#include "combat/waves.h"
#include "effects/central_pictures.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "effects/particles.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/levels.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "platform/platform.h"
#include "ui/key_hints.h"
#include "ui/key_names.h"
#include "ui/screen.h"

namespace {

constexpr int TitleBlinkFrames = 20;   // "prepare for action" on, then off, this long
constexpr int TitlePlinkFrames = 40;   // one plink per this many frames
constexpr int TitleLockedFrames = 60;  // a key may end the screen only after these
constexpr int TitleLongestFrames = 300;

void DrawTitleFrame(int level, const std::string& number, const std::string& nameLine, bool blinkOn) {
    BeginScreenFrame();
    TPoly::_Begin();
    DrawTitleLogo(0, 8, 0, 1);
    DrawVectorText("level " + number, 15, 17, 0xFFFFFF00, 0, 1, 1, 0);
    if (!blinkOn) DrawVectorText("prepare for action", 10, 25.5f, 0xFF00FFFF, 0, 1, 1, 0);
    DrawVectorText(nameLine, 12, 24, 0xFF00FFFF, 0, 1, 1, 0);
    if (level >= 1 && level <= LevelTotal) {
        const LevelRow& row = LevelTable[level];
        DrawQuotedTextRow(row.Title, 0);
        if (!row.SecondLine.empty()) DrawQuotedTextRow(row.SecondLine, 1);
    }
    // A new player learns the keys where the game begins, under the title.
    if (level == StartLevel) DrawKeyHints(38.6f);
    TPoly::_End();
    ShowFrame();
}

// Nothing moves here; the screen holds for a second at least, then any key
// ends it, and it ends by itself after five.
void ShowLevelTitle(int level) {
    const std::string nameLine = TitleNameLine(PlayerName);
    const std::string number = LevelNumberText(level);
    ApplyLevelDefaults(level);
    ApplyLevelRow(level);
    bool blinkOn = false;
    int blinkCounter = 0, shown = 0;
    for (;;) {
        DrawTitleFrame(level, number, nameLine, blinkOn);
        if (++blinkCounter >= TitleBlinkFrames) {
            blinkCounter = 0;
            blinkOn = !blinkOn;
        }
        shown += 1;
        if (shown % TitlePlinkFrames == 1) PlaySfx("PlinkSND");
        ScanKeys();
        IntroFrames += 1;
        const bool keyed = LastKeyHit >= 1 && LastKeyHit <= 254 && IntroFrames > TitleLockedFrames;
        if (keyed || IntroFrames > TitleLongestFrames) return;
    }
}

}  // namespace

void SetupLevel(int level) {
    if (SoundOn == 1 && UfoState == 0 && Sound::IsPlaying("ufo3-loop")) Sound::Stop("ufo3-loop");
    PlaySfx("LevelDone");
    FlushKeys();
    ClearScreen();
    ShowFrame();
    IntroFrames = 0;

    ShowLevelTitle(level);

    if (BigEarthLevel == 1) TimeBonus = 36000;
    BaseAngle = 0;
    UfoState = 0;
    BurstSize = 0;
    InvaderMovePattern = 0;
    FireCooldown = 10;
    MaxPlayerShots = 5;
    WavesSpawned = 1;

    EnemyBulletsList.clear();
    PlayerBulletsList.clear();
    ExplosionsList.clear();
    StarsList.clear();
    PickUpsList.clear();
    FlyingTextList.clear();
    EnemiesList.clear();

    SpawnWave(level);
    if (EnemiesList.empty()) SpawnWave(FormationCount);  // the fallback formation
    ApplyLevelCombatSettings(level);

    ClearScreen();
    ShowFrame();
    Delay(125);
    FlushKeys();
}

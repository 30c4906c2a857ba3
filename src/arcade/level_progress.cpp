#include "arcade/level_progress.h"

#include "arcade/level_setup.h"
#include "combat/invaders.h"
#include "combat/ufo.h"
#include "combat/waves.h"
#include "common/random.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "game/game_state.h"
#include "game/settings.h"

bool LevelIsComplete() {
    if (BigEarthLevel == 0 && WavesSpawned == WaveCount && EnemiesList.empty() && ExplosionsList.empty() &&
        FlyingTextList.empty())
        return true;
    if (BigEarthLevel == 1 && EarthRadius < float(BigEarthTarget) && ExplosionsList.empty()) return true;
    // The level ends as the last saucer arrives, so it cannot be shot.
    if (SaucerLevel == 1 && SaucersLeft == 0 && UfoState == 1) return true;
    return BossDeathPhase == 2 && ExplosionsList.empty() && EarthRadius < 5;
}

void CheckLevelProgress() {
    if (BossLevel == 1 && EarthRadius > float(BossBurstRadius) && BossDeathPhase < 2) BossDeathPhase = 1;

    if (!LevelIsComplete()) {
        // At once when the field is clear; while 2 to 8 invaders are left,
        // with chance 1 in 7 each frame.
        const int t = Rand(2, 8);
        if ((InvaderCount < 1 || InvaderCount == t) && WavesSpawned < WaveCount) {
            WavesSpawned += 1;
            SpawnWave(Level);
        }
        return;
    }

    SpawnFlyingText(23, 1);  // "level complete!"
    WavesSpawned = 1;
    Level += 1;
    if (Level == 101 && ClassicUnlocked == 0) {
        // Twice: fire presses still pending from play close the first at once.
        ShowUnlockNotice();
        if (ClassicUnlocked == 0) ShowUnlockNotice();
        ClassicUnlocked = 1;
        HighestLevel = 100;
        Level = 100;
        GameOverState = 1;
    }
    if (GameOverState != 0) return;
    // Raised before the screens, so that a window closed during them keeps
    // the progress.
    if (Level > 100) Level = 100;  // level 100 again once classic mode is open
    if (Level > HighestLevel) {
        HighestLevel = Level;
        SaveProgress();
    }
    if (Level < 100) RunLevelCompletedAnimation();  // not after levels 99 and 100
    if (SaucerLevel == 1) ShowSaucerResult();
    if (BigEarthLevel == 1) ShowTimeBonusResult();
    if (GameOverState == 0) SetupLevel(Level);
}

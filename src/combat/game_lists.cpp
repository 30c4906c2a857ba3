#include "combat/game_lists.h"

#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/shots.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "effects/particles.h"

void ClearGameLists() {
    PlayerBulletsList.clear();
    EnemyBulletsList.clear();
    ExplosionsList.clear();
    StarsList.clear();
    PickUpsList.clear();
    FlyingTextList.clear();
    EnemiesList.clear();
}

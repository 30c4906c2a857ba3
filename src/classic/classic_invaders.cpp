// The marching formation: fifty-five invaders stepping sideways together,
// faster as they thin out, down a step at each edge, bombing as they go and
// crushing the bunkers they walk into.
#include "audio/sound.h"
#include "classic/classic_game.h"
#include "classic/classic_parts.h"
#include "combat/invaders.h"
#include "combat/shots.h"
#include "common/random.h"
#include "effects/particles.h"
#include "game/settings.h"
#include "glow/glow.h"

namespace {

constexpr int Columns = 11, Rows = 5;
constexpr int StepFrames = 8;       // frames between two march steps
constexpr int StepsPerFlip = 3;     // march steps between two animation frames
constexpr float LeftEdge = 25, RightEdge = 1000;
constexpr float BottomLine = 700;   // an invader below it has landed
constexpr float BaseReachY = 647;

void InvaderBox(const Enemies& e, float box[4]) {
    box[0] = e.x - 20, box[1] = e.y - 16, box[2] = 38, box[3] = 32;
}

void PlayMarchSound() {
    if (SoundOn == 1) Sound::Play(ClassicWalkToggle == 0 ? "walk2" : "walk1", 0);
    ClassicWalkToggle = 1 - ClassicWalkToggle;
}

// One step of one invader, when its countdown runs out. True when it would
// have left the field: the step is taken back and the formation turns.
bool StepInvader(Enemies& e, bool& flipped) {
    e.FrameDelay = StepFrames;
    if (++e.SoundToggle >= StepsPerFlip) {
        e.SoundToggle = 0;
        e.FramePlus = 1 - e.FramePlus;
        flipped = true;
    }
    e.x += e.Direction;
    bool turn = false;
    if (e.x > RightEdge || e.x < LeftEdge) {
        e.x -= e.Direction;
        turn = true;
    }
    if (BombCooldown == 0 && Rand(1, 150) == 48) DropBomb(e.x + 31, e.y + 40, 8);
    return turn;
}

// An invader low enough to reach the bunkers crushes the blocks of one of
// them; the bunkers take turns, one per invader.
void CrushBunker(const Enemies& e) {
    float box[4];
    InvaderBox(e, box);
    for (auto it = BaseBitsList.begin(); it != BaseBitsList.end();) {
        if (it->nr == BunkerTurn && BoxesTouch(box[0], box[1], box[2], box[3], float(it->x), float(it->y),
                                               BlockSize, BlockSize)) {
            SpawnParticles(it->x, it->y, 10, 0);
            it = BaseBitsList.erase(it);
        } else {
            ++it;
        }
    }
    BunkerTurn = BunkerTurn % 4 + 1;
}

// 0 the base stands, 1 an invader walked into it, 2 one has landed.
int InvaderReachesBase(const Enemies& e) {
    if (e.y > BottomLine) return 2;
    float box[4];
    InvaderBox(e, box);
    if (e.y > BaseReachY && BoxesTouch(box[0], box[1], box[2], box[3], float(BaseX) - BaseHalfWidth,
                                       BaseContactTop, 2 * BaseHalfWidth, BaseBoxHeight))
        return 1;
    return 0;
}

}  // namespace

void SpawnClassicInvader(int column, int row, int kind) {
    Enemies e;
    e.x = float(column * 62 + 231);
    e.y = float(row * 62 + 159);
    e.Frame = kind;
    e.Direction = MarchSpeed;
    e.FramePlus = 0;
    e.FrameDelay = 10;
    e.HitPoints = 2;
    e.Score = kind * 10;
    EnemiesList.push_back(e);
}

void SpawnClassicWave() {
    int kind = 3;
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            SpawnClassicInvader(column, row, kind);
            const int made = row * Columns + column + 1;
            if (made == 11) kind = 2;
            if (made == 33) kind = 1;
        }
    }
}

float ClassicMarchStep(int n, float speed) {
    if (n >= 50) return speed + 8;
    if (n >= 40) return speed + 10;
    if (n >= 30) return speed + 13;
    if (n >= 20) return speed + 16;
    if (n >= 15) return speed + 19;
    if (n >= 10) return speed + 25;
    return speed + 28;
}

void MoveClassicInvaders() {
    if (BombCooldown > 0) BombCooldown--;
    MarchSpeed = ClassicMarchStep(int(EnemiesList.size()), ClassicSpeed);
    bool turn = false, flipped = false;
    for (Enemies& e : EnemiesList) {
        e.Direction = e.Direction < 0 ? -MarchSpeed : MarchSpeed;
        if (--e.FrameDelay <= 0 && StepInvader(e, flipped)) turn = true;
    }
    if (flipped) PlayMarchSound();

    for (const Enemies& e : EnemiesList)
        if (e.y >= BunkerZoneTop && e.y <= BunkerZoneBottom) CrushBunker(e);

    int reached = 0;
    if (ClassicBaseAlive())
        for (const Enemies& e : EnemiesList)
            if (const int r = InvaderReachesBase(e); r > reached) reached = r;
    if (reached > 0) {
        Frozen = LifeLostFrames;
        WaveCleared = 1;
        if (SoundOn == 1) Sound::Play("BaseExplosion", 0);
        SpawnParticles(BaseX, int(BaseBombTop), 20, 0);
    }
    if (reached == 2) {
        // Landed: nothing of this formation is left to fight.
        EnemiesList.clear();
        SpawnClassicWave();
        RebuildBunkers();
        return;
    }

    if (turn)
        for (Enemies& e : EnemiesList) {
            e.Direction = -e.Direction;
            e.y += DropStep;
        }
}

void DrawClassicInvaders() {
    for (const Enemies& e : EnemiesList) {
        const int s = InvaderShapeNumber(e);
        if (s < 1 || s >= InvaderShapeCount) continue;
        const auto& shape = InvaderShapes[0][s];
        const int n = shape[0][0];
        const float cx = e.x + float(OffsetX), cy = e.y + float(OffsetY);
        for (int k = 0; k < n && k < InvaderShapeSlots; ++k) {
            const uint32_t colour = uint32_t(shape[k][1]);
            TPoly::Line(GlowImage, 0, cx + float(shape[k][2]), cy + float(shape[k][3]), colour,
                        cx + float(shape[k][4]), cy + float(shape[k][5]), colour, float(LineWidth20));
        }
    }
}

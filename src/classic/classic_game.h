// The classic mode: five rows of eleven invaders march sideways and step
// down at the edges, four crumbling bunkers shield a base that moves along
// the ground and fires upwards, and a mothership crosses the top now and
// then. It reuses the arcade's records and lists (Enemies, PlayerBullets,
// EnemyBullets), its effects, its sounds and Lives, Score, BaseX, Frozen and
// GameOverState; what only this mode has is declared here.
#pragma once

#include <cstdint>
#include <list>
#include <string>

struct Picture;

// ---- the bunkers ----

// One 6 x 6 block of a bunker.
struct BaseBits {
    int x = 0, y = 0;  // top-left corner, play-area pixels
    int nr = 0;        // bunker 1 to 4
};
extern std::list<BaseBits> BaseBitsList;

constexpr int BunkerColumns = 16, BunkerRows = 12, BlockSize = 6;
// Row by row, 0 a block, 1 empty; read from data/classic/bunker.txt.
extern int BunkerBitmap[BunkerColumns * BunkerRows];
constexpr int BunkerY = 572;
constexpr int BunkerXs[4] = {124, 350, 580, 806};

// The 12 x 12 picture every block is drawn with ("res\base.png").
extern Picture* BunkerBlockImage;

// Start-up: the bitmap from its data file (a damaged one ends the program).
void LoadBunkerBitmap();
// A block at (x + 6 column, y + 6 row) for every block of the bitmap.
void BuildBunker(int x, int y, int nr);
// All four bunkers afresh, whatever was left of them.
void RebuildBunkers();
// Removes every block whose centre lies within `radius` pixels of (x, y);
// the first one removed gets 10 sparks. Returns how many went.
int BiteBunkers(float x, float y, float radius);
// Draws every block; then the player shots bite into the blocks they touch.
void UpdateBunkers();
// The blocks alone (the frozen scene behind the exit prompt).
void DrawBunkers();

// ---- game state ----

extern int ClassicLevel;    // wave number, shown as two digits
extern float ClassicSpeed;  // speed base, one more per wave
extern float MarchSpeed;    // sideways step of an invader, recomputed every frame
extern float DropStep;      // pixels the formation steps down at an edge
extern int BombCooldown;    // frames before the invaders may bomb
extern int WaveCleared;     // 1 once an invader has destroyed the base
extern int BunkerTurn;      // the bunker (1..4) the next invader tests for contact
extern int ClassicWalkToggle;  // which march sound comes next

// The mothership: present flag, x of its centre, 1 flying right, 2 left.
extern int MothershipOn;
extern float MothershipX;
extern float MothershipDirection;
// Frames left of the white flash after it was hit.
extern int MothershipFlash;

constexpr int ClassicStartLives = 3;
constexpr int BaseStartX = 168;
constexpr int BaseGroundY = 736;  // where the base's outline has its origin
constexpr int LifeLostFrames = 180;

// ---- invaders ----

void SpawnClassicWave();
void SpawnClassicInvader(int column, int row, int kind);
// The size of the sideways step for n invaders left.
float ClassicMarchStep(int invadersLeft, float speed);
void MoveClassicInvaders();
// Every invader at its animation frame, with the arcade outlines.
void DrawClassicInvaders();

// ---- shots and bombs ----

void DropBomb(float x, float y, float speed);
void FireClassicShot();
// move = 0 only draws (the frozen scene).
void UpdateClassicShots(int move);
void UpdateBombs(int move);
void UpdateMothership(int move);
// The mothership lets go of ten bombs side by side.
void DropBombCurtain();

// ---- the base, the ground and the display ----

// Destroys the base: the life-lost sequence follows in this frame.
void DestroyClassicBase();
void ClassicControls();
void DrawClassicBase();
void DrawClassicGround();
void DrawClassicHud();
// "score: 0001230" and "lvl:07", as the display shows them.
std::string ClassicScoreText();
std::string ClassicLevelText();

// ---- the game ----

// Runs one classic game from the menu; records its score when it ends.
void PlayClassicGame();
// Game start: lists emptied, bunkers built, the first wave, state reset.
void StartClassicGame();
// One frame of play, without showing it; true when a sequence ran (its
// frames were shown, this one's drawing is overdrawn).
bool RunClassicFrame();
void RunClassicNextLevel();
void RunClassicLifeLost();
void RunClassicExitPrompt();
// The score recorded like an arcade game's, with ClassicLevel as the level.
void EndClassicGame();

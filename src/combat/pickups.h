// Pickups: the symbols that destroyed invaders and UFOs drop, which fall to
// the Earth and start a powerup when the base catches them; the powerups
// themselves; and the combat settings each level starts with.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <string_view>

struct PickUps {
    int x = 0;  // unused: the position follows from angle and radius
    int y = 0;
    int count = 0;
    int angle = 0;        // direction from the field centre, degrees
    float rotate = 0;     // spin of the symbol, 0 <= rotate < 360
    int rotatespeed = 1;  // +1 or -1 degree a frame
    int radius = 0;       // pixels from the field centre
    int WhichOne = 0;     // pickup kind, also the symbol drawn
    float DropSpeed = 0;  // 0.1..0.6; below 1, so a pickup falls one pixel a frame
    int ExtraLife = 0;    // 7 for a UFO's pickup; nothing reads it
};

extern std::list<PickUps> PickUpsList;

// The symbols 1..16, each the common frame followed by its emblem, in slots
// of 9: [0] the number of the last segment (read from slot 0), [1] colour
// ARGB, [2..5] x1, y1, x2, y2, [6..8] red, green, blue. Row 0 stays empty.
constexpr int PickupSymbolCount = 16;
constexpr int PickupSlots = 18;
extern int32_t PickupShapes[PickupSymbolCount + 1][PickupSlots][9];

// Start-up: the frame and emblems from data/pictures/pickup_*.txt.
void LoadPickupShapes();

// Drops a pickup at orbit distance `radius` (orbit units) and `angle`. Kind:
// the level's LevelPickupKind (20 and 21 pick one at random), or `specific`
// when above 0. Levels whose LevelPickupKind is 0 drop nothing at all.
void SpawnPickup(int radius, int angle, int extra, int specific);

// The pickup pass: move = 1 spins, drops, catches and loses pickups and
// draws them; move = 0 only draws.
void UpdatePickups(int move);

// One symbol at (x, y) in field pixels, turned by `rotation` degrees.
void DrawPickup(float x, float y, int rotation, int kind);

// Starts the effect of a caught pickup (kinds 1..14), with its caption.
void ApplyPowerup(int kind);

// SpecificPowerup = value on every invader of kind `kind`.
void MarkCarriers(int value, int kind);

// The settings a level plays with on top of its row (starting powerups,
// movement pattern, fire rates, Earth growth, hint captions). Called at the
// level's set-up and after every lost life; hints show only at set-up.
void ApplyLevelCombatSettings(int level);

// Start-up: reads the per-level settings from data/levels/combat_settings.txt.
void LoadLevelCombatSettings();
// The same from text; "" when every line is sound, else "line N: what" for
// the first faulty one (the table is then left empty).
std::string ParseLevelCombatSettings(std::string_view text);

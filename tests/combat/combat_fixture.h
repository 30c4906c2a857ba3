// Shared set-up of the combat tests: a headless platform (no OpenGL, virtual
// time, scripted keys), the game state of a fresh level, empty lists, and a
// record of every glow segment drawn.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "arcade/arcade_game.h"
#include "combat/base.h"
#include "combat/game_lists.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/shots.h"
#include "combat/ufo.h"
#include "common/maths.h"
#include "common/random.h"
#include "effects/central_pictures.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "effects/particles.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/levels.h"
#include "game/settings.h"
#include "glow/glow_options.h"
#include "platform/platform.h"

class CombatTest : public ::testing::Test {
public:
    std::vector<GlowSegment> drawn;

    void SetUp() override {
        KeyLeft = 37, KeyRight = 39, KeyFire = 162, KeyShield = 164, JoystickOn = 0;
        Start({});
    }
    void TearDown() override {
        GlowKnobs.capture = nullptr;
        PlatformStop();
    }

    // Restarts the platform with these scripted keys (frame 0 applies at once).
    void Start(const std::vector<ScriptedKey>& keys) {
        PlatformStop();
        PlatformOptions options;
        options.kind = PlatformKind::HeadlessNoGL;
        options.script = keys;
        options.frameLimit = 20000;
        ASSERT_TRUE(PlatformStart(options));
        static bool loaded = false;
        if (!loaded) {
            LoadBaseShape();
            LoadInvaderShapes();
            LoadUfoShapes();
            LoadGlyphs();
            LoadBaseShapeTable();
            LoadCaptionShapes();
            loaded = true;
        }
        SeedRandom(99);
        ClearGameLists();
        EnemiesList.clear();
        PickUpsList.clear();
        Score = 0, Lives = 4, Shields = 5, Level = 1;
        EarthRadius = 20, BaseAngle = 0;
        PowerupKind = 0, PowerupTime = 0, PowerupDecay = 1, PowerupBarShown = 1, DoubleBasePending = 0;
        FireDelay = 10, FireCooldown = 0, MaxPlayerShots = 5, PlayerShotCount = 0;
        BaseShieldLook = 0, Frozen = 0, UfoState = 0, BossDeathPhase = 0, BossLevel = 0, BigEarthLevel = 0;
        SaucerLevel = 0, WaveCount = 3, WavesSpawned = 1, TimeBonus = 0, GameOverState = 0;
        EarthGrowPerHit = 0.2f, EarthShrinkPerKill = 0.4f, EarthShrinkSteps = 0;
        SaucersShot = 0, LevelPickupKind = 0, OffsetX = 0, OffsetY = 0, SoundOn = 0;
        ResetGameStats();
        GlowKnobs.capture = &drawn;
    }

    // One invader at an orbit place, its centre set as the invader pass would.
    Enemies& AddInvader(float angle, float radius, int kind = 1, int hitPoints = 1) {
        Enemies e;
        e.angle = angle, e.radius = radius, e.Frame = kind, e.Score = kind * 10, e.HitPoints = hitPoints;
        e.x = 512 + Sin(angle) * radius * 5.8f;
        e.y = 384 - Cos(angle) * radius * 5.8f;
        EnemiesList.push_back(e);
        return EnemiesList.back();
    }

    // An invader shot whose tail stands at field point (x, y) once placed.
    EnemyBullets& AddInvaderShotAt(float x, float y, float speed = -3) {
        EnemyBullets s;
        const float dx = x - 512, dy = 384 - y;
        s.angle = TruncToInt(std::atan2(dx, dy) / DegToRad);
        s.startradius = 0;
        s.Radius = std::sqrt(dx * dx + dy * dy) + 8;
        s.RadiusSpeed = speed;
        s.x = s.xcenter = x, s.y = s.ycenter = y;
        EnemyBulletsList.push_back(s);
        return EnemyBulletsList.back();
    }

    template <typename Pass>
    std::vector<GlowSegment> DrawnBy(Pass pass) {
        drawn.clear();
        pass();
        return drawn;
    }
};

// Whether `part` appears in `whole` as one unbroken run of segments.
inline bool DrawsRun(const std::vector<GlowSegment>& whole, const std::vector<GlowSegment>& part) {
    if (part.empty() || part.size() > whole.size()) return part.empty();
    for (size_t i = 0; i + part.size() <= whole.size(); ++i) {
        bool same = true;
        for (size_t j = 0; same && j < part.size(); ++j) {
            const GlowSegment &a = whole[i + j], &b = part[j];
            same = a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.colour1 == b.colour1;
        }
        if (same) return true;
    }
    return false;
}

// Shared set-up of the classic-mode tests: a headless platform with scripted
// keys, the tables the mode draws with, a fresh game and a record of every
// glow segment drawn.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "arcade/arcade_game.h"
#include "classic/classic_game.h"
#include "classic/classic_parts.h"
#include "combat/base.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/shots.h"
#include "combat/ufo.h"
#include "common/random.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "glow/glow_options.h"
#include "platform/platform.h"
#include "ui/screen.h"

class ClassicTest : public ::testing::Test {
public:
    std::vector<GlowSegment> drawn;

    void SetUp() override { Start({}); }
    void TearDown() override {
        GlowKnobs.capture = nullptr;
        PlatformStop();
    }

    // Restarts the platform with these scripted keys and begins a new game.
    void Start(const std::vector<ScriptedKey>& keys, long long frameLimit = 20000) {
        PlatformStop();
        PlatformOptions options;
        options.kind = PlatformKind::HeadlessNoGL;
        options.script = keys;
        options.frameLimit = frameLimit;
        ASSERT_TRUE(PlatformStart(options));
        static bool loaded = false;
        if (!loaded) {
            LoadBaseShape();
            LoadInvaderShapes();
            LoadUfoShapes();
            LoadGlyphs();
            LoadBunkerBitmap();
            loaded = true;
        }
        KeyLeft = 37, KeyRight = 39, KeyFire = 162, JoystickOn = 0;
        SoundOn = 0, OffsetX = 0, OffsetY = 0, GlowAmount = 0, ShowFps = 0;
        ApplyGlowAmount();
        SeedRandom(7);
        StartClassicGame();
        GlowKnobs.capture = &drawn;
    }

    // Every invader but the first n.
    static void KeepInvaders(size_t n) {
        while (EnemiesList.size() > n) EnemiesList.pop_back();
    }

    template <typename Pass>
    std::vector<GlowSegment> DrawnBy(Pass pass) {
        drawn.clear();
        pass();
        return drawn;
    }
};

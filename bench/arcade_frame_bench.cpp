// A busy frame of the arcade mode: the largest wave of the game, 150 invader
// shots in flight (as on the no-weapon levels), 15 player shots and the
// deflect shield, with the fire key held. Measured: the frame's logic passes
// plus building the glow vertices of every segment they draw. Then the
// invader pass alone over the whole wave, with 15 power shots that miss
// (each one is still tested against every segment end of every invader).
#include <benchmark/benchmark.h>

#include <vector>

#include "arcade/formations.h"
#include "busy_frame.h"
#include "arcade/game_state.h"
#include "arcade/hud.h"
#include "arcade/levels.h"
#include "arcade/waves.h"
#include "combat/base.h"
#include "combat/base_lost.h"
#include "combat/controls.h"
#include "combat/earth.h"
#include "combat/invaders.h"
#include "combat/shots.h"
#include "common/random.h"
#include "platform/platform.h"
#include "render/explosions.h"
#include "render/flying_text.h"
#include "render/glow_capture.h"
#include "render/particles.h"
#include "render/tpoly.h"
#include "render/vector_font.h"
#include "settings/settings.h"

namespace {

constexpr size_t InvaderShots = 150, PlayerShots = 15;

std::vector<GlowSegment> Frame;
std::list<Enemies> LargestWave;

void LoadEverything() {
    static bool done = false;
    if (done) return;
    done = true;
    PlatformOptions options;
    options.kind = PlatformKind::HeadlessNoGL;
    options.script = {{0, KeyFire, true}};
    PlatformStart(options);
    LoadLevelTable();
    LoadWaveFormations();
    LoadInvaderShapes();
    LoadBaseShape();
    LoadBaseShapeTable();
    LoadGlyphs();
    // The level whose wave is the largest, released once and kept.
    for (int level = 1; level <= LevelTotal; ++level) {
        EnemiesList.clear();
        ApplyLevelDefaults(level);
        ApplyLevelRow(level);
        SpawnWave(level);
        if (EnemiesList.size() > LargestWave.size()) LargestWave = EnemiesList;
    }
    // Brought in to where they are drawn whole and shoot, clear of the base.
    for (Enemies& e : LargestWave) e.radius = 40 + (e.radius - 80) * 0.5f;
}

void TopUp() {
    while (EnemyBulletsList.size() < InvaderShots) {
        EnemyBullets s;
        s.angle = Rand(0, 359);
        s.startradius = float(Rand(30, 60));
        s.Radius = s.startradius;
        s.RadiusSpeed = -3;
        EnemyBulletsList.push_back(s);
    }
    while (PlayerBulletsList.size() < PlayerShots) {
        PlayerBullets s;
        s.angle = Rand(0, 359);
        s.startradius = 20;
        s.radius = float(Rand(10, 300));
        PlayerBulletsList.push_back(s);
    }
    if (EnemiesList.size() < LargestWave.size() / 2) EnemiesList = LargestWave;
}

void Prepare() {
    LoadEverything();
    SeedRandom(3);
    EnemiesList = LargestWave;
    PlayerBulletsList.clear();
    EnemyBulletsList.clear();
    ExplosionsList.clear();
    StarsList.clear();
    FlyingTextList.clear();
    Lives = 4, Shields = 5, Score = 123456, Level = 17, WaveCount = 3, WavesSpawned = 1;
    BaseShieldLook = 2, PowerupKind = 0, PowerupTime = 60, PowerupBarShown = 1;
    MaxPlayerShots = 40, FireDelay = 10, Frozen = 0;
    GlowCapture = &Frame;
}

void BuildVertices() {
    float strip[TPoly::StripFloats];
    for (const GlowSegment& s : Frame) {
        TPoly::BuildLineStrip(strip, s.x1, s.y1, s.colour1, s.x2, s.y2, s.colour2, s.width);
        benchmark::DoNotOptimize(strip);
    }
}

void DrawBusyFrame() {
    DrawBase(BaseAngle, 0);
    UpdatePlayerShots();
    UpdateInvaderShots();
    UpdateInvaders();
    UpdateExplosions(0);
    DrawHud();
    HandlePlayerControls();
    UpdateParticles(1);
    UpdateFlyingTexts(1);
}

void BM_BusyArcadeFrame(benchmark::State& state) {
    Prepare();
    double segments = 0, invaders = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TopUp();
        EarthRadius = 20;
        BaseAngle = float(Rand(0, 359));
        Frame.clear();
        state.ResumeTiming();
        DrawBusyFrame();
        if (FireCooldown > 0) FireCooldown--;
        EarthUpkeep();
        CheckBaseLost();
        BuildVertices();
        segments += double(Frame.size());
        invaders += double(EnemiesList.size());
    }
    state.counters["segments/frame"] = segments / double(state.iterations());
    state.counters["invaders"] = invaders / double(state.iterations());
    state.counters["wave"] = double(LargestWave.size());
    GlowCapture = nullptr;
}
BENCHMARK(BM_BusyArcadeFrame)->Unit(benchmark::kMicrosecond);

void BM_InvaderPassWholeWave(benchmark::State& state) {
    Prepare();
    InvaderFireChance = 39;  // no shots fired: the wave stays as it is
    for (size_t i = 0; i < PlayerShots; ++i) {
        PlayerBullets s;
        s.x = s.xcenter = float(10 + 60 * i), s.y = s.ycenter = 5;  // along the top edge, clear of the wave
        s.Powerup = 4;
        PlayerBulletsList.push_back(s);
    }
    double segments = 0;
    for (auto _ : state) {
        state.PauseTiming();
        EnemiesList = LargestWave;  // the same wave in the same places every frame
        Frame.clear();
        state.ResumeTiming();
        UpdateInvaders();
        BuildVertices();
        segments += double(Frame.size());
    }
    state.counters["segments/frame"] = segments / double(state.iterations());
    state.counters["invaders"] = double(EnemiesList.size());
    GlowCapture = nullptr;
}
BENCHMARK(BM_InvaderPassWholeWave)->Unit(benchmark::kMicrosecond);

}  // namespace

std::vector<GlowSegment> CaptureBusyArcadeFrame() {
    Prepare();
    TopUp();
    EarthRadius = 20;
    BaseAngle = 30;
    // What a wave's end brings on top: explosions, their particles and captions.
    LoadCaptionShapes();
    for (int i = 0; i < 6; ++i) {
        const int x = 150 + 140 * i, y = 200 + 70 * (i % 3);
        SpawnExplosion(x, y, StarBurst, float(60 * i));
        SpawnExplosion(x, y, ShockRing, 0);
        SpawnExplosion(x, y, DebrisStreaks, float(60 * i));
        SpawnParticles(x, y, 2, 2);
    }
    SpawnFlyingText(1, 0);
    SpawnFlyingText(5, 0);
    // A few frames on, so everything is under way and on the screen.
    for (int i = 0; i < 12; ++i) {
        Frame.clear();
        DrawBusyFrame();
    }
    GlowCapture = nullptr;
    return Frame;
}

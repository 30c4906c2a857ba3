// The busiest arcade frame, built by the game's own passes on a platform
// without OpenGL, and drawn again from its glow segments.
#include "busy_frame.h"

#include "arcade/hud.h"
#include "combat/base.h"
#include "combat/controls.h"
#include "combat/formations.h"
#include "combat/shots.h"
#include "combat/waves.h"
#include "common/random.h"
#include "common/resources.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "effects/particles.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/levels.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "platform/platform.h"

std::vector<GlowSegment> BusyFrameSegments;

namespace {

std::list<Enemies> Largest;

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
        if (EnemiesList.size() > Largest.size()) Largest = EnemiesList;
    }
    // Brought in to where they are drawn whole and shoot, clear of the base.
    for (Enemies& e : Largest) e.radius = 40 + (e.radius - 80) * 0.5f;
}

}  // namespace

const std::list<Enemies>& LargestWave() { return Largest; }

void TopUpBusyFrame() {
    while (EnemyBulletsList.size() < BusyInvaderShots) {
        EnemyBullets s;
        s.angle = Rand(0, 359);
        s.startradius = float(Rand(30, 60));
        s.Radius = s.startradius;
        s.RadiusSpeed = -3;
        EnemyBulletsList.push_back(s);
    }
    while (PlayerBulletsList.size() < BusyPlayerShots) {
        PlayerBullets s;
        s.angle = Rand(0, 359);
        s.startradius = 20;
        s.radius = float(Rand(10, 300));
        PlayerBulletsList.push_back(s);
    }
    if (EnemiesList.size() < Largest.size() / 2) EnemiesList = Largest;
}

void PrepareBusyFrame() {
    LoadEverything();
    SeedRandom(3);
    EnemiesList = Largest;
    PlayerBulletsList.clear();
    EnemyBulletsList.clear();
    ExplosionsList.clear();
    StarsList.clear();
    FlyingTextList.clear();
    Lives = 4, Shields = 5, Score = 123456, Level = 17, WaveCount = 3, WavesSpawned = 1;
    BaseShieldLook = 2, PowerupKind = 0, PowerupTime = 60, PowerupBarShown = 1;
    MaxPlayerShots = 40, FireDelay = 10, Frozen = 0;
    GlowKnobs.capture = &BusyFrameSegments;
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

std::vector<GlowSegment> CaptureBusyArcadeFrame() {
    PrepareBusyFrame();
    TopUpBusyFrame();
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
        BusyFrameSegments.clear();
        DrawBusyFrame();
    }
    GlowKnobs.capture = nullptr;
    return BusyFrameSegments;
}

const Picture* LoadGlowPictures() {
    const ResourceBytes dot = FindResource("res\\dot.png"), sky = FindResource("res\\backdrop.png");
    GlowImage = dot ? LoadPicturePng(dot.data, dot.size, "res\\dot.png") : nullptr;
    const Picture* backdrop = sky ? LoadPicturePng(sky.data, sky.size, "res\\backdrop.png") : nullptr;
    if (!GlowImage || !backdrop) {
        GlowImage = nullptr;
        return nullptr;
    }
    MidHandle(GlowImage);
    TPoly::Initialise();
    return backdrop;
}

void DrawGlowSegments(const std::vector<GlowSegment>& frame) {
    int shape = 0;  // the invaders are drawn as the shapes they were drawn in
    for (const GlowSegment& s : frame) {
        if (s.shape != shape) {
            if (shape) TPoly::EndShape();
            if ((shape = s.shape)) TPoly::BeginShape(s.shapeX, s.shapeY);
        }
        TPoly::Line(GlowImage, 0, s.x1, s.y1, s.colour1, s.x2, s.y2, s.colour2, s.width);
    }
    if (shape) TPoly::EndShape();
}

// Program start-up: built-in tables, sounds, settings, the display, then the
// main menu; the orderly end saves the settings. The simulator runs the very
// same routine on the headless platform.
#include "app/startup.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "app/main_menu.h"
#include "app/mode_dispatch.h"
#include "arcade/level_progress.h"
#include "audio/sound.h"
#include "classic/classic_game.h"
#include "combat/base.h"
#include "combat/formations.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/ufo.h"
#include "common/random.h"
#include "common/resources.h"
#include "effects/central_pictures.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "effects/vector_font.h"
#include "game/levels.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "online/network_library.h"
#include "options/display_mode.h"
#include "ui/screen.h"

namespace {

Picture* LoadBuiltInPicture(const char* name) {
    const ResourceBytes bytes = FindResource(name);
    Picture* pic = bytes ? LoadPicturePng(bytes.data, bytes.size, name) : nullptr;
    if (!pic) {
        std::fprintf(stderr, "orbivore: %s\n",
                     bytes ? PlatformError().c_str() : (std::string("missing built-in picture ") + name).c_str());
    }
    return pic;
}

// Whatever size the file holds is tried, with its offsets; only a size that
// cannot be opened, or a height below 768 that cannot hold the play area,
// gives the default window instead.
void OpenStartDisplay() {
    if (ScreenHeight < 768 || ScreenWidth < 1 || !OpenDisplay(ScreenWidth, ScreenHeight, FullScreen != 0, WindowTitle)) {
        ScreenWidth = 1024, ScreenHeight = 768, FullScreen = 0, OffsetX = 0, OffsetY = 0;
        if (!OpenDisplay(1024, 768, false, WindowTitle)) throw PlatformError();
    }
    RememberOpenMode();
}

// The time of day in milliseconds, not the time since start: that would be
// nearly the same small number at every launch, and so would the games.
uint32_t WallClockSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace

int RunOrbivore(const PlatformOptions& options, long long seed, bool saveSettings) {
    if (!PlatformStart(options)) {
        std::fprintf(stderr, "orbivore: no display: %s\n", PlatformError().c_str());
        return 1;
    }
    int code = 0;
    // Saved only once read: an end before that must not overwrite the file
    // with defaults.
    bool settingsLoaded = false;
    try {
        SeedRandom(seed >= 0 ? uint32_t(seed) : WallClockSeed());
        LoadLevelTable();
        LoadWaveFormations();  // a "waves.dat" beside the game replaces the built-in ones
        // A missing network library leaves the online functions inert.
        BindNetworkLibrary();
        NetSetServer(ScoreServerText());
        LoadCaptionShapes();
        // Without an audio device the game runs silently.
        LoadAllSounds();
        LoadPopScale();
        LoadBaseShapeTable();
        LoadBaseShape();
        LoadInvaderShapes();
        LoadUfoShapes();
        LoadPickupShapes();
        LoadLevelCombatSettings();
        LoadLevelCompletePicture();
        LoadCentralPictures();
        LoadBunkerBitmap();
        LoadSettings();
        settingsLoaded = true;
        if (saveSettings) SetDisplayLostHook([] { SaveSettings(); });
        // The stored glow strength, not the built-in normal one, from the
        // first frame on.
        ApplyGlowAmount();
        try {
            OpenStartDisplay();
        } catch (const std::string& why) {
            std::fprintf(stderr, "orbivore: no display: %s\n", why.c_str());
            CloseAudio();
            PlatformStop();
            return 1;
        }
        SetPlayViewport(OffsetX, OffsetY);
        SetDisplayToggleHook(ToggleFullScreen);
        SaveSettingsAsItGoes(saveSettings);
        GlowImage = LoadBuiltInPicture("res\\dot.png");
        MidHandle(GlowImage);
        BackdropImage = LoadBuiltInPicture("res\\backdrop.png");
        BunkerBlockImage = LoadBuiltInPicture("res\\base.png");
        ClassicTeaseImage = LoadBuiltInPicture("res\\l100tease.png");
        if (!GlowImage) throw ProgramQuit{};
        NetSetKey(std::string("t41vb7k") + "Qz81Rk3m");
        TPoly::Initialise();
        LoadGlyphs();
        const ResourceBytes plainFont = FindResource("fonts/DejaVuSansMono.ttf");
        SetPlainTextFont(plainFont.data, plainFont.size);
        if (MusicOn == 1) Sound::Play("Menu-loop", 1);
        RunMainMenu();
    } catch (const ProgramQuit&) {
        // The orderly end: window closed, frame limit reached, or the menu left.
    }
    // A file that cannot be written is reported by SaveSettings; the program
    // still ends the orderly way.
    if (settingsLoaded && saveSettings) SaveSettings();
    SaveSettingsAsItGoes(false);
    CloseAudio();
    PlatformStop();
    return code;
}

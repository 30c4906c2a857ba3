#include "app/command_line.h"

#include <cstdio>
#include <string>

#include "common/file_places.h"
#include "online/score_sync.h"

namespace {

const char* const Usage = "usage: orbivore [--help | --version]\n";

const char* const About =
    "Orbivore, an arcade shooter drawn in glowing vector lines. The Earth sits in\n"
    "the middle of the field; your base turns on its rim and fires outwards at\n"
    "the invaders circling in. Run without arguments to play.\n"
    "\n"
    "  --help     show this and end\n"
    "  --version  show the version and end\n"
    "\n"
    "Keys (fire, shield and turning can be redefined in the options):\n"
    "  Cursor Left / Right   turn the base around the Earth\n"
    "  Left Control          fire\n"
    "  Left Alt              raise a shield\n"
    "  Escape                exit prompt (y/n)\n"
    "  F11, Alt+Return       window or full screen\n"
    "  Arrows and Return     choose in the menus; Tab opens the options\n"
    "  F12 (options)         show the frame rate\n"
    "\n"
    "A game controller (on under \"Gamepad\" in the options, or from its first\n"
    "press): d-pad or left stick turns and moves through the menus, A fires and\n"
    "chooses, B or a shoulder raises a shield, B or Back goes back, Start opens\n"
    "the exit prompt; Y answers yes. Mappings for controllers SDL does not know:\n"
    "SDL_GAMECONTROLLERCONFIG, or gamecontrollerdb.txt in the settings' folder.\n"
    "\n";

void PrintFiles() {
    const FilePlaces& places = ThisCopy();
    std::printf("Files:\n");
    if (!places.installed) {
        std::printf(
            "  This copy is not installed: it keeps its settings and scores\n"
            "  (OrbivoreSettings.dat), an optional waves.dat and the music files\n"
            "  (Menu-loop.ogg, Ingame-loop.ogg) in the folder it is started from.\n");
        return;
    }
    const std::string folder = PlayersFolder();
    std::printf("  Settings and scores (OrbivoreSettings.dat), an optional waves.dat and\n"
                "  the network cache: %s\n",
                folder.empty() ? "the folder it is started from (HOME is not set)" : folder.c_str());
    std::printf("  Music: Menu-loop.ogg and Ingame-loop.ogg from that folder if the player\n"
                "  put some there, else from %s\n",
                places.dataFolder.c_str());
}

}  // namespace

int HandleCommandLine(int argc, char** argv) {
    if (argc <= 1) return -1;
    const std::string arg = argv[1];
    if (argc == 2 && arg == "--help") {
        std::printf("%s%s", Usage, About);
        PrintFiles();
        return 0;
    }
    if (argc == 2 && arg == "--version") {
        std::printf("orbivore %s\n", GameVersion);
        return 0;
    }
    const std::string bad = argc > 2 && (arg == "--help" || arg == "--version") ? argv[2] : arg;
    std::fprintf(stderr, "orbivore: unknown argument '%s'\n%s", bad.c_str(), Usage);
    return 2;
}

// The game's sounds, in the order that gives each its channel.
#include "audio/sound.h"

#include <SDL_mixer.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/file_places.h"

namespace {

const char* const EffectPaths[] = {
    "res\\alienscream.ogg",   "res\\pumoreinvaders.ogg", "res\\pulessinvaders.ogg", "res\\putrippleshot.ogg",
    "res\\puspeeddown.ogg",   "res\\puspeedup.ogg",      "res\\pugrowearth.ogg",    "res\\pushrinkearth.ogg",
    "res\\puextralife.ogg",   "res\\pushieldon.ogg",     "res\\pubeamweapon.ogg",   "res\\puufo.ogg",
    "res\\pudoublebase.ogg",  "res\\pupowershots.ogg",   "res\\BaseExplosion.ogg",  "res\\LevelCompleted.ogg",
    "res\\Fire1.ogg",         "res\\Fire2.ogg",          "res\\Fire3.ogg",          "res\\Boom.ogg",
    "res\\Walk1.ogg",         "res\\Walk2.ogg",          "res\\EarthHit.ogg",       "res\\BulletHitBullet.ogg",
    "res\\BaseDestroyed.ogg", "res\\BlipSND.ogg",        "res\\Meow.ogg",           "res\\ShieldHit.ogg",
    "res\\Ding.ogg",          "res\\PlinkSND.ogg",       "res\\BounceOffRock.ogg",  "res\\Bzzt.ogg",
    "res\\ufo3-loop.ogg",     "res\\LevelDone.ogg",      "res\\AlienDie.ogg",
};

// Not built in: streamed while they play. The player's own copy in the
// working folder comes first, then an installed game's.
const char* const MusicFiles[] = {"Menu-loop.ogg", "Ingame-loop.ogg"};

enum class Found { Missing, NotOgg, Ogg };

Found LookAt(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Found::Missing;
    char magic[4] = {};
    in.read(magic, sizeof magic);
    return in && std::memcmp(magic, "OggS", 4) == 0 ? Found::Ogg : Found::NotOgg;
}

// A file that is there but will not play is said once; the game goes on
// with the next place, or without that music. Exactly one load per music,
// found or not, so the sounds loaded after it keep their channels.
int LoadMusic(const char* file) {
    if (!AudioIsOpen()) return Sound::Load(file, 1);
    std::string places[] = {file, ThisCopy().dataFolder.empty() ? "" : ThisCopy().dataFolder + "/" + file};
    for (const std::string& path : places) {
        if (path.empty()) continue;
        const Found found = LookAt(path);
        if (found == Found::NotOgg)
            std::fprintf(stderr, "orbivore: %s is not an Ogg Vorbis file; skipped\n",
                         std::filesystem::absolute(path).c_str());
        if (found != Found::Ogg) continue;
        if (Sound::Load(path, 1)) return 1;
        std::fprintf(stderr, "orbivore: cannot play %s: %s\n", path.c_str(), Mix_GetError());
        return 0;
    }
    return Sound::Load(file, 1);
}

}  // namespace

int LoadAllSounds() {
    OpenAudio();
    int loaded = 0;
    for (const char* path : EffectPaths) loaded += Sound::Load(path, 1);
    for (const char* file : MusicFiles) loaded += LoadMusic(file);
    return loaded;
}

// The game's sounds, in the order that gives each its channel.
#include "audio/sound.h"

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

// Beside the program, not built in: streamed while they play.
const char* const MusicFiles[] = {"Menu-loop.ogg", "Ingame-loop.ogg"};

}  // namespace

int LoadAllSounds() {
    OpenAudio();
    int loaded = 0;
    for (const char* path : EffectPaths) loaded += Sound::Load(path, 1);
    for (const char* file : MusicFiles) loaded += Sound::Load(file, 1);
    return loaded;
}

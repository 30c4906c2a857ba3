// Silent stand-in for the sound wrapper until it lands; it goes then.
#include "audio/sound.h"

int Sound::Play(std::string_view, int) { return 0; }
int Sound::IsPlaying(std::string_view) { return 0; }
void Sound::Stop(std::string_view) {}

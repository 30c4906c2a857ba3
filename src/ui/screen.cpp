#include "ui/screen.h"

#include "audio/sound.h"
#include "game/settings.h"
#include "glow/glow.h"

Picture* BackdropImage = nullptr;

void BeginScreenFrame() {
    ClearScreen();
    if (BackgroundOn == 1) DrawBackdrop(BackdropImage, float(OffsetX), float(OffsetY));
}

void PlaySfx(const char* name) {
    if (SoundOn == 1) Sound::Play(name, 0);
}

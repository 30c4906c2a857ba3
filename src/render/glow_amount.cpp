// Definitions of the settings the renderer reads, until the settings file's
// own module owns them (then this file goes).
#include "render/glow_settings.h"

int GlowAmount = 0;
int OffsetX = 0;
int OffsetY = 0;

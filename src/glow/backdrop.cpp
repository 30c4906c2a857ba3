// The backdrop on either path.
#include "glow/glow.h"

#include "glow/full/glow_batch.h"
#include "glow/split/glow_halo.h"

void DrawBackdrop(const Picture* backdrop, float x, float y) {
    if (!backdrop) return;
    const bool fitsPlayArea = backdrop->width == PlayWidth && backdrop->height == PlayHeight &&
                              backdrop->handleX == 0 && backdrop->handleY == 0;
    if (fitsPlayArea && GlowSplitPathReady()) {
        GlowHaloAddBackdrop(backdrop->texture, DisplayScale() == 1.0f);
        return;
    }
    DrawPicture(backdrop, x, y, 1.0f);
}

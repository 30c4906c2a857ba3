// The picture behind every screen.
#pragma once

#include "platform/platform.h"

// Draws an opaque picture the size of the play area with its top-left
// corner at (x, y), the play area's corner. On the split glow path it waits
// for the end of the frame and is added in the halo's full-screen pass: a
// software rasterizer pays dearly for every full-screen pass, and as light
// only adds, the picture comes out the same. Elsewhere it is drawn at once.
void DrawBackdrop(const Picture* backdrop, float x, float y);

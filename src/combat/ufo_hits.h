// What the shots and the beam share about hitting the UFO.
#pragma once

// The UFO's rim segment in field pixels: x1, y1, x2, y2.
struct RimSegment {
    float x1, y1, x2, y2;
};
RimSegment UfoRimSegment();

// The UFO is gone: its explosions and sparks at (x, y), its pickup, 1000
// points. The caller adds what only its own kind of hit does.
void DestroyUfo(int x, int y);

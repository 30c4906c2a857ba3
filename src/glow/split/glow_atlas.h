// Kept halos of shapes that come back frame after frame, for the split glow
// path (glow_halo.h). An invader is some twenty short lines whose halos pile
// up on each other: on a software rasterizer the 144 invaders of a large
// wave cost more than everything else in the frame. Their outlines come in
// a few thousand forms (every whole degree of a handful of shapes), so each
// form's halo is drawn once into a cell of an atlas at the halo's resolution
// and from then on added into the halo picture as one filtered square. The
// cores stay lines: they are sharp and cheap.
// Used by glow_batch only.
#pragma once

#include <vector>

#include "glow/full/glow_batch.h"
#include "glow/split/glow_quads.h"

// Makes the atlas for a halo picture at 1/divisor of the play area (kept
// while the divisor stays); haloTexture is the halo part of the dot. False
// where no atlas can be had: shapes are then drawn as lines.
bool GlowShapesPrepare(int divisor, unsigned haloTexture);

// One shape's line strips (TPoly's 8-vertex ones, at their places on the
// screen) about the point (x, y). Its halo becomes a square from the atlas,
// drawn or looked up; where that cannot be (the shape is too large, or the
// frame has drawn its share of new cells) its lines go into `halo` instead.
void GlowShapesAdd(const std::vector<GlowVertex>& strips, float x, float y, GlowQuadBatch& halo);

// Draws the frame's new cells into the atlas; then, into the framebuffer
// bound (the halo picture), the squares of every shape added. Each returns
// the draw calls it made and leaves OpenGL's state as it found it.
int GlowShapesRenderCells();
int GlowShapesDrawSquares();

// Drops what was added and not drawn; cells that were never drawn are
// forgotten.
void GlowShapesDiscard();

// A new frame: its share of new cells starts again.
void GlowShapesEndFrame();

// Forgets the atlas (the OpenGL context is going away or was replaced).
void GlowShapesForget();

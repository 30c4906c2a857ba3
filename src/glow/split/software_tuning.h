// Every choice the split path makes for a software rasterizer (Mesa's
// llvmpipe, which fills pixels on the CPU), each with what it measured on the
// heaviest frame of level 69 on a 2-core machine (BENCHMARKS.md has the runs).
// A graphics card takes the full path and none of this applies.
#pragma once

#include <cstdint>

// The halo picture's resolution: 1/2 of the play area to start with, 1/4 as
// the lighter step. Half: 122 -> 28 CPU ms a frame; quarter: 21 (atlas run).
constexpr int HalfHaloDivisor = 2;
constexpr int LightestHaloDivisor = 4;

// The halo is read nearest-texel: it is smooth, and a filtered read cost a
// seventh of the frame.
constexpr bool HaloNearestTexels = true;

// The core's faintest rim (alpha under 3) is left out of the core quads:
// narrower quads touch fewer of the rasterizer's blocks, 1.56 -> 1.25 px
// wide, the pictures within 0.002 dB.
constexpr uint8_t CoreFaintestKept = 3;

// The composite reads the halo picture as a plain screen-aligned texture,
// which Mesa fills on a fast path only when the picture is kept blue first,
// there is no depth buffer and the quad comes in a round of its own (a
// glFlush before it): 2.5 -> 1.0 ms a frame. The halo picture's layers are
// made blue first to match (backdrop_layers.cpp), so this is no switch.

// Invader halos are kept in an atlas, drawn once per form: 30 % off the half
// halo's CPU, 15 % off the quarter's. At most this many new cells a frame, so
// a wave's first frame costs no more than drawing its lines; 1,792 cells (about
// 12 MB) held 97 to 99 % of the bot's invaders on level 69.
constexpr int AtlasMostNewCellsAFrame = 48;
constexpr int AtlasMostCells = 1792;

// Two choices are the platform's, made before the renderer exists, as the
// context is opened (src/platform/display.cpp):
//   - no depth buffer (nothing is depth-tested; needed for the fast path above);
//   - one rasterizer thread more than there are cores (LP_NUM_THREADS, unless
//     the player set it): the slowest percent of frames 18-22 -> 16-19 ms.

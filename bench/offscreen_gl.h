// What the OpenGL benchmarks share: the offscreen display with the glow dot
// and the backdrop loaded, and the clocks they read.
#pragma once

#include "platform/platform.h"

// Opens the 1024 x 768 offscreen OpenGL display once (again after another
// benchmark started a platform without OpenGL). False when there is none.
bool OpenOffscreen();

// The game's backdrop, loaded on the display OpenOffscreen opened.
const Picture* OffscreenBackdrop();

// CPU time of the calling thread, and of the whole process (the software
// rasterizer's threads included), in milliseconds.
double ThreadCpuMs();
double ProcessCpuMs();

// The one-minute load average, to print beside every figure.
double LoadAverage();

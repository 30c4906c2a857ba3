// The split glow path's small shader programs (glow_quads, glow_halo).
#pragma once

// Compiles and links a vertex and a fragment shader, their sampler
// `sampler` reading texture unit 0. 0 where OpenGL has no shaders or either
// does not compile or link.
unsigned LinkGlowProgram(const char* vertexSource, const char* fragmentSource, const char* sampler);

#pragma once

// One JSON line on standard output: frames, wall time, segments and the game globals.
void PrintSimStats(long long wallMs);

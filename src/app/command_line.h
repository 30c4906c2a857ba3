// The program's manners on the command line. A run without arguments is the
// game; --help and --version answer and end it; anything else is refused
// before a window opens or a file is touched.
#pragma once

// -1 when the game should start, else the exit code to end with at once.
int HandleCommandLine(int argc, char** argv);

// The OpenGL driver keeps memory that only its own globals point to. When
// the platform stops, SDL unloads the driver and the leak checker of the
// sanitizer build reports that memory. Holding every library that is loaded
// now for the rest of the process keeps it reachable.
#pragma once

void PinLoadedLibraries();

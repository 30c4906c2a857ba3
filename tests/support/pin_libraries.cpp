#include "support/pin_libraries.h"

#include <dlfcn.h>

#include <fstream>
#include <set>
#include <string>

void PinLoadedLibraries() {
    std::ifstream maps("/proc/self/maps");
    std::set<std::string> seen;
    for (std::string line; std::getline(maps, line);) {
        const size_t slash = line.find('/');
        if (slash == std::string::npos) continue;
        const std::string path = line.substr(slash);
        if (path.find(".so") == std::string::npos || !seen.insert(path).second) continue;
        dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);  // never closed, on purpose
    }
}

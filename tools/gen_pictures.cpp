// Build-time tool: draws the built-in raster pictures and writes them as PNG
// files into the folder given on the command line (under res/).
#include <cstdio>
#include <string>

#include "pictures/picture_makers.h"
#include "pictures/png_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orbivore-gen-pictures OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    for (const NamedPicture& named : AllBuiltInPictures()) {
        if (!WritePng(dir + "/" + named.name, named.make())) {
            std::fprintf(stderr, "orbivore-gen-pictures: cannot write %s/%s\n", dir.c_str(), named.name);
            return 1;
        }
    }
    return 0;
}

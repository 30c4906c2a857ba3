// Build-time tool: draws the built-in raster pictures and writes them as PNG
// files into the folder given on the command line (under res/).
#include <png.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "pictures/picture_makers.h"

namespace {

bool WritePng(const std::string& path, const RgbaPicture& pic) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, pic.width, pic.height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < pic.height; ++y)
        png_write_row(png, reinterpret_cast<png_const_bytep>(&pic.pixels[size_t(y) * pic.width * 4]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

}  // namespace

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

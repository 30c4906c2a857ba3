// The raster pictures built into the game are drawn by code at build time.
// Each maker returns one RGBA picture; AllBuiltInPictures lists them with the
// file names they are built in under.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width x height x 4, rows top to bottom

    RgbaPicture(int w, int h) : width(w), height(h), pixels(size_t(w) * h * 4, 0) {}
    void Set(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
        uint8_t* p = &pixels[(size_t(y) * width + x) * 4];
        p[0] = r, p[1] = g, p[2] = b, p[3] = a;
    }
};

struct NamedPicture {
    const char* name;  // "res/dot.png"
    RgbaPicture (*make)();
};

RgbaPicture MakeGlowDot();
RgbaPicture MakeBackdrop();
RgbaPicture MakeBunkerBlock();
RgbaPicture MakeClassicTease();

const std::vector<NamedPicture>& AllBuiltInPictures();

#include "picture_makers.h"

const std::vector<NamedPicture>& AllBuiltInPictures() {
    static const std::vector<NamedPicture> pictures = {
        {"res/dot.png", MakeGlowDot},
        {"res/backdrop.png", MakeBackdrop},
        {"res/base.png", MakeBunkerBlock},
        {"res/l100tease.png", MakeClassicTease},
    };
    return pictures;
}

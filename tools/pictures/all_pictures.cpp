#include "picture_makers.h"

const std::vector<NamedPicture>& AllBuiltInPictures() {
    static const std::vector<NamedPicture> pictures = {
        {"res/dot.png", MakeGlowDot},
        {"res/backdrop.png", MakeBackdrop},
    };
    return pictures;
}

// Writes a picture drawn at build time as an RGBA PNG file.
#pragma once

#include <string>

#include "pictures/picture_makers.h"

// False when the file cannot be written.
bool WritePng(const std::string& path, const RgbaPicture& pic);

// Decoded Ogg Vorbis for the sound tests.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct DecodedSound {
    bool ok = false;
    int rate = 0;
    int channels = 0;
    std::vector<float> samples;  // interleaved

    size_t Frames() const { return channels > 0 ? samples.size() / size_t(channels) : 0; }
    double Seconds() const { return rate > 0 ? double(Frames()) / rate : 0; }
};

DecodedSound DecodeOggBytes(const unsigned char* data, size_t size);
DecodedSound DecodeOggFile(const std::string& path);

// Root mean square of frames [from, to), all channels.
double Rms(const DecodedSound& s, size_t from, size_t to);
double Peak(const DecodedSound& s);

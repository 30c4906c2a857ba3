// Writes samples as an Ogg Vorbis file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `samples` interleaved, -1..1. `serial` names the stream; a fixed one keeps
// builds byte-for-byte repeatable. False when the file cannot be written.
bool WriteOggVorbis(const std::string& path, const std::vector<float>& samples, int channels, int rate,
                    float quality, uint32_t serial);

// The loudest sample of an Ogg Vorbis file as it decodes; -1 when it does not.
float DecodedPeak(const std::string& path);

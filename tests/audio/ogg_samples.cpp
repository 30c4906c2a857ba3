#include "audio/ogg_samples.h"

#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

struct Memory {
    const unsigned char* data;
    size_t size;
    size_t at;
};

size_t ReadMemory(void* out, size_t size, size_t count, void* source) {
    Memory& m = *static_cast<Memory*>(source);
    const size_t n = std::min(size * count, m.size - m.at);
    std::memcpy(out, m.data + m.at, n);
    m.at += n;
    return size ? n / size : 0;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
    Memory& m = *static_cast<Memory*>(source);
    const ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? ogg_int64_t(m.at) : ogg_int64_t(m.size);
    if (base + offset < 0 || base + offset > ogg_int64_t(m.size)) return -1;
    m.at = size_t(base + offset);
    return 0;
}

long TellMemory(void* source) { return long(static_cast<Memory*>(source)->at); }

}  // namespace

DecodedSound DecodeOggBytes(const unsigned char* data, size_t size) {
    DecodedSound out;
    Memory memory{data, size, 0};
    const ov_callbacks callbacks{ReadMemory, SeekMemory, nullptr, TellMemory};
    OggVorbis_File file;
    if (ov_open_callbacks(&memory, &file, nullptr, 0, callbacks) != 0) return out;
    const vorbis_info* info = ov_info(&file, -1);
    out.rate = int(info->rate);
    out.channels = info->channels;
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        const long frames = ov_read_float(&file, &pcm, 4096, &section);
        if (frames < 0) {
            ov_clear(&file);
            return out;
        }
        if (frames == 0) break;
        for (long i = 0; i < frames; ++i)
            for (int c = 0; c < out.channels; ++c) out.samples.push_back(pcm[c][i]);
    }
    ov_clear(&file);
    out.ok = true;
    return out;
}

DecodedSound DecodeOggFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.empty()) return {};
    return DecodeOggBytes(bytes.data(), bytes.size());
}

double Rms(const DecodedSound& s, size_t from, size_t to) {
    to = std::min(to, s.Frames());
    if (from >= to) return 0;
    double sum = 0;
    for (size_t i = from * size_t(s.channels); i < to * size_t(s.channels); ++i) sum += double(s.samples[i]) * s.samples[i];
    return std::sqrt(sum / double((to - from) * size_t(s.channels)));
}

double Peak(const DecodedSound& s) {
    double m = 0;
    for (float x : s.samples) m = std::fmax(m, std::fabs(x));
    return m;
}

#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

bool WritePage(std::FILE* f, const ogg_page& page) {
    return std::fwrite(page.header, 1, size_t(page.header_len), f) == size_t(page.header_len) &&
           std::fwrite(page.body, 1, size_t(page.body_len), f) == size_t(page.body_len);
}

}  // namespace

bool WriteOggVorbis(const std::string& path, const std::vector<float>& samples, int channels, int rate,
                    float quality, uint32_t serial) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = true;

    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) {
        vorbis_info_clear(&info);
        std::fclose(f);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "ENCODER", "orbivore-gen-sounds");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, int(serial & 0x7fffffff));

    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    // The headers get pages of their own, so audio starts on a fresh page.
    while (ogg_stream_flush(&stream, &page) != 0) ok = ok && WritePage(f, page);

    const size_t frames = samples.size() / size_t(channels);
    const size_t chunk = 1024;
    bool end = false;
    for (size_t done = 0; !end;) {
        const size_t now = std::min(chunk, frames - done);
        if (now == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, int(now));
            for (size_t i = 0; i < now; ++i)
                for (int c = 0; c < channels; ++c) buffer[c][i] = samples[(done + i) * size_t(channels) + size_t(c)];
            vorbis_analysis_wrote(&dsp, int(now));
            done += now;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    ok = ok && WritePage(f, page);
                    if (ogg_page_eos(&page)) end = true;
                }
            }
        }
    }

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return std::fclose(f) == 0 && ok;
}

float DecodedPeak(const std::string& path) {
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0) return -1;
    float peak = 0;
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        const long frames = ov_read_float(&file, &pcm, 4096, &section);
        if (frames < 0) peak = -1;
        if (frames <= 0) break;
        for (int c = 0; c < ov_info(&file, -1)->channels; ++c)
            for (long i = 0; i < frames; ++i) peak = std::fmax(peak, std::fabs(pcm[c][i]));
    }
    ov_clear(&file);
    return peak;
}

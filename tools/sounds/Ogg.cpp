// Ogg: writing the music as Ogg Vorbis with libvorbis, from the same samples every run.
#include "Ogg.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <fstream>

#include "Synth.h"

namespace {

// Low enough for the site and the handheld, high enough that the squares keep their edge.
constexpr float kQuality = 0.0F;
// The stream's serial number is fixed, not drawn, so that every run writes the same bytes.
constexpr int kSerial = 1;
constexpr long kBlock = 4096;

}  // namespace

bool writeOgg(const std::string& path, const std::vector<std::int16_t>& samples) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 1, synth::kSampleRate, kQuality) != 0) {
        vorbis_info_clear(&info);
        return false;
    }
    vorbis_comment comment;  // no tags: nothing that changes from one run to the next
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, kSerial);

    std::string bytes;
    ogg_page page;
    const auto putPage = [&bytes, &page] {
        bytes.append(reinterpret_cast<const char*>(page.header), page.header_len);
        bytes.append(reinterpret_cast<const char*>(page.body), page.body_len);
    };
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &header, &comments, &codebooks);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    // The headers on pages of their own, as decoders expect.
    while (ogg_stream_flush(&stream, &page) != 0) {
        putPage();
    }
    const auto size = static_cast<long>(samples.size());
    for (long from = 0;; from += kBlock) {
        const long count = std::min(kBlock, size - from);
        if (count > 0) {
            float* channel = vorbis_analysis_buffer(&dsp, static_cast<int>(count))[0];
            for (long i = 0; i < count; ++i) {
                channel[i] = static_cast<float>(samples[from + i]) / 32768.0F;
            }
        }
        // A count of 0 ends the stream.
        vorbis_analysis_wrote(&dsp, static_cast<int>(std::max(count, 0L)));
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    putPage();
                }
            }
        }
        if (count <= 0) {
            break;
        }
    }
    while (ogg_stream_flush(&stream, &page) != 0) {
        putPage();
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

#include "parameter_sets.h"

#include <cstring>

namespace korvane::media {

namespace {

constexpr uint8_t kH265Vps = 0x40, kH265Sps = 0x42, kH265LayerAndTid = 0x01;
constexpr uint8_t kH264NalTypeMask = 0x9F, kH264Sps = 0x07; // forbidden bit and type

// Calls visit(header, bytes left) for every NAL unit after a 00 00 01 start code until it returns true.
template <typename Visit> void forEachNalHeader(const uint8_t *data, size_t size, Visit &&visit)
{
    size_t i = 2;
    while (i + 2 < size) {
        const void *one = memchr(data + i, 1, size - 2 - i);
        if (!one) return;
        i = size_t(static_cast<const uint8_t *>(one) - data);
        if (data[i - 1] == 0 && data[i - 2] == 0 && visit(data + i + 1)) return;
        ++i;
    }
}

AVCodecID codecOf(uint32_t encodeType) { return encodeType == 5 ? AV_CODEC_ID_HEVC : AV_CODEC_ID_H264; }

} // namespace

uint32_t encodeTypeOfParameterSets(const uint8_t *data, size_t size)
{
    uint32_t type = 0;
    forEachNalHeader(data, size, [&](const uint8_t *nal) {
        if ((nal[0] == kH265Vps || nal[0] == kH265Sps) && nal[1] == kH265LayerAndTid)
            type = 5;
        else if ((nal[0] & kH264NalTypeMask) == kH264Sps)
            type = 2;
        return type != 0;
    });
    return type;
}

ParameterSetReader::Parser *ParameterSetReader::parserFor(uint32_t encodeType)
{
    Parser &slot = encodeType == 5 ? h265_ : h264_;
    if (!slot.parser) {
        slot.parser.reset(av_parser_init(codecOf(encodeType)));
        slot.context.reset(avcodec_alloc_context3(nullptr));
        if (!slot.parser || !slot.context) return nullptr;
        slot.parser->flags |= PARSER_FLAG_COMPLETE_FRAMES;
    }
    return &slot;
}

VideoFormat ParameterSetReader::read(const uint8_t *data, size_t size)
{
    VideoFormat format;
    format.encodeType = encodeTypeOfParameterSets(data, size);
    Parser *p = format.encodeType ? parserFor(format.encodeType) : nullptr;
    if (!p || size > INT32_MAX) return format;
    uint8_t *out = nullptr;
    int outSize = 0;
    av_parser_parse2(p->parser.get(), p->context.get(), &out, &outSize, data, int(size), AV_NOPTS_VALUE,
                     AV_NOPTS_VALUE, 0);
    if (p->parser->width > 0 && p->parser->height > 0) {
        format.width = uint32_t(p->parser->width);
        format.height = uint32_t(p->parser->height);
    }
    return format;
}

std::vector<uint8_t> extractParameterSets(uint32_t encodeType, const uint8_t *data, size_t size)
{
    const AVBitStreamFilter *filter = av_bsf_get_by_name("extract_extradata");
    AVBSFContext *raw = nullptr;
    if (!filter || size > INT32_MAX || av_bsf_alloc(filter, &raw) < 0) return {};
    AvPtr<AVBSFContext> bsf(raw);
    bsf->par_in->codec_type = AVMEDIA_TYPE_VIDEO;
    bsf->par_in->codec_id = codecOf(encodeType);
    AvPtr<AVPacket> packet(av_packet_alloc());
    if (!packet || av_bsf_init(bsf.get()) < 0 || av_new_packet(packet.get(), int(size)) < 0) return {};
    memcpy(packet->data, data, size);
    if (av_bsf_send_packet(bsf.get(), packet.get()) < 0 || av_bsf_receive_packet(bsf.get(), packet.get()) < 0)
        return {};
    size_t extraSize = 0;
    const uint8_t *extra = av_packet_get_side_data(packet.get(), AV_PKT_DATA_NEW_EXTRADATA, &extraSize);
    return extra ? std::vector<uint8_t>(extra, extra + extraSize) : std::vector<uint8_t>{};
}

} // namespace korvane::media

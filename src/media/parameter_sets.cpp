#include "parameter_sets.h"

#include <algorithm>
#include <cstring>

namespace korvane::media {

namespace {

constexpr uint8_t kH265Vps = 0x40, kH265Sps = 0x42, kH265LayerAndTid = 0x01;
constexpr uint8_t kH264NalTypeMask = 0x9F, kH264Sps = 0x07; // forbidden bit and type
constexpr size_t kMaxSpsBytes = 4096;

// Calls visit(NAL unit, bytes up to the next start code) for every NAL unit after a 00 00 01
// start code until it returns true.
template <typename Visit> void forEachNal(const uint8_t *data, size_t size, Visit &&visit)
{
    auto nextStart = [&](size_t from) {
        for (size_t i = std::max<size_t>(from, 2); i < size; ++i) {
            const void *one = memchr(data + i, 1, size - i);
            if (!one) return size;
            i = size_t(static_cast<const uint8_t *>(one) - data);
            if (data[i - 1] == 0 && data[i - 2] == 0) return i + 1;
        }
        return size;
    };
    size_t begin = nextStart(2);
    while (begin < size) {
        const size_t next = nextStart(begin);
        size_t end = next < size ? next - 3 : size;
        if (next < size && end > begin && data[end - 1] == 0) --end; // four-byte start code
        if (visit(data + begin, end > begin ? end - begin : 0)) return;
        begin = next;
    }
}

bool isH265ParameterSet(const uint8_t *nal, size_t size)
{
    return size >= 2 && (nal[0] == kH265Vps || nal[0] == kH265Sps) && nal[1] == kH265LayerAndTid;
}

bool isH264Sps(const uint8_t *nal, size_t size)
{
    return size >= 1 && (nal[0] & kH264NalTypeMask) == kH264Sps;
}

// Exp-Golomb reader over a NAL unit with its emulation-prevention bytes removed. Reading past
// the end sets a flag instead of reading out of bounds; the caller checks it once at the end.
class BitReader
{
public:
    BitReader(const uint8_t *nal, size_t size)
    {
        const size_t n = std::min(size, kMaxSpsBytes);
        rbsp_.reserve(n);
        int zeros = 0;
        for (size_t i = 0; i < n; ++i) {
            if (zeros >= 2 && nal[i] == 3) {
                zeros = 0;
                continue;
            }
            zeros = nal[i] == 0 ? zeros + 1 : 0;
            rbsp_.push_back(nal[i]);
        }
    }

    uint32_t bits(int count)
    {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = (value << 1) | bit();
        return value;
    }
    uint32_t ue()
    {
        int leadingZeros = 0;
        while (bit() == 0 && !overrun_)
            if (++leadingZeros > 31) return fail();
        if (leadingZeros == 0) return 0;
        return uint32_t((uint64_t(1) << leadingZeros) - 1 + bits(leadingZeros));
    }
    int32_t se()
    {
        const uint32_t code = ue();
        return code & 1 ? int32_t((code + 1) / 2) : -int32_t(code / 2);
    }
    void skip(int count) { pos_ += size_t(count); }
    bool ok() const { return !overrun_ && pos_ <= rbsp_.size() * 8; }

private:
    uint32_t bit()
    {
        if (pos_ >= rbsp_.size() * 8) {
            overrun_ = true;
            return 0;
        }
        const uint32_t value = (rbsp_[pos_ / 8] >> (7 - pos_ % 8)) & 1;
        ++pos_;
        return value;
    }
    uint32_t fail()
    {
        overrun_ = true;
        return 0;
    }

    std::vector<uint8_t> rbsp_;
    size_t pos_ = 0;
    bool overrun_ = false;
};

struct Crop {
    uint32_t left = 0, right = 0, top = 0, bottom = 0;
};

VideoFormat croppedFormat(uint32_t encodeType, uint32_t width, uint32_t height, const Crop &crop, uint32_t unitX,
                          uint32_t unitY)
{
    const uint64_t cropX = uint64_t(unitX) * (uint64_t(crop.left) + crop.right);
    const uint64_t cropY = uint64_t(unitY) * (uint64_t(crop.top) + crop.bottom);
    if (width == 0 || height == 0 || cropX >= width || cropY >= height) return {encodeType, 0, 0};
    return {encodeType, uint32_t(width - cropX), uint32_t(height - cropY)};
}

void skipScalingList(BitReader &r, int size)
{
    int last = 8, next = 8;
    for (int j = 0; j < size && r.ok(); ++j) {
        if (next != 0) next = (last + r.se() + 256) % 256;
        last = next == 0 ? last : next;
    }
}

bool hasChromaFormat(uint32_t profile)
{
    static const uint32_t profiles[] = {100, 110, 122, 244, 44, 83, 86, 118, 128, 138, 139, 134, 135};
    return std::find(std::begin(profiles), std::end(profiles), profile) != std::end(profiles);
}

// H.264 seq_parameter_set_rbsp up to the frame cropping.
VideoFormat readH264Sps(const uint8_t *nal, size_t size)
{
    BitReader r(nal + 1, size - 1);
    const uint32_t profile = r.bits(8);
    r.skip(16); // constraint flags, level
    r.ue();     // seq_parameter_set_id
    uint32_t chromaFormat = 1;
    bool separatePlanes = false;
    if (hasChromaFormat(profile)) {
        chromaFormat = r.ue();
        if (chromaFormat == 3) separatePlanes = r.bits(1);
        r.ue(); // bit depths
        r.ue();
        r.skip(1);
        if (r.bits(1))
            for (int i = 0; i < (chromaFormat != 3 ? 8 : 12) && r.ok(); ++i)
                if (r.bits(1)) skipScalingList(r, i < 6 ? 16 : 64);
    }
    r.ue(); // log2_max_frame_num_minus4
    const uint32_t pocType = r.ue();
    if (pocType == 0) {
        r.ue();
    } else if (pocType == 1) {
        r.skip(1);
        r.se();
        r.se();
        const uint32_t cycle = r.ue();
        for (uint32_t i = 0; i < cycle && r.ok(); ++i) r.se();
    }
    r.ue(); // max_num_ref_frames
    r.skip(1);
    const uint32_t widthMbs = r.ue() + 1, heightUnits = r.ue() + 1;
    const uint32_t frameMbsOnly = r.bits(1);
    if (!frameMbsOnly) r.skip(1);
    r.skip(1); // direct_8x8_inference_flag
    Crop crop;
    if (r.bits(1)) crop = {r.ue(), r.ue(), r.ue(), r.ue()};
    if (!r.ok() || widthMbs > 1024 || heightUnits > 1024) return {2, 0, 0};
    const uint32_t chromaArrayType = separatePlanes ? 0 : chromaFormat;
    const uint32_t unitX = chromaArrayType == 0 || chromaFormat == 3 ? 1 : 2;
    const uint32_t unitY = (chromaArrayType == 1 ? 2 : 1) * (2 - frameMbsOnly);
    return croppedFormat(2, widthMbs * 16, heightUnits * 16 * (2 - frameMbsOnly), crop, unitX, unitY);
}

void skipProfileTierLevel(BitReader &r, uint32_t maxSubLayersMinus1)
{
    r.skip(88); // general profile space, tier, profile, compatibility and constraint flags
    r.skip(8);  // general_level_idc
    bool profilePresent[8] = {}, levelPresent[8] = {};
    for (uint32_t i = 0; i < maxSubLayersMinus1; ++i) {
        profilePresent[i] = r.bits(1);
        levelPresent[i] = r.bits(1);
    }
    if (maxSubLayersMinus1 > 0) r.skip(2 * int(8 - maxSubLayersMinus1));
    for (uint32_t i = 0; i < maxSubLayersMinus1; ++i) {
        if (profilePresent[i]) r.skip(88);
        if (levelPresent[i]) r.skip(8);
    }
}

// H.265 seq_parameter_set_rbsp up to the conformance window.
VideoFormat readH265Sps(const uint8_t *nal, size_t size)
{
    BitReader r(nal + 2, size - 2);
    r.skip(4); // sps_video_parameter_set_id
    const uint32_t maxSubLayersMinus1 = r.bits(3);
    r.skip(1);
    if (maxSubLayersMinus1 > 6) return {5, 0, 0};
    skipProfileTierLevel(r, maxSubLayersMinus1);
    r.ue(); // sps_seq_parameter_set_id
    const uint32_t chromaFormat = r.ue();
    const bool separatePlanes = chromaFormat == 3 && r.bits(1);
    const uint32_t width = r.ue(), height = r.ue();
    Crop crop;
    if (r.bits(1)) crop = {r.ue(), r.ue(), r.ue(), r.ue()};
    if (!r.ok() || width > 16888 || height > 16888) return {5, 0, 0};
    const uint32_t chromaArrayType = separatePlanes ? 0 : chromaFormat;
    const uint32_t unitX = chromaArrayType == 1 || chromaArrayType == 2 ? 2 : 1;
    const uint32_t unitY = chromaArrayType == 1 ? 2 : 1;
    return croppedFormat(5, width, height, crop, unitX, unitY);
}

} // namespace

uint32_t encodeTypeOfParameterSets(const uint8_t *data, size_t size)
{
    uint32_t type = 0;
    forEachNal(data, size, [&](const uint8_t *nal, size_t nalSize) {
        if (isH265ParameterSet(nal, nalSize))
            type = 5;
        else if (isH264Sps(nal, nalSize))
            type = 2;
        return type != 0;
    });
    return type;
}

VideoFormat ParameterSetReader::read(const uint8_t *data, size_t size) const
{
    VideoFormat format;
    format.encodeType = encodeTypeOfParameterSets(data, size);
    if (format.encodeType == 0) return format;
    forEachNal(data, size, [&](const uint8_t *nal, size_t nalSize) {
        if (format.encodeType == 5 && nalSize > 2 && nal[0] == kH265Sps && nal[1] == kH265LayerAndTid) {
            format = readH265Sps(nal, nalSize);
            return true;
        }
        if (format.encodeType == 2 && nalSize > 1 && isH264Sps(nal, nalSize)) {
            format = readH264Sps(nal, nalSize);
            return true;
        }
        return false;
    });
    return format;
}

} // namespace korvane::media

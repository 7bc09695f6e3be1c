// The picture parameters of a recording, read from its first video key frame:
// they decide the exported name's extension and whether recordings may be merged.
#pragma once

#include <QtGlobal>

struct VideoParams {
    static constexpr qint32 ENCODE_H265 = 5;

    qint32 nWidth = 0;
    qint32 nHeight = 0;
    qint32 nFrameRate = 0;
    qint32 nEncodeType = 0; // 5 is H.265, anything else counts as H.264; all zero = unknown

    bool isH265() const { return nEncodeType == ENCODE_H265; }
    // True when all four fields are equal; logs both records.
    bool isSameAs(const VideoParams &other) const;
};

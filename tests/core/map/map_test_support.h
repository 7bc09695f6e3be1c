// Raw recorder files for the map tests: a key frame carrying the recorder's packed
// time, then an information frame with the given text, once per "second".
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace maptest {

inline uint32_t packedTime(int year, int month, int day, int hour, int minute, int second)
{
    return uint32_t(year - 2000) << 26 | uint32_t(month) << 22 | uint32_t(day) << 17 | uint32_t(hour) << 12 |
           uint32_t(minute) << 6 | uint32_t(second);
}

inline void putU32(QByteArray &out, int at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) out[at + i] = char((value >> (8 * i)) & 0xFF);
}

inline void appendKeyFrame(QByteArray &out, uint32_t stamp)
{
    const QByteArray payload(64, char(0x55));
    QByteArray header(16, 0);
    header[2] = 1;
    header[3] = char(0xFC);
    header[4] = 2;
    header[5] = 1;
    header[6] = 8;
    header[7] = 8;
    putU32(header, 8, stamp);
    putU32(header, 12, uint32_t(payload.size()));
    out += header + payload;
}

inline void appendInfoFrame(QByteArray &out, const std::string &text)
{
    QByteArray header(8, 0);
    header[2] = 1;
    header[3] = char(0xF9);
    header[4] = 1;
    header[6] = char(text.size() & 0xFF);
    header[7] = char((text.size() >> 8) & 0xFF);
    out += header + QByteArray(text.data(), int(text.size()));
}

// One key frame and one information frame per text, a second apart from the first stamp.
inline bool writeRecording(const QString &strPath, const std::vector<std::string> &texts, uint32_t firstStamp)
{
    QByteArray bytes;
    for (size_t i = 0; i < texts.size(); ++i) {
        appendKeyFrame(bytes, firstStamp + uint32_t(i));
        appendInfoFrame(bytes, texts[i]);
    }
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace maptest

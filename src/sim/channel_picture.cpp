#include "channel_picture.h"

#include "packed_time.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

namespace korvane::sim {

namespace {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kLineGap = 3;

struct Glyph {
    char c;
    std::array<uint8_t, kGlyphHeight> rows; // bit 4 is the leftmost column
};

constexpr Glyph kGlyphs[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}}, {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
    {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
};

const Glyph *glyphOf(char c)
{
    for (const Glyph &g : kGlyphs)
        if (g.c == c)
            return &g;
    return nullptr; // drawn as a blank
}

QColor channelColour(int channel)
{
    static const QColor colours[] = {QColor(20, 50, 110), QColor(20, 90, 40),  QColor(110, 40, 30),
                                     QColor(80, 30, 100), QColor(20, 90, 100), QColor(100, 80, 20)};
    return colours[channel % 6];
}

int lineWidth(const std::string &line) { return int(line.size()) * (kGlyphWidth + 1) - 1; }

void drawLine(QPainter &p, const std::string &line, int x, int y, int scale)
{
    for (char c : line) {
        if (const Glyph *g = glyphOf(c))
            for (int row = 0; row < kGlyphHeight; ++row)
                for (int col = 0; col < kGlyphWidth; ++col)
                    if (g->rows[row] >> (kGlyphWidth - 1 - col) & 1)
                        p.fillRect(x + col * scale, y + row * scale, scale, scale, Qt::white);
        x += (kGlyphWidth + 1) * scale;
    }
}

std::array<std::string, 3> pictureLines(int channel, uint8_t streamType, uint32_t packedStamp)
{
    char label[32];
    std::snprintf(label, sizeof label, "CH%03d%s", channel + 1, streamType == 1 ? " SUB" : "");
    const std::string when = formatTime(unpackTime(packedStamp)); // "YYYY-MM-DD HH:MM:SS"
    return {label, when.substr(0, 10), when.substr(11)};
}

} // namespace

QImage paintChannelPicture(int channel, uint8_t streamType, uint32_t packedStamp, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(channelColour(channel));
    const auto lines = pictureLines(channel, streamType, packedStamp);
    int widest = 0;
    for (const std::string &line : lines)
        widest = std::max(widest, lineWidth(line));
    const int blockHeight = 3 * kGlyphHeight + 2 * kLineGap;
    const int scale = std::max(1, std::min(width * 9 / 10 / widest, height * 8 / 10 / blockHeight));
    QPainter painter(&image);
    int y = (height - blockHeight * scale) / 2;
    for (const std::string &line : lines) {
        drawLine(painter, line, (width - lineWidth(line) * scale) / 2, y, scale);
        y += (kGlyphHeight + kLineGap) * scale;
    }
    return image;
}

} // namespace korvane::sim

#include "real_media_support.h"

#include <cmath>
#include <fstream>
#include <iterator>

namespace simtest {

Scenario realScenario(uint32_t clusters)
{
    Scenario s = smallScenario(clusters);
    s.payloads = PayloadKind::Real;
    return s;
}

RecordingSpec realVideo(int channel, Seconds start, Seconds seconds, uint8_t codec, uint8_t fps)
{
    RecordingSpec r = video(channel, start, seconds);
    r.width = 176;
    r.height = 144;
    r.codec = codec;
    r.fps = fps;
    return r;
}

FrameWalk readRecording(const Image &img, const RecordingResult &r)
{
    return walkFrames(img.recordingBytes(r.partition, r.firstCluster), r.segment == 0 ? r.headSectors * 512u : 0);
}

std::vector<uint8_t> fileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double worstBlockDifference(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b, int width, int height)
{
    double worst = 0;
    for (int by = 0; by + 8 <= height; by += 8)
        for (int bx = 0; bx + 8 <= width; bx += 8) {
            int sum = 0;
            for (int y = by; y < by + 8; ++y)
                for (int x = bx; x < bx + 8; ++x)
                    sum += std::abs(int(a[size_t(y * width + x)]) - int(b[size_t(y * width + x)]));
            worst = std::max(worst, sum / 64.0);
        }
    return worst;
}

// Keys in the order a reader tests them; "STATUS:" may lie anywhere in the first 8 characters.
std::vector<InfoItem> infoItems(const std::string &text)
{
    static const char *const keys[] = {"GPS:", "G-SENSOR:", "INFO:", "STATUS:", "SPEED:", "PASSENGER:"};
    std::vector<InfoItem> items;
    size_t from = 0;
    for (size_t end = text.find(';'); end != std::string::npos; from = end + 1, end = text.find(';', from)) {
        const std::string item = text.substr(from, end - from);
        for (const char *key : keys)
            if (item.rfind(key, 0) == 0) {
                items.push_back({key, item.substr(std::string(key).size())});
                break;
            }
    }
    return items;
}

std::vector<std::string> sentenceFields(const std::string &sentence)
{
    std::vector<std::string> fields(1);
    for (char c : sentence.substr(0, sentence.find('*')))
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c;
    return fields;
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool matchesOne(char want, char got)
{
    if (want == 'd')
        return isDigit(got);
    if (want == 's')
        return got == '+' || got == '-';
    return got == want;
}

} // namespace

bool hasShape(const std::string &text, const std::string &shape)
{
    size_t at = 0;
    for (char want : shape) {
        if (at >= text.size() || !matchesOne(want == '*' ? 'd' : want, text[at]))
            return false;
        ++at;
        while (want == '*' && at < text.size() && isDigit(text[at]))
            ++at;
    }
    return at == text.size();
}

bool checksumHolds(const std::string &sentence)
{
    const size_t star = sentence.find('*');
    if (sentence.empty() || sentence[0] != '$' || star == std::string::npos || star + 3 != sentence.size())
        return false;
    unsigned sum = 0;
    for (size_t i = 1; i < star; ++i)
        sum ^= uint8_t(sentence[i]);
    return std::stoul(sentence.substr(star + 1), nullptr, 16) == sum;
}

} // namespace simtest

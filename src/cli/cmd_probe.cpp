// korvane-cli probe: what the stream parser finds in a raw recording.
#include "cli_commands.h"
#include "cli_options.h"

#include "common/cfsfile.h"
#include "export/cframewalker.h"
#include "streamreader.h"

#include <cstdio>
#include <string>

namespace {

struct ProbeSummary {
    uint64_t bytes = 0, framedBytes = 0;
    uint32_t keyFrames = 0, otherVideo = 0, audio = 0, info = 0;
    uint32_t audioCodec = 0, encodeType = 0, width = 0, height = 0, rate = 0;
    std::string first, last;
};

std::string timeOf(const H264_PARSER_FRAME &f)
{
    char text[32];
    snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", f.nYear, f.nMonth, f.nDay, f.nHour, f.nMinute, f.nSecond);
    return text;
}

void count(const H264_PARSER_FRAME &f, ProbeSummary &s)
{
    s.framedBytes += f.nLength;
    if (f.nFrameType == H264_FRAME_AUDIO) {
        ++s.audio;
        s.audioCodec = f.nSubType;
    } else if (f.nFrameType == H264_FRAME_INFO) {
        ++s.info;
    } else if (f.nSubType != 0) {
        ++s.otherVideo;
    } else {
        ++s.keyFrames;
        s.encodeType = f.nEncodeType;
        s.width = f.nWidth;
        s.height = f.nHeight;
        s.rate = f.nFrameRate;
        if (s.first.empty()) s.first = timeOf(f);
        s.last = timeOf(f);
    }
}

bool probeFile(const char *path, ProbeSummary &s)
{
    CFSFile file;
    if (!file.Open(QString::fromLocal8Bit(path), CFSFile::modeRead)) return false;
    const qint64 nLength = file.GetLength();
    CFrameWalker walker(file, 1 << 20, true);
    while (const H264_PARSER_FRAME *f = walker.next()) count(*f, s);
    s.bytes = uint64_t(walker.bytesRead());
    return walker.shortfall(nLength).isEmpty();
}

const char *audioName(uint32_t codec) { return codec == 14 ? "G.711 A-law" : codec == 10 ? "G.711 mu-law" : "unknown"; }

void print(const char *path, const ProbeSummary &s)
{
    printf("file: %s\nbytes: %llu (%llu outside frames)\n", path, (unsigned long long)s.bytes,
           (unsigned long long)(s.bytes - s.framedBytes));
    printf("video frames: %u (%u key)\n", s.keyFrames + s.otherVideo, s.keyFrames);
    printf("audio frames: %u%s%s\n", s.audio, s.audio ? " " : "", s.audio ? audioName(s.audioCodec) : "");
    printf("information frames: %u\n", s.info);
    if (s.keyFrames == 0) return;
    printf("codec: %s\nsize: %ux%u\nrate: %u fps\n", s.encodeType == 5 ? "H.265" : "H.264", s.width, s.height, s.rate);
    printf("first: %s\nlast: %s\n", s.first.c_str(), s.last.c_str());
}

} // namespace

int runProbe(const CliOptions &options)
{
    const char *path = options.args[0].c_str();
    ProbeSummary summary;
    if (!probeFile(path, summary)) {
        fprintf(stderr, "cannot read %s\n", path);
        return 1;
    }
    print(path, summary);
    return summary.keyFrames ? 0 : 1;
}

// An MP4 file with the recording's video as it is and, optionally, an AAC audio track.
#pragma once

#include "ffmpeg_ptr.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvane::media {

// The parameter-set NAL units of a key frame (Annex B), as MP4 muxing wants them for extradata.
std::vector<uint8_t> extractParameterSets(uint32_t encodeType, const uint8_t *data, size_t size);

struct VideoTrack {
    uint32_t encodeType = 2; // 2 H.264, 5 H.265
    uint32_t frameRate = 25;
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> parameterSets; // Annex B
    uint32_t firstStamp = 0;            // packed recorder time; becomes the creation time
};

class Mp4Writer
{
public:
    Mp4Writer() = default;
    Mp4Writer(const Mp4Writer &) = delete;
    Mp4Writer &operator=(const Mp4Writer &) = delete;
    ~Mp4Writer();

    // Creates the file and writes the header; audioEncoder may be null. FFmpeg error codes.
    int open(const std::string &path, const VideoTrack &video, const AVCodecContext *audioEncoder);
    bool created() const { return created_; }
    // One access unit (Annex B), timed in frames of the track's rate.
    int writeVideo(const uint8_t *data, size_t size, bool key, int64_t frameIndex);
    // An encoded audio packet timed in the encoder's time base; the packet is consumed.
    int writeAudio(AVPacket *packet);
    // Trailer written and file closed: the MP4 is complete only after this returns 0.
    int finish();

private:
    int addVideoStream(const VideoTrack &video);
    int addAudioStream(const AVCodecContext *encoder);

    AVFormatContext *format_ = nullptr;
    AVStream *video_ = nullptr, *audio_ = nullptr;
    AVRational videoTimeBase_{1, 25}, audioTimeBase_{1, 8000};
    AvPtr<AVPacket> packet_;
    bool created_ = false;
};

} // namespace korvane::media

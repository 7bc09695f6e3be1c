#pragma once

#include "frame_stream.h"

namespace korvane::sim {

// Real payloads: every second of video a key frame (the encoded picture of the
// channel and the recorder's clock, with its parameter sets), an information
// frame, then the other video frames with the audio frames between them.
// Picture recordings hold one JPEG of that picture per second.
bool encodeRecording(const RecordingSpec &plan, uint64_t seed, const StampClock &clock, RecordingFrames &out,
                     std::string &error);

} // namespace korvane::sim

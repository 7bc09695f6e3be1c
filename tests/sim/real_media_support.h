#pragma once

#include "recorder_frames.h"
#include "sim_test_support.h"

#include <string>
#include <vector>

namespace simtest {

// Scenarios with real payloads, kept tiny: QCIF at a few frames per second.
Scenario realScenario(uint32_t clusters = 512);
RecordingSpec realVideo(int channel, Seconds start, Seconds seconds, uint8_t codec = 2, uint8_t fps = 5);

// The recording's frames read back from the image in chain order.
FrameWalk readRecording(const Image &img, const RecordingResult &r);

std::vector<uint8_t> fileBytes(const std::string &path);

// The largest mean difference over 8×8 blocks between two luma planes.
double worstBlockDifference(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b, int width, int height);

// Items of a frame information text: key and value of every ";"-ended item.
struct InfoItem {
    std::string key, value;
};
std::vector<InfoItem> infoItems(const std::string &text);

std::vector<std::string> sentenceFields(const std::string &sentence);

// Whether the text has the shape: 'd' one digit, '*' one or more digits, 's' a
// sign (+ or -), anything else itself.
bool hasShape(const std::string &text, const std::string &shape);
bool checksumHolds(const std::string &sentence);

} // namespace simtest

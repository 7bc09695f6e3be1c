#pragma once

#include "image_reader.h"
#include "simulator.h"

#include <gtest/gtest.h>

#include <string>

namespace simtest {

using namespace korvane::sim;

// A scratch image path removed after the test.
class ImageFile
{
public:
    explicit ImageFile(const std::string &name);
    ~ImageFile();
    const std::string &path() const { return path_; }

private:
    std::string path_;
};

Scenario smallScenario(uint32_t clusters = 256);
RecordingSpec video(int channel, Seconds start, Seconds seconds, uint32_t bytesPerSecond = 6000);
Seconds at(int hour, int minute = 0, int second = 0); // on 2024-03-05

// Writes the scenario and fails the test when the simulator refuses it.
Manifest writeOrFail(const Scenario &s, const std::string &path, WriteOptions options = {});

const RecordingResult *find(const Manifest &m, size_t scenarioIndex, int segment = 0);

} // namespace simtest

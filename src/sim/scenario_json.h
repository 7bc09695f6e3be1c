#pragma once

#include "scenario.h"

#include <string>

namespace korvane::sim {

bool parseScenarioJson(const std::string &text, Scenario &out, std::string &error);
bool loadScenarioFile(const std::string &path, Scenario &out, std::string &error);

} // namespace korvane::sim

#pragma once

#include <cstdint>
#include <string>

namespace korvane::sim {

// Times are seconds of a zone-free calendar (as timegm counts them); recorder
// clocks carry no zone, so nothing here ever consults the local time zone.
using Seconds = int64_t;

uint32_t packTime(Seconds t);
Seconds unpackTime(uint32_t packed);

// "YYYY-MM-DD HH:MM:SS" (a 'T' in place of the blank is accepted).
bool parseTime(const std::string &text, Seconds &out);
std::string formatTime(Seconds t);

Seconds makeTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

} // namespace korvane::sim

// What the export and the cut share in walking a recording's frames: an owned stream
// parser, and the seconds of a day with the recorder's midnight rule.
#pragma once

#include "streamreader.h"

#include <QTime>

#include <memory>

namespace streamframes {

constexpr int SECONDS_PER_DAY = 86400;

struct ParserDeleter {
    void operator()(void *pParser) const { H264_PARSER_Destroy(pParser); }
};
using Parser = std::unique_ptr<void, ParserDeleter>;

inline int seconds(const QTime &time)
{
    return time.isValid() ? time.msecsSinceStartOfDay() / 1000 : 0;
}

// A range or file that ends in hour 0 after beginning at 22:00 or later ends on the next day.
inline bool crossesMidnight(const QTime &begin, const QTime &end)
{
    return end.hour() == 0 && begin.hour() >= 22;
}

inline int endSeconds(const QTime &begin, const QTime &end)
{
    return seconds(end) + (crossesMidnight(begin, end) ? SECONDS_PER_DAY : 0);
}

} // namespace streamframes

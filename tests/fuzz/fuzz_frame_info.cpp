// Fuzz target: the frame information text (items, NMEA RMC and GGA sentences, G-sensor,
// status and passenger counts) as a playback port receives it.
#include "playback/cgpsrmcparse.h"
#include "playback/cplayframeinfo.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *text = reinterpret_cast<const char *>(data);
    FrameInfo info = EmptyFrameInfo();
    CGPSRMCParse parser;
    parser.ParseAllInfo(text, int(size), info);
    if (info.szInfo[sizeof info.szInfo - 1] != 0 || info.passenger.nTextLen < 0 ||
        info.passenger.nTextLen > int(sizeof info.passenger.szText))
        __builtin_trap();
    CPlayFrameInfo port;
    port.SetPlayFrameInfo(text, int(size));
    GpsInfo gps;
    port.GetGpsInfo(&gps);
    return 0;
}

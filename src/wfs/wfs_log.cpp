#include "wfs_log.h"

#include <cstdarg>
#include <cstring>
#include <ctime>

namespace {
wfs_debug_hook g_debug_hook = nullptr;
wfs_event_hook g_event_hook = nullptr;
FILE *g_console = nullptr;
bool g_at_line_start = true; // shared by the warning and error channels

void console_write(const char *prefix, const char *fmt, va_list args)
{
    FILE *out = g_console ? g_console : stdout;
    if (g_at_line_start) {
        time_t now = time(nullptr);
        struct tm tm;
        localtime_r(&now, &tm);
        fprintf(out, "%04d-%02d-%02d %02d:%02d:%02d|%s", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                tm.tm_hour, tm.tm_min, tm.tm_sec, prefix);
    }
    char text[2048];
    vsnprintf(text, sizeof text, fmt, args);
    fputs(text, out);
    size_t len = strlen(text);
    g_at_line_start = len > 0 && text[len - 1] == '\n';
    fflush(out);
}
} // namespace

void wfs_set_debug_hook(wfs_debug_hook hook) { g_debug_hook = hook; }
void wfs_set_console(FILE *stream) { g_console = stream; }
void wfs_set_event_hook(wfs_event_hook hook) { g_event_hook = hook; }

void wfs_debug(const char *fmt, ...)
{
    if (!g_debug_hook) return;
    char text[2048];
    va_list args;
    va_start(args, fmt);
    vsnprintf(text, sizeof text, fmt, args);
    va_end(args);
    g_debug_hook(text);
}

void wfs_warn(const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    console_write("FSWarn ", fmt, args);
    va_end(args);
}

void wfs_error(const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    console_write("FSError ", fmt, args);
    va_end(args);
}

void wfs_event(const char *tag, const char *fmt, ...)
{
    if (!g_event_hook) return;
    char text[68];
    va_list args;
    va_start(args, fmt);
    vsnprintf(text, sizeof text, fmt, args);
    va_end(args);
    g_event_hook(tag, text);
}

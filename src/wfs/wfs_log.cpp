#include "wfs_log.h"

#include <cstdarg>
#include <cstring>
#include <ctime>
#include <initializer_list>

namespace {
wfs_debug_hook g_debug_hook = nullptr;
wfs_message_hook g_message_hook = nullptr;
wfs_event_hook g_event_hook = nullptr;
FILE *g_console = nullptr;
bool g_at_line_start = true; // shared by the warning and error channels

const char ESC = '\x1b';

// Length of the escape sequence at p: ESC '[' parameters and one final byte, or a lone ESC.
size_t escape_length(const char *p)
{
    if (p[1] != '[') return 1;
    size_t n = 2;
    while (p[n] && !(p[n] >= 0x40 && p[n] <= 0x7E)) ++n;
    return p[n] ? n + 1 : n;
}

bool is_source_path(const char *begin, size_t len)
{
    for (const char *suffix : {".cpp", ".c", ".h"}) {
        size_t n = strlen(suffix);
        if (len > n && memcmp(begin + len - n, suffix, n) == 0) return true;
    }
    return false;
}

bool ends_path(char c) { return c == '\0' || strchr(" \t\r\n,;:()[]\"'", c) != nullptr; }

void console_write(const char *prefix, const char *text)
{
    FILE *out = g_console ? g_console : stdout;
    if (g_at_line_start) {
        time_t now = time(nullptr);
        struct tm tm;
        localtime_r(&now, &tm);
        fprintf(out, "%04d-%02d-%02d %02d:%02d:%02d|%s", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                tm.tm_hour, tm.tm_min, tm.tm_sec, prefix);
    }
    fputs(text, out);
    size_t len = strlen(text);
    g_at_line_start = len > 0 && text[len - 1] == '\n';
    fflush(out);
}

void message(int level, const char *prefix, const char *fmt, va_list args)
{
    char text[2048];
    vsnprintf(text, sizeof text, fmt, args);
    wfs_log_clean(text);
    if (g_message_hook)
        g_message_hook(level, text);
    else
        console_write(prefix, text);
}
} // namespace

char *wfs_log_clean(char *text)
{
    char *out = text;
    for (const char *in = text; *in;) {
        if (*in == ESC) {
            in += escape_length(in);
            continue;
        }
        bool token_start = in == text || ends_path(in[-1]) || in[-1] == '=';
        if (*in == '/' && token_start) {
            size_t len = 0;
            while (!ends_path(in[len])) ++len;
            if (is_source_path(in, len)) {
                const char *name = in + len;
                while (name[-1] != '/') --name;
                size_t name_len = (size_t)(in + len - name);
                memmove(out, name, name_len);
                out += name_len;
                in += len;
                continue;
            }
        }
        *out++ = *in++;
    }
    *out = '\0';
    return text;
}

void wfs_set_debug_hook(wfs_debug_hook hook) { g_debug_hook = hook; }
void wfs_set_console(FILE *stream) { g_console = stream; }
void wfs_set_message_hook(wfs_message_hook hook) { g_message_hook = hook; }
void wfs_set_event_hook(wfs_event_hook hook) { g_event_hook = hook; }

void wfs_debug(const char *fmt, ...)
{
    if (!g_debug_hook) return;
    char text[2048];
    va_list args;
    va_start(args, fmt);
    vsnprintf(text, sizeof text, fmt, args);
    va_end(args);
    g_debug_hook(wfs_log_clean(text));
}

void wfs_warn(const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    message(WFS_LOG_WARN, "FSWarn ", fmt, args);
    va_end(args);
}

void wfs_error(const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    message(WFS_LOG_ERROR, "FSError ", fmt, args);
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

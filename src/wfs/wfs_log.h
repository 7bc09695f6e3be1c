// Logging channels of the WFS library.
#pragma once

#include <cstdio>

enum { WFS_LOG_WARN = 1, WFS_LOG_ERROR = 2 };

typedef void (*wfs_debug_hook)(const char *line);
typedef void (*wfs_message_hook)(int level, const char *line);
typedef void (*wfs_event_hook)(const char *tag, const char *text);

// Every line leaves the library plain: terminal colour codes are dropped and source
// file paths are cut to the file's name.

// Debug trace: formatted into at most 2047 characters and handed to the hook (none: dropped).
void wfs_set_debug_hook(wfs_debug_hook hook);
// Warnings and errors go to this stream (standard output unless changed)...
void wfs_set_console(FILE *stream);
// ...or, while a hook is set, to the hook instead (level WFS_LOG_WARN or WFS_LOG_ERROR, no prefix).
void wfs_set_message_hook(wfs_message_hook hook);
// Event hook (tag, text cut to 67 characters); none is registered by default.
void wfs_set_event_hook(wfs_event_hook hook);

void wfs_debug(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
void wfs_warn(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
void wfs_error(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
void wfs_event(const char *tag, const char *fmt, ...) __attribute__((format(printf, 2, 3)));

// The text as the library's channels pass it on: colour codes dropped, source paths cut
// to the file name. Cleans in place; returns text.
char *wfs_log_clean(char *text);

// Silent trace: the arguments are not even formatted.
#define wfs_silent(...) ((void)0)

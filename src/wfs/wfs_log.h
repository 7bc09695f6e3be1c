// Logging channels of the WFS library.
#pragma once

#include <cstdio>

typedef void (*wfs_debug_hook)(const char *line);
typedef void (*wfs_event_hook)(const char *tag, const char *text);

// Debug trace: formatted into at most 2047 characters and handed to the hook (none: dropped).
void wfs_set_debug_hook(wfs_debug_hook hook);
// Warnings and errors go to this stream (standard output unless changed).
void wfs_set_console(FILE *stream);
// Event hook (tag, text cut to 67 characters); none is registered by default.
void wfs_set_event_hook(wfs_event_hook hook);

void wfs_debug(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
void wfs_warn(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
void wfs_error(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
void wfs_event(const char *tag, const char *fmt, ...) __attribute__((format(printf, 2, 3)));

// Silent trace: the arguments are not even formatted.
#define wfs_silent(...) ((void)0)

// Routes what the libraries say into the application's log: the WFS library's trace as
// debug messages, its warnings and errors as warnings and errors, and FFmpeg's messages
// at the level FFmpeg is set to. Nothing of theirs goes to the terminal by itself.
#pragma once

class CLibraryLog
{
public:
    static void route();
    // Back to the libraries' own channels.
    static void unroute();

    // The WFS library's warning (1) or error (2) line as a log message.
    static void wfsMessage(int nLevel, const char *pLine);
};

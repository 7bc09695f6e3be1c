// Crash report for fatal signals: "CrashDumpFile.dmp" beside the executable with the
// signal, the faulting address and a backtrace, then the process ends with exit code -1.
#pragma once

#include <QString>

class CCrashHandler
{
public:
    // Receives "Exception Code:0x%x\nException Address:0x%x\nParam:0x%x" (signal, address, si_code).
    typedef void (*CrashCallback)(const char *pText);

    static constexpr int CRASH_EXIT_CODE = -1;

    // An empty dump path means "CrashDumpFile.dmp" in the executable's folder.
    static void install(CrashCallback callback = nullptr, const QString &strDumpPath = QString());
    static QString dumpPath();
};

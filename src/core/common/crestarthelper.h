// Exit code 774 asks for a restart: the program starts itself again, detached,
// with the arguments it was given, after this process has cleaned up.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class CRestartHelper
{
public:
    static constexpr int RESTART_EXIT_CODE = 774;
    using Launcher = std::function<bool(const QString &strProgram, const QStringList &args)>;

    static bool isRestartRequested(int nExitCode) { return nExitCode == RESTART_EXIT_CODE; }
    // Starts the program again when the exit code asks for it; true when a new process was started.
    static bool restartIfRequested(int nExitCode, const QString &strProgram, const QStringList &args,
                                   const Launcher &launcher = startDetached);
    static bool startDetached(const QString &strProgram, const QStringList &args);
};

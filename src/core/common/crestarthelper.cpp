#include "crestarthelper.h"

#include <QDebug>
#include <QProcess>

bool CRestartHelper::restartIfRequested(int nExitCode, const QString &strProgram, const QStringList &args,
                                        const Launcher &launcher)
{
    if (!isRestartRequested(nExitCode))
        return false;
    const bool bStarted = launcher(strProgram, args);
    if (!bStarted)
        qWarning() << "Restart failed:" << strProgram;
    return bStarted;
}

bool CRestartHelper::startDetached(const QString &strProgram, const QStringList &args)
{
    return QProcess::startDetached(strProgram, args);
}

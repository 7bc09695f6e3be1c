#include "clibrarylog.h"

#include "common/cglobalappdata.h"
#include "wfs_log.h"

#include <QDebug>
#include <QString>

extern "C" {
#include <libavutil/log.h>
}

#include <cstdarg>

namespace {

void ffmpegMessage(void *pContext, int nLevel, const char *pFormat, va_list args)
{
    if (nLevel > av_log_get_level())
        return;
    char line[1024];
    int nPrintPrefix = 1;
    av_log_format_line2(pContext, nLevel, pFormat, args, line, sizeof line, &nPrintPrefix);
    const QString strText = QString::fromUtf8(line).trimmed();
    if (strText.isEmpty())
        return;
    if (nLevel <= AV_LOG_FATAL)
        qCritical().noquote() << "FFmpeg:" << strText;
    else if (nLevel <= AV_LOG_WARNING)
        qWarning().noquote() << "FFmpeg:" << strText;
    else
        qDebug().noquote() << "FFmpeg:" << strText;
}

} // namespace

void CLibraryLog::route()
{
    wfs_set_debug_hook(&CGlobalAppData::printDebugInfo);
    wfs_set_message_hook(&CLibraryLog::wfsMessage);
    av_log_set_callback(&ffmpegMessage);
}

void CLibraryLog::unroute()
{
    wfs_set_debug_hook(nullptr);
    wfs_set_message_hook(nullptr);
    av_log_set_callback(&av_log_default_callback);
}

void CLibraryLog::wfsMessage(int nLevel, const char *pLine)
{
    const QString strText = QString::fromLocal8Bit(pLine).trimmed();
    if (strText.isEmpty())
        return;
    if (nLevel == WFS_LOG_ERROR)
        qCritical().noquote() << "FSError" << strText;
    else
        qWarning().noquote() << "FSWarn" << strText;
}

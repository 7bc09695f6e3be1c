#include "cgpstrackexport.h"

#include "map/cgpstrack.h"
#include "common/cglobalappdata.h"
#include "common/cmythread.h"
#include "widgets/cmessagebox.h"

#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>

namespace {
const int PROGRESS_STEPS = 1000;
const int PROGRESS_POLL_MS = 100;

struct ExportJob {
    QString strRecordPath;
    QString strGpxPath;
    std::atomic<qint64> nDone{0};
    std::atomic<qint64> nTotal{0};
    std::atomic<bool> bCancel{false};
    CGpsTrack::Result result = CGpsTrack::resultOk;
    int nCount = 0;
};

void runExport(void *pArgument)
{
    ExportJob *pJob = static_cast<ExportJob *>(pArgument);
    auto progress = [pJob](qint64 nDone, qint64 nTotal) {
        pJob->nDone = nDone;
        pJob->nTotal = nTotal;
        return !pJob->bCancel;
    };
    pJob->result = CGpsTrack::ExportGpx(pJob->strRecordPath, pJob->strGpxPath, progress,
                                        &CGlobalAppData::instance()->diskReadMutex(), &pJob->nCount);
}

QString outcomeText(const ExportJob &job)
{
    if (job.result != CGpsTrack::resultOk && job.result != CGpsTrack::resultReadError)
        return CGpsTrack::ResultText(job.result);
    QString strText = job.nCount == 0
        ? CGpsTrackExport::tr("The recording has no GPS positions; the track saved in %1 is empty.")
              .arg(QDir::toNativeSeparators(job.strGpxPath))
        : CGpsTrackExport::tr("%1 GPS positions saved in %2.")
              .arg(job.nCount)
              .arg(QDir::toNativeSeparators(job.strGpxPath));
    if (job.result == CGpsTrack::resultReadError) strText += "\n" + CGpsTrack::ResultText(job.result);
    return strText;
}
} // namespace

void CGpsTrackExport::exportTrack(QWidget *pParent, const QString &strRecordPath)
{
    const QString strGpxPath = chooseFile(pParent, strRecordPath);
    if (!strGpxPath.isEmpty()) exportTo(pParent, strRecordPath, strGpxPath);
}

QString CGpsTrackExport::chooseFile(QWidget *pParent, const QString &strRecordPath)
{
    const QString strName = QFileInfo(strRecordPath).completeBaseName() + ".gpx";
    QFileDialog dialog(pParent, tr("Export GPS Track"), CGlobalAppData::instance()->recordPath() + "/" + strName,
                       tr("GPX files (*.gpx)"));
    dialog.setObjectName("GpsTrackFileDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("gpx");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

bool CGpsTrackExport::exportTo(QWidget *pParent, const QString &strRecordPath, const QString &strGpxPath)
{
    ExportJob job;
    job.strRecordPath = strRecordPath;
    job.strGpxPath = strGpxPath;
    QProgressDialog progress(tr("Reading the GPS positions of the recording..."), tr("Cancel"), 0, PROGRESS_STEPS,
                             pParent);
    progress.setWindowTitle(tr("Export GPS Track"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setValue(0);

    // The dialog shows itself once the reading takes longer than half a second.
    CMyThread worker(runExport, &job);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &progress, [&]() {
        const qint64 nTotal = job.nTotal;
        if (nTotal > 0) progress.setValue(int(job.nDone * PROGRESS_STEPS / nTotal));
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&job]() { job.bCancel = true; });
    QObject::connect(&worker, &QThread::finished, &loop, &QEventLoop::quit);
    poll.start(PROGRESS_POLL_MS);
    worker.start();
    loop.exec();
    poll.stop();
    worker.wait();
    progress.close();

    if (job.result == CGpsTrack::resultCancelled) return false;
    CMessageBox::prompt(pParent, outcomeText(job));
    return job.result == CGpsTrack::resultOk || job.result == CGpsTrack::resultReadError;
}

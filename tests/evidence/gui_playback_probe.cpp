// The program's main window on disk images, driven as an operator would: the Disk page loads
// the tree, the first recording is double-clicked and plays for a few seconds, then everything
// stops. Run under strace by readonly_proof.sh, to see what the window's load and playback open.
//   korvane-gui-playback-probe [--no-devices] --image FILE...
// Exits 0 when the recording played, 1 otherwise.
#include "catalogue/cdiskmanagepage.h"
#include "catalogue/crecordlistmanage.h"
#include "common/ccommandline.h"
#include "common/cglobalappdata.h"
#include "playback/cplay.h"
#include "playback/cplaymanage.h"
#include "shell/ckorvane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

namespace
{
const int LOAD_MS = 60000;
const int PLAY_MS = 3000;

QStandardItem *firstRecording(QStandardItem *pParent)
{
    for (int row = 0; pParent && row < pParent->rowCount(); ++row) {
        QStandardItem *pChild = pParent->child(row);
        if (pChild->data(CDiskManagePage::RoleLevel).toInt() == CDiskManagePage::LevelRecord) return pChild;
        if (QStandardItem *pFound = firstRecording(pChild)) return pFound;
    }
    return nullptr;
}

int fail(const char *why)
{
    fprintf(stderr, "korvane-gui-playback-probe: %s\n", why);
    return 1;
}

int probe(const QStringList &args)
{
    CCommandLine(args).applyToDiskLayer();
    auto pWindow = std::make_unique<CKorvane>();
    pWindow->start();
    CDiskManagePage *pPage = pWindow->recordList()->diskPage();
    QSignalSpy loaded(pPage, &CDiskManagePage::enabledControl);
    if (!pPage->startLoad()) return fail("the Disk page did not start loading");
    QElapsedTimer clock;
    clock.start();
    while ((loaded.isEmpty() || !loaded.last().at(0).toBool()) && clock.elapsed() < LOAD_MS)
        loaded.wait(1000);
    QStandardItem *pRecording = firstRecording(pPage->model()->invisibleRootItem());
    if (!pRecording) return fail("no recording in the tree");
    pPage->onRecordTreeDoubleClicked(pRecording->index());
    CPlayManage *pManage = CPlayManage::instance();
    const int nWnd = pWindow->displayBox()->activeWnd();
    // Playing, and the decoder has reported the picture's size: frames are read and shown.
    if (!QTest::qWaitFor([&] { return pManage->IsPlaying(nWnd) && pManage->Port(nWnd)->GetWidth() > 0; },
                         20000))
        return fail("the recording did not play");
    QTest::qWait(PLAY_MS);
    printf("played %s\n", qPrintable(pManage->GetPath(nWnd)));
    pManage->StopAll();
    pWindow.reset();
    CPlayManage::release();
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtDebugMsg && type != QtInfoMsg) fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication app(argc, argv);
    QTemporaryDir appDir; // settings, log and Backup folders of this run
    CGlobalAppData::setAppPathOverride(appDir.path());
    const int result = probe(app.arguments());
    CGlobalAppData::saveAndRelease();
    return result;
}

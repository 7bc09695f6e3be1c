// Korvane's real main window on a simulator disk, for end-to-end tests on an X display
// (run inside xvfb-run), and where their screenshots go.
#pragma once

#include "catalogue/cdiskmanagepage.h"
#include "catalogue/crecordlistmanage.h"
#include "playback/cdisplaybox.h"
#include "playback/cplaymanage.h"
#include "playback/cvideoframe.h"
#include "playback/cvideownd.h"
#include "shell/ckorvane.h"

#include "sim_disk.h"
#include "wfs_device.h"

#include <QDir>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardItem>
#include <QStandardItemModel>

#include <gtest/gtest.h>

#include <memory>

// The first item of a level under pParent whose text starts with strText, depth first.
inline QStandardItem *findItem(QStandardItem *pParent, int nLevel, const QString &strText)
{
    for (int row = 0; pParent && row < pParent->rowCount(); ++row) {
        QStandardItem *pChild = pParent->child(row);
        if (pChild->data(CDiskManagePage::RoleLevel).toInt() == nLevel && pChild->text().startsWith(strText))
            return pChild;
        if (QStandardItem *pFound = findItem(pChild, nLevel, strText)) return pFound;
    }
    return nullptr;
}

// The folder the screenshots are left in.
inline QString artifactDir()
{
    const QString strDir = qEnvironmentVariable("KORVANE_ARTIFACTS", QDir::currentPath() + "/test-artifacts");
    QDir().mkpath(strDir);
    return strDir;
}

// Korvane's main window on one disk image, its tree loaded.
class KorvaneOnDisk : public ::testing::Test {
protected:
    void open(const SimDisk &disk)
    {
        ASSERT_TRUE(disk.ok);
        const char *images[] = {disk.path.c_str()};
        ide_set_images(images, 1);
        ide_set_scan_devices(false);
        m_pWindow = std::make_unique<CKorvane>();
        m_pWindow->start();
        QSignalSpy loaded(page(), &CDiskManagePage::enabledControl);
        ASSERT_TRUE(page()->startLoad());
        while (loaded.isEmpty() || !loaded.last().at(0).toBool()) ASSERT_TRUE(loaded.wait(30000));
    }

    void TearDown() override
    {
        CPlayManage::instance()->StopAll();
        m_pWindow.reset();
        CPlayManage::release();
        ide_set_images(nullptr, 0);
    }

    CDiskManagePage *page() const { return m_pWindow->recordList()->diskPage(); }
    CDisplayBox *box() const { return m_pWindow->displayBox(); }

    // The wall's picture as the X server shows it.
    QImage screenshot(const QString &strName) const
    {
        const QImage shot = m_pWindow->screen()->grabWindow(m_pWindow->winId()).toImage();
        EXPECT_TRUE(shot.save(artifactDir() + "/" + strName)) << qPrintable(strName);
        return shot;
    }

    QImage framePicture(const QImage &shot, int nWnd) const
    {
        CVideoFrame *pFrame = box()->videoWnd(nWnd)->frame();
        const QRect area(pFrame->mapTo(m_pWindow.get(), QPoint(0, 0)), pFrame->size());
        return shot.copy(area.adjusted(area.width() / 5, area.height() / 5, -area.width() / 5, -area.height() / 5));
    }

    std::unique_ptr<CKorvane> m_pWindow;
};

// The cut tests' disk: the recordings of the export tests, exported once, cut in a folder per test.
#pragma once

#include "export/ccutworker.h"
#include "export/cexportworker.h"
#include "export_test_support.h"

#include <gtest/gtest.h>

namespace exporttest {

class CutTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_disk = new ExportDisk;
        s_exported = new ScratchDir;
        ASSERT_TRUE(s_disk->mount());
        CExportWorker worker;
        QVector<ExportEntry> entries;
        for (int nRecording = recA; nRecording < recordingCount; ++nRecording)
            entries.append(s_disk->entry(nRecording));
        worker.setEntries(entries);
        CExportWorker::Choices choices;
        choices.strSavePath = QString::fromStdString(s_exported->file("export"));
        worker.setChoices(choices);
        worker.prepareRun();
        worker.run();
    }
    static void TearDownTestSuite()
    {
        delete s_exported;
        delete s_disk;
    }

    // The exported copy of a recording.
    static QString copyOf(int nRecording)
    {
        const ExportEntry entry = s_disk->entry(nRecording);
        QString strName = entry.strName;
        if (nRecording == recD) strName.replace("h264", "h265");
        return QString::fromStdString(s_exported->file("export")) +
               QString("/idea0/2024-03-05/%1/").arg(entry.nChannel + 1, 3, 10, QChar('0')) + strName;
    }

    // Cuts on this thread; the result and the messages reported.
    CCutWorker::Result cut(CCutWorker &worker, const QString &strSource, const QTime &begin, const QTime &end,
                           bool bMp4 = false)
    {
        EXPECT_TRUE(worker.setSource(strSource));
        EXPECT_TRUE(worker.rangeAllowed(begin, end));
        worker.setChoices(m_strSave, begin, end, bMp4);
        return worker.cut();
    }

    static inline ExportDisk *s_disk = nullptr;
    static inline ScratchDir *s_exported = nullptr;
    ScratchDir m_dir;
    QString m_strSave = QString::fromStdString(m_dir.file("cuts"));
};

} // namespace exporttest

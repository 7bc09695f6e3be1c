// Shared by the export, cut and local-folder tests: a small simulator disk with real
// H.264/H.265 recordings on three channels (one across midnight), the bytes the file
// wrapper reads from a recording, and the frames of a byte stream inside a time range.
#pragma once

#include "common/cfsfile.h"
#include "export/cexportworker.h"
#include "streamreader.h"

#include "sim_recording.h"
#include "wfs.h"
#include "wfs_stream.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QTime>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace exporttest {

const sim::Seconds DAY = sim::makeTime(2024, 3, 5, 10, 0, 0);
const sim::Seconds MIDNIGHT = sim::makeTime(2024, 3, 6, 0, 0, 0);

// Scenario entries: channel 0 holds A, B (same picture) and C (another rate); channel 1
// holds D (H.265); channel 2 holds E, which runs across midnight.
enum Recording { recA, recB, recC, recD, recE, recordingCount };

inline sim::Scenario scenario()
{
    sim::Scenario s;
    s.payloads = sim::PayloadKind::Real;
    s.partitions = {partition(1024)};
    auto add = [&s](int channel, sim::Seconds start, sim::Seconds seconds, uint8_t fps, uint8_t codec) {
        sim::RecordingSpec r = recording(channel, start, seconds);
        r.width = 176;
        r.height = 144;
        r.fps = fps;
        r.codec = codec;
        s.recordings.push_back(r);
    };
    add(0, DAY, 6, 10, 2);
    add(0, DAY + 6, 4, 10, 2);
    add(0, DAY + 10, 4, 5, 2);
    add(1, DAY, 5, 10, 3);
    add(2, MIDNIGHT - 5, 10, 10, 2);
    return s;
}

// The disk written once for a test suite, mounted again for every test.
class ExportDisk
{
public:
    ExportDisk() : m_disk(m_dir, "export.img", scenario()) {}
    bool ok() const { return m_disk.ok; }
    const std::string &imagePath() const { return m_disk.path; }
    const ScratchDir &dir() const { return m_dir; }

    bool mount() const
    {
        if (mountImages({m_disk.path}) != WFS_OK) return false;
        return wfs_register_stream_ops() != -1;
    }

    QString path(int nRecording) const
    {
        const sim::RecordingResult &r = resultOf(m_disk.manifest, (size_t)nRecording);
        return QString::fromStdString(recordPath(0, r, r.firstCluster));
    }

    // Where a cluster of the first partition starts in the image, in bytes.
    qint64 clusterOffset(uint32_t nCluster) const
    {
        const sim::Manifest &m = m_disk.manifest;
        const sim::PartitionResult &p = m.partitions.front();
        return qint64(m.baseSector + p.startSector + p.dataOffset + uint64_t(nCluster) * m.secPerClus) * 512;
    }

    int channel(int nRecording) const { return resultOf(m_disk.manifest, (size_t)nRecording).channel; }

    ExportEntry entry(int nRecording) const { return ExportEntry::fromRecorderPath(path(nRecording), channel(nRecording)); }

private:
    ScratchDir m_dir;
    SimDisk m_disk;
};

// Everything the file wrapper reads from a path.
inline QByteArray readAll(const QString &strPath)
{
    CFSFile file;
    if (!file.Open(strPath, CFSFile::modeRead)) return QByteArray();
    QByteArray bytes;
    char chunk[65536];
    qint64 n;
    while ((n = file.Read(chunk, sizeof chunk)) > 0) bytes.append(chunk, (int)n);
    return bytes;
}

inline QByteArray fileBytes(const QString &strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Each frame of a stream, in order, with its time (invalid for frames that carry none).
inline void forEachFrame(const QByteArray &bytes, const std::function<void(const H264_PARSER_FRAME &, QTime)> &visit)
{
    void *parser = H264_PARSER_Create(0);
    const int nChunk = 65536;
    for (int pos = 0; pos < bytes.size(); pos += nChunk) {
        const int n = qMin(nChunk, bytes.size() - pos);
        H264_PARSER_InputData(parser, (const unsigned char *)bytes.constData() + pos, (uint32_t)n);
        while (const H264_PARSER_FRAME *f = H264_PARSER_GetNextFrame(parser))
            visit(*f, f->nYear ? QTime((int)f->nHour, (int)f->nMinute, (int)f->nSecond) : QTime());
    }
    H264_PARSER_Destroy(parser);
}

// The frames whose time the predicate accepts, concatenated as stored.
inline QByteArray framesWhere(const QByteArray &bytes, const std::function<bool(QTime)> &inside)
{
    QByteArray out;
    forEachFrame(bytes, [&](const H264_PARSER_FRAME &f, QTime t) {
        if (t.isValid() && inside(t)) out.append((const char *)f.pData, (int)f.nLength);
    });
    return out;
}

// A recording in the recorder's framing with meaningless payloads: each second a key frame
// stamped with its time and fps - 1 other frames, all of the size frameBytes(second) gives.
inline QByteArray syntheticRecording(const QDateTime &start, int nSeconds, int nFps,
                                     const std::function<int(int)> &frameBytes)
{
    auto put32 = [](QByteArray &out, int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    QByteArray out;
    for (int nSecond = 0; nSecond < nSeconds; ++nSecond) {
        const QDateTime t = start.addSecs(nSecond);
        const uint32_t stamp = uint32_t(t.date().year() - 2000) << 26 | uint32_t(t.date().month()) << 22 |
                               uint32_t(t.date().day()) << 17 | uint32_t(t.time().hour()) << 12 |
                               uint32_t(t.time().minute()) << 6 | uint32_t(t.time().second());
        const int nPayload = frameBytes(nSecond);
        for (int nFrame = 0; nFrame < nFps; ++nFrame) {
            const int nHeader = nFrame == 0 ? 16 : 8, at = out.size();
            out.append(QByteArray(nHeader, 0) + QByteArray(nPayload, char(0x55)));
            out[at + 2] = 1;
            out[at + 3] = char(nFrame == 0 ? 0xFC : 0xFD);
            if (nFrame == 0) {
                out[at + 4] = 2, out[at + 5] = char(nFps), out[at + 6] = 22, out[at + 7] = 18;
                put32(out, at + 8, stamp);
                put32(out, at + 12, uint32_t(nPayload));
            } else {
                put32(out, at + 4, uint32_t(nPayload));
            }
        }
    }
    return out;
}

inline bool writeBytes(const QString &strPath, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(strPath).path());
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QString readText(const QString &strPath)
{
    return QString::fromLocal8Bit(fileBytes(strPath));
}

// Runs a program to its end; its exit code (-1 when it could not run), output and errors.
struct ProgramRun {
    int nExitCode = -1;
    QString strOut;
    QString strErr;
};

inline ProgramRun runProgram(const QString &strProgram, const QStringList &args, const QString &strWorkDir = QString(),
                      int nTimeoutMs = 120000)
{
    QProcess process;
    if (!strWorkDir.isEmpty()) process.setWorkingDirectory(strWorkDir);
    process.start(strProgram, args);
    ProgramRun run;
    if (!process.waitForFinished(nTimeoutMs) || process.exitStatus() != QProcess::NormalExit) return run;
    run.nExitCode = process.exitCode();
    run.strOut = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.strErr = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// `sha256sum -c` over the SHA256SUMS of a folder: its exit code.
inline int verifyChecksums(const QString &strFolder)
{
    return runProgram("sha256sum", {"--quiet", "-c", "SHA256SUMS"}, strFolder).nExitCode;
}

} // namespace exporttest

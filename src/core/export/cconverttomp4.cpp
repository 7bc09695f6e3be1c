#include "cconverttomp4.h"

#include "tnetsdk.h"

#include <QDebug>
#include <QFile>
#include <QMutexLocker>

CConvertToMp4 *CConvertToMp4::instance()
{
    static CConvertToMp4 s_converter;
    return &s_converter;
}

QString CConvertToMp4::mp4Path(const QString &strRawPath)
{
    const int nDot = strRawPath.lastIndexOf('.');
    const QString strStem = nDot > strRawPath.lastIndexOf('/') ? strRawPath.left(nDot) : strRawPath;
    return strStem + ".mp4";
}

int CConvertToMp4::start(const QString &strSrcPath, const QString &strDstPath, Route *pRoute)
{
    TSDK_CALLBACK_INFO callback = {0, &CConvertToMp4::ConvertMsgCallBack, pRoute};
    return TPLAY_StartConvertFile(&callback, QFile::encodeName(strSrcPath).constData(),
                                  QFile::encodeName(strDstPath).constData(), "");
}

bool CConvertToMp4::ConvertH264ToMp4(QString srcPath, QString dstPath)
{
    QMutexLocker blocking(&m_blockingMutex);
    std::future<int> result;
    {
        QMutexLocker locker(&m_resultMutex);
        m_result = std::make_unique<std::promise<int>>();
        m_bResultDelivered = false;
        m_strBlockingFailure.clear();
        m_bCancelRequested = false;
        result = m_result->get_future();
    }
    const int nHandle = start(srcPath, dstPath, &m_blockingRoute);
    bool bCancelled;
    {
        QMutexLocker locker(&m_resultMutex);
        m_nRunningHandle = nHandle;
        bCancelled = m_bCancelRequested;
    }
    bool bOk = false;
    if (nHandle > 0 && !bCancelled) bOk = result.get() != 0;
    // Joins the finished conversion's thread, or stops one that was cancelled meanwhile.
    cancel(nHandle);
    QMutexLocker locker(&m_resultMutex);
    m_nRunningHandle = 0;
    m_result.reset();
    return bOk;
}

int CConvertToMp4::ConvertH264ToMp4V2(QString srcPath, QString dstPath)
{
    return start(srcPath, dstPath, &m_exportRoute);
}

void CConvertToMp4::setMessageReceiver(MessageReceiver pFunction, void *pUser)
{
    QMutexLocker locker(&m_receiverMutex);
    m_pMessageReceiver = pFunction;
    m_pMessageUser = pUser;
}

void CConvertToMp4::setProgressReceiver(ProgressReceiver pFunction, void *pUser)
{
    QMutexLocker locker(&m_receiverMutex);
    m_pProgressReceiver = pFunction;
    m_pProgressUser = pUser;
}

void CConvertToMp4::cancelBlocking()
{
    int nHandle;
    {
        QMutexLocker locker(&m_resultMutex);
        m_bCancelRequested = true;
        nHandle = m_nRunningHandle;
    }
    cancel(nHandle);
    deliverResult(0);
}

void CConvertToMp4::cancel(int nHandle)
{
    if (nHandle > 0) TPLAY_CancelConvertFile(nHandle);
}

// The first value of a blocking conversion counts; later ones are ignored.
void CConvertToMp4::deliverResult(int nValue)
{
    QMutexLocker locker(&m_resultMutex);
    if (!m_result || m_bResultDelivered) return;
    m_bResultDelivered = true;
    m_result->set_value(nValue);
}

int CConvertToMp4::ConvertMsgCallBack(int nHandle, int nMsgId, int nParam1, int, int, const char *szText, void *,
                                      int64_t, int, void *pUser, void *)
{
    if (!pUser) return 0;
    const Route *pRoute = static_cast<const Route *>(pUser);
    if (nMsgId == EUIMSG_COVERT_FILE_RESULT && nParam1 < 0)
        pRoute->converter->keepFailureReason(nHandle, pRoute->blocking, QString::fromLocal8Bit(szText ? szText : ""));
    pRoute->converter->onMessage(nHandle, nMsgId, nParam1, pRoute->blocking);
    return 0;
}

void CConvertToMp4::keepFailureReason(int nHandle, bool bBlocking, const QString &strReason)
{
    qWarning().noquote() << "conversion" << nHandle << "failed:" << strReason;
    QMutexLocker locker(&m_resultMutex);
    if (bBlocking)
        m_strBlockingFailure = strReason;
    else
        m_failureReasons.insert(nHandle, strReason);
}

QString CConvertToMp4::takeFailureReason(int nHandle)
{
    QMutexLocker locker(&m_resultMutex);
    return m_failureReasons.take(nHandle);
}

QString CConvertToMp4::blockingFailureReason()
{
    QMutexLocker locker(&m_resultMutex);
    return m_strBlockingFailure;
}

void CConvertToMp4::onMessage(int nHandle, int nMsgId, int nValue, bool bBlocking)
{
    if (nMsgId == EUIMSG_COVERT_FILE_RESULT) {
        qDebug() << "EUIMSG_COVERT_FILE_RESULT nParam " << nValue;
        if (nValue >= 0) return;
    } else if (nMsgId == EUIMSG_COVERT_FILE_PROCESS) {
        qInfo() << "EUIMSG_COVERT_FILE_PROCESS nParam " << nValue;
    } else {
        return;
    }
    if (bBlocking) {
        {
            QMutexLocker locker(&m_receiverMutex);
            if (m_pProgressReceiver && nValue >= 0) m_pProgressReceiver(nValue, m_pProgressUser);
        }
        if (nValue < 0 || nValue == 100) deliverResult(nValue == 100 ? 1 : 0);
        return;
    }
    QMutexLocker locker(&m_receiverMutex);
    if (m_pMessageReceiver) m_pMessageReceiver(nHandle, nValue, m_pMessageUser);
}

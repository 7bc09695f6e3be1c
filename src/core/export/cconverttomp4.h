// The process-wide driver of the media library's MP4 conversions: starts them,
// either waiting for the result (cutting) or returning the handle at once (export),
// and routes the library's progress and result messages to whoever asked.
#pragma once

#include <QHash>
#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <future>
#include <memory>

class CConvertToMp4 : public QObject
{
    Q_OBJECT
public:
    // (conversion handle, progress percent or negative result, user)
    typedef int (*MessageReceiver)(int nHandle, int nValue, void *pUser);
    // (progress percent, user)
    typedef void (*ProgressReceiver)(int nValue, void *pUser);

    static CConvertToMp4 *instance();

    // Converts and waits: true when the library reported the MP4 complete.
    Q_INVOKABLE bool ConvertH264ToMp4(QString srcPath, QString dstPath);
    // Starts a conversion: its handle (above 0), or the library's negative error code.
    Q_INVOKABLE int ConvertH264ToMp4V2(QString srcPath, QString dstPath);

    // Messages of the conversions started with ConvertH264ToMp4V2; a null function detaches.
    // Once this returns, the previous receiver is not running and is never called again.
    void setMessageReceiver(MessageReceiver pFunction, void *pUser);
    // Progress of the conversion started with ConvertH264ToMp4.
    void setProgressReceiver(ProgressReceiver pFunction, void *pUser);
    // Ends the running blocking conversion; its waiter returns false.
    void cancelBlocking();
    // Cancels a started conversion (handles above 0 only).
    static void cancel(int nHandle);
    // Why a started conversion failed: the failed step and FFmpeg's reason (empty when not told);
    // the reason is given out once.
    QString takeFailureReason(int nHandle);
    // Why the last blocking conversion failed.
    QString blockingFailureReason();

    // The MP4 name of a raw recording: the file name's extension becomes "mp4" (the folders stay).
    static QString mp4Path(const QString &strRawPath);

    static int ConvertMsgCallBack(int nHandle, int nMsgId, int nParam1, int nParam2, int nParam3, const char *szText,
                                  void *pData, int64_t nData, int nDataLen, void *pUser, void *pReserved);

private:
    // Who a conversion's messages belong to: the blocking waiter or the message receiver.
    struct Route {
        CConvertToMp4 *converter;
        bool blocking;
    };

    CConvertToMp4() = default;
    int start(const QString &strSrcPath, const QString &strDstPath, Route *pRoute);
    void onMessage(int nHandle, int nMsgId, int nValue, bool bBlocking);
    void keepFailureReason(int nHandle, bool bBlocking, const QString &strReason);
    void deliverResult(int nValue);

    Route m_exportRoute{this, false};
    Route m_blockingRoute{this, true};

    QMutex m_blockingMutex; // one blocking conversion at a time
    QMutex m_resultMutex;   // the result channel, the running handle and its cancel request
    std::unique_ptr<std::promise<int>> m_result;
    bool m_bResultDelivered = false;
    bool m_bCancelRequested = false;
    int m_nRunningHandle = 0;
    QString m_strBlockingFailure;
    QHash<int, QString> m_failureReasons;

    QMutex m_receiverMutex; // held while a receiver runs
    MessageReceiver m_pMessageReceiver = nullptr;
    void *m_pMessageUser = nullptr;
    ProgressReceiver m_pProgressReceiver = nullptr;
    void *m_pProgressUser = nullptr;
};

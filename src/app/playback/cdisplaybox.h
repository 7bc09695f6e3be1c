// The video wall: sixteen video windows shown 1, 4, 6, 8, 9 or 16 at a time, one active,
// with a position slider and the control buttons acting on the active window (or on all
// windows while it plays in step with the others).
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QTime>
#include <QWidget>

class CVideoWnd;
class QAction;
class QButtonGroup;
class QFrame;
class QGridLayout;
class QLabel;
class QSlider;
class QToolButton;

class CDisplayBox : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWndCount = 16;

    explicit CDisplayBox(QWidget *parent = nullptr);
    ~CDisplayBox() override;

    int activeWnd() const { return m_nActiveWnd; }
    int wndCount() const { return m_nWndNum; }
    bool singleWnd() const { return m_bSingleWnd; }
    CVideoWnd *videoWnd(int nIndex) const { return m_pVideoWnds[nIndex]; }
    QGridLayout *gridLayout() const { return m_pGridLayout; }
    QToolButton *controlButton(int nId) const;
    QSlider *slider() const { return m_pSlider; }
    QLabel *indexNotice() const { return m_pIndexNotice; }
    // "HH:mm:ss / HH:mm:ss": the active window's recorder clock and its recording's end.
    QLabel *timeLabel() const { return m_pTimeLabel; }
    static QString timeText(qint64 nCurTime, const QTime &end);
    // The keyboard's controls of the active window; false for a key that is not one of them.
    bool handleKey(int nKey);
    // The style sheet of a control button showing the named skin picture.
    static QString buttonStyle(const QString &strIcon);
    // A selection in a window mapped into the 0..8192 picture, inside the current zoom when there is one.
    static QRect mapRegion(const QPoint &start, const QPoint &end, const QRect &zoom, int nWidth, int nHeight);
    // Runs one status tick at once (slider, index notice, buttons).
    void updateStatus();

signals:
    void updateBtnStatus(int, int, int);
    void playRecordRequest();
    void selectRecord(QString);
    void updateGpsInfo(void *pGpsInfo);

public slots:
    void onDiskChanged();
    void onActive(int nIndex, bool bSend = true);
    void onCatchPic(int nPort);
    void onWndNoChanged(int);
    void onControlBtnClicked(int nType);
    void onWndDoubleClicked(int);
    void onChangeWndMode(int nWndNum);
    void onSyncPlay(int nSyncTime);
    void onPlayRecord(QString strFilePath, bool bSync);
    bool LocalRange();
    void onMenuTriggered(QAction *pAction);
    void onSelectVideoWnd(QString strFileName);
    void onUpdateBtnStatus(int nPlayStatus, int nSpeed, int nSound);
    void onUpdateSliderStatus(int nStatus);
    void slot_RectanglePoint(void *, QPoint start, QPoint);
    void slot_SelectRegion(void *, QPoint, QPoint, int width, int height);

protected:
    bool eventFilter(QObject *pObject, QEvent *pEvent) override;
    void keyPressEvent(QKeyEvent *pEvent) override;
    void timerEvent(QTimerEvent *pEvent) override;
    void contextMenuEvent(QContextMenuEvent *pEvent) override;

private:
    static void onPortStopped(int nPort, void *pContext);
    void createVideoWnds();
    void createControls();
    void setButtonLook(int nId, const QString &strIcon, const QString &strTip);
    void forEachTarget(bool (*pAction)(int nIndex));
    void toggleSound();
    void sendGpsInfo();
    void stopAll(bool bClearQueues);
    int sliderValueAt(int nX) const;
    void onSliderPressed(int nX);
    void onSliderMoved(int nX);
    void onSliderReleased(int nX);
    void updateTimeLabel();
    void stepFrame(bool bForward);
    void addSplitMenu(class QMenu *pMenu);
    int findWnd(void *pHandle) const;

    CVideoWnd *m_pVideoWnds[kWndCount] = {};
    QGridLayout *m_pGridLayout = nullptr;
    QFrame *m_pVideoFrame = nullptr;
    QFrame *m_pControlFrame = nullptr;
    QButtonGroup *m_pButtonGroup = nullptr;
    QSlider *m_pSlider = nullptr;
    QLabel *m_pIndexNotice = nullptr;
    QLabel *m_pTimeLabel = nullptr;
    int m_nActiveWnd = 0;
    int m_nWndNum = 0;
    bool m_bSingleWnd = false;
    int m_nPlayStatus = 0;
    int m_nSpeed = 5;
    int m_nSound = 0;
    int m_nStatusTimerId = -1;
    int m_nSliderTimerId = -1;
    bool m_bSliderAuto = true;
    bool m_bSliderDragging = false;
    int m_nSliderPressValue = 0;
};

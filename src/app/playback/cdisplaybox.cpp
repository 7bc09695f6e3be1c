#include "playback/cdisplaybox.h"

#include "common/cglobalappdata.h"
#include "playback/cplaymanage.h"
#include "playback/cvideoframe.h"
#include "playback/cvideownd.h"
#include "widgets/fancymessagebox.h"

#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDebug>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSlider>
#include <QTimerEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

namespace {
constexpr int kPicture = 8192;

struct ButtonSpec {
    const char *icon;
    const char *tip;
};
const ButtonSpec kButtons[6] = {{"Stop", QT_TRANSLATE_NOOP("CDisplayBox", "Stop")},
                                {"Play", QT_TRANSLATE_NOOP("CDisplayBox", "Play")},
                                {"Slow", QT_TRANSLATE_NOOP("CDisplayBox", "Slow")},
                                {"Fast", QT_TRANSLATE_NOOP("CDisplayBox", "Fast")},
                                {"NextFrame", QT_TRANSLATE_NOOP("CDisplayBox", "NextFrame")},
                                {"AudioOff", QT_TRANSLATE_NOOP("CDisplayBox", "Audio")}};
enum ButtonId { btnStop = 0, btnPlay = 1, btnSlow = 2, btnFast = 3, btnNextFrame = 4, btnAudio = 5 };
enum MenuData { menuWindowLabels = 12 };

CPlayManage *manage()
{
    return CPlayManage::instance();
}
} // namespace

CDisplayBox::CDisplayBox(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("CDisplayBox");
    setFocusPolicy(Qt::StrongFocus); // a click on a window or the controls gives the wall the keyboard
    installEventFilter(this);
    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    m_pVideoFrame = new QFrame(this);
    m_pVideoFrame->setObjectName("VideoFrame");
    m_pControlFrame = new QFrame(this);
    m_pControlFrame->setObjectName("ControlFrame");
    m_pControlFrame->setFixedHeight(100);
    // Playback controls keep their order in right-to-left languages: time runs left to right.
    m_pControlFrame->setLayoutDirection(Qt::LeftToRight);
    pLayout->addWidget(m_pVideoFrame, 1);
    pLayout->addWidget(m_pControlFrame);
    createVideoWnds();
    createControls();
    manage()->StartPacing();
    onActive(0);
    onWndNoChanged(4);
    m_nStatusTimerId = startTimer(1000);
}

CDisplayBox::~CDisplayBox()
{
    killTimer(m_nStatusTimerId);
    if (m_nSliderTimerId != -1) killTimer(m_nSliderTimerId);
    // The ports carry this box as their stop notification's context: they go with it.
    CPlayManage::release();
}

void CDisplayBox::createVideoWnds()
{
    for (int i = 0; i < kWndCount; ++i) {
        auto *pWnd = new CVideoWnd(i, m_pVideoFrame);
        m_pVideoWnds[i] = pWnd;
        manage()->CreatePort(TSDK_WINDOW(pWnd->frame()->winId()), i, &CDisplayBox::onPortStopped, this);
        connect(pWnd, &CVideoWnd::activeWnd, this, [this](int n) { onActive(n); });
        connect(pWnd, &CVideoWnd::doubleClicked, this, &CDisplayBox::onWndDoubleClicked);
        connect(pWnd, &CVideoWnd::sig_selectRegion, this, &CDisplayBox::slot_SelectRegion);
        connect(pWnd, &CVideoWnd::sig_RectanglePoint, this, &CDisplayBox::slot_RectanglePoint);
    }
}

void CDisplayBox::createControls()
{
    auto *pLayout = new QVBoxLayout(m_pControlFrame);
    pLayout->setContentsMargins(0, 5, 0, 20);
    pLayout->setSpacing(0);
    m_pIndexNotice = new QLabel(tr("The file index is being read and the progress bar cannot be operated"));
    m_pIndexNotice->setFixedHeight(13);
    m_pIndexNotice->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pIndexNotice->setStyleSheet("QLabel{padding-right:10px;}");
    QFont font = m_pIndexNotice->font();
    font.setPointSize(7);
    m_pIndexNotice->setFont(font);
    m_pIndexNotice->hide();
    m_pSlider = new QSlider(Qt::Horizontal);
    m_pSlider->setRange(0, 1000);
    m_pSlider->setFixedHeight(30);
    m_pSlider->setFocusPolicy(Qt::NoFocus);
    m_pSlider->installEventFilter(this);
    m_pTimeLabel = new QLabel(timeText(0, QTime()));
    m_pTimeLabel->setObjectName("PlayTimeLabel");
    m_pTimeLabel->setContentsMargins(8, 0, 10, 0);
    m_pTimeLabel->setMinimumWidth(m_pTimeLabel->fontMetrics().horizontalAdvance("00:00:00 / 00:00:00") + 18);
    m_pTimeLabel->setToolTip(tr("Recorder clock of the active window / end of its recording"));
    auto *pSliderRow = new QHBoxLayout;
    pSliderRow->setSpacing(0);
    pSliderRow->addWidget(m_pSlider, 1);
    pSliderRow->addWidget(m_pTimeLabel);
    auto *pRow = new QHBoxLayout;
    pRow->setSpacing(60);
    pRow->addStretch();
    m_pButtonGroup = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        auto *pButton = new QToolButton;
        pButton->setObjectName("NormalToolButton");
        pButton->setFixedSize(40, 40);
        pButton->setFocusPolicy(Qt::NoFocus);
        m_pButtonGroup->addButton(pButton, i);
        setButtonLook(i, kButtons[i].icon, tr(kButtons[i].tip));
        pRow->addWidget(pButton);
    }
    pRow->addStretch();
    pLayout->addWidget(m_pIndexNotice);
    pLayout->addLayout(pSliderRow);
    pLayout->addLayout(pRow);
    connect(m_pButtonGroup, &QButtonGroup::idClicked, this,
            &CDisplayBox::onControlBtnClicked);
    connect(this, &CDisplayBox::updateBtnStatus, this, &CDisplayBox::onUpdateBtnStatus);
}

QToolButton *CDisplayBox::controlButton(int nId) const
{
    return static_cast<QToolButton *>(m_pButtonGroup->button(nId));
}

QString CDisplayBox::buttonStyle(const QString &strIcon)
{
    return QString("QToolButton{border:0px;background:transparent;border-image:url(%1/skin/buttons/%2Normal.png);}"
                   "QToolButton:hover{border:0px;background:transparent;border-image:url(%1/skin/buttons/"
                   "%2Hover.png);}QToolButton:pressed{border:0px;background:transparent;border-image:url(%1/skin/"
                   "buttons/%2Hover.png);}QToolButton:disabled{border:0px;background:transparent;border-image:url(%1/"
                   "skin/buttons/%2Dis.png);}")
        .arg(CGlobalAppData::instance()->appPath(), strIcon);
}

void CDisplayBox::setButtonLook(int nId, const QString &strIcon, const QString &strTip)
{
    QToolButton *pButton = controlButton(nId);
    pButton->setStyleSheet(buttonStyle(strIcon));
    pButton->setToolTip(strTip);
}

void CDisplayBox::onPortStopped(int nPort, void *pContext)
{
    auto *pBox = static_cast<CDisplayBox *>(pContext);
    QMetaObject::invokeMethod(
        pBox,
        [pBox, nPort] {
            CVideoFrame *pFrame = pBox->m_pVideoWnds[nPort]->frame();
            pFrame->setRangeMode(false);
            pFrame->setZoomRect(QRect());
            pFrame->update();
        },
        Qt::QueuedConnection);
}

void CDisplayBox::onWndNoChanged(int nNum)
{
    if (nNum < 0) return;
    delete m_pGridLayout;
    m_pGridLayout = new QGridLayout(m_pVideoFrame);
    m_pGridLayout->setContentsMargins(1, 1, 1, 1);
    m_pGridLayout->setSpacing(1);
    if (nNum == 6) {
        m_pGridLayout->addWidget(m_pVideoWnds[0], 0, 0, 2, 2);
        m_pGridLayout->addWidget(m_pVideoWnds[1], 0, 2);
        m_pGridLayout->addWidget(m_pVideoWnds[2], 1, 2);
        for (int i = 3; i < 6; ++i) m_pGridLayout->addWidget(m_pVideoWnds[i], 2, i - 3);
    } else if (nNum == 8) {
        m_pGridLayout->addWidget(m_pVideoWnds[0], 0, 0, 3, 3);
        for (int i = 1; i < 4; ++i) m_pGridLayout->addWidget(m_pVideoWnds[i], i - 1, 3);
        for (int i = 4; i < 8; ++i) m_pGridLayout->addWidget(m_pVideoWnds[i], 3, i - 4);
    } else {
        const int nCols = qMax(1, int(std::sqrt(double(nNum))));
        for (int i = 0; i < qMin(nNum, kWndCount); ++i)
            m_pGridLayout->addWidget(m_pVideoWnds[i], i / nCols, i % nCols);
    }
    for (int i = 0; i < kWndCount; ++i) m_pVideoWnds[i]->setVisible(i < nNum);
    m_nWndNum = nNum;
    m_bSingleWnd = false;
    onActive(0);
}

// The windows stop before the layout activates window 0: an old recording of window 0
// would otherwise be reported as selected and pull the record list back to it.
void CDisplayBox::onChangeWndMode(int nWndNum)
{
    manage()->StopAll();
    onWndNoChanged(nWndNum == 1 ? 1 : nWndNum <= 4 ? 4 : nWndNum > 9 ? 16 : 9);
}

void CDisplayBox::onActive(int nIndex, bool bSend)
{
    if (nIndex < 0 || nIndex >= kWndCount) return;
    for (int i = 0; i < kWndCount; ++i) m_pVideoWnds[i]->setActive(i == nIndex);
    m_nActiveWnd = nIndex;
    if (bSend && manage()->IsPlaying(nIndex) && !manage()->GetPath(nIndex).isEmpty())
        emit selectRecord(manage()->GetPath(nIndex));
}

void CDisplayBox::onSelectVideoWnd(QString strFileName)
{
    for (int i = 0; i < kWndCount; ++i)
        if (manage()->GetPath(i) == strFileName) onActive(i, false);
}

void CDisplayBox::onWndDoubleClicked(int nIndex)
{
    onActive(nIndex);
    m_bSingleWnd = !m_bSingleWnd;
    for (int i = 0; i < kWndCount; ++i)
        m_pVideoWnds[i]->setVisible(!(i >= m_nWndNum || (m_bSingleWnd && i != nIndex)));
}

// The action on the active window, or on every window while the active one plays in step.
void CDisplayBox::forEachTarget(bool (*pAction)(int nIndex))
{
    if (!manage()->IsSyncMode(m_nActiveWnd)) {
        pAction(m_nActiveWnd);
        return;
    }
    for (int i = 0; i < kWndCount; ++i) pAction(i);
}

void CDisplayBox::stopAll(bool bClearQueues)
{
    if (bClearQueues) CGlobalAppData::instance()->clearWndPaths(-1);
    for (int i = 0; i < kWndCount; ++i) manage()->StopPort(i);
}

void CDisplayBox::onControlBtnClicked(int nType)
{
    switch (nType) {
    case btnStop:
        if (manage()->IsSyncMode(m_nActiveWnd))
            stopAll(true);
        else
            manage()->StopPort(m_nActiveWnd);
        break;
    case btnPlay:
        if (!manage()->IsPlaying(m_nActiveWnd))
            emit playRecordRequest();
        else
            forEachTarget([](int n) {
                manage()->TogglePause(n);
                return true;
            });
        break;
    case btnSlow: forEachTarget([](int n) { return manage()->PlaySlow(n); }); break;
    case btnFast: forEachTarget([](int n) { return manage()->PlayFast(n); }); break;
    case btnNextFrame: forEachTarget([](int n) { return manage()->PlayNextFrame(n); }); break;
    case btnAudio: toggleSound(); break;
    default: break;
    }
    updateStatus();
}

// A frame step forward or back while the window is paused or stepping (all windows in step).
void CDisplayBox::stepFrame(bool bForward)
{
    const int nStatus = manage()->GetStatus(m_nActiveWnd);
    if (nStatus != CPlay::statusPaused && nStatus != CPlay::statusFrame) return;
    if (bForward)
        forEachTarget([](int n) { return manage()->PlayNextFrame(n); });
    else
        forEachTarget([](int n) { return manage()->PlayPrevFrame(n); });
    updateStatus();
}

bool CDisplayBox::handleKey(int nKey)
{
    switch (nKey) {
    case Qt::Key_Space: onControlBtnClicked(btnPlay); return true;
    case Qt::Key_Right: stepFrame(true); return true;
    case Qt::Key_Left: stepFrame(false); return true;
    case Qt::Key_Up: onControlBtnClicked(btnFast); return true;
    case Qt::Key_Down: onControlBtnClicked(btnSlow); return true;
    case Qt::Key_Escape:
        if (m_bSingleWnd) onWndDoubleClicked(m_nActiveWnd);
        return true;
    case Qt::Key_S:
        if (manage()->IsPlaying(m_nActiveWnd)) onCatchPic(m_nActiveWnd);
        return true;
    default: return false;
    }
}

void CDisplayBox::keyPressEvent(QKeyEvent *pEvent)
{
    const bool bPlain = (pEvent->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    // A held arrow keeps stepping; the other keys act once per press.
    const bool bRepeats = pEvent->key() == Qt::Key_Left || pEvent->key() == Qt::Key_Right;
    if (bPlain && (!pEvent->isAutoRepeat() || bRepeats) && handleKey(pEvent->key()))
        return;
    QWidget::keyPressEvent(pEvent);
}

void CDisplayBox::toggleSound()
{
    if (manage()->IsSoundOn(m_nActiveWnd)) {
        manage()->CloseSound(m_nActiveWnd);
        return;
    }
    for (int i = 0; i < kWndCount; ++i)
        if (manage()->IsSoundOn(i)) manage()->CloseSound(i);
    manage()->OpenSound(m_nActiveWnd);
}

void CDisplayBox::onUpdateBtnStatus(int nPlayStatus, int nSpeed, int nSound)
{
    if (nPlayStatus != m_nPlayStatus) {
        m_nPlayStatus = nPlayStatus;
        const bool bPlaying = nPlayStatus == 1;
        setButtonLook(btnPlay, bPlaying ? "Pause" : "Play", bPlaying ? tr("Pause") : tr("Play"));
    }
    if (nSpeed != m_nSpeed) {
        m_nSpeed = nSpeed;
        QString strFastIcon = "Fast", strFastTip = tr("Fast"), strSlowIcon = "Slow", strSlowTip = tr("Slow");
        if (nSpeed > 5) {
            const int k = 1 << (nSpeed - 5);
            strFastTip = nSpeed == 9 ? tr("Single I frame playback") : QString("%1_X%2").arg(tr("Fast")).arg(k);
            strFastIcon = QString("Fast_%1X_").arg(k);
        } else if (nSpeed < 5) {
            const int k = 1 << (5 - nSpeed);
            strSlowTip = QString("%1_X1/%2").arg(tr("Slow")).arg(k);
            strSlowIcon = QString("Slow_1_%1X_").arg(k);
        }
        setButtonLook(btnFast, strFastIcon, strFastTip);
        setButtonLook(btnSlow, strSlowIcon, strSlowTip);
    }
    if (nSound != m_nSound) {
        m_nSound = nSound;
        setButtonLook(btnAudio, nSound ? "AudioOn" : "AudioOff", nSound ? tr("AudioOn") : tr("AudioOff"));
    }
}

void CDisplayBox::onUpdateSliderStatus(int nStatus)
{
    m_pIndexNotice->setVisible(nStatus == 0);
    m_pSlider->setEnabled(nStatus > 0);
}

QString CDisplayBox::timeText(qint64 nCurTime, const QTime &end)
{
    const QString strNone = "--:--:--";
    const QString strCur = nCurTime > 0 ? QDateTime::fromSecsSinceEpoch(nCurTime).toString("HH:mm:ss") : strNone;
    return QString("%1 / %2").arg(strCur, end.isValid() ? end.toString("HH:mm:ss") : strNone);
}

// While the slider is dragged it shows the time the release would seek to, when the index knows it.
void CDisplayBox::updateTimeLabel()
{
    qint64 nTime = manage()->GetCurTime(m_nActiveWnd);
    if (m_bSliderDragging) {
        const qint64 nAtSlider = manage()->GetTimeAtPos(m_nActiveWnd, m_pSlider->value() / 1000.0);
        if (nAtSlider > 0) nTime = nAtSlider;
    }
    m_pTimeLabel->setText(timeText(nTime, manage()->GetEndClock(m_nActiveWnd)));
}

void CDisplayBox::updateStatus()
{
    if (m_bSliderAuto) m_pSlider->setValue(manage()->GetPlayPos(m_nActiveWnd));
    updateTimeLabel();
    onUpdateSliderStatus(manage()->GetIndexState(m_nActiveWnd));
    emit updateBtnStatus(manage()->GetStatus(m_nActiveWnd), manage()->GetSpeed(m_nActiveWnd),
                         manage()->IsSoundOn(m_nActiveWnd) ? 1 : 0);
    sendGpsInfo();
}

// The active window's GPS position (in step: the first window that has one) goes to the map,
// which takes ownership of the block.
void CDisplayBox::sendGpsInfo()
{
    if (receivers(SIGNAL(updateGpsInfo(void *))) == 0) return;
    std::unique_ptr<GpsInfo> pInfo(new GpsInfo());
    bool bValid = false;
    if (manage()->IsSyncMode(m_nActiveWnd))
        for (int i = 0; !bValid && i < kWndCount; ++i) bValid = manage()->GetGpsInfo(i, pInfo.get());
    else
        bValid = manage()->GetGpsInfo(m_nActiveWnd, pInfo.get());
    if (bValid && std::fabs(pInfo->dLatitude) > 1e-8 && std::fabs(pInfo->dLongitude) > 1e-8)
        emit updateGpsInfo(pInfo.release());
}

void CDisplayBox::timerEvent(QTimerEvent *pEvent)
{
    if (pEvent->timerId() == m_nStatusTimerId) {
        updateStatus();
    } else if (pEvent->timerId() == m_nSliderTimerId) {
        killTimer(m_nSliderTimerId);
        m_nSliderTimerId = -1;
        m_bSliderAuto = true;
    }
}

bool CDisplayBox::eventFilter(QObject *pObject, QEvent *pEvent)
{
    if (pObject == m_pSlider && m_pSlider->isEnabled()) {
        switch (pEvent->type()) {
        case QEvent::MouseButtonPress: onSliderPressed(static_cast<QMouseEvent *>(pEvent)->pos().x()); return true;
        case QEvent::MouseMove: onSliderMoved(static_cast<QMouseEvent *>(pEvent)->pos().x()); return true;
        case QEvent::MouseButtonRelease: onSliderReleased(static_cast<QMouseEvent *>(pEvent)->pos().x()); return true;
        default: break;
        }
    } else if (pObject == m_pSlider && pEvent->type() == QEvent::MouseButtonRelease) {
        m_bSliderAuto = true; // the window stopped while the slider was held
        m_bSliderDragging = false;
    }
    return QWidget::eventFilter(pObject, pEvent);
}

int CDisplayBox::sliderValueAt(int nX) const
{
    const int nWidth = qMax(1, m_pSlider->width());
    nX = qBound(0, nX, nWidth); // the press grabs the mouse: a release may lie beside the slider
    return m_pSlider->minimum() + (m_pSlider->maximum() - m_pSlider->minimum()) * nX / nWidth;
}

// The slider follows the pointer from the press on; only the release seeks.
void CDisplayBox::onSliderPressed(int nX)
{
    m_bSliderAuto = false;
    m_bSliderDragging = true;
    m_nSliderPressValue = m_pSlider->value();
    onSliderMoved(nX);
}

void CDisplayBox::onSliderMoved(int nX)
{
    if (!m_bSliderDragging) return;
    m_pSlider->setValue(sliderValueAt(nX));
    updateTimeLabel();
}

void CDisplayBox::onSliderReleased(int nX)
{
    const int nValue = sliderValueAt(nX);
    m_bSliderDragging = false;
    m_pSlider->setValue(nValue);
    if (nValue != m_nSliderPressValue && !manage()->SetPlayPos(m_nActiveWnd, float(nValue) / 1000.0f))
        FancyMessageBox::showMessage(tr("In synchronous mode, you need to wait for the file index to be created"));
    if (m_nSliderTimerId != -1) killTimer(m_nSliderTimerId);
    m_nSliderTimerId = startTimer(3000);
}

void CDisplayBox::onPlayRecord(QString strFilePath, bool bSync)
{
    if (manage()->IsAnySyncMode()) {
        FancyMessageBox::showMessage(tr("Please stop sync playback first"));
        return;
    }
    manage()->PlayRecord(m_nActiveWnd, strFilePath, bSync);
}

void CDisplayBox::onSyncPlay(int nSyncTime)
{
    manage()->SyncPlay(nSyncTime);
}

// Every port stops, also one whose worker has not reported playing yet: its disk may be gone.
void CDisplayBox::onDiskChanged()
{
    manage()->StopAll();
}

void CDisplayBox::onCatchPic(int nPort)
{
    if (!manage()->CatchPicture(nPort, CGlobalAppData::instance()->capturePath()))
        FancyMessageBox::showMessage(tr("Failed to catch the picture"));
}

void CDisplayBox::contextMenuEvent(QContextMenuEvent *pEvent)
{
    QMenu menu(this);
    menu.addAction(QString("%1 %2").arg(tr("Window")).arg(m_nActiveWnd + 1))->setEnabled(false);
    menu.addSeparator();
    const auto add = [&menu](const QString &strText, int nData, int nChecked = -1) {
        QAction *pAction = menu.addAction(strText);
        pAction->setData(nData);
        pAction->setCheckable(nChecked >= 0);
        pAction->setChecked(nChecked > 0);
    };
    bool bAnyPlaying = false;
    for (int i = 0; i < kWndCount; ++i) bAnyPlaying = bAnyPlaying || manage()->IsPlaying(i);
    if (manage()->IsPlaying(m_nActiveWnd)) {
        add(tr("Close"), 0);
        add(tr("Close All"), 1);
        add(tr("Catch Picture"), 4);
        add(tr("Audio"), 2, manage()->IsSoundOn(m_nActiveWnd));
        add(tr("Record"), 3, manage()->IsRecording(m_nActiveWnd));
        add(tr("Range"), 6, m_pVideoWnds[m_nActiveWnd]->frame()->rangeMode());
    } else if (bAnyPlaying) {
        add(tr("Close All"), 1);
    }
    addSplitMenu(&menu);
    add(tr("Window Labels"), menuWindowLabels, CGlobalAppData::instance()->windowLabels());
    connect(&menu, &QMenu::triggered, this, &CDisplayBox::onMenuTriggered);
    menu.exec(pEvent->globalPos());
}

void CDisplayBox::addSplitMenu(QMenu *pMenu)
{
    QMenu *pSplit = pMenu->addMenu(tr("Video Split"));
    const int nCounts[5] = {1, 4, 8, 9, 16};
    const QString strNames[5] = {tr("Split1"), tr("Split4"), tr("Split8"), tr("Split9"), tr("Split16")};
    for (int i = 0; i < 5; ++i) {
        QAction *pAction = pSplit->addAction(strNames[i]);
        pAction->setData(7 + i);
        pAction->setCheckable(true);
        pAction->setChecked(m_nWndNum == nCounts[i]);
    }
}

void CDisplayBox::onMenuTriggered(QAction *pAction)
{
    const int nCounts[5] = {1, 4, 8, 9, 16};
    const int nData = pAction->data().toInt();
    CGlobalAppData *pData = CGlobalAppData::instance();
    switch (nData) {
    case 0:
        pData->clearWndPaths(m_nActiveWnd);
        manage()->StopPort(m_nActiveWnd);
        break;
    case 1: stopAll(true); break;
    case 2: toggleSound(); break;
    case 3:
        if (manage()->IsRecording(m_nActiveWnd))
            manage()->StopRecord(m_nActiveWnd);
        else if (!manage()->StartRecord(m_nActiveWnd, pData->recordPath()))
            FancyMessageBox::showMessage(tr("Failed to start recording"));
        break;
    case 4: onCatchPic(m_nActiveWnd); break;
    case 6: LocalRange(); break;
    case menuWindowLabels:
        pData->setWindowLabels(!pData->windowLabels());
        for (CVideoWnd *pWnd : m_pVideoWnds) pWnd->frame()->update();
        break;
    default:
        if (nData >= 7 && nData <= 11) onWndNoChanged(nCounts[nData - 7]);
        break;
    }
}

bool CDisplayBox::LocalRange()
{
    CVideoFrame *pFrame = m_pVideoWnds[m_nActiveWnd]->frame();
    if (!manage()->IsZoom(m_nActiveWnd)) {
        pFrame->setRangeMode(true);
        return true;
    }
    pFrame->setRangeMode(false);
    manage()->SetDisplayRegion(m_nActiveWnd, QPoint(), QPoint(), false);
    pFrame->setZoomRect(QRect());
    return true;
}

int CDisplayBox::findWnd(void *pHandle) const
{
    for (int i = 0; i < kWndCount; ++i)
        if (m_pVideoWnds[i]->frame()->nativeHandle() == pHandle) return i;
    return -1;
}

void CDisplayBox::slot_RectanglePoint(void *pHandle, QPoint start, QPoint end)
{
    const int nIndex = findWnd(pHandle);
    if (nIndex >= 0) m_pVideoWnds[nIndex]->frame()->setSelection(start, end);
}

// Rectangles here run from their top-left to their bottom-right point; widths are the differences.
QRect CDisplayBox::mapRegion(const QPoint &start, const QPoint &end, const QRect &zoom, int nWidth, int nHeight)
{
    const int x1 = qMin(start.x(), end.x()), x2 = qMax(start.x(), end.x());
    const int y1 = qMin(start.y(), end.y()), y2 = qMax(start.y(), end.y());
    int nLeft, nTop, nRight, nBottom;
    if (zoom.isNull()) {
        nLeft = x1 * kPicture / nWidth;
        nRight = x2 * kPicture / nWidth;
        nTop = y1 * kPicture / nHeight;
        nBottom = y2 * kPicture / nHeight;
    } else {
        const int nZoomWidth = zoom.right() - zoom.left(), nZoomHeight = zoom.bottom() - zoom.top();
        nLeft = zoom.left() + x1 * nZoomWidth / nWidth;
        nRight = nLeft + nZoomWidth * (x2 - x1) / nWidth;
        nTop = zoom.top() + y1 * nZoomHeight / nHeight;
        nBottom = nTop + nZoomHeight * (y2 - y1) / nHeight;
    }
    if (nLeft >= nRight || nTop >= nBottom) return QRect(QPoint(0, 0), QPoint(kPicture, kPicture));
    return QRect(QPoint(nLeft, nTop), QPoint(nRight, nBottom));
}

void CDisplayBox::slot_SelectRegion(void *pHandle, QPoint start, QPoint end, int width, int height)
{
    const int nIndex = findWnd(pHandle);
    if (nIndex < 0 || width <= 0 || height <= 0) return;
    CVideoFrame *pFrame = m_pVideoWnds[nIndex]->frame();
    const QRect region = mapRegion(start, end, pFrame->zoomRect(), width, height);
    if (manage()->SetDisplayRegion(nIndex, region.topLeft(), region.bottomRight(), true))
        pFrame->setZoomRect(region);
}

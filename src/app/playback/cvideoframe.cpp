#include "playback/cvideoframe.h"

#include "common/cglobalappdata.h"
#include "playback/cplaymanage.h"

#include <QMouseEvent>
#include <QPainter>

CVideoFrame::CVideoFrame(int nIndex, QWidget *parent)
    : QFrame(parent), m_nIndex(nIndex)
{
    setObjectName("CPlayWnd");
    setMouseTracking(true);
    m_background.load(CGlobalAppData::instance()->appPath() + "/skin/icons/wnd_backgroud.png");
    m_pHandle = reinterpret_cast<void *>(winId());
}

void CVideoFrame::setRangeMode(bool bOn)
{
    m_bRangeMode = bOn;
    if (!bOn) endDrag();
}

// Forgets a drag in progress and takes its rectangle off the picture.
void CVideoFrame::endDrag()
{
    m_bPressing = false;
    if (m_nTimerId != -1) killTimer(m_nTimerId);
    m_nTimerId = -1;
    m_pressPoint = QPoint();
    m_curPoint = QPoint();
    setSelection(QPoint(), QPoint());
}

void CVideoFrame::setSelection(const QPoint &start, const QPoint &end)
{
    m_selStart = start;
    m_selEnd = end;
    update();
}

void CVideoFrame::paintEvent(QPaintEvent *pEvent)
{
    QFrame::paintEvent(pEvent);
    QPainter painter(this);
    CPlayManage *pManage = CPlayManage::existing();
    if (!pManage || !pManage->IsPlaying(m_nIndex)) {
        if (m_background.isNull())
            painter.fillRect(rect(), Qt::black);
        else
            painter.drawPixmap(rect(), m_background);
    }
    if (hasSelection()) {
        painter.setPen(QPen(Qt::red, 1, Qt::SolidLine));
        painter.drawPolygon(QPolygon({m_selStart, QPoint(m_selStart.x(), m_selEnd.y()), m_selEnd,
                                      QPoint(m_selEnd.x(), m_selStart.y())}));
    }
}

void CVideoFrame::mousePressEvent(QMouseEvent *pEvent)
{
    emit activeWnd(m_nIndex);
    if (m_bRangeMode && pEvent->button() == Qt::LeftButton) {
        m_bPressing = true;
        m_pressPoint = pEvent->pos();
        m_curPoint = QPoint();
        if (m_nTimerId == -1) m_nTimerId = startTimer(10);
    }
    QFrame::mousePressEvent(pEvent);
}

void CVideoFrame::mouseMoveEvent(QMouseEvent *pEvent)
{
    if (m_bRangeMode && m_bPressing && (pEvent->buttons() & Qt::LeftButton))
        m_curPoint = QPoint(qBound(0, pEvent->pos().x(), width()), qBound(0, pEvent->pos().y(), height()));
    QFrame::mouseMoveEvent(pEvent);
}

void CVideoFrame::mouseReleaseEvent(QMouseEvent *pEvent)
{
    if (!m_bRangeMode || !m_bPressing || pEvent->button() != Qt::LeftButton) return QFrame::mouseReleaseEvent(pEvent);
    const QPoint start = m_pressPoint, end = m_curPoint;
    endDrag();
    emit sig_RectanglePoint(m_pHandle, QPoint(), QPoint());
    const QPoint delta = end - start;
    if (end.isNull() || (qAbs(delta.x()) < 5 && qAbs(delta.y()) < 5)) return;
    emit sig_selectRegion(m_pHandle, start, end, width(), height());
}

void CVideoFrame::mouseDoubleClickEvent(QMouseEvent *pEvent)
{
    emit doubleClicked(m_nIndex);
    QFrame::mouseDoubleClickEvent(pEvent);
}

void CVideoFrame::resizeEvent(QResizeEvent *pEvent)
{
    m_nHalfWidth = width() / 2;
    m_nHalfHeight = height() / 2;
    QFrame::resizeEvent(pEvent);
}

void CVideoFrame::timerEvent(QTimerEvent *pEvent)
{
    if (pEvent->timerId() != m_nTimerId) return QFrame::timerEvent(pEvent);
    if (m_curPoint.x() > 0 && m_curPoint.y() > 0) emit sig_RectanglePoint(m_pHandle, m_pressPoint, m_curPoint);
}

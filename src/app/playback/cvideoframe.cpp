#include "playback/cvideoframe.h"

#include "common/cglobalappdata.h"
#include "common/crecordname.h"
#include "playback/cplaymanage.h"

#include <QDateTime>
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
    } else if (CGlobalAppData::instance()->windowLabels()) {
        paintLabel(painter, labelText(pManage->GetPath(m_nIndex), pManage->GetCurTime(m_nIndex)));
    }
    if (hasSelection()) {
        painter.setPen(QPen(Qt::red, 1, Qt::SolidLine));
        painter.drawPolygon(QPolygon({m_selStart, QPoint(m_selStart.x(), m_selEnd.y()), m_selEnd,
                                      QPoint(m_selEnd.x(), m_selStart.y())}));
    }
}

QString CVideoFrame::labelText(const QString &strPath, qint64 nCurTime)
{
    const CRecordName name(strPath);
    QStringList parts;
    if (name.hasFolders()) parts << tr("CH%1").arg(CRecordName::channelLabel(name.channel()));
    if (nCurTime > 0)
        parts << QDateTime::fromSecsSinceEpoch(nCurTime).toString("yyyy-MM-dd HH:mm:ss");
    else if (name.hasFolders())
        parts << name.date().toString("yyyy-MM-dd");
    return parts.join("  ");
}

void CVideoFrame::paintLabel(QPainter &painter, const QString &strText)
{
    if (strText.isEmpty()) return;
    QFont font = painter.font();
    font.setPointSize(8);
    painter.setFont(font);
    const QRect text = painter.fontMetrics().boundingRect(strText).adjusted(-4, -1, 4, 1);
    const QRect box(QPoint(4, 4), text.size());
    painter.fillRect(box, QColor(0, 0, 0, 140));
    painter.setPen(QColor(235, 235, 235));
    painter.drawText(box, Qt::AlignCenter, strText);
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

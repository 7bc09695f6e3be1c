// The surface of one video window: the media library draws into its native window;
// while idle it shows the background picture. In range mode a drag selects a zoom region.
#pragma once

#include <QFrame>
#include <QPixmap>
#include <QPoint>
#include <QRect>

class QPainter;

class CVideoFrame : public QFrame
{
    Q_OBJECT
public:
    explicit CVideoFrame(int nIndex, QWidget *parent = nullptr);

    int index() const { return m_nIndex; }
    void *nativeHandle() const { return m_pHandle; }
    bool rangeMode() const { return m_bRangeMode; }
    void setRangeMode(bool bOn);
    QRect zoomRect() const { return m_zoomRect; }
    void setZoomRect(const QRect &rect) { m_zoomRect = rect; }
    // The selection drawn over the picture; an empty rectangle draws none.
    void setSelection(const QPoint &start, const QPoint &end);
    bool hasSelection() const { return m_selEnd.x() > 0 && m_selEnd.y() > 0; }
    // The corner label of a playing window: its channel (as the record list shows it) and the
    // recorder's date-time of the picture, or what of both the path and the clock tell.
    static QString labelText(const QString &strPath, qint64 nCurTime);

signals:
    void doubleClicked(int nWndIndex);
    void activeWnd(int);
    void sig_RectanglePoint(void *, QPoint start, QPoint);
    void sig_selectRegion(void *, QPoint, QPoint, int nWidth, int nHeight);

protected:
    void paintEvent(QPaintEvent *pEvent) override;
    void mousePressEvent(QMouseEvent *pEvent) override;
    void mouseMoveEvent(QMouseEvent *pEvent) override;
    void mouseReleaseEvent(QMouseEvent *pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent *pEvent) override;
    void resizeEvent(QResizeEvent *pEvent) override;
    void timerEvent(QTimerEvent *pEvent) override;

private:
    void endDrag();
    void paintLabel(QPainter &painter, const QString &strText);
    int m_nIndex;
    void *m_pHandle = nullptr;
    QPixmap m_background;
    bool m_bRangeMode = false;
    bool m_bPressing = false;
    QPoint m_pressPoint;
    QPoint m_curPoint;
    QPoint m_selStart;
    QPoint m_selEnd;
    int m_nTimerId = -1;
    int m_nHalfWidth = 0;
    int m_nHalfHeight = 0;
    QRect m_zoomRect;
};

// One window of the video wall: a framed holder of the video frame, re-emitting its signals.
#pragma once

#include <QPoint>
#include <QWidget>

class CVideoFrame;

class CVideoWnd : public QWidget
{
    Q_OBJECT
public:
    explicit CVideoWnd(int nIndex, QWidget *parent = nullptr);

    CVideoFrame *frame() const { return m_pFrame; }
    // Framed in the active colour or without a border.
    void setActive(bool bActive);
    QString frameStyle() const;

signals:
    void doubleClicked(int nWndIndex);
    void activeWnd(int);
    void sig_RectanglePoint(void *, QPoint start, QPoint);
    void sig_selectRegion(void *, QPoint, QPoint, int nWidth, int nHeight);

private:
    QWidget *m_pInner = nullptr;
    CVideoFrame *m_pFrame = nullptr;
};

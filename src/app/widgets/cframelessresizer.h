// Resizing a frameless window by its edges: near an edge the pointer shows the resize
// cursor, and a drag there resizes the window, through the window manager when it
// offers that, by moving the edges itself otherwise. A maximised window is left alone.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

class QWidget;

class CFramelessResizer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kBorder = 5;

    // Watches every mouse event of the window and its children.
    explicit CFramelessResizer(QWidget *pWindow);

    // The edges of a window geometry within nBorder pixels of a point (global coordinates).
    static Qt::Edges edgesAt(const QRect &geometry, const QPoint &globalPos, int nBorder = kBorder);
    // A geometry with the given edges moved by delta, never below the minimum size.
    static QRect resized(const QRect &start, Qt::Edges edges, const QPoint &delta, const QSize &minimum);

protected:
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override;

private:
    bool belongsToWindow(QObject *pObject) const;
    void showCursor(Qt::Edges edges);

    QWidget *m_pWindow;
    Qt::Edges m_hover;
    Qt::Edges m_dragEdges;
    QPoint m_pressPos;
    QRect m_pressGeometry;
};

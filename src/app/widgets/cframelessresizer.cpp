#include "cframelessresizer.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

CFramelessResizer::CFramelessResizer(QWidget *pWindow)
    : QObject(pWindow), m_pWindow(pWindow)
{
    qApp->installEventFilter(this);
}

Qt::Edges CFramelessResizer::edgesAt(const QRect &geometry, const QPoint &globalPos, int nBorder)
{
    Qt::Edges edges;
    if (!geometry.adjusted(-1, -1, 1, 1).contains(globalPos))
        return edges;
    if (globalPos.x() < geometry.left() + nBorder) edges |= Qt::LeftEdge;
    if (globalPos.x() > geometry.right() - nBorder) edges |= Qt::RightEdge;
    if (globalPos.y() < geometry.top() + nBorder) edges |= Qt::TopEdge;
    if (globalPos.y() > geometry.bottom() - nBorder) edges |= Qt::BottomEdge;
    return edges;
}

QRect CFramelessResizer::resized(const QRect &start, Qt::Edges edges, const QPoint &delta, const QSize &minimum)
{
    QRect rect = start;
    if (edges & Qt::LeftEdge) rect.setLeft(qMin(start.left() + delta.x(), start.right() + 1 - minimum.width()));
    if (edges & Qt::RightEdge) rect.setRight(qMax(start.right() + delta.x(), start.left() + minimum.width() - 1));
    if (edges & Qt::TopEdge) rect.setTop(qMin(start.top() + delta.y(), start.bottom() + 1 - minimum.height()));
    if (edges & Qt::BottomEdge) rect.setBottom(qMax(start.bottom() + delta.y(), start.top() + minimum.height() - 1));
    return rect;
}

bool CFramelessResizer::belongsToWindow(QObject *pObject) const
{
    QWidget *pWidget = qobject_cast<QWidget *>(pObject);
    return pWidget && pWidget->window() == m_pWindow;
}

void CFramelessResizer::showCursor(Qt::Edges edges)
{
    if (edges == m_hover) return;
    m_hover = edges;
    const bool bDiagonalDown = edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge);
    const bool bDiagonalUp = edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge);
    if (!edges)
        m_pWindow->unsetCursor();
    else if (bDiagonalDown)
        m_pWindow->setCursor(Qt::SizeFDiagCursor);
    else if (bDiagonalUp)
        m_pWindow->setCursor(Qt::SizeBDiagCursor);
    else if (edges & (Qt::LeftEdge | Qt::RightEdge))
        m_pWindow->setCursor(Qt::SizeHorCursor);
    else
        m_pWindow->setCursor(Qt::SizeVerCursor);
}

bool CFramelessResizer::eventFilter(QObject *pWatched, QEvent *pEvent)
{
    const QEvent::Type type = pEvent->type();
    if ((type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) ||
        !belongsToWindow(pWatched))
        return false;
    const auto *pMouse = static_cast<QMouseEvent *>(pEvent);
    if (type == QEvent::MouseButtonRelease && m_dragEdges) {
        m_dragEdges = Qt::Edges();
        return true;
    }
    if (type == QEvent::MouseMove && m_dragEdges) {
        m_pWindow->setGeometry(
            resized(m_pressGeometry, m_dragEdges, pMouse->globalPos() - m_pressPos, m_pWindow->minimumSize()));
        return true;
    }
    if (m_pWindow->isMaximized() || m_pWindow->isFullScreen()) {
        showCursor(Qt::Edges());
        return false;
    }
    const Qt::Edges edges = edgesAt(m_pWindow->frameGeometry(), pMouse->globalPos());
    if (type == QEvent::MouseMove && pMouse->buttons() == Qt::NoButton)
        showCursor(edges);
    if (type != QEvent::MouseButtonPress || pMouse->button() != Qt::LeftButton || !edges)
        return false;
    QWindow *pHandle = m_pWindow->windowHandle();
    if (pHandle && pHandle->startSystemResize(edges))
        return true;
    m_dragEdges = edges;
    m_pressPos = pMouse->globalPos();
    m_pressGeometry = m_pWindow->geometry();
    return true;
}

#include "cmytreeview.h"

#include <QMouseEvent>

CMyTreeView::CMyTreeView(QWidget *parent)
    : QTreeView(parent)
{
}

void CMyTreeView::mousePressEvent(QMouseEvent *event)
{
    setCurrentIndex(indexAt(event->pos()));
    QTreeView::mousePressEvent(event);
    QModelIndex index = currentIndex();
    if (!index.isValid()) return;
    if (event->button() == Qt::RightButton)
        emit rightClicked(index);
    else if (event->button() == Qt::LeftButton)
        emit leftClicked(index);
}

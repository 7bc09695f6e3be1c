#include "cclickedlabel.h"

#include <QMouseEvent>

CClickedLabel::CClickedLabel(const QString &strText, QWidget *parent)
    : QLabel(strText, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void CClickedLabel::mouseReleaseEvent(QMouseEvent *pEvent)
{
    if (pEvent->button() == Qt::LeftButton && rect().contains(pEvent->pos())) emit clicked();
    QLabel::mouseReleaseEvent(pEvent);
}

#include "cbuttonsize.h"

#include <QAbstractButton>

void CButtonSize::fit(QAbstractButton *pButton, const QSize &size)
{
    const int nTextWidth = pButton->fontMetrics().horizontalAdvance(pButton->text()) + 2 * TextMargin;
    pButton->setFixedSize(size.expandedTo(QSize(nTextWidth, 0)));
}

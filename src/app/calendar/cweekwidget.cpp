#include "cweekwidget.h"

#include <QHBoxLayout>
#include <QLabel>

CWeekWidget::CWeekWidget(QWidget *parent)
    : QWidget(parent)
{
    QHBoxLayout *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const QString &name : weekDayNames()) {
        QLabel *label = new QLabel(name, this);
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet("QLabel{color:rgb(180,180,180);font-size:11px;}");
        layout->addWidget(label);
    }
}

QStringList CWeekWidget::weekDayNames()
{
    return {tr("Sun"), tr("Mon"), tr("Tue"), tr("Wed"), tr("Thu"), tr("Fri"), tr("Sat")};
}

#include "cmonthselectwidget.h"

#include "carrowbutton.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>

CMonthSelectWidget::CMonthSelectWidget(QWidget *parent)
    : QWidget(parent),
      m_pPreMonth(new CArrowButton("ArrowLeft", this)),
      m_pNextMonth(new CArrowButton("ArrowRight", this)),
      m_pLabel(new QLabel(this))
{
    m_pPreMonth->setObjectName("PreMonth");
    m_pNextMonth->setObjectName("NextMonth");
    m_pLabel->setAlignment(Qt::AlignCenter);
    m_pLabel->setStyleSheet("QLabel{color:rgb(255,255,255);font:bold;}");
    QHBoxLayout *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(m_pPreMonth);
    layout->addWidget(m_pLabel, 1);
    layout->addWidget(m_pNextMonth);
    connect(m_pPreMonth, &QToolButton::clicked, this, &CMonthSelectWidget::onSelectMontLeft);
    connect(m_pNextMonth, &QToolButton::clicked, this, &CMonthSelectWidget::onSelectMonthRight);
    onChangedMonthInfo(QDate::currentDate());
}

QString CMonthSelectWidget::text() const
{
    return m_pLabel->text();
}

void CMonthSelectWidget::onSelectMontLeft()
{
    qDebug() << "onSelectMontLeft() clicked";
    emit selectMonth(-1);
}

void CMonthSelectWidget::onSelectMonthRight()
{
    emit selectMonth(1);
}

void CMonthSelectWidget::onChangedMonthInfo(QDate date)
{
    m_pLabel->setText(QString("%1/%2").arg(date.year()).arg(date.month(), 2, 10, QChar('0')));
}

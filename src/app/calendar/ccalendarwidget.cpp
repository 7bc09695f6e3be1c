#include "ccalendarwidget.h"

#include "cdatewidget.h"
#include "cmonthselectwidget.h"
#include "cweekwidget.h"

#include <QVBoxLayout>

CCalendarWidget::CCalendarWidget(int nSource, QWidget *parent)
    : QWidget(parent),
      m_pMonthSelect(new CMonthSelectWidget(this)),
      m_pWeekWidget(new CWeekWidget(this)),
      m_pDateWidget(new CDateWidget(nSource, this))
{
    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pMonthSelect);
    layout->addWidget(m_pWeekWidget);
    layout->addWidget(m_pDateWidget, 1);

    m_pMonthSelect->onChangedMonthInfo(m_pDateWidget->shownMonth());
    connect(m_pMonthSelect, &CMonthSelectWidget::selectMonth, this, &CCalendarWidget::selectMonth);
    connect(this, &CCalendarWidget::selectMonth, this, &CCalendarWidget::onSelectMonth);
    connect(m_pDateWidget, &CDateWidget::updateDate, this, &CCalendarWidget::updateDate);
    connect(m_pDateWidget, &CDateWidget::changedMonthInfo, this, &CCalendarWidget::changedMonthInfo);
    connect(m_pDateWidget, &CDateWidget::changedMonthInfo, m_pMonthSelect, &CMonthSelectWidget::onChangedMonthInfo);
    connect(this, &CCalendarWidget::updateRecord, m_pDateWidget, &CDateWidget::onUpdateRecord);
}

void CCalendarWidget::setMonthSelectVisible(bool bVisible)
{
    m_pMonthSelect->setVisible(bVisible);
}

void CCalendarWidget::onUpdateRecord()
{
    emit updateRecord();
}

void CCalendarWidget::onSetCurrentDate(QDate date)
{
    m_pDateWidget->setCurrentDate(date);
}

void CCalendarWidget::onSelectMonth(int nType)
{
    m_pDateWidget->onSelectMonth(nType);
}

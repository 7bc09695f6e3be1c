#include "cdatewidget.h"

#include "common/cglobalappdata.h"

#include <QGridLayout>
#include <QSignalMapper>
#include <QToolButton>

const char *const CDateWidget::OTHER_MONTH_STYLE =
    "QToolButton{border:0px solid rgb(110,110,110);background:rgb(41,41,41);color:rgb(113,113,113);}"
    "QToolButton:checked{border:1px solid #0489F5;background:rgb(41,41,41);color:rgb(113,113,113);}";
const char *const CDateWidget::RECORD_DAY_STYLE =
    "QToolButton{border:0px solid rgb(110,110,110);background:#0489F5;color:rgb(255,255,255)}"
    "QToolButton:checked{border:1px solid #0489F5;background:rgb(41,41,41);color:rgb(255,255,255);}";
const char *const CDateWidget::PLAIN_DAY_STYLE =
    "QToolButton{border:0px solid rgb(110,110,110);background:rgb(41,41,41);color:rgb(255,255,255);}"
    "QToolButton:checked{border:1px solid #0489F5;background:rgb(41,41,41);color:rgb(255,255,255);}";

CDateWidget::CDateWidget(int nSource, QWidget *parent)
    : QWidget(parent), m_nSource(nSource), m_dates(DAYS)
{
    QGridLayout *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    QSignalMapper *mapper = new QSignalMapper(this);
    for (int i = 0; i < DAYS; ++i) {
        QToolButton *button = new QToolButton(this);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(button, &QToolButton::clicked, mapper, qOverload<>(&QSignalMapper::map));
        mapper->setMapping(button, i);
        layout->addWidget(button, i / COLUMNS, i % COLUMNS);
        m_buttons.append(button);
    }
    connect(mapper, &QSignalMapper::mappedInt, this, &CDateWidget::onBtnClicked);
    setCurrentDate(QDate::currentDate());
}

int CDateWidget::firstDayIndex(const QDate &firstOfMonth)
{
    return firstOfMonth.dayOfWeek();
}

void CDateWidget::setCurrentDate(const QDate &date)
{
    if (!date.isValid()) return;
    m_selectedDate = date;
    showMonth(date.year(), date.month());
}

void CDateWidget::showMonth(int nYear, int nMonth)
{
    QDate month(nYear, nMonth, 1);
    if (!month.isValid()) return;
    bool changed = month != m_shownMonth;
    m_shownMonth = month;
    buildGrid();
    if (changed) emit changedMonthInfo(m_shownMonth);
}

void CDateWidget::onSelectMonth(int nType)
{
    QDate month = m_shownMonth.addMonths(nType);
    showMonth(month.year(), month.month());
}

void CDateWidget::onBtnClicked(int nIndex)
{
    QDate date = m_dates.value(nIndex);
    if (!date.isValid()) return;
    setCurrentDate(date);
    emit updateDate(date);
}

void CDateWidget::onUpdateRecord()
{
    buildGrid();
}

void CDateWidget::buildGrid()
{
    QDate first = m_shownMonth.addDays(-firstDayIndex(m_shownMonth));
    for (int i = 0; i < DAYS; ++i) {
        m_dates[i] = first.addDays(i);
        m_buttons[i]->setText(QString::number(m_dates[i].day()));
        styleButton(i);
    }
}

void CDateWidget::styleButton(int nIndex)
{
    QToolButton *button = m_buttons[nIndex];
    const QDate &date = m_dates[nIndex];
    bool inMonth = date.month() == m_shownMonth.month() && date.year() == m_shownMonth.year();
    button->setCheckable(inMonth);
    button->setChecked(inMonth && date == m_selectedDate);
    const char *style = !inMonth ? OTHER_MONTH_STYLE
                        : CGlobalAppData::instance()->hasRecordDate(m_nSource, date) ? RECORD_DAY_STYLE
                                                                                   : PLAIN_DAY_STYLE;
    if (button->styleSheet() != QLatin1String(style)) button->setStyleSheet(style);
}

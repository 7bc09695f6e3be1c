#include "ccalendar.h"

#include "carrowbutton.h"
#include "ccalendarwidget.h"
#include "cdatewidget.h"
#include "common/cglobalappdata.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QStyleOption>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const char *const CALENDAR_STYLE =
    "CCalendar{background:rgb(56,56,56);}"
    "QToolButton{border:0px;background:transparent;font: bold;font-size:16px;color:rgb(255,255,255);}"
    // No picture for the menu arrow: "none", as an empty url() makes Qt try to open a file without a name.
    "QToolButton::menu-indicator{image: none;}"
    "QDateTimeEdit{border:0px;background:transparent;font: bold;font-size:16px;color:rgb(255,255,255);}"
    "QMenu{background:rgb(84,84,84);}"
    "QMenu::item{background:rgb(84,84,84);color:rgb(255,255,255);}"
    "QMenu::item:selected{background:rgb(255,0,0);}";
const int HEADER_HEIGHT = 18;
} // namespace

CCalendar::CCalendar(int nSource, QWidget *parent)
    : QWidget(parent)
{
    setStyleSheet(CALENDAR_STYLE);
    m_pCalendarWidget = new CCalendarWidget(nSource, this);
    m_pCalendarWidget->setMonthSelectVisible(false);

    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(createHeader());
    layout->addWidget(m_pCalendarWidget, 1);

    connect(m_pCalendarWidget, &CCalendarWidget::updateDate, this, &CCalendar::onCurrentChanged);
    connect(m_pCalendarWidget, &CCalendarWidget::changedMonthInfo, this,
            [this](QDate month) { onCurrentPageChanged(month.year(), month.month()); });
    connect(this, &CCalendar::updateRecord, m_pCalendarWidget, &CCalendarWidget::onUpdateRecord);
    connect(CGlobalAppData::instance(), &CGlobalAppData::updateRecord, this, &CCalendar::onSelectedYear);
    onCurrentPageChanged(shownMonth().year(), shownMonth().month());
}

QWidget *CCalendar::createHeader()
{
    QWidget *header = new QWidget(this);
    m_pMonthButton = new QToolButton(header);
    m_pMonthButton->setObjectName("MonthButton");
    m_pMonthButton->setFixedHeight(HEADER_HEIGHT);
    m_pMonthButton->setPopupMode(QToolButton::InstantPopup);
    QMenu *menu = new QMenu(m_pMonthButton);
    const QStringList names = monthNames();
    for (int i = 0; i < names.size(); ++i) menu->addAction(names[i])->setData(i + 1);
    m_pMonthButton->setMenu(menu);

    m_pYearEdit = new QDateEdit(QDate::currentDate(), header);
    m_pYearEdit->setObjectName("YearTimeEdit");
    m_pYearEdit->setDisplayFormat("yyyy");
    m_pYearEdit->setFixedHeight(HEADER_HEIGHT);
    m_pYearEdit->setLocale(QLocale("en_us"));
    m_pYearEdit->setButtonSymbols(QAbstractSpinBox::NoButtons);

    CArrowButton *monthMinus = new CArrowButton("ArrowLeft", header);
    CArrowButton *monthPlus = new CArrowButton("ArrowRight", header);
    CArrowButton *yearMinus = new CArrowButton("ArrowDown", header);
    CArrowButton *yearPlus = new CArrowButton("ArrowUp", header);

    QHBoxLayout *layout = new QHBoxLayout(header);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(4);
    for (QWidget *w : std::initializer_list<QWidget *>{monthMinus, m_pMonthButton, monthPlus}) layout->addWidget(w);
    layout->addStretch();
    for (QWidget *w : std::initializer_list<QWidget *>{yearMinus, m_pYearEdit, yearPlus}) layout->addWidget(w);

    connect(menu, &QMenu::triggered, this, &CCalendar::onSelectedMonth);
    connect(m_pYearEdit, &QDateEdit::dateChanged, this, &CCalendar::onSelectedYear);
    connect(monthMinus, &QToolButton::clicked, this, &CCalendar::onMonthMinus);
    connect(monthPlus, &QToolButton::clicked, this, &CCalendar::onMonthPlus);
    connect(yearMinus, &QToolButton::clicked, this, &CCalendar::onYearMinus);
    connect(yearPlus, &QToolButton::clicked, this, &CCalendar::onYearPlus);
    return header;
}

QStringList CCalendar::monthNames()
{
    return {tr("January"), tr("February"), tr("March"),     tr("April"),   tr("May"),      tr("June"),
            tr("July"),    tr("August "),  tr("September "), tr("October "), tr("November"), tr("December")};
}

QDate CCalendar::selectedDate() const
{
    return m_pCalendarWidget->dateWidget()->selectedDate();
}

QDate CCalendar::shownMonth() const
{
    return m_pCalendarWidget->dateWidget()->shownMonth();
}

void CCalendar::showMonth(const QDate &month)
{
    m_pCalendarWidget->dateWidget()->showMonth(month.year(), month.month());
}

void CCalendar::onSelectedMonth(QAction *pAction)
{
    int month = pAction->data().toInt();
    if (month >= 1 && month <= 12) showMonth(QDate(shownMonth().year(), month, 1));
}

void CCalendar::onMonthMinus()
{
    m_pCalendarWidget->onSelectMonth(-1);
}

void CCalendar::onMonthPlus()
{
    m_pCalendarWidget->onSelectMonth(1);
}

// The year field and the program's record date both land here: the date is selected
// and its month shown.
void CCalendar::onSelectedYear(QDate date)
{
    if (date.isValid()) m_pCalendarWidget->onSetCurrentDate(date);
}

void CCalendar::onYearMinus()
{
    m_pCalendarWidget->onSelectMonth(-12);
}

void CCalendar::onYearPlus()
{
    m_pCalendarWidget->onSelectMonth(12);
}

void CCalendar::onCurrentPageChanged(int nYear, int nMonth)
{
    if (nMonth >= 1 && nMonth <= 12) m_pMonthButton->setText(monthNames().at(nMonth - 1));
    QSignalBlocker blocker(m_pYearEdit);
    QDate selected = selectedDate();
    m_pYearEdit->setDate(QDate(nYear, nMonth, selected.year() == nYear && selected.month() == nMonth ? selected.day() : 1));
}

void CCalendar::onCurrentChanged(QDate date)
{
    emit clicked(date);
}

// A plain QWidget subclass draws its style-sheet background only when asked to.
void CCalendar::paintEvent(QPaintEvent *)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

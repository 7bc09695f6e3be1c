#include "calendar/ccalendar.h"
#include "calendar/ccalendarwidget.h"
#include "calendar/cdatewidget.h"
#include "calendar/cmonthselectwidget.h"
#include "common/cglobalappdata.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDateEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QToolButton>

namespace {
const QDate FEB_2026(2026, 2, 1); // a Sunday

class CalendarTest : public ::testing::Test {
protected:
    void SetUp() override { CGlobalAppData::instance()->clearRecordDates(CGlobalAppData::sourceDisk); }
    void TearDown() override { CGlobalAppData::instance()->clearRecordDates(CGlobalAppData::sourceDisk); }
};
} // namespace

TEST_F(CalendarTest, MonthStartingOnSundayBeginsInTheSecondRow)
{
    ASSERT_EQ(FEB_2026.dayOfWeek(), 7);
    CDateWidget grid(CGlobalAppData::sourceDisk);
    grid.setCurrentDate(QDate(2026, 2, 10));
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(grid.buttonDate(i), QDate(2026, 1, 25 + i)) << "first row: last week of January";
        EXPECT_FALSE(grid.button(i)->isCheckable());
        EXPECT_EQ(grid.button(i)->styleSheet(), CDateWidget::OTHER_MONTH_STYLE);
    }
    EXPECT_EQ(grid.buttonDate(7), FEB_2026);
    EXPECT_EQ(grid.button(7)->text(), "1");
    EXPECT_EQ(grid.buttonDate(34), QDate(2026, 2, 28));
    EXPECT_EQ(grid.buttonDate(35), QDate(2026, 3, 1));
    EXPECT_EQ(grid.buttonDate(41), QDate(2026, 3, 7));
    EXPECT_TRUE(grid.button(16)->isChecked()) << "the selected tenth";
    EXPECT_EQ(grid.buttonDate(16), QDate(2026, 2, 10));
}

TEST_F(CalendarTest, DayOnePlacedByItsWeekdayAcrossMonthLengths)
{
    CDateWidget grid(CGlobalAppData::sourceDisk);
    grid.showMonth(2024, 2); // leap February, starting on a Thursday
    EXPECT_EQ(grid.buttonDate(4), QDate(2024, 2, 1));
    EXPECT_EQ(grid.buttonDate(3), QDate(2024, 1, 31));
    EXPECT_EQ(grid.buttonDate(32), QDate(2024, 2, 29));
    EXPECT_EQ(grid.buttonDate(33), QDate(2024, 3, 1));
    grid.showMonth(2026, 6); // starts on a Monday
    EXPECT_EQ(grid.buttonDate(1), QDate(2026, 6, 1));
    EXPECT_EQ(grid.buttonDate(0), QDate(2026, 5, 31));
}

TEST_F(CalendarTest, RecordDaysOfTheDiskSetAreMarked)
{
    CGlobalAppData *app = CGlobalAppData::instance();
    CCalendar calendar(CGlobalAppData::sourceDisk);
    calendar.onSelectedYear(QDate(2026, 2, 3));
    CDateWidget *grid = calendar.calendarWidget()->dateWidget();
    EXPECT_EQ(grid->button(7 + 9)->styleSheet(), CDateWidget::PLAIN_DAY_STYLE);
    app->addRecordDate(CGlobalAppData::sourceDisk, QDate(2026, 2, 10));
    app->addRecordDate(CGlobalAppData::sourceLocal, QDate(2026, 2, 11));
    app->addRecordDate(CGlobalAppData::sourceDisk, QDate(2026, 3, 2)); // shown greyed in February
    calendar.refreshRecordDays();
    EXPECT_EQ(grid->button(7 + 9)->styleSheet(), CDateWidget::RECORD_DAY_STYLE);
    EXPECT_EQ(grid->button(7 + 10)->styleSheet(), CDateWidget::PLAIN_DAY_STYLE) << "a local record day";
    EXPECT_EQ(grid->button(36)->styleSheet(), CDateWidget::OTHER_MONTH_STYLE);
    CCalendar local(CGlobalAppData::sourceLocal);
    local.onSelectedYear(QDate(2026, 2, 3));
    EXPECT_EQ(local.calendarWidget()->dateWidget()->button(7 + 10)->styleSheet(), CDateWidget::RECORD_DAY_STYLE);
}

TEST_F(CalendarTest, ClickOnADayReportsItsDate)
{
    CCalendar calendar(CGlobalAppData::sourceDisk);
    calendar.onSelectedYear(QDate(2026, 2, 3));
    QSignalSpy clicked(&calendar, &CCalendar::clicked);
    calendar.calendarWidget()->dateWidget()->button(7 + 13)->click();
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toDate(), QDate(2026, 2, 14));
    EXPECT_EQ(calendar.selectedDate(), QDate(2026, 2, 14));
}

TEST_F(CalendarTest, HeaderMenusArrowsAndRecordDateMoveTheMonth)
{
    CCalendar calendar(CGlobalAppData::sourceDisk);
    calendar.onSelectedYear(QDate(2026, 2, 3));
    EXPECT_EQ(calendar.monthButton()->text(), "February");
    EXPECT_EQ(calendar.yearEdit()->displayFormat(), "yyyy");
    QList<QAction *> months = calendar.monthButton()->menu()->actions();
    ASSERT_EQ(months.size(), 12);
    EXPECT_EQ(months[7]->data().toInt(), 8);
    months[7]->trigger();
    EXPECT_EQ(calendar.shownMonth(), QDate(2026, 8, 1));
    EXPECT_EQ(calendar.monthButton()->text(), "August ");
    calendar.onMonthPlus();
    calendar.onYearMinus();
    EXPECT_EQ(calendar.shownMonth(), QDate(2025, 9, 1));
    EXPECT_EQ(calendar.yearEdit()->date().year(), 2025);
    calendar.yearEdit()->setDate(QDate(2023, 9, 1));
    EXPECT_EQ(calendar.shownMonth(), QDate(2023, 9, 1)) << "the year field moves the page";
    CGlobalAppData::instance()->setCurRecordDate(QDate(2024, 3, 5));
    EXPECT_EQ(calendar.shownMonth(), QDate(2024, 3, 1)) << "the latest record date is shown";
    EXPECT_EQ(calendar.selectedDate(), QDate(2024, 3, 5));
}

TEST_F(CalendarTest, MonthStepperShowsYearAndMonth)
{
    CCalendarWidget body(CGlobalAppData::sourceDisk);
    body.onSetCurrentDate(QDate(2026, 1, 15));
    CMonthSelectWidget *stepper = body.monthSelectWidget();
    EXPECT_EQ(stepper->text(), "2026/01");
    stepper->onSelectMontLeft();
    EXPECT_EQ(body.dateWidget()->shownMonth(), QDate(2025, 12, 1));
    EXPECT_EQ(stepper->text(), "2025/12");
    stepper->onSelectMonthRight();
    stepper->onSelectMonthRight();
    EXPECT_EQ(stepper->text(), "2026/02");
}

namespace {
QStringList g_calendarMessages;
void keepMessage(QtMsgType, const QMessageLogContext &, const QString &strText)
{
    g_calendarMessages << strText;
}
} // namespace

TEST_F(CalendarTest, ShowingTheCalendarOpensNoFileWithoutAName)
{
    g_calendarMessages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepMessage);
    {
        CCalendar calendar(CGlobalAppData::sourceDisk);
        calendar.resize(220, 190);
        calendar.show();
        calendar.grab(); // polishes and paints the header buttons with their menu indicator
    }
    qInstallMessageHandler(previous);
    for (const QString &strMessage : g_calendarMessages)
        EXPECT_FALSE(strMessage.contains("QFSFileEngine")) << strMessage.toStdString();
}

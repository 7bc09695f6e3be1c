// The calendar under a record page: a header with month menu, year field and
// arrows, and the day grid marking the days that hold recordings. A click on a
// day reports that date; the calendar follows the record date of the program.
#pragma once

#include <QDate>
#include <QWidget>

class CArrowButton;
class CCalendarWidget;
class QAction;
class QDateEdit;
class QToolButton;

class CCalendar : public QWidget
{
    Q_OBJECT
public:
    // nSource chooses the record-date set marked: the disk page's or the local page's.
    explicit CCalendar(int nSource, QWidget *parent = nullptr);

    CCalendarWidget *calendarWidget() const { return m_pCalendarWidget; }
    QToolButton *monthButton() const { return m_pMonthButton; }
    QDateEdit *yearEdit() const { return m_pYearEdit; }
    QDate selectedDate() const;
    QDate shownMonth() const;
    static QStringList monthNames();
    // Restyles the day grid after record dates were added.
    void refreshRecordDays() { emit updateRecord(); }

signals:
    void clicked(QDate date);
    void updateRecord();

public slots:
    void onSelectedMonth(QAction *pAction);
    void onMonthMinus();
    void onMonthPlus();
    void onSelectedYear(QDate date);
    void onYearMinus();
    void onYearPlus();
    void onCurrentPageChanged(int nYear, int nMonth);
    void onCurrentChanged(QDate date);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *createHeader();
    void showMonth(const QDate &month);

    CCalendarWidget *m_pCalendarWidget = nullptr;
    QToolButton *m_pMonthButton = nullptr;
    QDateEdit *m_pYearEdit = nullptr;
};

// The calendar's day grid: 6 rows of 7 days, Sunday first, with the days around
// the shown month greyed and the days that hold recordings marked.
#pragma once

#include <QDate>
#include <QVector>
#include <QWidget>

class QToolButton;

class CDateWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ROWS = 6;
    static constexpr int COLUMNS = 7;
    static constexpr int DAYS = ROWS * COLUMNS;

    static const char *const OTHER_MONTH_STYLE;
    static const char *const RECORD_DAY_STYLE;
    static const char *const PLAIN_DAY_STYLE;

    // nSource chooses the record-date set: the disk page's or the local page's.
    explicit CDateWidget(int nSource, QWidget *parent = nullptr);

    QDate selectedDate() const { return m_selectedDate; }
    // First day of the shown month.
    QDate shownMonth() const { return m_shownMonth; }
    QToolButton *button(int nIndex) const { return m_buttons.value(nIndex); }
    QDate buttonDate(int nIndex) const { return m_dates.value(nIndex); }

    // Selects the date and shows its month.
    void setCurrentDate(const QDate &date);
    void showMonth(int nYear, int nMonth);

    // Position of day 1 in the grid: its day of the week, Monday 1 ... Sunday 7.
    static int firstDayIndex(const QDate &firstOfMonth);

signals:
    void changedMonthInfo(QDate date);
    void updateDate(QDate date);

public slots:
    void onSelectMonth(int nType); // -1 previous month, 1 next month
    void onBtnClicked(int nIndex);
    void onUpdateRecord();

private:
    void buildGrid();
    void styleButton(int nIndex);

    int m_nSource;
    QDate m_selectedDate;
    QDate m_shownMonth;
    QVector<QToolButton *> m_buttons;
    QVector<QDate> m_dates;
};

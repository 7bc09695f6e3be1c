// The calendar body: an optional month stepper, the weekday header and the day grid.
#pragma once

#include <QDate>
#include <QWidget>

class CDateWidget;
class CMonthSelectWidget;
class CWeekWidget;

class CCalendarWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CCalendarWidget(int nSource, QWidget *parent = nullptr);

    CDateWidget *dateWidget() const { return m_pDateWidget; }
    CMonthSelectWidget *monthSelectWidget() const { return m_pMonthSelect; }
    // The stepper is for a body shown alone; a calendar with its own header hides it.
    void setMonthSelectVisible(bool bVisible);

signals:
    void updateDate(QDate date);
    void selectMonth(int nType);
    void changedMonthInfo(QDate date);
    void updateRecord();

public slots:
    void onUpdateRecord();
    void onSetCurrentDate(QDate date);
    void onSelectMonth(int nType);

private:
    CMonthSelectWidget *m_pMonthSelect;
    CWeekWidget *m_pWeekWidget;
    CDateWidget *m_pDateWidget;
};

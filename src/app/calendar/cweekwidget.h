// The weekday header of the calendar, Sunday first like the day grid.
#pragma once

#include <QWidget>

class CWeekWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CWeekWidget(QWidget *parent = nullptr);
    static QStringList weekDayNames();
};

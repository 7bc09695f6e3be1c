// A compact month stepper, "year/month" between a back and a forward arrow, for a
// calendar body shown without the full header.
#pragma once

#include <QDate>
#include <QWidget>

class QLabel;
class CArrowButton;

class CMonthSelectWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CMonthSelectWidget(QWidget *parent = nullptr);
    QString text() const;

signals:
    void selectMonth(int nType); // -1 previous month, 1 next month

public slots:
    void onSelectMontLeft();
    void onSelectMonthRight();
    void onChangedMonthInfo(QDate date);

private:
    CArrowButton *m_pPreMonth;
    CArrowButton *m_pNextMonth;
    QLabel *m_pLabel;
};

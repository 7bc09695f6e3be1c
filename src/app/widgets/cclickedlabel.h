// A label that reports a left click, for texts that lead somewhere.
#pragma once

#include <QLabel>

class CClickedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit CClickedLabel(const QString &strText = QString(), QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *pEvent) override;
};

// The wait animation shown while something loads: a ring of dots that turns one
// step every 100 ms while the frame is visible, over a background of a set colour
// and opacity.
#pragma once

#include <QColor>
#include <QFrame>

class QTimer;

class CWaitFrame : public QFrame
{
    Q_OBJECT
public:
    static constexpr int STEP_MS = 100;
    static constexpr int DOTS = 12;

    explicit CWaitFrame(QWidget *parent = nullptr);

    void setBackground(const QColor &color, qreal opacity);
    void setDotColor(const QColor &color);
    int step() const { return m_step; }
    bool isTurning() const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private slots:
    void onTimeout();

private:
    QTimer *m_timer;
    QColor m_background{41, 41, 41};
    qreal m_opacity = 1.0;
    QColor m_dotColor{4, 137, 245};
    int m_step = 0;
};

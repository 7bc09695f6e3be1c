#include "cwaitframe.h"

#include <QPainter>
#include <QTimer>
#include <QtMath>

CWaitFrame::CWaitFrame(QWidget *parent)
    : QFrame(parent), m_timer(new QTimer(this))
{
    m_timer->setInterval(STEP_MS);
    connect(m_timer, &QTimer::timeout, this, &CWaitFrame::onTimeout);
}

void CWaitFrame::setBackground(const QColor &color, qreal opacity)
{
    m_background = color;
    m_opacity = qBound<qreal>(0.0, opacity, 1.0);
    update();
}

void CWaitFrame::setDotColor(const QColor &color)
{
    m_dotColor = color;
    update();
}

bool CWaitFrame::isTurning() const
{
    return m_timer->isActive();
}

void CWaitFrame::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    m_timer->start();
}

void CWaitFrame::hideEvent(QHideEvent *event)
{
    m_timer->stop();
    QFrame::hideEvent(event);
}

void CWaitFrame::onTimeout()
{
    m_step = (m_step + 1) % DOTS;
    update();
}

// The dot at the turning position is the brightest; the ones behind it fade out.
void CWaitFrame::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(m_opacity);
    painter.fillRect(rect(), m_background);
    painter.setOpacity(1.0);
    painter.setPen(Qt::NoPen);

    const qreal radius = qMin(width(), height()) / 6.0;
    const qreal dot = qMax<qreal>(2.0, radius / 4.0);
    painter.translate(rect().center());
    for (int i = 0; i < DOTS; ++i) {
        int behind = (m_step - i + DOTS) % DOTS;
        QColor color = m_dotColor;
        color.setAlphaF(1.0 - behind / qreal(DOTS));
        painter.setBrush(color);
        qreal angle = 2 * M_PI * i / DOTS;
        painter.drawEllipse(QPointF(radius * qCos(angle), radius * qSin(angle)), dot, dot);
    }
}

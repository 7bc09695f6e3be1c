#include "fancymessagebox.h"

#include <QAbstractAnimation>
#include <QApplication>
#include <QPointer>
#include <QPropertyAnimation>
#include <QScreen>
#include <QThread>

namespace {
QPointer<FancyMessageBox> g_instance;

QFont noticeFont()
{
    QFont font = QApplication::font();
    font.setPointSize(10);
    font.setBold(true);
    return font;
}
} // namespace

FancyMessageBox::FancyMessageBox()
    : QLabel(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool)
{
    setObjectName("FancyMessageBox");
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAlignment(Qt::AlignCenter);
    setFont(noticeFont());
    setStyleSheet("QLabel{background:rgba(30,30,30,220);color:rgb(255,255,255);border-radius:6px;}");

    m_animation = new QPropertyAnimation(this, "windowOpacity", this);
    m_animation->setDuration(FADE_MS);
    m_animation->setKeyValueAt(0.0, 0.0);
    m_animation->setKeyValueAt(0.4, 1.0);
    m_animation->setKeyValueAt(0.9, 1.0);
    m_animation->setKeyValueAt(1.0, 0.0);
    connect(m_animation, &QPropertyAnimation::finished, this, &QWidget::hide);
    connect(this, &FancyMessageBox::showRequested, this, &FancyMessageBox::onShowRequested, Qt::QueuedConnection);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &QObject::deleteLater);
}

FancyMessageBox *FancyMessageBox::instance()
{
    if (!g_instance) g_instance = new FancyMessageBox;
    return g_instance;
}

void FancyMessageBox::showMessage(const QString &strText)
{
    if (QThread::currentThread() != qApp->thread()) {
        // A widget may not be created here; the interface thread creates it on demand.
        QMetaObject::invokeMethod(qApp, [strText] { FancyMessageBox::showMessage(strText); }, Qt::QueuedConnection);
        return;
    }
    emit instance()->showRequested(strText);
}

void FancyMessageBox::release()
{
    delete g_instance;
}

bool FancyMessageBox::isFading() const
{
    return m_animation->state() == QAbstractAnimation::Running;
}

void FancyMessageBox::onShowRequested(const QString &strText)
{
    setText(strText);
    setFixedSize(QFontMetrics(font()).horizontalAdvance(strText) + 20, HEIGHT);
    placeOnScreen();
    m_animation->stop();
    setWindowOpacity(0.0);
    show();
    raise();
    m_animation->start();
}

void FancyMessageBox::placeOnScreen()
{
    QWidget *owner = QApplication::activeWindow();
    QRect area = owner ? owner->frameGeometry() : QRect();
    if (!area.isValid())
        if (QScreen *screen = QGuiApplication::primaryScreen()) area = screen->availableGeometry();
    if (area.isValid()) move(area.center() - rect().center());
}

// Helpers for widget tests under GoogleTest: mouse drags and answers to prompts; the waits
// come from the core tests' support.
#pragma once

#include "core_test_support.h"
#include "widgets/cmessagebox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

// One left-button mouse event: a press, a move with the button held, or a release.
inline void sendMouse(QWidget *pWidget, QEvent::Type type, QPoint pos)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, button, held, Qt::NoModifier);
    QApplication::sendEvent(pWidget, &event);
}

// A left-button drag on a widget, press to release.
inline void drag(QWidget *pWidget, QPoint from, QPoint to)
{
    sendMouse(pWidget, QEvent::MouseButtonPress, from);
    sendMouse(pWidget, QEvent::MouseMove, to);
    sendMouse(pWidget, QEvent::MouseButtonRelease, to);
}

// Answers the next modal prompt with the button of the given index and records its text;
// an optional action runs just before the button is pressed.
class PromptAnswer : public QObject
{
public:
    explicit PromptAnswer(int nButton, std::function<void()> beforeAnswer = nullptr)
        : m_nButton(nButton), m_beforeAnswer(std::move(beforeAnswer))
    {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, &PromptAnswer::poll);
        m_timer.start();
    }
    bool answered() const { return !m_timer.isActive(); }
    QString m_strText;
    QString m_strTitle;
    QStringList m_buttons;

private:
    void poll()
    {
        auto *pBox = qobject_cast<CMessageBox *>(QApplication::activeModalWidget());
        if (!pBox)
            return;
        m_timer.stop();
        m_strText = pBox->text();
        m_strTitle = pBox->windowTitle();
        for (QToolButton *pButton : pBox->buttons())
            m_buttons << pButton->text();
        if (m_beforeAnswer)
            m_beforeAnswer();
        pBox->buttons().at(m_nButton)->click();
    }
    int m_nButton;
    std::function<void()> m_beforeAnswer;
    QTimer m_timer;
};

// Helpers for widget tests under GoogleTest: waiting for a condition while the event
// loop runs, and mouse drags. QTest's QTRY_ macros report to QTest's own log and return
// quietly, so under GoogleTest a condition that never came true would pass; these fail the test.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#define KORVANE_WAIT_FOR(condition, timeoutMs) QTest::qWaitFor([&]() { return bool(condition); }, timeoutMs)

#define EXPECT_SOON(condition, timeoutMs)                                                                             \
    EXPECT_TRUE(KORVANE_WAIT_FOR(condition, timeoutMs)) << "waited " << (timeoutMs) << " ms for: " #condition
#define ASSERT_SOON(condition, timeoutMs)                                                                             \
    ASSERT_TRUE(KORVANE_WAIT_FOR(condition, timeoutMs)) << "waited " << (timeoutMs) << " ms for: " #condition

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

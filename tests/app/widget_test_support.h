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

// A left-button drag on a widget, press to release.
inline void drag(QWidget *pWidget, QPoint from, QPoint to)
{
    QMouseEvent press(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pWidget, &press);
    QMouseEvent move(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pWidget, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(pWidget, &release);
}

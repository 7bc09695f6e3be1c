// Waiting for a condition while the event loop runs. QTest's QTRY_ macros report to QTest's own
// log and return quietly, so under GoogleTest a condition that never came true would pass; these
// fail the test.
#pragma once

#include <QTest>

#include <gtest/gtest.h>

#define KORVANE_WAIT_FOR(condition, timeoutMs) QTest::qWaitFor([&]() { return bool(condition); }, timeoutMs)

#define EXPECT_SOON(condition, timeoutMs)                                                                             \
    EXPECT_TRUE(KORVANE_WAIT_FOR(condition, timeoutMs)) << "waited " << (timeoutMs) << " ms for: " #condition
#define ASSERT_SOON(condition, timeoutMs)                                                                             \
    ASSERT_TRUE(KORVANE_WAIT_FOR(condition, timeoutMs)) << "waited " << (timeoutMs) << " ms for: " #condition

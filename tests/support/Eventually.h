#pragma once

#include <gtest/gtest.h>

#include <QTest>

// Waits, letting events run, up to `ms` milliseconds for `actual == expected` (both evaluated
// again and again), then checks them as EXPECT_EQ does. Qt Test's QTRY_COMPARE and QCOMPARE are
// no use in these GoogleTest programs: outside a Qt Test run a failed comparison only returns
// from the test function, and GoogleTest counts the test as passed.
#define EXPECT_EVENTUALLY_EQ(actual, expected, ms)                       \
  do {                                                                   \
    (void)QTest::qWaitFor([&] { return (actual) == (expected); }, (ms)); \
    EXPECT_EQ(actual, expected);                                         \
  } while (false)

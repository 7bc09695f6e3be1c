#include "sim_test_support.h"

using namespace simtest;

TEST(PackedTime, PacksFieldsFromSecondUpToYear)
{
    EXPECT_EQ(packTime(makeTime(2026, 9, 14, 7, 44, 30)), 0x6A5C7B1Eu);
    EXPECT_EQ(unpackTime(0x6A5C7B1E), makeTime(2026, 9, 14, 7, 44, 30));
}

TEST(PackedTime, OrdersLikeTheCalendar)
{
    const Seconds before = makeTime(2024, 2, 29, 23, 59, 59);
    EXPECT_LT(packTime(before), packTime(before + 1));
    EXPECT_EQ(packTime(before + 1), pack(2024, 3, 1, 0, 0, 0));
}

TEST(PackedTime, ParsesOnlyRealCalendarTimes)
{
    Seconds t = 0;
    ASSERT_TRUE(parseTime("2024-03-05 23:59:58", t));
    EXPECT_EQ(formatTime(t), "2024-03-05 23:59:58");
    ASSERT_TRUE(parseTime("2024-03-05T01:02:03", t));
    EXPECT_EQ(packTime(t), pack(2024, 3, 5, 1, 2, 3));
    EXPECT_FALSE(parseTime("2023-02-29 00:00:00", t));
    EXPECT_FALSE(parseTime("2024-03-05 24:00:00", t));
    EXPECT_FALSE(parseTime("1999-12-31 00:00:00", t));
    EXPECT_FALSE(parseTime("2024-03-05", t));
    EXPECT_FALSE(parseTime("2024-03-05 01:02:03x", t));
}

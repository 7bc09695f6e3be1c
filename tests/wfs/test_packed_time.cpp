#include "wfs_time.h"

#include <gtest/gtest.h>

TEST(PackedTime, DecodesEveryField)
{
    wfs_date_time t = wfs_unpack_time(0x6A5C7B1E);
    EXPECT_EQ(t.year, 2026);
    EXPECT_EQ(t.month, 9);
    EXPECT_EQ(t.day, 14);
    EXPECT_EQ(t.hour, 7);
    EXPECT_EQ(t.minute, 44);
    EXPECT_EQ(t.second, 30);
    EXPECT_EQ(wfs_pack_time(t), 0x6A5C7B1Eu);
}

TEST(PackedTime, UnsignedOrderIsTimeOrder)
{
    uint32_t a = wfs_pack_time({2025, 12, 31, 23, 59, 59});
    uint32_t b = wfs_pack_time({2026, 1, 1, 0, 0, 0});
    uint32_t c = wfs_pack_time({2026, 1, 1, 0, 0, 1});
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
}

TEST(PackedTime, ArithmeticCarriesAcrossDaysMonthsAndYears)
{
    uint32_t newYearsEve = wfs_pack_time({2025, 12, 31, 23, 59, 59});
    EXPECT_EQ(wfs_time_add_seconds(newYearsEve, 1), wfs_pack_time({2026, 1, 1, 0, 0, 0}));
    uint32_t leap = wfs_pack_time({2024, 2, 28, 23, 0, 0});
    EXPECT_EQ(wfs_time_add_seconds(leap, 3600), wfs_pack_time({2024, 2, 29, 0, 0, 0}));
    EXPECT_EQ(wfs_time_diff_seconds(wfs_pack_time({2026, 3, 1, 0, 0, 10}), wfs_pack_time({2026, 2, 28, 23, 59, 50})),
              20);
}

// A damaged directory item can hold what fits in the fields and is no time: an hour of 25, a
// 31st of April. Only real calendar times pass.
TEST(PackedTime, OnlyRealCalendarTimesAreValid)
{
    EXPECT_TRUE(wfs_packed_time_valid(wfs_pack_time({2024, 3, 5, 23, 59, 59})));
    EXPECT_TRUE(wfs_packed_time_valid(wfs_pack_time({2024, 2, 29, 0, 0, 0}))) << "a leap day";
    EXPECT_TRUE(wfs_packed_time_valid(wfs_pack_time({2000, 1, 1, 0, 0, 0})));
    EXPECT_FALSE(wfs_packed_time_valid(wfs_pack_time({2023, 2, 29, 12, 0, 0}))) << "no leap day that year";
    EXPECT_TRUE(wfs_packed_time_valid(wfs_pack_time({2000, 2, 29, 12, 0, 0}))) << "a leap year of four hundred";
    EXPECT_FALSE(wfs_packed_time_valid(wfs_pack_time({2000, 2, 30, 12, 0, 0})));
    EXPECT_FALSE(wfs_packed_time_valid(wfs_pack_time({2024, 4, 31, 12, 0, 0})));
    EXPECT_FALSE(wfs_packed_time_valid(wfs_pack_time({2024, 3, 5, 25, 0, 0})));
    EXPECT_FALSE(wfs_packed_time_valid(wfs_pack_time({2024, 3, 5, 24, 0, 0})));
    EXPECT_FALSE(wfs_packed_time_valid(wfs_pack_time({2024, 3, 5, 10, 60, 0})));
    EXPECT_FALSE(wfs_packed_time_valid(wfs_pack_time({2024, 3, 5, 10, 0, 60})));
    EXPECT_FALSE(wfs_packed_time_valid(wfs_pack_time({2024, 13, 5, 10, 0, 0})));
    EXPECT_FALSE(wfs_packed_time_valid(wfs_pack_time({2024, 0, 5, 10, 0, 0})));
    EXPECT_FALSE(wfs_packed_time_valid(wfs_pack_time({2024, 3, 0, 10, 0, 0})));
    EXPECT_FALSE(wfs_packed_time_valid(0)) << "no time";
}

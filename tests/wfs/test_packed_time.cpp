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

#include "sdk_state.h"
#include "tnetsdk.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(SdkInit, KeepsTheFirstRecordAndStaysIdempotent)
{
    EXPECT_LT(TSDK_Init(nullptr), 0);
    TSDK_INIT_PARAM first{};
    strcpy(first.szLogDir, "/tmp/app/Log/");
    strcpy(first.szKey1, "7d3f9a21c4e84b06a5f2e91b0c6d8e37");
    first.nMode = 7;
    EXPECT_EQ(TSDK_Init(&first), 0);
    TSDK_INIT_PARAM second{};
    strcpy(second.szLogDir, "/elsewhere/");
    EXPECT_EQ(TSDK_Init(&second), 0);

    TSDK_INIT_PARAM kept{};
    ASSERT_TRUE(korvane::media::initRecord(&kept));
    EXPECT_STREQ(kept.szLogDir, "/tmp/app/Log/");
    EXPECT_STREQ(kept.szKey1, "7d3f9a21c4e84b06a5f2e91b0c6d8e37");
    EXPECT_EQ(kept.nMode, 7);
}

} // namespace

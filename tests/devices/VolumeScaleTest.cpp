#include "devices/VolumeScale.h"

#include <gtest/gtest.h>

using namespace VolumeScale;

TEST(VolumeScale, MixerValuesAndSliderPositionsMapBothWaysAndLockMeetsHalfWay) {
    EXPECT_EQ(0, PositionFromValue(65535));
    EXPECT_EQ(1, PositionFromValue(65499));
    EXPECT_EQ(654, PositionFromValue(100));
    // A driver answering beyond its scale still shows at the top, not below the slider.
    EXPECT_EQ(0, PositionFromValue(0xFFFFFFFFu));
    EXPECT_EQ(65500u, ValueFromPosition(0));
    EXPECT_EQ(0u, ValueFromPosition(655));
    EXPECT_EQ(49, PercentFromPosition(328)); // 32700 / 655 = 49.9, rounded down
    // Writing what is shown reads back at the same place over the whole range.
    for (int position = 0; position <= maxPosition; position++)
        ASSERT_EQ(position, PositionFromValue(ValueFromPosition(position))) << position;
    // Out of range positions never wrap the unsigned volume around.
    EXPECT_EQ(0u, ValueFromPosition(100000));
    EXPECT_EQ(65500u, ValueFromPosition(-1));
    EXPECT_EQ(100, PercentFromPosition(-50));
    // Locked channels meet half-way, whichever is higher.
    EXPECT_EQ(200, LockedPosition(100, 301));
    EXPECT_EQ(200, LockedPosition(301, 100));
    EXPECT_EQ(655, LockedPosition(655, 9999));
}

#include "wizard/SendPageRules.h"

#include <gtest/gtest.h>

TEST(CoordinateLimits, FullDegreesOnlyWithoutMinutesOrSeconds) {
    EXPECT_EQ(CoordinateDegreeMaximum(CoordinateAxis::Longitude, 0, 0), 180);
    EXPECT_EQ(CoordinateDegreeMaximum(CoordinateAxis::Longitude, 1, 0), 179);
    EXPECT_EQ(CoordinateDegreeMaximum(CoordinateAxis::Longitude, 0, 59), 179);
    EXPECT_EQ(CoordinateDegreeMaximum(CoordinateAxis::Latitude, 0, 0), 90);
    EXPECT_EQ(CoordinateDegreeMaximum(CoordinateAxis::Latitude, 0, 1), 89);

    EXPECT_EQ(CoordinateMinuteMaximum(CoordinateAxis::Longitude, 180), 0);
    EXPECT_EQ(CoordinateMinuteMaximum(CoordinateAxis::Longitude, 179), 59);
    EXPECT_EQ(CoordinateMinuteMaximum(CoordinateAxis::Longitude, 90), 59);
    EXPECT_EQ(CoordinateMinuteMaximum(CoordinateAxis::Latitude, 90), 0);
    EXPECT_EQ(CoordinateMinuteMaximum(CoordinateAxis::Latitude, 180), 59);
}

// A choice on the open page enables what the same values enable when the page opens on them.
TEST(SendPageChoices, EnableWhatOpeningOnTheSameValuesEnables) {
    EXPECT_FALSE(DailyTimeEnabledFor(0)); // "Send Immediately"
    EXPECT_TRUE(DailyTimeEnabledFor(1));  // "Daily Send"
    EXPECT_FALSE(RemoteDetailsEnabledFor(0));
    EXPECT_TRUE(RemoteDetailsEnabledFor(1));
    EXPECT_TRUE(RemoteDetailsEnabledFor(25));
    EXPECT_TRUE(RemoteEmailEnabledFor(true, false));
    EXPECT_FALSE(RemoteEmailEnabledFor(true, true));
    EXPECT_FALSE(RemoteEmailEnabledFor(false, false));
}

#include "lang/Texts.h"
#include "wizard/SendPageRules.h"

#include <gtest/gtest.h>

namespace {

struct LanguageScope {
    explicit LanguageScope(int language) : saved(g_iLanguage) { g_iLanguage = language; }
    ~LanguageScope() { g_iLanguage = saved; }
    int saved;
};

} // namespace

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

TEST(SendPageLists, HoursAndRemoteIntervalsInBothLanguages) {
    {
        LanguageScope english(UI_LANG_ENGLISH);
        EXPECT_EQ(DailySendTimeItem(0), "00 o'clock");
        EXPECT_EQ(DailySendTimeItem(23), "23 o'clock");
        EXPECT_EQ(RemoteIntervalItemText(0), "Remote Off");
        EXPECT_EQ(RemoteIntervalItemText(1), "10 Minutes");
        EXPECT_EQ(RemoteIntervalItemText(2), "01 Hours");
        EXPECT_EQ(RemoteIntervalItemText(25), "24 Hours");
    }
    LanguageScope chinese(UI_LANG_CHINESE);
    EXPECT_EQ(DailySendTimeItem(7), "07点钟");
    EXPECT_EQ(RemoteIntervalItemText(0), "关闭遥控");
    EXPECT_EQ(RemoteIntervalItemText(1), "10分钟");
    EXPECT_EQ(RemoteIntervalItemText(11), "10小时");
}

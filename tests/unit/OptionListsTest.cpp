#include "lang/OptionLists.h"
#include "wizard/GenerateChecks.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct LanguageScope {
    explicit LanguageScope(int language) : saved(g_iLanguage) { g_iLanguage = language; }
    ~LanguageScope() { g_iLanguage = saved; }
    int saved;
};

} // namespace

TEST(SendPageLists, HoursAndRemoteIntervalsInBothLanguages) {
    {
        LanguageScope english(UI_LANG_ENGLISH);
        EXPECT_EQ(OptionText(OptionList::DailySendTime, 0), "00 o'clock");
        EXPECT_EQ(OptionText(OptionList::DailySendTime, 23), "23 o'clock");
        EXPECT_EQ(OptionText(OptionList::RemoteInterval, 0), "Remote Off");
        EXPECT_EQ(OptionText(OptionList::RemoteInterval, 1), "10 Minutes");
        EXPECT_EQ(OptionText(OptionList::RemoteInterval, 2), "01 Hours");
        EXPECT_EQ(OptionText(OptionList::RemoteInterval, 25), "24 Hours");
    }
    LanguageScope chinese(UI_LANG_CHINESE);
    EXPECT_EQ(OptionText(OptionList::DailySendTime, 7), "07点钟");
    EXPECT_EQ(OptionText(OptionList::RemoteInterval, 0), "关闭遥控");
    EXPECT_EQ(OptionText(OptionList::RemoteInterval, 1), "10分钟");
    EXPECT_EQ(OptionText(OptionList::RemoteInterval, 11), "10小时");
}

// A value given by its text must name one item only, in either language, and no item may be
// missing from a list the windows fill.
TEST(OptionLists, EveryItemHasATextOfItsOwnInBothLanguages) {
    for (int l = 0; l < OPTION_LIST_COUNT; ++l) {
        const OptionList list = static_cast<OptionList>(l);
        ASSERT_GT(OptionCount(list), 1) << l;
        for (int language : {UI_LANG_CHINESE, UI_LANG_ENGLISH}) {
            std::set<std::string> seen;
            for (int k = 0; k < OptionCount(list); ++k) {
                const std::string text = OptionText(list, k, language);
                EXPECT_FALSE(text.empty()) << l << " item " << k;
                EXPECT_TRUE(seen.insert(text).second) << l << " repeats " << text;
            }
            EXPECT_EQ(OptionText(list, -1, language), "");
            EXPECT_EQ(OptionText(list, OptionCount(list), language), "");
        }
    }
}

TEST(OptionLists, CountsMatchTheRecordsRanges) {
    EXPECT_EQ(OptionCount(OptionList::SendOption), SEND_BY_CLOUD + 1);
    EXPECT_EQ(OptionCount(OptionList::RemoteInterval), REMOTE_INTERVAL_ITEMS);
    EXPECT_EQ(OptionCount(OptionList::DailySendTime), 24);
    EXPECT_EQ(OptionCount(OptionList::VideoLength), 60);
    EXPECT_EQ(OptionCount(OptionList::IntervalCount), 61);
    EXPECT_EQ(OptionCount(OptionList::CameraLanguage), 14);
    EXPECT_EQ(OptionCount(OptionList::SerialChar), 36);
    EXPECT_EQ(OptionText(OptionList::SerialChar, 35, UI_LANG_CHINESE), "Z");
    EXPECT_EQ(OptionText(OptionList::VideoLength, 0, UI_LANG_ENGLISH), "1");
    EXPECT_EQ(OptionText(OptionList::Minute, 59, UI_LANG_ENGLISH), "59");
    EXPECT_EQ(OptionText(OptionList::SendOption, SEND_BY_CLOUD, UI_LANG_CHINESE), "QOR相机云系统");
    // The page-1 lists' manual entry and the mode that chooses it.
    EXPECT_STREQ(kTextOthers.text[0], "其他");
    EXPECT_EQ(OptionText(OptionList::ParamMode, 1, UI_LANG_ENGLISH), "Manual Input");
}

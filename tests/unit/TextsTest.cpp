#include "common/SavePath.h"
#include "common/Trace.h"
#include "lang/Texts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(Language, OnlyChinesePrcSelectsChinese) {
    EXPECT_EQ(LanguageFromLangId(0x0804), UI_LANG_CHINESE);
    for (uint16_t id : {0x0404, 0x0C04, 0x1004, 0x0409, 0x0809, 0x0407, 0x0000})
        EXPECT_EQ(LanguageFromLangId(id), UI_LANG_ENGLISH) << std::hex << id;
}

TEST(Language, PairsFollowTheCurrentLanguage) {
    g_iLanguage = UI_LANG_CHINESE;
    EXPECT_STREQ(kTextWarningCaption.Get(), "警告");
    g_iLanguage = UI_LANG_ENGLISH;
    EXPECT_STREQ(kTextWarningCaption.Get(), "Warning");
    // The success message ends in an ASCII "!", the range warning in a full-width one.
    EXPECT_EQ(std::string(kTextGenerateSuccess.text[0]), "成功生成配置文件!");
    EXPECT_EQ(std::string(kTextRangeWarning.text[0]), "输入内容超出范围！");
}

TEST(SavePath, KeepsAtMost259Characters) {
    ASSERT_TRUE(SetSavePath("C:\\"));
    EXPECT_TRUE(SetSavePath(std::string(259, 'd').c_str()));
    EXPECT_EQ(std::string(g_szSavePath), std::string(259, 'd'));
    EXPECT_FALSE(SetSavePath(std::string(260, 'e').c_str()));
    EXPECT_EQ(std::string(g_szSavePath), std::string(259, 'd'));
    EXPECT_TRUE(SetSavePath("C:\\"));
}

// The trace goes to standard output until a program picks another stream, or none.
TEST(Trace, GoesToTheChosenSinkOnly) {
    testing::internal::CaptureStdout();
    Trace("a=%d\n", 1);
    TraceLine("b");
    FILE* file = tmpfile();
    ASSERT_NE(file, nullptr);
    SetTraceSink(file);
    Trace("c=%s\n", "x");
    SetTraceSink(nullptr);
    TraceLine("dropped");
    SetTraceSink(stdout);
    TraceLine("d");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "a=1\nb\nd\n");
    rewind(file);
    char line[16] = {};
    ASSERT_NE(fgets(line, sizeof line, file), nullptr);
    EXPECT_STREQ(line, "c=x\n");
    EXPECT_EQ(fgets(line, sizeof line, file), nullptr);
    fclose(file);
}

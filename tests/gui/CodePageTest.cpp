// Texts and folders between the wide API and the system's code page, whichever it is: a Western
// or Chinese one, or UTF-8 (65001) on a Windows set to "Use Unicode UTF-8 for worldwide language
// support", for which the conversions must do without the flags that code page refuses.
#include "CameraSetupSteps.h"
#include "GuiHarness.h"

#include "common/SavePath.h"
#include "ui/BrowseFolderWin.h"
#include "ui/ControlsWin.h"

#include <gtest/gtest.h>

#include <string>

using namespace gui;

namespace {

const wchar_t kChineseFolder[] = L"D:\\\x76F8\x673A\\\x5361 1"; // D:\相机\卡 1
const char kChineseFolderUtf8[] = "D:\\\xE7\x9B\xB8\xE6\x9C\xBA\\\xE5\x8D\xA1 1";

} // namespace

TEST(CodePage, ExactConversionSpellsAFolderInUtf8AndInTheChineseCodePage) {
    std::string out;
    ASSERT_TRUE(WideToCodePageExact(kChineseFolder, CP_UTF8, out));
    EXPECT_EQ(out, kChineseFolderUtf8);
    EXPECT_EQ(CodePageToWide(out.data(), out.size(), CP_UTF8), kChineseFolder);
    EXPECT_TRUE(WideToCodePageExact(L"D:\\\x76F8\x673A", 936, out)); // GBK
    EXPECT_EQ(out, "D:\\\xCF\xE0\xBB\xFA");
    EXPECT_TRUE(WideToCodePageExact(L"", CP_UTF8, out));
    EXPECT_EQ(out, "");
}

TEST(CodePage, ExactConversionRefusesWhatTheCodePageCannotSpell) {
    std::string out = "unchanged";
    EXPECT_FALSE(WideToCodePageExact(kChineseFolder, 1252, out)); // no Chinese in Western
    EXPECT_EQ(out, "");
    EXPECT_FALSE(WideToCodePageExact(L"C:\\\x0100", 1252, out)); // a best fit ("A") is no spelling
    EXPECT_FALSE(WideToCodePageExact(L"C:\\\xD800x", CP_UTF8, out)); // a lone surrogate
}

TEST(CodePage, AChosenFolderIsUsedOrRefusedWithAWarning) {
    App app;
    HWND camera = OpenCameraSetup(app);
    ASSERT_NE(camera, nullptr);

    // Where the system's code page is UTF-8, a Chinese folder is spelled exactly.
    bool used = false;
    OnUiThread(app, [&] { used = UseChosenFolder(camera, kChineseFolder, CP_UTF8); });
    EXPECT_TRUE(used);
    EXPECT_FALSE(MessageBoxShown(app));
    EXPECT_STREQ(g_szSavePath, kChineseFolderUtf8);

    // A Western code page cannot spell it: refused with a warning, the folder stays.
    OnUiThread(app, [&] { used = UseChosenFolder(camera, L"E:\\\x76F8\x673A", 1252); });
    MessageBoxInfo box = WaitMessageBox(app);
    ASSERT_NE(box.wnd, nullptr);
    EXPECT_EQ(box.caption, "Warning");
    EXPECT_EQ(box.text, "This folder cannot be used!\r\nPlease choose a folder with a shorter path "
                        "whose names use only characters of the system's language.");
    EXPECT_TRUE(box.warningIcon);
    DismissMessageBox(app, box);
    EXPECT_FALSE(used);
    EXPECT_STREQ(g_szSavePath, kChineseFolderUtf8);

    // 90 Chinese characters take 270 bytes in UTF-8: longer than a save folder may be.
    std::wstring deep = L"D:\\";
    deep.append(90, L'\x76F8');
    OnUiThread(app, [&] { used = UseChosenFolder(camera, deep.c_str(), CP_UTF8); });
    box = WaitMessageBox(app);
    ASSERT_NE(box.wnd, nullptr);
    DismissMessageBox(app, box);
    EXPECT_FALSE(used);
    EXPECT_STREQ(g_szSavePath, kChineseFolderUtf8);
}

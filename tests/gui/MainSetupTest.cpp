#include "GuiHarness.h"

#include "res/resource.h"

#include <gtest/gtest.h>

using namespace gui;

namespace {

const std::vector<std::string> kModels = {"QOR-7120-3G", "QOR-7120-3G(BASIC)", "QOR-7450-3G",
                                          "QOR-7450-3G(BASIC)"};

void ExpectEnglishLabels(HWND main) {
    EXPECT_EQ(Caption(main), "Setup");
    EXPECT_EQ(Text(main, IDC_MAIN_VERSION_GROUP), "Version");
    EXPECT_EQ(Text(main, IDC_MAIN_LANGUAGE_GROUP), "Interface Language");
    EXPECT_EQ(Text(main, IDC_MAIN_CAMERA_SETUP), "Camera Setup");
    EXPECT_EQ(Text(main, IDC_MAIN_3G_SETUP), "3G Setup");
    EXPECT_EQ(Text(main, IDC_MAIN_MODEL_GROUP), "Camera Model");
    EXPECT_EQ(Text(main, IDC_MAIN_VERSION), "1,2,0,8");
}

void ExpectChineseLabels(HWND main) {
    EXPECT_EQ(Caption(main), "设置");
    EXPECT_EQ(Text(main, IDC_MAIN_VERSION_GROUP), "软件版本");
    EXPECT_EQ(Text(main, IDC_MAIN_LANGUAGE_GROUP), "界面语言");
    EXPECT_EQ(Text(main, IDC_MAIN_CAMERA_SETUP), "相机设置");
    EXPECT_EQ(Text(main, IDC_MAIN_3G_SETUP), "3G设置");
    EXPECT_EQ(Text(main, IDC_MAIN_MODEL_GROUP), "相机型号");
    EXPECT_EQ(Text(main, IDC_MAIN_VERSION), "1,2,0,8");
}

} // namespace

TEST(MainSetup, OpensInEnglishOnAnEnglishSystemAndEndsWithZero) {
    ASSERT_FALSE(SystemIsChinese());
    App app;
    HWND main = app.Wait("Setup");
    ASSERT_NE(main, nullptr);
    ExpectEnglishLabels(main);
    EXPECT_FALSE(Enabled(main, IDC_MAIN_VERSION));
    EXPECT_EQ(Items(main, IDC_MAIN_LANGUAGE_LIST), (std::vector<std::string>{"中文", "English"}));
    EXPECT_EQ(Selection(main, IDC_MAIN_LANGUAGE_LIST), 1);
    EXPECT_EQ(Items(main, IDC_MAIN_MODEL_LIST), kModels);
    EXPECT_EQ(Selection(main, IDC_MAIN_MODEL_LIST), 0);
    // The save folder starts as the current directory.
    EXPECT_NE(app.Trace().find("CurDir:" + app.Folder() + "\n"), std::string::npos);

    // Escape and Enter-less commands do nothing; the window stays.
    Command(app, main, IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(MessageBoxShown(app));

    app.Close(main);
    EXPECT_EQ(app.WaitExit(), 0);
}

TEST(MainSetup, OpensInChineseOnAChineseSystem) {
    ASSERT_TRUE(SystemIsChinese());
    App app;
    HWND main = app.Wait("设置");
    ASSERT_NE(main, nullptr);
    ExpectChineseLabels(main);
    EXPECT_EQ(Selection(main, IDC_MAIN_LANGUAGE_LIST), 0);
    EXPECT_EQ(SelectedText(main, IDC_MAIN_LANGUAGE_LIST), "中文");
    EXPECT_EQ(Items(main, IDC_MAIN_MODEL_LIST), kModels);
}

TEST(MainSetup, SwitchingLanguageRelabelsAndKeepsBothSelections) {
    App app;
    HWND main = app.Wait("Setup");
    ASSERT_NE(main, nullptr);
    Choose(app, main, IDC_MAIN_MODEL_LIST, "QOR-7450-3G");
    Choose(app, main, IDC_MAIN_LANGUAGE_LIST, "中文");
    ExpectChineseLabels(main);
    EXPECT_EQ(Selection(main, IDC_MAIN_LANGUAGE_LIST), 0);
    EXPECT_EQ(Items(main, IDC_MAIN_LANGUAGE_LIST).size(), 2u); // refilled, not appended
    EXPECT_EQ(Selection(main, IDC_MAIN_MODEL_LIST), 2);
    EXPECT_EQ(Items(main, IDC_MAIN_MODEL_LIST), kModels);

    Choose(app, main, IDC_MAIN_LANGUAGE_LIST, "English");
    ExpectEnglishLabels(main);
    EXPECT_EQ(Selection(main, IDC_MAIN_LANGUAGE_LIST), 1);
    EXPECT_EQ(Selection(main, IDC_MAIN_MODEL_LIST), 2);
}

TEST(MainSetup, TypingIntoTheListsChangesNothing) {
    App app;
    HWND main = app.Wait("Setup");
    ASSERT_NE(main, nullptr);
    Type(app, main, IDC_MAIN_MODEL_LIST, "QOR-7450-3G");
    Type(app, main, IDC_MAIN_LANGUAGE_LIST, "中文");
    ExpectEnglishLabels(main);
}

TEST(MainSetup, ComingBackFromAnotherWindowKeepsModelLanguageAndSaveFolder) {
    App app;
    HWND main = app.Wait("Setup");
    ASSERT_NE(main, nullptr);
    Choose(app, main, IDC_MAIN_MODEL_LIST, "QOR-7450-3G(BASIC)");
    Choose(app, main, IDC_MAIN_LANGUAGE_LIST, "中文");
    Click(app, main, IDC_MAIN_CAMERA_SETUP);
    HWND camera = app.Wait("相机设置");
    ASSERT_NE(camera, nullptr);
    EXPECT_FALSE(IsWindowVisible(main)); // only one window shows at a time
    app.Close(camera);

    HWND again = app.Wait("设置");
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, main); // a new Main Setup
    ExpectChineseLabels(again);
    EXPECT_EQ(Selection(again, IDC_MAIN_MODEL_LIST), 3);
    EXPECT_EQ(Selection(again, IDC_MAIN_LANGUAGE_LIST), 0);
    const std::string trace = app.Trace();
    EXPECT_EQ(trace.find("CurDir:"), trace.rfind("CurDir:")); // the save folder was set once

    // Closing the new Main Setup unwinds every window and ends the program.
    app.Close(again);
    EXPECT_EQ(app.WaitExit(), 0);
}

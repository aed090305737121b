#include "GuiHarness.h"
#include "SendPageSteps.h"

#include "common/SavePath.h"
#include "res/resource.h"
#include "sendset/OperatorPresets.h"
#include "sendset/SendSet.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

using namespace gui;

namespace {

template <size_t N> void SetField(char (&field)[N], const char* text) {
    memset(field, 0, N);
    strncpy(field, text, N - 1);
}

void ExpectWarningBox(App& app, const char* caption, const char* text) {
    MessageBoxInfo box = WaitMessageBox(app);
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.text, text);
    EXPECT_TRUE(box.warningIcon);
    DismissMessageBox(app, box);
    EXPECT_FALSE(MessageBoxShown(app));
}

// The time stamp Generate printed, as the record stores it.
bool StampFromTrace(const std::string& trace, uint8_t out[6]) {
    size_t at = trace.rfind("Sytem time: ");
    if (at == std::string::npos)
        return false;
    int v[6] = {};
    if (sscanf(trace.c_str() + at, "Sytem time: %d-%d-%d, %d:%d:%d", &v[0], &v[1], &v[2], &v[3],
               &v[4], &v[5]) != 6)
        return false;
    out[0] = static_cast<uint8_t>(v[0] - 2000);
    for (int i = 1; i < 6; ++i)
        out[i] = static_cast<uint8_t>(v[i]);
    return true;
}

void ExpectInOrder(const std::string& trace, const std::vector<std::string>& lines) {
    size_t from = 0;
    for (const std::string& line : lines) {
        size_t at = trace.find(line, from);
        EXPECT_NE(at, std::string::npos) << "missing or out of order: " << line;
        if (at != std::string::npos)
            from = at + line.size();
    }
}

void ExpectSameRecord(const SendSet& got, const SendSet& want) {
    const uint8_t* g = reinterpret_cast<const uint8_t*>(&got);
    const uint8_t* w = reinterpret_cast<const uint8_t*>(&want);
    for (size_t i = 0; i < sizeof(SendSet); ++i)
        EXPECT_EQ(g[i], w[i]) << "byte " << i;
}

} // namespace

TEST(Generate, TypicalEmailRunWritesExactlyWhatWasEntered) {
    App app;
    HWND page1 = OpenParamPage(app, "QOR-7120-3G(BASIC)");
    ASSERT_NE(page1, nullptr);
    Choose(app, page1, IDC_PARAM_SEND_OPTION, "Email");
    Choose(app, page1, IDC_PARAM_COUNTRY, "United Kingdom");
    Choose(app, page1, IDC_PARAM_OPERATOR, "Vodafone");
    Type(app, page1, IDC_PARAM_SENDER_SERVER, "smtp.example.co.uk");
    Type(app, page1, IDC_PARAM_SENDER_PORT, "465");
    Type(app, page1, IDC_PARAM_SENDER_ADDRESS, "trailcam@example.co.uk");
    Type(app, page1, IDC_PARAM_SENDER_PASSWORD, "pa55word");
    HWND page = NextPage(app, page1);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(SelectedText(page, IDC_SEND_IMAGE_SIZE), "Thumbnail");
    Type(app, page, IDC_SEND_EMAIL1, "me@example.org");
    app.ClearTrace();
    Click(app, page, IDC_SEND_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    EXPECT_EQ(app.Visible(), page) << "the page stays open";

    const std::string path = app.FilePath("CFG.BIN");
    ASSERT_EQ(ReadFileBytes(path).size(), 1240u);
    SendSet got;
    bool marked = false;
    ASSERT_TRUE(DecodeCfgFile(path, got, &marked));
    EXPECT_TRUE(marked);

    SendSet want;
    LoadSendSetDefaults(want);
    want.bySendBy = SEND_BY_EMAIL;
    want.byOperatorCountry = 3; // United Kingdom
    want.byOperator = 0;        // Vodafone
    LoadMmsPresets(want, 3, 0);
    Load3GPresets(want, 3, 0);
    SetField(want.sSmtpSet.szServer, "smtp.example.co.uk");
    want.sSmtpSet.iPort = 465;
    SetField(want.sSmtpSet.szAddr, "trailcam@example.co.uk");
    SetField(want.sSmtpSet.szUserName, "trailcam@example.co.uk");
    SetField(want.sSmtpSet.szPassword, "pa55word");
    SetField(want.szRecp[2], "me@example.org");
    want.uwRecpLen[2] = 14;
    want.bySendImgSize = 1;
    want.bySendMode = 0;
    want.byDailySendTime = 24;
    SetField(want.szFileFullName[0], "DCIM\\100IMA3G\\IMAG0001.JPG");
    uint8_t stamp[6] = {};
    ASSERT_TRUE(StampFromTrace(app.Trace(), stamp));
    memcpy(&want.sTime, stamp, 6);
    want.sTime.bSet = 0;
    ExpectSameRecord(got, want);

    ExpectInOrder(app.Trace(),
                  {"Sytem time: ", "EDIT_MAX_SEND_IMG_NUM val=49\n", "** **\n",
                   ":: g_sSendSet.sSmtpSet.szServer[0]=115\n", ":: Get SendMode=0\n",
                   ":: Get SendImgSize=1\n", "Open file - \"", "iGetFileSize = 1240\n"});
    EXPECT_EQ(app.Trace().find("Generate fail!"), std::string::npos);
}

TEST(Generate, FailingChecksWarnAndLeaveTheEarlierFileAlone) {
    App app(WithCfg([](SendSet&) {}));
    const std::string path = app.FilePath("CFG.BIN");
    const std::vector<uint8_t> before = ReadFileBytes(path);
    ASSERT_EQ(before.size(), 1240u);

    HWND page = OpenSendPage(app); // MMS, no recipient yet
    ASSERT_NE(page, nullptr);
    Click(app, page, IDC_SEND_GENERATE);
    ExpectWarningBox(app, "Warning",
                     "Generate failed!\r\nPlease enter at least one phone number or email "
                     "address.");
    EXPECT_EQ(ReadFileBytes(path), before);

    Type(app, page, IDC_SEND_PHONE1, "07700900123");
    Type(app, page, IDC_SEND_EMAIL2, "first.last@example");
    Click(app, page, IDC_SEND_GENERATE);
    ExpectWarningBox(app, "Warning", "Generate failed!\r\nEmail address 2 error.");
    EXPECT_EQ(ReadFileBytes(path), before);

    // Remote control on: the remote phone number needs five characters.
    Type(app, page, IDC_SEND_EMAIL2, "");
    Choose(app, page, IDC_SEND_REMOTE_INTERVAL, "10 Minutes");
    Type(app, page, IDC_SEND_REMOTE_PHONE, "1234");
    Click(app, page, IDC_SEND_GENERATE);
    ExpectWarningBox(app, "Warning",
                     "Generate failed!\r\nPlease enter the correct remote phone number.");
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(app.Trace().find("Generate fail!"), std::string::npos);

    // Corrected, it is written.
    Choose(app, page, IDC_SEND_REMOTE_INTERVAL, "Remote Off");
    Click(app, page, IDC_SEND_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    SendSet got;
    ASSERT_TRUE(DecodeCfgFile(path, got));
    EXPECT_EQ(FieldText(got.szRecp[0], sizeof got.szRecp[0]), "07700900123");
    EXPECT_EQ(got.uwRecpLen[0], 11);
    EXPECT_EQ(got.uwRecpLen[3], 0);
}

TEST(Generate, FailingCheckWarnsInChineseOnAChineseSystem) {
    App app;
    HWND page = OpenSendPage(app, "邮件");
    ASSERT_NE(page, nullptr);
    Click(app, page, IDC_SEND_GENERATE);
    ExpectWarningBox(app, "警告", "未生成配置文件！\r\n请输入至少一个邮箱地址。");
    EXPECT_FALSE(FileExists(app.FilePath("CFG.BIN")));
}

TEST(Generate, Close3GIsWrittenWithoutChecksWhereverTheSavePathEditPoints) {
    App app(WithCfg([](SendSet& rec) {
        rec.bySendBy = SEND_BY_CLOSE_3G;
        rec.byRemoteInterval = 3;
        rec.byDailySendTime = 6;
    }));
    HWND page = OpenSendPage(app);
    ASSERT_NE(page, nullptr);
    Type(app, page, IDC_SEND_SAVE_PATH, "C:\\elsewhere");
    Click(app, page, IDC_SEND_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");

    SendSet got;
    ASSERT_TRUE(DecodeCfgFile(app.FilePath("CFG.BIN"), got));
    EXPECT_EQ(got.bySendBy, SEND_BY_CLOSE_3G);
    EXPECT_EQ(got.byRemoteInterval, 3);
    EXPECT_EQ(got.byRemoteSwitch, 0);
    EXPECT_EQ(got.bySendMode, 0);
    EXPECT_EQ(got.byDailySendTime, 24);
    EXPECT_EQ(got.bySendFileNum, 0);
    EXPECT_EQ(FieldText(got.szFileFullName[0], 33), "DCIM\\100IMA3G\\IMAG0001.JPG");
    EXPECT_EQ(got.sTime.bSet, 0);
}

TEST(Generate, SuccessInChineseOnAChineseSystem) {
    App app;
    HWND page = OpenSendPage(app, "关闭3G");
    ASSERT_NE(page, nullptr);
    Click(app, page, IDC_SEND_GENERATE);
    AnswerNoticeBox(app, "通知", "成功生成配置文件!");
}

TEST(Generate, UnwritableFolderShowsNoBoxAndKeepsTheEarlierFile) {
    App app(WithCfg([](SendSet& rec) { rec.bySendBy = SEND_BY_CLOSE_3G; }));
    const std::string path = app.FilePath("CFG.BIN");
    const std::vector<uint8_t> before = ReadFileBytes(path);
    HWND page = OpenSendPage(app);
    ASSERT_NE(page, nullptr);
    // The page is idle: the save folder becomes one that does not exist.
    ASSERT_TRUE(SetSavePath((app.Folder() + "\\no such folder").c_str()));
    app.ClearTrace();
    Click(app, page, IDC_SEND_GENERATE);
    EXPECT_FALSE(MessageBoxShown(app));
    EXPECT_NE(app.Trace().find("Generate fail!"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(app.Visible(), page);
}

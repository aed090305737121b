// The two front ends give one file: a user's story told through the dialogs and the same choices
// given to "camfile set --new" write CFG.BIN files that differ only in their time stamp.
#include "GuiHarness.h"
#include "SendPageSteps.h"

#include "res/resource.h"
#include "sendset/SendSet.h"
#include "ui/ControlsWin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace gui;

namespace {

// Presses Generate and answers the success box.
void Generate(App& app, HWND page2) {
    Click(app, page2, IDC_SEND_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
}

// The dialogs' CFG.BIN, already written into the save folder, against camfile's from the same
// choices: equal apart from the time stamp. Returns the dialogs' record.
// options: camfile's for what is chosen outside page 1 and 2's fields ("--no-remote-cmd22",
// "--basic").
SendSet ExpectSameFile(App& app, std::vector<std::string> choices,
                       const std::vector<std::string>& options = {}) {
    const std::string cliFolder = app.Folder() + "\\camfile";
    CreateDirectoryA(cliFolder.c_str(), nullptr);
    std::vector<std::string> args = {"set", "--new", "--check"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(cliFolder + "\\CFG.BIN");
    args.insert(args.end(), choices.begin(), choices.end());
    EXPECT_EQ(RunCamfile(args).status, 0);

    SendSet dialogs = {}, cli = {};
    EXPECT_TRUE(DecodeCfgFile(app.FilePath("CFG.BIN"), dialogs));
    EXPECT_TRUE(DecodeCfgFile(cliFolder + "\\CFG.BIN", cli));
    SendSet a = dialogs;
    a.sTime = SendTime{};
    cli.sTime = SendTime{};
    const uint8_t* x = reinterpret_cast<const uint8_t*>(&a);
    const uint8_t* y = reinterpret_cast<const uint8_t*>(&cli);
    for (size_t i = 0; i < sizeof(SendSet); ++i)
        EXPECT_EQ(x[i], y[i]) << "byte " << i << " differs";
    return dialogs;
}

// An edit typed in the dialogs and the same text given to camfile.
struct Typed {
    int id;
    const char* text;
    const char* field;
};

void TypeAll(App& app, HWND page, const std::vector<Typed>& typed) {
    for (const Typed& t : typed)
        Type(app, page, t.id, t.text);
}

std::vector<std::string> Choices(std::vector<std::string> choices,
                                 const std::vector<Typed>& typed) {
    for (const Typed& t : typed)
        choices.push_back(std::string(t.field) + "=" + t.text);
    return choices;
}

const std::vector<Typed> kSender = {
    {IDC_PARAM_SENDER_SERVER, "smtp.example.com", "sSmtpSet.szServer"},
    {IDC_PARAM_SENDER_PORT, "587", "sSmtpSet.iPort"},
    {IDC_PARAM_SENDER_ADDRESS, "cameras@example.com", "sSmtpSet.szAddr"},
    {IDC_PARAM_SENDER_PASSWORD, "pa55word", "sSmtpSet.szPassword"},
};

const std::vector<Typed> k3G = {
    {IDC_PARAM_NET_APN, "internet.example", "sSmtpSet.sz3GSmtpApN"},
    {IDC_PARAM_NET_ACCOUNT, "user", "sSmtpSet.sz3GSmtpAccount"},
    {IDC_PARAM_NET_PASSWORD, "secret", "sSmtpSet.sz3GSmtpPassword"},
};

// Page 1 with the send option chosen, and the country and operator when given.
HWND Page1With(App& app, const char* sendOption, const char* country = nullptr,
               const char* op = nullptr) {
    HWND page1 = OpenParamPage(app);
    if (page1 == nullptr)
        return nullptr;
    Choose(app, page1, IDC_PARAM_SEND_OPTION, sendOption);
    if (country != nullptr)
        Choose(app, page1, IDC_PARAM_COUNTRY, country);
    if (op != nullptr)
        Choose(app, page1, IDC_PARAM_OPERATOR, op);
    return page1;
}

// Manual input for FTP or the cloud with remote control off: the 3G settings typed on page 1
// reach the file. Returns the dialogs' record.
SendSet ManualInputStory(const char* sendOption, const std::vector<Typed>& ftpGroup) {
    App app;
    HWND page1 = Page1With(app, sendOption);
    EXPECT_NE(page1, nullptr);
    Choose(app, page1, IDC_PARAM_MODE, "Manual Input");
    TypeAll(app, page1, k3G);
    TypeAll(app, page1, ftpGroup);
    HWND page2 = NextPage(app, page1);
    EXPECT_NE(page2, nullptr);
    Generate(app, page2);
    const SendSet rec = ExpectSameFile(
        app,
        Choices(Choices({std::string("bySendBy=") + sendOption, "country=Others"}, k3G), ftpGroup));
    EXPECT_STREQ(rec.sSmtpSet.sz3GSmtpApN, "internet.example");
    EXPECT_STREQ(rec.sSmtpSet.sz3GSmtpAccount, "user");
    EXPECT_STREQ(rec.sSmtpSet.sz3GSmtpPassword, "secret");
    return rec;
}

} // namespace

TEST(Parity, MmsWithThePreselectedOperator) {
    App app;
    HWND page1 = Page1With(app, "MMS");
    ASSERT_NE(page1, nullptr);
    HWND page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    Type(app, page2, IDC_SEND_PHONE1, "13800138000");
    Generate(app, page2);
    const SendSet rec = ExpectSameFile(app, {"bySendBy=MMS", "szRecp[0]=13800138000"});
    EXPECT_STREQ(rec.sMmsSet.szUrl, "http://mmsc.myuni.com.cn");
    EXPECT_STREQ(rec.sSmtpSet.sz3GSmtpApN, "3gnet");
}

TEST(Parity, EmailWithAChosenOperator) {
    App app;
    HWND page1 = Page1With(app, "Email", "United Kingdom", "Vodafone");
    ASSERT_NE(page1, nullptr);
    TypeAll(app, page1, kSender);
    HWND page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    Type(app, page2, IDC_SEND_EMAIL1, "me@example.org");
    Choose(app, page2, IDC_SEND_MODE, "Daily Send");
    Choose(app, page2, IDC_SEND_DAILY_TIME, "07 o'clock");
    Generate(app, page2);
    ExpectSameFile(app, Choices({"bySendBy=Email", "country=United Kingdom", "operator=Vodafone",
                                 "szRecp[2]=me@example.org", "bySendMode=Daily Send",
                                 "byDailySendTime=07 o'clock"},
                                kSender));
}

TEST(Parity, FtpWithManualInput) {
    const SendSet rec =
        ManualInputStory("FTP", {{IDC_PARAM_FTP_SERVER, "ftp.example.com", "sFtpSet.szServer"},
                                 {IDC_PARAM_FTP_PORT, "2121", "sFtpSet.iPort"},
                                 {IDC_PARAM_FTP_USER, "cam", "sFtpSet.szUserName"},
                                 {IDC_PARAM_FTP_PASSWORD, "ftppass", "sFtpSet.szPassword"}});
    EXPECT_EQ(rec.sFtpSet.iPort, 2121);
}

TEST(Parity, CloudWithManualInput) {
    const SendSet rec =
        ManualInputStory("QOR Camera Cloud System",
                         {{IDC_PARAM_FTP_SERVER, "appkey123", "sQorCloudSet.szAppKey"},
                          {IDC_PARAM_FTP_PORT, "appsecret", "sQorCloudSet.szAppSecret"},
                          {IDC_PARAM_FTP_USER, "13800138000", "sQorCloudSet.szSimCardNum"}});
    EXPECT_STREQ(rec.sQorCloudSet.szSimCardNum, "13800138000");
}

TEST(Parity, Close3G) {
    App app;
    HWND page1 = Page1With(app, "Close 3G");
    ASSERT_NE(page1, nullptr);
    HWND page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    Generate(app, page2);
    ExpectSameFile(app, {"bySendBy=Close 3G"});
}

// Remote control is set on page 2; page 1 then asks for the mailbox that answers command 22.
TEST(Parity, RemoteControlWithCommand22) {
    App app;
    HWND page1 = Page1With(app, "MMS");
    ASSERT_NE(page1, nullptr);
    HWND page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    Choose(app, page2, IDC_SEND_REMOTE_INTERVAL, "01 Hours");
    Type(app, page2, IDC_SEND_REMOTE_PHONE, "13800138000");
    Type(app, page2, IDC_SEND_REMOTE_EMAIL, "remote@example.com");
    page1 = PreviousPage(app, page2);
    ASSERT_NE(page1, nullptr);
    TypeAll(app, page1, kSender);
    page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    Type(app, page2, IDC_SEND_PHONE1, "13900139000");
    Generate(app, page2);
    ExpectSameFile(
        app, Choices({"bySendBy=MMS", "byRemoteInterval=01 Hours", "szRemotePhoneNum=13800138000",
                      "szRemoteEmail=remote@example.com", "szRecp[0]=13900139000"},
                     kSender));
}

TEST(Parity, RemoteControlWithoutCommand22) {
    App app;
    HWND page1 = Page1With(app, "FTP");
    ASSERT_NE(page1, nullptr);
    Type(app, page1, IDC_PARAM_FTP_SERVER, "ftp.example.com");
    Type(app, page1, IDC_PARAM_FTP_USER, "cam");
    Type(app, page1, IDC_PARAM_FTP_PASSWORD, "ftppass");
    HWND page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    Choose(app, page2, IDC_SEND_REMOTE_INTERVAL, "02 Hours");
    Type(app, page2, IDC_SEND_REMOTE_PHONE, "13800138000");
    SetCheck(app, page2, IDC_SEND_NO_REMOTE_CMD22, true);
    Generate(app, page2);
    ExpectSameFile(app,
                   {"bySendBy=FTP", "sFtpSet.szServer=ftp.example.com", "sFtpSet.szUserName=cam",
                    "sFtpSet.szPassword=ftppass", "byRemoteInterval=02 Hours",
                    "szRemotePhoneNum=13800138000"},
                   {"--no-remote-cmd22"});
}

// A basic model, chosen in the first window, sends thumbnails only; camfile is told so.
TEST(Parity, EmailFromABasicModel) {
    App app;
    HWND page1 = OpenParamPage(app, "QOR-7120-3G(BASIC)");
    ASSERT_NE(page1, nullptr);
    Choose(app, page1, IDC_PARAM_SEND_OPTION, "Email");
    TypeAll(app, page1, kSender);
    HWND page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    Type(app, page2, IDC_SEND_EMAIL1, "me@example.org");
    Generate(app, page2);
    const SendSet rec = ExpectSameFile(
        app, Choices({"bySendBy=Email", "szRecp[2]=me@example.org"}, kSender), {"--basic"});
    EXPECT_EQ(rec.bySendImgSize, 1);
}

// A row of the README's loop that prepares many cards from a CSV file.
TEST(Parity, ReadmeCsvLoopRow) {
    App app;
    HWND page1 = Page1With(app, "Email", "Deutschland", "O2");
    ASSERT_NE(page1, nullptr);
    TypeAll(app, page1, kSender);
    HWND page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    Type(app, page2, IDC_SEND_EMAIL1, "lake@example.com");
    Choose(app, page2, IDC_SEND_REMOTE_INTERVAL, "01 Hours");
    Type(app, page2, IDC_SEND_REMOTE_PHONE, "01511234567");
    Type(app, page2, IDC_SEND_REMOTE_EMAIL, "cameras@example.com");
    Generate(app, page2);
    ExpectSameFile(app,
                   Choices({"bySendBy=Email", "country=Deutschland", "operator=O2",
                            "szRecp[2]=lake@example.com", "byRemoteInterval=01 Hours",
                            "szRemotePhoneNum=01511234567", "szRemoteEmail=cameras@example.com"},
                           kSender));
}

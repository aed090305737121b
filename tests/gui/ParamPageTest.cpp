#include "GuiHarness.h"
#include "SendPageSteps.h"

#include "res/resource.h"
#include "sendset/OperatorPresets.h"
#include "sendset/SendSet.h"
#include "wizard/WizardWin.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace gui;

namespace {

const int kMmsEdits[] = {IDC_PARAM_MMS_URL,  IDC_PARAM_MMS_APN,     IDC_PARAM_MMS_GATEWAY,
                         IDC_PARAM_MMS_PORT, IDC_PARAM_MMS_ACCOUNT, IDC_PARAM_MMS_PASSWORD};
const int kNetEdits[] = {IDC_PARAM_NET_APN, IDC_PARAM_NET_ACCOUNT, IDC_PARAM_NET_PASSWORD};
const int kSenderInputs[] = {IDC_PARAM_SENDER_SERVER, IDC_PARAM_SENDER_PORT,
                             IDC_PARAM_SENDER_ADDRESS, IDC_PARAM_SENDER_PASSWORD};
const int kFtpOnly[] = {IDC_PARAM_FTP_PASSWORD_LABEL, IDC_PARAM_FTP_PASSWORD,
                        IDC_PARAM_FTP_DIR_GROUP, IDC_PARAM_FTP_DIR_TYPE, IDC_PARAM_FTP_DIR};

std::string Field(const char* field, size_t capacity) {
    return std::string(field, strnlen(field, capacity));
}
#define FIELD(f) Field(f, sizeof f)

// Which edit groups the user can type into.
struct Usable {
    bool mms, net, sender, ftp;
};

void ExpectUsable(HWND page, const Usable& want, const char* what) {
    SCOPED_TRACE(what);
    for (int id : kMmsEdits)
        EXPECT_EQ(Enabled(page, id), want.mms) << id;
    for (int id : kNetEdits)
        EXPECT_EQ(Enabled(page, id), want.net) << id;
    for (int id : kSenderInputs)
        EXPECT_EQ(Enabled(page, id), want.sender) << id;
    EXPECT_FALSE(Enabled(page, IDC_PARAM_SENDER_USER));
    EXPECT_EQ(Enabled(page, IDC_PARAM_FTP_SERVER), want.ftp);
    EXPECT_EQ(Enabled(page, IDC_PARAM_FTP_DIR_TYPE), want.ftp);
}

void ExpectMasked(HWND page, bool masked) {
    for (int id : kMmsEdits)
        EXPECT_EQ(PasswordChar(page, id), masked ? L'*' : 0) << id;
    for (int id : kNetEdits)
        EXPECT_EQ(PasswordChar(page, id), masked ? L'*' : 0) << id;
    EXPECT_EQ(PasswordChar(page, IDC_PARAM_SENDER_PASSWORD), L'*');
    EXPECT_EQ(PasswordChar(page, IDC_PARAM_FTP_PASSWORD), L'*');
}

const MmsPresetRow& MmsRow(int country, int slot) {
    return MmsPresetTable[country * PRESET_SLOT_COUNT + slot];
}
const Net3GPresetRow& NetRow(int country, int slot) {
    return Net3GPresetTable[country * PRESET_SLOT_COUNT + slot];
}

} // namespace

TEST(ParamPage, FirstOpeningWithoutFileShowsMmsWithChinasFirstOperator) {
    App app;
    HWND page = OpenParamPage(app);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(
        Items(page, IDC_PARAM_SEND_OPTION),
        (std::vector<std::string>{"Close 3G", "MMS", "Email", "FTP", "QOR Camera Cloud System"}));
    EXPECT_EQ(SelectedText(page, IDC_PARAM_SEND_OPTION), "MMS");
    EXPECT_EQ(SelectedText(page, IDC_PARAM_MODE), "Select Operator");
    EXPECT_EQ(Items(page, IDC_PARAM_COUNTRY).size(), 43u);
    EXPECT_EQ(SelectedText(page, IDC_PARAM_COUNTRY), "China");
    EXPECT_EQ(Items(page, IDC_PARAM_OPERATOR), std::vector<std::string>{"China Unicom"});
    EXPECT_EQ(Selection(page, IDC_PARAM_OPERATOR), 0);
    for (int id : kMmsEdits)
        EXPECT_EQ(Text(page, id), "") << id;
    ExpectUsable(page, {false, false, false, false}, "MMS, presets, remote off");
    ExpectMasked(page, true);
    EXPECT_FALSE(Enabled(page, IDC_PARAM_SENDER_USER_LABEL));
    EXPECT_FALSE(Enabled(page, IDC_PARAM_MMS_APN_KIND));
    EXPECT_EQ(SelectedText(page, IDC_PARAM_MMS_APN_KIND), "APN");
    EXPECT_FALSE(Visible(page, IDC_PARAM_LANGUAGE_LIST));
    EXPECT_FALSE(Visible(page, IDC_PARAM_VERSION));
    EXPECT_TRUE(Visible(page, IDC_PARAM_FTP_GROUP));
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_GROUP), "FTP Settings");
    EXPECT_EQ(TextLimit(page, IDC_PARAM_MMS_PORT), 4);
    EXPECT_EQ(TextLimit(page, IDC_PARAM_FTP_USER), 48);

    // The default record.
    EXPECT_EQ(g_sSendSet.bySendBy, SEND_BY_MMS);
    EXPECT_EQ(g_sSendSet.byRemoteSwitch, 0);
    EXPECT_EQ(g_sSendSet.byRemoteInterval, REMOTE_INTERVAL_OFF);
    EXPECT_EQ(g_sSendSet.sFtpSet.iPort, 21);
    EXPECT_EQ(FIELD(g_sSendSet.sFtpSet.szFtpDir), "/");
    EXPECT_EQ(g_sSendSet.uwMaxSendImgNum, 49);
    const std::string trace = app.Trace();
    EXPECT_NE(trace.find("File szie != struct size!"), std::string::npos);
    EXPECT_NE(trace.find("## s_eFtpEditUse = 0 ##\n"), std::string::npos);
    EXPECT_NE(trace.find("#\t bySendBy=1, byOperatorCountry=0 \t#\n"), std::string::npos);

    // Enter and Escape do nothing.
    Command(app, page, IDOK);
    Command(app, page, IDCANCEL);
    EXPECT_EQ(app.Visible(), page);
}

TEST(ParamPage, FirstOpeningTakesTheRecordFromCfgBin) {
    App app(WithCfg([](SendSet& rec) {
        rec.bySendBy = SEND_BY_FTP;
        rec.byRemoteInterval = 2;  // remote control on
        rec.byOperatorCountry = 3; // United Kingdom
        rec.byOperator = 2;        // Orange
        strcpy(rec.sMmsSet.szUrl, "http://mms.file");
        strcpy(rec.sSmtpSet.szServer, "smtp.file");
        rec.sSmtpSet.iPort = 465;
        strcpy(rec.sSmtpSet.szAddr, "cam@file");
        strcpy(rec.sSmtpSet.szUserName, "user.file");
        strcpy(rec.sFtpSet.szServer, "ftp.file");
        rec.sFtpSet.iPort = 2121;
        strcpy(rec.sFtpSet.szUserName, "ftpuser");
        rec.sFtpSet.iFtpDirType = 1;
        strcpy(rec.sFtpSet.szFtpDir, "/pics");
    }));
    HWND page = OpenParamPage(app);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(SelectedText(page, IDC_PARAM_SEND_OPTION), "FTP");
    EXPECT_EQ(SelectedText(page, IDC_PARAM_COUNTRY), "United Kingdom");
    EXPECT_EQ(SelectedText(page, IDC_PARAM_OPERATOR), "Orange");
    ExpectUsable(page, {false, false, true, true}, "FTP, presets, remote on");
    EXPECT_EQ(Text(page, IDC_PARAM_MMS_URL), "http://mms.file"); // no MMS presets at opening
    EXPECT_EQ(Text(page, IDC_PARAM_NET_APN), NetRow(3, 2).apn);  // 3G presets are loaded
    EXPECT_EQ(Text(page, IDC_PARAM_SENDER_SERVER), "smtp.file");
    EXPECT_EQ(Text(page, IDC_PARAM_SENDER_PORT), "465");
    EXPECT_EQ(Text(page, IDC_PARAM_SENDER_USER), "user.file");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_SERVER), "ftp.file");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_PORT), "2121");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_USER), "ftpuser");
    EXPECT_EQ(SelectedText(page, IDC_PARAM_FTP_DIR_TYPE), "Specify");
    EXPECT_TRUE(Enabled(page, IDC_PARAM_FTP_DIR));
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_DIR), "/pics");
    EXPECT_NE(app.Trace().find("#\t bySendBy=3, byOperatorCountry=3 \t#\n"), std::string::npos);

    // Back to the root: the directory becomes "/" and cannot be typed.
    Choose(app, page, IDC_PARAM_FTP_DIR_TYPE, "Root");
    EXPECT_FALSE(Enabled(page, IDC_PARAM_FTP_DIR));
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_DIR), "/");
    Type(app, page, IDC_PARAM_FTP_PORT, "");
    NextPage(app, page);
    EXPECT_EQ(g_sSendSetSaved.sFtpSet.iFtpDirType, 0);
    EXPECT_EQ(FIELD(g_sSendSetSaved.sFtpSet.szFtpDir), "/");
    EXPECT_EQ(g_sSendSetSaved.sFtpSet.iPort, 2121); // an empty port keeps the stored one
    EXPECT_EQ(FIELD(g_sSendSetSaved.sSmtpSet.sz3GSmtpApN), NetRow(3, 2).apn);
    EXPECT_NE(app.Trace().find(":: NEXT_PAGE, FTP Server=ftp.file, FTP Port=2121\n"),
              std::string::npos);
}

TEST(ParamPage, ManualInputAndBackToPresets) {
    App app;
    HWND page = OpenParamPage(app);
    ASSERT_NE(page, nullptr);
    Choose(app, page, IDC_PARAM_COUNTRY, "Deutschland");
    EXPECT_EQ(Items(page, IDC_PARAM_OPERATOR).size(), 4u);
    EXPECT_EQ(FIELD(g_sSendSet.sMmsSet.szUrl), MmsRow(2, 0).url);

    Choose(app, page, IDC_PARAM_MODE, "Manual Input");
    EXPECT_EQ(g_sSendSet.byOperatorCountry, OPERATOR_COUNTRY_MANUAL);
    for (int id : {IDC_PARAM_COUNTRY, IDC_PARAM_OPERATOR}) {
        EXPECT_FALSE(Enabled(page, id));
        EXPECT_EQ(Items(page, id), std::vector<std::string>{"Others"});
        EXPECT_EQ(Selection(page, id), 0);
    }
    EXPECT_EQ(FIELD(g_sSendSet.sMmsSet.szUrl), "");
    EXPECT_EQ(FIELD(g_sSendSet.sMmsSet.szPort), "");
    EXPECT_EQ(FIELD(g_sSendSet.sSmtpSet.sz3GSmtpApN), "");
    EXPECT_EQ(Text(page, IDC_PARAM_MMS_PORT), "");
    ExpectUsable(page, {true, false, false, false}, "MMS, manual, remote off");
    ExpectMasked(page, false);

    // Back to presets: the first country and its first operator, and their presets.
    Choose(app, page, IDC_PARAM_MODE, "Select Operator");
    EXPECT_EQ(Items(page, IDC_PARAM_COUNTRY).size(), 43u);
    EXPECT_EQ(SelectedText(page, IDC_PARAM_COUNTRY), "China");
    EXPECT_EQ(SelectedText(page, IDC_PARAM_OPERATOR), "China Unicom");
    EXPECT_EQ(g_sSendSet.byOperatorCountry, 0);
    EXPECT_EQ(FIELD(g_sSendSet.sMmsSet.szUrl), MmsRow(0, 0).url);
    EXPECT_EQ(FIELD(g_sSendSet.sSmtpSet.sz3GSmtpApN), NetRow(0, 0).apn);
    EXPECT_EQ(Text(page, IDC_PARAM_MMS_URL), MmsRow(0, 0).url);
    ExpectUsable(page, {false, false, false, false}, "MMS, presets again");
    ExpectMasked(page, true);

    // Typed MMS parameters reach the record on Next Page.
    Choose(app, page, IDC_PARAM_MODE, "Manual Input");
    Type(app, page, IDC_PARAM_MMS_URL, "http://typed/mms");
    Type(app, page, IDC_PARAM_MMS_GATEWAY, "10.0.0.1");
    Type(app, page, IDC_PARAM_MMS_PORT, "9201");
    NextPage(app, page);
    EXPECT_EQ(g_sSendSetSaved.byOperatorCountry, OPERATOR_COUNTRY_MANUAL);
    EXPECT_EQ(FIELD(g_sSendSetSaved.sMmsSet.szUrl), "http://typed/mms");
    EXPECT_EQ(FIELD(g_sSendSetSaved.sMmsSet.szGateway), "10.0.0.1");
    EXPECT_EQ(FIELD(g_sSendSetSaved.sMmsSet.szPort), "9201");
}

TEST(ParamPage, ChoosingTheSameCountryOperatorOrSendOptionAgain) {
    App app;
    HWND page = OpenParamPage(app);
    ASSERT_NE(page, nullptr);
    Choose(app, page, IDC_PARAM_COUNTRY, "United Kingdom");
    Choose(app, page, IDC_PARAM_OPERATOR, "Orange");
    EXPECT_EQ(g_sSendSet.byOperator, 2);
    EXPECT_NE(app.Trace().find("lCountrySel = 3, lrOperatorIndex = 2\n"), std::string::npos);
    app.ClearTrace();
    Choose(app, page, IDC_PARAM_COUNTRY, "United Kingdom");
    Choose(app, page, IDC_PARAM_OPERATOR, "Orange");
    EXPECT_EQ(app.Trace().find("lCountrySel"), std::string::npos) << "presets loaded again";
    EXPECT_EQ(g_sSendSet.byOperator, 2);

    // The same send option again empties its edits; the record keeps its values.
    Choose(app, page, IDC_PARAM_SEND_OPTION, "FTP");
    Type(app, page, IDC_PARAM_FTP_SERVER, "ftp.typed");
    Choose(app, page, IDC_PARAM_SEND_OPTION, "FTP");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_SERVER), "");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_PORT), "21");
}

TEST(ParamPage, FtpGroupVisibilityAndItsTwoLayouts) {
    App app(WithCfg([](SendSet& rec) { rec.bySendBy = SEND_BY_CLOSE_3G; }));
    HWND page = OpenParamPage(app);
    ASSERT_NE(page, nullptr);
    // Until a send option other than "Close 3G" is applied, the FTP group is hidden.
    EXPECT_FALSE(Visible(page, IDC_PARAM_FTP_GROUP));
    EXPECT_FALSE(Visible(page, IDC_PARAM_FTP_SERVER));
    EXPECT_FALSE(Enabled(page, IDC_PARAM_MODE));

    Choose(app, page, IDC_PARAM_SEND_OPTION, "QOR Camera Cloud System");
    EXPECT_EQ(GetFtpEditUse(), 1);
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_GROUP), "QOR Camera Cloud System Parameters");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_SERVER_LABEL), "APPKey");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_PORT_LABEL), "APPSecret");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_USER_LABEL), "SIM Card Number");
    EXPECT_TRUE(Visible(page, IDC_PARAM_FTP_SERVER));
    for (int id : kFtpOnly)
        EXPECT_FALSE(Visible(page, id)) << id;
    EXPECT_EQ(TextLimit(page, IDC_PARAM_FTP_PORT), 60);
    EXPECT_EQ(TextLimit(page, IDC_PARAM_FTP_USER), 16);

    // "MMS" keeps the cloud layout, disabled; "Close 3G" now leaves the group visible.
    Choose(app, page, IDC_PARAM_SEND_OPTION, "MMS");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_SERVER_LABEL), "APPKey");
    EXPECT_FALSE(Visible(page, IDC_PARAM_FTP_DIR_TYPE));
    EXPECT_FALSE(Enabled(page, IDC_PARAM_FTP_SERVER));
    Choose(app, page, IDC_PARAM_SEND_OPTION, "Close 3G");
    EXPECT_TRUE(Visible(page, IDC_PARAM_FTP_GROUP));
    EXPECT_FALSE(Enabled(page, IDC_PARAM_FTP_SERVER));

    Choose(app, page, IDC_PARAM_SEND_OPTION, "FTP");
    EXPECT_EQ(GetFtpEditUse(), 0);
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_GROUP), "FTP Settings");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_SERVER_LABEL), "Server");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_USER_LABEL), "User Name");
    for (int id : kFtpOnly)
        EXPECT_TRUE(Visible(page, id)) << id;
    EXPECT_FALSE(Enabled(page, IDC_PARAM_FTP_DIR)); // root directory
    EXPECT_EQ(TextLimit(page, IDC_PARAM_FTP_PORT), 8);
    EXPECT_EQ(TextLimit(page, IDC_PARAM_FTP_USER), 48);
}

TEST(ParamPage, SendOptionsEnableTheirEditsWithRemoteOff) {
    App app;
    HWND page = OpenParamPage(app);
    ASSERT_NE(page, nullptr);
    const struct {
        const char* option;
        Usable preset, manual;
    } cases[] = {
        {"MMS", {false, false, false, false}, {true, false, false, false}},
        {"Email", {false, false, true, false}, {false, true, true, false}},
        {"FTP", {false, false, false, true}, {false, true, false, true}},
        {"QOR Camera Cloud System", {false, false, false, true}, {false, true, false, true}},
        {"Close 3G", {false, false, false, false}, {false, false, false, false}},
    };
    for (const auto& c : cases) {
        Choose(app, page, IDC_PARAM_SEND_OPTION, c.option);
        ExpectUsable(page, c.preset, c.option);
    }
    Choose(app, page, IDC_PARAM_SEND_OPTION, "MMS");
    Choose(app, page, IDC_PARAM_MODE, "Manual Input");
    for (const auto& c : cases) {
        Choose(app, page, IDC_PARAM_SEND_OPTION, c.option);
        ExpectUsable(page, c.manual, c.option);
    }
    EXPECT_FALSE(Enabled(page, IDC_PARAM_MODE)); // "Close 3G"
}

TEST(ParamPage, SendOptionsEnableTheirEditsWithRemoteOnAndWithoutCommand22) {
    App app(WithCfg([](SendSet& rec) {
        rec.byRemoteInterval = 0; // every 10 minutes
        rec.byOperatorCountry = OPERATOR_COUNTRY_MANUAL;
    }));
    HWND page = OpenParamPage(app);
    ASSERT_NE(page, nullptr);
    ExpectUsable(page, {true, true, true, false}, "MMS");
    Choose(app, page, IDC_PARAM_SEND_OPTION, "Email");
    ExpectUsable(page, {true, true, true, false}, "Email");
    Choose(app, page, IDC_PARAM_SEND_OPTION, "FTP");
    ExpectUsable(page, {true, true, true, true}, "FTP");
    Choose(app, page, IDC_PARAM_MODE, "Select Operator");
    ExpectUsable(page, {false, false, true, true}, "FTP, presets");
    Choose(app, page, IDC_PARAM_SEND_OPTION, "MMS");
    ExpectUsable(page, {false, false, true, false}, "MMS, presets");

    // Without remote command 22, MMS needs neither the data connection nor the mailbox.
    g_bNoRemoteCmd22 = 1; // as page 2's check box leaves it
    Choose(app, page, IDC_PARAM_MODE, "Manual Input");
    ExpectUsable(page, {true, false, false, false}, "MMS, no command 22");
    Choose(app, page, IDC_PARAM_SEND_OPTION, "Email");
    ExpectUsable(page, {true, true, true, false}, "Email, no command 22");
    Choose(app, page, IDC_PARAM_SEND_OPTION, "QOR Camera Cloud System");
    ExpectUsable(page, {true, true, false, true}, "cloud, no command 22");
}

TEST(ParamPage, PortAndSimEditsKeepOnlyDigitsAndCloudFieldsKeepTheirLength) {
    App app;
    HWND page = OpenParamPage(app);
    ASSERT_NE(page, nullptr);
    Type(app, page, IDC_PARAM_MMS_PORT, "8a0");
    EXPECT_EQ(Text(page, IDC_PARAM_MMS_PORT), "80");
    Type(app, page, IDC_PARAM_SENDER_PORT, "5x8y7");
    EXPECT_EQ(Text(page, IDC_PARAM_SENDER_PORT), "587");

    Choose(app, page, IDC_PARAM_SEND_OPTION, "FTP");
    Type(app, page, IDC_PARAM_FTP_PORT, "2b1");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_PORT), "21");
    Type(app, page, IDC_PARAM_FTP_USER, "user1");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_USER), "user1");

    // In the cloud layout the port edit holds the App secret and the user edit the SIM number.
    Choose(app, page, IDC_PARAM_SEND_OPTION, "QOR Camera Cloud System");
    Type(app, page, IDC_PARAM_FTP_PORT, "ab12");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_PORT), "ab12");
    Type(app, page, IDC_PARAM_FTP_USER, "13a9+");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_USER), "139");

    // The key and secret edits take 60 characters, the fields 32; the SIM number keeps 15.
    const std::string key(40, 'k');
    Type(app, page, IDC_PARAM_FTP_SERVER, key.c_str());
    Type(app, page, IDC_PARAM_FTP_USER, "12345678901234567");
    NextPage(app, page);
    EXPECT_EQ(FIELD(g_sSendSetSaved.sQorCloudSet.szAppKey), key.substr(0, 32));
    EXPECT_EQ(FIELD(g_sSendSetSaved.sQorCloudSet.szAppSecret), "ab12");
    EXPECT_EQ(FIELD(g_sSendSetSaved.sQorCloudSet.szSimCardNum), "123456789012345");
    EXPECT_EQ(GetParamPageSendOption(), SEND_BY_CLOUD); // read from the hidden page 1
}

// A new user keeps China / China Unicom and picks Email: the 3G data connection comes from the
// presets, masked, and reaches the record with the typed mailbox.
TEST(ParamPage, EmailWithPresetOperatorTakesItsDataConnectionAndMailbox) {
    App app;
    HWND page = OpenParamPage(app);
    ASSERT_NE(page, nullptr);
    Choose(app, page, IDC_PARAM_SEND_OPTION, "Email");
    EXPECT_EQ(Text(page, IDC_PARAM_NET_APN), NetRow(0, 0).apn);
    EXPECT_EQ(PasswordChar(page, IDC_PARAM_NET_APN), L'*');
    EXPECT_EQ(Text(page, IDC_PARAM_MMS_URL), ""); // remote off: the MMS edits are empty

    Type(app, page, IDC_PARAM_SENDER_SERVER, "smtp.example.com");
    Type(app, page, IDC_PARAM_SENDER_PORT, "25");
    Type(app, page, IDC_PARAM_SENDER_ADDRESS, "cam@example.com");
    EXPECT_EQ(Text(page, IDC_PARAM_SENDER_USER), "cam@example.com");
    Type(app, page, IDC_PARAM_SENDER_ADDRESS, ""); // clearing leaves the account as it was
    EXPECT_EQ(Text(page, IDC_PARAM_SENDER_USER), "cam@example.com");
    Type(app, page, IDC_PARAM_SENDER_ADDRESS, "cam@example.org");
    Type(app, page, IDC_PARAM_SENDER_PASSWORD, "pw");
    NextPage(app, page);

    const SmtpSet& smtp = g_sSendSetSaved.sSmtpSet;
    EXPECT_EQ(FIELD(smtp.sz3GSmtpApN), NetRow(0, 0).apn);
    EXPECT_NE(FIELD(smtp.sz3GSmtpApN), "");
    EXPECT_EQ(FIELD(smtp.szServer), "smtp.example.com");
    EXPECT_EQ(smtp.iPort, 25);
    EXPECT_EQ(FIELD(smtp.szAddr), "cam@example.org");
    EXPECT_EQ(FIELD(smtp.szUserName), "cam@example.org");
    EXPECT_EQ(FIELD(smtp.szPassword), "pw");
    EXPECT_NE(app.Trace().find("** szServer:smtp.example.com\n"), std::string::npos);
}

// A stored operator the country does not offer leaves the list without a selection; the
// lookups then read the country's first slot.
TEST(ParamPage, UnofferedStoredOperatorReadsTheFirstSlot) {
    App app(WithCfg([](SendSet& rec) {
        rec.bySendBy = SEND_BY_EMAIL;
        rec.byOperator = 5; // China offers one operator
    }));
    HWND page = OpenParamPage(app);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Selection(page, IDC_PARAM_OPERATOR), -1);
    EXPECT_EQ(Text(page, IDC_PARAM_NET_APN), NetRow(0, 0).apn);
    NextPage(app, page);
    EXPECT_EQ(g_sSendSetSaved.byOperator, 5);
    EXPECT_EQ(FIELD(g_sSendSetSaved.sMmsSet.szUrl), MmsRow(0, 0).url);
}

TEST(ParamPage, CloseBoxKeepsListChoicesButNotTypedText) {
    App app;
    HWND page = OpenParamPage(app);
    ASSERT_NE(page, nullptr);
    Choose(app, page, IDC_PARAM_SEND_OPTION, "Email");
    Choose(app, page, IDC_PARAM_COUNTRY, "Deutschland");
    Choose(app, page, IDC_PARAM_OPERATOR, "T-Mobile");
    Type(app, page, IDC_PARAM_SENDER_SERVER, "smtp.typed");
    app.Close(page);

    HWND main = app.Wait("Setup");
    Choose(app, main, IDC_MAIN_MODEL_LIST, "QOR-7120-3G(BASIC)");
    Click(app, main, IDC_MAIN_3G_SETUP);
    page = app.Wait("3G Parameter Settings");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(g_sSendSet.bySendImgSize, 1); // a basic model sends thumbnails
    EXPECT_EQ(SelectedText(page, IDC_PARAM_SEND_OPTION), "Email");
    EXPECT_EQ(SelectedText(page, IDC_PARAM_COUNTRY), "Deutschland");
    EXPECT_EQ(SelectedText(page, IDC_PARAM_OPERATOR), "T-Mobile");
    EXPECT_EQ(Text(page, IDC_PARAM_SENDER_SERVER), "");
    EXPECT_EQ(Text(page, IDC_PARAM_NET_APN), NetRow(2, 1).apn);
    // The file is read only at the first opening.
    EXPECT_EQ(app.Trace().find("File szie != struct size!"),
              app.Trace().rfind("File szie != struct size!"));
}

// A page that opens in "Close 3G" shows "Select Operator" even for a manual country, so Next
// Page loads the presets of the lists' single "Others" entries: the first row.
TEST(ParamPage, CloseThreeGShowsSelectOperatorWhateverTheStoredCountry) {
    App app(WithCfg([](SendSet& rec) {
        rec.bySendBy = SEND_BY_CLOSE_3G;
        rec.byOperatorCountry = OPERATOR_COUNTRY_MANUAL;
    }));
    HWND page = OpenParamPage(app);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(SelectedText(page, IDC_PARAM_MODE), "Select Operator");
    EXPECT_EQ(Items(page, IDC_PARAM_COUNTRY), std::vector<std::string>{"Others"});
    ExpectMasked(page, false);
    NextPage(app, page);
    EXPECT_EQ(g_sSendSetSaved.byOperatorCountry, OPERATOR_COUNTRY_MANUAL);
    EXPECT_EQ(FIELD(g_sSendSetSaved.sMmsSet.szUrl), MmsRow(0, 0).url);
    EXPECT_EQ(FIELD(g_sSendSetSaved.sSmtpSet.sz3GSmtpApN), NetRow(0, 0).apn);
}

TEST(ParamPage, OpensInChineseOnAChineseSystem) {
    ASSERT_TRUE(SystemIsChinese());
    App app;
    HWND main = app.Wait("设置");
    Click(app, main, IDC_MAIN_3G_SETUP);
    HWND page = app.Wait("3G参数设置");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Items(page, IDC_PARAM_SEND_OPTION),
              (std::vector<std::string>{"关闭3G", "彩信", "邮件", "FTP", "QOR相机云系统"}));
    EXPECT_EQ(Items(page, IDC_PARAM_MODE),
              (std::vector<std::string>{"选择运营商参数", "手动输入"}));
    EXPECT_EQ(SelectedText(page, IDC_PARAM_COUNTRY), "中国");
    EXPECT_EQ(SelectedText(page, IDC_PARAM_OPERATOR), "中国联通");
    EXPECT_EQ(Text(page, IDC_PARAM_SEND_OPTION_LABEL), "3G发送选项");
    EXPECT_EQ(Text(page, IDC_PARAM_MODE_LABEL), "3G参数设置");
    EXPECT_EQ(Text(page, IDC_PARAM_MMS_GROUP), "彩信参数");
    EXPECT_EQ(Text(page, IDC_PARAM_SENDER_GROUP), "发件箱设置");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_DIR_GROUP), "上传到的FTP目录(必须已存在)");
    EXPECT_EQ(Items(page, IDC_PARAM_FTP_DIR_TYPE),
              (std::vector<std::string>{"根目录", "指定目录"}));
    EXPECT_EQ(Text(page, IDC_PARAM_NEXT_PAGE), "下一页");
    EXPECT_EQ(Text(page, IDC_PARAM_NET_APN_LABEL), "APN");

    Choose(app, page, IDC_PARAM_SEND_OPTION, "QOR相机云系统");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_GROUP), "QOR相机云系统参数");
    EXPECT_EQ(Text(page, IDC_PARAM_FTP_USER_LABEL), "SIM卡号码");
    Choose(app, page, IDC_PARAM_MODE, "手动输入");
    EXPECT_EQ(Items(page, IDC_PARAM_COUNTRY), std::vector<std::string>{"其他"});
}

// Seeded random stories: the dialogs and camfile set, given the same user's events, write the
// same CFG.BIN (the decoded records compared, the time stamp aside); and a CFG.BIN camfile set
// wrote, opened in the wizard and generated with nothing touched, comes out byte for byte the same
// (the time stamp aside, in both).
#include "GuiHarness.h"
#include "SendPageSteps.h"

#include "res/resource.h"
#include "sendset/SendSet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

using namespace gui;

namespace {

struct Candidate {
    int id;
    const char* field;      // in the FTP layout of page 1's FTP group, or on page 2
    const char* cloudField; // page 1's FTP group in the cloud layout, or null
    const char* text;
};

const Candidate kPage1Edits[] = {
    {IDC_PARAM_MMS_URL, "sMmsSet.szUrl", nullptr, "http://mms.example"},
    {IDC_PARAM_MMS_APN, "sMmsSet.szApn", nullptr, "mms.apn"},
    {IDC_PARAM_MMS_GATEWAY, "sMmsSet.szGateway", nullptr, "10.0.0.1"},
    {IDC_PARAM_MMS_PORT, "sMmsSet.szPort", nullptr, "80"},
    {IDC_PARAM_NET_APN, "sSmtpSet.sz3GSmtpApN", nullptr, "net.apn"},
    {IDC_PARAM_NET_ACCOUNT, "sSmtpSet.sz3GSmtpAccount", nullptr, "user"},
    {IDC_PARAM_SENDER_SERVER, "sSmtpSet.szServer", nullptr, "smtp.example.com"},
    {IDC_PARAM_SENDER_PORT, "sSmtpSet.iPort", nullptr, "587"},
    {IDC_PARAM_SENDER_ADDRESS, "sSmtpSet.szAddr", nullptr, "cam@example.com"},
    {IDC_PARAM_SENDER_PASSWORD, "sSmtpSet.szPassword", nullptr, "pa55"},
    {IDC_PARAM_FTP_SERVER, "sFtpSet.szServer", "sQorCloudSet.szAppKey", "key.example"},
    {IDC_PARAM_FTP_PORT, "sFtpSet.iPort", "sQorCloudSet.szAppSecret", "2121"},
    {IDC_PARAM_FTP_USER, "sFtpSet.szUserName", "sQorCloudSet.szSimCardNum", "13800138000"},
    {IDC_PARAM_FTP_PASSWORD, "sFtpSet.szPassword", nullptr, "ftppass"},
};

const Candidate kPage2Edits[] = {
    {IDC_SEND_PHONE1, "szRecp[0]", nullptr, "13900139000"},
    {IDC_SEND_EMAIL1, "szRecp[2]", nullptr, "me@example.org"},
    {IDC_SEND_REMOTE_PHONE, "szRemotePhoneNum", nullptr, "13800138000"},
    {IDC_SEND_REMOTE_EMAIL, "szRemoteEmail", nullptr, "remote@example.com"},
};

bool Open(HWND dlg, int id) {
    return Enabled(dlg, id) && Visible(dlg, id);
}

// Types every candidate whose edit is open (and not typed before), half of them at random, and
// gives camfile the same.
void TypeOpenEdits(App& app, HWND dlg, const Candidate* edits, size_t n, bool cloud,
                   std::mt19937& rng, std::vector<int>& typed, std::vector<std::string>& args) {
    for (size_t i = 0; i < n; ++i) {
        const Candidate& c = edits[i];
        if (!Open(dlg, c.id) || rng() % 4 == 0)
            continue;
        bool before = false;
        for (int id : typed)
            before |= id == c.id;
        if (before)
            continue;
        Type(app, dlg, c.id, c.text);
        typed.push_back(c.id);
        args.push_back(std::string(cloud && c.cloudField ? c.cloudField : c.field) + "=" + c.text);
    }
}

bool SameButTime(const std::string& a, const std::string& b) {
    SendSet x = {}, y = {};
    if (!DecodeCfgFile(a, x) || !DecodeCfgFile(b, y))
        return false;
    x.sTime = SendTime{};
    y.sTime = SendTime{};
    return memcmp(&x, &y, sizeof x) == 0;
}

// The user's events, drawn from the seed, through the dialogs; the same events as camfile set's
// assignments. Generate and set --check agree on refusing, and where both write, on the bytes.
void DialogsAndCamfileWriteTheSameFile(int seed) {
    std::mt19937 rng(20261208u + 7919u * static_cast<unsigned>(seed));
    App app;
    std::vector<std::string> args;
    HWND page1 = OpenParamPage(app);
    ASSERT_NE(page1, nullptr);
    const int sendBy = static_cast<int>(rng() % 5);
    Choose(app, page1, IDC_PARAM_SEND_OPTION, sendBy);
    args.push_back("bySendBy=" + std::to_string(sendBy));
    if (sendBy != SEND_BY_CLOSE_3G && rng() % 3 == 0) {
        Choose(app, page1, IDC_PARAM_MODE, 1);
        args.push_back("country=Others");
    } else if (sendBy != SEND_BY_CLOSE_3G && rng() % 2 == 0) {
        const int country = static_cast<int>(rng() % Items(page1, IDC_PARAM_COUNTRY).size());
        Choose(app, page1, IDC_PARAM_COUNTRY, country);
        args.push_back("country=" + std::to_string(country));
        const size_t ops = Items(page1, IDC_PARAM_OPERATOR).size();
        if (ops > 1) {
            const int op = static_cast<int>(rng() % ops);
            Choose(app, page1, IDC_PARAM_OPERATOR, op);
            args.push_back("operator=" + std::to_string(op));
        }
    }
    const bool cloud = sendBy == SEND_BY_CLOUD;
    std::vector<int> typed;
    TypeOpenEdits(app, page1, kPage1Edits, std::size(kPage1Edits), cloud, rng, typed, args);
    HWND page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    if (Open(page2, IDC_SEND_REMOTE_INTERVAL) && rng() % 2 == 0) {
        const int item = 1 + static_cast<int>(rng() % 25);
        Choose(app, page2, IDC_SEND_REMOTE_INTERVAL, item);
        args.push_back("byRemoteInterval=" + std::to_string(item - 1));
        if (rng() % 2 == 0) { // back to page 1 for the edits remote control opens there
            page1 = PreviousPage(app, page2);
            ASSERT_NE(page1, nullptr);
            TypeOpenEdits(app, page1, kPage1Edits, std::size(kPage1Edits), cloud, rng, typed, args);
            page2 = NextPage(app, page1);
            ASSERT_NE(page2, nullptr);
        }
    }
    std::vector<int> typed2;
    TypeOpenEdits(app, page2, kPage2Edits, std::size(kPage2Edits), false, rng, typed2, args);
    if (Open(page2, IDC_SEND_MODE) && rng() % 3 == 0) {
        Choose(app, page2, IDC_SEND_MODE, 1);
        const int hour = static_cast<int>(rng() % 24);
        Choose(app, page2, IDC_SEND_DAILY_TIME, hour);
        args.push_back("bySendMode=1");
        args.push_back("byDailySendTime=" + std::to_string(hour));
    }
    Click(app, page2, IDC_SEND_GENERATE);
    MessageBoxInfo box = WaitMessageBox(app);
    ASSERT_NE(box.wnd, nullptr);
    const bool dialogsWrote = box.infoIcon;
    DismissMessageBox(app, box);

    CreateDirectoryA((app.Folder() + "\\camfile").c_str(), nullptr);
    const std::string cli = app.Folder() + "\\camfile\\CFG.BIN";
    std::vector<std::string> run = {"set", "--new", "--check", cli};
    run.insert(run.end(), args.begin(), args.end());
    const CamfileRun r = RunCamfile(run, app.Folder() + "\\camfile.txt");
    std::string said;
    for (const std::string& a : args)
        said += " \"" + a + "\"";
    ASSERT_EQ(r.status, dialogsWrote ? 0 : 1) << said << "\n" << r.out;
    if (dialogsWrote) {
        EXPECT_TRUE(SameButTime(app.FilePath("CFG.BIN"), cli)) << said;
    }
}

// camfile set from assignments drawn from the seed (a refused draw is drawn again); the wizard
// opened on the card, "Next Page" and "Generate" with nothing touched writes the same file.
void WizardWritesWhatCamfileWroteAgain(int seed) {
    // What each send option needs to pass the checks, and what may come on top.
    static const std::vector<std::vector<const char*>> kNeeds = {
        {"bySendBy=0"},
        {"bySendBy=1", "szRecp[0]=13900139000"},
        {"bySendBy=2", "szRecp[2]=me@example.org", "sSmtpSet.szServer=smtp.example.com",
         "sSmtpSet.iPort=587", "sSmtpSet.szAddr=cam@example.com", "sSmtpSet.szPassword=pa55"},
        {"bySendBy=3", "sFtpSet.szServer=ftp.example.com", "sFtpSet.szUserName=cam",
         "sFtpSet.szPassword=ftppass"},
        {"bySendBy=4", "sQorCloudSet.szAppKey=key", "sQorCloudSet.szSimCardNum=13800138000"},
    };
    static const char* const kExtras[] = {
        "country=3",
        "country=17",
        "country=Others",
        "operator=1",
        "sSmtpSet.sz3GSmtpApN=net.apn",
        "sMmsSet.szUrl=http://mms.example",
        "sMmsSet.szApn=mms.apn",
        "sMmsSet.szGateway=10.0.0.1",
        "sFtpSet.iFtpDirType=1",
        "sFtpSet.szFtpDir=/cams",
        "sQorCloudSet.szAppSecret=secret",
        "byRemoteInterval=3",
        "byRemoteInterval=24",
        "szRemotePhoneNum=13800138000",
        "szRemoteEmail=remote@example.com",
        "bySendMode=1",
        "byDailySendTime=7",
        "uwMaxSendImgNum=20",
        "sLongitude.byDeg=120",
    };
    std::mt19937 rng(8122026u + 104729u * static_cast<unsigned>(seed));
    std::vector<std::string> args;
    std::vector<uint8_t> made;
    App app([&](const std::string& folder) {
        for (int tries = 0; tries < 30 && made.empty(); ++tries) {
            args = {"set", "--new", "--check", folder + "\\CFG.BIN"};
            for (const char* a : kNeeds[rng() % kNeeds.size()])
                args.push_back(a);
            for (int n = static_cast<int>(rng() % 5); n > 0; --n)
                args.push_back(kExtras[rng() % std::size(kExtras)]);
            if (RunCamfile(args).status == 0)
                made = ReadFileBytes(folder + "\\CFG.BIN");
        }
    });
    ASSERT_FALSE(made.empty()) << "camfile refused every draw";
    std::string said;
    for (size_t i = 4; i < args.size(); ++i)
        said += " \"" + args[i] + "\"";
    SCOPED_TRACE(said);
    const std::string before = app.Folder() + "\\before.bin";
    WriteFileBytes(before, made);
    HWND page1 = OpenParamPage(app);
    ASSERT_NE(page1, nullptr);
    HWND page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    Click(app, page2, IDC_SEND_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    EXPECT_TRUE(SameButTime(before, app.FilePath("CFG.BIN")));
}

} // namespace

// One process runs one program session (the pages keep their state for the whole run), so each
// seed is a test of its own.
// clang-format off
TEST(SeededParity, Dialogs00) { DialogsAndCamfileWriteTheSameFile(0); }
TEST(SeededParity, Dialogs01) { DialogsAndCamfileWriteTheSameFile(1); }
TEST(SeededParity, Dialogs02) { DialogsAndCamfileWriteTheSameFile(2); }
TEST(SeededParity, Dialogs03) { DialogsAndCamfileWriteTheSameFile(3); }
TEST(SeededParity, Dialogs04) { DialogsAndCamfileWriteTheSameFile(4); }
TEST(SeededParity, Dialogs05) { DialogsAndCamfileWriteTheSameFile(5); }
TEST(SeededParity, Dialogs06) { DialogsAndCamfileWriteTheSameFile(6); }
TEST(SeededParity, Dialogs07) { DialogsAndCamfileWriteTheSameFile(7); }
TEST(SeededParity, Dialogs08) { DialogsAndCamfileWriteTheSameFile(8); }
TEST(SeededParity, Dialogs09) { DialogsAndCamfileWriteTheSameFile(9); }
TEST(SeededParity, Dialogs10) { DialogsAndCamfileWriteTheSameFile(10); }
TEST(SeededParity, Dialogs11) { DialogsAndCamfileWriteTheSameFile(11); }
TEST(SeededParity, Dialogs12) { DialogsAndCamfileWriteTheSameFile(12); }
TEST(SeededParity, Dialogs13) { DialogsAndCamfileWriteTheSameFile(13); }
TEST(SeededParity, Dialogs14) { DialogsAndCamfileWriteTheSameFile(14); }
TEST(SeededParity, Dialogs15) { DialogsAndCamfileWriteTheSameFile(15); }
TEST(SeededParity, Dialogs16) { DialogsAndCamfileWriteTheSameFile(16); }
TEST(SeededParity, Dialogs17) { DialogsAndCamfileWriteTheSameFile(17); }
TEST(SeededParity, Dialogs18) { DialogsAndCamfileWriteTheSameFile(18); }
TEST(SeededParity, Dialogs19) { DialogsAndCamfileWriteTheSameFile(19); }
TEST(SeededParity, CamfileFile00) { WizardWritesWhatCamfileWroteAgain(0); }
TEST(SeededParity, CamfileFile01) { WizardWritesWhatCamfileWroteAgain(1); }
TEST(SeededParity, CamfileFile02) { WizardWritesWhatCamfileWroteAgain(2); }
TEST(SeededParity, CamfileFile03) { WizardWritesWhatCamfileWroteAgain(3); }
TEST(SeededParity, CamfileFile04) { WizardWritesWhatCamfileWroteAgain(4); }
TEST(SeededParity, CamfileFile05) { WizardWritesWhatCamfileWroteAgain(5); }
TEST(SeededParity, CamfileFile06) { WizardWritesWhatCamfileWroteAgain(6); }
TEST(SeededParity, CamfileFile07) { WizardWritesWhatCamfileWroteAgain(7); }
TEST(SeededParity, CamfileFile08) { WizardWritesWhatCamfileWroteAgain(8); }
TEST(SeededParity, CamfileFile09) { WizardWritesWhatCamfileWroteAgain(9); }
TEST(SeededParity, CamfileFile10) { WizardWritesWhatCamfileWroteAgain(10); }
TEST(SeededParity, CamfileFile11) { WizardWritesWhatCamfileWroteAgain(11); }
TEST(SeededParity, CamfileFile12) { WizardWritesWhatCamfileWroteAgain(12); }
TEST(SeededParity, CamfileFile13) { WizardWritesWhatCamfileWroteAgain(13); }
TEST(SeededParity, CamfileFile14) { WizardWritesWhatCamfileWroteAgain(14); }
TEST(SeededParity, CamfileFile15) { WizardWritesWhatCamfileWroteAgain(15); }
TEST(SeededParity, CamfileFile16) { WizardWritesWhatCamfileWroteAgain(16); }
TEST(SeededParity, CamfileFile17) { WizardWritesWhatCamfileWroteAgain(17); }
TEST(SeededParity, CamfileFile18) { WizardWritesWhatCamfileWroteAgain(18); }
TEST(SeededParity, CamfileFile19) { WizardWritesWhatCamfileWroteAgain(19); }
// clang-format on

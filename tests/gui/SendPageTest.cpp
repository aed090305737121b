#include "GuiHarness.h"
#include "SendPageSteps.h"

#include "common/SavePath.h"
#include "res/resource.h"
#include "sendset/SendSet.h"
#include "wizard/WizardWin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace gui;

namespace {

const int kRecipientEdits[] = {IDC_SEND_PHONE1, IDC_SEND_PHONE2, IDC_SEND_EMAIL1, IDC_SEND_EMAIL2};
const int kCoordinateInputs[] = {
    IDC_SEND_LONGITUDE_DIR, IDC_SEND_LONGITUDE_DEG, IDC_SEND_LONGITUDE_MIN, IDC_SEND_LONGITUDE_SEC,
    IDC_SEND_LATITUDE_DIR,  IDC_SEND_LATITUDE_DEG,  IDC_SEND_LATITUDE_MIN,  IDC_SEND_LATITUDE_SEC};
const int kCoordinateLabels[] = {IDC_SEND_COORDINATE_GROUP, IDC_SEND_DIRECTION_LABEL,
                                 IDC_SEND_DEGREE_LABEL,     IDC_SEND_MINUTE_LABEL,
                                 IDC_SEND_SECOND_LABEL,     IDC_SEND_LONGITUDE_LABEL,
                                 IDC_SEND_LATITUDE_LABEL};

struct Label {
    int id;
    const char* text;
};

const Label kEnglishLabels[] = {
    {IDC_SEND_DESTINATION_GROUP, "To Destination"},
    {IDC_SEND_PHONE1_LABEL, "Phone Number 1"},
    {IDC_SEND_PHONE2_LABEL, "Phone Number 2"},
    {IDC_SEND_EMAIL1_LABEL, "Email Address1"},
    {IDC_SEND_EMAIL2_LABEL, "Email Address2"},
    {IDC_SEND_COORDINATE_GROUP, "Coordinate"},
    {IDC_SEND_DIRECTION_LABEL, "Direction"},
    {IDC_SEND_DEGREE_LABEL, "Degree"},
    {IDC_SEND_MINUTE_LABEL, "Minute"},
    {IDC_SEND_SECOND_LABEL, "Second"},
    {IDC_SEND_LONGITUDE_LABEL, "Longitude"},
    {IDC_SEND_LATITUDE_LABEL, "Latitude"},
    {IDC_SEND_IMAGE_SIZE_LABEL, "Send Image Size"},
    {IDC_SEND_MAX_NUM_LABEL, "Max Sent Num"},
    {IDC_SEND_PER_DAY_LABEL, "/Day"},
    {IDC_SEND_MODE_GROUP, "Send Mode"},
    {IDC_SEND_MODE_LABEL, "3G Send Mode"},
    {IDC_SEND_DAILY_TIME_LABEL, "Daily Send Time"},
    {IDC_SEND_REMOTE_GROUP, "Remote Control"},
    {IDC_SEND_REMOTE_INTERVAL_LABEL, "Remote Interval"},
    {IDC_SEND_NO_REMOTE_CMD22, "Do not use remote command - 22"},
    {IDC_SEND_REMOTE_PHONE_LABEL, "Remote Phone Number"},
    {IDC_SEND_REMOTE_EMAIL_LABEL, "Remote Receiver Email"},
    {IDC_SEND_REMOTE_PHONE_NOTE, "^ Remote control, receiving 60 command photos."},
    {IDC_SEND_REMOTE_EMAIL_NOTE, "^ Receives the file requested by the 22 command."},
    {IDC_SEND_SAVE_PATH_GROUP, "Save Path"},
    {IDC_SEND_BROWSE, "Browse"},
    {IDC_SEND_PREVIOUS_PAGE, "Previous Page"},
    {IDC_SEND_GENERATE, "Generate"},
};

// The controls that take the focus with Tab, in the order they take it.
std::vector<int> TabStops(HWND page) {
    std::vector<int> ids;
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP)
            ids.push_back(GetDlgCtrlID(child));
    }
    return ids;
}

void ExpectRemoteDetails(HWND page, bool phoneAndBox, bool email) {
    EXPECT_EQ(Enabled(page, IDC_SEND_REMOTE_PHONE), phoneAndBox);
    EXPECT_EQ(Enabled(page, IDC_SEND_NO_REMOTE_CMD22), phoneAndBox);
    EXPECT_EQ(Enabled(page, IDC_SEND_REMOTE_EMAIL), email);
}

void ExpectCoordinateInputs(HWND page, bool shown) {
    for (int id : kCoordinateInputs) {
        EXPECT_EQ(Visible(page, id), shown) << id;
        EXPECT_EQ(Enabled(page, id), shown) << id;
    }
    for (int id : kCoordinateLabels)
        EXPECT_TRUE(Visible(page, id)) << id;
}

// Types a value, expects exactly one range warning and the corrected text.
void ExpectClamped(App& app, HWND page, int id, const char* typed, const char* shown) {
    SCOPED_TRACE(std::string("typed ") + typed);
    Type(app, page, id, typed);
    MessageBoxInfo box = WaitMessageBox(app);
    EXPECT_EQ(box.caption, "Warning");
    EXPECT_EQ(box.text, "The input is out of range!");
    EXPECT_TRUE(box.warningIcon);
    DismissMessageBox(app, box);
    EXPECT_FALSE(MessageBoxShown(app)) << "a second warning";
    EXPECT_EQ(Text(page, id), shown);
}

void ExpectAccepted(App& app, HWND page, int id, const char* typed) {
    Type(app, page, id, typed);
    EXPECT_FALSE(MessageBoxShown(app)) << typed;
    EXPECT_EQ(Text(page, id), typed);
}

// Selects an edit's whole text and presses keys there, as a user does ('\b' is Backspace).
void SelectAndPress(App& app, HWND dlg, int id, const char* keys) {
    HWND edit = GetDlgItem(dlg, id);
    OnUiThread(app, [edit] { SendMessageW(edit, EM_SETSEL, 0, -1); });
    for (const char* k = keys; *k != '\0'; ++k)
        PostMessageW(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*k)), 0);
    app.Settle();
}

} // namespace

TEST(SendPage, OpensForMmsInEnglish) {
    App app;
    HWND page = OpenSendPage(app);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Caption(page), "3G Send Settings");
    for (const Label& label : kEnglishLabels)
        EXPECT_EQ(Text(page, label.id), label.text) << label.id;
    EXPECT_EQ(Text(page, IDC_SEND_PHONE_FRAME), "");
    EXPECT_FALSE(Enabled(page, IDC_SEND_REMOTE_PHONE_NOTE));
    EXPECT_FALSE(Enabled(page, IDC_SEND_REMOTE_EMAIL_NOTE));

    EXPECT_EQ(Items(page, IDC_SEND_LONGITUDE_DIR), (std::vector<std::string>{"E", "W"}));
    EXPECT_EQ(Items(page, IDC_SEND_LATITUDE_DIR), (std::vector<std::string>{"N", "S"}));
    EXPECT_EQ(Items(page, IDC_SEND_IMAGE_SIZE),
              (std::vector<std::string>{"Full Image", "Thumbnail"}));
    EXPECT_EQ(Items(page, IDC_SEND_MODE),
              (std::vector<std::string>{"Send Immediately", "Daily Send"}));
    const std::vector<std::string> hours = Items(page, IDC_SEND_DAILY_TIME);
    ASSERT_EQ(hours.size(), 24u);
    EXPECT_EQ(hours[0], "00 o'clock");
    EXPECT_EQ(hours[23], "23 o'clock");
    const std::vector<std::string> intervals = Items(page, IDC_SEND_REMOTE_INTERVAL);
    ASSERT_EQ(intervals.size(), 26u);
    EXPECT_EQ(intervals[0], "Remote Off");
    EXPECT_EQ(intervals[1], "10 Minutes");
    EXPECT_EQ(intervals[2], "01 Hours");
    EXPECT_EQ(intervals[25], "24 Hours");

    // The default record: MMS, 49 a day, remote control off, sent at once.
    for (int id : kRecipientEdits)
        EXPECT_TRUE(Enabled(page, id)) << id;
    EXPECT_EQ(SelectedText(page, IDC_SEND_IMAGE_SIZE), "Thumbnail");
    EXPECT_FALSE(Enabled(page, IDC_SEND_IMAGE_SIZE));
    EXPECT_EQ(Text(page, IDC_SEND_MAX_NUM), "49");
    EXPECT_EQ(SelectedText(page, IDC_SEND_MODE), "Send Immediately");
    EXPECT_EQ(SelectedText(page, IDC_SEND_DAILY_TIME), "00 o'clock");
    EXPECT_FALSE(Enabled(page, IDC_SEND_DAILY_TIME));
    EXPECT_EQ(SelectedText(page, IDC_SEND_REMOTE_INTERVAL), "Remote Off");
    EXPECT_TRUE(Enabled(page, IDC_SEND_REMOTE_INTERVAL));
    ExpectRemoteDetails(page, false, false);
    EXPECT_FALSE(Checked(page, IDC_SEND_NO_REMOTE_CMD22));
    ExpectCoordinateInputs(page, false);
    EXPECT_EQ(Text(page, IDC_SEND_SAVE_PATH), app.Folder());

    EXPECT_EQ(TextLimit(page, IDC_SEND_PHONE1), 15);
    EXPECT_EQ(TextLimit(page, IDC_SEND_REMOTE_PHONE), 15);
    EXPECT_EQ(TextLimit(page, IDC_SEND_EMAIL2), 48);
    EXPECT_EQ(TextLimit(page, IDC_SEND_REMOTE_EMAIL), 48);
    EXPECT_EQ(TextLimit(page, IDC_SEND_LONGITUDE_DEG), 3);
    EXPECT_EQ(TextLimit(page, IDC_SEND_LATITUDE_DEG), 2);
    EXPECT_EQ(TextLimit(page, IDC_SEND_LATITUDE_SEC), 2);
    EXPECT_EQ(TextLimit(page, IDC_SEND_MAX_NUM), 4);
    EXPECT_EQ(TextLimit(page, IDC_SEND_SAVE_PATH), 32);
    EXPECT_EQ(TabStops(page),
              (std::vector<int>{
                  IDC_SEND_NO_REMOTE_CMD22, IDC_SEND_PHONE1, IDC_SEND_PHONE2, IDC_SEND_EMAIL1,
                  IDC_SEND_EMAIL2, IDC_SEND_MAX_NUM, IDC_SEND_REMOTE_EMAIL, IDC_SEND_REMOTE_PHONE,
                  IDC_SEND_BROWSE, IDC_SEND_SAVE_PATH, IDC_SEND_PREVIOUS_PAGE, IDC_SEND_GENERATE,
                  IDC_SEND_LONGITUDE_DEG, IDC_SEND_LONGITUDE_MIN, IDC_SEND_LONGITUDE_SEC,
                  IDC_SEND_LATITUDE_DEG, IDC_SEND_LATITUDE_MIN, IDC_SEND_LATITUDE_SEC}));
    for (int id : {IDC_SEND_BROWSE, IDC_SEND_PREVIOUS_PAGE, IDC_SEND_GENERATE})
        EXPECT_EQ(GetWindowLongW(GetDlgItem(page, id), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);

    const std::string trace = app.Trace();
    EXPECT_NE(trace.find(":: uwMaxSendImgNum=49, Edit txt:49\n"), std::string::npos);
    EXPECT_NE(trace.find(":: byDailySendTime = 0, bySendMode = 0\n"), std::string::npos);

    Command(app, page, IDOK);
    Command(app, page, IDCANCEL);
    EXPECT_EQ(app.Visible(), page);
}

TEST(SendPage, ShowsItsTextsInChineseOnAChineseSystem) {
    App app;
    HWND page = OpenSendPage(app);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Caption(page), "3G发送设置");
    EXPECT_EQ(Text(page, IDC_SEND_DESTINATION_GROUP), "发往目的地");
    EXPECT_EQ(Text(page, IDC_SEND_NO_REMOTE_CMD22), "不使用遥控命令 - 22");
    EXPECT_EQ(Text(page, IDC_SEND_REMOTE_PHONE_NOTE), "^ 遥控，接收60命令拍的照片。");
    EXPECT_EQ(Text(page, IDC_SEND_PER_DAY_LABEL), "/天");
    EXPECT_EQ(Text(page, IDC_SEND_GENERATE), "生成配置");
    EXPECT_EQ(Items(page, IDC_SEND_LONGITUDE_DIR), (std::vector<std::string>{"东", "西"}));
    EXPECT_EQ(Items(page, IDC_SEND_LATITUDE_DIR), (std::vector<std::string>{"北", "南"}));
    EXPECT_EQ(Items(page, IDC_SEND_IMAGE_SIZE), (std::vector<std::string>{"大图", "小图"}));
    EXPECT_EQ(Items(page, IDC_SEND_MODE), (std::vector<std::string>{"立即发送", "每天集中发送"}));
    EXPECT_EQ(Items(page, IDC_SEND_DAILY_TIME)[9], "09点钟");
    const std::vector<std::string> intervals = Items(page, IDC_SEND_REMOTE_INTERVAL);
    ASSERT_EQ(intervals.size(), 26u);
    EXPECT_EQ(intervals[0], "关闭遥控");
    EXPECT_EQ(intervals[1], "10分钟");
    EXPECT_EQ(intervals[25], "24小时");
}

TEST(SendPage, EnablingFollowsTheSendMethod) {
    App app;
    HWND page = OpenSendPage(app, "Close 3G");
    ASSERT_NE(page, nullptr);
    {
        SCOPED_TRACE("Close 3G");
        for (int id : kRecipientEdits)
            EXPECT_FALSE(Enabled(page, id)) << id;
        for (int id : {IDC_SEND_IMAGE_SIZE, IDC_SEND_MAX_NUM, IDC_SEND_MODE, IDC_SEND_DAILY_TIME,
                       IDC_SEND_REMOTE_INTERVAL})
            EXPECT_FALSE(Enabled(page, id)) << id;
        EXPECT_EQ(SelectedText(page, IDC_SEND_REMOTE_INTERVAL), "Remote Off");
        ExpectRemoteDetails(page, false, false);
        ExpectCoordinateInputs(page, false);
        for (int id : {IDC_SEND_BROWSE, IDC_SEND_PREVIOUS_PAGE, IDC_SEND_GENERATE})
            EXPECT_TRUE(Enabled(page, id)) << id;
    }

    struct Case {
        const char* option;
        bool phones, emails, coordinates;
    };
    const Case cases[] = {{"Email", false, true, false},
                          {"FTP", false, false, false},
                          {"QOR Camera Cloud System", false, false, true},
                          {"MMS", true, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        HWND page1 = PreviousPage(app, page);
        ASSERT_NE(page1, nullptr);
        Choose(app, page1, IDC_PARAM_SEND_OPTION, c.option);
        page = NextPage(app, page1);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(Enabled(page, IDC_SEND_PHONE1), c.phones);
        EXPECT_EQ(Enabled(page, IDC_SEND_PHONE2), c.phones);
        EXPECT_EQ(Enabled(page, IDC_SEND_EMAIL1), c.emails);
        EXPECT_EQ(Enabled(page, IDC_SEND_EMAIL2), c.emails);
        const bool mms = std::string(c.option) == "MMS";
        EXPECT_EQ(Enabled(page, IDC_SEND_IMAGE_SIZE), !mms);
        ExpectCoordinateInputs(page, c.coordinates);
        for (int id : {IDC_SEND_MAX_NUM, IDC_SEND_MODE, IDC_SEND_REMOTE_INTERVAL})
            EXPECT_TRUE(Enabled(page, id)) << id;
    }
}

TEST(SendPage, BasicModelsCannotChangeTheImageSize) {
    App app;
    HWND page = OpenSendPage(app, "Email", "QOR-7450-3G(BASIC)");
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(Enabled(page, IDC_SEND_IMAGE_SIZE));
    EXPECT_EQ(SelectedText(page, IDC_SEND_IMAGE_SIZE), "Thumbnail");
}

TEST(SendPage, CoordinatesAreHeldWithinTheirRangesWithOneWarningEach) {
    App app;
    HWND page = OpenSendPage(app, "QOR Camera Cloud System");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Text(page, IDC_SEND_LONGITUDE_DEG), "0");
    EXPECT_EQ(SelectedText(page, IDC_SEND_LONGITUDE_DIR), "E");

    // Longitude: 180 degrees only with 0 minutes and 0 seconds.
    ExpectClamped(app, page, IDC_SEND_LONGITUDE_DEG, "181", "180");
    ExpectClamped(app, page, IDC_SEND_LONGITUDE_MIN, "5", "0");
    ExpectClamped(app, page, IDC_SEND_LONGITUDE_SEC, "7", "0");
    ExpectAccepted(app, page, IDC_SEND_LONGITUDE_DEG, "100");
    ExpectAccepted(app, page, IDC_SEND_LONGITUDE_MIN, "30");
    ExpectClamped(app, page, IDC_SEND_LONGITUDE_DEG, "181", "179");
    ExpectAccepted(app, page, IDC_SEND_LONGITUDE_MIN, "0");
    ExpectAccepted(app, page, IDC_SEND_LONGITUDE_SEC, "1");
    ExpectClamped(app, page, IDC_SEND_LONGITUDE_DEG, "180", "179");
    ExpectClamped(app, page, IDC_SEND_LONGITUDE_SEC, "60", "59");
    EXPECT_NE(app.Trace().find("iMin = 0, uwMaxVal = 1\n"), std::string::npos);

    // Latitude: 90 degrees only with 0 minutes and 0 seconds.
    ExpectClamped(app, page, IDC_SEND_LATITUDE_DEG, "91", "90");
    ExpectClamped(app, page, IDC_SEND_LATITUDE_MIN, "1", "0");
    ExpectClamped(app, page, IDC_SEND_LATITUDE_SEC, "1", "0");
    ExpectAccepted(app, page, IDC_SEND_LATITUDE_DEG, "45");
    ExpectAccepted(app, page, IDC_SEND_LATITUDE_SEC, "9");
    ExpectClamped(app, page, IDC_SEND_LATITUDE_DEG, "91", "89");
    ExpectClamped(app, page, IDC_SEND_LATITUDE_MIN, "99", "59");

    // An emptied edit shows 0 at once, silently; the other edits keep their text.
    Type(app, page, IDC_SEND_LATITUDE_MIN, "");
    EXPECT_FALSE(MessageBoxShown(app));
    EXPECT_EQ(Text(page, IDC_SEND_LATITUDE_MIN), "0");
    EXPECT_EQ(Text(page, IDC_SEND_LATITUDE_DEG), "89");
    EXPECT_EQ(Text(page, IDC_SEND_LATITUDE_SEC), "9");
    EXPECT_EQ(Text(page, IDC_SEND_LONGITUDE_SEC), "59");

    // The 0 an emptied edit shows is replaced by the keys typed next.
    const struct {
        int id;
        const char* keys;
        const char* shown;
    } retyped[] = {{IDC_SEND_LATITUDE_DEG, "\b12", "12"}, {IDC_SEND_LATITUDE_MIN, "\b6", "6"}};
    for (const auto& r : retyped) {
        SelectAndPress(app, page, r.id, r.keys);
        EXPECT_FALSE(MessageBoxShown(app)) << r.shown;
        EXPECT_EQ(Text(page, r.id), r.shown);
    }
}

TEST(SendPage, PhoneAndMaximumEditsDropOtherCharacters) {
    App app;
    HWND page = OpenSendPage(app);
    ASSERT_NE(page, nullptr);
    Type(app, page, IDC_SEND_PHONE1, "12a+34");
    EXPECT_EQ(Text(page, IDC_SEND_PHONE1), "12+34");
    Type(app, page, IDC_SEND_PHONE2, "+44 (0)7");
    EXPECT_EQ(Text(page, IDC_SEND_PHONE2), "+4407");
    Type(app, page, IDC_SEND_REMOTE_PHONE, "9x9");
    EXPECT_EQ(Text(page, IDC_SEND_REMOTE_PHONE), "99");
    Type(app, page, IDC_SEND_MAX_NUM, "1a23");
    EXPECT_EQ(Text(page, IDC_SEND_MAX_NUM), "123");
    Type(app, page, IDC_SEND_MAX_NUM, "+5");
    EXPECT_EQ(Text(page, IDC_SEND_MAX_NUM), "5");
    // E-mail edits take anything; Generate checks them.
    Type(app, page, IDC_SEND_EMAIL1, "not an address!");
    EXPECT_EQ(Text(page, IDC_SEND_EMAIL1), "not an address!");
    EXPECT_FALSE(MessageBoxShown(app));
}

TEST(SendPage, RemoteIntervalAndCommand22EnableTheRemoteDetails) {
    App app;
    HWND page = OpenSendPage(app);
    ASSERT_NE(page, nullptr);
    Choose(app, page, IDC_SEND_REMOTE_INTERVAL, "10 Minutes");
    ExpectRemoteDetails(page, true, true);
    SetCheck(app, page, IDC_SEND_NO_REMOTE_CMD22, true);
    ExpectRemoteDetails(page, true, false);
    EXPECT_EQ(g_bNoRemoteCmd22, 1);
    Choose(app, page, IDC_SEND_REMOTE_INTERVAL, "Remote Off");
    ExpectRemoteDetails(page, false, false);
    Choose(app, page, IDC_SEND_REMOTE_INTERVAL, "05 Hours");
    ExpectRemoteDetails(page, true, false);

    // The check box keeps its state when the page opens again.
    page = PreviousThenNext(app, page);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(Checked(page, IDC_SEND_NO_REMOTE_CMD22));
    EXPECT_EQ(SelectedText(page, IDC_SEND_REMOTE_INTERVAL), "05 Hours");
    ExpectRemoteDetails(page, true, false);
    SetCheck(app, page, IDC_SEND_NO_REMOTE_CMD22, false);
    ExpectRemoteDetails(page, true, true);
    EXPECT_EQ(g_bNoRemoteCmd22, 0);

    // Leaving the remote e-mail edit stores at most 47 characters of it.
    const std::string address = "remote.receiver.mailbox@camera.example.org.uk.xy"; // 48 characters
    ASSERT_EQ(address.size(), 48u);
    Type(app, page, IDC_SEND_REMOTE_EMAIL, address.c_str());
    app.ClearTrace();
    LeaveEdit(app, page, IDC_SEND_REMOTE_EMAIL);
    EXPECT_EQ(FieldText(g_sSendSet.szRemoteEmail, sizeof g_sSendSet.szRemoteEmail),
              address.substr(0, 47));
    EXPECT_EQ(app.Trace(), "# EN_KILLFOCUS, szRemoteEmail:" + address.substr(0, 47) + "\n");
}

TEST(SendPage, StoredDailyTime24AndRemoteInterval25ShowTheFirstItems) {
    App app(WithCfg([](SendSet& rec) {
        rec.bySendBy = SEND_BY_EMAIL;
        rec.bySendMode = 1;
        rec.byDailySendTime = 24;
        rec.byRemoteInterval = 25;
    }));
    HWND page = OpenSendPage(app);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(SelectedText(page, IDC_SEND_DAILY_TIME), "00 o'clock");
    EXPECT_EQ(g_sSendSet.byDailySendTime, 0);
    EXPECT_EQ(SelectedText(page, IDC_SEND_REMOTE_INTERVAL), "Remote Off");
    ExpectRemoteDetails(page, false, false);
    EXPECT_EQ(SelectedText(page, IDC_SEND_MODE), "Daily Send");
    EXPECT_TRUE(Enabled(page, IDC_SEND_DAILY_TIME));
    EXPECT_NE(app.Trace().find(":: byDailySendTime = 24, bySendMode = 1\n"), std::string::npos);

    Choose(app, page, IDC_SEND_MODE, "Send Immediately");
    EXPECT_FALSE(Enabled(page, IDC_SEND_DAILY_TIME));
    Choose(app, page, IDC_SEND_MODE, "Daily Send");
    EXPECT_TRUE(Enabled(page, IDC_SEND_DAILY_TIME));
    Choose(app, page, IDC_SEND_DAILY_TIME, "17 o'clock");
    EXPECT_EQ(g_sSendSet.byDailySendTime, 17);
}

TEST(SendPage, PreviousPageKeepsEveryEntryForTheNextVisit) {
    App app;
    HWND page = OpenSendPage(app);
    ASSERT_NE(page, nullptr);
    Type(app, page, IDC_SEND_PHONE1, "+447700900123");
    Type(app, page, IDC_SEND_PHONE2, "0123");
    Type(app, page, IDC_SEND_EMAIL1, "a@b.c");
    Type(app, page, IDC_SEND_EMAIL2, "d@e.f");
    Type(app, page, IDC_SEND_MAX_NUM, "120");
    Choose(app, page, IDC_SEND_MODE, "Daily Send");
    Choose(app, page, IDC_SEND_DAILY_TIME, "05 o'clock");
    Choose(app, page, IDC_SEND_REMOTE_INTERVAL, "02 Hours");
    Type(app, page, IDC_SEND_REMOTE_PHONE, "+4412345");
    Type(app, page, IDC_SEND_REMOTE_EMAIL, "r@e.org");

    page = PreviousThenNext(app, page);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Text(page, IDC_SEND_PHONE1), "+447700900123");
    EXPECT_EQ(Text(page, IDC_SEND_PHONE2), "0123");
    EXPECT_EQ(Text(page, IDC_SEND_EMAIL1), "a@b.c");
    EXPECT_EQ(Text(page, IDC_SEND_EMAIL2), "d@e.f");
    EXPECT_EQ(Text(page, IDC_SEND_MAX_NUM), "120");
    EXPECT_EQ(SelectedText(page, IDC_SEND_MODE), "Daily Send");
    EXPECT_EQ(SelectedText(page, IDC_SEND_DAILY_TIME), "05 o'clock");
    EXPECT_EQ(SelectedText(page, IDC_SEND_REMOTE_INTERVAL), "02 Hours");
    EXPECT_EQ(Text(page, IDC_SEND_REMOTE_PHONE), "+4412345");
    EXPECT_EQ(Text(page, IDC_SEND_REMOTE_EMAIL), "r@e.org");
    ExpectRemoteDetails(page, true, true);
    EXPECT_EQ(g_sSendSetSaved.uwRecpLen[0], 13);
    EXPECT_EQ(g_sSendSetSaved.byRemoteInterval, 2); // "02 Hours"
    EXPECT_EQ(g_sSendSetSaved.byRemoteSwitch, 1);
}

TEST(SendPage, PreviousPageKeepsTheCoordinatesAndImageSize) {
    App app;
    HWND page = OpenSendPage(app, "QOR Camera Cloud System");
    ASSERT_NE(page, nullptr);
    Choose(app, page, IDC_SEND_IMAGE_SIZE, "Thumbnail");
    Choose(app, page, IDC_SEND_LONGITUDE_DIR, "W");
    Type(app, page, IDC_SEND_LONGITUDE_DEG, "120");
    Type(app, page, IDC_SEND_LONGITUDE_MIN, "30");
    Type(app, page, IDC_SEND_LONGITUDE_SEC, "15");
    Choose(app, page, IDC_SEND_LATITUDE_DIR, "S");
    Type(app, page, IDC_SEND_LATITUDE_DEG, "33");
    Type(app, page, IDC_SEND_LATITUDE_MIN, "51");

    page = PreviousThenNext(app, page);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(SelectedText(page, IDC_SEND_IMAGE_SIZE), "Thumbnail");
    EXPECT_EQ(SelectedText(page, IDC_SEND_LONGITUDE_DIR), "W");
    EXPECT_EQ(Text(page, IDC_SEND_LONGITUDE_DEG), "120");
    EXPECT_EQ(Text(page, IDC_SEND_LONGITUDE_MIN), "30");
    EXPECT_EQ(Text(page, IDC_SEND_LONGITUDE_SEC), "15");
    EXPECT_EQ(SelectedText(page, IDC_SEND_LATITUDE_DIR), "S");
    EXPECT_EQ(Text(page, IDC_SEND_LATITUDE_DEG), "33");
    EXPECT_EQ(Text(page, IDC_SEND_LATITUDE_MIN), "51");
    EXPECT_EQ(Text(page, IDC_SEND_LATITUDE_SEC), "0");
    EXPECT_FALSE(MessageBoxShown(app));
}

TEST(SendPage, CloseBoxDropsThePagesEntries) {
    App app;
    HWND page = OpenSendPage(app);
    ASSERT_NE(page, nullptr);
    Type(app, page, IDC_SEND_PHONE1, "222");
    Choose(app, page, IDC_SEND_REMOTE_INTERVAL, "10 Minutes");
    page = PreviousThenNext(app, page); // hands "222" and the interval over
    ASSERT_NE(page, nullptr);
    Type(app, page, IDC_SEND_PHONE1, "333");
    Type(app, page, IDC_SEND_MAX_NUM, "7");
    Choose(app, page, IDC_SEND_REMOTE_INTERVAL, "Remote Off");

    app.Close(page);
    HWND main = app.Wait("Setup");
    ASSERT_NE(main, nullptr);
    Click(app, main, IDC_MAIN_3G_SETUP);
    HWND page1 = app.Wait("3G Parameter Settings");
    ASSERT_NE(page1, nullptr);
    page = NextPage(app, page1);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Text(page, IDC_SEND_PHONE1), "222");
    EXPECT_EQ(Text(page, IDC_SEND_MAX_NUM), "49");
    EXPECT_EQ(SelectedText(page, IDC_SEND_REMOTE_INTERVAL), "10 Minutes");
}

TEST(SendPage, CancelledFolderBrowserKeepsTheSaveFolder) {
    App app;
    HWND page = OpenSendPage(app);
    ASSERT_NE(page, nullptr);
    Click(app, page, IDC_SEND_BROWSE);
    HWND browser = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        browser = app.Visible();
        return browser != nullptr && browser != page;
    }));
    Command(app, browser, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return app.Visible() == page; }));
    EXPECT_EQ(Text(page, IDC_SEND_SAVE_PATH), app.Folder());
    EXPECT_EQ(std::string(g_szSavePath), app.Folder());
}

// Bad input in every text edit: texts far longer than any edit's limit (WM_SETTEXT, like a
// programmatic paste, ignores the limit), Chinese characters (two bytes each in the Chinese code
// page, '?' in an English one) and texts of spaces only. Whatever the edits hold, each record
// field of the written files keeps to its own bytes, ends within them and never ends in half a
// character.
#include "CameraSetupSteps.h"
#include "GuiHarness.h"
#include "SendPageSteps.h"

#include "menu/MenuData.h"
#include "res/resource.h"
#include "sendset/SendSet.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <map>
#include <string>
#include <vector>

using namespace gui;

namespace {

const char kWide[] = "中"; // the one non-ASCII character the texts use

std::string Repeat(const char* unit, size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += unit;
    return s;
}

// A free text for an edit: tag "@." (so the e-mail checks pass) and then 300 Chinese
// characters. Three ASCII bytes then two-byte characters: most fields' ends fall in the middle of
// a character.
std::string LongText(char tag) {
    return std::string(1, tag) + "@." + Repeat(kWide, 300);
}

// Digits behind 40 characters a number edit must drop, then 300 more digits.
std::string LongNumber(const char* lead, const char* digit) {
    return Repeat(kWide, 40) + lead + Repeat(digit, 300);
}

// What a field that holds at most limit bytes keeps of a text: whole characters of the system's
// code page, the Chinese character as D6 D0 on a Chinese system and as '?' on an English one.
std::string Stored(const std::string& utf8, size_t limit) {
    const size_t wideLen = strlen(kWide);
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        std::string ch;
        size_t n = 1;
        if (utf8.compare(i, wideLen, kWide) == 0) {
            ch = SystemIsChinese() ? "\xD6\xD0" : "?";
            n = wideLen;
        } else {
            ch = utf8.substr(i, 1);
        }
        if (out.size() + ch.size() > limit)
            break;
        out += ch;
        i += n;
    }
    return out;
}

// --- The text fields of the send-settings record ---

struct TextField {
    const char* name;
    size_t offset;
    size_t capacity;
};

// clang-format off
#define TEXT_FIELD(f) (TextField{#f, offsetof(SendSet, f), sizeof(static_cast<SendSet*>(nullptr)->f)})
// clang-format on

const TextField kTextFields[] = {
    TEXT_FIELD(sSmtpSet.sz3GSmtpApN),
    TEXT_FIELD(sSmtpSet.sz3GSmtpAccount),
    TEXT_FIELD(sSmtpSet.sz3GSmtpPassword),
    TEXT_FIELD(sSmtpSet.szServer),
    TEXT_FIELD(sSmtpSet.szAddr),
    TEXT_FIELD(sSmtpSet.szUserName),
    TEXT_FIELD(sSmtpSet.szPassword),
    TEXT_FIELD(sMmsSet.szUrl),
    TEXT_FIELD(sMmsSet.szApn),
    TEXT_FIELD(sMmsSet.szGateway),
    TEXT_FIELD(sMmsSet.szPort),
    TEXT_FIELD(sMmsSet.szAccount),
    TEXT_FIELD(sMmsSet.szPassword),
    TEXT_FIELD(szRecp[0]),
    TEXT_FIELD(szRecp[1]),
    TEXT_FIELD(szRecp[2]),
    TEXT_FIELD(szRecp[3]),
    TEXT_FIELD(szFileFullName[0]),
    TEXT_FIELD(szFileFullName[1]),
    TEXT_FIELD(szFileFullName[2]),
    TEXT_FIELD(szFileFullName[3]),
    TEXT_FIELD(szRemotePhoneNum),
    TEXT_FIELD(szRemoteEmail),
    TEXT_FIELD(sQorCloudSet.szAppKey),
    TEXT_FIELD(sQorCloudSet.szAppSecret),
    TEXT_FIELD(sQorCloudSet.szSimCardNum),
    TEXT_FIELD(sFtpSet.szFtpDir),
    TEXT_FIELD(sFtpSet.szServer),
    TEXT_FIELD(sFtpSet.szUserName),
    TEXT_FIELD(sFtpSet.szPassword),
};

const char* FieldBytes(const SendSet& rec, const TextField& f) {
    return reinterpret_cast<const char*>(&rec) + f.offset;
}

std::string FieldString(const SendSet& rec, const TextField& f) {
    const char* p = FieldBytes(rec, f);
    return std::string(p, strnlen(p, f.capacity));
}

// Every text field ends within its bytes, and on a Chinese system with a whole character: a
// lead byte (0x81..0xFE) is always followed by its trail byte before the terminator.
void ExpectEveryFieldWhole(const SendSet& rec) {
    for (const TextField& f : kTextFields) {
        const char* p = FieldBytes(rec, f);
        const size_t len = strnlen(p, f.capacity);
        EXPECT_LT(len, f.capacity) << f.name << " has no terminator within its bytes";
        if (!SystemIsChinese())
            continue;
        for (size_t i = 0; i < len; ++i) {
            if (static_cast<uint8_t>(p[i]) >= 0x81) {
                EXPECT_LT(i + 1, len) << f.name << " ends in half a character";
                ++i;
            }
        }
    }
}

// What the user typed into which edit, and what its field must hold afterwards.
struct Typed {
    int id;
    std::string text;
    TextField field;
    std::string expected;
};

// A free text edit whose field keeps at most limit bytes.
Typed Free(int id, char tag, const TextField& field, size_t limit) {
    const std::string text = LongText(tag);
    return Typed{id, text, field, Stored(text, limit)};
}

Typed Number(int id, const std::string& text, const TextField& field, const char* expected) {
    return Typed{id, text, field, expected};
}

// The fields the session has filled so far, by offset.
using Expectations = std::map<size_t, Typed>;

void TypeAll(App& app, HWND dlg, const std::vector<Typed>& entries, Expectations& expect) {
    for (const Typed& t : entries) {
        Type(app, dlg, t.id, t.text.c_str());
        expect[t.field.offset] = t;
    }
}

void ExpectGenerateSuccess(App& app) {
    if (SystemIsChinese())
        AnswerNoticeBox(app, "通知", "成功生成配置文件!");
    else
        AnswerNoticeBox(app, "Notice", "Generate Success!");
}

// Generate on page 2, then the written file: every field whole, each typed field what it must
// be, and the numbers between the text fields untouched.
SendSet GenerateAndRead(App& app, HWND page2, const Expectations& expect) {
    Click(app, page2, IDC_SEND_GENERATE);
    ExpectGenerateSuccess(app);
    SendSet got;
    EXPECT_TRUE(DecodeCfgFile(app.FilePath("CFG.BIN"), got)) << "no CFG.BIN in the save folder";
    ExpectEveryFieldWhole(got);
    for (const auto& entry : expect) {
        const Typed& t = entry.second;
        EXPECT_EQ(FieldString(got, t.field), t.expected) << t.field.name;
    }
    EXPECT_EQ(got.StructFlag, SEND_SET_STRUCT_FLAG);
    EXPECT_EQ(got.byReserved1, 0);
    EXPECT_EQ(got.sSmtpSet.byReserved, 0);
    EXPECT_EQ(got.sSmtpSet.iPort, 465);
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(got.uwRecpLen[slot], strnlen(got.szRecp[slot], sizeof got.szRecp[slot]))
            << "slot " << slot;
    }
    EXPECT_EQ(got.uwMaxSendImgNum, 30);
    EXPECT_EQ(got.byRemoteSwitch, 1);
    EXPECT_EQ(got.byRemoteInterval, 0);
    EXPECT_EQ(FieldString(got, TEXT_FIELD(szFileFullName[0])), "DCIM\\100IMA3G\\IMAG0001.JPG");
    return got;
}

// Camera Setup: the clock typed in by hand and the save path, then Generate.
void PasteIntoCameraSetup(App& app) {
    HWND camera = OpenCameraSetup(app);
    ASSERT_NE(camera, nullptr);
    Choose(app, camera, IDC_CAMERA_CLOCK_MODE, 1); // Input
    const struct {
        int id;
        std::string text;
        const char* shown; // once the edit has lost the focus
    } clock[] = {
        {IDC_CAMERA_YEAR, LongNumber("2031", "7"), "2099"},
        {IDC_CAMERA_MONTH, LongNumber("11", "9"), "12"},
        {IDC_CAMERA_DAY, Repeat(kWide, 300), "1"},
        {IDC_CAMERA_HOUR, Repeat(" ", 300), "0"},
        {IDC_CAMERA_MINUTE, "5" + Repeat(kWide, 300), "5"},
        {IDC_CAMERA_SECOND, Repeat("9", 300), "59"},
    };
    for (const auto& c : clock)
        Type(app, camera, c.id, c.text.c_str());
    for (const auto& c : clock) {
        LeaveEdit(app, camera, c.id);
        EXPECT_EQ(Text(camera, c.id), c.shown);
    }
    // The save path edit is never read: the file goes to the save folder all the same.
    Type(app, camera, IDC_CAMERA_SAVE_PATH, (Repeat(kWide, 300) + " C:\\elsewhere").c_str());
    Click(app, camera, IDC_CAMERA_GENERATE);
    ExpectGenerateSuccess(app);

    const MenuData menu = MenuFileOf(app);
    EXPECT_EQ(menu.ClockMode, 1);
    ExpectMenuClock(menu, 2099, 12, 1, 0, 5, 59);
    app.Close(camera);
}

// The same long texts in every layout of the wizard: MMS with manual input and remote control
// (the MMS, 3G network and sender mailbox edits), Email, FTP and cloud, each followed by Generate.
// Later layouts show the stored texts again and take them back: they must come back unchanged.
void PasteIntoEveryLayout(App& app) {
    PasteIntoCameraSetup(app);

    HWND page1 = OpenParamPage(app);
    ASSERT_NE(page1, nullptr);
    Expectations expect;
    TypeAll(app, page1,
            {
                Free(IDC_PARAM_MMS_URL, 'U', TEXT_FIELD(sMmsSet.szUrl), 60),
                Free(IDC_PARAM_MMS_APN, 'P', TEXT_FIELD(sMmsSet.szApn), 60),
                Free(IDC_PARAM_MMS_GATEWAY, 'G', TEXT_FIELD(sMmsSet.szGateway), 16),
                Number(IDC_PARAM_MMS_PORT, LongNumber("8080", "9"), TEXT_FIELD(sMmsSet.szPort),
                       "80809999"),
                Free(IDC_PARAM_MMS_ACCOUNT, 'C', TEXT_FIELD(sMmsSet.szAccount), 32),
                Free(IDC_PARAM_MMS_PASSWORD, 'W', TEXT_FIELD(sMmsSet.szPassword), 32),
                Free(IDC_PARAM_NET_APN, 'N', TEXT_FIELD(sSmtpSet.sz3GSmtpApN), 60),
                Free(IDC_PARAM_NET_ACCOUNT, 'K', TEXT_FIELD(sSmtpSet.sz3GSmtpAccount), 32),
                Free(IDC_PARAM_NET_PASSWORD, 'Q', TEXT_FIELD(sSmtpSet.sz3GSmtpPassword), 32),
                Free(IDC_PARAM_SENDER_SERVER, 'S', TEXT_FIELD(sSmtpSet.szServer), 60),
                Free(IDC_PARAM_SENDER_ADDRESS, 'A', TEXT_FIELD(sSmtpSet.szAddr), 48),
                Free(IDC_PARAM_SENDER_USER, 'M', TEXT_FIELD(sSmtpSet.szUserName), 48),
                Free(IDC_PARAM_SENDER_PASSWORD, 'Z', TEXT_FIELD(sSmtpSet.szPassword), 32),
            },
            expect);
    Type(app, page1, IDC_PARAM_SENDER_PORT, LongNumber("", "0").append("465").c_str());
    HWND page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    TypeAll(app, page2,
            {
                Number(IDC_SEND_PHONE1, LongNumber("+44", "7"), TEXT_FIELD(szRecp[0]),
                       "+44777777777777"),
                Number(IDC_SEND_PHONE2, LongNumber("+86", "1"), TEXT_FIELD(szRecp[1]),
                       "+86111111111111"),
                Free(IDC_SEND_EMAIL1, 'E', TEXT_FIELD(szRecp[2]), 48),
                Free(IDC_SEND_EMAIL2, 'F', TEXT_FIELD(szRecp[3]), 48),
                Number(IDC_SEND_REMOTE_PHONE, LongNumber("+1", "5"), TEXT_FIELD(szRemotePhoneNum),
                       "+15555555555555"),
                Free(IDC_SEND_REMOTE_EMAIL, 'R', TEXT_FIELD(szRemoteEmail), 48),
            },
            expect);
    Type(app, page2, IDC_SEND_MAX_NUM, LongNumber("", "0").append("30").c_str());
    Type(app, page2, IDC_SEND_SAVE_PATH, (Repeat(kWide, 300) + " C:\\elsewhere").c_str());
    SendSet got = GenerateAndRead(app, page2, expect);
    EXPECT_EQ(got.bySendBy, SEND_BY_MMS);
    EXPECT_EQ(got.byOperatorCountry, OPERATOR_COUNTRY_MANUAL);
    EXPECT_EQ(got.sFtpSet.iPort, 21);

    // Email: nothing typed; page 1 and page 2 show the stored texts and take them back.
    page1 = PreviousPage(app, page2);
    ASSERT_NE(page1, nullptr);
    Choose(app, page1, IDC_PARAM_SEND_OPTION, SEND_BY_EMAIL);
    page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    got = GenerateAndRead(app, page2, expect);
    EXPECT_EQ(got.bySendBy, SEND_BY_EMAIL);

    // FTP, with a directory of its own.
    page1 = PreviousPage(app, page2);
    ASSERT_NE(page1, nullptr);
    Choose(app, page1, IDC_PARAM_SEND_OPTION, SEND_BY_FTP);
    Choose(app, page1, IDC_PARAM_FTP_DIR_TYPE, 1); // Specify
    TypeAll(app, page1,
            {
                Free(IDC_PARAM_FTP_SERVER, 'H', TEXT_FIELD(sFtpSet.szServer), 60),
                Free(IDC_PARAM_FTP_USER, 'I', TEXT_FIELD(sFtpSet.szUserName), 43),
                Free(IDC_PARAM_FTP_PASSWORD, 'J', TEXT_FIELD(sFtpSet.szPassword), 32),
                Free(IDC_PARAM_FTP_DIR, 'L', TEXT_FIELD(sFtpSet.szFtpDir), 32),
            },
            expect);
    Type(app, page1, IDC_PARAM_FTP_PORT, LongNumber("", "0").append("2121").c_str());
    page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    got = GenerateAndRead(app, page2, expect);
    EXPECT_EQ(got.bySendBy, SEND_BY_FTP);
    EXPECT_EQ(got.sFtpSet.iPort, 2121);
    EXPECT_EQ(got.sFtpSet.iFtpDirType, 1);

    // Cloud: the same three edits hold the key, the secret and the SIM card number; page 2 asks
    // for the coordinates.
    page1 = PreviousPage(app, page2);
    ASSERT_NE(page1, nullptr);
    Choose(app, page1, IDC_PARAM_SEND_OPTION, SEND_BY_CLOUD);
    TypeAll(app, page1,
            {
                Free(IDC_PARAM_FTP_SERVER, 'X', TEXT_FIELD(sQorCloudSet.szAppKey), 32),
                Free(IDC_PARAM_FTP_PORT, 'Y', TEXT_FIELD(sQorCloudSet.szAppSecret), 32),
                Number(IDC_PARAM_FTP_USER, LongNumber("8986", "1"),
                       TEXT_FIELD(sQorCloudSet.szSimCardNum), "898611111111111"),
            },
            expect);
    page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    const struct {
        int id;
        const char* value;
    } coordinates[] = {
        {IDC_SEND_LONGITUDE_DEG, "120"}, {IDC_SEND_LONGITUDE_MIN, "30"},
        {IDC_SEND_LONGITUDE_SEC, "15"},  {IDC_SEND_LATITUDE_DEG, "51"},
        {IDC_SEND_LATITUDE_MIN, "28"},   {IDC_SEND_LATITUDE_SEC, "40"},
    };
    for (const auto& c : coordinates)
        Type(app, page2, c.id, LongNumber("", "0").append(c.value).c_str());
    EXPECT_FALSE(MessageBoxShown(app)) << "the values are within their ranges";
    got = GenerateAndRead(app, page2, expect);
    EXPECT_EQ(got.bySendBy, SEND_BY_CLOUD);
    const uint8_t longitude[4] = {0, 120, 30, 15};
    const uint8_t latitude[4] = {0, 51, 28, 40};
    EXPECT_EQ(memcmp(&got.sLongitude, longitude, 4), 0);
    EXPECT_EQ(memcmp(&got.sLatitude, latitude, 4), 0);
    EXPECT_EQ(got.sFtpSet.iPort, 2121);
    EXPECT_EQ(got.sFtpSet.iFtpDirType, 1);
}

// MMS, manual operator input, remote control every ten minutes.
const auto kManualMmsWithRemote = WithCfg([](SendSet& rec) {
    rec.bySendBy = SEND_BY_MMS;
    rec.byOperatorCountry = OPERATOR_COUNTRY_MANUAL;
    rec.byRemoteInterval = 0;
});

} // namespace

TEST(BadInput, OverlongTextsStayInTheirFieldsInEveryLayout) {
    App app(kManualMmsWithRemote);
    PasteIntoEveryLayout(app);
}

TEST(BadInput, ChineseTextsAreCutBetweenCharactersOnAChineseSystem) {
    ASSERT_TRUE(SystemIsChinese());
    App app(kManualMmsWithRemote);
    PasteIntoEveryLayout(app);
}

// Texts of spaces only: free text fields keep them as typed (nothing on page 1 checks them),
// number edits drop every one of them.
TEST(BadInput, SpacesOnlyAreKeptInTextFieldsAndDroppedFromNumbers) {
    App app;
    const std::string spaces = Repeat(" ", 300);
    HWND camera = OpenCameraSetup(app);
    ASSERT_NE(camera, nullptr);
    Choose(app, camera, IDC_CAMERA_CLOCK_MODE, 1); // Input
    const int clock[] = {IDC_CAMERA_YEAR, IDC_CAMERA_MONTH,  IDC_CAMERA_DAY,
                         IDC_CAMERA_HOUR, IDC_CAMERA_MINUTE, IDC_CAMERA_SECOND};
    for (int id : clock) {
        Type(app, camera, id, spaces.c_str());
        EXPECT_EQ(Text(camera, id), "");
        LeaveEdit(app, camera, id); // an empty edit gets its minimum
    }
    Type(app, camera, IDC_CAMERA_SAVE_PATH, spaces.c_str());
    Click(app, camera, IDC_CAMERA_GENERATE);
    ExpectGenerateSuccess(app);
    ExpectMenuClock(MenuFileOf(app), 2016, 1, 1, 0, 0, 0);
    app.Close(camera);

    HWND page1 = OpenParamPage(app);
    ASSERT_NE(page1, nullptr);
    Choose(app, page1, IDC_PARAM_SEND_OPTION, "FTP");
    Choose(app, page1, IDC_PARAM_FTP_DIR_TYPE, "Specify");
    for (int id : {IDC_PARAM_FTP_SERVER, IDC_PARAM_FTP_PORT, IDC_PARAM_FTP_USER,
                   IDC_PARAM_FTP_PASSWORD, IDC_PARAM_FTP_DIR})
        Type(app, page1, id, spaces.c_str());
    EXPECT_EQ(Text(page1, IDC_PARAM_FTP_PORT), "");
    HWND page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    for (int id :
         {IDC_SEND_PHONE1, IDC_SEND_PHONE2, IDC_SEND_EMAIL1, IDC_SEND_EMAIL2, IDC_SEND_REMOTE_PHONE,
          IDC_SEND_REMOTE_EMAIL, IDC_SEND_MAX_NUM, IDC_SEND_SAVE_PATH})
        Type(app, page2, id, spaces.c_str());
    Click(app, page2, IDC_SEND_GENERATE);
    ExpectGenerateSuccess(app);

    SendSet got;
    ASSERT_TRUE(DecodeCfgFile(app.FilePath("CFG.BIN"), got));
    ExpectEveryFieldWhole(got);
    EXPECT_EQ(FieldString(got, TEXT_FIELD(sFtpSet.szServer)), Repeat(" ", 60));
    EXPECT_EQ(FieldString(got, TEXT_FIELD(sFtpSet.szUserName)), Repeat(" ", 43));
    EXPECT_EQ(FieldString(got, TEXT_FIELD(sFtpSet.szPassword)), Repeat(" ", 32));
    EXPECT_EQ(FieldString(got, TEXT_FIELD(sFtpSet.szFtpDir)), Repeat(" ", 32));
    EXPECT_EQ(got.sFtpSet.iPort, 21) << "an empty port edit keeps the stored port";
    EXPECT_EQ(got.sFtpSet.iFtpDirType, 1);
    EXPECT_EQ(got.uwRecpLen[0] + got.uwRecpLen[1], 0);
    EXPECT_EQ(FieldString(got, TEXT_FIELD(szRecp[2])), Repeat(" ", 48));
    EXPECT_EQ(got.uwRecpLen[2], 48);
    EXPECT_EQ(FieldString(got, TEXT_FIELD(szRecp[3])), Repeat(" ", 48));
    EXPECT_EQ(FieldString(got, TEXT_FIELD(szRemotePhoneNum)), "");
    EXPECT_EQ(FieldString(got, TEXT_FIELD(szRemoteEmail)), Repeat(" ", 48));
    EXPECT_EQ(got.uwMaxSendImgNum, 0);
}

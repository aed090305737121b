#include "TempDir.h"

#include "wizard/GenerateChecks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

const GenerateClock kNow = {2026, 12, 7, 9, 5, 3};

template <size_t N> void SetField(char (&field)[N], const char* text) {
    memset(field, 0, N);
    strncpy(field, text, N - 1);
}

void SetRecipient(SendSet& rec, int slot, const char* text) {
    SetField(rec.szRecp[slot], text);
    rec.uwRecpLen[slot] = static_cast<uint16_t>(strlen(text));
}

// A complete e-mail configuration with a preset operator and remote control off.
SendSet EmailRecord() {
    SendSet rec;
    LoadSendSetDefaults(rec);
    rec.bySendBy = SEND_BY_EMAIL;
    rec.byOperatorCountry = 40;
    SetField(rec.sSmtpSet.sz3GSmtpApN, "internet");
    SetField(rec.sSmtpSet.szServer, "smtp.example.com");
    rec.sSmtpSet.iPort = 25;
    SetField(rec.sSmtpSet.szAddr, "cam@example.com");
    SetField(rec.sSmtpSet.szPassword, "secret");
    SetRecipient(rec, 2, "me@example.org");
    return rec;
}

GenerateControls RemoteOff() {
    GenerateControls c = {};
    c.sNow = kNow;
    c.iRemoteIntervalItem = 0;
    return c;
}

GenerateControls RemoteEveryHour(bool noCmd22) {
    GenerateControls c = RemoteOff();
    c.iRemoteIntervalItem = 2;
    c.bNoRemoteCmd22 = noCmd22;
    return c;
}

int Check(SendSet& rec, const GenerateControls& c) {
    CaptureStdout();
    int msg = CheckSendSet(rec, c);
    GetCapturedStdout();
    return msg;
}

} // namespace

TEST(EmailRule, NeedsADotSomewhereAfterAnAt) {
    EXPECT_TRUE(IsValidEmailText("me@example.org", 49));
    EXPECT_TRUE(IsValidEmailText("@.", 49));
    EXPECT_TRUE(IsValidEmailText("a@b@c.", 49));
    EXPECT_FALSE(IsValidEmailText("first.last@example", 49)); // its only "." is before the "@"
    EXPECT_FALSE(IsValidEmailText("example.org", 49));
    EXPECT_FALSE(IsValidEmailText("", 49));
    EXPECT_FALSE(IsValidEmailText(".@", 49));
    // The scan ends at the recorded length and at a terminator, never beyond.
    EXPECT_FALSE(IsValidEmailText("me@example.org", 10));
    const char unterminated[4] = {'a', '@', 'b', 'c'};
    EXPECT_FALSE(IsValidEmailText(unterminated, sizeof unterminated));
}

TEST(GenerateChecks, Close3GIsWrittenWithoutAnyCheck) {
    SendSet rec;
    memset(&rec, 0, sizeof rec);
    rec.StructFlag = SEND_SET_STRUCT_FLAG;
    rec.byRemoteInterval = 7;
    rec.byDailySendTime = 5;
    GenerateControls c = RemoteEveryHour(false); // the disabled list is not looked at
    c.iSendImgSizeItem = 1;

    CaptureStdout();
    EXPECT_EQ(CheckSendSet(rec, c), 0);
    const std::string trace = GetCapturedStdout();

    EXPECT_EQ(rec.byRemoteInterval, 7);
    EXPECT_EQ(rec.byRemoteSwitch, 0);
    EXPECT_EQ(rec.bySendFileNum, 0);
    EXPECT_STREQ(rec.szFileFullName[0], "DCIM\\100IMA3G\\IMAG0001.JPG");
    EXPECT_EQ(rec.bySendMode, 0);
    EXPECT_EQ(rec.byDailySendTime, 24);
    EXPECT_EQ(rec.bySendImgSize, 1);
    EXPECT_EQ(trace, "** **\n:: Get SendMode=0\n:: Get SendImgSize=1\n");
}

TEST(GenerateChecks, TimeStampAndFileEntries) {
    SendSet rec = EmailRecord();
    rec.sTime.bSet = 1;
    rec.bySendFileNum = 3;
    SetField(rec.szFileFullName[0], "DCIM\\100IMA3G\\IMAG0099.JPG_LONGER");
    SetField(rec.szFileFullName[1], "keep");
    ASSERT_EQ(Check(rec, RemoteOff()), 0);

    const uint8_t* t = &rec.sTime.byYear;
    const uint8_t expected[7] = {26, 12, 7, 9, 5, 3, 0};
    EXPECT_EQ(memcmp(t, expected, 7), 0);
    const SendSetClock clock = ClockOfSendTime(rec.sTime);
    EXPECT_EQ(clock.byYear, 26);
    EXPECT_EQ(clock.bySecond, 3);
    EXPECT_EQ(MakeSendTime({1999, 1, 2, 3, 4, 5}).byYear, 99);
    EXPECT_EQ(MakeSendTime({2300, 1, 2, 3, 4, 5}).byYear, 300 % 256);

    EXPECT_EQ(rec.bySendFileNum, 0);
    EXPECT_STREQ(rec.szFileFullName[0], "DCIM\\100IMA3G\\IMAG0001.JPG");
    EXPECT_EQ(std::string(rec.szFileFullName[0], 33),
              std::string(kGenerateFileName, 27) + std::string(6, '\0'));
    EXPECT_STREQ(rec.szFileFullName[1], "keep");
}

TEST(GenerateChecks, MmsRecipients) {
    SendSet rec;
    LoadSendSetDefaults(rec); // MMS, preset country 0, remote off, no recipient
    EXPECT_EQ(Check(rec, RemoteOff()), 1);
    EXPECT_STRNE(rec.szFileFullName[0], kGenerateFileName); // stopped before the file name

    SetRecipient(rec, 1, "+441234");
    EXPECT_EQ(Check(rec, RemoteOff()), 0);

    SetRecipient(rec, 2, "a.b@c");
    EXPECT_EQ(Check(rec, RemoteOff()), 2);
    SetRecipient(rec, 2, "a@b.c");
    SetRecipient(rec, 3, "nobody");
    EXPECT_EQ(Check(rec, RemoteOff()), 3);
}

TEST(GenerateChecks, EmailRecipients) {
    SendSet rec = EmailRecord();
    SetRecipient(rec, 2, "");
    SetRecipient(rec, 3, "you@example.org");
    EXPECT_EQ(Check(rec, RemoteOff()), 0) << "address 2 alone is enough";

    SetRecipient(rec, 3, "");
    EXPECT_EQ(Check(rec, RemoteOff()), 4);

    SetRecipient(rec, 2, "me.example@org");
    SetRecipient(rec, 3, "you@example.org");
    EXPECT_EQ(Check(rec, RemoteOff()), 2);

    SetRecipient(rec, 2, "me@example.org");
    SetRecipient(rec, 3, "you-at-example.org");
    EXPECT_EQ(Check(rec, RemoteOff()), 3);

    // Phone numbers are not looked at for e-mail.
    SetRecipient(rec, 3, "");
    SetRecipient(rec, 0, "x");
    EXPECT_EQ(Check(rec, RemoteOff()), 0);
}

TEST(GenerateChecks, RemoteControl) {
    SendSet rec = EmailRecord();
    SetField(rec.szRemoteEmail, "remote@example.org");
    SetField(rec.szRemotePhoneNum, "1234");
    EXPECT_EQ(Check(rec, RemoteEveryHour(false)), 5);
    EXPECT_EQ(rec.byRemoteInterval, 1);
    EXPECT_EQ(rec.byRemoteSwitch, 1);

    SetField(rec.szRemotePhoneNum, "12345");
    EXPECT_EQ(Check(rec, RemoteEveryHour(false)), 0);

    SetField(rec.szRemoteEmail, "remote.example@org");
    EXPECT_EQ(Check(rec, RemoteEveryHour(false)), 6);

    GenerateControls tenMinutes = RemoteEveryHour(true);
    tenMinutes.iRemoteIntervalItem = 1;
    EXPECT_EQ(Check(rec, tenMinutes), 0) << "command 22 off: the remote e-mail is not checked";
    EXPECT_EQ(rec.byRemoteInterval, 0);

    GenerateControls day = RemoteOff();
    day.iRemoteIntervalItem = 25;
    SetField(rec.szRemoteEmail, "r@e.org");
    EXPECT_EQ(Check(rec, day), 0);
    EXPECT_EQ(rec.byRemoteInterval, 24);

    SetField(rec.szRemotePhoneNum, "");
    EXPECT_EQ(Check(rec, RemoteOff()), 0);
    EXPECT_EQ(rec.byRemoteInterval, 25);
    EXPECT_EQ(rec.byRemoteSwitch, 0);
}

TEST(GenerateChecks, CommandTwentyTwoOffSkipsTheMailbox) {
    SendSet rec = EmailRecord();
    rec.bySendBy = SEND_BY_FTP;
    SetField(rec.sFtpSet.szServer, "ftp.example.com");
    SetField(rec.sFtpSet.szUserName, "cam");
    SetField(rec.sFtpSet.szPassword, "pw");
    memset(&rec.sSmtpSet, 0, sizeof rec.sSmtpSet);
    SetField(rec.szRemotePhoneNum, "+4412345");
    SetField(rec.szRemoteEmail, "not an address");
    EXPECT_EQ(Check(rec, RemoteEveryHour(true)), 0);
    // With command 22 in use the mailbox answers it.
    EXPECT_EQ(Check(rec, RemoteEveryHour(false)), 6);
    SetField(rec.szRemoteEmail, "r@e.org");
    EXPECT_EQ(Check(rec, RemoteEveryHour(false)), 10);
}

TEST(GenerateChecks, SenderMailboxInOrder) {
    SendSet rec = EmailRecord();
    SetField(rec.sSmtpSet.szPassword, "");
    EXPECT_EQ(Check(rec, RemoteOff()), 14);
    SetField(rec.sSmtpSet.szAddr, "cam.example@com");
    EXPECT_EQ(Check(rec, RemoteOff()), 13);
    rec.sSmtpSet.iPort = 0;
    EXPECT_EQ(Check(rec, RemoteOff()), 12);
    SetField(rec.sSmtpSet.szServer, "");
    EXPECT_EQ(Check(rec, RemoteOff()), 11);
    SetField(rec.sSmtpSet.sz3GSmtpApN, "");

    rec.sSmtpSet.szServer[0] = static_cast<char>(0xB0);
    CaptureStdout();
    EXPECT_EQ(CheckSendSet(rec, RemoteOff()), 10);
    EXPECT_EQ(GetCapturedStdout(), "** **\n:: g_sSendSet.sSmtpSet.szServer[0]=-80\n");

    // MMS with remote control on and command 22 in use checks the mailbox too.
    SendSet mms;
    LoadSendSetDefaults(mms);
    SetRecipient(mms, 0, "123");
    SetField(mms.szRemotePhoneNum, "12345");
    SetField(mms.szRemoteEmail, "r@e.org");
    EXPECT_EQ(Check(mms, RemoteEveryHour(false)), 10);
}

TEST(GenerateChecks, ManualOperatorParameters) {
    SendSet rec;
    LoadSendSetDefaults(rec);
    rec.byOperatorCountry = OPERATOR_COUNTRY_MANUAL;
    SetRecipient(rec, 0, "123");
    SetField(rec.sMmsSet.szUrl, "http://mms");
    SetField(rec.sMmsSet.szApn, "mms");
    EXPECT_EQ(Check(rec, RemoteOff()), 9);
    SetField(rec.sMmsSet.szApn, "");
    EXPECT_EQ(Check(rec, RemoteOff()), 8);
    SetField(rec.sMmsSet.szUrl, "");
    EXPECT_EQ(Check(rec, RemoteOff()), 7);

    // E-mail with remote control off needs no MMS parameters.
    SendSet mail = EmailRecord();
    mail.byOperatorCountry = OPERATOR_COUNTRY_MANUAL;
    EXPECT_EQ(Check(mail, RemoteOff()), 0);
    // With remote control on it does.
    SetField(mail.szRemotePhoneNum, "12345");
    EXPECT_EQ(Check(mail, RemoteEveryHour(true)), 7);
}

TEST(GenerateChecks, FtpServer) {
    SendSet rec;
    LoadSendSetDefaults(rec);
    rec.bySendBy = SEND_BY_FTP;
    EXPECT_EQ(Check(rec, RemoteOff()), 15);
    SetField(rec.sFtpSet.szServer, "ftp.example.com");
    rec.sFtpSet.iPort = 0;
    EXPECT_EQ(Check(rec, RemoteOff()), 16);
    rec.sFtpSet.iPort = 21;
    EXPECT_EQ(Check(rec, RemoteOff()), 17);
    EXPECT_STREQ(GenerateMessage(17).text[1], "Generate failed!\rFTP account error!");
    SetField(rec.sFtpSet.szUserName, "cam");
    EXPECT_EQ(Check(rec, RemoteOff()), 18);
    SetField(rec.sFtpSet.szPassword, "pw");
    EXPECT_EQ(Check(rec, RemoteOff()), 0);
}

TEST(GenerateChecks, CloudTakesTheCoordinatesFromThePage) {
    SendSet rec;
    LoadSendSetDefaults(rec);
    rec.bySendBy = SEND_BY_CLOUD;
    rec.sLongitude = {0, 1, 2, 3};
    GenerateControls c = RemoteOff();
    c.sLongitude = {1, 120, 30, 15};
    c.sLatitude = {0, 51, 28, 40};
    EXPECT_EQ(Check(rec, c), 19);
    SetField(rec.sQorCloudSet.szAppKey, "key");
    EXPECT_EQ(Check(rec, c), 20);
    EXPECT_EQ(rec.sLongitude.byDeg, 1) << "coordinates are taken only once the account is complete";
    SetField(rec.sQorCloudSet.szSimCardNum, "8944");
    EXPECT_EQ(Check(rec, c), 0);
    const uint8_t longitude[4] = {1, 120, 30, 15};
    const uint8_t latitude[4] = {0, 51, 28, 40};
    EXPECT_EQ(memcmp(&rec.sLongitude, longitude, 4), 0);
    EXPECT_EQ(memcmp(&rec.sLatitude, latitude, 4), 0);
}

TEST(GenerateChecks, MailboxAndFtpOrCloudAreBothChecked) {
    SendSet rec = EmailRecord();
    rec.bySendBy = SEND_BY_FTP;
    SetField(rec.szRemotePhoneNum, "12345");
    SetField(rec.szRemoteEmail, "r@e.org");
    EXPECT_EQ(Check(rec, RemoteEveryHour(false)), 15);

    rec.bySendBy = SEND_BY_CLOUD;
    GenerateControls c = RemoteEveryHour(false);
    c.sLongitude = {1, 120, 30, 15};
    EXPECT_EQ(Check(rec, c), 19);
    SetField(rec.sQorCloudSet.szAppKey, "key");
    SetField(rec.sQorCloudSet.szSimCardNum, "8944");
    EXPECT_EQ(Check(rec, c), 0);
    EXPECT_EQ(rec.sLongitude.byDeg, 120);

    // The mailbox comes first.
    SetField(rec.sSmtpSet.szServer, "");
    EXPECT_EQ(Check(rec, c), 11);
}

TEST(GenerateChecks, SendModeAndImageSize) {
    SendSet rec = EmailRecord();
    rec.byDailySendTime = 6;
    GenerateControls c = RemoteOff();
    c.iSendModeItem = 1;
    c.iSendImgSizeItem = 0;
    ASSERT_EQ(Check(rec, c), 0);
    EXPECT_EQ(rec.bySendMode, 1);
    EXPECT_EQ(rec.byDailySendTime, 6);
    EXPECT_EQ(rec.bySendImgSize, 0);
    c.iSendModeItem = 0;
    ASSERT_EQ(Check(rec, c), 0);
    EXPECT_EQ(rec.byDailySendTime, 24);
}

TEST(GenerateChecks, ControlsOfAStoredRecordAndItsRoundTripThroughTheFile) {
    SendSet rec = EmailRecord();
    rec.byRemoteInterval = 24;
    rec.bySendMode = 1;
    rec.bySendImgSize = 1;
    rec.sLongitude = {1, 2, 3, 4};
    GenerateControls c = ControlsForRecord(rec, kNow, true);
    EXPECT_EQ(c.iRemoteIntervalItem, 25);
    EXPECT_EQ(c.iSendModeItem, 1);
    EXPECT_EQ(c.iSendImgSizeItem, 1);
    EXPECT_EQ(c.sLongitude.bySec, 4);
    EXPECT_EQ(RemoteIntervalItem(0), 1);
    EXPECT_EQ(RemoteIntervalItem(25), 0);
    EXPECT_EQ(RemoteIntervalItem(200), 0);

    SetField(rec.szRemotePhoneNum, "12345");
    ASSERT_EQ(Check(rec, c), 0);
    TempDir dir;
    CaptureStdout();
    ASSERT_TRUE(WriteSendSetTo(dir.path().c_str(), rec));
    SendSet back;
    memset(&back, 0, sizeof back);
    EXPECT_EQ(ReadSendSetFrom(dir.path().c_str(), back, 1, ClockOfSendTime(rec.sTime)), 1);
    GetCapturedStdout();
    EXPECT_EQ(memcmp(&back, &rec, sizeof rec), 0);
}

TEST(GenerateMessages, TwentyWarningsThatAllSayTheFileWasNotMade) {
    for (int n = 1; n <= GENERATE_MESSAGE_COUNT; ++n) {
        EXPECT_EQ(std::string(GenerateMessage(n).text[0]).rfind("未生成配置文件！\r\n", 0), 0u)
            << n;
        EXPECT_EQ(std::string(GenerateMessage(n).text[1]).rfind("Generate failed!\r", 0), 0u) << n;
    }
    EXPECT_STREQ(GenerateMessage(1).text[1],
                 "Generate failed!\r\nPlease enter at least one phone number or email address.");
    EXPECT_STREQ(GenerateMessage(20).text[0], "未生成配置文件！\r\n请输入SIM卡号码。");
    EXPECT_STREQ(GenerateMessage(0).text[1], "");
    EXPECT_STREQ(GenerateMessage(21).text[0], "");
}

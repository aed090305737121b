#include "TempDir.h"

#include "common/SavePath.h"
#include "sendset/FileIo.h"
#include "sendset/SendSet.h"
#include "sendset/SendSetFields.h"
#include "wizard/WizardEdits.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <sys/stat.h>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

const SendSetClock kNoClock = {};

SendSet ZeroRecordWithFlag() {
    SendSet rec;
    memset(&rec, 0, sizeof rec);
    rec.StructFlag = SEND_SET_STRUCT_FLAG;
    return rec;
}

// A plain (unscrambled) record image as bytes, scrambled for the file.
std::vector<uint8_t> FileBytes(const SendSet& rec, bool appFlag = true) {
    std::vector<uint8_t> bytes(SEND_SET_SIZE);
    memcpy(bytes.data(), &rec, SEND_SET_SIZE);
    if (appFlag)
        bytes[0] |= IF_SEND_BY_APP_SET_FLG;
    EncodeCfgBuffer(bytes.data(), SEND_SET_SIZE);
    return bytes;
}

SendSet Filled(uint8_t value) {
    SendSet rec;
    memset(&rec, value, sizeof rec);
    return rec;
}

} // namespace

TEST(Scrambling, KnownBytesAndInverseForAllValues) {
    EXPECT_EQ(EncodeCfgByte(0x00), 0x69);
    EXPECT_EQ(EncodeCfgByte(0x80), 0x49);
    EXPECT_EQ(EncodeCfgByte(0x05), 0x28);
    EXPECT_EQ(EncodeCfgByte(0xA5), 0x00);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(DecodeCfgByte(EncodeCfgByte(static_cast<uint8_t>(b))), b);

    uint8_t buf[2] = {1, 2};
    EncodeCfgBuffer(nullptr, 5);
    EncodeCfgBuffer(buf, 0);
    EncodeCfgBuffer(buf, -3);
    DecodeCfgBuffer(buf, -1);
    EXPECT_EQ(buf[0], 1);
    EXPECT_EQ(buf[1], 2);
}

TEST(SendSetFile, ZeroRecordWritesFlaggedImageAndReadsBack) {
    TempDir dir;
    ASSERT_TRUE(WriteSendSetTo(dir.path().c_str(), ZeroRecordWithFlag()));
    std::vector<uint8_t> bytes = ReadBytes(dir.File("CFG.BIN"));
    ASSERT_EQ(bytes.size(), 1240u);
    EXPECT_EQ(bytes[0], EncodeCfgByte(0x80));
    EXPECT_EQ(bytes[12], EncodeCfgByte(5));
    for (size_t i = 1; i < bytes.size(); ++i) {
        if (i != 12) {
            ASSERT_EQ(bytes[i], EncodeCfgByte(0)) << "byte " << i;
        }
    }
    EXPECT_EQ(dir.List(), std::vector<std::string>{"CFG.BIN"}); // no temporary file left

    SendSet rec = Filled(0x33);
    CaptureStdout();
    EXPECT_EQ(ReadSendSetFrom(dir.path().c_str(), rec, 0, kNoClock), 1);
    std::string trace = GetCapturedStdout();
    EXPECT_NE(trace.find("IF_SEND_BY_APP_SET_FLG=1\n"), std::string::npos);
    EXPECT_EQ(rec.bySendBy, 0);
    EXPECT_EQ(rec.StructFlag, 5);
}

TEST(SendSetFile, FileWithoutAppFlagIsAccepted) {
    TempDir dir;
    SendSet rec = ZeroRecordWithFlag();
    rec.bySendBy = SEND_BY_FTP;
    WriteBytes(dir.File("CFG.BIN"), FileBytes(rec, false));
    SendSet loaded{};
    CaptureStdout();
    EXPECT_EQ(ReadSendSetFrom(dir.path().c_str(), loaded, 0, kNoClock), 1);
    std::string trace = GetCapturedStdout();
    EXPECT_NE(trace.find("IF_SEND_BY_APP_SET_FLG=0\ng_sSendSet.bySendBy=3\n"), std::string::npos);
    EXPECT_EQ(loaded.bySendBy, SEND_BY_FTP);
}

TEST(SendSetFile, WrongSizesAndMissingFileLeaveRecordUntouched) {
    TempDir dir;
    const SendSet before = Filled(0x5A);
    for (size_t size : {0u, 1239u, 1241u}) {
        WriteBytes(dir.File("CFG.BIN"), std::vector<uint8_t>(size, 0x69));
        SendSet rec = before;
        CaptureStdout();
        EXPECT_EQ(ReadSendSetFrom(dir.path().c_str(), rec, 0, kNoClock), 0) << size;
        std::string trace = GetCapturedStdout();
        EXPECT_NE(
            trace.find("iGetFileSize = " + std::to_string(size) + "\nFile szie != struct size!\n"),
            std::string::npos);
        EXPECT_EQ(memcmp(&rec, &before, sizeof rec), 0) << size;
    }
    remove(dir.File("CFG.BIN").c_str());
    SendSet rec = before;
    CaptureStdout();
    EXPECT_EQ(ReadSendSetFrom(dir.path().c_str(), rec, 0, kNoClock), 0);
    GetCapturedStdout();
    EXPECT_EQ(memcmp(&rec, &before, sizeof rec), 0);
}

TEST(SendSetFile, WrongStructFlagZeroesRecord) {
    TempDir dir;
    WriteBytes(dir.File("CFG.BIN"), std::vector<uint8_t>(1240, 0)); // decodes to 0xA5 bytes
    SendSet rec = Filled(0x11);
    CaptureStdout();
    EXPECT_EQ(ReadSendSetFrom(dir.path().c_str(), rec, 0, kNoClock), 0);
    EXPECT_NE(GetCapturedStdout().find("StructFlag is different!\n"), std::string::npos);
    SendSet expected = ZeroRecordWithFlag();
    EXPECT_EQ(memcmp(&rec, &expected, sizeof rec), 0);
}

TEST(SendSetFile, ReaderRepairsFileCountAndRemoteSwitch) {
    TempDir dir;
    struct Case {
        uint8_t interval, wantInterval, wantSwitch;
    };
    for (Case c : {Case{25, 25, 0}, Case{24, 24, 1}, Case{0, 0, 1}, Case{200, 0, 1}}) {
        SendSet rec = ZeroRecordWithFlag();
        rec.bySendFileNum = 9;
        strcpy(rec.szFileFullName[0], "DCIM\\100IMA3G\\IMAG0001.JPG");
        rec.byRemoteInterval = c.interval;
        rec.byRemoteSwitch = 7;
        WriteBytes(dir.File("CFG.BIN"), FileBytes(rec));
        SendSet loaded{};
        CaptureStdout();
        EXPECT_EQ(ReadSendSetFrom(dir.path().c_str(), loaded, 0, kNoClock), 1);
        std::string trace = GetCapturedStdout();
        EXPECT_EQ(loaded.bySendFileNum, 0);
        EXPECT_EQ(trace.find("szFileFullName"), std::string::npos);
        EXPECT_EQ(loaded.byRemoteInterval, c.wantInterval) << int(c.interval);
        EXPECT_EQ(loaded.byRemoteSwitch, c.wantSwitch) << int(c.interval);
        EXPECT_NE(trace.find("g_sSendSet.byRemoteInterval=" + std::to_string(c.interval) +
                             "\ng_sSendSet.byRemoteSwitch=" + std::to_string(c.wantSwitch) + "\n"),
                  std::string::npos);
    }
}

// Decoding as stored keeps what the file holds; the repairs are a step of their own.
TEST(SendSetFile, StoredDecodeKeepsWhatTheReaderRepairs) {
    SendSet rec = ZeroRecordWithFlag();
    rec.bySendFileNum = 9;
    rec.byRemoteInterval = 200;
    rec.byRemoteSwitch = 0;
    const std::vector<uint8_t> image = FileBytes(rec);
    SendSet stored{};
    bool appSetFlag = false;
    CaptureStdout();
    ASSERT_TRUE(DecodeStoredSendSet(image.data(), stored, &appSetFlag));
    EXPECT_EQ(GetCapturedStdout(), ""); // no trace
    EXPECT_EQ(memcmp(&stored, &rec, sizeof rec), 0);
    SendSet repaired = stored;
    EXPECT_TRUE(RepairSendSetAsRead(repaired));
    EXPECT_EQ(repaired.bySendFileNum, 0);
    EXPECT_EQ(repaired.byRemoteInterval, 0);
    EXPECT_EQ(repaired.byRemoteSwitch, 1);
    EXPECT_FALSE(RepairSendSetAsRead(repaired)); // once is enough

    SendSet defaults;
    LoadSendSetDefaults(defaults);
    EXPECT_FALSE(RepairSendSetAsRead(defaults));
}

TEST(SendSetFile, VerifyingReadComparesTheSixClockBytesOnly) {
    TempDir dir;
    SendSet rec = ZeroRecordWithFlag();
    rec.sTime = {26, 12, 7, 9, 5, 3, 0};
    ASSERT_TRUE(WriteSendSetTo(dir.path().c_str(), rec));
    SendSetClock clock = {26, 12, 7, 9, 5, 3};
    SendSet loaded{};
    CaptureStdout();
    EXPECT_EQ(ReadSendSetFrom(dir.path().c_str(), loaded, 1, clock), 1);

    rec.sTime.bSet = 1; // bSet is not compared
    ASSERT_TRUE(WriteSendSetTo(dir.path().c_str(), rec));
    EXPECT_EQ(ReadSendSetFrom(dir.path().c_str(), loaded, 1, clock), 1);

    clock.bySecond = 4;
    EXPECT_EQ(ReadSendSetFrom(dir.path().c_str(), loaded, 1, clock), 0);
    EXPECT_EQ(loaded.sTime.byMinute, 5); // the file's content stays loaded
    EXPECT_EQ(ReadSendSetFrom(dir.path().c_str(), loaded, 0, clock), 1);
    GetCapturedStdout();
}

TEST(SendSetFile, TraceListsFieldsInOrderAndStopsAtUnterminatedFields) {
    TempDir dir;
    SendSet rec = Filled('A'); // no text field has a terminator
    rec.StructFlag = SEND_SET_STRUCT_FLAG;
    rec.bySendBy = SEND_BY_CLOUD;
    rec.bySendFileNum = 1;
    WriteBytes(dir.File("CFG.BIN"), FileBytes(rec));
    SendSet loaded{};
    CaptureStdout();
    ASSERT_EQ(ReadSendSetFrom(dir.path().c_str(), loaded, 0, kNoClock), 1);
    std::string trace = GetCapturedStdout();
    EXPECT_NE(trace.find("g_sSendSet.szRecp[0]=\"" + std::string(49, 'A') + "\"\n"),
              std::string::npos);
    EXPECT_NE(trace.find("Gateway:\"" + std::string(17, 'A') + "\"\n"), std::string::npos);
    EXPECT_NE(trace.find("g_sSendSet.sQorCloudSet.szSimCardNum\t=" + std::string(19, 'A') + "\n"),
              std::string::npos);

    const char* order[] = {"sizeof = 1240\n",
                           "iGetFileSize = 1240\n",
                           "Open file - \"",
                           "_bufsiz = ",
                           "IF_SEND_BY_APP_SET_FLG=1\n",
                           "g_sSendSet.bySendBy=4\n",
                           "g_sSendSet.uwRecpLen[0]=16705\n",
                           "g_sSendSet.uwRecpLen[3]=",
                           "g_sSendSet.bySendFileNum=1\n",
                           "g_sSendSet.szFileFullName[0]=\"",
                           "g_sSendSet.byOperatorCountry=65\n",
                           "Url:\"",
                           "Password:\"",
                           "g_sSendSet.sSmtpSet.sz3GSmtpApN=",
                           "g_sSendSet.sSmtpSet.iPort=1094795585\n",
                           "g_sSendSet.sSmtpSet.szPassword=",
                           "Time(65-65-65, 65:65:65), bSet=65\n",
                           "g_sSendSet.bySendMode=65\n",
                           "g_sSendSet.szRemotePhoneNum=\"",
                           "g_sSendSet.byRemoteInterval=65\n",
                           "g_sSendSet.byRemoteSwitch=1\n",
                           "g_sSendSet.byOperatorCountry=65\ng_sSendSet.byOperator=65\n",
                           "g_sSendSet.byDailySendTime=65\n",
                           "g_sSendSet.sQorCloudSet.szAppKey\t=",
                           "g_sSendSet.sLongitude:\t(65)65\xA1\xA3"
                           "65'65\"\n",
                           "g_sSendSet.sLatitude:\t(65)65\xA1\xA3"
                           "65'65\"\n"};
    size_t pos = 0;
    for (const char* line : order) {
        size_t at = trace.find(line, pos);
        ASSERT_NE(at, std::string::npos) << "missing or out of order: " << line;
        pos = at + 1;
    }
    EXPECT_EQ(trace.find("sFtpSet"), std::string::npos);
}

TEST(SendSetFile, DefaultsRoundTrip) {
    TempDir dir;
    SendSet defaults;
    LoadSendSetDefaults(defaults);
    EXPECT_EQ(defaults.bySendBy, SEND_BY_MMS);
    EXPECT_EQ(defaults.byRemoteInterval, 25);
    EXPECT_EQ(defaults.byRemoteSwitch, 0);
    EXPECT_EQ(defaults.uwMaxSendImgNum, 49);
    EXPECT_EQ(defaults.sFtpSet.iPort, 21);
    EXPECT_STREQ(defaults.sFtpSet.szFtpDir, "/");

    ASSERT_TRUE(WriteSendSetTo(dir.path().c_str(), defaults));
    SendSet loaded = Filled(0xEE);
    CaptureStdout();
    ASSERT_EQ(ReadSendSetFrom(dir.path().c_str(), loaded, 0, kNoClock), 1);
    GetCapturedStdout();
    EXPECT_EQ(memcmp(&loaded, &defaults, sizeof loaded), 0);
}

TEST(SendSetFile, FailedWritesKeepTheEarlierFile) {
    TempDir dir;
    SendSet old = ZeroRecordWithFlag();
    old.bySendBy = SEND_BY_EMAIL;
    ASSERT_TRUE(WriteSendSetTo(dir.path().c_str(), old));
    const std::vector<uint8_t> before = ReadBytes(dir.File("CFG.BIN"));

    SendSet changed = ZeroRecordWithFlag();
    changed.bySendBy = SEND_BY_FTP;
    const SendSet changedCopy = changed;

    // A folder that does not exist.
    CaptureStdout();
    EXPECT_FALSE(WriteSendSetTo(dir.File("missing").c_str(), changed));
    std::string trace = GetCapturedStdout();
    EXPECT_NE(trace.find("Open file - \"" + dir.File("missing") + "/CFG.BIN\" err!\n" +
                         std::string(48, '_') + "\n"),
              std::string::npos);

    // Failure after the temporary file was written: the target is not replaced.
    g_pfnBeforeReplaceHook = [](const std::string&) { return false; };
    CaptureStdout();
    EXPECT_FALSE(WriteSendSetTo(dir.path().c_str(), changed));
    GetCapturedStdout();
    g_pfnBeforeReplaceHook = nullptr;

    EXPECT_EQ(ReadBytes(dir.File("CFG.BIN")), before);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"CFG.BIN"});
    EXPECT_EQ(memcmp(&changed, &changedCopy, sizeof changed), 0); // never scrambled in place
}

TEST(SendSetFile, GlobalsUseTheSaveFolder) {
    TempDir dir;
    ASSERT_TRUE(SetSavePath(dir.path().c_str()));
    LoadSendSetDefaults(g_sSendSet);
    g_sSendSet.sTime = {1, 2, 3, 4, 5, 6, 0};
    g_sSendSetClock = {1, 2, 3, 4, 5, 6};
    CaptureStdout();
    EXPECT_TRUE(WriteSendSetFile());
    EXPECT_EQ(ReadSendSetFile(1), 1);
    GetCapturedStdout();
    EXPECT_EQ(ReadBytes(dir.File("CFG.BIN")).size(), 1240u);
}

TEST(SendSetFile, ReadOnlyTargetStaysAndLeftoverTemporaryFileIsReplaced) {
    TempDir dir;
    SendSet rec = ZeroRecordWithFlag();
    ASSERT_TRUE(WriteSendSetTo(dir.path().c_str(), rec));
    const std::vector<uint8_t> before = ReadBytes(dir.File("CFG.BIN"));

    // A leftover of an interrupted write, even a read-only one, does not block the next write.
    WriteBytes(dir.File("CFG.BIN.~1-0-00000001.tmp"), {1, 2, 3});
    chmod(dir.File("CFG.BIN.~1-0-00000001.tmp").c_str(), 0444);
    MakeOlder(dir.File("CFG.BIN.~1-0-00000001.tmp"), kLeftoverAgeSeconds);
    rec.bySendBy = SEND_BY_EMAIL;
    CaptureStdout();
    EXPECT_TRUE(WriteSendSetTo(dir.path().c_str(), rec));
    EXPECT_EQ(dir.List(), std::vector<std::string>{"CFG.BIN"});

    // A file the user made read-only is not replaced.
    const std::vector<uint8_t> email = ReadBytes(dir.File("CFG.BIN"));
    EXPECT_NE(email, before);
    chmod(dir.File("CFG.BIN").c_str(), 0444);
    rec.bySendBy = SEND_BY_FTP;
    EXPECT_FALSE(WriteSendSetTo(dir.path().c_str(), rec));
    GetCapturedStdout();
    EXPECT_EQ(ReadBytes(dir.File("CFG.BIN")), email);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"CFG.BIN"});
}

// The limits the forms and camfile share: each within its field, a stored text always leaving
// room for its terminator, each name once.
TEST(SendSetFields, LimitsFitTheirFields) {
    std::set<std::string> names;
    for (size_t i = 0; i < kSendSetFieldLimitCount; ++i) {
        const SendSetFieldLimit& f = kSendSetFieldLimits[i];
        EXPECT_TRUE(names.insert(f.name).second) << f.name;
        EXPECT_EQ(FindSendSetFieldLimit(f.name), &f);
        ASSERT_LE(f.offset + f.size, static_cast<size_t>(SEND_SET_SIZE)) << f.name;
        if (f.text) {
            EXPECT_LT(static_cast<size_t>(f.maxValue), f.size) << f.name;
        } else {
            EXPECT_LT(f.maxValue, 1L << (8 * f.size)) << f.name;
            EXPECT_LE(std::to_string(f.maxValue).size(), static_cast<size_t>(f.editChars))
                << f.name;
        }
    }
    EXPECT_EQ(FindSendSetFieldLimit("sFtpSet.szUserName")->maxValue, 43);
    EXPECT_EQ(FindSendSetFieldLimit("sMmsSet.szPort")->editChars, 4);
    EXPECT_EQ(FindSendSetFieldLimit("nothing"), nullptr);
    EXPECT_EQ(EditCharsOf("nothing"), 0);
}

// Every wizard edit names a field the table has, with a limit its edit can take (a name the
// table lacks would leave the edit without a limit).
TEST(SendSetFields, EveryWizardEditNamesAFieldWithAnEditLimit) {
    const struct {
        const WizardEditField* edits;
        size_t count;
    } pages[] = {{kParamPageEditFields, kParamPageEditFieldCount},
                 {kCloudEditFields, kCloudEditFieldCount},
                 {kSendPageEditFields, kSendPageEditFieldCount}};
    for (const auto& page : pages) {
        for (size_t i = 0; i < page.count; ++i)
            EXPECT_GT(EditCharsOf(page.edits[i].field), 0) << page.edits[i].field;
    }
    // The recipients lead page 2's list in slot order: the page takes them back by slot.
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_EQ(kSendPageEditFields[slot].field, "szRecp[" + std::to_string(slot) + "]");
}

// camfile, run as a user runs it, on files written by the core's writers in a temporary folder.

#include "TempDir.h"

#include "CamFields.h"

#include "lang/OptionLists.h"
#include "menu/MenuData.h"
#include "sendset/OperatorPresets.h"
#include "sendset/SendSet.h"
#include "wizard/GenerateChecks.h"
#include "wizard/ParamPageModel.h"
#include "wizard/SendPageModel.h"

#include <gtest/gtest.h>

#include <cctype>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string ReadText(const std::string& path) {
    std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// camfile run by the shell after shellPrefix (such as a ulimit), its standard output sent to
// outTarget when one is given (such as /dev/full). A run that would wait forever is cut off
// after a minute (status 124).
RunResult CamfileIn(const std::string& shellPrefix, const std::vector<std::string>& args,
                    const std::string& outTarget = "") {
    TempDir io;
    std::string command = shellPrefix + "timeout 60 " + Quoted(CAMFILE_PATH);
    for (const std::string& a : args)
        command += " " + Quoted(a);
    command += " >" + Quoted(outTarget.empty() ? io.File("out") : outTarget) + " 2>" +
               Quoted(io.File("err"));
    const int raw = std::system(command.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return {status, ReadText(io.File("out")), ReadText(io.File("err"))};
}

RunResult Camfile(const std::vector<std::string>& args) {
    return CamfileIn("", args);
}

// Starts camfile without waiting for it, its output thrown away.
pid_t StartCamfile(const std::vector<std::string>& args, std::vector<std::string> env = {}) {
    std::vector<std::string> all = {CAMFILE_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        for (std::string& e : env)
            putenv(&e[0]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A small JSON validator: true when text is exactly one JSON value.
class JsonCheck {
public:
    explicit JsonCheck(const std::string& text) : s_(text) {}
    bool Valid() {
        Blank();
        if (!Value())
            return false;
        Blank();
        return i_ == s_.size();
    }

private:
    void Blank() {
        while (i_ < s_.size() && strchr(" \t\r\n", s_[i_]) != nullptr)
            ++i_;
    }
    bool Take(char c) {
        Blank();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool Literal(const char* word) {
        size_t n = strlen(word);
        if (s_.compare(i_, n, word) != 0)
            return false;
        i_ += n;
        return true;
    }
    bool String() {
        if (!Take('"'))
            return false;
        while (i_ < s_.size()) {
            unsigned char c = static_cast<unsigned char>(s_[i_++]);
            if (c == '"')
                return true;
            if (c < 0x20)
                return false;
            if (c != '\\')
                continue;
            if (i_ >= s_.size())
                return false;
            char e = s_[i_++];
            if (e == 'u') {
                for (int k = 0; k < 4; ++k) {
                    if (i_ >= s_.size() || !isxdigit(static_cast<unsigned char>(s_[i_++])))
                        return false;
                }
            } else if (strchr("\"\\/bfnrt", e) == nullptr) {
                return false;
            }
        }
        return false;
    }
    bool Number() {
        size_t start = i_;
        if (i_ < s_.size() && s_[i_] == '-')
            ++i_;
        while (i_ < s_.size() && isdigit(static_cast<unsigned char>(s_[i_])))
            ++i_;
        return i_ > start && isdigit(static_cast<unsigned char>(s_[i_ - 1]));
    }
    bool Value() {
        Blank();
        if (i_ >= s_.size())
            return false;
        char c = s_[i_];
        if (c == '"')
            return String();
        if (c == '{') {
            ++i_;
            if (Take('}'))
                return true;
            do {
                Blank();
                if (!String() || !Take(':') || !Value())
                    return false;
            } while (Take(','));
            return Take('}');
        }
        if (c == '[') {
            ++i_;
            if (Take(']'))
                return true;
            do {
                if (!Value())
                    return false;
            } while (Take(','));
            return Take(']');
        }
        return Literal("true") || Literal("false") || Literal("null") || Number();
    }

    std::string s_;
    size_t i_ = 0;
};

bool IsJson(const std::string& text) {
    return JsonCheck(text).Valid();
}

SendSet DefaultSendSet() {
    SendSet rec;
    LoadSendSetDefaults(rec);
    return rec;
}

MenuData DefaultMenu() {
    MenuData rec;
    LoadMenuDefaults(rec);
    return rec;
}

void WriteCfg(const TempDir& dir, const SendSet& rec) {
    CaptureStdout();
    ASSERT_TRUE(WriteSendSetTo(dir.path().c_str(), rec));
    GetCapturedStdout();
}

void WriteMenu(const TempDir& dir, const MenuData& rec) {
    CaptureStdout();
    ASSERT_TRUE(WriteMenuTo(dir.path().c_str(), rec));
    GetCapturedStdout();
}

SendSet ReadCfg(const TempDir& dir) {
    SendSet rec{};
    CaptureStdout();
    EXPECT_EQ(ReadSendSetFrom(dir.path().c_str(), rec, 0, SendSetClock{}), 1);
    GetCapturedStdout();
    return rec;
}

MenuData ReadMenu(const TempDir& dir) {
    MenuData rec{};
    CaptureStdout();
    EXPECT_EQ(ReadMenuFrom(dir.path().c_str(), rec, SaveClockData{}), 1);
    GetCapturedStdout();
    return rec;
}

// The record after the presets of (country, operator), as the 3G Parameter Settings page loads
// them.
// What Generate stores in every file it writes: one file name, no count, and no daily hour
// when sending immediately.
void ExpectGenerateStores(SendSet& rec) {
    rec.bySendFileNum = 0;
    memset(rec.szFileFullName[0], 0, sizeof rec.szFileFullName[0]);
    strcpy(rec.szFileFullName[0], "DCIM\\100IMA3G\\IMAG0001.JPG");
    if (rec.bySendMode == 0)
        rec.byDailySendTime = 24;
}

SendSet WithPresets(SendSet rec, int country, int op) {
    CaptureStdout();
    LoadMmsPresets(rec, country, op);
    Load3GPresets(rec, country, op);
    GetCapturedStdout();
    rec.byOperatorCountry = static_cast<uint8_t>(country);
    rec.byOperator = static_cast<uint8_t>(op);
    return rec;
}

} // namespace

TEST(CamfileFields, TablesCoverEachRecordByteAtMostOnceWithinTheRecord) {
    for (CamFileType type : {CamFileType::Cfg, CamFileType::Menu}) {
        const size_t size = type == CamFileType::Cfg ? SEND_SET_SIZE : MENU_DATA_SIZE;
        std::vector<int> owners(size, 0);
        for (const FieldInfo& f : FieldsOf(type)) {
            ASSERT_LE(f.offset + f.width, size) << f.name;
            for (size_t i = 0; i < f.width; ++i)
                ++owners[f.offset + i];
            EXPECT_EQ(FindField(type, f.name), &f) << f.name;
            if (f.kind == FieldKind::Text) {
                EXPECT_LT(static_cast<size_t>(f.maxChars), f.width) << f.name;
            }
        }
        for (size_t i = 0; i < size; ++i) {
            // Only the reserved bytes of CFG.BIN belong to no field.
            const bool reserved =
                type == CamFileType::Cfg && (i == 9 || (i >= 21 && i <= 23) || i == 347);
            EXPECT_EQ(owners[i], reserved ? 0 : 1) << "byte " << i;
        }
    }
}

TEST(CamfileShow, CfgFieldsByNameWithMeaningsAndSafeTexts) {
    TempDir dir;
    SendSet rec = WithPresets(DefaultSendSet(), 3, 0);
    rec.bySendBy = SEND_BY_EMAIL;
    rec.byRemoteInterval = 3;
    rec.byRemoteSwitch = 1;
    strcpy(rec.sSmtpSet.szServer, "smtp.example.com");
    memset(rec.szRemotePhoneNum, '9', sizeof rec.szRemotePhoneNum); // no terminator
    strcpy(rec.szRecp[2], "a\x01"
                          "b\xA1\"\\");
    rec.uwRecpLen[2] = 6;
    WriteCfg(dir, rec);

    RunResult r = Camfile({"show", dir.File("CFG.BIN")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_TRUE(Contains(r.out, "IF_SEND_BY_APP_SET_FLG=1\n"));
    EXPECT_TRUE(Contains(r.out, "  bySendBy                   2      Email\n"));
    EXPECT_TRUE(Contains(r.out, "  byRemoteInterval           3      03 Hours\n"));
    EXPECT_TRUE(Contains(r.out, "  byOperatorCountry          3      United Kingdom\n"));
    EXPECT_TRUE(Contains(r.out, "  byOperator                 0      Vodafone\n"));
    EXPECT_TRUE(Contains(r.out, "  sSmtpSet.szServer          \"smtp.example.com\"\n"));
    EXPECT_TRUE(Contains(r.out, "\"" + std::string(16, '9') + "\"\n")); // bounded by the field
    EXPECT_TRUE(Contains(r.out, "\"a\\x01b\\xA1\\\"\\\\\"\n"));
    EXPECT_FALSE(Contains(r.out, "sizeof = ")) << "the core's trace leaked into the output";

    // A folder stands for the camera file in it; JSON carries the same, byte for byte.
    RunResult json = Camfile({"show", "--json", dir.path()});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_TRUE(IsJson(json.out)) << json.out;
    EXPECT_TRUE(Contains(json.out, "\"bySendBy\": {\"value\": 2, \"meaning\": \"Email\"}"));
    EXPECT_TRUE(Contains(json.out, "\"szRecp[2]\": {\"value\": \"a\\u0001b\\u00a1\\\"\\\\\"}"));
    EXPECT_TRUE(Contains(json.out, "\"appSetFlag\": true"));
}

TEST(CamfileShow, MenuFieldsWithUnitsLanguageAndSerial) {
    TempDir dir;
    MenuData rec = DefaultMenu();
    rec.Interval = 0x81;
    rec.Language = 3;
    rec.VideoLen = 59;
    rec.CapMode = 2;
    const uint8_t serial[4] = {10, 11, 1, 35};
    memcpy(rec.Serial, serial, 4);
    WriteMenu(dir, rec);

    RunResult r = Camfile({"show", dir.File("menu.dat")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "menu.dat: "));
    EXPECT_TRUE(Contains(r.out, "  Interval                   129    1 second\n"));
    EXPECT_TRUE(Contains(r.out, "  Language                   3      German\n"));
    EXPECT_TRUE(Contains(r.out, "  VideoLen                   59     60 s\n"));
    EXPECT_TRUE(Contains(r.out, "  CapMode                    2      Camera+Video\n"));
    EXPECT_TRUE(Contains(r.out, "  Serial[3]                  35     Z\n"));
    EXPECT_TRUE(Contains(r.out, "  Tail[0]                    143\n"));

    RunResult json = Camfile({"show", "--json", dir.File("menu.dat")});
    EXPECT_EQ(json.status, 0);
    EXPECT_TRUE(IsJson(json.out)) << json.out;
    EXPECT_TRUE(Contains(json.out, "\"Interval\": {\"value\": 129, \"meaning\": \"1 second\"}"));
}

TEST(CamfileShow, RefusesWhatIsNotACameraFile) {
    TempDir dir;
    const struct {
        std::string name;
        size_t size;
        uint8_t byte;
        const char* says;
    } cases[] = {
        {"menu.dat", 43, 0x69, "43 bytes; a menu.dat has 44"},
        {"CFG.BIN", 1241, 0x69, "1241 bytes; a CFG.BIN has 1240"},
        {"card.bin", 100, 0x69, "neither a CFG.BIN (1240 bytes) nor a menu.dat (44 bytes)"},
        {"zero.bin", 1240, 0x00, "layout flag"}, // 1240 bytes that decode to another layout
    };
    for (const auto& c : cases) {
        WriteBytes(dir.File(c.name), std::vector<uint8_t>(c.size, c.byte));
        RunResult r = Camfile({"show", dir.File(c.name)});
        EXPECT_EQ(r.status, 2) << c.name;
        EXPECT_TRUE(Contains(r.err, c.says)) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
    EXPECT_EQ(Camfile({"show", dir.File("missing")}).status, 2);

    TempDir both;
    WriteCfg(both, DefaultSendSet());
    WriteMenu(both, DefaultMenu());
    RunResult r = Camfile({"show", both.path()});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "both CFG.BIN and menu.dat"));
    EXPECT_EQ(Camfile({"show", "--type", "menu", both.path()}).status, 0);
    RunResult wrongType = Camfile({"show", "--type", "menu", both.File("CFG.BIN")});
    EXPECT_EQ(wrongType.status, 2);
    EXPECT_TRUE(Contains(wrongType.err, "is a CFG.BIN, not a menu.dat"));
}

TEST(CamfileSet, NewFilesEqualTheCoreWritersOutputByteForByte) {
    TempDir tool, core;
    RunResult r =
        Camfile({"set", "--new", "--keep-time", tool.File("CFG.BIN"), "bySendBy=Email",
                 "country=United Kingdom", "operator=Orange", "sSmtpSet.szServer=smtp.example.com",
                 "sSmtpSet.iPort=587", "sSmtpSet.szAddr=cam@example.com",
                 "szRecp[2]=me@example.com", "byRemoteInterval=02 Hours"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "wrote " + tool.File("CFG.BIN") + "\n");
    SendSet expect = WithPresets(DefaultSendSet(), 3, 2);
    expect.bySendBy = SEND_BY_EMAIL;
    strcpy(expect.sSmtpSet.szServer, "smtp.example.com");
    expect.sSmtpSet.iPort = 587;
    strcpy(expect.sSmtpSet.szAddr, "cam@example.com");
    strcpy(expect.sSmtpSet.szUserName, "cam@example.com"); // mirrors the address
    strcpy(expect.szRecp[2], "me@example.com");
    expect.uwRecpLen[2] = 14;
    expect.byRemoteInterval = 2;
    expect.byRemoteSwitch = 1;
    ExpectGenerateStores(expect);
    WriteCfg(core, expect);
    EXPECT_EQ(ReadBytes(tool.File("CFG.BIN")), ReadBytes(core.File("CFG.BIN")));
    EXPECT_EQ(tool.List(), std::vector<std::string>{"CFG.BIN"}); // no temporary file left
    // An operator parameter the presets fill is not typed over them: Next Page would load them.
    r = Camfile({"set", "--keep-time", tool.File("CFG.BIN"), "sMmsSet.szApn=own.apn"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "sMmsSet.szApn comes from the presets of United Kingdom / Orange; "
                                "give country=Others to type it"))
        << r.err;
    EXPECT_EQ(ReadBytes(tool.File("CFG.BIN")), ReadBytes(core.File("CFG.BIN")));

    r = Camfile({"set", "--new", "--keep-time", tool.File("menu.dat"), "CapMode=Video",
                 "Language=German", "Interval=30s", "VideoLen=20s", "Serial=ab12", "Timer1On=On",
                 "Timer1EndHour=6", "TimeLapse=On", "SenseLevel=High"});
    ASSERT_EQ(r.status, 0) << r.err;
    MenuData menu = DefaultMenu();
    menu.CapMode = 1;
    menu.Language = 3;
    menu.Interval = 0x80 | 30;
    menu.VideoLen = 19;
    const uint8_t serial[4] = {10, 11, 1, 2};
    memcpy(menu.Serial, serial, 4);
    menu.Timer1On = 1;
    menu.Timer1EndHour = 6;
    menu.TimeLapse = 0;
    menu.SenseLevel = 1;
    WriteMenu(core, menu);
    EXPECT_EQ(ReadBytes(tool.File("menu.dat")), ReadBytes(core.File("menu.dat")));
}

TEST(CamfileSet, ChangesExistingFilesKeepingEverythingElse) {
    TempDir dir;
    SendSet rec = WithPresets(DefaultSendSet(), 21, 1);
    rec.byReserved1 = 0x5A; // reserved bytes keep what the file gave them
    rec.byReserved2[1] = 0xC3;
    strcpy(rec.sFtpSet.szServer, "ftp.example.com");
    WriteCfg(dir, rec);
    RunResult r =
        Camfile({"set", "--keep-time", dir.path(), "bySendMode=Daily Send", "byDailySendTime=7",
                 "sFtpSet.iFtpDirType=Specify", "sFtpSet.szFtpDir=/cams/one", "sLongitude.byDir=W",
                 "sLongitude.byDeg=180"});
    ASSERT_EQ(r.status, 0) << r.err;
    SendSet expect = rec;
    expect.bySendMode = 1;
    expect.byDailySendTime = 7;
    expect.sFtpSet.iFtpDirType = 1;
    strcpy(expect.sFtpSet.szFtpDir, "/cams/one");
    expect.sLongitude.byDir = 1;
    expect.sLongitude.byDeg = 180;
    expect.bySendImgSize = 1; // MMS carries thumbnails only
    ExpectGenerateStores(expect);
    SendSet got = ReadCfg(dir);
    EXPECT_EQ(memcmp(&got, &expect, sizeof got), 0);

    // Root puts "/" back; the remote switch follows the interval.
    ASSERT_EQ(Camfile({"set", "--keep-time", dir.path(), "sFtpSet.iFtpDirType=Root",
                       "byRemoteInterval=Remote Off"})
                  .status,
              0);
    got = ReadCfg(dir);
    EXPECT_STREQ(got.sFtpSet.szFtpDir, "/");
    EXPECT_EQ(got.byRemoteInterval, REMOTE_INTERVAL_OFF);
    EXPECT_EQ(got.byRemoteSwitch, 0);

    // Manual input empties the operator parameters, as leaving the presets on the page does.
    ASSERT_EQ(Camfile({"set", "--keep-time", dir.path(), "country=Others"}).status, 0);
    got = ReadCfg(dir);
    EXPECT_EQ(got.byOperatorCountry, OPERATOR_COUNTRY_MANUAL);
    EXPECT_STREQ(got.sMmsSet.szUrl, "");
    EXPECT_STREQ(got.sSmtpSet.sz3GSmtpApN, "");
    EXPECT_STREQ(got.sFtpSet.szServer, "ftp.example.com");
}

TEST(CamfileSet, ListTextsAndStoredNumbersGiveTheSameFile) {
    const std::vector<std::pair<std::string, std::string>> same = {
        {"bySendBy=QOR Camera Cloud System", "bySendBy=4"},
        {"byRemoteInterval=10 minutes", "byRemoteInterval=0"},
        {"byRemoteInterval=1 hours", "byRemoteInterval=1"},
        {"bySendImgSize=thumbnail", "bySendImgSize=1"},
        {"country=Deutschland", "byOperatorCountry=2"},
        {"bySendBy=邮件", "bySendBy=2"},
    };
    for (const auto& p : same) {
        TempDir a, b;
        ASSERT_EQ(Camfile({"set", "--new", "--keep-time", a.File("CFG.BIN"), p.first}).status, 0)
            << p.first;
        ASSERT_EQ(Camfile({"set", "--new", "--keep-time", b.File("CFG.BIN"), p.second}).status, 0);
        EXPECT_EQ(ReadBytes(a.File("CFG.BIN")), ReadBytes(b.File("CFG.BIN"))) << p.first;
    }
    const std::vector<std::pair<std::string, std::string>> sameMenu = {
        {"CapMode=video", "CapMode=1"},     {"Interval=5 min", "Interval=5"},
        {"Language=Polish", "Language=14"}, {"PicNum=3 photos", "PicNum=2"},
        {"Serial[2]=Z", "Serial[2]=35"},    {"ImgSize=5MP", "ImgSize=1"},
    };
    for (const auto& p : sameMenu) {
        TempDir a, b;
        ASSERT_EQ(
            Camfile({"set", "--new", "--keep-time", "--type", "menu", a.File("m"), p.first}).status,
            0)
            << p.first;
        ASSERT_EQ(
            Camfile({"set", "--new", "--keep-time", "--type=menu", b.File("m"), p.second}).status,
            0);
        EXPECT_EQ(ReadBytes(a.File("m")), ReadBytes(b.File("m"))) << p.first;
    }
}

TEST(CamfileSet, RefusalsNameTheFieldAndLeaveTheFileByteForByte) {
    TempDir dir;
    WriteCfg(dir, WithPresets(DefaultSendSet(), 0, 0));
    WriteMenu(dir, DefaultMenu());
    const std::vector<uint8_t> cfgBefore = ReadBytes(dir.File("CFG.BIN"));
    const std::vector<uint8_t> menuBefore = ReadBytes(dir.File("menu.dat"));
    const std::string fits60(60, 's');
    const struct {
        const char* file;
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {"CFG.BIN", {"nosuch=1"}, "nosuch: no such field in CFG.BIN"},
        {"CFG.BIN", {"bySendBy=5"}, "bySendBy: 5 is out of range 0..4"},
        {"CFG.BIN", {"bySendBy=Fax"}, "bySendBy: \"Fax\" is not a value"},
        {"CFG.BIN", {"sSmtpSet.szServer=" + fits60 + "x"}, "61 characters, at most 60 fit"},
        {"CFG.BIN", {"szRecp[0]=0123456789012345"}, "szRecp[0]: 16 characters, at most 15"},
        {"CFG.BIN", {"sFtpSet.szUserName=" + std::string(44, 'u')}, "at most 43 fit"},
        {"CFG.BIN", {"szRecp[1]=12ab"}, "szRecp[1]: the character 'a' is not allowed"},
        {"CFG.BIN", {"sSmtpSet.szPassword=pa\xE5ss"}, "only printable ASCII"},
        {"CFG.BIN", {"sSmtpSet.iPort=65536"}, "sSmtpSet.iPort: 65536 is out of range 0..65535"},
        {"CFG.BIN", {"uwMaxSendImgNum=-1"}, "uwMaxSendImgNum: -1 is out of range 0..9999"},
        // Beyond 32 bits, a value is not cut down to its low bits.
        {"CFG.BIN", {"sSmtpSet.iPort=4294967317"}, "sSmtpSet.iPort: \"4294967317\" is not a"},
        {"CFG.BIN", {"bySendBy=4294967298"}, "bySendBy: \"4294967298\" is not a value"},
        {"CFG.BIN", {"bySendBy=0x100000002"}, "bySendBy: \"0x100000002\" is not a value"},
        {"CFG.BIN", {"operator=Vodafone"}, "not an operator offered for China"},
        {"CFG.BIN", {"country=Spain", "operator=4"}, "4 is out of range 0..3"},
        {"CFG.BIN", {"byRemoteSwitch=1"}, "byRemoteSwitch: cannot be set"},
        {"CFG.BIN", {"uwRecpLen[0]=3"}, "uwRecpLen[0]: cannot be set"},
        {"CFG.BIN", {"sLatitude.byDeg=90", "sLatitude.bySec=1"}, "sLatitude: at most 90"},
        {"CFG.BIN", {"sFtpSet.szFtpDir=/x"}, "needs sFtpSet.iFtpDirType=Specify"},
        // Page 1 opened on such a file loads the first row's presets at Next Page.
        {"CFG.BIN",
         {"country=Others", "bySendBy=Close 3G"},
         "with bySendBy=Close 3G in manual input (country=Others), the wizard opens page 1 "
         "showing \"Select Operator\""},
        {"CFG.BIN", {"bySendBy"}, "\"bySendBy\" is not FIELD=VALUE"},
        // A type the name contradicts: no file of the other kind is replaced.
        {"menu.dat", {"--new", "--type", "cfg"}, "--type cfg, but the file is named menu.dat"},
        {"CFG.BIN", {"--type", "menu", "CapMode=Video"}, "--type menu, but the file is named"},
        {"CFG.BIN", {"Language=German"}, "Language: no such field in CFG.BIN"},
        {"menu.dat", {"Interval=61s"}, "Interval: a count of 61 is out of range 0..60"},
        {"menu.dat", {"VideoLen=61s"}, "VideoLen: 61 seconds is out of range 1..60"},
        {"menu.dat", {"Language=0"}, "Language: 0 is out of range 1..14"},
        {"menu.dat", {"Serial=AB1"}, "Serial: give exactly four characters"},
        {"menu.dat", {"Serial=AB1-"}, "Serial: '-' is not one of 0-9 or A-Z"},
        {"menu.dat", {"Tail[0]=0"}, "Tail[0]: cannot be set"},
        {"menu.dat", {"Hour=5"}, "Hour: the clock is set by hand only with ClockMode=Input"},
        {"menu.dat", {"ClockMode=Input", "Year=2100"}, "Year: 2100 is out of range 2016..2099"},
        {"menu.dat",
         {"ClockMode=Input", "Year=2023", "Month=2", "Day=29"},
         "Day: 29 is out of range 1..28 for 2023-2"},
        {"menu.dat", {"CapMode=Photo"}, "CapMode: \"Photo\" is not a value"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"set", dir.File(c.file)};
        args.insert(args.end(), c.args.begin(), c.args.end());
        RunResult r = Camfile(args);
        EXPECT_EQ(r.status, 2) << c.args[0];
        EXPECT_TRUE(Contains(r.err, c.says)) << c.args[0] << ": " << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(ReadBytes(dir.File("CFG.BIN")), cfgBefore);
    EXPECT_EQ(ReadBytes(dir.File("menu.dat")), menuBefore);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"CFG.BIN", "menu.dat"}));
    // A valid file of the other kind under another name is not replaced by a new one either.
    WriteBytes(dir.File("camera.bin"), menuBefore);
    EXPECT_EQ(
        Camfile({"set", "--new", "--type", "cfg", dir.File("camera.bin"), "bySendBy=Email"}).status,
        2);
    EXPECT_EQ(ReadBytes(dir.File("camera.bin")), menuBefore);

    // The longest texts that fit are taken.
    ASSERT_EQ(Camfile({"set", "--keep-time", dir.File("CFG.BIN"), "sSmtpSet.szServer=" + fits60,
                       "szRecp[0]=+12345678901234"})
                  .status,
              0);
    EXPECT_STREQ(ReadCfg(dir).sSmtpSet.szServer, fits60.c_str());
}

// The file the wizard writes when opened on the card's CFG.BIN and generated with nothing touched,
// its time stamp kept.
std::vector<uint8_t> WizardWritesAgain(const TempDir& dir) {
    SendSet rec = ReadCfg(dir), saved{};
    int noCmd22 = 0;
    ParamPageModel page1(WizardRecords{&rec, &saved, &noCmd22});
    SendPageModel page2(WizardRecords{&rec, &saved, &noCmd22}, page1);
    CaptureStdout();
    page1.Open([] { return true; }, false);
    page1.NextPage();
    page2.Open(false);
    page2.StoreAsGenerate(GenerateClock{2026, 12, 9, 10, 0, 0});
    GetCapturedStdout();
    rec.sTime = ReadCfg(dir).sTime;
    std::vector<uint8_t> image(SEND_SET_SIZE);
    BuildSendSetImage(rec, image.data());
    return image;
}

// set is the wizard's user: what the pages would replace is refused with what to give instead,
// and where the pages take or keep a value, set writes what the wizard writes.
TEST(CamfileSet, WritesWhatTheWizardWritesForTheSameEvents) {
    SendSet remote = WithPresets(DefaultSendSet(), 3, 0); // United Kingdom / Vodafone
    remote.bySendBy = SEND_BY_MMS;
    remote.byRemoteInterval = 0;
    remote.byRemoteSwitch = 1;
    const struct {
        const SendSet* file; // null: --new
        std::vector<std::string> args;
        int status;
        const char* says;       // on standard error when refused
        const char* apn;        // sSmtpSet.sz3GSmtpApN written
        const char* netAccount; // sSmtpSet.sz3GSmtpAccount written
    } rows[] = {
        {nullptr,
         {"bySendBy=MMS", "szRecp[0]=13800138000", "sMmsSet.szUrl=http://custom.example"},
         2,
         "sMmsSet.szUrl comes from the presets of China / China Unicom; give country=Others to "
         "type it",
         nullptr,
         nullptr},
        {nullptr,
         {"bySendBy=FTP", "country=3", "operator=0", "sSmtpSet.sz3GSmtpApN=custom.apn"},
         2,
         "sSmtpSet.sz3GSmtpApN comes from the presets of United Kingdom / Vodafone",
         nullptr,
         nullptr},
        // The first Next Page loads the row's 3G presets before remote control is switched on.
        {nullptr,
         {"--no-remote-cmd22", "byRemoteInterval=10 Minutes", "szRemotePhoneNum=12345",
          "szRecp[0]=1"},
         0,
         nullptr,
         "3gnet",
         ""},
        // With command 22 unused, page 1 leaves the 3G edits as they were: Vodafone's stay.
        {&remote, {"--no-remote-cmd22", "operator=Orange"}, 0, nullptr, "internet", "web"},
        // Typed in manual input, the 3G settings are the user's.
        {nullptr,
         {"bySendBy=FTP", "country=Others", "sSmtpSet.sz3GSmtpApN=custom.apn"},
         0,
         nullptr,
         "custom.apn",
         ""},
    };
    for (const auto& row : rows) {
        TempDir dir;
        std::vector<std::string> args = {"set", "--keep-time"};
        if (row.file != nullptr)
            WriteCfg(dir, *row.file);
        else
            args.push_back("--new");
        args.push_back(dir.File("CFG.BIN"));
        args.insert(args.end(), row.args.begin(), row.args.end());
        const RunResult r = Camfile(args);
        EXPECT_EQ(r.status, row.status) << row.args.back() << ": " << r.err;
        EXPECT_TRUE(row.says == nullptr || Contains(r.err, row.says)) << r.err;
        if (row.apn == nullptr)
            continue;
        const SendSet got = ReadCfg(dir);
        EXPECT_STREQ(got.sSmtpSet.sz3GSmtpApN, row.apn) << row.args.back();
        EXPECT_STREQ(got.sSmtpSet.sz3GSmtpAccount, row.netAccount) << row.args.back();
    }

    // A card that sends by FTP with remote control, stopped: the file is one the wizard, opened
    // on it, writes again.
    TempDir dir;
    ASSERT_EQ(Camfile({"set", "--new", "--keep-time", dir.File("CFG.BIN"), "bySendBy=FTP",
                       "country=United Kingdom", "operator=Vodafone", "byRemoteInterval=01 Hours",
                       "sFtpSet.szServer=ftp.example.com", "sFtpSet.szUserName=u",
                       "sFtpSet.szPassword=p", "szRemotePhoneNum=123456"})
                  .status,
              0);
    const RunResult stop = Camfile({"set", dir.File("CFG.BIN"), "bySendBy=Close 3G"});
    EXPECT_EQ(stop.status, 0) << stop.err;
    EXPECT_EQ(ReadCfg(dir).bySendBy, SEND_BY_CLOSE_3G);
    EXPECT_EQ(WizardWritesAgain(dir), ReadBytes(dir.File("CFG.BIN")));
}

TEST(CamfileSet, ChoicesLoadAndStoreWhatTheWizardWould) {
    TempDir dir;
    // The preselected China / China Unicom presets, as Next Page loads them for MMS.
    RunResult r = Camfile({"set", "--new", "--check", "--keep-time", dir.File("CFG.BIN"),
                           "bySendBy=MMS", "szRecp[0]=13800138000"});
    ASSERT_EQ(r.status, 0) << r.err;
    SendSet expect = WithPresets(DefaultSendSet(), 0, 0);
    expect.bySendBy = SEND_BY_MMS;
    strcpy(expect.szRecp[0], "13800138000");
    expect.uwRecpLen[0] = 11;
    expect.bySendImgSize = 1;
    ExpectGenerateStores(expect);
    SendSet got = ReadCfg(dir);
    EXPECT_EQ(memcmp(&got, &expect, sizeof got), 0);
    EXPECT_STREQ(got.sMmsSet.szGateway, "10.0.0.172");
    EXPECT_STREQ(got.sSmtpSet.sz3GSmtpApN, "3gnet");

    // Choices in the order given: manual input after the country empties its presets, and a
    // country after manual input returns to the presets.
    ASSERT_EQ(Camfile({"set", "--keep-time", dir.File("CFG.BIN"), "country=United Kingdom",
                       "country=Others", "sMmsSet.szUrl=mms.example.com"})
                  .status,
              0);
    got = ReadCfg(dir);
    EXPECT_EQ(got.byOperatorCountry, OPERATOR_COUNTRY_MANUAL);
    EXPECT_STREQ(got.sMmsSet.szUrl, "mms.example.com");
    EXPECT_STREQ(got.sMmsSet.szApn, "");
    ASSERT_EQ(Camfile({"set", "--keep-time", dir.File("CFG.BIN"), "country=Deutschland"}).status,
              0);
    got = ReadCfg(dir);
    EXPECT_EQ(got.byOperatorCountry, 2);
    EXPECT_STREQ(got.sMmsSet.szUrl, WithPresets(DefaultSendSet(), 2, 0).sMmsSet.szUrl);

    // What Generate would store otherwise is refused, and the file stays as it was.
    const std::vector<uint8_t> before = ReadBytes(dir.File("CFG.BIN"));
    r = Camfile({"set", dir.File("CFG.BIN"), "bySendFileNum=4"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "bySendFileNum: the wizard stores 0")) << r.err;
    r = Camfile({"set", dir.File("CFG.BIN"), "bySendBy=Email", "byDailySendTime=7"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "byDailySendTime: the wizard stores 24")) << r.err;
    EXPECT_EQ(ReadBytes(dir.File("CFG.BIN")), before);
    // A field given twice: the later value counts.
    EXPECT_EQ(Camfile({"set", dir.File("CFG.BIN"), "bySendBy=Email", "bySendBy=MMS"}).status, 0);
    EXPECT_EQ(ReadCfg(dir).bySendBy, SEND_BY_MMS);

    // Full images by e-mail, except for the basic models, which send thumbnails only.
    ASSERT_EQ(
        Camfile({"set", dir.File("CFG.BIN"), "bySendBy=Email", "bySendImgSize=Full Image"}).status,
        0);
    EXPECT_EQ(ReadCfg(dir).bySendImgSize, 0);
    ASSERT_EQ(Camfile({"set", "--basic", dir.File("CFG.BIN"), "bySendBy=Email"}).status, 0);
    EXPECT_EQ(ReadCfg(dir).bySendImgSize, 1);
    r = Camfile({"set", "--basic", dir.File("CFG.BIN"), "bySendImgSize=Full Image"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "bySendImgSize: the wizard stores 1")) << r.err;
}

TEST(CamfileSet, StampsTheTimeAsGenerateDoesUnlessKept) {
    TempDir dir;
    std::time_t t = std::time(nullptr);
    std::tm now{};
    localtime_r(&t, &now);
    ASSERT_EQ(Camfile({"set", "--new", dir.File("CFG.BIN"), "bySendBy=FTP"}).status, 0);
    SendSet cfg = ReadCfg(dir);
    EXPECT_EQ(cfg.sTime.byYear, now.tm_year + 1900 - 2000);
    EXPECT_EQ(cfg.sTime.byMonth, now.tm_mon + 1);
    EXPECT_EQ(cfg.sTime.bSet, 0);

    // Auto takes this computer's time; Input keeps the time given.
    ASSERT_EQ(Camfile({"set", "--new", dir.File("menu.dat"), "DateFormat=YYMMDD"}).status, 0);
    MenuData menu = ReadMenu(dir);
    EXPECT_EQ(menu.ClockMode, 0);
    EXPECT_EQ(menu.Year, now.tm_year + 1900);
    ASSERT_EQ(Camfile({"set", dir.File("menu.dat"), "ClockMode=Input", "Year=2024", "Month=2",
                       "Day=29", "Hour=23", "Minute=5", "Second=0"})
                  .status,
              0);
    menu = ReadMenu(dir);
    EXPECT_EQ(menu.ClockMode, 1);
    EXPECT_EQ(menu.Year, 2024);
    EXPECT_EQ(menu.Day, 29);
    EXPECT_EQ(menu.Hour, 23);
    ASSERT_EQ(Camfile({"set", dir.File("menu.dat"), "SdCycle=On"}).status, 0);
    EXPECT_EQ(ReadMenu(dir).Year, 2024); // Input mode: the clock stays as given
}

TEST(CamfileCheck, PrintsTheFirstFailingMessageInEitherLanguage) {
    TempDir dir;
    SendSet rec = DefaultSendSet(); // MMS without any recipient
    WriteCfg(dir, rec);
    const std::vector<uint8_t> before = ReadBytes(dir.File("CFG.BIN"));
    RunResult r = Camfile({"check", dir.File("CFG.BIN")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "Generate failed!\nPlease enter at least one phone number or email address.\n");
    r = Camfile({"check", "--lang", "zh", dir.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "未生成配置文件！\n请输入至少一个手机号码或邮箱地址。\n");
    EXPECT_EQ(ReadBytes(dir.File("CFG.BIN")), before);

    // FTP without a user name: message 17, whose bare carriage return ends a line here too.
    rec.bySendBy = SEND_BY_FTP;
    strcpy(rec.sFtpSet.szServer, "ftp.example.com");
    strcpy(rec.sFtpSet.szPassword, "secret");
    WriteCfg(dir, rec);
    r = Camfile({"check", "--json", dir.File("CFG.BIN")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(IsJson(r.out)) << r.out;
    EXPECT_TRUE(Contains(r.out, "\"result\": \"fail\", \"message\": 17"));
    EXPECT_EQ(Camfile({"check", dir.File("CFG.BIN")}).out,
              "Generate failed!\nFTP account error!\n");

    // Remote control on: the remote e-mail is checked unless command 22 is not used.
    strcpy(rec.sFtpSet.szUserName, "cam");
    rec.byRemoteInterval = 0;
    rec.byRemoteSwitch = 1;
    strcpy(rec.szRemotePhoneNum, "12345");
    WriteCfg(dir, rec);
    r = Camfile({"check", dir.File("CFG.BIN")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.out, "remote control receiving email")) << r.out;
    r = Camfile({"check", "--no-remote-cmd22", dir.File("CFG.BIN")});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "All checks pass.\n");

    // set --check refuses to write what Generate would refuse.
    const std::vector<uint8_t> passing = ReadBytes(dir.File("CFG.BIN"));
    r = Camfile({"set", "--check", "--no-remote-cmd22", dir.File("CFG.BIN"), "sFtpSet.iPort=0"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "Please enter FTP port.")) << r.err;
    EXPECT_EQ(ReadBytes(dir.File("CFG.BIN")), passing);
    EXPECT_EQ(Camfile({"check", "--type", "menu", dir.File("CFG.BIN")}).status, 2);
}

TEST(CamfileHelp, EveryCommandExplainsItselfAndBadUsageIsRefused) {
    RunResult r = Camfile({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Contains(r.out, "Usage: camfile COMMAND"));
    for (const char* command : {"show", "check", "set", "fields"}) {
        r = Camfile({command, "--help"});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_TRUE(Contains(r.out, std::string("Usage: camfile ") + command)) << command;
        EXPECT_EQ(Camfile({"help", command}).out, r.out);
        EXPECT_EQ(Camfile({command, "-h"}).out, r.out) << command;
    }
    r = Camfile({"fields", "menu"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Contains(r.out, "  Language                   1..14\n"));
    EXPECT_TRUE(Contains(r.out, "1 Chinese, 2 English, 3 German"));
    r = Camfile({"fields", "--lang", "zh", "menu"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Contains(r.out, "1 简体中文, 2 英语, 3 德语"));

    EXPECT_EQ(Camfile({}).status, 2);
    EXPECT_EQ(Camfile({"frobnicate"}).status, 2);
    r = Camfile({"show", "--bogus", "x"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "unknown option --bogus"));
    TempDir dir;
    r = Camfile({"set", "--new", dir.File("card.cfg"), "bySendBy=1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "give --type cfg or --type menu"));
    EXPECT_EQ(Camfile({"set", "--new", dir.path(), "bySendBy=1"}).status, 2);
    EXPECT_TRUE(dir.List().empty());
    EXPECT_EQ(Camfile({"set", "--new", "--type", "cfg", dir.path()}).status, 0);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"CFG.BIN"});
}

TEST(CamfileSet, ConcurrentWritersLeaveOneWholeFileAndEachReportsItsOwnWrite) {
    // Pairs of writers of one file at once, and a reader looking at the file all the while: at
    // every moment it must be one complete file (the earlier one or one of the new ones), and
    // each writer, whose write did take the old file's place, must say so.
    TempDir dir;
    WriteCfg(dir, DefaultSendSet());
    const std::string path = dir.File("CFG.BIN");
    // CAMSETUP_WRITER_PAIRS asks for a longer run.
    const char* pairsWanted = getenv("CAMSETUP_WRITER_PAIRS");
    const int kPairs = pairsWanted != nullptr ? atoi(pairsWanted) : 100;
    int reads = 0, torn = 0, wrongExit = 0, lost = 0;
    int32_t earlierPort = DefaultSendSet().sSmtpSet.iPort;
    for (int pair = 0; pair < kPairs; ++pair) {
        const int32_t ports[2] = {1000 + 2 * pair, 1001 + 2 * pair};
        pid_t writers[2];
        for (int w = 0; w < 2; ++w)
            writers[w] = StartCamfile(
                {"set", "--keep-time", path, "sSmtpSet.iPort=" + std::to_string(ports[w])});
        int running = 2;
        while (running > 0) {
            // Its size, often (an empty file lives a moment only), and its content.
            for (int look = 0; look < 20; ++look) {
                struct stat st;
                ++reads;
                if (stat(path.c_str(), &st) != 0 || st.st_size != SEND_SET_SIZE)
                    ++torn;
            }
            std::vector<uint8_t> bytes = ReadBytes(path);
            SendSet seen{};
            ++reads;
            if (bytes.size() == SEND_SET_SIZE) {
                DecodeCfgBuffer(bytes.data(), SEND_SET_SIZE);
                memcpy(&seen, bytes.data(), sizeof seen);
            }
            if (seen.StructFlag != SEND_SET_STRUCT_FLAG ||
                (seen.sSmtpSet.iPort != earlierPort && seen.sSmtpSet.iPort != ports[0] &&
                 seen.sSmtpSet.iPort != ports[1]))
                ++torn;
            for (pid_t& pid : writers) {
                int status = 0;
                if (pid <= 0 || waitpid(pid, &status, WNOHANG) != pid)
                    continue;
                pid = 0;
                --running;
                if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
                    ++wrongExit;
            }
        }
        const SendSet after = ReadCfg(dir);
        if (after.sSmtpSet.iPort != ports[0] && after.sSmtpSet.iPort != ports[1])
            ++lost;
        earlierPort = after.sSmtpSet.iPort;
    }
    printf("%d concurrent pairs, %d looks: %d empty or torn files, %d wrong exit codes, %d "
           "pairs whose writes both vanished\n",
           kPairs, reads, torn, wrongExit, lost);
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(wrongExit, 0);
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"CFG.BIN"});
}

TEST(CamfileSet, KeepsTheFilesModeAndWritesThroughALink) {
    TempDir dir, card;
    WriteCfg(card, DefaultSendSet());
    ASSERT_EQ(chmod(card.File("CFG.BIN").c_str(), 0600), 0); // it holds passwords
    ASSERT_EQ(symlink(card.File("CFG.BIN").c_str(), dir.File("CFG.BIN").c_str()), 0);

    ASSERT_EQ(Camfile({"set", dir.File("CFG.BIN"), "sSmtpSet.iPort=2525"}).status, 0);
    struct stat st;
    ASSERT_EQ(lstat(dir.File("CFG.BIN").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link was replaced by a file";
    ASSERT_EQ(stat(card.File("CFG.BIN").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(ReadCfg(card).sSmtpSet.iPort, 2525);
    EXPECT_EQ(card.List(), std::vector<std::string>{"CFG.BIN"});

    // Run by root, the write leaves the file to its owner.
    if (geteuid() == 0) {
        ASSERT_EQ(chown(card.File("CFG.BIN").c_str(), 65534, 65534), 0);
        ASSERT_EQ(Camfile({"set", card.File("CFG.BIN"), "sSmtpSet.iPort=26"}).status, 0);
        ASSERT_EQ(stat(card.File("CFG.BIN").c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
    }

    // A new file gets the usual permissions of new files.
    const mode_t mask = umask(022);
    umask(mask);
    ASSERT_EQ(Camfile({"set", "--new", card.File("menu.dat")}).status, 0);
    ASSERT_EQ(stat(card.File("menu.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask);
}

TEST(CamfileSet, WhatIsNotARegularFileIsRefusedAtOnce) {
    TempDir dir, fifoCard, dangling;
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0644), 0);
    ASSERT_EQ(mkfifo(fifoCard.File("CFG.BIN").c_str(), 0644), 0);
    ASSERT_EQ(symlink(dir.File("nothing").c_str(), dangling.File("CFG.BIN").c_str()), 0);
    const std::vector<std::vector<std::string>> runs = {
        {"show", dir.File("pipe")},
        {"show", "--json", fifoCard.path()}, // a folder whose CFG.BIN is a FIFO
        {"check", fifoCard.path()},
        {"set", dir.File("pipe"), "bySendBy=1"},
        {"set", "--new", "--type", "cfg", dir.File("pipe"), "bySendBy=1"},
        {"set", "--new", fifoCard.path(), "--type", "cfg"},
        {"set", "--new", dangling.File("CFG.BIN")},
    };
    for (const auto& args : runs) {
        const RunResult r = Camfile(args);
        EXPECT_EQ(r.status, 2) << args[0] << " " << args[1] << ": " << r.err;
        EXPECT_TRUE(Contains(r.err, "not a regular file")) << r.err;
    }
    struct stat st;
    ASSERT_EQ(lstat(dir.File("pipe").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(dir.List(), std::vector<std::string>{"pipe"});
    EXPECT_EQ(fifoCard.List(), std::vector<std::string>{"CFG.BIN"});
    EXPECT_EQ(dangling.List(), std::vector<std::string>{"CFG.BIN"});
}

TEST(CamfileSet, AFileSizeLimitOrAFailingFlushFailsTheWriteAndKeepsTheFile) {
    // 1024 bytes may be written: less than a CFG.BIN. A medium whose flush fails after it took
    // every byte.
    for (const char* medium : {"ulimit -f 1; ", "LD_PRELOAD=" FAILFLUSH_PATH
                                                " ASAN_OPTIONS=verify_asan_link_order=0 "}) {
        TempDir dir;
        WriteCfg(dir, DefaultSendSet());
        const std::vector<uint8_t> before = ReadBytes(dir.File("CFG.BIN"));
        RunResult r = CamfileIn(medium, {"set", "--new", dir.File("CFG.BIN"), "bySendBy=2"});
        EXPECT_EQ(r.status, 3) << medium << r.err;
        EXPECT_TRUE(Contains(r.err, "; the file is as it was")) << r.err;
        EXPECT_EQ(ReadBytes(dir.File("CFG.BIN")), before);
        EXPECT_EQ(dir.List(), std::vector<std::string>{"CFG.BIN"});
    }
}

TEST(CamfileSet, ConcurrentChangesOfDifferentFieldsAllLand) {
    // Two runs at once change different fields of one file: both changes must be in it after,
    // each run exiting 0, whichever of its links, linked folders or spellings the second takes.
    TempDir dir, other;
    WriteMenu(dir, DefaultMenu());
    const std::string path = dir.File("menu.dat");
    ASSERT_EQ(symlink(path.c_str(), other.File("menu.dat").c_str()), 0);
    ASSERT_EQ(symlink(dir.path().c_str(), other.File("linked").c_str()), 0);
    const std::string kSpellings[] = {path, other.File("menu.dat"), other.File("linked/menu.dat"),
                                      dir.path() + "/.//menu.dat"};
    const char* pairsWanted = getenv("CAMSETUP_WRITER_PAIRS");
    const int kPairs = pairsWanted != nullptr ? atoi(pairsWanted) : 100;
    const char* kChanges[2][2] = {{"CapMode=Video", "Language=German"},
                                  {"CapMode=Camera", "Language=English"}};
    // What each pair's two changes give, made one after the other.
    MenuData expect[2];
    for (int k = 0; k < 2; ++k) {
        TempDir one;
        WriteMenu(one, DefaultMenu());
        EXPECT_EQ(
            Camfile({"set", "--keep-time", one.File("menu.dat"), kChanges[k][0], kChanges[k][1]})
                .status,
            0);
        expect[k] = ReadMenu(one);
    }
    ASSERT_NE(expect[0].CapMode, expect[1].CapMode);
    ASSERT_NE(expect[0].Language, expect[1].Language);
    int wrongExit = 0, lost = 0;
    for (int pair = 0; pair < kPairs; ++pair) {
        const int k = pair % 2;
        pid_t writers[2] = {
            StartCamfile({"set", "--keep-time", path, kChanges[k][0]}),
            StartCamfile({"set", "--keep-time", kSpellings[pair % 4], kChanges[k][1]})};
        for (pid_t pid : writers) {
            int status = 0;
            if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
                ++wrongExit;
        }
        const MenuData after = ReadMenu(dir);
        lost += (after.CapMode != expect[k].CapMode) + (after.Language != expect[k].Language);
    }
    printf("%d concurrent pairs: %d wrong exit codes, %d lost changes\n", kPairs, wrongExit, lost);
    EXPECT_EQ(wrongExit, 0);
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"menu.dat"});
}

TEST(CamfileSet, WithoutItsTurnOrTheLockARunWritesNothingAndSaysWhy) {
    TempDir dir;
    const std::string card = dir.File("相机卡"), path = card + "/menu.dat";
    ASSERT_EQ(mkdir(card.c_str(), 0755), 0);
    EXPECT_EQ(Camfile({"set", "--new", path}).out, "wrote " + path + "\n");
    // The lock's holder stalls before its rename longer than the other waits; its change lands.
    const pid_t holder =
        StartCamfile({"set", "--keep-time", path, "CapMode=Video"},
                     {"LD_PRELOAD=" CARDFAULTS_PATH, "CAMSETUP_STOP_BEFORE_RENAME=1",
                      "ASAN_OPTIONS=verify_asan_link_order=0"});
    int status = 0;
    ASSERT_EQ(waitpid(holder, &status, WUNTRACED), holder);
    const RunResult second = Camfile({"set", "--keep-time", path, "Language=German"});
    kill(holder, SIGCONT);
    EXPECT_TRUE(waitpid(holder, &status, 0) == holder && status == 0);
    EXPECT_TRUE(second.status == 3 && Contains(second.err, "another program is writing " + path +
                                                               "; nothing was changed"))
        << second.err;
    MenuData landed;
    DecodeMenuImage(ReadBytes(path).data(), landed);
    EXPECT_TRUE(landed.CapMode == 1 && landed.Language == DefaultMenu().Language);
    // A folder that can be written but not read (by nobody: root reads it) cannot be locked.
    ASSERT_EQ(chmod(dir.path().c_str(), 0711) | chmod(card.c_str(), 0333), 0);
    ASSERT_TRUE(geteuid() != 0 || chown(card.c_str(), 65534, 65534) == 0);
    const RunResult unlocked =
        CamfileIn(geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "",
                  {"set", "--new", card + "/CFG.BIN"});
    EXPECT_TRUE(unlocked.status == 3 &&
                Contains(unlocked.err, card + " cannot be locked for the write: permission denied"))
        << unlocked.err;
}

TEST(CamfileSet, TheReadBackComesFromTheCardNotTheComputersCache) {
    // An ext4 card on a loop device; after the rename a bit is flipped beneath the page cache.
    TempDir dir;
    const std::string image = dir.File("card.img"), card = dir.File("card");
    if (geteuid() != 0 ||
        std::system(("truncate -s 8M " + image + " && mkfs.ext4 -q " + image + " && mkdir " + card +
                     " && mount -o loop " + image + " " + card)
                        .c_str()) != 0)
        GTEST_SKIP() << "a loop device with ext4 cannot be mounted here (root is needed)";
    EXPECT_EQ(Camfile({"set", "--new", card + "/menu.dat"}).status, 0);
    const RunResult r =
        CamfileIn("LD_PRELOAD=" CARDFAULTS_PATH
                  " ASAN_OPTIONS=verify_asan_link_order=0 CAMSETUP_FLIP_ON_MEDIUM=" +
                      image + " ",
                  {"set", "--keep-time", card + "/menu.dat", "CapMode=Video"});
    std::system(("umount " + card).c_str());
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_TRUE(Contains(r.err, "reading it back does not give what was written")) << r.err;
}

TEST(CamfileSet, APathEndingInTheFilesNameNamesTheFileAndOnlyItsOwnTemporaryFilesGo) {
    TempDir dir;
    for (const char* name : {"CFG.BIN", "menu.dat"}) {
        ASSERT_EQ(mkdir(dir.File(name).c_str(), 0755), 0);
        RunResult r = Camfile({"set", "--new", dir.File(name), "--type", name});
        EXPECT_EQ(r.status, 2) << name;
        EXPECT_TRUE(Contains(r.err, "a folder; a path ending in")) << r.err;
        EXPECT_EQ(Camfile({"show", dir.File(name)}).status, 2);
        rmdir(dir.File(name).c_str());
    }
    EXPECT_TRUE(dir.List().empty());
    // The user's own copy named like the temporary file of earlier versions stays.
    WriteCfg(dir, DefaultSendSet());
    WriteBytes(dir.File("CFG.BIN.tmp"), ReadBytes(dir.File("CFG.BIN")));
    EXPECT_EQ(Camfile({"set", dir.File("CFG.BIN"), "bySendBy=Email"}).status, 0);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"CFG.BIN", "CFG.BIN.tmp"}));
}

TEST(CamfileOutput, AFailedWriteToStandardOutputIsAnError) {
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full here";
    TempDir dir;
    WriteCfg(dir, DefaultSendSet());
    const std::vector<std::vector<std::string>> runs = {
        {"show", "--json", dir.File("CFG.BIN")},
        {"show", dir.File("CFG.BIN")},
        {"check", dir.File("CFG.BIN")},
        {"fields"},
        {"--help"},
        {"set", "-h"},
    };
    for (const auto& args : runs) {
        const RunResult r = CamfileIn("", args, "/dev/full");
        EXPECT_EQ(r.status, 4) << args[0];
        EXPECT_TRUE(Contains(r.err, "cannot write to standard output")) << r.err;
    }
    // A refusal keeps its own status.
    EXPECT_EQ(CamfileIn("", {"show", dir.File("none")}, "/dev/full").status, 2);
}

TEST(CamfileShow, JsonIsValidUtf8WhateverBytesThePathHolds) {
    TempDir dir;
    WriteCfg(dir, DefaultSendSet());
    // An encoded surrogate, an overlong '/', a code beyond U+10FFFF; and good UTF-8, kept.
    const struct {
        std::string name;
        std::string inJson;
    } cases[] = {
        {"a\xED\xA0\x80", "a\\u00ed\\u00a0\\u0080"},
        {"b\xE0\x80\xAF", "b\\u00e0\\u0080\\u00af"},
        {"c\xF4\x90\x80\x80", "c\\u00f4\\u0090\\u0080\\u0080"},
        {"d\xC3\xA9\xE2\x82\xAC\xF0\x9F\x93\xB7", "d\xC3\xA9\xE2\x82\xAC\xF0\x9F\x93\xB7"},
    };
    for (const auto& c : cases) {
        const std::string file = dir.File(c.name);
        ASSERT_EQ(rename(dir.File("CFG.BIN").c_str(), file.c_str()), 0);
        for (const char* command : {"show", "check"}) {
            const RunResult r = Camfile({command, "--json", file});
            EXPECT_LE(r.status, 1) << r.err; // check: the default record fails a check
            EXPECT_TRUE(IsJson(r.out)) << r.out;
            EXPECT_TRUE(Contains(r.out, "/" + c.inJson + "\"")) << command << ": " << r.out;
        }
        ASSERT_EQ(rename(file.c_str(), dir.File("CFG.BIN").c_str()), 0);
    }
}

// The lists camfile parses and describes values by are the lists the windows show, item for
// item in both languages; the GUI suite ties the windows to the same table.
TEST(CamfileFields, ListFieldsHoldTheFormsItemsInBothLanguages) {
    const struct {
        CamFileType type;
        const char* field;
        OptionList list;
        long firstValue;
    } lists[] = {
        {CamFileType::Cfg, "bySendBy", OptionList::SendOption, 0},
        {CamFileType::Cfg, "bySendMode", OptionList::SendMode, 0},
        {CamFileType::Cfg, "bySendImgSize", OptionList::SendImageSize, 0},
        {CamFileType::Cfg, "byDailySendTime", OptionList::DailySendTime, 0},
        {CamFileType::Cfg, "sFtpSet.iFtpDirType", OptionList::FtpDirType, 0},
        {CamFileType::Cfg, "sLongitude.byDir", OptionList::LongitudeDir, 0},
        {CamFileType::Cfg, "sLatitude.byDir", OptionList::LatitudeDir, 0},
        {CamFileType::Menu, "CapMode", OptionList::CaptureMode, 0},
        {CamFileType::Menu, "PicNum", OptionList::PictureNumber, 0},
        {CamFileType::Menu, "TimeStamp", OptionList::OnOff, 0},
        {CamFileType::Menu, "SidePir", OptionList::OffOn, 0},
        {CamFileType::Menu, "DateFormat", OptionList::DateFormat, 0},
        {CamFileType::Menu, "Language", OptionList::CameraLanguage, 1},
        {CamFileType::Menu, "ClockMode", OptionList::ClockMode, 0},
        {CamFileType::Menu, "Serial[2]", OptionList::SerialChar, 0},
        {CamFileType::Menu, "TimeLapse", OptionList::OnOff, 0},
    };
    for (const auto& l : lists) {
        const FieldInfo* f = FindField(l.type, l.field);
        ASSERT_NE(f, nullptr) << l.field;
        ASSERT_GE(f->items.size(), static_cast<size_t>(OptionCount(l.list))) << l.field;
        for (int k = 0; k < OptionCount(l.list); ++k) {
            EXPECT_EQ(f->items[k].value, l.firstValue + k) << l.field;
            EXPECT_EQ(f->items[k].english, OptionText(l.list, k, UI_LANG_ENGLISH)) << l.field;
            EXPECT_EQ(f->items[k].chinese, OptionText(l.list, k, UI_LANG_CHINESE)) << l.field;
        }
    }
    // The remote interval's items stand for the stored values the page stores for them.
    const FieldInfo* remote = FindField(CamFileType::Cfg, "byRemoteInterval");
    ASSERT_EQ(remote->items.size(), static_cast<size_t>(OptionCount(OptionList::RemoteInterval)));
    for (int k = 0; k < OptionCount(OptionList::RemoteInterval); ++k) {
        EXPECT_EQ(remote->items[k].english, OptionText(OptionList::RemoteInterval, k, 1));
        EXPECT_EQ(RemoteIntervalItem(static_cast<uint8_t>(remote->items[k].value)), k);
    }
    // Number lists keep the forms' ranges.
    EXPECT_EQ(FindField(CamFileType::Menu, "VideoLen")->maxValue, 59);
    EXPECT_EQ(FindField(CamFileType::Menu, "Timer2EndHour")->maxValue, 23);
    EXPECT_EQ(FindField(CamFileType::Menu, "TimeLapseSec")->maxValue, 59);
}

// What is stored is shown as stored; where the program reads it otherwise, "read as" says how.
TEST(CamfileShow, StoredValuesWithWhatTheProgramReadsThemAs) {
    TempDir dir;
    SendSet rec = DefaultSendSet();
    rec.bySendFileNum = 9;
    rec.byRemoteInterval = 200;
    rec.byRemoteSwitch = 0;
    WriteCfg(dir, rec);
    RunResult r = Camfile({"show", dir.File("CFG.BIN")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "  bySendFileNum              9      9 file names (out of range "
                                "0..4); read as 0 (0 file names)\n"))
        << r.out;
    EXPECT_TRUE(Contains(r.out, "  byRemoteInterval           200    not in the list; read as 0 "
                                "(10 Minutes)\n"))
        << r.out;
    EXPECT_TRUE(Contains(r.out, "  byRemoteSwitch             0      Off; read as 1 (On)\n"));
    EXPECT_TRUE(Contains(r.out, "  uwMaxSendImgNum            49     49 pictures a day\n"));

    RunResult json = Camfile({"show", "--json", dir.File("CFG.BIN")});
    EXPECT_TRUE(IsJson(json.out)) << json.out;
    EXPECT_TRUE(Contains(json.out, "\"bySendFileNum\": {\"value\": 9, \"meaning\": \"9 file names "
                                   "(out of range 0..4)\", \"readAs\": 0, \"readAsMeaning\": \"0 "
                                   "file names\"}"))
        << json.out;
    EXPECT_TRUE(Contains(json.out, "\"bySendMode\": {\"value\": 0, \"meaning\": \"Send "
                                   "Immediately\"}"));

    MenuData menu = DefaultMenu();
    menu.VideoLen = 70;
    menu.Language = 0;
    WriteMenu(dir, menu);
    RunResult m = Camfile({"show", dir.File("menu.dat")});
    EXPECT_TRUE(Contains(m.out, "  VideoLen                   70     71 s (above 60 s); read as 9 "
                                "(10 s)\n"))
        << m.out;
    EXPECT_TRUE(Contains(m.out, "read as 1 (Chinese)\n"));
    // Showing changed nothing on the card.
    EXPECT_EQ(ReadMenu(dir).VideoLen, 70);
}

TEST(CamfileSet, SaysWhichStoredValuesItsReadingRepaired) {
    TempDir dir;
    SendSet rec = DefaultSendSet();
    rec.bySendFileNum = 9;
    rec.byRemoteInterval = 200;
    WriteCfg(dir, rec);
    RunResult r = Camfile({"set", "--keep-time", dir.File("CFG.BIN"), "uwMaxSendImgNum=12"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "stored bySendFileNum 9 is read as 0 and written so\n")) << r.err;
    EXPECT_TRUE(Contains(r.err, "stored byRemoteInterval 200 is read as 0 and written so\n"));
    EXPECT_TRUE(Contains(r.err, "stored byRemoteSwitch 0 is read as 1 and written so\n"));
    // The file now holds the values as the program reads them, and the change.
    const SendSet written = ReadCfg(dir);
    EXPECT_EQ(written.bySendFileNum, 0);
    EXPECT_EQ(written.byRemoteInterval, 0);
    EXPECT_EQ(written.byRemoteSwitch, 1);
    EXPECT_EQ(written.uwMaxSendImgNum, 12);

    // A file that needs no repair is changed silently.
    RunResult again = Camfile({"set", "--keep-time", dir.File("CFG.BIN"), "uwMaxSendImgNum=13"});
    EXPECT_EQ(again.status, 0);
    EXPECT_TRUE(again.err.empty()) << again.err;

    // Camera Setup's repairs of a menu.dat it reads, likewise.
    MenuData menu = DefaultMenu();
    menu.VideoLen = 70;
    WriteMenu(dir, menu);
    RunResult m = Camfile({"set", "--keep-time", dir.File("menu.dat"), "Language=German"});
    EXPECT_EQ(m.status, 0) << m.err;
    EXPECT_TRUE(Contains(m.err, "stored VideoLen 70 is read as 9 and written so\n")) << m.err;
    EXPECT_EQ(ReadMenu(dir).VideoLen, 9);
    EXPECT_EQ(ReadMenu(dir).Language, 3);
}

// Random assignments, some valid, some not, to both files: every run that does not write says why
// on standard error, and a run that writes leaves a file of the right kind.
TEST(CamfileSet, EveryRefusalOrFailureSaysWhy) {
    TempDir dir;
    std::mt19937 rng(20261209);
    const char* const kValues[] = {"0",          "1",     "25",     "-1",
                                   "4294967296", "Video", "Others", "China",
                                   "ab",         "",      "x=",     "12345678901234567890"};
    int refused = 0, written = 0;
    for (int run = 0; run < 150; ++run) {
        const bool cfg = rng() % 2 == 0;
        const std::vector<FieldInfo>& fields = FieldsOf(cfg ? CamFileType::Cfg : CamFileType::Menu);
        std::vector<std::string> args = {"set", "--keep-time"};
        if (rng() % 3 == 0)
            args.push_back("--new");
        args.push_back(dir.File(cfg ? "CFG.BIN" : "menu.dat"));
        for (int n = 1 + static_cast<int>(rng() % 3); n > 0; --n) {
            const FieldInfo& f = fields[rng() % fields.size()];
            const bool listed = !f.items.empty() && rng() % 2 == 0;
            args.push_back(f.name + "=" +
                           (listed ? f.items[rng() % f.items.size()].english
                                   : std::string(kValues[rng() % std::size(kValues)])));
        }
        const RunResult r = Camfile(args);
        if (r.status != 0) {
            ++refused;
            EXPECT_FALSE(r.err.empty()) << "exit " << r.status << " without a word: " << args[3];
        } else {
            ++written;
            EXPECT_EQ(ReadBytes(args[args[2] == "--new" ? 3 : 2]).size(),
                      cfg ? size_t{SEND_SET_SIZE} : sizeof(MenuData));
        }
    }
    EXPECT_GT(refused, 10);
    EXPECT_GT(written, 10);
}

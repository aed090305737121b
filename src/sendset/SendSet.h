// The send-settings record: how the camera sends its pictures. Stored byte for byte (scrambled)
// as CFG.BIN in the save folder.
#pragma once

#include <cstddef>
#include <cstdint>

class Card;

enum SendByValue : uint8_t {
    SEND_BY_CLOSE_3G = 0,
    SEND_BY_MMS = 1,
    SEND_BY_EMAIL = 2,
    SEND_BY_FTP = 3,
    SEND_BY_CLOUD = 4,
};

constexpr uint8_t IF_SEND_BY_APP_SET_FLG = 0x80; // bit 7 of byte 0 in the file
constexpr uint16_t SEND_SET_STRUCT_FLAG = 5;
constexpr uint8_t REMOTE_INTERVAL_OFF = 25;  // byRemoteInterval: 0 every 10 minutes, 1..24 hours
constexpr uint8_t DAILY_SEND_TIME_NONE = 24; // byDailySendTime: no daily hour (send immediately)
constexpr uint8_t SEND_FILE_NAME_COUNT = 4;  // szFileFullName slots; bySendFileNum 0..4
constexpr uint8_t OPERATOR_COUNTRY_MANUAL = 43;
constexpr uint8_t OPERATOR_INDEX_MAX = 8; // byOperator: page 1 takes a larger one as 0
constexpr int SEND_SET_SIZE = 1240;
constexpr char kFtpRootDir[] = "/"; // sFtpSet.szFtpDir with directory type "Root"

#pragma pack(push, 1)

struct SendTime {
    uint8_t byYear; // year - 2000 (year - 1900 before 2000), 8 bits
    uint8_t byMonth;
    uint8_t byDay;
    uint8_t byHour;
    uint8_t byMinute;
    uint8_t bySecond;
    uint8_t bSet; // always written as 0
};

struct SmtpSet {
    int32_t iPort;
    char sz3GSmtpApN[61];
    char sz3GSmtpAccount[33];
    char sz3GSmtpPassword[33];
    char szServer[61];
    char szAddr[49];
    char szUserName[49];
    char szPassword[33];
    uint8_t byReserved;
};

struct MmsSet {
    char szUrl[61];
    char szApn[61];
    char szGateway[17];
    char szPort[9];
    char szAccount[33];
    char szPassword[33];
};

struct QorCloudSet {
    char szAppKey[33];
    char szAppSecret[33];
    char szSimCardNum[19];
};

struct FtpSet {
    char szFtpDir[33];
    char szServer[61];
    char szUserName[49];
    char szPassword[33];
    int32_t iPort;
    int32_t iFtpDirType; // 0 root ("/"), 1 szFtpDir
};

struct Coordinate {
    uint8_t byDir; // longitude: 0 east, 1 west; latitude: 0 north, 1 south
    uint8_t byDeg;
    uint8_t byMin;
    uint8_t bySec;
};

struct SendSet {
    uint8_t bySendBy;
    uint8_t bySendMode;
    uint8_t bySendImgSize;
    uint8_t byRemoteSwitch;
    uint8_t byRemoteInterval;
    uint8_t byOperatorCountry;
    uint8_t byOperator;
    uint8_t byDailySendTime;
    uint8_t bySendFileNum;
    uint8_t byReserved1;
    uint16_t uwMaxSendImgNum;
    uint16_t StructFlag;
    SendTime sTime;
    uint8_t byReserved2[3];
    SmtpSet sSmtpSet;
    MmsSet sMmsSet;
    uint16_t uwRecpLen[4];
    char szRecp[4][49];
    char szFileFullName[SEND_FILE_NAME_COUNT][33];
    char szRemotePhoneNum[16];
    char szRemoteEmail[49];
    QorCloudSet sQorCloudSet;
    FtpSet sFtpSet;
    Coordinate sLongitude;
    Coordinate sLatitude;
};

#pragma pack(pop)

static_assert(sizeof(SendTime) == 7, "SendTime layout");
static_assert(sizeof(SmtpSet) == 324, "SmtpSet layout");
static_assert(sizeof(MmsSet) == 214, "MmsSet layout");
static_assert(sizeof(QorCloudSet) == 85, "QorCloudSet layout");
static_assert(sizeof(FtpSet) == 184, "FtpSet layout");
static_assert(sizeof(SendSet) == SEND_SET_SIZE, "SendSet layout");

static_assert(offsetof(SendSet, bySendBy) == 0, "SendSet layout");
static_assert(offsetof(SendSet, bySendMode) == 1, "SendSet layout");
static_assert(offsetof(SendSet, bySendImgSize) == 2, "SendSet layout");
static_assert(offsetof(SendSet, byRemoteSwitch) == 3, "SendSet layout");
static_assert(offsetof(SendSet, byRemoteInterval) == 4, "SendSet layout");
static_assert(offsetof(SendSet, byOperatorCountry) == 5, "SendSet layout");
static_assert(offsetof(SendSet, byOperator) == 6, "SendSet layout");
static_assert(offsetof(SendSet, byDailySendTime) == 7, "SendSet layout");
static_assert(offsetof(SendSet, bySendFileNum) == 8, "SendSet layout");
static_assert(offsetof(SendSet, byReserved1) == 9, "SendSet layout");
static_assert(offsetof(SendSet, uwMaxSendImgNum) == 10, "SendSet layout");
static_assert(offsetof(SendSet, StructFlag) == 12, "SendSet layout");
static_assert(offsetof(SendSet, sTime) == 14, "SendSet layout");
static_assert(offsetof(SendSet, sTime.byYear) == 14, "SendSet layout");
static_assert(offsetof(SendSet, sTime.byMonth) == 15, "SendSet layout");
static_assert(offsetof(SendSet, sTime.byDay) == 16, "SendSet layout");
static_assert(offsetof(SendSet, sTime.byHour) == 17, "SendSet layout");
static_assert(offsetof(SendSet, sTime.byMinute) == 18, "SendSet layout");
static_assert(offsetof(SendSet, sTime.bySecond) == 19, "SendSet layout");
static_assert(offsetof(SendSet, sTime.bSet) == 20, "SendSet layout");
static_assert(offsetof(SendSet, byReserved2) == 21, "SendSet layout");
static_assert(offsetof(SendSet, sSmtpSet) == 24, "SendSet layout");
static_assert(offsetof(SendSet, sSmtpSet.iPort) == 24, "SendSet layout");
static_assert(offsetof(SendSet, sSmtpSet.sz3GSmtpApN) == 28, "SendSet layout");
static_assert(offsetof(SendSet, sSmtpSet.sz3GSmtpAccount) == 89, "SendSet layout");
static_assert(offsetof(SendSet, sSmtpSet.sz3GSmtpPassword) == 122, "SendSet layout");
static_assert(offsetof(SendSet, sSmtpSet.szServer) == 155, "SendSet layout");
static_assert(offsetof(SendSet, sSmtpSet.szAddr) == 216, "SendSet layout");
static_assert(offsetof(SendSet, sSmtpSet.szUserName) == 265, "SendSet layout");
static_assert(offsetof(SendSet, sSmtpSet.szPassword) == 314, "SendSet layout");
static_assert(offsetof(SendSet, sSmtpSet.byReserved) == 347, "SendSet layout");
static_assert(offsetof(SendSet, sMmsSet) == 348, "SendSet layout");
static_assert(offsetof(SendSet, sMmsSet.szUrl) == 348, "SendSet layout");
static_assert(offsetof(SendSet, sMmsSet.szApn) == 409, "SendSet layout");
static_assert(offsetof(SendSet, sMmsSet.szGateway) == 470, "SendSet layout");
static_assert(offsetof(SendSet, sMmsSet.szPort) == 487, "SendSet layout");
static_assert(offsetof(SendSet, sMmsSet.szAccount) == 496, "SendSet layout");
static_assert(offsetof(SendSet, sMmsSet.szPassword) == 529, "SendSet layout");
static_assert(offsetof(SendSet, uwRecpLen) == 562, "SendSet layout");
static_assert(offsetof(SendSet, szRecp) == 570, "SendSet layout");
static_assert(offsetof(SendSet, szFileFullName) == 766, "SendSet layout");
static_assert(offsetof(SendSet, szRemotePhoneNum) == 898, "SendSet layout");
static_assert(offsetof(SendSet, szRemoteEmail) == 914, "SendSet layout");
static_assert(offsetof(SendSet, sQorCloudSet) == 963, "SendSet layout");
static_assert(offsetof(SendSet, sQorCloudSet.szAppKey) == 963, "SendSet layout");
static_assert(offsetof(SendSet, sQorCloudSet.szAppSecret) == 996, "SendSet layout");
static_assert(offsetof(SendSet, sQorCloudSet.szSimCardNum) == 1029, "SendSet layout");
static_assert(offsetof(SendSet, sFtpSet) == 1048, "SendSet layout");
static_assert(offsetof(SendSet, sFtpSet.szFtpDir) == 1048, "SendSet layout");
static_assert(offsetof(SendSet, sFtpSet.szServer) == 1081, "SendSet layout");
static_assert(offsetof(SendSet, sFtpSet.szUserName) == 1142, "SendSet layout");
static_assert(offsetof(SendSet, sFtpSet.szPassword) == 1191, "SendSet layout");
static_assert(offsetof(SendSet, sFtpSet.iPort) == 1224, "SendSet layout");
static_assert(offsetof(SendSet, sFtpSet.iFtpDirType) == 1228, "SendSet layout");
static_assert(offsetof(SendSet, sLongitude) == 1232, "SendSet layout");
static_assert(offsetof(SendSet, sLatitude) == 1236, "SendSet layout");

// Remote control is on for the intervals of the list, 10 minutes to 24 hours (0..24), and off for
// "Remote Off" (25) and anything above: what byRemoteSwitch stores beside byRemoteInterval.
constexpr uint8_t RemoteSwitchFor(int byRemoteInterval) {
    return byRemoteInterval >= 0 && byRemoteInterval < REMOTE_INTERVAL_OFF ? 1 : 0;
}

// The six clock bytes of the last Generate, compared by the verifying read.
struct SendSetClock {
    uint8_t byYear, byMonth, byDay, byHour, byMinute, bySecond;
};

extern SendSet g_sSendSet;      // the record the wizard edits
extern SendSet g_sSendSetSaved; // hand-over copy between the two wizard pages
extern SendSetClock g_sSendSetClock;

// Scrambling of both camera files: ROR8(b ^ 0xA5, 2), and its inverse.
uint8_t EncodeCfgByte(uint8_t b);
uint8_t DecodeCfgByte(uint8_t e);
void EncodeCfgBuffer(uint8_t* buf, int len); // no-op for a null buffer or len <= 0
void DecodeCfgBuffer(uint8_t* buf, int len);

// The record a new configuration starts from (MMS, remote control off, 49 pictures a day,
// FTP port 21, FTP directory "/").
void LoadSendSetDefaults(SendSet& rec);

// The scrambled file image of a record: bit 7 of byte 0 set, then every byte encoded.
void BuildSendSetImage(const SendSet& rec, uint8_t out[SEND_SET_SIZE]);

// Decodes a 1240-byte file image into rec as it is stored: every byte unscrambled and bit 7 of
// byte 0 cleared (*appSetFlag, when given, tells whether it was set); no trace, no repairs.
// Returns false, with rec zeroed except StructFlag = 5, when the layout flag is not 5.
bool DecodeStoredSendSet(const uint8_t img[SEND_SET_SIZE], SendSet& rec, bool* appSetFlag);

// The repairs of a record read from a file: a file-name count above 4 becomes 0, a remote
// interval of 26 or more becomes 0 (every 10 minutes), and the remote switch follows the
// interval. True when one of them changed the record.
bool RepairSendSetAsRead(SendSet& rec);

// The reader's decode: DecodeStoredSendSet with the reader's trace, then RepairSendSetAsRead.
bool DecodeSendSetImage(const uint8_t img[SEND_SET_SIZE], SendSet& rec);

// Writes rec as "<folder>/CFG.BIN" through a temporary file that replaces the target only once it
// is complete and flushed. Returns true when the file was written, flushed and put in place.
bool WriteSendSetTo(const char* folder, const SendSet& rec);

// Reads "<folder>/CFG.BIN" into rec. A file of the wrong size or that cannot be opened leaves rec
// untouched. With verify set, the file's time stamp must also equal clock.
int ReadSendSetFrom(const char* folder, SendSet& rec, int verify, const SendSetClock& clock);

// The same two on a card's CFG.BIN.
bool WriteSendSetTo(Card& card, const SendSet& rec);
int ReadSendSetFrom(Card& card, SendSet& rec, int verify, const SendSetClock& clock);

// The same two operations on g_sSendSet and the save folder g_szSavePath.
bool WriteSendSetFile();
int ReadSendSetFile(int verify);

// The file's name in the save folder, "CFG.BIN".
extern const char kSendSetFileName[];

#include "sendset/SendSet.h"

#include "common/SavePath.h"
#include "common/Trace.h"
#include "sendset/Card.h"
#include "sendset/FileIo.h"

#include <cstdio>
#include <cstring>

SendSet g_sSendSet;
SendSet g_sSendSetSaved;
SendSetClock g_sSendSetClock;

const char kSendSetFileName[] = "CFG.BIN";

namespace {

constexpr uint8_t kScrambleMask = 0xA5;

// printf arguments for a fixed-size field that a file may have left without a terminator.
#define FIELD(f) FieldLength((f), sizeof(f)), (f)

// The reader's trace of a repaired record; the remote interval is printed as it was stored.
void PrintRecordTrace(const SendSet& rec, uint8_t storedRemoteInterval) {
    for (int i = 0; i < 4; ++i) {
        Trace("g_sSendSet.uwRecpLen[%d]=%d\n", i, rec.uwRecpLen[i]);
        Trace("g_sSendSet.szRecp[%d]=\"%.*s\"\n", i, FIELD(rec.szRecp[i]));
    }
    Trace("g_sSendSet.bySendFileNum=%d\n", rec.bySendFileNum);
    for (int i = 0; i < rec.bySendFileNum; ++i)
        Trace("g_sSendSet.szFileFullName[%d]=\"%.*s\"\n", i, FIELD(rec.szFileFullName[i]));
    Trace("g_sSendSet.byOperatorCountry=%d\n", rec.byOperatorCountry);

    const MmsSet& mms = rec.sMmsSet;
    Trace("%s:\"%.*s\"\n", "Url", FIELD(mms.szUrl));
    Trace("%s:\"%.*s\"\n", "Apn", FIELD(mms.szApn));
    Trace("%s:\"%.*s\"\n", "Gateway", FIELD(mms.szGateway));
    Trace("%s:\"%.*s\"\n", "Port", FIELD(mms.szPort));
    Trace("%s:\"%.*s\"\n", "Account", FIELD(mms.szAccount));
    Trace("%s:\"%.*s\"\n", "Password", FIELD(mms.szPassword));

    const SmtpSet& smtp = rec.sSmtpSet;
    Trace("g_sSendSet.sSmtpSet.sz3GSmtpApN=%.*s\n", FIELD(smtp.sz3GSmtpApN));
    Trace("g_sSendSet.sSmtpSet.sz3GSmtpAccount=%.*s\n", FIELD(smtp.sz3GSmtpAccount));
    Trace("g_sSendSet.sSmtpSet.sz3GSmtpPassword=%.*s\n", FIELD(smtp.sz3GSmtpPassword));
    Trace("g_sSendSet.sSmtpSet.szServer=%.*s\n", FIELD(smtp.szServer));
    Trace("g_sSendSet.sSmtpSet.iPort=%d\n", static_cast<int>(smtp.iPort));
    Trace("g_sSendSet.sSmtpSet.szAddr=%.*s\n", FIELD(smtp.szAddr));
    Trace("g_sSendSet.sSmtpSet.szUserName=%.*s\n", FIELD(smtp.szUserName));
    Trace("g_sSendSet.sSmtpSet.szPassword=%.*s\n", FIELD(smtp.szPassword));

    const SendTime& t = rec.sTime;
    Trace("Time(%d-%d-%d, %d:%d:%d), bSet=%d\n", t.byYear, t.byMonth, t.byDay, t.byHour, t.byMinute,
          t.bySecond, t.bSet);

    Trace("g_sSendSet.bySendMode=%d\n", rec.bySendMode);
    Trace("g_sSendSet.bySendImgSize=%d\n", rec.bySendImgSize);
    Trace("g_sSendSet.uwMaxSendImgNum=%d\n", rec.uwMaxSendImgNum);
    Trace("g_sSendSet.szRemotePhoneNum=\"%.*s\"\n", FIELD(rec.szRemotePhoneNum));

    Trace("g_sSendSet.byRemoteInterval=%d\n", storedRemoteInterval);
    Trace("g_sSendSet.byRemoteSwitch=%d\n", rec.byRemoteSwitch);

    Trace("g_sSendSet.byOperatorCountry=%d\n", rec.byOperatorCountry);
    Trace("g_sSendSet.byOperator=%d\n", rec.byOperator);
    Trace("g_sSendSet.byDailySendTime=%d\n", rec.byDailySendTime);

    if (rec.bySendBy == SEND_BY_FTP) {
        const FtpSet& ftp = rec.sFtpSet;
        Trace("g_sSendSet.sFtpSet.iFtpDirType\t=%d\n", static_cast<int>(ftp.iFtpDirType));
        Trace("g_sSendSet.sFtpSet.szFtpDir\t=%.*s\n", FIELD(ftp.szFtpDir));
        Trace("g_sSendSet.sFtpSet.szServer\t=%.*s\n", FIELD(ftp.szServer));
        Trace("g_sSendSet.sFtpSet.iPort\t=%d\n", static_cast<int>(ftp.iPort));
        Trace("g_sSendSet.sFtpSet.szUserName\t=%.*s\n", FIELD(ftp.szUserName));
        Trace("g_sSendSet.sFtpSet.szPassword\t=%.*s\n", FIELD(ftp.szPassword));
    } else if (rec.bySendBy == SEND_BY_CLOUD) {
        const QorCloudSet& cloud = rec.sQorCloudSet;
        Trace("g_sSendSet.sQorCloudSet.szAppKey\t=%.*s\n", FIELD(cloud.szAppKey));
        Trace("g_sSendSet.sQorCloudSet.szAppSecret\t=%.*s\n", FIELD(cloud.szAppSecret));
        Trace("g_sSendSet.sQorCloudSet.szSimCardNum\t=%.*s\n", FIELD(cloud.szSimCardNum));
    }

    // The degree sign is the GBK character A1 A3, written as stored.
    const Coordinate& lon = rec.sLongitude;
    const Coordinate& lat = rec.sLatitude;
    Trace("g_sSendSet.sLongitude:\t(%d)%d\xA1\xA3%d'%d\"\n", lon.byDir, lon.byDeg, lon.byMin,
          lon.bySec);
    Trace("g_sSendSet.sLatitude:\t(%d)%d\xA1\xA3%d'%d\"\n", lat.byDir, lat.byDeg, lat.byMin,
          lat.bySec);
}

#undef FIELD

bool ClockMatches(const SendTime& t, const SendSetClock& c) {
    return t.byYear == c.byYear && t.byMonth == c.byMonth && t.byDay == c.byDay &&
           t.byHour == c.byHour && t.byMinute == c.byMinute && t.bySecond == c.bySecond;
}

} // namespace

uint8_t EncodeCfgByte(uint8_t b) {
    uint8_t x = static_cast<uint8_t>(b ^ kScrambleMask);
    return static_cast<uint8_t>(((x >> 2) | (x << 6)) & 0xFF);
}

uint8_t DecodeCfgByte(uint8_t e) {
    uint8_t x = static_cast<uint8_t>(((e << 2) | (e >> 6)) & 0xFF);
    return static_cast<uint8_t>(x ^ kScrambleMask);
}

void EncodeCfgBuffer(uint8_t* buf, int len) {
    if (buf == nullptr)
        return;
    for (int i = 0; i < len; ++i)
        buf[i] = EncodeCfgByte(buf[i]);
}

void DecodeCfgBuffer(uint8_t* buf, int len) {
    if (buf == nullptr)
        return;
    for (int i = 0; i < len; ++i)
        buf[i] = DecodeCfgByte(buf[i]);
}

void LoadSendSetDefaults(SendSet& rec) {
    memset(&rec, 0, sizeof rec);
    rec.uwMaxSendImgNum = 49;
    rec.StructFlag = SEND_SET_STRUCT_FLAG;
    strcpy(rec.sFtpSet.szFtpDir, kFtpRootDir);
    rec.bySendBy = SEND_BY_MMS;
    rec.byRemoteInterval = REMOTE_INTERVAL_OFF;
    rec.sFtpSet.iPort = 21;
}

void BuildSendSetImage(const SendSet& rec, uint8_t out[SEND_SET_SIZE]) {
    memcpy(out, &rec, SEND_SET_SIZE);
    out[0] |= IF_SEND_BY_APP_SET_FLG;
    EncodeCfgBuffer(out, SEND_SET_SIZE);
}

bool DecodeStoredSendSet(const uint8_t img[SEND_SET_SIZE], SendSet& rec, bool* appSetFlag) {
    memcpy(&rec, img, SEND_SET_SIZE);
    DecodeCfgBuffer(reinterpret_cast<uint8_t*>(&rec), SEND_SET_SIZE);
    if (rec.StructFlag != SEND_SET_STRUCT_FLAG) {
        memset(&rec, 0, sizeof rec);
        rec.StructFlag = SEND_SET_STRUCT_FLAG;
        return false;
    }
    if (appSetFlag != nullptr)
        *appSetFlag = (rec.bySendBy & IF_SEND_BY_APP_SET_FLG) != 0;
    rec.bySendBy &= static_cast<uint8_t>(~IF_SEND_BY_APP_SET_FLG);
    return true;
}

bool RepairSendSetAsRead(SendSet& rec) {
    const SendSet stored = rec;
    if (rec.bySendFileNum > SEND_FILE_NAME_COUNT)
        rec.bySendFileNum = 0;
    if (rec.byRemoteInterval > REMOTE_INTERVAL_OFF)
        rec.byRemoteInterval = 0;
    rec.byRemoteSwitch = RemoteSwitchFor(rec.byRemoteInterval);
    return memcmp(&stored, &rec, sizeof rec) != 0;
}

bool DecodeSendSetImage(const uint8_t img[SEND_SET_SIZE], SendSet& rec) {
    bool appSetFlag = false;
    if (!DecodeStoredSendSet(img, rec, &appSetFlag)) {
        TraceLine("StructFlag is different!");
        return false;
    }
    Trace("IF_SEND_BY_APP_SET_FLG=%d\n", appSetFlag ? 1 : 0);
    Trace("g_sSendSet.bySendBy=%d\n", rec.bySendBy);
    const uint8_t storedRemoteInterval = rec.byRemoteInterval;
    RepairSendSetAsRead(rec);
    PrintRecordTrace(rec, storedRemoteInterval);
    return true;
}

bool WriteSendSetTo(Card& card, const SendSet& rec) {
    uint8_t image[SEND_SET_SIZE];
    BuildSendSetImage(rec, image);
    return card.Write(kSendSetFileName, image, SEND_SET_SIZE);
}

bool WriteSendSetTo(const char* folder, const SendSet& rec) {
    FolderCard card(folder);
    return WriteSendSetTo(card, rec);
}

int ReadSendSetFrom(Card& card, SendSet& rec, int verify, const SendSetClock& clock) {
    Trace("sizeof = %d\n", static_cast<int>(sizeof(SendSet)));
    uint8_t image[SEND_SET_SIZE];
    if (!card.Read(kSendSetFileName, image, SEND_SET_SIZE))
        return 0;
    if (!DecodeSendSetImage(image, rec))
        return 0;
    if (verify == 0)
        return 1;
    return ClockMatches(rec.sTime, clock) ? 1 : 0;
}

int ReadSendSetFrom(const char* folder, SendSet& rec, int verify, const SendSetClock& clock) {
    FolderCard card(folder);
    return ReadSendSetFrom(card, rec, verify, clock);
}

bool WriteSendSetFile() {
    return WriteSendSetTo(g_szSavePath, g_sSendSet);
}

int ReadSendSetFile(int verify) {
    return ReadSendSetFrom(g_szSavePath, g_sSendSet, verify, g_sSendSetClock);
}

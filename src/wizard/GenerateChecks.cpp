#include "wizard/GenerateChecks.h"

#include "common/Trace.h"
#include "sendset/FileIo.h"

#include <cstdio>
#include <cstring>

const char kGenerateFileName[] = "DCIM\\100IMA3G\\IMAG0001.JPG";

namespace {

// Message 17's English text breaks its line with a bare "\r", as the camera's users know it.
const TextPair kGenerateMessages[GENERATE_MESSAGE_COUNT] = {
    {{"未生成配置文件！\r\n请输入至少一个手机号码或邮箱地址。",
      "Generate failed!\r\nPlease enter at least one phone number or email address."}},
    {{"未生成配置文件！\r\n邮箱地址1错误。", "Generate failed!\r\nEmail address 1 error."}},
    {{"未生成配置文件！\r\n邮箱地址2错误。", "Generate failed!\r\nEmail address 2 error."}},
    {{"未生成配置文件！\r\n请输入至少一个邮箱地址。",
      "Generate failed!\r\nPlease enter at least one email address."}},
    {{"未生成配置文件！\r\n请输入正确的遥控手机号码。",
      "Generate failed!\r\nPlease enter the correct remote phone number."}},
    {{"未生成配置文件！\r\n请输入正确的遥控接收邮箱。",
      "Generate failed!\r\nPlease enter the correct remote control receiving email."}},
    {{"未生成配置文件！\r\n请输入彩信网址。", "Generate failed!\r\nPlease enter MMS URL."}},
    {{"未生成配置文件！\r\n请输入彩信APN。", "Generate failed!\r\nPlease enter MMS APN."}},
    {{"未生成配置文件！\r\n请输入彩信网关。", "Generate failed!\r\nPlease enter MMS Gateway."}},
    {{"未生成配置文件！\r\n请输入3G网络APN。", "Generate failed!\r\nPlease enter 3G network APN."}},
    {{"未生成配置文件！\r\n请输入发件箱服务器。",
      "Generate failed!\r\nPlease enter outbox server."}},
    {{"未生成配置文件！\r\n请输入发件箱端口。", "Generate failed!\r\nPlease enter outbox port."}},
    {{"未生成配置文件！\r\n发件箱地址错误!", "Generate failed!\r\nOutbox address error!"}},
    {{"未生成配置文件！\r\n请输入发件箱密码。",
      "Generate failed!\r\nPlease enter outbox password."}},
    {{"未生成配置文件！\r\n请输入FTP服务器。", "Generate failed!\r\nPlease enter FTP server."}},
    {{"未生成配置文件！\r\n请输入FTP端口。", "Generate failed!\r\nPlease enter FTP port."}},
    {{"未生成配置文件！\r\nFTP帐号错误!", "Generate failed!\rFTP account error!"}},
    {{"未生成配置文件！\r\n请输入FTP密码。", "Generate failed!\r\nPlease enter FTP password."}},
    {{"未生成配置文件！\r\n请输入APPKey。", "Generate failed!\r\nPlease enter APPKey."}},
    {{"未生成配置文件！\r\n请输入SIM卡号码。",
      "Generate failed!\r\nPlease enter SIM card number."}},
};

const TextPair kNoMessage = {{"", ""}};

enum GenerateMessageNo {
    MSG_NO_RECIPIENT = 1,
    MSG_EMAIL1 = 2,
    MSG_EMAIL2 = 3,
    MSG_NO_EMAIL = 4,
    MSG_REMOTE_PHONE = 5,
    MSG_REMOTE_EMAIL = 6,
    MSG_MMS_URL = 7,
    MSG_MMS_APN = 8,
    MSG_MMS_GATEWAY = 9,
    MSG_3G_APN = 10,
    MSG_SMTP_SERVER = 11,
    MSG_SMTP_PORT = 12,
    MSG_SMTP_ADDRESS = 13,
    MSG_SMTP_PASSWORD = 14,
    MSG_FTP_SERVER = 15,
    MSG_FTP_PORT = 16,
    MSG_FTP_USER = 17,
    MSG_FTP_PASSWORD = 18,
    MSG_CLOUD_APP_KEY = 19,
    MSG_CLOUD_SIM = 20,
};

constexpr int kRecpEmail1 = 2;
constexpr int kRecpEmail2 = 3;
constexpr size_t kMinRemotePhoneLength = 5;

template <size_t N> bool IsEmpty(const char (&field)[N]) {
    return field[0] == '\0';
}

template <size_t N> bool IsValidEmailField(const char (&field)[N]) {
    return IsValidEmailText(field, N);
}

// A recipient is scanned up to its recorded length, never past its slot.
size_t RecipientLength(const SendSet& rec, int slot) {
    size_t len = rec.uwRecpLen[slot];
    return len < sizeof rec.szRecp[slot] ? len : sizeof rec.szRecp[slot];
}

bool IsRecipientEmpty(const SendSet& rec, int slot) {
    return RecipientLength(rec, slot) == 0 || rec.szRecp[slot][0] == '\0';
}

bool IsRecipientValidEmail(const SendSet& rec, int slot) {
    return IsValidEmailText(rec.szRecp[slot], RecipientLength(rec, slot));
}

int CheckRecipients(const SendSet& rec) {
    switch (rec.bySendBy) {
    case SEND_BY_MMS:
        if (rec.uwRecpLen[0] == 0 && rec.uwRecpLen[1] == 0 && rec.uwRecpLen[2] == 0 &&
            rec.uwRecpLen[3] == 0)
            return MSG_NO_RECIPIENT;
        if (!IsRecipientEmpty(rec, kRecpEmail1) && !IsRecipientValidEmail(rec, kRecpEmail1))
            return MSG_EMAIL1;
        if (!IsRecipientEmpty(rec, kRecpEmail2) && !IsRecipientValidEmail(rec, kRecpEmail2))
            return MSG_EMAIL2;
        return 0;
    case SEND_BY_EMAIL:
        if (!IsRecipientEmpty(rec, kRecpEmail1)) {
            if (!IsRecipientValidEmail(rec, kRecpEmail1))
                return MSG_EMAIL1;
        } else if (IsRecipientEmpty(rec, kRecpEmail2)) {
            return MSG_NO_EMAIL;
        }
        if (!IsRecipientEmpty(rec, kRecpEmail2) && !IsRecipientValidEmail(rec, kRecpEmail2))
            return MSG_EMAIL2;
        return 0;
    default: // FTP and cloud send no pictures to recipients
        return 0;
    }
}

int CheckRemote(SendSet& rec, const GenerateControls& controls) {
    ApplyRemoteIntervalItem(rec, controls.iRemoteIntervalItem);
    if (rec.byRemoteSwitch == 0)
        return 0;
    if (static_cast<size_t>(FieldLength(rec.szRemotePhoneNum, sizeof rec.szRemotePhoneNum)) <
        kMinRemotePhoneLength)
        return MSG_REMOTE_PHONE;
    // The remote e-mail address only receives the files that command 22 asks for.
    if (!controls.bNoRemoteCmd22 && !IsValidEmailField(rec.szRemoteEmail))
        return MSG_REMOTE_EMAIL;
    return 0;
}

int CheckManualMms(const SendSet& rec) {
    if (IsEmpty(rec.sMmsSet.szUrl))
        return MSG_MMS_URL;
    if (IsEmpty(rec.sMmsSet.szApn))
        return MSG_MMS_APN;
    if (IsEmpty(rec.sMmsSet.szGateway))
        return MSG_MMS_GATEWAY;
    return 0;
}

int CheckSmtp(const SendSet& rec) {
    Trace(":: g_sSendSet.sSmtpSet.szServer[0]=%d\n",
          static_cast<int>(static_cast<signed char>(rec.sSmtpSet.szServer[0])));
    const SmtpSet& smtp = rec.sSmtpSet;
    if (IsEmpty(smtp.sz3GSmtpApN))
        return MSG_3G_APN;
    if (IsEmpty(smtp.szServer))
        return MSG_SMTP_SERVER;
    if (smtp.iPort == 0)
        return MSG_SMTP_PORT;
    if (!IsValidEmailField(smtp.szAddr))
        return MSG_SMTP_ADDRESS;
    if (IsEmpty(smtp.szPassword))
        return MSG_SMTP_PASSWORD;
    return 0;
}

int CheckFtp(const SendSet& rec) {
    const FtpSet& ftp = rec.sFtpSet;
    if (IsEmpty(ftp.szServer))
        return MSG_FTP_SERVER;
    if (ftp.iPort == 0)
        return MSG_FTP_PORT;
    if (IsEmpty(ftp.szUserName))
        return MSG_FTP_USER;
    if (IsEmpty(ftp.szPassword))
        return MSG_FTP_PASSWORD;
    return 0;
}

// The cloud sends the camera's place with its pictures: the coordinates the page shows.
void StoreCloudCoordinates(SendSet& rec, const GenerateControls& controls) {
    rec.sLongitude = controls.sLongitude;
    rec.sLatitude = controls.sLatitude;
}

// The camera starts its file list afresh from the one name Generate gives.
void StoreFileEntries(SendSet& rec) {
    rec.bySendFileNum = 0;
    memset(rec.szFileFullName[0], 0, sizeof rec.szFileFullName[0]);
    memcpy(rec.szFileFullName[0], kGenerateFileName, sizeof kGenerateFileName);
}

int CheckCloud(SendSet& rec, const GenerateControls& controls) {
    if (IsEmpty(rec.sQorCloudSet.szAppKey))
        return MSG_CLOUD_APP_KEY;
    if (IsEmpty(rec.sQorCloudSet.szSimCardNum))
        return MSG_CLOUD_SIM;
    StoreCloudCoordinates(rec, controls);
    return 0;
}

int CheckTransport(SendSet& rec, const GenerateControls& controls) {
    const bool manualOperator = rec.byOperatorCountry >= OPERATOR_COUNTRY_MANUAL;
    const bool remoteOn = rec.byRemoteSwitch == 1;
    if (manualOperator && (rec.bySendBy == SEND_BY_MMS || remoteOn)) {
        if (int msg = CheckManualMms(rec))
            return msg;
    }
    // Remote control answers by e-mail unless command 22 is off, so the sender mailbox must be
    // complete then, whatever the pictures go by.
    if (rec.bySendBy == SEND_BY_EMAIL || (remoteOn && !controls.bNoRemoteCmd22)) {
        if (int msg = CheckSmtp(rec))
            return msg;
    }
    // FTP and cloud are checked even when the mailbox was: the pictures still go by FTP or to
    // the cloud, and a file whose server or key is missing would leave the camera unable to send
    // them. The cloud coordinates are those the page shows, as in every other cloud case.
    if (rec.bySendBy == SEND_BY_FTP)
        return CheckFtp(rec);
    if (rec.bySendBy == SEND_BY_CLOUD)
        return CheckCloud(rec, controls);
    return 0;
}

uint8_t ItemByte(int item) {
    return static_cast<uint8_t>(item < 0 ? 0 : item);
}

// The send mode and image size lists; "Send Immediately" has no daily hour.
void StoreSendChoices(SendSet& rec, const GenerateControls& controls) {
    rec.bySendMode = ItemByte(controls.iSendModeItem);
    Trace(":: Get SendMode=%d\n", rec.bySendMode);
    if (rec.bySendMode == 0)
        rec.byDailySendTime = DAILY_SEND_TIME_NONE;
    rec.bySendImgSize = ItemByte(controls.iSendImgSizeItem);
    Trace(":: Get SendImgSize=%d\n", rec.bySendImgSize);
}

} // namespace

bool IsValidEmailText(const char* text, size_t maxLen) {
    bool atSeen = false;
    for (size_t i = 0; i < maxLen && text[i] != '\0'; ++i) {
        if (text[i] == '@')
            atSeen = true;
        else if (text[i] == '.' && atSeen)
            return true;
    }
    return false;
}

SendTime MakeSendTime(const GenerateClock& now) {
    SendTime t = {};
    const int year = now.iYear >= 2000 ? now.iYear - 2000 : now.iYear - 1900;
    t.byYear = static_cast<uint8_t>(year);
    t.byMonth = static_cast<uint8_t>(now.iMonth);
    t.byDay = static_cast<uint8_t>(now.iDay);
    t.byHour = static_cast<uint8_t>(now.iHour);
    t.byMinute = static_cast<uint8_t>(now.iMinute);
    t.bySecond = static_cast<uint8_t>(now.iSecond);
    t.bSet = 0;
    return t;
}

SendSetClock ClockOfSendTime(const SendTime& t) {
    return SendSetClock{t.byYear, t.byMonth, t.byDay, t.byHour, t.byMinute, t.bySecond};
}

int RemoteIntervalItem(uint8_t byRemoteInterval) {
    return RemoteSwitchFor(byRemoteInterval) ? byRemoteInterval + 1 : 0;
}

void ApplyRemoteIntervalItem(SendSet& rec, int item) {
    // An item outside the list (the list has no selection) counts as "Remote Off".
    if (item >= 1 && item < REMOTE_INTERVAL_ITEMS)
        rec.byRemoteInterval = static_cast<uint8_t>(item - 1);
    else
        rec.byRemoteInterval = REMOTE_INTERVAL_OFF;
    rec.byRemoteSwitch = RemoteSwitchFor(rec.byRemoteInterval);
}

int CheckSendSet(SendSet& rec, const GenerateControls& controls) {
    rec.sTime = MakeSendTime(controls.sNow);

    // With 3G closed the camera sends nothing, so nothing needs checking.
    if (rec.bySendBy != SEND_BY_CLOSE_3G) {
        if (int msg = CheckRecipients(rec))
            return msg;
        if (int msg = CheckRemote(rec, controls))
            return msg;
    }

    StoreFileEntries(rec);
    TraceLine("** **");

    if (rec.bySendBy != SEND_BY_CLOSE_3G) {
        if (int msg = CheckTransport(rec, controls))
            return msg;
    }

    StoreSendChoices(rec, controls);
    return 0;
}

void StoreGenerateFields(SendSet& rec, const GenerateControls& controls) {
    if (rec.bySendBy != SEND_BY_CLOSE_3G)
        ApplyRemoteIntervalItem(rec, controls.iRemoteIntervalItem);
    StoreFileEntries(rec);
    if (rec.bySendBy == SEND_BY_CLOUD)
        StoreCloudCoordinates(rec, controls);
    StoreSendChoices(rec, controls);
}

const TextPair& GenerateMessage(int n) {
    if (n < 1 || n > GENERATE_MESSAGE_COUNT)
        return kNoMessage;
    return kGenerateMessages[n - 1];
}

GenerateControls ControlsForRecord(const SendSet& rec, const GenerateClock& now,
                                   bool noRemoteCmd22) {
    GenerateControls c = {};
    c.sNow = now;
    c.iRemoteIntervalItem = RemoteIntervalItem(rec.byRemoteInterval);
    c.bNoRemoteCmd22 = noRemoteCmd22;
    c.sLongitude = rec.sLongitude;
    c.sLatitude = rec.sLatitude;
    c.iSendModeItem = SendModeItem(rec.bySendMode);
    c.iSendImgSizeItem = SendImageSizeItem(rec.bySendImgSize);
    return c;
}

int SendModeItem(uint8_t bySendMode) {
    return bySendMode == 1 ? 1 : 0;
}

int SendImageSizeItem(uint8_t bySendImgSize) {
    return bySendImgSize == 1 ? 1 : 0;
}

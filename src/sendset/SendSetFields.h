// The send-settings record's fields, one row each in record order: the one place that says where
// a field lives, what it takes (the range of a number or the longest text stored, the text limit
// of the form's edit, the only characters allowed, the list whose items it is chosen from) and
// which control of which page edits it. The wizard pages' edit tables, the limits below and
// camfile's fields are views of this list; a new field is one row here.
#pragma once

#include "common/FieldKinds.h"
#include "lang/OptionLists.h"
#include "res/resource.h"
#include "sendset/SendSet.h"

#include <cstddef>

inline constexpr char kPhoneCharacters[] = "0123456789+"; // phone numbers
inline constexpr char kDigitCharacters[] = "0123456789";  // ports, counts, the SIM card number

struct SendSetField {
    const char* name = nullptr; // the record's name: "sMmsSet.szPort", "szRecp[2]"
    size_t offset = 0;          // in SendSet
    size_t size = 0;            // bytes of the field (a text's capacity, terminator included)
    bool text = false;
    int editChars = 0; // the text limit of the form's edit; 0 when no edit shows the field
    long minValue = 0; // numbers only
    long maxValue = 0; // numbers: the largest value (LAST_LIST_ITEM: the list's last position);
                       // texts: the longest text stored
    const char* allowed = nullptr; // the only characters allowed, or nullptr for any
    bool listed = false;           // chosen from the items of list
    OptionList list = OptionList::SendOption;
    FieldRule rule = FieldRule::Plain;
    int control = 0; // the control that shows it, 0 for none
    FieldPage page = FieldPage::None;
    const char* unit = nullptr;          // words after the number in its meaning ("pictures a day")
    const char* fixedReason = nullptr;   // never set by name, and why
    int index = -1;                      // element of an array field (szRecp[2] is 2), -1 otherwise
    const TextPair* pastList = nullptr;  // the text of maxValue where it lies past the list
    FieldInput input = FieldInput::Text; // the keyboard its edit wants on a phone
};

// The rows' builders, so that each field reads as one line.
namespace send_set_fields {

constexpr SendSetField Number(const char* name, size_t offset, size_t size, long lo, long hi) {
    return field_rows::Number<SendSetField>(name, offset, size, lo, hi);
}
using field_rows::Element;
using field_rows::Rule;
using field_rows::Unit;

constexpr SendSetField Text(const char* name, size_t offset, size_t size, long stored,
                            const char* allowed = nullptr) {
    SendSetField f = Number(name, offset, size, 0, stored);
    f.text = true;
    f.allowed = allowed;
    return f;
}

// Texts of digits only, and phone numbers (digits and "+").
constexpr SendSetField DigitText(const char* name, size_t offset, size_t size, long stored) {
    SendSetField f = Text(name, offset, size, stored, kDigitCharacters);
    f.input = FieldInput::Digits;
    return f;
}

constexpr SendSetField PhoneText(const char* name, size_t offset, size_t size, long stored) {
    SendSetField f = Text(name, offset, size, stored, kPhoneCharacters);
    f.input = FieldInput::Phone;
    return f;
}

// A number chosen from a list's items, its positions 0 .. last unless hi says otherwise.
constexpr SendSetField Choice(const char* name, size_t offset, size_t size, OptionList list,
                              long hi = LAST_LIST_ITEM) {
    SendSetField f = Number(name, offset, size, 0, hi);
    f.listed = true;
    f.list = list;
    return f;
}

// Shown by a control of a page; editChars for an edit, 0 for a list. A number typed into an edit
// takes digits only.
constexpr SendSetField On(SendSetField f, FieldPage page, int control, int editChars = 0) {
    f.page = page;
    f.control = control;
    f.editChars = editChars;
    if (!f.text && editChars > 0) {
        f.allowed = kDigitCharacters;
        f.input = FieldInput::Digits;
    }
    return f;
}

constexpr SendSetField Input(SendSetField f, FieldInput input) {
    f.input = input;
    return f;
}

constexpr SendSetField Fixed(SendSetField f, const char* reason) {
    f.fixedReason = reason;
    return f;
}

constexpr SendSetField PastList(SendSetField f, const TextPair& text) {
    f.pastList = &text;
    return f;
}

constexpr const char kSwitchReason[] = "follows byRemoteInterval";
constexpr const char kLengthReason[] = "follows the text of szRecp";
constexpr const char kStampReason[] = "the time of the last write, stamped by the writer";

constexpr FieldPage P1 = FieldPage::Page1;
constexpr FieldPage Cloud = FieldPage::Page1Cloud;
constexpr FieldPage P2 = FieldPage::Page2;

// A member's offset and size; sizeof does not evaluate its operand.
#define SSF_AT(member) offsetof(SendSet, member), sizeof(static_cast<SendSet*>(nullptr)->member)
// Element i of an array member.
#define SSF_ELEMENT(member, i)                                                                     \
    offsetof(SendSet, member) + sizeof(static_cast<SendSet*>(nullptr)->member[0]) * (i),           \
        sizeof(static_cast<SendSet*>(nullptr)->member[0])

constexpr size_t kRecpChars = sizeof(static_cast<SendSet*>(nullptr)->szRecp[0]) - 1;

// Where the edit's limit and the stored text differ, the form cuts the text on the way into the
// record (the FTP user name, the cloud key and secret, the SIM card number) or keeps to a shorter
// text (the MMS port).
inline constexpr SendSetField kSendSetFields[] = {
    On(Choice("bySendBy", SSF_AT(bySendBy), OptionList::SendOption), P1, IDC_PARAM_SEND_OPTION),
    On(Choice("bySendMode", SSF_AT(bySendMode), OptionList::SendMode), P2, IDC_SEND_MODE),
    On(Choice("bySendImgSize", SSF_AT(bySendImgSize), OptionList::SendImageSize), P2,
       IDC_SEND_IMAGE_SIZE),
    Fixed(Choice("byRemoteSwitch", SSF_AT(byRemoteSwitch), OptionList::OffOn), kSwitchReason),
    On(Rule(Choice("byRemoteInterval", SSF_AT(byRemoteInterval), OptionList::RemoteInterval,
                   REMOTE_INTERVAL_OFF),
            FieldRule::RemoteInterval),
       P2, IDC_SEND_REMOTE_INTERVAL),
    On(Rule(Number("byOperatorCountry", SSF_AT(byOperatorCountry), 0, OPERATOR_COUNTRY_MANUAL),
            FieldRule::Country),
       P1, IDC_PARAM_COUNTRY),
    On(Rule(Number("byOperator", SSF_AT(byOperator), 0, OPERATOR_INDEX_MAX), FieldRule::Operator),
       P1, IDC_PARAM_OPERATOR),
    On(PastList(Choice("byDailySendTime", SSF_AT(byDailySendTime), OptionList::DailySendTime,
                       DAILY_SEND_TIME_NONE),
                kTextNoDailySendTime),
       P2, IDC_SEND_DAILY_TIME),
    Unit(Number("bySendFileNum", SSF_AT(bySendFileNum), 0, SEND_FILE_NAME_COUNT), "file names"),
    On(Unit(Number("uwMaxSendImgNum", SSF_AT(uwMaxSendImgNum), 0, 9999), "pictures a day"), P2,
       IDC_SEND_MAX_NUM, 4),
    Fixed(Number("StructFlag", SSF_AT(StructFlag), SEND_SET_STRUCT_FLAG, SEND_SET_STRUCT_FLAG),
          "the layout identifier"),
    Rule(Fixed(Number("sTime.byYear", SSF_AT(sTime.byYear), 0, 255), kStampReason),
         FieldRule::SendStamp),
    Fixed(Number("sTime.byMonth", SSF_AT(sTime.byMonth), 0, 12), kStampReason),
    Fixed(Number("sTime.byDay", SSF_AT(sTime.byDay), 0, 31), kStampReason),
    Fixed(Number("sTime.byHour", SSF_AT(sTime.byHour), 0, 23), kStampReason),
    Fixed(Number("sTime.byMinute", SSF_AT(sTime.byMinute), 0, 59), kStampReason),
    Fixed(Number("sTime.bySecond", SSF_AT(sTime.bySecond), 0, 59), kStampReason),
    Fixed(Number("sTime.bSet", SSF_AT(sTime.bSet), 0, 0), kStampReason),
    On(Number("sSmtpSet.iPort", SSF_AT(sSmtpSet.iPort), 0, 65535), P1, IDC_PARAM_SENDER_PORT, 8),
    On(Text("sSmtpSet.sz3GSmtpApN", SSF_AT(sSmtpSet.sz3GSmtpApN), 60), P1, IDC_PARAM_NET_APN, 60),
    On(Text("sSmtpSet.sz3GSmtpAccount", SSF_AT(sSmtpSet.sz3GSmtpAccount), 32), P1,
       IDC_PARAM_NET_ACCOUNT, 32),
    On(Text("sSmtpSet.sz3GSmtpPassword", SSF_AT(sSmtpSet.sz3GSmtpPassword), 32), P1,
       IDC_PARAM_NET_PASSWORD, 32),
    On(Text("sSmtpSet.szServer", SSF_AT(sSmtpSet.szServer), 60), P1, IDC_PARAM_SENDER_SERVER, 60),
    Input(
        On(Text("sSmtpSet.szAddr", SSF_AT(sSmtpSet.szAddr), 48), P1, IDC_PARAM_SENDER_ADDRESS, 48),
        FieldInput::Email),
    On(Text("sSmtpSet.szUserName", SSF_AT(sSmtpSet.szUserName), 48), P1, IDC_PARAM_SENDER_USER, 48),
    On(Text("sSmtpSet.szPassword", SSF_AT(sSmtpSet.szPassword), 32), P1, IDC_PARAM_SENDER_PASSWORD,
       32),
    On(Text("sMmsSet.szUrl", SSF_AT(sMmsSet.szUrl), 60), P1, IDC_PARAM_MMS_URL, 60),
    On(Text("sMmsSet.szApn", SSF_AT(sMmsSet.szApn), 60), P1, IDC_PARAM_MMS_APN, 60),
    On(Text("sMmsSet.szGateway", SSF_AT(sMmsSet.szGateway), 16), P1, IDC_PARAM_MMS_GATEWAY, 16),
    On(DigitText("sMmsSet.szPort", SSF_AT(sMmsSet.szPort), 8), P1, IDC_PARAM_MMS_PORT, 4),
    On(Text("sMmsSet.szAccount", SSF_AT(sMmsSet.szAccount), 32), P1, IDC_PARAM_MMS_ACCOUNT, 32),
    On(Text("sMmsSet.szPassword", SSF_AT(sMmsSet.szPassword), 32), P1, IDC_PARAM_MMS_PASSWORD, 32),
    Element(
        Fixed(Unit(Number("uwRecpLen[0]", SSF_ELEMENT(uwRecpLen, 0), 0, kRecpChars), "characters"),
              kLengthReason),
        0),
    Element(
        Fixed(Unit(Number("uwRecpLen[1]", SSF_ELEMENT(uwRecpLen, 1), 0, kRecpChars), "characters"),
              kLengthReason),
        1),
    Element(
        Fixed(Unit(Number("uwRecpLen[2]", SSF_ELEMENT(uwRecpLen, 2), 0, kRecpChars), "characters"),
              kLengthReason),
        2),
    Element(
        Fixed(Unit(Number("uwRecpLen[3]", SSF_ELEMENT(uwRecpLen, 3), 0, kRecpChars), "characters"),
              kLengthReason),
        3),
    // Slots 0 and 1 are phone numbers, 2 and 3 e-mail addresses.
    Element(On(Rule(PhoneText("szRecp[0]", SSF_ELEMENT(szRecp, 0), 15), FieldRule::Recipient), P2,
               IDC_SEND_PHONE1, 15),
            0),
    Element(On(Rule(PhoneText("szRecp[1]", SSF_ELEMENT(szRecp, 1), 15), FieldRule::Recipient), P2,
               IDC_SEND_PHONE2, 15),
            1),
    Input(Element(On(Rule(Text("szRecp[2]", SSF_ELEMENT(szRecp, 2), 48), FieldRule::Recipient), P2,
                     IDC_SEND_EMAIL1, 48),
                  2),
          FieldInput::Email),
    Input(Element(On(Rule(Text("szRecp[3]", SSF_ELEMENT(szRecp, 3), 48), FieldRule::Recipient), P2,
                     IDC_SEND_EMAIL2, 48),
                  3),
          FieldInput::Email),
    Element(Text("szFileFullName[0]", SSF_ELEMENT(szFileFullName, 0), 32), 0),
    Element(Text("szFileFullName[1]", SSF_ELEMENT(szFileFullName, 1), 32), 1),
    Element(Text("szFileFullName[2]", SSF_ELEMENT(szFileFullName, 2), 32), 2),
    Element(Text("szFileFullName[3]", SSF_ELEMENT(szFileFullName, 3), 32), 3),
    On(PhoneText("szRemotePhoneNum", SSF_AT(szRemotePhoneNum), 15), P2, IDC_SEND_REMOTE_PHONE, 15),
    Input(On(Text("szRemoteEmail", SSF_AT(szRemoteEmail), 48), P2, IDC_SEND_REMOTE_EMAIL, 48),
          FieldInput::Email),
    On(Text("sQorCloudSet.szAppKey", SSF_AT(sQorCloudSet.szAppKey), 32), Cloud,
       IDC_PARAM_FTP_SERVER, 60),
    On(Text("sQorCloudSet.szAppSecret", SSF_AT(sQorCloudSet.szAppSecret), 32), Cloud,
       IDC_PARAM_FTP_PORT, 60),
    Input(On(Text("sQorCloudSet.szSimCardNum", SSF_AT(sQorCloudSet.szSimCardNum), 15,
                  kDigitCharacters),
             Cloud, IDC_PARAM_FTP_USER, 16),
          FieldInput::Phone),
    On(Text("sFtpSet.szFtpDir", SSF_AT(sFtpSet.szFtpDir), 32), P1, IDC_PARAM_FTP_DIR, 32),
    On(Text("sFtpSet.szServer", SSF_AT(sFtpSet.szServer), 60), P1, IDC_PARAM_FTP_SERVER, 60),
    On(Text("sFtpSet.szUserName", SSF_AT(sFtpSet.szUserName), 43), P1, IDC_PARAM_FTP_USER, 48),
    On(Text("sFtpSet.szPassword", SSF_AT(sFtpSet.szPassword), 32), P1, IDC_PARAM_FTP_PASSWORD, 32),
    On(Number("sFtpSet.iPort", SSF_AT(sFtpSet.iPort), 0, 65535), P1, IDC_PARAM_FTP_PORT, 8),
    On(Choice("sFtpSet.iFtpDirType", SSF_AT(sFtpSet.iFtpDirType), OptionList::FtpDirType), P1,
       IDC_PARAM_FTP_DIR_TYPE),
    On(Choice("sLongitude.byDir", SSF_AT(sLongitude.byDir), OptionList::LongitudeDir), P2,
       IDC_SEND_LONGITUDE_DIR),
    On(Unit(Number("sLongitude.byDeg", SSF_AT(sLongitude.byDeg), 0, 180), "degrees"), P2,
       IDC_SEND_LONGITUDE_DEG, 3),
    On(Unit(Number("sLongitude.byMin", SSF_AT(sLongitude.byMin), 0, 59), "minutes"), P2,
       IDC_SEND_LONGITUDE_MIN, 2),
    On(Unit(Number("sLongitude.bySec", SSF_AT(sLongitude.bySec), 0, 59), "seconds"), P2,
       IDC_SEND_LONGITUDE_SEC, 2),
    On(Choice("sLatitude.byDir", SSF_AT(sLatitude.byDir), OptionList::LatitudeDir), P2,
       IDC_SEND_LATITUDE_DIR),
    On(Unit(Number("sLatitude.byDeg", SSF_AT(sLatitude.byDeg), 0, 90), "degrees"), P2,
       IDC_SEND_LATITUDE_DEG, 2),
    On(Unit(Number("sLatitude.byMin", SSF_AT(sLatitude.byMin), 0, 59), "minutes"), P2,
       IDC_SEND_LATITUDE_MIN, 2),
    On(Unit(Number("sLatitude.bySec", SSF_AT(sLatitude.bySec), 0, 59), "seconds"), P2,
       IDC_SEND_LATITUDE_SEC, 2),
};

#undef SSF_AT
#undef SSF_ELEMENT

} // namespace send_set_fields

using send_set_fields::kSendSetFields;

// A field by its record name; nullptr when the list has none.
const SendSetField* FindSendSetField(const char* name);

// The field a page's control shows (page 1's FTP group: the FTP layout's field); nullptr for none.
const SendSetField* SendSetFieldOfControl(FieldPage page, int control);

// The largest value of a number field: its maxValue, or its list's last position.
long SendSetFieldMaximum(const SendSetField& f);

// The limits of the fields a user types: every text field, and the numbers typed into edits, in
// record order. A view of kSendSetFields.
using SendSetFieldLimit = SendSetField;
extern const SendSetFieldLimit* const kSendSetFieldLimits;
extern const size_t kSendSetFieldLimitCount;

// The limit of a field by its name; nullptr when the field takes no typed value.
const SendSetFieldLimit* FindSendSetFieldLimit(const char* name);

// The text limit of the form's edit for a field by its name; 0 when no edit shows it.
int EditCharsOf(const char* name);

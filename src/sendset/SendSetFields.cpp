#include "sendset/SendSetFields.h"

#include "sendset/SendSet.h"

#include <cstring>
#include <iterator>

const char kPhoneCharacters[] = "0123456789+";
const char kDigitCharacters[] = "0123456789";

namespace {

// A member's offset and size; sizeof does not evaluate its operand.
#define AT(member) offsetof(SendSet, member), sizeof(static_cast<SendSet*>(nullptr)->member)

constexpr SendSetFieldLimit Text(const char* name, size_t offset, size_t size, int editChars,
                                 long stored, const char* allowed = nullptr) {
    return {name, offset, size, true, editChars, 0, stored, allowed};
}

constexpr SendSetFieldLimit Number(const char* name, size_t offset, size_t size, int editChars,
                                   long lo, long hi) {
    return {name, offset, size, false, editChars, lo, hi, kDigitCharacters};
}

// Recipient slot i: 0 and 1 are phone numbers, 2 and 3 e-mail addresses.
constexpr size_t RecipientAt(int i) {
    return offsetof(SendSet, szRecp) +
           sizeof(static_cast<SendSet*>(nullptr)->szRecp[0]) * static_cast<size_t>(i);
}

constexpr size_t FileNameAt(int i) {
    return offsetof(SendSet, szFileFullName) +
           sizeof(static_cast<SendSet*>(nullptr)->szFileFullName[0]) * static_cast<size_t>(i);
}

} // namespace

// The edits may hold more than is stored where the form cuts the text on the way into the record
// (the FTP user name, the cloud key and secret, the SIM card number), and less where the form
// keeps to a shorter text (the MMS port).
const SendSetFieldLimit kSendSetFieldLimits[] = {
    Number("uwMaxSendImgNum", AT(uwMaxSendImgNum), 4, 0, 9999),
    Number("sSmtpSet.iPort", AT(sSmtpSet.iPort), 8, 0, 65535),
    Text("sSmtpSet.sz3GSmtpApN", AT(sSmtpSet.sz3GSmtpApN), 60, 60),
    Text("sSmtpSet.sz3GSmtpAccount", AT(sSmtpSet.sz3GSmtpAccount), 32, 32),
    Text("sSmtpSet.sz3GSmtpPassword", AT(sSmtpSet.sz3GSmtpPassword), 32, 32),
    Text("sSmtpSet.szServer", AT(sSmtpSet.szServer), 60, 60),
    Text("sSmtpSet.szAddr", AT(sSmtpSet.szAddr), 48, 48),
    Text("sSmtpSet.szUserName", AT(sSmtpSet.szUserName), 48, 48),
    Text("sSmtpSet.szPassword", AT(sSmtpSet.szPassword), 32, 32),
    Text("sMmsSet.szUrl", AT(sMmsSet.szUrl), 60, 60),
    Text("sMmsSet.szApn", AT(sMmsSet.szApn), 60, 60),
    Text("sMmsSet.szGateway", AT(sMmsSet.szGateway), 16, 16),
    Text("sMmsSet.szPort", AT(sMmsSet.szPort), 4, 8, kDigitCharacters),
    Text("sMmsSet.szAccount", AT(sMmsSet.szAccount), 32, 32),
    Text("sMmsSet.szPassword", AT(sMmsSet.szPassword), 32, 32),
    Text("szRecp[0]", RecipientAt(0), sizeof(static_cast<SendSet*>(nullptr)->szRecp[0]), 15, 15,
         kPhoneCharacters),
    Text("szRecp[1]", RecipientAt(1), sizeof(static_cast<SendSet*>(nullptr)->szRecp[0]), 15, 15,
         kPhoneCharacters),
    Text("szRecp[2]", RecipientAt(2), sizeof(static_cast<SendSet*>(nullptr)->szRecp[0]), 48, 48),
    Text("szRecp[3]", RecipientAt(3), sizeof(static_cast<SendSet*>(nullptr)->szRecp[0]), 48, 48),
    Text("szFileFullName[0]", FileNameAt(0),
         sizeof(static_cast<SendSet*>(nullptr)->szFileFullName[0]), 0, 32),
    Text("szFileFullName[1]", FileNameAt(1),
         sizeof(static_cast<SendSet*>(nullptr)->szFileFullName[0]), 0, 32),
    Text("szFileFullName[2]", FileNameAt(2),
         sizeof(static_cast<SendSet*>(nullptr)->szFileFullName[0]), 0, 32),
    Text("szFileFullName[3]", FileNameAt(3),
         sizeof(static_cast<SendSet*>(nullptr)->szFileFullName[0]), 0, 32),
    Text("szRemotePhoneNum", AT(szRemotePhoneNum), 15, 15, kPhoneCharacters),
    Text("szRemoteEmail", AT(szRemoteEmail), 48, 48),
    Text("sQorCloudSet.szAppKey", AT(sQorCloudSet.szAppKey), 60, 32),
    Text("sQorCloudSet.szAppSecret", AT(sQorCloudSet.szAppSecret), 60, 32),
    Text("sQorCloudSet.szSimCardNum", AT(sQorCloudSet.szSimCardNum), 16, 15, kDigitCharacters),
    Text("sFtpSet.szFtpDir", AT(sFtpSet.szFtpDir), 32, 32),
    Text("sFtpSet.szServer", AT(sFtpSet.szServer), 60, 60),
    Text("sFtpSet.szUserName", AT(sFtpSet.szUserName), 48, 43),
    Text("sFtpSet.szPassword", AT(sFtpSet.szPassword), 32, 32),
    Number("sFtpSet.iPort", AT(sFtpSet.iPort), 8, 0, 65535),
    Number("sLongitude.byDeg", AT(sLongitude.byDeg), 3, 0, 180),
    Number("sLongitude.byMin", AT(sLongitude.byMin), 2, 0, 59),
    Number("sLongitude.bySec", AT(sLongitude.bySec), 2, 0, 59),
    Number("sLatitude.byDeg", AT(sLatitude.byDeg), 2, 0, 90),
    Number("sLatitude.byMin", AT(sLatitude.byMin), 2, 0, 59),
    Number("sLatitude.bySec", AT(sLatitude.bySec), 2, 0, 59),
};

#undef AT

const size_t kSendSetFieldLimitCount = std::size(kSendSetFieldLimits);

const SendSetFieldLimit* FindSendSetFieldLimit(const char* name) {
    for (const SendSetFieldLimit& f : kSendSetFieldLimits) {
        if (strcmp(f.name, name) == 0)
            return &f;
    }
    return nullptr;
}

int EditCharsOf(const char* name) {
    const SendSetFieldLimit* f = FindSendSetFieldLimit(name);
    return f != nullptr ? f->editChars : 0;
}

#include "lang/CardFiles.h"

#include "lang/OptionLists.h"
#include "lang/WebTexts.h"
#include "menu/CameraSetupRules.h"
#include "menu/MenuData.h"
#include "sendset/FileIo.h"
#include "sendset/SendSet.h"

#include <cstring>
#include <initializer_list>

namespace {

// pattern with each "%s" replaced by the next of args.
std::string Fill(const TextPair& pattern, std::initializer_list<std::string> args) {
    std::string out;
    auto arg = args.begin();
    for (const char* p = pattern.Get(); *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 's' && arg != args.end()) {
            out += *arg++;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

// A text field of a record, up to its terminator or its end; printable ASCII only, since the
// bytes are the card's.
std::string Field(const char* field, size_t capacity) {
    std::string out(field, static_cast<size_t>(FieldLength(field, capacity)));
    for (char& c : out) {
        if (c < 0x20 || c >= 0x7F)
            c = '?';
    }
    return out;
}

bool IsSendSetImage(const uint8_t* bytes, size_t size) {
    SendSet rec;
    return size == SEND_SET_SIZE && DecodeStoredSendSet(bytes, rec, nullptr);
}

// The recipients of slots first and first + 1, joined.
std::string Recipients(const SendSet& rec, int first) {
    std::string out;
    for (int slot = first; slot < first + 2; ++slot) {
        const std::string r = Field(rec.szRecp[slot], sizeof rec.szRecp[slot]);
        if (!r.empty())
            out += (out.empty() ? "" : ", ") + r;
    }
    return out;
}

// What a CFG.BIN image sets up; empty when the reader would not take it.
std::string SendSetSetsUp(const uint8_t* bytes) {
    SendSet rec;
    if (!DecodeStoredSendSet(bytes, rec, nullptr))
        return {};
    RepairSendSetAsRead(rec);
    const std::string method = OptionText(OptionList::SendOption, rec.bySendBy);
    std::string detail;
    switch (rec.bySendBy) {
    case SEND_BY_MMS:
    case SEND_BY_EMAIL: {
        const std::string to = Recipients(rec, rec.bySendBy == SEND_BY_MMS ? 0 : 2);
        detail = to.empty() ? kTextCardNoRecipient.Get() : Fill(kTextCardRecipients, {to});
        break;
    }
    case SEND_BY_FTP:
        detail = Fill(kTextCardServer, {Field(rec.sFtpSet.szServer, sizeof rec.sFtpSet.szServer)});
        break;
    case SEND_BY_CLOUD:
        detail = Fill(kTextCardSim,
                      {Field(rec.sQorCloudSet.szSimCardNum, sizeof rec.sQorCloudSet.szSimCardNum)});
        break;
    default:
        detail = kTextCardSendsNothing.Get();
        break;
    }
    if (method.empty()) // a send method the lists do not know
        return {};
    return Fill(kTextCardSendsBy, {kSendSetFileName, method, detail});
}

std::string MenuSetsUp(const uint8_t* bytes) {
    MenuData rec;
    DecodeMenuImage(bytes, rec);
    StartMenuAtFirstOpening(true, rec);
    return Fill(kTextCardCaptures,
                {kMenuFileName, OptionText(OptionList::CaptureMode, rec.CapMode)});
}

} // namespace

const char* CameraFileOfImage(const uint8_t* bytes, size_t size) {
    if (IsSendSetImage(bytes, size))
        return kSendSetFileName;
    if (size == MENU_DATA_SIZE)
        return kMenuFileName;
    return nullptr;
}

CardFileNote DescribeCardFile(const char* fileName, bool present, const uint8_t* bytes,
                              size_t size) {
    if (!present)
        return {false, Fill(kTextCardNoFile, {fileName})};
    const bool cfg = std::strcmp(fileName, kSendSetFileName) == 0;
    const size_t expected = cfg ? SEND_SET_SIZE : MENU_DATA_SIZE;
    std::string setsUp;
    if (size == expected)
        setsUp = cfg ? SendSetSetsUp(bytes) : MenuSetsUp(bytes);
    if (!setsUp.empty())
        return {true, setsUp + kTextCardFormsRead.Get()};
    std::string why;
    const char* other = CameraFileOfImage(bytes, size);
    if (size == 0)
        why = Fill(kTextCardEmpty, {fileName});
    else if (other != nullptr && std::strcmp(other, fileName) != 0)
        why = Fill(kTextCardOtherFile, {fileName, other});
    else if (size != expected)
        why = Fill(kTextCardWrongSize, {fileName, std::to_string(size), std::to_string(expected)});
    else
        why = Fill(kTextCardNotCameraFile, {fileName});
    return {false, why + kTextCardReplaced.Get()};
}

#include "wizard/ParamPageRules.h"

#include "common/Trace.h"
#include "sendset/FileIo.h"
#include "sendset/OperatorPresets.h"
#include "sendset/SendSetFields.h"
#include "ui/EditFilter.h"

#include <cstdio>
#include <cstring>

namespace {

bool IsManual(const SendSet& rec) {
    return rec.byOperatorCountry == OPERATOR_COUNTRY_MANUAL;
}

bool IsRemoteOn(const SendSet& rec) {
    return rec.byRemoteSwitch == 1;
}

bool IsSending(int sendBy) {
    return sendBy >= SEND_BY_MMS && sendBy <= SEND_BY_CLOUD;
}

// A text field of rec, with the longest text the record's field list stores in it: the form cuts
// a longer one on the way into the record (the FTP user name, the SIM card number).
template <size_t N> ParamEditField Text(SendSet& rec, char (&field)[N]) {
    const size_t offset = static_cast<size_t>(field - reinterpret_cast<char*>(&rec));
    for (const SendSetField& f : kSendSetFields) {
        if (f.offset == offset)
            return ParamEditField{field, N, static_cast<size_t>(f.maxValue), nullptr};
    }
    return ParamEditField{field, N, 0, nullptr};
}

ParamEditField Port(int32_t& port) {
    return ParamEditField{nullptr, 0, 0, &port};
}

template <size_t N> void Empty(char (&field)[N]) {
    memset(field, 0, N);
}

void StoreText(const ParamEditField& f, const std::string& text) {
    size_t limit = f.capacity - 1;
    if (f.takeBytes != 0 && f.takeBytes < limit)
        limit = f.takeBytes;
    const size_t n = text.size() < limit ? text.size() : limit;
    memset(f.text, 0, f.capacity);
    memcpy(f.text, text.data(), n);
}

// A port edit whose text holds no number leaves the stored port as it was.
void StorePort(int32_t* port, const std::string& text) {
    long value = 0;
    if (LeadingNumber(text, &value))
        *port = static_cast<int32_t>(value);
}

void TakeEdits(SendSet& rec, const ParamPageEntries& e, ParamEdit first, ParamEdit last,
               FtpEditUse layout) {
    for (int i = first; i <= last; ++i) {
        const ParamEditField f = FieldOfEdit(rec, static_cast<ParamEdit>(i), layout);
        if (f.text != nullptr)
            StoreText(f, e.sText[i]);
        else if (f.port != nullptr)
            StorePort(f.port, e.sText[i]);
    }
}

// The MMS and 3G edits hold the operator's parameters: they show the record, open for typing in
// manual input; where the 3G edits show, preset mode loads the operator's 3G presets.
void ShowOperatorGroup(ParamPageState& s, ParamEditGroup group) {
    s.uShowRecord |= group;
    if (s.bManual)
        s.uEnabled |= group;
    if (group == PEG_NET)
        s.bLoad3GPresets = !s.bManual;
}

} // namespace

ParamEditGroup GroupOfEdit(ParamEdit edit) {
    if (edit <= PE_MMS_PASSWORD)
        return PEG_MMS;
    if (edit <= PE_NET_PASSWORD)
        return PEG_NET;
    if (edit <= PE_SENDER_PASSWORD)
        return PEG_SENDER;
    return PEG_FTP;
}

ParamPageState ParamPageStateOf(const SendSet& rec, bool noRemoteCmd22, bool ftpGroupShown) {
    const bool manual = IsManual(rec);
    const bool remote = IsRemoteOn(rec);
    const int sendBy = IsSending(rec.bySendBy) ? int{rec.bySendBy} : int{SEND_BY_CLOSE_3G};
    ParamPageState s = {};
    s.iSendOptionItem = sendBy;
    s.bManual = manual;
    s.bFtpGroupShown = sendBy != SEND_BY_CLOSE_3G || ftpGroupShown;
    if (sendBy == SEND_BY_CLOSE_3G)
        return s; // every list and edit group disabled, nothing refreshed

    s.bModeListEnabled = true;
    s.bFillOperatorLists = true;
    switch (sendBy) {
    case SEND_BY_MMS:
        ShowOperatorGroup(s, PEG_MMS);
        if (remote && !noRemoteCmd22) {
            s.uEnabled |= PEG_SENDER;
            ShowOperatorGroup(s, PEG_NET);
        }
        break;
    case SEND_BY_EMAIL:
        if (remote)
            ShowOperatorGroup(s, PEG_MMS);
        s.uEnabled |= PEG_SENDER;
        // Like FTP and cloud, Email takes its data connection from the operator's presets;
        // without this a kept preselected operator would leave the 3G fields empty.
        ShowOperatorGroup(s, PEG_NET);
        break;
    default: // FTP and cloud
        ShowOperatorGroup(s, PEG_NET);
        s.uShowRecord |= PEG_FTP;
        if (remote) {
            if (!noRemoteCmd22)
                s.uEnabled |= PEG_SENDER;
            ShowOperatorGroup(s, PEG_MMS);
        }
        s.uEnabled |= PEG_FTP;
        s.bFtpDirEditEnabled = rec.sFtpSet.iFtpDirType != 0;
        s.bFtpDirToRoot = rec.sFtpSet.iFtpDirType == 0;
        break;
    }
    return s;
}

bool OpeningLoadsFirstRowPresets(const SendSet& rec) {
    return !IsSending(rec.bySendBy) && IsManual(rec);
}

void KeepBasicModelThumbnails(SendSet& rec, bool basicModel) {
    if (basicModel)
        rec.bySendImgSize = 1;
}

void PrepareParamPageRecord(SendSet& rec, bool basicModel) {
    KeepBasicModelThumbnails(rec, basicModel);
    if (rec.byOperatorCountry > OPERATOR_COUNTRY_MANUAL)
        rec.byOperatorCountry = 0;
    if (rec.byOperator > OPERATOR_INDEX_MAX)
        rec.byOperator = 0;
}

unsigned GroupsShownAtOpening(const SendSet& rec) {
    unsigned shown = 0;
    if (rec.bySendBy == SEND_BY_MMS)
        shown |= PEG_MMS;
    const bool mail = rec.bySendBy == SEND_BY_MMS
                          ? IsRemoteOn(rec)
                          : rec.bySendBy == SEND_BY_EMAIL || IsRemoteOn(rec);
    if (mail)
        shown |= PEG_NET | PEG_SENDER;
    return shown;
}

void ApplyParamPageState(SendSet& rec, const ParamPageState& state, int countryItem,
                         int operatorItem) {
    if (state.bLoad3GPresets)
        Load3GPresets(rec, countryItem, operatorItem);
    if (state.bFtpDirToRoot)
        strcpy(rec.sFtpSet.szFtpDir, kFtpRootDir);
}

int OperatorListItem(const SendSet& rec) {
    if (rec.byOperatorCountry >= PRESET_COUNTRY_COUNT)
        return -1;
    int count = static_cast<uint8_t>(OperatorNameTable[0][rec.byOperatorCountry].count);
    if (count > PRESET_SLOT_COUNT)
        count = PRESET_SLOT_COUNT;
    return rec.byOperator < count ? rec.byOperator : -1;
}

unsigned ChooseSendOption(SendSet& rec, int index) {
    rec.bySendBy = static_cast<uint8_t>(index);
    const unsigned senderUnlessRemote = IsRemoteOn(rec) ? 0u : unsigned{PEG_SENDER};
    switch (index) {
    case SEND_BY_MMS:
        return PEG_NET | senderUnlessRemote;
    case SEND_BY_EMAIL:
        return PEG_MMS;
    case SEND_BY_FTP:
    case SEND_BY_CLOUD:
        return PEG_FTP;
    default:
        return PEG_MMS | PEG_NET | senderUnlessRemote;
    }
}

bool SendOptionSetsFtpLayout(int index) {
    return index == SEND_BY_FTP || index == SEND_BY_CLOUD;
}

FtpEditUse FtpLayoutOf(int index) {
    return index == SEND_BY_CLOUD ? FTP_EDIT_CLOUD : FTP_EDIT_FTP;
}

ParamModeChange ChooseParamMode(SendSet& rec, int index, int countryItem, int operatorItem) {
    if (index == 0 && IsManual(rec)) {
        rec.byOperatorCountry = 0;
        rec.byOperator = 0;
        // The lists still hold their single "Others" entries: the first country's first slot.
        LoadPresetsOfRow(rec, countryItem, operatorItem);
        return ParamModeChange::ToPresets;
    }
    if (index == 1 && !IsManual(rec)) {
        rec.byOperatorCountry = OPERATOR_COUNTRY_MANUAL;
        memset(&rec.sMmsSet, 0, sizeof rec.sMmsSet);
        Empty(rec.sSmtpSet.sz3GSmtpApN);
        Empty(rec.sSmtpSet.sz3GSmtpAccount);
        Empty(rec.sSmtpSet.sz3GSmtpPassword);
        return ParamModeChange::ToManual;
    }
    return ParamModeChange::None;
}

bool ChooseCountry(SendSet& rec, int index) {
    if (index < 0 || index == rec.byOperatorCountry)
        return false;
    rec.byOperatorCountry = static_cast<uint8_t>(index);
    rec.byOperator = 0;
    return true;
}

bool ChooseOperator(SendSet& rec, int index) {
    if (index < 0 || index == rec.byOperator)
        return false;
    rec.byOperator = static_cast<uint8_t>(index);
    return true;
}

void LoadPresetsOfRow(SendSet& rec, int countryItem, int operatorItem) {
    LoadMmsPresets(rec, countryItem, operatorItem);
    Load3GPresets(rec, countryItem, operatorItem);
}

bool SenderUserNameFollows(const std::string& address) {
    return !address.empty();
}

void ChooseFtpDirType(SendSet& rec, int index) {
    rec.sFtpSet.iFtpDirType = index;
    if (index == 0)
        strcpy(rec.sFtpSet.szFtpDir, kFtpRootDir);
}

ParamEditField FieldOfEdit(SendSet& rec, ParamEdit edit, FtpEditUse layout) {
    MmsSet& mms = rec.sMmsSet;
    SmtpSet& smtp = rec.sSmtpSet;
    FtpSet& ftp = rec.sFtpSet;
    QorCloudSet& cloud = rec.sQorCloudSet;
    const bool isCloud = layout == FTP_EDIT_CLOUD;
    switch (edit) {
    case PE_MMS_URL:
        return Text(rec, mms.szUrl);
    case PE_MMS_APN:
        return Text(rec, mms.szApn);
    case PE_MMS_GATEWAY:
        return Text(rec, mms.szGateway);
    case PE_MMS_PORT:
        return Text(rec, mms.szPort);
    case PE_MMS_ACCOUNT:
        return Text(rec, mms.szAccount);
    case PE_MMS_PASSWORD:
        return Text(rec, mms.szPassword);
    case PE_NET_APN:
        return Text(rec, smtp.sz3GSmtpApN);
    case PE_NET_ACCOUNT:
        return Text(rec, smtp.sz3GSmtpAccount);
    case PE_NET_PASSWORD:
        return Text(rec, smtp.sz3GSmtpPassword);
    case PE_SENDER_SERVER:
        return Text(rec, smtp.szServer);
    case PE_SENDER_PORT:
        return Port(smtp.iPort);
    case PE_SENDER_ADDRESS:
        return Text(rec, smtp.szAddr);
    case PE_SENDER_USER:
        return Text(rec, smtp.szUserName);
    case PE_SENDER_PASSWORD:
        return Text(rec, smtp.szPassword);
    case PE_FTP_SERVER:
        // The key and secret edits accept 60 characters; the fields keep the first 32.
        return isCloud ? Text(rec, cloud.szAppKey) : Text(rec, ftp.szServer);
    case PE_FTP_PORT:
        return isCloud ? Text(rec, cloud.szAppSecret) : Port(ftp.iPort);
    case PE_FTP_USER:
        return isCloud ? Text(rec, cloud.szSimCardNum) : Text(rec, ftp.szUserName);
    case PE_FTP_PASSWORD:
        return isCloud ? ParamEditField{} : Text(rec, ftp.szPassword);
    case PE_FTP_DIR:
        return isCloud ? ParamEditField{} : Text(rec, ftp.szFtpDir);
    default:
        return ParamEditField{};
    }
}

std::string RecordTextOfEdit(const SendSet& rec, ParamEdit edit, FtpEditUse layout) {
    const ParamEditField f = FieldOfEdit(const_cast<SendSet&>(rec), edit, layout);
    if (f.text != nullptr)
        return std::string(f.text, static_cast<size_t>(FieldLength(f.text, f.capacity)));
    if (f.port != nullptr && *f.port != 0)
        return std::to_string(*f.port);
    return std::string();
}

void TakeParamPageEntries(SendSet& rec, const ParamPageEntries& e, bool noRemoteCmd22) {
    if (e.iModeItem != 0)
        TakeEdits(rec, e, PE_MMS_URL, PE_MMS_PASSWORD, FTP_EDIT_FTP);
    else
        LoadPresetsOfRow(rec, e.iCountryItem, e.iOperatorItem);
    Trace("g_sSendSet.byRemoteSwitch=%d\n", rec.byRemoteSwitch);

    // The 3G edits are taken wherever the page lets the user type them, so manual 3G settings
    // for FTP or the cloud without remote control reach the file.
    const bool mailboxUsed = rec.bySendBy == SEND_BY_EMAIL || IsRemoteOn(rec);
    const ParamPageState state = ParamPageStateOf(rec, noRemoteCmd22, true);
    if (mailboxUsed || (state.uEnabled & PEG_NET) != 0)
        TakeEdits(rec, e, PE_NET_APN, PE_NET_PASSWORD, FTP_EDIT_FTP);
    if (mailboxUsed) {
        const SmtpSet& smtp = rec.sSmtpSet;
        TakeEdits(rec, e, PE_SENDER_SERVER, PE_SENDER_SERVER, FTP_EDIT_FTP);
        Trace("** szServer:%.*s\n", FieldLength(smtp.szServer, sizeof smtp.szServer),
              smtp.szServer);
        TakeEdits(rec, e, PE_SENDER_PORT, PE_SENDER_PASSWORD, FTP_EDIT_FTP);
    }

    if (rec.bySendBy == SEND_BY_FTP) {
        TakeEdits(rec, e, PE_FTP_SERVER, PE_FTP_PASSWORD, FTP_EDIT_FTP);
        if (e.iFtpDirTypeItem >= 0)
            rec.sFtpSet.iFtpDirType = e.iFtpDirTypeItem;
        TakeEdits(rec, e, PE_FTP_DIR, PE_FTP_DIR, FTP_EDIT_FTP);
    } else if (rec.bySendBy == SEND_BY_CLOUD) {
        TakeEdits(rec, e, PE_FTP_SERVER, PE_FTP_USER, FTP_EDIT_CLOUD);
    }
}

bool LeadingNumber(const std::string& text, long* value) {
    return ParseNumberText(text, value);
}

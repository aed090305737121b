#include "wizard/ParamPageModel.h"

#include "common/Trace.h"
#include "lang/OptionLists.h"
#include "lang/Texts.h"
#include "res/resource.h"
#include "sendset/FileIo.h"
#include "sendset/OperatorPresets.h"
#include "sendset/SendSetFields.h"
#include "wizard/WizardEdits.h"

#include <cstring>
#include <iterator>

int g_bNoRemoteCmd22 = 0;

namespace {

const TextPair kParamPageCaption = {{"3G参数设置", "3G Parameter Settings"}};

const ControlText kParamPageTexts[] = {
    {IDC_PARAM_SEND_OPTION_LABEL, {{"3G发送选项", "3G Send Options"}}},
    {IDC_PARAM_MODE_LABEL, {{"3G参数设置", "3G Parameter Options"}}},
    {IDC_PARAM_OPERATOR_GROUP, {{"运营商选择", "Operator Selection"}}},
    {IDC_PARAM_COUNTRY_LABEL, {{"国家", "Country"}}},
    {IDC_PARAM_OPERATOR_LABEL, {{"运营商", "Operator"}}},
    {IDC_PARAM_MMS_GROUP, {{"彩信参数", "MMS Parameters"}}},
    {IDC_PARAM_MMS_URL_LABEL, {{"网址", "URL"}}},
    {IDC_PARAM_MMS_PORT_LABEL, {{"端口", "Port"}}},
    {IDC_PARAM_MMS_GATEWAY_LABEL, {{"网关", "Gateway"}}},
    {IDC_PARAM_MMS_ACCOUNT_LABEL, {{"帐号", "Account"}}},
    {IDC_PARAM_MMS_PASSWORD_LABEL, {{"密码", "Password"}}},
    {IDC_PARAM_FTP_PASSWORD_LABEL, {{"密码", "Password"}}},
    {IDC_PARAM_FTP_DIR_GROUP,
     {{"上传到的FTP目录(必须已存在)", "Upload to FTP directory (must exist)"}}},
    {IDC_PARAM_MAIL_GROUP, {{"邮件参数", "Mail Parameters"}}},
    {IDC_PARAM_NET_GROUP, {{"3G网络设置", "3G Network Settings"}}},
    {IDC_PARAM_NET_ACCOUNT_LABEL, {{"帐号", "Account"}}},
    {IDC_PARAM_NET_PASSWORD_LABEL, {{"密码", "Password"}}},
    {IDC_PARAM_SENDER_GROUP, {{"发件箱设置", "Sender Settings"}}},
    {IDC_PARAM_SENDER_SERVER_LABEL, {{"服务器", "Server"}}},
    {IDC_PARAM_SENDER_PORT_LABEL, {{"端口", "Port"}}},
    {IDC_PARAM_SENDER_ADDRESS_LABEL, {{"邮件地址", "Email Address"}}},
    {IDC_PARAM_SENDER_USER_LABEL, {{"帐号", "Account"}}},
    {IDC_PARAM_SENDER_PASSWORD_LABEL, {{"密码", "Password"}}},
    {IDC_PARAM_NEXT_PAGE, {{"下一页", "Next Page"}}},
};

// The FTP group's title and first three labels, per layout.
const ControlText kFtpLayoutTexts[] = {
    {IDC_PARAM_FTP_GROUP, {{"FTP设置", "FTP Settings"}}},
    {IDC_PARAM_FTP_SERVER_LABEL, {{"服务器", "Server"}}},
    {IDC_PARAM_FTP_PORT_LABEL, {{"端口", "Port"}}},
    {IDC_PARAM_FTP_USER_LABEL, {{"用户名", "User Name"}}},
};
const ControlText kCloudLayoutTexts[] = {
    {IDC_PARAM_FTP_GROUP, {{"QOR相机云系统参数", "QOR Camera Cloud System Parameters"}}},
    {IDC_PARAM_FTP_SERVER_LABEL, {{"APPKey", "APPKey"}}},
    {IDC_PARAM_FTP_PORT_LABEL, {{"APPSecret", "APPSecret"}}},
    {IDC_PARAM_FTP_USER_LABEL, {{"SIM卡号码", "SIM Card Number"}}},
};

const int kMmsEdits[] = {IDC_PARAM_MMS_URL,  IDC_PARAM_MMS_APN,     IDC_PARAM_MMS_GATEWAY,
                         IDC_PARAM_MMS_PORT, IDC_PARAM_MMS_ACCOUNT, IDC_PARAM_MMS_PASSWORD};
const int kNetEdits[] = {IDC_PARAM_NET_APN, IDC_PARAM_NET_ACCOUNT, IDC_PARAM_NET_PASSWORD};
// The sender mailbox edits the state update enables; the user name edit stays disabled.
const int kSenderInputs[] = {IDC_PARAM_SENDER_SERVER, IDC_PARAM_SENDER_PORT,
                             IDC_PARAM_SENDER_ADDRESS, IDC_PARAM_SENDER_PASSWORD};
const int kSenderEdits[] = {IDC_PARAM_SENDER_SERVER, IDC_PARAM_SENDER_PORT,
                            IDC_PARAM_SENDER_ADDRESS, IDC_PARAM_SENDER_USER,
                            IDC_PARAM_SENDER_PASSWORD};
const int kFtpInputs[] = {IDC_PARAM_FTP_SERVER,   IDC_PARAM_FTP_PORT,     IDC_PARAM_FTP_USER,
                          IDC_PARAM_FTP_PASSWORD, IDC_PARAM_FTP_DIR_TYPE, IDC_PARAM_FTP_DIR};
// The FTP group; the controls marked true are the FTP server's only, which the cloud lacks.
struct FtpGroupControl {
    int id;
    bool ftpOnly;
};
const FtpGroupControl kFtpGroupControls[] = {
    {IDC_PARAM_FTP_GROUP, false},   {IDC_PARAM_FTP_SERVER_LABEL, false},
    {IDC_PARAM_FTP_SERVER, false},  {IDC_PARAM_FTP_PORT_LABEL, false},
    {IDC_PARAM_FTP_PORT, false},    {IDC_PARAM_FTP_USER_LABEL, false},
    {IDC_PARAM_FTP_USER, false},    {IDC_PARAM_FTP_PASSWORD_LABEL, true},
    {IDC_PARAM_FTP_PASSWORD, true}, {IDC_PARAM_FTP_DIR_GROUP, true},
    {IDC_PARAM_FTP_DIR_TYPE, true}, {IDC_PARAM_FTP_DIR, true}};

// The control of each of the page's edits.
const int kParamEditIds[PARAM_EDIT_COUNT] = {
    IDC_PARAM_MMS_URL,       IDC_PARAM_MMS_APN,         IDC_PARAM_MMS_GATEWAY,
    IDC_PARAM_MMS_PORT,      IDC_PARAM_MMS_ACCOUNT,     IDC_PARAM_MMS_PASSWORD,
    IDC_PARAM_NET_APN,       IDC_PARAM_NET_ACCOUNT,     IDC_PARAM_NET_PASSWORD,
    IDC_PARAM_SENDER_SERVER, IDC_PARAM_SENDER_PORT,     IDC_PARAM_SENDER_ADDRESS,
    IDC_PARAM_SENDER_USER,   IDC_PARAM_SENDER_PASSWORD, IDC_PARAM_FTP_SERVER,
    IDC_PARAM_FTP_PORT,      IDC_PARAM_FTP_USER,        IDC_PARAM_FTP_PASSWORD,
    IDC_PARAM_FTP_DIR,
};

const int kParamLists[] = {IDC_PARAM_SEND_OPTION,  IDC_PARAM_MODE,         IDC_PARAM_COUNTRY,
                           IDC_PARAM_OPERATOR,     IDC_PARAM_MMS_APN_KIND, IDC_PARAM_FTP_DIR_TYPE,
                           IDC_PARAM_LANGUAGE_LIST};
const int kParamLabels[] = {IDC_PARAM_FTP_GROUP, IDC_PARAM_FTP_SERVER_LABEL,
                            IDC_PARAM_FTP_PORT_LABEL, IDC_PARAM_FTP_USER_LABEL, IDC_PARAM_VERSION};

int EditIndexOf(int id) {
    for (int i = 0; i < PARAM_EDIT_COUNT; ++i) {
        if (kParamEditIds[i] == id)
            return i;
    }
    return -1;
}

int LanguageBlock() {
    return g_iLanguage == UI_LANG_CHINESE ? 0 : 1;
}

void RemoveDisallowed(std::string& text, const char* allowed) {
    std::string kept;
    for (char c : text) {
        if (c != '\0' && strchr(allowed, c) != nullptr)
            kept += c;
    }
    text.swap(kept);
}

void FillTextList(DialogView& v, int id, OptionList list) {
    for (int k = 0; k < OptionCount(list); ++k)
        v.ListAdd(id, OptionText(list, k));
}

} // namespace

ParamPageModel::ParamPageModel(const WizardRecords& records) : r_(records) {
    AddControls();
}

ParamPageModel::ParamPageModel(SendSet& rec, bool noRemoteCmd22, bool basicModel)
    : r_{&rec, &ownSaved_, &ownNoRemoteCmd22_}, ownNoRemoteCmd22_(noRemoteCmd22 ? 1 : 0) {
    Open([] { return true; }, basicModel);
}

void ParamPageModel::AddControls() {
    v_ = DialogView();
    for (int id : kParamEditIds)
        v_.Add(id, ControlKind::Edit);
    for (int id : kParamLists)
        v_.Add(id, ControlKind::List);
    // The lists whose choice fills or empties much of the page answer when the choice ends.
    for (int id : {IDC_PARAM_SEND_OPTION, IDC_PARAM_MODE, IDC_PARAM_COUNTRY})
        v_.Answer(id, ListAnswer::OnChoiceEnd);
    for (int id : kParamLabels)
        v_.Add(id, ControlKind::Label);
    for (const ControlText& t : kParamPageTexts)
        v_.Add(t.id, ControlKind::Label);
    v_.Add(IDC_PARAM_FTP_PASSWORD_LABEL, ControlKind::Label);
    v_.Add(IDC_PARAM_FTP_DIR_GROUP, ControlKind::Label);
    v_.Enable(IDC_PARAM_VERSION, false); // as the template has it
}

bool ParamPageModel::Usable(int id) const {
    return v_.Enabled(id) && v_.Shown(id);
}

const char* ParamPageModel::AllowedChars(int id) const {
    const SendSetField* cloud = SendSetFieldOfControl(FieldPage::Page1Cloud, id);
    if (ftpEditUse_ == FTP_EDIT_CLOUD && cloud != nullptr)
        return cloud->allowed;
    const SendSetField* f = SendSetFieldOfControl(FieldPage::Page1, id);
    return f != nullptr ? f->allowed : nullptr;
}

size_t ParamPageModel::TakeBytes(int id) const {
    const int i = EditIndexOf(id);
    if (i < 0)
        return 0;
    const ParamEdit edit = static_cast<ParamEdit>(i);
    const FtpEditUse layout =
        GroupOfEdit(edit) == PEG_FTP ? FtpLayoutOf(r_.rec->bySendBy) : FTP_EDIT_FTP;
    const ParamEditField f = FieldOfEdit(*r_.rec, edit, layout);
    if (f.text == nullptr)
        return 0;
    return f.takeBytes != 0 && f.takeBytes < f.capacity - 1 ? f.takeBytes : f.capacity - 1;
}

int ParamPageModel::EditOfField(const char* name) const {
    if (ftpEditUse_ == FTP_EDIT_CLOUD) {
        for (size_t i = 0; i < kCloudEditFieldCount; ++i) {
            if (strcmp(kCloudEditFields[i].field, name) == 0)
                return kCloudEditFields[i].id;
        }
    }
    for (size_t i = 0; i < kParamPageEditFieldCount; ++i) {
        const WizardEditField& e = kParamPageEditFields[i];
        if (strcmp(e.field, name) != 0)
            continue;
        bool cloudEdit = false; // the cloud layout gives this edit another field
        for (size_t k = 0; k < kCloudEditFieldCount; ++k)
            cloudEdit |= kCloudEditFields[k].id == e.id;
        const bool ftpOnly = e.id == IDC_PARAM_FTP_PASSWORD || e.id == IDC_PARAM_FTP_DIR;
        if (ftpEditUse_ == FTP_EDIT_CLOUD && (cloudEdit || ftpOnly))
            return 0;
        return e.id;
    }
    return 0;
}

int ParamPageModel::SendOptionForGenerate() const {
    if (!open_)
        return r_.rec->bySendBy;
    return v_.ListSel(IDC_PARAM_SEND_OPTION);
}

// An edit's text set by the page raises the same change notification as typing does.
void ParamPageModel::SetEdit(int id, const std::string& text) {
    v_.SetText(id, text);
    EditChanged(id);
}

void ParamPageModel::TypeText(int id, const std::string& bytes) {
    if (EditIndexOf(id) >= 0)
        SetEdit(id, bytes);
}

// The filter of the edit's field in the group's layout; the account mirrors the sender address,
// and clearing the address leaves it as it was.
void ParamPageModel::EditChanged(int id) {
    if (const char* allowed = AllowedChars(id)) {
        std::string text = v_.Text(id);
        RemoveDisallowed(text, allowed);
        v_.SetText(id, text);
    }
    if (id == IDC_PARAM_SENDER_ADDRESS && SenderUserNameFollows(v_.Text(id)))
        v_.SetText(IDC_PARAM_SENDER_USER, v_.Text(id));
}

// Puts the record's texts into the edits of a group (an edit without a field in the layout
// keeps its text).
void ParamPageModel::ShowGroup(ParamEditGroup group) {
    const FtpEditUse layout = FtpLayoutOf(r_.rec->bySendBy);
    for (int i = 0; i < PARAM_EDIT_COUNT; ++i) {
        const ParamEdit edit = static_cast<ParamEdit>(i);
        if (GroupOfEdit(edit) != group)
            continue;
        const ParamEditField f = FieldOfEdit(*r_.rec, edit, layout);
        if (f.text != nullptr || f.port != nullptr)
            SetEdit(kParamEditIds[i], RecordTextOfEdit(*r_.rec, edit, layout));
    }
}

void ParamPageModel::EmptyGroups(unsigned groups) {
    for (int i = 0; i < PARAM_EDIT_COUNT; ++i) {
        if ((groups & GroupOfEdit(static_cast<ParamEdit>(i))) != 0)
            SetEdit(kParamEditIds[i], std::string());
    }
}

ParamPageState ParamPageModel::CurrentState() const {
    return ParamPageStateOf(*r_.rec, *r_.noRemoteCmd22 != 0, ftpGroupShown_);
}

// The lookups always read the row the two lists show; an operator list without a selection
// reads the country's first slot. The 3G edits are brought up to date wherever the page shows
// them, so a later Next Page never takes an earlier operator's values back from them.
void ParamPageModel::LoadPresetsFromLists() {
    LoadPresetsOfRow(*r_.rec, v_.ListSel(IDC_PARAM_COUNTRY), v_.ListSel(IDC_PARAM_OPERATOR));
    if ((CurrentState().uShowRecord & PEG_NET) != 0)
        ShowGroup(PEG_NET);
}

void ParamPageModel::AddCountryNames() {
    for (const TextPair& name : CountryNameTable)
        v_.ListAdd(IDC_PARAM_COUNTRY, name.Get());
}

void ParamPageModel::AddOperatorNames(int country) {
    if (country < 0 || country >= PRESET_COUNTRY_COUNT)
        return;
    const OperatorNameEntry& entry = OperatorNameTable[LanguageBlock()][country];
    int count = static_cast<uint8_t>(entry.count);
    if (count > PRESET_SLOT_COUNT)
        count = PRESET_SLOT_COUNT;
    for (int k = 0; k < count; ++k)
        v_.ListAdd(IDC_PARAM_OPERATOR, entry.names[k] != nullptr ? entry.names[k] : "");
}

void ParamPageModel::SetSingleOthers(int id) {
    v_.ListReset(id);
    v_.ListAdd(id, kTextOthers.Get());
    v_.ListSetSel(id, 0);
}

// The layout's labels, and the characters each edit allows in it.
void ParamPageModel::SetFtpLayoutTexts() {
    for (const ControlText& t : ftpEditUse_ == FTP_EDIT_CLOUD ? kCloudLayoutTexts : kFtpLayoutTexts)
        v_.SetText(t.id, t.text.Get());
    for (int id : kParamEditIds)
        v_.At(id).allowed = AllowedChars(id);
}

void ParamPageModel::SetTexts(bool refresh) {
    const SendSet& rec = *r_.rec;
    v_.caption = kParamPageCaption.Get();

    int sendOption = 1;
    int mode = 0;
    int dirType = rec.sFtpSet.iFtpDirType;
    if (refresh) {
        sendOption = v_.ListSel(IDC_PARAM_SEND_OPTION);
        mode = v_.ListSel(IDC_PARAM_MODE);
        dirType = v_.ListSel(IDC_PARAM_FTP_DIR_TYPE);
        for (int id : {IDC_PARAM_SEND_OPTION, IDC_PARAM_MODE, IDC_PARAM_COUNTRY, IDC_PARAM_OPERATOR,
                       IDC_PARAM_FTP_DIR_TYPE})
            v_.ListReset(id);
    }
    FillTextList(v_, IDC_PARAM_SEND_OPTION, OptionList::SendOption);
    v_.ListSetSel(IDC_PARAM_SEND_OPTION, sendOption);
    FillTextList(v_, IDC_PARAM_MODE, OptionList::ParamMode);
    v_.ListSetSel(IDC_PARAM_MODE, mode);

    for (const ControlText& t : kParamPageTexts)
        v_.SetText(t.id, t.text.Get());

    if (rec.byOperatorCountry == OPERATOR_COUNTRY_MANUAL) {
        v_.ListAdd(IDC_PARAM_COUNTRY, kTextOthers.Get());
        v_.ListSetSel(IDC_PARAM_COUNTRY, 0);
        v_.ListAdd(IDC_PARAM_OPERATOR, kTextOthers.Get());
        v_.ListSetSel(IDC_PARAM_OPERATOR, 0);
    } else {
        AddCountryNames();
        v_.ListSetSel(IDC_PARAM_COUNTRY, rec.byOperatorCountry);
        AddOperatorNames(rec.byOperatorCountry);
        v_.ListSetSel(IDC_PARAM_OPERATOR, refresh ? rec.byOperator : 0);
    }

    if (!refresh) {
        for (const char* item : kLanguageItems)
            v_.ListAdd(IDC_PARAM_LANGUAGE_LIST, item);
        v_.ListSetSel(IDC_PARAM_LANGUAGE_LIST, g_iLanguage);
    }

    Trace("## s_eFtpEditUse = %d ##\n", static_cast<int>(ftpEditUse_));
    SetFtpLayoutTexts();

    // Refilled on a language change as well, so the list never mixes the two languages.
    FillTextList(v_, IDC_PARAM_FTP_DIR_TYPE, OptionList::FtpDirType);
    v_.ListSetSel(IDC_PARAM_FTP_DIR_TYPE, dirType);
}

void ParamPageModel::FillOperatorLists(bool manual) {
    const SendSet& rec = *r_.rec;
    if (manual) {
        v_.ListSetSel(IDC_PARAM_MODE, 1);
        v_.Enable(IDC_PARAM_COUNTRY, false);
        SetSingleOthers(IDC_PARAM_COUNTRY);
        v_.Enable(IDC_PARAM_OPERATOR, false);
        SetSingleOthers(IDC_PARAM_OPERATOR);
        return;
    }
    v_.ListSetSel(IDC_PARAM_MODE, 0);
    v_.Enable(IDC_PARAM_COUNTRY, true);
    if (countryListStale_) {
        v_.ListReset(IDC_PARAM_COUNTRY);
        AddCountryNames();
        countryListStale_ = false;
    }
    v_.ListSetSel(IDC_PARAM_COUNTRY, rec.byOperatorCountry);
    v_.Enable(IDC_PARAM_OPERATOR, true);
    v_.ListReset(IDC_PARAM_OPERATOR);
    AddOperatorNames(rec.byOperatorCountry);
    v_.ListSetSel(IDC_PARAM_OPERATOR, rec.byOperator);
}

// Shows the FTP group, or hides it; the cloud layout has no password or directory.
void ParamPageModel::ShowFtpGroup(bool shown) {
    const bool cloud = ftpEditUse_ == FTP_EDIT_CLOUD;
    for (const FtpGroupControl& c : kFtpGroupControls)
        v_.Show(c.id, shown && !(cloud && c.ftpOnly));
}

void ParamPageModel::ShowFtpOrCloudFields() {
    ShowGroup(PEG_FTP);
    const bool cloud = FtpLayoutOf(r_.rec->bySendBy) == FTP_EDIT_CLOUD;
    // The FTP group's edits take the limits of the layout's fields.
    const WizardEditField* edits = cloud ? kCloudEditFields : kParamPageEditFields;
    const size_t count = cloud ? kCloudEditFieldCount : kParamPageEditFieldCount;
    for (size_t i = 0; i < count; ++i) {
        if (edits[i].id == IDC_PARAM_FTP_PORT || edits[i].id == IDC_PARAM_FTP_USER)
            v_.Limit(edits[i].id, EditCharsOf(edits[i].field));
    }
}

void ParamPageModel::UpdateState() {
    SendSet& rec = *r_.rec;
    const ParamPageState s = CurrentState();
    v_.ListSetSel(IDC_PARAM_SEND_OPTION, s.iSendOptionItem);
    v_.Enable(IDC_PARAM_MODE, s.bModeListEnabled);
    if (s.bFillOperatorLists) {
        FillOperatorLists(s.bManual);
    } else {
        v_.Enable(IDC_PARAM_COUNTRY, false);
        v_.Enable(IDC_PARAM_OPERATOR, false);
    }
    ApplyParamPageState(rec, s, v_.ListSel(IDC_PARAM_COUNTRY), v_.ListSel(IDC_PARAM_OPERATOR));

    for (int id : kMmsEdits)
        v_.Enable(id, (s.uEnabled & PEG_MMS) != 0);
    for (int id : kNetEdits)
        v_.Enable(id, (s.uEnabled & PEG_NET) != 0);
    for (int id : kSenderInputs)
        v_.Enable(id, (s.uEnabled & PEG_SENDER) != 0);
    for (int id : kFtpInputs)
        v_.Enable(id, (s.uEnabled & PEG_FTP) != 0);
    if ((s.uEnabled & PEG_FTP) != 0)
        v_.Enable(IDC_PARAM_FTP_DIR, s.bFtpDirEditEnabled);

    if ((s.uShowRecord & PEG_MMS) != 0)
        ShowGroup(PEG_MMS);
    if ((s.uShowRecord & PEG_NET) != 0)
        ShowGroup(PEG_NET);
    if ((s.uShowRecord & PEG_FTP) != 0)
        ShowFtpOrCloudFields();

    ftpGroupShown_ = s.bFtpGroupShown;
    ShowFtpGroup(s.bFtpGroupShown);

    for (int id : kMmsEdits)
        v_.Mask(id, !s.bManual);
    for (int id : kNetEdits)
        v_.Mask(id, !s.bManual);
}

void ParamPageModel::Open(const std::function<bool()>& readCard, bool basicModel) {
    SendSet& rec = *r_.rec;
    AddControls();
    open_ = true;

    FillTextList(v_, IDC_PARAM_MMS_APN_KIND, OptionList::ApnKind);
    v_.ListSetSel(IDC_PARAM_MMS_APN_KIND, 0);
    v_.Enable(IDC_PARAM_MMS_APN_KIND, false);

    v_.Enable(IDC_PARAM_SENDER_USER_LABEL, false);
    for (int id : kSenderEdits)
        v_.Enable(id, false);
    v_.Mask(IDC_PARAM_SENDER_PASSWORD, true);

    v_.Show(IDC_PARAM_LANGUAGE_LIST, false);
    v_.SetText(IDC_PARAM_VERSION, kVersionText);
    v_.Show(IDC_PARAM_VERSION, false);

    // The FTP group starts with its FTP limits; the state update sets the cloud ones.
    for (size_t i = 0; i < kParamPageEditFieldCount; ++i)
        v_.Limit(kParamPageEditFields[i].id, EditCharsOf(kParamPageEditFields[i].field));
    v_.Mask(IDC_PARAM_FTP_PASSWORD, true);

    if (firstOpen_) {
        firstOpen_ = false;
        if (!readCard()) {
            LoadSendSetDefaults(rec);
            v_.Enable(IDC_PARAM_FTP_DIR, false);
        }
        ftpEditUse_ = rec.bySendBy == SEND_BY_CLOUD ? FTP_EDIT_CLOUD : FTP_EDIT_FTP;
    } else {
        rec = *r_.saved; // what the pages handed over; the file is not read again
    }

    SetTexts(false);

    PrepareParamPageRecord(rec, basicModel);
    Trace("#\t bySendBy=%d, byOperatorCountry=%d \t#\n", rec.bySendBy, rec.byOperatorCountry);

    UpdateState();

    if (rec.byOperatorCountry != OPERATOR_COUNTRY_MANUAL)
        v_.ListSetSel(IDC_PARAM_OPERATOR, rec.byOperator);
    v_.ListSetSel(IDC_PARAM_FTP_DIR_TYPE, rec.sFtpSet.iFtpDirType);

    // Opening loads no MMS presets: the MMS edits show what the record holds.
    const unsigned shown = GroupsShownAtOpening(rec);
    if ((shown & PEG_MMS) != 0)
        ShowGroup(PEG_MMS);
    if ((shown & PEG_NET) != 0)
        ShowGroup(PEG_NET);
    if ((shown & PEG_SENDER) != 0)
        ShowGroup(PEG_SENDER);
}

// Choosing a send option, even the one already chosen, empties the edits that option does not
// fill from the record; the record keeps its values.
bool ParamPageModel::ChooseSendOption(int index) {
    if (!Usable(IDC_PARAM_SEND_OPTION))
        return false;
    v_.ListSetSel(IDC_PARAM_SEND_OPTION, index);
    index = v_.ListSel(IDC_PARAM_SEND_OPTION);
    if (index < 0)
        return true;
    EmptyGroups(::ChooseSendOption(*r_.rec, index));
    if (SendOptionSetsFtpLayout(index)) {
        ftpEditUse_ = FtpLayoutOf(index);
        SetFtpLayoutTexts();
    }
    UpdateState();
    return true;
}

bool ParamPageModel::ChooseParamMode(int index) {
    if (!Usable(IDC_PARAM_MODE))
        return false;
    v_.ListSetSel(IDC_PARAM_MODE, index);
    switch (::ChooseParamMode(*r_.rec, v_.ListSel(IDC_PARAM_MODE), v_.ListSel(IDC_PARAM_COUNTRY),
                              v_.ListSel(IDC_PARAM_OPERATOR))) {
    case ParamModeChange::ToPresets:
        countryListStale_ = true;
        if ((CurrentState().uShowRecord & PEG_NET) != 0)
            ShowGroup(PEG_NET);
        ShowGroup(PEG_MMS);
        UpdateState();
        break;
    case ParamModeChange::ToManual:
        UpdateState();
        ShowGroup(PEG_MMS);
        ShowGroup(PEG_NET);
        break;
    case ParamModeChange::None:
        break;
    }
    return true;
}

bool ParamPageModel::ChooseCountry(int index) {
    if (!Usable(IDC_PARAM_COUNTRY) && r_.rec->byOperatorCountry == OPERATOR_COUNTRY_MANUAL &&
        Usable(IDC_PARAM_MODE))
        ChooseParamMode(0);
    if (!Usable(IDC_PARAM_COUNTRY))
        return false;
    v_.ListSetSel(IDC_PARAM_COUNTRY, index);
    if (!::ChooseCountry(*r_.rec, v_.ListSel(IDC_PARAM_COUNTRY)))
        return true;
    UpdateState();
    LoadPresetsFromLists();
    if (r_.rec->bySendBy == SEND_BY_MMS)
        ShowGroup(PEG_MMS);
    return true;
}

bool ParamPageModel::Choose(int id, int item) {
    switch (id) {
    case IDC_PARAM_SEND_OPTION:
        return ChooseSendOption(item);
    case IDC_PARAM_MODE:
        return ChooseParamMode(item);
    case IDC_PARAM_COUNTRY:
        return ChooseCountry(item);
    case IDC_PARAM_OPERATOR:
        return ChooseOperator(item);
    case IDC_PARAM_FTP_DIR_TYPE:
        return ChooseFtpDirType(item);
    case IDC_PARAM_LANGUAGE_LIST:
        ChooseLanguage(item);
        return true;
    default:
        return false;
    }
}

bool ParamPageModel::ChooseOperator(int index) {
    if (!Usable(IDC_PARAM_OPERATOR))
        return false;
    v_.ListSetSel(IDC_PARAM_OPERATOR, index);
    if (!::ChooseOperator(*r_.rec, v_.ListSel(IDC_PARAM_OPERATOR)))
        return true;
    LoadPresetsFromLists();
    if (r_.rec->bySendBy == SEND_BY_MMS)
        ShowGroup(PEG_MMS);
    return true;
}

bool ParamPageModel::ChooseFtpDirType(int index) {
    if (!Usable(IDC_PARAM_FTP_DIR_TYPE))
        return false;
    v_.ListSetSel(IDC_PARAM_FTP_DIR_TYPE, index);
    index = v_.ListSel(IDC_PARAM_FTP_DIR_TYPE);
    if (index < 0)
        return true;
    SendSet& rec = *r_.rec;
    ::ChooseFtpDirType(rec, index);
    v_.Enable(IDC_PARAM_FTP_DIR, index != 0);
    SetEdit(IDC_PARAM_FTP_DIR,
            std::string(rec.sFtpSet.szFtpDir,
                        static_cast<size_t>(
                            FieldLength(rec.sFtpSet.szFtpDir, sizeof rec.sFtpSet.szFtpDir))));
    return true;
}

void ParamPageModel::ChooseLanguage(int item) {
    v_.ListSetSel(IDC_PARAM_LANGUAGE_LIST, item);
    g_iLanguage = LanguageOfListItem(v_.ListSel(IDC_PARAM_LANGUAGE_LIST));
    SetTexts(true);
}

void ParamPageModel::NextPage() {
    SendSet& rec = *r_.rec;
    ParamPageEntries entries;
    for (int i = 0; i < PARAM_EDIT_COUNT; ++i)
        entries.sText[i] = v_.Text(kParamEditIds[i]); // the record takes what its field holds
    entries.iModeItem = v_.ListSel(IDC_PARAM_MODE);
    entries.iCountryItem = v_.ListSel(IDC_PARAM_COUNTRY);
    entries.iOperatorItem = v_.ListSel(IDC_PARAM_OPERATOR);
    entries.iFtpDirTypeItem = v_.ListSel(IDC_PARAM_FTP_DIR_TYPE);
    TakeParamPageEntries(rec, entries, *r_.noRemoteCmd22 != 0);
    *r_.saved = rec;

    const FtpSet& ftp = rec.sFtpSet;
    Trace(":: NEXT_PAGE, OperatorCountry=%d, uwMaxSendImgNum=%d\n", rec.byOperatorCountry,
          rec.uwMaxSendImgNum);
    Trace(":: NEXT_PAGE, FTP Server=%.*s, FTP Port=%d\n",
          FieldLength(ftp.szServer, sizeof ftp.szServer), ftp.szServer,
          static_cast<int>(ftp.iPort));
}

void ParamPageModel::StartRun() {
    open_ = false;
    firstOpen_ = true;
    countryListStale_ = true;
    ftpGroupShown_ = false;
    ftpEditUse_ = FTP_EDIT_FTP;
}

void ParamPageModel::Close() {
    *r_.saved = *r_.rec;
}

ParamPageModel& Page1() {
    static ParamPageModel page(WizardRecords{&g_sSendSet, &g_sSendSetSaved, &g_bNoRemoteCmd22});
    return page;
}

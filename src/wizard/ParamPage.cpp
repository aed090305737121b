// 3G Parameter Settings: page 1 of the 3G wizard. The send option, the operator's network
// parameters (from the preset tables or typed in), the sender mailbox and the FTP server or the
// cloud account, edited in place in g_sSendSet.
#include "app/App.h"
#include "app/Trace.h"
#include "lang/OptionLists.h"
#include "lang/Texts.h"
#include "res/resource.h"
#include "sendset/FileIo.h"
#include "sendset/OperatorPresets.h"
#include "sendset/SendSet.h"
#include "sendset/SendSetFields.h"
#include "ui/EditFilterWin.h"
#include "ui/ScrollFit.h"
#include "ui/WinUtil.h"
#include "wizard/ParamPageRules.h"
#include "wizard/Wizard.h"
#include "wizard/WizardEdits.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

namespace {

// Kept for the whole run, private to the page; none of them is stored in a file.
bool g_bParamPageFirstOpen = true; // the first opening reads CFG.BIN
bool g_bCountryListStale = true;   // the next preset fill of the country list refills it
bool g_bFtpGroupShown = false;     // set once a send option other than "Close 3G" was applied

// Layout of the FTP group; kept across openings, read by page 2.
FtpEditUse s_eFtpEditUse = FTP_EDIT_FTP;
// The newest page window. It stays alive, hidden, while page 2 runs on top of it.
HWND s_hParamPage = nullptr;

const char kDigits[] = "0123456789";

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
const int kFtpEdits[] = {IDC_PARAM_FTP_SERVER, IDC_PARAM_FTP_PORT, IDC_PARAM_FTP_USER,
                         IDC_PARAM_FTP_PASSWORD, IDC_PARAM_FTP_DIR};
const int kFtpInputs[] = {IDC_PARAM_FTP_SERVER,   IDC_PARAM_FTP_PORT,     IDC_PARAM_FTP_USER,
                          IDC_PARAM_FTP_PASSWORD, IDC_PARAM_FTP_DIR_TYPE, IDC_PARAM_FTP_DIR};
const int kFtpGroupControls[] = {
    IDC_PARAM_FTP_GROUP,      IDC_PARAM_FTP_SERVER_LABEL,   IDC_PARAM_FTP_SERVER,
    IDC_PARAM_FTP_PORT_LABEL, IDC_PARAM_FTP_PORT,           IDC_PARAM_FTP_USER_LABEL,
    IDC_PARAM_FTP_USER,       IDC_PARAM_FTP_PASSWORD_LABEL, IDC_PARAM_FTP_PASSWORD,
    IDC_PARAM_FTP_DIR_GROUP,  IDC_PARAM_FTP_DIR_TYPE,       IDC_PARAM_FTP_DIR};

bool IsManualInput() {
    return g_sSendSet.byOperatorCountry == OPERATOR_COUNTRY_MANUAL;
}

int LanguageBlock() {
    return g_iLanguage == UI_LANG_CHINESE ? 0 : 1;
}

template <size_t N> void EnableItems(HWND dlg, const int (&ids)[N], bool enable) {
    for (int id : ids)
        EnableDlgItem(dlg, id, enable);
}

template <size_t N> void ClearEdits(HWND dlg, const int (&ids)[N]) {
    for (int id : ids)
        SetDlgItemTextW(dlg, id, L"");
}

void SetTextLimit(HWND dlg, int id, int chars) {
    SendDlgItemMessageW(dlg, id, EM_SETLIMITTEXT, static_cast<WPARAM>(chars), 0);
}

void SetEditMask(HWND dlg, int id, bool masked) {
    SendDlgItemMessageW(dlg, id, EM_SETPASSWORDCHAR, masked ? L'*' : 0, 0);
    InvalidateRect(GetDlgItem(dlg, id), nullptr, TRUE);
}

void SetTexts(HWND dlg, const ControlText* texts, size_t n) {
    for (size_t i = 0; i < n; ++i)
        SetDlgItemTextUtf8(dlg, texts[i].id, texts[i].text.Get());
}

void FillTextList(HWND dlg, int id, OptionList list) {
    for (int k = 0; k < OptionCount(list); ++k)
        ComboAddUtf8(dlg, id, OptionText(list, k).c_str());
}

// A port shows as decimal text, empty when 0.
void SetPortText(HWND dlg, int id, int32_t port) {
    char text[16] = "";
    if (port != 0)
        snprintf(text, sizeof text, "%d", static_cast<int>(port));
    SetDlgItemTextUtf8(dlg, id, text);
}

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

// The layout of the record's FTP group fields: the cloud's for the cloud, else the FTP server's.
FtpEditUse RecordLayout() {
    return FtpLayoutOf(g_sSendSet.bySendBy);
}

// Puts the record's texts into the edits of a group (an edit without a field in the layout
// keeps its text).
void ShowGroup(HWND dlg, ParamEditGroup group) {
    for (int i = 0; i < PARAM_EDIT_COUNT; ++i) {
        const ParamEdit edit = static_cast<ParamEdit>(i);
        if (GroupOfEdit(edit) != group)
            continue;
        const ParamEditField f = FieldOfEdit(g_sSendSet, edit, RecordLayout());
        if (f.text != nullptr)
            SetDlgItemField(dlg, kParamEditIds[i], f.text, f.capacity);
        else if (f.port != nullptr)
            SetPortText(dlg, kParamEditIds[i], *f.port);
    }
}

void ShowMmsFields(HWND dlg) {
    ShowGroup(dlg, PEG_MMS);
}

void Show3GFields(HWND dlg) {
    ShowGroup(dlg, PEG_NET);
}

void EmptyGroups(HWND dlg, unsigned groups) {
    for (int i = 0; i < PARAM_EDIT_COUNT; ++i) {
        if ((groups & GroupOfEdit(static_cast<ParamEdit>(i))) != 0)
            SetDlgItemTextW(dlg, kParamEditIds[i], L"");
    }
}

ParamPageState CurrentState() {
    return ParamPageStateOf(g_sSendSet, g_bNoRemoteCmd22 != 0, g_bFtpGroupShown);
}

// The lookups always read the row the two lists show; an operator list without a selection
// reads the country's first slot. The 3G edits are brought up to date wherever the page shows
// them, so a later Next Page never takes an earlier operator's values back from them.
void LoadPresetsFromLists(HWND dlg) {
    LoadPresetsOfRow(g_sSendSet, ComboGetSel(dlg, IDC_PARAM_COUNTRY),
                     ComboGetSel(dlg, IDC_PARAM_OPERATOR));
    if ((CurrentState().uShowRecord & PEG_NET) != 0)
        Show3GFields(dlg);
}

void AddCountryNames(HWND dlg) {
    for (const TextPair& name : CountryNameTable)
        ComboAddUtf8(dlg, IDC_PARAM_COUNTRY, name.Get());
}

void AddOperatorNames(HWND dlg, int country) {
    if (country < 0 || country >= PRESET_COUNTRY_COUNT)
        return;
    const OperatorNameEntry& entry = OperatorNameTable[LanguageBlock()][country];
    int count = static_cast<uint8_t>(entry.count);
    if (count > PRESET_SLOT_COUNT)
        count = PRESET_SLOT_COUNT;
    for (int k = 0; k < count; ++k)
        ComboAddUtf8(dlg, IDC_PARAM_OPERATOR, entry.names[k] != nullptr ? entry.names[k] : "");
}

void SetSingleOthers(HWND dlg, int id) {
    ComboReset(dlg, id);
    ComboAddUtf8(dlg, id, kTextOthers.Get());
    ComboSetSel(dlg, id, 0);
}

void SetFtpLayoutTexts(HWND dlg) {
    if (s_eFtpEditUse == FTP_EDIT_CLOUD)
        SetTexts(dlg, kCloudLayoutTexts, std::size(kCloudLayoutTexts));
    else
        SetTexts(dlg, kFtpLayoutTexts, std::size(kFtpLayoutTexts));
}

void SetParamPageTexts(HWND dlg, int refresh) {
    SetWindowTextUtf8(dlg, kParamPageCaption.Get());

    int sendOption = 1;
    int mode = 0;
    int dirType = g_sSendSet.sFtpSet.iFtpDirType;
    if (refresh) {
        sendOption = ComboGetSel(dlg, IDC_PARAM_SEND_OPTION);
        mode = ComboGetSel(dlg, IDC_PARAM_MODE);
        dirType = ComboGetSel(dlg, IDC_PARAM_FTP_DIR_TYPE);
        ComboReset(dlg, IDC_PARAM_SEND_OPTION);
        ComboReset(dlg, IDC_PARAM_MODE);
        ComboReset(dlg, IDC_PARAM_COUNTRY);
        ComboReset(dlg, IDC_PARAM_OPERATOR);
        ComboReset(dlg, IDC_PARAM_FTP_DIR_TYPE);
    }
    FillTextList(dlg, IDC_PARAM_SEND_OPTION, OptionList::SendOption);
    ComboSetSel(dlg, IDC_PARAM_SEND_OPTION, sendOption);
    ComboFitDroppedWidth(dlg, IDC_PARAM_SEND_OPTION); // "QOR Camera Cloud System" is wider
    FillTextList(dlg, IDC_PARAM_MODE, OptionList::ParamMode);
    ComboSetSel(dlg, IDC_PARAM_MODE, mode);

    SetTexts(dlg, kParamPageTexts, std::size(kParamPageTexts));

    if (IsManualInput()) {
        ComboAddUtf8(dlg, IDC_PARAM_COUNTRY, kTextOthers.Get());
        ComboSetSel(dlg, IDC_PARAM_COUNTRY, 0);
        ComboAddUtf8(dlg, IDC_PARAM_OPERATOR, kTextOthers.Get());
        ComboSetSel(dlg, IDC_PARAM_OPERATOR, 0);
    } else {
        AddCountryNames(dlg);
        ComboSetSel(dlg, IDC_PARAM_COUNTRY, g_sSendSet.byOperatorCountry);
        AddOperatorNames(dlg, g_sSendSet.byOperatorCountry);
        ComboSetSel(dlg, IDC_PARAM_OPERATOR, refresh ? g_sSendSet.byOperator : 0);
    }

    if (!refresh) {
        for (const char* item : kLanguageItems)
            ComboAddUtf8(dlg, IDC_PARAM_LANGUAGE_LIST, item);
        ComboSetSel(dlg, IDC_PARAM_LANGUAGE_LIST, g_iLanguage);
    }

    Trace("## s_eFtpEditUse = %d ##\n", static_cast<int>(s_eFtpEditUse));
    SetFtpLayoutTexts(dlg);

    // Refilled on a language change as well, so the list never mixes the two languages.
    FillTextList(dlg, IDC_PARAM_FTP_DIR_TYPE, OptionList::FtpDirType);
    ComboSetSel(dlg, IDC_PARAM_FTP_DIR_TYPE, dirType);
}

void FillOperatorLists(HWND dlg, bool manual) {
    if (manual) {
        ComboSetSel(dlg, IDC_PARAM_MODE, 1);
        EnableDlgItem(dlg, IDC_PARAM_COUNTRY, false);
        SetSingleOthers(dlg, IDC_PARAM_COUNTRY);
        EnableDlgItem(dlg, IDC_PARAM_OPERATOR, false);
        SetSingleOthers(dlg, IDC_PARAM_OPERATOR);
        return;
    }
    ComboSetSel(dlg, IDC_PARAM_MODE, 0);
    EnableDlgItem(dlg, IDC_PARAM_COUNTRY, true);
    if (g_bCountryListStale) {
        ComboReset(dlg, IDC_PARAM_COUNTRY);
        AddCountryNames(dlg);
        g_bCountryListStale = false;
    }
    ComboSetSel(dlg, IDC_PARAM_COUNTRY, g_sSendSet.byOperatorCountry);
    EnableDlgItem(dlg, IDC_PARAM_OPERATOR, true);
    ComboReset(dlg, IDC_PARAM_OPERATOR);
    AddOperatorNames(dlg, g_sSendSet.byOperatorCountry);
    ComboSetSel(dlg, IDC_PARAM_OPERATOR, g_sSendSet.byOperator);
}

// Shows the FTP group, or hides it; the cloud layout has no password or directory.
void ShowFtpGroup(HWND dlg, bool shown) {
    const bool cloud = s_eFtpEditUse == FTP_EDIT_CLOUD;
    for (int id : kFtpGroupControls) {
        const bool ftpOnly = id == IDC_PARAM_FTP_PASSWORD_LABEL || id == IDC_PARAM_FTP_DIR_GROUP ||
                             id == IDC_PARAM_FTP_PASSWORD || id == IDC_PARAM_FTP_DIR_TYPE ||
                             id == IDC_PARAM_FTP_DIR;
        ShowDlgItem(dlg, id, shown && !(cloud && ftpOnly));
    }
}

void ShowFtpOrCloudFields(HWND dlg) {
    ShowGroup(dlg, PEG_FTP);
    const bool cloud = RecordLayout() == FTP_EDIT_CLOUD;
    // The FTP group's edits take the limits of the layout's fields.
    const WizardEditField* edits = cloud ? kCloudEditFields : kParamPageEditFields;
    const size_t count = cloud ? kCloudEditFieldCount : kParamPageEditFieldCount;
    for (size_t i = 0; i < count; ++i) {
        if (edits[i].id == IDC_PARAM_FTP_PORT || edits[i].id == IDC_PARAM_FTP_USER)
            SetTextLimit(dlg, edits[i].id, EditCharsOf(edits[i].field));
    }
}

void UpdateParamPageState(HWND dlg) {
    const ParamPageState s = CurrentState();
    ComboSetSel(dlg, IDC_PARAM_SEND_OPTION, s.iSendOptionItem);
    EnableDlgItem(dlg, IDC_PARAM_MODE, s.bModeListEnabled);
    if (s.bFillOperatorLists) {
        FillOperatorLists(dlg, s.bManual);
    } else {
        EnableDlgItem(dlg, IDC_PARAM_COUNTRY, false);
        EnableDlgItem(dlg, IDC_PARAM_OPERATOR, false);
    }
    ApplyParamPageState(g_sSendSet, s, ComboGetSel(dlg, IDC_PARAM_COUNTRY),
                        ComboGetSel(dlg, IDC_PARAM_OPERATOR));

    EnableItems(dlg, kMmsEdits, (s.uEnabled & PEG_MMS) != 0);
    EnableItems(dlg, kNetEdits, (s.uEnabled & PEG_NET) != 0);
    EnableItems(dlg, kSenderInputs, (s.uEnabled & PEG_SENDER) != 0);
    EnableItems(dlg, kFtpInputs, (s.uEnabled & PEG_FTP) != 0);
    if ((s.uEnabled & PEG_FTP) != 0)
        EnableDlgItem(dlg, IDC_PARAM_FTP_DIR, s.bFtpDirEditEnabled);

    if ((s.uShowRecord & PEG_MMS) != 0)
        ShowMmsFields(dlg);
    if ((s.uShowRecord & PEG_NET) != 0)
        Show3GFields(dlg);
    if ((s.uShowRecord & PEG_FTP) != 0)
        ShowFtpOrCloudFields(dlg);

    g_bFtpGroupShown = s.bFtpGroupShown;
    ShowFtpGroup(dlg, s.bFtpGroupShown);

    for (int id : kMmsEdits)
        SetEditMask(dlg, id, !s.bManual);
    for (int id : kNetEdits)
        SetEditMask(dlg, id, !s.bManual);
}

void OnInitParamPage(HWND dlg) {
    s_hParamPage = dlg;
    SetSmallIcon(dlg, IDI_WINDOW);

    FillTextList(dlg, IDC_PARAM_MMS_APN_KIND, OptionList::ApnKind);
    ComboSetSel(dlg, IDC_PARAM_MMS_APN_KIND, 0);
    EnableDlgItem(dlg, IDC_PARAM_MMS_APN_KIND, false);

    EnableDlgItem(dlg, IDC_PARAM_SENDER_USER_LABEL, false);
    EnableItems(dlg, kSenderEdits, false);
    SetEditMask(dlg, IDC_PARAM_SENDER_PASSWORD, true);

    ShowDlgItem(dlg, IDC_PARAM_LANGUAGE_LIST, false);
    SetDlgItemTextUtf8(dlg, IDC_PARAM_VERSION, kVersionText);
    ShowDlgItem(dlg, IDC_PARAM_VERSION, false);

    // The FTP group starts with its FTP limits; the state update sets the cloud ones.
    for (size_t i = 0; i < kParamPageEditFieldCount; ++i)
        SetTextLimit(dlg, kParamPageEditFields[i].id, EditCharsOf(kParamPageEditFields[i].field));
    SetEditMask(dlg, IDC_PARAM_FTP_PASSWORD, true);

    if (g_bParamPageFirstOpen) {
        g_bParamPageFirstOpen = false;
        if (ReadSendSetFile(0) != 1) {
            LoadSendSetDefaults(g_sSendSet);
            EnableDlgItem(dlg, IDC_PARAM_FTP_DIR, false);
        }
        s_eFtpEditUse = g_sSendSet.bySendBy == SEND_BY_CLOUD ? FTP_EDIT_CLOUD : FTP_EDIT_FTP;
    } else {
        g_sSendSet = g_sSendSetSaved; // what the pages handed over; the file is not read again
    }

    SetParamPageTexts(dlg, 0);

    PrepareParamPageRecord(g_sSendSet, IsBasicCameraModel(g_iCameraModel));
    Trace("#\t bySendBy=%d, byOperatorCountry=%d \t#\n", g_sSendSet.bySendBy,
          g_sSendSet.byOperatorCountry);

    UpdateParamPageState(dlg);

    if (!IsManualInput())
        ComboSetSel(dlg, IDC_PARAM_OPERATOR, g_sSendSet.byOperator);
    ComboSetSel(dlg, IDC_PARAM_FTP_DIR_TYPE, g_sSendSet.sFtpSet.iFtpDirType);

    // Opening loads no MMS presets: the MMS edits show what the record holds.
    const unsigned shown = GroupsShownAtOpening(g_sSendSet);
    if ((shown & PEG_MMS) != 0)
        ShowMmsFields(dlg);
    if ((shown & PEG_NET) != 0)
        Show3GFields(dlg);
    if ((shown & PEG_SENDER) != 0)
        ShowGroup(dlg, PEG_SENDER);
}

// Choosing a send option, even the one already chosen, empties the edits that option does not
// fill from the record; the record keeps its values.
void OnSendOptionChosen(HWND dlg) {
    const int index = ComboGetSel(dlg, IDC_PARAM_SEND_OPTION);
    if (index < 0)
        return;
    EmptyGroups(dlg, ChooseSendOption(g_sSendSet, index));
    if (SendOptionSetsFtpLayout(index)) {
        s_eFtpEditUse = FtpLayoutOf(index);
        SetFtpLayoutTexts(dlg);
    }
    UpdateParamPageState(dlg);
}

void OnParamModeChosen(HWND dlg) {
    const int index = ComboGetSel(dlg, IDC_PARAM_MODE);
    switch (ChooseParamMode(g_sSendSet, index, ComboGetSel(dlg, IDC_PARAM_COUNTRY),
                            ComboGetSel(dlg, IDC_PARAM_OPERATOR))) {
    case ParamModeChange::ToPresets:
        g_bCountryListStale = true;
        if ((CurrentState().uShowRecord & PEG_NET) != 0)
            Show3GFields(dlg);
        ShowMmsFields(dlg);
        UpdateParamPageState(dlg);
        break;
    case ParamModeChange::ToManual:
        UpdateParamPageState(dlg);
        ShowMmsFields(dlg);
        Show3GFields(dlg);
        break;
    case ParamModeChange::None:
        break;
    }
}

void OnCountryChosen(HWND dlg) {
    if (!ChooseCountry(g_sSendSet, ComboGetSel(dlg, IDC_PARAM_COUNTRY)))
        return;
    UpdateParamPageState(dlg);
    LoadPresetsFromLists(dlg);
    if (g_sSendSet.bySendBy == SEND_BY_MMS)
        ShowMmsFields(dlg);
}

void OnOperatorChosen(HWND dlg) {
    if (!ChooseOperator(g_sSendSet, ComboGetSel(dlg, IDC_PARAM_OPERATOR)))
        return;
    LoadPresetsFromLists(dlg);
    if (g_sSendSet.bySendBy == SEND_BY_MMS)
        ShowMmsFields(dlg);
}

void OnFtpDirTypeChosen(HWND dlg) {
    const int index = ComboGetSel(dlg, IDC_PARAM_FTP_DIR_TYPE);
    if (index < 0)
        return;
    ChooseFtpDirType(g_sSendSet, index);
    EnableDlgItem(dlg, IDC_PARAM_FTP_DIR, index != 0);
    SetDlgItemField(dlg, IDC_PARAM_FTP_DIR, g_sSendSet.sFtpSet.szFtpDir,
                    sizeof g_sSendSet.sFtpSet.szFtpDir);
}

void OnLanguageChosen(HWND dlg) {
    g_iLanguage = LanguageOfListItem(ComboGetSel(dlg, IDC_PARAM_LANGUAGE_LIST));
    SetParamPageTexts(dlg, 1);
}

// The account mirrors the sender address; clearing the address leaves it as it was.
void OnSenderAddressChanged(HWND dlg) {
    const std::string address = GetDlgItemTextUtf8(dlg, IDC_PARAM_SENDER_ADDRESS);
    if (SenderUserNameFollows(address))
        SetDlgItemTextUtf8(dlg, IDC_PARAM_SENDER_USER, address.c_str());
}

// An edit's text as the record's bytes, never more than its field takes.
std::string ReadEdit(HWND dlg, ParamEdit edit, FtpEditUse layout) {
    const ParamEditField f = FieldOfEdit(g_sSendSet, edit, layout);
    if (f.text == nullptr)
        return GetDlgItemTextUtf8(dlg, kParamEditIds[edit]); // a port: digits
    std::string text(f.capacity, '\0');
    text.resize(GetDlgItemField(dlg, kParamEditIds[edit], &text[0], f.capacity, f.takeBytes));
    return text;
}

void OnNextPage(HWND dlg) {
    ParamPageEntries entries;
    const FtpEditUse layout = RecordLayout();
    for (int i = 0; i < PARAM_EDIT_COUNT; ++i) {
        const ParamEdit edit = static_cast<ParamEdit>(i);
        entries.sText[i] =
            ReadEdit(dlg, edit, GroupOfEdit(edit) == PEG_FTP ? layout : FTP_EDIT_FTP);
    }
    entries.iModeItem = ComboGetSel(dlg, IDC_PARAM_MODE);
    entries.iCountryItem = ComboGetSel(dlg, IDC_PARAM_COUNTRY);
    entries.iOperatorItem = ComboGetSel(dlg, IDC_PARAM_OPERATOR);
    entries.iFtpDirTypeItem = ComboGetSel(dlg, IDC_PARAM_FTP_DIR_TYPE);
    TakeParamPageEntries(g_sSendSet, entries, g_bNoRemoteCmd22 != 0);
    g_sSendSetSaved = g_sSendSet;

    const FtpSet& ftp = g_sSendSet.sFtpSet;
    Trace(":: NEXT_PAGE, OperatorCountry=%d, uwMaxSendImgNum=%d\n", g_sSendSet.byOperatorCountry,
          g_sSendSet.uwMaxSendImgNum);
    Trace(":: NEXT_PAGE, FTP Server=%.*s, FTP Port=%d\n",
          FieldLength(ftp.szServer, sizeof ftp.szServer), ftp.szServer,
          static_cast<int>(ftp.iPort));
    EndDialog(dlg, 0);
    ShowSendPage(g_hInstance);
}

// The close box keeps every list choice (already in the record) but no typed text.
void OnParamPageClose(HWND dlg) {
    g_sSendSetSaved = g_sSendSet;
    EndDialogBackTo(dlg, BackTo::MainSetup);
}

void OnEditChanged(HWND dlg, int id) {
    switch (id) {
    case IDC_PARAM_MMS_PORT:
    case IDC_PARAM_SENDER_PORT:
        FilterEditText(dlg, id, kDigits);
        break;
    case IDC_PARAM_FTP_PORT: // holds the App secret in the cloud layout
        if (s_eFtpEditUse == FTP_EDIT_FTP)
            FilterEditText(dlg, id, kDigits);
        break;
    case IDC_PARAM_FTP_USER: // holds the SIM card number in the cloud layout
        if (s_eFtpEditUse == FTP_EDIT_CLOUD)
            FilterEditText(dlg, id, kDigits);
        break;
    case IDC_PARAM_SENDER_ADDRESS:
        OnSenderAddressChanged(dlg);
        break;
    default:
        break;
    }
}

void OnParamPageCommand(HWND dlg, int id, int code) {
    switch (id) {
    case IDC_PARAM_SEND_OPTION:
        if (code == CBN_SELENDOK)
            OnSendOptionChosen(dlg);
        break;
    case IDC_PARAM_MODE:
        if (code == CBN_SELENDOK)
            OnParamModeChosen(dlg);
        break;
    case IDC_PARAM_COUNTRY:
        if (code == CBN_SELENDOK)
            OnCountryChosen(dlg);
        break;
    case IDC_PARAM_OPERATOR:
        if (code == CBN_SELCHANGE)
            OnOperatorChosen(dlg);
        break;
    case IDC_PARAM_FTP_DIR_TYPE:
        if (code == CBN_SELCHANGE)
            OnFtpDirTypeChosen(dlg);
        break;
    case IDC_PARAM_LANGUAGE_LIST:
        if (code == CBN_SELCHANGE)
            OnLanguageChosen(dlg);
        break;
    case IDC_PARAM_NEXT_PAGE:
        OnNextPage(dlg);
        break;
    default: // Enter (IDOK), Escape (IDCANCEL) and the rest: nothing
        if (code == EN_CHANGE)
            OnEditChanged(dlg, id);
        break;
    }
}

INT_PTR CALLBACK ParamPageProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (ScrollFitMessage(dlg, msg, wParam, lParam))
        return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        OnInitParamPage(dlg);
        ScrollFitInit(dlg);
        return TRUE;
    case WM_COMMAND:
        OnParamPageCommand(dlg, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        OnParamPageClose(dlg);
        return TRUE;
    case WM_DESTROY:
        if (s_hParamPage == dlg)
            s_hParamPage = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

// Page 2's "Previous Page" unwinds to here: this page and page 2 have returned, and a fresh page
// 1 opens on the hand-over copy.
int ShowParamPage(HINSTANCE instance) {
    return RunBackTarget(instance, IDD_PARAM_PAGE, ParamPageProc, BackTo::ParamPage);
}

int GetFtpEditUse() {
    return static_cast<int>(s_eFtpEditUse);
}

// Generate reads the send method from page 1's list, which lives on hidden beneath page 2.
int GetParamPageSendOption() {
    if (s_hParamPage == nullptr)
        return g_sSendSet.bySendBy;
    return ComboGetSel(s_hParamPage, IDC_PARAM_SEND_OPTION);
}
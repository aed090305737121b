// 3G Parameter Settings: page 1 of the 3G wizard. The send option, the operator's network
// parameters (from the preset tables or typed in), the sender mailbox and the FTP server or the
// cloud account, edited in place in g_sSendSet.
#include "app/App.h"
#include "lang/Texts.h"
#include "res/resource.h"
#include "sendset/FileIo.h"
#include "sendset/OperatorPresets.h"
#include "sendset/SendSet.h"
#include "ui/EditFilterWin.h"
#include "ui/ScrollFit.h"
#include "ui/WinUtil.h"
#include "wizard/Wizard.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

// Process-wide for the whole run; none of them is stored in a file.
bool g_bParamPageFirstOpen = true; // the first opening reads CFG.BIN
bool g_bCountryListStale = true;   // the next preset fill of the country list refills it
bool g_bFtpGroupShown = false;     // set once a send option other than "Close 3G" was applied

namespace {

enum FtpEditUse { FTP_EDIT_FTP = 0, FTP_EDIT_CLOUD = 1 };

// Layout of the FTP group; kept across openings, read by page 2.
FtpEditUse s_eFtpEditUse = FTP_EDIT_FTP;
// The newest page window. It stays alive, hidden, while page 2 runs on top of it.
HWND s_hParamPage = nullptr;

const char kDigits[] = "0123456789";

const TextPair kParamPageCaption = {{"3G参数设置", "3G Parameter Settings"}};
const TextPair kTextOthers = {{"其他", "Others"}};

const char* const kSendOptionItems[] = {
    "关闭3G",   "彩信", "邮件",  "FTP", "QOR相机云系统",
    "Close 3G", "MMS",  "Email", "FTP", "QOR Camera Cloud System",
};
const char* const kParamModeItems[] = {"选择运营商参数", "手动输入", "Select Operator",
                                       "Manual Input"};
const char* const kFtpDirTypeItems[] = {"根目录", "指定目录", "Root", "Specify"};
const char* const kApnKindItems[] = {"APN", "CSD"};

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

struct EditLimit {
    int id;
    int chars;
};
// The FTP group gets its FTP limits here; the state update sets the cloud ones.
const EditLimit kEditLimits[] = {
    {IDC_PARAM_MMS_URL, 60},       {IDC_PARAM_MMS_APN, 60},         {IDC_PARAM_MMS_GATEWAY, 16},
    {IDC_PARAM_MMS_PORT, 4},       {IDC_PARAM_MMS_ACCOUNT, 32},     {IDC_PARAM_MMS_PASSWORD, 32},
    {IDC_PARAM_NET_APN, 60},       {IDC_PARAM_NET_ACCOUNT, 32},     {IDC_PARAM_NET_PASSWORD, 32},
    {IDC_PARAM_SENDER_SERVER, 60}, {IDC_PARAM_SENDER_PORT, 8},      {IDC_PARAM_SENDER_ADDRESS, 48},
    {IDC_PARAM_SENDER_USER, 48},   {IDC_PARAM_SENDER_PASSWORD, 32}, {IDC_PARAM_FTP_SERVER, 60},
    {IDC_PARAM_FTP_PORT, 8},       {IDC_PARAM_FTP_USER, 48},        {IDC_PARAM_FTP_PASSWORD, 32},
    {IDC_PARAM_FTP_DIR, 32},
};

bool IsManualInput() {
    return g_sSendSet.byOperatorCountry == OPERATOR_COUNTRY_MANUAL;
}

bool IsRemoteOn() {
    return g_sSendSet.byRemoteSwitch == 1;
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

template <size_t N> void FillTextList(HWND dlg, int id, const char* const (&items)[N]) {
    const int n = static_cast<int>(N / 2);
    for (int k = 0; k < n; ++k)
        ComboAddUtf8(dlg, id, TextListItem(items, n, k));
}

// A port shows as decimal text, empty when 0.
void SetPortText(HWND dlg, int id, int32_t port) {
    char text[16] = "";
    if (port != 0)
        snprintf(text, sizeof text, "%d", static_cast<int>(port));
    SetDlgItemTextUtf8(dlg, id, text);
}

// A record text field in and out of its edit, never past the field's capacity.
template <size_t N> void SetField(HWND dlg, int id, const char (&field)[N]) {
    SetDlgItemField(dlg, id, field, N);
}
template <size_t N> void GetField(HWND dlg, int id, char (&field)[N], size_t maxBytes = 0) {
    GetDlgItemField(dlg, id, field, N, maxBytes);
}

void ShowMmsFields(HWND dlg) {
    const MmsSet& mms = g_sSendSet.sMmsSet;
    SetField(dlg, IDC_PARAM_MMS_URL, mms.szUrl);
    SetField(dlg, IDC_PARAM_MMS_APN, mms.szApn);
    SetField(dlg, IDC_PARAM_MMS_GATEWAY, mms.szGateway);
    SetField(dlg, IDC_PARAM_MMS_PORT, mms.szPort);
    SetField(dlg, IDC_PARAM_MMS_ACCOUNT, mms.szAccount);
    SetField(dlg, IDC_PARAM_MMS_PASSWORD, mms.szPassword);
}

void Show3GFields(HWND dlg) {
    const SmtpSet& smtp = g_sSendSet.sSmtpSet;
    SetField(dlg, IDC_PARAM_NET_APN, smtp.sz3GSmtpApN);
    SetField(dlg, IDC_PARAM_NET_ACCOUNT, smtp.sz3GSmtpAccount);
    SetField(dlg, IDC_PARAM_NET_PASSWORD, smtp.sz3GSmtpPassword);
}

void ShowSenderFields(HWND dlg) {
    const SmtpSet& smtp = g_sSendSet.sSmtpSet;
    SetField(dlg, IDC_PARAM_SENDER_SERVER, smtp.szServer);
    SetPortText(dlg, IDC_PARAM_SENDER_PORT, smtp.iPort);
    SetField(dlg, IDC_PARAM_SENDER_ADDRESS, smtp.szAddr);
    SetField(dlg, IDC_PARAM_SENDER_USER, smtp.szUserName);
    SetField(dlg, IDC_PARAM_SENDER_PASSWORD, smtp.szPassword);
}

// The 3G edits show the record's 3G fields for Email, FTP and cloud, and for MMS when remote
// control needs the data connection.
bool Uses3GEdits() {
    switch (g_sSendSet.bySendBy) {
    case SEND_BY_MMS:
        return IsRemoteOn() && !g_bNoRemoteCmd22;
    case SEND_BY_EMAIL:
    case SEND_BY_FTP:
    case SEND_BY_CLOUD:
        return true;
    default:
        return false;
    }
}

// The lookups always read the row the two lists show; an operator list without a selection
// reads the country's first slot. The 3G edits are brought up to date wherever the page shows
// them, so a later Next Page never takes an earlier operator's values back from them.
void Load3GPresetsFromLists(HWND dlg) {
    Load3GPresets(ComboGetSel(dlg, IDC_PARAM_COUNTRY), ComboGetSel(dlg, IDC_PARAM_OPERATOR));
    if (Uses3GEdits())
        Show3GFields(dlg);
}

void LoadPresetsFromLists(HWND dlg) {
    LoadMmsPresets(ComboGetSel(dlg, IDC_PARAM_COUNTRY), ComboGetSel(dlg, IDC_PARAM_OPERATOR));
    Load3GPresetsFromLists(dlg);
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
    FillTextList(dlg, IDC_PARAM_SEND_OPTION, kSendOptionItems);
    ComboSetSel(dlg, IDC_PARAM_SEND_OPTION, sendOption);
    ComboFitDroppedWidth(dlg, IDC_PARAM_SEND_OPTION); // "QOR Camera Cloud System" is wider
    FillTextList(dlg, IDC_PARAM_MODE, kParamModeItems);
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

    printf("## s_eFtpEditUse = %d ##\n", static_cast<int>(s_eFtpEditUse));
    SetFtpLayoutTexts(dlg);

    // Refilled on a language change as well, so the list never mixes the two languages.
    FillTextList(dlg, IDC_PARAM_FTP_DIR_TYPE, kFtpDirTypeItems);
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
    if (g_sSendSet.bySendBy == SEND_BY_FTP) {
        const FtpSet& ftp = g_sSendSet.sFtpSet;
        SetField(dlg, IDC_PARAM_FTP_SERVER, ftp.szServer);
        SetPortText(dlg, IDC_PARAM_FTP_PORT, ftp.iPort);
        SetField(dlg, IDC_PARAM_FTP_USER, ftp.szUserName);
        SetField(dlg, IDC_PARAM_FTP_PASSWORD, ftp.szPassword);
        SetField(dlg, IDC_PARAM_FTP_DIR, ftp.szFtpDir);
        SetTextLimit(dlg, IDC_PARAM_FTP_PORT, 8);
        SetTextLimit(dlg, IDC_PARAM_FTP_USER, 48);
    } else {
        const QorCloudSet& cloud = g_sSendSet.sQorCloudSet;
        SetField(dlg, IDC_PARAM_FTP_SERVER, cloud.szAppKey);
        SetField(dlg, IDC_PARAM_FTP_PORT, cloud.szAppSecret);
        SetField(dlg, IDC_PARAM_FTP_USER, cloud.szSimCardNum);
        SetTextLimit(dlg, IDC_PARAM_FTP_PORT, 60);
        SetTextLimit(dlg, IDC_PARAM_FTP_USER, 16);
    }
}

void UpdateFtpDirEdit(HWND dlg) {
    FtpSet& ftp = g_sSendSet.sFtpSet;
    if (ftp.iFtpDirType == 0)
        strcpy(ftp.szFtpDir, "/");
    EnableDlgItem(dlg, IDC_PARAM_FTP_DIR, ftp.iFtpDirType != 0);
}

void UpdateParamPageState(HWND dlg) {
    const bool manual = IsManualInput();
    const bool remote = IsRemoteOn();
    const bool noCmd22 = g_bNoRemoteCmd22 != 0;
    const int sendBy = g_sSendSet.bySendBy;
    switch (sendBy) {
    case SEND_BY_MMS:
        ComboSetSel(dlg, IDC_PARAM_SEND_OPTION, sendBy);
        EnableDlgItem(dlg, IDC_PARAM_MODE, true);
        FillOperatorLists(dlg, manual);
        EnableItems(dlg, kMmsEdits, manual);
        ShowMmsFields(dlg);
        if (remote && !noCmd22) {
            EnableItems(dlg, kSenderInputs, true);
            EnableItems(dlg, kNetEdits, manual);
            if (!manual)
                Load3GPresetsFromLists(dlg);
            Show3GFields(dlg);
        } else {
            EnableItems(dlg, kSenderInputs, false);
            EnableItems(dlg, kNetEdits, false);
        }
        EnableItems(dlg, kFtpInputs, false);
        break;
    case SEND_BY_EMAIL:
        ComboSetSel(dlg, IDC_PARAM_SEND_OPTION, sendBy);
        EnableDlgItem(dlg, IDC_PARAM_MODE, true);
        if (remote) {
            FillOperatorLists(dlg, manual);
            EnableItems(dlg, kMmsEdits, manual);
            ShowMmsFields(dlg);
        } else {
            EnableItems(dlg, kMmsEdits, false);
        }
        EnableItems(dlg, kSenderInputs, true);
        FillOperatorLists(dlg, manual);
        EnableItems(dlg, kNetEdits, manual);
        // Like FTP and cloud, Email takes its data connection from the operator's presets;
        // without this a kept preselected operator would leave the 3G fields empty.
        if (!manual)
            Load3GPresetsFromLists(dlg);
        Show3GFields(dlg);
        EnableItems(dlg, kFtpInputs, false);
        break;
    case SEND_BY_FTP:
    case SEND_BY_CLOUD:
        ComboSetSel(dlg, IDC_PARAM_SEND_OPTION, sendBy);
        EnableDlgItem(dlg, IDC_PARAM_MODE, true);
        FillOperatorLists(dlg, manual);
        EnableItems(dlg, kNetEdits, manual);
        if (!manual)
            Load3GPresetsFromLists(dlg);
        Show3GFields(dlg);
        if (remote) {
            EnableItems(dlg, kSenderInputs, !noCmd22);
            EnableItems(dlg, kMmsEdits, manual);
            ShowMmsFields(dlg);
        } else {
            EnableItems(dlg, kSenderInputs, false);
            EnableItems(dlg, kMmsEdits, false);
        }
        EnableItems(dlg, kFtpInputs, true);
        UpdateFtpDirEdit(dlg);
        ShowFtpOrCloudFields(dlg);
        break;
    default: // "Close 3G", and values the list does not offer
        ComboSetSel(dlg, IDC_PARAM_SEND_OPTION, SEND_BY_CLOSE_3G);
        EnableDlgItem(dlg, IDC_PARAM_MODE, false);
        EnableDlgItem(dlg, IDC_PARAM_COUNTRY, false);
        EnableDlgItem(dlg, IDC_PARAM_OPERATOR, false);
        EnableItems(dlg, kMmsEdits, false);
        EnableItems(dlg, kNetEdits, false);
        EnableItems(dlg, kSenderInputs, false);
        EnableItems(dlg, kFtpInputs, false);
        break;
    }

    const bool sending = sendBy >= SEND_BY_MMS && sendBy <= SEND_BY_CLOUD;
    if (sending)
        g_bFtpGroupShown = true;
    ShowFtpGroup(dlg, sending || g_bFtpGroupShown);

    for (int id : kMmsEdits)
        SetEditMask(dlg, id, !manual);
    for (int id : kNetEdits)
        SetEditMask(dlg, id, !manual);
}

void OnInitParamPage(HWND dlg) {
    s_hParamPage = dlg;
    SetSmallIcon(dlg, IDI_WINDOW);

    for (const char* item : kApnKindItems) // the same in both languages
        ComboAddUtf8(dlg, IDC_PARAM_MMS_APN_KIND, item);
    ComboSetSel(dlg, IDC_PARAM_MMS_APN_KIND, 0);
    EnableDlgItem(dlg, IDC_PARAM_MMS_APN_KIND, false);

    EnableDlgItem(dlg, IDC_PARAM_SENDER_USER_LABEL, false);
    EnableItems(dlg, kSenderEdits, false);
    SetEditMask(dlg, IDC_PARAM_SENDER_PASSWORD, true);

    ShowDlgItem(dlg, IDC_PARAM_LANGUAGE_LIST, false);
    SetDlgItemTextUtf8(dlg, IDC_PARAM_VERSION, kVersionText);
    ShowDlgItem(dlg, IDC_PARAM_VERSION, false);

    for (const EditLimit& limit : kEditLimits)
        SetTextLimit(dlg, limit.id, limit.chars);
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

    if (IsBasicCameraModel(g_iCameraModel))
        g_sSendSet.bySendImgSize = 1;
    if (g_sSendSet.byOperatorCountry > OPERATOR_COUNTRY_MANUAL)
        g_sSendSet.byOperatorCountry = 0;
    if (g_sSendSet.byOperator > 8)
        g_sSendSet.byOperator = 0;
    printf("#\t bySendBy=%d, byOperatorCountry=%d \t#\n", g_sSendSet.bySendBy,
           g_sSendSet.byOperatorCountry);

    UpdateParamPageState(dlg);

    if (!IsManualInput())
        ComboSetSel(dlg, IDC_PARAM_OPERATOR, g_sSendSet.byOperator);
    ComboSetSel(dlg, IDC_PARAM_FTP_DIR_TYPE, g_sSendSet.sFtpSet.iFtpDirType);

    // Opening loads no MMS presets: the MMS edits show what the record holds.
    bool showMail;
    if (g_sSendSet.bySendBy == SEND_BY_MMS) {
        ShowMmsFields(dlg);
        showMail = IsRemoteOn();
    } else {
        showMail = g_sSendSet.bySendBy == SEND_BY_EMAIL || IsRemoteOn();
    }
    if (showMail) {
        Show3GFields(dlg);
        ShowSenderFields(dlg);
    }
}

// Choosing a send option, even the one already chosen, empties the edits that option does not
// fill from the record; the record keeps its values.
void OnSendOptionChosen(HWND dlg) {
    const int index = ComboGetSel(dlg, IDC_PARAM_SEND_OPTION);
    if (index < 0)
        return;
    g_sSendSet.bySendBy = static_cast<uint8_t>(index);
    switch (index) {
    case SEND_BY_MMS:
        ClearEdits(dlg, kNetEdits);
        if (!IsRemoteOn())
            ClearEdits(dlg, kSenderEdits);
        break;
    case SEND_BY_EMAIL:
        ClearEdits(dlg, kMmsEdits);
        break;
    case SEND_BY_FTP:
    case SEND_BY_CLOUD:
        ClearEdits(dlg, kFtpEdits);
        s_eFtpEditUse = index == SEND_BY_CLOUD ? FTP_EDIT_CLOUD : FTP_EDIT_FTP;
        SetFtpLayoutTexts(dlg);
        break;
    default:
        ClearEdits(dlg, kMmsEdits);
        ClearEdits(dlg, kNetEdits);
        if (!IsRemoteOn())
            ClearEdits(dlg, kSenderEdits);
        break;
    }
    UpdateParamPageState(dlg);
}

void OnParamModeChosen(HWND dlg) {
    const int index = ComboGetSel(dlg, IDC_PARAM_MODE);
    if (index == 0 && IsManualInput()) {
        g_bCountryListStale = true;
        g_sSendSet.byOperatorCountry = 0;
        g_sSendSet.byOperator = 0;
        // The lists still hold their single "Others" entries: the first country's first slot.
        LoadPresetsFromLists(dlg);
        ShowMmsFields(dlg);
        UpdateParamPageState(dlg);
    } else if (index == 1 && !IsManualInput()) {
        g_sSendSet.byOperatorCountry = OPERATOR_COUNTRY_MANUAL;
        UpdateParamPageState(dlg);
        memset(&g_sSendSet.sMmsSet, 0, sizeof g_sSendSet.sMmsSet);
        ShowMmsFields(dlg);
        SmtpSet& smtp = g_sSendSet.sSmtpSet;
        memset(smtp.sz3GSmtpApN, 0, sizeof smtp.sz3GSmtpApN);
        memset(smtp.sz3GSmtpAccount, 0, sizeof smtp.sz3GSmtpAccount);
        memset(smtp.sz3GSmtpPassword, 0, sizeof smtp.sz3GSmtpPassword);
        Show3GFields(dlg);
    }
}

void OnCountryChosen(HWND dlg) {
    const int index = ComboGetSel(dlg, IDC_PARAM_COUNTRY);
    if (index < 0 || index == g_sSendSet.byOperatorCountry)
        return;
    g_sSendSet.byOperatorCountry = static_cast<uint8_t>(index);
    g_sSendSet.byOperator = 0;
    UpdateParamPageState(dlg);
    LoadPresetsFromLists(dlg);
    if (g_sSendSet.bySendBy == SEND_BY_MMS)
        ShowMmsFields(dlg);
}

void OnOperatorChosen(HWND dlg) {
    const int index = ComboGetSel(dlg, IDC_PARAM_OPERATOR);
    if (index < 0 || index == g_sSendSet.byOperator)
        return;
    g_sSendSet.byOperator = static_cast<uint8_t>(index);
    LoadPresetsFromLists(dlg);
    if (g_sSendSet.bySendBy == SEND_BY_MMS)
        ShowMmsFields(dlg);
}

void OnFtpDirTypeChosen(HWND dlg) {
    const int index = ComboGetSel(dlg, IDC_PARAM_FTP_DIR_TYPE);
    if (index < 0)
        return;
    g_sSendSet.sFtpSet.iFtpDirType = index;
    UpdateFtpDirEdit(dlg);
    SetField(dlg, IDC_PARAM_FTP_DIR, g_sSendSet.sFtpSet.szFtpDir);
}

void OnLanguageChosen(HWND dlg) {
    g_iLanguage = ComboGetSel(dlg, IDC_PARAM_LANGUAGE_LIST) == UI_LANG_CHINESE ? UI_LANG_CHINESE
                                                                               : UI_LANG_ENGLISH;
    SetParamPageTexts(dlg, 1);
}

// The account mirrors the sender address; clearing the address leaves it as it was.
void OnSenderAddressChanged(HWND dlg) {
    const std::string address = GetDlgItemTextUtf8(dlg, IDC_PARAM_SENDER_ADDRESS);
    if (!address.empty())
        SetDlgItemTextUtf8(dlg, IDC_PARAM_SENDER_USER, address.c_str());
}

void TakePortEdit(HWND dlg, int id, int32_t* port) {
    long value = 0;
    if (GetDlgItemNumber(dlg, id, &value)) // a text without a number keeps the stored port
        *port = static_cast<int32_t>(value);
}

void TakeMmsEdits(HWND dlg) {
    MmsSet& mms = g_sSendSet.sMmsSet;
    GetField(dlg, IDC_PARAM_MMS_URL, mms.szUrl);
    GetField(dlg, IDC_PARAM_MMS_APN, mms.szApn);
    GetField(dlg, IDC_PARAM_MMS_GATEWAY, mms.szGateway);
    GetField(dlg, IDC_PARAM_MMS_PORT, mms.szPort);
    GetField(dlg, IDC_PARAM_MMS_ACCOUNT, mms.szAccount);
    GetField(dlg, IDC_PARAM_MMS_PASSWORD, mms.szPassword);
}

void TakeMailEdits(HWND dlg) {
    SmtpSet& smtp = g_sSendSet.sSmtpSet;
    GetField(dlg, IDC_PARAM_NET_APN, smtp.sz3GSmtpApN);
    GetField(dlg, IDC_PARAM_NET_ACCOUNT, smtp.sz3GSmtpAccount);
    GetField(dlg, IDC_PARAM_NET_PASSWORD, smtp.sz3GSmtpPassword);
    GetField(dlg, IDC_PARAM_SENDER_SERVER, smtp.szServer);
    printf("** szServer:%.*s\n", FieldLength(smtp.szServer, sizeof smtp.szServer), smtp.szServer);
    TakePortEdit(dlg, IDC_PARAM_SENDER_PORT, &smtp.iPort);
    GetField(dlg, IDC_PARAM_SENDER_ADDRESS, smtp.szAddr);
    GetField(dlg, IDC_PARAM_SENDER_USER, smtp.szUserName);
    GetField(dlg, IDC_PARAM_SENDER_PASSWORD, smtp.szPassword);
}

void TakeFtpEdits(HWND dlg) {
    FtpSet& ftp = g_sSendSet.sFtpSet;
    GetField(dlg, IDC_PARAM_FTP_SERVER, ftp.szServer);
    TakePortEdit(dlg, IDC_PARAM_FTP_PORT, &ftp.iPort);
    GetField(dlg, IDC_PARAM_FTP_USER, ftp.szUserName, 43);
    GetField(dlg, IDC_PARAM_FTP_PASSWORD, ftp.szPassword);
    const int dirType = ComboGetSel(dlg, IDC_PARAM_FTP_DIR_TYPE);
    if (dirType >= 0)
        ftp.iFtpDirType = dirType;
    GetField(dlg, IDC_PARAM_FTP_DIR, ftp.szFtpDir);
}

void TakeCloudEdits(HWND dlg) {
    QorCloudSet& cloud = g_sSendSet.sQorCloudSet;
    // The key and secret edits accept 60 characters; the fields keep the first 32.
    GetField(dlg, IDC_PARAM_FTP_SERVER, cloud.szAppKey);
    GetField(dlg, IDC_PARAM_FTP_PORT, cloud.szAppSecret);
    GetField(dlg, IDC_PARAM_FTP_USER, cloud.szSimCardNum, 15);
}

void OnNextPage(HWND dlg) {
    if (ComboGetSel(dlg, IDC_PARAM_MODE) != 0)
        TakeMmsEdits(dlg);
    else
        LoadPresetsFromLists(dlg);
    printf("g_sSendSet.byRemoteSwitch=%d\n", g_sSendSet.byRemoteSwitch);
    if (g_sSendSet.bySendBy == SEND_BY_EMAIL || IsRemoteOn())
        TakeMailEdits(dlg);
    if (g_sSendSet.bySendBy == SEND_BY_FTP)
        TakeFtpEdits(dlg);
    else if (g_sSendSet.bySendBy == SEND_BY_CLOUD)
        TakeCloudEdits(dlg);
    g_sSendSetSaved = g_sSendSet;

    const FtpSet& ftp = g_sSendSet.sFtpSet;
    printf(":: NEXT_PAGE, OperatorCountry=%d, uwMaxSendImgNum=%d\n", g_sSendSet.byOperatorCountry,
           g_sSendSet.uwMaxSendImgNum);
    printf(":: NEXT_PAGE, FTP Server=%.*s, FTP Port=%d\n",
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

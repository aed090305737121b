// 3G Send Settings: page 2 of the 3G wizard. Recipients, coordinates, picture size and count,
// send schedule, remote control and the save folder; "Generate" writes CFG.BIN.
#include "app/App.h"
#include "app/Trace.h"
#include "app/SavePath.h"
#include "lang/OptionLists.h"
#include "lang/Texts.h"
#include "res/resource.h"
#include "sendset/SendSetFields.h"
#include "ui/BrowseFolder.h"
#include "ui/EditFilterWin.h"
#include "ui/ScrollFit.h"
#include "ui/WinUtil.h"
#include "wizard/GenerateChecks.h"
#include "wizard/ParamPageRules.h"
#include "wizard/SendPageWin.h"
#include "wizard/Wizard.h"
#include "wizard/WizardEdits.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

namespace {

// Cleared at the page's first opening; later openings take the record from the hand-over copy.
bool g_bSendPageFirstOpen = true;

const char kPhoneCharacters[] = "0123456789+";
const char kDigits[] = "0123456789";

const TextPair kSendPageCaption = {{"3G发送设置", "3G Send Settings"}};

const ControlText kSendPageTexts[] = {
    {IDC_SEND_DESTINATION_GROUP, {{"发往目的地", "To Destination"}}},
    {IDC_SEND_PHONE1_LABEL, {{"手机号码1", "Phone Number 1"}}},
    {IDC_SEND_PHONE2_LABEL, {{"手机号码2", "Phone Number 2"}}},
    {IDC_SEND_EMAIL1_LABEL, {{"邮件地址1", "Email Address1"}}},
    {IDC_SEND_EMAIL2_LABEL, {{"邮件地址2", "Email Address2"}}},
    {IDC_SEND_COORDINATE_GROUP, {{"坐标", "Coordinate"}}},
    {IDC_SEND_DIRECTION_LABEL, {{"方向", "Direction"}}},
    {IDC_SEND_DEGREE_LABEL, {{"度", "Degree"}}},
    {IDC_SEND_MINUTE_LABEL, {{"分", "Minute"}}},
    {IDC_SEND_SECOND_LABEL, {{"秒", "Second"}}},
    {IDC_SEND_LONGITUDE_LABEL, {{"经度", "Longitude"}}},
    {IDC_SEND_LATITUDE_LABEL, {{"纬度", "Latitude"}}},
    {IDC_SEND_IMAGE_SIZE_LABEL, {{"发送图片大小", "Send Image Size"}}},
    {IDC_SEND_MAX_NUM_LABEL, {{"最大发送数量", "Max Sent Num"}}},
    {IDC_SEND_PER_DAY_LABEL, {{"/天", "/Day"}}},
    {IDC_SEND_MODE_GROUP, {{"发送方式", "Send Mode"}}},
    {IDC_SEND_MODE_LABEL, {{"3G发送方式", "3G Send Mode"}}},
    {IDC_SEND_DAILY_TIME_LABEL, {{"集中发送时间", "Daily Send Time"}}},
    {IDC_SEND_REMOTE_GROUP, {{"遥控", "Remote Control"}}},
    {IDC_SEND_REMOTE_INTERVAL_LABEL, {{"遥控间隔时间", "Remote Interval"}}},
    {IDC_SEND_NO_REMOTE_CMD22, {{"不使用遥控命令 - 22", "Do not use remote command - 22"}}},
    {IDC_SEND_REMOTE_PHONE_LABEL, {{"遥控手机号码", "Remote Phone Number"}}},
    {IDC_SEND_REMOTE_EMAIL_LABEL, {{"遥控接收邮箱", "Remote Receiver Email"}}},
    {IDC_SEND_REMOTE_PHONE_NOTE,
     {{"^ 遥控，接收60命令拍的照片。", "^ Remote control, receiving 60 command photos."}}},
    {IDC_SEND_REMOTE_EMAIL_NOTE,
     {{"^ 接收22命令请求的文件。", "^ Receives the file requested by the 22 command."}}},
    {IDC_SEND_SAVE_PATH_GROUP, {{"保存路径", "Save Path"}}},
    {IDC_SEND_BROWSE, {{"浏览", "Browse"}}},
    {IDC_SEND_PREVIOUS_PAGE, {{"上一页", "Previous Page"}}},
    {IDC_SEND_GENERATE, {{"生成配置", "Generate"}}},
};

constexpr int SEND_PAGE_SAVE_PATH_CHARS = 32; // what the page's path edit takes typed

// Recipient slots 0 and 1 are phone numbers, 2 and 3 e-mail addresses; kSendPageEditFields lists
// them first, in slot order.
const int kRecipientEdits[4] = {IDC_SEND_PHONE1, IDC_SEND_PHONE2, IDC_SEND_EMAIL1, IDC_SEND_EMAIL2};

const int kCoordinateInputs[] = {
    IDC_SEND_LONGITUDE_DIR, IDC_SEND_LONGITUDE_DEG, IDC_SEND_LONGITUDE_MIN, IDC_SEND_LONGITUDE_SEC,
    IDC_SEND_LATITUDE_DIR,  IDC_SEND_LATITUDE_DEG,  IDC_SEND_LATITUDE_MIN,  IDC_SEND_LATITUDE_SEC};

struct CoordinateIds {
    int dir, deg, min, sec;
};

CoordinateIds CoordinateControls(CoordinateAxis axis) {
    if (axis == CoordinateAxis::Longitude)
        return {IDC_SEND_LONGITUDE_DIR, IDC_SEND_LONGITUDE_DEG, IDC_SEND_LONGITUDE_MIN,
                IDC_SEND_LONGITUDE_SEC};
    return {IDC_SEND_LATITUDE_DIR, IDC_SEND_LATITUDE_DEG, IDC_SEND_LATITUDE_MIN,
            IDC_SEND_LATITUDE_SEC};
}

void FillList(HWND page, int id, OptionList list) {
    ComboReset(page, id);
    for (int k = 0; k < OptionCount(list); ++k)
        ComboAddUtf8(page, id, OptionText(list, k).c_str());
}

uint8_t ComboByte(HWND page, int id) {
    int sel = ComboGetSel(page, id);
    return static_cast<uint8_t>(sel < 0 ? 0 : sel);
}

void ShowCoordinate(HWND page, CoordinateAxis axis, const Coordinate& c) {
    const CoordinateIds ids = CoordinateControls(axis);
    ComboSetSel(page, ids.dir, c.byDir);
    SetDlgItemInt(page, ids.deg, c.byDeg, FALSE);
    SetDlgItemInt(page, ids.min, c.byMin, FALSE);
    SetDlgItemInt(page, ids.sec, c.bySec, FALSE);
}

void SetSendPageTexts(HWND page) {
    SetWindowTextUtf8(page, kSendPageCaption.Get());
    for (const ControlText& ct : kSendPageTexts)
        SetDlgItemTextUtf8(page, ct.id, ct.text.Get());

    FillList(page, IDC_SEND_LONGITUDE_DIR, OptionList::LongitudeDir);
    FillList(page, IDC_SEND_LATITUDE_DIR, OptionList::LatitudeDir);
    FillList(page, IDC_SEND_IMAGE_SIZE, OptionList::SendImageSize);
    FillList(page, IDC_SEND_MODE, OptionList::SendMode);
    FillList(page, IDC_SEND_DAILY_TIME, OptionList::DailySendTime);
    FillList(page, IDC_SEND_REMOTE_INTERVAL, OptionList::RemoteInterval);
    for (int id :
         {IDC_SEND_IMAGE_SIZE, IDC_SEND_MODE, IDC_SEND_DAILY_TIME, IDC_SEND_REMOTE_INTERVAL})
        ComboSetSel(page, id, 0);

    ShowCoordinate(page, CoordinateAxis::Longitude, g_sSendSet.sLongitude);
    ShowCoordinate(page, CoordinateAxis::Latitude, g_sSendSet.sLatitude);
}

void ShowCoordinateInputs(HWND page, bool on) {
    for (int id : kCoordinateInputs) {
        EnableDlgItem(page, id, on);
        ShowDlgItem(page, id, on);
    }
}

void EnableRemoteDetails(HWND page, bool on) {
    EnableDlgItem(page, IDC_SEND_REMOTE_PHONE, on);
    EnableDlgItem(page, IDC_SEND_NO_REMOTE_CMD22, on);
    EnableDlgItem(page, IDC_SEND_REMOTE_EMAIL, RemoteEmailEnabledFor(on, g_bNoRemoteCmd22 != 0));
}

void ShowRecordOnPage(HWND page) {
    SendSet& rec = g_sSendSet;
    for (int slot = 0; slot < 4; ++slot) {
        if (rec.uwRecpLen[slot] != 0)
            SetDlgItemField(page, kRecipientEdits[slot], rec.szRecp[slot], sizeof rec.szRecp[slot]);
    }
    SetDlgItemInt(page, IDC_SEND_MAX_NUM, rec.uwMaxSendImgNum, FALSE);
    Trace(":: uwMaxSendImgNum=%d, Edit txt:%s\n", rec.uwMaxSendImgNum,
          GetDlgItemTextUtf8(page, IDC_SEND_MAX_NUM).c_str());
    if (rec.szRemotePhoneNum[0] != '\0')
        SetDlgItemField(page, IDC_SEND_REMOTE_PHONE, rec.szRemotePhoneNum,
                        sizeof rec.szRemotePhoneNum);
    if (rec.szRemoteEmail[0] != '\0')
        SetDlgItemField(page, IDC_SEND_REMOTE_EMAIL, rec.szRemoteEmail, sizeof rec.szRemoteEmail);
    Trace(":: byDailySendTime = %d, bySendMode = %d\n", rec.byDailySendTime, rec.bySendMode);

    PrepareSendPageRecord(rec);
    // FTP and cloud share page 1's FTP group, whose layout decides whether the coordinates are
    // asked for.
    const SendPageState s =
        SendPageStateOf(rec, GetFtpEditUse() == FTP_EDIT_CLOUD, IsBasicCameraModel(g_iCameraModel),
                        g_bNoRemoteCmd22 != 0);
    for (int slot = 0; slot < 4; ++slot)
        EnableDlgItem(page, kRecipientEdits[slot], slot < 2 ? s.bPhones : s.bEmails);
    ShowCoordinateInputs(page, s.bCoordinates);
    EnableDlgItem(page, IDC_SEND_IMAGE_SIZE, s.bImageSizeEnabled);
    ComboSetSel(page, IDC_SEND_IMAGE_SIZE, rec.bySendImgSize == 1 ? 1 : 0);
    EnableDlgItem(page, IDC_SEND_MAX_NUM, s.bSending);
    ComboSetSel(page, IDC_SEND_DAILY_TIME, rec.byDailySendTime);
    ComboSetSel(page, IDC_SEND_MODE, rec.bySendMode == 1 ? 1 : 0);
    EnableDlgItem(page, IDC_SEND_MODE, s.bSending);
    EnableDlgItem(page, IDC_SEND_DAILY_TIME, s.bDailyTime);
    ComboSetSel(page, IDC_SEND_REMOTE_INTERVAL, s.iRemoteIntervalItem);
    EnableDlgItem(page, IDC_SEND_REMOTE_INTERVAL, s.bSending);
    EnableDlgItem(page, IDC_SEND_REMOTE_PHONE, s.bRemoteDetails);
    EnableDlgItem(page, IDC_SEND_NO_REMOTE_CMD22, s.bRemoteDetails);
    EnableDlgItem(page, IDC_SEND_REMOTE_EMAIL, s.bRemoteEmail);
}

void OnInitSendPage(HWND page) {
    SetSmallIcon(page, IDI_WINDOW);
    for (size_t i = 0; i < kSendPageEditFieldCount; ++i)
        SendDlgItemMessageW(page, kSendPageEditFields[i].id, EM_SETLIMITTEXT,
                            static_cast<WPARAM>(EditCharsOf(kSendPageEditFields[i].field)), 0);
    SendDlgItemMessageW(page, IDC_SEND_SAVE_PATH, EM_SETLIMITTEXT, SEND_PAGE_SAVE_PATH_CHARS, 0);
    CheckDlgButton(page, IDC_SEND_NO_REMOTE_CMD22, g_bNoRemoteCmd22 ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemField(page, IDC_SEND_SAVE_PATH, g_szSavePath, sizeof g_szSavePath);
    SetSendPageTexts(page);
    if (g_bSendPageFirstOpen)
        g_bSendPageFirstOpen = false;
    else
        g_sSendSet = g_sSendSetSaved; // page 1 has just filled it from g_sSendSet
    ShowRecordOnPage(page);
}

// Each change clamps the edited value. The warning switch is on only around the call: the
// corrected text re-enters this page through EN_CHANGE, and CheckEditRange clears the switch
// before its box, so one change gives at most one warning.
void CheckCoordinateEdit(HWND page, int id, uint16_t maximum) {
    g_bRangeWarn = 1;
    CheckEditRange(page, id, 0, maximum);
    g_bRangeWarn = 0;
}

void OnDegreesChanged(HWND page, CoordinateAxis axis) {
    const CoordinateIds ids = CoordinateControls(axis);
    const long minutes = GetEditNumber(page, ids.min);
    const long seconds = GetEditNumber(page, ids.sec);
    Trace("iMin = %ld, uwMaxVal = %ld\n", minutes, seconds);
    CheckCoordinateEdit(page, ids.deg, CoordinateDegreeMaximum(axis, minutes, seconds));
}

void OnMinutesOrSecondsChanged(HWND page, CoordinateAxis axis, int id) {
    const long degrees = GetEditNumber(page, CoordinateControls(axis).deg);
    CheckCoordinateEdit(page, id, CoordinateMinuteMaximum(axis, degrees));
}

void OnSendModeChosen(HWND page) {
    EnableDlgItem(page, IDC_SEND_DAILY_TIME, DailyTimeEnabledFor(ComboGetSel(page, IDC_SEND_MODE)));
}

void OnDailySendTimeChosen(HWND page) {
    g_sSendSet.byDailySendTime = ComboByte(page, IDC_SEND_DAILY_TIME);
}

void OnRemoteIntervalCommand(HWND page) {
    EnableRemoteDetails(page, RemoteDetailsEnabledFor(ComboGetSel(page, IDC_SEND_REMOTE_INTERVAL)));
}

void OnNoRemoteCmd22Clicked(HWND page) {
    g_bNoRemoteCmd22 = IsDlgButtonChecked(page, IDC_SEND_NO_REMOTE_CMD22) == BST_CHECKED ? 1 : 0;
    // The box is enabled only while the remote details are.
    EnableDlgItem(page, IDC_SEND_REMOTE_EMAIL, RemoteEmailEnabledFor(true, g_bNoRemoteCmd22 != 0));
}

void OnRemoteEmailLeft(HWND page) {
    char* email = g_sSendSet.szRemoteEmail;
    GetDlgItemField(page, IDC_SEND_REMOTE_EMAIL, email, sizeof g_sSendSet.szRemoteEmail, 47);
    Trace("# EN_KILLFOCUS, szRemoteEmail:%s\n", email);
}

// A folder keeps the save path only when the camera files can be written there: a file-system
// folder whose path the system's code page spells in full within the limit; any other is refused
// with a warning and the save folder stays as it was.
void OnBrowse(HWND page) {
    if (BrowseForSaveFolder(page))
        SetDlgItemField(page, IDC_SEND_SAVE_PATH, g_szSavePath, sizeof g_szSavePath);
}

// The page's entries go into the hand-over copy; page 1 brings them back into g_sSendSet.
void OnPreviousPage(HWND page) {
    SendSet& saved = g_sSendSetSaved;
    GetRecipientEdits(page, saved);
    saved.sLongitude = GetCoordinateInputs(page, CoordinateAxis::Longitude, saved.sLongitude);
    saved.sLatitude = GetCoordinateInputs(page, CoordinateAxis::Latitude, saved.sLatitude);
    saved.bySendImgSize = ComboByte(page, IDC_SEND_IMAGE_SIZE);
    saved.uwMaxSendImgNum = static_cast<uint16_t>(GetEditNumber(page, IDC_SEND_MAX_NUM));
    saved.bySendMode = ComboByte(page, IDC_SEND_MODE);
    saved.byDailySendTime = g_sSendSet.byDailySendTime;
    ApplyRemoteIntervalItem(saved, ComboGetSel(page, IDC_SEND_REMOTE_INTERVAL));
    if (g_sSendSet.bySendBy == SEND_BY_CLOSE_3G)
        saved.byRemoteSwitch = 0;
    GetRemoteEdits(page, saved);
    EndDialogBackTo(page, BackTo::ParamPage);
}

void OnCloseSendPage(HWND page) {
    EndDialogBackTo(page, BackTo::MainSetup);
}

void OnSendPageCommand(HWND page, int id, int code) {
    switch (id) {
    case IDC_SEND_PHONE1:
    case IDC_SEND_PHONE2:
    case IDC_SEND_REMOTE_PHONE:
        if (code == EN_CHANGE)
            FilterEditText(page, id, kPhoneCharacters);
        break;
    case IDC_SEND_MAX_NUM:
        if (code == EN_CHANGE)
            FilterEditText(page, id, kDigits);
        break;
    case IDC_SEND_LONGITUDE_DEG:
    case IDC_SEND_LATITUDE_DEG:
        if (code == EN_CHANGE)
            OnDegreesChanged(page, id == IDC_SEND_LONGITUDE_DEG ? CoordinateAxis::Longitude
                                                                : CoordinateAxis::Latitude);
        break;
    case IDC_SEND_LONGITUDE_MIN:
    case IDC_SEND_LONGITUDE_SEC:
        if (code == EN_CHANGE)
            OnMinutesOrSecondsChanged(page, CoordinateAxis::Longitude, id);
        break;
    case IDC_SEND_LATITUDE_MIN:
    case IDC_SEND_LATITUDE_SEC:
        if (code == EN_CHANGE)
            OnMinutesOrSecondsChanged(page, CoordinateAxis::Latitude, id);
        break;
    case IDC_SEND_MODE:
        if (code == CBN_SELENDOK)
            OnSendModeChosen(page);
        break;
    case IDC_SEND_DAILY_TIME:
        if (code == CBN_SELENDOK)
            OnDailySendTimeChosen(page);
        break;
    case IDC_SEND_REMOTE_INTERVAL:
        OnRemoteIntervalCommand(page);
        break;
    case IDC_SEND_NO_REMOTE_CMD22:
        OnNoRemoteCmd22Clicked(page);
        break;
    case IDC_SEND_REMOTE_EMAIL:
        if (code == EN_KILLFOCUS)
            OnRemoteEmailLeft(page);
        break;
    case IDC_SEND_BROWSE:
        OnBrowse(page);
        break;
    case IDC_SEND_PREVIOUS_PAGE:
        OnPreviousPage(page);
        break;
    case IDC_SEND_GENERATE:
        GenerateSendSet(page);
        break;
    default: // Enter, Escape and the other controls: nothing
        break;
    }
}

INT_PTR CALLBACK SendPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (ScrollFitMessage(page, msg, wParam, lParam))
        return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        OnInitSendPage(page);
        ScrollFitInit(page);
        return TRUE;
    case WM_CLOSE:
        OnCloseSendPage(page);
        return TRUE;
    case WM_COMMAND:
        OnSendPageCommand(page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

long GetEditNumber(HWND page, int id) {
    long value = 0;
    return GetDlgItemNumber(page, id, &value) ? value : 0;
}

void GetRecipientEdits(HWND page, SendSet& rec) {
    for (int slot = 0; slot < 4; ++slot) {
        size_t len = GetDlgItemField(
            page, kRecipientEdits[slot], rec.szRecp[slot], sizeof rec.szRecp[slot],
            static_cast<size_t>(FindSendSetFieldLimit(kSendPageEditFields[slot].field)->maxValue));
        rec.uwRecpLen[slot] = static_cast<uint16_t>(len);
    }
}

void GetRemoteEdits(HWND page, SendSet& rec) {
    GetDlgItemField(page, IDC_SEND_REMOTE_PHONE, rec.szRemotePhoneNum, sizeof rec.szRemotePhoneNum);
    GetDlgItemField(page, IDC_SEND_REMOTE_EMAIL, rec.szRemoteEmail, sizeof rec.szRemoteEmail);
}

Coordinate GetCoordinateInputs(HWND page, CoordinateAxis axis, const Coordinate& previous) {
    const CoordinateIds ids = CoordinateControls(axis);
    Coordinate c = previous;
    const int dir = ComboGetSel(page, ids.dir);
    if (dir >= 0) // a direction byte from a file that the list lacks stays as it was
        c.byDir = static_cast<uint8_t>(dir);
    c.byDeg = static_cast<uint8_t>(GetEditNumber(page, ids.deg));
    c.byMin = static_cast<uint8_t>(GetEditNumber(page, ids.min));
    c.bySec = static_cast<uint8_t>(GetEditNumber(page, ids.sec));
    return c;
}

int ShowSendPage(HINSTANCE instance) {
    return RunModalDialog(instance, IDD_SEND_PAGE, SendPageProc);
}

// Camera Setup: one drop-down list per camera menu setting, the clock group, the save folder,
// and "Generate" / "Default", which write menu.dat.
#include "menu/CameraSetup.h"

#include "app/App.h"
#include "app/SavePath.h"
#include "app/Trace.h"
#include "lang/LanguageWin.h"
#include "menu/CameraSetupRules.h"
#include "menu/ClockRules.h"
#include "menu/MenuData.h"
#include "res/resource.h"
#include "ui/BrowseFolder.h"
#include "ui/EditFilterWin.h"
#include "ui/ScrollFit.h"
#include "ui/WinUtil.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstddef>
#include <cstdio>
#include <iterator>
#include <string>

namespace {

// Set at program start; the first opening in a run reads menu.dat (or takes the defaults).
bool g_bMenuFirstOpen = true;

const UINT_PTR kClockTimerId = 0;
const UINT kClockTimerPeriodMs = 1000;

HWND s_hCameraSetup = nullptr; // the open dialog, for UpdateMenuEnables

const TextPair kTextDefaultSuccess = {
    {"出厂设置完成，成功生成配置文件!", "Default setting and generate success!"}};

const ControlText kCameraSetupTexts[] = {
    {IDC_CAMERA_MODE_LABEL, {{"模式", "Mode"}}},
    {IDC_CAMERA_IMAGE_SIZE_LABEL, {{"图像尺寸", "Image Size"}}},
    {IDC_CAMERA_VIDEO_SIZE_LABEL, {{"录像尺寸", "Video Size"}}},
    {IDC_CAMERA_PICTURE_NUMBER_LABEL, {{"拍摄张数", "Picture Number"}}},
    {IDC_CAMERA_TIME_STAMP_LABEL, {{"时间戳", "Time Stamp"}}},
    {IDC_CAMERA_SENSE_LEVEL_LABEL, {{"灵敏度", "Sense Level"}}},
    {IDC_CAMERA_SIDE_PIR_LABEL, {{"侧面PIR", "Side PIR"}}},
    {IDC_CAMERA_VIDEO_LENGTH_LABEL, {{"录像长度", "Video Length"}}},
    {IDC_CAMERA_VIDEO_LENGTH_UNIT, {{"秒钟", "Sec"}}},
    {IDC_CAMERA_INTERVAL_LABEL, {{"间隔时间", "Interval"}}},
    {IDC_CAMERA_DATE_FORMAT_LABEL, {{"日期格式", "Date Format"}}},
    {IDC_CAMERA_BEEP_SOUND_LABEL, {{"按键音", "Beep Sound"}}},
    {IDC_CAMERA_SD_CYCLE_LABEL, {{"循环存储", "SD Cycle"}}},
    {IDC_CAMERA_LANGUAGE_LABEL, {{"语言", "Language"}}},
    {IDC_CAMERA_CLOCK_LABEL, {{"设置时间", "Set Clock"}}},
    {IDC_CAMERA_TIMER1_LABEL, {{"定时设置1", "Timer1"}}},
    {IDC_CAMERA_TIMER1_START_FRAME, {{"开始", "Start"}}},
    {IDC_CAMERA_TIMER1_START_HOUR_LABEL, {{"小时", "Hour"}}},
    {IDC_CAMERA_TIMER1_START_MIN_LABEL, {{"分钟", "Min"}}},
    {IDC_CAMERA_TIMER1_END_FRAME, {{"结束", "End"}}},
    {IDC_CAMERA_TIMER1_END_HOUR_LABEL, {{"小时", "Hour"}}},
    {IDC_CAMERA_TIMER1_END_MIN_LABEL, {{"分钟", "Min"}}},
    {IDC_CAMERA_TIMER2_LABEL, {{"定时设置2", "Timer2"}}},
    {IDC_CAMERA_TIMER2_START_FRAME, {{"开始", "Start"}}},
    {IDC_CAMERA_TIMER2_START_HOUR_LABEL, {{"小时", "Hour"}}},
    {IDC_CAMERA_TIMER2_START_MIN_LABEL, {{"分钟", "Min"}}},
    {IDC_CAMERA_TIMER2_END_FRAME, {{"结束", "End"}}},
    {IDC_CAMERA_TIMER2_END_HOUR_LABEL, {{"小时", "Hour"}}},
    {IDC_CAMERA_TIMER2_END_MIN_LABEL, {{"分钟", "Min"}}},
    {IDC_CAMERA_SERIAL_LABEL, {{"序列号", "Serial Number"}}},
    {IDC_CAMERA_TIME_LAPSE_LABEL, {{"定时拍摄", "Time Lapse"}}},
    {IDC_CAMERA_TIME_LAPSE_HOUR_LABEL, {{"小时", "Hour"}}},
    {IDC_CAMERA_TIME_LAPSE_MIN_LABEL, {{"分钟", "Min"}}},
    {IDC_CAMERA_TIME_LAPSE_SEC_LABEL, {{"秒钟", "Sec"}}},
    {IDC_CAMERA_SAVE_PATH_FRAME, {{"保存路径", "Save Path"}}},
    {IDC_CAMERA_BROWSE, {{"浏览", "Browse"}}},
    {IDC_CAMERA_DEFAULT, {{"出厂设置", "Default"}}},
    {IDC_CAMERA_GENERATE, {{"生成配置", "Generate"}}},
};
static_assert(sizeof kCameraSetupTexts / sizeof kCameraSetupTexts[0] == 38, "38 labels");

// The control of each list, in the order of MenuList.
const int kMenuListControls[MENU_LIST_COUNT] = {
    IDC_CAMERA_MODE,
    IDC_CAMERA_IMAGE_SIZE,
    IDC_CAMERA_VIDEO_SIZE,
    IDC_CAMERA_PICTURE_NUMBER,
    IDC_CAMERA_TIME_STAMP,
    IDC_CAMERA_SENSE_LEVEL,
    IDC_CAMERA_SIDE_PIR,
    IDC_CAMERA_VIDEO_LENGTH,
    IDC_CAMERA_INTERVAL_COUNT,
    IDC_CAMERA_INTERVAL_UNIT,
    IDC_CAMERA_DATE_FORMAT,
    IDC_CAMERA_BEEP_SOUND,
    IDC_CAMERA_SD_CYCLE,
    IDC_CAMERA_LANGUAGE,
    IDC_CAMERA_CLOCK_MODE,
    IDC_CAMERA_TIMER1,
    IDC_CAMERA_TIMER1_START_HOUR,
    IDC_CAMERA_TIMER1_START_MIN,
    IDC_CAMERA_TIMER1_END_HOUR,
    IDC_CAMERA_TIMER1_END_MIN,
    IDC_CAMERA_TIMER2,
    IDC_CAMERA_TIMER2_START_HOUR,
    IDC_CAMERA_TIMER2_START_MIN,
    IDC_CAMERA_TIMER2_END_HOUR,
    IDC_CAMERA_TIMER2_END_MIN,
    IDC_CAMERA_SERIAL,
    IDC_CAMERA_SERIAL_CHAR1,
    IDC_CAMERA_SERIAL_CHAR2,
    IDC_CAMERA_SERIAL_CHAR3,
    IDC_CAMERA_SERIAL_CHAR4,
    IDC_CAMERA_TIME_LAPSE,
    IDC_CAMERA_TIME_LAPSE_HOUR,
    IDC_CAMERA_TIME_LAPSE_MIN,
    IDC_CAMERA_TIME_LAPSE_SEC,
};

int ControlOf(MenuList list) {
    return kMenuListControls[static_cast<int>(list)];
}

const int kClockEdits[6] = {IDC_CAMERA_YEAR, IDC_CAMERA_MONTH,  IDC_CAMERA_DAY,
                            IDC_CAMERA_HOUR, IDC_CAMERA_MINUTE, IDC_CAMERA_SECOND};

// The inputs each switch of kMenuEnableRules enables, in the same order.
struct SwitchInputs {
    int ids[6];
    int count;
};

const SwitchInputs kSwitchInputs[std::size(kMenuEnableRules)] = {
    {{IDC_CAMERA_YEAR, IDC_CAMERA_MONTH, IDC_CAMERA_DAY, IDC_CAMERA_HOUR, IDC_CAMERA_MINUTE,
      IDC_CAMERA_SECOND},
     6},
    {{IDC_CAMERA_TIMER1_START_HOUR, IDC_CAMERA_TIMER1_START_MIN, IDC_CAMERA_TIMER1_END_HOUR,
      IDC_CAMERA_TIMER1_END_MIN},
     4},
    {{IDC_CAMERA_TIMER2_START_HOUR, IDC_CAMERA_TIMER2_START_MIN, IDC_CAMERA_TIMER2_END_HOUR,
      IDC_CAMERA_TIMER2_END_MIN},
     4},
    {{IDC_CAMERA_SERIAL_CHAR1, IDC_CAMERA_SERIAL_CHAR2, IDC_CAMERA_SERIAL_CHAR3,
      IDC_CAMERA_SERIAL_CHAR4},
     4},
    {{IDC_CAMERA_TIME_LAPSE_HOUR, IDC_CAMERA_TIME_LAPSE_MIN, IDC_CAMERA_TIME_LAPSE_SEC}, 3},
};

const char kDigits[] = "0123456789";

void FillMenuLists(HWND dlg) {
    for (const MenuListField& f : kMenuListFields) {
        for (int k = 0; k < OptionCount(f.items); ++k)
            ComboAddUtf8(dlg, ControlOf(f.list), OptionText(f.items, k).c_str());
    }
}

void ShowMenuValues(HWND dlg, bool refresh) {
    SetWindowTextUtf8(dlg, kTextCameraSetup.Get());
    for (const ControlText& ct : kCameraSetupTexts)
        SetDlgItemTextUtf8(dlg, ct.id, ct.text.Get());
    if (!refresh)
        FillMenuLists(dlg);
    const MenuSelections shown = MenuSelectionsOf(g_sMenuData);
    for (int k = 0; k < MENU_LIST_COUNT; ++k)
        ComboSetSel(dlg, kMenuListControls[k], shown.position[k]);
}

void TakeClockValues(HWND dlg) {
    std::string texts[6];
    ClockTexts clock;
    for (int k = 0; k < 6; ++k) {
        texts[k] = GetDlgItemTextUtf8(dlg, kClockEdits[k]);
        clock.text[k] = texts[k].c_str();
    }
    TakeClockTexts(clock, g_sMenuData);
    Trace("Y:%d,M:%d,D:%d, h:%d, m:%d, s:%d\n", g_sMenuData.Year, g_sMenuData.Month,
          g_sMenuData.Day, g_sMenuData.Hour, g_sMenuData.Minute, g_sMenuData.Second);
    SaveClock = ClockOfMenu(g_sMenuData);
}

// Every list's selection, then the clock edits.
void TakeMenuValues(HWND dlg) {
    MenuSelections chosen;
    for (int k = 0; k < MENU_LIST_COUNT; ++k)
        chosen.position[k] = ComboGetSel(dlg, kMenuListControls[k]);
    TakeMenuSelections(chosen, g_sMenuData);
    TakeClockValues(dlg);
}

void ApplyEnableRule(HWND dlg, size_t rule, int position) {
    const bool on = MenuInputsEnabled(kMenuEnableRules[rule], position);
    for (int k = 0; k < kSwitchInputs[rule].count; ++k)
        EnableDlgItem(dlg, kSwitchInputs[rule].ids[k], on);
}

void UpdateMenuEnables() {
    for (size_t rule = 0; rule < std::size(kMenuEnableRules); ++rule)
        ApplyEnableRule(s_hCameraSetup, rule,
                        MenuListPosition(g_sMenuData, kMenuEnableRules[rule].switchList));
}

void OnSwitchChosen(HWND dlg, int id) {
    for (size_t rule = 0; rule < std::size(kMenuEnableRules); ++rule) {
        if (ControlOf(kMenuEnableRules[rule].switchList) == id)
            ApplyEnableRule(dlg, rule, ComboGetSel(dlg, id));
    }
}

// --- Clock group ---

void ShowLocalTime(HWND dlg) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int values[6] = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    for (int k = 0; k < 6; ++k) {
        char text[16];
        snprintf(text, sizeof text, k == 0 ? "%04d" : "%02d", values[k]);
        SetDlgItemTextUtf8(dlg, kClockEdits[k], text);
    }
}

void CALLBACK ClockTimerProc(HWND dlg, UINT, UINT_PTR, DWORD) {
    if (g_sMenuData.ClockMode == CLOCK_MODE_AUTO)
        ShowLocalTime(dlg);
}

void OnClockModeChosen(HWND dlg) {
    const int mode = ComboGetSel(dlg, IDC_CAMERA_CLOCK_MODE);
    g_sMenuData.ClockMode = static_cast<uint8_t>(mode); // the timer reads it from the record
    OnSwitchChosen(dlg, IDC_CAMERA_CLOCK_MODE);
    if (ClockShowsLocalTime(mode)) {
        ShowLocalTime(dlg);
    } else {
        for (int id : kClockEdits)
            SetDlgItemTextUtf8(dlg, id, "");
    }
}

// After the year or month changed, a day beyond the month's end becomes its last day.
void CorrectClockDay(HWND dlg) {
    const std::string year = GetDlgItemTextUtf8(dlg, IDC_CAMERA_YEAR);
    const std::string month = GetDlgItemTextUtf8(dlg, IDC_CAMERA_MONTH);
    const std::string day = GetDlgItemTextUtf8(dlg, IDC_CAMERA_DAY);
    int last = 0;
    if (CorrectDayForTexts(year.c_str(), month.c_str(), day.c_str(), &last)) {
        char text[8];
        snprintf(text, sizeof text, "%d", last);
        SetDlgItemTextUtf8(dlg, IDC_CAMERA_DAY, text);
    }
}

// Out-of-range values are corrected without a message: g_bRangeWarn is never set here.
void OnClockEditLeft(HWND dlg, int id) {
    switch (id) {
    case IDC_CAMERA_YEAR:
        CheckEditRange(dlg, id, CLOCK_YEAR_MIN, CLOCK_YEAR_MAX);
        CorrectClockDay(dlg);
        break;
    case IDC_CAMERA_MONTH:
        CheckEditRange(dlg, id, 1, 12);
        CorrectClockDay(dlg);
        break;
    case IDC_CAMERA_DAY: {
        const std::string year = GetDlgItemTextUtf8(dlg, IDC_CAMERA_YEAR);
        const std::string month = GetDlgItemTextUtf8(dlg, IDC_CAMERA_MONTH);
        CheckEditRange(dlg, id, 1,
                       static_cast<uint16_t>(MaxDayForTexts(year.c_str(), month.c_str())));
        break;
    }
    case IDC_CAMERA_HOUR:
        CheckEditRange(dlg, id, 0, 23);
        break;
    default: // minute, second
        CheckEditRange(dlg, id, 0, 59);
        break;
    }
}

bool IsClockEdit(int id) {
    for (int edit : kClockEdits) {
        if (edit == id)
            return true;
    }
    return false;
}

// --- Commands ---

// The chosen folder becomes the save folder only when it is a file-system folder that the
// system's code page spells in full within the limit; any other is refused with a warning and the
// folder stays as it was.
void OnBrowse(HWND dlg) {
    if (BrowseForSaveFolder(dlg))
        SetDlgItemField(dlg, IDC_CAMERA_SAVE_PATH, g_szSavePath, SAVE_PATH_CAPACITY);
}

// Success needs both: the new file in place and a read-back that holds the clock just taken.
// An older menu.dat left in the folder could otherwise pass the read-back on its own.
bool WriteAndVerifyMenu() {
    const bool written = WriteMenuFile();
    const int verified = ReadMenuFile();
    return written && verified == 1;
}

void OnGenerate(HWND dlg) {
    TakeMenuValues(dlg);
    if (WriteAndVerifyMenu())
        ShowNoticeBox(dlg, kTextGenerateSuccess);
}

// The clock edits keep their text: what they show now is what is written.
void OnDefault(HWND dlg) {
    LoadMenuDefaults();
    ShowMenuValues(dlg, true);
    UpdateMenuEnables();
    TakeMenuValues(dlg);
    if (WriteAndVerifyMenu())
        ShowNoticeBox(dlg, kTextDefaultSuccess);
}

void OnCameraSetupCommand(HWND dlg, int id, int code) {
    if (IsClockEdit(id)) {
        if (code == EN_CHANGE)
            FilterEditText(dlg, id, kDigits);
        else if (code == EN_KILLFOCUS)
            OnClockEditLeft(dlg, id);
        return;
    }
    switch (id) {
    case IDC_CAMERA_CLOCK_MODE:
        if (code == CBN_SELCHANGE)
            OnClockModeChosen(dlg);
        break;
    case IDC_CAMERA_TIMER1:
    case IDC_CAMERA_TIMER2:
    case IDC_CAMERA_SERIAL:
    case IDC_CAMERA_TIME_LAPSE:
        if (code == CBN_SELCHANGE)
            OnSwitchChosen(dlg, id);
        break;
    case IDC_CAMERA_BROWSE:
        OnBrowse(dlg);
        break;
    case IDC_CAMERA_GENERATE:
        OnGenerate(dlg);
        break;
    case IDC_CAMERA_DEFAULT:
        OnDefault(dlg);
        break;
    default: // other lists, Enter (IDOK) and Escape (IDCANCEL): nothing
        break;
    }
}

// The template gives the lists no tab stop; the keyboard reaches them all the same.
void AddListTabStops(HWND dlg) {
    for (HWND child = GetWindow(dlg, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(child, cls, 16);
        if (lstrcmpiW(cls, L"ComboBox") == 0)
            SetWindowLongPtrW(child, GWL_STYLE, GetWindowLongPtrW(child, GWL_STYLE) | WS_TABSTOP);
    }
}

void OnInitCameraSetup(HWND dlg) {
    SetSmallIcon(dlg, IDI_WINDOW);
    s_hCameraSetup = dlg;
    if (g_bMenuFirstOpen) {
        g_bMenuFirstOpen = false;
        StartMenuAtFirstOpening(ReadMenuFile() == 1, g_sMenuData);
    }
    ShowMenuValues(dlg, false);
    UpdateMenuEnables();
    if (ClockShowsLocalTime(g_sMenuData.ClockMode))
        ShowLocalTime(dlg);
    SetDlgItemField(dlg, IDC_CAMERA_SAVE_PATH, g_szSavePath, SAVE_PATH_CAPACITY);
    for (int id : kClockEdits)
        SendDlgItemMessageW(dlg, id, EM_LIMITTEXT,
                            id == IDC_CAMERA_YEAR ? CLOCK_YEAR_CHARS : CLOCK_FIELD_CHARS, 0);
    SendDlgItemMessageW(dlg, IDC_CAMERA_SAVE_PATH, EM_LIMITTEXT, SAVE_PATH_MAX_CHARS + 1, 0);
    AddListTabStops(dlg);
    SetTimer(dlg, kClockTimerId, kClockTimerPeriodMs, ClockTimerProc);
    TraceLine("INIT END.");
}

// The form's state stays in the record for the next opening; nothing is written.
void OnCloseCameraSetup(HWND dlg) {
    TakeMenuValues(dlg);
    KillTimer(dlg, kClockTimerId);
    s_hCameraSetup = nullptr;
    EndDialogBackTo(dlg, BackTo::MainSetup);
}

INT_PTR CALLBACK CameraSetupProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (ScrollFitMessage(dlg, msg, wParam, lParam))
        return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        OnInitCameraSetup(dlg);
        SetFocus(GetDlgItem(dlg, IDC_CAMERA_MODE));
        ScrollFitInit(dlg);
        return FALSE; // the focus is set
    case WM_COMMAND:
        OnCameraSetupCommand(dlg, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_TIMER: // the clock timer works through its own callback
        return TRUE;
    case WM_CLOSE:
        OnCloseCameraSetup(dlg);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int ShowCameraSetup(HINSTANCE instance) {
    return RunModalDialog(instance, IDD_CAMERA_SETUP, CameraSetupProc);
}

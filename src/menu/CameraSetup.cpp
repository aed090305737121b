// Camera Setup: one drop-down list per camera menu setting, the clock group, the save folder,
// and "Generate" / "Default", which write menu.dat.
#include "menu/CameraSetup.h"

#include "app/App.h"
#include "app/SavePath.h"
#include "lang/LanguageWin.h"
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

bool g_bMenuFirstOpen = true;

namespace {

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

// Option lists whose items depend on the language: N Chinese items, then N English items.
const char* const kCapModeItems[] = {"拍照",   "录像",  "拍照+录像",
                                     "Camera", "Video", "Camera+Video"};
const char* const kPicNumItems[] = {"01 张",    "02 张",     "03 张",
                                    "01 Photo", "02 Photos", "03 Photos"};
const char* const kSenseLevelItems[] = {"正常", "高", "低", "关闭", "Normal", "High", "Low", "Off"};
const char* const kIntervalUnitItems[] = {"秒钟", "分钟", "Sec", "Min"};
const char* const kDateFormatItems[] = {"年月日", "日月年", "月日年", "YYMMDD", "DDMMYY", "MMDDYY"};
const char* const kClockModeItems[] = {"自动获取", "手动输入", "关闭", "Auto", "Input", "Off"};
// Two distinct switch tables: Time Stamp and Time Lapse put "On" first (0 means on).
const char* const kOffOnItems[] = {"关", "开", "Off", "On"};
const char* const kOnOffItems[] = {"开", "关", "On", "Off"};

// The same items in both languages.
const char* const kImgSizeItems[] = {"12 MP", "5 MP", "2 MP"};
const char* const kVideoSizeItems[] = {"1440x1080", "720P", "VGA"};

// The camera's own menu language: Language = position + 1.
const TextPair kCameraLanguages[] = {
    {{"简体中文", "Chinese"}},   {{"英语", "English"}},           {{"德语", "German"}},
    {{"芬兰语", "Finnish"}},     {{"意大利语", "Italian"}},       {{"法语", "French"}},
    {{"匈牙利语", "Hungarian"}}, {{"斯洛文尼亚语", "Slovenian"}}, {{"捷克语", "Czech"}},
    {{"日语", "Japanese"}},      {{"丹麦语", "Danish"}},          {{"荷兰语", "Dutch"}},
    {{"俄语", "Russian"}},       {{"波兰语", "Polish"}},
};
static_assert(sizeof kCameraLanguages / sizeof kCameraLanguages[0] == 14, "14 languages");

struct TextListSpec {
    int id;
    const char* const* items;
    int count;      // items per language
    bool bilingual; // false: the same count items in both languages
};

const TextListSpec kTextLists[] = {
    {IDC_CAMERA_MODE, kCapModeItems, 3, true},
    {IDC_CAMERA_IMAGE_SIZE, kImgSizeItems, 3, false},
    {IDC_CAMERA_VIDEO_SIZE, kVideoSizeItems, 3, false},
    {IDC_CAMERA_PICTURE_NUMBER, kPicNumItems, 3, true},
    {IDC_CAMERA_TIME_STAMP, kOnOffItems, 2, true},
    {IDC_CAMERA_SENSE_LEVEL, kSenseLevelItems, 4, true},
    {IDC_CAMERA_SIDE_PIR, kOffOnItems, 2, true},
    {IDC_CAMERA_INTERVAL_UNIT, kIntervalUnitItems, 2, true},
    {IDC_CAMERA_DATE_FORMAT, kDateFormatItems, 3, true},
    {IDC_CAMERA_BEEP_SOUND, kOffOnItems, 2, true},
    {IDC_CAMERA_SD_CYCLE, kOffOnItems, 2, true},
    {IDC_CAMERA_CLOCK_MODE, kClockModeItems, 3, true},
    {IDC_CAMERA_TIMER1, kOffOnItems, 2, true},
    {IDC_CAMERA_TIMER2, kOffOnItems, 2, true},
    {IDC_CAMERA_SERIAL, kOffOnItems, 2, true},
    {IDC_CAMERA_TIME_LAPSE, kOnOffItems, 2, true},
};

// Lists of plain decimal numbers first..last.
struct NumberListSpec {
    int id;
    int first;
    int last;
};

const NumberListSpec kNumberLists[] = {
    {IDC_CAMERA_VIDEO_LENGTH, 1, 60},      {IDC_CAMERA_INTERVAL_COUNT, 0, 60},
    {IDC_CAMERA_TIMER1_START_HOUR, 0, 23}, {IDC_CAMERA_TIMER1_START_MIN, 0, 59},
    {IDC_CAMERA_TIMER1_END_HOUR, 0, 23},   {IDC_CAMERA_TIMER1_END_MIN, 0, 59},
    {IDC_CAMERA_TIMER2_START_HOUR, 0, 23}, {IDC_CAMERA_TIMER2_START_MIN, 0, 59},
    {IDC_CAMERA_TIMER2_END_HOUR, 0, 23},   {IDC_CAMERA_TIMER2_END_MIN, 0, 59},
    {IDC_CAMERA_TIME_LAPSE_HOUR, 0, 23},   {IDC_CAMERA_TIME_LAPSE_MIN, 0, 59},
    {IDC_CAMERA_TIME_LAPSE_SEC, 0, 59},
};

const int kSerialCharLists[4] = {IDC_CAMERA_SERIAL_CHAR1, IDC_CAMERA_SERIAL_CHAR2,
                                 IDC_CAMERA_SERIAL_CHAR3, IDC_CAMERA_SERIAL_CHAR4};
const char kSerialChars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Lists whose selected position is the record's byte, in record order.
struct FieldList {
    int id;
    size_t offset; // of the byte in MenuData
};

const FieldList kListsBeforeInterval[] = {
    {IDC_CAMERA_MODE, offsetof(MenuData, CapMode)},
    {IDC_CAMERA_IMAGE_SIZE, offsetof(MenuData, ImgSize)},
    {IDC_CAMERA_VIDEO_SIZE, offsetof(MenuData, VideoSize)},
    {IDC_CAMERA_PICTURE_NUMBER, offsetof(MenuData, PicNum)},
    {IDC_CAMERA_TIME_STAMP, offsetof(MenuData, TimeStamp)},
    {IDC_CAMERA_SENSE_LEVEL, offsetof(MenuData, SenseLevel)},
    {IDC_CAMERA_SIDE_PIR, offsetof(MenuData, SidePir)},
    {IDC_CAMERA_VIDEO_LENGTH, offsetof(MenuData, VideoLen)},
};

const FieldList kListsAfterInterval[] = {
    {IDC_CAMERA_DATE_FORMAT, offsetof(MenuData, DateFormat)},
    {IDC_CAMERA_BEEP_SOUND, offsetof(MenuData, BeepSound)},
    {IDC_CAMERA_SD_CYCLE, offsetof(MenuData, SdCycle)},
};

const FieldList kListsAfterClock[] = {
    {IDC_CAMERA_TIMER1, offsetof(MenuData, Timer1On)},
    {IDC_CAMERA_TIMER1_START_HOUR, offsetof(MenuData, Timer1StartHour)},
    {IDC_CAMERA_TIMER1_START_MIN, offsetof(MenuData, Timer1StartMin)},
    {IDC_CAMERA_TIMER1_END_HOUR, offsetof(MenuData, Timer1EndHour)},
    {IDC_CAMERA_TIMER1_END_MIN, offsetof(MenuData, Timer1EndMin)},
    {IDC_CAMERA_TIMER2, offsetof(MenuData, Timer2On)},
    {IDC_CAMERA_TIMER2_START_HOUR, offsetof(MenuData, Timer2StartHour)},
    {IDC_CAMERA_TIMER2_START_MIN, offsetof(MenuData, Timer2StartMin)},
    {IDC_CAMERA_TIMER2_END_HOUR, offsetof(MenuData, Timer2EndHour)},
    {IDC_CAMERA_TIMER2_END_MIN, offsetof(MenuData, Timer2EndMin)},
    {IDC_CAMERA_SERIAL, offsetof(MenuData, SerialOn)},
    {IDC_CAMERA_SERIAL_CHAR1, offsetof(MenuData, Serial) + 0},
    {IDC_CAMERA_SERIAL_CHAR2, offsetof(MenuData, Serial) + 1},
    {IDC_CAMERA_SERIAL_CHAR3, offsetof(MenuData, Serial) + 2},
    {IDC_CAMERA_SERIAL_CHAR4, offsetof(MenuData, Serial) + 3},
    {IDC_CAMERA_TIME_LAPSE, offsetof(MenuData, TimeLapse)},
    {IDC_CAMERA_TIME_LAPSE_HOUR, offsetof(MenuData, TimeLapseHour)},
    {IDC_CAMERA_TIME_LAPSE_MIN, offsetof(MenuData, TimeLapseMin)},
    {IDC_CAMERA_TIME_LAPSE_SEC, offsetof(MenuData, TimeLapseSec)},
};

// A switch list and the inputs it enables at one position.
struct EnableRule {
    int switchId;
    size_t offset; // of the switch's byte in MenuData
    int onPosition;
    int inputs[6];
    int inputCount;
};

const int kClockEdits[6] = {IDC_CAMERA_YEAR, IDC_CAMERA_MONTH,  IDC_CAMERA_DAY,
                            IDC_CAMERA_HOUR, IDC_CAMERA_MINUTE, IDC_CAMERA_SECOND};

const EnableRule kEnableRules[] = {
    {IDC_CAMERA_CLOCK_MODE,
     offsetof(MenuData, ClockMode),
     1,
     {IDC_CAMERA_YEAR, IDC_CAMERA_MONTH, IDC_CAMERA_DAY, IDC_CAMERA_HOUR, IDC_CAMERA_MINUTE,
      IDC_CAMERA_SECOND},
     6},
    {IDC_CAMERA_TIMER1,
     offsetof(MenuData, Timer1On),
     1,
     {IDC_CAMERA_TIMER1_START_HOUR, IDC_CAMERA_TIMER1_START_MIN, IDC_CAMERA_TIMER1_END_HOUR,
      IDC_CAMERA_TIMER1_END_MIN},
     4},
    {IDC_CAMERA_TIMER2,
     offsetof(MenuData, Timer2On),
     1,
     {IDC_CAMERA_TIMER2_START_HOUR, IDC_CAMERA_TIMER2_START_MIN, IDC_CAMERA_TIMER2_END_HOUR,
      IDC_CAMERA_TIMER2_END_MIN},
     4},
    {IDC_CAMERA_SERIAL,
     offsetof(MenuData, SerialOn),
     1,
     {IDC_CAMERA_SERIAL_CHAR1, IDC_CAMERA_SERIAL_CHAR2, IDC_CAMERA_SERIAL_CHAR3,
      IDC_CAMERA_SERIAL_CHAR4},
     4},
    {IDC_CAMERA_TIME_LAPSE,
     offsetof(MenuData, TimeLapse),
     0,
     {IDC_CAMERA_TIME_LAPSE_HOUR, IDC_CAMERA_TIME_LAPSE_MIN, IDC_CAMERA_TIME_LAPSE_SEC},
     3},
};

const char kDigits[] = "0123456789";

uint8_t& MenuByte(size_t offset) {
    return reinterpret_cast<uint8_t*>(&g_sMenuData)[offset];
}

// A list without a selection gives -1, which the one-byte fields keep as 0xFF.
uint8_t SelectedByte(HWND dlg, int id) {
    return static_cast<uint8_t>(ComboGetSel(dlg, id));
}

// A position beyond the list's items leaves the list without a selection.
void SelectPosition(HWND dlg, int id, int position) {
    const int count = static_cast<int>(SendDlgItemMessageW(dlg, id, CB_GETCOUNT, 0, 0));
    ComboSetSel(dlg, id, position >= 0 && position < count ? position : -1);
}

void SelectFieldLists(HWND dlg, const FieldList* lists, size_t n) {
    for (size_t k = 0; k < n; ++k)
        SelectPosition(dlg, lists[k].id, MenuByte(lists[k].offset));
}

void TakeFieldLists(HWND dlg, const FieldList* lists, size_t n) {
    for (size_t k = 0; k < n; ++k)
        MenuByte(lists[k].offset) = SelectedByte(dlg, lists[k].id);
}

void FillMenuLists(HWND dlg) {
    for (const TextListSpec& list : kTextLists) {
        for (int k = 0; k < list.count; ++k)
            ComboAddUtf8(dlg, list.id,
                         list.bilingual ? TextListItem(list.items, list.count, k) : list.items[k]);
    }
    for (const NumberListSpec& list : kNumberLists) {
        for (int v = list.first; v <= list.last; ++v) {
            char number[8];
            snprintf(number, sizeof number, "%d", v);
            ComboAddUtf8(dlg, list.id, number);
        }
    }
    for (int id : kSerialCharLists) {
        for (size_t k = 0; k + 1 < sizeof kSerialChars; ++k) {
            const char item[2] = {kSerialChars[k], '\0'};
            ComboAddUtf8(dlg, id, item);
        }
    }
    for (const TextPair& language : kCameraLanguages)
        ComboAddUtf8(dlg, IDC_CAMERA_LANGUAGE, language.Get());
}

void ShowMenuValues(HWND dlg, bool refresh) {
    SetWindowTextUtf8(dlg, kTextCameraSetup.Get());
    for (const ControlText& ct : kCameraSetupTexts)
        SetDlgItemTextUtf8(dlg, ct.id, ct.text.Get());
    if (!refresh)
        FillMenuLists(dlg);

    SelectFieldLists(dlg, kListsBeforeInterval, std::size(kListsBeforeInterval));
    // Bit 7 of Interval is the unit (set: seconds); the record holds only the count until the
    // values are taken back.
    SelectPosition(dlg, IDC_CAMERA_INTERVAL_UNIT, (g_sMenuData.Interval & 0x80) ? 0 : 1);
    g_sMenuData.Interval &= 0x7F;
    SelectPosition(dlg, IDC_CAMERA_INTERVAL_COUNT, g_sMenuData.Interval);
    SelectFieldLists(dlg, kListsAfterInterval, std::size(kListsAfterInterval));
    if (g_sMenuData.Language == 0)
        g_sMenuData.Language = 1;
    SelectPosition(dlg, IDC_CAMERA_LANGUAGE, g_sMenuData.Language - 1);
    SelectPosition(dlg, IDC_CAMERA_CLOCK_MODE, g_sMenuData.ClockMode);
    SelectFieldLists(dlg, kListsAfterClock, std::size(kListsAfterClock));
}

void TakeClockValues(HWND dlg) {
    std::string texts[6];
    ClockTexts clock;
    for (int k = 0; k < 6; ++k) {
        texts[k] = GetDlgItemTextUtf8(dlg, kClockEdits[k]);
        clock.text[k] = texts[k].c_str();
    }
    TakeClockTexts(clock, g_sMenuData);
    printf("Y:%d,M:%d,D:%d, h:%d, m:%d, s:%d\n", g_sMenuData.Year, g_sMenuData.Month,
           g_sMenuData.Day, g_sMenuData.Hour, g_sMenuData.Minute, g_sMenuData.Second);
    SaveClock = ClockOfMenu(g_sMenuData);
}

void TakeMenuValues(HWND dlg) {
    TakeFieldLists(dlg, kListsBeforeInterval, std::size(kListsBeforeInterval));
    g_sMenuData.Interval = SelectedByte(dlg, IDC_CAMERA_INTERVAL_COUNT);
    if (ComboGetSel(dlg, IDC_CAMERA_INTERVAL_UNIT) == 0)
        g_sMenuData.Interval |= 0x80;
    TakeFieldLists(dlg, kListsAfterInterval, std::size(kListsAfterInterval));
    g_sMenuData.Language = static_cast<uint8_t>(ComboGetSel(dlg, IDC_CAMERA_LANGUAGE) + 1);
    g_sMenuData.ClockMode = SelectedByte(dlg, IDC_CAMERA_CLOCK_MODE);
    TakeClockValues(dlg);
    TakeFieldLists(dlg, kListsAfterClock, std::size(kListsAfterClock));
}

void ApplyEnableRule(HWND dlg, const EnableRule& rule, int position) {
    for (int k = 0; k < rule.inputCount; ++k)
        EnableDlgItem(dlg, rule.inputs[k], position == rule.onPosition);
}

void UpdateMenuEnables() {
    for (const EnableRule& rule : kEnableRules)
        ApplyEnableRule(s_hCameraSetup, rule, MenuByte(rule.offset));
}

void OnSwitchChosen(HWND dlg, int id) {
    for (const EnableRule& rule : kEnableRules) {
        if (rule.switchId == id)
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
    if (g_sMenuData.ClockMode == 0)
        ShowLocalTime(dlg);
}

void OnClockModeChosen(HWND dlg) {
    const int mode = ComboGetSel(dlg, IDC_CAMERA_CLOCK_MODE);
    g_sMenuData.ClockMode = static_cast<uint8_t>(mode); // the timer reads it from the record
    for (int id : kClockEdits)
        EnableDlgItem(dlg, id, mode == 1);
    if (mode == 2) {
        for (int id : kClockEdits)
            SetDlgItemTextUtf8(dlg, id, "");
    } else {
        ShowLocalTime(dlg);
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
        if (ReadMenuFile() == 0)
            LoadMenuDefaults();
        else if (g_sMenuData.VideoLen > 59)
            g_sMenuData.VideoLen = 9;
        g_sMenuData.ClockMode = 0;
    }
    ShowMenuValues(dlg, false);
    UpdateMenuEnables();
    if (g_sMenuData.ClockMode != 2)
        ShowLocalTime(dlg);
    SetDlgItemField(dlg, IDC_CAMERA_SAVE_PATH, g_szSavePath, SAVE_PATH_CAPACITY);
    for (int id : kClockEdits)
        SendDlgItemMessageW(dlg, id, EM_LIMITTEXT,
                            id == IDC_CAMERA_YEAR ? CLOCK_YEAR_CHARS : CLOCK_FIELD_CHARS, 0);
    SendDlgItemMessageW(dlg, IDC_CAMERA_SAVE_PATH, EM_LIMITTEXT, SAVE_PATH_MAX_CHARS + 1, 0);
    AddListTabStops(dlg);
    SetTimer(dlg, kClockTimerId, kClockTimerPeriodMs, ClockTimerProc);
    puts("INIT END.");
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

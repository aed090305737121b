#include "menu/CameraSetupModel.h"

#include "common/SavePath.h"
#include "common/Trace.h"
#include "res/resource.h"
#include "ui/EditFilter.h"

#include <cstdio>
#include <cstring>
#include <iterator>

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
const size_t kCameraSetupTextCount = std::size(kCameraSetupTexts);
static_assert(std::size(kCameraSetupTexts) == 38, "38 labels");

namespace {

std::string SavePathText() {
    return std::string(g_szSavePath, strnlen(g_szSavePath, SAVE_PATH_CAPACITY));
}

std::wstring Widen(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::string Narrow(const std::wstring& digits) {
    return std::string(digits.begin(), digits.end());
}

} // namespace

void ClockTimeTexts(const ClockTime& t, std::string (&texts)[CLOCK_EDIT_COUNT]) {
    const int values[CLOCK_EDIT_COUNT] = {t.year, t.month, t.day, t.hour, t.minute, t.second};
    for (int k = 0; k < CLOCK_EDIT_COUNT; ++k) {
        char text[16];
        snprintf(text, sizeof text, k == CLOCK_YEAR ? "%04d" : "%02d", values[k]);
        texts[k] = text;
    }
}

std::vector<std::string> MenuListItems(MenuList list) {
    const OptionList items = kMenuListFields[static_cast<int>(list)].items;
    std::vector<std::string> out;
    for (int k = 0; k < OptionCount(items); ++k)
        out.push_back(OptionText(items, k));
    return out;
}

const TextPair& CameraSetupBoxText(CameraSetupBox box) {
    switch (box) {
    case CameraSetupBox::DefaultSuccess:
        return kTextDefaultSuccess;
    case CameraSetupBox::FolderUnusable:
        return kTextFolderUnusable;
    default:
        return kTextGenerateSuccess;
    }
}

bool CameraSetupBoxWarns(CameraSetupBox box) {
    return box == CameraSetupBox::FolderUnusable;
}

CameraSetupModel::CameraSetupModel(MenuData& rec, SaveClockData& saveClock, bool withFiles)
    : rec_(rec), saveClock_(saveClock), withFiles_(withFiles) {
    for (int& s : view_.selection)
        s = -1;
}

void CameraSetupModel::ViewRecord() {
    const MenuSelections shown = MenuSelectionsOf(rec_);
    for (int k = 0; k < MENU_LIST_COUNT; ++k)
        view_.selection[k] = shown.position[k];
    ApplyEnables();
}

void CameraSetupModel::ApplyEnables() {
    bool on[std::size(kMenuEnableRules)];
    for (size_t rule = 0; rule < std::size(kMenuEnableRules); ++rule) {
        const int position = view_.selection[static_cast<int>(kMenuEnableRules[rule].switchList)];
        on[rule] = MenuInputsEnabled(kMenuEnableRules[rule], position);
    }
    for (int k = 0; k < MENU_LIST_COUNT; ++k) {
        const int rule = MenuEnableRuleOf(static_cast<MenuList>(k));
        view_.listEnabled[k] = rule < 0 || on[rule];
    }
    view_.clockEnabled = on[MENU_CLOCK_RULE];
}

void CameraSetupModel::ViewClock(const ClockTime& now) {
    if (ClockShowsLocalTime(rec_.ClockMode)) {
        ClockTimeTexts(now, view_.clockText);
    } else {
        for (std::string& text : view_.clockText)
            text.clear();
    }
}

void CameraSetupModel::Open(const ClockTime& now) {
    if (withFiles_ && firstOpening_)
        StartMenuAtFirstOpening(ReadMenuFrom(g_szSavePath, rec_, saveClock_) == 1, rec_);
    firstOpening_ = false;
    ViewRecord();
    ViewClock(now);
    view_.savePath = SavePathText();
    TraceLine("INIT END.");
}

void CameraSetupModel::Tick(const ClockTime& now) {
    if (rec_.ClockMode == CLOCK_MODE_AUTO)
        ClockTimeTexts(now, view_.clockText);
}

void CameraSetupModel::Choose(MenuList list, int position, const ClockTime& now) {
    view_.selection[static_cast<int>(list)] = position;
    ApplyEnables();
    if (list == MenuList::ClockMode) {
        rec_.ClockMode = static_cast<uint8_t>(position); // the tick reads it from the record
        ViewClock(now);
    }
}

// The edit's limit holds back keys, not a text put in whole (a paste over a selection can exceed
// it), so the form keeps every digit.
void CameraSetupModel::TypeClockText(ClockEdit edit, const std::string& text) {
    std::string kept;
    for (char c : text) {
        if (c != '\0' && strchr(kClockEditCharacters, c) != nullptr)
            kept += c;
    }
    view_.clockText[edit] = kept;
}

void CameraSetupModel::LeaveClockEdit(ClockEdit edit) {
    std::string(&texts)[CLOCK_EDIT_COUNT] = view_.clockText;
    const int maximum =
        ClockEditMaximum(edit, texts[CLOCK_YEAR].c_str(), texts[CLOCK_MONTH].c_str());
    const RangeCheck check =
        CheckRangeText(Widen(texts[edit]), static_cast<uint16_t>(kClockEditLimits[edit].minimum),
                       static_cast<uint16_t>(maximum));
    if (check.verdict == RangeVerdict::Empty) {
        texts[edit] = Narrow(check.corrected);
    } else if (check.Traced()) {
        texts[edit] = Narrow(check.corrected);
        TraceLine("Input value error!");
    }
    int last = 0;
    if ((edit == CLOCK_YEAR || edit == CLOCK_MONTH) &&
        CorrectDayForTexts(texts[CLOCK_YEAR].c_str(), texts[CLOCK_MONTH].c_str(),
                           texts[CLOCK_DAY].c_str(), &last))
        texts[CLOCK_DAY] = std::to_string(last);
}

CameraSetupBox CameraSetupModel::ChooseSaveFolder(const char* bytes) {
    if (bytes == nullptr || *bytes == '\0' || !SetSavePath(bytes))
        return CameraSetupBox::FolderUnusable;
    view_.savePath = SavePathText();
    return CameraSetupBox::None;
}

// Every list's selection, then the clock edits.
void CameraSetupModel::TakeForm() {
    MenuSelections chosen;
    for (int k = 0; k < MENU_LIST_COUNT; ++k)
        chosen.position[k] = view_.selection[k];
    TakeMenuSelections(chosen, rec_);
    ClockTexts clock;
    for (int k = 0; k < CLOCK_EDIT_COUNT; ++k)
        clock.text[k] = view_.clockText[k].c_str();
    TakeClockTexts(clock, rec_);
    Trace("Y:%d,M:%d,D:%d, h:%d, m:%d, s:%d\n", rec_.Year, rec_.Month, rec_.Day, rec_.Hour,
          rec_.Minute, rec_.Second);
    saveClock_ = ClockOfMenu(rec_);
}

// Success needs both: the new file in place and a read-back that holds the clock just taken.
// An older menu.dat left in the folder could otherwise pass the read-back on its own.
bool CameraSetupModel::WriteAndVerify() {
    if (!withFiles_)
        return true;
    const bool written = WriteMenuTo(g_szSavePath, rec_);
    const int verified = ReadMenuFrom(g_szSavePath, rec_, saveClock_);
    return written && verified == 1;
}

CameraSetupBox CameraSetupModel::Generate() {
    TakeForm();
    return WriteAndVerify() ? CameraSetupBox::GenerateSuccess : CameraSetupBox::None;
}

CameraSetupBox CameraSetupModel::Default() {
    LoadMenuDefaults(rec_);
    ViewRecord();
    TakeForm();
    return WriteAndVerify() ? CameraSetupBox::DefaultSuccess : CameraSetupBox::None;
}

void CameraSetupModel::Close() {
    TakeForm();
}

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

const int kClockEditControls[CLOCK_EDIT_COUNT] = {IDC_CAMERA_YEAR,   IDC_CAMERA_MONTH,
                                                  IDC_CAMERA_DAY,    IDC_CAMERA_HOUR,
                                                  IDC_CAMERA_MINUTE, IDC_CAMERA_SECOND};

int MenuListOfControl(int id) {
    for (int k = 0; k < MENU_LIST_COUNT; ++k) {
        if (kMenuListControls[k] == id)
            return k;
    }
    return -1;
}

int ClockEditOfControl(int id) {
    for (int k = 0; k < CLOCK_EDIT_COUNT; ++k) {
        if (kClockEditControls[k] == id)
            return k;
    }
    return -1;
}

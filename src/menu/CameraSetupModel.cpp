#include "menu/CameraSetupModel.h"

#include "common/SavePath.h"
#include "common/Trace.h"
#include "menu/MenuFields.h"
#include "res/resource.h"
#include "ui/EditFilter.h"

#include <cstdio>
#include <cstring>
#include <iterator>

const TextPair kTextDefaultSuccess = {
    {"出厂设置完成，成功生成配置文件!", "Default setting and generate success!"}};

namespace {

// The texts of the form that belong to no field.
constexpr ControlText kOtherTexts[] = {
    {IDC_CAMERA_VIDEO_LENGTH_UNIT, {{"秒钟", "Sec"}}},
    {IDC_CAMERA_TIMER1_START_FRAME, {{"开始", "Start"}}},
    {IDC_CAMERA_TIMER1_END_FRAME, {{"结束", "End"}}},
    {IDC_CAMERA_TIMER2_START_FRAME, {{"开始", "Start"}}},
    {IDC_CAMERA_TIMER2_END_FRAME, {{"结束", "End"}}},
    {IDC_CAMERA_SAVE_PATH_FRAME, {{"保存路径", "Save Path"}}},
    {IDC_CAMERA_BROWSE, {{"浏览", "Browse"}}},
    {IDC_CAMERA_DEFAULT, {{"出厂设置", "Default"}}},
    {IDC_CAMERA_GENERATE, {{"生成配置", "Generate"}}},
};

constexpr size_t CountLabels() {
    size_t n = std::size(kOtherTexts);
    for (const MenuField& f : kMenuFields)
        n += f.label != 0 ? 1 : 0;
    return n;
}

constexpr std::array<ControlText, CountLabels()> Labels() {
    std::array<ControlText, CountLabels()> out{};
    size_t n = 0;
    for (const MenuField& f : kMenuFields) {
        if (f.label != 0)
            out[n++] = {f.label, f.labelText};
    }
    for (const ControlText& t : kOtherTexts)
        out[n++] = t;
    return out;
}

constexpr std::array<ControlText, CountLabels()> kLabels = Labels();
static_assert(kLabels.size() == 38, "38 labels");

constexpr std::array<int, MENU_LIST_COUNT> ListControls() {
    std::array<int, MENU_LIST_COUNT> out{};
    for (const MenuField& f : kMenuFields) {
        if (f.listed)
            out[static_cast<size_t>(f.formList)] = f.control;
    }
    return out;
}

constexpr std::array<int, CLOCK_EDIT_COUNT> ClockControls() {
    std::array<int, CLOCK_EDIT_COUNT> out{};
    for (const MenuField& f : kMenuFields) {
        if (f.clockEdit >= 0)
            out[static_cast<size_t>(f.clockEdit)] = f.control;
    }
    return out;
}

} // namespace

const ControlText* const kCameraSetupTexts = kLabels.data();
const size_t kCameraSetupTextCount = kLabels.size();

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

CameraSetupModel::CameraSetupModel(MenuData& rec, SaveClockData& saveClock, Card* card)
    : rec_(rec), saveClock_(saveClock), card_(card) {
    for (int& s : form_.selection)
        s = -1;
    MakeView(true);
}

// The labels and the lists' items are made in the current language, which only Main Setup
// changes, so at each opening; the rest after each event.
void CameraSetupModel::MakeView(bool texts) {
    if (texts) {
        v_ = DialogView();
        v_.caption = kTextCameraSetup.Get();
        for (const ControlText& label : kLabels) {
            v_.Add(label.id, ControlKind::Label);
            v_.SetText(label.id, label.text.Get());
        }
        for (int k = 0; k < MENU_LIST_COUNT; ++k) {
            v_.Add(kMenuListControls[k], ControlKind::List);
            for (const std::string& item : MenuListItems(static_cast<MenuList>(k)))
                v_.ListAdd(kMenuListControls[k], item);
        }
        for (int k = 0; k < CLOCK_EDIT_COUNT; ++k) {
            v_.Add(kClockEditControls[k], ControlKind::Edit);
            v_.Limit(kClockEditControls[k], static_cast<int>(kClockEditLimits[k].chars));
        }
        v_.Add(IDC_CAMERA_SAVE_PATH, ControlKind::Edit);
        v_.Limit(IDC_CAMERA_SAVE_PATH, SAVE_PATH_MAX_CHARS + 1);
    }
    for (int k = 0; k < MENU_LIST_COUNT; ++k) {
        v_.ListSetSel(kMenuListControls[k], form_.selection[k]);
        v_.Enable(kMenuListControls[k], form_.listEnabled[k]);
    }
    for (int k = 0; k < CLOCK_EDIT_COUNT; ++k) {
        v_.SetText(kClockEditControls[k], form_.clockText[k]);
        v_.Enable(kClockEditControls[k], form_.clockEnabled);
    }
    v_.SetText(IDC_CAMERA_SAVE_PATH, form_.savePath);
}

void CameraSetupModel::ViewRecord() {
    const MenuSelections shown = MenuSelectionsOf(rec_);
    for (int k = 0; k < MENU_LIST_COUNT; ++k)
        form_.selection[k] = shown.position[k];
    ApplyEnables();
}

void CameraSetupModel::ApplyEnables() {
    bool on[std::size(kMenuEnableRules)];
    for (size_t rule = 0; rule < std::size(kMenuEnableRules); ++rule) {
        const int position = form_.selection[static_cast<int>(kMenuEnableRules[rule].switchList)];
        on[rule] = MenuInputsEnabled(kMenuEnableRules[rule], position);
    }
    for (int k = 0; k < MENU_LIST_COUNT; ++k) {
        const int rule = MenuEnableRuleOf(static_cast<MenuList>(k));
        form_.listEnabled[k] = rule < 0 || on[rule];
    }
    form_.clockEnabled = on[MENU_CLOCK_RULE];
}

void CameraSetupModel::ViewClock(const ClockTime& now) {
    if (ClockShowsLocalTime(rec_.ClockMode)) {
        ClockTimeTexts(now, form_.clockText);
    } else {
        for (std::string& text : form_.clockText)
            text.clear();
    }
}

void CameraSetupModel::Open(const ClockTime& now) {
    if (card_ != nullptr && firstOpening_)
        StartMenuAtFirstOpening(ReadMenuFrom(*card_, rec_, saveClock_) == 1, rec_);
    firstOpening_ = false;
    ViewRecord();
    ViewClock(now);
    form_.savePath = SavePathText();
    MakeView(true);
    TraceLine("INIT END.");
}

void CameraSetupModel::Tick(const ClockTime& now) {
    if (rec_.ClockMode == CLOCK_MODE_AUTO)
        ClockTimeTexts(now, form_.clockText);
    MakeView(false);
}

void CameraSetupModel::Choose(MenuList list, int position, const ClockTime& now) {
    form_.selection[static_cast<int>(list)] = position;
    ApplyEnables();
    if (list == MenuList::ClockMode) {
        rec_.ClockMode = static_cast<uint8_t>(position); // the tick reads it from the record
        ViewClock(now);
    }
    MakeView(false);
}

// The edit's limit holds back keys, not a text put in whole (a paste over a selection can exceed
// it), so the form keeps every digit.
void CameraSetupModel::TypeClockText(ClockEdit edit, const std::string& text) {
    std::string kept;
    for (char c : text) {
        if (c != '\0' && strchr(kClockEditCharacters, c) != nullptr)
            kept += c;
    }
    form_.clockText[edit] = kept;
    MakeView(false);
}

void CameraSetupModel::LeaveClockEdit(ClockEdit edit) {
    std::string(&texts)[CLOCK_EDIT_COUNT] = form_.clockText;
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
    MakeView(false);
}

CameraSetupBox CameraSetupModel::ChooseSaveFolder(const char* bytes) {
    if (bytes == nullptr || *bytes == '\0' || !SetSavePath(bytes))
        return CameraSetupBox::FolderUnusable;
    form_.savePath = SavePathText();
    MakeView(false);
    return CameraSetupBox::None;
}

// Every list's selection, then the clock edits.
void CameraSetupModel::TakeForm() {
    MenuSelections chosen;
    for (int k = 0; k < MENU_LIST_COUNT; ++k)
        chosen.position[k] = form_.selection[k];
    TakeMenuSelections(chosen, rec_);
    ClockTexts clock;
    for (int k = 0; k < CLOCK_EDIT_COUNT; ++k)
        clock.text[k] = form_.clockText[k].c_str();
    TakeClockTexts(clock, rec_);
    Trace("Y:%d,M:%d,D:%d, h:%d, m:%d, s:%d\n", rec_.Year, rec_.Month, rec_.Day, rec_.Hour,
          rec_.Minute, rec_.Second);
    saveClock_ = ClockOfMenu(rec_);
}

// Success needs both: the new file in place and a read-back that holds the clock just taken.
// An older menu.dat left in the folder could otherwise pass the read-back on its own.
bool CameraSetupModel::WriteAndVerify() {
    if (card_ == nullptr)
        return true;
    const bool written = WriteMenuTo(*card_, rec_);
    const int verified = ReadMenuFrom(*card_, rec_, saveClock_);
    return written && verified == 1;
}

CameraSetupBox CameraSetupModel::Generate() {
    TakeForm();
    return WriteAndVerify() ? CameraSetupBox::GenerateSuccess : CameraSetupBox::None;
}

CameraSetupBox CameraSetupModel::Default() {
    LoadMenuDefaults(rec_);
    ViewRecord();
    MakeView(false);
    TakeForm();
    return WriteAndVerify() ? CameraSetupBox::DefaultSuccess : CameraSetupBox::None;
}

void CameraSetupModel::Close() {
    TakeForm();
}

const std::array<int, MENU_LIST_COUNT> kMenuListControls = ListControls();
const std::array<int, CLOCK_EDIT_COUNT> kClockEditControls = ClockControls();

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

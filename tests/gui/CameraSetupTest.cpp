#include "CameraSetupSteps.h"
#include "GuiHarness.h"

#include "menu/MenuData.h"
#include "res/resource.h"
#include "sendset/FileIo.h"
#include "sendset/SendSet.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace gui;

namespace {

using TextItems = std::vector<std::string>;

struct Label {
    int id;
    const char* chinese;
    const char* english;
};

const Label kLabels[] = {
    {IDC_CAMERA_MODE_LABEL, "模式", "Mode"},
    {IDC_CAMERA_IMAGE_SIZE_LABEL, "图像尺寸", "Image Size"},
    {IDC_CAMERA_VIDEO_SIZE_LABEL, "录像尺寸", "Video Size"},
    {IDC_CAMERA_PICTURE_NUMBER_LABEL, "拍摄张数", "Picture Number"},
    {IDC_CAMERA_TIME_STAMP_LABEL, "时间戳", "Time Stamp"},
    {IDC_CAMERA_SENSE_LEVEL_LABEL, "灵敏度", "Sense Level"},
    {IDC_CAMERA_SIDE_PIR_LABEL, "侧面PIR", "Side PIR"},
    {IDC_CAMERA_VIDEO_LENGTH_LABEL, "录像长度", "Video Length"},
    {IDC_CAMERA_VIDEO_LENGTH_UNIT, "秒钟", "Sec"},
    {IDC_CAMERA_INTERVAL_LABEL, "间隔时间", "Interval"},
    {IDC_CAMERA_DATE_FORMAT_LABEL, "日期格式", "Date Format"},
    {IDC_CAMERA_BEEP_SOUND_LABEL, "按键音", "Beep Sound"},
    {IDC_CAMERA_SD_CYCLE_LABEL, "循环存储", "SD Cycle"},
    {IDC_CAMERA_LANGUAGE_LABEL, "语言", "Language"},
    {IDC_CAMERA_CLOCK_LABEL, "设置时间", "Set Clock"},
    {IDC_CAMERA_TIMER1_LABEL, "定时设置1", "Timer1"},
    {IDC_CAMERA_TIMER1_START_FRAME, "开始", "Start"},
    {IDC_CAMERA_TIMER1_START_HOUR_LABEL, "小时", "Hour"},
    {IDC_CAMERA_TIMER1_START_MIN_LABEL, "分钟", "Min"},
    {IDC_CAMERA_TIMER1_END_FRAME, "结束", "End"},
    {IDC_CAMERA_TIMER1_END_HOUR_LABEL, "小时", "Hour"},
    {IDC_CAMERA_TIMER1_END_MIN_LABEL, "分钟", "Min"},
    {IDC_CAMERA_TIMER2_LABEL, "定时设置2", "Timer2"},
    {IDC_CAMERA_TIMER2_START_FRAME, "开始", "Start"},
    {IDC_CAMERA_TIMER2_START_HOUR_LABEL, "小时", "Hour"},
    {IDC_CAMERA_TIMER2_START_MIN_LABEL, "分钟", "Min"},
    {IDC_CAMERA_TIMER2_END_FRAME, "结束", "End"},
    {IDC_CAMERA_TIMER2_END_HOUR_LABEL, "小时", "Hour"},
    {IDC_CAMERA_TIMER2_END_MIN_LABEL, "分钟", "Min"},
    {IDC_CAMERA_SERIAL_LABEL, "序列号", "Serial Number"},
    {IDC_CAMERA_TIME_LAPSE_LABEL, "定时拍摄", "Time Lapse"},
    {IDC_CAMERA_TIME_LAPSE_HOUR_LABEL, "小时", "Hour"},
    {IDC_CAMERA_TIME_LAPSE_MIN_LABEL, "分钟", "Min"},
    {IDC_CAMERA_TIME_LAPSE_SEC_LABEL, "秒钟", "Sec"},
    {IDC_CAMERA_SAVE_PATH_FRAME, "保存路径", "Save Path"},
    {IDC_CAMERA_BROWSE, "浏览", "Browse"},
    {IDC_CAMERA_DEFAULT, "出厂设置", "Default"},
    {IDC_CAMERA_GENERATE, "生成配置", "Generate"},
};

// Frames without text and the separators, which keep their template texts.
const int kUntextedFrames[] = {
    IDC_CAMERA_MODE_FRAME,           IDC_CAMERA_IMAGE_SIZE_FRAME,   IDC_CAMERA_VIDEO_SIZE_FRAME,
    IDC_CAMERA_PICTURE_NUMBER_FRAME, IDC_CAMERA_TIME_STAMP_FRAME,   IDC_CAMERA_SENSE_LEVEL_FRAME,
    IDC_CAMERA_SIDE_PIR_FRAME,       IDC_CAMERA_VIDEO_LENGTH_FRAME, IDC_CAMERA_INTERVAL_FRAME,
    IDC_CAMERA_DATE_FORMAT_FRAME,    IDC_CAMERA_BEEP_SOUND_FRAME,   IDC_CAMERA_SD_CYCLE_FRAME,
    IDC_CAMERA_LANGUAGE_FRAME,       IDC_CAMERA_CLOCK_FRAME,        IDC_CAMERA_TIMER1_FRAME,
    IDC_CAMERA_TIMER2_FRAME,         IDC_CAMERA_SERIAL_FRAME,       IDC_CAMERA_TIME_LAPSE_FRAME,
};

const int kClockEdits[6] = {IDC_CAMERA_YEAR, IDC_CAMERA_MONTH,  IDC_CAMERA_DAY,
                            IDC_CAMERA_HOUR, IDC_CAMERA_MINUTE, IDC_CAMERA_SECOND};
const int kTimer1Times[4] = {IDC_CAMERA_TIMER1_START_HOUR, IDC_CAMERA_TIMER1_START_MIN,
                             IDC_CAMERA_TIMER1_END_HOUR, IDC_CAMERA_TIMER1_END_MIN};
const int kTimer2Times[4] = {IDC_CAMERA_TIMER2_START_HOUR, IDC_CAMERA_TIMER2_START_MIN,
                             IDC_CAMERA_TIMER2_END_HOUR, IDC_CAMERA_TIMER2_END_MIN};
const int kSerialChars[4] = {IDC_CAMERA_SERIAL_CHAR1, IDC_CAMERA_SERIAL_CHAR2,
                             IDC_CAMERA_SERIAL_CHAR3, IDC_CAMERA_SERIAL_CHAR4};
const int kTimeLapseTimes[3] = {IDC_CAMERA_TIME_LAPSE_HOUR, IDC_CAMERA_TIME_LAPSE_MIN,
                                IDC_CAMERA_TIME_LAPSE_SEC};

TextItems Numbers(int first, int last) {
    TextItems items;
    for (int v = first; v <= last; ++v)
        items.push_back(std::to_string(v));
    return items;
}

TextItems SerialItems() {
    TextItems items;
    for (char c : std::string("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"))
        items.push_back(std::string(1, c));
    return items;
}

MenuData DefaultMenu() {
    MenuData rec;
    LoadMenuDefaults(rec);
    return rec;
}

void PutMenuFile(const std::string& path, const MenuData& rec) {
    std::vector<uint8_t> bytes(MENU_DATA_SIZE);
    memcpy(bytes.data(), &rec, MENU_DATA_SIZE);
    EncodeCfgBuffer(bytes.data(), MENU_DATA_SIZE);
    WriteFileBytes(path, bytes);
}

void ExpectSameMenu(const MenuData& actual, const MenuData& expected) {
    const uint8_t* a = reinterpret_cast<const uint8_t*>(&actual);
    const uint8_t* e = reinterpret_cast<const uint8_t*>(&expected);
    for (int k = 0; k < MENU_DATA_SIZE; ++k)
        EXPECT_EQ(a[k], e[k]) << "byte " << k;
}

void ExpectEnabled(HWND dlg, const int* ids, int n, bool enabled) {
    for (int k = 0; k < n; ++k)
        EXPECT_EQ(Enabled(dlg, ids[k]), enabled) << "control " << ids[k];
}

std::vector<std::string> ClockTexts(HWND dlg) {
    std::vector<std::string> texts;
    for (int id : kClockEdits)
        texts.push_back(Text(dlg, id));
    return texts;
}

void TypeClock(App& app, HWND dlg, const char* const (&texts)[6]) {
    for (int k = 0; k < 6; ++k)
        Type(app, dlg, kClockEdits[k], texts[k]);
}

// Seconds since 1601 of a local date and time, for comparing clocks across a minute's end.
long long SecondsOf(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    FILETIME ft;
    if (!SystemTimeToFileTime(&st, &ft))
        return -1;
    return static_cast<long long>((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) |
                                  ft.dwLowDateTime) /
           10000000LL;
}

long long LocalNow() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return SecondsOf(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

long long SecondsOfEdits(HWND dlg) {
    std::vector<int> v;
    for (int id : kClockEdits)
        v.push_back(atoi(Text(dlg, id).c_str()));
    return SecondsOf(v[0], v[1], v[2], v[3], v[4], v[5]);
}

long long SecondsOfMenu(const MenuData& m) {
    return SecondsOf(m.Year, m.Month, m.Day, m.Hour, m.Minute, m.Second);
}

HTREEITEM TreeNext(HWND tree, HTREEITEM item, UINT how) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

std::string TreeText(HWND tree, HTREEITEM item) {
    wchar_t text[MAX_PATH] = {};
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    char utf8[3 * MAX_PATH] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

// Expands item and returns its child whose text contains name, or null.
HTREEITEM TreeChild(HWND tree, HTREEITEM item, const std::string& name) {
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    for (HTREEITEM child = TreeNext(tree, item, TVGN_CHILD); child != nullptr;
         child = TreeNext(tree, child, TVGN_NEXT)) {
        if (TreeText(tree, child).find(name) != std::string::npos)
            return child;
    }
    return nullptr;
}

// Walks the folder browser's tree from "My Computer" to an absolute path "C:\a\b" and selects
// it, as a user's clicks would.
bool SelectFolderInBrowser(HWND browser, const std::string& path) {
    HWND tree = FindWindowExW(browser, nullptr, L"SysTreeView32", nullptr);
    if (tree == nullptr)
        return false;
    HTREEITEM item = TreeChild(tree, TreeNext(tree, nullptr, TVGN_ROOT), "My Computer");
    if (item != nullptr)
        item = TreeChild(tree, item, "(" + path.substr(0, 2) + ")");
    size_t start = 3;
    while (item != nullptr && start < path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        item = TreeChild(tree, item, path.substr(start, end - start));
        start = end + 1;
    }
    if (item == nullptr)
        return false;
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    return true;
}
} // namespace

// --- Opening ---

TEST(CameraSetup, FirstOpeningWithoutFileShowsTheDefaultsInEnglish) {
    App app;
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    EXPECT_NE(app.Trace().find("INIT END.\n"), std::string::npos);
    EXPECT_FALSE(FileExists(app.FilePath("menu.dat"))); // opening writes nothing

    for (const Label& label : kLabels)
        EXPECT_EQ(Text(dlg, label.id), label.english) << "control " << label.id;
    for (int id : kUntextedFrames)
        EXPECT_EQ(Text(dlg, id), "") << "frame " << id;
    EXPECT_EQ(Text(dlg, IDC_CAMERA_YEAR_MONTH_SEP), "/");
    EXPECT_EQ(Text(dlg, IDC_CAMERA_MINUTE_SECOND_SEP), ":");

    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_MODE), "Camera");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_IMAGE_SIZE), "12 MP");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_VIDEO_SIZE), "720P");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_PICTURE_NUMBER), "01 Photo");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_TIME_STAMP), "On");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_SENSE_LEVEL), "Normal");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_SIDE_PIR), "On");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_VIDEO_LENGTH), "10");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_INTERVAL_COUNT), "1");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_INTERVAL_UNIT), "Min");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_DATE_FORMAT), "MMDDYY");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_BEEP_SOUND), "On");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_SD_CYCLE), "Off");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_LANGUAGE), "English");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_CLOCK_MODE), "Auto");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_TIMER1), "Off");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_TIMER2), "Off");
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(SelectedText(dlg, kTimer1Times[k]), "0");
        EXPECT_EQ(SelectedText(dlg, kTimer2Times[k]), "0");
        EXPECT_EQ(SelectedText(dlg, kSerialChars[k]), "0");
    }
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_SERIAL), "Off");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_TIME_LAPSE), "Off");
    for (int id : kTimeLapseTimes)
        EXPECT_EQ(SelectedText(dlg, id), "0");

    ExpectEnabled(dlg, kTimer1Times, 4, false);
    ExpectEnabled(dlg, kTimer2Times, 4, false);
    ExpectEnabled(dlg, kSerialChars, 4, false);
    ExpectEnabled(dlg, kTimeLapseTimes, 3, false);
    ExpectEnabled(dlg, kClockEdits, 6, false);

    // English items of every list.
    EXPECT_EQ(Items(dlg, IDC_CAMERA_MODE), (TextItems{"Camera", "Video", "Camera+Video"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_IMAGE_SIZE), (TextItems{"12 MP", "5 MP", "2 MP"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_VIDEO_SIZE), (TextItems{"1440x1080", "720P", "VGA"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_PICTURE_NUMBER),
              (TextItems{"01 Photo", "02 Photos", "03 Photos"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_TIME_STAMP), (TextItems{"On", "Off"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_SENSE_LEVEL), (TextItems{"Normal", "High", "Low", "Off"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_SIDE_PIR), (TextItems{"Off", "On"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_VIDEO_LENGTH), Numbers(1, 60));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_INTERVAL_COUNT), Numbers(0, 60));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_INTERVAL_UNIT), (TextItems{"Sec", "Min"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_DATE_FORMAT), (TextItems{"YYMMDD", "DDMMYY", "MMDDYY"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_BEEP_SOUND), (TextItems{"Off", "On"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_SD_CYCLE), (TextItems{"Off", "On"}));
    EXPECT_EQ(
        Items(dlg, IDC_CAMERA_LANGUAGE),
        (TextItems{"Chinese", "English", "German", "Finnish", "Italian", "French", "Hungarian",
                   "Slovenian", "Czech", "Japanese", "Danish", "Dutch", "Russian", "Polish"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_CLOCK_MODE), (TextItems{"Auto", "Input", "Off"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_TIMER1), (TextItems{"Off", "On"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_TIMER2), (TextItems{"Off", "On"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_SERIAL), (TextItems{"Off", "On"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_TIME_LAPSE), (TextItems{"On", "Off"}));
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(Items(dlg, kTimer1Times[k]), Numbers(0, k % 2 == 0 ? 23 : 59));
        EXPECT_EQ(Items(dlg, kTimer2Times[k]), Numbers(0, k % 2 == 0 ? 23 : 59));
        EXPECT_EQ(Items(dlg, kSerialChars[k]), SerialItems());
    }
    EXPECT_EQ(Items(dlg, IDC_CAMERA_TIME_LAPSE_HOUR), Numbers(0, 23));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_TIME_LAPSE_MIN), Numbers(0, 59));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_TIME_LAPSE_SEC), Numbers(0, 59));

    // The clock shows the local time, the save path the save folder.
    EXPECT_EQ(Text(dlg, IDC_CAMERA_YEAR).size(), 4u);
    EXPECT_LE(std::abs(SecondsOfEdits(dlg) - LocalNow()), 2);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_SAVE_PATH), app.Folder());
    EXPECT_EQ(TextLimit(dlg, IDC_CAMERA_YEAR), 4);
    for (int k = 1; k < 6; ++k)
        EXPECT_EQ(TextLimit(dlg, kClockEdits[k]), 2);
    EXPECT_EQ(TextLimit(dlg, IDC_CAMERA_SAVE_PATH), 260);

    // Enter and Escape do nothing; the form stays open.
    Command(app, dlg, IDOK);
    Command(app, dlg, IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(dlg));
    EXPECT_FALSE(MessageBoxShown(app));
    EXPECT_FALSE(FileExists(app.FilePath("menu.dat")));

    // Closing goes back to Main Setup and writes nothing.
    app.Close(dlg);
    EXPECT_NE(app.Wait("Setup"), nullptr);
    EXPECT_FALSE(FileExists(app.FilePath("menu.dat")));
}

TEST(CameraSetup, ShowsEveryLabelAndItemInChineseOnAChineseSystem) {
    ASSERT_TRUE(SystemIsChinese());
    App app;
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Caption(dlg), "相机设置");
    for (const Label& label : kLabels)
        EXPECT_EQ(Text(dlg, label.id), label.chinese) << "control " << label.id;

    EXPECT_EQ(Items(dlg, IDC_CAMERA_MODE), (TextItems{"拍照", "录像", "拍照+录像"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_IMAGE_SIZE), (TextItems{"12 MP", "5 MP", "2 MP"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_VIDEO_SIZE), (TextItems{"1440x1080", "720P", "VGA"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_PICTURE_NUMBER), (TextItems{"01 张", "02 张", "03 张"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_TIME_STAMP), (TextItems{"开", "关"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_SENSE_LEVEL), (TextItems{"正常", "高", "低", "关闭"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_SIDE_PIR), (TextItems{"关", "开"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_VIDEO_LENGTH), Numbers(1, 60));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_INTERVAL_COUNT), Numbers(0, 60));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_INTERVAL_UNIT), (TextItems{"秒钟", "分钟"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_DATE_FORMAT), (TextItems{"年月日", "日月年", "月日年"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_BEEP_SOUND), (TextItems{"关", "开"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_SD_CYCLE), (TextItems{"关", "开"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_LANGUAGE),
              (TextItems{"简体中文", "英语", "德语", "芬兰语", "意大利语", "法语", "匈牙利语",
                         "斯洛文尼亚语", "捷克语", "日语", "丹麦语", "荷兰语", "俄语", "波兰语"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_CLOCK_MODE), (TextItems{"自动获取", "手动输入", "关闭"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_TIMER1), (TextItems{"关", "开"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_TIMER2), (TextItems{"关", "开"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_SERIAL), (TextItems{"关", "开"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_TIME_LAPSE), (TextItems{"开", "关"}));
    EXPECT_EQ(Items(dlg, IDC_CAMERA_SERIAL_CHAR3), SerialItems());
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_LANGUAGE), "英语");

    Click(app, dlg, IDC_CAMERA_GENERATE);
    MessageBoxInfo box = WaitMessageBox(app);
    EXPECT_EQ(box.caption, "通知");
    EXPECT_EQ(box.text, "成功生成配置文件!");
    DismissMessageBox(app, box);

    Click(app, dlg, IDC_CAMERA_DEFAULT);
    box = WaitMessageBox(app);
    EXPECT_EQ(box.caption, "通知");
    EXPECT_EQ(box.text, "出厂设置完成，成功生成配置文件!");
    DismissMessageBox(app, box);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_TIMER2_END_FRAME), "结束"); // labels set again, same language
}

TEST(CameraSetup, FileWithLongVideoAndLanguageZeroOpensRepairedInAutoClock) {
    App app([](const std::string& folder) {
        MenuData rec = DefaultMenu();
        rec.CapMode = 2;
        rec.VideoLen = 60;
        rec.Language = 0;
        rec.ClockMode = 1;
        rec.Year = 2030;
        rec.Month = 1;
        rec.Day = 2;
        PutMenuFile(folder + "\\menu.dat", rec);
    });
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_MODE), "Camera+Video");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_VIDEO_LENGTH), "10");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_LANGUAGE), "Chinese");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_CLOCK_MODE), "Auto");
    ExpectEnabled(dlg, kClockEdits, 6, false);
    EXPECT_LE(std::abs(SecondsOfEdits(dlg) - LocalNow()), 2); // the local time, not the file's

    Click(app, dlg, IDC_CAMERA_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    MenuData written = MenuFileOf(app);
    EXPECT_EQ(written.CapMode, 2);
    EXPECT_EQ(written.VideoLen, 9);
    EXPECT_EQ(written.Language, 1);
    EXPECT_EQ(written.ClockMode, 0);
}

TEST(CameraSetup, FileValuesOutsideTheListsLeaveThemEmptyAndKeepTheTail) {
    App app([](const std::string& folder) {
        MenuData rec = DefaultMenu();
        rec.SenseLevel = 9;
        rec.DateFormat = 3;
        rec.Language = 15;
        rec.Serial[2] = 36;
        rec.ClockMode = 2;
        rec.Interval = 0x80 | 61; // seconds, but a count beyond the list
        rec.Tail[0] = 0x11;
        rec.Tail[1] = 0x22;
        rec.Tail[2] = 0x33;
        rec.Tail[3] = 0x44;
        PutMenuFile(folder + "\\menu.dat", rec);
    });
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Selection(dlg, IDC_CAMERA_SENSE_LEVEL), -1);
    EXPECT_EQ(Selection(dlg, IDC_CAMERA_DATE_FORMAT), -1);
    EXPECT_EQ(Selection(dlg, IDC_CAMERA_LANGUAGE), -1);
    EXPECT_EQ(Selection(dlg, IDC_CAMERA_SERIAL_CHAR3), -1);
    EXPECT_EQ(Selection(dlg, IDC_CAMERA_INTERVAL_COUNT), -1);
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_INTERVAL_UNIT), "Sec");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_CLOCK_MODE), "Auto"); // ClockMode 2 in the file

    Click(app, dlg, IDC_CAMERA_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    MenuData written = MenuFileOf(app);
    EXPECT_EQ(written.SenseLevel, 0xFF);
    EXPECT_EQ(written.DateFormat, 0xFF);
    EXPECT_EQ(written.Language, 0); // no selection: -1 + 1
    EXPECT_EQ(written.Serial[2], 0xFF);
    EXPECT_EQ(written.Interval, 0xFF);
    EXPECT_EQ(written.Tail[0], 0x11);
    EXPECT_EQ(written.Tail[1], 0x22);
    EXPECT_EQ(written.Tail[2], 0x33);
    EXPECT_EQ(written.Tail[3], 0x44);
}

// --- Enabling ---

TEST(CameraSetup, SwitchListsEnableTheirInputsAndDisabledValuesAreStillWritten) {
    App app;
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);

    Choose(app, dlg, IDC_CAMERA_TIMER1, "On");
    ExpectEnabled(dlg, kTimer1Times, 4, true);
    ExpectEnabled(dlg, kTimer2Times, 4, false);
    Choose(app, dlg, IDC_CAMERA_TIMER1_START_HOUR, "5");
    Choose(app, dlg, IDC_CAMERA_TIMER1, "Off");
    ExpectEnabled(dlg, kTimer1Times, 4, false);
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_TIMER1_START_HOUR), "5"); // kept while disabled

    Choose(app, dlg, IDC_CAMERA_TIMER2, "On");
    ExpectEnabled(dlg, kTimer2Times, 4, true);
    Choose(app, dlg, IDC_CAMERA_SERIAL, "On");
    ExpectEnabled(dlg, kSerialChars, 4, true);
    Choose(app, dlg, IDC_CAMERA_TIME_LAPSE, "On");
    ExpectEnabled(dlg, kTimeLapseTimes, 3, true);
    Choose(app, dlg, IDC_CAMERA_TIME_LAPSE, "Off");
    ExpectEnabled(dlg, kTimeLapseTimes, 3, false);
    Choose(app, dlg, IDC_CAMERA_CLOCK_MODE, "Input");
    ExpectEnabled(dlg, kClockEdits, 6, true);
    Choose(app, dlg, IDC_CAMERA_CLOCK_MODE, "Off");
    ExpectEnabled(dlg, kClockEdits, 6, false);

    Click(app, dlg, IDC_CAMERA_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    MenuData written = MenuFileOf(app);
    EXPECT_EQ(written.Timer1On, 0);
    EXPECT_EQ(written.Timer1StartHour, 5);
    EXPECT_EQ(written.Timer2On, 1);
    EXPECT_EQ(written.SerialOn, 1);
    EXPECT_EQ(written.TimeLapse, 1);

    // The same rules apply from the record when the form opens again.
    app.Close(dlg);
    dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    ExpectEnabled(dlg, kTimer1Times, 4, false);
    ExpectEnabled(dlg, kTimer2Times, 4, true);
    ExpectEnabled(dlg, kSerialChars, 4, true);
    ExpectEnabled(dlg, kTimeLapseTimes, 3, false);
}

// --- Generate and Default ---

TEST(CameraSetup, GenerateWritesExactlyTheFormsValues) {
    App app;
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    Choose(app, dlg, IDC_CAMERA_MODE, "Video");
    Choose(app, dlg, IDC_CAMERA_IMAGE_SIZE, "2 MP");
    Choose(app, dlg, IDC_CAMERA_VIDEO_SIZE, "1440x1080");
    Choose(app, dlg, IDC_CAMERA_PICTURE_NUMBER, "03 Photos");
    Choose(app, dlg, IDC_CAMERA_TIME_STAMP, "Off");
    Choose(app, dlg, IDC_CAMERA_SENSE_LEVEL, "Low");
    Choose(app, dlg, IDC_CAMERA_SIDE_PIR, "Off");
    Choose(app, dlg, IDC_CAMERA_VIDEO_LENGTH, "60");
    Choose(app, dlg, IDC_CAMERA_INTERVAL_COUNT, "45");
    Choose(app, dlg, IDC_CAMERA_INTERVAL_UNIT, "Sec");
    Choose(app, dlg, IDC_CAMERA_DATE_FORMAT, "DDMMYY");
    Choose(app, dlg, IDC_CAMERA_BEEP_SOUND, "Off");
    Choose(app, dlg, IDC_CAMERA_SD_CYCLE, "On");
    Choose(app, dlg, IDC_CAMERA_LANGUAGE, "Polish");
    Choose(app, dlg, IDC_CAMERA_CLOCK_MODE, "Input");
    TypeClock(app, dlg, {"2031", "07", "08", "9", "10", "11"});
    Choose(app, dlg, IDC_CAMERA_TIMER1, "On");
    Choose(app, dlg, IDC_CAMERA_TIMER1_START_HOUR, "1");
    Choose(app, dlg, IDC_CAMERA_TIMER1_START_MIN, "2");
    Choose(app, dlg, IDC_CAMERA_TIMER1_END_HOUR, "23");
    Choose(app, dlg, IDC_CAMERA_TIMER1_END_MIN, "59");
    Choose(app, dlg, IDC_CAMERA_TIMER2, "On");
    Choose(app, dlg, IDC_CAMERA_TIMER2_START_HOUR, "5");
    Choose(app, dlg, IDC_CAMERA_TIMER2_START_MIN, "6");
    Choose(app, dlg, IDC_CAMERA_TIMER2_END_HOUR, "7");
    Choose(app, dlg, IDC_CAMERA_TIMER2_END_MIN, "8");
    Choose(app, dlg, IDC_CAMERA_SERIAL, "On");
    Choose(app, dlg, IDC_CAMERA_SERIAL_CHAR1, "Z");
    Choose(app, dlg, IDC_CAMERA_SERIAL_CHAR2, "9");
    Choose(app, dlg, IDC_CAMERA_SERIAL_CHAR3, "A");
    Choose(app, dlg, IDC_CAMERA_SERIAL_CHAR4, "K");
    Choose(app, dlg, IDC_CAMERA_TIME_LAPSE, "On");
    Choose(app, dlg, IDC_CAMERA_TIME_LAPSE_HOUR, "12");
    Choose(app, dlg, IDC_CAMERA_TIME_LAPSE_MIN, "34");
    Choose(app, dlg, IDC_CAMERA_TIME_LAPSE_SEC, "56");
    app.ClearTrace();

    Click(app, dlg, IDC_CAMERA_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    EXPECT_NE(app.Trace().find("Y:2031,M:7,D:8, h:9, m:10, s:11\n"), std::string::npos);

    MenuData expected = DefaultMenu();
    expected.CapMode = 1;
    expected.ImgSize = 2;
    expected.VideoSize = 0;
    expected.PicNum = 2;
    expected.TimeStamp = 1;
    expected.SenseLevel = 2;
    expected.SidePir = 0;
    expected.VideoLen = 59;
    expected.Interval = 0x80 | 45;
    expected.DateFormat = 1;
    expected.BeepSound = 0;
    expected.SdCycle = 1;
    expected.Language = 14;
    expected.ClockMode = 1;
    expected.Year = 2031;
    expected.Month = 7;
    expected.Day = 8;
    expected.Hour = 9;
    expected.Minute = 10;
    expected.Second = 11;
    expected.Timer1On = 1;
    expected.Timer1StartHour = 1;
    expected.Timer1StartMin = 2;
    expected.Timer1EndHour = 23;
    expected.Timer1EndMin = 59;
    expected.Timer2On = 1;
    expected.Timer2StartHour = 5;
    expected.Timer2StartMin = 6;
    expected.Timer2EndHour = 7;
    expected.Timer2EndMin = 8;
    expected.SerialOn = 1;
    expected.Serial[0] = 35;
    expected.Serial[1] = 9;
    expected.Serial[2] = 10;
    expected.Serial[3] = 20;
    expected.TimeLapse = 0;
    expected.TimeLapseHour = 12;
    expected.TimeLapseMin = 34;
    expected.TimeLapseSec = 56;
    ExpectSameMenu(MenuFileOf(app), expected);
}

TEST(CameraSetup, DefaultWritesTheDefaultsAndShowsThem) {
    App app;
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    Choose(app, dlg, IDC_CAMERA_MODE, "Video");
    Choose(app, dlg, IDC_CAMERA_INTERVAL_UNIT, "Sec");
    Choose(app, dlg, IDC_CAMERA_LANGUAGE, "Dutch");
    Choose(app, dlg, IDC_CAMERA_TIMER1, "On");
    Choose(app, dlg, IDC_CAMERA_TIME_LAPSE, "On");
    Choose(app, dlg, IDC_CAMERA_CLOCK_MODE, "Off");

    // Without any Generate before: the defaults with their zero clock.
    Click(app, dlg, IDC_CAMERA_DEFAULT);
    AnswerNoticeBox(app, "Notice", "Default setting and generate success!");
    ExpectSameMenu(MenuFileOf(app), DefaultMenu());
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_MODE), "Camera");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_INTERVAL_UNIT), "Min");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_LANGUAGE), "English");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_TIMER1), "Off");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_TIME_LAPSE), "Off");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_CLOCK_MODE), "Auto");
    ExpectEnabled(dlg, kTimer1Times, 4, false);
    ExpectEnabled(dlg, kTimeLapseTimes, 3, false);
    ExpectEnabled(dlg, kClockEdits, 6, false);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_MODE_LABEL), "Mode");
    // Back in auto mode, the timer fills the emptied edits within a second or so.
    EXPECT_TRUE(WaitUntil([&] { return Text(dlg, IDC_CAMERA_YEAR).size() == 4; }, 3000));

    // A typed time is written as it stands, in auto mode.
    Choose(app, dlg, IDC_CAMERA_CLOCK_MODE, "Input");
    TypeClock(app, dlg, {"2040", "12", "31", "23", "59", "58"});
    Click(app, dlg, IDC_CAMERA_DEFAULT);
    AnswerNoticeBox(app, "Notice", "Default setting and generate success!");
    MenuData expected = DefaultMenu();
    expected.Year = 2040;
    expected.Month = 12;
    expected.Day = 31;
    expected.Hour = 23;
    expected.Minute = 59;
    expected.Second = 58;
    ExpectSameMenu(MenuFileOf(app), expected);
}

// --- Clock group ---

TEST(CameraSetup, AutoClockTicksEverySecondAndGenerateWritesThatMoment) {
    App app;
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    ExpectEnabled(dlg, kClockEdits, 6, false);
    const std::vector<std::string> first = ClockTexts(dlg);
    EXPECT_TRUE(WaitUntil([&] { return ClockTexts(dlg) != first; }, 2500));
    const std::vector<std::string> second = ClockTexts(dlg);
    EXPECT_TRUE(WaitUntil([&] { return ClockTexts(dlg) != second; }, 2500));
    EXPECT_EQ(Text(dlg, IDC_CAMERA_MONTH).size(), 2u); // "%02d"
    EXPECT_EQ(Text(dlg, IDC_CAMERA_SECOND).size(), 2u);

    const long long before = LocalNow();
    Click(app, dlg, IDC_CAMERA_GENERATE);
    const long long after = LocalNow();
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    const MenuData written = MenuFileOf(app);
    EXPECT_EQ(written.ClockMode, 0);
    EXPECT_GE(SecondsOfMenu(written), before - 1);
    EXPECT_LE(SecondsOfMenu(written), after);
}

TEST(CameraSetup, InputModeStopsTheClockAndOffModeKeepsTheRecordsClock) {
    App app;
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    Choose(app, dlg, IDC_CAMERA_CLOCK_MODE, "Input");
    ExpectEnabled(dlg, kClockEdits, 6, true);
    EXPECT_LE(std::abs(SecondsOfEdits(dlg) - LocalNow()), 2);
    const std::vector<std::string> filled = ClockTexts(dlg);
    EXPECT_FALSE(WaitUntil([&] { return ClockTexts(dlg) != filled; }, 1500)); // no more ticks

    TypeClock(app, dlg, {"2035", "3", "4", "5", "6", "7"});
    Click(app, dlg, IDC_CAMERA_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    EXPECT_EQ(MenuFileOf(app).ClockMode, 1);

    Choose(app, dlg, IDC_CAMERA_CLOCK_MODE, "Off");
    ExpectEnabled(dlg, kClockEdits, 6, false);
    EXPECT_EQ(ClockTexts(dlg), std::vector<std::string>(6, ""));
    EXPECT_FALSE(WaitUntil([&] { return !Text(dlg, IDC_CAMERA_SECOND).empty(); }, 1500));
    Click(app, dlg, IDC_CAMERA_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    const MenuData written = MenuFileOf(app);
    EXPECT_EQ(written.ClockMode, 2);
    ExpectMenuClock(written, 2035, 3, 4, 5, 6, 7);

    // Choosing Auto again refreshes the edits at once.
    Choose(app, dlg, IDC_CAMERA_CLOCK_MODE, "Auto");
    EXPECT_EQ(Text(dlg, IDC_CAMERA_YEAR).size(), 4u);
}

TEST(CameraSetup, ClockEditsAreCorrectedSilentlyWhenTheyLoseTheFocus) {
    App app;
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    Choose(app, dlg, IDC_CAMERA_CLOCK_MODE, "Input");
    app.ClearTrace();

    Type(app, dlg, IDC_CAMERA_HOUR, "1a2");
    EXPECT_EQ(Text(dlg, IDC_CAMERA_HOUR), "12");
    LeaveEdit(app, dlg, IDC_CAMERA_HOUR);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_HOUR), "12");
    Type(app, dlg, IDC_CAMERA_HOUR, "24");
    LeaveEdit(app, dlg, IDC_CAMERA_HOUR);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_HOUR), "23");
    Type(app, dlg, IDC_CAMERA_MINUTE, "60");
    LeaveEdit(app, dlg, IDC_CAMERA_MINUTE);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_MINUTE), "59");
    Type(app, dlg, IDC_CAMERA_MINUTE, "");
    LeaveEdit(app, dlg, IDC_CAMERA_MINUTE);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_MINUTE), "0");
    Type(app, dlg, IDC_CAMERA_SECOND, "07");
    LeaveEdit(app, dlg, IDC_CAMERA_SECOND);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_SECOND), "07"); // within range: left as typed

    Type(app, dlg, IDC_CAMERA_YEAR, "2015");
    LeaveEdit(app, dlg, IDC_CAMERA_YEAR);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_YEAR), "2016");
    Type(app, dlg, IDC_CAMERA_MONTH, "0");
    LeaveEdit(app, dlg, IDC_CAMERA_MONTH);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_MONTH), "1");
    Type(app, dlg, IDC_CAMERA_MONTH, "13");
    LeaveEdit(app, dlg, IDC_CAMERA_MONTH);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_MONTH), "12");

    // Day 31 in April, from the day edit and from the month edit.
    Type(app, dlg, IDC_CAMERA_MONTH, "4");
    Type(app, dlg, IDC_CAMERA_DAY, "31");
    LeaveEdit(app, dlg, IDC_CAMERA_DAY);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_DAY), "30");
    Type(app, dlg, IDC_CAMERA_MONTH, "5");
    Type(app, dlg, IDC_CAMERA_DAY, "31");
    Type(app, dlg, IDC_CAMERA_MONTH, "04");
    LeaveEdit(app, dlg, IDC_CAMERA_MONTH);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_DAY), "30");

    // February 29th: kept in 2024, not in 2023, nor in 2100 (which becomes 2099).
    Type(app, dlg, IDC_CAMERA_YEAR, "2024");
    Type(app, dlg, IDC_CAMERA_MONTH, "2");
    Type(app, dlg, IDC_CAMERA_DAY, "29");
    LeaveEdit(app, dlg, IDC_CAMERA_DAY);
    LeaveEdit(app, dlg, IDC_CAMERA_MONTH);
    LeaveEdit(app, dlg, IDC_CAMERA_YEAR);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_DAY), "29");
    Type(app, dlg, IDC_CAMERA_YEAR, "2023");
    LeaveEdit(app, dlg, IDC_CAMERA_YEAR);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_DAY), "28");
    Type(app, dlg, IDC_CAMERA_DAY, "29");
    LeaveEdit(app, dlg, IDC_CAMERA_DAY);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_DAY), "28");
    Type(app, dlg, IDC_CAMERA_YEAR, "2100");
    Type(app, dlg, IDC_CAMERA_DAY, "29");
    LeaveEdit(app, dlg, IDC_CAMERA_YEAR);
    EXPECT_EQ(Text(dlg, IDC_CAMERA_YEAR), "2099");
    EXPECT_EQ(Text(dlg, IDC_CAMERA_DAY), "28");

    EXPECT_FALSE(MessageBoxShown(app)); // corrected without a word
    EXPECT_NE(app.Trace().find("Input value error!"), std::string::npos);

    Click(app, dlg, IDC_CAMERA_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    const MenuData written = MenuFileOf(app);
    ExpectMenuClock(written, 2099, 2, 28, 23, 0, 7);
}

// --- Across openings and folders ---

TEST(CameraSetup, ReopeningShowsTheValuesAtClosingWithoutReadingTheFileAgain) {
    App app;
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    Choose(app, dlg, IDC_CAMERA_MODE, "Camera+Video");
    Choose(app, dlg, IDC_CAMERA_INTERVAL_COUNT, "30");
    Choose(app, dlg, IDC_CAMERA_INTERVAL_UNIT, "Sec");
    Choose(app, dlg, IDC_CAMERA_SERIAL, "On");
    Choose(app, dlg, IDC_CAMERA_SERIAL_CHAR4, "Q");
    Choose(app, dlg, IDC_CAMERA_CLOCK_MODE, "Input");
    app.Close(dlg);
    EXPECT_FALSE(FileExists(app.FilePath("menu.dat"))); // closing writes nothing

    MenuData other = DefaultMenu();
    other.CapMode = 1;
    other.Interval = 7;
    PutMenuFile(app.FilePath("menu.dat"), other);
    app.ClearTrace();

    dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(app.Trace().find("___sizeof menu data"), std::string::npos);
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_MODE), "Camera+Video");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_INTERVAL_COUNT), "30");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_INTERVAL_UNIT), "Sec");
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_SERIAL_CHAR4), "Q");
    ExpectEnabled(dlg, kSerialChars, 4, true);
    // A later opening keeps the clock mode of the closing.
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_CLOCK_MODE), "Input");
    ExpectEnabled(dlg, kClockEdits, 6, true);
}

TEST(CameraSetup, TypedSavePathHasNoEffect) {
    App app;
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    const std::string elsewhere = app.Folder() + "\\elsewhere";
    CreateDirectoryA(elsewhere.c_str(), nullptr);
    Type(app, dlg, IDC_CAMERA_SAVE_PATH, elsewhere.c_str());
    Click(app, dlg, IDC_CAMERA_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    EXPECT_TRUE(FileExists(app.FilePath("menu.dat")));
    EXPECT_FALSE(FileExists(elsewhere + "\\menu.dat"));
}

TEST(CameraSetup, UnwritableFolderShowsNoSuccessAndKeepsTheEarlierFile) {
    MenuData earlier = DefaultMenu(); // its clock is zero, like any taken with the clock off
    earlier.CapMode = 2;
    std::vector<uint8_t> earlierBytes;
    App app([&](const std::string& folder) {
        PutMenuFile(folder + "\\menu.dat", earlier);
        earlierBytes = ReadFileBytes(folder + "\\menu.dat");
    });
    // The card fails every write before the new file can take the old one's place.
    g_pfnBeforeReplaceHook = [](const std::string&) { return false; };
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(SelectedText(dlg, IDC_CAMERA_MODE), "Camera+Video");

    // With the clock off nothing differs from the old file's clock, so its read-back passes:
    // only the failed write tells.
    Choose(app, dlg, IDC_CAMERA_CLOCK_MODE, "Off");
    Choose(app, dlg, IDC_CAMERA_MODE, "Video");
    app.ClearTrace();
    Click(app, dlg, IDC_CAMERA_GENERATE);
    EXPECT_FALSE(MessageBoxShown(app));
    EXPECT_NE(app.Trace().find("\\menu.dat\" err!\n"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(app.FilePath("menu.dat")), earlierBytes);

    Click(app, dlg, IDC_CAMERA_DEFAULT);
    EXPECT_FALSE(MessageBoxShown(app));
    EXPECT_EQ(ReadFileBytes(app.FilePath("menu.dat")), earlierBytes);

    Choose(app, dlg, IDC_CAMERA_CLOCK_MODE, "Auto");
    Click(app, dlg, IDC_CAMERA_GENERATE);
    EXPECT_FALSE(MessageBoxShown(app));
    EXPECT_EQ(ReadFileBytes(app.FilePath("menu.dat")), earlierBytes);
    g_pfnBeforeReplaceHook = nullptr;
}

TEST(CameraSetup, FolderBrowserChoosesTheSaveFolderAndCancellingChangesNothing) {
    App app([](const std::string& folder) {
        CreateDirectoryA((folder + "\\SD card").c_str(), nullptr);
    });
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    const std::string card = app.Folder() + "\\SD card";
    Click(app, dlg, IDC_CAMERA_BROWSE);
    MessageBoxInfo browser = WaitMessageBox(app); // the shell's browser, owned by the form
    ASSERT_NE(browser.wnd, nullptr);
    ASSERT_TRUE(SelectFolderInBrowser(browser.wnd, card));
    PostMessageW(browser.wnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(browser.wnd); }));
    app.Settle();
    EXPECT_EQ(Text(dlg, IDC_CAMERA_SAVE_PATH), app.Folder());

    Click(app, dlg, IDC_CAMERA_BROWSE);
    browser = WaitMessageBox(app);
    ASSERT_NE(browser.wnd, nullptr);
    ASSERT_TRUE(SelectFolderInBrowser(browser.wnd, card));
    PostMessageW(browser.wnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(browser.wnd); }));
    app.Settle();
    EXPECT_EQ(Text(dlg, IDC_CAMERA_SAVE_PATH), card);

    Click(app, dlg, IDC_CAMERA_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    EXPECT_TRUE(FileExists(card + "\\menu.dat"));
    EXPECT_FALSE(FileExists(app.FilePath("menu.dat")));
}

#include "lang/OptionLists.h"

#include <cstdio>
#include <iterator>

const TextPair kTextOthers = {{"其他", "Others"}};
const TextPair kTextNoDailySendTime = {{"未设置", "Not Set"}};

namespace {

const TextPair kSendOptions[] = {{{"关闭3G", "Close 3G"}},
                                 {{"彩信", "MMS"}},
                                 {{"邮件", "Email"}},
                                 {{"FTP", "FTP"}},
                                 {{"QOR相机云系统", "QOR Camera Cloud System"}}};
const TextPair kParamModes[] = {{{"选择运营商参数", "Select Operator"}},
                                {{"手动输入", "Manual Input"}}};
const TextPair kFtpDirTypes[] = {{{"根目录", "Root"}}, {{"指定目录", "Specify"}}};
const TextPair kApnKinds[] = {{{"APN", "APN"}}, {{"CSD", "CSD"}}};
const TextPair kLongitudeDirs[] = {{{"东", "E"}}, {{"西", "W"}}};
const TextPair kLatitudeDirs[] = {{{"北", "N"}}, {{"南", "S"}}};
const TextPair kImageSizes[] = {{{"大图", "Full Image"}}, {{"小图", "Thumbnail"}}};
const TextPair kSendModes[] = {{{"立即发送", "Send Immediately"}},
                               {{"每天集中发送", "Daily Send"}}};
const TextPair kHourOfDay = {{"点钟", " o'clock"}};
const TextPair kRemoteOff = {{"关闭遥控", "Remote Off"}};
const TextPair kTenMinutes = {{"10分钟", "10 Minutes"}};
const TextPair kHours = {{"小时", " Hours"}};

const TextPair kCaptureModes[] = {
    {{"拍照", "Camera"}}, {{"录像", "Video"}}, {{"拍照+录像", "Camera+Video"}}};
const TextPair kPictureSizes[] = {{{"12 MP", "12 MP"}}, {{"5 MP", "5 MP"}}, {{"2 MP", "2 MP"}}};
const TextPair kVideoSizes[] = {{{"1440x1080", "1440x1080"}}, {{"720P", "720P"}}, {{"VGA", "VGA"}}};
const TextPair kPictureNumbers[] = {
    {{"01 张", "01 Photo"}}, {{"02 张", "02 Photos"}}, {{"03 张", "03 Photos"}}};
// Two distinct switch tables: Time Stamp and Time Lapse put "On" first (0 means on).
const TextPair kOnOff[] = {{{"开", "On"}}, {{"关", "Off"}}};
const TextPair kOffOn[] = {{{"关", "Off"}}, {{"开", "On"}}};
const TextPair kSenseLevels[] = {
    {{"正常", "Normal"}}, {{"高", "High"}}, {{"低", "Low"}}, {{"关闭", "Off"}}};
const TextPair kIntervalUnits[] = {{{"秒钟", "Sec"}}, {{"分钟", "Min"}}};
const TextPair kDateFormats[] = {
    {{"年月日", "YYMMDD"}}, {{"日月年", "DDMMYY"}}, {{"月日年", "MMDDYY"}}};
const TextPair kCameraLanguages[] = {
    {{"简体中文", "Chinese"}},   {{"英语", "English"}},           {{"德语", "German"}},
    {{"芬兰语", "Finnish"}},     {{"意大利语", "Italian"}},       {{"法语", "French"}},
    {{"匈牙利语", "Hungarian"}}, {{"斯洛文尼亚语", "Slovenian"}}, {{"捷克语", "Czech"}},
    {{"日语", "Japanese"}},      {{"丹麦语", "Danish"}},          {{"荷兰语", "Dutch"}},
    {{"俄语", "Russian"}},       {{"波兰语", "Polish"}},
};
const TextPair kClockModes[] = {{{"自动获取", "Auto"}}, {{"手动输入", "Input"}}, {{"关闭", "Off"}}};
const char kSerialChars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// A list held as text pairs, or a list of plain decimal numbers first..first+count-1.
struct ListTable {
    const TextPair* pairs;
    int count;
    int firstNumber;
};

template <size_t N> constexpr ListTable Pairs(const TextPair (&pairs)[N]) {
    return {pairs, static_cast<int>(N), 0};
}

constexpr ListTable Numbers(int first, int last) {
    return {nullptr, last - first + 1, first};
}

// In the order of OptionList. The daily send time, remote interval and serial character lists
// are written out by OptionText.
const ListTable kLists[] = {
    Pairs(kSendOptions),    Pairs(kParamModes),    Pairs(kFtpDirTypes),
    Pairs(kApnKinds),       Pairs(kLongitudeDirs), Pairs(kLatitudeDirs),
    Pairs(kImageSizes),     Pairs(kSendModes),     {nullptr, 24, 0}, // DailySendTime
    {nullptr, 26, 0},                                                // RemoteInterval
    Pairs(kCaptureModes),   Pairs(kPictureSizes),  Pairs(kVideoSizes),
    Pairs(kPictureNumbers), Pairs(kOnOff),         Pairs(kOffOn),
    Pairs(kSenseLevels),    Numbers(1, 60), // VideoLength
    Numbers(0, 60),                         // IntervalCount
    Pairs(kIntervalUnits),  Pairs(kDateFormats),   Pairs(kCameraLanguages),
    Pairs(kClockModes),     Numbers(0, 23), // Hour
    Numbers(0, 59),                         // Minute
    {nullptr, 36, 0},                       // SerialChar
};
static_assert(std::size(kLists) == OPTION_LIST_COUNT, "one table per option list");

const char* InLanguage(const TextPair& pair, int language) {
    return pair.text[language == UI_LANG_CHINESE ? 0 : 1];
}

std::string TwoDigits(int n, const TextPair& unit, int language) {
    char digits[8];
    snprintf(digits, sizeof digits, "%02d", n);
    return std::string(digits) + InLanguage(unit, language);
}

} // namespace

int OptionCount(OptionList list) {
    return kLists[static_cast<int>(list)].count;
}

std::string OptionText(OptionList list, int item, int language) {
    const ListTable& table = kLists[static_cast<int>(list)];
    if (item < 0 || item >= table.count)
        return "";
    switch (list) {
    case OptionList::DailySendTime:
        return TwoDigits(item, kHourOfDay, language);
    case OptionList::RemoteInterval:
        if (item == 0)
            return InLanguage(kRemoteOff, language);
        if (item == 1)
            return InLanguage(kTenMinutes, language);
        return TwoDigits(item - 1, kHours, language);
    case OptionList::SerialChar:
        return std::string(1, kSerialChars[item]);
    default:
        break;
    }
    if (table.pairs != nullptr)
        return InLanguage(table.pairs[item], language);
    return std::to_string(table.firstNumber + item);
}

std::string OptionText(OptionList list, int item) {
    return OptionText(list, item, g_iLanguage);
}

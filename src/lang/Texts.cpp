#include "lang/Texts.h"

#include "Version.h"

int g_iLanguage = UI_LANG_ENGLISH;

int LanguageFromLangId(uint16_t langId) {
    return langId == 0x0804 ? UI_LANG_CHINESE : UI_LANG_ENGLISH;
}

bool EqualsIgnoringCase(const char* a, size_t aLength, const char* b, size_t bLength) {
    if (aLength != bLength)
        return false;
    for (size_t i = 0; i < aLength; ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

int LanguageOfListItem(int item) {
    return item == UI_LANG_CHINESE ? UI_LANG_CHINESE : UI_LANG_ENGLISH;
}

const TextPair kTextNoticeCaption = {{"通知", "Notice"}};
const TextPair kTextWarningCaption = {{"警告", "Warning"}};
const TextPair kTextGenerateSuccess = {{"成功生成配置文件!", "Generate Success!"}};
const TextPair kTextRangeWarning = {{"输入内容超出范围！", "The input is out of range!"}};
const TextPair kTextFolderUnusable = {
    {"无法使用该文件夹！\r\n请选择路径较短、名称只含系统语言字符的文件夹。",
     "This folder cannot be used!\r\nPlease choose a folder with a shorter path whose names use "
     "only characters of the system's language."}};
const TextPair kTextCameraSetup = {{"相机设置", "Camera Setup"}};
const char* const kLanguageItems[2] = {"中文", "English"};
const char kVersionText[] = CAMSETUP_VERSION_COMMAS;

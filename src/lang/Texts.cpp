#include "lang/Texts.h"

#include "Version.h"

int g_iLanguage = UI_LANG_ENGLISH;

int LanguageFromLangId(uint16_t langId) {
    return langId == 0x0804 ? UI_LANG_CHINESE : UI_LANG_ENGLISH;
}

const TextPair kTextNoticeCaption = {{"通知", "Notice"}};
const TextPair kTextWarningCaption = {{"警告", "Warning"}};
const TextPair kTextGenerateSuccess = {{"成功生成配置文件!", "Generate Success!"}};
const TextPair kTextRangeWarning = {{"输入内容超出范围！", "The input is out of range!"}};
const TextPair kTextCameraSetup = {{"相机设置", "Camera Setup"}};
const char* const kLanguageItems[2] = {"中文", "English"};
const char kVersionText[] = CAMSETUP_VERSION_COMMAS;

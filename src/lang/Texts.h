// Interface language and the bilingual text tables. Texts are UTF-8; the windows convert them
// at the boundary, so Chinese shows whatever the system code page is.
#pragma once

#include <cstddef>
#include <cstdint>

enum InterfaceLanguage { UI_LANG_CHINESE = 0, UI_LANG_ENGLISH = 1 };

extern int g_iLanguage; // 0 Simplified Chinese, 1 English

// 0 (Chinese) for the system language 0x0804 (Chinese, PRC) only, 1 (English) for any other.
int LanguageFromLangId(uint16_t langId);

// The language of an item of the language lists (Main Setup's and page 1's, kLanguageItems):
// the Chinese item gives Chinese, any other English.
int LanguageOfListItem(int item);

// {Chinese, English}; the current text is entry g_iLanguage.
struct TextPair {
    const char* text[2];
    const char* Get() const { return text[g_iLanguage == UI_LANG_CHINESE ? 0 : 1]; }
};

// Whether two texts are the same but for the case of ASCII letters.
bool EqualsIgnoringCase(const char* a, size_t aLength, const char* b, size_t bLength);

// A control id with its label, applied in one loop by the windows' text routines.
struct ControlText {
    int id;
    TextPair text;
};

// Texts shown by more than one window.
extern const TextPair kTextNoticeCaption;   // "通知" / "Notice"
extern const TextPair kTextWarningCaption;  // "警告" / "Warning"
extern const TextPair kTextGenerateSuccess; // "成功生成配置文件!" / "Generate Success!"
extern const TextPair kTextRangeWarning; // "输入内容超出范围！" / "The input is out of range!"
extern const TextPair kTextFolderUnusable;  // the chosen save folder cannot be used
extern const TextPair kTextCameraSetup;     // "相机设置" / "Camera Setup"
extern const char* const kLanguageItems[2]; // "中文", "English", the same in both languages
extern const char kVersionText[];           // "1,2,0,8"

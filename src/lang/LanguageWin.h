// The system's default language and the message-box conventions.
#pragma once

#include "lang/Texts.h"

#include <windows.h>

// Sets g_iLanguage from GetSystemDefaultLangID.
void SetLanguageFromSystem();

// Information box: caption "通知" / "Notice", information icon, OK.
int ShowNoticeBox(HWND owner, const TextPair& text);
// Warning box: caption "警告" / "Warning", exclamation icon, OK.
int ShowWarningBox(HWND owner, const TextPair& text);

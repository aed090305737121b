#include "lang/LanguageWin.h"

#include "ui/ControlsWin.h"

void SetLanguageFromSystem() {
    g_iLanguage = LanguageFromLangId(GetSystemDefaultLangID());
}

static int ShowBox(HWND owner, const TextPair& text, const TextPair& caption, UINT icon) {
    return MessageBoxW(owner, Utf8ToWide(text.Get()).c_str(), Utf8ToWide(caption.Get()).c_str(),
                       MB_OK | icon);
}

int ShowNoticeBox(HWND owner, const TextPair& text) {
    return ShowBox(owner, text, kTextNoticeCaption, MB_ICONINFORMATION);
}

int ShowWarningBox(HWND owner, const TextPair& text) {
    return ShowBox(owner, text, kTextWarningCaption, MB_ICONEXCLAMATION);
}

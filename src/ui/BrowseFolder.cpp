#include "ui/BrowseFolder.h"

#include "app/SavePath.h"
#include "lang/LanguageWin.h"
#include "ui/WinUtil.h"

#include <objbase.h>
#include <shlobj.h>

#include <string>

bool UseChosenFolder(HWND owner, const wchar_t* path, UINT codePage) {
    std::string bytes;
    if (path != nullptr && *path != L'\0' && WideToCodePageExact(path, codePage, bytes) &&
        SetSavePath(bytes.c_str()))
        return true;
    ShowWarningBox(owner, kTextFolderUnusable);
    return false;
}

bool BrowseForSaveFolder(HWND owner) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW bi = {};
    bi.hwndOwner = GetForegroundWindow();
    bi.pszDisplayName = displayName;
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    bool changed = false;
    PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&bi);
    if (item != nullptr) {
        wchar_t path[MAX_PATH] = {};
        if (!SHGetPathFromIDListW(item, path))
            path[0] = L'\0';
        changed = UseChosenFolder(owner, path, CP_ACP);
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return changed;
}

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

// The owner of the dialog is the foreground window, as the system's own dialogs take it.
FolderPick PickFolder(HWND, std::string* bytes) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW bi = {};
    bi.hwndOwner = GetForegroundWindow();
    bi.pszDisplayName = displayName;
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    FolderPick pick = FolderPick::Cancelled;
    PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&bi);
    if (item != nullptr) {
        wchar_t path[MAX_PATH] = {};
        if (!SHGetPathFromIDListW(item, path))
            path[0] = L'\0';
        pick = path[0] != L'\0' && WideToCodePageExact(path, CP_ACP, *bytes)
                   ? FolderPick::Spelled
                   : FolderPick::Unspelled;
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return pick;
}

bool BrowseForSaveFolder(HWND owner) {
    std::string bytes;
    const FolderPick pick = PickFolder(owner, &bytes);
    if (pick == FolderPick::Cancelled)
        return false;
    if (pick == FolderPick::Spelled && SetSavePath(bytes.c_str()))
        return true;
    ShowWarningBox(owner, kTextFolderUnusable);
    return false;
}

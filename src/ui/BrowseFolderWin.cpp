#include "ui/BrowseFolderWin.h"

#include "common/SavePath.h"
#include "lang/LanguageWin.h"
#include "ui/ControlsWin.h"

#include <objbase.h>
#include <shlobj.h>

#include <string>

namespace {

// The shell's folder dialog and COM, loaded the first time the dialog is asked for rather than
// at start: under Wine, loading shell32 and ole32 with the program delays its first window by a
// fifth.
struct ShellCalls {
    decltype(&CoInitializeEx) coInitializeEx = nullptr;
    decltype(&CoUninitialize) coUninitialize = nullptr;
    decltype(&CoTaskMemFree) coTaskMemFree = nullptr;
    decltype(&SHBrowseForFolderW) browseForFolder = nullptr;
    decltype(&SHGetPathFromIDListW) pathFromIdList = nullptr;
};

template <typename Fn> void Resolve(HMODULE module, const char* name, Fn* fn) {
    // Through the generic function pointer type, which any function pointer converts to.
    using Generic = void (*)();
    *fn = module != nullptr
              ? reinterpret_cast<Fn>(reinterpret_cast<Generic>(GetProcAddress(module, name)))
              : nullptr;
}

const ShellCalls* LoadedShell() {
    static const ShellCalls calls = [] {
        ShellCalls c;
        const HMODULE ole = LoadLibraryW(L"ole32.dll");
        const HMODULE shell = LoadLibraryW(L"shell32.dll");
        Resolve(ole, "CoInitializeEx", &c.coInitializeEx);
        Resolve(ole, "CoUninitialize", &c.coUninitialize);
        Resolve(ole, "CoTaskMemFree", &c.coTaskMemFree);
        Resolve(shell, "SHBrowseForFolderW", &c.browseForFolder);
        Resolve(shell, "SHGetPathFromIDListW", &c.pathFromIdList);
        return c;
    }();
    const bool all = calls.coInitializeEx && calls.coUninitialize && calls.coTaskMemFree &&
                     calls.browseForFolder && calls.pathFromIdList;
    return all ? &calls : nullptr;
}

} // namespace

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
    const ShellCalls* shell = LoadedShell();
    if (shell == nullptr)
        return FolderPick::Cancelled;
    const HRESULT com = shell->coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW bi = {};
    bi.hwndOwner = GetForegroundWindow();
    bi.pszDisplayName = displayName;
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    FolderPick pick = FolderPick::Cancelled;
    PIDLIST_ABSOLUTE item = shell->browseForFolder(&bi);
    if (item != nullptr) {
        wchar_t path[MAX_PATH] = {};
        if (!shell->pathFromIdList(item, path))
            path[0] = L'\0';
        pick = path[0] != L'\0' && WideToCodePageExact(path, CP_ACP, *bytes)
                   ? FolderPick::Spelled
                   : FolderPick::Unspelled;
        shell->coTaskMemFree(item);
    }
    if (SUCCEEDED(com))
        shell->coUninitialize();
    return pick;
}

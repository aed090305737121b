#include "sendset/FileIo.h"

#include <cstdio>
#include <windows.h>

namespace {

// The system's ANSI code page, as the program's narrow paths are (flags 0: MB_PRECOMPOSED is
// refused by code page 65001).
std::wstring Widen(const std::string& s) {
    if (s.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    if (n <= 0)
        return std::wstring();
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

std::string Narrow(const wchar_t* w) {
    int n = WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return std::string();
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w, -1, &s[0], n, nullptr, nullptr);
    s.resize(static_cast<size_t>(n - 1));
    return s;
}

// path as an absolute "\\?\" path, which the wide file functions take beyond MAX_PATH (a save
// folder may hold 259 characters, and the file names come on top). Such a path is used as it is,
// so separators are made single backslashes here ("C:\" and "\CFG.BIN" make "C:\\CFG.BIN").
std::wstring ExtendedPath(const std::string& path) {
    std::wstring w = Widen(path);
    if (w.compare(0, 4, L"\\\\?\\") == 0)
        return w;
    DWORD n = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return w;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(w.c_str(), n, &full[0], nullptr);
    if (n == 0 || n >= full.size())
        return w;
    full.resize(n);
    const bool unc = full.compare(0, 2, L"\\\\") == 0;
    std::wstring out = unc ? L"\\\\?\\UNC" : L"\\\\?\\";
    for (size_t i = unc ? 1 : 0; i < full.size(); ++i) {
        wchar_t c = full[i] == L'/' ? L'\\' : full[i];
        if (c == L'\\' && !out.empty() && out.back() == L'\\')
            continue;
        out += c;
    }
    return out;
}

HANDLE AsHandle(intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

} // namespace

PathKind GetPathKind(const std::string& path) {
    DWORD attrs = GetFileAttributesW(ExtendedPath(path).c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    return (attrs & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder : PathKind::RegularFile;
}

FILE* OpenFileForReading(const std::string& path) {
    const std::wstring ext = ExtendedPath(path);
    DWORD attrs = GetFileAttributesW(ext.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return nullptr;
    return _wfopen(ext.c_str(), L"rb");
}

ReplaceTarget InspectReplaceTarget(const std::string& target) {
    ReplaceTarget t;
    t.file = target;
    DWORD attrs = GetFileAttributesW(ExtendedPath(target).c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES)
        return t;
    t.kind = (attrs & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder : PathKind::RegularFile;
    // MoveFileEx refuses a read-only target on Windows but replaces it under Wine; both refuse
    // it here, as the native build does.
    t.readOnly = (attrs & FILE_ATTRIBUTE_READONLY) != 0;
    return t;
}

TempFile::~TempFile() {
    Discard();
}

TempFile::CreateResult TempFile::Create(const std::string& path, const ReplaceTarget&) {
    Discard();
    // Open without write or delete-on-close sharing until it has replaced the target, so that
    // RemoveLeftoverTempFiles of another run cannot take it; delete sharing lets it be renamed.
    HANDLE h =
        CreateFileW(ExtendedPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD err = GetLastError();
        return err == ERROR_FILE_EXISTS || err == ERROR_ALREADY_EXISTS ? CreateResult::NameTaken
                                                                       : CreateResult::Failed;
    }
    handle_ = reinterpret_cast<intptr_t>(h);
    path_ = path;
    return CreateResult::Created;
}

bool TempFile::WriteAndFlush(const uint8_t* data, size_t len) {
    size_t done = 0;
    while (done < len) {
        DWORD chunk = len - done > 0x10000000 ? 0x10000000 : static_cast<DWORD>(len - done);
        DWORD written = 0;
        if (!WriteFile(AsHandle(handle_), data + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return FlushFileBuffers(AsHandle(handle_)) != 0;
}

bool TempFile::Replace(const std::string& target) {
    if (handle_ == -1)
        return false;
    const std::wstring from = ExtendedPath(path_), to = ExtendedPath(target);
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    bool moved = MoveFileExW(from.c_str(), to.c_str(), flags) != 0;
    if (!moved && GetLastError() == ERROR_SHARING_VIOLATION) {
        // A system that will not rename a file open for writing: close it first (another run
        // could take it for a leftover in between; then this write fails, the target intact).
        CloseHandle(AsHandle(handle_));
        handle_ = -1;
        moved = MoveFileExW(from.c_str(), to.c_str(), flags) != 0;
        if (!moved) {
            DeleteFileW(from.c_str());
            path_.clear();
            return false;
        }
    }
    if (!moved)
        return false;
    if (handle_ != -1)
        CloseHandle(AsHandle(handle_));
    handle_ = -1;
    path_.clear();
    return true;
}

void TempFile::Discard() {
    if (handle_ == -1)
        return;
    CloseHandle(AsHandle(handle_));
    DeleteFileW(ExtendedPath(path_).c_str());
    handle_ = -1;
    path_.clear();
}

void RemoveLeftoverTempFiles(const std::string& file) {
    std::string folder, base;
    SplitFilePath(file, &folder, &base);
    const std::wstring pattern = ExtendedPath(MakeFilePath(folder.c_str(), (base + "*").c_str()));
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(pattern.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        const std::string name = Narrow(found.cFileName);
        if (!IsTempFileNameOf(name, base))
            continue;
        // Opened without sharing, it is nobody's: a live writer holds its file open from its
        // creation until it has replaced the target. Closing the handle deletes it.
        HANDLE h = CreateFileW(ExtendedPath(MakeFilePath(folder.c_str(), name.c_str())).c_str(),
                               DELETE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

unsigned long CurrentProcessId() {
    return GetCurrentProcessId();
}

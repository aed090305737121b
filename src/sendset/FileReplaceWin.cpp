#include "sendset/FileIo.h"

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

// The code page of the narrow paths: the system's ANSI code page, as the program's are, or UTF-8
// once UseUtf8FilePaths was called.
UINT s_pathCodePage = CP_ACP;

// Waits out another process that has the file open for a moment (an indexer, a virus scanner,
// Explorer's preview, another write of the same file); a replace or read that meets such a
// sharing violation or a denied access is tried again for about two seconds.
constexpr DWORD kBusyRetryMs = 2000;

bool IsBusyError(DWORD err) {
    return err == ERROR_SHARING_VIOLATION || err == ERROR_ACCESS_DENIED ||
           err == ERROR_LOCK_VIOLATION;
}

// Pauses before the next try: short at first, longer later; false once the time is up.
bool WaitBeforeRetry(DWORD start) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= kBusyRetryMs)
        return false;
    Sleep(elapsed < 100 ? 5 : 50);
    return true;
}

// Flags 0: MB_PRECOMPOSED is refused by code page 65001.
std::wstring Widen(const std::string& s) {
    if (s.empty())
        return std::wstring();
    int n =
        MultiByteToWideChar(s_pathCodePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    if (n <= 0)
        return std::wstring();
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(s_pathCodePage, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

// The path in the paths' code page; empty when a character has no form there.
std::string Narrow(const wchar_t* w) {
    const UINT cp = s_pathCodePage == CP_ACP ? GetACP() : s_pathCodePage;
    int n = WideCharToMultiByte(cp, 0, w, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return std::string();
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(cp, 0, w, -1, &s[0], n, nullptr, nullptr);
    s.resize(static_cast<size_t>(n - 1));
    if (Widen(s) != w)
        return std::string();
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

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

FileIdentity IdentityOfHandle(HANDLE h) {
    FileIdentity id;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(h, &info)) {
        id.volume = info.dwVolumeSerialNumber;
        id.file = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    }
    FILE_BASIC_INFO basic;
    if (GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic))
        id.changed = basic.ChangeTime.QuadPart;
    return id;
}

// What a path names, links followed: a FIFO, socket or device (Wine shows the Unix ones so) is
// none of a file or a folder. final gets the path of the file a link names.
PathKind ProbePath(const std::wstring& ext, std::wstring* final) {
    HANDLE h = CreateFileW(ext.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        const DWORD attrs = GetFileAttributesW(ext.c_str());
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND)
            // A link whose file is gone still has its own attributes.
            return attrs != INVALID_FILE_ATTRIBUTES ? PathKind::Other : PathKind::Missing;
        if (attrs == INVALID_FILE_ATTRIBUTES)
            return PathKind::Other;
        return (attrs & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder : PathKind::RegularFile;
    }
    PathKind kind = PathKind::Other;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &info))
        kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder
                                                                       : PathKind::RegularFile;
    if (final != nullptr) {
        wchar_t buf[MAX_PATH];
        DWORD n = GetFinalPathNameByHandleW(h, buf, MAX_PATH, 0);
        if (n >= MAX_PATH) {
            std::wstring big(n, L'\0');
            n = GetFinalPathNameByHandleW(h, &big[0], n, 0);
            if (n > 0 && n < big.size())
                *final = big.substr(0, n);
        } else if (n > 0) {
            *final = std::wstring(buf, n);
        }
    }
    CloseHandle(h);
    return kind;
}

HANDLE AsHandle(intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

} // namespace

PathKind GetPathKind(const std::string& path) {
    return ProbePath(ExtendedPath(path), nullptr);
}

void UseUtf8FilePaths() {
    s_pathCodePage = CP_UTF8;
}

FILE* OpenFileForReading(const std::string& path) {
    const std::wstring ext = ExtendedPath(path);
    const DWORD start = GetTickCount();
    HANDLE h;
    while ((h = CreateFileW(ext.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) == INVALID_HANDLE_VALUE) {
        // A file being replaced is denied for a moment; one that stays denied is not waited on
        // twice as long by the callers that open it again.
        if (!IsBusyError(GetLastError()) || !WaitBeforeRetry(start))
            return nullptr;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CloseHandle(h);
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(h);
        return nullptr;
    }
    FILE* f = _fdopen(fd, "rb");
    if (f == nullptr)
        _close(fd);
    return f;
}

bool IdentityOfOpenFile(FILE* f, FileIdentity* identity) {
    const intptr_t h = _get_osfhandle(_fileno(f));
    if (h == -1)
        return false;
    *identity = IdentityOfHandle(reinterpret_cast<HANDLE>(h));
    return true;
}

ReplaceTarget InspectReplaceTarget(const std::string& target) {
    ReplaceTarget t;
    t.file = target;
    const std::wstring ext = ExtendedPath(target);
    std::wstring final;
    t.kind = ProbePath(ext, &final);
    if (t.kind != PathKind::RegularFile)
        return t;
    // A link is followed: the file it names is the one replaced, and the link stays.
    if (!final.empty() && final != ext) {
        const std::string named = Narrow(final.c_str());
        if (!named.empty())
            t.file = named;
    }
    // MoveFileEx refuses a read-only target on Windows but replaces it under Wine; both refuse
    // it here, as the native build does.
    const DWORD attrs = GetFileAttributesW(ExtendedPath(t.file).c_str());
    t.readOnly = attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY) != 0;
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

namespace {

// Puts from in place of to. ReplaceFile keeps the replaced file's security, attributes and
// creation time; where it cannot be used (no file to replace, or a system that will not replace
// with a file that is still open, as Wine), a plain move does the replace.
bool ReplaceOrMove(const std::wstring& from, const std::wstring& to) {
    if (ReplaceFileW(to.c_str(), from.c_str(), nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                     nullptr))
        return true;
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace

bool TempFile::Replace(const std::string& target) {
    if (handle_ == -1)
        return false;
    const std::wstring from = ExtendedPath(path_), to = ExtendedPath(target);
    // The volume as the file was created: a rename within its folder keeps it, and Wine tells
    // none for a handle whose file was renamed.
    const uint64_t volume = IdentityOfHandle(AsHandle(handle_)).volume;
    const DWORD start = GetTickCount();
    bool moved;
    while (!(moved = ReplaceOrMove(from, to)) && IsBusyError(GetLastError()) &&
           WaitBeforeRetry(start)) {
    }
    if (!moved && GetLastError() == ERROR_SHARING_VIOLATION) {
        // A system that will not rename a file open for writing: close it first (another run
        // could take it for a leftover in between; then this write fails, the target intact).
        CloseHandle(AsHandle(handle_));
        handle_ = -1;
        moved = ReplaceOrMove(from, to);
        if (!moved) {
            DeleteFileW(from.c_str());
            path_.clear();
            return false;
        }
    }
    if (!moved)
        return false;
    if (handle_ != -1) {
        identity_ = IdentityOfHandle(AsHandle(handle_));
        identity_.volume = volume;
        CloseHandle(AsHandle(handle_));
    } else {
        // Closed above: the file at target now is the best knowledge of this write's file.
        HANDLE h = CreateFileW(to.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                               0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            identity_ = IdentityOfHandle(h);
            CloseHandle(h);
        }
    }
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

FileUpdateLock::FileUpdateLock(const std::string& file) {
    // A mutex named after the file's full path, the same for every process of the session.
    std::wstring key = ExtendedPath(file);
    for (wchar_t& c : key)
        c = static_cast<wchar_t>(towlower(c));
    uint64_t hash = 1469598103934665603ull;
    for (wchar_t c : key)
        hash = (hash ^ static_cast<uint16_t>(c)) * 1099511628211ull;
    wchar_t name[64];
    swprintf(name, 64, L"Local\\CamSetupUpdate-%016llx", static_cast<unsigned long long>(hash));
    HANDLE m = CreateMutexW(nullptr, FALSE, name);
    if (m == nullptr)
        return;
    const DWORD got = WaitForSingleObject(m, 10000);
    if (got != WAIT_OBJECT_0 && got != WAIT_ABANDONED) {
        CloseHandle(m);
        return;
    }
    handle_ = reinterpret_cast<intptr_t>(m);
}

FileUpdateLock::~FileUpdateLock() {
    if (handle_ == -1)
        return;
    ReleaseMutex(AsHandle(handle_));
    CloseHandle(AsHandle(handle_));
}

unsigned long CurrentProcessId() {
    return GetCurrentProcessId();
}

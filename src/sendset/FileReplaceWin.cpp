#include "sendset/FileIo.h"

#include <cstdint>
#include <cstdio>
#include <cwchar>
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

FileError FileErrorOf(DWORD err) {
    switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return FileError::NotFound;
    case ERROR_ACCESS_DENIED:
        return FileError::Permission;
    case ERROR_WRITE_PROTECT:
        return FileError::ReadOnlyMedium;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FileError::NoSpace;
    case ERROR_FILE_TOO_LARGE:
        return FileError::TooLarge;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileError::Busy;
    case ERROR_CRC:
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_IO_DEVICE:
    case ERROR_GEN_FAILURE:
        return FileError::Io;
    default:
        return FileError::Other;
    }
}

// Records GetLastError() as the reason of the failure being reported; false, for the caller.
bool NoteLastError() {
    SetLastFileError(FileErrorOf(GetLastError()));
    return false;
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
// so separators are made single backslashes here ("C:\" and "\CFG.BIN" make "C:\\CFG.BIN"),
// and "." and ".." are resolved, in a path given in that form too. A device name (NUL, COM1)
// stays the device.
std::wstring ExtendedPath(const std::string& path) {
    std::wstring w = Widen(path);
    if (w.compare(0, 8, L"\\\\?\\UNC\\") == 0)
        w = L"\\" + w.substr(7);
    else if (w.compare(0, 4, L"\\\\?\\") == 0)
        w = w.substr(4);
    DWORD n = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return w;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(w.c_str(), n, &full[0], nullptr);
    if (n == 0 || n >= full.size())
        return w;
    full.resize(n);
    if (full.compare(0, 4, L"\\\\.\\") == 0)
        return full;
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

// The final path of an open file or folder, "\\?\" form; empty when the system tells none.
std::wstring FinalPathOf(HANDLE h) {
    wchar_t buf[MAX_PATH];
    DWORD n = GetFinalPathNameByHandleW(h, buf, MAX_PATH, 0);
    if (n == 0)
        return std::wstring();
    if (n < MAX_PATH)
        return std::wstring(buf, n);
    std::wstring big(n, L'\0');
    n = GetFinalPathNameByHandleW(h, &big[0], n, 0);
    return n > 0 && n < big.size() ? big.substr(0, n) : std::wstring();
}

// Opens a file or folder to look at it, waiting out a moment's sharing violation (a file being
// replaced by another write is denied for that moment).
HANDLE OpenToLookAt(const std::wstring& ext) {
    const DWORD start = GetTickCount();
    HANDLE h;
    while ((h = CreateFileW(ext.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr)) == INVALID_HANDLE_VALUE &&
           IsBusyError(GetLastError()) && WaitBeforeRetry(start)) {
    }
    return h;
}

// What a path names, links followed: a FIFO, socket or device (Wine shows the Unix ones so) is
// none of a file or a folder. final gets the path of the file a link names.
PathKind ProbePath(const std::wstring& ext, std::wstring* final) {
    // A device name (NUL, CON, COM1, "nul.dat"), which ExtendedPath keeps a device: not opened,
    // since a serial port or a console may wait.
    if (ext.compare(0, 4, L"\\\\.\\") == 0)
        return PathKind::Other;
    HANDLE h = OpenToLookAt(ext);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        const DWORD attrs = GetFileAttributesW(ext.c_str());
        if (attrs == INVALID_FILE_ATTRIBUTES) {
            const DWORD attrsErr = GetLastError();
            // Gone (a file between another write's steps), or a link whose file is gone, which
            // still has attributes of its own; what cannot be looked at is none of a kind.
            return attrsErr == ERROR_FILE_NOT_FOUND || attrsErr == ERROR_PATH_NOT_FOUND
                       ? PathKind::Missing
                       : PathKind::Other;
        }
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND)
            return PathKind::Other;
        return (attrs & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder : PathKind::RegularFile;
    }
    PathKind kind = PathKind::Other;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &info))
        kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder
                                                                       : PathKind::RegularFile;
    if (final != nullptr)
        *final = FinalPathOf(h);
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
            return NoteLastError(), nullptr;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CloseHandle(h);
        SetLastFileError(FileError::Other);
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

std::string ResolveFilePath(const std::string& path) {
    const std::wstring ext = ExtendedPath(path);
    std::wstring final;
    if (ProbePath(ext, &final) == PathKind::Missing || final.empty()) {
        // A new file: the final path of its folder, with its name.
        std::string folder, name;
        SplitFilePath(path, &folder, &name);
        std::wstring folderFinal;
        if (ProbePath(ExtendedPath(folder), &folderFinal) != PathKind::Folder ||
            folderFinal.empty())
            return path;
        final = folderFinal + (folderFinal.back() == L'\\' ? L"" : L"\\") + Widen(name);
    }
    const std::string named = Narrow(final.c_str());
    return named.empty() ? path : named;
}

ReplaceTarget InspectReplaceTarget(const std::string& target) {
    ReplaceTarget t;
    t.file = target;
    t.kind = ProbePath(ExtendedPath(target), nullptr);
    if (t.kind != PathKind::RegularFile && t.kind != PathKind::Missing)
        return t;
    // A link is followed: the file it names is the one replaced, and the link stays.
    t.file = ResolveFilePath(target);
    if (t.kind == PathKind::Missing)
        return t;
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
        if (err == ERROR_FILE_EXISTS || err == ERROR_ALREADY_EXISTS)
            return CreateResult::NameTaken;
        NoteLastError();
        return CreateResult::Failed;
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
        if (!WriteFile(AsHandle(handle_), data + done, chunk, &written, nullptr))
            return NoteLastError();
        if (written == 0) {
            SetLastFileError(FileError::NoSpace);
            return false;
        }
        done += written;
    }
    return FlushFileBuffers(AsHandle(handle_)) != 0 || NoteLastError();
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
            NoteLastError();
            DeleteFileW(from.c_str());
            path_.clear();
            return false;
        }
    }
    if (!moved)
        return NoteLastError();
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

namespace {

// Whether h is the very file at expected (a final path), not one that a link there names: a
// system that follows a link despite FILE_FLAG_OPEN_REPARSE_POINT (Wine, for a Unix link) shows
// the linked file's path.
bool IsFileAt(HANDLE h, const std::wstring& expected) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0)
        return false;
    const std::wstring final = FinalPathOf(h);
    return !final.empty() &&
           CompareStringOrdinal(final.c_str(), -1, expected.c_str(), -1, TRUE) == CSTR_EQUAL;
}

uint64_t FileTimeValue(const FILETIME& t) {
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

} // namespace

void RemoveLeftoverTempFiles(const std::string& file) {
    std::string folder, base;
    SplitFilePath(file, &folder, &base);
    std::wstring folderFinal;
    if (ProbePath(ExtendedPath(folder), &folderFinal) != PathKind::Folder || folderFinal.empty())
        return;
    const std::wstring pattern = ExtendedPath(MakeFilePath(folder.c_str(), (base + "*").c_str()));
    FILETIME nowTime;
    GetSystemTimeAsFileTime(&nowTime);
    const uint64_t now = FileTimeValue(nowTime);
    const uint64_t minAge = static_cast<uint64_t>(kLeftoverAgeSeconds) * 10000000u; // 100 ns
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(pattern.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) !=
                0 ||
            now - FileTimeValue(found.ftLastWriteTime) < minAge)
            continue;
        const std::string name = Narrow(found.cFileName);
        if (!IsTempFileNameOf(name, base))
            continue;
        // Opened without sharing, it is nobody's: a live writer holds its file open from its
        // creation until it has replaced the target. It goes when the handle closes.
        HANDLE h = CreateFileW(ExtendedPath(MakeFilePath(folder.c_str(), name.c_str())).c_str(),
                               DELETE | FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        const std::wstring expected =
            folderFinal + (folderFinal.back() == L'\\' ? L"" : L"\\") + found.cFileName;
        FILE_DISPOSITION_INFO dispose = {TRUE};
        if (IsFileAt(h, expected))
            SetFileInformationByHandle(h, FileDispositionInfo, &dispose, sizeof dispose);
        CloseHandle(h);
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

bool ReadFileFromMedium(const std::string& path, size_t limit, std::vector<uint8_t>* bytes,
                        FileIdentity* identity) {
    const std::wstring ext = ExtendedPath(path);
    const DWORD start = GetTickCount();
    HANDLE h;
    // Unbuffered: each read comes from the card, in whole sectors into sector-aligned memory.
    while ((h = CreateFileW(ext.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_NO_BUFFERING, nullptr)) == INVALID_HANDLE_VALUE) {
        if (!IsBusyError(GetLastError()) || !WaitBeforeRetry(start))
            return NoteLastError();
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CloseHandle(h);
        SetLastFileError(FileError::Other);
        return false;
    }
    *identity = IdentityOfHandle(h);
    const size_t kSector = 4096; // a multiple of every sector size in use
    const size_t room = (limit + kSector - 1) / kSector * kSector;
    void* buffer = VirtualAlloc(nullptr, room, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    bool ok = buffer != nullptr || NoteLastError();
    size_t got = 0;
    while (ok && got < limit) {
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(room - got);
        if (!ReadFile(h, static_cast<uint8_t*>(buffer) + got, chunk, &n, nullptr))
            ok = NoteLastError();
        else if (n == 0)
            break;
        got += n;
        if (n % kSector != 0)
            break; // the end of the file
    }
    if (ok) {
        const size_t keep = got < limit ? got : limit;
        bytes->assign(static_cast<uint8_t*>(buffer), static_cast<uint8_t*>(buffer) + keep);
    }
    if (buffer != nullptr)
        VirtualFree(buffer, 0, MEM_RELEASE);
    CloseHandle(h);
    return ok;
}

FileUpdateLock::FileUpdateLock(const std::string& file) {
    // A mutex named after the final path of the folder the file is really in, in one case, the
    // same for every process of the session however the file was named.
    std::string name;
    SplitFilePath(ResolveFilePath(file), &folder_, &name);
    std::wstring key;
    const PathKind kind = ProbePath(ExtendedPath(folder_), &key);
    if (kind != PathKind::Folder || key.empty()) {
        error_ = kind == PathKind::Missing ? FileError::NotFound : FileError::Other;
        return;
    }
    CharLowerBuffW(&key[0], static_cast<DWORD>(key.size()));
    uint64_t hash = 1469598103934665603ull;
    for (wchar_t c : key)
        hash = (hash ^ static_cast<uint16_t>(c)) * 1099511628211ull;
    wchar_t mutexName[64];
    swprintf(mutexName, 64, L"Local\\CamSetupUpdate-%016llx",
             static_cast<unsigned long long>(hash));
    HANDLE m = CreateMutexW(nullptr, FALSE, mutexName);
    if (m == nullptr) {
        error_ = FileErrorOf(GetLastError());
        return;
    }
    const DWORD got = WaitForSingleObject(m, 10000);
    if (got != WAIT_OBJECT_0 && got != WAIT_ABANDONED) {
        state_ = got == WAIT_TIMEOUT ? State::Busy : State::Failed;
        error_ = FileError::Other;
        CloseHandle(m);
        return;
    }
    handle_ = reinterpret_cast<intptr_t>(m);
    state_ = State::Held;
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

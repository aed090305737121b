#include "sendset/FileIo.h"

#include "common/Trace.h"

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstring>
#include <vector>

bool (*g_pfnBeforeReplaceHook)(const std::string& tempPath) = nullptr;
bool (*g_pfnReadBackHook)(std::vector<uint8_t>& bytes) = nullptr;

namespace {
thread_local FileError t_lastFileError = FileError::None;
} // namespace

FileError LastFileError() {
    return t_lastFileError;
}

void SetLastFileError(FileError error) {
    t_lastFileError = error;
}

const char* FileErrorText(FileError error) {
    switch (error) {
    case FileError::None:
        break;
    case FileError::NotFound:
        return "no such file or folder";
    case FileError::Permission:
        return "permission denied";
    case FileError::ReadOnlyMedium:
        return "the card is read-only (write-protected or mounted read-only)";
    case FileError::NoSpace:
        return "the card is full";
    case FileError::TooLarge:
        return "a file size limit was reached";
    case FileError::Busy:
        return "another program has it open or locked";
    case FileError::Io:
        return "the card failed to read or write (pulled out or failing)";
    case FileError::Other:
        return "the system refused it";
    }
    return "the reason is not known";
}

int GetPathFileSize(const char* path) {
    FILE* f = OpenFileForReading(path != nullptr ? path : "");
    if (f == nullptr)
        return 0;
    long size = 0;
    if (fseek(f, 0, SEEK_END) == 0)
        size = ftell(f);
    fclose(f);
    if (size < 0)
        return 0;
    return size > 0x7fffffffL ? 0x7fffffff : static_cast<int>(size);
}

std::string MakeFilePath(const char* folder, const char* name) {
#ifdef _WIN32
    const char sep = '\\';
#else
    const char sep = '/';
#endif
    std::string path(folder != nullptr ? folder : "");
    path += sep;
    path += name;
    return path;
}

void SplitFilePath(const std::string& path, std::string* folder, std::string* name) {
#ifdef _WIN32
    const size_t sep = path.find_last_of("\\/");
#else
    const size_t sep = path.find_last_of('/');
#endif
    if (sep == std::string::npos) {
        *folder = ".";
        *name = path;
    } else {
        // The root keeps its separator: "/", and "C:\\" (a bare "C:" is a drive's current folder).
        const bool root = sep == 0 || (sep == 2 && path[1] == ':');
        *folder = path.substr(0, root ? sep + 1 : sep);
        *name = path.substr(sep + 1);
    }
}

bool IsTempFileNameOf(const std::string& name, const std::string& baseName) {
    static const char kSuffix[] = ".tmp";
    const size_t suffixLen = sizeof kSuffix - 1;
    if (name.size() < baseName.size() + suffixLen ||
        name.compare(0, baseName.size(), baseName) != 0 ||
        name.compare(name.size() - suffixLen, suffixLen, kSuffix) != 0)
        return false;
    const std::string middle =
        name.substr(baseName.size(), name.size() - baseName.size() - suffixLen);
    // ".~<process>-<count>-<8 hex digits>"; a plain "<baseName>.tmp" may be the user's copy.
    if (middle.compare(0, 2, ".~") != 0)
        return false;
    size_t at = 2;
    auto digits = [&](int (*isKind)(int), size_t least, size_t most) {
        size_t n = 0;
        while (at < middle.size() && n < most && isKind(static_cast<unsigned char>(middle[at]))) {
            ++at;
            ++n;
        }
        return n >= least;
    };
    auto dash = [&] { return at < middle.size() && middle[at++] == '-'; };
    return digits(isdigit, 1, 10) && dash() && digits(isdigit, 1, 10) && dash() &&
           digits(isxdigit, 8, 8) && at == middle.size();
}

std::string TempFileNameFor(const std::string& file, unsigned attempt) {
    // The process id and a per-process count make the name unique among live writers; the clock
    // and attempt tell apart a process id reused on another computer writing the same card.
    static std::atomic<unsigned> s_count{0};
    const unsigned count = s_count++;
    const unsigned long long clock = static_cast<unsigned long long>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    const unsigned mix =
        static_cast<unsigned>((clock ^ (clock >> 32)) * 2654435761u) ^ (attempt * 40503u);
    char unique[64];
    snprintf(unique, sizeof unique, ".~%lu-%u-%08x.tmp", CurrentProcessId(), count, mix);
    return file + unique;
}

bool ReadFileBytes(const std::string& path, size_t limit, std::vector<uint8_t>* bytes,
                   FileIdentity* identity) {
    FILE* f = OpenFileForReading(path);
    if (f == nullptr)
        return false;
    if (identity != nullptr && !IdentityOfOpenFile(f, identity)) {
        fclose(f);
        return false;
    }
    bytes->assign(limit, 0);
    const size_t got = fread(bytes->data(), 1, bytes->size(), f);
    const bool failed = ferror(f) != 0;
    fclose(f);
    bytes->resize(got);
    return !failed;
}

namespace {

// Whether target still holds what the caller read (empty: nothing there).
bool StillHolds(const std::string& target, const std::vector<uint8_t>& read) {
    std::vector<uint8_t> now;
    if (!ReadFileBytes(target, read.size() + 1, &now))
        return read.empty() && GetPathKind(target) == PathKind::Missing;
    return now == read;
}

// After the replace: the file at target is this write's own unless its identity changed. It is
// read as the card holds it, not as the computer's cache remembers what was written.
SafeWriteResult VerifyReplaced(const std::string& target, const FileIdentity& own,
                               const uint8_t* data, size_t len) {
    std::vector<uint8_t> back;
    FileIdentity found;
    if (!ReadFileFromMedium(target, len + 1, &back, &found) ||
        (g_pfnReadBackHook != nullptr && !g_pfnReadBackHook(back)))
        return SafeWriteResult::Unverified;
    if (found != own)
        return SafeWriteResult::Superseded;
    return back.size() == len && memcmp(back.data(), data, len) == 0
               ? SafeWriteResult::Committed
               : SafeWriteResult::ReadBackDiffers;
}

} // namespace

SafeWriteResult WriteFileReplacing(const std::string& target, const uint8_t* data, size_t len,
                                   const std::vector<uint8_t>* unchangedFrom) {
    // The card is the user's data: the old file stays until the new one is complete on the medium.
    SetLastFileError(FileError::None);
    const ReplaceTarget dest = InspectReplaceTarget(target);
    if (dest.kind == PathKind::Folder || dest.kind == PathKind::Other)
        return SafeWriteResult::NotRegularFile;
    if (dest.kind == PathKind::RegularFile && dest.readOnly)
        return SafeWriteResult::ReadOnly;
    RemoveLeftoverTempFiles(dest.file);

    TempFile temp;
    TempFile::CreateResult created = TempFile::CreateResult::NameTaken;
    for (unsigned attempt = 0; attempt < 32 && created == TempFile::CreateResult::NameTaken;
         ++attempt)
        created = temp.Create(TempFileNameFor(dest.file, attempt), dest);
    if (created != TempFile::CreateResult::Created)
        return SafeWriteResult::OpenFailed;
    bool ok = temp.WriteAndFlush(data, len);
    if (ok && g_pfnBeforeReplaceHook != nullptr)
        ok = g_pfnBeforeReplaceHook(temp.Path());
    // A read-change-write must not put its file over one that another write made since the read.
    if (ok && unchangedFrom != nullptr && !StillHolds(dest.file, *unchangedFrom)) {
        temp.Discard();
        return SafeWriteResult::Changed;
    }
    if (ok)
        ok = temp.Replace(dest.file);
    if (!ok) {
        temp.Discard();
        return SafeWriteResult::WriteFailed;
    }
    return VerifyReplaced(dest.file, temp.Identity(), data, len);
}

bool WriteFileWithTrace(const std::string& target, const uint8_t* data, size_t len) {
    const SafeWriteResult result = WriteFileReplacing(target, data, len);
    const bool written =
        result == SafeWriteResult::Committed || result == SafeWriteResult::Superseded;
    Trace("Open file - \"%s\" %s\n", target.c_str(), written ? "success!" : "err!");
    TraceLine("________________________________________________");
    return written;
}

bool ReadFixedSizeFile(const std::string& path, uint8_t* buf, int size, bool printBufSize) {
    int fileSize = GetPathFileSize(path.c_str());
    Trace("iGetFileSize = %d\n", fileSize);
    if (fileSize != size) {
        TraceLine("File szie != struct size!");
        return false;
    }
    FILE* f = OpenFileForReading(path);
    if (f == nullptr) {
        Trace("Open file - \"%s\" err!\n", path.c_str());
        return false;
    }
    Trace("Open file - \"%s\" success!\n", path.c_str());
    if (printBufSize)
        Trace("_bufsiz = %d\n", BUFSIZ);
    std::vector<uint8_t> image(static_cast<size_t>(size));
    size_t got = fread(image.data(), 1, image.size(), f);
    fclose(f);
    if (got != image.size()) {
        // The file shrank between the size test and the read.
        TraceLine("File szie != struct size!");
        return false;
    }
    memcpy(buf, image.data(), image.size());
    return true;
}

int FieldLength(const char* field, size_t capacity) {
    return static_cast<int>(strnlen(field, capacity));
}

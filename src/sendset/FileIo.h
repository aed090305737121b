// File helpers shared by the two camera files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Size of a file in bytes; 0 when it cannot be opened (or is not a regular file).
int GetPathFileSize(const char* path);

// "<folder><separator><name>", with the platform's separator ('\\' on Windows, '/' elsewhere).
std::string MakeFilePath(const char* folder, const char* name);

enum class SafeWriteResult {
    OpenFailed,     // the temporary file could not be created (LastFileError); nothing changed
    NotRegularFile, // the target is a folder, FIFO, device or a link to nothing; nothing changed
    ReadOnly,       // the user made the target read-only; nothing changed
    WriteFailed, // writing, flushing or replacing failed (LastFileError); the target is as it was
    Changed,     // the target no longer holds what the caller read; nothing changed
    // From here on the new file has taken the target's place.
    Committed,       // and it reads back as exactly the data
    Superseded,      // and by the read-back another write had replaced it in turn
    Unverified,      // but it cannot be read back to be verified
    ReadBackDiffers, // but it reads back otherwise (the medium failed)
};

// Whether the new file took the target's place.
inline bool Replaced(SafeWriteResult r) {
    return r >= SafeWriteResult::Committed;
}

// Writes data to a temporary file of its own beside target (created exclusively, so concurrent
// writers never share one), flushes it to the medium and then replaces target with it, so a
// failed, raced or interrupted write never leaves a truncated target: the target is always one
// complete file. A target that is a link is followed to the file it names; the new file keeps the
// replaced file's permissions (and owner where allowed). The temporary file is removed on
// failure; temporary files that crashed writes of the same target left behind are removed when
// no writer holds them (see RemoveLeftoverTempFiles). Then the file is read back: the result
// tells whether it is the data, or another write's file took its place since.
// With unchangedFrom, the target must still hold those bytes (empty: must not exist) right
// before it is replaced; otherwise nothing is written and the result is Changed.
SafeWriteResult WriteFileReplacing(const std::string& target, const uint8_t* data, size_t len,
                                   const std::vector<uint8_t>* unchangedFrom = nullptr);

// WriteFileReplacing with the writers' trace: "Open file - "<target>" success!", or "err!" when
// the target was not replaced or its new file does not read back as written, then a line of 48
// underscores. True when the target was replaced by the data (another write may have replaced it
// since).
bool WriteFileWithTrace(const std::string& target, const uint8_t* data, size_t len);

// Reads a camera file that must be exactly size bytes long into buf, with the readers' trace:
// "iGetFileSize = <n>", the size test ("File szie != struct size!"), the open ("Open file -
// "<path>" err!" or "success!") and, with printBufSize, "_bufsiz = <n>". False, with buf
// untouched, when the file has another size or cannot be read.
bool ReadFixedSizeFile(const std::string& path, uint8_t* buf, int size, bool printBufSize);

// The folder part of path ("." when it has none) and the name after the last separator.
void SplitFilePath(const std::string& path, std::string* folder, std::string* name);

// Whether name (a folder entry) is a temporary file that a write of the file called baseName
// creates: "<baseName>.~<process>-<count>-<8 hex digits>.tmp". Any other name is the user's.
bool IsTempFileNameOf(const std::string& name, const std::string& baseName);

// The n-th candidate name of a write's temporary file for file (a path): unique to this process
// and call; creating it exclusively settles any remaining clash.
std::string TempFileNameFor(const std::string& file, unsigned attempt);

// --- Platform parts (FileReplacePosix.cpp / FileReplaceWin.cpp) ---

enum class PathKind { Missing, RegularFile, Folder, Other };

// What path names, links followed; paths of any length.
PathKind GetPathKind(const std::string& path);

// Opens a regular file for reading in byte mode; null for anything else (a FIFO or device is
// never waited on) or when it cannot be opened (LastFileError tells why). Paths of any length. On
// Windows the file stays open to other readers, writers and a replace, and a moment's sharing
// violation is waited out.
FILE* OpenFileForReading(const std::string& path);

// Which file a path held when it was looked at: the file system's identity of the file and the
// time its metadata last changed (a rename or a write changes it).
struct FileIdentity {
    uint64_t volume = 0;
    uint64_t file = 0;
    int64_t changed = 0;
    bool operator==(const FileIdentity& o) const {
        return volume == o.volume && file == o.file && changed == o.changed;
    }
    bool operator!=(const FileIdentity& o) const { return !(*this == o); }
};

// Reads at most limit bytes of a regular file, with the identity of the very file read; false
// when it cannot be opened or is not a regular file.
bool ReadFileBytes(const std::string& path, size_t limit, std::vector<uint8_t>* bytes,
                   FileIdentity* identity = nullptr);

// Windows: file paths given to these functions are UTF-8 from now on instead of the system's ANSI
// code page (the command-line companion takes its arguments as Unicode). Elsewhere paths are
// bytes anyway; nothing changes.
void UseUtf8FilePaths();

// The file a write of target replaces.
struct ReplaceTarget {
    std::string file; // target, or the file that the link target names
    PathKind kind = PathKind::Missing;
    bool readOnly = false;  // no one may write to it
    unsigned long mode = 0; // POSIX permission bits of the file
    long long owner = -1;   // POSIX owner and group, -1 when unknown
    long long group = -1;
};
ReplaceTarget InspectReplaceTarget(const std::string& target);

// The identity of a file opened by OpenFileForReading.
bool IdentityOfOpenFile(FILE* f, FileIdentity* identity);

// A temporary file a write created, owned by this object: removed when it is destroyed before
// Replace succeeded.
class TempFile {
public:
    enum class CreateResult { Created, NameTaken, Failed };

    TempFile() = default;
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Creates path exclusively, with the permissions (and owner where allowed) of like's file
    // when it exists. Held (locked, or open without delete sharing) until Replace or Discard,
    // so that no other run takes it for a leftover.
    CreateResult Create(const std::string& path, const ReplaceTarget& like);
    bool WriteAndFlush(const uint8_t* data, size_t len);
    // Puts the file in place of target. True once it is there, whatever follows.
    bool Replace(const std::string& target);
    void Discard();
    const std::string& Path() const { return path_; }
    // The file as Replace put it in place.
    const FileIdentity& Identity() const { return identity_; }

private:
    std::string path_;
    intptr_t handle_ = -1;
    FileIdentity identity_;
};

// Why a file operation of this thread last failed, as the system told it.
enum class FileError {
    None,
    NotFound,       // no such file or folder
    Permission,     // the permissions do not allow it
    ReadOnlyMedium, // the card is write-protected or mounted read-only
    NoSpace,        // the card is full
    TooLarge,       // a file size limit
    Busy,           // another program has it open or locked
    Io,             // the medium failed (a pulled or failing card)
    Other,
};
FileError LastFileError();
void SetLastFileError(FileError error);
// The reason in words, as a message goes on after a colon: "permission denied".
const char* FileErrorText(FileError error);

// What path names, resolved: links, "..", "." and doubled separators, and on Windows drive
// letters, short names and "\\?\" forms, to the real path of the file; for a missing file (or
// a link to nothing), the real path of its folder with the name. Two spellings of one file give
// the same path (on Windows, up to case). path itself when not even its folder exists.
std::string ResolveFilePath(const std::string& path);

// Serialises the read-change-write updates of one file among the processes of this computer
// that take it (two command-line runs changing the same card's file), for a bounded time. It
// belongs to the file, not to its spelling: the lock is taken on the real folder of
// ResolveFilePath (a lock on the folder on Linux and macOS; on Windows a mutex named after the
// folder's final path).
class FileUpdateLock {
public:
    enum class State {
        Held,
        Busy,   // another update kept it for the whole of the wait (about ten seconds)
        Failed, // it could not be taken at all (Error() tells why)
    };
    explicit FileUpdateLock(const std::string& file);
    ~FileUpdateLock();
    FileUpdateLock(const FileUpdateLock&) = delete;
    FileUpdateLock& operator=(const FileUpdateLock&) = delete;
    State GetState() const { return state_; }
    FileError Error() const { return error_; }
    // The folder locked, or that could not be locked.
    const std::string& Folder() const { return folder_; }

private:
    intptr_t handle_ = -1;
    State state_ = State::Failed;
    FileError error_ = FileError::None;
    std::string folder_;
};

// A temporary file is taken for a crashed write's leftover only when it is at least this old: a
// live write of the other build (Windows beside Linux on one card) cannot see the other's hold.
constexpr int kLeftoverAgeSeconds = 60;

// Removes the temporary files of writes of file (IsTempFileNameOf) in file's own folder that are
// plain files (never a link or reparse point, which is left as it is), older than
// kLeftoverAgeSeconds and held by no live writer.
void RemoveLeftoverTempFiles(const std::string& file);

// Reads at most limit bytes of a regular file as the medium holds them, past the computer's
// cache where the system allows it (natively its cached pages are dropped first; on Windows the
// file is read without buffering), with the identity of the very file read.
bool ReadFileFromMedium(const std::string& path, size_t limit, std::vector<uint8_t>* bytes,
                        FileIdentity* identity);

unsigned long CurrentProcessId();

// Test hook: when set, called after the temporary file is written and before it replaces the
// target; returning false makes the write fail as if the medium had failed at that moment.
extern bool (*g_pfnBeforeReplaceHook)(const std::string& tempPath);
// Test hook: when set, called with the bytes the read-back after a replace got, which it may
// change as a failing medium would; returning false makes them unreadable.
extern bool (*g_pfnReadBackHook)(std::vector<uint8_t>& bytes);

// Length of a fixed-size text field: up to its terminator, or its capacity when it has none.
int FieldLength(const char* field, size_t capacity);

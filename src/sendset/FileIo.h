// File helpers shared by the two camera files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Size of a file in bytes; 0 when it cannot be opened (or is not a regular file).
int GetPathFileSize(const char* path);

// "<folder><separator><name>", with the platform's separator ('\\' on Windows, '/' elsewhere).
std::string MakeFilePath(const char* folder, const char* name);

enum class SafeWriteResult {
    OpenFailed,     // the temporary file could not be created; nothing changed
    NotRegularFile, // the target is a folder, FIFO, device or a link to nothing; nothing changed
    ReadOnly,       // the user made the target read-only; nothing changed
    WriteFailed,    // writing, flushing or replacing failed; the target is as it was
    Committed,      // the target was replaced by exactly the data
};

// Writes data to a temporary file of its own beside target (created exclusively, so concurrent
// writers never share one), flushes it to the medium and then replaces target with it, so a
// failed, raced or interrupted write never leaves a truncated target: the target is always one
// complete file. A target that is a link is followed to the file it names; the new file keeps the
// replaced file's permissions (and owner where allowed). The temporary file is removed on
// failure; temporary files that crashed writes of the same target left behind are removed when
// no writer holds them (see RemoveLeftoverTempFiles).
SafeWriteResult WriteFileReplacing(const std::string& target, const uint8_t* data, size_t len);

// WriteFileReplacing with the writers' trace: "Open file - "<target>" success!", or "err!" when
// the target was not replaced, then a line of 48 underscores. True when the target now holds the
// data.
bool WriteFileWithTrace(const std::string& target, const uint8_t* data, size_t len);

// Reads a camera file that must be exactly size bytes long into buf, with the readers' trace:
// "iGetFileSize = <n>", the size test ("File szie != struct size!"), the open ("Open file -
// "<path>" err!" or "success!") and, with printBufSize, "_bufsiz = <n>". False, with buf
// untouched, when the file has another size or cannot be read.
bool ReadFixedSizeFile(const std::string& path, uint8_t* buf, int size, bool printBufSize);

// The folder part of path ("." when it has none) and the name after the last separator.
void SplitFilePath(const std::string& path, std::string* folder, std::string* name);

// Whether name (a folder entry) is a temporary file that a write of the file called baseName
// creates: "<baseName>.~<unique part>.tmp", or "<baseName>.tmp" of earlier versions.
bool IsTempFileNameOf(const std::string& name, const std::string& baseName);

// The n-th candidate name of a write's temporary file for file (a path): unique to this process
// and call; creating it exclusively settles any remaining clash.
std::string TempFileNameFor(const std::string& file, unsigned attempt);

// --- Platform parts (FileReplacePosix.cpp / FileReplaceWin.cpp) ---

enum class PathKind { Missing, RegularFile, Folder, Other };

// What path names, links followed; paths of any length.
PathKind GetPathKind(const std::string& path);

// Opens a regular file for reading in byte mode; null for anything else (a FIFO or device is
// never waited on) or when it cannot be opened. Paths of any length.
FILE* OpenFileForReading(const std::string& path);

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

private:
    std::string path_;
    intptr_t handle_ = -1;
};

// Removes the temporary files of writes of file (IsTempFileNameOf) that no live writer holds.
void RemoveLeftoverTempFiles(const std::string& file);

unsigned long CurrentProcessId();

// Test hook: when set, called after the temporary file is written and before it replaces the
// target; returning false makes the write fail as if the medium had failed at that moment.
extern bool (*g_pfnBeforeReplaceHook)(const std::string& tempPath);

// Length of a fixed-size text field: up to its terminator, or its capacity when it has none.
int FieldLength(const char* field, size_t capacity);

// File helpers shared by the two camera files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Size of a file in bytes; 0 when it cannot be opened.
int GetPathFileSize(const char* path);

// "<folder><separator><name>", with the platform's separator ('\\' on Windows, '/' elsewhere).
std::string MakeFilePath(const char* folder, const char* name);

enum class SafeWriteResult {
    OpenFailed,  // the temporary file could not be created; nothing changed
    WriteFailed, // writing, flushing or replacing failed; the target is as it was
    Committed,   // the target now holds exactly the data
};

// Writes data to a temporary file beside target, flushes it to the medium and then replaces
// target with it, so a failed or interrupted write never leaves a truncated target. The temporary
// file is removed on failure.
SafeWriteResult WriteFileReplacing(const std::string& target, const uint8_t* data, size_t len);

// WriteFileReplacing with the writers' trace: "Open file - "<target>" success!" (or "err!" when
// the temporary file could not be created), then a line of 48 underscores. True when the target
// now holds the data.
bool WriteFileWithTrace(const std::string& target, const uint8_t* data, size_t len);

// Reads a camera file that must be exactly size bytes long into buf, with the readers' trace:
// "iGetFileSize = <n>", the size test ("File szie != struct size!"), the open ("Open file -
// "<path>" err!" or "success!") and, with printBufSize, "_bufsiz = <n>". False, with buf
// untouched, when the file has another size or cannot be read.
bool ReadFixedSizeFile(const std::string& path, uint8_t* buf, int size, bool printBufSize);

// Platform parts (FileReplacePosix.cpp / FileReplaceWin.cpp).
bool FlushFileToMedium(FILE* f);
bool ReplaceFileWith(const std::string& tempPath, const std::string& target);

// Test hook: when set, called after the temporary file is written and before it replaces the
// target; returning false makes the write fail as if the medium had failed at that moment.
extern bool (*g_pfnBeforeReplaceHook)(const std::string& tempPath);

// Length of a fixed-size text field: up to its terminator, or its capacity when it has none.
int FieldLength(const char* field, size_t capacity);

#include "sendset/FileIo.h"

#include "app/Trace.h"

#include <cstring>
#include <vector>

bool (*g_pfnBeforeReplaceHook)(const std::string& tempPath) = nullptr;

int GetPathFileSize(const char* path) {
    FILE* f = fopen(path, "rb");
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

SafeWriteResult WriteFileReplacing(const std::string& target, const uint8_t* data, size_t len) {
    // The card is the user's data: the old file stays until the new one is complete on the medium.
    const std::string temp = target + ".tmp";
    remove(temp.c_str()); // a leftover of an earlier interrupted write
    FILE* f = fopen(temp.c_str(), "wb");
    if (f == nullptr)
        return SafeWriteResult::OpenFailed;
    bool ok = fwrite(data, 1, len, f) == len;
    ok = ok && FlushFileToMedium(f);
    ok = (fclose(f) == 0) && ok;
    if (ok && g_pfnBeforeReplaceHook != nullptr)
        ok = g_pfnBeforeReplaceHook(temp);
    if (ok)
        ok = ReplaceFileWith(temp, target);
    if (!ok) {
        remove(temp.c_str());
        return SafeWriteResult::WriteFailed;
    }
    return SafeWriteResult::Committed;
}

bool WriteFileWithTrace(const std::string& target, const uint8_t* data, size_t len) {
    SafeWriteResult result = WriteFileReplacing(target, data, len);
    Trace("Open file - \"%s\" %s\n", target.c_str(),
          result == SafeWriteResult::OpenFailed ? "err!" : "success!");
    TraceLine("________________________________________________");
    return result == SafeWriteResult::Committed;
}

bool ReadFixedSizeFile(const std::string& path, uint8_t* buf, int size, bool printBufSize) {
    int fileSize = GetPathFileSize(path.c_str());
    Trace("iGetFileSize = %d\n", fileSize);
    if (fileSize != size) {
        TraceLine("File szie != struct size!");
        return false;
    }
    FILE* f = fopen(path.c_str(), "rb");
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

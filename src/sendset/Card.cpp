#include "sendset/Card.h"

#include "common/SavePath.h"
#include "sendset/FileIo.h"
#include "sendset/SendSet.h"

#include <cstring>

bool FolderCard::Read(const char* name, uint8_t* buf, int size) {
    // The CFG.BIN reader's trace also gives the size of the C library's file buffer.
    const bool printBufSize = strcmp(name, kSendSetFileName) == 0;
    return ReadFixedSizeFile(MakeFilePath(folder_, name), buf, size, printBufSize);
}

bool FolderCard::Write(const char* name, const uint8_t* data, int size) {
    return WriteFileWithTrace(MakeFilePath(folder_, name), data, static_cast<size_t>(size));
}

bool MemoryCard::Read(const char* name, uint8_t* buf, int size) {
    const auto file = files.find(name);
    if (file == files.end() || file->second.size() != static_cast<size_t>(size))
        return false;
    memcpy(buf, file->second.data(), file->second.size());
    return true;
}

bool MemoryCard::Write(const char* name, const uint8_t* data, int size) {
    files[name].assign(data, data + size);
    return true;
}

Card& SaveFolderCard() {
    static FolderCard card(g_szSavePath);
    return card;
}

#include "common/SavePath.h"

#include <cstring>

char g_szSavePath[SAVE_PATH_CAPACITY] = "C:\\";

bool SetSavePath(const char* folder) {
    if (folder == nullptr)
        return false;
    size_t len = strnlen(folder, SAVE_PATH_CAPACITY);
    if (len > static_cast<size_t>(SAVE_PATH_MAX_CHARS))
        return false;
    memcpy(g_szSavePath, folder, len);
    memset(g_szSavePath + len, 0, sizeof g_szSavePath - len);
    return true;
}

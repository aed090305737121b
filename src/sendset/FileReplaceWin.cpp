#include "sendset/FileIo.h"

#include <io.h>
#include <windows.h>

bool FlushFileToMedium(FILE* f) {
    return fflush(f) == 0 && _commit(_fileno(f)) == 0;
}

bool ReplaceFileWith(const std::string& tempPath, const std::string& target) {
    return MoveFileExA(tempPath.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

#include "sendset/FileIo.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool FlushFileToMedium(FILE* f) {
    return fflush(f) == 0 && fsync(fileno(f)) == 0;
}

bool ReplaceFileWith(const std::string& tempPath, const std::string& target) {
    // A target the user made read-only stays as it is, as on Windows (rename alone would replace
    // it, since only the folder's permissions count).
    struct stat st;
    if (stat(target.c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    if (rename(tempPath.c_str(), target.c_str()) != 0)
        return false;
    // Make the rename itself durable.
    std::string dir = target;
    size_t slash = dir.find_last_of('/');
    dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : dir.substr(0, slash));
    int fd = open(dir.c_str(), O_RDONLY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
    return true;
}

/* Preloaded into camfile by its tests: a card, or a process, that misbehaves where a preloaded
   library can show it.
   CAMSETUP_STOP_BEFORE_RENAME=1   the process stops itself (SIGSTOP) right before it renames, as
                                   a suspended process or a slow card stalls a write there;
   CAMSETUP_FLIP_ON_MEDIUM=IMAGE   right after a rename, one bit of the renamed file is flipped in
                                   IMAGE, the file system image the file lives on, beneath the
                                   page cache, as a failing card stores it;
   CAMSETUP_READS_DIFFER=1         every fread gives one byte otherwise than the last, as a card
                                   that returns different bytes on each read. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>

/* The offset in the image of the file's first byte; -1 when the file system does not tell. */
static long long PhysicalOffset(const char* path) {
    struct {
        struct fiemap map;
        struct fiemap_extent extent;
    } query;
    long long offset = -1;
    int fd = open(path, O_RDONLY);
    if (fd < 0)
        return -1;
    memset(&query, 0, sizeof query);
    query.map.fm_length = ~0ULL;
    query.map.fm_flags = FIEMAP_FLAG_SYNC;
    query.map.fm_extent_count = 1;
    if (ioctl(fd, FS_IOC_FIEMAP, &query.map) == 0 && query.map.fm_mapped_extents == 1)
        offset = (long long)query.extent.fe_physical;
    close(fd);
    return offset;
}

static void FlipOnMedium(const char* image, const char* path) {
    const long long offset = PhysicalOffset(path);
    int fd = open(image, O_RDWR);
    unsigned char byte;
    if (offset < 0 || fd < 0 || pread(fd, &byte, 1, offset + 10) != 1)
        abort();
    byte ^= 0x10;
    if (pwrite(fd, &byte, 1, offset + 10) != 1 || fsync(fd) != 0)
        abort();
    close(fd);
}

int rename(const char* from, const char* to) {
    int (*next)(const char*, const char*) =
        (int (*)(const char*, const char*))dlsym(RTLD_NEXT, "rename");
    const char* image = getenv("CAMSETUP_FLIP_ON_MEDIUM");
    int result;
    if (getenv("CAMSETUP_STOP_BEFORE_RENAME") != NULL)
        raise(SIGSTOP);
    result = next(from, to);
    if (result == 0 && image != NULL)
        FlipOnMedium(image, to);
    return result;
}

size_t fread(void* buf, size_t size, size_t count, FILE* f) {
    static unsigned char s_flip;
    size_t (*next)(void*, size_t, size_t, FILE*) =
        (size_t(*)(void*, size_t, size_t, FILE*))dlsym(RTLD_NEXT, "fread");
    const size_t got = next(buf, size, count, f);
    if (got > 0 && getenv("CAMSETUP_READS_DIFFER") != NULL)
        ((unsigned char*)buf)[0] ^= (unsigned char)++s_flip;
    return got;
}

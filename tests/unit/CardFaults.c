/* Preloaded into camfile by its tests. CAMSETUP_STOP_BEFORE_RENAME=1: a process that stalls just
   before a rename. CAMSETUP_FLIP_ON_MEDIUM=IMAGE: a card that, just after, holds a bit of the
   renamed file otherwise (flipped in IMAGE, its file system's image, beneath the page cache). */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

static void FlipOnMedium(const char* image, const char* path) {
    int block = 0, size = 0, file = open(path, O_RDONLY), fd = open(image, O_RDWR);
    unsigned char byte;
    off_t at = 0;
    if (file < 0 || fd < 0 || ioctl(file, FIGETBSZ, &size) != 0 ||
        ioctl(file, FIBMAP, &block) != 0 || block == 0)
        abort();
    at = (off_t)block * size + 10;
    if (pread(fd, &byte, 1, at) != 1)
        abort();
    byte ^= 0x10;
    if (pwrite(fd, &byte, 1, at) != 1 || fsync(fd) != 0)
        abort();
    close(file);
    close(fd);
}

int rename(const char* from, const char* to) {
    int (*next)(const char*, const char*) =
        (int (*)(const char*, const char*))dlsym(RTLD_NEXT, "rename");
    if (getenv("CAMSETUP_STOP_BEFORE_RENAME") != NULL)
        raise(SIGSTOP);
    const int result = next(from, to);
    if (result == 0 && getenv("CAMSETUP_FLIP_ON_MEDIUM") != NULL)
        FlipOnMedium(getenv("CAMSETUP_FLIP_ON_MEDIUM"), to);
    return result;
}

/* Preloaded into camfile by its tests: a process or a card that misbehaves at a rename.
   CAMSETUP_STOP_BEFORE_RENAME=1: the process stops (SIGSTOP) just before, as a suspended process
   or a slow card stalls a write there. CAMSETUP_FLIP_ON_MEDIUM=IMAGE: just after, a bit of the
   renamed file is flipped in IMAGE, the file system image it is on, beneath the page cache. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

static void FlipOnMedium(const char* image, const char* path) {
    int block = 0, size = 0, file = open(path, O_RDONLY), fd = open(image, O_RDWR);
    unsigned char byte;
    off_t at;
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
    int result;
    if (getenv("CAMSETUP_STOP_BEFORE_RENAME") != NULL)
        raise(SIGSTOP);
    result = next(from, to);
    if (result == 0 && getenv("CAMSETUP_FLIP_ON_MEDIUM") != NULL)
        FlipOnMedium(getenv("CAMSETUP_FLIP_ON_MEDIUM"), to);
    return result;
}

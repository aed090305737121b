/* Preloaded into camfile by its tests: a medium whose flush fails, as a card pulled out or gone
   bad makes it fail after every byte was accepted. */
#include <errno.h>

int fsync(int fd) {
    (void)fd;
    errno = EIO;
    return -1;
}

int fdatasync(int fd) {
    (void)fd;
    errno = EIO;
    return -1;
}

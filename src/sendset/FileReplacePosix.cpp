#include "sendset/FileIo.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An empty temporary file that no one holds may be one whose writer has created it and not yet
// locked it; it is taken for a leftover only when it is older than this.
constexpr time_t kEmptyLeftoverAgeSeconds = 60;

PathKind KindOf(const struct stat& st) {
    if (S_ISREG(st.st_mode))
        return PathKind::RegularFile;
    return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::Other;
}

// Opens path without waiting on a FIFO or device and without following a last link when
// noFollow; -1 unless it is a regular file.
int OpenRegular(const std::string& path, bool noFollow) {
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (noFollow ? O_NOFOLLOW : 0));
    if (fd < 0)
        return -1;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        errno = EINVAL;
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

FileIdentity IdentityOf(const struct stat& st) {
    FileIdentity id;
    id.volume = static_cast<uint64_t>(st.st_dev);
    id.file = static_cast<uint64_t>(st.st_ino);
#ifdef __APPLE__
    id.changed =
        static_cast<int64_t>(st.st_ctimespec.tv_sec) * 1000000000 + st.st_ctimespec.tv_nsec;
#else
    id.changed = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
#endif
    return id;
}

// How long an update waits for another run's update of the same file.
constexpr int kUpdateLockWaitMs = 10000;

} // namespace

bool IdentityOfOpenFile(FILE* f, FileIdentity* identity) {
    struct stat st;
    if (fstat(fileno(f), &st) != 0)
        return false;
    *identity = IdentityOf(st);
    return true;
}

void UseUtf8FilePaths() {}

PathKind GetPathKind(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? KindOf(st) : PathKind::Missing;
}

FILE* OpenFileForReading(const std::string& path) {
    int fd = OpenRegular(path, false);
    if (fd < 0)
        return nullptr;
    FILE* f = fdopen(fd, "rb");
    if (f == nullptr)
        close(fd);
    return f;
}

ReplaceTarget InspectReplaceTarget(const std::string& target) {
    ReplaceTarget t;
    t.file = target;
    struct stat st;
    if (lstat(target.c_str(), &st) != 0)
        return t; // missing: a new file
    if (S_ISLNK(st.st_mode)) {
        // The user's link stays; the file it names is the one to replace.
        char* resolved = realpath(target.c_str(), nullptr);
        if (resolved == nullptr || stat(resolved, &st) != 0) {
            free(resolved);
            t.kind = PathKind::Other; // a link to nothing
            return t;
        }
        t.file = resolved;
        free(resolved);
    }
    t.kind = KindOf(st);
    // A file the user made read-only stays as it is, as on Windows (rename alone would replace
    // it, since only the folder's permissions count).
    t.readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    t.mode = st.st_mode & 07777;
    t.owner = st.st_uid;
    t.group = st.st_gid;
    return t;
}

TempFile::~TempFile() {
    Discard();
}

TempFile::CreateResult TempFile::Create(const std::string& path, const ReplaceTarget& like) {
    Discard();
    const bool replacing = like.kind == PathKind::RegularFile;
    // Private until it has the replaced file's permissions (it may hold passwords).
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
    if (fd < 0)
        return errno == EEXIST ? CreateResult::NameTaken : CreateResult::Failed;
    // Held while it lives under this name: RemoveLeftoverTempFiles leaves locked files alone.
    flock(fd, LOCK_EX);
    handle_ = fd;
    path_ = path;
    if (replacing) {
        // Only root may give a file away; otherwise the group alone may still be kept. Best
        // effort: failing both, the file belongs to whoever runs the write.
        const uid_t owner = static_cast<uid_t>(like.owner);
        const gid_t group = static_cast<gid_t>(like.group);
        if (fchown(fd, owner, group) != 0 && fchown(fd, static_cast<uid_t>(-1), group) != 0)
            errno = 0;
        fchmod(fd, static_cast<mode_t>(like.mode));
    }
    return CreateResult::Created;
}

bool TempFile::WriteAndFlush(const uint8_t* data, size_t len) {
    const int fd = static_cast<int>(handle_);
    size_t done = 0;
    while (done < len) {
        ssize_t n = write(fd, data + done, len - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false; // a full card, or a file size limit (EFBIG once SIGXFSZ is ignored)
        done += static_cast<size_t>(n);
    }
    return fsync(fd) == 0;
}

bool TempFile::Replace(const std::string& target) {
    if (handle_ < 0 || rename(path_.c_str(), target.c_str()) != 0)
        return false;
    // The file is in place; what follows cannot undo that. Its identity now (the rename changed
    // its change time) tells the read-back whether the file there is still this one.
    struct stat st;
    if (fstat(static_cast<int>(handle_), &st) == 0)
        identity_ = IdentityOf(st);
    // Make the rename itself durable.
    std::string folder, name;
    SplitFilePath(target, &folder, &name);
    int dirFd = open(folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        close(dirFd);
    }
    close(static_cast<int>(handle_));
    handle_ = -1;
    path_.clear();
    return true;
}

void TempFile::Discard() {
    if (handle_ < 0)
        return;
    unlink(path_.c_str());
    close(static_cast<int>(handle_));
    handle_ = -1;
    path_.clear();
}

void RemoveLeftoverTempFiles(const std::string& file) {
    std::string folder, base;
    SplitFilePath(file, &folder, &base);
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return;
    const time_t now = time(nullptr);
    while (const struct dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (!IsTempFileNameOf(name, base))
            continue;
        const std::string path = MakeFilePath(folder.c_str(), name.c_str());
        int fd = OpenRegular(path, true);
        if (fd < 0)
            continue;
        // A live writer holds its file locked from just after creating it until it has replaced
        // the target with it (or removed it); an empty unlocked file may be in that first moment.
        struct stat st;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &st) == 0 &&
            (st.st_size > 0 || now - st.st_mtime >= kEmptyLeftoverAgeSeconds))
            unlink(path.c_str());
        close(fd);
    }
    closedir(dir);
}

FileUpdateLock::FileUpdateLock(const std::string& file) {
    // The folder is locked, not the file, which every update replaces.
    std::string folder, name;
    SplitFilePath(file, &folder, &name);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    for (int waited = 0; flock(fd, LOCK_EX | LOCK_NB) != 0; waited += 5) {
        if (waited >= kUpdateLockWaitMs || (errno != EWOULDBLOCK && errno != EINTR)) {
            close(fd);
            return;
        }
        usleep(5000);
    }
    handle_ = fd;
}

FileUpdateLock::~FileUpdateLock() {
    if (handle_ >= 0)
        close(static_cast<int>(handle_));
}

unsigned long CurrentProcessId() {
    return static_cast<unsigned long>(getpid());
}

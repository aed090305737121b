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

FileError FileErrorOf(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return FileError::NotFound;
    case EACCES:
    case EPERM:
        return FileError::Permission;
    case EROFS:
        return FileError::ReadOnlyMedium;
    case ENOSPC:
    case EDQUOT:
        return FileError::NoSpace;
    case EFBIG:
        return FileError::TooLarge;
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
        return FileError::Busy;
    case EIO:
    case ENXIO:
    case ENODEV:
        return FileError::Io;
    default:
        return FileError::Other;
    }
}

// Records errno as the reason of the failure being reported; false, for the caller to return.
bool NoteErrno() {
    SetLastFileError(FileErrorOf(errno));
    return false;
}

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
        return NoteErrno(), -1;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        errno = EINVAL;
        SetLastFileError(FileError::Other);
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

std::string RealPath(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return std::string();
    std::string out = resolved;
    free(resolved);
    return out;
}

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

std::string ResolveFilePath(const std::string& path) {
    std::string real = RealPath(path);
    if (!real.empty())
        return real;
    std::string folder, name;
    SplitFilePath(path, &folder, &name);
    real = RealPath(folder);
    if (real.empty())
        return path;
    return real == "/" ? "/" + name : MakeFilePath(real.c_str(), name.c_str());
}

ReplaceTarget InspectReplaceTarget(const std::string& target) {
    ReplaceTarget t;
    // The user's link stays; the file it names is the one to replace, beside it in its folder.
    t.file = ResolveFilePath(target);
    struct stat st;
    if (lstat(target.c_str(), &st) != 0)
        return t; // missing: a new file
    if (S_ISLNK(st.st_mode) && stat(t.file.c_str(), &st) != 0) {
        t.kind = PathKind::Other; // a link to nothing
        return t;
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
        return errno == EEXIST ? CreateResult::NameTaken : (NoteErrno(), CreateResult::Failed);
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
        if (n == 0)
            errno = ENOSPC;
        if (n <= 0)
            return NoteErrno(); // a full card, or a file size limit (EFBIG once SIGXFSZ is ignored)
        done += static_cast<size_t>(n);
    }
    return fsync(fd) == 0 || NoteErrno();
}

bool TempFile::Replace(const std::string& target) {
    if (handle_ < 0)
        return false;
    if (rename(path_.c_str(), target.c_str()) != 0)
        return NoteErrno();
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
        // the target with it (or removed it); one of the Windows build holds it in a way this
        // lock does not see, and none lives for a minute.
        struct stat st;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &st) == 0 &&
            now - st.st_mtime >= kLeftoverAgeSeconds)
            unlink(path.c_str());
        close(fd);
    }
    closedir(dir);
}

bool ReadFileFromMedium(const std::string& path, size_t limit, std::vector<uint8_t>* bytes,
                        FileIdentity* identity) {
    const int fd = OpenRegular(path, false);
    if (fd < 0)
        return false;
    struct stat st;
    if (fstat(fd, &st) != 0) {
        close(fd);
        return NoteErrno();
    }
    *identity = IdentityOf(st);
#ifdef POSIX_FADV_DONTNEED
    // The file was flushed, so its cached pages are clean and can go: the read below comes from
    // the card.
    fdatasync(fd);
    posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
#endif
    bytes->assign(limit, 0);
    size_t got = 0;
    while (got < limit) {
        const ssize_t n = pread(fd, bytes->data() + got, limit - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            close(fd);
            return NoteErrno();
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    close(fd);
    bytes->resize(got);
    return true;
}

FileUpdateLock::FileUpdateLock(const std::string& file) {
    // The folder is locked, not the file, which every update replaces; the folder the file really
    // is in, however it was named.
    std::string name;
    SplitFilePath(ResolveFilePath(file), &folder_, &name);
    int fd = open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error_ = FileErrorOf(errno);
        return;
    }
    for (int waited = 0; flock(fd, LOCK_EX | LOCK_NB) != 0; waited += 5) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            error_ = FileErrorOf(errno);
            close(fd);
            return;
        }
        if (waited >= kUpdateLockWaitMs) {
            state_ = State::Busy;
            close(fd);
            return;
        }
        usleep(5000);
    }
    handle_ = fd;
    state_ = State::Held;
}

FileUpdateLock::~FileUpdateLock() {
    if (handle_ >= 0)
        close(static_cast<int>(handle_));
}

unsigned long CurrentProcessId() {
    return static_cast<unsigned long>(getpid());
}

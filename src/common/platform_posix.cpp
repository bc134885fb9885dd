// What the program asks of POSIX systems: the file calls of the safe save and the file reader.
#include "common/safe_save.h"
#include "common/platform.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rqx {

// ---------------------------------------------------------------- the save's calls

int FileLayer::create(const QByteArray &path, int mode, int &fd)
{
    do
        fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return errno;
    if (mode >= 0)
        ::fchmod(fd, static_cast<mode_t>(mode));  // the old file's permissions; best effort
    return 0;
}

void FileLayer::keepOwner(int fd, int owner, int group)
{
    if (::fchown(fd, static_cast<uid_t>(owner), static_cast<gid_t>(group)) != 0)
        (void)!::fchown(fd, static_cast<uid_t>(-1), static_cast<gid_t>(group));  // the group at least
}

int FileLayer::write(int fd, const char *data, qint64 size, qint64 &written)
{
    ssize_t n;
    do
        n = ::write(fd, data, static_cast<size_t>(size));
    while (n < 0 && errno == EINTR);
    if (n < 0)
        return errno;
    if (n == 0)
        return ENOSPC;  // a regular file takes nothing only when the disk is full
    written = n;
    return 0;
}

int FileLayer::sync(int fd)
{
#if defined(Q_OS_LINUX)
    return ::fdatasync(fd) == 0 ? 0 : errno;
#else
    return ::fsync(fd) == 0 ? 0 : errno;
#endif
}

int FileLayer::close(int fd)
{
    // After EINTR the descriptor is gone all the same.
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

int FileLayer::rename(const QByteArray &from, const QByteArray &to)
{
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

int FileLayer::remove(const QByteArray &path)
{
    return ::unlink(path.constData()) == 0 ? 0 : errno;
}

int FileLayer::syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;  // a folder we may write but not read: the rename is not known to last
    int result = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    // Some file systems cannot sync a folder at all.
    if (result == EINVAL || result == ENOTSUP)
        result = 0;
    return result;
}

namespace system {

QByteArray EncodePath(const QString &path)
{
    return QFile::encodeName(path);
}

QString DecodePath(const QByteArray &path)
{
    return QFile::decodeName(path);
}

int InspectSaveTarget(const QByteArray &path, SaveTarget &target)
{
    target = {};
    struct stat st;
    if (::stat(path.constData(), &st) != 0)
        return 0;
    // A folder or a device is never replaced by a file.
    if (!S_ISREG(st.st_mode))
        return S_ISDIR(st.st_mode) ? EISDIR : ENODEV;
    // The rename would need only the folder's permission: a file the user protected is left
    // alone. No write bit at all counts as protected for root as well.
    if (::faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) != 0 || (st.st_mode & 0222) == 0)
        return kWriteProtected;
    target.exists = true;
    target.mode = static_cast<int>(st.st_mode & 07777);
    target.otherOwner = st.st_uid != ::geteuid() || st.st_gid != ::getegid();
    target.owner = static_cast<int>(st.st_uid);
    target.group = static_cast<int>(st.st_gid);
    return 0;
}

void KeepMode(int fd, int mode)
{
    if (mode >= 0)
        ::fchmod(fd, static_cast<mode_t>(mode));
}

qint64 CurrentProcessId()
{
    return ::getpid();
}

bool ProcessIsRunning(qint64 pid)
{
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

int MakeFolder(const QByteArray &path)
{
    return ::mkdir(path.constData(), 0777) == 0 ? 0 : errno;
}

void ChooseHeadlessGuiPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void UseBinaryStandardStreams() {}

// ---------------------------------------------------------------- reading

ReadOnlyFile::~ReadOnlyFile()
{
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
}

int ReadOnlyFile::open(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::stat(name.constData(), &st) != 0)
        return errno;
    if (!S_ISREG(st.st_mode))
        return S_ISDIR(st.st_mode) ? EISDIR : ENODEV;
    int fd;
    do
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return errno;
    handle_ = fd;
    size_ = st.st_size;
    return 0;
}

int ReadOnlyFile::read(char *data, qint64 size, qint64 &got)
{
    ssize_t n;
    do
        n = ::read(static_cast<int>(handle_), data, static_cast<size_t>(size));
    while (n < 0 && errno == EINTR);
    if (n < 0)
        return errno;
    got = n;
    return 0;
}

}  // namespace system

}  // namespace rqx

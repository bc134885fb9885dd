// What the program asks of Windows: the file calls of the safe save and the file reader, and the
// standard streams and platform of the command-line program. The sync is FlushFileBuffers; the new
// file takes the old one's attributes and access list and replaces it in one rename (MoveFileEx with
// write-through); the read-only attribute and the access list protect a file as the permission bits
// do elsewhere. Windows errors are turned into the errno values the messages are written for.
#include "common/safe_save.h"
#include "common/platform.h"

#include <QDir>

#include <cerrno>
#include <cstdio>
#include <limits>
#include <string>

#include <fcntl.h>
#include <io.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <aclapi.h>

namespace rqx {

namespace {

// The errno value a message names for a Windows error; what has no closer kin is an I/O error.
int ErrnoOf(DWORD error)
{
    switch (error) {
        case ERROR_SUCCESS:
            return 0;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return ENOENT;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD:
        case ERROR_CANNOT_MAKE:
            return EACCES;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return EBUSY;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_BUFFER_OVERFLOW:
            return ENAMETOOLONG;
        case ERROR_NOT_SAME_DEVICE:
            return EXDEV;
        case ERROR_TOO_MANY_OPEN_FILES:
            return EMFILE;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        case ERROR_FILE_TOO_LARGE:
            return EFBIG;
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_PARAMETER:
        case ERROR_NOT_SUPPORTED:
        case ERROR_INVALID_FUNCTION:
            return EINVAL;
        default:
            return EIO;
    }
}

int LastErrno()
{
    return ErrnoOf(::GetLastError());
}

std::wstring Wide(const QByteArray &path)
{
    return QDir::toNativeSeparators(QString::fromUtf8(path)).toStdWString();
}

HANDLE HandleOf(std::intptr_t fd)
{
    return LongToHandle(static_cast<LONG>(fd));
}

// Kernel handles fit in 32 bits on 64-bit Windows, so the save's descriptors can carry them.
int DescriptorOf(HANDLE handle)
{
    return HandleToLong(handle);
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// ReadFile and WriteFile take at most a DWORD at a time.
constexpr qint64 kMaxChunk = qint64(1) << 30;

// What is at `path`: ENOENT when nothing can be opened there, EISDIR for a folder, ENODEV for a
// device or a pipe, 0 for a file on a disk. Opened without access rights, so nothing is read.
int KindOf(const std::wstring &path)
{
    const HANDLE h = ::CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return LastErrno();
    int kind = 0;
    BY_HANDLE_FILE_INFORMATION info;
    if (::GetFileType(h) != FILE_TYPE_DISK)
        kind = ENODEV;
    else if (::GetFileInformationByHandle(h, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        kind = EISDIR;
    ::CloseHandle(h);
    return kind;
}

// The old file's attributes (hidden, system, …) and the entries of its access list that were set on
// the file itself go to the new file, as the owner and permission bits do elsewhere; best effort.
void KeepAttributesAndAccess(const std::wstring &old, const std::wstring &replacement)
{
    const DWORD attributes = ::GetFileAttributesW(old.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (attributes & kKept)
        ::SetFileAttributesW(replacement.c_str(), attributes & kKept);
    PACL access = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoW(old.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &access,
                                nullptr, &descriptor) != ERROR_SUCCESS)
        return;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ::GetSecurityDescriptorControl(descriptor, &control, &revision);
    // Inherited entries come from the folder again; a list protected from inheritance stays so.
    const SECURITY_INFORMATION what =
        DACL_SECURITY_INFORMATION |
        ((control & SE_DACL_PROTECTED) ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION);
    if (access)
        ::SetNamedSecurityInfoW(const_cast<wchar_t *>(replacement.c_str()), SE_FILE_OBJECT, what, nullptr, nullptr,
                                access, nullptr);
    ::LocalFree(descriptor);
}

}  // namespace

// ---------------------------------------------------------------- the save's calls

int FileLayer::create(const QByteArray &path, int, int &fd)
{
    // The new file takes the folder's access list; the replace gives it the old file's.
    const HANDLE h = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return LastErrno();
    fd = DescriptorOf(h);
    return 0;
}

void FileLayer::keepOwner(int, int, int)
{
    // The replace gives the new file the old one's access list (rename).
}

int FileLayer::write(int fd, const char *data, qint64 size, qint64 &written)
{
    DWORD n = 0;
    if (!::WriteFile(HandleOf(fd), data, static_cast<DWORD>(std::min(size, kMaxChunk)), &n, nullptr))
        return LastErrno();
    if (n == 0)
        return ENOSPC;
    written = n;
    return 0;
}

int FileLayer::sync(int fd)
{
    return ::FlushFileBuffers(HandleOf(fd)) ? 0 : LastErrno();
}

int FileLayer::close(int fd)
{
    return ::CloseHandle(HandleOf(fd)) ? 0 : LastErrno();
}

int FileLayer::rename(const QByteArray &from, const QByteArray &to)
{
    const std::wstring source = Wide(from);
    const std::wstring target = Wide(to);
    KeepAttributesAndAccess(target, source);
    // One rename that replaces the old file, returning once it is on the disk.
    if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    const DWORD error = ::GetLastError();
    // The user may write the old file (checked before) and the folder (the new file is there): a
    // refusal is another program holding the old file open.
    if ((error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) &&
        ::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES)
        return EBUSY;
    return ErrnoOf(error);
}

int FileLayer::remove(const QByteArray &path)
{
    return ::DeleteFileW(Wide(path).c_str()) ? 0 : LastErrno();
}

int FileLayer::syncFolder(const QByteArray &folder)
{
    const HANDLE h = ::CreateFileW(Wide(folder).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_ACCESS_DENIED ? 0 : ErrnoOf(error);  // a folder we may write into only
    }
    const bool flushed = ::FlushFileBuffers(h);
    const DWORD error = ::GetLastError();
    ::CloseHandle(h);
    // Some file systems cannot flush a folder at all.
    if (flushed || error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED || error == ERROR_ACCESS_DENIED)
        return 0;
    return ErrnoOf(error);
}

namespace system {

QByteArray EncodePath(const QString &path)
{
    return path.toUtf8();
}

QString DecodePath(const QByteArray &path)
{
    return QString::fromUtf8(path);
}

int InspectSaveTarget(const QByteArray &path, SaveTarget &target)
{
    target = {};
    const std::wstring name = Wide(path);
    if (const int kind = KindOf(name); kind != 0)
        return kind == EISDIR || kind == ENODEV ? kind : 0;
    // The read-only attribute protects a file from every user, as no write bit does elsewhere.
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return kWriteProtected;
    // The access list: may this user write the file? Opening it changes nothing. A file that
    // another program holds open is no protection: the replace reports it.
    const HANDLE h = ::CreateFileW(name.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (::GetLastError() == ERROR_ACCESS_DENIED)
            return kWriteProtected;
    } else {
        ::CloseHandle(h);
    }
    target.exists = true;
    return 0;
}

void KeepMode(int, int) {}

qint64 CurrentProcessId()
{
    return ::GetCurrentProcessId();
}

bool ProcessIsRunning(qint64 pid)
{
    if (pid <= 0 || pid > std::numeric_limits<DWORD>::max())
        return false;
    const HANDLE h = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!h)
        return ::GetLastError() == ERROR_ACCESS_DENIED;  // another user's process
    const bool running = ::WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
    ::CloseHandle(h);
    return running;
}

int MakeFolder(const QByteArray &path)
{
    return ::CreateDirectoryW(Wide(path).c_str(), nullptr) ? 0 : LastErrno();
}

void ChooseHeadlessGuiPlatform()
{
    // The Windows platform draws and prints without a screen of its own.
}

void UseBinaryStandardStreams()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

// ---------------------------------------------------------------- reading

ReadOnlyFile::~ReadOnlyFile()
{
    if (handle_ != -1)
        ::CloseHandle(HandleOf(handle_));
}

int ReadOnlyFile::open(const QString &path)
{
    const std::wstring name = Wide(path.toUtf8());
    if (const int kind = KindOf(name); kind != 0)
        return kind;
    const HANDLE h = ::CreateFileW(name.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return LastErrno();
    handle_ = DescriptorOf(h);
    LARGE_INTEGER size;
    size_ = ::GetFileSizeEx(h, &size) ? size.QuadPart : 0;
    return 0;
}

int ReadOnlyFile::read(char *data, qint64 size, qint64 &got)
{
    DWORD n = 0;
    if (!::ReadFile(HandleOf(handle_), data, static_cast<DWORD>(std::min(size, kMaxChunk)), &n, nullptr)) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_HANDLE_EOF)
            return ErrnoOf(error);
    }
    got = n;
    return 0;
}

}  // namespace system

}  // namespace rqx

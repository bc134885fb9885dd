#pragma once
// What differs between operating systems, one implementation per system (platform_posix.cpp,
// platform_windows.cpp): the file calls under the safe save and the project file reader, and how a
// command-line program draws and prints. The file calls report failures as errno values (ENOSPC,
// EACCES, EIO…), so that the messages of a save or a load read the same on every system. QtCore only.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace rqx::system {

// A path as the calls below take it: the system's file-name encoding on POSIX, UTF-8 on Windows
// (its wide-character calls take every name, whatever the code page).
QByteArray EncodePath(const QString &path);
QString DecodePath(const QByteArray &path);

// What a save finds at its target before it writes anything.
struct SaveTarget {
    bool exists = false;
    int mode = -1;            // the old file's permission bits for the new file; -1: the system's default
    bool otherOwner = false;  // owned by another user or group than this process's (POSIX)
    int owner = -1;
    int group = -1;
};

// 0, or why the target may not be replaced: EISDIR (a folder), ENODEV (a device, a pipe), or
// EACCES for a file the user may not write (permission bits, no write bit at all, the read-only
// attribute, an access list), although the folder would allow the replace. A target that cannot
// be looked at counts as absent: creating the temporary file then names the real problem.
int InspectSaveTarget(const QByteArray &path, SaveTarget &target);
// The old file's permission bits again after a change of owner (which may drop set-id bits).
void KeepMode(int fd, int mode);

// Makes one folder (its parent must exist): 0 or an errno value (EEXIST when something of that name is
// there, EACCES, EROFS…).
int MakeFolder(const QByteArray &path);

// This process's id, and whether a process of that id is running.
qint64 CurrentProcessId();
bool ProcessIsRunning(qint64 pid);

// A regular file open for reading.
class ReadOnlyFile {
public:
    ReadOnlyFile() = default;
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;
    ~ReadOnlyFile();

    // 0 or an errno value; a folder gives EISDIR and anything else that is no regular file ENODEV,
    // before it is opened for reading (a pipe or a device could block or never end).
    int open(const QString &path);
    // Reads up to `size` bytes; `got` = 0 at the end of the file. 0 or an errno value.
    int read(char *data, qint64 size, qint64 &got);
    // The size when opened; a file that grows or shrinks meanwhile is read to its end all the same.
    qint64 sizeHint() const { return size_; }

private:
    std::intptr_t handle_ = -1;
    qint64 size_ = 0;
};

// For a command-line program that draws pages, before its application object: where the windowing
// needs a display server, the offscreen platform unless one was chosen (Windows draws without one).
void ChooseHeadlessGuiPlatform();
// Standard output and error carry the bytes as written: no carriage return is added before a line
// feed, so a program prints the same bytes on every system.
void UseBinaryStandardStreams();

}  // namespace rqx::system

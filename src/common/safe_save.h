#pragma once
// Saving a file so that no failure costs the old one. The bytes go to a temporary file beside the
// target; every write is checked, the file is synced, closed and renamed over the target, and the
// folder is synced. On any failure the temporary file is removed and the target is left as it was,
// and the outcome names the failed step and the system's error (disk full, no permission, I/O error).
// A temporary file left behind by a save that was killed is removed by the next save of the target.
// QtCore only; usable from any thread (a save keeps no shared state).

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <cerrno>
#include <memory>

namespace rqx {

// The step of a save that failed.
enum class SaveStep {
    None,        // nothing failed
    Check,       // the target could not be used (a folder of that name, no such folder)
    Create,      // creating the temporary file
    Write,       // writing the bytes
    Sync,        // syncing the bytes to the disk
    Close,       // closing the temporary file
    Replace,     // renaming the temporary file over the target
    SyncFolder,  // syncing the folder after the rename: the new file is in place but may not last
};

// The error of a Check that found the target write-protected: its permission bits forbid the user to
// write it, although the folder would allow a replace.
inline constexpr int kWriteProtected = EACCES;

struct SaveOutcome {
    SaveStep step = SaveStep::None;
    int error = 0;  // errno of the failed call

    bool ok() const { return step == SaveStep::None; }
    explicit operator bool() const { return ok(); }
    // True when the target is still the old file (or still absent): every failure but SyncFolder.
    bool targetUntouched() const { return step != SaveStep::SyncFolder; }
    // The cause for a message box, in Japanese, one or two sentences.
    QString cause() const;
    // The cause for a terminal: "disk full (ENOSPC) while writing the temporary file".
    QString causeInEnglish() const;
};

// Cause of a system error in Japanese ("ディスクの空き容量が足りません。") and in English with its
// symbolic name ("disk full (ENOSPC)"); shared by the savers and the readers of files.
QString SystemErrorText(int error);
QString SystemErrorInEnglish(int error);

// The low-level calls a save makes; each returns 0 or an errno value. Tests put a failing layer
// under the savers; every other caller uses System().
class FileLayer {
public:
    virtual ~FileLayer() = default;
    // Creates a new file (it must not exist) for writing; mode < 0 keeps the default permissions.
    virtual int create(const QByteArray &path, int mode, int &fd);
    // Writes some of the bytes; `written` is how many.
    virtual int write(int fd, const char *data, qint64 size, qint64 &written);
    // Gives the new file the old one's owner and group; best effort, as the system allows.
    virtual void keepOwner(int fd, int owner, int group);
    virtual int sync(int fd);
    virtual int close(int fd);
    virtual int rename(const QByteArray &from, const QByteArray &to);
    virtual int remove(const QByteArray &path);
    virtual int syncFolder(const QByteArray &folder);

    static FileLayer &System();
};

// A device that saves its target safely: open() makes the temporary file, writes are buffered and
// checked, commit() makes the new file the target. Destroyed or cancelled without a commit, it
// removes the temporary file. For writers that stream (a PDF writer, a text stream).
class SafeSaveFile : public QIODevice {
public:
    explicit SafeSaveFile(const QString &path, FileLayer &layer = FileLayer::System());
    ~SafeSaveFile() override;

    // Only WriteOnly; removes stale temporary files of the target first.
    bool open(OpenMode mode) override;
    // Flush, sync, close, rename, sync the folder. The device is closed afterwards in every case.
    SaveOutcome commit();
    // Drops everything written; the target stays as it was.
    void cancel();
    // The first failure so far (None while all went well).
    const SaveOutcome &outcome() const { return outcome_; }
    // The target after following a symbolic link, and the temporary file's path.
    QString targetPath() const;
    QString temporaryPath() const;

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    bool fail(SaveStep step, int error);
    bool writeThrough(const char *data, qint64 size);
    bool flushBuffer();
    void discard();

    FileLayer &layer_;
    QString path_;
    QByteArray target_;     // encoded target path
    QByteArray temporary_;  // encoded temporary path; empty while none exists
    int fd_ = -1;
    QByteArray buffer_;
    SaveOutcome outcome_;
};

// Saves `bytes` as the whole content of `path`.
SaveOutcome SaveFileSafely(const QString &path, QByteArrayView bytes, FileLayer &layer = FileLayer::System());

// The temporary file a save of `path` uses in this process, and whether `name` (a bare file name)
// is one of a save of `targetName` by any process; for the clean-up and the tests.
QString TemporaryPathFor(const QString &path);
bool IsTemporaryNameOf(const QString &name, const QString &targetName);

}  // namespace rqx

#pragma once
// Recovery copies of changed projects, kept in a folder of the per-user data folder so that a crash
// loses at most a few minutes of work. Each running program is one run: it holds the lock
// <run>.lock there while it runs and writes only its own copy <run>.rqxrecovery; a copy whose
// run lock can be taken belongs to a program that is no longer running and is offered to the next
// start. A copy is a short text header (original file path, building name, time) followed by the
// project file's bytes. QtCore only.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>

class QLockFile;

namespace rqx {

struct RecoveryCopy {
    QString copyPath;      // the recovery file
    QString originalPath;  // the project file the copy was made from; "新規データ" when never saved
    QString buildingName;
    QDateTime written;        // when the copy was taken (UTC)
    QByteArray projectBytes;  // the project file's bytes (filled by ReadRecoveryCopy)
};

// The copy's file bytes, and back. ParseRecoveryCopy refuses (with a reason) anything that is not a
// whole copy: a wrong first line, a header without its fields, bytes missing or damaged.
QByteArray FormatRecoveryCopy(const RecoveryCopy &copy);
bool ParseRecoveryCopy(const QByteArray &bytes, RecoveryCopy &out, QString *reason = nullptr);
bool ReadRecoveryCopy(const QString &path, RecoveryCopy &out, QString *reason = nullptr);

class RecoveryStore {
public:
    // folder: where copies and run locks live (created when needed).
    explicit RecoveryStore(const QString &folder);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    // <per-user data folder>/recovery
    static QString DefaultFolder();

    // Starts this program's run: a new run name whose lock is held until destruction.
    // False when the folder cannot be used (no copies are written then).
    bool openRun();
    bool runOpen() const { return lock_ != nullptr; }
    QString folder() const { return folder_; }
    QString runCopyPath() const;

    // Replaces this run's copy (temporary file, then rename). Any thread; one writer at a time.
    bool writeCopy(const RecoveryCopy &copy, QString *reason = nullptr) const;
    // Removes this run's copy; true when none is left.
    bool removeCopy() const;

    // Copies of runs that have ended (their lock could be taken), newest first, headers
    // only. Their locks are held by this store until adopt() or discard(), so two programs starting
    // together never offer the same copy. Damaged copies are listed with an empty `written`. The
    // locks of ended runs that left no copy are removed, so crashes do not pile them up.
    QList<RecoveryCopy> claimOrphans();
    // Makes an orphan this run's own copy (after it was restored): it stays until a save or a
    // clean exit.
    bool adopt(const QString &copyPath);
    // Deletes an orphan copy and its lock.
    bool discard(const QString &copyPath);
    // Gives up the orphans not adopted or discarded; they are offered again next time.
    void releaseOrphans();

private:
    QString folder_;
    QString run_;
    std::unique_ptr<QLockFile> lock_;
    QList<std::pair<QString, std::shared_ptr<QLockFile>>> orphanLocks_;  // copy path, its lock
};

// A running program's claim on an open project file, so that a second program opening the same
// file learns of it. The lock lives in the per-user folder (named by the file's canonical path), so
// read-only project folders work and nothing is left beside the project.
class ProjectLock {
public:
    explicit ProjectLock(const QString &lockFolder);
    ~ProjectLock();
    static QString DefaultFolder();  // <per-user data folder>/locks

    // Claims `path`; false when another running program holds it (the claim then moves nowhere and
    // the old one is released). An empty path or "新規データ" just releases.
    bool claim(const QString &path);
    void release();
    QString claimedPath() const { return path_; }

private:
    QString folder_;
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace rqx

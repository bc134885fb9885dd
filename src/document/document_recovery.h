#pragma once
// DocumentRecovery ties the open project to its recovery copies and its file lock: a copy while it
// has unsaved changes (every few minutes, after every 50 edits), none once it equals its file, the
// copy's removal at a clean exit, and the restore of a copy left by a program that crashed (the
// restored project keeps its original path and is marked changed). The open project file is
// claimed with a lock so that a second running program opening it is told. No window here.

#include <QObject>
#include <QString>

#include <memory>

#include "model/recovery_autosave.h"
#include "model/recovery_store.h"

namespace rqx {

class ProjectDocument;

class DocumentRecovery : public QObject {
    Q_OBJECT
public:
    // recoveryFolder / lockFolder: RecoveryStore::DefaultFolder() and ProjectLock::DefaultFolder()
    // in the program, temporary folders in tests.
    DocumentRecovery(ProjectDocument &document, const QString &recoveryFolder, const QString &lockFolder,
                     QObject *parent = nullptr);
    // A clean end of the program: the copy is removed after the writes already asked for.
    ~DocumentRecovery() override;

    RecoveryStore &store() { return store_; }
    RecoveryAutosave &autosave() { return *autosave_; }

    // Copies left by programs that are no longer running, newest first (see RecoveryStore).
    QList<RecoveryCopy> claimLeftCopies() { return store_.claimOrphans(); }
    // Reads the copy into the document: its original path, marked changed, the copy now this
    // program's own. False with a reason when the copy cannot be read; the document is then untouched.
    bool restore(const QString &copyPath, QString *reason = nullptr);
    void discard(const QString &copyPath) { store_.discard(copyPath); }

signals:
    // The project just opened or saved is also open in another running program.
    void openElsewhere(const QString &path);
    // A recovery copy could not be written (the reason in English): a crash now would lose the
    // changes since the last copy. Tried again shortly; recoveryWorks() when a copy is written again.
    void recoveryFailing(const QString &reason);
    void recoveryWorks();

private:
    void claimOpenFile();

    ProjectDocument &document_;
    RecoveryStore store_;
    ProjectLock fileLock_;
    std::unique_ptr<RecoveryAutosave> autosave_;
};

}  // namespace rqx

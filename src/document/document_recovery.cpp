#include "document/document_recovery.h"

#include "document/project_document.h"
#include "model/project_file.h"

namespace rqx {

namespace {

// The bytes a save of the project in `bytes` would write. Bytes the reader refuses stay as they are:
// a copy that cannot be read back is still the best there is.
QByteArray SaveBytesOf(const QByteArray &bytes)
{
    Project project;
    if (!ParseProject(bytes, project))
        return bytes;
    PrepareProjectForSave(project);
    return SerializeProject(project);
}

}  // namespace

DocumentRecovery::DocumentRecovery(ProjectDocument &document, const QString &recoveryFolder,
                                   const QString &lockFolder, QObject *parent)
    : QObject(parent), document_(document), store_(recoveryFolder), fileLock_(lockFolder)
{
    store_.openRun();
    // The window thread only turns the project into bytes; the worker makes them what a save
    // writes (outline marks, the program's name and version) before writing the copy.
    autosave_ = std::make_unique<RecoveryAutosave>(
        store_,
        [this] {
            RecoveryCopy copy;
            copy.originalPath = document_.dataFilePath();
            copy.buildingName = document_.project().info.buildingName;
            copy.projectBytes = SerializeProject(document_.project());
            return copy;
        },
        nullptr, [](RecoveryCopy &copy) { copy.projectBytes = SaveBytesOf(copy.projectBytes); });
    connect(autosave_.get(), &RecoveryAutosave::copyFailed, this, [this](const QString &reason) {
        qWarning("velmrqx: recovery copy not written: %s", qPrintable(reason));
        emit recoveryFailing(reason);
    });
    connect(autosave_.get(), &RecoveryAutosave::copyWorksAgain, this, &DocumentRecovery::recoveryWorks);
    connect(&document_, &ProjectDocument::changed, this, [this] {
        if (document_.isDirty())
            autosave_->noteEdit();
    });
    connect(&document_, &ProjectDocument::dirtyChanged, this, [this](bool dirty) {
        if (dirty)
            return;
        autosave_->noteClean();
        claimOpenFile();  // Save As moves the claim to the new file
    });
    connect(&document_, &ProjectDocument::projectReplaced, this, &DocumentRecovery::claimOpenFile);
    claimOpenFile();
}

DocumentRecovery::~DocumentRecovery()
{
    autosave_->noteClean();
    autosave_.reset();  // waits for the removal
}

void DocumentRecovery::claimOpenFile()
{
    const QString path = document_.isNewData() ? QString() : document_.dataFilePath().trimmed();
    if (path == fileLock_.claimedPath())
        return;
    if (!fileLock_.claim(path))
        emit openElsewhere(path);
}

bool DocumentRecovery::restore(const QString &copyPath, QString *reason)
{
    RecoveryCopy copy;
    if (!ReadRecoveryCopy(copyPath, copy, reason))
        return false;
    Project restored;
    if (!ParseProject(copy.projectBytes, restored, reason))
        return false;
    document_.adoptRestoredProject(std::move(restored), copy.originalPath);
    autosave_->waitForWrites();  // a removal asked for by the replacement must not take the adopted copy
    store_.adopt(copy.copyPath);
    autosave_->noteChangedProject();
    return true;
}

}  // namespace rqx

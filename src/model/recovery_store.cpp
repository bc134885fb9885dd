#include "model/recovery_store.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>

#include "common/safe_save.h"

namespace rqx {

namespace {

const QByteArray kFirstLine = QByteArrayLiteral("VELM-RQX recovery copy 1");
const QString kCopySuffix = QStringLiteral(".rqxrecovery");
const QString kLockSuffix = QStringLiteral(".lock");

// Locks are held for a whole run: only a dead owner makes one stale, never its age.
std::unique_ptr<QLockFile> TryLock(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

QByteArray Field(const QByteArray &name, const QString &value)
{
    return name + ": " + QUrl::toPercentEncoding(value, " /:()") + '\n';
}

QString Sha1Hex(QByteArrayView bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

bool Refuse(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}

QString PerUserFolder(const QString &name)
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(name);
}

}  // namespace

QByteArray FormatRecoveryCopy(const RecoveryCopy &copy)
{
    QByteArray out = kFirstLine + '\n';
    out += Field("path", copy.originalPath);
    out += Field("building", copy.buildingName);
    out += Field("written", copy.written.toUTC().toString(Qt::ISODateWithMs));
    out += Field("bytes", QString::number(copy.projectBytes.size()));
    out += Field("sha1", Sha1Hex(copy.projectBytes));
    out += '\n';
    out += copy.projectBytes;
    return out;
}

bool ParseRecoveryCopy(const QByteArray &bytes, RecoveryCopy &out, QString *reason)
{
    const qsizetype headerEnd = bytes.indexOf("\n\n");
    if (!bytes.startsWith(kFirstLine + '\n') || headerEnd < 0)
        return Refuse(reason, QStringLiteral("not a recovery copy"));
    QHash<QByteArray, QString> fields;
    for (const QByteArray &line : bytes.left(headerEnd).split('\n').mid(1)) {
        const qsizetype colon = line.indexOf(": ");
        if (colon > 0)
            fields.insert(line.left(colon),
                          QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(colon + 2))));
    }
    for (const char *name : {"path", "building", "written", "bytes", "sha1"})
        if (!fields.contains(name))
            return Refuse(reason, QStringLiteral("the header has no %1").arg(QLatin1String(name)));
    bool countOk = false;
    const qsizetype count = fields.value("bytes").toLongLong(&countOk);
    const QByteArrayView body = QByteArrayView(bytes).sliced(headerEnd + 2);
    if (!countOk || count != body.size())
        return Refuse(
            reason,
            QStringLiteral("%1 project bytes instead of %2").arg(body.size()).arg(fields.value("bytes")));
    if (Sha1Hex(body) != fields.value("sha1"))
        return Refuse(reason, QStringLiteral("the project bytes are damaged"));
    out.originalPath = fields.value("path");
    out.buildingName = fields.value("building");
    out.written = QDateTime::fromString(fields.value("written"), Qt::ISODateWithMs);
    out.projectBytes = body.toByteArray();
    return true;
}

bool ReadRecoveryCopy(const QString &path, RecoveryCopy &out, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refuse(reason, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Refuse(reason, file.errorString());
    if (!ParseRecoveryCopy(bytes, out, reason))
        return false;
    out.copyPath = path;
    return true;
}

// ---- RecoveryStore ----

RecoveryStore::RecoveryStore(const QString &folder) : folder_(QDir::cleanPath(folder)) {}

RecoveryStore::~RecoveryStore()
{
    releaseOrphans();
    if (lock_)
        lock_->unlock();  // removes the lock file
}

QString RecoveryStore::DefaultFolder()
{
    return PerUserFolder(QStringLiteral("recovery"));
}

bool RecoveryStore::openRun()
{
    if (lock_)
        return true;
    if (!QDir().mkpath(folder_))
        return false;
    for (int attempt = 0; attempt < 8 && !lock_; ++attempt) {
        run_ = QStringLiteral("run-%1-%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        if (!QFileInfo::exists(runCopyPath()))
            lock_ = TryLock(QDir(folder_).filePath(run_ + kLockSuffix));
    }
    if (!lock_)
        run_.clear();
    return lock_ != nullptr;
}

QString RecoveryStore::runCopyPath() const
{
    return run_.isEmpty() ? QString() : QDir(folder_).filePath(run_ + kCopySuffix);
}

bool RecoveryStore::writeCopy(const RecoveryCopy &copy, QString *reason) const
{
    if (!lock_)
        return Refuse(reason, QStringLiteral("no recovery run open"));
    // Temporary file beside it, every step checked, then renamed: a crash mid-write keeps the last copy.
    const SaveOutcome outcome = SaveFileSafely(runCopyPath(), FormatRecoveryCopy(copy));
    return outcome.ok() || Refuse(reason, outcome.causeInEnglish());
}

bool RecoveryStore::removeCopy() const
{
    const QString path = runCopyPath();
    return path.isEmpty() || !QFileInfo::exists(path) || QFile::remove(path);
}

QList<RecoveryCopy> RecoveryStore::claimOrphans()
{
    QList<RecoveryCopy> copies;
    const QDir dir(folder_);
    // A run that ended without a copy leaves only its lock: taken now, it is released and gone.
    for (const QFileInfo &info : dir.entryInfoList({QStringLiteral("*") + kLockSuffix}, QDir::Files)) {
        if (info.completeBaseName() == run_ || dir.exists(info.completeBaseName() + kCopySuffix))
            continue;
        if (std::unique_ptr<QLockFile> lock = TryLock(info.absoluteFilePath()))
            lock->unlock();
    }
    for (const QFileInfo &info : dir.entryInfoList({QStringLiteral("*") + kCopySuffix}, QDir::Files)) {
        if (info.absoluteFilePath() == QFileInfo(runCopyPath()).absoluteFilePath())
            continue;
        const QString lockPath = dir.filePath(info.completeBaseName() + kLockSuffix);
        const bool mine = std::any_of(orphanLocks_.cbegin(), orphanLocks_.cend(), [&](const auto &held) {
            return held.first == info.absoluteFilePath();
        });
        if (!mine) {
            std::unique_ptr<QLockFile> lock = TryLock(lockPath);
            if (!lock)
                continue;  // its program is still running
            orphanLocks_.append({info.absoluteFilePath(), std::shared_ptr<QLockFile>(std::move(lock))});
        }
        RecoveryCopy copy;
        if (!ReadRecoveryCopy(info.absoluteFilePath(), copy)) {
            copy = RecoveryCopy();
            copy.copyPath = info.absoluteFilePath();
        }
        copy.projectBytes.clear();
        copies.append(copy);
    }
    std::sort(copies.begin(), copies.end(),
              [](const RecoveryCopy &a, const RecoveryCopy &b) { return a.written > b.written; });
    return copies;
}

bool RecoveryStore::adopt(const QString &copyPath)
{
    if (!lock_)
        return false;
    const QString from = QFileInfo(copyPath).absoluteFilePath();
    removeCopy();
    if (!QFile::rename(from, runCopyPath()))
        return false;
    return discard(from);  // only the lock is left there
}

bool RecoveryStore::discard(const QString &copyPath)
{
    const QString path = QFileInfo(copyPath).absoluteFilePath();
    const auto held = std::find_if(orphanLocks_.begin(), orphanLocks_.end(),
                                   [&](const auto &entry) { return entry.first == path; });
    if (held == orphanLocks_.end())
        return false;
    const bool removed = !QFileInfo::exists(path) || QFile::remove(path);
    // A temporary file of a write the crash interrupted.
    const QFileInfo info(path);
    for (const QString &name : info.dir().entryList(QDir::Files | QDir::Hidden))
        if (IsTemporaryNameOf(name, info.fileName()))
            QFile::remove(info.dir().filePath(name));
    held->second->unlock();
    orphanLocks_.erase(held);
    return removed;
}

void RecoveryStore::releaseOrphans()
{
    for (auto &held : orphanLocks_)
        held.second->unlock();
    orphanLocks_.clear();
}

// ---- ProjectLock ----

ProjectLock::ProjectLock(const QString &lockFolder) : folder_(lockFolder) {}

ProjectLock::~ProjectLock() = default;

QString ProjectLock::DefaultFolder()
{
    return PerUserFolder(QStringLiteral("locks"));
}

bool ProjectLock::claim(const QString &path)
{
    release();
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty() || trimmed == QStringLiteral("新規データ"))
        return true;
    QFileInfo info(trimmed);
    const QString canonical = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    if (!QDir().mkpath(folder_))
        return true;  // nothing to compare with: the open goes on unguarded
    const QString name = Sha1Hex(canonical.toUtf8()) + kLockSuffix;
    lock_ = TryLock(QDir(folder_).filePath(name));
    if (!lock_)
        return false;
    path_ = trimmed;
    return true;
}

void ProjectLock::release()
{
    lock_.reset();  // unlocks
    path_.clear();
}

}  // namespace rqx

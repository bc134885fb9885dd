#include "common/safe_save.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include "common/platform.h"

namespace rqx {

namespace {

// Writes are gathered up to this size before they go to the file.
constexpr qint64 kBufferBytes = 64 * 1024;
const QString kTemporaryMark = QStringLiteral(".saving-");

struct ErrorName {
    int error;
    const char *name;
    const char *english;
    const char16_t *japanese;
};

const ErrorName kErrorNames[] = {
    {ENOSPC, "ENOSPC", "disk full", u"ディスクの空き容量が足りません"},
#ifdef EDQUOT
    {EDQUOT, "EDQUOT", "disk quota exceeded", u"ディスクの使用量の上限を超えました"},
#endif
    {EACCES, "EACCES", "no permission", u"アクセスする権限がありません"},
    {EPERM, "EPERM", "operation not permitted", u"アクセスする権限がありません"},
    {EROFS, "EROFS", "read-only file system", u"読み取り専用のドライブです"},
    {EIO, "EIO", "I/O error", u"ディスクの入出力エラーが起きました"},
    {ENOENT, "ENOENT", "no such file or folder", u"ファイルまたはフォルダがありません"},
    {ENOTDIR, "ENOTDIR", "a part of the path is not a folder", u"パスの途中がフォルダではありません"},
    {EISDIR, "EISDIR", "is a folder", u"同じ名前のフォルダがあります"},
    {ENAMETOOLONG, "ENAMETOOLONG", "name too long", u"ファイル名が長すぎます"},
    {EFBIG, "EFBIG", "file too large", u"ファイルが大きすぎます"},
    {EBUSY, "EBUSY", "busy", u"ファイルまたはドライブが使用中です"},
    {ETXTBSY, "ETXTBSY", "file busy", u"ファイルが使用中です"},
    {EEXIST, "EEXIST", "file exists", u"同じ名前のファイルがあります"},
    {EMFILE, "EMFILE", "too many open files", u"開いているファイルが多すぎます"},
    {ENFILE, "ENFILE", "too many open files in the system", u"開いているファイルが多すぎます"},
    {ENOMEM, "ENOMEM", "out of memory", u"メモリが足りません"},
    {ELOOP, "ELOOP", "too many symbolic links", u"シンボリックリンクが循環しています"},
    {EXDEV, "EXDEV", "not on the same file system", u"同じドライブの中で置き換えられません"},
    {EINVAL, "EINVAL", "invalid argument", u"この操作はこのドライブではできません"},
    {ENODEV, "ENODEV", "not a regular file", u"通常のファイルではありません"},
};

const ErrorName *FindError(int error)
{
    for (const ErrorName &e : kErrorNames)
        if (e.error == error)
            return &e;
    return nullptr;
}

QString StepText(SaveStep step)
{
    switch (step) {
        case SaveStep::None:
            return QString();
        case SaveStep::Check:
            return QStringLiteral("保存先の確認");
        case SaveStep::Create:
            return QStringLiteral("一時ファイルの作成");
        case SaveStep::Write:
            return QStringLiteral("書き込み");
        case SaveStep::Sync:
            return QStringLiteral("ディスクへの書き込みの確定");
        case SaveStep::Close:
            return QStringLiteral("ファイルを閉じる処理");
        case SaveStep::Replace:
            return QStringLiteral("元のファイルとの置き換え");
        case SaveStep::SyncFolder:
            return QStringLiteral("フォルダの更新の確定");
    }
    return QString();
}

const char *StepInEnglish(SaveStep step)
{
    switch (step) {
        case SaveStep::None:
            return "";
        case SaveStep::Check:
            return "checking the target";
        case SaveStep::Create:
            return "creating the temporary file";
        case SaveStep::Write:
            return "writing";
        case SaveStep::Sync:
            return "syncing to disk";
        case SaveStep::Close:
            return "closing";
        case SaveStep::Replace:
            return "renaming over the old file";
        case SaveStep::SyncFolder:
            return "syncing the folder";
    }
    return "";
}

// The name part of a temporary file: the target's name, or for a name too long to take the
// suffix, a digest of it.
QString TemporaryStem(const QString &targetName)
{
    if (system::EncodePath(targetName).size() <= 200)
        return QLatin1Char('.') + targetName;
    const QByteArray digest =
        QCryptographicHash::hash(targetName.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral(".velm-") + QString::fromLatin1(digest);
}

// Removes temporary files of `targetPath` left by saves of processes that no longer run, and
// this process's own one.
void RemoveStaleTemporaries(const QString &targetPath, FileLayer &layer)
{
    const QFileInfo target(targetPath);
    const QString stem = TemporaryStem(target.fileName()) + kTemporaryMark;
    // No name filter: wildcard characters in the target's name would be read as wildcards.
    QDirIterator it(target.absolutePath(), QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = it.fileName();
        if (!name.startsWith(stem))
            continue;
        bool number = false;
        const qint64 pid = QStringView(name).mid(stem.size()).toLongLong(&number);
        if (number && (pid == system::CurrentProcessId() || !system::ProcessIsRunning(pid)))
            layer.remove(system::EncodePath(path));
    }
}

}  // namespace

// ---------------------------------------------------------------- outcome texts

QString SystemErrorText(int error)
{
    if (const ErrorName *e = FindError(error))
        return QString::fromUtf16(e->japanese) + QStringLiteral("。");
    return QStringLiteral("エラーが起きました（%1）。").arg(QString::fromLocal8Bit(std::strerror(error)));
}

QString SystemErrorInEnglish(int error)
{
    if (const ErrorName *e = FindError(error))
        return QStringLiteral("%1 (%2)").arg(QLatin1String(e->english), QLatin1String(e->name));
    return QStringLiteral("%1 (errno %2)").arg(QString::fromLocal8Bit(std::strerror(error))).arg(error);
}

QString SaveOutcome::cause() const
{
    if (ok())
        return QString();
    if (step == SaveStep::SyncFolder)
        return QStringLiteral(
                   "新しいファイルは書き込みましたが、フォルダの更新をディスクに確定できませんでした"
                   "（停電などで失われるおそれがあります）。\r") +
               SystemErrorText(error);
    if (step == SaveStep::Check && error == kWriteProtected)
        return QStringLiteral(
            "ファイルは書き込みが禁止されています（読み取り専用）。"
            "書き込みを許可するか、別の名前で保存してください。");
    const ErrorName *e = FindError(error);
    QString what = e ? QString::fromUtf16(e->japanese) : QStringLiteral("エラーが起きました");
    if (step == SaveStep::Create && (error == ENOENT || error == ENOTDIR))
        what = QStringLiteral("保存先のフォルダがありません");
    else if (step == SaveStep::Create && (error == EACCES || error == EPERM))
        what = QStringLiteral("保存先のフォルダに書き込む権限がありません");
    const QString name = e ? QLatin1String(e->name) : QString::fromLocal8Bit(std::strerror(error));
    return what + QStringLiteral("（") + StepText(step) + QStringLiteral("中、") + name +
           QStringLiteral("）。");
}

QString SaveOutcome::causeInEnglish() const
{
    if (ok())
        return QString();
    if (step == SaveStep::Check && error == kWriteProtected)
        return QStringLiteral("the file is write-protected (read-only); it was left unchanged");
    return SystemErrorInEnglish(error) + QStringLiteral(" while ") + QLatin1String(StepInEnglish(step));
}

// ---------------------------------------------------------------- the system's calls

// The calls themselves are in platform_posix.cpp and platform_windows.cpp.
FileLayer &FileLayer::System()
{
    static FileLayer layer;
    return layer;
}

// ---------------------------------------------------------------- the device

SafeSaveFile::SafeSaveFile(const QString &path, FileLayer &layer) : layer_(layer), path_(path) {}

SafeSaveFile::~SafeSaveFile()
{
    discard();
}

QString SafeSaveFile::targetPath() const
{
    return system::DecodePath(target_);
}

QString SafeSaveFile::temporaryPath() const
{
    return system::DecodePath(temporary_);
}

bool SafeSaveFile::fail(SaveStep step, int error)
{
    if (outcome_.ok()) {
        outcome_ = {step, error};
        setErrorString(outcome_.causeInEnglish());
    }
    return false;
}

bool SafeSaveFile::open(OpenMode mode)
{
    if (isOpen() || (mode & ~(QIODevice::WriteOnly | QIODevice::Unbuffered | QIODevice::Truncate)) ||
        !(mode & QIODevice::WriteOnly)) {
        setErrorString(QStringLiteral("a safe save opens write-only, once"));
        return false;
    }
    outcome_ = {};
    if (path_.isEmpty())
        return fail(SaveStep::Check, ENOENT);
    // A link keeps pointing at the project: the file it names is replaced.
    QString target = path_;
    const QFileInfo info(path_);
    if (info.isSymLink()) {
        const QString resolved = info.canonicalFilePath();
        target = resolved.isEmpty() ? info.symLinkTarget() : resolved;
    }
    target_ = system::EncodePath(target);

    system::SaveTarget old;
    if (const int error = system::InspectSaveTarget(target_, old); error != 0)
        return fail(SaveStep::Check, error);
    RemoveStaleTemporaries(target, layer_);
    const QByteArray temporary = system::EncodePath(TemporaryPathFor(target));
    const int error = layer_.create(temporary, old.mode, fd_);
    if (error != 0) {
        fd_ = -1;
        return fail(SaveStep::Create, error);
    }
    // A save by another user (root above all) keeps the file its owner's where the system lets it.
    if (old.exists && old.otherOwner) {
        layer_.keepOwner(fd_, old.owner, old.group);
        system::KeepMode(fd_, old.mode);  // a change of owner may drop set-id bits
    }
    temporary_ = temporary;
    buffer_.clear();
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return true;
}

bool SafeSaveFile::writeThrough(const char *data, qint64 size)
{
    while (size > 0) {
        qint64 written = 0;
        if (const int error = layer_.write(fd_, data, size, written); error != 0)
            return fail(SaveStep::Write, error);
        data += written;
        size -= written;
    }
    return true;
}

bool SafeSaveFile::flushBuffer()
{
    if (buffer_.isEmpty())
        return true;
    const bool ok = writeThrough(buffer_.constData(), buffer_.size());
    buffer_.clear();
    return ok;
}

qint64 SafeSaveFile::readData(char *, qint64)
{
    return -1;
}

qint64 SafeSaveFile::writeData(const char *data, qint64 size)
{
    if (!outcome_.ok() || fd_ < 0)
        return -1;
    if (buffer_.size() + size > kBufferBytes) {
        if (!flushBuffer())
            return -1;
        if (size >= kBufferBytes)
            return writeThrough(data, size) ? size : -1;
    }
    if (buffer_.capacity() < kBufferBytes)
        buffer_.reserve(kBufferBytes);
    buffer_.append(data, size);
    return size;
}

SaveOutcome SafeSaveFile::commit()
{
    if (!isOpen() && outcome_.ok())
        fail(SaveStep::Create, EBADF);
    if (outcome_.ok() && flushBuffer()) {
        if (const int error = layer_.sync(fd_); error != 0) {
            fail(SaveStep::Sync, error);
        } else {
            const int closeError = layer_.close(fd_);
            fd_ = -1;
            if (closeError != 0) {
                fail(SaveStep::Close, closeError);
            } else if (const int renameError = layer_.rename(temporary_, target_); renameError != 0) {
                fail(SaveStep::Replace, renameError);
            } else {
                temporary_.clear();  // it is the target now
                const QByteArray folder = system::EncodePath(QFileInfo(targetPath()).absolutePath());
                if (const int syncError = layer_.syncFolder(folder); syncError != 0)
                    fail(SaveStep::SyncFolder, syncError);
            }
        }
    }
    discard();
    return outcome_;
}

void SafeSaveFile::cancel()
{
    discard();
}

void SafeSaveFile::discard()
{
    if (fd_ >= 0) {
        layer_.close(fd_);
        fd_ = -1;
    }
    if (!temporary_.isEmpty()) {
        layer_.remove(temporary_);
        temporary_.clear();
    }
    buffer_.clear();
    if (isOpen())
        QIODevice::close();
}

// ---------------------------------------------------------------- helpers

SaveOutcome SaveFileSafely(const QString &path, QByteArrayView bytes, FileLayer &layer)
{
    SafeSaveFile file(path, layer);
    if (!file.open(QIODevice::WriteOnly))
        return file.outcome();
    file.write(bytes.data(), bytes.size());  // a failure is kept and reported by the commit
    return file.commit();
}

QString TemporaryPathFor(const QString &path)
{
    const QFileInfo info(path);
    return info.dir().filePath(TemporaryStem(info.fileName()) + kTemporaryMark +
                                QString::number(system::CurrentProcessId()));
}

bool IsTemporaryNameOf(const QString &name, const QString &targetName)
{
    const QString stem = TemporaryStem(targetName) + kTemporaryMark;
    if (!name.startsWith(stem) || name.size() == stem.size())
        return false;
    bool number = false;
    return QStringView(name).mid(stem.size()).toLongLong(&number) > 0 && number;
}

}  // namespace rqx

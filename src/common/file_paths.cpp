#include "common/file_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cerrno>

#include "common/platform.h"

namespace rqx {

// ---- Files and paths ----

bool FileExists(const QString &path)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

void FileNameOfPath(const QString &path, QString &name, bool &noSeparator)
{
    const qsizetype pos = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    if (pos < 0) {
        noSeparator = true;
        return;
    }
    noSeparator = false;
    name = path.mid(pos + 1);
}

QString FileNameOf(const QString &path)
{
    QString name = path;
    bool noSeparator = false;
    FileNameOfPath(path, name, noSeparator);
    return name;
}

int MakeFolderPath(const QString &path)
{
    if (path.isEmpty())
        return ENOENT;
    // The missing folders from the top down, so that the error is the first one's.
    QStringList missing;
    QFileInfo at(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    while (!at.exists() && !at.isSymLink() && !at.isRoot()) {
        missing.prepend(at.absoluteFilePath());
        at = QFileInfo(at.absolutePath());
    }
    if (!at.isDir())
        return missing.isEmpty() ? EEXIST : ENOTDIR;
    for (const QString &folder : missing) {
        const int error = system::MakeFolder(system::EncodePath(folder));
        if (error != 0 && !(error == EEXIST && QFileInfo(folder).isDir()))
            return error;
    }
    return 0;
}

QString FirstChar(const QString &text)
{
    return text.left(1);
}

}  // namespace rqx

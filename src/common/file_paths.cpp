#include "common/file_paths.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

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

QString FirstChar(const QString &text)
{
    return text.left(1);
}

}  // namespace rqx

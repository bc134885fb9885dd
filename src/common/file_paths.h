#pragma once
// Path and short text routines that keep no state. QtCore only.

#include <QString>

namespace rqx {

// ---- Files and paths ----

// True when path names a file that can be opened for reading.
bool FileExists(const QString &path);

// name = the part after the last "\" or "/"; noSeparator = false. When the path holds no separator,
// noSeparator = true and name is left as it was.
void FileNameOfPath(const QString &path, QString &name, bool &noSeparator);
// The part of path after the last "\" or "/"; the whole path when it holds no separator.
QString FileNameOf(const QString &path);

// Makes the folder and every missing folder above it. 0 when the folder exists afterwards; else the
// system's error at the first folder that could not be made: ENOTDIR when a file stands where a folder of
// the path should be, EEXIST when the path itself is a file, EACCES, EROFS and so on.
int MakeFolderPath(const QString &path);

// The first character of text ("" for an empty text).
QString FirstChar(const QString &text);

}  // namespace rqx

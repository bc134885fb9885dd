#pragma once
// The project file (.RQX): a field-by-field little-endian dump of the six saved items, strings as a
// 16-bit byte count and code page 932 bytes. The core works on bytes; the file functions wrap it and
// report failures as a Japanese message naming the file (shown by the windows, printed by the CLI).
// A save never replaces the old file unless the new one was written completely.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "common/safe_save.h"
#include "model/project.h"

namespace rqx {

// Outcome of a file operation; message is empty when ok.
struct FileResult {
    bool ok = true;
    QString message;  // lines separated by "\r", as the message boxes show them
    QString detail;   // the cause in English for a terminal ("disk full (ENOSPC) while writing")
    int error = 0;    // errno of a failed system call (ENOENT, EACCES, ENOSPC…), else 0
};

// Fixed sizes of the layout, in bytes.
inline constexpr qsizetype kProjectInfoFixedBytes = 204;
inline constexpr qsizetype kGridInfoFixedBytes = 348;
inline constexpr qsizetype kMinNodeBytes = 150;  // a node record with every string empty
inline constexpr qsizetype kNodeCoordBytes = 12;
// The largest grid the program makes, per direction: 30 modules of at most 4 divisions. A file
// claiming more is refused before anything of its size is allocated.
inline constexpr int32_t kMaxSpanCount = kMaxGridCount * kMaxDivisions;
// Longest string the writer stores: the count stays valid whether a reader takes it signed or not.
inline constexpr qsizetype kMaxStringBytes = 0x7FFF;

// ---- Bytes ----
// The six saved items exactly as they are (nothing is updated first).
QByteArray SerializeProject(const Project &project);
// Reads a whole project into `out`, which is replaced only when everything was read: the arrays
// get the file's bounds (working arrays included, dims refreshed); nothing is recomputed.
// On failure `out` is untouched and `reason` (when given) says what is wrong, in Japanese.
bool ParseProject(QByteArrayView bytes, Project &out, QString *reason = nullptr);
// Reads only the FileHeader; false when the bytes end inside it.
bool ParseFileHeader(QByteArrayView bytes, FileHeader &header);

// What every save does before writing: outline marks of every storey, product name and version.
void PrepareProjectForSave(Project &project);

// ---- Files ----
// Writes `path` through a complete new file (written, synced, renamed over the old one, folder
// synced): on failure the old file stays as it was and the message names the cause (disk full, no
// permission, I/O error). Runs PrepareProjectForSave first. A project that would not read back
// (dimensions a load refuses, node or coordinate arrays of other bounds than the dimensions
// announce) is refused before anything is written.
FileResult SaveProjectFile(Project &project, const QString &path, FileLayer &layer = FileLayer::System());
// Reads `path`; the open project is replaced only when the whole file was read. A missing file, a
// folder or an unreadable file is named as such.
FileResult LoadProjectFile(const QString &path, Project &project);

// The FileHeader of a file (empty when it cannot be read).
FileHeader ReadFileHeader(const QString &path);
// The open command's check of a chosen file: ok when its header names the product. Otherwise the
// message says what is wrong: not found, a folder, no permission or unreadable (the load's message),
// or not a project file of this program (NotProjectFileMessage).
FileResult CheckProjectFile(const QString &appTitle, const QString &path);
// The open command accepts a file whose productName is exactly "VELM-RQX".
bool IsProjectFileHeader(const FileHeader &header);
// Message for a refused file: "このファイルは、[ appTitle ] のデータではありません。", two breaks,
// "File Name: " and the file name without its directory.
QString NotProjectFileMessage(const QString &appTitle, const QString &path);

}  // namespace rqx

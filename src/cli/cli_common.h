#pragma once
// Shared pieces of the velmrqx-cli commands: UTF-8 output streams, error printing and loading a
// project file the way the open command accepts it.

#include <QString>
#include <QTextStream>

#include "calc/storey_height.h"
#include "common/safe_save.h"
#include "model/project_file.h"

namespace rqx::cli {

// Exit statuses of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;  // a file was refused or could not be written
inline constexpr int kExitUsage = 2;

QTextStream &Out();  // stdout, UTF-8
QTextStream &Err();  // stderr, UTF-8

// Prints a message of the program (lines separated by carriage returns) on stderr.
void PrintError(const QString &message);
// Prints a file operation's message, then its cause in English on a line of its own
// ("velmrqx-cli: disk full (ENOSPC) while writing").
void PrintError(const FileResult &result);

// Prints why an output file (`what`: its kind in the program's words, "計算書") was not written or
// may not last: the cause in Japanese, then "velmrqx-cli: …" in English. A folder that could not be
// synced after the rename is told apart: the new file is there but may not survive a power cut.
void PrintWriteFailure(const QString &what, const QString &path, const SaveOutcome &saved,
                       const QString &renderError = QString());

// Prints "usage: velmrqx-cli <usage>" on stderr and returns kExitUsage.
int UsageError(const QString &usage);

// Loads a project file for a command: the header must name the product, as the open command
// requires, and the whole file must read. On failure prints why (not found, a folder, no
// permission, not a project file, the reader's reason) and returns false; `project` is then
// unchanged.
bool LoadForCommand(const QString &path, Project &project);

// The storey heights of a run, "--heights H1[,H2]" in metres ("3.5" or "3.5,2.8"): millimetres, 0
// where a height is not given (taken as 3.2 m or less). Each value as the storey-height dialog takes
// it (whole millimetres, 0 or 2.0–6.0 m); more than two values or an empty one is refused.
struct StoreyHeightsOption {
    bool given = false;
    int32_t height1 = 0;
    int32_t height2 = 0;
};
// False with the reason (which value, what is expected) in `why`; `heights` is then unchanged.
bool ParseStoreyHeights(const QString &text, StoreyHeightsOption &heights, StoreyHeightRefusal &why);
// Prints a refused --heights value: its reason, then the usage line. Returns kExitUsage.
int RefuseStoreyHeights(const QString &text, const StoreyHeightRefusal &why, const QString &usage);
// The option's heights replace the stored ones for this run (the file is not written). The heights
// used are echoed on stderr in millimetres ("--heights 3,5: H1 3000 mm, H2 5000 mm"), so a decimal
// comma read as two heights is seen at once.
void ApplyStoreyHeights(const StoreyHeightsOption &heights, Project &project);

}  // namespace rqx::cli

#pragma once
// The three stores that outlive a run: the history file, the defaults file and the registry values.
// Failures are not shown: what cannot be read keeps its value; a file that cannot be written keeps
// its old content (it is replaced only by a complete new file) and the writer returns the cause.

#include <QString>

#include "common/safe_save.h"
#include "model/project.h"

namespace rqx {

inline const QString kHistoryFileName = QStringLiteral("VELMRQX.INI");
inline const QString kDefaultsFileName = QStringLiteral("VelmRQX.Def");
inline const QString kRegistryKey = QStringLiteral("Software\\ヘルミナ\\VELM-RQX");
inline constexpr int kDefaultsFileSize = 76;  // 19 little-endian int32

// The folder for the history and defaults files: exeDir when files can be created there, else the
// per-user application data folder (created). Both files are read from and written to that folder.
QString ChooseProgramDir(const QString &exeDir);

// History file programDir/VELMRQX.INI: dataDirectory, lastDataPath and up to 10 entries, one value per
// line. A missing file leaves state untouched. Nothing happens when programDir is empty.
void ReadHistoryFile(AppState &state);
// Replaces the history file; on failure the old file stays and the outcome says why (a missing
// programDir fails at the Check step).
SaveOutcome WriteHistoryFile(const AppState &state, FileLayer &layer = FileLayer::System());

// After a project was opened or saved under dataFilePath: that path (trimmed) moves to the top of
// the history with buildingName; a new path pushes the others down and the eleventh entry drops.
// Nothing happens for an unsaved project ("新規データ").
void UpdateHistory(AppState &state, const QString &dataFilePath, const QString &buildingName);
// Empties the history (the start dialog's clear button); the file is written later.
void ClearHistory(AppState &state);

// Defaults file programDir/VelmRQX.Def into state.defaultSettings. A missing file is created empty,
// a short file keeps the fields beyond its end; a zero line style (index 0 / 1) becomes 1 with its
// line start (index 2 / 3) set to 1.
void ReadDefaults(AppState &state);
// Replaces the defaults file with exactly 76 bytes; on failure as WriteHistoryFile.
SaveOutcome WriteDefaults(const AppState &state, FileLayer &layer = FileLayer::System());

// Registry values "Ver", "AppExeName", "CloseWinFlag" under kRegistryKey: how the main window was
// left, for the window alone (not part of the per-user settings every window reads).
struct RegistrySettings {
    int32_t windowState = 0;  // main window at start: 0 normal, 1 minimised, 2 maximised
};
// Anything but 0, 1 or 2 in "CloseWinFlag" reads as 0.
RegistrySettings ReadRegistrySettings();
// Writes "Ver" (major, minor, revision without separators), "AppExeName" = "VELMRQX" and
// "CloseWinFlag" = windowState.
void WriteRegistrySettings(const RegistrySettings &settings);

}  // namespace rqx

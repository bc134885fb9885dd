#pragma once
// The project: the six saved items in file order and the dimensions derived from them. Plain records;
// what the calculation derives from them is a value of its own (calc/calculation.h).

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

#include "model/arrays.h"

namespace rqx {

// Directions: 1 = X (桁行), 2 = Y (梁間).
inline constexpr int kDirX = 1;
inline constexpr int kDirY = 2;

// Member kind keys shared by the model, the editor and the report.
inline const QString kKeySlab1 = QStringLiteral("Slab1");    // 床
inline const QString kKeySlab2 = QStringLiteral("Slab2");    // 吹き抜け
inline const QString kKeyKesa = QStringLiteral("Kesa");      // single brace
inline const QString kKeyTasuki = QStringLiteral("Tasuki");  // cross brace
inline const QString kKeyMenzai = QStringLiteral("Menzai");  // board wall
inline const QString kKeyCol1 = QStringLiteral("Col1");      // 管柱
inline const QString kKeyCol2 = QStringLiteral("Col2");      // 通し柱

inline const QString kProductName = QStringLiteral("VELM-RQX");
inline const QString kAppTitle = QStringLiteral("VELM-RQX /軸組Ｎ値算定");
inline const QString kNewDataName = QStringLiteral("新規データ");

// ---- 1. FileHeader ----
struct FileHeader {
    QString versionText;
    QString productName;
    int32_t reserved = 0;
    bool operator==(const FileHeader &) const = default;
};

// ---- 2. ProjectInfo ----
struct ProjectInfo {
    QString buildingName;  // at most 50 characters
    QString officeName;    // at most 16 characters
    QString personName;    // at most 16 characters
    int32_t hideOfficeOnCover = 0;
    int32_t hideDateOnCover = 0;
    int32_t floorCount = 2;
    FixedArray<int32_t, 1, 4> levelHeight{};
    int32_t spanCountX = 20;
    int32_t spanCountY = 20;
    int32_t divisions = 2;
    float moduleLength = 0.91f;  // metres
    std::array<uint8_t, 160> reserved{};
    FixedArray<QString, 1, 20> reservedText{};
    bool operator==(const ProjectInfo &) const = default;
};

// ---- 3. GridInfo ----
struct GridInfo {
    OneBasedArray<QString> lineNameX;  // 1 To spanCountX+1
    OneBasedArray<QString> lineNameY;  // 1 To spanCountY+1
    int32_t lineStyleX = 0;  // 1 "X1 X2･･･", 2 "いろは･･･", 3 "ＡＢＣ･･･", 4 "１２３･･･" (0 reads as 1)
    int32_t lineStyleY = 0;
    int32_t lineStartX = 0;
    int32_t lineStartY = 0;
    int32_t lineReverseX = 0;
    int32_t lineReverseY = 0;
    int32_t showRequiredWhenBlank = 0;
    int32_t useDoublePull = 1;
    std::array<uint8_t, 72> reserved1{};
    int32_t lCoefficientMode = 0;
    int32_t crossBeamIgnored = 0;
    int32_t crossBeamNoWarning = 0;
    std::array<uint8_t, 232> reserved2{};
    FixedArray<QString, 1, 30> reservedText{};
    bool operator==(const GridInfo &) const = default;
};

// ---- 4. Nodes ----
// One wall span; a wall of several spans stores one member in each span's start node.
struct WallMember {
    int32_t kind = 0;        // brace: size 1..4 (15×90, 30×90, 45×90, 90×90); board: row 1..10
    int32_t firstIndex = 0;  // node index where the whole wall begins
    int32_t lastIndex = 0;   // node index at which the wall's last span starts
    QString key;             // "Kesa", "Tasuki", "Menzai"
    int32_t code = 0;        // 1 Kesa rising to higher index, 2 Kesa to lower, 3 Tasuki, 4 Menzai
    int32_t segment = 0;     // 0 single, 1 first, 2 middle, 3 last
    float multiplier = 0.0f;
    bool operator==(const WallMember &) const = default;
};

struct BeamInfo {
    int32_t present = 0;  // 1 = a beam runs on the span from this node (read through IsBeamPresent)
    int32_t segment = 0;  // 0 single, 1 first, 2 middle, 3 last (read through BeamPosition)
    bool operator==(const BeamInfo &) const = default;
};

// Files of earlier versions store both beam fields negative; their absolute values count. Every reader of
// the flag goes through IsBeamPresent, so that no drawing shows a beam the calculation leaves out.
inline bool IsBeamPresent(const BeamInfo &b) { return b.present >= 1 || b.present <= -1; }
// The span's position in its beam member: 0 single, 1 first, 2 middle, 3 last.
inline int BeamPosition(const BeamInfo &b) { return b.segment < 0 ? -b.segment : b.segment; }

struct NodeRecord {
    FixedArray<WallMember, 1, 2> brace{};
    FixedArray<WallMember, 1, 2> board{};
    int32_t columnKind = 0;                // 0 none, 1 管柱, 2 通し柱
    int32_t throughOrigin = 0;             // 1 on both storeys' nodes of a through column
    int32_t isCorner = 0;                  // the calculation's corner flag, as last saved
    FixedArray<QString, 0, 2> hardware{};  // (0) required class, (1) placed at top, (2) at foot
    FixedArray<BeamInfo, 1, 2> beam{};
    int32_t cellFloor = 0;  // 0 none, 1 床, 2 吹き抜け (cell whose lower-left node this is)
    FixedArray<int32_t, 1, 2> outlineEdge{};
    bool operator==(const NodeRecord &) const = default;
};

// ---- 5. NodeCoords ----
struct NodeCoord {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    bool operator==(const NodeCoord &) const = default;
};

// ---- 6. SpareTable ----
struct SpareEntry {
    QString text;
    int32_t value = 0;
    bool operator==(const SpareEntry &) const = default;
};

using NodeArray = Array3<NodeRecord>;

// Copies of the ProjectInfo dimensions that drawing, editing and calculation read.
struct Dimensions {
    int32_t spanCountX = 0;
    int32_t spanCountY = 0;
    int32_t floorCount = 0;
    int32_t divisions = 0;
    float spanLength = 0.0f;  // moduleLength / divisions, metres
};

struct Project {
    // Saved items, in file order.
    FileHeader header;
    ProjectInfo info;
    GridInfo grid;
    NodeArray nodes;           // (1 To nx+1, 1 To ny+1, 1 To floors+1)
    Array3<NodeCoord> coords;  // same bounds as nodes
    FixedArray<SpareEntry, 1, 10> spare{};

    Dimensions dims;
};

// One recent project of the history (most recent first, at most 10).
struct HistoryEntry {
    QString path;          // full path; also the caption of the recent-file menu item
    QString fileTitle;     // the path's last component
    QString buildingName;  // building name when last opened or saved
    bool operator==(const HistoryEntry &) const = default;
};

inline constexpr int kMaxHistory = 10;
// The largest grid the dialogs make: modules per direction and divisions of a module.
inline constexpr int32_t kMaxGridCount = 30;
inline constexpr int32_t kMaxDivisions = 4;

// The per-user settings and program-wide values, owned by the application and read by every window:
// the history and defaults files, the registry values, the grid limits. The open project's own
// values (its file path, dirty state, storey being edited) belong to the project document.
struct AppState {
    QString appTitle = kAppTitle;
    QString lastDataPath = kNewDataName;  // the history file's [DataName]: the project open at the last exit
    QString dataDirectory;
    QString programDir;
    int32_t maxGridCount = kMaxGridCount;
    int32_t defaultGridCount = 10;
    std::array<int32_t, 19> defaultSettings{};  // the defaults file, 9 used
    QList<HistoryEntry> history;                // the history file's entries
};

// ---- Routines ----
// Copies the ProjectInfo dimensions into project.dims and computes spanLength.
void RefreshDimensions(Project &project);
// RefreshDimensions, then re-creates every project array empty with the current bounds.
void AllocateProjectArrays(Project &project);
// Fills NodeCoords: x = (i−1)·spanLength, y = (j−1)·spanLength, z = levelHeight(level).
void InitNodeCoords(Project &project);
// AllocateProjectArrays then InitNodeCoords.
void ResetProject(Project &project);
// NodeCoord of node (x, y) at the given storey; all zero when x, y or level is below 1.
NodeCoord GetNodeCoord(const Project &project, int level, int x, int y);
// Recomputes every BeamInfo.segment (BeamSegmentAt, model/beam_segment.h).
void UpdateBeamSegments(Project &project);
// Recomputes both outlineEdge fields of every node of one level.
void UpdateOutlineMarks(Project &project, int level);
// Count of floored cells (floor or void) around node (x, y) on one level: 0..4.
int FlooredCellsAround(const Project &project, int x, int y, int level);
// The corner rule: a column touching at most one floored cell is a projecting corner.
bool IsCornerNode(const Project &project, int x, int y, int level);
// Start-up / new-project grid: two storeys, 2 divisions, 0.91 m modules, 2·defaultGridCount spans.
void SetStartupDimensions(Project &project, int defaultGridCount);
// New-project defaults before the new-data dialog's own values (line-name options, the calculation
// options and the storey heights come from DefaultSettings).
void ApplyNewProjectDefaults(Project &project, const AppState &state);
// "Ver." + major.minor.revision of this program.
QString VersionText();

}  // namespace rqx

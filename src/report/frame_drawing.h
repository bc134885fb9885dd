#pragma once
// Frame elevations (軸組図): the vertical section of the house along one grid line, storeys stacked on the
// foundation line, with the columns standing on the line, the beams of every level, the bearing walls
// between the columns with their multipliers and, on request, the hardware at the column tops and feet.
// Drawn on the print surface in page cm from the printable origin. Headless (QtGui).
//
// A frame is (direction, line):
// - kFrameOnXLine (1): the frame on X line `line` (node x index; 1..nx+1). Its members run along Y: it shows
//   the Y-direction wall and beam records of the nodes (line, j); positions are the nodes' y coordinates
//   and the crossing lines are the Y lines j.
// - kFrameOnYLine (2): the frame on Y line `line` (node y index; 1..ny+1). It shows the X-direction records
//   of the nodes (j, line); positions are x coordinates; the crossing lines are the X lines.
// Callers draw, in this order: drawFrameLineNames, drawFrameWalls, drawFrameColumns, drawFrameBeams.

#include <QString>

#include "report/plan_figures.h"

namespace rqx {

class PrintSurface;
struct Calculation;
struct Project;

inline constexpr int kFrameOnXLine = 1;
inline constexpr int kFrameOnYLine = 2;

// Where the frame lies on the page, set by the caller.
struct FrameLayout {
    float frameScale = 1.0f;    // page cm per model metre along the line
    float frameOriginX = 0.0f;  // page x of model position 0 along the line
    float frameBaseY = 0.0f;    // page y of level 1 (the foundation line)
    float storeyHeight = 1.8f;  // page height of one storey
    float beamDepth = 0.1f;     // page depth of a beam band
    // Storeys 1 and 2 drawn at their entered heights: page heights, and the heights in mm (0: each storey
    // storeyHeight high).
    float storeyHeights[2] = {0.0f, 0.0f};
    int storeyHeightsMm[2] = {0, 0};
};
// The report's values (the caller sets frameScale, frameOriginX and frameBaseY) and the frame view's.
inline constexpr float kReportStoreyHeight = 1.8f;
inline constexpr float kReportBeamDepth = 0.1f;
inline constexpr float kViewStoreyHeight = 5.5f;
inline constexpr float kViewBeamDepth = 0.2f;

// Label modes of drawFrameLineNames.
inline constexpr int kFrameNamesReport = 0;
inline constexpr int kFrameNamesView = 1;
// Modes of drawFrameWalls.
inline constexpr int kFrameWallsView = 1;    // pen width 3, labels 11 (9 on grids over 20 spans) points
inline constexpr int kFrameWallsReport = 3;  // pen width 0, labels 8 (6) points
// Modes of drawFrameColumns (other values draw the columns without labels).
inline constexpr int kFrameColumnsReport = 3;  // hardware labels 6 (5) points
inline constexpr int kFrameColumnsView = 4;    // hardware labels 9 (8) points

// Number of nodes on the frame's line, 0 when the line is not on the grid.
int FrameNodeCount(const Project &p, int direction, int line);
// Page x of node j of the frame; page y of level k.
float FramePageX(const Project &p, const FrameLayout &layout, int direction, int line, int j);
float FramePageY(const FrameLayout &layout, int level);
// The trimmed name of the crossing line at position j of the frame.
QString FrameCrossingName(const Project &p, int direction, int j);
// The grid line's trimmed name ("X" names for kFrameOnXLine).
QString FrameLineName(const Project &p, int direction, int line);

// Names of the crossing lines under the foundation line ("ＭＳ Ｐ明朝"), each one character width left of
// its line, dropped by its place in the module: module lines 0.35 cm / 10 points (mode 0) or 0.6 cm / 11
// points (mode 1); the sub-lines step down (2nd 0.7 / 1.2 cm, 3rd 0.9 / 1.6 cm, the last of the module
// 0.5 + 0.2 × (divisions − 1) / 0.8 + 0.4 × (divisions − 1) cm) at 7 / 9 points. With one division every line
// is a module line. The font is "ＭＳ 明朝" at its former size afterwards.
// With `texts`, a name that would run into another takes the next row down or a smaller size, and a
// sub-grid name that finds no room is left out.
void drawFrameLineNames(PrintSurface &s, const Project &p, const FrameLayout &layout, int direction, int line,
                        int labelMode, FigureTexts *texts = nullptr);

// Bearing walls of every storey, each drawn once over all its spans, boards first (grey boxes under the
// beam band) then braces (lines rising towards the higher index for code 1, falling for code 2, both for a
// cross brace), with one multiplier label per wall (brace + board of the span where it starts, at most 5.0,
// "#0.0", "ＭＳ 明朝") centred over it 2.2 text heights above the storey's foot.
// With `texts`, a label without room goes higher or lower in the storey, a quarter along, or smaller; else
// it becomes a callout.
// Keeps the frame's column lines and beam bands free of the texts placed afterwards: a caller with
// `texts` calls it before drawing the names, walls and columns.
void KeepFrameMembersFree(FigureTexts &texts, const Project &p, const FrameLayout &layout, int direction,
                          int line);
void drawFrameWalls(PrintSurface &s, const Project &p, const FrameLayout &layout, int direction, int line,
                    int mode, FigureTexts *texts = nullptr);

// Columns of every storey as vertical lines (pen width 20 for through columns, else 10); in modes 3 and 4
// with the required class (left of the column, at mid height), the column-top and column-foot hardware
// (right of the column), "通し柱" under a through column's foot and "出" beside a corner column.
// With `texts`, a label without room goes to the column's other side, higher or lower, or smaller; else the
// column's texts become a callout.
void drawFrameColumns(PrintSurface &s, const Project &p, const Calculation &c, const FrameLayout &layout,
                      int direction, int line, int mode, FigureTexts *texts = nullptr);

// Dimension lines along the frame, above its roof line: the chain of the module lines' distances (mm) at
// page y `chainY` and the overall length (mm) one row above, "ＭＳ Ｐ明朝" 6 points (down to 4). Returns the
// page y of the upper line's texts' top.
float drawFrameDimensions(PrintSurface &s, const Project &p, const FrameLayout &layout, int direction,
                          int line, float chainY);

// Beam bands at every level from the foundation to the roof plane: outlined boxes (pen width 10) from node
// to node, their top on the level's line, `beamDepth` deep.
void drawFrameBeams(PrintSurface &s, const Project &p, const FrameLayout &layout, int direction, int line);

}  // namespace rqx

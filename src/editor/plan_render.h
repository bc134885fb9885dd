#pragma once
// The plan of one storey on the plan surface: floor and void cells, bearing walls, beams, columns,
// grid points, the other storey's outline and, on request, its walls, and the grid line names.
// Members that do not belong to the active tool are dimmed unless all members are shown.
//
// Beams shown on the plan of storey f are those of the plane above it (level f + 1): the floor beams
// under the second storey on the first-storey plan, the roof beams on the top storey's plan.

#include <QPoint>
#include <QPointF>
#include <QRgb>
#include <QString>

#include "editor/editor_state.h"
#include "editor/plan_surface.h"
#include "editor/qb_color.h"

namespace rqx {

struct Project;

// What a plan drawing reads: the project, the editor state (tool, modes, zoom, fit) and the storey.
struct PlanInputs {
    const Project &project;
    const EditorState &editor;
    int floor = 1;
};

// Member symbol sizes in page cm: constant on the screen whatever the zoom.
struct SymbolSizes {
    double braceOffset = 0.0;     // brace symbol off its grid line; also a column's side
    double braceHeight = 0.0;     // height of a brace symbol
    double boardHalfWidth = 0.0;  // half width of a board band
    double wallInset = 0.0;       // a wall symbol stops this short of each node
    double beamOffset = 0.0;      // beam line off its grid line
};
SymbolSizes SymbolSizesAt(float zoomFactor);

inline constexpr QRgb kDimmedFloorColour = 0xFF202020;   // RGB (32, 32, 32)
inline constexpr QRgb kDimmedMemberColour = 0xFF606060;  // RGB (96, 96, 96)

// Own colours by kind; a kind outside the tables is black.
QRgb BraceColour(int kind);  // 15×90, 30×90, 45×90, 90×90
QRgb BoardColour(int kind);  // board rows 1..10
// A board colour too dark to read in outline on the black plan: such boards are drawn filled.
bool IsDarkBoardColour(QRgb colour);
QRgb ColumnColour(int columnKind);
QRgb GridPointColour(int ix, int iy, int divisions);
inline constexpr QRgb kBeamColour = QBColor(kQBLightMagenta);
inline constexpr QRgb kOutlineColour = QBColor(kQBLightGreen);

// How an element is drawn: its own colour, dimmed (another tool is active) or in black.
enum class Ink { Own, Dimmed, Erase };

// Plan cm of node (ix, iy) of the storey being drawn.
QPointF NodePoint(const PlanInputs &in, int ix, int iy);
// The storey whose outline and walls are the "other floor" of this one.
int OtherFloorLevel(int floor);
// The level whose beams the plan of a storey shows.
int BeamLevelOfFloor(int floor);

// ---- Whole plan and regions ----
// Every element of the storey, over what the surface holds.
void drawWholePlan(PlanSurface &s, const PlanInputs &in);
// Erases (paints black) or draws every element of the node rectangle, clamped to the grid. Drawing
// also restores the other storey's walls there while they are shown.
void drawRegion(PlanSurface &s, const PlanInputs &in, bool erase, int ix1, int iy1, int ix2, int iy2);
// Names of the module grid lines below and above, left and right of the plan.
void drawLineNames(PlanSurface &s, const PlanInputs &in, bool deleteMode);
// The braced and board walls of a level in their own colours, drawn or erased.
void drawOtherFloorWalls(PlanSurface &s, const PlanInputs &in, int level, bool erase);
// The full redraw of the input screen: clear, fit, line names, whole plan, and the other storey's
// walls while they are shown.
void RedrawPlan(PlanSurface &s, const Project &project, EditorState &editor, int floor);

// ---- Element drawers ----
void drawCell(PlanSurface &s, const PlanInputs &in, int ix, int iy, int cellFloor, bool erase);
// The symbol of a whole wall from node `first` to node `end`; slotIsBoard picks the colour table.
void drawWallSpan(PlanSurface &s, const PlanInputs &in, Ink ink, bool slotIsBoard, int direction,
                  QPoint first, QPoint end, int code, int kind);
void drawBeamSpan(PlanSurface &s, const PlanInputs &in, QPoint start, QPoint end, int direction, Ink ink);
void drawColumn(PlanSurface &s, const PlanInputs &in, int ix, int iy, int columnKind, Ink ink);
void drawOutlineEdge(PlanSurface &s, const PlanInputs &in, QPoint start, QPoint end, bool erase);
void drawGridPoint(PlanSurface &s, const PlanInputs &in, int ix, int iy, bool erase);

}  // namespace rqx

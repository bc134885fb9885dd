#pragma once
// The plan of one storey drawn for paper, on the print surface: the report's bearing-wall and hardware
// plans and the second-storey column transfer check page. Black and grey only, except the transfer
// check's red columns. Headless (QtGui).
//
// Placement: page centimetres from the printable origin, Y down. A node with model coordinates (x, y)
// metres lands at pageX = figScale × x + figX, pageY = figY − figScale × (y − y1), y1 being the y of node
// (1, 1): figY is the page y of the first grid row (the plan's base line) and the plan grows upwards.
//
// Every routine leaves the surface's pen, brush, font size and bold as it found them; the routines that
// write texts leave the font name "ＭＳ 明朝" (the plan texts themselves are "ＭＳ Ｐ明朝").

#include <QPointF>
#include <QString>

#include <vector>

#include "model/plan_facts.h"

namespace rqx {

class LabelPlacer;
class PrintSurface;
struct Calculation;
struct Project;

// A text of a plan that found no room at its member at any size: a number printed there instead (beside
// the member, or a little way out on a leader line), and the text listed beside the figure under that number
// and its grid position. Where even the number finds no room, the entry has no number and is listed by its
// grid position alone: no number is ever listed that the figure does not show.
struct FigureCallout {
    int number = 0;       // 0: not numbered
    bool marked = false;  // the number stands at the member
    QString where;        // "X3-い", or a wall's ends "X3-い〜X5-い"
    QString text;         // "2.5", or the column's texts by role: "必要(と) 柱頭(ろ)"
};

// The texts of one figure: where they went and what found no room. Without one, each routine keeps its
// own texts apart and drops the callouts.
struct FigureTexts {
    LabelPlacer &placer;
    std::vector<FigureCallout> callouts;
    int numbered = 0;  // callouts with their number drawn
};

// A callout for texts that found no room at a member: its number near (cx, cy), `reach` out, when that
// fits, and the entry for the list beside the figure.
void AddFigureCallout(FigureTexts &texts, float cx, float cy, float reach, const QString &where,
                      const QString &what);

// Keeps the column squares of a level free of the texts placed afterwards (wall labels, hardware texts).
void KeepFigureColumnsFree(FigureTexts &texts, const Project &p, float figScale, float figX, float figY,
                           int level, float side);

// Symbol sizes, page cm.
inline constexpr float kFigWallEndGap = 0.06f;     // a wall symbol stops this short of each end node,
                                                   // and a brace symbol's base lies this far off the line
inline constexpr float kFigSymbolHeight = 0.18f;   // brace symbol height, away from the wall line
inline constexpr float kFigBandHalfWidth = 0.04f;  // half width of a board band
inline constexpr float kFigColumnSide = 0.12f;     // column square (kFigColumnSideCheck in modes 10, 11)
inline constexpr float kFigColumnSideCheck = 0.18f;
inline constexpr float kFigThroughRing = 1.1f;  // through-column ring radius, in column sides

// Wall drawing modes.
inline constexpr int kFigWallsSymbols = 1;  // brace triangles, cross-brace boxes, board bands, multipliers
inline constexpr int kFigWallsLines = 12;   // any other mode: plain lines

// Column drawing modes.
inline constexpr int kFigColumnsPlain = 0;      // black squares
inline constexpr int kFigColumnsCarried = 10;   // upper storey: red where the pull-out is not carried down
inline constexpr int kFigColumnsLower = 11;     // lower storey: open squares with a diagonal stroke
inline constexpr int kFigColumnsHardware = 12;  // hold-down fill and the three hardware texts

// Page point of node (x, y) on the plan.
QPointF FigureNodePoint(const Project &p, float figScale, float figX, float figY, int x, int y);

// Page cm per model metre that fits the whole grid into the printable area less reserveX across and
// reserveY down: min(width / x of the last node, height / y of the last node).
float figureScale(const PrintSurface &s, const Project &p, float reserveX, float reserveY);

// Grid lines (grey, pen width 5, so that walls and beams stand out) on every node line, and each line's
// trimmed name outside the grid ("ＭＳ Ｐ明朝" 6 points, bold on module lines): X line names below the plan,
// Y line names on its left. Sub-grid names are left out where their lines stand closer than the names need.
// Names that would run into each other step to a second row or shrink down to 4 points; sub-grid names that
// still find no room are left out.
void drawFigureGrid(PrintSurface &s, const Project &p, float figScale, float figX, float figY,
                    FigureTexts *texts = nullptr);

// Floor cells of a level: floors filled solid light grey, voids (吹き抜け) with a grey diagonal cross hatch
// and no outline.
void drawFigureFloors(PrintSurface &s, const Project &p, float figScale, float figX, float figY, int level);

// Beams present at a level: black lines of pen width 10 between their nodes.
void drawFigureBeams(PrintSurface &s, const Project &p, float figScale, float figX, float figY, int level);

// Walls of a level, each drawn once from its first to its last node, boards and braces separately.
// Mode kFigWallsSymbols: outlined symbols (pen width 10) that stop short of the end nodes — a single brace
// a right triangle above an X wall / left of a Y wall, upright at the higher-index end for code 1 and at
// the lower-index end for code 2; a cross brace a box with both diagonals; a board a band across the line —
// each labelled with the multiplier of the span where the wall starts (brace + board, at most 5.0, "#0.0",
// 6 points; below an X wall, turned 90° right of a Y wall). A brace and a board that cover the same spans
// share one label. A label without room there goes to the other side of the wall, or along it, or smaller,
// or becomes a callout. Other modes: plain black lines of pen width 25, bolder than the grid.
void drawFigureWalls(PrintSurface &s, const Project &p, float figScale, float figX, float figY, int level,
                     int mode, FigureTexts *texts = nullptr);

// Columns of a level: squares centred on their nodes (pen width 5), through columns ringed.
// kFigColumnsPlain: solid black. kFigColumnsCarried: red (palette 12) where the calculation's notCarried
// is 1, else black. kFigColumnsLower: open squares with a diagonal stroke rising to the right on level 1,
// falling on level 2. kFigColumnsHardware: black when the column needs hold-down hardware (its total N,
// own plus carried, exceeds 1.6 in X or Y: the class printed beside it is (へ) or above), else white, with
// the required class at the upper left, the column-top hardware above and the column-foot hardware below (5
// points on grids of more than 5 modules, else 8). A text without room there tries the column's other
// corners and sides, then smaller sizes; else the column gets a callout.
void drawFigureColumns(PrintSurface &s, const Project &p, const Calculation &calc, float figScale, float figX,
                       float figY, int level, int mode, FigureTexts *texts = nullptr);

// Dimension lines along the top and the right edge of the plan, clear of the hardware texts of the outer
// columns: per edge a chain of the module lines' distances (mm) and, outside it, the overall length (mm).
// Texts "ＭＳ Ｐ明朝" 6 points, smaller down to 4 where a distance is narrow.
// With `texts`, the dimension lines are kept free of the texts placed afterwards.
void drawFigureDimensions(PrintSurface &s, const Project &p, float figScale, float figX, float figY,
                          FigureTexts *texts = nullptr);
// How far the dimension lines reach beyond the plan's right edge, or above its top edge (cm), for the
// figure's fit.
float FigureDimensionsReach(PrintSurface &s, const Project &p, bool above = false);

// "#0.0" of a wall multiplier (the label the plans and frames print).
QString FormatMultiplier(float value);

}  // namespace rqx

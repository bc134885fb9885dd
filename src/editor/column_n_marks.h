#pragma once
// The N values shown on the plan while drawing: at every column of the storey on screen its required
// class and its N (the larger of X and Y), laid out in the quarter beside the column where no member
// is drawn, and painted over the plan's raster. Read from the document's calculation result; showing
// them changes nothing in the project.

#include <QRect>
#include <QString>

#include <algorithm>
#include <functional>
#include <vector>

class QPainter;
class QFont;

namespace rqx {

struct Calculation;
struct Project;

struct ColumnNMark {
    int ix = 0;
    int iy = 0;
    QString requiredClass;    // hardware(0)
    float n = 0.0f;           // the larger of the column's N in X and Y, pull-out carried to it included
    bool holdDown = false;    // the class is a hold-down class ((へ) and above, or beyond the table)
    bool notCarried = false;  // a second-storey column whose pull-out reaches no first-storey column
    // "(ほ)" over "1.62".
    QString classText() const;
    QString nText() const;
    bool operator==(const ColumnNMark &) const = default;
};

// The marks of every column of a storey, from the project and its calculation.
std::vector<ColumnNMark> ColumnNMarksOf(const Project &project, const Calculation &calc, int floor);

// Where the marks go on the plan raster: a text box per mark in a quarter beside its column (down and
// right where it is free, else up-right, down-left, up-left), clear of the grid lines through the
// column, of every other text and column, and of any member the caller says the box would cover.
struct NMarkLayout {
    std::vector<QRect> textBoxes;    // pixels, one per mark
    std::vector<QRect> columnBoxes;  // the column symbol, a little larger
    // Per mark: its text found a free quarter and is shown; a text without one is left out (its
    // column keeps the mark) and the others are shown.
    std::vector<bool> shown;
    // Every text found a free quarter.
    bool fits = false;
    int shownCount() const { return static_cast<int>(std::count(shown.begin(), shown.end(), true)); }
};

// nodePixel gives the raster pixel of a node of the storey; lineClearance is how far (pixels) the
// texts keep from the grid lines through the column; textWidth/lineHeight the size of one text line.
NMarkLayout LayOutNMarks(const std::vector<ColumnNMark> &marks,
                         const std::function<QPoint(int, int)> &nodePixel, int columnHalf, int lineClearance,
                         int textWidth, int lineHeight,
                         const std::function<bool(const QRect &)> &coversMember = {});

// The layout on the plan surface as drawn for the storey: the nodes' pixels, the column symbol's
// size and the wall symbols' reach at the editor's zoom, the texts measured in NMarkFont().
class PlanSurface;
struct PlanInputs;
NMarkLayout LayOutNMarksOnPlan(const PlanSurface &surface, const PlanInputs &in,
                               const std::vector<ColumnNMark> &marks);

// One text drawn on the plan, as the painter left it (for the tooltip's lookup and the tests).
struct DrawnNText {
    QRect box;
    QString text;
    int ix = 0;
    int iy = 0;
};

// Paints the column marks (hold-down columns ringed in orange, columns whose pull-out is not carried
// filled red as the transfer check fills them) and the texts shown whose boxes meet `exposed`. Returns the texts drawn.
std::vector<DrawnNText> PaintNMarks(QPainter &painter, const std::vector<ColumnNMark> &marks,
                                    const NMarkLayout &layout, const QRect &exposed, const QFont &font);

// The font of the marks' texts.
QFont NMarkFont();

}  // namespace rqx

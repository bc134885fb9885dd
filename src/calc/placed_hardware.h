#pragma once
// The hardware actually placed at the top (柱頭) and foot (柱脚) of each column: the list lines the
// placed-hardware dialog shows, and the rules that write the chosen placements into the node records
// (blank placements, through columns, hold-downs matched across the floor). Headless, so the report
// and the tests use it without a window.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

#include "calc/calculation.h"

namespace rqx {

inline const QString kBlankPlacement = QStringLiteral("空欄");
inline const QString kNoColumnsLine = QStringLiteral("柱が配置されていません。");
inline const QString kThroughColumnMark = QStringLiteral("[通し柱]");

// The twelve entries of a placement drop-down list: "空欄", then the eleven class labels in order.
const QStringList &PlacementChoices();

// The record of node (x, y, level) to write: a recorded edit's node, or the project's own record.
using NodeWriter = std::function<NodeRecord &(int x, int y, int level)>;

// One listed column with the placements chosen for it, not yet written to the model.
struct PlacedHardwareLine {
    int x = 0;
    int y = 0;
    QString top;   // empty = blank
    QString foot;  // empty = blank
    int throughOrigin = 0;
    bool operator==(const PlacedHardwareLine &) const = default;
};
using PlacedHardwareList = QList<PlacedHardwareLine>;

// The columns of a storey in list order (y outer, x inner) with their stored placements; empty when
// the storey has no column or does not exist.
PlacedHardwareList PlacedHardwareColumns(const Project &project, int level);

// Characters a line name takes in a list line: 3 for the いろは style, 4 for the others.
int LineNameWidth(int lineStyle);

// Characters of the position part of a list line: both line-name widths plus 3.
int PositionWidth(const GridInfo &grid);

// A list line: position "X- Y" padded to PositionWidth, the required class padded to 5, the top and
// the foot padded to 5 (a blank one is 6 blanks), then "[通し柱]" or 8 blanks.
QString PlacedHardwareLineText(const Project &project, const Calculation &calc, int level,
                               const PlacedHardwareLine &line);

// Writes the chosen placements of storey 1, then storey 2, into the node records, then per column:
// with showRequiredWhenBlank a blank placement gets the required class (not the 1F top or 2F foot of
// a through column); with useDoublePull a 1F top and the 2F foot above it that are both hold-downs
// ((へ) or stronger) get the stronger of the two. The pair is matched only after both storeys are
// written, so a 1F top is never raised to a 2F foot that the same apply replaces. True when a through
// column got hardware at its 1F top or 2F foot.
bool ApplyPlacedHardware(const Project &project, const Calculation &calc, const NodeWriter &write,
                         const PlacedHardwareList &storey1, const PlacedHardwareList &storey2);

// Empties the top and foot placements of every column of the storey.
void ClearPlacedHardware(const Project &project, const NodeWriter &write, int level);

// The column's required class, from the larger of its total N in X and Y (own N plus the pull-out
// carried to it), is a hold-down class: (へ) and above, or beyond the table. The same N chose
// hardware(0), so a hold-down mark and the printed class always agree.
bool NeedsHoldDown(const ColumnResult &result);

}  // namespace rqx

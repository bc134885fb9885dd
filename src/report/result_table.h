#pragma once
// The N-value result table (section 2.3): one row per node with a column on either storey, under a
// drawn header band that repeats on every page the table breaks onto.

#include <QString>
#include <QStringList>

#include <array>

#include "print/print_surface.h"

namespace rqx {

class PrintSurface;
struct Calculation;
struct Project;

// Widths in twips of the twelve logical columns; 0 = not printed.
inline constexpr std::array<int, 12> kResultColumnWidths = {650,  350,  1100, 650, 700, 0,
                                                            1820, 1680, 1000, 650, 700, 0};
inline constexpr int kResultHeaderHeight = 1400;  // twips
// Placeholder of hardware not placed: "(", three ideographic spaces, a space, ")".
inline const QString kHardwarePlaceholder = QStringLiteral("(　　　 )");
inline const QString kNoColumnMessage = QStringLiteral("柱が配置されていません。");
// Second-storey columns whose pull-out reaches no first-storey column: their required class is marked,
// and so are they on the second-storey hardware plan.
inline const QString kNotCarriedMark = QStringLiteral("△");
// The lines under the table that explain its marks, each printed once when the mark occurs.
inline const QString kWeakerPlacementNote =
    QStringLiteral("！ 配置金物が必要な接合部の仕様を下回っています。");
inline const QString kOutOfRangeNote =
    QStringLiteral("範囲外：Ｎ値が 7.5 を超え、表-1.3.1 に該当する仕様がない。");
// Printed once under the table.
inline const QString kRoundingNote =
    QStringLiteral("各数値はそれぞれ四捨五入して表示しているため、和と各項の合計が 0.01 程度異なることがあります。");
inline const QString kNotCarriedNote =
    QStringLiteral("△ 下階に柱がなく、その引抜き力が１階柱に伝達されていない２階柱を示します。");

// The table format built from the printed widths: "+<650|+^350|…;".
TableFormat ResultTableFormat();
// Left edge in twips (from the table's left) of logical column k (1..12); k = 13 is the right end.
int ResultColumnLeft(int k);
// The ten printed cells of the row of node (x, y), from the project and its calculation.
QStringList ResultRowCells(const Project &project, const Calculation &calc, int x, int y);
// Which marks the row of node (x, y) carries: placed hardware weaker than required, a second-storey column
// whose pull-out is not carried down.
struct ResultRowMarks {
    bool weakerPlacement = false;
    bool notCarried = false;
};
ResultRowMarks ResultRowMarksOf(const Project &project, const Calculation &calc, int x, int y);
// The column's entries of the table as one text, a line per direction: for a second-storey column
// N with its formula, for a first-storey column N′, ΔN and N with theirs, then the required class
// (marked when its pull-out is not carried). Empty when no column stands there.
QString ColumnResultText(const Project &project, const Calculation &calc, int x, int y, int level);
// Whether node (x, y) gets a row: a column stands there on the first or the second storey.
bool HasResultRow(const Project &project, int x, int y);
// Left edge (twips from the table's left) that centres `text` at `points` over logical columns
// first..last, measured in the surface's current font name.
int CentreOverColumns(PrintSurface &surface, int first, int last, float points, const QString &text);

}  // namespace rqx

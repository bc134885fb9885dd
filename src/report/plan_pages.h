#pragma once
// Pages that show the plan of a storey: the report's bearing-wall plans (section 1.5) and hardware plans
// (section 2.1), one floor per page with its title and legend, and the second-storey column transfer
// check page. They draw on a print surface through the plan figures (report/plan_figures.h), from the
// project and its calculation. Headless (QtGui). Lengths are page cm from the printable origin.

#include <QString>

#include <vector>

namespace rqx {

class PrintSurface;
struct FigureCallout;
struct Calculation;
struct Project;

// Plan kinds of the report.
inline constexpr int kPlanBearingWalls = 0;  // section 1.5: floors, beams above, wall symbols, black columns
inline constexpr int kPlanHardware = 3;      // section 2.1: wall lines, columns with their hardware

// ---- Report pages (A4 portrait) ----
// The report's page setup: A4 in the surface's orientation, margins left 2.3, top 2.0, right 2.0, bottom
// 2.3 cm, base font "ＭＳ 明朝" 11 points. Gives the printable width and height (cm).
void SetupReportPage(PrintSurface &s, float &printableWidth, float &printableHeight);
// The size, from `size` down by half points to 5, at which a running header in "ＭＳ Ｐゴシック" fits the
// printable width: a long building name is set smaller, never cut.
float RunningHeaderSize(PrintSurface &s, const QString &header, float size);
// The running header "VELM-RQX /軸組Ｎ値算定   [ building ]" with the whole name (up to
// kShownReportBuildingName characters): on one line at `size` down to 7 points, else on two lines ("\n")
// down to 5; `size` is set to the size chosen.
QString RunningHeaderText(PrintSurface &s, const QString &building, float &size);
// The report's running header ("VELM-RQX /軸組Ｎ値算定   [ building ]") and footer ("|- n -|Ver.…",
// n = pageNumber − 1; pageNumber 0 leaves the centre part empty), in "ＭＳ Ｐゴシック" 9 points; the body
// font returns to "ＭＳ 明朝". Call before the page starts (or from the new-page handler).
void SetReportHeaderFooter(PrintSurface &s, const Project &p, int pageNumber);

// The marks a floor's hardware plan uses, each explained in its legend: a second-storey column whose
// pull-out is not carried down, placed hardware weaker than required, a required class beyond the table.
struct PlanMarks {
    bool notCarried = false;
    bool weaker = false;
    bool outOfRange = false;
    int lines() const { return (notCarried ? 1 : 0) + (weaker ? 1 : 0) + (outOfRange ? 1 : 0); }
};
PlanMarks PlanMarksOf(const Project &p, const Calculation &calc, int floor);

// Legend of one floor's plan, 11 points, from x + 11 character widths, first line at
// titleY + printableWidth − 2.0 cm + 3.5 lines.
// Returns the top of its first line: the plan's texts stay above it.
float PrintPlanLegend(PrintSurface &s, const Project &p, const Calculation &calc, int planKind, int floor,
                      float x, float titleY, float printableWidth);
// The one scale of every plan figure of the report (bearing-wall and hardware plans of every floor): the
// largest standard scale at which each plan, with its dimension lines, fits its place (the printable width
// less 3.0 cm and the dimension lines across, the height below its base line down), as a denominator.
int ReportPlanScale(PrintSurface &s, const Project &p, float printableWidth);

// One floor's plan with its title line at titleY, at 1/scaleDenominator: the title ("(k) f 階耐力壁伏図
// (数値は壁倍率)" or
// "(k) f 階金物伏図", k = figureNumber), the legend, and the plan drawn upwards from its base line at
// titleY + printableWidth − 2.3 cm − half a line, scaled to the printable area less 4.2 cm across and the
// base line's height down, 3.0 cm from x.
// the scale and module texts right-aligned on the title line, the dimension lines above and right of it.
// Texts that find no room in the plan are numbered there and listed under the legend ("【 図中番号の表記
// 】"), on further pages when they do not fit.
void PrintPlanFloor(PrintSurface &s, const Project &p, const Calculation &calc, int planKind, int floor,
                    int figureNumber, float x, float titleY, float printableWidth, int scaleDenominator);
// The callouts of a figure listed from `top` down in columns at 7 points under the heading
// "【 図中番号の表記 】", "[n] X3-い 必要(と) 柱頭(ろ)", flowing onto further pages ("(続き)"); returns the
// bottom of the list on the page it ends on (cm).
// Then, under kUnnumberedCalloutsTitle, the texts whose number found no room in the figure, by their grid
// position: "X3-い 必要(と) 柱頭(ろ)".
inline const QString kUnnumberedCalloutsTitle = QStringLiteral("【 図中に記入できない文字 (通り位置で表記) 】");
float PrintFigureCallouts(PrintSurface &s, const std::vector<FigureCallout> &callouts, float x, float top,
                          float printableWidth);

// The base line of a plan whose title line is at titleY: the plan grows upwards from it.
float ReportPlanBaseY(float titleY, float printableWidth, float lineH);
// The plan's origin right of the section's left (cm).
inline constexpr float kReportPlanLeft = 3.0f;

// The plans of every floor for a report section, from cursorY (the first title half a line lower), each
// later floor on a new page with its title half a line below the top. cursorY is not advanced: the next
// section starts on a new page.
void PrintPlanFigures(PrintSurface &s, const Project &p, const Calculation &calc, int planKind, float x,
                      float &cursorY, float printableWidth);
// The heading the section prints above the first floor's plan ("1.5.耐力壁伏図", or "2.接合金物",
// "2.1.接合金物伏図" and its sentence), from cursorY; hands back the position for PrintPlanFigures.
void PrintPlanSectionHeading(PrintSurface &s, int planKind, float x, float &cursorY);

// One page, as the report prints the plan of `floor` (section heading on floor 1), as a whole document:
// StartDoc … EndDoc. The footer carries no page number (the number depends on the report's other pages).
void RecordReportPlanPage(PrintSurface &s, const Project &p, const Calculation &calc, int planKind,
                          int floor);

// ---- Transfer check page (A4 landscape) ----
// The second-storey column transfer check as a one-page document: margins 2.0 cm, header and footer
// legend ("ＭＳ Ｐゴシック" 9 points; the red-column note and legend entry when a pull-out is not
// carried), the plan fitted below a 2.2 cm header band, 2.2 cm in from the left: grid, second-storey floor
// beams, second-storey walls with symbols, second-storey columns (red where not carried), first-storey
// columns.
// A one-storey house gets the header and the single line kNoSecondStoreyText instead of a plan.
void RecordTransferCheckPage(PrintSurface &s, const Project &p, const Calculation &calc);
inline const QString kNoSecondStoreyText =
    QStringLiteral("平屋のため、引抜き力の伝達をチェックする２階柱はありません。");
// The transfer check's plan scale for a printable width and height (cm): the plan extent lengthened by
// 2.2 cm across and 3.3 cm down at the first-guess scale, the smaller of the two directions.
float TransferCheckScale(const Project &p, float printableWidth, float printableHeight);

}  // namespace rqx

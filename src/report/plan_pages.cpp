#include "report/plan_pages.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <vector>

#include "report/plan_figures.h"
#include "calc/calculation.h"
#include "calc/hardware_class.h"
#include "report/result_table.h"
#include "model/project.h"
#include "print/label_placer.h"
#include "print/page_drawing.h"
#include "print/font_names.h"
#include "print/print_surface.h"
#include "report/figure_marks.h"
#include "report/figure_scale.h"
#include "common/shown_text.h"

namespace rqx {

namespace {

constexpr float kBaseFontSize = 11.0f;

struct Cell {
    float charW = 0;
    float lineH = 0;
};
Cell MeasureAt(PrintSurface &s, float size)
{
    s.SetFontSize(size);
    Cell c;
    MeasureCharCell(s, c.charW, c.lineH);
    return c;
}

using Pt = std::array<float, 2>;
constexpr QRgb kBlack = 0xFF000000;
constexpr int kLegendPen = 10;

void Poly(PrintSurface &s, std::initializer_list<Pt> pts, QRgb fill, int fillStyle)
{
    const std::vector<Pt> v(pts);
    DrawPolygonCm(s, v, static_cast<int>(v.size()), kPenStyleSolid, kLegendPen, kBlack, fill, fillStyle);
}

// The symbols of the bearing-wall plan's legend, one per line, each followed by its label.
void BearingWallLegend(PrintSurface &s, int floor, int floors, float left, float y, float lineH)
{
    const float x1 = left + 0.2f, x2 = left + 0.8f, labelX = left + 1.0f;
    auto row = [&](int i, float &top, float &bottom) {
        const float textTop = y + lineH * static_cast<float>(i);
        top = textTop + 0.08f;
        bottom = textTop + 0.30f;
        return textTop;
    };
    float t = 0, b = 0, ty = 0;
    PrintTextCm(s, QStringLiteral("【 凡例 】"), 0, left, y, 0);
    ty = row(1, t, b);
    Poly(s, {{x1, b}, {x2, b}, {x2, t}}, kBlack, 0);
    PrintTextCm(s, QStringLiteral("：筋かい(右上がり)"), 0, labelX, ty, 0);
    ty = row(2, t, b);
    Poly(s, {{x1, b}, {x2, b}, {x1, t}}, kBlack, 0);
    PrintTextCm(s, QStringLiteral("：筋かい(左上がり)"), 0, labelX, ty, 0);
    ty = row(3, t, b);
    Poly(s, {{x1, b}, {x2, b}, {x2, t}, {x1, t}}, kBlack, 0);
    DrawLineCm(s, x1, b, x2, t, kPenStyleSolid, kLegendPen, kBlack);
    DrawLineCm(s, x1, t, x2, b, kPenStyleSolid, kLegendPen, kBlack);
    PrintTextCm(s, QStringLiteral("：筋かい(たすき)"), 0, labelX, ty, 0);
    ty = row(4, t, b);
    const float mid = (t + b) / 2;
    Poly(s, {{x1, mid - 0.05f}, {x2, mid - 0.05f}, {x2, mid + 0.05f}, {x1, mid + 0.05f}}, kBlack, 0);
    PrintTextCm(s, QStringLiteral("：面材"), 0, labelX, ty, 0);
    ty = row(5, t, b);
    const float cx = (x1 + x2) / 2, cy = (t + b) / 2, half = kFigColumnSide / 2;
    DrawCircleCm(s, cx, cy, kFigThroughRing * kFigColumnSide, kPenStyleSolid, kLegendPen, kBlack, kBlack, 0);
    Poly(s, {{cx - half, cy - half}, {cx + half, cy - half}, {cx + half, cy + half}, {cx - half, cy + half}},
         kBlack, kBrushStyleSolid + 1);
    PrintTextCm(s, QStringLiteral("：通し柱"), 0, labelX, ty, 0);
    ty = row(6, t, b);
    const float cy2 = (t + b) / 2;
    DrawLineCm(s, x1, cy2, x2, cy2, kPenStyleSolid, kLegendPen, kBlack);
    Poly(s,
         {{cx - half, cy2 - half}, {cx + half, cy2 - half}, {cx + half, cy2 + half}, {cx - half, cy2 + half}},
         kBlack, kBrushStyleSolid + 1);
    // A one-storey house has no second storey: the beams above its columns are roof beams.
    const QString columnsAndBeams = floors == 1  ? QStringLiteral("：１階柱･小屋梁")
                                    : floor == 1 ? QStringLiteral("：１階柱･２階床梁")
                                                 : QStringLiteral("：２階柱･２階小屋梁");
    PrintTextCm(s, columnsAndBeams, 0, labelX, ty, 0);
    ty = row(7, t, b);
    Poly(s, {{x1, t}, {x2, t}, {x2, b}, {x1, b}}, PaletteColor(7), kBrushStyleSolid + 1);
    PrintTextCm(s, floor == 1 ? QStringLiteral("：１階床") : QStringLiteral("：２階床"), 0, labelX, ty, 0);
    ty = row(8, t, b);
    Poly(s, {{x1, t}, {x2, t}, {x2, b}, {x1, b}}, PaletteColor(7), kBrushStyleDiagonalCross + 1);
    PrintTextCm(s, QStringLiteral("：吹抜け"), 0, labelX, ty, 0);
}

// The hardware plan's legend: two lines of notes, then the three hardware texts placed around a column
// sample as the plan places them (the required class at the upper left, the placed top hardware at the
// upper right, the placed foot hardware at the lower right), then one line per mark the plan uses.
void HardwareLegend(PrintSurface &s, float left, float y, float lineH, const PlanMarks &marks)
{
    PrintTextCm(
        s,
        QStringLiteral("【 凡例 】") + QStringLiteral("  ※配置金物は、配置指定がある場合のみ表示されます。"),
        0, left, y, 0);
    PrintTextCm(s, QStringLiteral("            　■は、ＨＤ金物が必要な柱を示します。"), 0, left, y + lineH,
                0);
    // The sample stands low enough that the top hardware's text keeps clear of the second note.
    const float cx = left + 4.0f, cy = y + 4.0f * lineH, half = 0.1f;
    Poly(s, {{cx - half, cy - half}, {cx + half, cy - half}, {cx + half, cy + half}, {cx - half, cy + half}},
         kBlack, kBrushStyleSolid + 1);
    const QString required = QStringLiteral("(必要金物)");
    s.Measure(required);
    const float w = Cm(s.TextWid()), h = Cm(s.TextHei());
    const float e = half + 0.1f;
    PrintTextCm(s, required, 0, cx - e - w, cy - e - h, 0);
    PrintTextCm(s, QStringLiteral("(柱頭 配置金物)"), 0, cx + e, cy - e - h, 0);
    PrintTextCm(s, QStringLiteral("(柱脚 配置金物)"), 0, cx + e, cy + e, 0);
    float ty = y + 6.0f * lineH;
    if (marks.notCarried) {
        const float my = ty + h / 2;
        const float t = kFigColumnSide;
        Poly(s, {{left + 0.5f - t, my + t * 0.8f}, {left + 0.5f + t, my + t * 0.8f}, {left + 0.5f, my - t}},
             PaletteColor(15), kBrushStyleSolid + 1);
        PrintTextCm(s, QStringLiteral("：１階柱に引抜き力が伝達されていない２階柱"), 0, left + 1.0f, ty, 0);
        ty += lineH;
    }
    if (marks.weaker) {
        PrintTextCm(s, kWeakerPlacementNote, 0, left + 0.2f, ty, 0);
        ty += lineH;
    }
    if (marks.outOfRange)
        PrintTextCm(s, kOutOfRangeNote, 0, left + 0.2f, ty, 0);
}

}  // namespace

PlanMarks PlanMarksOf(const Project &p, const Calculation &calc, int floor)
{
    PlanMarks m;
    m.notCarried = floor == 2 && calc.anyNotCarried == 1;
    if (floor < 1 || floor > p.nodes.sizeLevel())
        return m;
    for (int y = 1; y <= std::min(p.dims.spanCountY + 1, p.nodes.sizeY()); ++y)
        for (int x = 1; x <= std::min(p.dims.spanCountX + 1, p.nodes.sizeX()); ++x) {
            const NodeRecord &n = p.nodes(x, y, floor);
            if (n.columnKind <= 0)
                continue;
            const QString &required = calc.requiredClass(x, y, floor);
            m.weaker = m.weaker || PlacedBelowRequired(n.hardware[1], required) ||
                       PlacedBelowRequired(n.hardware[2], required);
            m.outOfRange = m.outOfRange || required.trimmed() == OutOfRangeLabel();
        }
    return m;
}

QString RunningHeaderText(PrintSurface &s, const QString &building, float &size)
{
    const double savedSize = s.FontSize();
    const QString savedName = s.FontName();
    s.SetFontName(kFontNamePGothic);
    const float width = Cm(s.PageWidth() - s.MarginLeft() - s.MarginRight());
    QString name = ShownText(building, kShownReportBuildingName);
    name.replace(QLatin1Char('|'), QChar(0xFF5C));  // a bar would split the header into parts
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    QString header = kAppTitle + QStringLiteral("   [ ") + name + QStringLiteral(" ]");
    constexpr float kOneLineSmallest = 7.0f, kSmallest = 5.0f;
    auto fits = [&](const QString &text, float points) {
        for (const QString &line : text.split(QLatin1Char('\n')))
            if (MeasureCm(s, line, points).w > width)
                return false;
        return true;
    };
    while (size > kOneLineSmallest && !fits(header, size))
        size -= 0.5f;
    if (!fits(header, size)) {
        // Two lines: as much of the name as the first takes, the rest on the second.
        qsizetype cut = header.size() - 1;
        while (cut > 0 && MeasureCm(s, header.left(cut), size).w > width)
            --cut;
        if (cut > 0 && header.at(cut - 1).isHighSurrogate())
            --cut;
        header = header.left(cut) + QLatin1Char('\n') + header.mid(cut);
        while (size > kSmallest && !fits(header, size))
            size -= 0.5f;
    }
    s.SetFontName(savedName);
    s.SetFontSize(savedSize);
    return header;
}

float RunningHeaderSize(PrintSurface &s, const QString &header, float size)
{
    const double savedSize = s.FontSize();
    const QString savedName = s.FontName();
    s.SetFontName(kFontNamePGothic);
    const float width = Cm(s.PageWidth() - s.MarginLeft() - s.MarginRight());
    constexpr float kSmallest = 5.0f;
    while (size > kSmallest && MeasureCm(s, header, size).w > width)
        size -= 0.5f;
    s.SetFontName(savedName);
    s.SetFontSize(savedSize);
    return size;
}

void SetupReportPage(PrintSurface &s, float &printableWidth, float &printableHeight)
{
    s.SetMarginLeft(QStringLiteral("2.3cm"));
    s.SetMarginTop(QStringLiteral("2.0cm"));
    s.SetMarginRight(QStringLiteral("2.0cm"));
    s.SetMarginBottom(QStringLiteral("2.3cm"));
    s.SetFontName(kFontNameMincho);
    SetupPrintPage(s, kBaseFontSize, 4, s.Orientation(), printableWidth, printableHeight);
}

void SetReportHeaderFooter(PrintSurface &s, const Project &p, int pageNumber)
{
    float size = 9;
    const QString header = RunningHeaderText(s, p.info.buildingName, size);
    s.SetHeaderFontName(kFontNamePGothic);
    s.SetHeaderFontSize(size);
    s.SetHeader(header);
    const QString number = pageNumber > 0 ? QStringLiteral("- %1 -").arg(pageNumber - 1) : QString();
    s.SetFooter(QStringLiteral("|") + number + QStringLiteral("|") + VersionText());
    s.SetFontName(kFontNameMincho);
}

float PrintPlanLegend(PrintSurface &s, const Project &p, const Calculation &calc, int planKind, int floor,
                      float x, float titleY, float printableWidth)
{
    const double size = s.FontSize();
    const Cell c = MeasureAt(s, kBaseFontSize);
    const float left = x + 11.0f * c.charW;
    const float y = titleY + printableWidth - 2.0f + 3.5f * c.lineH;
    if (planKind == kPlanHardware)
        HardwareLegend(s, left, y, c.lineH, PlanMarksOf(p, calc, floor));
    else
        BearingWallLegend(s, floor, p.dims.floorCount, left, y, c.lineH);
    s.SetFontSize(size);
    return y - 0.5f * c.lineH;
}

namespace {

constexpr float kPlanLeft = kReportPlanLeft;
constexpr float kPlanRightRoom = 1.2f;   // kept right of the plan for its Y names' counterpart
constexpr float kScaleTextSize = 10.0f;  // "S=1/…  1ﾓｼﾞｭｰﾙ = …mm"

float PlanBaseY(float titleY, float printableWidth, float lineH)
{
    return titleY + printableWidth - 2.3f - lineH / 2;
}

}  // namespace

float ReportPlanBaseY(float titleY, float printableWidth, float lineH)
{
    return PlanBaseY(titleY, printableWidth, lineH);
}

int ReportPlanScale(PrintSurface &s, const Project &p, float printableWidth)
{
    const double size = s.FontSize();
    const Cell c = MeasureAt(s, kBaseFontSize);
    const float reserveX = kPlanLeft + std::max(kPlanRightRoom, FigureDimensionsReach(s, p));
    const float reachAbove = FigureDimensionsReach(s, p, true) + 0.1f;
    const float printableHeight = Cm(s.PageHeight() - s.MarginTop() - s.MarginBottom());
    float fit = 0;
    bool first = true;
    // Title lines of the first floor's plans under their section headings (1.5: two lines down; 2.1: three),
    // of the later floors half a line below the top.
    for (const float firstTitle : {2.0f * c.lineH, 3.0f * c.lineH})
        for (int floor = 1; floor <= p.dims.floorCount; ++floor) {
            const float titleY = floor == 1 ? firstTitle : c.lineH / 2;
            // The plan grows upwards from its base line to under the title line, its dimension lines
            // above it.
            const float room = PlanBaseY(titleY, printableWidth, c.lineH) - titleY - c.lineH - reachAbove;
            const float f = figureScale(s, p, reserveX, printableHeight - room);
            fit = first ? f : std::min(fit, f);
            first = false;
        }
    s.SetFontSize(size);
    return StandardScaleDenominator(std::max(fit, 0.0f));
}

void PrintPlanFloor(PrintSurface &s, const Project &p, const Calculation &calc, int planKind, int floor,
                    int figureNumber, float x, float titleY, float printableWidth, int scaleDenominator)
{
    const Cell c = MeasureAt(s, kBaseFontSize);
    const float baseY = PlanBaseY(titleY, printableWidth, c.lineH);
    const float scale = ScaleCmPerMetre(scaleDenominator);
    const float figX = x + kPlanLeft;
    const QString head = QStringLiteral("(%1) %2").arg(figureNumber).arg(floor);
    BeginPlanFigure(s, p, PlanFigureName(floor, planKind == kPlanHardware), scale, figX, baseY);
    s.SetItemLayer(ItemLayer::Text);
    PrintTextCm(s,
                planKind == kPlanHardware
                    ? head + QStringLiteral(" 階金物伏図")
                    : head + QStringLiteral(" 階耐力壁伏図") + QStringLiteral(" (数値は壁倍率)"),
                kBaseFontSize, x, titleY, 0);
    s.SetItemLayer(ItemLayer::Dims);
    const QString scaleText = ScaleText(scaleDenominator) + QStringLiteral("  ") + ModuleText(p);
    const TextSize scaleSize = MeasureCm(s, scaleText, kScaleTextSize);
    PrintTextCm(s, scaleText, kScaleTextSize, printableWidth - scaleSize.w, titleY, 0);
    s.SetFontSize(kBaseFontSize);
    s.SetItemLayer(ItemLayer::Sheet);
    const float legendTop = PrintPlanLegend(s, p, calc, planKind, floor, x, titleY, printableWidth);
    // The plan's texts stay between the title line and the legend, clear of each other, of the column
    // squares and of the dimension lines.
    LabelPlacer placer(s, QRectF(QPointF(x, titleY + c.lineH), QPointF(printableWidth, legendTop - 0.1f)));
    FigureTexts texts{placer, {}};
    drawFigureDimensions(s, p, scale, figX, baseY, &texts);
    KeepFigureColumnsFree(texts, p, scale, figX, baseY, floor, kFigColumnSide);
    drawFigureGrid(s, p, scale, figX, baseY, &texts);
    if (planKind == kPlanHardware) {
        drawFigureWalls(s, p, scale, figX, baseY, floor, kFigWallsLines, &texts);
        drawFigureColumns(s, p, calc, scale, figX, baseY, floor, kFigColumnsHardware, &texts);
    } else {
        const size_t drawnFrom = placer.itemCount();
        drawFigureFloors(s, p, scale, figX, baseY, floor);
        drawFigureBeams(s, p, scale, figX, baseY, floor + 1);
        placer.keepDrawnFree(drawnFrom);  // no wall label on a beam
        drawFigureWalls(s, p, scale, figX, baseY, floor, kFigWallsSymbols, &texts);
        drawFigureColumns(s, p, calc, scale, figX, baseY, floor, kFigColumnsPlain, &texts);
    }
    s.EndFigure();
    s.SetItemLayer(ItemLayer::Sheet);
    s.SetFontName(kFontNameMincho);
    // Under the legend's last line: the bearing-wall legend's eighth entry, the hardware legend's note.
    const float legendBottom =
        legendTop + c.lineH / 2 +
        (planKind == kPlanHardware ? 6.0f + static_cast<float>(PlanMarksOf(p, calc, floor).lines()) : 9.0f) * c.lineH;
    PrintFigureCallouts(s, texts.callouts, x, legendBottom + c.lineH / 2, printableWidth);
    s.SetFontName(kFontNameMincho);
    s.SetFontSize(kBaseFontSize);
}

void PrintPlanFigures(PrintSurface &s, const Project &p, const Calculation &calc, int planKind, float x,
                      float &cursorY, float printableWidth)
{
    const int scale = ReportPlanScale(s, p, printableWidth);
    for (int floor = 1; floor <= p.dims.floorCount; ++floor) {
        const Cell c = MeasureAt(s, kBaseFontSize);
        float titleY = cursorY + c.lineH / 2;
        if (floor > 1) {
            s.NewPage();
            titleY = c.lineH / 2;
        }
        PrintPlanFloor(s, p, calc, planKind, floor, floor, x, titleY, printableWidth, scale);
    }
}

void PrintPlanSectionHeading(PrintSurface &s, int planKind, float x, float &cursorY)
{
    const Cell c = MeasureAt(s, kBaseFontSize);
    if (planKind == kPlanHardware) {
        PrintTextCm(s, QStringLiteral("2.接合金物"), kBaseFontSize, x, cursorY, 0);
        cursorY += c.lineH;
        PrintTextCm(s, QStringLiteral("2.1.接合金物伏図"), kBaseFontSize, x, cursorY, 0);
        cursorY += c.lineH;
        PrintTextCm(s, QStringLiteral("接合金物の各階伏図を以下に示す。"), kBaseFontSize, x + 2 * c.charW,
                    cursorY, 0);
        cursorY += c.lineH;
    } else {
        PrintTextCm(s, QStringLiteral("1.5.耐力壁伏図"), kBaseFontSize, x, cursorY, 0);
        cursorY += c.lineH;
    }
    cursorY += c.lineH / 2;
}

void RecordReportPlanPage(PrintSurface &s, const Project &p, const Calculation &calc, int planKind, int floor)
{
    float width = 0, height = 0;
    SetupReportPage(s, width, height);
    SetReportHeaderFooter(s, p, 0);
    s.StartDoc();
    const Cell c = MeasureAt(s, kBaseFontSize);
    float cursorY = 0;
    float titleY = c.lineH / 2;
    if (floor == 1) {
        PrintPlanSectionHeading(s, planKind, 0, cursorY);
        titleY = cursorY + c.lineH / 2;
    }
    PrintPlanFloor(s, p, calc, planKind, floor, floor, 0, titleY, width, ReportPlanScale(s, p, width));
    s.EndDoc();
}

float TransferCheckScale(const Project &p, float printableWidth, float printableHeight)
{
    const NodeCoord a = GetNodeCoord(p, 1, 1, 1);
    const NodeCoord b = GetNodeCoord(p, 1, p.dims.spanCountX + 1, p.dims.spanCountY + 1);
    const float dx = b.x - a.x, dy = b.y - a.y;
    if (dx <= 0 || dy <= 0)
        return 0;
    float sx = printableWidth / dx;
    float sy = printableHeight / dy;
    sx = printableWidth / (dx + 2.2f / sx);
    sy = printableHeight / (dy + 3.3f / sy);
    return std::min(sx, sy);
}

void RecordTransferCheckPage(PrintSurface &s, const Project &p, const Calculation &calc)
{
    s.SetMarginLeft(QStringLiteral("2.0cm"));
    s.SetMarginTop(QStringLiteral("2.0cm"));
    s.SetMarginRight(QStringLiteral("2.0cm"));
    s.SetMarginBottom(QStringLiteral("2.0cm"));
    s.SetFontName(kFontNameMincho);
    float w = 0, h = 0;
    SetupPrintPage(s, kBaseFontSize, 4, kOrientationLandscape, w, h);
    const float width = Cm(s.PageWidth() - s.MarginLeft() - s.MarginRight());
    const float height = Cm(s.PageHeight() - s.MarginTop() - s.MarginBottom());
    const bool red = calc.anyNotCarried == 1;
    s.SetHeaderFontName(kFontNamePGothic);
    s.SetHeaderFontSize(9);
    if (p.dims.floorCount < 2) {
        // A one-storey house has no second-storey column to check: one line says so, and no plan is drawn
        // under the second-storey legend.
        s.SetHeader(kAppTitle + QStringLiteral("   [２階柱Ｎ値伝達チェック]"));
        s.SetFooter(QStringLiteral("||") + VersionText());
        s.SetFontName(kFontNameMincho);
        s.StartDoc();
        PrintTextCm(s, kNoSecondStoreyText, kBaseFontSize, 2.2f, 2.2f, 0);
        s.EndDoc();
        return;
    }
    s.SetHeader(
        kAppTitle + QStringLiteral("   [２階柱Ｎ値伝達チェック]") + QStringLiteral("||") +
        (red ? QStringLiteral("赤い柱は、下階に柱がなくその引抜き力が、下階柱に正しく伝達されていません。") +
                   QStringLiteral("梁配置のモデル化を変更してください。")
             : QString()));
    s.SetFooter(
        (red ? QStringLiteral("備考：   □+／：１階柱, 　■：２階柱 (赤：１階柱にＮ値が伝達されていない柱),　 ")
             : QStringLiteral("備考：   □+／：１階柱, 　■：２階柱,　 ")) +
        QStringLiteral("―｜：２階床梁, 　筋かい：２階筋かい") + QStringLiteral("||") + VersionText());
    s.SetFontName(kFontNameMincho);
    s.StartDoc();
    const float scale = TransferCheckScale(p, width, height);
    const float figX = 2.2f;
    // The plan hangs 2.2 cm below the printable top (the header band) and 2.2 cm in from the left.
    const float figY =
        2.2f + scale * (GetNodeCoord(p, 1, 1, p.dims.spanCountY + 1).y - GetNodeCoord(p, 1, 1, 1).y);
    BeginPlanFigure(s, p, QStringLiteral("2F_N値伝達チェック"), scale, figX, figY);
    drawFigureGrid(s, p, scale, figX, figY);
    drawFigureBeams(s, p, scale, figX, figY, 2);
    // The wall labels keep off both storeys' column symbols (a first-storey one with its diagonal
    // reaches 0.9 of its side each way); a label without room is numbered and listed under the plan.
    LabelPlacer placer(s);
    FigureTexts texts{placer, {}};
    KeepFigureColumnsFree(texts, p, scale, figX, figY, 1, 1.8f * kFigColumnSideCheck);
    KeepFigureColumnsFree(texts, p, scale, figX, figY, 2, kFigColumnSideCheck);
    drawFigureWalls(s, p, scale, figX, figY, 2, kFigWallsSymbols, &texts);
    drawFigureColumns(s, p, calc, scale, figX, figY, 2, kFigColumnsCarried);
    drawFigureColumns(s, p, calc, scale, figX, figY, 1, kFigColumnsLower);
    s.EndFigure();
    if (!texts.callouts.empty()) {
        PrintFigureCallouts(s, texts.callouts, figX, figY + 0.6f, width);
    }
    s.EndDoc();
}

float PrintFigureCallouts(PrintSurface &s, const std::vector<FigureCallout> &callouts, float x, float top,
                          float printableWidth)
{
    if (callouts.empty())
        return top;
    const double savedSize = s.FontSize();
    constexpr float kSize = 7.0f;
    const Cell c = MeasureAt(s, kBaseFontSize);
    // Entries measured by their characters' advances, each character once: lists run to thousands.
    QHash<QChar, float> advance;
    auto width = [&](const QString &entry) {
        float w = 0;
        for (const QChar ch : entry) {
            auto it = advance.constFind(ch);
            if (it == advance.constEnd())
                it = advance.insert(ch, MeasureCm(s, QString(ch), kSize).w);
            w += it.value();
        }
        return w;
    };
    // The numbered entries, then those whose number found no room in the figure, by grid position.
    QStringList numbered, unnumbered;
    float widest = 0;
    for (const FigureCallout &k : callouts) {
        QStringList &list = k.number > 0 ? numbered : unnumbered;
        list << (k.number > 0 ? QStringLiteral("[%1] %2 %3").arg(k.number).arg(k.where, k.text)
                              : QStringLiteral("%1 %2").arg(k.where, k.text));
        widest = std::max(widest, width(list.back()));
    }
    // The marks the entries use are explained again under the heading of every further page: its
    // reader no longer has the figure's legend in view.
    QStringList notes;
    for (const std::pair<QString, QString> &explained : {std::pair{kWeakerPlacementMark, kWeakerPlacementNote},
                                                         std::pair{OutOfRangeLabel(), kOutOfRangeNote},
                                                         std::pair{kNotCarriedMark, kNotCarriedNote}}) {
        const QString &mark = explained.first;
        if (std::any_of(callouts.begin(), callouts.end(),
                        [&mark](const FigureCallout &k) { return k.text.contains(mark); }))
            notes << explained.second;
    }
    const float columnW = widest + 0.4f;
    const int columns = std::max(1, static_cast<int>((printableWidth - x) / columnW));
    const float rowH = MeasureCm(s, QStringLiteral("[0]"), kSize).h * 1.1f;
    const float height = Cm(s.PageHeight() - s.MarginTop() - s.MarginBottom());
    float bottom = top;
    auto list = [&](const QStringList &entries, const QString &title) {
        QString heading = title;
        int i = 0;
        while (i < entries.size()) {
            if (top + c.lineH + rowH > height) {
                s.NewPage();
                top = c.lineH / 2;
                heading = title + QStringLiteral("(続き)");
            }
            PrintTextCm(s, heading, kBaseFontSize, x, top, 0);
            float first = top + c.lineH;
            if (heading != title)
                for (const QString &note : notes) {
                    PrintTextCm(s, note, kSize, x, first, 0);
                    first += rowH;
                }
            const int rows = std::max(1, static_cast<int>((height - first) / rowH));
            const int count = std::min(rows * columns, static_cast<int>(entries.size()) - i);
            const int used = (count + columns - 1) / columns;  // rows filled, column by column
            for (int k = 0; k < count; ++k)
                PrintTextCm(s, entries[i + k], kSize, x + static_cast<float>(k / used) * columnW,
                            first + static_cast<float>(k % used) * rowH, 0);
            i += count;
            bottom = first + static_cast<float>(used) * rowH;
            top = i < entries.size() ? height : bottom + c.lineH / 2;  // a further page for what is left
        }
    };
    list(numbered, QStringLiteral("【 図中番号の表記 】"));
    list(unnumbered, kUnnumberedCalloutsTitle);
    s.SetFontSize(savedSize);
    return bottom;
}

}  // namespace rqx

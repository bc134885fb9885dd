// Chapter 3, section 3.2: the wall placement (壁の配置) — the conditions, per storey a plan with the
// quarter lines and the side portions, the quarter-method table, and the eccentricity table, as the
// conditions choose. Every printed value follows from the values printed beside it by the formula in
// its column heading (each value rounded on its own).
#include <QStringList>

#include <algorithm>
#include <cmath>

#include "calc/wall_placement.h"
#include "print/label_placer.h"
#include "print/page_drawing.h"
#include "print/print_surface.h"
#include "report/figure_marks.h"
#include "report/figure_scale.h"
#include "report/plan_figures.h"
#include "report/plan_pages.h"
#include "report/report_sections.h"

namespace rqx {

namespace {

QString Num(double v, int decimals)
{
    return QString::number(v, 'f', decimals);
}

// Cut, never rounded up: a fill of 0.9996 prints as 0.999, never as 1.000.
QString Cut(double v, int decimals)
{
    if (std::isinf(v))
        return QStringLiteral("∞");
    const double f = std::pow(10.0, decimals);
    return Num(std::floor(v * f) / f, decimals);
}

// Rounded up, never down to a pass: an eccentricity of 0.3004 prints as 0.301.
QString Up(double v, int decimals)
{
    if (std::isinf(v))
        return QStringLiteral("∞");
    const double f = std::pow(10.0, decimals);
    return Num(std::ceil(v * f - 1e-9) / f, decimals);
}

QString StoreyName(int storey)
{
    return storey == 1 ? QStringLiteral("１階") : QStringLiteral("２階");
}

QString DirectionName(int d)
{
    return d == kDirX ? QStringLiteral("X") : QStringLiteral("Y");
}

// The portion's name on the plan and in the table: X1 (low y), X2, Y1 (low x), Y2.
QString PortionName(int d, int side)
{
    return DirectionName(d) + QString::number(side);
}

QString LwName(PortionLw kind)
{
    switch (kind) {
        case PortionLw::Storey1:
            return QStringLiteral("1階");
        case PortionLw::Storey2:
            return QStringLiteral("2階");
        case PortionLw::OneStorey:
            return QStringLiteral("平屋");
    }
    return {};
}

QString Judgement(bool judged, bool ok)
{
    return judged ? (ok ? QStringLiteral("OK") : QStringLiteral("NG")) : QStringLiteral("－");
}

void Line(ReportState &b, float x, const QString &text)
{
    b.roomFor(b.lineH);
    b.indentText(text, x);
    b.cursorY += b.lineH;
}

void PrintPlacementConditions(ReportState &b, float x, const WallPlacementResult &r, PlacementReport shown)
{
    Line(b, x, QStringLiteral("(1)計算条件"));
    if (shown != PlacementReport::Eccentricity) {
        Line(b, x, QStringLiteral("四分割法: 各階・各方向の側端部分 (平面の両端 1/4) の壁量充足率 (存在/必要) が"));
        Line(b, x, QStringLiteral("    ともに 1 を超えること、または壁率比 (小さい方/大きい方) が 0.5 以上であること。"));
        Line(b, x, QStringLiteral("    側端部分の範囲は床・吹抜けの外形による。四分割線上・外周上の壁は側端部分に含める。"));
        Line(b, x, QStringLiteral("    床面積は床のみ (吹抜けを除く)、四分割線で切れるｾﾙは内側の部分による。"));
        if (r.storeys == 2)
            Line(b, x, QStringLiteral("    １階の側端部分は２階が一部でも載れば１階の Lw、載らなければ平屋部分の Lw による。"));
    }
    if (shown != PlacementReport::Quarter) {
        Line(b, x, QStringLiteral("偏心率: K = 倍率×長さ (各区間の中央)、剛心 S、重心 G (当該階以上の床の図心と仮定)、"));
        Line(b, x, QStringLiteral("    KR = ΣKx(y−Sy)² + ΣKy(x−Sx)²、re = √(KR/ΣK)、Rex = |Sy−Gy|/rex、Rey = |Sx−Gx|/rey ≦ 0.3。"));
        Line(b, x, QStringLiteral("    座標は最初の通り (X, Y) の交点を原点とする (m)。"));
    }
    Line(b, x, QStringLiteral("耐力壁の倍率は壁量計算と同じく 7.0 を上限とする。各値は個別に丸めて表示する"));
    Line(b, x, QStringLiteral("    (充足率・壁率比は切り捨て、偏心率は切り上げ)。"));
    for (const QString &m : r.missing)
        Line(b, x, QStringLiteral("※ ") + m + QStringLiteral(" 判定できません。"));
}

// Where a plan figure lies on the page: the plan's own placement (plan_figures.h).
struct PlanPlace {
    const Project &p;
    float scale;
    float figX;
    float baseY;
    // The page point of a position in metres from the first node.
    QPointF at(double xm, double ym) const
    {
        const QPointF o = FigureNodePoint(p, scale, figX, baseY, 1, 1);
        return {o.x() + scale * xm, o.y() - scale * ym};
    }
    // A portion's strip: walls along X lie across a strip of y over the footprint's width.
    QRectF strip(int direction, const QuarterResult &across, double from, double to) const
    {
        const QPointF a = direction == kDirX ? at(across.extentFrom, to) : at(from, across.extentTo);
        const QPointF c = direction == kDirX ? at(across.extentTo, from) : at(to, across.extentFrom);
        return QRectF(a, c);
    }
};

// Calls fn(direction, quarter, across) for each direction of the storey with a footprint; `across` is
// the other direction's result, whose extent the portions span.
template <typename Fn>
void ForEachDirection(const WallPlacementResult &r, int storey, Fn &&fn)
{
    for (int d = kDirX; d <= kDirY; ++d) {
        const QuarterResult &q = r.at(storey, d);
        if (q.present)
            fn(d, q, r.at(storey, d == kDirX ? kDirY : kDirX));
    }
}

// The side portions hatched: X portions across, Y portions upright, in grey under everything.
void DrawSidePortions(PrintSurface &s, const PlanPlace &place, const WallPlacementResult &r, int storey)
{
    ItemLayerScope layer(s, ItemLayer::Floors);
    ForEachDirection(r, storey, [&](int d, const QuarterResult &q, const QuarterResult &across) {
        for (const SidePortion &side : q.side) {
            const QRectF box = place.strip(d, across, side.from, side.to);
            DrawRectCm(s, static_cast<float>(box.x()), static_cast<float>(box.y()), static_cast<float>(box.width()),
                       static_cast<float>(box.height()), kPenStyleNone, 0, 8, 8,
                       (d == kDirX ? kBrushStyleHorizontal : kBrushStyleVertical) + 1);
        }
    });
}

// The quarter lines, dash-dotted, 0.3 m beyond the footprint on both ends, on their own layer.
void DrawQuarterLines(PrintSurface &s, const PlanPlace &place, const WallPlacementResult &r, int storey)
{
    ItemLayerScope layer(s, ItemLayer::Quarters);
    ForEachDirection(r, storey, [&](int d, const QuarterResult &q, const QuarterResult &across) {
        for (const double at : {q.side[0].to, q.side[1].from}) {
            const QPointF a = d == kDirX ? place.at(across.extentFrom - 0.3, at) : place.at(at, across.extentFrom - 0.3);
            const QPointF c = d == kDirX ? place.at(across.extentTo + 0.3, at) : place.at(at, across.extentTo + 0.3);
            DrawLineCm(s, static_cast<float>(a.x()), static_cast<float>(a.y()), static_cast<float>(c.x()),
                       static_cast<float>(c.y()), kPenStyleDashDot, 5, PaletteColor(0));
        }
    });
}

// Each portion's name inside it, in a cell clear of the grid lines (from the middle of the footprint
// outwards); returns the portions' areas for the line under the plan.
QStringList PlacePortionNames(LabelPlacer &placer, const PlanPlace &place, const WallPlacementResult &r, int storey)
{
    QStringList areas;
    const double span = r.spanM;
    ForEachDirection(r, storey, [&](int d, const QuarterResult &q, const QuarterResult &across) {
        for (const SidePortion &side : q.side) {
            const QString name = PortionName(d, side.side);
            areas << QStringLiteral("%1 %2m²").arg(name, Num(side.areaM2, 2));
            const int cellsAcross =
                std::max(1, static_cast<int>(std::lround((across.extentTo - across.extentFrom) / span)));
            const int firstAlong = static_cast<int>(std::ceil(side.from / span - 1e-9));
            const int lastAlong = std::max(firstAlong, static_cast<int>(std::floor(side.to / span + 1e-9)) - 1);
            std::vector<LabelPlacer::Spot> spots;
            for (int step = 0; step < cellsAcross && spots.size() < 16; ++step) {
                const int k = cellsAcross / 2 + (step % 2 == 0 ? step / 2 : -(step + 1) / 2);
                if (k < 0 || k >= cellsAcross)
                    continue;
                for (int a = firstAlong; a <= lastAlong && spots.size() < 16; ++a) {
                    const double u = across.extentFrom + (k + 0.5) * span;
                    const double v = (a + 0.5) * span;
                    const QPointF c = d == kDirX ? place.at(u, v) : place.at(v, u);
                    spots.push_back({static_cast<float>(c.x()), static_cast<float>(c.y()), 0.5f, 0.5f});
                }
            }
            placer.place(name, 8, spots);
        }
    });
    return areas;
}

// The storey's plan with its side portions, the quarter lines and each portion's name, the legend and
// the portions' areas under it, on a page of its own.
void PrintPlacementPlan(ReportState &b, float x, const WallPlacementResult &r, int storey, int scaleDenominator,
                        int figureNumber)
{
    PrintSurface &s = b.s;
    const Project &p = b.p;
    s.NewPage();
    b.setFontSize(kReportBaseFontSize);
    const float titleY = b.lineH / 2;
    const PlanPlace place{p, ScaleCmPerMetre(scaleDenominator), x + kReportPlanLeft,
                          ReportPlanBaseY(titleY, b.printableWidth, b.lineH)};
    BeginPlanFigure(s, p, QStringLiteral("%1F_壁の配置").arg(storey), place.scale, place.figX, place.baseY);
    s.SetItemLayer(ItemLayer::Text);
    PrintTextCm(s, QStringLiteral("図-3.2.%1 %2 側端部分 (四分割法)").arg(figureNumber).arg(StoreyName(storey)),
                kReportBaseFontSize, x, titleY, 0);
    s.SetItemLayer(ItemLayer::Dims);
    const QString scaleText = ScaleText(scaleDenominator) + QStringLiteral("  ") + ModuleText(p);
    PrintTextCm(s, scaleText, 10, b.printableWidth - MeasureCm(s, scaleText, 10).w, titleY, 0);
    const float legendTop = place.baseY + 1.6f;
    LabelPlacer placer(s, QRectF(QPointF(x, titleY + b.lineH), QPointF(b.printableWidth, legendTop - 0.1f)));
    FigureTexts texts{placer, {}};
    KeepFigureColumnsFree(texts, p, place.scale, place.figX, place.baseY, storey, kFigColumnSide);
    drawFigureGrid(s, p, place.scale, place.figX, place.baseY, &texts);
    drawFigureFloors(s, p, place.scale, place.figX, place.baseY, storey);
    DrawSidePortions(s, place, r, storey);
    const size_t drawnFrom = placer.itemCount();
    DrawQuarterLines(s, place, r, storey);
    placer.keepDrawnFree(drawnFrom);
    drawFigureWalls(s, p, place.scale, place.figX, place.baseY, storey, kFigWallsLines, &texts);
    drawFigureColumns(s, p, b.c, place.scale, place.figX, place.baseY, storey, kFigColumnsPlain, &texts);
    s.SetItemLayer(ItemLayer::Labels);
    s.SetFontName(kFontNamePMincho);
    const QStringList areas = PlacePortionNames(placer, place, r, storey);
    s.EndFigure();
    s.SetItemLayer(ItemLayer::Sheet);
    s.SetFontName(kFontNameMincho);
    b.setFontSize(9);
    b.cursorY = legendTop;
    Line(b, x, QStringLiteral("横線: X方向の壁の側端部分 (X1 下端・X2 上端)   縦線: Y方向の壁の側端部分 (Y1 左端・Y2 右端)"));
    Line(b, x, QStringLiteral("一点鎖線: 四分割線   太線: 耐力壁"));
    Line(b, x, QStringLiteral("側端部分の床面積: ") + areas.join(QStringLiteral("   ")));
    b.setFontSize(10);
}

void PrintQuarterTable(ReportState &b, float x, const WallPlacementResult &r, int storey, int number)
{
    b.roomFor(12 * b.lineH);
    b.indentText(QStringLiteral("表-3.2.%1 %2 四分割法").arg(number).arg(StoreyName(storey)), x);
    FixedTable t;
    t.format = TableFormat{}.centre(450).centre(450).centre(1300).centre(900).centre(1250).centre(1000).centre(1000)
                   .centre(950).centre(800).centre(500);
    t.rows << QStringList{QStringLiteral("方向"), QStringLiteral("側端"), QStringLiteral("範囲\r(m)"),
                          QStringLiteral("床面積\r(m²)"), QStringLiteral("Lw\r(cm/m²)"),
                          QStringLiteral("必要壁量\r面積×Lw"), QStringLiteral("存在壁量\r(cm)"),
                          QStringLiteral("充足率\r存在/必要"), QStringLiteral("壁率比\r小/大"), QStringLiteral("判定")};
    const QString dash = QStringLiteral("－");
    for (int d = kDirX; d <= kDirY; ++d) {
        const QuarterResult &q = r.at(storey, d);
        if (!q.present)
            continue;
        for (const SidePortion &side : q.side) {
            const bool known = side.lwKnown || side.areaM2 <= 0.0;
            t.rows << QStringList{DirectionName(d), PortionName(d, side.side),
                                  Num(side.from, 3) + QStringLiteral("～") + Num(side.to, 3), Num(side.areaM2, 4),
                                  side.lwKnown ? Num(side.lw, 2) + QStringLiteral(" ") + LwName(side.lwKind) : dash,
                                  known ? Num(side.requiredCm, 2) : dash, Num(side.existingCm, 2),
                                  known ? Cut(side.fill, 3) : dash,
                                  side.side == 1 ? (q.judged ? Cut(q.wallRatio, 3) : dash) : QString(),
                                  side.side == 1 ? Judgement(q.judged, q.ok) : QString()};
        }
    }
    // The ratio and the judgement belong to both sides of a direction.
    for (int row = 1; row + 1 < static_cast<int>(t.rows.size()); row += 2) {
        t.rows[row + 1][8] = t.rows[row][8];
        t.rows[row + 1][9] = t.rows[row][9];
    }
    b.fixedTable(t, 8, 50);
}

void PrintEccentricityTable(ReportState &b, float x, const WallPlacementResult &r, int number)
{
    b.roomFor(8 * b.lineH);
    b.indentText(QStringLiteral("表-3.2.%1 偏心率").arg(number), x);
    FixedTable t;
    t.format = TableFormat{}.centre(450).centre(450).centre(900).centre(900).centre(900).centre(900).centre(900)
                   .centre(900).centre(900).centre(550);
    t.rows << QStringList{QStringLiteral("階"), QStringLiteral("方向"), QStringLiteral("重心 G\r(m)"),
                          QStringLiteral("剛心 S\r(m)"), QStringLiteral("偏心距離\re=|S−G|"),
                          QStringLiteral("ΣK\r(m)"), QStringLiteral("KR\r(m³)"),
                          QStringLiteral("弾力半径\r√(KR/ΣK)"), QStringLiteral("偏心率\re/re"), QStringLiteral("判定")};
    for (const EccentricityResult &e : r.eccentricity) {
        if (!e.present)
            continue;
        // Walls along X resist along X: their eccentricity is across them, along y.
        t.rows << QStringList{StoreyName(e.storey), QStringLiteral("X"), QStringLiteral("Gy ") + Num(e.gy, 3),
                              QStringLiteral("Sy ") + Num(e.sy, 3), Num(e.ey, 3), Num(e.sumKx, 3), Num(e.kr, 3),
                              Num(e.rex, 3), Up(e.bigRex, 3), Judgement(true, e.bigRex <= kMaxEccentricity)};
        t.rows << QStringList{StoreyName(e.storey), QStringLiteral("Y"), QStringLiteral("Gx ") + Num(e.gx, 3),
                              QStringLiteral("Sx ") + Num(e.sx, 3), Num(e.ex, 3), Num(e.sumKy, 3), Num(e.kr, 3),
                              Num(e.rey, 3), Up(e.bigRey, 3), Judgement(true, e.bigRey <= kMaxEccentricity)};
    }
    b.fixedTable(t, 8, 50);
}

}  // namespace

void PrintWallPlacement(ReportState &b, float x)
{
    if (!b.keepGoing())
        return;
    const WallQuantityResult quantities = ComputeWallQuantities(b.p);
    const WallPlacementResult r = ComputeWallPlacement(b.p, quantities);
    const PlacementReport shown = quantities.inputs.placementReport;
    b.roomFor(14 * b.lineH);
    b.cursorY += b.lineH / 2;
    b.sectionTitle(QStringLiteral("3.2.壁の配置 (四分割法・偏心率)"), x, 3, 2);
    b.setFontSize(10);
    PrintPlacementConditions(b, x, r, shown);
    int number = 1;
    if (shown != PlacementReport::Eccentricity) {
        const int scale = ReportPlanScale(b.s, b.p, b.printableWidth);
        for (int s = 1; s <= r.storeys; ++s) {
            if (!b.keepGoing())
                return;
            if (!r.at(s, kDirX).present)
                continue;
            PrintPlacementPlan(b, x, r, s, scale, s);
            PrintQuarterTable(b, x, r, s, number++);
        }
    }
    if (shown != PlacementReport::Quarter) {
        b.roomFor(3 * b.lineH);
        PrintEccentricityTable(b, x, r, number);
    }
    b.setFontSize(kReportBaseFontSize);
}

}  // namespace rqx

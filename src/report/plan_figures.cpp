#include "report/plan_figures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <vector>

#include "calc/hardware_class.h"
#include "calc/n_value.h"
#include "calc/placed_hardware.h"
#include "model/project.h"
#include "print/label_placer.h"
#include "print/page_drawing.h"
#include "print/font_names.h"
#include "print/print_surface.h"
#include "common/shown_text.h"

namespace rqx {

namespace {

constexpr float kGridNameSize = 6.0f;
constexpr float kWallLabelSize = 6.0f;
constexpr int kGridPen = 5;
constexpr int kMemberPen = 10;
constexpr int kColumnPen = 5;
constexpr int kGridColour = 8;    // dark grey: the black walls and beams stand out from the grid
constexpr int kWallLinePen = 30;  // plain wall lines, three pixels at 150 dpi

using Points = std::array<std::array<float, 2>, 4>;

void Outline(PrintSurface &s, const Points &pts, int count)
{
    DrawPolygonCm(s, pts, count, kPenStyleSolid, kMemberPen, PaletteColor(0), PaletteColor(0), 0);
}

// Size of the hardware texts around the columns: 5 on a grid of more than 5 modules, else 8.
float HardwareTextSize(const Project &p)
{
    const int div = std::max(1, p.dims.divisions);
    const int modules = static_cast<int>(std::lround(
        static_cast<double>(std::max(p.dims.spanCountX, p.dims.spanCountY)) / static_cast<double>(div)));
    return modules > 5 ? 5.0f : 8.0f;
}

}  // namespace

QString FormatMultiplier(float value)
{
    return QString::number(static_cast<double>(value), 'f', 1);
}

QPointF FigureNodePoint(const Project &p, float figScale, float figX, float figY, int x, int y)
{
    const NodeCoord c = GetNodeCoord(p, 1, x, y);
    const NodeCoord c1 = GetNodeCoord(p, 1, 1, 1);
    return {static_cast<double>(figScale * c.x + figX), static_cast<double>(figY - figScale * (c.y - c1.y))};
}

float figureScale(const PrintSurface &s, const Project &p, float reserveX, float reserveY)
{
    const float width = Cm(s.PageWidth()) - Cm(s.MarginLeft()) - Cm(s.MarginRight()) - reserveX;
    const float height = Cm(s.PageHeight()) - Cm(s.MarginTop()) - Cm(s.MarginBottom()) - reserveY;
    const NodeCoord end = GetNodeCoord(p, 1, NodeCountX(p), NodeCountY(p));
    const float sx = end.x > 0 ? width / end.x : 0.0f;
    const float sy = end.y > 0 ? height / end.y : sx;
    return std::min(sx, sy);
}

void drawFigureGrid(PrintSurface &s, const Project &p, float figScale, float figX, float figY,
                    FigureTexts *texts)
{
    const int nx = NodeCountX(p);
    const int ny = NodeCountY(p);
    if (nx < 1 || ny < 1)
        return;
    const QPointF lo = FigureNodePoint(p, figScale, figX, figY, 1, 1);
    const QPointF hi = FigureNodePoint(p, figScale, figX, figY, nx, ny);
    const auto left = static_cast<float>(lo.x()), right = static_cast<float>(hi.x());
    const auto bottom = static_cast<float>(lo.y()), top = static_cast<float>(hi.y());
    ItemLayerScope layer(s, ItemLayer::Grid);
    for (int x = 1; x <= nx; ++x) {
        const auto px = static_cast<float>(FigureNodePoint(p, figScale, figX, figY, x, 1).x());
        DrawLineCm(s, px, top, px, bottom, kPenStyleSolid, kGridPen, PaletteColor(kGridColour));
    }
    for (int y = 1; y <= ny; ++y) {
        const auto py = static_cast<float>(FigureNodePoint(p, figScale, figX, figY, 1, y).y());
        DrawLineCm(s, left, py, right, py, kPenStyleSolid, kGridPen, PaletteColor(kGridColour));
    }

    FontScope font(s, kFontNamePMincho);
    LabelPlacer own(s);
    LabelPlacer &placer = texts != nullptr ? texts->placer : own;
    s.SetItemLayer(ItemLayer::Names);
    const int div = p.dims.divisions;
    // The hardware plan writes the placed foot hardware under the bottom row's columns and the required
    // class left of the first column's: the names keep clear of both on every plan.
    s.SetFontBold(false);
    const TextSize hardware = MeasureCm(s, QStringLiteral("(ろ)"), HardwareTextSize(p));
    const float footClear = kFigColumnSide / 2 + 2 * LabelPlacer::kGap + hardware.h;
    const float classClear = kFigColumnSide / 2 + hardware.w / 1.25f;
    const float step =
        nx > 1 ? static_cast<float>(FigureNodePoint(p, figScale, figX, figY, 2, 1).x() - lo.x()) : 1.0f;
    s.SetFontBold(true);
    const TextSize sample = MeasureCm(s, QStringLiteral("X0"), kGridNameSize);
    const float moduleDrop = std::max(1.3f * sample.h, footClear + 0.2f * sample.h);
    const float subOffset = MeasureCm(s, QStringLiteral("Y00"), kGridNameSize).w;
    const float moduleGap = std::max(2.2f * sample.h, classClear + 0.8f * sample.h);
    // X names centred under their lines, clear of the foot hardware texts; module names first, a module name
    // that runs into its neighbour steps one row down; sub-grid names on the second row and the third. A
    // sub-grid name is left out where the lines stand closer than the names are wide.
    for (const bool module : {true, false})
        for (int x = 1; x <= nx && x <= p.grid.lineNameX.size(); ++x) {
            if (OnModuleLine(x, div) != module)
                continue;
            s.SetFontBold(module);
            const QString name = ShownText(p.grid.lineNameX[x].trimmed(), kShownLineName);
            const TextSize t = MeasureCm(s, name, kGridNameSize);
            if (!module && step < t.w + 0.05f)
                continue;
            const auto px = static_cast<float>(FigureNodePoint(p, figScale, figX, figY, x, 1).x());
            const float row1 = bottom + moduleDrop, row2 = row1 + 1.2f * t.h, row3 = row2 + 1.2f * t.h;
            const LabelPlacer::Spot moduleSpots[] = {{px, row1, 0.5f, 0}, {px, row2, 0.5f, 0}};
            const LabelPlacer::Spot subSpots[] = {{px, row2, 0.5f, 0}, {px, row3, 0.5f, 0}};
            placer.place(name, kGridNameSize, module ? std::span(moduleSpots) : std::span(subSpots));
        }
    // Y names right-aligned left of the grid, clear of the required-class texts; sub-grid names further out.
    for (const bool module : {true, false})
        for (int y = 1; y <= ny && y <= p.grid.lineNameY.size(); ++y) {
            if (OnModuleLine(y, div) != module)
                continue;
            s.SetFontBold(module);
            const QString name = ShownText(p.grid.lineNameY[y].trimmed(), kShownLineName);
            const TextSize t = MeasureCm(s, name, kGridNameSize);
            if (!module && step < 1.1f * t.h)
                continue;
            const auto py = static_cast<float>(FigureNodePoint(p, figScale, figX, figY, 1, y).y());
            const float col1 = left - moduleGap, col2 = col1 - subOffset, col3 = col2 - subOffset;
            const LabelPlacer::Spot moduleSpots[] = {{col1, py, 1, 0.5f}, {col2, py, 1, 0.5f}};
            const LabelPlacer::Spot subSpots[] = {{col2, py, 1, 0.5f}, {col3, py, 1, 0.5f}};
            placer.place(name, kGridNameSize, module ? std::span(moduleSpots) : std::span(subSpots));
        }
}

void drawFigureFloors(PrintSurface &s, const Project &p, float figScale, float figX, float figY, int level)
{
    if (level < 1 || level > p.nodes.sizeLevel())
        return;
    const double size = s.FontSize();
    s.SetFontSize(6);
    ItemLayerScope layer(s, ItemLayer::Floors);
    for (int y = 1; y < NodeCountY(p); ++y)
        for (int x = 1; x < NodeCountX(p); ++x) {
            const int kind = p.nodes(x, y, level).cellFloor;
            if (kind != 1 && kind != 2)
                continue;
            const QPointF a = FigureNodePoint(p, figScale, figX, figY, x, y + 1);  // top-left on the page
            const QPointF b = FigureNodePoint(p, figScale, figX, figY, x + 1, y);
            const auto w = static_cast<float>(b.x() - a.x()), h = static_cast<float>(b.y() - a.y());
            if (kind == 1)
                DrawRectCm(s, static_cast<float>(a.x()), static_cast<float>(a.y()), w, h, kPenStyleSolid, 0,
                           7, 7, kBrushStyleSolid + 1);
            else
                DrawRectCm(s, static_cast<float>(a.x()), static_cast<float>(a.y()), w, h, kPenStyleNone, 0, 7,
                           7, kBrushStyleDiagonalCross + 1);
        }
    s.SetFontSize(size);
}

void drawFigureBeams(PrintSurface &s, const Project &p, float figScale, float figX, float figY, int level)
{
    if (level < 1 || level > p.nodes.sizeLevel())
        return;
    ItemLayerScope layer(s, ItemLayer::Beams);
    for (int y = 1; y <= NodeCountY(p); ++y)
        for (int x = 1; x <= NodeCountX(p); ++x) {
            const NodeRecord &n = p.nodes(x, y, level);
            const QPointF a = FigureNodePoint(p, figScale, figX, figY, x, y);
            if (x < NodeCountX(p) && n.beam[kDirX].present != 0) {
                const QPointF b = FigureNodePoint(p, figScale, figX, figY, x + 1, y);
                DrawLineCm(s, a.x(), a.y(), b.x(), b.y(), kPenStyleSolid, kMemberPen, PaletteColor(0));
            }
            if (y < NodeCountY(p) && n.beam[kDirY].present != 0) {
                const QPointF b = FigureNodePoint(p, figScale, figX, figY, x, y + 1);
                DrawLineCm(s, a.x(), a.y(), b.x(), b.y(), kPenStyleSolid, kMemberPen, PaletteColor(0));
            }
        }
}

namespace {

// One wall symbol of mode 1 between along-positions a < b (page cm; for a Y wall a is the page y of the
// LOWER-index end, which lies lower on the page). The symbol stands on the −across side: above an X wall,
// left of a Y wall.
void DrawWallSymbol(PrintSurface &s, bool alongX, float line, float lowEnd, float highEnd, int code)
{
    // Along: from the lower-index end towards the higher-index end, each shortened by the gap.
    const float dir = highEnd > lowEnd ? 1.0f : -1.0f;
    const float a = lowEnd + dir * kFigWallEndGap;
    const float b = highEnd - dir * kFigWallEndGap;
    auto pt = [&](float along, float across) -> std::array<float, 2> {
        return alongX ? std::array<float, 2>{along, across} : std::array<float, 2>{across, along};
    };
    if (code == 4) {
        const Points band = {pt(a, line - kFigBandHalfWidth), pt(b, line - kFigBandHalfWidth),
                             pt(b, line + kFigBandHalfWidth), pt(a, line + kFigBandHalfWidth)};
        Outline(s, band, 4);
        return;
    }
    const float base = line - kFigWallEndGap;
    const float top = base - kFigSymbolHeight;
    if (code == 1) {
        Outline(s, {pt(a, base), pt(b, base), pt(b, top), {}}, 3);
    } else if (code == 2) {
        Outline(s, {pt(a, base), pt(b, base), pt(a, top), {}}, 3);
    } else if (code == 3) {
        Outline(s, {pt(a, base), pt(b, base), pt(b, top), pt(a, top)}, 4);
        const auto p1 = pt(a, base), p2 = pt(b, top), p3 = pt(a, top), p4 = pt(b, base);
        DrawLineCm(s, p1[0], p1[1], p2[0], p2[1], kPenStyleSolid, kMemberPen, PaletteColor(0));
        DrawLineCm(s, p3[0], p3[1], p4[0], p4[1], kPenStyleSolid, kMemberPen, PaletteColor(0));
    }
}

QString LineName(const OneBasedArray<QString> &names, int k)
{
    return names.valid(k) ? ShownText(names[k].trimmed(), kShownLineName) : QString();
}

QString NodeName(const Project &p, int x, int y)
{
    return LineName(p.grid.lineNameX, x) + QLatin1Char('-') + LineName(p.grid.lineNameY, y);
}

void AddCallout(FigureTexts *texts, float cx, float cy, float reach, const QString &where,
                const QString &what)
{
    if (texts != nullptr)
        AddFigureCallout(*texts, cx, cy, reach, where, what);
}

// The multiplier of a wall: under an X wall (turned, right of a Y wall) as the plan has it, else across the
// wall beyond its symbol, or a quarter along, or smaller; else a callout.
void DrawWallLabel(PrintSurface &s, LabelPlacer &placer, FigureTexts *texts, bool alongX, float line,
                   float mid, float quarter, float value, const QString &where)
{
    const QString text = FormatMultiplier(value);
    const TextSize t = MeasureCm(s, text, kWallLabelSize);
    ItemLayerScope layer(s, ItemLayer::Labels);
    const float beyond = kFigWallEndGap + kFigSymbolHeight + 0.03f;  // past a brace symbol
    if (alongX) {
        const LabelPlacer::Spot spots[] = {{mid, line + 0.5f * t.h, 0.5f, 0},
                                           {mid, line - beyond, 0.5f, 1},
                                           {mid - quarter, line + 0.1f, 0.5f, 0},
                                           {mid + quarter, line + 0.1f, 0.5f, 0},
                                           {mid, line + 0.1f, 0.5f, 0}};
        if (placer.place(text, kWallLabelSize, spots))
            return;
    } else {
        const LabelPlacer::Spot spots[] = {{line + 0.2f * t.h, mid, 0, 0.5f},
                                           {line - beyond, mid, 1, 0.5f},
                                           {line + 0.1f, mid - quarter, 0, 0.5f},
                                           {line + 0.1f, mid + quarter, 0, 0.5f}};
        if (placer.place(text, kWallLabelSize, spots, 90))
            return;
    }
    const float cx = alongX ? mid : line, cy = alongX ? line : mid;
    AddCallout(texts, cx, cy, 0.05f, where, text);
}

}  // namespace

void drawFigureWalls(PrintSurface &s, const Project &p, float figScale, float figX, float figY, int level,
                     int mode, FigureTexts *texts)
{
    if (level < 1 || level > p.nodes.sizeLevel())
        return;
    FontScope font(s, kFontNamePMincho);
    s.SetFontBold(false);
    LabelPlacer own(s);
    LabelPlacer &placer = texts != nullptr ? texts->placer : own;
    ItemLayerScope layer(s, ItemLayer::Walls);
    for (int y = 1; y <= NodeCountY(p); ++y)
        for (int x = 1; x <= NodeCountX(p); ++x) {
            const NodeRecord &n = p.nodes(x, y, level);
            for (int d = kDirX; d <= kDirY; ++d) {
                const bool alongX = d == kDirX;
                if (alongX ? x >= NodeCountX(p) : y >= NodeCountY(p))
                    continue;
                const int own = alongX ? x : y;
                int labelledFirst = 0, labelledEnd = 0;  // the wall already labelled at this node
                for (const WallMember *m : {&n.board[d], &n.brace[d]}) {
                    if (m->kind == 0 || (m->segment != 0 && m->segment != 1))
                        continue;
                    int first = 0, end = 0;
                    WallExtent(p, d, own, m->firstIndex, m->lastIndex, first, end);
                    const QPointF pa = alongX ? FigureNodePoint(p, figScale, figX, figY, first, y)
                                              : FigureNodePoint(p, figScale, figX, figY, x, first);
                    const QPointF pb = alongX ? FigureNodePoint(p, figScale, figX, figY, end, y)
                                              : FigureNodePoint(p, figScale, figX, figY, x, end);
                    if (mode != kFigWallsSymbols) {
                        DrawLineCm(s, pa.x(), pa.y(), pb.x(), pb.y(), kPenStyleSolid, kWallLinePen,
                                   PaletteColor(0));
                        continue;
                    }
                    const auto line = static_cast<float>(alongX ? pa.y() : pa.x());
                    const auto lowEnd = static_cast<float>(alongX ? pa.x() : pa.y());
                    const auto highEnd = static_cast<float>(alongX ? pb.x() : pb.y());
                    DrawWallSymbol(s, alongX, line, lowEnd, highEnd, m == &n.board[d] ? 4 : m->code);
                    if (first == labelledFirst && end == labelledEnd)
                        continue;
                    // The label is that of the span where the wall starts.
                    const int sx = alongX ? first : x, sy = alongX ? y : first;
                    const QString where =
                        alongX ? NodeName(p, first, y) + QStringLiteral("〜") + NodeName(p, end, y)
                               : NodeName(p, x, first) + QStringLiteral("〜") + NodeName(p, x, end);
                    DrawWallLabel(s, placer, texts, alongX, line, (lowEnd + highEnd) / 2,
                                  std::abs(highEnd - lowEnd) / 4, SpanMultiplier(p, sx, sy, level, d), where);
                    labelledFirst = first;
                    labelledEnd = end;
                }
            }
        }
}

void KeepFigureColumnsFree(FigureTexts &texts, const Project &p, float figScale, float figX, float figY,
                           int level, float side)
{
    if (level < 1 || level > p.nodes.sizeLevel())
        return;
    for (int y = 1; y <= NodeCountY(p); ++y)
        for (int x = 1; x <= NodeCountX(p); ++x)
            if (p.nodes(x, y, level).columnKind > 0) {
                const QPointF c = FigureNodePoint(p, figScale, figX, figY, x, y);
                texts.placer.keepFree(QRectF(c.x() - side / 2, c.y() - side / 2, side, side));
            }
}

void drawFigureColumns(PrintSurface &s, const Project &p, const Calculation &calc, float figScale, float figX,
                       float figY, int level, int mode, FigureTexts *texts)
{
    if (level < 1 || level > p.nodes.sizeLevel())
        return;
    FontScope font(s, kFontNamePMincho);
    s.SetFontBold(false);
    LabelPlacer own(s);
    LabelPlacer &placer = texts != nullptr ? texts->placer : own;
    if (texts == nullptr && mode == kFigColumnsHardware) {
        FigureTexts squares{own, {}};
        KeepFigureColumnsFree(squares, p, figScale, figX, figY, level, kFigColumnSide);
    }
    const bool check = mode == kFigColumnsCarried || mode == kFigColumnsLower;
    const float side = check ? kFigColumnSideCheck : kFigColumnSide;
    const float textSize = HardwareTextSize(p);
    const float h = MeasureCm(s, QStringLiteral("(ろ)"), textSize).h;
    ItemLayerScope layer(s, ItemLayer::Columns);
    for (int y = 1; y <= NodeCountY(p); ++y)
        for (int x = 1; x <= NodeCountX(p); ++x) {
            const NodeRecord &n = p.nodes(x, y, level);
            if (n.columnKind <= 0)
                continue;
            const QPointF c = FigureNodePoint(p, figScale, figX, figY, x, y);
            const auto cx = static_cast<float>(c.x()), cy = static_cast<float>(c.y());
            s.SetItemLayer(ItemLayer::Columns);
            const ColumnResult *r = calc.results.valid(x, y, level) ? &calc.results(x, y, level) : nullptr;
            int pen = 0, fill = 0, fillStyle = kBrushStyleSolid + 1;
            switch (mode) {
                case kFigColumnsCarried:
                    pen = fill = (r != nullptr && r->notCarried == 1) ? 12 : 0;
                    break;
                case kFigColumnsLower:
                    fillStyle = 0;
                    break;
                case kFigColumnsHardware: {
                    const bool holdDown = r != nullptr && NeedsHoldDown(*r);
                    fill = holdDown ? 0 : 15;
                    break;
                }
                default:
                    break;
            }
            DrawRectCm(s, cx - side / 2, cy - side / 2, side, side, kPenStyleSolid, kColumnPen, pen, fill,
                       fillStyle);
            if (mode == kFigColumnsLower) {
                const float k = 0.9f * side;
                const float rise = level == 1 ? 1.0f : -1.0f;  // level 1 rises to the right on the page
                DrawLineCm(s, cx - k, cy + rise * k, cx + k, cy - rise * k, kPenStyleSolid, kColumnPen,
                           PaletteColor(0));
            }
            if (n.throughOrigin == 1)
                DrawCircleCm(s, cx, cy, kFigThroughRing * side, kPenStyleSolid, kColumnPen, PaletteColor(0),
                             PaletteColor(15), 0);
            if (mode != kFigColumnsHardware)
                continue;
            // A second-storey column whose pull-out reaches no first-storey column: an open triangle at
            // its right, as the legend shows.
            if (r != nullptr && r->notCarried == 1) {
                const float t = side * 0.6f, tx = cx + side / 2 + 0.03f + t;
                const Points tri = {{{tx - t, cy + t * 0.8f}, {tx + t, cy + t * 0.8f}, {tx, cy - t}, {}}};
                DrawPolygonCm(s, tri, 3, kPenStyleSolid, kColumnPen, PaletteColor(0), PaletteColor(15),
                              kBrushStyleSolid + 1);
                placer.keepFree(QRectF(tx - t, cy - t, 2 * t, 1.8f * t));
            }
            s.SetItemLayer(ItemLayer::Hardware);
            // Required class at the upper left, placed top hardware above, placed foot hardware below, as the
            // plan has them; else the column's other corners and sides, then smaller; else a callout.
            const float e = side / 2 + 2 * LabelPlacer::kGap;
            const LabelPlacer::Spot requiredSpots[] = {{cx - e, cy - e, 1, 1}, {cx - e, cy + e, 1, 0},
                                                       {cx - e, cy, 1, 0.5f},  {cx + e, cy - e, 0, 1},
                                                       {cx + e, cy + e, 0, 0}, {cx + e, cy, 0, 0.5f}};
            const LabelPlacer::Spot topSpots[] = {{cx - side / 5, cy - side / 2 - 0.8f * h, 0, 1},
                                                  {cx, cy - e, 0.5f, 1},
                                                  {cx + e, cy - e, 0, 1},
                                                  {cx - e, cy - e, 1, 1},
                                                  {cx + e, cy, 0, 0.5f}};
            const LabelPlacer::Spot footSpots[] = {{cx - side / 5, cy + e, 0, 0},
                                                   {cx, cy + e, 0.5f, 0},
                                                   {cx + e, cy + e, 0, 0},
                                                   {cx - e, cy + e, 1, 0},
                                                   {cx + e, cy, 0, 0.5f}};
            const std::span<const LabelPlacer::Spot> spots[] = {requiredSpots, topSpots, footSpots};
            static const QString roles[] = {QStringLiteral("必要"), QStringLiteral("柱頭"),
                                            QStringLiteral("柱脚")};
            QString unplaced;
            for (int k = 0; k < 3; ++k) {
                const QString &held = k == 0 ? calc.requiredClass(x, y, level) : n.hardware[k];
                const QString text = ShownText(held, kShownHardware);
                if (text.isEmpty() || placer.place(text, textSize, spots[k]))
                    continue;
                unplaced += (unplaced.isEmpty() ? QString() : QStringLiteral(" ")) + roles[k] + text;
            }
            if (!unplaced.isEmpty())
                AddCallout(texts, cx, cy, e, NodeName(p, x, y), unplaced);
        }
}

namespace {

constexpr float kDimensionTextSize = 6.0f;
constexpr float kDimensionMinTextSize = 4.0f;
constexpr float kDimensionRowGap = 0.12f;

// Clearance of the first dimension line from the plan's top and right edges: beyond the hardware texts
// that the outer columns carry above them and to their right.
struct DimensionClearance {
    float top = 0;
    float right = 0;
    float row = 0;  // from one dimension line to the next
};

DimensionClearance Clearance(PrintSurface &s, const Project &p)
{
    const TextSize hardware = MeasureCm(s, QStringLiteral("(る)*※"), HardwareTextSize(p));
    const TextSize dim = MeasureCm(s, QStringLiteral("910"), kDimensionTextSize);
    DimensionClearance c;
    c.top = kFigColumnSide / 2 + 1.8f * hardware.h + kDimensionRowGap;
    c.right = hardware.w - kFigColumnSide / 5 + kDimensionRowGap;
    c.row = dim.h + 0.03f + kDimensionRowGap;
    return c;
}

QString Millimetres(float metres)
{
    return QString::number(std::lround(static_cast<double>(metres) * 1000.0));
}

}  // namespace

float FigureDimensionsReach(PrintSurface &s, const Project &p)
{
    FontScope font(s, kFontNamePMincho);
    s.SetFontBold(false);
    const DimensionClearance c = Clearance(s, p);
    return c.right + 2 * c.row;
}

void drawFigureDimensions(PrintSurface &s, const Project &p, float figScale, float figX, float figY,
                          FigureTexts *placed)
{
    const int nx = NodeCountX(p);
    const int ny = NodeCountY(p);
    if (nx < 2 || ny < 2)
        return;
    FontScope font(s, kFontNamePMincho);
    ItemLayerScope layer(s, ItemLayer::Dims);
    s.SetFontBold(false);
    const DimensionClearance c = Clearance(s, p);
    const int div = p.dims.divisions;
    const QPointF hi = FigureNodePoint(p, figScale, figX, figY, nx, ny);

    // Along X, above the plan: module lines and the last line.
    std::vector<float> marks;
    QStringList texts;
    float previous = 0;
    for (int x = 1; x <= nx; ++x) {
        if (!OnModuleLine(x, div) && x != nx)
            continue;
        const float coord = GetNodeCoord(p, 1, x, 1).x;
        if (!marks.empty())
            texts << Millimetres(coord - previous);
        marks.push_back(static_cast<float>(FigureNodePoint(p, figScale, figX, figY, x, 1).x()));
        previous = coord;
    }
    const float chainY = static_cast<float>(hi.y()) - c.top;
    DrawDimensionLineCm(s, true, chainY, marks, texts, kDimensionTextSize, kDimensionMinTextSize);
    const float lengthX = GetNodeCoord(p, 1, nx, 1).x - GetNodeCoord(p, 1, 1, 1).x;
    DrawDimensionLineCm(s, true, chainY - c.row, {marks.front(), marks.back()}, {Millimetres(lengthX)},
                        kDimensionTextSize, kDimensionMinTextSize);

    // Along Y, right of the plan, from the last line down the page to the first.
    marks.clear();
    texts.clear();
    for (int y = ny; y >= 1; --y) {
        if (!OnModuleLine(y, div) && y != ny)
            continue;
        const float coord = GetNodeCoord(p, 1, 1, y).y;
        if (!marks.empty())
            texts << Millimetres(previous - coord);
        marks.push_back(static_cast<float>(FigureNodePoint(p, figScale, figX, figY, 1, y).y()));
        previous = coord;
    }
    const float chainX = static_cast<float>(hi.x()) + c.right;
    DrawDimensionLineCm(s, false, chainX, marks, texts, kDimensionTextSize, kDimensionMinTextSize);
    const float lengthY = GetNodeCoord(p, 1, 1, ny).y - GetNodeCoord(p, 1, 1, 1).y;
    DrawDimensionLineCm(s, false, chainX + c.row, {marks.front(), marks.back()}, {Millimetres(lengthY)},
                        kDimensionTextSize, kDimensionMinTextSize);
    if (placed != nullptr) {
        const float tick = 0.07f;
        const auto lo = FigureNodePoint(p, figScale, figX, figY, 1, 1);
        placed->placer.keepFree(
            QRectF(QPointF(lo.x() - tick, chainY - 2 * c.row - tick), QPointF(hi.x() + tick, chainY + tick)));
        placed->placer.keepFree(
            QRectF(QPointF(chainX - tick, hi.y() - tick), QPointF(chainX + 2 * c.row + tick, lo.y() + tick)));
    }
}

void AddFigureCallout(FigureTexts &texts, float cx, float cy, float reach, const QString &where,
                      const QString &what)
{
    FigureCallout c;
    c.number = static_cast<int>(texts.callouts.size()) + 1;
    c.where = where;
    c.text = what;
    const QString mark = QString::number(c.number);
    const LabelPlacer::Spot spots[] = {{cx - reach, cy - reach, 1, 1}, {cx + reach, cy - reach, 0, 1},
                                       {cx - reach, cy + reach, 1, 0}, {cx + reach, cy + reach, 0, 0},
                                       {cx, cy - reach, 0.5f, 1},      {cx, cy + reach, 0.5f, 0}};
    c.marked = texts.placer.place(mark, 5.0f, spots, 0, false);
    texts.callouts.push_back(c);
}

}  // namespace rqx

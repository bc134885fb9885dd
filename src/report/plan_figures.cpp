#include "report/plan_figures.h"

#include <QLineF>

#include <algorithm>
#include <array>
#include <map>
#include <tuple>
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
constexpr int kGridColour = 8;     // module lines dark grey: the black walls and beams stand out
constexpr int kSubGridColour = 7;  // sub-grid lines light grey: texts may cross them
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
    FontScope font(s, kFontNamePMincho);
    LabelPlacer own(s);
    LabelPlacer &placer = texts != nullptr ? texts->placer : own;
    const int div = p.dims.divisions;
    const size_t drawnFrom = placer.itemCount();
    for (int x = 1; x <= nx; ++x) {
        const auto px = static_cast<float>(FigureNodePoint(p, figScale, figX, figY, x, 1).x());
        DrawLineCm(s, px, top, px, bottom, kPenStyleSolid, kGridPen,
                   PaletteColor(OnModuleLine(x, div) ? kGridColour : kSubGridColour));
    }
    for (int y = 1; y <= ny; ++y) {
        const auto py = static_cast<float>(FigureNodePoint(p, figScale, figX, figY, 1, y).y());
        DrawLineCm(s, left, py, right, py, kPenStyleSolid, kGridPen,
                   PaletteColor(OnModuleLine(y, div) ? kGridColour : kSubGridColour));
    }
    // Texts keep off the module lines; the light sub-grid lines may run under them.
    placer.keepDrawnFree(drawnFrom);
    s.SetItemLayer(ItemLayer::Names);
    // The hardware plan writes the placed foot hardware under the bottom row's columns and the required
    // class left of the first column's: the names keep clear of both on every plan.
    s.SetFontBold(false);
    const TextSize hardware = MeasureCm(s, QStringLiteral("(ろ)"), HardwareTextSize(p));
    const float footClear = kFigColumnSide / 2 + 2 * LabelPlacer::kGap + hardware.h;
    const float classClear = kFigColumnSide / 2 + hardware.w / 1.25f;
    s.SetFontBold(true);
    const TextSize sample = MeasureCm(s, QStringLiteral("X0"), kGridNameSize);
    const float moduleDrop = std::max(1.3f * sample.h, footClear + 0.2f * sample.h);
    const float moduleGap = std::max(2.2f * sample.h, classClear + 0.8f * sample.h);
    // Every name is printed: a name's row (column, for the Y names) is its line's place within the module,
    // so that neighbouring lines' names stand apart in a stepped row; module names on the first.
    float widestY = 0;
    for (int y = 1; y <= ny && y <= p.grid.lineNameY.size(); ++y)
        widestY = std::max(widestY,
                           MeasureCm(s, ShownText(p.grid.lineNameY[y].trimmed(), kShownLineName), kGridNameSize).w);
    const int rows = std::max(1, div) + 1;
    auto place = [&](const QString &name, bool module, int step, float x, float y, bool alongX) {
        s.SetFontBold(module);
        LabelPlacer::Spot spots[8];
        int count = 0;
        for (int k = 0; k < rows && count < 8; ++k) {
            const int row = (step + k) % rows;
            spots[count++] = alongX ? LabelPlacer::Spot{x, bottom + moduleDrop + 1.15f * sample.h * row, 0.5f, 0}
                                    : LabelPlacer::Spot{left - moduleGap - (widestY + 0.08f) * row, y, 1, 0.5f};
        }
        if (!placer.place(name, kGridNameSize, std::span(spots, static_cast<size_t>(count))))
            placer.keepForDrawing(name, kGridNameSize, spots[0]);
    };
    for (const bool module : {true, false}) {
        for (int x = 1; x <= nx && x <= p.grid.lineNameX.size(); ++x)
            if (OnModuleLine(x, div) == module)
                place(ShownText(p.grid.lineNameX[x].trimmed(), kShownLineName), module,
                      div > 1 ? (x - 1) % div : 0,
                      static_cast<float>(FigureNodePoint(p, figScale, figX, figY, x, 1).x()), 0, true);
        for (int y = 1; y <= ny && y <= p.grid.lineNameY.size(); ++y)
            if (OnModuleLine(y, div) == module)
                place(ShownText(p.grid.lineNameY[y].trimmed(), kShownLineName), module,
                      div > 1 ? (y - 1) % div : 0, 0,
                      static_cast<float>(FigureNodePoint(p, figScale, figX, figY, 1, y).y()), false);
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
            if (x < NodeCountX(p) && IsBeamPresent(n.beam[kDirX])) {
                const QPointF b = FigureNodePoint(p, figScale, figX, figY, x + 1, y);
                DrawLineCm(s, a.x(), a.y(), b.x(), b.y(), kPenStyleSolid, kMemberPen, PaletteColor(0));
            }
            if (y < NodeCountY(p) && IsBeamPresent(n.beam[kDirY])) {
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
                                           {mid, line + 0.1f, 0.5f, 0},
                                           {mid - quarter, line - beyond, 0.5f, 1},
                                           {mid + quarter, line - beyond, 0.5f, 1}};
        if (placer.place(text, kWallLabelSize, spots))
            return;
        placer.keepForDrawing(text, kWallLabelSize, spots[0]);
    } else {
        const LabelPlacer::Spot spots[] = {{line + 0.2f * t.h, mid, 0, 0.5f},
                                           {line - beyond, mid, 1, 0.5f},
                                           {line + 0.1f, mid - quarter, 0, 0.5f},
                                           {line + 0.1f, mid + quarter, 0, 0.5f},
                                           {line - beyond, mid - quarter, 1, 0.5f},
                                           {line - beyond, mid + quarter, 1, 0.5f}};
        if (placer.place(text, kWallLabelSize, spots, 90))
            return;
        placer.keepForDrawing(text, kWallLabelSize, spots[0], 90);
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
    // Every wall is drawn before the first label, so that no label lands on a wall drawn after it.
    struct Label {
        bool alongX;
        float line, mid, quarter, value;
        QString where;
    };
    std::vector<Label> labels;
    const size_t drawnFrom = placer.itemCount();
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
                    labels.push_back({alongX, line, (lowEnd + highEnd) / 2, std::abs(highEnd - lowEnd) / 4,
                                      SpanMultiplier(p, sx, sy, level, d), where});
                    labelledFirst = first;
                    labelledEnd = end;
                }
            }
        }
    placer.keepDrawnFree(drawnFrom);
    for (const Label &l : labels)
        DrawWallLabel(s, placer, texts, l.alongX, l.line, l.mid, l.quarter, l.value, l.where);
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
                if (p.nodes(x, y, level).throughOrigin == 1) {  // the ring, as eight tangents around it
                    const double r = kFigThroughRing * side / std::cos(M_PI / 8);
                    for (int k = 0; k < 8; ++k) {
                        const double a0 = k * M_PI / 4, a1 = (k + 1) * M_PI / 4;
                        texts.placer.keepLineFree(c + QPointF(r * std::cos(a0), r * std::sin(a0)),
                                                  c + QPointF(r * std::cos(a1), r * std::sin(a1)));
                    }
                }
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
            // The placed hardware right of the line through the column, so that no wall or module line
            // runs under it: the top above, the foot below (the legend's sample shows the same).
            const LabelPlacer::Spot topSpots[] = {{cx + e, cy - e, 0, 1},
                                                  {cx - side / 5, cy - side / 2 - 0.8f * h, 0, 1},
                                                  {cx, cy - e, 0.5f, 1},
                                                  {cx - e, cy - e, 1, 1},
                                                  {cx + e, cy, 0, 0.5f}};
            const LabelPlacer::Spot footSpots[] = {{cx + e, cy + e, 0, 0},
                                                   {cx - side / 5, cy + e, 0, 0},
                                                   {cx, cy + e, 0.5f, 0},
                                                   {cx - e, cy + e, 1, 0},
                                                   {cx + e, cy, 0, 0.5f}};
            const std::span<const LabelPlacer::Spot> spots[] = {requiredSpots, topSpots, footSpots};
            static const QString roles[] = {QStringLiteral("必要"), QStringLiteral("柱頭"),
                                            QStringLiteral("柱脚")};
            QString unplaced;
            for (int k = 0; k < 3; ++k) {
                const QString &required = calc.requiredClass(x, y, level);
                const QString &held = k == 0 ? required : n.hardware[k];
                QString text = ShownText(held, kShownHardware);
                if (k > 0 && PlacedBelowRequired(held, required))
                    text += kWeakerPlacementMark;  // as the result table marks it
                if (text.isEmpty() || placer.place(text, textSize, spots[k]))
                    continue;
                placer.keepForDrawing(text, textSize, spots[k][0]);
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
    const TextSize hardware = MeasureCm(s, QStringLiteral("(る)*") + kWeakerPlacementMark, HardwareTextSize(p));
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

float FigureDimensionsReach(PrintSurface &s, const Project &p, bool above)
{
    FontScope font(s, kFontNamePMincho);
    s.SetFontBold(false);
    const DimensionClearance c = Clearance(s, p);
    return (above ? c.top : c.right) + 2 * c.row;
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
    c.where = where;
    c.text = what;
    const int drawn = texts.numbered;
    const QString mark = QString::number(drawn + 1);
    LabelPlacer &placer = texts.placer;
    PrintSurface &s = placer.surface();
    // A number is measured as that many zeros, once per font, size and length: the widest digits, so the
    // box holds it.
    static std::map<std::tuple<QString, bool, int, qsizetype>, TextSize> measured;
    auto measure = [&](float size) {
        const auto key = std::make_tuple(s.FontName(), s.FontBold(), static_cast<int>(size * 2), mark.size());
        auto known = measured.find(key);
        if (known == measured.end())
            known = measured.emplace(key, MeasureCm(s, QString(mark.size(), QLatin1Char('0')), size)).first;
        return known->second;
    };
    constexpr float kSize = 5.0f, kSmallest = LabelPlacer::kMinTextSize;
    const TextSize large = measure(kSize), small = measure(kSmallest);
    // The larger size where it fits, else the smallest, at a spot whose smallest box is free.
    auto fit = [&](const LabelPlacer::Spot &spot, QRectF &box, float &size) {
        box = LabelPlacer::spotBox(spot, small, false);
        size = kSmallest;
        if (!placer.isFree(box))
            return false;
        const QRectF larger = LabelPlacer::spotBox(spot, large, false);
        if (placer.isFree(larger)) {
            box = larger;
            size = kSize;
        }
        return true;
    };
    // Beside the member first.
    const LabelPlacer::Spot spots[] = {{cx - reach, cy - reach, 1, 1}, {cx + reach, cy - reach, 0, 1},
                                       {cx - reach, cy + reach, 1, 0}, {cx + reach, cy + reach, 0, 0},
                                       {cx, cy - reach, 0.5f, 1},      {cx, cy + reach, 0.5f, 0}};
    QRectF box;
    float size = kSize;
    for (const LabelPlacer::Spot &spot : spots)
        if (fit(spot, box, size)) {
            placer.printAt(mark, size, box);
            c.marked = true;
            break;
        }
    // Else a little way out, joined to the member by a leader line that crosses no text.
    static constexpr float kDiagonal = 0.70710678f;
    static constexpr std::array<std::array<float, 2>, 8> kWays = {{{1, 0},
                                                                   {kDiagonal, -kDiagonal},
                                                                   {0, -1},
                                                                   {-kDiagonal, -kDiagonal},
                                                                   {-1, 0},
                                                                   {-kDiagonal, kDiagonal},
                                                                   {0, 1},
                                                                   {kDiagonal, kDiagonal}}};
    for (const float out : {0.3f, 0.6f}) {
        for (size_t k = 0; k < kWays.size() && !c.marked; ++k) {
            const float ux = kWays[k][0], uy = kWays[k][1];
            const float d = reach + out;
            const LabelPlacer::Spot spot{cx + ux * d, cy + uy * d, 0.5f - 0.5f * ux, 0.5f - 0.5f * uy};
            if (!fit(spot, box, size))
                continue;
            const QPointF from(cx + ux * reach, cy + uy * reach);
            QPointF to(std::clamp(from.x(), box.left(), box.right()), std::clamp(from.y(), box.top(), box.bottom()));
            const QLineF leader(from, to);  // it stops short of the number
            if (leader.length() > LabelPlacer::kGap)
                to = leader.pointAt(1.0 - LabelPlacer::kGap / leader.length());
            if (!placer.isPathFree(from, to))
                continue;
            DrawLineCm(s, static_cast<float>(from.x()), static_cast<float>(from.y()), static_cast<float>(to.x()),
                       static_cast<float>(to.y()), kPenStyleSolid, 0, PaletteColor(0));
            placer.keepLineFree(from, to);
            placer.printAt(mark, size, box);
            c.marked = true;
        }
        if (c.marked)
            break;
    }
    // A number that finds no room is not given: the entry is listed by its grid position alone.
    c.number = c.marked ? drawn + 1 : 0;
    texts.numbered += c.marked ? 1 : 0;
    texts.callouts.push_back(c);
}

}  // namespace rqx

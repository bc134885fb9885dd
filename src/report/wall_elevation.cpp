#include "report/wall_elevation.h"

#include <algorithm>
#include <array>
#include <vector>

#include "print/page_drawing.h"
#include "print/print_surface.h"

namespace rqx {

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kLineColour = 0xFFC00000;  // the 1.35 m lines
constexpr QRgb kRoofFill = 0xFFE0E0E0;

double StoreyBase(const WallQuantityResult &r, int storey)
{
    double base = 0.0;
    for (int t = 1; t < storey; ++t)
        base += r.storey[static_cast<std::size_t>(t - 1)].heightM;
    return base;
}

bool HeightsKnown(const WallQuantityResult &r)
{
    for (const StoreyWallResult &st : r.storey)
        if (st.heightM <= 0.0)
            return false;
    return true;
}

// The highest storey with a footprint, its extent across and the roof band seen along `direction`.
struct RoofPlace {
    int storey = 0;
    double from = 0.0;
    double to = 0.0;
    ElevationBand band;
};

RoofPlace RoofOf(const WallQuantityResult &r, int direction)
{
    RoofPlace place;
    const std::size_t across = direction == kDirX ? 1 : 0;
    for (int s = r.storeys; s >= 1 && place.storey == 0; --s) {
        const std::vector<Interval> &blocks = r.storey[static_cast<std::size_t>(s - 1)].projection[across];
        if (blocks.empty())
            continue;
        place.storey = s;
        place.from = blocks.front().from;
        place.to = blocks.back().to;
    }
    if (place.storey > 0)
        place.band = RoofBand(r.inputs.roof, direction, place.to - place.from, place.storey);
    return place;
}

QString Metres(double v)
{
    return QString::number(v, 'f', 2);
}

}  // namespace

QString ElevationFigureName(int direction)
{
    return direction == kDirX ? QStringLiteral("X_見付面積図") : QStringLiteral("Y_見付面積図");
}

ElevationExtent ElevationExtentOf(const WallQuantityResult &r, int direction)
{
    ElevationExtent e;
    const std::size_t across = direction == kDirX ? 1 : 0;
    bool any = false;
    for (const StoreyWallResult &st : r.storey)
        for (const Interval &i : st.projection[across]) {
            e.left = any ? std::min(e.left, i.from) : i.from;
            e.right = any ? std::max(e.right, i.to) : i.to;
            any = true;
        }
    const RoofPlace roof = RoofOf(r, direction);
    if (roof.storey > 0) {
        const double overhang = (roof.band.widthM - (roof.to - roof.from)) / 2.0;
        e.left = std::min(e.left, roof.from - overhang);
        e.right = std::max(e.right, roof.to + overhang);
    }
    e.height = StoreyBase(r, r.storeys + 1) + roof.band.heightM;
    return e;
}

void DrawElevationFigure(PrintSurface &s, const WallQuantityResult &r, int direction, float x, float baseY,
                         double cmPerMetre)
{
    if (!HeightsKnown(r))
        return;
    const ElevationExtent e = ElevationExtentOf(r, direction);
    auto px = [&](double m) { return x + static_cast<float>((m - e.left) * cmPerMetre); };
    auto py = [&](double h) { return baseY - static_cast<float>(h * cmPerMetre); };
    const std::size_t across = direction == kDirX ? 1 : 0;

    std::vector<double> levels;
    for (int st = 1; st <= r.storeys + 1; ++st)
        levels.push_back(StoreyBase(r, st));
    std::vector<double> edges;
    for (const StoreyWallResult &st : r.storey)
        for (const Interval &i : st.projection[across]) {
            edges.push_back(i.from);
            edges.push_back(i.to);
        }
    const RoofPlace roof = RoofOf(r, direction);
    if (roof.storey > 0 && roof.band.heightM > 0.0) {
        // The roof's edges and top are lines of the drawing too: CAD gets them exact, not page-rounded.
        const double overhang = (roof.band.widthM - (roof.to - roof.from)) / 2.0;
        edges.push_back(roof.from - overhang);
        edges.push_back(roof.to + overhang);
        levels.push_back(StoreyBase(r, roof.storey + 1) + roof.band.heightM);
    }
    std::sort(edges.begin(), edges.end());
    s.BeginFigure(ElevationFigureName(direction), x - e.left * cmPerMetre, baseY, cmPerMetre, edges, levels);

    {
        // Roof first, so the storeys' outlines lie over its fill.
        ItemLayerScope layer(s, ItemLayer::Beams);
        if (roof.storey > 0 && roof.band.heightM > 0.0) {
            const double overhang = (roof.band.widthM - (roof.to - roof.from)) / 2.0;
            const double left = roof.from - overhang;
            const double right = roof.to + overhang;
            const double top = StoreyBase(r, roof.storey + 1);
            std::vector<std::array<float, 2>> pts;
            if (!roof.band.triangle) {
                pts = {{px(left), py(top)}, {px(right), py(top)}, {px(right), py(top + roof.band.heightM)},
                       {px(left), py(top + roof.band.heightM)}};
            } else if (r.inputs.roof.kind == RoofKind::Shed) {
                pts = {{px(left), py(top)}, {px(right), py(top)}, {px(right), py(top + roof.band.heightM)}};
            } else {
                pts = {{px(left), py(top)}, {px(right), py(top)}, {px((left + right) / 2), py(top + roof.band.heightM)}};
            }
            DrawPolygonCm(s, pts, static_cast<int>(pts.size()), 0, 10, kBlack, kRoofFill, 1);
        }
    }
    {
        ItemLayerScope layer(s, ItemLayer::Walls);
        for (int st = 1; st <= r.storeys; ++st) {
            const double base = StoreyBase(r, st);
            const double h = r.storey[static_cast<std::size_t>(st - 1)].heightM;
            for (const Interval &i : r.storey[static_cast<std::size_t>(st - 1)].projection[across]) {
                const std::array<std::array<float, 2>, 4> pts = {
                    {{px(i.from), py(base)}, {px(i.to), py(base)}, {px(i.to), py(base + h)}, {px(i.from), py(base + h)}}};
                DrawPolygonCm(s, pts, 4, 0, 10, kBlack, 0xFFFFFFFF, 0);
            }
        }
    }
    {
        // The line 1.35 m over each storey's floor: what lies above it counts.
        ItemLayerScope layer(s, ItemLayer::Grid);
        for (int st = 1; st <= r.storeys; ++st) {
            const float y = py(StoreyBase(r, st) + kWindLineM);
            DrawLineCm(s, px(e.left) - 1.4f, y, px(e.right) + 0.3f, y, 2, 0, kLineColour);
            PrintTextCm(s, QStringLiteral("%1FL+1.35").arg(st), 6, px(e.left) - 1.4f, y - 0.3f, 0);
        }
    }
    {
        ItemLayerScope layer(s, ItemLayer::Dims);
        // Heights on the right: each storey's floor, its 1.35 m line, the storey's top, the roof's top.
        std::vector<double> marks = levels;
        for (int st = 1; st <= r.storeys; ++st)
            marks.push_back(StoreyBase(r, st) + kWindLineM);
        marks.push_back(StoreyBase(r, r.storeys + 1) + roof.band.heightM);
        std::sort(marks.begin(), marks.end());
        marks.erase(std::unique(marks.begin(), marks.end(), [](double a, double b) { return b - a < 1e-9; }),
                    marks.end());
        std::vector<float> pageMarks;
        QStringList texts;
        for (auto it = marks.rbegin(); it != marks.rend(); ++it)
            pageMarks.push_back(py(*it));
        for (std::size_t k = 0; k + 1 < marks.size(); ++k)
            texts << Metres(marks[marks.size() - 1 - k] - marks[marks.size() - 2 - k]);
        DrawDimensionLineCm(s, false, px(e.right) + 0.5f, pageMarks, texts, 6, 4);
        // Widths below: one row per storey, each block's width; the roof's width over the roof.
        for (int st = 1; st <= r.storeys; ++st) {
            std::vector<float> widthMarks;
            QStringList widths;
            const std::vector<Interval> &blocks = r.storey[static_cast<std::size_t>(st - 1)].projection[across];
            for (std::size_t k = 0; k < blocks.size(); ++k) {
                if (k > 0)
                    widths << QString();
                widthMarks.push_back(px(blocks[k].from));
                widthMarks.push_back(px(blocks[k].to));
                widths << Metres(blocks[k].to - blocks[k].from);
            }
            if (!widthMarks.empty())
                DrawDimensionLineCm(s, true, baseY + 0.25f + 0.45f * static_cast<float>(st), widthMarks, widths, 6, 4);
        }
        if (roof.storey > 0 && roof.band.heightM > 0.0) {
            const double overhang = (roof.band.widthM - (roof.to - roof.from)) / 2.0;
            const float top = py(StoreyBase(r, roof.storey + 1) + roof.band.heightM) - 0.2f;
            DrawDimensionLineCm(s, true, top, {px(roof.from - overhang), px(roof.to + overhang)},
                                {Metres(roof.band.widthM)}, 6, 4);
        }
    }
    s.EndFigure();
}

}  // namespace rqx

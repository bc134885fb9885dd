#include "calc/wall_placement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace rqx {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
// A wall on a quarter line or the outer edge belongs to the portion: coordinates are multiples of the
// span, so a tolerance far below a millimetre decides.
constexpr double kOnLine = 1e-7;

// What one pass over a storey's nodes gathers, per grid line: the floor and footprint cells of each
// cell row and column, and the multipliers of the walls on each line. Every later sum runs over lines,
// not nodes. Index k of a cell count is the cell between lines k and k + 1 (1-based); index k of a
// wall sum is line k.
struct StoreyLines {
    bool any = false;
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;  // footprint (floor and void) in cell indices, inclusive
    std::array<std::vector<int>, 2> floors;     // [axis − 1][k]: floor cells (床) in cell column (X) / row (Y) k
    std::array<std::vector<int>, 2> footprint;  // the same for floor and void cells
    std::array<std::vector<double>, 2> walls;   // [direction − 1][line]: Σ multiplier of its spans
};

StoreyLines ScanLines(const Project &p, int storey)
{
    StoreyLines c;
    const int nx = p.dims.spanCountX;
    const int ny = p.dims.spanCountY;
    c.floors = {std::vector<int>(static_cast<std::size_t>(nx + 2)), std::vector<int>(static_cast<std::size_t>(ny + 2))};
    c.footprint = c.floors;
    c.walls = {std::vector<double>(static_cast<std::size_t>(ny + 2)), std::vector<double>(static_cast<std::size_t>(nx + 2))};
    for (int y = 1; y <= ny + 1; ++y)
        for (int x = 1; x <= nx + 1; ++x) {
            const NodeRecord &n = p.nodes(x, y, storey);
            if (x <= nx && y <= ny && n.cellFloor >= 1) {
                if (!c.any) {
                    c.x0 = c.x1 = x;
                    c.y0 = c.y1 = y;
                    c.any = true;
                }
                c.x0 = std::min(c.x0, x);
                c.x1 = std::max(c.x1, x);
                c.y0 = std::min(c.y0, y);
                c.y1 = std::max(c.y1, y);
                ++c.footprint[0][static_cast<std::size_t>(x)];
                ++c.footprint[1][static_cast<std::size_t>(y)];
                if (n.cellFloor == 1) {
                    ++c.floors[0][static_cast<std::size_t>(x)];
                    ++c.floors[1][static_cast<std::size_t>(y)];
                }
            }
            if (x <= nx)
                c.walls[0][static_cast<std::size_t>(y)] += WallSpanMultiplier(n, kDirX);
            if (y <= ny)
                c.walls[1][static_cast<std::size_t>(x)] += WallSpanMultiplier(n, kDirY);
        }
    return c;
}

double Overlap(double a0, double a1, double b0, double b1)
{
    return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
}

// The cells' area inside the strip [from, to] that runs along `direction` (walls along X: the strip's
// width lies along y), cells cut by its edge by their part inside.
double AreaInStrip(const std::array<std::vector<int>, 2> &cells, int direction, double from, double to,
                   double span)
{
    const std::vector<int> &across = cells[direction == kDirX ? 1 : 0];
    double area = 0.0;
    for (std::size_t k = 1; k < across.size(); ++k)
        if (across[k] > 0)
            area += across[k] * span * Overlap((k - 1) * span, k * span, from, to);
    return area;
}

QuarterResult Quarter(const WallQuantityResult &q, const std::vector<StoreyLines> &lines, int storey,
                      int direction)
{
    QuarterResult r;
    r.storey = storey;
    r.direction = direction;
    const StoreyLines &c = lines[static_cast<std::size_t>(storey - 1)];
    if (!c.any)
        return r;
    const double span = q.spanM;
    r.present = true;
    r.extentFrom = ((direction == kDirX ? c.y0 : c.x0) - 1) * span;
    r.extentTo = (direction == kDirX ? c.y1 : c.x1) * span;
    const double quarter = (r.extentTo - r.extentFrom) / 4.0;
    const double spanCm = SpanCm(span);
    const std::vector<double> &walls = c.walls[static_cast<std::size_t>(direction - 1)];
    for (int k = 0; k < 2; ++k) {
        SidePortion &s = r.side[static_cast<std::size_t>(k)];
        s.side = k + 1;
        s.from = k == 0 ? r.extentFrom : r.extentTo - quarter;
        s.to = k == 0 ? r.extentFrom + quarter : r.extentTo;
        s.areaM2 = AreaInStrip(c.floors, direction, s.from, s.to, span);
        if (storey == 2)
            s.lwKind = PortionLw::Storey2;
        else if (q.storeys == 2 && AreaInStrip(lines[1].footprint, direction, s.from, s.to, span) <= 0.0)
            s.lwKind = PortionLw::OneStorey;
        else
            s.lwKind = PortionLw::Storey1;
        s.lw = q.lw[static_cast<std::size_t>(s.lwKind == PortionLw::Storey1   ? kLwStorey1
                                             : s.lwKind == PortionLw::Storey2 ? kLwStorey2
                                                                               : kLwOneStorey)];
        s.lwKnown = s.lw > 0.0;
        double multipliers = 0.0;
        for (std::size_t line = 1; line < walls.size(); ++line) {
            const double at = (line - 1) * span;
            if (walls[line] > 0.0 && at >= s.from - kOnLine && at <= s.to + kOnLine)
                multipliers += walls[line];
        }
        s.existingCm = multipliers * spanCm;
        s.requiredCm = s.areaM2 * s.lw;
        s.fill = s.areaM2 > 0.0 ? (s.requiredCm > 0.0 ? s.existingCm / s.requiredCm : kInf) : kInf;
    }
    const double a = r.side[0].fill;
    const double b = r.side[1].fill;
    const double larger = std::max(a, b);
    const double smaller = std::min(a, b);
    r.wallRatio = std::isinf(larger) ? (std::isinf(smaller) ? 1.0 : 0.0) : (larger > 0.0 ? smaller / larger : 0.0);
    r.judged = (r.side[0].lwKnown || r.side[0].areaM2 <= 0.0) && (r.side[1].lwKnown || r.side[1].areaM2 <= 0.0);
    r.ok = r.judged && (r.bothFilled() || r.wallRatio >= kMinWallRatio);
    return r;
}

EccentricityResult Eccentricity(const std::vector<StoreyLines> &lines, int storey, double span)
{
    EccentricityResult e;
    e.storey = storey;
    // G: the floor cells of this storey and every storey above, each of area span² at its middle.
    double cells = 0.0;
    double mx = 0.0;
    double my = 0.0;
    for (std::size_t s = static_cast<std::size_t>(storey - 1); s < lines.size(); ++s) {
        const auto &floors = lines[s].floors;
        for (std::size_t k = 1; k < floors[0].size(); ++k) {
            cells += floors[0][k];
            mx += floors[0][k] * (k - 0.5) * span;
        }
        for (std::size_t k = 1; k < floors[1].size(); ++k)
            my += floors[1][k] * (k - 0.5) * span;
    }
    // K of the walls along X lies on its row's line (y), of the walls along Y on its column's line (x).
    const StoreyLines &c = lines[static_cast<std::size_t>(storey - 1)];
    const std::vector<double> &kx = c.walls[0];
    const std::vector<double> &ky = c.walls[1];
    double kxy = 0.0;
    double kyx = 0.0;
    for (std::size_t k = 1; k < kx.size(); ++k) {
        e.sumKx += kx[k] * span;
        kxy += kx[k] * span * (k - 1) * span;
    }
    for (std::size_t k = 1; k < ky.size(); ++k) {
        e.sumKy += ky[k] * span;
        kyx += ky[k] * span * (k - 1) * span;
    }
    if (cells <= 0.0)
        return e;
    e.present = true;
    e.gx = mx / cells;
    e.gy = my / cells;
    e.sx = e.sumKy > 0.0 ? kyx / e.sumKy : e.gx;
    e.sy = e.sumKx > 0.0 ? kxy / e.sumKx : e.gy;
    e.ex = std::abs(e.sx - e.gx);
    e.ey = std::abs(e.sy - e.gy);
    for (std::size_t k = 1; k < kx.size(); ++k) {
        const double d = (k - 1) * span - e.sy;
        e.kr += kx[k] * span * d * d;
    }
    for (std::size_t k = 1; k < ky.size(); ++k) {
        const double d = (k - 1) * span - e.sx;
        e.kr += ky[k] * span * d * d;
    }
    e.rex = e.sumKx > 0.0 ? std::sqrt(e.kr / e.sumKx) : 0.0;
    e.rey = e.sumKy > 0.0 ? std::sqrt(e.kr / e.sumKy) : 0.0;
    // Without stiffness in a direction, or without torsional stiffness, nothing holds the storey.
    e.bigRex = e.rex > 0.0 ? e.ey / e.rex : kInf;
    e.bigRey = e.rey > 0.0 ? e.ex / e.rey : kInf;
    e.ok = e.bigRex <= kMaxEccentricity && e.bigRey <= kMaxEccentricity;
    return e;
}

}  // namespace

WallPlacementResult ComputeWallPlacement(const Project &p, const WallQuantityResult &q)
{
    WallPlacementResult r;
    r.storeys = q.storeys;
    r.spanM = q.spanM;
    std::vector<StoreyLines> lines;
    for (int s = 1; s <= r.storeys; ++s)
        lines.push_back(ScanLines(p, s));
    bool oneStoreyMissing = false;
    bool storeyMissing[2] = {false, false};
    for (int s = 1; s <= r.storeys; ++s) {
        r.quarter.push_back({Quarter(q, lines, s, kDirX), Quarter(q, lines, s, kDirY)});
        for (const QuarterResult &qr : r.quarter.back())
            for (const SidePortion &side : qr.side)
                if (qr.present && !side.lwKnown && side.areaM2 > 0.0) {
                    if (side.lwKind == PortionLw::OneStorey)
                        oneStoreyMissing = true;
                    else
                        storeyMissing[side.lwKind == PortionLw::Storey2 ? 1 : 0] = true;
                }
        r.eccentricity.push_back(Eccentricity(lines, s, r.spanM));
    }
    for (int s = 0; s < 2; ++s)
        if (storeyMissing[s])
            r.missing << QStringLiteral("%1階の Lw が入力されていません。").arg(s + 1);
    if (oneStoreyMissing)
        r.missing << QStringLiteral("平屋部分の Lw が入力されていません（２階のない１階の側端部分に必要です）。");
    return r;
}

PortionState StateOf(const QuarterResult &q, int side)
{
    if (!q.present || !q.judged)
        return PortionState::Unknown;
    if (q.side[static_cast<std::size_t>(side - 1)].fill > 1.0)
        return PortionState::Enough;
    return q.ok ? PortionState::Balanced : PortionState::Failing;
}

QString PlacementStatusText(const WallPlacementResult &result, int storey, bool *isFailing)
{
    if (isFailing != nullptr)
        *isFailing = false;
    if (storey < 1 || storey > result.storeys)
        return {};
    QStringList parts;
    bool quarterFails = false;
    for (int d = kDirX; d <= kDirY; ++d) {
        const QuarterResult &q = result.at(storey, d);
        const QString axis = d == kDirX ? QStringLiteral("X") : QStringLiteral("Y");
        if (!q.present || !q.judged) {
            parts << axis + QStringLiteral(" －");
            continue;
        }
        quarterFails = quarterFails || !q.ok;
        parts << axis + (q.ok ? QStringLiteral(" OK") : QStringLiteral(" NG"));
    }
    const EccentricityResult &e = result.eccentricity[static_cast<std::size_t>(storey - 1)];
    auto r = [](double v) {  // rounded up, never down to a pass: 0.301 shows as 0.31
        return std::isinf(v) ? QStringLiteral("∞") : QString::number(std::ceil(v * 100.0 - 1e-9) / 100.0, 'f', 2);
    };
    QString text = QStringLiteral("四分割 ") + parts.join(QStringLiteral(" / "));
    if (e.present)
        text += QStringLiteral("  偏心率 %1 / %2").arg(r(e.bigRex), r(e.bigRey));
    // Either way passing is enough.
    if (isFailing != nullptr)
        *isFailing = quarterFails && !(e.present && e.ok);
    if (!result.complete())
        text += QStringLiteral(" (条件未入力)");
    return text;
}

}  // namespace rqx

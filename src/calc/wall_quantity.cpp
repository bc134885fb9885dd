#include "calc/wall_quantity.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace rqx {

namespace {

// What a wall of multiplier 1 carries per cm, kN/cm.
constexpr double kUnitWallStrength = 0.0196;

double StoreyHeightM(const Project &p, int storey)
{
    if (storey < 1 || storey > 2 || storey > p.dims.floorCount)
        return 0.0;
    const int32_t mm = p.info.levelHeight[storey];
    return mm > 0 ? mm / 1000.0 : 0.0;
}

std::vector<Interval> Intervals(const std::vector<bool> &occupied, double span)
{
    std::vector<Interval> out;
    for (std::size_t k = 0; k < occupied.size(); ++k) {
        if (!occupied[k])
            continue;
        if (!out.empty() && std::abs(out.back().to - static_cast<double>(k) * span) < 1e-9)
            out.back().to = static_cast<double>(k + 1) * span;
        else
            out.push_back({static_cast<double>(k) * span, static_cast<double>(k + 1) * span});
    }
    return out;
}

double Width(const std::vector<bool> &occupied, double span)
{
    return static_cast<double>(std::count(occupied.begin(), occupied.end(), true)) * span;
}

double Extent(const std::vector<bool> &occupied, double span)
{
    const auto first = std::find(occupied.begin(), occupied.end(), true);
    if (first == occupied.end())
        return 0.0;
    const auto last = std::find(occupied.rbegin(), occupied.rend(), true);
    const auto from = first - occupied.begin();
    const auto to = occupied.rend() - last;
    return static_cast<double>(to - from) * span;
}

// The members of a span that decide where one listed wall ends and the next begins.
struct SpanKey {
    int32_t braceKind, braceCode, braceFirst, boardKind, boardFirst;
    float brace, board;
    bool operator==(const SpanKey &) const = default;
};

SpanKey KeyOf(const NodeRecord &n, int d)
{
    const WallMember &b = n.brace[d];
    const WallMember &m = n.board[d];
    return {b.kind, b.code, b.kind != 0 ? b.firstIndex : 0, m.kind, m.kind != 0 ? m.firstIndex : 0,
            b.kind != 0 ? b.multiplier : 0.0f, m.kind != 0 ? m.multiplier : 0.0f};
}

bool HasWall(const NodeRecord &n, int d)
{
    return n.brace[d].kind != 0 || n.board[d].kind != 0;
}

// A span's multiplier as the N values add it (single precision), then the wall quantity's cap.
double SpanMultiplier(const SpanKey &key, bool *capped)
{
    const double sum = static_cast<double>(key.brace + key.board);
    *capped = sum > kWallMultiplierCap;
    return std::min(sum, kWallMultiplierCap);
}

// What one pass over a storey's nodes gathers: its cells, its footprint projected along X and Y
// (occupied[axis − 1][k] for the k-th cell along the axis), the multiplier × spans of its walls per
// direction.
struct StoreyScan {
    int floorCells = 0;
    int voidCells = 0;
    std::array<std::vector<bool>, 2> occupied;
    std::array<double, 2> multiplierSpans{};
    std::array<int, 2> wallSpans{};
    std::array<int, 2> cappedSpans{};
};

StoreyScan ScanStorey(const Project &p, int storey)
{
    const int nx = p.dims.spanCountX;
    const int ny = p.dims.spanCountY;
    StoreyScan scan;
    scan.occupied[0].assign(static_cast<std::size_t>(nx), false);
    scan.occupied[1].assign(static_cast<std::size_t>(ny), false);
    auto addSpan = [&scan](const NodeRecord &n, int d) {
        bool capped = false;
        scan.multiplierSpans[static_cast<std::size_t>(d - 1)] += SpanMultiplier(KeyOf(n, d), &capped);
        ++scan.wallSpans[static_cast<std::size_t>(d - 1)];
        scan.cappedSpans[static_cast<std::size_t>(d - 1)] += capped ? 1 : 0;
    };
    for (int y = 1; y <= ny + 1; ++y)
        for (int x = 1; x <= nx + 1; ++x) {
            const NodeRecord &n = p.nodes(x, y, storey);
            if (x <= nx && y <= ny && n.cellFloor >= 1) {
                scan.floorCells += n.cellFloor == 1 ? 1 : 0;
                scan.voidCells += n.cellFloor == 2 ? 1 : 0;
                scan.occupied[0][static_cast<std::size_t>(x - 1)] = true;
                scan.occupied[1][static_cast<std::size_t>(y - 1)] = true;
            }
            if (x <= nx && HasWall(n, kDirX))
                addSpan(n, kDirX);
            if (y <= ny && HasWall(n, kDirY))
                addSpan(n, kDirY);
        }
    return scan;
}

}  // namespace

double SpanMetres(const Project &p)
{
    return std::round(static_cast<double>(p.dims.spanLength) * 1e5) / 1e5;
}

double SpanCm(double spanM)
{
    return std::round(spanM * 1e6) / 1e4;
}

double WallSpanMultiplier(const NodeRecord &n, int direction, bool *capped)
{
    bool over = false;
    const double m = HasWall(n, direction) ? SpanMultiplier(KeyOf(n, direction), &over) : 0.0;
    if (capped != nullptr)
        *capped = over;
    return m;
}

LwFormulaResult ComputeLwFormula(int storeys, const std::array<double, 2> &w, const std::array<double, 2> &area,
                                 double heightM, double c0)
{
    LwFormulaResult f;
    f.used = true;
    f.c0 = c0;
    f.heightM = heightM;
    f.t = 0.03 * heightM;
    f.tFactor = 2.0 * f.t / (1.0 + 3.0 * f.t);
    f.w = w;
    f.area = area;
    const int n = std::clamp(storeys, 1, 2);
    for (int i = n - 1; i >= 0; --i)
        f.sumW[static_cast<std::size_t>(i)] = w[static_cast<std::size_t>(i)] + (i + 1 < n ? f.sumW[1] : 0.0);
    f.ok = true;
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (w[k] <= 0.0 || area[k] <= 0.0 || f.sumW[0] <= 0.0) {
            f.ok = false;
            continue;
        }
        f.alpha[k] = f.sumW[k] / f.sumW[0];
        f.ai[k] = 1.0 + (1.0 / std::sqrt(f.alpha[k]) - f.alpha[k]) * f.tFactor;
        f.lw[k] = f.ai[k] * c0 * f.sumW[k] / (kUnitWallStrength * area[k]);
    }
    return f;
}

ElevationBand RoofBand(const RoofDescription &roof, int direction, double extentM, int topStorey)
{
    ElevationBand band;
    band.kind = BandKind::Roof;
    band.storey = topStorey;
    band.heightM = roof.riseMm / 1000.0;
    if (extentM <= 0.0)
        return band;
    const bool gableEnd = roof.kind != RoofKind::Flat && roof.ridgeDirection == direction;
    // Seen along the ridge: the gable end (or a shed's side), a triangle over the eaves-to-eaves width.
    // Seen across it: the slope over the verge-to-verge width. A flat roof: its parapet all round.
    const int32_t overhang = roof.kind == RoofKind::Flat || gableEnd ? roof.eavesMm : roof.vergeMm;
    band.widthM = extentM + 2.0 * overhang / 1000.0;
    band.triangle = gableEnd;
    band.areaM2 = band.widthM * band.heightM * (gableEnd ? 0.5 : 1.0);
    return band;
}

namespace {

const std::vector<bool> &Occupied(const std::vector<StoreyScan> &scans, int storey, int axis)
{
    return scans[static_cast<std::size_t>(storey - 1)].occupied[static_cast<std::size_t>(axis - 1)];
}

// Lw of each storey by the conditions' route; what is missing for it goes to r.missing.
void SetLw(WallQuantityResult &r, const WallInputs &inputs)
{
    const bool two = r.storeys == 2;
    switch (inputs.route) {
        case LwRoute::Typed:
            r.lw = inputs.lw;
            if (!two)
                r.lw[kLwStorey2] = r.lw[kLwOneStorey] = 0.0;
            break;
        case LwRoute::OldLight:
        case LwRoute::OldHeavy: {
            const OldLwTable t = OldLwValues(inputs.route);
            r.lw = two ? std::array<double, 3>{t.storey1, t.storey2, t.oneStorey}
                       : std::array<double, 3>{t.oneStorey, 0.0, 0.0};
            break;
        }
        case LwRoute::Weights: {
            double h = inputs.buildingHeightM;
            if (h <= 0.0 && r.storey.back().heightM > 0.0 && r.storey.front().heightM > 0.0)
                h = r.storey.front().heightM + (two ? r.storey.back().heightM : 0.0) + inputs.roof.riseMm / 1000.0;
            r.formula = ComputeLwFormula(r.storeys, inputs.weightKn,
                                         {r.storey[0].floorAreaM2, two ? r.storey[1].floorAreaM2 : 0.0}, h,
                                         inputs.c0);
            if (two && h <= 0.0) {
                r.formula.ok = false;
                r.missing << QStringLiteral("建物の高さ h（または階高）が入力されていません。");
            }
            r.formula.oneStoreyLoad = inputs.oneStoreyLoad;
            r.formula.oneStoreyLw = inputs.c0 * inputs.oneStoreyLoad / kUnitWallStrength;
            if (r.formula.ok)
                r.lw = {r.formula.lw[0], two ? r.formula.lw[1] : 0.0, two ? r.formula.oneStoreyLw : 0.0};
            break;
        }
    }
    const bool heightOfFormulaMissing = !r.missing.isEmpty();
    for (int s = 1; s <= r.storeys; ++s)
        if (!heightOfFormulaMissing && r.lw[static_cast<std::size_t>(s - 1)] <= 0.0) {
            r.missing << (inputs.route == LwRoute::Weights
                              ? QStringLiteral("%1階の重量 w%1 または床面積がありません。").arg(s)
                              : QStringLiteral("%1階の Lw が入力されていません。").arg(s));
        }

}

// The 見付面積 of every storey and direction: typed, or the storeys' bands above the 1.35 m line and
// the roof over the top storey; without the storey heights, what is missing.
void SetExposedAreas(WallQuantityResult &r, const WallInputs &inputs, const std::vector<StoreyScan> &scans, int top)
{
    bool heightsMissing = false;
    for (int s = 1; s <= r.storeys; ++s) {
        StoreyWallResult &st = r.storey[static_cast<std::size_t>(s - 1)];
        for (int d = kDirX; d <= kDirY; ++d) {
            WallDirectionResult &dr = st.dir[static_cast<std::size_t>(d - 1)];
            dr.direction = d;
            const int across = d == kDirX ? kDirY : kDirX;
            const double typed = inputs.exposedOverride[static_cast<std::size_t>((s - 1) * 2 + d - 1)];
            if (typed > 0.0) {
                dr.exposedTyped = dr.exposedKnown = true;
                dr.exposedM2 = typed;
            } else {
                bool known = true;
                for (int t = s; t <= r.storeys; ++t) {
                    const StoreyWallResult &upper = r.storey[static_cast<std::size_t>(t - 1)];
                    if (upper.heightM <= 0.0) {
                        known = false;
                        continue;
                    }
                    ElevationBand band;
                    band.kind = t == s ? BandKind::StoreyAboveLine : BandKind::WholeStorey;
                    band.storey = t;
                    band.widthM = Width(Occupied(scans, t, across), r.spanM);
                    band.heightM = t == s ? std::max(upper.heightM - kWindLineM, 0.0) : upper.heightM;
                    band.areaM2 = band.widthM * band.heightM;
                    dr.bands.push_back(band);
                }
                if (top > 0)
                    dr.bands.push_back(RoofBand(inputs.roof, d, Extent(Occupied(scans, top, across), r.spanM), top));
                dr.exposedKnown = known;
                if (!known) {
                    dr.bands.clear();
                    heightsMissing = true;
                }
                for (const ElevationBand &b : dr.bands)
                    dr.exposedM2 += b.areaM2;
            }
        }
    }
    if (heightsMissing)
        r.missing << QStringLiteral("階高が入力されていません（風圧力の見付面積に必要です）。");

}

// The required and existing quantities of every storey and direction, and the judgement.
void Judge(WallQuantityResult &r, const WallInputs &inputs, const std::vector<StoreyScan> &scans)
{
    for (int s = 1; s <= r.storeys; ++s) {
        StoreyWallResult &st = r.storey[static_cast<std::size_t>(s - 1)];
        const double lw = r.lw[static_cast<std::size_t>(s - 1)];
        for (WallDirectionResult &dr : st.dir) {
            dr.lw = lw;
            dr.lwKnown = lw > 0.0;
            dr.seismicCm = lw * st.floorAreaM2;
            dr.windCm = inputs.windC * dr.exposedM2;
            dr.requiredCm = std::max(dr.seismicCm, dr.windCm);
            const StoreyScan &scan = scans[static_cast<std::size_t>(s - 1)];
            const auto k = static_cast<std::size_t>(dr.direction - 1);
            dr.existingCm = scan.multiplierSpans[k] * SpanCm(r.spanM);
            dr.wallSpans = scan.wallSpans[k];
            dr.cappedSpans = scan.cappedSpans[k];
            dr.judged = dr.lwKnown && dr.exposedKnown;
            dr.ratio = dr.requiredCm > 0.0 ? dr.existingCm / dr.requiredCm
                                           : std::numeric_limits<double>::infinity();
            dr.ok = dr.judged && dr.existingCm >= dr.requiredCm;
        }
    }
}

}  // namespace

WallQuantityResult ComputeWallQuantities(const Project &p, const WallInputs &inputs)
{
    WallQuantityResult r;
    r.inputs = inputs;
    r.storeys = std::clamp(p.dims.floorCount, 1, 2);
    r.spanM = SpanMetres(p);
    const double cellArea = r.spanM * r.spanM;
    r.storey.resize(static_cast<std::size_t>(r.storeys));
    std::vector<StoreyScan> scans;
    for (int s = 1; s <= r.storeys; ++s)
        scans.push_back(ScanStorey(p, s));
    int top = 0;
    for (int s = 1; s <= r.storeys; ++s) {
        StoreyWallResult &st = r.storey[static_cast<std::size_t>(s - 1)];
        st.storey = s;
        st.cellAreaM2 = cellArea;
        st.heightM = StoreyHeightM(p, s);
        st.floorCells = scans[static_cast<std::size_t>(s - 1)].floorCells;
        st.voidCells = scans[static_cast<std::size_t>(s - 1)].voidCells;
        st.floorAreaM2 = st.floorCells * cellArea;
        for (int axis = kDirX; axis <= kDirY; ++axis)
            st.projection[static_cast<std::size_t>(axis - 1)] = Intervals(Occupied(scans, s, axis), r.spanM);
        if (st.floorCells + st.voidCells > 0)
            top = s;
    }

    SetLw(r, inputs);
    SetExposedAreas(r, inputs, scans, top);
    Judge(r, inputs, scans);
    return r;
}

std::vector<WallRun> ListWallRuns(const Project &p, int storey, int d)
{
    std::vector<WallRun> runs;
    if (storey < 1 || storey > p.dims.floorCount || (d != kDirX && d != kDirY))
        return runs;
    const double spanCm = SpanCm(SpanMetres(p));
    const int lines = d == kDirX ? p.dims.spanCountY + 1 : p.dims.spanCountX + 1;
    const int spans = d == kDirX ? p.dims.spanCountX : p.dims.spanCountY;
    for (int line = 1; line <= lines; ++line) {
        bool open = false;
        SpanKey openKey{};
        for (int k = 1; k <= spans; ++k) {
            const NodeRecord &n = d == kDirX ? p.nodes(k, line, storey) : p.nodes(line, k, storey);
            if (!HasWall(n, d)) {
                open = false;
                continue;
            }
            const SpanKey key = KeyOf(n, d);
            if (open && key == openKey) {
                runs.back().to = k + 1;
                continue;
            }
            WallRun run;
            run.line = line;
            run.from = k;
            run.to = k + 1;
            run.brace = static_cast<double>(key.brace);
            run.board = static_cast<double>(key.board);
            run.multiplier = SpanMultiplier(key, &run.capped);
            runs.push_back(run);
            open = true;
            openKey = key;
        }
    }
    for (WallRun &run : runs) {
        run.lengthCm = (run.to - run.from) * spanCm;
        run.quantityCm = run.multiplier * run.lengthCm;
    }
    return runs;
}

WallQuantityResult ComputeWallQuantities(const Project &project)
{
    return ComputeWallQuantities(project, ReadWallInputs(project));
}

QString WallStatusText(const WallQuantityResult &result, int storey, bool *isShort)
{
    if (isShort != nullptr)
        *isShort = false;
    if (storey < 1 || storey > result.storeys)
        return {};
    QStringList parts;
    for (int d = kDirX; d <= kDirY; ++d) {
        const WallDirectionResult &dr = result.at(storey, d);
        QString value;
        if (!dr.judged)
            value = QStringLiteral("－");
        else if (std::isinf(dr.ratio))
            value = QStringLiteral("∞");
        else  // cut, never rounded up: 0.999 shows as 0.99
            value = QString::number(std::floor(dr.ratio * 100.0) / 100.0, 'f', 2);
        if (dr.judged && !dr.ok && isShort != nullptr)
            *isShort = true;
        parts << QStringLiteral("%1 %2").arg(d == kDirX ? QStringLiteral("X") : QStringLiteral("Y"), value);
    }
    QString text = QStringLiteral("壁量 ") + parts.join(QStringLiteral(" / "));
    if (!result.complete())
        text += QStringLiteral(" (条件未入力)");
    return text;
}

}  // namespace rqx

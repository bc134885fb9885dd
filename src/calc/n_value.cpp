#include "calc/n_value.h"

#include <algorithm>
#include <optional>

#include "calc/grid_access.h"
#include "calc/hardware_class.h"
#include "calc/member_extent.h"
#include "calc/storey_height.h"
#include "calc/wall_sides.h"

namespace rqx {

namespace {

// Shares below one millionth carry nothing (an upper column at or beyond the far end of a span).
constexpr double kMinShare = 0.000001;

// An A×B term times its storey's height factor; a factor of 1 leaves the product untouched, so that
// projects without heights above 3.2 m keep every result bit for bit.
float Scaled(float ab, float factor)
{
    return factor == 1.0f ? ab : ab * factor;
}

// Cells around the node whose second-storey floor kind is not 0 (floor or void above).
int UpperFloorCellsAround(const Project &project, int x, int y)
{
    int count = 0;
    const int cells[4][2] = {{x, y}, {x - 1, y}, {x - 1, y - 1}, {x, y - 1}};
    for (const auto &c : cells)
        if (c[0] >= 1 && c[1] >= 1 && project.nodes.valid(c[0], c[1], 2) &&
            project.nodes(c[0], c[1], 2).cellFloor != 0)
            ++count;
    return count;
}

// The upper column qualifies for passing pull-out along a beam in direction d: always with the
// user's L setting (it passes A×B − L, possibly negative), else only with a wall beside it.
bool PassesPullOut(const Project &project, int d, NodeIndex n, int upperLevel, bool user)
{
    if (user)
        return true;
    const WallKindSums sums = WallKindsBeside(project, d, n.x, n.y, upperLevel);
    return sums.side1 + sums.side2 > 0;
}

// Index along d of the start node of the beam segment next to the column on a side.
int AdjacentSegmentIndex(int side, int along)
{
    return side == 1 ? along - 1 : along;
}

// Walks the grid line away from the column at (x, y) (side 1 toward lower indices, side 2 toward
// higher ones), starting after index `from`, past nodes without an upper column, and ends at an
// upper column that stands on a lower one or at the end of the line. Every qualifying upper column
// is handed to visit(node, u, v): v its distance from the column, u = (w − v)/w, 0 below one
// millionth. visit returns false to stop.
template <class Visit>
void WalkUpperColumns(const Project &project, int side, int d, int x, int y, int level, int from, float w,
                      Visit &&visit)
{
    const int upper = level + 1;
    const bool user = UserLCoefficient(project);
    const int step = side == 1 ? -1 : 1;
    const int end = side == 1 ? 1 : SpanCount(project, d) + 1;
    for (int k = from + step; side == 1 ? k >= end : k <= end; k += step) {
        const NodeIndex n = NodeOnLine(d, x, y, k);
        if (!HasColumn(project, n.x, n.y, upper))
            continue;
        if (HasColumn(project, n.x, n.y, level))
            return;  // this upper column stands on a lower one
        if (!PassesPullOut(project, d, n, upper, user))
            continue;
        const float v = PlanDistance(project, x, y, n.x, n.y);
        float u = (w - v) / w;
        if (static_cast<double>(u) < kMinShare)
            u = 0.0f;
        if (!visit(n, u, v))
            return;
    }
}

// Span w of the floor-beam member next to the column on a side, or nothing without a beam there.
std::optional<float> AdjacentMemberSpan(const Project &project, const Calculation &calc, int side, int d,
                                        int x, int y, int level)
{
    const NodeIndex n = NodeOnLine(d, x, y, AdjacentSegmentIndex(side, AlongIndex(d, x, y)));
    if (!HasBeam(project, d, n.x, n.y, level + 1))
        return std::nullopt;
    return FindBeamExtent(project, calc.beamSegments, level + 1, d, n.x, n.y).span;
}

// Connection node of one side of the carrying direction c: walking from U along c, the far node
// of the first beam segment of c through which a beam of the other direction passes.
std::optional<NodeIndex> ConnectionNode(const Project &project, int side, int c, int x, int y, int level)
{
    const int cross = OtherDirection(c);
    const int along = AlongIndex(c, x, y);
    if (side == 1) {
        for (int k = along - 1; k >= 1; --k) {
            const NodeIndex start = NodeOnLine(c, x, y, k);
            if (HasBeam(project, c, start.x, start.y, level) &&
                BeamsMeetingAt(project, cross, start.x, start.y, level) == 2)
                return start;
        }
    } else {
        for (int k = along; k <= SpanCount(project, c); ++k) {
            const NodeIndex start = NodeOnLine(c, x, y, k);
            const NodeIndex far = NodeOnLine(c, x, y, k + 1);
            if (HasBeam(project, c, start.x, start.y, level) &&
                BeamsMeetingAt(project, cross, far.x, far.y, level) == 2)
                return far;
        }
    }
    return std::nullopt;
}

}  // namespace

float PullOutForce(const ColumnResult &upper, int d, bool userLCoefficient, float heightFactor)
{
    const float ab = Scaled(upper.aValue[d] * upper.bValue, heightFactor);
    return userLCoefficient ? ab - upper.lValue : ab;
}

float TotalN(const ColumnResult &column, int d)
{
    return column.nOwn[d] + column.nBeam[d] + column.nCross[d];
}

void ComputeColumnN(const Project &project, Calculation &calc, int d, int x, int y, int level)
{
    ColumnResult &r = calc.results(x, y, level);
    const bool corner = calc.corner(x, y, level) == 1;
    const bool user = UserLCoefficient(project);
    const bool twoStoreyHouse = project.dims.floorCount >= 2;

    const float b = corner ? 0.8f : 0.5f;
    float l = corner ? 0.4f : 0.6f;  // second storey, or a single-storey part
    if (level == 1 && twoStoreyHouse && UpperFloorCellsAround(project, x, y) > 0) {
        if (user)
            l = corner ? 0.6f : 1.0f;
        else
            l = corner ? 1.0f : 1.6f;
    }
    r.bValue = b;
    r.lValue = l;
    ComputeA(r, d);

    const float ab = Scaled(r.aValue[d] * b, StoreyHeightFactor(project, level));
    if (level != 1) {
        r.nOwn[d] = ab - l;  // formula (1)
        return;
    }
    // Formula (2); A2, B2 and L2 are those of the second-storey column at the same node, if any.
    float a2 = 0.0f;
    float b2 = 0.0f;
    float l2 = 0.0f;
    if (twoStoreyHouse && HasColumn(project, x, y, 2)) {
        const ColumnResult &up = calc.results(x, y, 2);
        a2 = up.aValue[d];
        b2 = up.bValue;
        l2 = up.lValue;
    }
    const float leff = user ? l + l2 : l;
    r.nOwn[d] = Scaled(a2 * b2, StoreyHeightFactor(project, 2)) + ab - leff;
}

float TransferAlongBeams(const Project &project, const Calculation &calc, int d, int x, int y, int level,
                         std::vector<PullOutTerm> *terms)
{
    const bool user = UserLCoefficient(project);
    const float upperFactor = StoreyHeightFactor(project, level + 1);
    float sides[3] = {0.0f, 0.0f, 0.0f};
    for (int side = 1; side <= 2; ++side) {
        const std::optional<float> w = AdjacentMemberSpan(project, calc, side, d, x, y, level);
        if (!w)
            continue;
        float &sum = sides[side];
        WalkUpperColumns(
            project, side, d, x, y, level, AlongIndex(d, x, y), *w, [&](NodeIndex n, float u, float v) {
                // v only grows along the walk: from v ≥ w on every share is 0.
                if (v >= *w)
                    return false;
                const float amount =
                    u * PullOutForce(calc.results(n.x, n.y, level + 1), d, user, upperFactor);
                sum += amount;
                if (terms)
                    terms->push_back({x, y, d, PullOutPath::AlongBeam, side, n.x, n.y, u, amount});
                return true;
            });
    }
    return sides[1] + sides[2];
}

namespace {

// How an upper column standing on no lower column hands its pull-out to orthogonal beams.
struct CrossBeamCarry {
    int carrying = 0;  // direction of the beams that carry the column
    int cross = 0;     // the other direction, along which the pull-out reaches lower columns
    bool fullShare = true;
    bool treatSide1 = true;  // the connection on that side of the carrying member still to be made
    bool treatSide2 = true;
    NodeIndex memberStart;  // ends of the carrying member when beams run through the column
    NodeIndex memberEnd;
    float memberSpan = 0.0f;
};

void FlagNotCarried(Calculation &calc, ColumnResult &column)
{
    column.notCarried = 1;
    calc.anyNotCarried = 1;
}

// Adds a share of the upper column (ux, uy)'s pull-out to nCross of the lower column at `end`.
void AddCrossShare(Calculation &calc, NodeIndex end, int lower, int d, int ux, int uy, float ratio,
                   float amount)
{
    calc.results(end.x, end.y, lower).nCross[d] += amount;
    calc.crossTerms.push_back({end.x, end.y, d, PullOutPath::ThroughCrossBeam, 0, ux, uy, ratio, amount});
}

// Beams of direction dir on side 1 and side 2 of the node.
std::pair<bool, bool> BeamsBeside(const Project &project, int dir, int x, int y, int level)
{
    const int dx = dir == kDirX ? 1 : 0;
    const int dy = dir == kDirY ? 1 : 0;
    return {HasBeam(project, dir, x - dx, y - dy, level), HasBeam(project, dir, x, y, level)};
}

// The carrying direction and how much of the pull-out each connection takes.
CrossBeamCarry StartCarry(const Project &project, int d, int x, int y, int level)
{
    CrossBeamCarry carry;
    const auto [d1, d2] = BeamsBeside(project, d, x, y, level);
    carry.carrying = d1 && d2 ? d : OtherDirection(d);
    carry.cross = OtherDirection(carry.carrying);
    const auto [c1, c2] = BeamsBeside(project, carry.carrying, x, y, level);
    carry.fullShare = (c1 ? 1 : 0) + (c2 ? 1 : 0) <= 1;
    return carry;
}

// A column with carrying beams on both sides stands inside a carrying member. Lower columns at the
// member's ends take shares directly; false when both ends have one (they collect it along the beam).
bool ResolveCarryingMember(const Project &project, Calculation &calc, CrossBeamCarry &carry, int d, int x,
                           int y, int level, float deltaN)
{
    const int lower = level - 1;
    const int c = carry.carrying;
    const MemberExtent m = FindBeamExtent(project, calc.beamSegments, level, c, x, y);
    const NodeIndex p1 = NodeOnLine(c, x, y, m.first);
    const NodeIndex p2 = NodeOnLine(c, x, y, m.last + 1);
    const float s = m.span;
    carry.memberStart = p1;
    carry.memberEnd = p2;
    carry.memberSpan = s;
    const bool atP1 = HasColumn(project, p1.x, p1.y, lower);
    const bool atP2 = HasColumn(project, p2.x, p2.y, lower);
    // Carried by beams of the other direction: a lower column at an end of the carrying
    // member only collects pull-out of that direction along it, so this direction's share
    // for a supported end goes to it here, by the inverse span ratio, instead of
    // vanishing. A hold-down (ΔN ≤ 0) is not passed this way, so no N is lowered by it.
    if (c != d && deltaN > 0.0f) {
        const float e1 = PlanDistance(project, NodeIndex{x, y}, p1);
        if (atP1)
            AddCrossShare(calc, p1, lower, d, x, y, (s - e1) / s, ((s - e1) / s) * deltaN);
        if (atP2)
            AddCrossShare(calc, p2, lower, d, x, y, e1 / s, (e1 / s) * deltaN);
    }
    if (atP1 && atP2)
        return false;
    if (BeamsMeetingAt(project, carry.cross, p2.x, p2.y, level) < 2)
        carry.fullShare = true;
    if (atP1)
        carry.treatSide1 = false;
    else if (atP2)
        carry.treatSide2 = false;
    return true;
}

// The share f × ΔN reaching connection node q is split over the orthogonal member through q by the
// span ratio; an end without a lower column leaves the pull-out not carried.
void DeliverThroughMember(const Project &project, Calculation &calc, NodeIndex upper, int d, int cross,
                          NodeIndex q, int level, float f, float deltaN)
{
    const int lower = level - 1;
    ColumnResult &column = calc.results(upper.x, upper.y, level);
    const MemberExtent k = FindBeamExtent(project, calc.beamSegments, level, cross, q.x, q.y);
    const NodeIndex k1 = NodeOnLine(cross, q.x, q.y, k.first);
    const NodeIndex k2 = NodeOnLine(cross, q.x, q.y, k.last + 1);
    const float t = k.span;
    const float qd = PlanDistance(project, k1, q);
    auto deliver = [&](NodeIndex end, float share) {
        if (share == 0.0f)
            return;  // nothing reaches this end, so nothing is lost there
        if (!HasColumn(project, end.x, end.y, lower)) {
            FlagNotCarried(calc, column);
            return;
        }
        AddCrossShare(calc, end, lower, d, upper.x, upper.y, share * f, share * deltaN * f);
    };
    deliver(k1, (t - qd) / t);
    deliver(k2, qd / t);
}

}  // namespace

void TransferThroughCrossBeams(const Project &project, Calculation &calc, int d, int x, int y, int level)
{
    if (level - 1 < 1 || HasColumn(project, x, y, level - 1))
        return;  // the pull-out goes straight down
    const bool user = UserLCoefficient(project);
    if (!user) {
        const WallKindSums sums = WallKindsBeside(project, d, x, y, level);
        if (sums.side1 == 0 && sums.side2 == 0)
            return;
    }
    ColumnResult &column = calc.results(x, y, level);
    const float deltaN = PullOutForce(column, d, user, StoreyHeightFactor(project, level));

    CrossBeamCarry carry = StartCarry(project, d, x, y, level);
    const auto [c1, c2] = BeamsBeside(project, carry.carrying, x, y, level);
    if (c1 && c2 && !ResolveCarryingMember(project, calc, carry, d, x, y, level, deltaN))
        return;

    bool connected = false;
    for (int side = 1; side <= 2; ++side) {
        if ((side == 1 && !carry.treatSide1) || (side == 2 && !carry.treatSide2))
            continue;
        const std::optional<NodeIndex> q = ConnectionNode(project, side, carry.carrying, x, y, level);
        if (!q)
            continue;
        connected = true;
        float f = 1.0f;
        if (!carry.fullShare) {
            const float e =
                PlanDistance(project, NodeIndex{x, y}, side == 1 ? carry.memberStart : carry.memberEnd);
            f = (carry.memberSpan - e) / carry.memberSpan;
        }
        DeliverThroughMember(project, calc, NodeIndex{x, y}, d, carry.cross, *q, level, f, deltaN);
    }
    // Standing on no orthogonal beam at all, the pull-out reaches no lower column.
    if (!connected)
        FlagNotCarried(calc, column);
}

void RunCalculation(const Project &project, Calculation &calc)
{
    const int floors = project.dims.floorCount;
    const int nx = project.dims.spanCountX;
    const int ny = project.dims.spanCountY;
    calc.columnCount = OneBasedArray<int32_t>(floors);
    calc.anyNotCarried = 0;
    const bool crossBeams = project.grid.crossBeamIgnored == 0;

    // The upper storey first, so that its values exist when the lower storey reads them.
    for (int level = floors; level >= 1; --level) {
        for (int y = 1; y <= ny + 1; ++y)
            for (int x = 1; x <= nx + 1; ++x) {
                if (!HasColumn(project, x, y, level))
                    continue;
                calc.columnCount[level] += 1;
                for (int d = kDirX; d <= kDirY; ++d) {
                    ComputeColumnN(project, calc, d, x, y, level);
                    if (crossBeams && level > 1)
                        TransferThroughCrossBeams(project, calc, d, x, y, level);
                }
            }
        for (int y = 1; y <= ny + 1; ++y)
            for (int x = 1; x <= nx + 1; ++x) {
                if (!HasColumn(project, x, y, level))
                    continue;
                ColumnResult &r = calc.results(x, y, level);
                if (level < floors)
                    for (int d = kDirX; d <= kDirY; ++d)
                        r.nBeam[d] = TransferAlongBeams(project, calc, d, x, y, level, &calc.beamTerms);
                calc.requiredClass(x, y, level) = ClassFromN(std::max(TotalN(r, kDirX), TotalN(r, kDirY)));
            }
    }
}

}  // namespace rqx

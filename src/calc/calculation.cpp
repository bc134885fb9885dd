#include "calc/calculation.h"

#include <algorithm>
#include <tuple>

#include "calc/n_value.h"
#include "calc/wall_sides.h"

namespace rqx {

namespace {

auto TermKey(const PullOutTerm &t)
{
    return std::make_tuple(t.y, t.x, t.d, static_cast<int>(t.path));
}

}  // namespace

std::vector<PullOutTerm> Calculation::termsOf(int x, int y, int d, PullOutPath path) const
{
    const PullOutTerm key{x, y, d, path};
    const auto range =
        std::equal_range(pullOutTerms.begin(), pullOutTerms.end(), key,
                         [](const PullOutTerm &a, const PullOutTerm &b) { return TermKey(a) < TermKey(b); });
    return {range.first, range.second};
}

Calculation Calculate(const Project &project)
{
    Calculation calc;
    const NodeArray &nodes = project.nodes;
    const int nx = nodes.sizeX();
    const int ny = nodes.sizeY();
    const int nl = nodes.sizeLevel();
    calc.results.reset(nx, ny, nl);
    calc.corner.reset(nx, ny, nl);
    calc.requiredClass.reset(nx, ny, nl);
    calc.beamSegments.reset(nx, ny, nl);
    calc.wallLineFlags.reset(2, std::max(nx, ny), project.dims.floorCount);
    for (int level = 1; level <= nl; ++level)
        for (int y = 1; y <= ny; ++y)
            for (int x = 1; x <= nx; ++x)
                for (int d = kDirX; d <= kDirY; ++d)
                    if (nodes(x, y, level).beam[d].present >= 1)
                        calc.beamSegments(x, y, level)[d] = BeamSegmentAt(project, x, y, level, d);
    PrepareWallSides(project, calc);
    RunCalculation(project, calc);
    MarkWallLines(project, calc);
    std::stable_sort(calc.pullOutTerms.begin(), calc.pullOutTerms.end(),
                     [](const PullOutTerm &a, const PullOutTerm &b) { return TermKey(a) < TermKey(b); });
    return calc;
}

void StampCalculatedMarks(Project &project, const Calculation &calc)
{
    NodeArray &nodes = project.nodes;
    for (int level = 1; level <= nodes.sizeLevel(); ++level)
        for (int y = 1; y <= nodes.sizeY(); ++y)
            for (int x = 1; x <= nodes.sizeX(); ++x) {
                NodeRecord &n = nodes(x, y, level);
                for (int d = kDirX; d <= kDirY; ++d)
                    if (n.beam[d].present >= 1)
                        n.beam[d].segment = calc.beamSegments(x, y, level)[d];
                if (level > project.dims.floorCount)
                    continue;  // the roof plane carries beams only
                if (n.columnKind > 0) {
                    n.isCorner = calc.corner(x, y, level);
                    n.hardware[0] = calc.requiredClass(x, y, level);
                } else {
                    n.hardware[0].clear();
                    n.hardware[1].clear();
                    n.hardware[2].clear();
                }
            }
}

Project WithCalculatedMarks(const Project &project, const Calculation &calc)
{
    Project marked = project;
    StampCalculatedMarks(marked, calc);
    return marked;
}

}  // namespace rqx

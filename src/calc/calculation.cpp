#include "calc/calculation.h"

#include <algorithm>
#include <tuple>

#include "calc/n_value.h"
#include "calc/wall_sides.h"
#include "model/beam_segment.h"

namespace rqx {

namespace {

bool TermBefore(const PullOutTerm &a, const PullOutTerm &b)
{
    return std::make_tuple(a.y, a.x, a.d) < std::make_tuple(b.y, b.x, b.d);
}

}  // namespace

std::vector<PullOutTerm> Calculation::termsOf(int x, int y, int d, PullOutPath path) const
{
    const std::vector<PullOutTerm> &terms = path == PullOutPath::AlongBeam ? beamTerms : crossTerms;
    const auto range = std::equal_range(terms.begin(), terms.end(), PullOutTerm{x, y, d, path}, TermBefore);
    return {range.first, range.second};
}

Calculation Calculate(const Project &project)
{
    Calculation calc;
    Calculate(project, calc);
    return calc;
}

void Calculate(const Project &project, Calculation &calc)
{
    const NodeArray &nodes = project.nodes;
    const int nx = nodes.sizeX();
    const int ny = nodes.sizeY();
    const int nl = nodes.sizeLevel();
    const int floors = project.dims.floorCount;
    if (calc.results.sizeX() == nx && calc.results.sizeY() == ny && calc.results.sizeLevel() == nl) {
        // Only the entries of the last run's columns hold anything: cleared, the arrays are as new,
        // without writing every entry of a large grid again.
        for (const std::size_t at : calc.columnEntries) {
            calc.results.data()[at] = ColumnResult{};
            calc.corner.data()[at] = 0;
            calc.requiredClass.data()[at].clear();
        }
        std::fill(calc.beamSegments.begin(), calc.beamSegments.end(), BeamSegmentPair{});
    } else {
        calc.results.reset(nx, ny, nl);
        calc.corner.reset(nx, ny, nl);
        calc.requiredClass.reset(nx, ny, nl);
        calc.beamSegments.reset(nx, ny, nl);
    }
    calc.wallLineFlags.reset(2, std::max(nx, ny), floors);
    calc.anyNotCarried = 0;
    calc.beamTerms.clear();
    calc.crossTerms.clear();
    calc.columnEntries.clear();
    std::size_t at = 0;
    for (int level = 1; level <= nl; ++level)
        for (int y = 1; y <= ny; ++y)
            for (int x = 1; x <= nx; ++x, ++at) {
                const NodeRecord &node = nodes(x, y, level);
                if (level <= floors && node.columnKind > 0)
                    calc.columnEntries.push_back(at);
                for (int d = kDirX; d <= kDirY; ++d)
                    if (IsBeamPresent(node.beam[d]))
                        calc.beamSegments(x, y, level)[d] = BeamSegmentAt(project, x, y, level, d);
            }
    PrepareWallSides(project, calc);
    RunCalculation(project, calc);
    MarkWallLines(project, calc);
    // Beam terms are found column by column in this order already; cross terms upper column by upper column.
    std::stable_sort(calc.crossTerms.begin(), calc.crossTerms.end(), TermBefore);
}

void StampCalculatedMarks(Project &project, const Calculation &calc)
{
    NodeArray &nodes = project.nodes;
    for (int level = 1; level <= nodes.sizeLevel(); ++level)
        for (int y = 1; y <= nodes.sizeY(); ++y)
            for (int x = 1; x <= nodes.sizeX(); ++x) {
                NodeRecord &n = nodes(x, y, level);
                for (int d = kDirX; d <= kDirY; ++d)
                    if (IsBeamPresent(n.beam[d]))
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

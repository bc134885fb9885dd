#include "model/grid_ops.h"

#include <algorithm>
#include <utility>

namespace rqx {

namespace {

void ClearDirection(NodeRecord &n, int dir)
{
    n.cellFloor = 0;
    n.beam[dir] = BeamInfo{};
    n.outlineEdge[dir] = 0;
    n.board[dir] = WallMember{};
    n.brace[dir] = WallMember{};
}

// A wall whose last span started beyond the new edge now ends with the span at `along`
// (= the last remaining span start); its spans are numbered again from firstIndex.
void CutWall(WallMember &w, int along, int lastSpanStart)
{
    if (w.lastIndex <= lastSpanStart)
        return;
    w.lastIndex = lastSpanStart;
    if (w.firstIndex >= w.lastIndex)
        w.segment = 0;
    else if (along == w.firstIndex)
        w.segment = 1;
    else if (along == w.lastIndex)
        w.segment = 3;
    else
        w.segment = 2;
}

}  // namespace

void ResizeGrid(Project &project, int newSpanCountX, int newSpanCountY)
{
    const int oldX = project.info.spanCountX;
    const int oldY = project.info.spanCountY;
    NodeArray oldNodes = std::move(project.nodes);

    project.info.spanCountX = newSpanCountX;
    project.info.spanCountY = newSpanCountY;
    AllocateProjectArrays(project);

    const int keepX = std::min(oldX, newSpanCountX) + 1;
    const int keepY = std::min(oldY, newSpanCountY) + 1;
    const int edgeX = newSpanCountX + 1;
    const int edgeY = newSpanCountY + 1;
    NodeArray &nodes = project.nodes;
    for (int level = 1; level <= nodes.sizeLevel(); ++level)
        for (int y = 1; y <= keepY; ++y)
            for (int x = 1; x <= keepX; ++x) {
                if (!oldNodes.valid(x, y, level))
                    continue;
                NodeRecord &n = nodes(x, y, level);
                n = oldNodes(x, y, level);
                if (x == edgeX)
                    ClearDirection(n, kDirX);
                else {
                    CutWall(n.brace[kDirX], x, newSpanCountX);
                    CutWall(n.board[kDirX], x, newSpanCountX);
                }
                if (y == edgeY)
                    ClearDirection(n, kDirY);
                else {
                    CutWall(n.brace[kDirY], y, newSpanCountY);
                    CutWall(n.board[kDirY], y, newSpanCountY);
                }
            }
    UpdateBeamSegments(project);
}

MemberCounts CountMembers(const Project &project)
{
    MemberCounts c;
    const NodeArray &n = project.nodes;
    const NodeRecord *data = n.data();
    for (std::size_t k = 0; k < n.count(); ++k) {
        const NodeRecord &r = data[k];
        c.columns += r.columnKind != 0;
        c.cells += r.cellFloor != 0;
        for (int dir = 1; dir <= 2; ++dir) {
            c.wallSpans += (r.brace[dir].kind != 0) + (r.board[dir].kind != 0);
            c.beamSpans += IsBeamPresent(r.beam[dir]);
        }
    }
    return c;
}

MemberCounts MembersRemovedByResize(const Project &project, int newSpanCountX, int newSpanCountY)
{
    Project after = project;
    ResizeGrid(after, newSpanCountX, newSpanCountY);
    const MemberCounts a = CountMembers(project);
    const MemberCounts b = CountMembers(after);
    return {a.columns - b.columns, a.wallSpans - b.wallSpans, a.beamSpans - b.beamSpans, a.cells - b.cells};
}

}  // namespace rqx


#include "calc/member_extent.h"

#include "calc/grid_access.h"

namespace rqx {

namespace {

// The extent of the member through the segment at `start` along the line of (x, y), from the position
// code positionAt(k) of each segment k (0 single, 1 first, 2 middle, 3 last, −1 no member).
template <class PositionAt>
MemberExtent ExtentAlong(const Project &project, int d, int x, int y, int start, PositionAt &&positionAt)
{
    MemberExtent m;
    const int spans = SpanCount(project, d);
    const int position = positionAt(start);
    if (position < 0)
        return m;
    m.first = start;
    m.last = start;
    if (position == 1 || position == 2) {
        // Forward to the member's last segment. A segment without the member ends the walk too,
        // so positions left inconsistent by hand-made data never make a member jump a gap.
        for (int k = start + 1; k <= spans; ++k) {
            const int p = positionAt(k);
            if (p < 0)
                break;
            m.last = k;
            if (p == 3)
                break;
        }
    }
    if (position == 2 || position == 3) {
        for (int k = start - 1; k >= 1; --k) {
            const int p = positionAt(k);
            if (p < 0)
                break;
            m.first = k;
            if (p == 1)
                break;
        }
    }
    m.span = PlanDistance(project, NodeOnLine(d, x, y, m.first), NodeOnLine(d, x, y, m.last + 1));
    return m;
}

}  // namespace

MemberExtent FindBeamExtent(const Project &project, const Array3<BeamSegmentPair> &segments, int level, int d,
                            int x, int y)
{
    const int start = AlongIndex(d, x, y);
    const NodeIndex lineStart = NodeOnLine(d, x, y, 1);
    if (start < 1 || start > SpanCount(project, d) || !project.nodes.valid(x, y, level) ||
        !project.nodes.valid(lineStart.x, lineStart.y, level) || !segments.valid(x, y, level))
        return {};
    const NodeRecord *line = &project.nodes(lineStart.x, lineStart.y, level);
    const BeamSegmentPair *positions = &segments(lineStart.x, lineStart.y, level);
    const std::ptrdiff_t stride = d == kDirX ? 1 : project.nodes.sizeX();
    return ExtentAlong(project, d, x, y, start, [&](int k) {
        const std::ptrdiff_t at = (k - 1) * stride;
        return IsBeamPresent(line[at].beam[d]) ? std::abs(positions[at][d]) : -1;
    });
}

MemberExtent FindMemberExtent(const Project &project, int kind, int level, int d, int x, int y)
{
    MemberExtent m;
    const int spans = SpanCount(project, d);
    const int start = AlongIndex(d, x, y);
    const NodeIndex lineStart = NodeOnLine(d, x, y, 1);
    if (start < 1 || start > spans || kind < kMemberBrace || kind > kMemberBoard ||
        !project.nodes.valid(x, y, level) || !project.nodes.valid(lineStart.x, lineStart.y, level))
        return m;
    // The segments of the line lie at a fixed stride in the node array.
    const NodeRecord *line = &project.nodes(lineStart.x, lineStart.y, level);
    const std::ptrdiff_t stride = d == kDirX ? 1 : project.nodes.sizeX();
    // Position code of the segment starting at index k (0 single, 1 first, 2 middle, 3 last),
    // or -1 when that segment holds no member of the kind.
    auto positionAt = [&](int k) {
        const NodeRecord &rec = line[(k - 1) * stride];
        switch (kind) {
            case kMemberBrace:
                return rec.brace[d].kind != 0 ? rec.brace[d].segment : -1;
            case kMemberBoard:
                return rec.board[d].kind != 0 ? rec.board[d].segment : -1;
            default:
                return -1;
        }
    };
    return ExtentAlong(project, d, x, y, start, positionAt);
}

}  // namespace rqx

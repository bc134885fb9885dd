#pragma once
// Small lookups the calculation makes at every step: walking a grid line, asking whether a
// column or a beam segment is there, and plan distances between nodes.

#include "model/project.h"

namespace rqx {

// The other plan direction (1 ↔ 2).
inline int OtherDirection(int d)
{
    return d == kDirX ? kDirY : kDirX;
}

// Number of spans along direction d (segments start at indices 1..SpanCount).
inline int SpanCount(const Project &project, int d)
{
    return d == kDirX ? project.dims.spanCountX : project.dims.spanCountY;
}

// A node on a grid line, addressed by its index along d.
struct NodeIndex {
    int x = 0;
    int y = 0;
    bool operator==(const NodeIndex &) const = default;
};

inline int AlongIndex(int d, int x, int y)
{
    return d == kDirX ? x : y;
}
inline int AlongIndex(int d, NodeIndex n)
{
    return AlongIndex(d, n.x, n.y);
}

// The node of the line through (x, y) in direction d whose index along d is k.
inline NodeIndex NodeOnLine(int d, int x, int y, int k)
{
    return d == kDirX ? NodeIndex{k, y} : NodeIndex{x, k};
}

// A column (管柱 or 通し柱) stands at the node on this level.
inline bool HasColumn(const Project &project, int x, int y, int level)
{
    return project.nodes.valid(x, y, level) && project.nodes(x, y, level).columnKind > 0;
}

// A beam segment of direction d starts at the node on this level. Only segments inside the grid
// (start index 1..span count) exist.
inline bool HasBeam(const Project &project, int d, int x, int y, int level)
{
    const int along = AlongIndex(d, x, y);
    if (along < 1 || along > SpanCount(project, d) || !project.nodes.valid(x, y, level))
        return false;
    return IsBeamPresent(project.nodes(x, y, level).beam[d]);
}

// Beam segments of direction d that meet the node, one from each side: 0, 1 or 2.
inline int BeamsMeetingAt(const Project &project, int d, int x, int y, int level)
{
    const int dx = d == kDirX ? 1 : 0;
    const int dy = d == kDirY ? 1 : 0;
    return (HasBeam(project, d, x - dx, y - dy, level) ? 1 : 0) + (HasBeam(project, d, x, y, level) ? 1 : 0);
}

// Plan distance between two nodes, from the node coordinates (single precision).
float PlanDistance(const Project &project, int x1, int y1, int x2, int y2);
inline float PlanDistance(const Project &project, NodeIndex a, NodeIndex b)
{
    return PlanDistance(project, a.x, a.y, b.x, b.y);
}

// L of first-storey columns by the designer's own figure (押さえ効果を考慮, ユーザー設定) rather
// than by the commentary's table; any value but 0 counts as the user setting, as the status bar shows.
inline bool UserLCoefficient(const Project &project)
{
    return project.grid.lCoefficientMode != 0;
}

}  // namespace rqx

#pragma once
// Where a beam span lies in its beam member: a member runs from support to support. Inline, since the
// calculation asks it for every beam span of the project.

#include "model/project.h"

namespace rqx {

namespace beam_segment_detail {

// Column standing on the storey below the beam plane (level 1 reads its own columns).
inline bool SupportAt(const Project &project, int x, int y, int level)
{
    const int below = level > 1 ? level - 1 : 1;
    return project.nodes.valid(x, y, below) && project.nodes(x, y, below).columnKind > 0;
}

inline bool BeamPresent(const Project &project, int x, int y, int level, int dir, int spanCount)
{
    const int along = dir == kDirX ? x : y;
    return along >= 1 && along <= spanCount && project.nodes.valid(x, y, level) &&
           IsBeamPresent(project.nodes(x, y, level).beam[dir]);
}

}  // namespace beam_segment_detail

// Position of the beam span starting at (x, y) in direction dir in its member: 0 single, 1 first,
// 2 middle, 3 last. The run breaks where a column stands on the storey below or the next span has no beam.
inline int BeamSegmentAt(const Project &project, int x, int y, int level, int dir)
{
    using namespace beam_segment_detail;
    const int dx = dir == kDirX ? 1 : 0;
    const int dy = dir == kDirY ? 1 : 0;
    const int spans = dir == kDirX ? project.dims.spanCountX : project.dims.spanCountY;
    const bool breakStart =
        SupportAt(project, x, y, level) || !BeamPresent(project, x - dx, y - dy, level, dir, spans);
    const bool breakEnd =
        SupportAt(project, x + dx, y + dy, level) || !BeamPresent(project, x + dx, y + dy, level, dir, spans);
    if (breakStart && breakEnd)
        return 0;
    if (breakStart)
        return 1;
    return breakEnd ? 3 : 2;
}

}  // namespace rqx

#pragma once
// Changing the grid of an existing project: members anchored at the lower-left are carried over.

#include "model/project.h"

namespace rqx {

// Sets spanCountX/Y, re-creates every project array with the new bounds (the undo copy comes back
// empty) and copies the node records that still lie inside the grid. On the new
// right edge the X-direction floor, beam, outline, board and brace fields are cleared, on the new top
// edge the Y-direction ones; columns and hardware stay. Walls cut by a shrinking edge end at it
// (lastIndex and segment describe what is left) and beam segments are recomputed.
void ResizeGrid(Project &project, int newSpanCountX, int newSpanCountY);

// The members of a project by kind, each counted per node record it occupies: columns (a through
// column once per storey), wall spans (braces and boards), beam spans and floor or void cells.
struct MemberCounts {
    int columns = 0;
    int wallSpans = 0;
    int beamSpans = 0;
    int cells = 0;
    int total() const { return columns + wallSpans + beamSpans + cells; }
};
MemberCounts CountMembers(const Project &project);
// What a resize to newSpanCountX × newSpanCountY spans would remove (the counts before less after).
MemberCounts MembersRemovedByResize(const Project &project, int newSpanCountX, int newSpanCountY);

}  // namespace rqx

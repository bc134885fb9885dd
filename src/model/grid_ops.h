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

}  // namespace rqx

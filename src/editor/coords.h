#pragma once
// Pointer positions on the plan surface (twips, Y down) to plan centimetres, model metres and grid
// nodes, and back.

#include "editor/editor_state.h"
#include "model/project.h"

namespace rqx {

inline constexpr double kTwipsPerCm = 567.0;

// Integer nearest to v, a half going to the even neighbour; saturates at the int range.
int nearestEven(double v);

struct ModelPoint {
    double x = 0.0;  // metres
    double y = 0.0;
};

struct ScreenPoint {
    int x = 0;  // twips
    int y = 0;
};

struct SnapResult {
    int screenX = 0;  // twips: the node's position, or the raw point in group delete
    int screenY = 0;
    int ix = 0;
    int iy = 0;
    bool inGrid = false;
};

// Node rectangle (1-based indices, lower corner first once ordered).
struct NodeRect {
    int ix1 = 0;
    int iy1 = 0;
    int ix2 = 0;
    int iy2 = 0;
    bool operator==(const NodeRect &) const = default;
};

struct GroupRect {
    NodeRect rect;
    bool valid = false;
};

ModelPoint screenToModel(const PlanFit &fit, int x, int y);
ScreenPoint modelToScreen(const PlanFit &fit, double modelX, double modelY);

// Nearest node of a surface point. In group delete the node is clamped into the grid and the raw
// point is returned.
SnapResult snapToNode(const Project &project, const PlanFit &fit, EditMode editMode, int x, int y);

// The nodes lying inside the rectangle spanned by two surface points, clamped to the grid; invalid
// when the rectangle misses the grid or holds no node.
GroupRect groupRectToNodes(const Project &project, const PlanFit &fit, int x1, int y1, int x2, int y2);

// Surface position of a node (level 1 coordinates).
ScreenPoint nodeToScreen(const Project &project, const PlanFit &fit, int ix, int iy);

}  // namespace rqx

#include "calc/grid_access.h"

#include <cmath>

namespace rqx {

float PlanDistance(const Project &project, int x1, int y1, int x2, int y2)
{
    // Plan coordinates are the same on every level.
    const NodeCoord a = GetNodeCoord(project, 1, x1, y1);
    const NodeCoord b = GetNodeCoord(project, 1, x2, y2);
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    return static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
}

}  // namespace rqx

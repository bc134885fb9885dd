#include "editor/coords.h"

#include <algorithm>
#include <cfenv>
#include <climits>
#include <cmath>

namespace rqx {

int nearestEven(double v)
{
    if (std::isnan(v))
        return 0;
    // nearbyint rounds halves to even in the default rounding mode; make sure it is in force.
    const int saved = std::fegetround();
    if (saved != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    double r = std::nearbyint(v);
    if (saved != FE_TONEAREST)
        std::fesetround(saved);
    r = std::clamp(r, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX));
    return static_cast<int>(r);
}

ModelPoint screenToModel(const PlanFit &fit, int x, int y)
{
    const double cmX = x / kTwipsPerCm;
    const double cmY = (static_cast<double>(fit.scaleHeight) - y) / kTwipsPerCm;
    const double scale = fit.planScale != 0.0f ? fit.planScale : 1.0;
    return ModelPoint{(cmX - fit.originX) / scale, (cmY - fit.originY) / scale};
}

ScreenPoint modelToScreen(const PlanFit &fit, double modelX, double modelY)
{
    const int tx = nearestEven(kTwipsPerCm * (fit.planScale * modelX + fit.originX));
    const int ty = fit.scaleHeight - nearestEven(kTwipsPerCm * (fit.planScale * modelY + fit.originY));
    return ScreenPoint{tx, ty};
}

ScreenPoint nodeToScreen(const Project &project, const PlanFit &fit, int ix, int iy)
{
    if (project.coords.valid(ix, iy, 1)) {
        const NodeCoord &c = project.coords(ix, iy, 1);
        return modelToScreen(fit, c.x, c.y);
    }
    const double pitch = project.dims.spanLength;
    return modelToScreen(fit, (ix - 1) * pitch, (iy - 1) * pitch);
}

namespace {

double pitchOf(const Project &project)
{
    return project.dims.spanLength > 0.0f ? static_cast<double>(project.dims.spanLength) : 1.0;
}

}  // namespace

SnapResult snapToNode(const Project &project, const PlanFit &fit, EditMode editMode, int x, int y)
{
    const ModelPoint m = screenToModel(fit, x, y);
    const double pitch = pitchOf(project);
    SnapResult r;
    r.ix = nearestEven(m.x / pitch + 1.0);
    r.iy = nearestEven(m.y / pitch + 1.0);
    const int nx = project.dims.spanCountX + 1;
    const int ny = project.dims.spanCountY + 1;
    if (editMode == kModeGroupDelete) {
        r.ix = std::clamp(r.ix, 1, std::max(1, nx));
        r.iy = std::clamp(r.iy, 1, std::max(1, ny));
        r.screenX = x;
        r.screenY = y;
        r.inGrid = true;
        return r;
    }
    r.inGrid = r.ix >= 1 && r.ix <= nx && r.iy >= 1 && r.iy <= ny;
    if (r.inGrid) {
        const ScreenPoint s = nodeToScreen(project, fit, r.ix, r.iy);
        r.screenX = s.x;
        r.screenY = s.y;
    }
    return r;
}

GroupRect groupRectToNodes(const Project &project, const PlanFit &fit, int x1, int y1, int x2, int y2)
{
    // Surface Y runs downward: the lower model Y comes from the larger surface Y.
    const ModelPoint low = screenToModel(fit, std::min(x1, x2), std::max(y1, y2));
    const ModelPoint high = screenToModel(fit, std::max(x1, x2), std::min(y1, y2));
    const double pitch = pitchOf(project);
    GroupRect g;
    NodeRect &r = g.rect;
    r.ix1 = nearestEven((low.x + pitch / 2) / pitch + 1.0);
    r.iy1 = nearestEven((low.y + pitch / 2) / pitch + 1.0);
    r.ix2 = nearestEven((high.x - pitch / 2) / pitch + 1.0);
    r.iy2 = nearestEven((high.y - pitch / 2) / pitch + 1.0);
    const int nx = project.dims.spanCountX + 1;
    const int ny = project.dims.spanCountY + 1;
    if ((r.ix1 <= 0 && r.ix2 <= 0) || (r.iy1 <= 0 && r.iy2 <= 0) || (r.ix1 > nx && r.ix2 > nx) ||
        (r.iy1 > ny && r.iy2 > ny))
        return g;
    r.ix1 = std::max(r.ix1, 1);
    r.iy1 = std::max(r.iy1, 1);
    r.ix2 = std::min(r.ix2, nx);
    r.iy2 = std::min(r.iy2, ny);
    // A rectangle drawn between two neighbouring grid lines holds no node: nothing to delete.
    g.valid = r.ix1 <= r.ix2 && r.iy1 <= r.iy2;
    return g;
}

}  // namespace rqx

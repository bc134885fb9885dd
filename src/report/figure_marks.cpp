#include "report/figure_marks.h"

#include <algorithm>
#include <vector>

#include "model/project.h"
#include "print/print_surface.h"

namespace rqx {

QString PlanFigureName(int floor, bool hardware)
{
    return QStringLiteral("%1F_").arg(floor) +
           (hardware ? QStringLiteral("金物伏図") : QStringLiteral("耐力壁伏図"));
}

QString FrameFigureName(const Project &p, int direction, int line)
{
    return FrameLineName(p, direction, line) + QStringLiteral("_軸組図");
}

void BeginPlanFigure(PrintSurface &s, const Project &p, const QString &name, float figScale, float figX,
                     float figY)
{
    const int nx = std::min(p.dims.spanCountX + 1, p.nodes.sizeX());
    const int ny = std::min(p.dims.spanCountY + 1, p.nodes.sizeY());
    if (nx < 1 || ny < 1)
        return;
    std::vector<double> gridX, gridY;
    for (int x = 1; x <= nx; ++x)
        gridX.push_back(static_cast<double>(GetNodeCoord(p, 1, x, 1).x));
    for (int y = 1; y <= ny; ++y)
        gridY.push_back(static_cast<double>(GetNodeCoord(p, 1, 1, y).y));
    // Model y = 0 lies figScale × y1 below the first grid row's line (figY).
    const double originY = static_cast<double>(figY) + static_cast<double>(figScale) * gridY.front();
    s.BeginFigure(name, figX, originY, figScale, gridX, gridY);
}

void BeginFrameFigure(PrintSurface &s, const Project &p, const FrameLayout &layout, int direction, int line)
{
    const int count = FrameNodeCount(p, direction, line);
    if (count == 0 || layout.frameScale <= 0)
        return;
    std::vector<double> along, levels;
    for (int j = 1; j <= count; ++j) {
        const NodeCoord c =
            direction == kFrameOnXLine ? GetNodeCoord(p, 1, line, j) : GetNodeCoord(p, 1, j, line);
        along.push_back(static_cast<double>(direction == kFrameOnXLine ? c.y : c.x));
    }
    const int levelCount = std::min(p.dims.floorCount + 1, p.nodes.sizeLevel());
    // Storeys at their entered heights stand at exactly those millimetres in the drawing.
    double entered = 0;
    for (int k = 1; k <= levelCount; ++k) {
        const bool toScale = layout.storeyHeightsMm[0] > 0 && (k == 1 || (k <= 3 && layout.storeyHeightsMm[k - 2] > 0));
        if (k > 1 && toScale)
            entered += layout.storeyHeightsMm[k - 2] / 1000.0;
        levels.push_back(toScale ? entered
                                 : static_cast<double>((layout.frameBaseY - FramePageY(layout, k)) /
                                                       layout.frameScale));
    }
    s.BeginFigure(FrameFigureName(p, direction, line), layout.frameOriginX, layout.frameBaseY,
                  layout.frameScale, along, levels);
}

}  // namespace rqx

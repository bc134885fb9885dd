#include "calc/storey_height.h"

namespace rqx {

float HeightFactor(int32_t heightMm)
{
    if (heightMm <= kStoreyHeightLimitMm)
        return 1.0f;
    return static_cast<float>(heightMm) / static_cast<float>(kStandardStoreyHeightMm);
}

int32_t StoreyHeightMm(const Project &project, int storey)
{
    if (storey < 1 || storey > 2 || storey > project.info.floorCount)
        return 0;
    return project.info.levelHeight[storey];
}

float StoreyHeightFactor(const Project &project, int storey)
{
    return HeightFactor(StoreyHeightMm(project, storey));
}

bool HasStoreyHeights(const Project &project)
{
    return StoreyHeightMm(project, 1) != 0 || StoreyHeightMm(project, 2) != 0;
}

QString HeightMetresText(int32_t heightMm)
{
    const int decimals = heightMm % 10 == 0 ? 2 : 3;
    return QString::number(static_cast<double>(heightMm) / 1000.0, 'f', decimals);
}

}  // namespace rqx

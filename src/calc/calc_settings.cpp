#include "calc/calc_settings.h"

namespace rqx {

bool SetCrossBeamOptions(GridInfo &grid, int ignored, int noWarning)
{
    bool changed = false;
    if (grid.crossBeamIgnored != ignored) {
        grid.crossBeamIgnored = ignored;
        changed = true;
    }
    if (grid.crossBeamNoWarning != noWarning) {
        grid.crossBeamNoWarning = noWarning;
        changed = true;
    }
    return changed;
}

bool SetStoreyHeights(ProjectInfo &info, int32_t height1, int32_t height2)
{
    const bool changed = info.levelHeight[1] != height1 || info.levelHeight[2] != height2;
    info.levelHeight[1] = height1;
    info.levelHeight[2] = height2;
    return changed;
}

void StoreLCoefficientDefault(AppState &state, int mode)
{
    state.defaultSettings[kDefaultLCoefficientMode] = mode;
}

void StoreCrossBeamDefaults(AppState &state, int ignored, int noWarning)
{
    state.defaultSettings[kDefaultCrossBeamIgnored] = ignored;
    state.defaultSettings[kDefaultCrossBeamNoWarning] = noWarning;
}

void StoreStoreyHeightDefaults(AppState &state, int32_t height1, int32_t height2)
{
    state.defaultSettings[kDefaultStoreyHeight1] = height1;
    state.defaultSettings[kDefaultStoreyHeight2] = height2;
}

}  // namespace rqx

#include "calc/calc_settings.h"

#include <cmath>

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

void StoreWallInputDefaults(AppState &state, const WallInputs &inputs)
{
    state.defaultSettings[kDefaultWallC0] = static_cast<int32_t>(std::lround(inputs.c0 * 10.0));
    state.defaultSettings[kDefaultWindC] = static_cast<int32_t>(std::lround(inputs.windC));
}

void ApplyWallInputDefaults(Project &project, const AppState &state)
{
    WallInputs in = ReadWallInputs(project);
    const int32_t c0 = state.defaultSettings[kDefaultWallC0];
    const int32_t c = state.defaultSettings[kDefaultWindC];
    in.c0 = c0 == 3 ? 0.3 : 0.2;
    in.windC = c >= kMinWindC && c <= kMaxWindC ? c : 50.0;
    WriteWallInputs(project, in);
}

}  // namespace rqx

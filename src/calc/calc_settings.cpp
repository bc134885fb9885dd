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

void StoreLCoefficientDefault(AppState &state, int mode)
{
    state.defaultSettings[kDefaultLCoefficientMode] = mode;
}

void StoreCrossBeamDefaults(AppState &state, int ignored, int noWarning)
{
    state.defaultSettings[kDefaultCrossBeamIgnored] = ignored;
    state.defaultSettings[kDefaultCrossBeamNoWarning] = noWarning;
}

}  // namespace rqx

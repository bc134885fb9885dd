#pragma once
// The project options that steer the calculation (the L coefficient of first-storey columns, the
// pull-out passed through orthogonal beams) and their defaults for new projects. Headless.

#include "model/project.h"

namespace rqx {

// Places of the three calculation defaults in AppState::defaultSettings (the defaults file).
inline constexpr int kDefaultLCoefficientMode = 6;
inline constexpr int kDefaultCrossBeamIgnored = 7;
inline constexpr int kDefaultCrossBeamNoWarning = 8;

// Stores both orthogonal-beam options; true when either of them changed.
bool SetCrossBeamOptions(GridInfo &grid, int ignored, int noWarning);

// The defaults new projects take; the open project keeps its own options.
void StoreLCoefficientDefault(AppState &state, int mode);
void StoreCrossBeamDefaults(AppState &state, int ignored, int noWarning);

}  // namespace rqx

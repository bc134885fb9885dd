#pragma once
// The project options that steer the calculation (the L coefficient of first-storey columns, the
// pull-out passed through orthogonal beams, the storey heights) and their defaults for new projects.
// Headless.

#include "model/project.h"

namespace rqx {

// Places of the three calculation defaults in AppState::defaultSettings (the defaults file).
inline constexpr int kDefaultLCoefficientMode = 6;
inline constexpr int kDefaultCrossBeamIgnored = 7;
inline constexpr int kDefaultCrossBeamNoWarning = 8;
// The storey heights H1 and H2 in millimetres (0 = not entered).
inline constexpr int kDefaultStoreyHeight1 = 9;
inline constexpr int kDefaultStoreyHeight2 = 10;

// Stores both orthogonal-beam options; true when either of them changed.
bool SetCrossBeamOptions(GridInfo &grid, int ignored, int noWarning);

// Stores the storey heights H1 and H2 (millimetres); true when either of them changed. Only the two
// heights change: the node coordinates keep what they hold.
bool SetStoreyHeights(ProjectInfo &info, int32_t height1, int32_t height2);

// The defaults new projects take; the open project keeps its own options.
void StoreLCoefficientDefault(AppState &state, int mode);
void StoreCrossBeamDefaults(AppState &state, int ignored, int noWarning);
void StoreStoreyHeightDefaults(AppState &state, int32_t height1, int32_t height2);

}  // namespace rqx

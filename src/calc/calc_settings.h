#pragma once
// The project options that steer the calculation (the L coefficient of first-storey columns, the
// pull-out passed through orthogonal beams, the storey heights) and their defaults for new projects.
// Headless.

#include "calc/wall_inputs.h"
#include "model/project.h"

namespace rqx {

// Places of the three calculation defaults in AppState::defaultSettings (the defaults file).
inline constexpr int kDefaultLCoefficientMode = 6;
inline constexpr int kDefaultCrossBeamIgnored = 7;
inline constexpr int kDefaultCrossBeamNoWarning = 8;
// The storey heights H1 and H2 in millimetres (0 = not entered).
inline constexpr int kDefaultStoreyHeight1 = 9;
inline constexpr int kDefaultStoreyHeight2 = 10;
// The wall quantities' C0 in tenths (0 = 0.2) and wind coefficient in cm/m² (0 = 50).
inline constexpr int kDefaultWallC0 = 11;
inline constexpr int kDefaultWindC = 12;

// Stores both orthogonal-beam options; true when either of them changed.
bool SetCrossBeamOptions(GridInfo &grid, int ignored, int noWarning);

// Stores the storey heights H1 and H2 (millimetres); true when either of them changed. Only the two
// heights change: the node coordinates keep what they hold.
bool SetStoreyHeights(ProjectInfo &info, int32_t height1, int32_t height2);

// The defaults new projects take; the open project keeps its own options.
void StoreLCoefficientDefault(AppState &state, int mode);
void StoreCrossBeamDefaults(AppState &state, int ignored, int noWarning);
void StoreStoreyHeightDefaults(AppState &state, int32_t height1, int32_t height2);
void StoreWallInputDefaults(AppState &state, const WallInputs &inputs);
// A new project's wall-quantity conditions: C0 and the wind coefficient from the defaults (values a
// damaged defaults file holds outside their ranges give the built-in ones). Written into the spare
// table only when they differ from the built-in defaults.
void ApplyWallInputDefaults(Project &project, const AppState &state);

}  // namespace rqx

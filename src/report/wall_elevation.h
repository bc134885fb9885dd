#pragma once
// The 見付面積 figure of the wall quantities: the building's elevation seen along a direction (its
// width across it), each storey's footprint projected as a band of its height, the roof, the line
// 1.35 m over each storey's floor, and the dimensions that give each area. Drawn to scale on the page
// as a figure of its own (its DXF drawing is "X_見付面積図" or "Y_見付面積図"). Headless.

#include <QString>

#include "calc/wall_quantity.h"

namespace rqx {

class PrintSurface;

// Metres the elevation seen along `direction` spans: across (from the first to the last band or roof
// edge) and up (floor of storey 1 to the roof's top).
struct ElevationExtent {
    double left = 0.0;
    double right = 0.0;
    double height = 0.0;
};
ElevationExtent ElevationExtentOf(const WallQuantityResult &result, int direction);

QString ElevationFigureName(int direction);

// Draws the elevation with its base line (storey 1's floor) at page y `baseY` and the model's
// across-position `extent.left` at page x `x` (cm from the printable origin), `cmPerMetre` to scale.
// Needs the storey heights (does nothing without them).
void DrawElevationFigure(PrintSurface &s, const WallQuantityResult &result, int direction, float x, float baseY,
                         double cmPerMetre);

}  // namespace rqx

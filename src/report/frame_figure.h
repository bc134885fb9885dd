#pragma once
// The frame figure the report, the frame view and `velmrqx-cli frame` share: one grid line's frame
// elevation under its title and scale, with the dimension lines, the line names, walls, columns with their
// hardware, beams, the storeys labelled with their heights, a legend of its texts and the list of what found
// no room. Storeys stand at the entered storey heights when every storey has one; otherwise at a schematic
// height, and the scale statement says so. Headless (QtGui).

#include <QString>

#include "report/frame_drawing.h"

namespace rqx {

class PrintSurface;
struct Calculation;
struct Project;

// The schematic page height of a storey whose height is not entered (cm).
inline constexpr float kSchematicStoreyHeight = 1.8f;

// The frame layout at `cmPerMetre` along the line: the storeys at their entered heights when every storey
// of the project has one, else kSchematicStoreyHeight each; beams `beamDepth` deep.
FrameLayout FrameFigureLayout(const Project &p, float cmPerMetre, float originX, float beamDepth);
// Whether the storeys are drawn at their heights.
bool FrameHeightsToScale(const FrameLayout &layout);
// Page height from the foundation line to the roof line.
float FrameFigureHeight(const FrameLayout &layout, int floors);
// The storeys' total height in metres when every storey has one, else 0.
double FrameHeightMetres(const Project &p);
// The scale statement: "S=1/100  1ﾓｼﾞｭｰﾙ = 910mm" with the storeys to scale, else
// "水平 S=1/100・高さは模式的（階高未入力）  1ﾓｼﾞｭｰﾙ = 910mm".
QString FrameScaleText(const Project &p, int denominator);
// A storey's label: "1階 H=3500" with its height entered, else "1階".
QString FrameStoreyLabel(const Project &p, int storey);
// The legend under a frame.
QString FrameLegendText();

// The room a frame figure takes above its roof line (title, scale and dimension lines) and below its
// foundation line (line names and legend), in report lines of height `lineH` and cm.
float FrameFigureRoomAbove(float lineH);
float FrameFigureRoomBelow(float lineH);

// Draws the frame of (direction, line) with `layout` (its frameScale and frameOriginX set; frameBaseY is
// set here): `title` at (x, titleY) (none when empty), `scaleText` ending at `right`, then the figure,
// its storey labels and legend, and the list of texts without room. Returns the page y below it all;
// `listRanOn` tells whether the list went on to a further page.
float DrawFrameFigure(PrintSurface &s, const Project &p, const Calculation &c, FrameLayout &layout,
                      int direction, int line, const QString &title, const QString &scaleText, float x,
                      float titleY, float right, float lineH, bool *listRanOn = nullptr);

}  // namespace rqx

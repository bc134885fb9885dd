#pragma once
// The frame view's page: the frame elevation of one grid line on A4 landscape, fitted so that the longer
// plan direction fills the width, with the view's header and footer. Also the report's frame fit.
// The calculation must have run on the project just before. Headless (QtGui).

#include "report/frame_drawing.h"

namespace rqx {

class PrintSurface;
struct Project;

// The frame view's scale for a printable width W (cm): per plan direction W ÷ (span + 4.0 ÷ (W ÷ span)),
// span being the plan's extent in metres; the smaller of the two, at most 2.4 cm per metre.
float FrameViewScale(const Project &p, float printableWidth);
// The frame view's layout for its printable width and height: that scale, origin 1.5 cm, foundation line
// 3 cm above the printable bottom, storeys 5.5 cm, beams 0.2 cm.
FrameLayout FrameViewLayout(const Project &p, float printableWidth, float printableHeight);
// The report's frame scale: (printable width − 0.7 × 2.3 cm) ÷ the larger of the last X and Y grid
// positions, at most 1.5 cm per metre, and with the storeys at their entered heights no taller than the
// printable height leaves beside the figure's texts. The caller sets the origin and the running base line.
float ReportFrameScale(const Project &p, float printableWidth, float printableHeight = 0);
// The one printed scale of the report's frames: the largest standard scale within ReportFrameScale, as a
// denominator.
int ReportFrameScaleDenominator(const Project &p, float printableWidth, float printableHeight = 0);
// The same for the report's page of this surface's orientation (A4, the report's margins), for pages printed
// outside the report at the report's scale.
int ReportFrameScaleDenominator(PrintSurface &s, const Project &p);

// The frame of (direction, line) as the frame view prints it, as a one-page document (StartDoc … EndDoc):
// margins 2.0 cm (bottom 2.2 cm), header "VELM-RQX /軸組Ｎ値算定   [ building ]" and footer centre
// "<line> 通り 軸組図" in "ＭＳ Ｐゴシック" 11 points; the report's frame figure (frame_figure.h) titled
// "<line> 通り". The scale is 1/scaleDenominator, or without one the largest standard scale within the
// view's fit (with the storeys at their heights, the printable height too). False, with nothing recorded,
// when the line is not on the grid.
bool RecordFrameViewPage(PrintSurface &s, const Project &p, const Calculation &c, int direction, int line,
                         int scaleDenominator = 0);

}  // namespace rqx

#include "report/frame_page.h"

#include <algorithm>

#include "report/frame_figure.h"

#include "model/project.h"
#include "print/page_drawing.h"
#include "print/font_names.h"
#include "print/print_surface.h"
#include "report/figure_marks.h"
#include "report/figure_scale.h"
#include "report/plan_pages.h"
#include "common/shown_text.h"

namespace rqx {

namespace {
constexpr float kBaseFontSize = 11.0f;
constexpr float kFrameOriginCm = 0.9f;    // the frame's first line from the printable left edge
constexpr float kFrameRoomOnPage = 6.0f;  // title, dimension lines, names and legend about a frame (cm)

NodeCoord LastNode(const Project &p)
{
    return GetNodeCoord(p, 1, p.dims.spanCountX + 1, p.dims.spanCountY + 1);
}
}  // namespace

float FrameViewScale(const Project &p, float printableWidth)
{
    const NodeCoord a = GetNodeCoord(p, 1, 1, 1);
    const NodeCoord b = LastNode(p);
    float scale = 2.4f;
    for (const float span : {b.x - a.x, b.y - a.y}) {
        if (span <= 0)
            continue;
        const float guess = printableWidth / span;
        scale = std::min(scale, printableWidth / (span + 4.0f / guess));
    }
    return scale;
}

FrameLayout FrameViewLayout(const Project &p, float printableWidth, float printableHeight)
{
    FrameLayout layout;
    layout.frameScale = FrameViewScale(p, printableWidth);
    layout.frameOriginX = 1.5f;
    layout.frameBaseY = printableHeight - 3.0f;
    layout.storeyHeight = kViewStoreyHeight;
    layout.beamDepth = kViewBeamDepth;
    return layout;
}

float ReportFrameScale(const Project &p, float printableWidth, float printableHeight)
{
    const NodeCoord b = LastNode(p);
    const float largest = std::max(b.x, b.y);
    float scale = largest <= 0 ? 1.5f : std::min(1.5f, (printableWidth - 0.7f * 2.3f) / largest);
    // Storeys drawn at their heights keep a figure on its page.
    const double metres = FrameHeightMetres(p);
    if (printableHeight > 0 && metres > 0)
        scale = std::min(scale, (printableHeight - kFrameRoomOnPage) / static_cast<float>(metres));
    return scale;
}

int ReportFrameScaleDenominator(const Project &p, float printableWidth, float printableHeight)
{
    return StandardScaleDenominator(ReportFrameScale(p, printableWidth, printableHeight));
}

int ReportFrameScaleDenominator(PrintSurface &s, const Project &p)
{
    PrintSurface report;
    report.SetOrientation(s.Orientation());
    float width = 0, height = 0;
    SetupReportPage(report, width, height);
    return ReportFrameScaleDenominator(p, width, height);
}

bool RecordFrameViewPage(PrintSurface &s, const Project &p, const Calculation &c, int direction, int line,
                         int scaleDenominator)
{
    if (FrameNodeCount(p, direction, line) == 0)
        return false;
    s.SetMarginLeft(QStringLiteral("2.0cm"));
    s.SetMarginRight(QStringLiteral("2.0cm"));
    s.SetMarginTop(QStringLiteral("2.0cm"));
    s.SetMarginBottom(QStringLiteral("2.2cm"));
    float width = 0, height = 0;
    SetupPrintPage(s, kBaseFontSize, 4, kOrientationLandscape, width, height);
    float fit = FrameViewScale(p, width);
    const double metres = FrameHeightMetres(p);
    if (metres > 0)
        fit = std::min(fit, (height - kFrameRoomOnPage) / static_cast<float>(metres));
    int scale = scaleDenominator > 0 ? scaleDenominator : StandardScaleDenominator(fit);
    // Storeys too tall for the landscape page at the asked scale: the largest scale that fits.
    if (metres > 0 && ScaleCmPerMetre(scale) * static_cast<float>(metres) > height - kFrameRoomOnPage)
        scale = std::max(scale, StandardScaleDenominator(fit));
    FrameLayout layout = FrameFigureLayout(p, ScaleCmPerMetre(scale), kFrameOriginCm, kReportBeamDepth);
    const QString name = FrameLineName(p, direction, line);
    s.SetHeaderFontName(kFontNamePGothic);
    const QString header = kAppTitle + QStringLiteral("   [ ") +
                           ShownText(p.info.buildingName, kShownBuildingName) + QStringLiteral(" ]");
    s.SetHeaderFontSize(RunningHeaderSize(s, header, 11));
    s.SetHeader(header);
    s.SetFooter(QStringLiteral("|") + name + QStringLiteral(" 通り 軸組図|"));
    s.SetFontName(kFontNameMincho);
    s.SetFontSize(kBaseFontSize);
    s.StartDoc();
    // The report's frame figure, title and scale included, on its own page.
    float charW = 0, lineH = 0;
    MeasureCharCell(s, charW, lineH);
    DrawFrameFigure(s, p, c, layout, direction, line, name + QStringLiteral(" 通り"), FrameScaleText(p, scale),
                    0, lineH, width, lineH);
    s.EndDoc();
    return true;
}

}  // namespace rqx

#include "report/frame_page.h"

#include <algorithm>

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
constexpr float kFrameDimensionDropCm = 0.3f;  // from the roof line up to the first dimension line

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

float ReportFrameScale(const Project &p, float printableWidth)
{
    const NodeCoord b = LastNode(p);
    const float largest = std::max(b.x, b.y);
    if (largest <= 0)
        return 1.5f;
    return std::min(1.5f, (printableWidth - 0.7f * 2.3f) / largest);
}

int ReportFrameScaleDenominator(const Project &p, float printableWidth)
{
    return StandardScaleDenominator(ReportFrameScale(p, printableWidth));
}

int ReportFrameScaleDenominator(PrintSurface &s, const Project &p)
{
    PrintSurface report;
    report.SetOrientation(s.Orientation());
    float width = 0, height = 0;
    SetupReportPage(report, width, height);
    return ReportFrameScaleDenominator(p, width);
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
    FrameLayout layout = FrameViewLayout(p, width, height);
    const int scale = scaleDenominator > 0 ? scaleDenominator : StandardScaleDenominator(layout.frameScale);
    layout.frameScale = ScaleCmPerMetre(scale);
    const QString name = FrameLineName(p, direction, line);
    s.SetHeaderFontName(kFontNamePGothic);
    const QString header = kAppTitle + QStringLiteral("   [ ") +
                           ShownText(p.info.buildingName, kShownBuildingName) + QStringLiteral(" ]");
    s.SetHeaderFontSize(RunningHeaderSize(s, header, 11));
    s.SetHeader(header);
    s.SetFooter(QStringLiteral("|") + name + QStringLiteral(" 通り 軸組図|") + ScaleText(scale) +
                QStringLiteral("  ") + ModuleText(p));
    s.SetFontName(kFontNameMincho);
    s.SetFontSize(kBaseFontSize);
    s.StartDoc();
    BeginFrameFigure(s, p, layout, direction, line);
    s.SetItemLayer(ItemLayer::Dims);
    drawFrameDimensions(s, p, layout, direction, line,
                        FramePageY(layout, p.dims.floorCount + 1) - kFrameDimensionDropCm);
    s.SetItemLayer(ItemLayer::Sheet);
    drawFrameLineNames(s, p, layout, direction, line, kFrameNamesView);
    drawFrameWalls(s, p, layout, direction, line, kFrameWallsView);
    drawFrameColumns(s, p, c, layout, direction, line, kFrameColumnsView);
    drawFrameBeams(s, p, layout, direction, line);
    s.EndFigure();
    s.EndDoc();
    return true;
}

}  // namespace rqx

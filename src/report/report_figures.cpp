// Sections 1.5, 2.1 and 2.2: the per-floor plans and the frame figures of the walled grid lines.
#include <algorithm>
#include <vector>

#include "calc/calculation.h"
#include "model/project.h"
#include "print/label_placer.h"
#include "print/page_drawing.h"
#include "print/print_surface.h"
#include "report/figure_marks.h"
#include "report/frame_drawing.h"
#include "report/figure_scale.h"
#include "report/frame_page.h"
#include "report/plan_pages.h"
#include "report/report_sections.h"

namespace rqx {

namespace {

constexpr int kFiguresPerPage = 3;
// From a frame's title line down to its roof line, in lines, and from the roof line up to its first
// dimension line, in cm.
constexpr float kFrameRoofDropLines = 3.2f;
constexpr float kFrameDimensionDrop = 0.3f;
// Below the foundation line, the room of the crossing lines' names (cm).
constexpr float kFrameNamesRoom = 1.4f;

// Whether grid line `line` carries a wall on any storey: an X line (node x index) holds the walls that
// run along Y, a Y line the walls that run along X.
bool LineHasWalls(const Project &p, const Calculation &c, int frameDirection, int line)
{
    const int wallDirection = frameDirection == kFrameOnXLine ? kDirY : kDirX;
    for (int level = 1; level <= p.dims.floorCount; ++level)
        if (c.wallLineFlags.valid(wallDirection, line, level) &&
            c.wallLineFlags(wallDirection, line, level) != 0)
            return true;
    return false;
}

}  // namespace

void PrintBearingWallPlans(ReportState &b, float x)
{
    if (!b.advanceProgress())
        return;
    b.sectionTitle(QStringLiteral("1.5.耐力壁伏図"), x, 1, 5);
    b.cursorY += b.lineH / 2;
    PrintPlanFigures(b.s, b.p, b.c, kPlanBearingWalls, x, b.cursorY, b.printableWidth);
    b.setFontSize(kReportBaseFontSize);
}

void PrintHardwarePlans(ReportState &b, float x)
{
    if (!b.advanceProgress())
        return;
    b.setFontSize(11);
    PrintTextCm(b.s, QStringLiteral("2.接合金物"), 11, x, b.cursorY, 0);
    b.cursorY += b.lineH;
    b.sectionTitle(QStringLiteral("2.1.接合金物伏図"), x, 2, 1);
    b.indentText(QStringLiteral("接合金物の各階伏図を以下に示す。"), x);
    b.cursorY += b.lineH / 2;
    PrintPlanFigures(b.s, b.p, b.c, kPlanHardware, x, b.cursorY, b.printableWidth);
    b.setFontSize(kReportBaseFontSize);
}

void PrintHardwareFrames(ReportState &b, float x)
{
    if (!b.advanceProgress())
        return;
    b.sectionTitle(QStringLiteral("2.2.接合金物軸組図"), x, 2, 2);
    b.cursorY += b.lineH / 2;
    PrintFrameFigures(b, x);
}

namespace {

struct FrameLine {
    int direction;
    int line;
};

// The lines with bearing walls: X lines first, then Y lines.
std::vector<FrameLine> WalledLines(const Project &p, const Calculation &c)
{
    std::vector<FrameLine> frames;
    for (int k = 1; k <= p.dims.spanCountX + 1; ++k)
        if (LineHasWalls(p, c, kFrameOnXLine, k))
            frames.push_back({kFrameOnXLine, k});
    for (int k = 1; k <= p.dims.spanCountY + 1; ++k)
        if (LineHasWalls(p, c, kFrameOnYLine, k))
            frames.push_back({kFrameOnYLine, k});
    return frames;
}

// One numbered frame below its title: the title, the scale, the dimension lines, the frame with its
// texts kept apart, the list of what found no room. Returns the next title's top.
float PrintOneFrame(ReportState &b, FrameLayout &layout, const FrameLine &f, int number, float x,
                    float titleY, const QString &scaleText, bool &listRanOn)
{
    PrintSurface &s = b.s;
    const Project &p = b.p;
    constexpr float kScaleTextSize = 10.0f;
    const float roofDrop = kFrameRoofDropLines * b.lineH;
    // The roof plane lies below the title and the dimension lines, the foundation line a storey height
    // per floor lower.
    layout.frameBaseY = titleY + roofDrop + layout.storeyHeight * static_cast<float>(p.dims.floorCount);
    BeginFrameFigure(s, p, layout, f.direction, f.line);
    s.SetItemLayer(ItemLayer::Text);
    s.SetFontName(kFontNameMincho);
    PrintTextCm(s,
                QStringLiteral("(") + QString::number(number) + QStringLiteral(") ") +
                    FrameLineName(p, f.direction, f.line) + QStringLiteral(" 通り"),
                11, x, titleY, 0);
    s.SetItemLayer(ItemLayer::Dims);
    PrintTextCm(s, scaleText, kScaleTextSize, b.printableWidth - MeasureCm(s, scaleText, kScaleTextSize).w,
                titleY, 0);
    drawFrameDimensions(s, p, layout, f.direction, f.line, titleY + roofDrop - kFrameDimensionDrop);
    // The frame's texts keep apart between its roof line and the room of its line names; what finds no
    // room is listed under the frame.
    const float namesBottom = layout.frameBaseY + kFrameNamesRoom;
    LabelPlacer placer(s,
                       QRectF(QPointF(x, titleY + roofDrop - 0.05f), QPointF(b.printableWidth, namesBottom)));
    FigureTexts texts{placer, {}};
    KeepFrameMembersFree(texts, p, layout, f.direction, f.line);
    s.SetItemLayer(ItemLayer::Sheet);
    drawFrameLineNames(s, p, layout, f.direction, f.line, kFrameNamesReport, &texts);
    drawFrameWalls(s, p, layout, f.direction, f.line, kFrameWallsReport, &texts);
    drawFrameColumns(s, p, b.c, layout, f.direction, f.line, kFrameColumnsReport, &texts);
    drawFrameBeams(s, p, layout, f.direction, f.line);
    s.EndFigure();
    s.SetItemLayer(ItemLayer::Sheet);
    listRanOn = false;
    if (texts.callouts.empty())
        return layout.frameBaseY + 3.1f * b.lineH;
    const int page = s.PageCount();
    const float next =
        PrintFigureCallouts(s, texts.callouts, x, namesBottom, b.printableWidth) + 1.2f * b.lineH;
    listRanOn = s.PageCount() != page;
    return next;
}

}  // namespace

void PrintFrameFigures(ReportState &b, float x)
{
    PrintSurface &s = b.s;
    const Project &p = b.p;
    b.setFontSize(11);
    b.indentText(QStringLiteral("耐力壁がある軸組を以下に示す。") +
                     QStringLiteral("(グレーは面材。土台は耐力壁がある場合のみ表示。)"),
                 x);
    const std::vector<FrameLine> frames = WalledLines(p, b.c);
    if (frames.empty()) {
        b.cursorY += b.lineH;
        b.indentText(QStringLiteral("該当する軸組はありません。"), x);
        b.cursorY += b.lineH;
        s.SetFontName(kFontNameMincho);
        return;
    }

    FrameLayout layout;
    layout.storeyHeight = kReportStoreyHeight;
    layout.beamDepth = kReportBeamDepth;
    // Every frame at one standard scale, the largest that the widest frame fits.
    const int scale = ReportFrameScaleDenominator(p, b.printableWidth);
    layout.frameScale = ScaleCmPerMetre(scale);
    layout.frameOriginX = x + 0.9f;
    const QString scaleText = ScaleText(scale) + QStringLiteral("  ") + ModuleText(p);

    float titleY = b.cursorY + b.lineH;
    // Height of one figure from its title to the next title.
    const float roofDrop = kFrameRoofDropLines * b.lineH;
    const float figureHeight =
        (roofDrop / b.lineH + 3.1f) * b.lineH + layout.storeyHeight * static_cast<float>(p.dims.floorCount);
    int onPage = 0;
    for (size_t i = 0; i < frames.size(); ++i, ++onPage) {
        // Three to a page; fewer only on a page too short for three (landscape paper).
        if (onPage == kFiguresPerPage || (onPage > 0 && titleY + figureHeight > b.printableHeight)) {
            onPage = 0;
            if (!b.keepGoing())
                return;
            s.NewPage();
            titleY = 2 * b.lineH;
        }
        bool listRanOn = false;
        titleY =
            PrintOneFrame(b, layout, frames[i], static_cast<int>(i) + 1, x, titleY, scaleText, listRanOn);
        if (listRanOn)
            onPage = 0;  // the list ran onto a further page: the frames go on below it
    }
    b.cursorY = titleY;
    s.SetFontName(kFontNameMincho);
    b.setFontSize(kReportBaseFontSize);
}

}  // namespace rqx

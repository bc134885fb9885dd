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
#include "report/frame_figure.h"
#include "report/figure_scale.h"
#include "report/frame_page.h"
#include "report/plan_pages.h"
#include "report/report_sections.h"

namespace rqx {

namespace {

constexpr int kFiguresPerPage = 3;

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

// One numbered frame below its title, drawn by the shared frame figure. Returns the next title's top.
float PrintOneFrame(ReportState &b, FrameLayout &layout, const FrameLine &f, int number, float x,
                    float titleY, const QString &scaleText, bool &listRanOn)
{
    const QString title = QStringLiteral("(") + QString::number(number) + QStringLiteral(") ") +
                          FrameLineName(b.p, f.direction, f.line) + QStringLiteral(" 通り");
    return DrawFrameFigure(b.s, b.p, b.c, layout, f.direction, f.line, title, scaleText, x, titleY,
                           b.printableWidth, b.lineH, &listRanOn);
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

    // Every frame at one standard scale, the largest that the widest frame fits (and, with the storeys at
    // their heights, the tallest the page).
    const int scale = ReportFrameScaleDenominator(p, b.printableWidth, b.printableHeight);
    FrameLayout layout = FrameFigureLayout(p, ScaleCmPerMetre(scale), x + 0.9f, kReportBeamDepth);
    const QString scaleText = FrameScaleText(p, scale);

    float titleY = b.cursorY + b.lineH;
    // Height of one figure from its title to the next title.
    const float figureHeight = FrameFigureRoomAbove(b.lineH) + FrameFigureHeight(layout, p.dims.floorCount) +
                               FrameFigureRoomBelow(b.lineH);
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

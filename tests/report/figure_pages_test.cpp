// The figure pages of the report over generated houses of many shapes and densities: every plan at one
// standard scale, every frame at one, each stating it and drawn at it, the command line's plan page at the
// report's scale; and no text on another, on a column square or off the paper.
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>

#include "calc/n_value.h"
#include "model/project.h"
#include "print/font_names.h"
#include "print/print_document.h"
#include "print/print_surface.h"
#include "report/plan_pages.h"
#include "report/report_builder.h"
#include "support/generated_houses.h"
#include "support/page_items.h"

namespace rqx {
namespace {

using namespace samples;
using test::PageContent;
using test::ReadPage;

struct Built {
    Project p;
    PrintSurface s;
    ReportResult r;
    int planFirst = 0, frameFirst = 0, tableFirst = 0;  // pages
};

std::unique_ptr<Built> Build(const HouseShape &shape, unsigned seed)
{
    auto b = std::make_unique<Built>();
    b->p = GeneratedHouse(shape, seed);
    RunCalculationSequence(b->p, true);
    b->r = BuildReport(b->s, b->p);
    b->planFirst = b->r.toc.page[1][5];
    b->frameFirst = b->r.toc.page[2][2];
    b->tableFirst = b->r.toc.page[2][3];
    return b;
}

// "S=1/N" on a page, 0 when none; fails when a page states two.
int ScaleOn(const PrintDocument &doc, int page)
{
    static const QRegularExpression re(QStringLiteral("^S=1/(\\d+)  1ﾓｼﾞｭｰﾙ = 910mm$"));
    int found = 0;
    for (const QString &t : doc.pageTexts(page))
        if (const auto m = re.match(t); m.hasMatch()) {
            EXPECT_TRUE(found == 0 || found == m.captured(1).toInt()) << page;
            found = m.captured(1).toInt();
        }
    return found;
}

bool Standard(int n)
{
    static const QList<int> scales = {50, 100, 150, 200, 250, 300, 400, 500, 600, 800, 1000, 1500, 2000};
    return scales.contains(n);
}

TEST(FigurePagesTest, OneStatedScaleForThePlansAndOneForTheFrames)
{
    InstallJapaneseFontSubstitutions();
    const HouseShape shapes[] = {{3, 2, 2, 1, 0, 0},
                                 {8, 6, 2, 2, 1, 0},
                                 {5, 9, 4, 2, 0, 1},
                                 {12, 4, 2, 2, 0, 0},
                                 {16, 16, 4, 2, 1, 0}};
    unsigned seed = 11;
    for (const HouseShape &shape : shapes) {
        const auto b = Build(shape, ++seed);
        SCOPED_TRACE(testing::Message()
                     << shape.modulesX << "x" << shape.modulesY << " div " << shape.divisions);
        const PrintDocument &doc = b->s.document();
        const float extentX = GetNodeCoord(b->p, 1, b->p.dims.spanCountX + 1, 1).x;
        // Plans: both sections, every floor, each page with its scale; the grid drawn at it.
        int planScale = 0;
        int plans = 0;
        for (int page = b->planFirst; page < b->frameFirst; ++page) {
            const int n = ScaleOn(doc, page);
            if (n == 0)
                continue;
            ++plans;
            EXPECT_TRUE(Standard(n)) << n;
            EXPECT_TRUE(planScale == 0 || planScale == n) << page;
            planScale = n;
            float lo = 1e9f, hi = -1e9f;
            for (const test::PageShape &l : ReadPage(b->s, page).shapesOf(PageItemKind::Line))
                if (l.penWidth == 5 && std::abs(l.x1 - l.x2) < 1e-3f) {
                    lo = std::min(lo, l.x1);
                    hi = std::max(hi, l.x1);
                }
            EXPECT_NEAR(hi - lo, extentX * 100.0f / static_cast<float>(n), 0.02f) << page;
            EXPECT_TRUE(doc.pageTexts(page).contains(QString::number(std::lround(extentX * 1000.0f))))
                << page;
        }
        EXPECT_EQ(plans, 2 * shape.floors);
        // The command line's plan page: the report's scale.
        PrintSurface cli;
        RecordReportPlanPage(cli, b->p, kPlanHardware, shape.floors);
        EXPECT_EQ(ScaleOn(cli.document(), 1), planScale);
        // Frames: one scale, stated once per frame.
        int frameScale = 0;
        int frames = 0;
        for (int page = b->frameFirst; page < b->tableFirst; ++page) {
            for (const QString &t : doc.pageTexts(page))
                frames += t.endsWith(QStringLiteral(" 通り")) ? 1 : 0;
            const int n = ScaleOn(doc, page);
            if (n == 0)
                continue;
            EXPECT_TRUE(Standard(n)) << n;
            EXPECT_TRUE(frameScale == 0 || frameScale == n) << page;
            frameScale = n;
        }
        int stated = 0;
        for (int page = b->frameFirst; page < b->tableFirst; ++page)
            stated += static_cast<int>(doc.pageTexts(page).filter(QStringLiteral("S=1/")).size());
        EXPECT_EQ(stated, frames);
        EXPECT_GT(frames, 0);
    }
}

}  // namespace
}  // namespace rqx

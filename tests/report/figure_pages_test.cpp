// The figure pages of the report over generated houses of many shapes and densities: every plan at one
// standard scale, every frame at one, each stating it and drawn at it, the command line's plan page at the
// report's scale; and no text on another, on a column square or off the paper.
#include <QHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>

#include "calc/n_value.h"
#include "model/project.h"
#include "print/font_names.h"
#include "print/print_document.h"
#include "print/page_drawing.h"
#include "print/page_render.h"
#include "print/print_surface.h"
#include "report/plan_pages.h"
#include "report/report_builder.h"
#include "support/generated_houses.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"
#include "support/page_items.h"
#include "support/calculated.h"

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
    Calculation c = test::Calculated(b->p);
    b->r = BuildReport(b->s, b->p, c);
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
        RecordReportPlanPage(cli, b->p, Calculate(b->p), kPlanHardware, shape.floors);
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

// What is wrong with the texts of one page: a text box beyond the printable area (the running header and
// footer: beyond the margins' width or the paper), two boxes that overlap, a box on a column square. Empty
// when nothing is.
QStringList TextFaults(const PrintSurface &s, int page)
{
    const PrintDocument &doc = s.document();
    const QSize paper = doc.pageSize(page);
    const QRectF printable(QPointF(s.MarginLeft(), s.MarginTop()),
                           QPointF(paper.width() - s.MarginRight(), paper.height() - s.MarginBottom()));
    const QRectF sheet(QPointF(s.MarginLeft(), 0), QPointF(paper.width() - s.MarginRight(), paper.height()));
    constexpr double kSlack = 2;  // twips: boxes that only touch are apart
    auto inside = [&](const QRectF &outer, const QRectF &r) {
        return r.left() >= outer.left() - kSlack && r.top() >= outer.top() - kSlack &&
               r.right() <= outer.right() + kSlack && r.bottom() <= outer.bottom() + kSlack;
    };
    auto overlap = [&](const QRectF &a, const QRectF &b) {
        const QRectF i = a.intersected(b);
        return i.width() > kSlack && i.height() > kSlack;
    };
    QStringList faults;
    const std::vector<test::TextBox> boxes = test::PageTextBoxes(doc, page);
    std::vector<QRectF> squares;  // the plans' column squares (pen width 5; floor cells have none)
    for (const PageItem &it : doc.page(page).items)
        if (it.kind == PageItemKind::Rectangle && doc.pen(it.a).width == 5 &&
            std::abs((it.x2 - it.x1) - (it.y2 - it.y1)) <= 2 && it.x2 - it.x1 <= 110 && it.x2 - it.x1 >= 60)
            squares.emplace_back(QPointF(it.x1, it.y1), QPointF(it.x2, it.y2));
    // A coarse grid of the page, so that dense pages compare neighbours only.
    constexpr int kCell = 400;
    QHash<qint64, std::vector<int>> cells;
    auto key = [](int cx, int cy) { return (static_cast<qint64>(cx) << 32) ^ static_cast<quint32>(cy); };
    for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
        const test::TextBox &t = boxes[static_cast<size_t>(i)];
        if (t.text.trimmed().isEmpty())
            continue;
        if (!inside(t.running ? sheet : printable, t.box))
            faults << QStringLiteral("off the page: ") + t.text;
        if (t.running)
            continue;
        for (int cx = static_cast<int>(t.box.left()) / kCell; cx <= static_cast<int>(t.box.right()) / kCell;
             ++cx)
            for (int cy = static_cast<int>(t.box.top()) / kCell;
                 cy <= static_cast<int>(t.box.bottom()) / kCell; ++cy) {
                std::vector<int> &cell = cells[key(cx, cy)];
                for (int j : cell)
                    if (overlap(boxes[static_cast<size_t>(j)].box, t.box)) {
                        const QString pair =
                            boxes[static_cast<size_t>(j)].text + QStringLiteral(" / ") + t.text;
                        if (!faults.contains(QStringLiteral("overlap: ") + pair))
                            faults << QStringLiteral("overlap: ") + pair;
                    }
                cell.push_back(i);
            }
        for (const QRectF &q : squares)
            if (overlap(q, t.box)) {
                faults << QStringLiteral("on a column: ") + t.text;
                break;
            }
    }
    return faults;
}

void ExpectCleanFigurePages(const Built &b, const std::string &house)
{
    int faulty = 0;
    for (int page = b.planFirst; page < b.tableFirst; ++page) {
        const QStringList faults = TextFaults(b.s, page);
        if (!faults.isEmpty() && ++faulty <= 3)
            ADD_FAILURE() << house << " page " << page << ": " << faults.size() << " faults, first "
                          << faults.mid(0, 5).join(QStringLiteral(" | ")).toStdString();
    }
    EXPECT_EQ(faulty, 0) << house;
}

// Many shapes and densities, both divisions, up to 120 × 120 spans.
TEST(FigurePagesTest, NoTextOnAnotherOnAColumnOrOffThePage)
{
    InstallJapaneseFontSubstitutions();
    const HouseShape shapes[] = {{3, 2, 2, 1, 0, 0},  {8, 6, 2, 2, 1, 0},   {5, 9, 4, 2, 0, 1},
                                 {12, 4, 2, 2, 0, 0}, {16, 16, 4, 2, 1, 0}, {10, 10, 2, 2, 0, 0},
                                 {30, 30, 4, 2, 0, 0}};
    unsigned seed = 40;
    for (const HouseShape &shape : shapes) {
        const auto b = Build(shape, ++seed);
        ExpectCleanFigurePages(*b, std::to_string(shape.modulesX) + "x" + std::to_string(shape.modulesY) +
                                       "/" + std::to_string(shape.divisions));
    }
}

// The largest project the dialogs allow, every node carrying a column, walls and three hardware texts: at
// its scale the columns stand closer than their squares, and the texts go to the lists beside the figures.
TEST(FigurePagesTest, LargestProjectKeepsItsTextsApart)
{
    InstallJapaneseFontSubstitutions();
    Built b;
    b.p = LargestProject();
    Calculation c = test::Calculated(b.p);
    b.r = BuildReport(b.s, b.p, c);
    b.planFirst = b.r.toc.page[1][5];
    b.frameFirst = b.r.toc.page[2][2];
    b.tableFirst = b.r.toc.page[2][3];
    ExpectCleanFigurePages(b, "largest");
}

// At 150 dpi a wall on the hardware plan is a black band three pixels or more across; a grid line is a grey
// hairline with no black in it.
TEST(FigurePagesTest, WallsStandOutFromTheGridAt150Dpi)
{
    InstallJapaneseFontSubstitutions();
    Project p = NewProject(8, 8, 1, 2, LineNames::kNumbered);
    PlaceFloor(p, 1, 1, 1, 9, 9, 1);
    WallOptions linked;
    linked.linked = true;
    PlaceWall(p, 1, kDirX, 5, 3, 7, kKeyMenzai, 4, linked);
    Calculation c = test::Calculated(p);
    PrintSurface s;
    const ReportResult r = BuildReport(s, p, c);
    const int page = r.toc.page[2][1];
    const QImage image = RenderPageImage(s.document(), page, 150);
    const float left = Cm(s.MarginLeft()), top = Cm(s.MarginTop());
    auto pixel = [&](float xCm, float yCm) {
        return QPoint(static_cast<int>(std::lround((xCm + left) / 2.54f * 150)),
                      static_cast<int>(std::lround((yCm + top) / 2.54f * 150)));
    };
    // Dark pixels and the darkest grey in a run of pixels across a horizontal line at (x, y).
    auto across = [&](float xCm, float yCm, int &dark, int &darkest) {
        const QPoint c = pixel(xCm, yCm);
        dark = 0;
        darkest = 255;
        for (int dy = -6; dy <= 6; ++dy) {
            const int g = qGray(image.pixel(c.x(), c.y() + dy));
            dark += g < 80 ? 1 : 0;
            darkest = std::min(darkest, g);
        }
    };
    const PageContent content = ReadPage(s, page);
    int walls = 0, grids = 0;
    for (const test::PageShape &l : content.shapesOf(PageItemKind::Line)) {
        if (std::abs(l.y1 - l.y2) > 1e-3f)
            continue;
        int dark = 0, darkest = 0;
        if (l.penWidth == 30) {
            across((l.x1 + l.x2) / 2, l.y1, dark, darkest);
            EXPECT_GE(dark, 3);
            ++walls;
        } else if (l.penWidth == 5 && grids < 4) {
            // Between two grid crossings, away from the walls and columns.
            const float y = l.y1;
            bool nearWall = false;
            for (const test::PageShape &w : content.shapesOf(PageItemKind::Line))
                nearWall = nearWall || (w.penWidth == 30 && std::abs(w.y1 - y) < 0.3f);
            if (nearWall)
                continue;
            across(l.x1 + 0.13f, y, dark, darkest);
            EXPECT_EQ(dark, 0);
            EXPECT_LT(darkest, 230);  // a hairline, still seen
            ++grids;
        }
    }
    EXPECT_EQ(walls, 1);
    EXPECT_EQ(grids, 4);
}

// A building name of 50 full-width characters, the longest a project keeps whole: the cover sets it in
// lines inside the paper, the running header smaller.
TEST(FigurePagesTest, LongBuildingNameStaysOnThePaper)
{
    InstallJapaneseFontSubstitutions();
    for (const QString &name :
         {QString(50, QChar(0x90B8)), QString(50, QLatin1Char('W')),
          QStringLiteral("株式会社ヘルミナ建設 第二設計室 ") + QString(30, QChar(0x90B8))}) {
        Project p = NewProject(4, 4, 2, 2, LineNames::kNumbered);
        p.info.buildingName = name;
        Calculation c = test::Calculated(p);
        PrintSurface s;
        BuildReport(s, p, c);
        for (int page : {1, 2, s.PageCount()}) {
            const QStringList faults = TextFaults(s, page);
            EXPECT_TRUE(faults.isEmpty()) << page << ": " << faults.join(QStringLiteral(" | ")).toStdString();
        }
    }
}

}  // namespace
}  // namespace rqx

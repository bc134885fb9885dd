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
#include "report/result_table.h"
#include "calc/hardware_class.h"
#include "calc/storey_height.h"
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
    // A frame without storey heights states its scale along the line and that its heights are schematic.
    static const QRegularExpression re(
        QStringLiteral("^(?:水平 )?S=1/(\\d+)(?:・高さは模式的（階高未入力）)?  1ﾓｼﾞｭｰﾙ = 910mm$"));
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

// The transfer check draws the second storey's walls over both storeys' columns: no multiplier lies on a
// column square of either storey (nor on another text), dense houses included; what finds no room is listed.
TEST(FigurePagesTest, TransferCheckLabelsKeepOffBothStoreysColumns)
{
    InstallJapaneseFontSubstitutions();
    const HouseShape shapes[] = {{8, 6, 2, 2, 1, 0}, {12, 10, 4, 2, 0, 0}, {6, 9, 4, 2, 0, 1}, {16, 16, 4, 2, 0, 0}};
    unsigned seed = 60;
    for (const HouseShape &shape : shapes) {
        Project p = GeneratedHouse(shape, ++seed);
        const Calculation c = test::Calculated(p);
        PrintSurface s;
        RecordTransferCheckPage(s, p, c);
        for (int page = 1; page <= s.document().pageCount(); ++page) {
            // (The grid names along the bottom reach a little past the bottom margin, as they always have.)
            const QStringList faults = TextFaults(s, page).filter(QRegularExpression(QStringLiteral("^(overlap|on a column)")));
            EXPECT_TRUE(faults.isEmpty()) << shape.modulesX << "x" << shape.modulesY << " page " << page << ": "
                                          << faults.mid(0, 5).join(QStringLiteral(" | ")).toStdString();
        }
    }
}

// The largest project the dialogs allow, every node carrying a column, walls and three hardware texts: at
// its scale the columns stand closer than their squares, and the texts go to the lists beside the figures.
QStringList MarkFaults(const Built &b);

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
    // Every mark explained on every page that uses it, the callout lists' further pages too. (Its
    // dense frames do not yet carry every sub-line name the lists use: not checked here.)
    const QStringList marks = MarkFaults(b);
    EXPECT_TRUE(marks.isEmpty()) << marks.size() << " faults, first " << marks.value(0).toStdString();
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

// A plan 1.82 m across and 10.01 m deep fits the page between its title and its base line at 1/100.
TEST(FigurePagesTest, ADeepNarrowPlanAtTheLargestScaleThatFits)
{
    InstallJapaneseFontSubstitutions();
    Project p = NewProject(4, 22, 1, 2, LineNames::kNumbered);
    PlaceFloor(p, 1, 1, 1, 5, 23, 1);
    PrintSurface s;
    RecordReportPlanPage(s, p, Calculate(p), kPlanHardware, 1);
    EXPECT_EQ(ScaleOn(s.document(), 1), 100);
    EXPECT_TRUE(TextFaults(s, 1).isEmpty()) << TextFaults(s, 1).join(QStringLiteral(" | ")).toStdString();
}

// What a reviewer would send back on the figure pages, page by page from the first plan to the result
// table: a number listed under a figure (【 図中番号の表記 】) that the figure does not draw, or draws twice;
// a text crossed by a dark line (walls, beams, module grid lines, braces, column lines, leaders, outlines);
// a line name missing from a plan (all of them) or a frame (all crossing lines). Empty when none.
QStringList FigureFaults(const Built &b)
{
    const PrintSurface &s = b.s;
    const PrintDocument &doc = s.document();
    QStringList faults;
    static const QRegularExpression listed(QStringLiteral("^\\[(\\d+)\\] "));
    static const QRegularExpression number(QStringLiteral("^\\d+$"));
    QHash<int, int> drawn;  // the current figure's numbers, and how often each is drawn
    QString figure;
    auto lineNames = [&](const OneBasedArray<QString> &names, int count) {
        QStringList out;
        for (int k = 1; k <= count && k <= names.size(); ++k)
            out << names[k].trimmed();
        return out;
    };
    const QStringList namesX = lineNames(b.p.grid.lineNameX, b.p.dims.spanCountX + 1);
    const QStringList namesY = lineNames(b.p.grid.lineNameY, b.p.dims.spanCountY + 1);
    for (int n = b.planFirst; n < b.tableFirst; ++n) {
        const PrintPage &page = doc.page(n);
        const std::vector<test::TextBox> boxes = test::PageTextBoxes(doc, n);
        // Dark ink on the page as segments, twips.
        std::vector<QLineF> ink;
        std::vector<QString> inkWhat;  // what each segment is, for the message
        for (const PageItem &it : page.items) {
            if (it.flags != 0 || it.kind == PageItemKind::Text || it.kind == PageItemKind::Picture)
                continue;
            const PrintPen &pen = doc.pen(it.a);
            if (pen.style == kPenStyleNone || qGray(pen.color) >= 170)
                continue;
            std::vector<QPointF> pts;
            const QString what = QStringLiteral("kind %1 pen %2 #%3")
                                     .arg(static_cast<int>(it.kind))
                                     .arg(pen.width)
                                     .arg(pen.color & 0xFFFFFF, 6, 16, QLatin1Char('0'));
            if (it.kind == PageItemKind::Line) {
                ink.emplace_back(it.x1, it.y1, it.x2, it.y2);
                inkWhat.push_back(what);
                continue;
            }
            if (it.kind == PageItemKind::Ellipse) {
                const QRectF r(QPointF(it.x1, it.y1), QPointF(it.x2, it.y2));
                for (int k = 0; k < 32; ++k)
                    pts.emplace_back(r.center().x() + r.width() / 2 * std::cos(k * M_PI / 16),
                                     r.center().y() + r.height() / 2 * std::sin(k * M_PI / 16));
            } else if (it.kind == PageItemKind::Polygon) {
                for (int k = 0; k < it.x2; ++k)
                    pts.emplace_back(page.points[static_cast<size_t>(it.x1 + k)]);
            } else {
                pts = {QPointF(it.x1, it.y1), QPointF(it.x2, it.y1), QPointF(it.x2, it.y2), QPointF(it.x1, it.y2)};
            }
            for (size_t k = 0; k < pts.size(); ++k) {
                ink.emplace_back(pts[k], pts[(k + 1) % pts.size()]);
                inkWhat.push_back(what);
            }
        }
        size_t textIndex = 0;
        size_t nextFigure = 0;
        for (size_t i = 0; i < page.items.size(); ++i) {
            const PageItem &it = page.items[i];
            if (nextFigure < page.figures.size() && i == page.figures[nextFigure].first) {
                figure = page.figures[nextFigure].name;
                drawn.clear();
            }
            const bool inFigure = nextFigure < page.figures.size() && i >= page.figures[nextFigure].first &&
                                  i < page.figures[nextFigure].end;
            if (nextFigure < page.figures.size() && i + 1 == page.figures[nextFigure].end)
                ++nextFigure;
            if (it.kind != PageItemKind::Text)
                continue;
            const test::TextBox &t = boxes[textIndex++];
            if (it.flags != 0)
                continue;
            const ItemLayer layer = LayerOfItem(page.layers, static_cast<std::uint32_t>(i));
            if (inFigure) {
                if ((layer == ItemLayer::Hardware || layer == ItemLayer::Labels) && number.match(t.text).hasMatch())
                    ++drawn[t.text.toInt()];
            } else if (const auto m = listed.match(t.text); m.hasMatch()) {
                const int k = m.captured(1).toInt();
                if (drawn.value(k) != 1)
                    faults << QStringLiteral("%1 p%2: [%3] drawn %4 times").arg(figure).arg(n).arg(k).arg(drawn.value(k));
            }
            // Crossed by a dark line: the box less two twips each side.
            const QRectF box = t.box.adjusted(2, 2, -2, -2);
            if (box.width() <= 0 || box.height() <= 0)
                continue;
            const QLineF sides[] = {{box.topLeft(), box.topRight()}, {box.topRight(), box.bottomRight()},
                                    {box.bottomRight(), box.bottomLeft()}, {box.bottomLeft(), box.topLeft()}};
            for (size_t li = 0; li < ink.size(); ++li) {
                const QLineF &l = ink[li];
                const QRectF span = QRectF(l.p1(), l.p2()).normalized().adjusted(-1, -1, 1, 1);
                if (!span.intersects(box))
                    continue;
                bool crossed = box.contains(l.p1()) || box.contains(l.p2());
                for (const QLineF &side : sides)
                    crossed = crossed || l.intersects(side, nullptr) == QLineF::BoundedIntersection;
                if (crossed) {
                    faults << QStringLiteral("p%1: \"%2\" at (%3, %4) crossed by %5")
                                  .arg(n)
                                  .arg(t.text)
                                  .arg(box.left(), 0, 'f', 0)
                                  .arg(box.top(), 0, 'f', 0)
                                  .arg(inkWhat[li]);
                    break;
                }
            }
        }
        // Line names: a plan all of them, a frame those of the lines it crosses.
        for (const PageFigure &f : page.figures) {
            QStringList names;
            for (std::uint32_t i = f.first; i < f.end; ++i)
                if (page.items[i].kind == PageItemKind::Text &&
                    LayerOfItem(page.layers, i) == ItemLayer::Names)
                    names << doc.string(page.items[i].a);
            const bool frame = f.name.endsWith(QStringLiteral("_軸組図"));
            const bool onX = frame && namesX.contains(f.name.section(QLatin1Char('_'), 0, 0));
            QStringList wanted = frame ? (onX ? namesY : namesX) : namesX + namesY;
            for (const QString &w : wanted)
                if (!w.isEmpty() && !names.contains(w))
                    faults << QStringLiteral("%1 p%2: no name %3").arg(f.name).arg(n).arg(w);
        }
    }
    return faults;
}

// Marks without their explanation on the page that uses them (the plans, frames and result table), and
// the table's header formulas without the height factor its cells use.
QStringList MarkFaults(const Built &b)
{
    const PrintDocument &doc = b.s.document();
    const struct {
        QString mark, note;
    } marks[] = {{kWeakerPlacementMark, kWeakerPlacementNote},
                 {OutOfRangeLabel(), kOutOfRangeNote},
                 {kNotCarriedMark, kNotCarriedNote}};
    QStringList faults;
    for (int n = b.planFirst; n <= doc.pageCount(); ++n) {
        const QStringList texts = doc.pageTexts(n);
        for (const auto &m : marks) {
            bool used = false;
            for (const QString &t : texts)
                used = used || (t != m.note && t.contains(m.mark));
            if (used && !texts.contains(m.note))
                faults << QStringLiteral("p%1: %2 not explained").arg(n).arg(m.mark);
        }
    }
    if (HasStoreyHeights(b.p) && !doc.pageTexts(b.tableFirst).contains(QStringLiteral("N=A1×B1×H/2.7-L")))
        faults << QStringLiteral("table header without H/2.7");
    return faults;
}

void ExpectReviewerReads(const Built &b, const std::string &house)
{
    const QStringList faults = FigureFaults(b) + MarkFaults(b);
    EXPECT_TRUE(faults.isEmpty()) << house << ": " << faults.size() << " faults, first "
                                  << faults.mid(0, 8).join(QStringLiteral(" | ")).toStdString();
}

// Generated houses of both divisions, both L modes, one and two storeys, with storey heights and placed
// hardware weaker than required, and the largest project.
TEST(FigurePagesTest, EveryCalloutDrawnNoTextUnderALineEveryNameShown)
{
    InstallJapaneseFontSubstitutions();
    unsigned seed = 70;
    for (const int divisions : {2, 4})
        for (const int lMode : {0, 1})
            for (const int floors : {1, 2}) {
                // The orthogonal-beam option from the seed before the step, as the houses were first chosen.
                const int crossBeamIgnored = static_cast<int>(seed % 2);
                HouseShape shape = GeneratedShape(++seed, divisions, lMode, crossBeamIgnored);
                shape.floors = floors;
                auto b = std::make_unique<Built>();
                b->p = GeneratedHouse(shape, seed);
                b->p.info.levelHeight[1] = seed % 3 == 0 ? 3500 : 0;
                b->p.info.levelHeight[2] = seed % 2 == 0 ? 3300 : 2800;
                b->r = BuildReport(b->s, b->p, Calculate(b->p));
                b->planFirst = b->r.toc.page[1][5];
                b->frameFirst = b->r.toc.page[2][2];
                b->tableFirst = b->r.toc.page[2][3];
                ExpectReviewerReads(*b, std::to_string(shape.modulesX) + "x" + std::to_string(shape.modulesY) +
                                            "/" + std::to_string(divisions) + "/L" + std::to_string(lMode) +
                                            "/" + std::to_string(floors) + "F");
            }
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

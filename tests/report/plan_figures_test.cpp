// Printed plan figures, read back from the page's display list: wall labels and symbols, hardware text
// sizes, the column modes of the report plans and the transfer check.
#include <gtest/gtest.h>

#include "calc/n_value.h"
#include "report/plan_figures.h"
#include "print/font_names.h"
#include "print/label_placer.h"
#include "support/house_builder.h"
#include "support/page_items.h"
#include "support/calculated.h"

namespace rqx {
namespace {

using namespace Qt::StringLiterals;
using test::PageContent;
using test::PageShape;

// Node (i, j) lands at (3 + 0.91 (i − 1), 10 − 0.91 (j − 1)) cm.
constexpr float kScale = 2.0f, kFigX = 3.0f, kFigY = 10.0f, kTol = 0.003f;
float NodeX(int i)
{
    return kFigX + kScale * 0.455f * static_cast<float>(i - 1);
}
float NodeY(int j)
{
    return kFigY - kScale * 0.455f * static_cast<float>(j - 1);
}

// A calculation of nothing: the results, classes and marks of every node empty.
Calculation Blank(const Project &p)
{
    Calculation calc;
    calc.results.reset(p.nodes.sizeX(), p.nodes.sizeY(), p.nodes.sizeLevel());
    calc.requiredClass.reset(p.nodes.sizeX(), p.nodes.sizeY(), p.nodes.sizeLevel());
    calc.corner.reset(p.nodes.sizeX(), p.nodes.sizeY(), p.nodes.sizeLevel());
    return calc;
}

// Walls (columns when level > 0, with the results of `calc`, else none) of a project drawn on a fresh page.
PageContent Draw(const Project &p, int mode, int columnLevel = 0, PrintSurface *surface = nullptr,
                 const Calculation *calc = nullptr)
{
    const Calculation c = calc != nullptr ? *calc : Blank(p);
    InstallJapaneseFontSubstitutions();
    PrintSurface own;
    PrintSurface &s = surface != nullptr ? *surface : own;
    s.StartDoc();
    if (columnLevel > 0)
        drawFigureColumns(s, p, c, kScale, kFigX, kFigY, columnLevel, mode);
    else
        drawFigureWalls(s, p, kScale, kFigX, kFigY, 1, mode);
    s.EndDoc();
    return test::ReadPage(s);
}

// Each wall is drawn once with one label: brace + board of its first span, at most 5.0, 6 points; below an
// X wall, turned 90° right of a Y wall, or, where that is taken, across the wall beyond its symbol. The
// hardware plan draws plain lines, bolder than the grid.
TEST(PlanFigures, WallSymbolsAndLabels)
{
    struct WallCase {
        int direction, from, to;
        QString key;
        int size;
        samples::WallOptions options = {};
    };
    struct Case {
        const char *name;
        std::vector<WallCase> walls;  // on line 2
        QString labels;               // sorted, joined by blanks
        int polygons, lines, mode;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"45x90 brace over a 4.0 board", {{kDirX, 1, 3, kKeyKesa, 3}, {kDirX, 1, 3, kKeyMenzai, 8}}, u"5.0"_s, 2, 0, kFigWallsSymbols},
        {"two-span board", {{kDirX, 1, 3, kKeyMenzai, 5}}, u"2.5"_s, 1, 0, kFigWallsSymbols},
        {"cross brace on a Y line", {{kDirY, 1, 2, kKeyTasuki, 2}}, u"3.0"_s, 1, 2, kFigWallsSymbols},
        {"a brace and a longer board", {{kDirX, 2, 3, kKeyKesa, 1, {.towardLower = true}}, {kDirX, 1, 4, kKeyMenzai, 2}}, u"1.0 2.0"_s, 2, 0, kFigWallsSymbols},
        {"hardware plan: plain lines", {{kDirX, 1, 4, kKeyTasuki, 1}}, QString(), 0, 1, kFigWallsLines},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Project p = samples::NewProject(4, 4, 1, 2, samples::LineNames::kNone);
        for (const WallCase &w : c.walls)
            samples::PlaceWall(p, 1, w.direction, 2, w.from, w.to, w.key, w.size, w.options);
        const PageContent page = Draw(p, c.mode);
        QStringList labels;
        int belowOrRight = 0;
        for (const test::PageText &t : page.texts) {
            labels << t.text;
            EXPECT_EQ(t.points, 6.0f);
            const bool alongY = t.angle == 900;
            EXPECT_TRUE(t.angle == 0 || alongY);
            const float across = alongY ? t.x - NodeX(2) : t.y - NodeY(2);  // right of / below the line
            if (across > 0) {
                EXPECT_LT(across, alongY ? 0.1f : 0.2f);
                ++belowOrRight;
            } else {
                EXPECT_LT(across, -0.24f);  // beyond a brace symbol on the other side
            }
        }
        EXPECT_EQ(belowOrRight, c.labels.isEmpty() ? 0 : 1);
        labels.sort();
        EXPECT_EQ(labels.join(u' '), c.labels);
        EXPECT_EQ(page.shapesOf(PageItemKind::Polygon).size(), static_cast<size_t>(c.polygons));
        EXPECT_EQ(page.shapesOf(PageItemKind::Line).size(), static_cast<size_t>(c.lines));
        for (const PageShape &sh : page.shapes)
            EXPECT_EQ(sh.penWidth, c.mode == kFigWallsLines ? 30 : 10);
    }
}

// A single brace's apex stands at the higher-index end for code 1, the lower for code 2, 0.24 cm above an X
// wall or left of a Y wall, 0.06 cm short of its node. Wall from node 2 to node 4 of line 2.
TEST(PlanFigures, BraceTriangleOrientation)
{
    struct Case {
        int direction;
        bool towardLower;  // the brace rises toward the lower node index
        float apexX, apexY;
    };
    const float x2 = NodeX(2), x4 = NodeX(4), y2 = NodeY(2), y4 = NodeY(4);
    for (const Case c :
         {Case{kDirX, false, x4 - 0.06f, y2 - 0.24f}, Case{kDirX, true, x2 + 0.06f, y2 - 0.24f},
          Case{kDirY, false, x2 - 0.24f, y4 + 0.06f}, Case{kDirY, true, x2 - 0.24f, y2 - 0.06f}}) {
        SCOPED_TRACE(c.direction * 10 + (c.towardLower ? 2 : 1));
        Project p = samples::NewProject(4, 4, 1, 2, samples::LineNames::kNone);
        samples::PlaceWall(p, 1, c.direction, 2, 2, 4, kKeyKesa, 3, {.towardLower = c.towardLower});
        const auto polys = Draw(p, kFigWallsSymbols).shapesOf(PageItemKind::Polygon);
        ASSERT_EQ(polys.size(), 1u);
        ASSERT_EQ(polys[0].points.size(), 3u);
        EXPECT_NEAR(polys[0].points[2].x(), c.apexX, kTol);
        EXPECT_NEAR(polys[0].points[2].y(), c.apexY, kTol);
    }
}

// The three hardware texts: 5 points on grids of more than 5 modules, else 8; "ＭＳ Ｐ明朝" while drawing,
// "ＭＳ 明朝" afterwards; required class at the upper left, top hardware at the upper right, foot hardware
// at the lower right.
TEST(PlanFigures, HardwareTextSizeFollowsTheGrid)
{
    for (const auto &[spans, size] : {std::pair{20, 5.0f}, std::pair{10, 8.0f}}) {
        SCOPED_TRACE(spans);
        Project p = samples::NewProject(spans, spans, 1, 2, samples::LineNames::kNone);
        samples::PlaceColumn(p, 1, 3, 3);
        p.nodes(3, 3, 1).hardware = {QString(), u"(に)"_s, u"(へ)"_s};
        Calculation calc = Blank(p);
        calc.requiredClass(3, 3, 1) = u"(ほ)"_s;
        PrintSurface s;
        s.SetFontName(u"ＭＳ ゴシック"_s);
        const PageContent page = Draw(p, kFigColumnsHardware, 1, &s, &calc);
        EXPECT_EQ(s.FontName(), u"ＭＳ 明朝"_s);
        ASSERT_EQ(page.texts.size(), 3u);
        for (const test::PageText &t : page.texts) {
            EXPECT_EQ(t.points, size);
            EXPECT_EQ(t.font, u"ＭＳ Ｐ明朝"_s);
        }
        const float x = NodeX(3), y = NodeY(3), half = 0.06f;
        EXPECT_LT(page.texts[0].x, x - half);  // required: upper left
        EXPECT_LT(page.texts[0].y, y - half);
        // Top hardware at the upper right, foot hardware at the lower right, clear of the square and of
        // any line through the column.
        const float e = half + 2 * LabelPlacer::kGap;
        EXPECT_NEAR(page.texts[1].x, x + e, kTol);
        EXPECT_LT(page.texts[1].y, y - e);
        EXPECT_NEAR(page.texts[2].x, x + e, kTol);
        EXPECT_NEAR(page.texts[2].y, y + e, kTol);
    }
}

// On the hardware plan the first line names stay clear of the column's texts: the X name below the foot
// hardware, the Y name left of the required class, at both hardware text sizes.
TEST(PlanFigures, LineNamesKeepClearOfTheHardwareTexts)
{
    for (const int spans : {10, 20}) {
        SCOPED_TRACE(spans);
        Project p = samples::NewProject(spans, spans, 1, 2);
        samples::PlaceColumn(p, 1, 1, 1);
        p.nodes(1, 1, 1).hardware = {QString(), QString(), u"HD-B20"_s};
        Calculation c = Blank(p);
        c.requiredClass(1, 1, 1) = u"(ろ)"_s;
        InstallJapaneseFontSubstitutions();
        PrintSurface s;
        s.StartDoc();
        drawFigureGrid(s, p, kScale, kFigX, kFigY);
        drawFigureColumns(s, p, c, kScale, kFigX, kFigY, 1, kFigColumnsHardware);
        s.EndDoc();
        const PageContent page = test::ReadPage(s);
        auto find = [&](const QString &text) {
            for (const test::PageText &t : page.texts)
                if (t.text == text)
                    return t;
            ADD_FAILURE() << text.toStdString();
            return test::PageText{};
        };
        auto extent = [&](const test::PageText &t) {
            s.SetFontName(t.font);
            s.SetFontSize(t.points);
            s.Measure(t.text);
            return QSizeF(s.TextWid() / 567.0, s.TextHei() / 567.0);
        };
        const test::PageText foot = find(u"HD-B20"_s), required = find(u"(ろ)"_s);
        const test::PageText nameX = find(p.grid.lineNameX[1]), nameY = find(p.grid.lineNameY[1]);
        EXPECT_GE(nameX.y, foot.y + extent(foot).height());
        EXPECT_LE(nameY.x + extent(nameY).width(), required.x);
    }
}

// Column squares by mode: fill (black for hold-down hardware, by the N that chose the class), side, the
// through ring and the lower storey's stroke (rising on level 1).
TEST(PlanFigures, ColumnModes)
{
    struct Case {
        const char *name;
        int mode, level;
        float nOwnX, nOwnY, nBeamX;
        int brush;
        QRgb fill;
        float side;
        int strokeRise;  // +1 rising to the right, −1 falling, 0 no stroke
    };
    // clang-format off
    for (const Case &c : {Case{"plain", kFigColumnsPlain, 1, 0, 0, 0, kBrushStyleSolid, 0x000000, 0.12f, 0},
                          Case{"hold-down in X", kFigColumnsHardware, 1, 1.61f, 0, 0, kBrushStyleSolid, 0x000000, 0.12f, 0},
                          Case{"hold-down in Y", kFigColumnsHardware, 2, 0, 2.0f, 0, kBrushStyleSolid, 0x000000, 0.12f, 0},
                          Case{"hold-down by carried pull-out", kFigColumnsHardware, 1, 1.0f, 0, 0.7f, kBrushStyleSolid, 0x000000, 0.12f, 0},
                          Case{"no hold-down at 1.6", kFigColumnsHardware, 1, 1.6f, 1.6f, 0, kBrushStyleSolid, 0xFFFFFF, 0.12f, 0},
                          Case{"lower storey, level 1", kFigColumnsLower, 1, 0, 0, 0, kBrushStyleTransparent, 0, 0.18f, 1},
                          Case{"lower storey, level 2", kFigColumnsLower, 2, 0, 0, 0, kBrushStyleTransparent, 0, 0.18f, -1}}) {
        // clang-format on
        SCOPED_TRACE(c.name);
        Project p = samples::NewProject(4, 4, 2, 2, samples::LineNames::kNone);
        samples::PlaceColumn(p, c.level, 2, 2, 2);  // a through column
        samples::PlaceColumn(p, c.level, 3, 3);
        Calculation calc = Blank(p);
        calc.results(3, 3, c.level).nOwn = {c.nOwnX, c.nOwnY};
        calc.results(3, 3, c.level).nBeam[kDirX] = c.nBeamX;
        const PageContent page = Draw(p, c.mode, c.level, nullptr, &calc);
        const auto rects = page.shapesOf(PageItemKind::Rectangle);
        ASSERT_EQ(rects.size(), 2u);
        const PageShape &sq = rects[1];  // (3,3)
        EXPECT_NEAR(sq.x2 - sq.x1, c.side, kTol);
        EXPECT_NEAR((sq.x1 + sq.x2) / 2, NodeX(3), kTol);
        EXPECT_EQ(sq.penWidth, 5);
        EXPECT_EQ(sq.brushStyle, c.brush);
        EXPECT_EQ(sq.brushColor, c.brush == kBrushStyleSolid ? c.fill : sq.brushColor);
        const auto rings = page.shapesOf(PageItemKind::Ellipse);
        ASSERT_EQ(rings.size(), 1u);
        EXPECT_NEAR(rings[0].x2 - rings[0].x1, 2.2f * c.side, kTol);
        EXPECT_NEAR((rings[0].x1 + rings[0].x2) / 2, NodeX(2), kTol);
        const auto strokes = page.shapesOf(PageItemKind::Line);
        ASSERT_EQ(strokes.size(), c.strokeRise == 0 ? 0u : 2u);
        for (const PageShape &l : strokes) {
            EXPECT_NEAR(l.x2 - l.x1, 1.8f * c.side, kTol);
            EXPECT_NEAR(l.y1 - l.y2, static_cast<float>(c.strokeRise) * 1.8f * c.side, kTol);
        }
    }
}

// The transfer check's upper columns are red exactly where the calculation finds the pull-out not carried.
TEST(PlanFigures, NotCarriedColumnsRed)
{
    Project p = samples::NewProject(4, 4, 2, 2, samples::LineNames::kNone);
    samples::PlaceColumn(p, 1, 3, 1);
    samples::PlaceColumn(p, 1, 1, 3);
    samples::PlaceColumn(p, 2, 2, 3);  // on a beam; its cross member ends on nothing at (3,5)
    samples::PlaceColumn(p, 2, 3, 1);  // over a lower column
    samples::PlaceBeam(p, 2, kDirY, 3, 1, 5);
    samples::PlaceBeam(p, 2, kDirX, 3, 1, 3);
    samples::PlaceWall(p, 2, kDirX, 3, 1, 2, kKeyMenzai, 4);
    Calculation c = test::Calculated(p);
    ASSERT_EQ(c.results(2, 3, 2).notCarried, 1);
    const auto rects = Draw(p, kFigColumnsCarried, 2, nullptr, &c).shapesOf(PageItemKind::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    int red = 0;
    for (const PageShape &r : rects) {
        const int x = static_cast<int>(std::lround(((r.x1 + r.x2) / 2 - kFigX) / (kScale * 0.455f))) + 1;
        const int y = static_cast<int>(std::lround((kFigY - (r.y1 + r.y2) / 2) / (kScale * 0.455f))) + 1;
        const QRgb expected = c.results(x, y, 2).notCarried == 1 ? 0xFF0000 : 0x000000;
        EXPECT_EQ(r.penColor, expected) << x << "," << y;
        EXPECT_EQ(r.brushColor, expected) << x << "," << y;
        red += expected == 0xFF0000 ? 1 : 0;
    }
    EXPECT_EQ(red, 1);
}

}  // namespace
}  // namespace rqx

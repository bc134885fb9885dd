// Printed plan figures, read back from the page's display list: wall labels and symbols, hardware text
// sizes, the column modes of the report plans and the transfer check.
#include <gtest/gtest.h>

#include <QFontDatabase>

#include <functional>

#include "calc/house_builder.h"
#include "calc/n_value.h"
#include "editor/plan_figures.h"
#include "print/font_names.h"
#include "support/page_items.h"

namespace rqx {
namespace {

using test::PageContent;
using test::PageShape;
using test::Wall;

constexpr float kScale = 2.0f, kFigX = 3.0f, kFigY = 10.0f;  // node (i, j) at 3 + 0.91(i−1), 10 − 0.91(j−1)
constexpr float kTol = 0.003f;

float NodeX(int i)
{
    return kFigX + kScale * 0.455f * static_cast<float>(i - 1);
}
float NodeY(int j)
{
    return kFigY - kScale * 0.455f * static_cast<float>(j - 1);
}

PageContent Draw(PrintSurface &s, const std::function<void(PrintSurface &)> &draw)
{
    InstallJapaneseFontSubstitutions();
    s.StartDoc();
    draw(s);
    s.EndDoc();
    return test::ReadPage(s);
}

TEST(PlanFigures, JapaneseFontsResolve)
{
    InstallJapaneseFontSubstitutions();
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    ASSERT_FALSE(families.isEmpty());
    for (const char *name : {"ＭＳ 明朝", "ＭＳ Ｐ明朝"})
        EXPECT_TRUE(families.contains(ResolveFontFamily(QString::fromUtf8(name)))) << name;
}

// Each wall is drawn once with one label: brace + board of its first span, at most 5.0; below an X wall,
// turned 90° right of a Y wall.
TEST(PlanFigures, WallSymbolsAndLabels)
{
    struct Case {
        const char *name;
        std::function<void(Project &)> place;
        std::vector<QString> labels;
        int polygons;
        int lines;
    };
    const std::vector<Case> cases = {
        {"45x90 brace over a 4.0 board",
         [](Project &p) {
             test::PlaceWall(p, 1, kDirX, 2, 1, 3, Wall::KesaUp, 3);
             test::PlaceWall(p, 1, kDirX, 2, 1, 3, Wall::Board, 8);
         },
         {QStringLiteral("5.0")},
         2,
         0},
        {"two-span board",
         [](Project &p) { test::PlaceWall(p, 1, kDirX, 2, 1, 3, Wall::Board, 5); },
         {QStringLiteral("2.5")},
         1,
         0},
        {"cross brace on a Y line",
         [](Project &p) { test::PlaceWall(p, 1, kDirY, 2, 1, 2, Wall::Tasuki, 2); },
         {QStringLiteral("3.0")},
         1,
         2},
        {"brace and a longer board: two walls, two labels",
         [](Project &p) {
             test::PlaceWall(p, 1, kDirX, 2, 2, 3, Wall::KesaDown, 1);
             test::PlaceWall(p, 1, kDirX, 2, 1, 4, Wall::Board, 2);
         },
         {QStringLiteral("1.0"), QStringLiteral("2.0")},
         2,
         0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Project p = test::NewHouse(1, 4, 4);
        c.place(p);
        PrintSurface s;
        const PageContent page = Draw(
            s, [&](PrintSurface &s) { drawFigureWalls(s, p, kScale, kFigX, kFigY, 1, kFigWallsSymbols); });
        std::vector<QString> labels;
        for (const test::PageText &t : page.texts) {
            labels.push_back(t.text);
            EXPECT_EQ(t.points, 6.0f);
            if (t.angle == 0) {  // X wall on y index 2: centred below the line
                EXPECT_GT(t.y, NodeY(2));
                EXPECT_LT(t.y, NodeY(2) + 0.2f);
            } else {  // Y wall on x index 2: right of the line, reading upwards
                EXPECT_EQ(t.angle, 900);
                EXPECT_GT(t.x, NodeX(2));
                EXPECT_LT(t.x, NodeX(2) + 0.1f);
            }
        }
        std::sort(labels.begin(), labels.end());
        EXPECT_EQ(labels, c.labels);
        EXPECT_EQ(page.shapesOf(PageItemKind::Polygon).size(), static_cast<size_t>(c.polygons));
        EXPECT_EQ(page.shapesOf(PageItemKind::Line).size(), static_cast<size_t>(c.lines));
        for (const PageShape &sh : page.shapes)
            EXPECT_EQ(sh.penWidth, 10);
    }
    // Other modes: plain lines end to end, no labels.
    Project p = test::NewHouse(1, 4, 4);
    test::PlaceWall(p, 1, kDirX, 2, 1, 4, Wall::Tasuki, 1);
    PrintSurface s;
    const PageContent plain =
        Draw(s, [&](PrintSurface &s) { drawFigureWalls(s, p, kScale, kFigX, kFigY, 1, kFigWallsLines); });
    ASSERT_EQ(plain.shapes.size(), 1u);
    EXPECT_TRUE(plain.texts.empty());
    EXPECT_NEAR(plain.shapes[0].x1, NodeX(1), kTol);
    EXPECT_NEAR(plain.shapes[0].x2, NodeX(4), kTol);
}

// A single brace's upright edge stands at the higher-index end for code 1, the lower for code 2; the
// symbol lies above an X wall and left of a Y wall, stopping 0.06 cm short of both nodes.
TEST(PlanFigures, BraceTriangleOrientation)
{
    struct Case {
        int direction;
        Wall kind;
        int apexNode;  // the node index along the wall nearest the apex
    };
    for (const Case c : {Case{kDirX, Wall::KesaUp, 4}, Case{kDirX, Wall::KesaDown, 2},
                         Case{kDirY, Wall::KesaUp, 4}, Case{kDirY, Wall::KesaDown, 2}}) {
        SCOPED_TRACE(c.direction * 10 + (c.kind == Wall::KesaUp ? 1 : 2));
        Project p = test::NewHouse(1, 4, 4);
        test::PlaceWall(p, 1, c.direction, 2, 2, 4, c.kind, 3);
        PrintSurface s;
        const PageContent page = Draw(
            s, [&](PrintSurface &s) { drawFigureWalls(s, p, kScale, kFigX, kFigY, 1, kFigWallsSymbols); });
        const auto polys = page.shapesOf(PageItemKind::Polygon);
        ASSERT_EQ(polys.size(), 1u);
        ASSERT_EQ(polys[0].points.size(), 3u);
        const QPointF apex = polys[0].points[2];
        if (c.direction == kDirX) {
            const float end = NodeX(c.apexNode) + (c.apexNode == 4 ? -0.06f : 0.06f);
            EXPECT_NEAR(apex.x(), end, kTol);
            EXPECT_NEAR(apex.y(), NodeY(2) - 0.24f, kTol);
            for (const QPointF &pt : polys[0].points)
                EXPECT_LE(pt.y(), NodeY(2) - 0.06f + kTol);
        } else {
            const float end = NodeY(c.apexNode) + (c.apexNode == 4 ? 0.06f : -0.06f);
            EXPECT_NEAR(apex.y(), end, kTol);
            EXPECT_NEAR(apex.x(), NodeX(2) - 0.24f, kTol);
        }
    }
}

// The three hardware texts: 5 points on grids of more than 5 modules, else 8; "ＭＳ Ｐ明朝" while drawing,
// "ＭＳ 明朝" afterwards; required class at the upper left, top hardware above, foot hardware below.
TEST(PlanFigures, HardwareTextSizeFollowsTheGrid)
{
    for (const auto &[spans, size] : {std::pair{20, 5.0f}, std::pair{10, 8.0f}}) {
        SCOPED_TRACE(spans);
        Project p = test::NewHouse(1, spans, spans);
        test::PlaceColumn(p, 1, 3, 3);
        p.nodes(3, 3, 1).hardware[0] = QStringLiteral("(ほ)");
        p.nodes(3, 3, 1).hardware[1] = QStringLiteral("(に)");
        p.nodes(3, 3, 1).hardware[2] = QStringLiteral("(へ)");
        PrintSurface s;
        s.SetFontName(QStringLiteral("ＭＳ ゴシック"));
        const PageContent page = Draw(s, [&](PrintSurface &s) {
            drawFigureColumns(s, p, kScale, kFigX, kFigY, 1, kFigColumnsHardware);
        });
        EXPECT_EQ(s.FontName(), QStringLiteral("ＭＳ 明朝"));
        ASSERT_EQ(page.texts.size(), 3u);
        for (const test::PageText &t : page.texts) {
            EXPECT_EQ(t.points, size) << t.text.toStdString();
            EXPECT_EQ(t.font, QStringLiteral("ＭＳ Ｐ明朝"));
        }
        const float x = NodeX(3), y = NodeY(3), half = 0.06f;
        EXPECT_LT(page.texts[0].x, x - half);  // required: upper left
        EXPECT_LT(page.texts[0].y, y - half);
        EXPECT_NEAR(page.texts[1].x, x - 0.024f, kTol);  // top hardware above
        EXPECT_LT(page.texts[1].y, page.texts[0].y);
        EXPECT_NEAR(page.texts[2].x, x - 0.024f, kTol);  // foot hardware below
        EXPECT_NEAR(page.texts[2].y, y + half, kTol);
    }
}

// Column squares by mode: fill and outline colours, side, the through ring and the lower storey's stroke.
TEST(PlanFigures, ColumnModes)
{
    struct Case {
        const char *name;
        int mode;
        int level;
        float nOwnX, nOwnY;
        QRgb fill;
        int brush;
        float side;
        int strokeRise;  // +1 rising to the right, −1 falling, 0 no stroke
    };
    const std::vector<Case> cases = {
        {"plain", kFigColumnsPlain, 1, 0, 0, 0x000000, kBrushStyleSolid, 0.12f, 0},
        {"hold-down in X", kFigColumnsHardware, 1, 1.61f, 0, 0x000000, kBrushStyleSolid, 0.12f, 0},
        {"hold-down in Y", kFigColumnsHardware, 2, 0, 2.0f, 0x000000, kBrushStyleSolid, 0.12f, 0},
        {"no hold-down at 1.6", kFigColumnsHardware, 1, 1.6f, 1.6f, 0xFFFFFF, kBrushStyleSolid, 0.12f, 0},
        {"lower storey, level 1", kFigColumnsLower, 1, 0, 0, 0, kBrushStyleTransparent, 0.18f, 1},
        {"lower storey, level 2", kFigColumnsLower, 2, 0, 0, 0, kBrushStyleTransparent, 0.18f, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Project p = test::NewHouse(2, 4, 4);
        test::PlaceColumn(p, c.level, 3, 3);
        test::PlaceColumn(p, c.level, 2, 2, 2);  // a through column
        p.results(3, 3, c.level).nOwn[kDirX] = c.nOwnX;
        p.results(3, 3, c.level).nOwn[kDirY] = c.nOwnY;
        PrintSurface s;
        const PageContent page =
            Draw(s, [&](PrintSurface &s) { drawFigureColumns(s, p, kScale, kFigX, kFigY, c.level, c.mode); });
        const auto rects = page.shapesOf(PageItemKind::Rectangle);
        ASSERT_EQ(rects.size(), 2u);
        const PageShape &sq = rects[1];  // (3,3): drawn after (2,2)
        EXPECT_NEAR(sq.x2 - sq.x1, c.side, kTol);
        EXPECT_NEAR((sq.x1 + sq.x2) / 2, NodeX(3), kTol);
        EXPECT_EQ(sq.penWidth, 5);
        EXPECT_EQ(sq.brushStyle, c.brush);
        if (c.brush == kBrushStyleSolid)
            EXPECT_EQ(sq.brushColor, c.fill);
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
    Project p = test::NewHouse(2, 4, 4);
    test::PlaceColumn(p, 1, 3, 1);
    test::PlaceColumn(p, 1, 1, 3);
    test::PlaceColumn(p, 2, 2, 3);  // on a beam; its cross member ends on nothing at (3,5)
    test::PlaceColumn(p, 2, 3, 1);  // over a lower column
    test::PlaceBeam(p, 2, kDirY, 3, 1, 5);
    test::PlaceBeam(p, 2, kDirX, 3, 1, 3);
    test::PlaceWall(p, 2, kDirX, 3, 1, 2, Wall::Board, 4);
    RunCalculationSequence(p, false);
    ASSERT_EQ(p.results(2, 3, 2).notCarried, 1);
    PrintSurface s;
    const PageContent page = Draw(
        s, [&](PrintSurface &s) { drawFigureColumns(s, p, kScale, kFigX, kFigY, 2, kFigColumnsCarried); });
    const auto rects = page.shapesOf(PageItemKind::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    int red = 0;
    for (const PageShape &r : rects) {
        const int x = static_cast<int>(std::lround(((r.x1 + r.x2) / 2 - kFigX) / (kScale * 0.455f))) + 1;
        const int y = static_cast<int>(std::lround((kFigY - (r.y1 + r.y2) / 2) / (kScale * 0.455f))) + 1;
        const QRgb expected = p.results(x, y, 2).notCarried == 1 ? 0xFF0000 : 0x000000;
        EXPECT_EQ(r.penColor, expected) << x << "," << y;
        EXPECT_EQ(r.brushColor, expected) << x << "," << y;
        red += expected == 0xFF0000 ? 1 : 0;
    }
    EXPECT_EQ(red, 1);
}

}  // namespace
}  // namespace rqx

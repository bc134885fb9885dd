// Frame elevations read back from the page's display list: stepped line names, walls drawn once with one
// label, column lines and labels, beams of a frame without walls.
#include <gtest/gtest.h>

#include <functional>

#include "calc/house_builder.h"
#include "print/font_names.h"
#include "report/frame_drawing.h"
#include "support/page_items.h"

namespace rqx {
namespace {

using test::PageContent;
using test::PageShape;
using test::PageText;
using test::Wall;

constexpr float kTol = 0.003f;
// Report-like layout: 2 cm per metre, origin 1 cm, foundation at 8 cm, storeys 1.8 cm, beams 0.1 cm.
const FrameLayout kLayout{2.0f, 1.0f, 8.0f, 1.8f, 0.1f};

float PosX(int j)
{
    return kLayout.frameOriginX + kLayout.frameScale * 0.455f * static_cast<float>(j - 1);
}

// A project of the test houses, its grid lines named "X1", "X2"… and "Y1", "Y2"….
Project NamedHouse(int floors, int spansX, int spansY)
{
    Project p = test::NewHouse(floors, spansX, spansY);
    p.grid.lineNameX.resize(spansX + 1);
    p.grid.lineNameY.resize(spansY + 1);
    for (int i = 1; i <= spansX + 1; ++i)
        p.grid.lineNameX[i] = QStringLiteral("X%1 ").arg(i);
    for (int i = 1; i <= spansY + 1; ++i)
        p.grid.lineNameY[i] = QStringLiteral("Y%1 ").arg(i);
    return p;
}

PageContent Draw(const std::function<void(PrintSurface &)> &draw)
{
    InstallJapaneseFontSubstitutions();
    static PrintSurface s;
    s.StartDoc();
    draw(s);
    s.EndDoc();
    return test::ReadPage(s);
}

// Names of the crossing lines step down by their place in the module; with one division all are module lines.
TEST(FrameDrawing, CrossingLineNamesStepped)
{
    struct Case {
        int divisions;
        int mode;
        std::vector<float> drops;  // lines 1..5
        std::vector<float> sizes;
    };
    const std::vector<Case> cases = {
        {4, kFrameNamesReport, {0.35f, 0.7f, 0.9f, 1.1f, 0.35f}, {10, 7, 7, 7, 10}},
        {4, kFrameNamesView, {0.6f, 1.2f, 1.6f, 2.0f, 0.6f}, {11, 9, 9, 9, 11}},
        {2, kFrameNamesReport, {0.35f, 0.7f, 0.35f, 0.7f, 0.35f}, {10, 7, 10, 7, 10}},
        {3, kFrameNamesView, {0.6f, 1.2f, 1.6f, 0.6f, 1.2f}, {11, 9, 9, 11, 9}},
        {1, kFrameNamesReport, {0.35f, 0.35f, 0.35f, 0.35f, 0.35f}, {10, 10, 10, 10, 10}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.divisions * 10 + c.mode);
        Project p = NamedHouse(1, 4, 2);
        p.dims.divisions = c.divisions;
        const PageContent page =
            Draw([&](PrintSurface &s) { drawFrameLineNames(s, p, kLayout, kFrameOnYLine, 1, c.mode); });
        ASSERT_EQ(page.texts.size(), 5u);
        for (size_t i = 0; i < 5; ++i) {
            const PageText &t = page.texts[i];
            EXPECT_EQ(t.text, p.grid.lineNameX[static_cast<int>(i) + 1].trimmed());
            EXPECT_NEAR(t.y - kLayout.frameBaseY, c.drops[i], kTol) << i;
            EXPECT_EQ(t.points, c.sizes[i]) << i;
            EXPECT_EQ(t.font, QStringLiteral("ＭＳ Ｐ明朝"));
            EXPECT_LT(t.x, PosX(static_cast<int>(i) + 1));
            EXPECT_GT(t.x, PosX(static_cast<int>(i) + 1) - 0.4f);
        }
    }
}

// Walls: each drawn once across all its spans with one label (brace + board of the first span, at most
// 5.0) 2.2 text heights above the storey's foot; boards under braces; the frame on an X line shows the Y
// walls of that line, the frame on a Y line the X walls.
TEST(FrameDrawing, WallsDrawnOnceWithOneLabel)
{
    struct Case {
        const char *name;
        int direction;
        std::function<void(Project &)> place;
        QString label;
        int boards;
        int braceLines;
        int from, to;  // node indices along the frame covered by the wall
        int level;
    };
    const std::vector<Case> cases = {
        {"three-span cross brace", kFrameOnYLine,
         [](Project &p) { test::PlaceWall(p, 1, kDirX, 1, 1, 4, Wall::Tasuki, 3); }, QStringLiteral("4.0"), 0,
         2, 1, 4, 1},
        {"30x90 brace over a 4.0 board", kFrameOnYLine,
         [](Project &p) {
             test::PlaceWall(p, 2, kDirX, 1, 2, 3, Wall::KesaUp, 2);
             test::PlaceWall(p, 2, kDirX, 1, 2, 3, Wall::Board, 8);
         },
         QStringLiteral("5.0"), 1, 1, 2, 3, 2},
        {"Y wall on an X line", kFrameOnXLine,
         [](Project &p) {
             test::PlaceWall(p, 1, kDirY, 1, 1, 3, Wall::KesaDown, 1);
             test::PlaceWall(p, 1, kDirX, 1, 1, 3, Wall::Board, 2);  // crosses the frame: not drawn
         },
         QStringLiteral("1.0"), 0, 1, 1, 3, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Project p = test::NewHouse(2, 4, 4);
        c.place(p);
        const PageContent page =
            Draw([&](PrintSurface &s) { drawFrameWalls(s, p, kLayout, c.direction, 1, kFrameWallsReport); });
        ASSERT_EQ(page.texts.size(), 1u);
        const PageText &t = page.texts[0];
        EXPECT_EQ(t.text, c.label);
        EXPECT_EQ(t.points, 8.0f);
        EXPECT_EQ(t.font, QStringLiteral("ＭＳ 明朝"));
        const auto boards = page.shapesOf(PageItemKind::Rectangle);
        const auto lines = page.shapesOf(PageItemKind::Line);
        ASSERT_EQ(boards.size(), static_cast<size_t>(c.boards));
        ASSERT_EQ(lines.size(), static_cast<size_t>(c.braceLines));
        if (!boards.empty()) {
            EXPECT_EQ(page.shapes.front().kind, PageItemKind::Rectangle);  // under the brace
            EXPECT_EQ(boards[0].brushColor, 0xC0C0C0u);
            EXPECT_NEAR(boards[0].x1, PosX(c.from), kTol);
            EXPECT_NEAR(boards[0].x2, PosX(c.to), kTol);
        }
        for (const PageShape &l : lines) {
            EXPECT_NEAR(std::min(l.x1, l.x2), PosX(c.from), kTol);
            EXPECT_NEAR(std::max(l.x1, l.x2), PosX(c.to), kTol);
            EXPECT_EQ(l.penWidth, 0);
        }
        const float foot = kLayout.frameBaseY - kLayout.storeyHeight * static_cast<float>(c.level - 1);
        EXPECT_LT(t.y, foot);
        EXPECT_GT(t.y, foot - 0.8f);
    }
}

// Brace lines: code 1 rises towards the higher index, code 2 falls, under the beam band of the top.
TEST(FrameDrawing, BraceDirection)
{
    for (const auto &[kind, rises] : {std::pair{Wall::KesaUp, true}, std::pair{Wall::KesaDown, false}}) {
        Project p = test::NewHouse(1, 4, 4);
        test::PlaceWall(p, 1, kDirX, 1, 2, 4, kind, 2);
        const PageContent page =
            Draw([&](PrintSurface &s) { drawFrameWalls(s, p, kLayout, kFrameOnYLine, 1, kFrameWallsView); });
        const auto lines = page.shapesOf(PageItemKind::Line);
        ASSERT_EQ(lines.size(), 1u);
        const PageShape &l = lines[0];
        EXPECT_EQ(l.penWidth, 3);
        EXPECT_NEAR(l.x1, PosX(2), kTol);
        EXPECT_NEAR(rises ? l.y1 : l.y2, kLayout.frameBaseY, kTol);
        EXPECT_NEAR(rises ? l.y2 : l.y1, kLayout.frameBaseY - kLayout.storeyHeight + kLayout.beamDepth, kTol);
        EXPECT_EQ(page.texts[0].points, 11.0f);
    }
}

// Column lines (through columns pen 20) and their labels in both label modes, by grid size.
TEST(FrameDrawing, ColumnsAndLabels)
{
    struct Case {
        int mode;
        int spans;
        float size;
    };
    for (const Case c : {Case{kFrameColumnsReport, 4, 6}, Case{kFrameColumnsReport, 22, 5},
                         Case{kFrameColumnsView, 4, 9}, Case{kFrameColumnsView, 22, 8}}) {
        SCOPED_TRACE(c.mode * 100 + c.spans);
        Project p = test::NewHouse(2, c.spans, 4);
        test::PlaceColumn(p, 1, 1, 1, 2);  // through column, corner
        p.nodes(1, 1, 1).isCorner = 1;
        p.nodes(1, 1, 1).hardware[0] = QStringLiteral("(と)");
        p.nodes(1, 1, 1).hardware[1] = QStringLiteral("(は)");
        p.nodes(1, 1, 1).hardware[2] = QStringLiteral("(ほ)");
        test::PlaceColumn(p, 2, 3, 1);
        const PageContent page =
            Draw([&](PrintSurface &s) { drawFrameColumns(s, p, kLayout, kFrameOnYLine, 1, c.mode); });
        const auto lines = page.shapesOf(PageItemKind::Line);
        ASSERT_EQ(lines.size(), 3u);  // the through column on both storeys, then the storey-2 column
        EXPECT_EQ(lines[0].penWidth, 20);
        EXPECT_EQ(lines[1].penWidth, 20);
        EXPECT_EQ(lines[2].penWidth, 10);
        EXPECT_NEAR(lines[2].x1, PosX(3), kTol);
        EXPECT_NEAR(lines[2].y1, kLayout.frameBaseY - 2 * kLayout.storeyHeight, kTol);
        std::vector<QString> texts;
        for (const PageText &t : page.texts) {
            texts.push_back(t.text);
            EXPECT_EQ(t.points, c.size);
        }
        const std::vector<QString> expected = {QStringLiteral("(と)"), QStringLiteral("(は)"),
                                               QStringLiteral("通し柱"), QStringLiteral("出"),
                                               QStringLiteral("(ほ)")};
        EXPECT_EQ(texts, expected);
        EXPECT_LT(page.texts[0].x, PosX(1));                            // required class left of the column
        EXPECT_NEAR(page.texts[0].y, kLayout.frameBaseY - 0.9f, kTol);  // at mid height
        EXPECT_GT(page.texts[2].y, kLayout.frameBaseY);                 // 通し柱 under the foot
    }
}

// A frame without walls or columns still shows its crossing line names and its beams at every level.
TEST(FrameDrawing, FrameWithoutWallsShowsNamesAndBeams)
{
    Project p = NamedHouse(2, 4, 4);
    test::PlaceBeam(p, 2, kDirY, 2, 1, 5);
    test::PlaceBeam(p, 3, kDirY, 2, 2, 4);
    const PageContent page = Draw([&](PrintSurface &s) {
        drawFrameLineNames(s, p, kLayout, kFrameOnXLine, 2, kFrameNamesReport);
        drawFrameWalls(s, p, kLayout, kFrameOnXLine, 2, kFrameWallsReport);
        drawFrameColumns(s, p, kLayout, kFrameOnXLine, 2, kFrameColumnsReport);
        drawFrameBeams(s, p, kLayout, kFrameOnXLine, 2);
    });
    EXPECT_EQ(page.texts.size(), 5u);
    const auto beams = page.shapesOf(PageItemKind::Rectangle);
    ASSERT_EQ(beams.size(), 6u);
    EXPECT_EQ(page.shapes.size(), 6u);
    EXPECT_NEAR(beams[0].y1, kLayout.frameBaseY - kLayout.storeyHeight, kTol);
    EXPECT_NEAR(beams[0].y2 - beams[0].y1, kLayout.beamDepth, kTol);
    EXPECT_NEAR(beams[4].x1, PosX(2), kTol);
    EXPECT_NEAR(beams[4].y1, kLayout.frameBaseY - 2 * kLayout.storeyHeight, kTol);
    for (const PageShape &b : beams) {
        EXPECT_EQ(b.penWidth, 10);
        EXPECT_EQ(b.brushStyle, kBrushStyleTransparent);
    }
}

}  // namespace
}  // namespace rqx

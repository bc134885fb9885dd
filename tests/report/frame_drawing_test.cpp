// Frame elevations read back from the page's display list: stepped line names, walls drawn once with one
// label, column lines and labels, beams of a frame without walls.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "model/line_names.h"
#include "print/font_names.h"
#include "report/frame_drawing.h"

#include "calc/calculation.h"
#include "support/house_builder.h"
#include "support/page_items.h"

namespace rqx {
namespace {

// A calculation that marks nothing: no corner, no required class.
Calculation BlankCalculation(const Project &p)
{
    Calculation calc;
    calc.corner.reset(p.nodes.sizeX(), p.nodes.sizeY(), p.nodes.sizeLevel());
    calc.requiredClass.reset(p.nodes.sizeX(), p.nodes.sizeY(), p.nodes.sizeLevel());
    return calc;
}

using namespace Qt::StringLiterals;

using test::PageContent;
using test::PageShape;
using test::PageText;

constexpr float kTol = 0.003f;
// Report-like layout: 2 cm per metre, origin 1 cm, foundation at 8 cm, storeys 1.8 cm, beams 0.1 cm.
const FrameLayout kLayout{2.0f, 1.0f, 8.0f, 1.8f, 0.1f};

float PosX(int j)
{
    return kLayout.frameOriginX + kLayout.frameScale * 0.455f * static_cast<float>(j - 1);
}

// A test house with the grid line names of a new project.
Project NamedHouse(int floors, int spansX, int spansY)
{
    Project p = samples::NewProject(spansX, spansY, floors, 2, samples::LineNames::kNone);
    GenerateLineNames(p);
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
    // clang-format off
    const std::vector<Case> cases = {
        {4, kFrameNamesReport, {0.35f, 0.7f, 0.9f, 1.1f, 0.35f}, {10, 7, 7, 7, 10}},
        {4, kFrameNamesView, {0.6f, 1.2f, 1.6f, 2.0f, 0.6f}, {11, 9, 9, 9, 11}},
        {2, kFrameNamesReport, {0.35f, 0.7f, 0.35f, 0.7f, 0.35f}, {10, 7, 10, 7, 10}},
        {3, kFrameNamesView, {0.6f, 1.2f, 1.6f, 0.6f, 1.2f}, {11, 9, 9, 11, 9}},
        {1, kFrameNamesReport, {0.35f, 0.35f, 0.35f, 0.35f, 0.35f}, {10, 10, 10, 10, 10}},
    };
    // clang-format on
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
            EXPECT_EQ(t.font, u"ＭＳ Ｐ明朝"_s);
            EXPECT_LT(t.x, PosX(static_cast<int>(i) + 1));
            EXPECT_GT(t.x, PosX(static_cast<int>(i) + 1) - 0.4f);
        }
    }
}

// Walls: each drawn once across all its spans with one label (brace + board of the first span, at most
// 5.0) 2.2 text heights above the storey's foot; boards under braces; code 1 rises towards the higher index,
// code 2 falls; the frame on an X line shows the Y walls of that line, the frame on a Y line the X walls.
TEST(FrameDrawing, WallsDrawnOnceWithOneLabel)
{
    struct WallCase {
        int direction, from, to;
        QString key;
        int size;
        samples::WallOptions options = {};
    };
    struct Case {
        const char *name;
        int frame, level, mode;
        std::vector<WallCase> walls;  // on line 1
        QString label;
        int boards, rising, falling, from, to;  // shapes; the frame's node indices the wall covers
        int pen;
        float points;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"three-span cross brace", kFrameOnYLine, 1, kFrameWallsReport, {{kDirX, 1, 4, kKeyTasuki, 3}}, u"4.0"_s, 0, 1, 1, 1, 4, 0, 8},
        {"30x90 brace over a 4.0 board", kFrameOnYLine, 2, kFrameWallsReport,
         {{kDirX, 2, 3, kKeyKesa, 2}, {kDirX, 2, 3, kKeyMenzai, 8}}, u"5.0"_s, 1, 1, 0, 2, 3, 0, 8},
        {"Y wall on an X line, view", kFrameOnXLine, 1, kFrameWallsView,
         {{kDirY, 1, 3, kKeyKesa, 1, {.towardLower = true}}, {kDirX, 1, 3, kKeyMenzai, 2}}, u"1.0"_s, 0, 0, 1, 1, 3, 3, 11},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Project p = samples::NewProject(4, 4, 2, 2, samples::LineNames::kNone);
        for (const WallCase &w : c.walls)
            samples::PlaceWall(p, c.level, w.direction, 1, w.from, w.to, w.key, w.size, w.options);
        const PageContent page =
            Draw([&](PrintSurface &s) { drawFrameWalls(s, p, kLayout, c.frame, 1, c.mode); });
        ASSERT_EQ(page.texts.size(), 1u);
        const PageText &t = page.texts[0];
        EXPECT_EQ(t.text, c.label);
        EXPECT_EQ(t.points, c.points);
        EXPECT_EQ(t.font, u"ＭＳ 明朝"_s);
        const float foot = kLayout.frameBaseY - kLayout.storeyHeight * static_cast<float>(c.level - 1);
        const float top = foot - kLayout.storeyHeight + kLayout.beamDepth;
        EXPECT_LT(t.y, foot);
        EXPECT_GT(t.y, foot - 1.0f);
        const auto boards = page.shapesOf(PageItemKind::Rectangle);
        ASSERT_EQ(boards.size(), static_cast<size_t>(c.boards));
        if (!boards.empty()) {
            EXPECT_EQ(page.shapes.front().kind, PageItemKind::Rectangle);  // under the brace
            EXPECT_EQ(boards[0].brushColor, 0xC0C0C0u);
            EXPECT_NEAR(boards[0].x1, PosX(c.from), kTol);
            EXPECT_NEAR(boards[0].x2, PosX(c.to), kTol);
            EXPECT_NEAR(boards[0].y1, top, kTol);
        }
        int rising = 0, falling = 0;
        for (const PageShape &l : page.shapesOf(PageItemKind::Line)) {
            EXPECT_NEAR(l.x1, PosX(c.from), kTol);
            EXPECT_NEAR(l.x2, PosX(c.to), kTol);
            EXPECT_EQ(l.penWidth, c.pen);
            rising += std::fabs(l.y1 - foot) < kTol && std::fabs(l.y2 - top) < kTol ? 1 : 0;
            falling += std::fabs(l.y1 - top) < kTol && std::fabs(l.y2 - foot) < kTol ? 1 : 0;
        }
        EXPECT_EQ(rising, c.rising);
        EXPECT_EQ(falling, c.falling);
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
        Project p = samples::NewProject(c.spans, 4, 2, 2, samples::LineNames::kNone);
        samples::PlaceColumn(p, 1, 1, 1, 2);  // through column, corner
        p.nodes(1, 1, 1).hardware = {QString(), u"(は)"_s, u"(ほ)"_s};
        samples::PlaceColumn(p, 2, 3, 1);
        Calculation calc = BlankCalculation(p);
        calc.corner(1, 1, 1) = 1;
        calc.requiredClass(1, 1, 1) = u"(と)"_s;
        const PageContent page =
            Draw([&](PrintSurface &s) { drawFrameColumns(s, p, calc, kLayout, kFrameOnYLine, 1, c.mode); });
        const auto lines = page.shapesOf(PageItemKind::Line);
        ASSERT_EQ(lines.size(), 3u);  // the through column on both storeys, then the storey-2 column
        EXPECT_EQ(lines[0].penWidth, 20);
        EXPECT_EQ(lines[1].penWidth, 20);
        EXPECT_EQ(lines[2].penWidth, 10);
        EXPECT_NEAR(lines[2].x1, PosX(3), kTol);
        EXPECT_NEAR(lines[2].y1, kLayout.frameBaseY - 2 * kLayout.storeyHeight, kTol);
        QStringList texts;
        for (const PageText &t : page.texts) {
            texts << t.text;
            EXPECT_EQ(t.points, c.size);
        }
        EXPECT_EQ(texts.join(u' '), u"(と) (は) 通し柱 出 (ほ)"_s);
        EXPECT_LT(page.texts[0].x, PosX(1));                            // required class left of the column
        EXPECT_NEAR(page.texts[0].y, kLayout.frameBaseY - 0.9f, kTol);  // at mid height
        EXPECT_GT(page.texts[2].y, kLayout.frameBaseY);                 // 通し柱 under the foot
    }
}

// A frame without walls or columns still shows its crossing line names and its beams at every level.
TEST(FrameDrawing, FrameWithoutWallsShowsNamesAndBeams)
{
    Project p = NamedHouse(2, 4, 4);
    samples::PlaceBeam(p, 2, kDirY, 2, 1, 5);
    samples::PlaceBeam(p, 3, kDirY, 2, 2, 4);
    const PageContent page = Draw([&](PrintSurface &s) {
        drawFrameLineNames(s, p, kLayout, kFrameOnXLine, 2, kFrameNamesReport);
        drawFrameWalls(s, p, kLayout, kFrameOnXLine, 2, kFrameWallsReport);
        drawFrameColumns(s, p, BlankCalculation(p), kLayout, kFrameOnXLine, 2, kFrameColumnsReport);
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

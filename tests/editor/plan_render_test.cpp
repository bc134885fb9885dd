// The plan on the surface, checked by its pixels: grid points, columns at two zooms, members dimmed
// by tool, void hatch, beams of the plane above, whole walls, regions, line names and the overlay.
#include <gtest/gtest.h>

#include "editor/plan_render.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"

namespace rqx {
namespace {

constexpr QRgb kDimFloor = 0xFF202020;
constexpr QRgb kDimMember = 0xFF606060;

int Count(const QImage &img, QRgb colour, QRect area = {})
{
    area = area.isNull() ? img.rect() : area.intersected(img.rect());
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (img.pixel(x, y) | 0xFF000000u) == colour;
    return n;
}

// The default page on a raster of 14.175 twips per pixel: 1 cm = 40 pixels, at zoom 1 and 2.
struct Scene {
    Project project;
    EditorState editor;
    int floor = 1;
    PlanSurface s;

    explicit Scene(Project p, float zoom = 1.0f) : project(std::move(p)), s(QSize(1428, 1080) * zoom)
    {
        editor.zoomFactor = zoom;
        fitPlan(s, project, editor.fit);
    }
    PlanInputs in() const { return {project, editor, floor}; }
    void whole()
    {
        ClearSurface(s);
        drawWholePlan(s, in());
    }
    QRect cellInterior(int ix, int iy) const
    {
        const QPointF a = NodePoint(in(), ix, iy);
        const QPointF b = NodePoint(in(), ix + 1, iy + 1);
        return s.planRectToPixels(a.x(), a.y(), b.x(), b.y()).adjusted(1, 1, -1, -1);
    }
    QPoint pixelOfNode(int ix, int iy) const
    {
        const QPointF c = NodePoint(in(), ix, iy);
        return s.planToPixel(c.x(), c.y());
    }
};

TEST(PlanRenderTest, GridPointsAreWhiteOnModuleLinesAndGreenElsewhere)
{
    // 20 × 20 spans, 2 divisions: 21 × 21 = 441 nodes; the odd indices 1, 3 … 21 lie on module lines,
    // 11 × 11 = 121 white, 441 − 121 = 320 green.
    Scene sc(samples::NewProject(20, 20, 2, 2, samples::LineNames::kNumbered));
    sc.whole();
    EXPECT_EQ(Count(sc.s.image(), QBColor(kQBWhite)), 121);
    EXPECT_EQ(Count(sc.s.image(), QBColor(kQBGreen)), 320);
    EXPECT_EQ(sc.s.image().pixel(sc.pixelOfNode(3, 3)) | 0xFF000000u, QBColor(kQBWhite));
    EXPECT_EQ(sc.s.image().pixel(sc.pixelOfNode(2, 3)) | 0xFF000000u, QBColor(kQBGreen));

    // One division: every node is on a module line, 11 × 11 white.
    Scene one(samples::NewProject(10, 10, 1, 1, samples::LineNames::kNumbered));
    one.whole();
    EXPECT_EQ(Count(one.s.image(), QBColor(kQBWhite)), 121);
    EXPECT_EQ(Count(one.s.image(), QBColor(kQBGreen)), 0);
}

TEST(PlanRenderTest, ColumnSquareKeepsItsScreenSizeWhenZoomed)
{
    Project p = samples::NewProject(20, 20, 2, 2, samples::LineNames::kNumbered);
    samples::PlaceColumn(p, 1, 3, 3, 1);
    samples::PlaceColumn(p, 1, 7, 3, 2);
    // Node (3, 3) lies at 3 + (21 / 9.1) × 0.91 = 5.1 cm both ways.
    // Zoom 1: side 0.15 cm, corners 5.025 and 5.175 cm = 2849 and 2934 twips = pixels 200 and 206:
    // 7 × 7 = 49 pixels, the centre one the node's white grid point → 48 yellow.
    // Zoom 2: side 0.075 cm, corners 2870 and 2913 twips at 7.0875 per pixel = pixels 404 and 411:
    // 8 × 8 = 64, less the grid point → 63 yellow. (Rounding twice makes a square 6 to 8 pixels wide
    // wherever it stands: node (7, 3) at zoom 2 is 741..746, 6 pixels.)
    for (const auto &[zoom, side] : {std::pair{1.0f, 7}, std::pair{2.0f, 8}}) {
        Scene sc(p, zoom);
        sc.editor.currentTool = kToolColumn;
        sc.whole();
        const QPoint c = sc.pixelOfNode(3, 3);
        const QRect around(c - QPoint(10, 10), QSize(21, 21));
        EXPECT_EQ(Count(sc.s.image(), QBColor(kQBYellow), around), side * side - 1) << zoom;
        EXPECT_EQ(sc.s.image().pixel(c) | 0xFF000000u, QBColor(kQBWhite)) << zoom;
        // 通し柱 in light cyan, as large give or take a pixel each way.
        const QPoint t = sc.pixelOfNode(7, 3);
        const int cyan = Count(sc.s.image(), QBColor(kQBLightCyan), QRect(t - QPoint(10, 10), QSize(21, 21)));
        EXPECT_GE(cyan, 6 * 6 - 1) << zoom;
        EXPECT_LE(cyan, 8 * 8 - 1) << zoom;
    }
}

TEST(PlanRenderTest, MembersOfOtherToolsAreDimmedUnlessAllAreShown)
{
    Scene sc(samples::SmallTwoStoreyHouse());
    sc.editor.currentTool = kToolColumn;
    sc.whole();
    const QImage &img = sc.s.image();
    // Floors dark grey, walls and beams grey, columns in their own colour.
    EXPECT_GT(Count(img, kDimFloor), 10000);
    EXPECT_GT(Count(img, kDimMember), 500);
    EXPECT_EQ(Count(img, QBColor(kQBBlue)), 0);
    EXPECT_EQ(Count(img, QBColor(kQBLightMagenta)), 0);  // beams
    EXPECT_EQ(Count(img, QBColor(kQBLightRed)), 0);      // 90×90 braces
    EXPECT_GT(Count(img, QBColor(kQBYellow)), 500);      // 管柱

    // "全部材表示" over the same picture: everything in its own colour, nothing grey is left.
    sc.editor.showAllMembers = 1;
    drawWholePlan(sc.s, sc.in());
    EXPECT_EQ(Count(img, kDimFloor), 0);
    EXPECT_EQ(Count(img, kDimMember), 0);
    EXPECT_GT(Count(img, QBColor(kQBBlue)), 10000);
    EXPECT_GT(Count(img, QBColor(kQBLightMagenta)), 500);
    EXPECT_GT(Count(img, QBColor(kQBLightRed)), 20);

    // The floor tool shows floors in blue, and grey columns.
    sc.editor.showAllMembers = 0;
    sc.editor.currentTool = kToolFloor;
    sc.whole();
    EXPECT_GT(Count(img, QBColor(kQBBlue)), 10000);
    EXPECT_EQ(Count(img, kDimFloor), 0);
    EXPECT_EQ(Count(img, QBColor(kQBYellow)), 0);
}

TEST(PlanRenderTest, VoidCellsAreHatchedInLightBlueOrGrey)
{
    Scene sc(samples::SmallTwoStoreyHouse());
    sc.floor = 2;
    sc.editor.currentTool = kToolFloor;
    sc.whole();
    // Cell (6, 10) is a void of the second storey; cell (4, 4) a floor.
    const QRect hole = sc.cellInterior(6, 10);
    const int hatched = Count(sc.s.image(), QBColor(kQBLightBlue), hole);
    const int gaps = Count(sc.s.image(), QBColor(kQBBlack), hole);
    EXPECT_GT(hatched, hole.width());  // two diagonal families of lines
    EXPECT_GT(gaps, hatched);          // with black between them
    EXPECT_EQ(hatched + gaps, hole.width() * hole.height());
    EXPECT_EQ(Count(sc.s.image(), QBColor(kQBBlue), sc.cellInterior(4, 4)),
              sc.cellInterior(4, 4).width() * sc.cellInterior(4, 4).height());

    sc.editor.currentTool = kToolWall;
    sc.whole();
    EXPECT_EQ(Count(sc.s.image(), QBColor(kQBLightBlue), hole), 0);
    EXPECT_EQ(Count(sc.s.image(), kDimMember, hole), hatched);
}

TEST(PlanRenderTest, AStoreyShowsTheBeamsOfThePlaneAboveIt)
{
    Project p = samples::NewProject(20, 20, 2, 2, samples::LineNames::kNumbered);
    samples::PlaceBeam(p, 2, kDirX, 5, 3, 7);  // floor beam under the second storey
    Scene sc(p);
    sc.editor.currentTool = kToolBeam;
    sc.whole();
    // Four spans of 42 pixels, drawn 0.03 cm (1 pixel) below the grid line; as with the lines of the
    // original surface the last pixel of a line is left out.
    const QPoint a = sc.pixelOfNode(3, 5);
    const QPoint b = sc.pixelOfNode(7, 5);
    EXPECT_EQ(Count(sc.s.image(), QBColor(kQBLightMagenta)), b.x() - a.x());
    EXPECT_EQ(Count(sc.s.image(), QBColor(kQBLightMagenta), QRect(a.x(), a.y() + 1, b.x() - a.x(), 1)),
              b.x() - a.x());
    sc.floor = 2;  // the roof plane has no beam
    sc.whole();
    EXPECT_EQ(Count(sc.s.image(), QBColor(kQBLightMagenta)), 0);

    // A beam stored on level 1 belongs to no storey's plan.
    Project q = samples::NewProject(20, 20, 2, 2, samples::LineNames::kNumbered);
    samples::PlaceBeam(q, 1, kDirY, 5, 3, 7);
    Scene low(q);
    low.editor.currentTool = kToolBeam;
    low.whole();
    EXPECT_EQ(Count(low.s.image(), QBColor(kQBLightMagenta)), 0);
}

TEST(PlanRenderTest, AWallOfSeveralSpansIsOneSymbolFromItsFirstToItsEndNode)
{
    Project p = samples::NewProject(20, 20, 2, 2, samples::LineNames::kNumbered);
    samples::PlaceWall(p, 1, kDirX, 5, 3, 6, kKeyKesa, 1);  // three spans, rising toward x
    Scene sc(p);
    sc.editor.currentTool = kToolWall;
    sc.whole();
    const SymbolSizes sz = SymbolSizesAt(1.0f);
    const double top = NodePoint(sc.in(), 3, 5).y() + sz.braceOffset + sz.braceHeight;
    const double base = NodePoint(sc.in(), 3, 5).y() + sz.braceOffset;
    const double endX = NodePoint(sc.in(), 6, 5).x() - sz.wallInset;
    const double startX = NodePoint(sc.in(), 3, 5).x() + sz.wallInset;
    const QRgb yellow = BraceColour(1);
    const QImage &img = sc.s.image();
    // The edge across stands at the wall's end only, not at the ends of its first two spans.
    EXPECT_EQ(img.pixel(sc.s.planToPixel(endX, top)) | 0xFF000000u, yellow);
    EXPECT_EQ(img.pixel(sc.s.planToPixel(endX, (top + base) / 2)) | 0xFF000000u, yellow);
    for (int ix : {4, 5}) {
        const double x = NodePoint(sc.in(), ix, 5).x() - sz.wallInset;
        EXPECT_NE(img.pixel(sc.s.planToPixel(x, top)) | 0xFF000000u, yellow) << ix;
    }
    // The diagonal starts at the base of the first node and reaches the top only at the end.
    EXPECT_EQ(img.pixel(sc.s.planToPixel(startX, base)) | 0xFF000000u, yellow);
    EXPECT_NE(img.pixel(sc.s.planToPixel(startX, top)) | 0xFF000000u, yellow);

    // Boards draw a band in their row's colour: row 4 light blue.
    samples::PlaceWall(sc.project, 1, kDirY, 10, 3, 5, kKeyMenzai, 4);
    sc.whole();
    EXPECT_GT(Count(img, QBColor(kQBLightBlue)), 80);
}

TEST(PlanRenderTest, BraceSymbolsByCodeStandLeftOfYLinesAndBeamsRightOfThem)
{
    Project p = samples::NewProject(20, 20, 2, 2, samples::LineNames::kNumbered);
    // Nodes lie 1.05 cm apart (0.455 m × 21 / 9.1), node i at 3 + 1.05 (i − 1) cm.
    samples::PlaceWall(p, 1, kDirY, 5, 3, 5, kKeyKesa, 1,
                       {.towardLower = true});                // Y line x = 7.2 cm, code 2
    samples::PlaceWall(p, 1, kDirX, 9, 3, 5, kKeyTasuki, 4);  // X line y = 11.4 cm, code 3
    samples::PlaceBeam(p, 2, kDirY, 10, 3, 5);                // Y line x = 12.45 cm
    Scene sc(p);
    sc.editor.showAllMembers = 1;
    sc.whole();
    const QImage &img = sc.s.image();
    const SymbolSizes sz = SymbolSizesAt(1.0f);
    auto at = [&](double x, double y) { return img.pixel(sc.s.planToPixel(x, y)) | 0xFF000000u; };
    // A diagonal may be rasterised a pixel beside its exact point.
    auto near = [&](double x, double y, QRgb c) {
        return Count(img, c, QRect(sc.s.planToPixel(x, y) - QPoint(1, 1), QSize(3, 3))) > 0;
    };

    // Code 2 on a Y wall: base 0.15 cm and top 0.39 cm left of the line, from y 5.1 + 0.1725 to
    // 7.2 − 0.1725; the edge across stands at the start (lower y), the diagonal runs from the top at
    // the start to the base at the end.
    const QRgb yellow = BraceColour(1);
    const double line = 7.2, base = line - sz.braceOffset, top = base - sz.braceHeight;
    const double a = 5.1 + sz.wallInset, b = 7.2 - sz.wallInset, across = (base + top) / 2;
    EXPECT_EQ(at(across, a), yellow);
    EXPECT_NE(at(across, b), yellow);
    EXPECT_TRUE(near(across, (a + b) / 2, yellow));
    EXPECT_EQ(at(base, (a + b) / 2), yellow);
    const int lineColumn = sc.s.planToPixel(line, 6.0).x();
    EXPECT_EQ(Count(img, yellow, QRect(lineColumn, 0, 1428 - lineColumn, 1080)), 0);

    // Code 3 on an X wall: a box with a cross, above the line (y 11.4 + 0.15 .. 11.4 + 0.39).
    const QRgb red = BraceColour(4);
    const double xa = 5.1 + sz.wallInset, xb = 7.2 - sz.wallInset, mid = (xa + xb) / 2;
    const double xBase = 11.4 + sz.braceOffset, xTop = xBase + sz.braceHeight;
    EXPECT_EQ(at(mid, xTop), red);
    EXPECT_EQ(at(mid, xBase), red);
    EXPECT_EQ(at(xa, (xBase + xTop) / 2), red);
    EXPECT_EQ(at(xb, (xBase + xTop) / 2), red);
    EXPECT_TRUE(near(mid, (xBase + xTop) / 2, red));  // where the diagonals cross
    EXPECT_EQ(Count(img, red, QRect(0, sc.s.planToPixel(6.0, 11.4).y() + 1, 1428, 200)), 0);

    // The beam on the plane above runs 0.03 cm right of its Y line, never on or left of it.
    const int beamLine = sc.s.planToPixel(12.45, 6.0).x();
    const QRgb magenta = QBColor(kQBLightMagenta);
    EXPECT_EQ(Count(img, magenta, QRect(0, 0, beamLine + 1, 1080)), 0);
    // Two spans from node (10, 3) to node (10, 5), the last pixel of each line left out.
    EXPECT_EQ(Count(img, magenta), sc.pixelOfNode(10, 3).y() - sc.pixelOfNode(10, 5).y());
}

TEST(PlanRenderTest, TheOtherStoreysOutlineIsDottedLightGreen)
{
    Project p = samples::NewProject(20, 20, 2, 2, samples::LineNames::kNumbered);
    samples::PlaceFloor(p, 2, 3, 3, 7, 5, 1);  // 4 × 2 cells on the second storey
    UpdateOutlineMarks(p, 2);
    Scene sc(p);
    sc.whole();
    // Its outline on the first storey's plan: the lower edge from x 5.1 to 9.3 cm at y 5.1 cm is
    // 168 pixels long, drawn dotted, so light green on some of them but far from all.
    const QPoint left = sc.pixelOfNode(3, 3), right = sc.pixelOfNode(7, 3);
    const QRect edge(left.x(), left.y(), right.x() - left.x() + 1, 1);
    const int dots = Count(sc.s.image(), kOutlineColour, edge);
    EXPECT_GT(dots, 168 / 4);
    EXPECT_LT(dots, 168 * 3 / 4);
    // The second storey's own plan shows the first storey's outline: none here.
    sc.floor = 2;
    sc.whole();
    EXPECT_EQ(Count(sc.s.image(), kOutlineColour), 0);
}

TEST(PlanRenderTest, RegionEraseBlacksCellsAndRedrawRestoresThePlan)
{
    Scene sc(samples::SmallTwoStoreyHouse());
    sc.editor.currentTool = kToolWall;
    sc.whole();
    const QImage whole = sc.s.image().copy();
    drawRegion(sc.s, sc.in(), true, 11, 9, 7, 5);  // corners in any order
    const QRect inner = sc.cellInterior(8, 6);
    EXPECT_EQ(Count(sc.s.image(), QBColor(kQBBlack), inner), inner.width() * inner.height());
    // Grid points of the region are erased as well, those outside stay.
    EXPECT_EQ(sc.s.image().pixel(sc.pixelOfNode(9, 7)) | 0xFF000000u, QBColor(kQBBlack));
    EXPECT_EQ(sc.s.image().pixel(sc.pixelOfNode(13, 7)) | 0xFF000000u, QBColor(kQBWhite));
    drawRegion(sc.s, sc.in(), false, 7, 5, 11, 9);
    // Inside the region the picture is the whole plan's again (on its border, members of spans that
    // start outside it are left to a larger region).
    const QRect region = sc.s.planRectToPixels(NodePoint(sc.in(), 7, 5).x(), NodePoint(sc.in(), 7, 5).y(),
                                               NodePoint(sc.in(), 11, 9).x(), NodePoint(sc.in(), 11, 9).y())
                             .adjusted(2, 2, -2, -2);
    EXPECT_EQ(sc.s.image().copy(region), whole.copy(region));

    // A rectangle beyond the grid is clamped: the whole plan goes and comes back.
    drawRegion(sc.s, sc.in(), true, -5, -5, 40, 40);
    EXPECT_EQ(Count(sc.s.image(), kDimFloor), 0);
    EXPECT_EQ(Count(sc.s.image(), QBColor(kQBWhite)), 0);
    drawRegion(sc.s, sc.in(), false, -5, -5, 40, 40);
    EXPECT_GT(Count(sc.s.image(), kDimFloor), 10000);
    EXPECT_EQ(Count(sc.s.image(), QBColor(kQBWhite)), 121);
}

TEST(PlanRenderTest, LineNamesAreWhiteOrLightRedInADeleteMode)
{
    Scene sc(samples::SmallTwoStoreyHouse());
    ClearSurface(sc.s);
    drawLineNames(sc.s, sc.in(), false);
    // Below the plan (page y < 3 cm: rows below 1080 − 120) the X names; left of it the Y names.
    const QRect below(0, 961, 1428, 119);
    const QRect left(0, 0, 119, 1080);
    EXPECT_GT(Count(sc.s.image(), QBColor(kQBWhite), below), 50);
    EXPECT_GT(Count(sc.s.image(), QBColor(kQBWhite), left), 50);
    drawLineNames(sc.s, sc.in(), true);
    EXPECT_EQ(Count(sc.s.image(), QBColor(kQBWhite)), 0);
    EXPECT_GT(Count(sc.s.image(), QBColor(kQBLightRed), below), 50);
}

TEST(PlanRenderTest, OtherStoreyWallsAreShownInTheirOwnColoursAndErasedInBlack)
{
    Scene sc(samples::SmallTwoStoreyHouse());
    sc.editor.currentTool = kToolColumn;
    sc.whole();
    const QRgb braceTwo = BoardColour(4);  // the second storey's board of row 4 (light blue)
    const int before = Count(sc.s.image(), braceTwo);
    EXPECT_EQ(before, 0);
    drawOtherFloorWalls(sc.s, sc.in(), 2, false);
    EXPECT_GT(Count(sc.s.image(), braceTwo), 40);
    drawOtherFloorWalls(sc.s, sc.in(), 2, true);
    EXPECT_EQ(Count(sc.s.image(), braceTwo), 0);

    // The full redraw keeps the overlay while it is shown, and the dotted outline of the other storey.
    sc.editor.otherFloorShown = 1;
    RedrawPlan(sc.s, sc.project, sc.editor, 1);
    EXPECT_GT(Count(sc.s.image(), braceTwo), 40);
    EXPECT_GT(Count(sc.s.image(), QBColor(kQBLightGreen)), 100);
}

}  // namespace
}  // namespace rqx

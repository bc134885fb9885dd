#include "editor/coords.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace rqx;

namespace {

// 10 × 8 spans of exactly 0.5 m (1.0 m modules, 2 divisions), plan at 8 cm per metre with its
// lower-left node at (3 cm, 3 cm) of a 27 cm high page: 1 m = 4536 twips, 0.125 m = 567 twips.
struct CoordsTest : ::testing::Test {
    Project p;
    PlanFit fit;
    void SetUp() override
    {
        p.info.spanCountX = 10;
        p.info.spanCountY = 8;
        p.info.divisions = 2;
        p.info.moduleLength = 1.0f;
        ResetProject(p);
        fit.planScale = 8.0f;
        fit.originX = 3.0f;
        fit.originY = 3.0f;
        fit.scaleWidth = static_cast<int>(35.7 * 567);
        fit.scaleHeight = 27 * 567;
    }
    // Surface point of a model position (exact for multiples of 0.125 m).
    int tx(double mx) const { return static_cast<int>(567 * (8 * mx + 3)); }
    int ty(double my) const { return 27 * 567 - static_cast<int>(567 * (8 * my + 3)); }
};

}  // namespace

TEST(Nearest, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(nearestEven(0.5), 0);
    EXPECT_EQ(nearestEven(1.5), 2);
    EXPECT_EQ(nearestEven(2.5), 2);
    EXPECT_EQ(nearestEven(-0.5), 0);
    EXPECT_EQ(nearestEven(-1.5), -2);
    EXPECT_EQ(nearestEven(2.4999), 2);
    EXPECT_EQ(nearestEven(2.5001), 3);
    EXPECT_EQ(nearestEven(1e300), INT_MAX);
    EXPECT_EQ(nearestEven(-1e300), INT_MIN);
    EXPECT_EQ(nearestEven(std::nan("")), 0);
}

TEST_F(CoordsTest, ScreenAndModelPositionsMapBothWays)
{
    // (1701, 27·567 − 1701) twips = plan (3 cm, 3 cm) = the model origin.
    const ModelPoint o = screenToModel(fit, 1701, 27 * 567 - 1701);
    EXPECT_DOUBLE_EQ(o.x, 0.0);
    EXPECT_DOUBLE_EQ(o.y, 0.0);
    const ModelPoint m = screenToModel(fit, tx(2.5), ty(1.25));
    EXPECT_DOUBLE_EQ(m.x, 2.5);
    EXPECT_DOUBLE_EQ(m.y, 1.25);
    const ScreenPoint s = modelToScreen(fit, 2.5, 1.25);
    EXPECT_EQ(s.x, tx(2.5));
    EXPECT_EQ(s.y, ty(1.25));
}

TEST_F(CoordsTest, HalfPitchClickGoesToTheEvenIndex)
{
    // model 0.25 → 0.25 / 0.5 + 1 = 1.5 → node 2; 0.75 → 2.5 → node 2; 1.25 → 3.5 → node 4.
    SnapResult a = snapToNode(p, fit, kModePlace, tx(0.25), ty(0.75));
    EXPECT_TRUE(a.inGrid);
    EXPECT_EQ(a.ix, 2);
    EXPECT_EQ(a.iy, 2);
    // The returned point is node 2's own position (model 0.5).
    EXPECT_EQ(a.screenX, tx(0.5));
    EXPECT_EQ(a.screenY, ty(0.5));
    SnapResult b = snapToNode(p, fit, kModePlace, tx(1.25), ty(1.75));
    EXPECT_EQ(b.ix, 4);  // 3.5 → 4
    EXPECT_EQ(b.iy, 4);  // 4.5 → 4
    // Off the half: model 0.375 → 1.75 → node 2; 0.125 → 1.25 → node 1.
    EXPECT_EQ(snapToNode(p, fit, kModePlace, tx(0.375), ty(0.125)).ix, 2);
    EXPECT_EQ(snapToNode(p, fit, kModePlace, tx(0.375), ty(0.125)).iy, 1);
}

TEST_F(CoordsTest, PointsOffTheGridAreOutsideExceptInGroupDelete)
{
    // model x −0.375 → 0.25 → node 0; x 5.375 → 11.75 → node 12 > 11.
    EXPECT_FALSE(snapToNode(p, fit, kModePlace, tx(-0.375), ty(1.0)).inGrid);
    EXPECT_FALSE(snapToNode(p, fit, kModeDelete, tx(5.375), ty(1.0)).inGrid);
    EXPECT_FALSE(snapToNode(p, fit, kModePlace, tx(1.0), ty(4.5)).inGrid);  // iy 10 > 9
    // Edge nodes are inside: x 5.0 → node 11, y 4.0 → node 9.
    SnapResult edge = snapToNode(p, fit, kModePlace, tx(5.0), ty(4.0));
    EXPECT_TRUE(edge.inGrid);
    EXPECT_EQ(edge.ix, 11);
    EXPECT_EQ(edge.iy, 9);
    // Group delete: clamped into the grid, the raw point kept.
    SnapResult g = snapToNode(p, fit, kModeGroupDelete, tx(-0.375), ty(6.0));
    EXPECT_TRUE(g.inGrid);
    EXPECT_EQ(g.ix, 1);
    EXPECT_EQ(g.iy, 9);
    EXPECT_EQ(g.screenX, tx(-0.375));
    EXPECT_EQ(g.screenY, ty(6.0));
}

TEST_F(CoordsTest, GroupRectangleTakesOnlyTheNodesInsideIt)
{
    // x 0.375..1.125: ix1 = nearest(0.625/0.5+1 = 2.25) = 2, ix2 = nearest(0.875/0.5+1 = 2.75) = 3,
    // the nodes at 0.5 and 1.0 m. y 0.125..0.875: iy1 = nearest(1.75) = 2, iy2 = nearest(2.25) = 2.
    GroupRect g = groupRectToNodes(p, fit, tx(1.125), ty(0.125), tx(0.375), ty(0.875));
    ASSERT_TRUE(g.valid);
    EXPECT_EQ(g.rect, (NodeRect{2, 2, 3, 2}));
    // Dragged the other way round: the same nodes.
    EXPECT_EQ(groupRectToNodes(p, fit, tx(0.375), ty(0.875), tx(1.125), ty(0.125)).rect, g.rect);
    // Reaching past the grid on every side: clamped to 1..11 × 1..9.
    GroupRect all = groupRectToNodes(p, fit, tx(-2.0), ty(-2.0), tx(9.0), ty(9.0));
    ASSERT_TRUE(all.valid);
    EXPECT_EQ(all.rect, (NodeRect{1, 1, 11, 9}));
}

TEST_F(CoordsTest, GroupRectangleMissingTheGridOrEveryNodeIsInvalid)
{
    // Wholly left: x −2..−1 → ix1 = nearest(−2.5) = −2, ix2 = nearest(−1.5) = −2, both ≤ 0.
    EXPECT_FALSE(groupRectToNodes(p, fit, tx(-2.0), ty(1.0), tx(-1.0), ty(2.0)).valid);
    // Wholly above: y 5..6 → iy1 = nearest(12.5) = 12, iy2 = nearest(12.5) = 12, both > 9.
    EXPECT_FALSE(groupRectToNodes(p, fit, tx(1.0), ty(5.0), tx(2.0), ty(6.0)).valid);
    // Between two grid lines: x 0.125..0.375 → ix1 = nearest(1.75) = 2 > ix2 = nearest(1.25) = 1.
    EXPECT_FALSE(groupRectToNodes(p, fit, tx(0.125), ty(0.0), tx(0.375), ty(2.0)).valid);
}

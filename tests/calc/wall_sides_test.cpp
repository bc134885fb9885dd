// Wall sides of columns, bracing corrections (tables 1.2.1–1.2.3 of the method), A, corner
// columns and wall-line flags. Expected values follow the tables by hand:
// single-brace value V: 15×90 → 0, 30×90 → 0.5, 45×90 → 0.5, 90×90 → 2.0.
#include "calc/wall_sides.h"
#include "calc/calculation.h"

#include <gtest/gtest.h>

#include "support/house_builder.h"

using namespace rqx;
using namespace rqx::samples;

namespace {

// Side codes: side 1 code 1 = top, 2 = foot; side 2 code 1 = foot, 2 = top; 3 = cross brace.
constexpr int kNone = 0;
constexpr int kS1Top = 1, kS1Foot = 2;
constexpr int kS2Foot = 1, kS2Top = 2;
constexpr int kCross = 3;

}  // namespace

TEST(BracingCorrection, OneSideOnlyIsPlusAtTheTopAndMinusAtTheFoot)
{
    // Table 1.2.1: 0.0 / +0.5 / +0.5 / +2.0 at the top, the negatives at the foot.
    const float top[] = {0.0f, 0.0f, 0.5f, 0.5f, 2.0f};
    for (int size = 1; size <= 4; ++size) {
        EXPECT_FLOAT_EQ(ComputeBracingCorrection(size, kS1Top, 0, kNone), top[size]) << size;
        EXPECT_FLOAT_EQ(ComputeBracingCorrection(size, kS1Foot, 0, kNone), -top[size]) << size;
        EXPECT_FLOAT_EQ(ComputeBracingCorrection(0, kNone, size, kS2Top), top[size]) << size;
        EXPECT_FLOAT_EQ(ComputeBracingCorrection(0, kNone, size, kS2Foot), -top[size]) << size;
    }
    // A lone cross brace on either side corrects nothing.
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(4, kCross, 0, kNone), 0.0f);
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(0, kNone, 4, kCross), 0.0f);
}

TEST(BracingCorrection, SingleBracesOnBothSidesAddUpExceptBothAtTheFoot)
{
    // Table 1.2.2, both at the top: 15+15 = 0, 15+30 = 0.5, 30+30 = 1.0, 15+90 = 2.0,
    // 30+90 = 2.5, 90+90 = 4.0.
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(1, kS1Top, 1, kS2Top), 0.0f);
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(1, kS1Top, 2, kS2Top), 0.5f);
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(2, kS1Top, 3, kS2Top), 1.0f);
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(1, kS1Top, 4, kS2Top), 2.0f);
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(3, kS1Top, 4, kS2Top), 2.5f);
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(4, kS1Top, 4, kS2Top), 4.0f);
    // One at the top and one at the foot: still the sum (either way round).
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(2, kS1Top, 2, kS2Foot), 1.0f);
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(4, kS1Foot, 2, kS2Top), 2.5f);
    // Both at the foot: 0.
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(4, kS1Foot, 4, kS2Foot), 0.0f);
}

TEST(BracingCorrection, SingleBraceAgainstCrossBraceCountsOnlyAtTheTop)
{
    // Table 1.2.3: the single brace's value when its end at the column is the top.
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(4, kCross, 4, kS2Top), 2.0f);
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(3, kS1Top, 4, kCross), 0.5f);
    // At the foot, or cross braces on both sides: 0.
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(4, kCross, 4, kS2Foot), 0.0f);
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(4, kS1Foot, 4, kCross), 0.0f);
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(4, kCross, 4, kCross), 0.0f);
}

TEST(BracingCorrection, SizesOutsideTheTableCorrectNothing)
{
    EXPECT_FLOAT_EQ(SingleBraceCorrection(0), 0.0f);
    EXPECT_FLOAT_EQ(SingleBraceCorrection(5), 0.0f);
    EXPECT_FLOAT_EQ(SingleBraceCorrection(-1), 0.0f);
    EXPECT_FLOAT_EQ(ComputeBracingCorrection(5, kS1Top, 0, kNone), 0.0f);
}

TEST(WallSides, BracesDrawnEitherWayGiveTopOrFootAtTheColumn)
{
    // Column at x = 3; 30×90 single braces on both sides.
    auto correction = [](WallOptions left, WallOptions right) {
        Project p = NewProject(4, 2, 1, 2, LineNames::kNone);
        PlaceColumn(p, 1, 3, 1);
        PlaceWall(p, 1, kDirX, 1, 2, 3, kKeyKesa, 2, left);
        PlaceWall(p, 1, kDirX, 1, 3, 4, kKeyKesa, 2, right);
        Calculation calc = Calculate(p);
        ColumnResult &r = calc.results(3, 1, 1);
        ComputeA(r, kDirX);
        return r.correction[kDirX];
    };
    const WallOptions up{};                       // rising toward the higher index
    const WallOptions down{.towardLower = true};  // rising toward the lower index
    // Left brace rising toward x = 3 and right brace rising toward x = 3: both upper ends at
    // the column, 0.5 + 0.5.
    EXPECT_FLOAT_EQ(correction(up, down), 1.0f);
    // Both lower ends at the column.
    EXPECT_FLOAT_EQ(correction(down, up), 0.0f);
    // One upper and one lower end: the sum.
    EXPECT_FLOAT_EQ(correction(up, up), 1.0f);
}

TEST(WallSides, AFromOneSideBothSidesAndTheCapOfFive)
{
    Project p = NewProject(6, 4, 1, 2, LineNames::kNone);
    // Column at x = 1: no X side 1. 45×90 single brace rising toward x = 2 (foot at the column).
    PlaceColumn(p, 1, 1, 1);
    PlaceWall(p, 1, kDirX, 1, 1, 2, kKeyKesa, 3);
    // Column at (3, 3): 2.0 boards on both sides in X; in Y a 30×90 brace (1.5) and a 4.0
    // board share the segment above it.
    PlaceColumn(p, 1, 3, 3);
    PlaceWall(p, 1, kDirX, 3, 2, 4, kKeyMenzai, 4);
    PlaceWall(p, 1, kDirY, 3, 3, 4, kKeyKesa, 2);
    PlaceWall(p, 1, kDirY, 3, 3, 4, kKeyMenzai, 8);
    // Column at (5, 1): a lone 90×90 cross brace (5.0) on its left.
    PlaceColumn(p, 1, 5, 1);
    PlaceWall(p, 1, kDirX, 1, 4, 5, kKeyTasuki, 4);
    Calculation calc = Calculate(p);

    ColumnResult &a = calc.results(1, 1, 1);
    EXPECT_EQ(a.sizeSide1[kDirX], 0);
    EXPECT_FLOAT_EQ(a.multSide1[kDirX], 0.0f);
    EXPECT_EQ(a.sizeSide2[kDirX], 3);
    EXPECT_EQ(a.codeSide2[kDirX], 1);
    ComputeA(a, kDirX);
    // |0 − 2.0| + (−0.5) = 1.5
    EXPECT_FLOAT_EQ(a.correction[kDirX], -0.5f);
    EXPECT_FLOAT_EQ(a.aValue[kDirX], 1.5f);

    ColumnResult &b = calc.results(3, 3, 1);
    ComputeA(b, kDirX);
    EXPECT_FLOAT_EQ(b.aValue[kDirX], 0.0f);  // |2.0 − 2.0|, no brace
    // 1.5 + 4.0 = 5.5 is held at 5; the brace (code 1 on side 2 = foot) corrects −0.5.
    EXPECT_FLOAT_EQ(b.multSide2[kDirY], 5.0f);
    EXPECT_FLOAT_EQ(b.multSide1[kDirY], 0.0f);
    ComputeA(b, kDirY);
    EXPECT_FLOAT_EQ(b.aValue[kDirY], 4.5f);

    ColumnResult &c = calc.results(5, 1, 1);
    ComputeA(c, kDirX);
    EXPECT_FLOAT_EQ(c.correction[kDirX], 0.0f);
    EXPECT_FLOAT_EQ(c.aValue[kDirX], 5.0f);
    // Y: nothing on either side.
    ComputeA(c, kDirY);
    EXPECT_FLOAT_EQ(c.aValue[kDirY], 0.0f);
}

TEST(WallSides, WallKindsBesideAddBraceAndBoardKinds)
{
    Project p = NewProject(4, 4, 1, 2, LineNames::kNone);
    PlaceWall(p, 1, kDirY, 2, 1, 2, kKeyKesa, 3);
    PlaceWall(p, 1, kDirY, 2, 1, 2, kKeyMenzai, 6);
    PlaceWall(p, 1, kDirY, 2, 2, 3, kKeyTasuki, 1);
    WallKindSums s = WallKindsBeside(p, kDirY, 2, 2, 1);
    EXPECT_EQ(s.side1, 9);  // 3 + 6
    EXPECT_EQ(s.side2, 1);
    // At the grid edge there is no segment beyond.
    s = WallKindsBeside(p, kDirX, 5, 1, 1);
    EXPECT_EQ(s.side1, 0);
    EXPECT_EQ(s.side2, 0);
}

TEST(WallSides, CornerColumnsTouchAtMostOneFlooredCell)
{
    Project p = NewProject(4, 4, 1, 2, LineNames::kNone);
    for (int x = 1; x <= 5; ++x)
        PlaceColumn(p, 1, x, 1);
    PlaceColumn(p, 1, 3, 3);
    PlaceFloor(p, 1, 1, 1, 3, 2);     // cells (1,1), (2,1)
    PlaceFloor(p, 1, 3, 1, 4, 2, 2);  // (3,1) is a void
    p.nodes(2, 1, 1).isCorner = 1;    // the saved flag is not read
    const Calculation c = Calculate(p);
    EXPECT_EQ(c.corner(1, 1, 1), 1);  // one floor cell: outside corner
    EXPECT_EQ(c.corner(2, 1, 1), 0);  // two floor cells: straight edge
    EXPECT_EQ(c.corner(3, 1, 1), 0);  // a floor and a void
    EXPECT_EQ(c.corner(4, 1, 1), 1);  // only the void (3,1): a void counts like a floor
    EXPECT_EQ(c.corner(5, 1, 1), 1);  // nothing floored
    EXPECT_EQ(c.corner(3, 3, 1), 1);  // no floored cell at all
    // Saved as the program saves it after a calculation.
    StampCalculatedMarks(p, c);
    EXPECT_EQ(p.nodes(2, 1, 1).isCorner, 0);
    EXPECT_EQ(p.nodes(3, 3, 1).isCorner, 1);
}

TEST(WallSides, WallLinesAreFlaggedPerDirectionAndStorey)
{
    Project p = NewProject(4, 4, 2, 2, LineNames::kNone);
    PlaceWall(p, 1, kDirX, 2, 3, 5, kKeyMenzai, 2);    // X line y = 2, storey 1
    PlaceWall(p, 2, kDirY, 4, 1, 2, kKeyKesa, 1);      // Y line x = 4, storey 2
    PlaceWall(p, 1, kDirY, 1, 1, 2, kKeyKesa, 1);
    const Calculation before = Calculate(p);
    EXPECT_EQ(before.wallLineFlags(kDirY, 1, 1), 1);
    // A line that loses its walls is no wall line of the next calculation.
    p.nodes(1, 1, 1).brace[kDirY] = WallMember{};
    const Calculation c = Calculate(p);
    EXPECT_EQ(c.wallLineFlags(kDirX, 2, 1), 1);
    EXPECT_EQ(c.wallLineFlags(kDirX, 2, 2), 0);
    EXPECT_EQ(c.wallLineFlags(kDirY, 4, 2), 1);
    EXPECT_EQ(c.wallLineFlags(kDirY, 4, 1), 0);
    EXPECT_EQ(c.wallLineFlags(kDirX, 1, 1), 0);
    EXPECT_EQ(c.wallLineFlags(kDirY, 1, 1), 0);
    int flagged = 0;
    for (int v : c.wallLineFlags)
        flagged += v;
    EXPECT_EQ(flagged, 2);
}

// N of one column by formulas (1) and (2), and the pull-out of second-storey columns passed
// down along floor beams and through orthogonal beams. Spans are 0.455 m; expected values are
// worked out by hand in the comments (B 0.8 corner / 0.5 other; L by storey and setting).
#include "calc/n_value.h"

#include <gtest/gtest.h>

#include "calc/hardware_class.h"
#include "support/house_builder.h"
#include "support/calculated.h"

using namespace rqx;
using namespace rqx::samples;

namespace {

constexpr float kTol = 1e-6f;

// The calculation of the last Run.
Calculation &Last()
{
    static Calculation calc;
    return calc;
}

void Calc(Project &p)
{
    Last() = test::Calculated(p);
}

const ColumnResult &R(const Project &, int x, int y, int level)
{
    return Last().results(x, y, level);
}

}  // namespace

// ---- Formulas (1) and (2) ----

TEST(ColumnN, SecondStoreyCornerWithWallOnOneSide)
{
    Project p = NewProject(4, 4, 2, 2, LineNames::kNone);
    PlaceColumn(p, 2, 1, 1);
    PlaceWall(p, 2, kDirX, 1, 1, 3, kKeyMenzai, 4);  // 2.0 on side 2
    Calc(p);
    // No floor around: corner. N = A×0.8 − 0.4 = 2.0×0.8 − 0.4 = 1.2; Y: −0.4.
    EXPECT_EQ(p.nodes(1, 1, 2).isCorner, 1);
    EXPECT_FLOAT_EQ(R(p, 1, 1, 2).bValue, 0.8f);
    EXPECT_FLOAT_EQ(R(p, 1, 1, 2).lValue, 0.4f);
    EXPECT_NEAR(R(p, 1, 1, 2).nOwn[kDirX], 1.2f, kTol);
    EXPECT_NEAR(R(p, 1, 1, 2).nOwn[kDirY], -0.4f, kTol);
    EXPECT_EQ(p.nodes(1, 1, 2).hardware[0], QStringLiteral("(に)"));
}

TEST(ColumnN, FirstStoreyLByPartAndSettingWithAndWithoutAColumnAbove)
{
    // Storey 1 fully floored. Storey 2 floors: cells (1,1), (3,3), (2,1), (3,1).
    //   (1,1): corner under a corner column            mode 0 L 1.0; mode 1 0.6 + 0.4 = 1.0
    //   (3,3): other (4 cells) under a corner column   mode 0 L 1.6; mode 1 1.0 + 0.4 = 1.4
    //          (storey-2 cells around (3,3): only (3,3))
    //   (3,2): other under an other column             mode 0 1.6;   mode 1 1.0 + 0.6 = 1.6
    //          (storey-2 cells around (3,2): (2,1), (3,1))
    //   (4,4): other, storey-2 cell (3,3) beside, no column above: mode 0 1.6, mode 1 1.0
    //   (1,5): corner, no storey-2 cell around: single-storey part, 0.4 in both modes
    //   (5,3): other, no storey-2 cell around: single-storey part, 0.6 in both modes
    // (3,3) has a 3.0 board on its X side 2 on storey 1 and its storey-2 column a 2.0 board
    // on its X side 1: mode 0 N = 2.0×0.8 + 3.0×0.5 − 1.6 = 1.5, mode 1 3.1 − 1.4 = 1.7.
    struct Case {
        int x, y;
        float b, l0, l1, n0, n1;
    };
    const Case cases[] = {
        {1, 1, 0.8f, 1.0f, 0.6f, -1.0f, -1.0f}, {3, 3, 0.5f, 1.6f, 1.0f, 1.5f, 1.7f},
        {3, 2, 0.5f, 1.6f, 1.0f, -1.6f, -1.6f}, {4, 4, 0.5f, 1.6f, 1.0f, -1.6f, -1.0f},
        {1, 5, 0.8f, 0.4f, 0.4f, -0.4f, -0.4f}, {5, 3, 0.5f, 0.6f, 0.6f, -0.6f, -0.6f},
    };
    for (int mode = 0; mode <= 1; ++mode) {
        Project p = NewProject(4, 4, 2, 2, LineNames::kNone);
        p.grid.lCoefficientMode = mode;
        PlaceFloor(p, 1, 1, 1, 5, 5);
        PlaceFloor(p, 2, 1, 1, 2, 2);
        PlaceFloor(p, 2, 3, 3, 4, 4);
        PlaceFloor(p, 2, 2, 1, 4, 2);
        for (const Case &c : cases)
            PlaceColumn(p, 1, c.x, c.y);
        PlaceColumn(p, 2, 1, 1);
        PlaceColumn(p, 2, 3, 3);
        PlaceColumn(p, 2, 3, 2);
        PlaceWall(p, 1, kDirX, 3, 3, 4, kKeyMenzai, 6);
        PlaceWall(p, 2, kDirX, 3, 2, 3, kKeyMenzai, 4);
        Calc(p);
        EXPECT_EQ(p.nodes(3, 3, 2).isCorner, 1);
        EXPECT_EQ(p.nodes(3, 2, 2).isCorner, 0);
        for (const Case &c : cases) {
            const ColumnResult &r = R(p, c.x, c.y, 1);
            EXPECT_FLOAT_EQ(r.bValue, c.b) << c.x << "," << c.y;
            EXPECT_FLOAT_EQ(r.lValue, mode == 0 ? c.l0 : c.l1) << mode << " " << c.x << "," << c.y;
            EXPECT_NEAR(r.nOwn[kDirX], mode == 0 ? c.n0 : c.n1, kTol) << mode << " " << c.x << "," << c.y;
        }
        // Y has no wall anywhere: −Leff.
        EXPECT_NEAR(R(p, 3, 3, 1).nOwn[kDirY], mode == 0 ? -1.6f : -1.4f, kTol);
    }
}

TEST(ColumnN, OneStoreyHouseIsAlwaysASingleStoreyPart)
{
    // A floor kind left in the roof plane of a one-storey house does not make it two storeys.
    Project p = NewProject(2, 2, 1, 2, LineNames::kNone);
    PlaceFloor(p, 1, 1, 1, 3, 3);
    PlaceFloor(p, 2, 1, 1, 3, 3);
    PlaceColumn(p, 1, 2, 2);
    PlaceWall(p, 1, kDirY, 2, 1, 2, kKeyTasuki, 3);  // 4.0 on Y side 1, no correction
    Calc(p);
    // 4 floored cells: B 0.5, L 0.6; N = 4.0×0.5 − 0.6 = 1.4 → (に).
    EXPECT_FLOAT_EQ(R(p, 2, 2, 1).lValue, 0.6f);
    EXPECT_NEAR(R(p, 2, 2, 1).nOwn[kDirY], 1.4f, kTol);
    EXPECT_EQ(R(p, 2, 2, 1).nBeam[kDirY], 0.0f);
    EXPECT_EQ(p.nodes(2, 2, 1).hardware[0], QStringLiteral("(に)"));
}

// ---- Transfer along floor beams ----

namespace {

// Storey-2 floor beam along y = 1 from x = 1 to 5 on first-storey columns at x = 1 and 5, and a
// second-storey column halfway at x = 3 (no floors: every column is a corner, B 0.8, L 0.4).
Project HalfwayHouse(int boardRow)
{
    Project p = NewProject(4, 2, 2, 2, LineNames::kNone);
    PlaceColumn(p, 1, 1, 1);
    PlaceColumn(p, 1, 5, 1);
    PlaceColumn(p, 2, 3, 1);
    PlaceBeam(p, 2, kDirX, 1, 1, 5);
    if (boardRow > 0)
        PlaceWall(p, 2, kDirX, 1, 3, 4, kKeyMenzai, boardRow);
    return p;
}

}  // namespace

TEST(BeamTransfer, ColumnHalfwayGivesHalfToEachEnd)
{
    // A = 1.5 (board row 3), ΔN = 1.5×0.8 = 1.2; u = (1.82 − 0.91)/1.82 = 0.5 → 0.6 each.
    Project p = HalfwayHouse(3);
    Calc(p);
    EXPECT_NEAR(R(p, 3, 1, 2).aValue[kDirX] * R(p, 3, 1, 2).bValue, 1.2f, kTol);
    EXPECT_NEAR(R(p, 1, 1, 1).nBeam[kDirX], 0.6f, kTol);
    EXPECT_NEAR(R(p, 5, 1, 1).nBeam[kDirX], 0.6f, kTol);
    EXPECT_EQ(R(p, 1, 1, 1).nBeam[kDirY], 0.0f);
    // Both ends stand on lower columns: nothing goes across, nothing is flagged.
    EXPECT_EQ(R(p, 3, 1, 2).notCarried, 0);
    EXPECT_EQ(R(p, 1, 1, 1).nCross[kDirX], 0.0f);
    EXPECT_EQ(Last().anyNotCarried, 0);
    // The lower columns: no wall, corner of a single-storey part (no storey-2 floor), L 0.4:
    // N = −0.4 + 0.6 = 0.2.
    EXPECT_NEAR(TotalN(R(p, 1, 1, 1), kDirX), 0.2f, kTol);

    // With the user's L: ΔN = 1.2 − 0.4 = 0.8 → 0.4 each.
    p.grid.lCoefficientMode = 1;
    Calc(p);
    EXPECT_NEAR(R(p, 1, 1, 1).nBeam[kDirX], 0.4f, kTol);
    EXPECT_NEAR(R(p, 5, 1, 1).nBeam[kDirX], 0.4f, kTol);
}

TEST(BeamTransfer, ColumnWithoutWallPassesNothingOrMinusLWithTheUserSetting)
{
    Project p = HalfwayHouse(0);
    Calc(p);
    EXPECT_EQ(R(p, 1, 1, 1).nBeam[kDirX], 0.0f);
    // Mode 1: ΔN = 0×0.8 − 0.4 = −0.4, half of it lowers each lower column.
    p.grid.lCoefficientMode = 1;
    Calc(p);
    EXPECT_NEAR(R(p, 1, 1, 1).nBeam[kDirX], -0.2f, kTol);
    EXPECT_NEAR(R(p, 5, 1, 1).nBeam[kDirX], -0.2f, kTol);
}

TEST(BeamTransfer, ShareBelowOneMillionthAddsNothing)
{
    // Cantilever: the beam from the column at x = 1 ends at x = 3 where the upper column
    // stands: v = w, u = 0.
    Project p = NewProject(6, 2, 2, 2, LineNames::kNone);
    PlaceColumn(p, 1, 1, 1);
    PlaceColumn(p, 2, 3, 1);
    PlaceBeam(p, 2, kDirX, 1, 1, 3);
    PlaceWall(p, 2, kDirX, 1, 3, 4, kKeyMenzai, 6);
    // Beyond a support: member 4..6 is next to the column at x = 4; the upper column at x = 7
    // beyond the member's end gives u = (0.91 − 1.365)/0.91 < 0.
    PlaceColumn(p, 1, 4, 2);
    PlaceColumn(p, 1, 6, 2);
    PlaceColumn(p, 2, 7, 2);
    PlaceBeam(p, 2, kDirX, 2, 4, 7);
    PlaceWall(p, 2, kDirX, 2, 6, 7, kKeyMenzai, 6);
    Calc(p);
    EXPECT_EQ(R(p, 1, 1, 1).nBeam[kDirX], 0.0f);
    EXPECT_EQ(R(p, 4, 2, 1).nBeam[kDirX], 0.0f);
    // The column at x = 6 carries it from x = 7: member 6..7 starts at it, u = (0.455 − 0.455)/..
    // = 0 too; the share is lost at the free end, the beam transfer never flags it.
    EXPECT_EQ(R(p, 6, 2, 1).nBeam[kDirX], 0.0f);
    // No term is recorded for a share of 0.
    EXPECT_TRUE(Last().termsOf(1, 1, kDirX, PullOutPath::AlongBeam).empty());
}

TEST(BeamTransfer, TermsListedFromAnyStartMeasureAgainstTheColumnsOwnMember)
{
    // First-storey columns at x = 1 and x = 3; the beam runs 1..9, so the member next to x = 1
    // is 1..3 (0.91) and the one beyond x = 3 is 3..9 (2.73). Upper columns with walls at
    // x = 4 and x = 6, none at x = 3.
    Project p = NewProject(8, 2, 2, 2, LineNames::kNone);
    PlaceColumn(p, 1, 1, 1);
    PlaceColumn(p, 1, 3, 1);
    PlaceColumn(p, 2, 4, 1);
    PlaceColumn(p, 2, 6, 1);
    PlaceBeam(p, 2, kDirX, 1, 1, 9);
    PlaceWall(p, 2, kDirX, 1, 4, 5, kKeyMenzai, 4);
    PlaceWall(p, 2, kDirX, 1, 6, 7, kKeyMenzai, 4);
    Calc(p);
    // From x = 1: the upper column at x = 4, v = 1.365 > 0.91: u = 0, and so for x = 6 (measured against
    // 0.91 from x = 1, not against the member beyond): no term.
    EXPECT_TRUE(Last().termsOf(1, 1, kDirX, PullOutPath::AlongBeam).empty());
    EXPECT_EQ(R(p, 1, 1, 1).nBeam[kDirX], 0.0f);
    // The column at x = 3: w = 2.73; x = 4: u = (2.73 − 0.455)/2.73 = 5/6, x = 6: 0.5.
    // ΔN = 2.0×B(0.8, no floors) = 1.6 each: 1.6×5/6 + 0.8 = 2.1333.
    const std::vector<PullOutTerm> terms = Last().termsOf(3, 1, kDirX, PullOutPath::AlongBeam);
    ASSERT_EQ(terms.size(), 2u);
    EXPECT_EQ(terms[0].upperX, 4);
    EXPECT_EQ(terms[0].side, 2);
    EXPECT_NEAR(terms[0].ratio, 5.0f / 6.0f, kTol);
    EXPECT_EQ(terms[1].upperX, 6);
    EXPECT_NEAR(terms[1].ratio, 0.5f, kTol);
    EXPECT_NEAR(terms[1].amount, 0.8f, kTol);
    EXPECT_NEAR(R(p, 3, 1, 1).nBeam[kDirX], 1.6f * 5.0f / 6.0f + 0.8f, 1e-5f);
    // No column at the node, or no storey above: nothing recorded.
    EXPECT_TRUE(Last().termsOf(2, 1, kDirX, PullOutPath::AlongBeam).empty());
}

// ---- Transfer through orthogonal beams ----

namespace {

// Storey-2 beams: Y along x = 3 from y = 1 to 5 on first-storey columns at (3,1) and (3,5);
// X along y = `row` from x = 1 to `xEnd` on a first-storey column at (1,row). The upper column
// U at (2,row) has a 2.0 board on its X side 1; no floors: corner, ΔN = 2.0×0.8 = 1.6.
Project CrossHouse(int row, int xEnd)
{
    Project p = NewProject(4, 4, 2, 2, LineNames::kNone);
    PlaceColumn(p, 1, 3, 1);
    PlaceColumn(p, 1, 3, 5);
    PlaceColumn(p, 1, 1, row);
    PlaceColumn(p, 2, 2, row);
    PlaceBeam(p, 2, kDirY, 3, 1, 5);
    PlaceBeam(p, 2, kDirX, row, 1, xEnd);
    PlaceWall(p, 2, kDirX, row, 1, 2, kKeyMenzai, 4);
    return p;
}

}  // namespace

TEST(CrossTransfer, CarriedToBothEndsOfTheCrossMember)
{
    // Carrying member 1..3 (s 0.91): lower column at P1 = (1,3), so only side 2 goes across;
    // the Y beam passes through P2 = (3,3): f = (0.91 − 0.455)/0.91 = 0.5. Cross member 1..5,
    // t = 1.82, q = 0.91: half to each end. nCross = 0.5 × 1.6 × 0.5 = 0.4 at (3,1) and (3,5);
    // the other half reaches (1,3) along the beam: u = 0.5 → nBeam 0.8.
    Project p = CrossHouse(3, 3);
    Calc(p);
    EXPECT_NEAR(R(p, 3, 1, 1).nCross[kDirX], 0.4f, kTol);
    EXPECT_NEAR(R(p, 3, 5, 1).nCross[kDirX], 0.4f, kTol);
    EXPECT_NEAR(R(p, 1, 3, 1).nBeam[kDirX], 0.8f, kTol);
    EXPECT_EQ(R(p, 3, 1, 1).nCross[kDirY], 0.0f);
    EXPECT_EQ(R(p, 2, 3, 2).notCarried, 0);
    EXPECT_EQ(Last().anyNotCarried, 0);
    // A second run starts from zero again.
    Calc(p);
    EXPECT_NEAR(R(p, 3, 1, 1).nCross[kDirX], 0.4f, kTol);
}

TEST(CrossTransfer, SharedByTheDistanceAlongTheCrossMember)
{
    // Connection at (3,2): q = 0.455 of t = 1.82 → (3,1) takes 0.75, (3,5) 0.25 of
    // ΔN × f = 1.6 × 0.5: 0.6 and 0.2.
    Project p = CrossHouse(2, 3);
    Calc(p);
    EXPECT_NEAR(R(p, 3, 1, 1).nCross[kDirX], 0.6f, kTol);
    EXPECT_NEAR(R(p, 3, 5, 1).nCross[kDirX], 0.2f, kTol);
}

TEST(CrossTransfer, FullShareWhenTheFarEndHasNoCrossBeam)
{
    // Carrying member 1..4; no Y beam passes P2 = (4,3): the whole ΔN goes across, 0.8 to
    // each end of the cross member. Along the beam (1,3) still gets u = 0.91/1.365 = 2/3 of it.
    Project p = CrossHouse(3, 4);
    Calc(p);
    EXPECT_NEAR(R(p, 3, 1, 1).nCross[kDirX], 0.8f, kTol);
    EXPECT_NEAR(R(p, 3, 5, 1).nCross[kDirX], 0.8f, kTol);
    EXPECT_NEAR(R(p, 1, 3, 1).nBeam[kDirX], 1.6f * 2.0f / 3.0f, kTol);
}

TEST(CrossTransfer, FullShareWhenStandingOnAnOrthogonalBeamEnd)
{
    // U at (2,2) has no X beam; a Y beam from it to (2,3) meets the X beam y = 3 running
    // 1..5 on first-storey columns at (1,3) and (5,3). Carried in Y (through = 1): full share;
    // q = 0.455 of t = 1.82: (1,3) takes 0.75 × 1.6 = 1.2, (5,3) 0.25 × 1.6 = 0.4.
    Project p = NewProject(4, 4, 2, 2, LineNames::kNone);
    PlaceColumn(p, 1, 1, 3);
    PlaceColumn(p, 1, 5, 3);
    PlaceColumn(p, 2, 2, 2);
    PlaceBeam(p, 2, kDirX, 3, 1, 5);
    PlaceBeam(p, 2, kDirY, 2, 2, 3);
    PlaceWall(p, 2, kDirX, 2, 1, 2, kKeyMenzai, 4);
    Calc(p);
    EXPECT_NEAR(R(p, 1, 3, 1).nCross[kDirX], 1.2f, kTol);
    EXPECT_NEAR(R(p, 5, 3, 1).nCross[kDirX], 0.4f, kTol);
    EXPECT_EQ(Last().anyNotCarried, 0);

    // A first-storey column at the connection node (2,3): the cross member starts there, q = 0,
    // so it takes all 1.6 and the far end's share is 0. Without a column at (5,3) nothing is
    // lost there: no warning.
    p.nodes(5, 3, 1).columnKind = 0;
    PlaceColumn(p, 1, 2, 3);
    Calc(p);
    EXPECT_NEAR(R(p, 2, 3, 1).nCross[kDirX], 1.6f, kTol);
    EXPECT_EQ(R(p, 2, 2, 2).notCarried, 0);
    EXPECT_EQ(Last().anyNotCarried, 0);
}

TEST(CrossTransfer, PullOutOfTheOtherDirectionReachesBothEndsOfTheCarryingBeam)
{
    // U at (3,2) stands on a Y beam 1..5 between first-storey columns at (3,1) and (3,5) and
    // has only an X board of 2.0 (row 4): no X beams, so it is carried in Y. The lower columns
    // collect only Y pull-out along that beam, so the X pull-out ΔN = 2.0 × 0.8 = 1.6 goes to
    // the two ends by the inverse span ratio: e = 0.455 of s = 1.82 → 0.75 × 1.6 = 1.2 at (3,1)
    // and 0.25 × 1.6 = 0.4 at (3,5); nothing is lost, so no warning.
    Project p = NewProject(4, 4, 2, 2, LineNames::kNone);
    PlaceColumn(p, 1, 3, 1);
    PlaceColumn(p, 1, 3, 5);
    PlaceColumn(p, 2, 3, 2);
    PlaceBeam(p, 2, kDirY, 3, 1, 5);
    PlaceWall(p, 2, kDirX, 2, 3, 4, kKeyMenzai, 4);
    Calc(p);
    EXPECT_NEAR(R(p, 3, 1, 1).nCross[kDirX], 1.2f, kTol);
    EXPECT_NEAR(R(p, 3, 5, 1).nCross[kDirX], 0.4f, kTol);
    EXPECT_EQ(R(p, 3, 1, 1).nBeam[kDirY], 0.0f);  // no Y wall on U: nothing along the beam in Y
    EXPECT_EQ(R(p, 3, 2, 2).notCarried, 0);
    EXPECT_EQ(Last().anyNotCarried, 0);
}

TEST(CrossTransfer, OtherDirectionPullOutReachesTheOneSupportedEndAndGoesAcrossTheRest)
{
    // As above, but only (3,1) stands below the Y beam 1..5; an X beam along y = 5 from x = 1 to 5
    // on first-storey columns at (1,5) and (5,5) passes through P2 = (3,5). ΔN(X) = 1.6.
    // Supported end P1: e1 = 0.455 of s = 1.82 → 0.75 × 1.6 = 1.2 at (3,1).
    // Side 2 goes across at Q = (3,5): f = (1.82 − 1.365)/1.82 = 0.25; cross member 1..5,
    // t = 1.82, q = 0.91 → half each: 0.5 × 1.6 × 0.25 = 0.2 at (1,5) and at (5,5).
    // All of ΔN arrives: 1.2 + 0.2 + 0.2 = 1.6.
    Project p = NewProject(4, 4, 2, 2, LineNames::kNone);
    PlaceColumn(p, 1, 3, 1);
    PlaceColumn(p, 1, 1, 5);
    PlaceColumn(p, 1, 5, 5);
    PlaceColumn(p, 2, 3, 2);
    PlaceBeam(p, 2, kDirY, 3, 1, 5);
    PlaceBeam(p, 2, kDirX, 5, 1, 5);
    PlaceWall(p, 2, kDirX, 2, 3, 4, kKeyMenzai, 4);
    Calc(p);
    EXPECT_NEAR(R(p, 3, 1, 1).nCross[kDirX], 1.2f, kTol);
    EXPECT_NEAR(R(p, 1, 5, 1).nCross[kDirX], 0.2f, kTol);
    EXPECT_NEAR(R(p, 5, 5, 1).nCross[kDirX], 0.2f, kTol);
    EXPECT_EQ(R(p, 3, 2, 2).notCarried, 0);
    EXPECT_EQ(Last().anyNotCarried, 0);
}

TEST(CrossTransfer, EndWithoutLowerColumnIsNotCarried)
{
    // As the carried case, without the column at (3,5): its share is lost and flagged;
    // (3,1) still takes 0.4.
    Project p = CrossHouse(3, 3);
    p.nodes(3, 5, 1).columnKind = 0;
    Calc(p);
    EXPECT_NEAR(R(p, 3, 1, 1).nCross[kDirX], 0.4f, kTol);
    EXPECT_EQ(R(p, 2, 3, 2).notCarried, 1);
    EXPECT_EQ(Last().anyNotCarried, 1);
}

TEST(CrossTransfer, ColumnOnNoOrthogonalBeamIsNotCarried)
{
    // An upper column with a wall on no beam at all reaches no lower column.
    Project p = NewProject(4, 4, 2, 2, LineNames::kNone);
    PlaceColumn(p, 2, 2, 2);
    PlaceWall(p, 2, kDirY, 2, 2, 3, kKeyKesa, 2);
    Calc(p);
    EXPECT_EQ(R(p, 2, 2, 2).notCarried, 1);
    EXPECT_EQ(Last().anyNotCarried, 1);
    // Without any wall and with the commentary's L, it has nothing to pass down.
    Project q = NewProject(4, 4, 2, 2, LineNames::kNone);
    PlaceColumn(q, 2, 2, 2);
    Calc(q);
    EXPECT_EQ(R(q, 2, 2, 2).notCarried, 0);
    EXPECT_EQ(Last().anyNotCarried, 0);
}

TEST(CrossTransfer, ConnectionSearchPassesOverSpansWithoutBeam)
{
    // U at (2,2) has no beam at all, so it is carried in Y with the full share. Walking up from
    // it, the span (2,2)–(2,3) has no beam and is passed over; the Y beam (2,3)–(2,4) ends at
    // (2,4), where the X beam 1..5 on first-storey columns at (1,4) and (5,4) passes: the
    // connection node. q = 0.455 of t = 1.82: ΔN = 2.0 × 0.8 = 1.6 → (1,4) 1.2, (5,4) 0.4.
    // Walking down finds no beam: that side adds nothing, and nothing is flagged.
    Project p = NewProject(4, 4, 2, 2, LineNames::kNone);
    PlaceColumn(p, 1, 1, 4);
    PlaceColumn(p, 1, 5, 4);
    PlaceColumn(p, 2, 2, 2);
    PlaceBeam(p, 2, kDirX, 4, 1, 5);
    PlaceBeam(p, 2, kDirY, 2, 3, 4);
    PlaceWall(p, 2, kDirX, 2, 2, 3, kKeyMenzai, 4);
    Calc(p);
    EXPECT_NEAR(R(p, 1, 4, 1).nCross[kDirX], 1.2f, kTol);
    EXPECT_NEAR(R(p, 5, 4, 1).nCross[kDirX], 0.4f, kTol);
    EXPECT_EQ(R(p, 2, 2, 2).notCarried, 0);
    EXPECT_EQ(Last().anyNotCarried, 0);
}

TEST(CrossTransfer, IgnoredByTheSettingWhileBeamTransferGoesOn)
{
    Project p = CrossHouse(3, 3);
    p.nodes(3, 5, 1).columnKind = 0;
    p.grid.crossBeamIgnored = 1;
    Calc(p);
    for (const ColumnResult &r : Last().results) {
        EXPECT_EQ(r.nCross[kDirX], 0.0f);
        EXPECT_EQ(r.nCross[kDirY], 0.0f);
        EXPECT_EQ(r.notCarried, 0);
    }
    EXPECT_EQ(Last().anyNotCarried, 0);
    EXPECT_NEAR(R(p, 1, 3, 1).nBeam[kDirX], 0.8f, kTol);
}

// ---- The run as a whole ----

TEST(RunCalculation, CountsColumnsAndClearsHardwareOfEmptyNodes)
{
    Project p = NewProject(2, 2, 2, 2, LineNames::kNone);
    PlaceColumn(p, 1, 1, 1);
    PlaceColumn(p, 1, 3, 3);
    PlaceColumn(p, 2, 2, 2, 2);  // through column: one on each storey
    p.nodes(2, 1, 1).hardware[0] = QStringLiteral("(は)");
    p.nodes(2, 1, 1).hardware[1] = QStringLiteral("(は)");
    p.nodes(2, 1, 1).hardware[2] = QStringLiteral("(は)");
    p.nodes(1, 1, 1).hardware[1] = QStringLiteral("(と)");
    Calc(p);
    ASSERT_EQ(Last().columnCount.size(), 2);
    EXPECT_EQ(Last().columnCount[1], 3);
    EXPECT_EQ(Last().columnCount[2], 1);
    for (int i = 0; i <= 2; ++i)
        EXPECT_TRUE(p.nodes(2, 1, 1).hardware[i].isEmpty()) << i;
    EXPECT_EQ(p.nodes(1, 1, 1).hardware[1], QStringLiteral("(と)"));  // placed hardware stays
    EXPECT_EQ(p.nodes(1, 1, 1).hardware[0], QStringLiteral("(い)"));
}

TEST(RunCalculation, NBeyondTheTableIsLabelledAndTheRestGoesOn)
{
    // A through column with a lone 90×90 cross brace (5.0) beside it on both storeys; no floors:
    // corner, B 0.8, and no storey-2 floor around it, so L = 0.4:
    // N = 5.0×0.8 + 5.0×0.8 − 0.4 = 7.6, beyond the table.
    Project p = NewProject(2, 2, 2, 2, LineNames::kNone);
    PlaceColumn(p, 1, 1, 1, 2);
    PlaceColumn(p, 1, 3, 3);
    PlaceWall(p, 1, kDirX, 1, 1, 2, kKeyTasuki, 4);
    PlaceWall(p, 2, kDirX, 1, 1, 2, kKeyTasuki, 4);
    Calc(p);
    EXPECT_NEAR(TotalN(R(p, 1, 1, 1), kDirX), 7.6f, kTol);
    EXPECT_EQ(p.nodes(1, 1, 1).hardware[0], QStringLiteral("範囲外"));
    EXPECT_NEAR(TotalN(R(p, 1, 1, 2), kDirX), 3.6f, kTol);  // 5.0×0.8 − 0.4
    EXPECT_EQ(p.nodes(1, 1, 2).hardware[0], QStringLiteral("(ち)"));
    EXPECT_EQ(p.nodes(3, 3, 1).hardware[0], QStringLiteral("(い)"));
}

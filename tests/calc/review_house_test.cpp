// A complete two-storey house of 4 × 3 modules (8 × 6 spans of 0.455 m), every column worked
// out by hand from the method in both L settings: wall sides, bracing corrections, corners,
// single- and two-storey parts, a through column, an upper column on a floor beam between two
// lower columns (U1) and one carried on through an orthogonal beam (U2).
//
// Plan (nodes x 1..9, y 1..7). Storey 1 floored everywhere; storey 2 floored over cells
// x 1..6, y 1..6 (the right module, x 7..9, is a single-storey part).
//   Storey-1 columns: (1,1) 通し柱, (5,1), (7,1), (9,1), (1,3), (9,4), (1,7), (5,7), (7,7), (9,7).
//   Storey-2 columns: (1,1) 通し柱, U1 (2,1), (7,1), U2 (4,3), (1,7), (7,7).
//   Storey-2 floor beams: X y = 1 (1..7), X y = 3 (1..5), X y = 7 (1..7),
//                         Y x = 1 (1..7), Y x = 5 (1..7), Y x = 7 (1..7).
//   Storey-1 walls: X y=1 5..7 たすき 45×90 (4.0); X y=1 7..9 board 2.5; X y=3 1..3 board 3.0;
//     Y x=1 1..3 けさ 45×90 (2.0) upper end at y=1; Y x=1 3..7 board 1.0;
//     Y x=9 1..4 たすき 15×90 (2.0); Y x=9 4..7 けさ 90×90 (3.0) upper end at y=7;
//     X y=7 5..7 けさ 30×90 (1.5) upper end at x=5; X y=7 7..9 board 2.0.
//   Storey-2 walls: X y=1 1..2 たすき 30×90 (3.0); X y=1 2..3 けさ 45×90 (2.0) upper end at x=2;
//     X y=1 5..7 board 2.0; Y x=1 1..3 けさ 90×90 (3.0) upper end at y=3;
//     X y=3 3..4 けさ 30×90 (1.5) upper end at x=4 and a 4.0 board in the same span;
//     X y=7 1..3 たすき 15×90 (2.0); Y x=7 5..7 けさ 15×90 (1.0) upper end at y=5.
//
// Brace value V: 15×90 0, 30×90 and 45×90 0.5, 90×90 2.0 (+ at the column top, − at the foot;
// a cross brace against nothing or a single brace at the foot: 0). B 0.8 corner / 0.5 other.
#include <gtest/gtest.h>

#include <vector>

#include "calc/n_value.h"
#include "support/house_builder.h"
#include "support/calculated.h"

using namespace rqx;
using namespace rqx::samples;

namespace {

Project ReviewHouse(int lMode)
{
    Project p = NewProject(8, 6, 2, 2, LineNames::kNone);
    p.grid.lCoefficientMode = lMode;
    PlaceFloor(p, 1, 1, 1, 9, 7);
    PlaceFloor(p, 2, 1, 1, 7, 7);

    PlaceColumn(p, 1, 1, 1, 2);
    for (auto [x, y] : {std::pair{5, 1}, {7, 1}, {9, 1}, {1, 3}, {9, 4}, {1, 7}, {5, 7}, {7, 7}, {9, 7}})
        PlaceColumn(p, 1, x, y);
    for (auto [x, y] : {std::pair{2, 1}, {7, 1}, {4, 3}, {1, 7}, {7, 7}})
        PlaceColumn(p, 2, x, y);

    PlaceBeam(p, 2, kDirX, 1, 1, 7);
    PlaceBeam(p, 2, kDirX, 3, 1, 5);
    PlaceBeam(p, 2, kDirX, 7, 1, 7);
    PlaceBeam(p, 2, kDirY, 1, 1, 7);
    PlaceBeam(p, 2, kDirY, 5, 1, 7);
    PlaceBeam(p, 2, kDirY, 7, 1, 7);

    PlaceWall(p, 1, kDirX, 1, 5, 7, kKeyTasuki, 3);
    PlaceWall(p, 1, kDirX, 1, 7, 9, kKeyMenzai, 5);
    PlaceWall(p, 1, kDirX, 3, 1, 3, kKeyMenzai, 6);
    PlaceWall(p, 1, kDirY, 1, 1, 3, kKeyKesa, 3, {.towardLower = true});
    PlaceWall(p, 1, kDirY, 1, 3, 7, kKeyMenzai, 2);
    PlaceWall(p, 1, kDirY, 9, 1, 4, kKeyTasuki, 1);
    PlaceWall(p, 1, kDirY, 9, 4, 7, kKeyKesa, 4);
    PlaceWall(p, 1, kDirX, 7, 5, 7, kKeyKesa, 2, {.towardLower = true});
    PlaceWall(p, 1, kDirX, 7, 7, 9, kKeyMenzai, 4);

    PlaceWall(p, 2, kDirX, 1, 1, 2, kKeyTasuki, 2);
    PlaceWall(p, 2, kDirX, 1, 2, 3, kKeyKesa, 3, {.towardLower = true});
    PlaceWall(p, 2, kDirX, 1, 5, 7, kKeyMenzai, 4);
    PlaceWall(p, 2, kDirY, 1, 1, 3, kKeyKesa, 4);
    PlaceWall(p, 2, kDirX, 3, 3, 4, kKeyKesa, 2);
    PlaceWall(p, 2, kDirX, 3, 3, 4, kKeyMenzai, 8);
    PlaceWall(p, 2, kDirX, 7, 1, 3, kKeyTasuki, 1);
    PlaceWall(p, 2, kDirY, 7, 5, 7, kKeyKesa, 1, {.towardLower = true});
    return p;
}

struct Column {
    int level, x, y;
    int corner;
    float aX, aY, b, l;
    float ownX, ownY, beamX, beamY, crossX, crossY, totalX, totalY;
    const char *label;
};

void CheckHouse(const Project &p, const Calculation &calc, const std::vector<Column> &columns)
{
    constexpr float kTol = 2e-6f;
    EXPECT_EQ(calc.columnCount[1], 10);
    EXPECT_EQ(calc.columnCount[2], 6);
    ASSERT_EQ(columns.size(), 16u);
    for (const Column &c : columns) {
        SCOPED_TRACE(testing::Message() << "storey " << c.level << " (" << c.x << "," << c.y << ")");
        const ColumnResult &r = calc.results(c.x, c.y, c.level);
        EXPECT_EQ(p.nodes(c.x, c.y, c.level).isCorner, c.corner);
        EXPECT_NEAR(r.aValue[kDirX], c.aX, kTol);
        EXPECT_NEAR(r.aValue[kDirY], c.aY, kTol);
        EXPECT_FLOAT_EQ(r.bValue, c.b);
        EXPECT_FLOAT_EQ(r.lValue, c.l);
        EXPECT_NEAR(r.nOwn[kDirX], c.ownX, kTol);
        EXPECT_NEAR(r.nOwn[kDirY], c.ownY, kTol);
        EXPECT_NEAR(r.nBeam[kDirX], c.beamX, kTol);
        EXPECT_NEAR(r.nBeam[kDirY], c.beamY, kTol);
        EXPECT_NEAR(r.nCross[kDirX], c.crossX, kTol);
        EXPECT_NEAR(r.nCross[kDirY], c.crossY, kTol);
        EXPECT_NEAR(TotalN(r, kDirX), c.totalX, kTol);
        EXPECT_NEAR(TotalN(r, kDirY), c.totalY, kTol);
        EXPECT_EQ(r.notCarried, 0);
        EXPECT_EQ(p.nodes(c.x, c.y, c.level).hardware[0], QString::fromUtf8(c.label));
    }
    EXPECT_EQ(calc.anyNotCarried, 0);
}

// Storey 2, formula (1) N = A×B − L, the same in both settings (L 0.4 corner / 0.6 other).
const std::vector<Column> kUpper = {
    // (1,1) corner (storey-2 cell (1,1) only). X: side 2 たすき 3.0 against nothing: A 3.0,
    //   2.4 − 0.4 = 2.0. Y: けさ 90×90 rising away from it, foot: A = 3.0 − 2.0 = 1.0; 0.4.
    {2, 1, 1, 1, 3.0f, 1.0f, 0.8f, 0.4f, 2.0f, 0.4f, 0, 0, 0, 0, 2.0f, 0.4f, "(と)"},
    // U1 (2,1), two cells: B 0.5. X: side 1 たすき 3.0, side 2 けさ 45×90 with its upper end
    //   here (side-2 code 2, top): V = 0.5 against a cross brace; A = |3.0 − 2.0| + 0.5 = 1.5;
    //   0.75 − 0.6 = 0.15 → (ろ).
    {2, 2, 1, 0, 1.5f, 0.0f, 0.5f, 0.6f, 0.15f, -0.6f, 0, 0, 0, 0, 0.15f, -0.6f, "(ろ)"},
    // (7,1) corner (cell (6,1) only). X: board 2.0 on side 1: 1.6 − 0.4 = 1.2 → (に).
    {2, 7, 1, 1, 2.0f, 0.0f, 0.8f, 0.4f, 1.2f, -0.4f, 0, 0, 0, 0, 1.2f, -0.4f, "(に)"},
    // U2 (4,3), four cells. X side 1: 1.5 + 4.0 = 5.5 held at 5.0; the けさ's upper end is here
    //   (side-1 code 1, top): +0.5; A = 5.5; 2.75 − 0.6 = 2.15 → (と).
    {2, 4, 3, 0, 5.5f, 0.0f, 0.5f, 0.6f, 2.15f, -0.6f, 0, 0, 0, 0, 2.15f, -0.6f, "(と)"},
    // (1,7) corner. X: たすき 15×90 (2.0) on side 2: 1.6 − 0.4 = 1.2.
    {2, 1, 7, 1, 2.0f, 0.0f, 0.8f, 0.4f, 1.2f, -0.4f, 0, 0, 0, 0, 1.2f, -0.4f, "(に)"},
    // (7,7) corner. Y: けさ 15×90 with its foot here: A = 1.0 − 0 = 1.0; 0.8 − 0.4 = 0.4.
    {2, 7, 7, 1, 0.0f, 1.0f, 0.8f, 0.4f, -0.4f, 0.4f, 0, 0, 0, 0, -0.4f, 0.4f, "(ろ)"},
};

}  // namespace

// Pull-out of the two storey-2 columns that stand on no storey-1 column (the commentary's L:
// ΔN = A×B, passed only by a column with a wall in that direction).
//   U1 (2,1), ΔN X = 1.5×0.5 = 0.75. The X floor beam y = 1 rests on the storey-1 columns at
//     x = 1, 5 and 7: U1 lies on the member 1..5 (1.82 m), both of whose ends stand on columns,
//     so it reaches them along the beam: (1,1) u = (1.82 − 0.455)/1.82 = 0.75 → 0.5625,
//     (5,1) u = (1.82 − 1.365)/1.82 = 0.25 → 0.1875. No Y wall: nothing in Y.
//   U2 (4,3), ΔN X = 5.5×0.5 = 2.75. The X beam y = 3 runs 1..5 from the column (1,3) to (5,3),
//     where the Y beam x = 5 (1..7, on columns (5,1) and (5,7), 2.73 m) passes.
//     Along the beam: (1,3) u = (1.82 − 1.365)/1.82 = 0.25 → 0.6875.
//     Across: P1 = (1,3) stands on a column, so only side 2 goes on, with the share of the far
//     end P2 = (5,3): f = (1.82 − 0.455)/1.82 = 0.75; connection node (5,3), q = 0.91 of
//     t = 2.73: (5,1) takes 2/3 × 2.75 × 0.75 = 1.375, (5,7) 1/3 × 2.75 × 0.75 = 0.6875.
//     The whole 2.75 arrives somewhere.
TEST(ReviewHouse, EveryColumnByTheCommentary)
{
    Project p = ReviewHouse(0);
    Calculation c = test::Calculated(p);
    std::vector<Column> columns = kUpper;
    // Storey 1. Two-storey part (a storey-2 cell around): L 1.0 corner / 1.6 other;
    // single-storey part (x = 9): 0.4 / 0.6. N = A2×B2 + A×B − L.
    columns.insert(
        columns.end(),
        {
            // (1,1) 通し柱, corner. X: nothing below, above A2 3.0: 2.4 − 1.0 = 1.4; + 0.5625 = 1.9625.
            //   Y: けさ 45×90 with its upper end here (side-2 code 2, top): A = 2.0 + 0.5 = 2.5;
            //   1.0×0.8 + 2.5×0.8 − 1.0 = 1.8. N = 1.9625 → (と).
            {1, 1, 1, 1, 0.0f, 2.5f, 0.8f, 1.0f, 1.4f, 1.8f, 0.5625f, 0, 0, 0, 1.9625f, 1.8f, "(と)"},
            // (5,1) X: lone たすき 4.0 on side 2: 2.0 − 1.6 = 0.4; + 0.1875 + 1.375 = 1.9625 → (と).
            {1, 5, 1, 0, 4.0f, 0.0f, 0.5f, 1.6f, 0.4f, -1.6f, 0.1875f, 0, 1.375f, 0, 1.9625f, -1.6f, "(と)"},
            // (7,1) X: たすき 4.0 | board 2.5, no correction: A 1.5; above 2.0×0.8:
            //   1.6 + 0.75 − 1.6 = 0.75 → (は).
            {1, 7, 1, 0, 1.5f, 0.0f, 0.5f, 1.6f, 0.75f, -1.6f, 0, 0, 0, 0, 0.75f, -1.6f, "(は)"},
            // (9,1) corner of the single-storey part. X: board 2.5: 2.0 − 0.4 = 1.6, the limit of (ほ).
            //   Y: lone たすき 15×90 (2.0): 1.6 − 0.4 = 1.2.
            {1, 9, 1, 1, 2.5f, 2.0f, 0.8f, 0.4f, 1.6f, 1.2f, 0, 0, 0, 0, 1.6f, 1.2f, "(ほ)"},
            // (1,3) X: board 3.0: 1.5 − 1.6 = −0.1; + 0.6875 = 0.5875 → (ろ).
            //   Y: けさ 45×90 with its foot here (side-1 code 2) | board 1.0: A = 1.0 − 0.5 = 0.5;
            //   0.25 − 1.6 = −1.35.
            {1, 1, 3, 0, 3.0f, 0.5f, 0.5f, 1.6f, -0.1f, -1.35f, 0.6875f, 0, 0, 0, 0.5875f, -1.35f, "(ろ)"},
            // (9,4) single-storey part, other: L 0.6. Y: たすき 2.0 | けさ 90×90 foot (side-2 code 1):
            //   cross brace against a foot: 0; A = |2.0 − 3.0| = 1.0; 0.5 − 0.6 = −0.1.
            {1, 9, 4, 0, 0.0f, 1.0f, 0.5f, 0.6f, -0.6f, -0.1f, 0, 0, 0, 0, -0.6f, -0.1f, "(い)"},
            // (1,7) corner. X: above 2.0×0.8 − 1.0 = 0.6 → (ろ). Y: board 1.0: 0.8 − 1.0 = −0.2.
            {1, 1, 7, 1, 0.0f, 1.0f, 0.8f, 1.0f, 0.6f, -0.2f, 0, 0, 0, 0, 0.6f, -0.2f, "(ろ)"},
            // (5,7) X: けさ 30×90 with its upper end here (side-2 code 2): A = 1.5 + 0.5 = 2.0;
            //   1.0 − 1.6 = −0.6; + 0.6875 = 0.0875 → (ろ).
            {1, 5, 7, 0, 2.0f, 0.0f, 0.5f, 1.6f, -0.6f, -1.6f, 0, 0, 0.6875f, 0, 0.0875f, -1.6f, "(ろ)"},
            // (7,7) X: けさ 30×90 foot (side-1 code 2) | board 2.0: A = 0.5 − 0.5 = 0; −1.6.
            //   Y: above 1.0×0.8: 0.8 − 1.6 = −0.8.
            {1, 7, 7, 0, 0.0f, 0.0f, 0.5f, 1.6f, -1.6f, -0.8f, 0, 0, 0, 0, -1.6f, -0.8f, "(い)"},
            // (9,7) corner, single-storey part. X: board 2.0: 1.2. Y: けさ 90×90 with its upper end
            //   here (side-1 code 1): A = 3.0 + 2.0 = 5.0; 4.0 − 0.4 = 3.6 → (ち).
            {1, 9, 7, 1, 2.0f, 5.0f, 0.8f, 0.4f, 1.2f, 3.6f, 0, 0, 0, 0, 1.2f, 3.6f, "(ち)"},
        });
    CheckHouse(p, c, columns);

    // The report's terms of nBeam, one by one: U1 is the only one on both sides of it.
    const auto terms = [&](int x, int y) { return c.termsOf(x, y, kDirX, PullOutPath::AlongBeam); };
    ASSERT_EQ(terms(1, 1).size(), 1u);
    EXPECT_EQ(terms(1, 1)[0].upperX, 2);
    EXPECT_EQ(terms(1, 1)[0].upperY, 1);
    EXPECT_NEAR(terms(1, 1)[0].ratio, 0.75f, 1e-6f);
    ASSERT_EQ(terms(5, 1).size(), 1u);
    EXPECT_EQ(terms(5, 1)[0].upperX, 2);
    EXPECT_EQ(terms(5, 1)[0].side, 1);
    EXPECT_NEAR(terms(5, 1)[0].ratio, 0.25f, 1e-6f);
    ASSERT_EQ(terms(1, 3).size(), 1u);
    EXPECT_EQ(terms(1, 3)[0].upperX, 4);
    EXPECT_NEAR(terms(1, 3)[0].ratio, 0.25f, 1e-6f);
}

// The user's L: storey-1 L of the two-storey part 0.6 corner / 1.0 other, plus L2 of the column
// above (Leff); every column passes ΔN = A×B − L, walls or not.
//   U1: X 0.75 − 0.6 = 0.15 → (1,1) 0.75 × 0.15 = 0.1125, (5,1) 0.25 × 0.15 = 0.0375.
//       Y −0.6: it is carried in X on the member 1..5 whose both ends stand on columns, so its
//       Y pull-out would only go to them across; a hold-down is not passed that way.
//   U2: X 2.75 − 0.6 = 2.15 → (1,3) 0.25 × 2.15 = 0.5375; (5,1) 2/3 × 2.15 × 0.75 = 1.075,
//       (5,7) 1/3 × 2.15 × 0.75 = 0.5375.
//       Y −0.6, carried in X as above: (5,1) 2/3 × −0.6 × 0.75 = −0.3, (5,7) −0.15; the
//       quarter toward (1,3) reaches nobody, as that column collects only X along the beam.
TEST(ReviewHouse, EveryColumnByTheUserSetting)
{
    Project p = ReviewHouse(1);
    Calculation c = test::Calculated(p);
    std::vector<Column> columns = kUpper;
    columns.insert(
        columns.end(),
        {
            // (1,1) L 0.6, Leff 0.6 + 0.4 = 1.0: own as by the commentary. X 1.4 + 0.1125 = 1.5125;
            //   Y 1.8 is the larger, the limit of (へ).
            {1, 1, 1, 1, 0.0f, 2.5f, 0.8f, 0.6f, 1.4f, 1.8f, 0.1125f, 0, 0, 0, 1.5125f, 1.8f, "(へ)"},
            // (5,1) L 1.0, no column above. X: 2.0 − 1.0 = 1.0; + 0.0375 + 1.075 = 2.1125 → (と).
            //   Y: −1.0 − 0.3 = −1.3.
            {1, 5, 1, 0, 4.0f, 0.0f, 0.5f, 1.0f, 1.0f, -1.0f, 0.0375f, 0, 1.075f, -0.3f, 2.1125f, -1.3f,
             "(と)"},
            // (7,1) Leff 1.0 + 0.4 = 1.4. X: 1.6 + 0.75 − 1.4 = 0.95 → (は). Y: −1.4.
            {1, 7, 1, 0, 1.5f, 0.0f, 0.5f, 1.0f, 0.95f, -1.4f, 0, 0, 0, 0, 0.95f, -1.4f, "(は)"},
            // Single-storey part: L as in the commentary.
            {1, 9, 1, 1, 2.5f, 2.0f, 0.8f, 0.4f, 1.6f, 1.2f, 0, 0, 0, 0, 1.6f, 1.2f, "(ほ)"},
            // (1,3) L 1.0. X: 1.5 − 1.0 = 0.5; + 0.5375 = 1.0375 → (に). Y: 0.25 − 1.0 = −0.75.
            {1, 1, 3, 0, 3.0f, 0.5f, 0.5f, 1.0f, 0.5f, -0.75f, 0.5375f, 0, 0, 0, 1.0375f, -0.75f, "(に)"},
            {1, 9, 4, 0, 0.0f, 1.0f, 0.5f, 0.6f, -0.6f, -0.1f, 0, 0, 0, 0, -0.6f, -0.1f, "(い)"},
            // (1,7) Leff 0.6 + 0.4 = 1.0: as by the commentary.
            {1, 1, 7, 1, 0.0f, 1.0f, 0.8f, 0.6f, 0.6f, -0.2f, 0, 0, 0, 0, 0.6f, -0.2f, "(ろ)"},
            // (5,7) L 1.0. X: 1.0 − 1.0 = 0; + 0.5375 → (ろ). Y: −1.0 − 0.15 = −1.15.
            {1, 5, 7, 0, 2.0f, 0.0f, 0.5f, 1.0f, 0.0f, -1.0f, 0, 0, 0.5375f, -0.15f, 0.5375f, -1.15f, "(ろ)"},
            // (7,7) Leff 1.4. X: −1.4. Y: 0.8 − 1.4 = −0.6.
            {1, 7, 7, 0, 0.0f, 0.0f, 0.5f, 1.0f, -1.4f, -0.6f, 0, 0, 0, 0, -1.4f, -0.6f, "(い)"},
            {1, 9, 7, 1, 2.0f, 5.0f, 0.8f, 0.4f, 1.2f, 3.6f, 0, 0, 0, 0, 1.2f, 3.6f, "(ち)"},
        });
    CheckHouse(p, c, columns);
}

// Three small complete houses, every column's N and class worked out by hand.
// Spans 0.455 m. B: 0.8 corner / 0.5 other. L: storey 2 and single-storey parts 0.4 / 0.6;
// storey 1 under a second storey 1.0 / 1.6 (commentary), 0.6 / 1.0 + L2 (user setting).
// Brace value V: 30×90 and 45×90 0.5, 90×90 2.0; + at the column top, − at the foot.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "calc/hardware_class.h"
#include "calc/n_value.h"
#include "model/project_file.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"
#include "support/calculated.h"

using namespace rqx;
using namespace rqx::samples;

namespace {

struct Expected {
    int level, x, y;
    float ownX, ownY, beamX, beamY, crossX, crossY;
    const char *label;
};

void CheckEveryColumn(const Project &p, const Calculation &c, const std::vector<Expected> &table)
{
    int columns = 0;
    for (int level = 1; level <= p.dims.floorCount; ++level)
        columns += c.columnCount[level];
    EXPECT_EQ(columns, static_cast<int>(table.size())) << "every column is listed";
    for (const Expected &e : table) {
        SCOPED_TRACE(testing::Message() << "level " << e.level << " (" << e.x << "," << e.y << ")");
        ASSERT_GT(p.nodes(e.x, e.y, e.level).columnKind, 0);
        const ColumnResult &r = c.results(e.x, e.y, e.level);
        EXPECT_NEAR(r.nOwn[kDirX], e.ownX, 1e-6f);
        EXPECT_NEAR(r.nOwn[kDirY], e.ownY, 1e-6f);
        EXPECT_NEAR(r.nBeam[kDirX], e.beamX, 1e-6f);
        EXPECT_NEAR(r.nBeam[kDirY], e.beamY, 1e-6f);
        EXPECT_NEAR(r.nCross[kDirX], e.crossX, 1e-6f);
        EXPECT_NEAR(r.nCross[kDirY], e.crossY, 1e-6f);
        EXPECT_EQ(p.nodes(e.x, e.y, e.level).hardware[0], QString::fromUtf8(e.label));
    }
}

// The terms the calculation recorded, side by side, add up to nBeam of every column below the top
// storey, and each is its share of the upper column's ΔN.
void CheckBeamTermsAddUp(const Project &p, const Calculation &c)
{
    const bool user = p.grid.lCoefficientMode != 0;
    for (int level = 1; level < p.dims.floorCount; ++level)
        for (int y = 1; y <= p.dims.spanCountY + 1; ++y)
            for (int x = 1; x <= p.dims.spanCountX + 1; ++x) {
                if (p.nodes(x, y, level).columnKind <= 0)
                    continue;
                for (int d = kDirX; d <= kDirY; ++d) {
                    float sides[3] = {0.0f, 0.0f, 0.0f};
                    for (const PullOutTerm &t : c.termsOf(x, y, d, PullOutPath::AlongBeam)) {
                        EXPECT_EQ(t.amount,
                                  t.ratio * PullOutForce(c.results(t.upperX, t.upperY, level + 1), d, user));
                        sides[t.side] += t.amount;
                    }
                    EXPECT_EQ(sides[1] + sides[2], c.results(x, y, level).nBeam[d])
                        << "level " << level << " (" << x << "," << y << ") d " << d;
                }
            }
}

}  // namespace

TEST(Houses, OneStorey)
{
    Project p = HandWorkedOneStorey();
    Calculation c = test::Calculated(p);
    CheckEveryColumn(p, c,
                     {
                         // (1,1) corner. X: brace's lower end here, A = 2.0 − 0.5 = 1.5, 1.5×0.8 − 0.4 = 0.8.
                         //       Y: lone cross brace, A = 3.0, 3.0×0.8 − 0.4 = 2.0 → (と).
                         {1, 1, 1, 0.8f, 2.0f, 0, 0, 0, 0, "(と)"},
                         // (3,1) X: brace's upper end, A = 2.0 + 0.5 = 2.5, 2.5×0.5 − 0.6 = 0.65 → (ろ).
                         {1, 3, 1, 0.65f, -0.6f, 0, 0, 0, 0, "(ろ)"},
                         {1, 5, 1, -0.4f, -0.4f, 0, 0, 0, 0, "(い)"},
                         // (1,2) Y: cross brace below, A = 3.0: 1.5 − 0.6 = 0.9 → (は).
                         {1, 1, 2, -0.6f, 0.9f, 0, 0, 0, 0, "(は)"},
                         // (5,2) Y: 90×90 with its upper end here: A = 3.0 + 2.0 = 5.0: 2.5 − 0.6 = 1.9.
                         {1, 5, 2, -0.6f, 1.9f, 0, 0, 0, 0, "(と)"},
                         {1, 1, 3, -0.4f, -0.4f, 0, 0, 0, 0, "(い)"},
                         // (3,3) X: board 2.5 on side 2: 1.25 − 0.6 = 0.65.
                         {1, 3, 3, 0.65f, -0.6f, 0, 0, 0, 0, "(ろ)"},
                         // (5,3) corner. X: 2.5×0.8 − 0.4 = 1.6 → (ほ). Y: foot of the 90×90 brace,
                         //       A = 3.0 − 2.0 = 1.0: 0.8 − 0.4 = 0.4.
                         {1, 5, 3, 1.6f, 0.4f, 0, 0, 0, 0, "(ほ)"},
                     });
    EXPECT_EQ(c.anyNotCarried, 0);
    EXPECT_EQ(c.wallLineFlags(kDirX, 1, 1), 1);
    EXPECT_EQ(c.wallLineFlags(kDirX, 2, 1), 0);
    EXPECT_EQ(c.wallLineFlags(kDirY, 5, 1), 1);
}

// Storey 2 (formula (1), the same in both settings).
const std::vector<Expected> kTwoStoreyUpper = {
    {2, 1, 1, -0.4f, -0.4f, 0, 0, 0, 0, "(い)"},
    // (3,1) X: 2.0 board on side 2: 2.0×0.5 − 0.6 = 0.4.
    {2, 3, 1, 0.4f, -0.6f, 0, 0, 0, 0, "(ろ)"},
    // (5,1) corner X: 2.0×0.8 − 0.4 = 1.2.
    {2, 5, 1, 1.2f, -0.4f, 0, 0, 0, 0, "(に)"},
    // (1,3) corner X: brace's lower end, A = 1.5: 1.2 − 0.4 = 0.8.
    {2, 1, 3, 0.8f, -0.4f, 0, 0, 0, 0, "(は)"},
    // (3,3) through column, upper part X: brace's upper end, A = 2.5: 1.25 − 0.6 = 0.65.
    {2, 3, 3, 0.65f, -0.6f, 0, 0, 0, 0, "(ろ)"},
    {2, 5, 3, -0.4f, -0.4f, 0, 0, 0, 0, "(い)"},
};

TEST(Houses, TwoStoreysWithThroughColumnByTheCommentary)
{
    Project p = HandWorkedTwoStorey(0);
    Calculation c = test::Calculated(p);
    std::vector<Expected> table = kTwoStoreyUpper;
    table.insert(table.end(), {
                                  // (1,1) corner, L 1.0. X: A 0, above A2 0: −1.0; (3,1) passes ΔN = 1.0 with
                                  //       u = 0.5: nBeam 0.5. Y: cross brace 4.0: 4.0×0.8 − 1.0 = 2.2 → (と).
                                  {1, 1, 1, -1.0f, 2.2f, 0.5f, 0, 0, 0, "(と)"},
                                  // (5,1) X: above 2.0×0.8, own 0: 1.6 − 1.0 = 0.6, + 0.5 = 1.1 → (に).
                                  {1, 5, 1, 0.6f, -1.0f, 0.5f, 0, 0, 0, "(に)"},
                                  // (1,3) X: above 1.5×0.8 − 1.0 = 0.2. Y: 4.0×0.8 − 1.0 = 2.2.
                                  {1, 1, 3, 0.2f, 2.2f, 0, 0, 0, 0, "(と)"},
                                  // (3,3) through column, L 1.6. X: 2.5×0.5 + 3.0×0.5 − 1.6 = 1.15.
                                  {1, 3, 3, 1.15f, -1.6f, 0, 0, 0, 0, "(に)"},
                                  // (1,2) cross braces on both sides: A 0.
                                  {1, 1, 2, -1.6f, -1.6f, 0, 0, 0, 0, "(い)"},
                                  {1, 5, 2, -1.6f, -1.6f, 0, 0, 0, 0, "(い)"},
                                  // (5,3) corner X: 3.0×0.8 − 1.0 = 1.4000001, within the tolerance of (に).
                                  {1, 5, 3, 1.4f, -1.0f, 0, 0, 0, 0, "(に)"},
                              });
    CheckEveryColumn(p, c, table);
    EXPECT_EQ(c.anyNotCarried, 0);
    CheckBeamTermsAddUp(p, c);
}

TEST(Houses, TwoStoreysWithThroughColumnByTheUserSetting)
{
    Project p = HandWorkedTwoStorey(1);
    Calculation c = test::Calculated(p);
    std::vector<Expected> table = kTwoStoreyUpper;
    table.insert(table.end(), {
                                  // (1,1) L = 0.6 + 0.4 = 1.0; (3,1) passes 1.0 − 0.6 = 0.4, half: 0.2.
                                  {1, 1, 1, -1.0f, 2.2f, 0.2f, 0, 0, 0, "(と)"},
                                  // (5,1) 0.6 + 0.2 = 0.8 → (は).
                                  {1, 5, 1, 0.6f, -1.0f, 0.2f, 0, 0, 0, "(は)"},
                                  {1, 1, 3, 0.2f, 2.2f, 0, 0, 0, 0, "(と)"},
                                  // (3,3) L = 1.0 + 0.6 = 1.6, as by the commentary.
                                  {1, 3, 3, 1.15f, -1.6f, 0, 0, 0, 0, "(に)"},
                                  // No column above: L = 1.0.
                                  {1, 1, 2, -1.0f, -1.0f, 0, 0, 0, 0, "(い)"},
                                  {1, 5, 2, -1.0f, -1.0f, 0, 0, 0, 0, "(い)"},
                                  {1, 5, 3, 1.4f, -1.0f, 0, 0, 0, 0, "(に)"},
                              });
    CheckEveryColumn(p, c, table);
    EXPECT_EQ(c.anyNotCarried, 0);
    CheckBeamTermsAddUp(p, c);
}

TEST(Houses, SecondStoreyColumnOnABeamOverNoColumn)
{
    // U: A = 5.0, B 0.5, ΔN = 2.5; N = 2.5 − 0.6 = 1.9 → (と).
    // Along the beam: (1,3) takes u = (0.91 − 0.455)/0.91 = 0.5 → 1.25.
    // Across: P1 = (1,3) has a column, so side 2 only; f = 0.5; the Y member 1..5 is met at its
    // middle: 0.5 × 2.5 × 0.5 = 0.625 to (3,1) and to (3,5).
    Project p = HandWorkedCrossBeam();
    Calculation c = test::Calculated(p);
    const std::vector<Expected> upper = {
        {2, 1, 1, -0.4f, -0.4f, 0, 0, 0, 0, "(い)"}, {2, 5, 1, -0.4f, -0.4f, 0, 0, 0, 0, "(い)"},
        {2, 1, 5, -0.4f, -0.4f, 0, 0, 0, 0, "(い)"}, {2, 5, 5, -0.4f, -0.4f, 0, 0, 0, 0, "(い)"},
        {2, 2, 3, 1.9f, -0.6f, 0, 0, 0, 0, "(と)"},
    };
    std::vector<Expected> table = upper;
    table.insert(table.end(), {
                                  // (1,1) corner, L 1.0. X: brace's upper end, A = 1.5 + 0.5 = 2.0: 0.6.
                                  //       Y: 2.5×0.8 − 1.0 = 1.0 → (は).
                                  {1, 1, 1, 0.6f, 1.0f, 0, 0, 0, 0, "(は)"},
                                  // (3,1) X: brace's foot, A = 1.0: 0.5 − 1.6 = −1.1, + 0.625 = −0.475.
                                  {1, 3, 1, -1.1f, -1.6f, 0, 0, 0.625f, 0, "(い)"},
                                  {1, 5, 1, -1.0f, -1.0f, 0, 0, 0, 0, "(い)"},
                                  // (1,3) X: 3.0×0.5 − 1.6 = −0.1, + 1.25 = 1.15 → (に). Y: 1.25 − 1.6.
                                  {1, 1, 3, -0.1f, -0.35f, 1.25f, 0, 0, 0, "(に)"},
                                  {1, 1, 5, -1.0f, -1.0f, 0, 0, 0, 0, "(い)"},
                                  // (3,5) X: 2.0×0.5 − 1.6 = −0.6, + 0.625 = 0.025 → (ろ).
                                  {1, 3, 5, -0.6f, -1.6f, 0, 0, 0.625f, 0, "(ろ)"},
                                  // (5,5) corner X: 2.0×0.8 − 1.0 = 0.6.
                                  {1, 5, 5, 0.6f, -1.0f, 0, 0, 0, 0, "(ろ)"},
                              });
    CheckEveryColumn(p, c, table);
    EXPECT_EQ(c.results(2, 3, 2).notCarried, 0);
    EXPECT_EQ(c.anyNotCarried, 0);
    CheckBeamTermsAddUp(p, c);

    // Not considering orthogonal beams: no nCross; (3,1) and (3,5) drop to (い).
    p.grid.crossBeamIgnored = 1;
    c = test::Calculated(p);
    EXPECT_EQ(c.results(3, 1, 1).nCross[kDirX], 0.0f);
    EXPECT_EQ(c.results(3, 5, 1).nCross[kDirX], 0.0f);
    EXPECT_EQ(p.nodes(3, 5, 1).hardware[0], QStringLiteral("(い)"));
    EXPECT_NEAR(c.results(1, 3, 1).nBeam[kDirX], 1.25f, 1e-6f);
    CheckBeamTermsAddUp(p, c);

    // Without the column at (3,5) the Y member ends on nothing: U is not carried.
    p.grid.crossBeamIgnored = 0;
    p.nodes(3, 5, 1).columnKind = 0;
    c = test::Calculated(p);
    EXPECT_EQ(c.results(2, 3, 2).notCarried, 1);
    EXPECT_EQ(c.anyNotCarried, 1);
    EXPECT_NEAR(c.results(3, 1, 1).nCross[kDirX], 0.625f, 1e-6f);
}

TEST(Houses, SampleFileTermsAddUpInBothSettings)
{
    // The sample project of the file tests: 16 × 12 spans with a second storey over part of it.
    Project p;
    ASSERT_TRUE(LoadProjectFile(QStringLiteral(VELM_TEST_DATA_DIR "/two_storey.RQX"), p).ok);
    for (int mode = 0; mode <= 1; ++mode) {
        p.grid.lCoefficientMode = mode;
        Calculation c = test::Calculated(p);
        float nBeamSum = 0.0f;
        for (const ColumnResult &r : c.results)
            nBeamSum += std::abs(r.nBeam[kDirX]) + std::abs(r.nBeam[kDirY]);
        EXPECT_GT(nBeamSum, 0.0f) << "the sample passes pull-out along its floor beams";
        CheckBeamTermsAddUp(p, c);
    }
}

// Two rules no other house pins. A share of pull-out as small as a long beam gives still carries
// (only shares below one millionth are dropped), and a void of the second storey above a
// first-storey column makes it a column of a two-storey part, as a floor would.
TEST(Houses, ASmallShareOfALongBeamCarriesAndAVoidAboveCountsAsSecondStorey)
{
    // 120 × 2 spans of 0.2275 m, both storeys floored. The floor beam on Y line 1 runs from the
    // first-storey column (1,1) to (121,1); the second-storey column U at (120,1), one span short of
    // the far end, has a 2.0 board beside it: A 2.0, B 0.5 (not a corner), ΔN = 1.0 in X.
    Project p = NewProject(120, 2, 2, 4, LineNames::kNone);
    PlaceFloor(p, 1, 1, 1, 121, 3);
    PlaceFloor(p, 2, 1, 1, 121, 3);
    PlaceFloor(p, 2, 60, 1, 62, 3, 2);  // voids on every cell around (61,2)
    for (auto [x, y] : {std::pair{1, 1}, {121, 1}, {61, 2}})
        PlaceColumn(p, 1, x, y);
    PlaceColumn(p, 2, 120, 1);
    PlaceWall(p, 2, kDirX, 1, 119, 120, kKeyMenzai, 4);
    PlaceBeam(p, 2, kDirX, 1, 1, 121);
    Calculation c = test::Calculated(p);

    const float span = p.dims.spanLength;
    const float w = 120 * span;
    EXPECT_NEAR(c.results(120, 1, 2).nOwn[kDirX], 2.0f * 0.5f - 0.6f, 1e-6f);
    // (1,1): v = 119 spans, u = (w − v)/w = 1/120, below one hundredth.
    EXPECT_NEAR(c.results(1, 1, 1).nBeam[kDirX], (w - 119 * span) / w * 1.0f, 1e-6f);
    EXPECT_GT(c.results(1, 1, 1).nBeam[kDirX], 0.008f);
    // (121,1): v = 1 span, u = 119/120.
    EXPECT_NEAR(c.results(121, 1, 1).nBeam[kDirX], (w - span) / w * 1.0f, 1e-6f);
    // (61,2): voids all around above, inside the first storey's floor: L 1.6 of a two-storey part
    // (a single-storey part would take 0.6); no wall, no column above.
    EXPECT_NEAR(c.results(61, 2, 1).nOwn[kDirX], -1.6f, 1e-6f);
    EXPECT_NEAR(c.results(61, 2, 1).nOwn[kDirY], -1.6f, 1e-6f);
    CheckBeamTermsAddUp(p, c);
}

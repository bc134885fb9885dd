// Storey heights in the N value: every A×B of a storey times H/2.7 of that storey (H taken as 2.7 m at
// 3.2 m or less). The hand-worked houses of house_calc_test.cpp at H = 3.50 m; heights of 3.2 m or less
// change no result by a single bit; a file with heights differs from one without in those two fields.
// f = 3500/2700 = 1.2962963. Spans 0.455 m; B 0.8 corner / 0.5 other.
#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "calc/calc_settings.h"
#include "calc/n_value.h"
#include "calc/storey_height.h"
#include "model/project_file.h"
#include "support/generated_houses.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"

using namespace rqx;
using namespace rqx::samples;

namespace {

struct Expected {
    int level, x, y;
    float nX, nY;  // nOwn + nBeam + nCross
    const char *label;
};

Project WithHeights(Project p, int32_t h1, int32_t h2)
{
    p.info.levelHeight[1] = h1;
    p.info.levelHeight[2] = h2;
    return p;
}

void CheckColumns(const Project &p, const std::vector<Expected> &table)
{
    const Calculation c = Calculate(p);
    int columns = 0;
    for (int level = 1; level <= p.dims.floorCount; ++level)
        columns += c.columnCount[level];
    EXPECT_EQ(columns, static_cast<int>(table.size())) << "every column is listed";
    for (const Expected &e : table) {
        SCOPED_TRACE(testing::Message() << "level " << e.level << " (" << e.x << "," << e.y << ")");
        const ColumnResult &r = c.results(e.x, e.y, e.level);
        EXPECT_NEAR(TotalN(r, kDirX), e.nX, 2e-6f);
        EXPECT_NEAR(TotalN(r, kDirY), e.nY, 2e-6f);
        EXPECT_EQ(c.requiredClass(e.x, e.y, e.level), QString::fromUtf8(e.label));
    }
}

// Every result field and required class, bit for bit.
void ExpectSameResults(const Project &pa, const Project &pb, const char *house)
{
    const Calculation a = Calculate(pa);
    const Calculation b = Calculate(pb);
    ASSERT_EQ(a.results.count(), b.results.count());
    EXPECT_EQ(std::memcmp(a.results.data(), b.results.data(), a.results.count() * sizeof(ColumnResult)), 0)
        << house;
    for (std::size_t i = 0; i < a.requiredClass.count(); ++i)
        ASSERT_EQ(a.requiredClass.data()[i], b.requiredClass.data()[i]) << house << " node " << i;
    EXPECT_EQ(a.anyNotCarried, b.anyNotCarried) << house;
}

}  // namespace

TEST(StoreyHeight, OneStoreyHouseAtThreeFiftyRaisesTheCornerWithTheBoardToAHoldDown)
{
    // N = A×0.8×f − 0.4 (corner), A×0.5×f − 0.6 (other).
    const Project p = WithHeights(HandWorkedOneStorey(), 3500, 0);
    CheckColumns(p, {
                        // (1,1) X A 1.5: 1.2f − 0.4 = 1.1555556. Y A 3.0: 2.4f − 0.4 = 2.7111111 (と).
                        {1, 1, 1, 1.1555556f, 2.7111111f, "(と)"},
                        // (3,1) X A 2.5: 1.25f − 0.6 = 1.0203704: (ろ) becomes (に).
                        {1, 3, 1, 1.0203704f, -0.6f, "(に)"},
                        {1, 5, 1, -0.4f, -0.4f, "(い)"},
                        // (1,2) Y A 3.0: 1.5f − 0.6 = 1.3444444: (は) becomes (に).
                        {1, 1, 2, -0.6f, 1.3444444f, "(に)"},
                        // (5,2) Y A 5.0: 2.5f − 0.6 = 2.6407407.
                        {1, 5, 2, -0.6f, 2.6407407f, "(と)"},
                        {1, 1, 3, -0.4f, -0.4f, "(い)"},
                        {1, 3, 3, 1.0203704f, -0.6f, "(に)"},
                        // (5,3) corner, 2.5 board: 2.0f − 0.4 = 2.1925926, beyond (へ) 1.8: (ほ)
                        //       becomes (と). Y A 1.0: 0.8f − 0.4 = 0.6370370.
                        {1, 5, 3, 2.1925926f, 0.6370370f, "(と)"},
                    });
    // A second height has no storey to act on.
    ExpectSameResults(p, WithHeights(HandWorkedOneStorey(), 3500, 9000), "one storey");
}

TEST(StoreyHeight, TwoStoreysAtThreeFiftyOverTwoEightyInBothLSettings)
{
    // H1 = 3.50 m scales only the first storey's own A1×B1; H2 = 2.80 m ≤ 3.2 m leaves A2×B2, the
    // second storey and the ΔN passed along the beam as they are.
    const std::vector<Expected> upper = {
        {2, 1, 1, -0.4f, -0.4f, "(い)"}, {2, 3, 1, 0.4f, -0.6f, "(ろ)"},  {2, 5, 1, 1.2f, -0.4f, "(に)"},
        {2, 1, 3, 0.8f, -0.4f, "(は)"},  {2, 3, 3, 0.65f, -0.6f, "(ろ)"}, {2, 5, 3, -0.4f, -0.4f, "(い)"},
    };
    for (int mode = 0; mode <= 1; ++mode) {
        SCOPED_TRACE(testing::Message() << "L setting " << mode);
        const Project p = WithHeights(HandWorkedTwoStorey(mode), 3500, 2800);
        // L 1.0 at corners in both settings here (0.6 + 0.4 under a corner column with the user's).
        // (1,1) X: −1.0 + ΔN of (3,1) halved: 1.0×0.5 (commentary) or (1.0 − 0.6)×0.5 (user).
        //       Y: cross brace 4.0: 3.2f − 1.0 = 3.1481481: (と) becomes (ち).
        // (5,1) X: A2×B2 1.6 − 1.0 + the same half.
        // (1,3) X: 1.2 − 1.0 = 0.2; Y as (1,1).
        // (3,3) through column, L 1.6 in both: 2.5×0.5 + 3.0×0.5f − 1.6 = 1.5944444: (に) becomes (ほ).
        // (1,2), (5,2): A 0, L 1.6 (commentary) or 1.0 (user, nothing above).
        // (5,3) corner X: 3.0×0.8f − 1.0 = 2.1111111: (に) becomes (と).
        const float half = mode == 0 ? 0.5f : 0.2f;
        const float l = mode == 0 ? -1.6f : -1.0f;
        std::vector<Expected> table = upper;
        table.insert(table.end(), {
                                      {1, 1, 1, -1.0f + half, 3.1481481f, "(ち)"},
                                      {1, 5, 1, 0.6f + half, -1.0f, mode == 0 ? "(に)" : "(は)"},
                                      {1, 1, 3, 0.2f, 3.1481481f, "(ち)"},
                                      {1, 3, 3, 1.5944444f, -1.6f, "(ほ)"},
                                      {1, 1, 2, l, l, "(い)"},
                                      {1, 5, 2, l, l, "(い)"},
                                      {1, 5, 3, 2.1111111f, -1.0f, "(と)"},
                                  });
        CheckColumns(p, table);
    }
}

TEST(StoreyHeight, SecondStoreyHeightScalesThePullOutPassedAlongAndAcrossBeams)
{
    // U at (2,3) on storey 2, A 5.0: N = 2.5f − 0.6 = 2.6407407 in both settings. ΔN = 2.5f = 3.2407407
    // (commentary) or 2.5f − 0.6 = 2.6407407 (user). Along the X beam (1,3) takes 0.5 ΔN; through
    // the Y beam (3,1) and (3,5) take 0.5 × 0.5 ΔN each. H1 = 2.80 m leaves the first storey's own terms.
    // Commentary (L 1.6 other, 1.0 corner):
    //   (1,3) X −0.1 + 1.6203704 = 1.5203704: (に) becomes (ほ). (3,1) X −1.1 + 0.8101852.
    //   (3,5) X −0.6 + 0.8101852 = 0.2101852.
    // User setting (L 1.0 other without a column above, 0.6 + 0.4 corners under corners); in Y U passes
    // 0 − 0.6 through the Y beam: −0.15 to (3,1) and (3,5):
    //   (1,3) X 1.5 − 1.0 + 1.3203704 = 1.8203704 (と); Y 1.25 − 1.0 = 0.25.
    //   (3,1) X 0.5 − 1.0 + 0.6601852 = 0.1601852; Y −1.0 − 0.15.
    //   (3,5) X 1.0 − 1.0 + 0.6601852 = 0.6601852: above (ろ) 0.65, so (は).
    const std::vector<Expected> upper = {
        {2, 1, 1, -0.4f, -0.4f, "(い)"},      {2, 5, 1, -0.4f, -0.4f, "(い)"},
        {2, 1, 5, -0.4f, -0.4f, "(い)"},      {2, 5, 5, -0.4f, -0.4f, "(い)"},
        {2, 2, 3, 2.6407407f, -0.6f, "(と)"},
    };
    const std::vector<Expected> lower[2] = {
        {
            {1, 1, 1, 0.6f, 1.0f, "(は)"},
            {1, 3, 1, -0.2898148f, -1.6f, "(い)"},
            {1, 5, 1, -1.0f, -1.0f, "(い)"},
            {1, 1, 3, 1.5203704f, -0.35f, "(ほ)"},
            {1, 1, 5, -1.0f, -1.0f, "(い)"},
            {1, 3, 5, 0.2101852f, -1.6f, "(ろ)"},
            {1, 5, 5, 0.6f, -1.0f, "(ろ)"},
        },
        {
            {1, 1, 1, 0.6f, 1.0f, "(は)"},
            {1, 3, 1, 0.1601852f, -1.15f, "(ろ)"},
            {1, 5, 1, -1.0f, -1.0f, "(い)"},
            {1, 1, 3, 1.8203704f, 0.25f, "(と)"},
            {1, 1, 5, -1.0f, -1.0f, "(い)"},
            {1, 3, 5, 0.6601852f, -1.15f, "(は)"},
            {1, 5, 5, 0.6f, -1.0f, "(ろ)"},
        },
    };
    for (int mode = 0; mode <= 1; ++mode) {
        SCOPED_TRACE(testing::Message() << "L setting " << mode);
        Project house = HandWorkedCrossBeam();
        house.grid.lCoefficientMode = mode;
        const Project p = WithHeights(house, 2800, 3500);
        std::vector<Expected> table = upper;
        table.insert(table.end(), lower[mode].begin(), lower[mode].end());
        CheckColumns(p, table);
        EXPECT_EQ(Calculate(p).anyNotCarried, 0);
    }
}

TEST(StoreyHeight, HeightsOfThreePointTwoMetresOrLessChangeNoResultBitForBit)
{
    std::vector<std::pair<const char *, Project>> houses = {
        {"one storey", HandWorkedOneStorey()},
        {"two storeys", HandWorkedTwoStorey(0)},
        {"two storeys, user L", HandWorkedTwoStorey(1)},
        {"cross beam", HandWorkedCrossBeam()},
        {"small", SmallHouse()},
        {"sample", TwoStoreyHouse()},
        {"default grid", SmallTwoStoreyHouse()},
    };
    for (unsigned seed = 1; seed <= 8; ++seed)
        houses.emplace_back("generated",
                            GeneratedHouse(GeneratedShape(seed, 2, seed % 2, seed % 3 == 0), seed));
    const std::pair<int32_t, int32_t> heights[] = {{3200, 3200}, {2950, 0}, {0, 2700}, {1, 3200}};
    for (const auto &[name, house] : houses) {
        const Project none = WithHeights(house, 0, 0);
        for (const auto &[h1, h2] : heights)
            ExpectSameResults(none, WithHeights(house, h1, h2), name);
    }
}

TEST(StoreyHeight, EnteringHeightsChangesOnlyTheirEightBytesAndTheFileRoundTrips)
{
    QFile file(QStringLiteral(VELM_TEST_DATA_DIR "/two_storey.RQX"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray old = file.readAll();
    Project p;
    ASSERT_TRUE(ParseProject(old, p));
    ASSERT_EQ(SerializeProject(p), old);
    const Project before = p;
    EXPECT_TRUE(SetStoreyHeights(p.info, 3500, 2800));
    EXPECT_FALSE(SetStoreyHeights(p.info, 3500, 2800));
    EXPECT_EQ(p.coords, before.coords);  // the node coordinates keep their z
    const QByteArray resaved = SerializeProject(p);
    ASSERT_EQ(resaved.size(), old.size());
    // levelHeight(1) and (2) follow the product name, the header's int32, the three names (16-bit byte
    // count and bytes each) and three int32 of ProjectInfo: only those 8 bytes change.
    qsizetype at = old.indexOf(QByteArray("VELM-RQX")) + 8 + 4;
    for (int name = 0; name < 3; ++name)
        at += 2 + qFromLittleEndian<quint16>(old.constData() + at);
    at += 12;
    QByteArray expected = old;
    qToLittleEndian<int32_t>(3500, expected.data() + at);
    qToLittleEndian<int32_t>(2800, expected.data() + at + 4);
    ASSERT_NE(expected, old);
    EXPECT_EQ(resaved, expected);

    // Read back: the same bytes and the same results.
    Project reread;
    ASSERT_TRUE(ParseProject(resaved, reread));
    EXPECT_EQ(SerializeProject(reread), resaved);
    ExpectSameResults(WithHeights(p, 3500, 2800),
                      WithHeights(reread, reread.info.levelHeight[1], reread.info.levelHeight[2]), "reread");
}

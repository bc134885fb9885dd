// Wall quantities worked out by hand. Heights and areas are chosen so every figure is exact:
//   two storeys on 1 m spans: storey 1 an L (8 × 6 m less 3 × 2 m = 42 m²), storey 2 5 × 6 m with a
//   2 × 2 m void (26 m²), H1 2.9 m, H2 2.8 m, a gable roof with its ridge along X (rise 1.5 m, eaves
//   0.6 m, verge 0.45 m);
//   one storey on 0.455 m spans in two blocks (8 × 6 and 4 × 4 cells, two cells apart), H1 3.0 m, a
//   flat roof with a 0.3 m parapet.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/wall_quantity.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"

using namespace rqx;
using namespace rqx::samples;

namespace {

WallInputs TwoStoreyInputs()
{
    WallInputs in;
    in.lw = {46.0, 30.0, 38.0};
    in.lwSource = QStringLiteral("早見表");
    in.roof = {RoofKind::Gable, kDirX, 1500, 600, 450};
    return in;
}

struct Expected {
    int storey, dir;
    double floor, exposed, seismic, wind, existing;
    bool ok;
    int runs;
};

void Check(const Project &p, const WallQuantityResult &r, const Expected &e)
{
    SCOPED_TRACE(testing::Message() << "storey " << e.storey << " dir " << e.dir);
    const WallDirectionResult &d = r.at(e.storey, e.dir);
    EXPECT_NEAR(r.storey[static_cast<std::size_t>(e.storey - 1)].floorAreaM2, e.floor, 1e-9);
    EXPECT_NEAR(d.exposedM2, e.exposed, 1e-9);
    EXPECT_NEAR(d.seismicCm, e.seismic, 1e-9);
    EXPECT_NEAR(d.windCm, e.wind, 1e-9);
    EXPECT_NEAR(d.requiredCm, std::max(e.seismic, e.wind), 1e-9);
    EXPECT_NEAR(d.existingCm, e.existing, 1e-9);
    EXPECT_NEAR(d.ratio, e.existing / std::max(e.seismic, e.wind), 1e-12);
    EXPECT_TRUE(d.judged);
    EXPECT_EQ(d.ok, e.ok);
    const std::vector<WallRun> walls = ListWallRuns(p, e.storey, e.dir);
    EXPECT_EQ(static_cast<int>(walls.size()), e.runs);
    double listed = 0.0;
    for (const WallRun &w : walls)
        listed += w.quantityCm;
    EXPECT_NEAR(listed, d.existingCm, 1e-9);
}

}  // namespace

// Σw2 125 kN over 50 m² on Σw1 305 kN over 60 m², h 6.5 m (w1 = 305 − 125 = 180 kN on storey 1's level).
TEST(WallQuantity, FormulaRouteReproducesTheWorkedExample)
{
    const LwFormulaResult f = ComputeLwFormula(2, {180.0, 125.0}, {60.0, 50.0}, 6.5, 0.2);
    ASSERT_TRUE(f.ok);
    EXPECT_NEAR(f.t, 0.195, 1e-12);
    EXPECT_NEAR(f.tFactor, 0.24606, 5e-6);
    EXPECT_DOUBLE_EQ(f.sumW[0], 305.0);
    EXPECT_DOUBLE_EQ(f.sumW[1], 125.0);
    EXPECT_NEAR(f.alpha[1], 0.40984, 5e-6);
    EXPECT_DOUBLE_EQ(f.ai[0], 1.0);
    EXPECT_NEAR(f.ai[1], 1.2835, 5e-5);
    EXPECT_NEAR(f.lw[1], 32.74, 5e-3);
    EXPECT_NEAR(f.lw[0], 51.87, 5e-3);
    EXPECT_NEAR(f.lw[1] * 50.0, 1637.0, 0.5);  // the required quantities of the example, cm
    EXPECT_NEAR(f.lw[0] * 60.0, 3112.0, 0.5);

    // The same from a house of those floor areas (1 m cells) and the weights as conditions.
    Project p = NewProject(10, 6, 2, 1);
    p.info.moduleLength = 1.0f;
    RefreshDimensions(p);
    PlaceFloor(p, 1, 1, 1, 11, 7);
    PlaceFloor(p, 2, 1, 1, 11, 6);
    WallInputs in;
    in.route = LwRoute::Weights;
    in.weightKn = {180.0, 125.0};
    in.buildingHeightM = 6.5;
    in.oneStoreyLoad = 4.0;
    const WallQuantityResult r = ComputeWallQuantities(p, in);
    EXPECT_NEAR(r.at(2, kDirX).lw, f.lw[1], 1e-12);
    EXPECT_NEAR(r.at(1, kDirY).lw, f.lw[0], 1e-12);
    EXPECT_NEAR(r.lw[kLwOneStorey], 40.82, 5e-3);  // 0.2 × 4.0 / 0.0196, Ai = 1
    // A one-storey house: A1 = 1 whatever h; Lw = C0 × w / (0.0196 × Af).
    const LwFormulaResult one = ComputeLwFormula(1, {120.0, 0.0}, {60.0, 0.0}, 0.0, 0.3);
    EXPECT_NEAR(one.lw[0], 0.3 * 120.0 / (0.0196 * 60.0), 1e-12);
}

TEST(WallQuantity, TwoStoreyLWithVoidCapAndWind)
{
    const Project p = HandWorkedWallHouse();
    const WallQuantityResult r = ComputeWallQuantities(p, TwoStoreyInputs());
    ASSERT_TRUE(r.complete()) << r.missing.join(QLatin1Char(' ')).toStdString();
    // Roof seen along X: gable end (6 + 2×0.6) × 1.5 / 2 = 5.4; along Y: (5 + 2×0.45) × 1.5 = 8.85.
    const Expected table[] = {
        // 1F X: 1.55×6 + 2.8×6 + 5.4; walls 7×300 (cap) + 1.5×300 + 2.5×300 + 2.0×500.
        {1, kDirX, 42.0, 31.5, 46.0 * 42.0, 1575.0, 2100.0 + 450.0 + 750.0 + 1000.0, true, 4},
        // 1F Y: 1.55×8 + 2.8×5 + 8.85; walls 1.0×600 + 1.0×400: short.
        {1, kDirY, 42.0, 35.25, 46.0 * 42.0, 1762.5, 1000.0, false, 2},
        // 2F X: 1.45×6 + 5.4 (the void is part of the footprint, not of the floor area).
        {2, kDirX, 26.0, 14.1, 780.0, 705.0, 2000.0, true, 2},
        // 2F Y: 1.45×5 + 8.85: wind governs.
        {2, kDirY, 26.0, 16.1, 780.0, 805.0, 1800.0, true, 1},
    };
    for (const Expected &e : table)
        Check(p, r, e);
    EXPECT_EQ(r.at(1, kDirX).cappedSpans, 3);
    const WallRun capped = ListWallRuns(p, 1, kDirX).front();
    EXPECT_TRUE(capped.capped);
    EXPECT_DOUBLE_EQ(capped.brace + capped.board, 7.5);
    EXPECT_DOUBLE_EQ(capped.multiplier, 7.0);
    EXPECT_EQ(r.at(1, kDirX).bands.size(), 3u);
    EXPECT_TRUE(r.at(1, kDirX).bands.back().triangle);
    EXPECT_FALSE(r.at(1, kDirY).bands.back().triangle);
    bool isShort = false;
    EXPECT_EQ(WallStatusText(r, 1, &isShort), QStringLiteral("壁量 X 2.22 / Y 0.51"));
    EXPECT_TRUE(isShort);
    EXPECT_EQ(WallStatusText(r, 2, &isShort), QStringLiteral("壁量 X 2.56 / Y 2.23"));
    EXPECT_FALSE(isShort);
}

TEST(WallQuantity, OneStoreyInTwoBlocksWithFlatRoof)
{
    Project p = NewProject(16, 6, 1, 2);
    PlaceFloor(p, 1, 1, 1, 9, 7);
    PlaceFloor(p, 1, 11, 1, 15, 5);
    PlaceWall(p, 1, kDirX, 1, 1, 5, kKeyMenzai, 5);
    PlaceWall(p, 1, kDirX, 7, 1, 9, kKeyKesa, 2);
    PlaceWall(p, 1, kDirY, 1, 1, 7, kKeyKesa, 3);
    PlaceWall(p, 1, kDirY, 15, 1, 5, kKeyMenzai, 2);
    p.info.levelHeight[1] = 3000;
    p.info.levelHeight[2] = 2700;  // a stored second height means nothing to one storey
    WallInputs in;
    in.lw = {40.0, 0.0, 0.0};
    in.roof = {RoofKind::Flat, kDirX, 300, 0, 0};
    const WallQuantityResult r = ComputeWallQuantities(p, in);
    ASSERT_EQ(r.storeys, 1);
    ASSERT_TRUE(r.complete());
    const double area = 64 * 0.455 * 0.455;
    const Expected table[] = {
        // X: width along Y 2.73 m: 1.65 × 2.73 + 0.3 × 2.73; walls 2.5 × 182 + 1.5 × 364.
        {1, kDirX, area, 1.95 * 2.73, 40.0 * area, 50.0 * 1.95 * 2.73, 455.0 + 546.0, true, 2},
        // Y: the blocks' widths 3.64 + 1.82 (not the gap), the parapet over the whole 6.37 m.
        {1, kDirY, area, 1.65 * 5.46 + 0.3 * 6.37, 40.0 * area, 50.0 * (1.65 * 5.46 + 0.3 * 6.37), 546.0 + 182.0,
         true, 2},
    };
    for (const Expected &e : table)
        Check(p, r, e);
}

TEST(WallQuantity, MissingConditionsAreSaidNotAssumed)
{
    Project p = HandWorkedWallHouse();
    p.info.levelHeight[2] = 0;
    WallInputs in = TwoStoreyInputs();
    in.lw[kLwStorey2] = 0.0;
    WallQuantityResult r = ComputeWallQuantities(p, in);
    EXPECT_EQ(r.missing.size(), 2) << r.missing.join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(r.at(1, kDirX).exposedKnown);  // storey 1's 見付面積 needs H2 too
    EXPECT_FALSE(r.at(2, kDirY).judged);
    EXPECT_FALSE(r.at(2, kDirY).ok);
    EXPECT_EQ(WallStatusText(r, 2), QStringLiteral("壁量 X － / Y － (条件未入力)"));
    // A typed 見付面積 stands in for the heights of its storey and direction.
    in.lw[kLwStorey2] = 30.0;
    in.exposedOverride = {40.0, 41.0, 15.0, 16.0};
    r = ComputeWallQuantities(p, in);
    EXPECT_TRUE(r.complete());
    EXPECT_DOUBLE_EQ(r.at(1, kDirY).windCm, 50.0 * 41.0);
    EXPECT_TRUE(r.at(1, kDirY).exposedTyped);
    // The old table of the transition: 29 and 15 for two storeys, 11 for one.
    in.route = LwRoute::OldLight;
    r = ComputeWallQuantities(p, in);
    EXPECT_DOUBLE_EQ(r.at(1, kDirX).lw, 29.0);
    EXPECT_DOUBLE_EQ(r.at(2, kDirX).lw, 15.0);
    EXPECT_DOUBLE_EQ(r.lw[kLwOneStorey], 11.0);
}

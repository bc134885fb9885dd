// The wall placement worked out by hand.
//   Quarter method: a 910 mm grid (0.455 m spans), storey 1 9.10 × 7.28 m, storey 2 over the left 6.37 m,
//   typed Lw 29 (storey 1), 15 (storey 2), 11 (one-storey parts). Walls along Y: quarter width 2.275 m,
//   each portion 16.562 m²; the left one under storey 2 (× 29 = 480.298 cm), the right one not
//   (× 11 = 182.182 cm).
//   Eccentricity: an 8 × 6 m rectangle on 1 m spans, the bottom row a void so G lies 0.5 m off the
//   middle; 1.5 × 8 m on both long sides, 2.0 × 6 m on both short sides: ΣKx = ΣKy = 24, KR = 600,
//   re = 5 m, Rex = 0.100.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/wall_placement.h"
#include "support/house_builder.h"

using namespace rqx;
using namespace rqx::samples;

namespace {

const QString kKesa = QStringLiteral("Kesa");
const QString kMenzai = QStringLiteral("Menzai");

WallInputs TypedLw(double storey1, double storey2, double oneStorey)
{
    WallInputs in;
    in.lw = {storey1, storey2, oneStorey};
    in.lwSource = QStringLiteral("早見表");
    return in;
}

// Storey 1 of 20 × 16 spans, storey 2 over its left `upperSpans` spans.
Project QuarterHouse(int upperSpans)
{
    Project p = NewProject(20, 16, 2, 2);
    PlaceFloor(p, 1, 1, 1, 21, 17);
    PlaceFloor(p, 2, 1, 1, 1 + upperSpans, 17);
    return p;
}

WallPlacementResult Placement(const Project &p, const WallInputs &in)
{
    return ComputeWallPlacement(p, ComputeWallQuantities(p, in));
}

}  // namespace

TEST(WallPlacement, QuarterMethodWorkedCases)
{
    struct Case {
        const char *name;
        int leftSpans;  // board 2.5 on the left edge (x = 0)
        int rightKind;  // brace size on two spans of the right edge (x = 9.10)
        double leftFill, rightFill, ratio;
        bool ok;
    } cases[] = {
        // 910 / 480.298 and 182 / 182.182: the right side just short, balanced by the ratio.
        {"A", 8, 3, 1.894657, 0.99900, 0.52727, true},
        // 91 / 182.182: short and unbalanced.
        {"B", 8, 1, 1.894657, 0.49950, 0.26364, false},
        // 1365 / 480.298 and 227.5 / 182.182: both above 1 whatever the ratio.
        {"C", 12, 0, 2.84199, 1.24875, 0.43939, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Project p = QuarterHouse(14);
        PlaceWall(p, 1, kDirY, 1, 1, 1 + c.leftSpans, kMenzai, 5);
        if (c.rightKind > 0)
            PlaceWall(p, 1, kDirY, 21, 1, 3, kKesa, c.rightKind);
        else
            PlaceWall(p, 1, kDirY, 21, 1, 3, kMenzai, 5);
        const WallPlacementResult r = Placement(p, TypedLw(29, 15, 11));
        ASSERT_TRUE(r.complete());
        const QuarterResult &q = r.at(1, kDirY);
        EXPECT_NEAR(q.side[0].to, 2.275, 1e-9);
        EXPECT_NEAR(q.side[1].from, 6.825, 1e-9);
        for (const SidePortion &s : q.side)
            EXPECT_NEAR(s.areaM2, 16.562, 1e-9);
        EXPECT_EQ(q.side[0].lwKind, PortionLw::Storey1);
        EXPECT_EQ(q.side[1].lwKind, PortionLw::OneStorey);
        EXPECT_NEAR(q.side[0].requiredCm, 480.298, 1e-9);
        EXPECT_NEAR(q.side[1].requiredCm, 182.182, 1e-9);
        EXPECT_NEAR(q.side[0].fill, c.leftFill, 5e-6);
        EXPECT_NEAR(q.side[1].fill, c.rightFill, 5e-6);
        EXPECT_NEAR(q.wallRatio, c.ratio, 5e-6);
        EXPECT_EQ(q.ok, c.ok);
        EXPECT_EQ(StateOf(q, 2), c.rightFill > 1 ? PortionState::Enough
                                 : c.ok           ? PortionState::Balanced
                                                  : PortionState::Failing);
        // Walls along X: none at all, so both portions are empty and the direction fails.
        EXPECT_FALSE(r.at(1, kDirX).ok);
    }
}

// Storey 2 reaching 0.455 m into the right portion makes it take the storey-1 Lw; without the
// one-storey Lw the check names what is missing instead of guessing it. Storey 2 with a void: the
// extent counts the void, the area does not.
TEST(WallPlacement, PartlyCoveredPortionsAndVoids)
{
    Project p = QuarterHouse(16);
    PlaceWall(p, 1, kDirY, 21, 1, 3, kKesa, 3);
    WallPlacementResult r = Placement(p, TypedLw(29, 15, 11));
    EXPECT_EQ(r.at(1, kDirY).side[1].lwKind, PortionLw::Storey1);
    EXPECT_NEAR(r.at(1, kDirY).side[1].requiredCm, 480.298, 1e-9);

    Project covered = QuarterHouse(14);
    EXPECT_TRUE(Placement(covered, TypedLw(29, 15, 0)).missing.join(QString()).contains(QStringLiteral("平屋部分")));
    Project whole = QuarterHouse(20);
    EXPECT_TRUE(Placement(whole, TypedLw(29, 15, 0)).complete());

    // Storey 2: 14 spans (6.37 m) across, the left 2 × 16 spans a void. Quarter 1.5925 m: the left
    // portion holds 1.5925 − 0.91 = 0.6825 m of floor, the right one the whole 1.5925 m.
    PlaceFloor(covered, 2, 1, 1, 3, 17, 2);
    r = Placement(covered, TypedLw(29, 15, 11));
    const QuarterResult &upper = r.at(2, kDirY);
    EXPECT_NEAR(upper.extentTo - upper.extentFrom, 6.37, 1e-9);
    EXPECT_NEAR(upper.side[0].areaM2, 0.6825 * 7.28, 1e-9);
    EXPECT_NEAR(upper.side[1].areaM2, 1.5925 * 7.28, 1e-9);
    EXPECT_EQ(upper.side[0].lwKind, PortionLw::Storey2);
    EXPECT_NEAR(upper.side[0].requiredCm, 0.6825 * 7.28 * 15, 1e-9);
    // A portion without floor counts as filled.
    PlaceFloor(covered, 2, 1, 1, 5, 17, 2);
    r = Placement(covered, TypedLw(29, 15, 11));
    EXPECT_TRUE(std::isinf(r.at(2, kDirY).side[0].fill));
}

TEST(WallPlacement, EccentricityWorkedCaseAnywhereOnTheGrid)
{
    for (const int offset : {0, 3}) {
        SCOPED_TRACE(offset);
        Project p = NewProject(14, 12, 1, 1);
        p.info.moduleLength = 1.0f;
        RefreshDimensions(p);
        const int x0 = 1 + offset;
        const int y0 = 1 + offset;
        PlaceFloor(p, 1, x0, y0 + 1, x0 + 8, y0 + 6);
        PlaceFloor(p, 1, x0, y0, x0 + 8, y0 + 1, 2);
        PlaceWall(p, 1, kDirX, y0, x0, x0 + 8, kKesa, 2);
        PlaceWall(p, 1, kDirX, y0 + 6, x0, x0 + 8, kKesa, 2);
        PlaceWall(p, 1, kDirY, x0, y0, y0 + 6, kKesa, 3);
        PlaceWall(p, 1, kDirY, x0 + 8, y0, y0 + 6, kKesa, 3);
        const EccentricityResult e = Placement(p, TypedLw(20, 0, 0)).eccentricity[0];
        ASSERT_TRUE(e.present);
        EXPECT_NEAR(e.gy - offset, 3.5, 1e-9);
        EXPECT_NEAR(e.sy - offset, 3.0, 1e-9);
        EXPECT_NEAR(e.sumKx, 24.0, 1e-9);
        EXPECT_NEAR(e.sumKy, 24.0, 1e-9);
        EXPECT_NEAR(e.kr, 600.0, 1e-9);
        EXPECT_NEAR(e.rex, 5.0, 1e-9);
        EXPECT_NEAR(e.bigRex, 0.100, 1e-12);
        EXPECT_NEAR(e.bigRey, 0.0, 1e-12);
        EXPECT_TRUE(e.ok);
    }
    // All the walls along Y on one line: no torsional stiffness from them, G far from S: fails.
    Project p = NewProject(8, 6, 1, 1);
    p.info.moduleLength = 1.0f;
    RefreshDimensions(p);
    PlaceFloor(p, 1, 1, 1, 9, 7);
    PlaceWall(p, 1, kDirX, 1, 1, 9, kKesa, 2);
    PlaceWall(p, 1, kDirX, 7, 1, 9, kKesa, 2);
    PlaceWall(p, 1, kDirY, 1, 1, 7, kKesa, 3);
    const EccentricityResult e = Placement(p, TypedLw(20, 0, 0)).eccentricity[0];
    EXPECT_NEAR(e.sx, 0.0, 1e-12);
    EXPECT_NEAR(e.bigRey, 4.0 / std::sqrt(e.kr / 12.0), 1e-12);
    EXPECT_FALSE(e.ok);
}

#pragma once
// The balance of the bearing walls (壁の配置), both ways the rules since 2025 accept, from the same
// walls, floor cells and Lw as the wall quantities:
//   四分割法: per storey and direction, the two side portions (側端部分: the end quarters of the
//   storey's extent across the walls' direction); 必要 = portion floor area × Lw, 存在 = Σ multiplier
//   (at most 7.0) × length of the walls in it, 充足率 = 存在 / 必要; passes when both 充足率 > 1, or
//   else when 壁率比 = smaller / larger ≥ 0.5.
//   偏心率: per storey, K = multiplier × length at each span's middle; the centre of rigidity S, the
//   centre of gravity G (the centroid of the floor cells of the storey and every storey above),
//   KR = ΣKx(y − Sy)² + ΣKy(x − Sx)², re = √(KR/ΣK), R = e / re; passes when both R ≤ 0.3.
// Metres from the first node (x to the right, y along the grid's y index), lengths of walls in cm.
// Headless, a pure function of the project and the wall quantities' result.

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

#include "calc/wall_quantity.h"
#include "model/project.h"

namespace rqx {

inline constexpr double kMinWallRatio = 0.5;     // 壁率比
inline constexpr double kMaxEccentricity = 0.3;  // 偏心率

// Which Lw a side portion takes.
enum class PortionLw {
    Storey1,    // first storey of a two-storey house with storey 2 over the portion, or a one-storey house
    Storey2,
    OneStorey,  // first storey of a two-storey house with nothing over the portion
};

// One side portion: the strip from `from` to `to` (metres, across the walls' direction).
struct SidePortion {
    int side = 1;  // 1 = the low end, 2 = the high end
    double from = 0.0;
    double to = 0.0;
    double areaM2 = 0.0;  // floor cells (床) inside the strip, cut cells by their part inside
    PortionLw lwKind = PortionLw::Storey1;
    double lw = 0.0;
    bool lwKnown = false;
    double requiredCm = 0.0;
    double existingCm = 0.0;
    double fill = 0.0;  // 充足率; infinite without floor area
};

struct QuarterResult {
    int storey = 1;
    int direction = kDirX;  // the walls' direction; the portions lie across it
    bool present = false;   // the storey has a footprint
    double extentFrom = 0.0;
    double extentTo = 0.0;
    std::array<SidePortion, 2> side;
    double wallRatio = 0.0;  // 壁率比: smaller fill / larger fill
    bool judged = false;     // both portions' Lw known
    bool ok = false;
    bool bothFilled() const { return side[0].fill > 1.0 && side[1].fill > 1.0; }
};

struct EccentricityResult {
    int storey = 1;
    bool present = false;  // floor cells at or above the storey
    double gx = 0.0, gy = 0.0;
    double sumKx = 0.0, sumKy = 0.0;  // m (multiplier × metres)
    double sx = 0.0, sy = 0.0;
    double ex = 0.0, ey = 0.0;  // |Sx − Gx|, |Sy − Gy|
    double kr = 0.0;            // m³
    double rex = 0.0, rey = 0.0;
    double bigRex = 0.0, bigRey = 0.0;  // Rex = ey / rex, Rey = ex / rey; infinite without stiffness
    bool ok = false;
};

struct WallPlacementResult {
    int storeys = 0;
    double spanM = 0.0;
    std::vector<std::array<QuarterResult, 2>> quarter;  // [storey − 1][direction − 1]
    std::vector<EccentricityResult> eccentricity;       // [storey − 1]
    QStringList missing;  // Lw the portions need that is not known, in the program's words
    bool complete() const { return missing.isEmpty(); }
    const QuarterResult &at(int storeyNo, int direction) const
    {
        return quarter[static_cast<std::size_t>(storeyNo - 1)][static_cast<std::size_t>(direction - 1)];
    }
};

WallPlacementResult ComputeWallPlacement(const Project &project, const WallQuantityResult &quantities);

// The portion's state on the plan: enough (both sides > 1 or this side > 1), short but balanced (the
// ratio passes), failing; unknown while its Lw is missing.
enum class PortionState { Unknown, Enough, Balanced, Failing };
PortionState StateOf(const QuarterResult &q, int side);

// The status bar's short form of a storey: "四分割 X OK / Y NG  偏心率 0.12 / 0.35"; failing when the
// storey meets neither the quarter method (both directions) nor the eccentricity limit.
QString PlacementStatusText(const WallPlacementResult &result, int storey, bool *isFailing = nullptr);

}  // namespace rqx

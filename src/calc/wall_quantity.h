#pragma once
// The wall quantities (壁量計算) of every storey and direction under the rules in force since April
// 2025, a pure function of the project and the conditions:
//   存在壁量 = Σ min(brace + board multiplier, 7.0) × length of the storey's walls along the direction
//   必要壁量 (earthquake) = Lw × floor area; (wind) = C × 見付面積; required = the larger
//   the storey and direction pass when 存在 ≥ 必要.
// Direction d means the walls along d; they resist forces along d, so the wind check uses the
// elevation seen along d, whose width runs across it. Lengths in cm, areas in m². Headless.

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

#include "calc/wall_inputs.h"
#include "model/project.h"

namespace rqx {

inline constexpr double kWallMultiplierCap = 7.0;
inline constexpr double kWindLineM = 1.35;  // the line over each storey's floor above which 見付面積 counts

// One wall run of a storey and direction: consecutive spans on one grid line with the same members.
struct WallRun {
    int line = 0;   // y index for direction X, x index for direction Y
    int from = 0;   // node index along the line where the run starts
    int to = 0;     // node index where it ends
    double brace = 0.0;       // the brace's multiplier (0 = none)
    double board = 0.0;       // the board's multiplier (0 = none)
    double multiplier = 0.0;  // brace + board, at most 7.0
    bool capped = false;      // brace + board was above 7.0
    double lengthCm = 0.0;
    double quantityCm = 0.0;  // multiplier × length
};

// One band of an elevation (a storey's part above a line, or the roof), for the tables and figure.
enum class BandKind { StoreyAboveLine, WholeStorey, Roof };
struct ElevationBand {
    BandKind kind = BandKind::WholeStorey;
    int storey = 0;        // the storey the band belongs to (the roof: the top storey)
    double widthM = 0.0;   // the footprint's projection across the direction (roof: with overhangs)
    double heightM = 0.0;  // the band's height (roof: its rise)
    bool triangle = false; // a gable end or a shed's side: half of width × height
    double areaM2 = 0.0;
};

// The elevation seen along a direction: each storey's projected intervals (for the figure) in
// metres across the direction, from the grid origin.
struct Interval {
    double from = 0.0;
    double to = 0.0;
};

struct WallDirectionResult {
    int direction = kDirX;
    double lw = 0.0;        // cm/m²; 0 when not known
    bool lwKnown = false;
    double seismicCm = 0.0;
    std::vector<ElevationBand> bands;  // what this storey's 見付面積 adds up (empty when typed)
    double exposedM2 = 0.0;
    bool exposedKnown = false;  // false without the storey heights (and no typed area)
    bool exposedTyped = false;
    double windCm = 0.0;
    double requiredCm = 0.0;
    double existingCm = 0.0;
    bool judged = false;  // both required quantities known
    double ratio = 0.0;   // existing / required; infinite when nothing is required
    bool ok = false;
    int wallSpans = 0;    // spans with a wall
    int cappedSpans = 0;  // of them, spans whose brace + board is above 7.0
};

struct StoreyWallResult {
    int storey = 0;
    int floorCells = 0;
    int voidCells = 0;
    double cellAreaM2 = 0.0;
    double floorAreaM2 = 0.0;  // floor cells (床) × cell area; voids do not count
    double heightM = 0.0;      // storey height, 0 when not entered
    // The footprint (floor and void cells) projected along X ([0]) and along Y ([1]): the blocks of
    // an elevation's band, metres from the grid origin.
    std::array<std::vector<Interval>, 2> projection;
    std::array<WallDirectionResult, 2> dir;  // [0] X, [1] Y
};

// Every intermediate of the formula route: per storey (index 0 = storey 1).
struct LwFormulaResult {
    bool used = false;
    bool ok = false;  // every input there
    double c0 = 0.2;
    double heightM = 0.0;  // h
    double t = 0.0;        // T = 0.03 h
    double tFactor = 0.0;  // 2T / (1 + 3T)
    std::array<double, 2> w{};       // wi as entered
    std::array<double, 2> sumW{};    // Σwi = wi + everything above
    std::array<double, 2> area{};    // Afi
    std::array<double, 2> alpha{};   // αi = Σwi / Σw1
    std::array<double, 2> ai{};      // Ai
    std::array<double, 2> lw{};      // Lw of storey i
    double oneStoreyLoad = 0.0;      // kN/m² of the one-storey parts (two-storey house)
    double oneStoreyLw = 0.0;        // C0 × load / 0.0196
};

struct WallQuantityResult {
    int storeys = 0;
    WallInputs inputs;
    double spanM = 0.0;
    std::array<double, 3> lw{};       // Lw used: storey 1, storey 2, one-storey parts (0 = unknown)
    LwFormulaResult formula;
    double roofTopHeightM = 0.0;
    std::vector<StoreyWallResult> storey;  // index 0 = storey 1
    // What keeps a check from being made, in the program's words (missing Lw, missing heights).
    QStringList missing;
    bool complete() const { return missing.isEmpty(); }
    // The storey and direction's entry (storey 1..storeys, direction 1..2).
    const WallDirectionResult &at(int storeyNo, int direction) const
    {
        return storey[static_cast<std::size_t>(storeyNo - 1)].dir[static_cast<std::size_t>(direction - 1)];
    }
};

// The span length as the designer entered it (the single-precision model value rounded to 0.01 mm),
// and in cm as the wall lengths count it.
double SpanMetres(const Project &project);
double SpanCm(double spanM);
// The multiplier a span of wall counts with (brace + board, at most 7.0), 0 without a wall; `capped`
// tells whether the cap cut it.
double WallSpanMultiplier(const NodeRecord &node, int direction, bool *capped = nullptr);

// The formula of Lw alone, for storey weights w (w[0] storey 1, w[1] storey 2; one storey: w[0]),
// floor areas, building height h and C0. Storeys without weight or area give Lw 0 (ok false).
LwFormulaResult ComputeLwFormula(int storeys, const std::array<double, 2> &w, const std::array<double, 2> &area,
                                 double heightM, double c0);

// The whole check of a project under the given conditions. The project is only read.
WallQuantityResult ComputeWallQuantities(const Project &project, const WallInputs &inputs);
// The same under the conditions the project holds.
WallQuantityResult ComputeWallQuantities(const Project &project);

// The walls of a storey along a direction, listed by grid line and then along it (the report's
// table); their quantities add up to the result's existingCm.
std::vector<WallRun> ListWallRuns(const Project &project, int storey, int direction);

// The status bar's short form of one storey: "壁量 X 1.23 / Y 0.97" (ratios existing / required);
// short is true when a direction is short. Missing conditions: "壁量 条件未入力".
QString WallStatusText(const WallQuantityResult &result, int storey, bool *isShort = nullptr);

// The roof's part of the elevation seen along a direction, for a top storey whose footprint extends
// `extentM` across the direction.
ElevationBand RoofBand(const RoofDescription &roof, int direction, double extentM, int topStorey);

}  // namespace rqx

#pragma once
// The conditions of the wall quantities (壁量計算, 令46条4項 as revised in 2025): where Lw comes from,
// C0, the wind coefficient, the roof and typed 見付面積. They belong to the project and travel in the
// file's spare table, in one entry whose text starts with "WALLS " (key=value pairs, ";" between
// them, the free text naming the Lw source last). A file without that entry has the defaults; its
// spare table, and so its bytes, stay as they were until the conditions are changed. Headless.

#include <QString>

#include <array>
#include <cstdint>

#include "model/project.h"

namespace rqx {

// Where the earthquake coefficient Lw (cm/m²) of each storey comes from.
enum class LwRoute : int32_t {
    Typed = 1,     // typed values with their source (早見表, 表計算ツール), printed
    Weights = 2,   // Lw = Ai × C0 × Σwi / (0.0196 × Afi) from the storey weights wi (kN)
    OldLight = 3,  // 旧基準（経過措置）, light roof: 11 / 29 / 15
    OldHeavy = 4,  // 旧基準（経過措置）, heavy roof: 15 / 33 / 21
};

enum class RoofKind : int32_t {
    Flat = 1,   // 陸屋根: rise = parapet height above the top storey
    Gable = 2,  // 切妻
    Shed = 3,   // 片流れ
};

struct RoofDescription {
    RoofKind kind = RoofKind::Gable;
    int ridgeDirection = kDirX;  // the direction the ridge runs along
    int32_t riseMm = 0;          // from the top of the top storey to the ridge (flat: the parapet)
    int32_t eavesMm = 0;         // 軒の出, on the sides along the ridge (flat: all round)
    int32_t vergeMm = 0;         // けらばの出, at the gable ends
    bool operator==(const RoofDescription &) const = default;
};

// Index of the three Lw values: storey 1 (the only storey of a one-storey house), storey 2, and the
// one-storey value of a two-storey house (its first-storey parts with nothing above).
inline constexpr int kLwStorey1 = 0;
inline constexpr int kLwStorey2 = 1;
inline constexpr int kLwOneStorey = 2;

// Which ways of the wall placement check the report prints.
enum class PlacementReport : int32_t {
    Both = 0,
    Quarter = 1,       // 四分割法
    Eccentricity = 2,  // 偏心率
};

struct WallInputs {
    LwRoute route = LwRoute::Typed;
    std::array<double, 3> lw{};  // typed Lw, cm/m²; 0 = not entered
    QString lwSource;            // what the typed values were read from
    std::array<double, 2> weightKn{};  // w1, w2: the weight of each storey's level (kN), formula route
    double oneStoreyLoad = 0.0;        // kN/m² of the one-storey parts of a two-storey house (Ai = 1)
    double buildingHeightM = 0.0;      // h of T = 0.03 h; 0 = the storey heights plus the roof rise
    double c0 = 0.2;                   // 0.3 where the authority designates soft ground
    double windC = 50.0;               // cm/m², 50 up to 75
    RoofDescription roof;
    // Typed 見付面積 (m²) by storey and direction (index (storey − 1) × 2 + direction − 1); 0 = computed.
    std::array<double, 4> exposedOverride{};
    PlacementReport placementReport = PlacementReport::Both;
    bool operator==(const WallInputs &) const = default;
};

// Sane ranges; the dialog and the command line refuse values outside them.
inline constexpr double kMinLw = 5.0;
inline constexpr double kMaxLw = 150.0;
inline constexpr double kMinWindC = 50.0;
inline constexpr double kMaxWindC = 75.0;
inline constexpr double kMaxWeightKn = 20000.0;
inline constexpr double kMaxStoreyLoad = 30.0;     // kN/m²
inline constexpr double kMaxBuildingHeightM = 20.0;
inline constexpr int32_t kMaxRoofRiseMm = 10000;
inline constexpr int32_t kMaxOverhangMm = 3000;
inline constexpr double kMaxExposedM2 = 10000.0;

// The conditions the project's spare table holds (the defaults when it holds none; a damaged entry
// reads as far as its pairs are sound).
WallInputs ReadWallInputs(const Project &project);
// Whether the spare table carries the conditions.
bool HasWallInputs(const Project &project);
// Writes the conditions into the project's entry, or the first empty entry when it has none; false
// (nothing changed) when every entry holds something else. `changed` tells whether a byte changed.
bool WriteWallInputs(Project &project, const WallInputs &inputs, bool *changed = nullptr);
// The entry text of the conditions, and back (false when the text is no such entry).
QString WallInputsText(const WallInputs &inputs);
bool ParseWallInputsText(const QString &text, WallInputs &inputs);

// Why the conditions cannot be used as given (a value outside its range), naming the field and the
// range in the program's words; empty when they are sound. Values not entered (0) are no problem here.
QString WallInputsProblem(const WallInputs &inputs);

// The Lw values of the old table (旧基準（経過措置）): one storey, storey 1 of two, storey 2 of two.
struct OldLwTable {
    double oneStorey;
    double storey1;
    double storey2;
};
OldLwTable OldLwValues(LwRoute route);

// A decimal number as the dialog and the command line read it: digits with at most one "." (no
// comma, no sign, no exponent); false otherwise.
bool ParseDecimal(const QString &text, double &value);
// A number as the conditions print it: the shortest decimal text ("29", "32.5", "0.2").
QString DecimalText(double value);

}  // namespace rqx

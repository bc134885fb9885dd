#pragma once
// Storey heights in the N value (revised method): every A×B term of a storey is multiplied by H/2.7,
// H the vertical distance between the tops of the storey's horizontal members (横架材の上端の相互間の
// 垂直距離), taken as 2.7 m when it is 3.2 m or less. The project keeps H per storey in millimetres in
// levelHeight(1) and (2); 0 means not entered and counts as 3.2 m or less. Headless.

#include <QString>

#include <cstdint>

#include "model/project.h"

namespace rqx {

inline constexpr int32_t kStandardStoreyHeightMm = 2700;  // the height the method's values assume
inline constexpr int32_t kStoreyHeightLimitMm = 3200;     // at or below it, H is taken as 2.7 m
// The heights a designer may enter: a storey of a timber house lies within these, so a value outside
// is a typing slip (metres typed as millimetres, a lost digit) and is refused, never stored.
inline constexpr int32_t kMinStoreyHeightMm = 2000;
inline constexpr int32_t kMaxStoreyHeightMm = 6000;

// H/2.7 of one storey height in millimetres: exactly 1.0f up to 3200 mm (and for 0, not entered),
// else H/2700 in single precision.
float HeightFactor(int32_t heightMm);

// The height of a storey (1 or 2) as stored; 0 for any other storey.
int32_t StoreyHeightMm(const Project &project, int storey);
// The factor of a storey's A×B terms.
float StoreyHeightFactor(const Project &project, int storey);
// Whether the designer entered any storey height of the project's storeys.
bool HasStoreyHeights(const Project &project);

// Whether a height in millimetres may be entered: 0 (not entered) or kMin…kMaxStoreyHeightMm.
bool IsPlausibleStoreyHeight(int32_t heightMm);

// A typed storey height that was refused: what is wrong with it, in Japanese and in English (the
// CLI's last line). Both say what was typed and what is expected.
struct StoreyHeightRefusal {
    QString text;
    QString english;
};

// The rule as the refusals say it: in millimetres for the dialog, in metres (`metres`) for the CLI.
QString StoreyHeightRuleText(bool metres);
QString StoreyHeightRuleInEnglish(bool metres);

// Reads a height typed in whole millimetres ("3500", full-width digits too; empty or "0" = not
// entered). Anything else is refused whole — a decimal point, a comma, a sign, a unit, a value
// outside the storey range — so no separator or digit is ever dropped. `name` is the field's
// name in the messages ("１階  H1").
bool ReadStoreyHeightMm(const QString &typed, const QString &name, int32_t &heightMm,
                        StoreyHeightRefusal &refusal);
// Reads a height typed in metres ("3.5", "2.95", "0" = not entered) into whole millimetres: at most
// three decimals, plain digits with one decimal point, within the same range.
bool ReadStoreyHeightMetres(const QString &typed, const QString &name, int32_t &heightMm,
                            StoreyHeightRefusal &refusal);

// A height in metres as the report prints it beside A×B: two decimals, three when the millimetres ask
// for them ("3.50", "3.333").
QString HeightMetresText(int32_t heightMm);

}  // namespace rqx

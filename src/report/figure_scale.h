#pragma once
// The printed scale of the report's figures: one standard architectural scale (1/50, 1/100, 1/150, …) for
// all plans of a report and one for all its frames, the largest at which every figure fits its place, and
// the texts that state it. Headless (QtGui).

#include <QString>

namespace rqx {

struct Project;

// The standard scale denominators in ascending order of the denominator: 50, 100, 150, 200, 250, 300, 400,
// 500, 600, 800, 1000, 1500, 2000, … (up to 1/100000).
// The largest standard scale whose page centimetres per model metre do not exceed `cmPerMetre`: its
// denominator (1/50 for anything larger; the last one for anything smaller).
int StandardScaleDenominator(float cmPerMetre);
// Page cm per model metre at 1/denominator.
float ScaleCmPerMetre(int denominator);
// "S=1/200".
QString ScaleText(int denominator);
// "1ﾓｼﾞｭｰﾙ = 910mm", from the project's module length.
QString ModuleText(const Project &p);

}  // namespace rqx

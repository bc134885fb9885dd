#pragma once
// The N value of every column on every storey in both plan directions (平12建告第1460号,
// simplified joint calculation, with the storey heights of the revised method):
//   single storey or second storey:   N = A1×B1×H1/2.7 − L                      (1)
//   first storey under a second one:  N = A1×B1×H1/2.7 + A2×B2×H2/2.7 − L       (2)
// H of the column's storey (H2 of the second storey), taken as 2.7 m at 3.2 m or less.
// plus the pull-out of second-storey columns that stand on no first-storey column, passed down
// along the floor beams (nBeam) and through orthogonal beams (nCross). The larger of the two
// directions selects the required hardware class.

#include <vector>

#include "calc/calculation.h"

namespace rqx {

// The N stage of the calculation (Calculate runs it): the beam positions and wall sides of `calc` must
// be there. Writes the N fields of the results, the required class of every column, columnCount,
// anyNotCarried and the ΔN terms.
void RunCalculation(const Project &project, Calculation &calc);

// B, L, A and nOwn of the column at (x, y) on this level in direction d.
void ComputeColumnN(const Project &project, Calculation &calc, int d, int x, int y, int level);

// For an upper column at (x, y) on level ≥ 2 that stands on no lower column: sends its pull-out
// through the orthogonal floor beams to nCross of lower columns, or flags it notCarried.
void TransferThroughCrossBeams(const Project &project, Calculation &calc, int d, int x, int y, int level);

// For the column at (x, y) on a level below the top: the pull-out that reaches it along the
// floor beams of the level above, from both sides; each term is added to `terms` when given.
float TransferAlongBeams(const Project &project, const Calculation &calc, int d, int x, int y, int level,
                         std::vector<PullOutTerm> *terms = nullptr);

// ΔN an upper column passes down in direction d: A×B, or A×B − L with the user's L setting, its A×B
// times the height factor of the upper column's storey.
float PullOutForce(const ColumnResult &upper, int d, bool userLCoefficient, float heightFactor = 1.0f);

// The column's N in direction d: nOwn + nBeam + nCross.
float TotalN(const ColumnResult &column, int d);

}  // namespace rqx

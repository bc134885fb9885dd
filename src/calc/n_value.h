#pragma once
// The N value of every column on every storey in both plan directions (平12建告第1460号,
// simplified joint calculation, with the storey heights of the revised method):
//   single storey or second storey:   N = A1×B1×H1/2.7 − L                      (1)
//   first storey under a second one:  N = A1×B1×H1/2.7 + A2×B2×H2/2.7 − L       (2)
// H of the column's storey (H2 of the second storey), taken as 2.7 m at 3.2 m or less.
// plus the pull-out of second-storey columns that stand on no first-storey column, passed down
// along the floor beams (nBeam) and through orthogonal beams (nCross). The larger of the two
// directions selects the required hardware class, stored in hardware(0) of the node.

#include "model/project.h"

namespace rqx {

// The whole calculation. PrepareWallSides must have run just before (and UpdateBeamSegments
// before that). Writes the N fields of the result table, hardware(0) of every column, clears
// the three hardware texts of nodes without a column, and sets columnCount and anyNotCarried.
void RunCalculation(Project &project);

// The sequence every command that shows results runs: UpdateBeamSegments, PrepareWallSides,
// RunCalculation, and MarkWallLines when asked (report and placed-hardware dialog).
void RunCalculationSequence(Project &project, bool markWallLines);

// B, L, A and nOwn of the column at (x, y) on this level in direction d.
void ComputeColumnN(Project &project, int d, int x, int y, int level);

// For an upper column at (x, y) on level ≥ 2 that stands on no lower column: sends its pull-out
// through the orthogonal floor beams to nCross of lower columns, or flags it notCarried.
void TransferThroughCrossBeams(Project &project, int d, int x, int y, int level);

// For the column at (x, y) on a level below the top: the pull-out that reaches it along the
// floor beams of the level above, from both sides.
float TransferAlongBeams(const Project &project, int d, int x, int y, int level);

// One term of nBeam: the upper column whose pull-out reaches the column at (x, y) along the
// beam on the given side (1 toward lower indices, 2 toward higher), and its share.
struct BeamTransferSource {
    int upperX = 0;  // (0, 0) = nothing found
    int upperY = 0;
    float ratio = 0.0f;
    bool found() const { return upperX != 0 || upperY != 0; }
};
// Walks from node (fromX, fromY) (0 = the column's own index) and returns the first upper
// column that passes pull-out to the column, with its share u measured from the column along
// the member next to the column. Called repeatedly from the last node returned, the terms
// u × PullOutForce add up, side by side, to nBeam.
BeamTransferSource FindBeamTransferSource(const Project &project, int side, int d, int x, int y, int level,
                                          int fromX, int fromY);

// ΔN an upper column passes down in direction d: A×B, or A×B − L with the user's L setting, its A×B
// times the height factor of the upper column's storey.
float PullOutForce(const ColumnResult &upper, int d, bool userLCoefficient, float heightFactor = 1.0f);

// The column's N in direction d: nOwn + nBeam + nCross.
float TotalN(const ColumnResult &column, int d);

}  // namespace rqx

#pragma once
// The walls on the two sides of every column: their multipliers, brace sizes and brace ends,
// the bracing correction (tables 1.2.1 to 1.2.3 of the method), A, corner columns and the grid
// lines that carry walls.
//
// For a column at node (x, y) and direction d, side 1 is the wall segment that ends at the column
// (it starts at (x−1, y) for X, at (x, y−1) for Y) and side 2 the segment that starts at it.

#include "calc/calculation.h"

namespace rqx {

// Fills the wall fields of the result record (sizes, codes, side multipliers) of every column on
// every storey, then the corner flag of every column. Runs before every calculation.
void PrepareWallSides(const Project &project, Calculation &calc);

// Correction of one brace size (1 15×90, 2 30×90, 3 45×90, 4 90×90) standing alone at the
// column top; the foot gives its negative.
float SingleBraceCorrection(int size);

// Bracing correction of one column in one direction from the brace sizes and codes of its two
// sides (code 1/2 single brace, 3 cross brace, 0 none).
float ComputeBracingCorrection(int size1, int code1, int size2, int code2);

// Sets correction and aValue of direction d: A = |side-1 multiplier − side-2 multiplier| + correction.
void ComputeA(ColumnResult &column, int d);

// Sets the wall-line flag of every grid line that has a wall segment in that direction, per storey.
void MarkWallLines(const Project &project, Calculation &calc);

// brace kind + board kind of the side-1 and side-2 segments of the node in direction d
// (0 where a segment does not exist).
struct WallKindSums {
    int side1 = 0;
    int side2 = 0;
};
WallKindSums WallKindsBeside(const Project &project, int d, int x, int y, int level);

}  // namespace rqx

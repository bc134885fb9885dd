#pragma once
// The calculation of one project state as a value: everything derived from the project that the report,
// the views and the dialogs show, computed by a pure function of the project. The project is never
// written by it; the few saved fields that carry results (corner flags, required classes, beam positions)
// are put into the bytes when a file is written (WithCalculatedMarks).

#include <QString>

#include <vector>

#include "model/project.h"

namespace rqx {

// Per-column results; X/Y pairs are indexed by direction 1..2.
struct ColumnResult {
    FixedArray<float, 1, 2> correction{};
    FixedArray<int32_t, 1, 2> sizeSide1{};
    FixedArray<int32_t, 1, 2> sizeSide2{};
    FixedArray<int32_t, 1, 2> codeSide1{};
    FixedArray<int32_t, 1, 2> codeSide2{};
    FixedArray<float, 1, 2> multSide1{};
    FixedArray<float, 1, 2> multSide2{};
    FixedArray<float, 1, 2> nOwn{};
    FixedArray<float, 1, 2> nBeam{};
    FixedArray<float, 1, 2> nCross{};
    int32_t notCarried = 0;
    FixedArray<float, 1, 2> aValue{};
    float bValue = 0.0f;
    float lValue = 0.0f;
    bool operator==(const ColumnResult &) const = default;
};

// How a second-storey column's pull-out reaches a first-storey column.
enum class PullOutPath { AlongBeam, ThroughCrossBeam };

// One term of a first-storey column's ΔN: the upper column it comes from, its share and what it added.
struct PullOutTerm {
    int x = 0;  // the first-storey column
    int y = 0;
    int d = kDirX;
    PullOutPath path = PullOutPath::AlongBeam;
    int side = 0;  // along a beam: 1 toward lower indices, 2 toward higher; 0 through a cross beam
    int upperX = 0;
    int upperY = 0;
    float ratio = 0.0f;   // the share of the upper column's pull-out
    float amount = 0.0f;  // what the term added to nBeam or nCross
    bool operator==(const PullOutTerm &) const = default;
};

// Beam positions in their members (0 single, 1 first, 2 middle, 3 last) per direction; 0 without a beam.
using BeamSegmentPair = FixedArray<int32_t, 1, 2>;

struct Calculation {
    // Same bounds as the node array.
    Array3<ColumnResult> results;
    Array3<int32_t> corner;         // 1 = projecting-corner column (出隅), columns of storeys only
    Array3<QString> requiredClass;  // class label of every column, empty elsewhere
    Array3<BeamSegmentPair> beamSegments;
    // (1 To 2, 1 To max(nx+1, ny+1), 1 To floors): 1 = the grid line carries a wall on that storey.
    Array3<int32_t> wallLineFlags;
    OneBasedArray<int32_t> columnCount;  // columns per storey (1 To floors)
    int32_t anyNotCarried = 0;
    // Every ΔN term of each path, ordered by column (y, x), direction, then in the order added.
    std::vector<PullOutTerm> beamTerms;
    std::vector<PullOutTerm> crossTerms;
    // Offsets (file order) of the entries of every column: the only entries a calculation writes.
    std::vector<std::size_t> columnEntries;

    // The terms of one column and direction along one path (empty when none).
    std::vector<PullOutTerm> termsOf(int x, int y, int d, PullOutPath path) const;
};

// The calculation of the project as it is: beam positions, wall sides, corner flags, every column's
// N in both directions with the pull-out carried to it, required classes and the wall lines.
Calculation Calculate(const Project &project);
// The same into `calc`, whose arrays are used again (a document calculating after every change).
void Calculate(const Project &project, Calculation &calc);

// The project as a file holds it after a calculation: corner flags and required classes of the columns
// of every storey, the three hardware texts emptied where no column stands, the beam positions.
void StampCalculatedMarks(Project &project, const Calculation &calc);
Project WithCalculatedMarks(const Project &project, const Calculation &calc);

}  // namespace rqx

#pragma once
// Houses built in code for tests and benchmarks: each routine writes the node records of one member
// kind as the plan editor stores them, without its placement rules (callers build sensible houses).

#include <QString>

#include "model/project.h"

namespace rqx::samples {

// Line names a new project gets.
enum class LineNames {
    kNumberedIroha,  // generated: X "X1 X2…", Y "いろは…"
    kNumbered,       // generated: X "X1 X2…", Y "Y1 Y2…"
    kNone,           // none: line styles and names as ResetProject leaves them
};

// A fresh project of the given grid (module 0.91 m): ResetProject, the line names asked for, every
// other option as a new project has it.
Project NewProject(int spanCountX, int spanCountY, int floorCount = 2, int divisions = 2,
                   LineNames names = LineNames::kNumberedIroha);

// Cells (x1..x2-1, y1..y2-1) of a storey get the floor kind (1 床, 2 吹き抜け, 0 none).
void PlaceFloor(Project &project, int level, int x1, int y1, int x2, int y2, int kind = 1);

// Wall multiplier of a member: braces by size 1..4 ("Kesa" 1.0 1.5 2.0 3.0, "Tasuki" 2 3 4 5),
// boards 0.5 × row.
float WallMultiplier(const QString &key, int kind);

struct WallOptions {
    bool towardLower = false;  // a "Kesa" brace rises toward the lower node index (code 2, else 1)
    bool linked = false;       // also the members the editor links to a wall: a 管柱 on each end node
                               // without a column, a beam on every span at this level and the one above
};

// A bearing wall on the grid line `line` (y index for direction X, x index for direction Y) from
// node `from` to node `to` (from < to), one WallMember per span. `key` is "Kesa", "Tasuki" (brace
// size 1..4: 15×90, 30×90, 45×90, 90×90) or "Menzai" (board row 1..10).
void PlaceWall(Project &project, int level, int dir, int line, int from, int to, const QString &key, int kind,
               WallOptions options = {});

// Column at node (x, y) of a storey: 1 管柱, 2 通し柱 (also placed on the same node of the other
// storey, both with throughOrigin).
void PlaceColumn(Project &project, int level, int x, int y, int kind = 1);

// Beams on the grid line `line` from node `from` to node `to` (from < to) at a level
// (floorCount+1 = roof plane), each span a single segment until UpdateBeamSegments.
void PlaceBeam(Project &project, int level, int dir, int line, int from, int to);

// Placed / required hardware texts of the column at (x, y, level).
void SetHardware(Project &project, int level, int x, int y, const QString &required, const QString &top,
                 const QString &foot);

// What the calculation and the save leave in a finished project: beam segments, corner flags of
// every column, outline marks.
void FinishAsSaved(Project &project);

}  // namespace rqx::samples

#pragma once
// Houses built in code for tests and benchmarks. The Place* helpers write the node records the way
// the plan editor does when it places a member (with the wall-linked columns and beams), without
// its placement rules: callers build sensible houses themselves.

#include <QString>

#include "model/project.h"

namespace rqx::samples {

// A fresh project of the given grid: ResetProject, line names generated in the styles given
// (X "X1 X2…", Y "いろは…" unless changed later), every other option as a new project has it.
Project NewProject(int spanCountX, int spanCountY, int floorCount = 2, int divisions = 2,
                   float moduleLength = 0.91f);

// Cells (x1..x2-1, y1..y2-1) of a storey get the floor kind (1 床, 2 吹き抜け, 0 none).
void PlaceFloor(Project &project, int level, int x1, int y1, int x2, int y2, int kind);

// Wall multiplier of a member: braces by size 1..4 ("Kesa" 1.0 1.5 2.0 3.0, "Tasuki" 2 3 4 5),
// boards 0.5 × row.
float WallMultiplier(const QString &key, int kind);

// A bearing wall on the grid line `line` (y index for direction X, x index for direction Y) from
// node `from` to node `to` (either order: from > to draws a "Kesa" toward the lower index).
// Writes one WallMember per span; with `link` the end nodes get a 管柱 where they have no column
// and every span gets a beam at this level and the level above.
void PlaceWall(Project &project, int level, int dir, int line, int from, int to, const QString &key, int kind,
               bool link = true);

// Column at node (x, y) of a storey: 1 管柱, 2 通し柱 (also placed on the same node of the other storey).
void PlaceColumn(Project &project, int level, int x, int y, int kind);

// Beams on the grid line `line` from node `from` to node `to` at a level (floorCount+1 = roof plane).
void PlaceBeam(Project &project, int level, int dir, int line, int from, int to);

// Placed / required hardware texts of the column at (x, y, level).
void SetHardware(Project &project, int level, int x, int y, const QString &required, const QString &top,
                 const QString &foot);

// What the calculation and the save leave in a finished project: beam segments, corner flags of
// every column, outline marks.
void FinishAsSaved(Project &project);

// The house of tests/data/two_storey.RQX: 8 × 6 modules of 910 mm, 2 divisions (16 × 12 spans),
// storey 2 over the left three quarters with a void, braces and boards of several kinds,
// through columns at the corners of storey 2, hardware texts, a Japanese building name.
Project TwoStoreyHouse();

// A small two-storey house of 4 × 3 spans (about 6 KB as a file): floors, a void, a through column,
// a brace, a board and a cross brace, hardware texts. Quick to read many times over.
Project SmallHouse();

// The largest project the dialogs allow: 30 × 30 modules, 4 divisions (120 × 120 spans), two
// storeys, every node carrying walls, a column, beams and three hardware texts.
Project LargestProject();

}  // namespace rqx::samples

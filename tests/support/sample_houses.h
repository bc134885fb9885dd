#pragma once
// Named houses built with the house builder, shared by the tests of every subsystem, the benchmarks
// and the sample files of tests/data.

#include "model/project.h"

namespace rqx::samples {

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

// Two storeys on the default 20 × 20-span grid (10 × 10 modules of 0.91 m, 2 divisions): floors,
// a void, braces of every size, boards, storey and through columns, floor and roof beams.
Project SmallTwoStoreyHouse();

// 30 × 30 modules, 4 divisions (120 × 120 spans), two storeys, every kind of member on every module.
Project LargestHouse();

// The small complete houses of the calculation tests; every column's N is worked out by hand in
// calc/house_calc_test.cpp. No line names.
// One storey, 4 × 2 spans, fully floored; eight columns on the outline.
Project HandWorkedOneStorey();

// Two storeys, 4 × 2 spans, both fully floored; a through column at (3,3) and a second-storey
// column at (3,1) halfway on the floor beam between the first-storey columns (1,1) and (5,1).
Project HandWorkedTwoStorey(int lMode);

// Two storeys, 4 × 4 spans, fully floored; a second-storey column at (2,3) on a floor beam from
// the first-storey column (1,3) to (3,3), where it meets a Y beam from (3,1) to (3,5).
Project HandWorkedCrossBeam();

// The wall quantities' hand-worked house (worked in calc/wall_quantity_test.cpp), on 1 m spans:
// storey 1 an L of 42 m², storey 2 5 × 6 m with a 2 × 2 m void, H1 2.9 m, H2 2.8 m; a 7.5 wall
// (cross brace 5.0 and board 2.5) on storey 1; storey 1 short along Y. No conditions stored.
Project HandWorkedWallHouse();

}  // namespace rqx::samples

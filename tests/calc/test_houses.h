#pragma once
// The small complete houses of the calculation tests, also saved to files by the CLI tests.
// Every column's N is worked out by hand in house_calc_test.cpp.

#include "model/project.h"

namespace rqx::test {

// One storey, 4 × 2 spans, fully floored; eight columns on the outline.
Project OneStoreyHouse();

// Two storeys, 4 × 2 spans, both fully floored; a through column at (3,3) and a second-storey
// column at (3,1) halfway on the floor beam between the first-storey columns (1,1) and (5,1).
Project TwoStoreyHouse(int lMode);

// Two storeys, 4 × 4 spans, fully floored; a second-storey column at (2,3) on a floor beam from
// the first-storey column (1,3) to (3,3), where it meets a Y beam from (3,1) to (3,5).
Project CrossBeamHouse();

}  // namespace rqx::test

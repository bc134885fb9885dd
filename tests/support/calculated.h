#pragma once
// The calculation of a test house, with the marks it derives set in the project the way the program's
// document sets them before a save (corner flags, required classes, beam positions).

#include "calc/calculation.h"

namespace rqx::test {

inline Calculation Calculated(Project &project)
{
    Calculation calc = Calculate(project);
    StampCalculatedMarks(project, calc);
    return calc;
}

}  // namespace rqx::test

#pragma once
// Houses generated from a seed for the tests that check a property over many shapes: a first storey
// floored over the grid, a second storey over a part of it (with a void), walls of every kind on module
// lines with their linked columns and beams, loose columns, second-storey columns standing on floor beams
// only, and placed hardware texts, weaker or stronger than required.

#include "model/project.h"

namespace rqx::samples {

struct HouseShape {
    int modulesX = 6;
    int modulesY = 5;
    int divisions = 2;
    int floors = 2;
    int lMode = 0;
    int crossBeamIgnored = 0;
};

// A house of the given shape; the same seed gives the same house. The calculation has not run.
Project GeneratedHouse(const HouseShape &shape, unsigned seed);

// A shape drawn from the seed: 2 to 8 modules each way, one or two storeys; the divisions, the L mode and
// the orthogonal-beam setting as given.
HouseShape GeneratedShape(unsigned seed, int divisions, int lMode, int crossBeamIgnored);

// The house as files of earlier versions store it: every beam flag and position negated, both line
// styles 0 and odd first numbers of the line names (the stored names stay as they are).
Project InEarlierFileForm(Project p);

}  // namespace rqx::samples

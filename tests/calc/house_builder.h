#pragma once
// Builds small houses in code the way the plan editor stores members, for the calculation tests.

#include "model/project.h"

namespace rqx::test {

// A project of the given size (spans of 0.455 m with the default 0.91 m module and 2 divisions).
Project NewHouse(int floors, int spansX, int spansY);

enum class Wall {
    KesaUp,    // single brace rising toward the higher index (code 1)
    KesaDown,  // single brace rising toward the lower index (code 2)
    Tasuki,    // cross brace (code 3)
    Board,     // 面材 (code 4); size is the board row 1..10, multiplier 0.5 × row
};

// A wall on storey `level` along direction d on grid line `line` (the y index for X, the x
// index for Y) from node index `from` to node index `to`, one member per span. Brace sizes
// 1..4 are 15×90, 30×90, 45×90, 90×90.
void PlaceWall(Project &p, int level, int d, int line, int from, int to, Wall kind, int size);

// A 管柱 (kind 1) or a 通し柱 (kind 2: on both storeys, with throughOrigin).
void PlaceColumn(Project &p, int level, int x, int y, int kind = 1);

// Beam segments on `level` along direction d on grid line `line` from node `from` to node `to`.
void PlaceBeam(Project &p, int level, int d, int line, int from, int to);

// Floor kind of the cells with lower-left nodes x1..x2−1 × y1..y2−1.
void PlaceFloor(Project &p, int level, int x1, int y1, int x2, int y2, int kind = 1);

}  // namespace rqx::test

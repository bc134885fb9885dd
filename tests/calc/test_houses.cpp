#include "calc/test_houses.h"

#include <utility>

#include "calc/house_builder.h"

namespace rqx::test {

// One storey, 4 × 2 spans, fully floored; eight columns on the outline.
Project OneStoreyHouse()
{
    Project p = NewHouse(1, 4, 2);
    PlaceFloor(p, 1, 1, 1, 5, 3);
    for (auto [x, y] : {std::pair{1, 1}, {3, 1}, {5, 1}, {1, 2}, {5, 2}, {1, 3}, {3, 3}, {5, 3}})
        PlaceColumn(p, 1, x, y);
    PlaceWall(p, 1, kDirX, 1, 1, 3, Wall::KesaUp, 3);    // 45×90 (2.0), upper end at x = 3
    PlaceWall(p, 1, kDirX, 3, 3, 5, Wall::Board, 5);     // 2.5
    PlaceWall(p, 1, kDirY, 1, 1, 2, Wall::Tasuki, 2);    // 30×90 cross (3.0)
    PlaceWall(p, 1, kDirY, 5, 2, 3, Wall::KesaDown, 4);  // 90×90 (3.0), upper end at y = 2
    return p;
}

// Two storeys, 4 × 2 spans, both storeys fully floored. A through column at (3,3); a
// second-storey column at (3,1) halfway on the floor beam between (1,1) and (5,1).
Project TwoStoreyHouse(int lMode)
{
    Project p = NewHouse(2, 4, 2);
    p.grid.lCoefficientMode = lMode;
    PlaceFloor(p, 1, 1, 1, 5, 3);
    PlaceFloor(p, 2, 1, 1, 5, 3);
    for (auto [x, y] : {std::pair{1, 1}, {5, 1}, {1, 3}, {5, 3}, {1, 2}, {5, 2}})
        PlaceColumn(p, 1, x, y);
    PlaceColumn(p, 1, 3, 3, 2);
    for (auto [x, y] : {std::pair{1, 1}, {5, 1}, {3, 1}, {1, 3}, {5, 3}})
        PlaceColumn(p, 2, x, y);
    PlaceBeam(p, 2, kDirX, 1, 1, 5);
    PlaceBeam(p, 2, kDirX, 3, 1, 5);
    PlaceWall(p, 2, kDirX, 1, 3, 5, Wall::Board, 4);   // 2.0
    PlaceWall(p, 2, kDirX, 3, 1, 3, Wall::KesaUp, 3);  // 45×90 (2.0), upper end at x = 3
    PlaceWall(p, 1, kDirY, 1, 1, 3, Wall::Tasuki, 3);  // 45×90 cross (4.0)
    PlaceWall(p, 1, kDirX, 3, 3, 5, Wall::Board, 6);   // 3.0
    return p;
}

// Two storeys, 4 × 4 spans, fully floored. The second-storey column U at (2,3) stands on a
// floor beam from the first-storey column (1,3) to (3,3), where it meets a Y beam from (3,1)
// to (3,5); there is no first-storey column at (2,3) nor at (3,3).
Project CrossBeamHouse()
{
    Project p = NewHouse(2, 4, 4);
    PlaceFloor(p, 1, 1, 1, 5, 5);
    PlaceFloor(p, 2, 1, 1, 5, 5);
    for (auto [x, y] : {std::pair{1, 1}, {3, 1}, {5, 1}, {1, 3}, {1, 5}, {3, 5}, {5, 5}})
        PlaceColumn(p, 1, x, y);
    for (auto [x, y] : {std::pair{1, 1}, {5, 1}, {1, 5}, {5, 5}, {2, 3}})
        PlaceColumn(p, 2, x, y);
    PlaceBeam(p, 2, kDirX, 3, 1, 3);
    PlaceBeam(p, 2, kDirY, 3, 1, 5);
    PlaceWall(p, 2, kDirX, 3, 1, 2, Wall::Board, 10);    // 5.0 beside U
    PlaceWall(p, 1, kDirX, 1, 1, 3, Wall::KesaDown, 2);  // 30×90 (1.5), upper end at x = 1
    PlaceWall(p, 1, kDirY, 1, 1, 3, Wall::Board, 5);     // 2.5
    PlaceWall(p, 1, kDirX, 3, 1, 2, Wall::Board, 6);     // 3.0
    PlaceWall(p, 1, kDirX, 5, 3, 5, Wall::Board, 4);     // 2.0
    return p;
}

}  // namespace rqx::test

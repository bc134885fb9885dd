#pragma once
// Houses built directly in the node records, for the plan tests, the drawing benchmarks and the
// screenshots: a small known two-storey house and the largest grid with every kind of member.

#include <QString>

#include "model/project.h"

namespace rqx::sample {

// Empty project of nx × ny spans (grid modules × divisions) and 1 or 2 storeys, line names generated.
Project EmptyProject(int spanCountX, int spanCountY, int divisions, int floorCount);

// A wall on `line` (the y index for an X wall, the x index for a Y wall) from node `from` to node `to`,
// one member per span; key "Kesa" (code 1 or 2 by drawing direction), "Tasuki" (3) or "Menzai" (4).
void PutWall(Project &p, int level, int dir, int line, int from, int to, const QString &key, int kind,
             bool towardLower = false);
void PutBeam(Project &p, int level, int dir, int line, int from, int to);
// 管柱 (1) or 通し柱 (2, standing on both storeys).
void PutColumn(Project &p, int level, int ix, int iy, int kind);
// cellFloor of the cells ix1..ix2-1 × iy1..iy2-1.
void PutFloor(Project &p, int level, int ix1, int iy1, int ix2, int iy2, int kind);

// Two storeys on the default 20 × 20-span grid (10 × 10 modules of 0.91 m, 2 divisions): floors,
// a void, braces of every size, boards, storey and through columns, floor and roof beams.
Project SmallTwoStoreyHouse();
// 30 × 30 modules, 4 divisions (120 × 120 spans), two storeys, every kind of member on every module.
Project LargestHouse();

}  // namespace rqx::sample

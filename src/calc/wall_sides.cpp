#include "calc/wall_sides.h"

#include "model/plan_facts.h"

#include <cmath>

#include "calc/grid_access.h"

namespace rqx {

namespace {

// Start node of the side-1 segment of (x, y) in direction d.
NodeIndex Side1Start(int d, int x, int y)
{
    return d == kDirX ? NodeIndex{x - 1, y} : NodeIndex{x, y - 1};
}

// The segment of direction d starting at n exists on this level (start index 1..span count).
bool SegmentExists(const Project &project, int d, NodeIndex n, int level)
{
    const int along = AlongIndex(d, n);
    return along >= 1 && along <= SpanCount(project, d) && project.nodes.valid(n.x, n.y, level);
}

struct SideWalls {
    int size = 0;
    int code = 0;
    float multiplier = 0.0f;
};

SideWalls ReadSide(const Project &project, int d, NodeIndex n, int level)
{
    SideWalls s;
    if (!SegmentExists(project, d, n, level))
        return s;  // no segment: the side stays empty
    const NodeRecord &rec = project.nodes(n.x, n.y, level);
    s.size = rec.brace[d].kind;
    s.code = rec.brace[d].code;
    // A brace and a board in one segment add up, but never beyond 5.
    s.multiplier = SpanMultiplier(rec, d);
    return s;
}

}  // namespace

void PrepareWallSides(const Project &project, Calculation &calc)
{
    const int floors = project.dims.floorCount;
    const int nx = project.dims.spanCountX;
    const int ny = project.dims.spanCountY;
    for (int level = 1; level <= floors; ++level)
        for (int y = 1; y <= ny + 1; ++y)
            for (int x = 1; x <= nx + 1; ++x) {
                if (!HasColumn(project, x, y, level))
                    continue;
                ColumnResult &r = calc.results(x, y, level);
                for (int d = kDirX; d <= kDirY; ++d) {
                    const SideWalls s2 = ReadSide(project, d, NodeIndex{x, y}, level);
                    const SideWalls s1 = ReadSide(project, d, Side1Start(d, x, y), level);
                    r.sizeSide2[d] = s2.size;
                    r.codeSide2[d] = s2.code;
                    r.multSide2[d] = s2.multiplier;
                    r.sizeSide1[d] = s1.size;
                    r.codeSide1[d] = s1.code;
                    r.multSide1[d] = s1.multiplier;
                }
            }
    for (int level = 1; level <= floors; ++level)
        for (int y = 1; y <= ny + 1; ++y)
            for (int x = 1; x <= nx + 1; ++x)
                if (HasColumn(project, x, y, level))
                    calc.corner(x, y, level) = IsCornerNode(project, x, y, level) ? 1 : 0;
}

float SingleBraceCorrection(int size)
{
    switch (size) {
        case 2:  // 30×90
        case 3:  // 45×90
            return 0.5f;
        case 4:  // 90×90
            return 2.0f;
        default:  // none, 15×90, and anything else
            return 0.0f;
    }
}

float ComputeBracingCorrection(int size1, int code1, int size2, int code2)
{
    // Side 1: code 1 has its upper end at the column (top), code 2 its lower end (foot).
    // Side 2: code 1 is at the foot, code 2 at the top. Code 3 is a cross brace.
    const float v1 = SingleBraceCorrection(size1);
    const float v2 = SingleBraceCorrection(size2);
    if (code1 == 3 && (code2 == 0 || code2 == 2))
        return v2;  // cross brace against a single brace at the top (or nothing)
    if (code1 == 3 && (code2 == 1 || code2 == 3))
        return 0.0f;
    if ((code1 == 0 || code1 == 1 || code1 == 2) && code2 == 3)
        return code1 == 2 ? 0.0f : v1;
    if (code1 == 1 && code2 == 0)
        return v1;
    if (code1 == 2 && code2 == 0)
        return -v1;
    if (code1 == 0 && code2 == 1)
        return -v2;
    if (code1 == 0 && code2 == 2)
        return v2;
    if (code1 == 2 && code2 == 1)
        return 0.0f;  // both braces at the foot
    return v1 + v2;
}

void ComputeA(ColumnResult &column, int d)
{
    column.correction[d] = 0.0f;
    if (column.sizeSide1[d] + column.sizeSide2[d] > 0)
        column.correction[d] = ComputeBracingCorrection(column.sizeSide1[d], column.codeSide1[d],
                                                        column.sizeSide2[d], column.codeSide2[d]);
    column.aValue[d] = std::fabs(column.multSide1[d] - column.multSide2[d]) + column.correction[d];
}

void MarkWallLines(const Project &project, Calculation &calc)
{
    const int floors = project.dims.floorCount;
    const int nx = project.dims.spanCountX;
    const int ny = project.dims.spanCountY;
    Array3<int32_t> &flags = calc.wallLineFlags;
    for (int level = 1; level <= floors; ++level)
        for (int d = kDirX; d <= kDirY; ++d) {
            const int lines = d == kDirX ? ny + 1 : nx + 1;
            const int spans = d == kDirX ? nx : ny;
            for (int line = 1; line <= lines; ++line)
                for (int k = 1; k <= spans; ++k) {
                    const NodeIndex n = d == kDirX ? NodeIndex{k, line} : NodeIndex{line, k};
                    const NodeRecord &rec = project.nodes(n.x, n.y, level);
                    if (rec.brace[d].kind + rec.board[d].kind != 0) {
                        if (flags.valid(d, line, level))
                            flags(d, line, level) = 1;
                        break;
                    }
                }
        }
}

WallKindSums WallKindsBeside(const Project &project, int d, int x, int y, int level)
{
    WallKindSums sums;
    auto kinds = [&](NodeIndex n) {
        if (!SegmentExists(project, d, n, level))
            return 0;
        const NodeRecord &rec = project.nodes(n.x, n.y, level);
        return rec.brace[d].kind + rec.board[d].kind;
    };
    sums.side1 = kinds(Side1Start(d, x, y));
    sums.side2 = kinds(NodeIndex{x, y});
    return sums;
}

}  // namespace rqx

#include "support/sample_houses.h"

#include "model/line_names.h"

namespace rqx::sample {

Project EmptyProject(int spanCountX, int spanCountY, int divisions, int floorCount)
{
    Project p;
    p.info.spanCountX = spanCountX;
    p.info.spanCountY = spanCountY;
    p.info.divisions = divisions;
    p.info.floorCount = floorCount;
    p.info.moduleLength = 0.91f;
    p.grid.lineStyleX = 1;
    p.grid.lineStyleY = 1;
    p.grid.lineStartX = 1;
    p.grid.lineStartY = 1;
    ResetProject(p);
    GenerateLineNames(p);
    return p;
}

void PutWall(Project &p, int level, int dir, int line, int from, int to, const QString &key, int kind,
             bool towardLower)
{
    const int spans = to - from;
    for (int k = from; k < to; ++k) {
        NodeRecord &n = dir == kDirX ? p.nodes(k, line, level) : p.nodes(line, k, level);
        WallMember m;
        m.kind = kind;
        m.firstIndex = from;
        m.lastIndex = to - 1;
        m.key = key;
        m.code = key == kKeyMenzai ? 4 : key == kKeyTasuki ? 3 : towardLower ? 2 : 1;
        m.segment = spans == 1 ? 0 : k == from ? 1 : k == to - 1 ? 3 : 2;
        if (key == kKeyMenzai) {
            m.multiplier = 0.5f * kind;
            n.board[dir] = m;
        } else {
            constexpr float kesa[4] = {1.0f, 1.5f, 2.0f, 3.0f};
            constexpr float tasuki[4] = {2.0f, 3.0f, 4.0f, 5.0f};
            m.multiplier = key == kKeyTasuki ? tasuki[kind - 1] : kesa[kind - 1];
            n.brace[dir] = m;
        }
    }
}

void PutBeam(Project &p, int level, int dir, int line, int from, int to)
{
    for (int k = from; k < to; ++k) {
        NodeRecord &n = dir == kDirX ? p.nodes(k, line, level) : p.nodes(line, k, level);
        n.beam[dir].present = 1;
    }
}

void PutColumn(Project &p, int level, int ix, int iy, int kind)
{
    p.nodes(ix, iy, level).columnKind = kind;
    if (kind == 2 && p.info.floorCount == 2) {
        p.nodes(ix, iy, 1).columnKind = 2;
        p.nodes(ix, iy, 1).throughOrigin = 1;
        p.nodes(ix, iy, 2).columnKind = 2;
        p.nodes(ix, iy, 2).throughOrigin = 1;
    }
}

void PutFloor(Project &p, int level, int ix1, int iy1, int ix2, int iy2, int kind)
{
    for (int j = iy1; j < iy2; ++j)
        for (int i = ix1; i < ix2; ++i)
            p.nodes(i, j, level).cellFloor = kind;
}

Project SmallTwoStoreyHouse()
{
    Project p = EmptyProject(20, 20, 2, 2);
    // First storey: 8 × 6 modules between nodes (3, 3) and (19, 15).
    PutFloor(p, 1, 3, 3, 19, 15, 1);
    PutWall(p, 1, kDirX, 3, 3, 5, kKeyKesa, 3);
    PutWall(p, 1, kDirX, 3, 7, 9, kKeyTasuki, 2);
    PutWall(p, 1, kDirX, 3, 11, 13, kKeyMenzai, 5);
    PutWall(p, 1, kDirX, 3, 15, 19, kKeyKesa, 4, true);
    PutWall(p, 1, kDirX, 15, 3, 7, kKeyTasuki, 3);
    PutWall(p, 1, kDirX, 15, 9, 11, kKeyKesa, 1);
    PutWall(p, 1, kDirX, 15, 13, 15, kKeyMenzai, 2);
    PutWall(p, 1, kDirX, 15, 13, 15, kKeyKesa, 2);
    PutWall(p, 1, kDirX, 9, 7, 11, kKeyMenzai, 8);
    PutWall(p, 1, kDirY, 3, 3, 7, kKeyKesa, 3, true);
    PutWall(p, 1, kDirY, 3, 11, 15, kKeyTasuki, 1);
    PutWall(p, 1, kDirY, 19, 3, 5, kKeyMenzai, 10);
    PutWall(p, 1, kDirY, 19, 9, 15, kKeyTasuki, 4);
    PutWall(p, 1, kDirY, 11, 9, 13, kKeyKesa, 2);
    for (int ix : {3, 5, 7, 9, 11, 13, 15, 17, 19})
        for (int iy : {3, 15})
            PutColumn(p, 1, ix, iy, 1);
    for (int iy : {5, 7, 9, 11, 13}) {
        PutColumn(p, 1, 3, iy, 1);
        PutColumn(p, 1, 19, iy, 1);
    }
    PutColumn(p, 1, 11, 9, 1);
    PutColumn(p, 1, 11, 13, 1);
    PutColumn(p, 1, 7, 9, 1);
    // Second storey: 5 × 6 modules over the left part, with a 2 × 2-module void.
    PutFloor(p, 2, 3, 3, 13, 15, 1);
    PutFloor(p, 2, 5, 9, 9, 13, 2);
    PutWall(p, 2, kDirX, 3, 3, 7, kKeyKesa, 2);
    PutWall(p, 2, kDirX, 3, 9, 13, kKeyMenzai, 4);
    PutWall(p, 2, kDirX, 15, 5, 9, kKeyTasuki, 2);
    PutWall(p, 2, kDirY, 3, 5, 9, kKeyKesa, 3);
    PutWall(p, 2, kDirY, 13, 3, 7, kKeyMenzai, 6);
    PutWall(p, 2, kDirY, 13, 9, 15, kKeyKesa, 1, true);
    for (int ix : {3, 13})
        for (int iy : {3, 15})
            PutColumn(p, 1, ix, iy, 2);
    for (int ix : {5, 7, 9})
        PutColumn(p, 2, ix, 3, 1);
    PutColumn(p, 2, 5, 15, 1);
    PutColumn(p, 2, 9, 15, 1);
    PutColumn(p, 2, 3, 9, 1);
    PutColumn(p, 2, 13, 9, 1);
    PutColumn(p, 2, 13, 7, 1);
    // Floor beams (level 2) on the module lines of the first storey, roof beams (level 3) over the second.
    for (int iy = 3; iy <= 15; iy += 2)
        PutBeam(p, 2, kDirX, iy, 3, 19);
    for (int ix = 3; ix <= 19; ix += 4)
        PutBeam(p, 2, kDirY, ix, 3, 15);
    for (int iy : {3, 9, 15})
        PutBeam(p, 3, kDirX, iy, 3, 13);
    for (int ix : {3, 13})
        PutBeam(p, 3, kDirY, ix, 3, 15);
    UpdateOutlineMarks(p, 1);
    UpdateOutlineMarks(p, 2);
    UpdateBeamSegments(p);
    return p;
}

Project LargestHouse()
{
    constexpr int kDiv = 4;
    constexpr int kSpans = 30 * kDiv;
    Project p = EmptyProject(kSpans, kSpans, kDiv, 2);
    const int n = kSpans + 1;
    PutFloor(p, 1, 1, 1, n, n, 1);
    PutFloor(p, 2, 1, 1, n, n, 1);
    // A void of every fifth module on the second storey.
    for (int m = 0; m < 30; m += 5)
        PutFloor(p, 2, m * kDiv + 1, m * kDiv + 1, m * kDiv + 1 + kDiv, m * kDiv + 1 + kDiv, 2);
    const QString keys[3] = {kKeyKesa, kKeyTasuki, kKeyMenzai};
    for (int level = 1; level <= 2; ++level) {
        int turn = 0;
        for (int line = 1; line <= n; line += kDiv)
            for (int m = 0; m < 30; ++m, ++turn) {
                const int from = m * kDiv + 1;
                const QString &key = keys[turn % 3];
                const int kind = key == kKeyMenzai ? 1 + turn % 10 : 1 + turn % 4;
                // Two-span walls on both halves of the module, in X and in Y, a board behind every
                // fourth brace.
                PutWall(p, level, kDirX, line, from, from + 2, key, kind, turn % 2 == 1);
                PutWall(p, level, kDirY, line, from + 2, from + 4, key, kind, turn % 2 == 0);
                if (key != kKeyMenzai && turn % 4 == 0)
                    PutWall(p, level, kDirX, line, from, from + 2, kKeyMenzai, 1 + turn % 10);
            }
        for (int iy = 1; iy <= n; iy += kDiv)
            for (int ix = 1; ix <= n; ix += kDiv)
                PutColumn(p, level, ix, iy, (ix + iy) % 3 == 0 ? 2 : 1);
    }
    for (int level = 2; level <= 3; ++level)
        for (int line = 1; line <= n; line += kDiv / 2) {
            PutBeam(p, level, kDirX, line, 1, n);
            PutBeam(p, level, kDirY, line, 1, n);
        }
    UpdateOutlineMarks(p, 1);
    UpdateOutlineMarks(p, 2);
    UpdateBeamSegments(p);
    return p;
}

}  // namespace rqx::sample

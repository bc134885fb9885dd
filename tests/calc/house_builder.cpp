#include "calc/house_builder.h"

namespace rqx::test {

Project NewHouse(int floors, int spansX, int spansY)
{
    Project p;
    p.info.floorCount = floors;
    p.info.spanCountX = spansX;
    p.info.spanCountY = spansY;
    p.info.divisions = 2;
    p.info.moduleLength = 0.91f;
    ResetProject(p);
    return p;
}

namespace {

NodeRecord &SpanNode(Project &p, int level, int d, int line, int k)
{
    return d == kDirX ? p.nodes(k, line, level) : p.nodes(line, k, level);
}

}  // namespace

void PlaceWall(Project &p, int level, int d, int line, int from, int to, Wall kind, int size)
{
    static const float kesa[] = {0.0f, 1.0f, 1.5f, 2.0f, 3.0f};
    static const float tasuki[] = {0.0f, 2.0f, 3.0f, 4.0f, 5.0f};
    for (int k = from; k < to; ++k) {
        NodeRecord &n = SpanNode(p, level, d, line, k);
        WallMember &m = kind == Wall::Board ? n.board[d] : n.brace[d];
        m.kind = size;
        m.firstIndex = from;
        m.lastIndex = to - 1;
        m.segment = to - from == 1 ? 0 : k == from ? 1 : k == to - 1 ? 3 : 2;
        switch (kind) {
            case Wall::KesaUp:
            case Wall::KesaDown:
                m.key = kKeyKesa;
                m.code = kind == Wall::KesaUp ? 1 : 2;
                m.multiplier = kesa[size];
                break;
            case Wall::Tasuki:
                m.key = kKeyTasuki;
                m.code = 3;
                m.multiplier = tasuki[size];
                break;
            case Wall::Board:
                m.key = kKeyMenzai;
                m.code = 4;
                m.multiplier = 0.5f * static_cast<float>(size);
                break;
        }
    }
}

void PlaceColumn(Project &p, int level, int x, int y, int kind)
{
    p.nodes(x, y, level).columnKind = kind;
    if (kind == 2) {
        p.nodes(x, y, level).throughOrigin = 1;
        const int other = level == 1 ? 2 : 1;
        p.nodes(x, y, other).columnKind = 2;
        p.nodes(x, y, other).throughOrigin = 1;
    }
}

void PlaceBeam(Project &p, int level, int d, int line, int from, int to)
{
    for (int k = from; k < to; ++k) {
        BeamInfo &b = SpanNode(p, level, d, line, k).beam[d];
        b.present = 1;
        b.segment = 0;
    }
}

void PlaceFloor(Project &p, int level, int x1, int y1, int x2, int y2, int kind)
{
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            p.nodes(x, y, level).cellFloor = kind;
}

}  // namespace rqx::test

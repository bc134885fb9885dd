#include "support/house_builder.h"

#include <cassert>

#include "model/line_names.h"

namespace rqx::samples {

namespace {

NodeRecord &NodeAt(Project &p, int dir, int line, int along, int level)
{
    return dir == kDirX ? p.nodes(along, line, level) : p.nodes(line, along, level);
}

}  // namespace

Project NewProject(int spanCountX, int spanCountY, int floorCount, int divisions, LineNames names)
{
    Project p;
    p.info.floorCount = floorCount;
    p.info.divisions = divisions;
    p.info.moduleLength = 0.91f;
    p.info.spanCountX = spanCountX;
    p.info.spanCountY = spanCountY;
    if (names != LineNames::kNone) {
        p.grid.lineStyleX = kLineStyleNumbered;
        p.grid.lineStyleY = names == LineNames::kNumbered ? kLineStyleNumbered : kLineStyleIroha;
        p.grid.lineStartX = 1;
        p.grid.lineStartY = 1;
    }
    ResetProject(p);
    if (names != LineNames::kNone)
        GenerateLineNames(p);
    return p;
}

void PlaceFloor(Project &project, int level, int x1, int y1, int x2, int y2, int kind)
{
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            project.nodes(x, y, level).cellFloor = kind;
}

float WallMultiplier(const QString &key, int kind)
{
    static const float kesa[] = {1.0f, 1.5f, 2.0f, 3.0f};
    static const float tasuki[] = {2.0f, 3.0f, 4.0f, 5.0f};
    if (key == kKeyKesa)
        return kesa[kind - 1];
    if (key == kKeyTasuki)
        return tasuki[kind - 1];
    return 0.5f * static_cast<float>(kind);
}

void PlaceWall(Project &project, int level, int dir, int line, int from, int to, const QString &key, int kind,
               WallOptions options)
{
    assert(from < to);
    WallMember m;
    m.kind = kind;
    m.firstIndex = from;
    m.lastIndex = to - 1;
    m.key = key;
    m.code = key == kKeyKesa ? (options.towardLower ? 2 : 1) : key == kKeyTasuki ? 3 : 4;
    m.multiplier = WallMultiplier(key, kind);
    for (int i = from; i < to; ++i) {
        m.segment = to - from == 1 ? 0 : i == from ? 1 : i == to - 1 ? 3 : 2;
        NodeRecord &n = NodeAt(project, dir, line, i, level);
        (key == kKeyMenzai ? n.board[dir] : n.brace[dir]) = m;
        if (options.linked) {
            for (int l = level; l <= level + 1; ++l) {
                BeamInfo &b = NodeAt(project, dir, line, i, l).beam[dir];
                b.present = 1;
                b.segment = 1;
            }
        }
    }
    if (options.linked) {
        for (int i : {from, to}) {
            NodeRecord &n = NodeAt(project, dir, line, i, level);
            if (n.columnKind == 0)
                n.columnKind = 1;
        }
    }
}

void PlaceColumn(Project &project, int level, int x, int y, int kind)
{
    project.nodes(x, y, level).columnKind = kind;
    if (kind == 2) {
        for (int l : {1, 2}) {
            NodeRecord &n = project.nodes(x, y, l);
            n.columnKind = 2;
            n.throughOrigin = 1;
        }
    }
}

void PlaceBeam(Project &project, int level, int dir, int line, int from, int to)
{
    assert(from < to);
    for (int i = from; i < to; ++i) {
        BeamInfo &b = NodeAt(project, dir, line, i, level).beam[dir];
        b.present = 1;
        b.segment = 0;
    }
}

void SetHardware(Project &project, int level, int x, int y, const QString &required, const QString &top,
                 const QString &foot)
{
    NodeRecord &n = project.nodes(x, y, level);
    n.hardware[0] = required;
    n.hardware[1] = top;
    n.hardware[2] = foot;
}

void FinishAsSaved(Project &project)
{
    UpdateBeamSegments(project);
    for (int level = 1; level <= project.info.floorCount; ++level) {
        for (int y = 1; y <= project.nodes.sizeY(); ++y)
            for (int x = 1; x <= project.nodes.sizeX(); ++x) {
                NodeRecord &n = project.nodes(x, y, level);
                n.isCorner = n.columnKind > 0 && IsCornerNode(project, x, y, level) ? 1 : 0;
            }
        UpdateOutlineMarks(project, level);
    }
}

}  // namespace rqx::samples

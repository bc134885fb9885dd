#include "support/sample_projects.h"

#include <algorithm>
#include <cassert>

#include "model/line_names.h"

namespace rqx::samples {

namespace {

NodeRecord &NodeAt(Project &p, int dir, int line, int along, int level)
{
    return dir == kDirX ? p.nodes(along, line, level) : p.nodes(line, along, level);
}

}  // namespace

Project NewProject(int spanCountX, int spanCountY, int floorCount, int divisions, float moduleLength)
{
    Project p;
    p.info.floorCount = floorCount;
    p.info.divisions = divisions;
    p.info.moduleLength = moduleLength;
    p.info.spanCountX = spanCountX;
    p.info.spanCountY = spanCountY;
    p.grid.lineStyleX = kLineStyleNumbered;
    p.grid.lineStyleY = kLineStyleIroha;
    p.grid.lineStartX = 1;
    p.grid.lineStartY = 1;
    ResetProject(p);
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
               bool link)
{
    assert(from != to);
    const int first = std::min(from, to);
    const int end = std::max(from, to);
    WallMember m;
    m.kind = kind;
    m.firstIndex = first;
    m.lastIndex = end - 1;
    m.key = key;
    m.code = key == kKeyKesa ? (from < to ? 1 : 2) : key == kKeyTasuki ? 3 : 4;
    m.multiplier = WallMultiplier(key, kind);
    const bool isBoard = key == kKeyMenzai;
    for (int i = first; i < end; ++i) {
        m.segment = end - first == 1 ? 0 : i == first ? 1 : i == end - 1 ? 3 : 2;
        NodeRecord &n = NodeAt(project, dir, line, i, level);
        (isBoard ? n.board[dir] : n.brace[dir]) = m;
        if (link) {
            for (int l = level; l <= level + 1; ++l) {
                BeamInfo &b = NodeAt(project, dir, line, i, l).beam[dir];
                b.present = 1;
                b.segment = 1;
            }
        }
    }
    if (link) {
        for (int i : {first, end}) {
            NodeRecord &n = NodeAt(project, dir, line, i, level);
            if (n.columnKind == 0)
                n.columnKind = 1;
        }
    }
}

void PlaceColumn(Project &project, int level, int x, int y, int kind)
{
    NodeRecord &n = project.nodes(x, y, level);
    n.columnKind = kind;
    n.throughOrigin = kind == 2 ? 1 : 0;
    if (kind == 2) {
        NodeRecord &other = project.nodes(x, y, level == 1 ? 2 : 1);
        other.columnKind = 2;
        other.throughOrigin = 1;
    }
}

void PlaceBeam(Project &project, int level, int dir, int line, int from, int to)
{
    for (int i = std::min(from, to); i < std::max(from, to); ++i) {
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

Project TwoStoreyHouse()
{
    Project p = NewProject(16, 12);
    ProjectInfo &info = p.info;
    info.buildingName = QStringLiteral("髙橋様邸 新築工事（ﾃｽﾄ）");
    info.officeName = QStringLiteral("ヘルミナ設計室");
    info.personName = QStringLiteral("山田　太郎");

    // Storey 1 floored throughout; storey 2 over x 1..13 with a void of 2 × 2 modules at its right.
    PlaceFloor(p, 1, 1, 1, 17, 13, 1);
    PlaceFloor(p, 2, 1, 1, 13, 13, 1);
    PlaceFloor(p, 2, 9, 5, 13, 9, 2);

    // Through columns at the corners of storey 2 (entered on storey 1).
    for (auto [x, y] : {std::pair{1, 1}, {13, 1}, {1, 13}, {13, 13}})
        PlaceColumn(p, 1, x, y, 2);

    // Storey 1: outer walls of every kind, one interior wall with a brace and a board in the same spans.
    PlaceWall(p, 1, kDirX, 1, 1, 3, kKeyKesa, 3);      // 45×90 rising to the right
    PlaceWall(p, 1, kDirX, 1, 7, 5, kKeyKesa, 2);      // 30×90 drawn right to left
    PlaceWall(p, 1, kDirX, 1, 9, 13, kKeyMenzai, 5);   // board 2.5
    PlaceWall(p, 1, kDirX, 1, 15, 17, kKeyTasuki, 3);  // 45×90 cross
    PlaceWall(p, 1, kDirX, 13, 1, 4, kKeyTasuki, 2);
    PlaceWall(p, 1, kDirX, 13, 11, 17, kKeyMenzai, 10);  // board 5.0 over three modules
    PlaceWall(p, 1, kDirY, 1, 1, 4, kKeyKesa, 4);
    PlaceWall(p, 1, kDirY, 1, 9, 13, kKeyTasuki, 1);
    PlaceWall(p, 1, kDirY, 17, 1, 5, kKeyMenzai, 4);
    PlaceWall(p, 1, kDirY, 17, 13, 9, kKeyKesa, 3);
    PlaceWall(p, 1, kDirX, 7, 1, 5, kKeyKesa, 3);
    PlaceWall(p, 1, kDirX, 7, 1, 5, kKeyMenzai, 2);
    PlaceColumn(p, 1, 9, 7, 1);
    PlaceColumn(p, 1, 13, 7, 1);

    // Storey 2.
    PlaceWall(p, 2, kDirX, 1, 1, 3, kKeyTasuki, 3);
    PlaceWall(p, 2, kDirX, 1, 11, 13, kKeyKesa, 3);
    PlaceWall(p, 2, kDirX, 13, 3, 1, kKeyKesa, 3);
    PlaceWall(p, 2, kDirX, 13, 9, 13, kKeyMenzai, 6);
    PlaceWall(p, 2, kDirY, 1, 1, 3, kKeyKesa, 2);
    PlaceWall(p, 2, kDirY, 1, 11, 13, kKeyTasuki, 4);
    PlaceWall(p, 2, kDirY, 13, 1, 5, kKeyMenzai, 3);
    PlaceWall(p, 2, kDirY, 13, 9, 13, kKeyKesa, 1);
    PlaceColumn(p, 2, 7, 7, 1);  // stands on the floor beam, no column below

    // Floor beams carrying storey 2 and its outline; roof beams over storey 2.
    PlaceBeam(p, 2, kDirX, 7, 1, 17);
    PlaceBeam(p, 2, kDirY, 9, 1, 13);
    PlaceBeam(p, 2, kDirY, 13, 1, 13);
    PlaceBeam(p, 3, kDirX, 7, 1, 13);

    // Required class from a calculation, and the hardware placed at top and foot.
    SetHardware(p, 1, 1, 1, QStringLiteral("(ほ)"), QStringLiteral("(ほ)"), QStringLiteral("HD-B10"));
    SetHardware(p, 1, 17, 1, QStringLiteral("(ち)"), QStringLiteral("ｶﾄﾞ金物 CP-T"),
                QStringLiteral("HD-B20"));
    SetHardware(p, 1, 13, 13, QStringLiteral("(と)"), QString(), QStringLiteral("ﾎｰﾙﾀﾞｳﾝ 20kN"));
    SetHardware(p, 1, 9, 7, QStringLiteral("(い)"), QString(), QStringLiteral("短ほぞ差し"));
    SetHardware(p, 2, 1, 1, QStringLiteral("(へ)"), QStringLiteral("羽子板ボルト"), QString());
    SetHardware(p, 2, 7, 7, QStringLiteral("(る)*"), QString(), QStringLiteral("ＨＤ－Ｎ３０～①"));

    FinishAsSaved(p);
    return p;
}

Project SmallHouse()
{
    Project p = NewProject(4, 3, 2);
    p.info.buildingName = QStringLiteral("小さな家");
    PlaceFloor(p, 1, 1, 1, 5, 4, 1);
    PlaceFloor(p, 2, 1, 1, 3, 4, 1);
    PlaceFloor(p, 2, 3, 1, 5, 2, 2);
    PlaceColumn(p, 1, 1, 1, 2);
    PlaceWall(p, 1, kDirX, 1, 1, 3, kKeyKesa, 2);
    PlaceWall(p, 1, kDirY, 5, 1, 4, kKeyMenzai, 6);
    PlaceWall(p, 2, kDirX, 4, 3, 1, kKeyTasuki, 1);
    SetHardware(p, 1, 1, 1, QStringLiteral("(へ)"), QStringLiteral("ｶﾄﾞ金物"), QStringLiteral("HD-B20"));
    FinishAsSaved(p);
    return p;
}

Project LargestProject()
{
    Project p = NewProject(120, 120, 2, 4);
    p.info.buildingName = QStringLiteral("最大グリッド検証用モデル");
    static const QString kinds[] = {kKeyKesa, kKeyTasuki};
    static const QString hardware[] = {
        QStringLiteral("(い)"),         QStringLiteral("(ろ)"),         QStringLiteral("(は)"),
        QStringLiteral("(に)"),         QStringLiteral("(ほ)"),         QStringLiteral("HD-B10"),
        QStringLiteral("HD-B15"),       QStringLiteral("HD-B20"),       QStringLiteral("ｶﾄﾞ金物 CP-L"),
        QStringLiteral("羽子板ボルト"), QStringLiteral("ﾎｰﾙﾀﾞｳﾝ 25kN"),
    };
    const int nx = p.nodes.sizeX();
    const int ny = p.nodes.sizeY();
    for (int level = 1; level <= 3; ++level)
        for (int y = 1; y <= ny; ++y)
            for (int x = 1; x <= nx; ++x) {
                NodeRecord &n = p.nodes(x, y, level);
                const int seed = x * 7 + y * 13 + level;
                for (int dir = kDirX; dir <= kDirY; ++dir) {
                    const int along = dir == kDirX ? x : y;
                    const int spans = dir == kDirX ? p.info.spanCountX : p.info.spanCountY;
                    if (along > spans)
                        continue;
                    n.beam[dir] = BeamInfo{1, 2};
                    if (level > 2)
                        continue;
                    const QString &key = kinds[(seed + dir) % 2];
                    const int size = 1 + (seed + dir) % 4;
                    n.brace[dir] = WallMember{
                        size, along, along, key, key == kKeyKesa ? 1 : 3, 0, WallMultiplier(key, size)};
                    const int row = 1 + (seed + dir) % 10;
                    n.board[dir] =
                        WallMember{row, along, along, kKeyMenzai, 4, 0, WallMultiplier(kKeyMenzai, row)};
                }
                if (level <= 2) {
                    n.columnKind = 1 + seed % 2;
                    n.throughOrigin = n.columnKind == 2 ? 1 : 0;
                    n.cellFloor = x <= p.info.spanCountX && y <= p.info.spanCountY ? 1 + (seed % 9 == 0) : 0;
                    n.hardware[0] = hardware[seed % 5];
                    n.hardware[1] = hardware[(seed + 3) % 11];
                    n.hardware[2] = hardware[(seed + 6) % 11];
                }
            }
    FinishAsSaved(p);
    return p;
}

}  // namespace rqx::samples

#include "support/sample_houses.h"

#include <utility>

#include "support/house_builder.h"

namespace rqx::samples {

namespace {

// The walls of the houses saved as sample files also carry the members the editor links to a wall.
constexpr WallOptions kLinked{.linked = true};
constexpr WallOptions kLinkedTowardLower{.towardLower = true, .linked = true};
constexpr WallOptions kTowardLower{.towardLower = true};

}  // namespace

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
    PlaceWall(p, 1, kDirX, 1, 1, 3, kKeyKesa, 3, kLinked);             // 45×90 rising to the right
    PlaceWall(p, 1, kDirX, 1, 5, 7, kKeyKesa, 2, kLinkedTowardLower);  // 30×90 rising to the left
    PlaceWall(p, 1, kDirX, 1, 9, 13, kKeyMenzai, 5, kLinked);          // board 2.5
    PlaceWall(p, 1, kDirX, 1, 15, 17, kKeyTasuki, 3, kLinked);         // 45×90 cross
    PlaceWall(p, 1, kDirX, 13, 1, 4, kKeyTasuki, 2, kLinked);
    PlaceWall(p, 1, kDirX, 13, 11, 17, kKeyMenzai, 10, kLinked);  // board 5.0 over three modules
    PlaceWall(p, 1, kDirY, 1, 1, 4, kKeyKesa, 4, kLinked);
    PlaceWall(p, 1, kDirY, 1, 9, 13, kKeyTasuki, 1, kLinked);
    PlaceWall(p, 1, kDirY, 17, 1, 5, kKeyMenzai, 4, kLinked);
    PlaceWall(p, 1, kDirY, 17, 9, 13, kKeyKesa, 3, kLinkedTowardLower);
    PlaceWall(p, 1, kDirX, 7, 1, 5, kKeyKesa, 3, kLinked);
    PlaceWall(p, 1, kDirX, 7, 1, 5, kKeyMenzai, 2, kLinked);
    PlaceColumn(p, 1, 9, 7, 1);
    PlaceColumn(p, 1, 13, 7, 1);

    // Storey 2.
    PlaceWall(p, 2, kDirX, 1, 1, 3, kKeyTasuki, 3, kLinked);
    PlaceWall(p, 2, kDirX, 1, 11, 13, kKeyKesa, 3, kLinked);
    PlaceWall(p, 2, kDirX, 13, 1, 3, kKeyKesa, 3, kLinkedTowardLower);
    PlaceWall(p, 2, kDirX, 13, 9, 13, kKeyMenzai, 6, kLinked);
    PlaceWall(p, 2, kDirY, 1, 1, 3, kKeyKesa, 2, kLinked);
    PlaceWall(p, 2, kDirY, 1, 11, 13, kKeyTasuki, 4, kLinked);
    PlaceWall(p, 2, kDirY, 13, 1, 5, kKeyMenzai, 3, kLinked);
    PlaceWall(p, 2, kDirY, 13, 9, 13, kKeyKesa, 1, kLinked);
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
    PlaceWall(p, 1, kDirX, 1, 1, 3, kKeyKesa, 2, kLinked);
    PlaceWall(p, 1, kDirY, 5, 1, 4, kKeyMenzai, 6, kLinked);
    PlaceWall(p, 2, kDirX, 4, 1, 3, kKeyTasuki, 1, kLinked);
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

Project SmallTwoStoreyHouse()
{
    Project p = NewProject(20, 20, 2, 2, LineNames::kNumbered);
    // First storey: 8 × 6 modules between nodes (3, 3) and (19, 15).
    PlaceFloor(p, 1, 3, 3, 19, 15, 1);
    PlaceWall(p, 1, kDirX, 3, 3, 5, kKeyKesa, 3);
    PlaceWall(p, 1, kDirX, 3, 7, 9, kKeyTasuki, 2);
    PlaceWall(p, 1, kDirX, 3, 11, 13, kKeyMenzai, 5);
    PlaceWall(p, 1, kDirX, 3, 15, 19, kKeyKesa, 4, kTowardLower);
    PlaceWall(p, 1, kDirX, 15, 3, 7, kKeyTasuki, 3);
    PlaceWall(p, 1, kDirX, 15, 9, 11, kKeyKesa, 1);
    PlaceWall(p, 1, kDirX, 15, 13, 15, kKeyMenzai, 2);
    PlaceWall(p, 1, kDirX, 15, 13, 15, kKeyKesa, 2);
    PlaceWall(p, 1, kDirX, 9, 7, 11, kKeyMenzai, 8);
    PlaceWall(p, 1, kDirY, 3, 3, 7, kKeyKesa, 3, kTowardLower);
    PlaceWall(p, 1, kDirY, 3, 11, 15, kKeyTasuki, 1);
    PlaceWall(p, 1, kDirY, 19, 3, 5, kKeyMenzai, 10);
    PlaceWall(p, 1, kDirY, 19, 9, 15, kKeyTasuki, 4);
    PlaceWall(p, 1, kDirY, 11, 9, 13, kKeyKesa, 2);
    for (int ix : {3, 5, 7, 9, 11, 13, 15, 17, 19})
        for (int iy : {3, 15})
            PlaceColumn(p, 1, ix, iy, 1);
    for (int iy : {5, 7, 9, 11, 13}) {
        PlaceColumn(p, 1, 3, iy, 1);
        PlaceColumn(p, 1, 19, iy, 1);
    }
    PlaceColumn(p, 1, 11, 9, 1);
    PlaceColumn(p, 1, 11, 13, 1);
    PlaceColumn(p, 1, 7, 9, 1);
    // Second storey: 5 × 6 modules over the left part, with a 2 × 2-module void.
    PlaceFloor(p, 2, 3, 3, 13, 15, 1);
    PlaceFloor(p, 2, 5, 9, 9, 13, 2);
    PlaceWall(p, 2, kDirX, 3, 3, 7, kKeyKesa, 2);
    PlaceWall(p, 2, kDirX, 3, 9, 13, kKeyMenzai, 4);
    PlaceWall(p, 2, kDirX, 15, 5, 9, kKeyTasuki, 2);
    PlaceWall(p, 2, kDirY, 3, 5, 9, kKeyKesa, 3);
    PlaceWall(p, 2, kDirY, 13, 3, 7, kKeyMenzai, 6);
    PlaceWall(p, 2, kDirY, 13, 9, 15, kKeyKesa, 1, kTowardLower);
    for (int ix : {3, 13})
        for (int iy : {3, 15})
            PlaceColumn(p, 1, ix, iy, 2);
    for (int ix : {5, 7, 9})
        PlaceColumn(p, 2, ix, 3, 1);
    PlaceColumn(p, 2, 5, 15, 1);
    PlaceColumn(p, 2, 9, 15, 1);
    PlaceColumn(p, 2, 3, 9, 1);
    PlaceColumn(p, 2, 13, 9, 1);
    PlaceColumn(p, 2, 13, 7, 1);
    // Floor beams (level 2) on the module lines of the first storey, roof beams (level 3) over the second.
    for (int iy = 3; iy <= 15; iy += 2)
        PlaceBeam(p, 2, kDirX, iy, 3, 19);
    for (int ix = 3; ix <= 19; ix += 4)
        PlaceBeam(p, 2, kDirY, ix, 3, 15);
    for (int iy : {3, 9, 15})
        PlaceBeam(p, 3, kDirX, iy, 3, 13);
    for (int ix : {3, 13})
        PlaceBeam(p, 3, kDirY, ix, 3, 15);
    UpdateOutlineMarks(p, 1);
    UpdateOutlineMarks(p, 2);
    UpdateBeamSegments(p);
    return p;
}

Project LargestHouse()
{
    constexpr int kDiv = 4;
    constexpr int kSpans = 30 * kDiv;
    Project p = NewProject(kSpans, kSpans, 2, kDiv, LineNames::kNumbered);
    const int n = kSpans + 1;
    PlaceFloor(p, 1, 1, 1, n, n, 1);
    PlaceFloor(p, 2, 1, 1, n, n, 1);
    // A void of every fifth module on the second storey.
    for (int m = 0; m < 30; m += 5)
        PlaceFloor(p, 2, m * kDiv + 1, m * kDiv + 1, m * kDiv + 1 + kDiv, m * kDiv + 1 + kDiv, 2);
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
                PlaceWall(p, level, kDirX, line, from, from + 2, key, kind, {.towardLower = turn % 2 == 1});
                PlaceWall(p, level, kDirY, line, from + 2, from + 4, key, kind,
                          {.towardLower = turn % 2 == 0});
                if (key != kKeyMenzai && turn % 4 == 0)
                    PlaceWall(p, level, kDirX, line, from, from + 2, kKeyMenzai, 1 + turn % 10);
            }
        for (int iy = 1; iy <= n; iy += kDiv)
            for (int ix = 1; ix <= n; ix += kDiv)
                PlaceColumn(p, level, ix, iy, (ix + iy) % 3 == 0 ? 2 : 1);
    }
    for (int level = 2; level <= 3; ++level)
        for (int line = 1; line <= n; line += kDiv / 2) {
            PlaceBeam(p, level, kDirX, line, 1, n);
            PlaceBeam(p, level, kDirY, line, 1, n);
        }
    UpdateOutlineMarks(p, 1);
    UpdateOutlineMarks(p, 2);
    UpdateBeamSegments(p);
    return p;
}

// One storey, 4 × 2 spans, fully floored; eight columns on the outline.
Project HandWorkedOneStorey()
{
    Project p = NewProject(4, 2, 1, 2, LineNames::kNone);
    PlaceFloor(p, 1, 1, 1, 5, 3);
    for (auto [x, y] : {std::pair{1, 1}, {3, 1}, {5, 1}, {1, 2}, {5, 2}, {1, 3}, {3, 3}, {5, 3}})
        PlaceColumn(p, 1, x, y);
    PlaceWall(p, 1, kDirX, 1, 1, 3, kKeyKesa, 3);                // 45×90 (2.0), upper end at x = 3
    PlaceWall(p, 1, kDirX, 3, 3, 5, kKeyMenzai, 5);              // 2.5
    PlaceWall(p, 1, kDirY, 1, 1, 2, kKeyTasuki, 2);              // 30×90 cross (3.0)
    PlaceWall(p, 1, kDirY, 5, 2, 3, kKeyKesa, 4, kTowardLower);  // 90×90 (3.0), upper end at y = 2
    return p;
}

// Two storeys, 4 × 2 spans, both storeys fully floored. A through column at (3,3); a
// second-storey column at (3,1) halfway on the floor beam between (1,1) and (5,1).
Project HandWorkedTwoStorey(int lMode)
{
    Project p = NewProject(4, 2, 2, 2, LineNames::kNone);
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
    PlaceWall(p, 2, kDirX, 1, 3, 5, kKeyMenzai, 4);  // 2.0
    PlaceWall(p, 2, kDirX, 3, 1, 3, kKeyKesa, 3);    // 45×90 (2.0), upper end at x = 3
    PlaceWall(p, 1, kDirY, 1, 1, 3, kKeyTasuki, 3);  // 45×90 cross (4.0)
    PlaceWall(p, 1, kDirX, 3, 3, 5, kKeyMenzai, 6);  // 3.0
    return p;
}

// Two storeys, 4 × 4 spans, fully floored. The second-storey column U at (2,3) stands on a
// floor beam from the first-storey column (1,3) to (3,3), where it meets a Y beam from (3,1)
// to (3,5); there is no first-storey column at (2,3) nor at (3,3).
Project HandWorkedCrossBeam()
{
    Project p = NewProject(4, 4, 2, 2, LineNames::kNone);
    PlaceFloor(p, 1, 1, 1, 5, 5);
    PlaceFloor(p, 2, 1, 1, 5, 5);
    for (auto [x, y] : {std::pair{1, 1}, {3, 1}, {5, 1}, {1, 3}, {1, 5}, {3, 5}, {5, 5}})
        PlaceColumn(p, 1, x, y);
    for (auto [x, y] : {std::pair{1, 1}, {5, 1}, {1, 5}, {5, 5}, {2, 3}})
        PlaceColumn(p, 2, x, y);
    PlaceBeam(p, 2, kDirX, 3, 1, 3);
    PlaceBeam(p, 2, kDirY, 3, 1, 5);
    PlaceWall(p, 2, kDirX, 3, 1, 2, kKeyMenzai, 10);             // 5.0 beside U
    PlaceWall(p, 1, kDirX, 1, 1, 3, kKeyKesa, 2, kTowardLower);  // 30×90 (1.5), upper end at x = 1
    PlaceWall(p, 1, kDirY, 1, 1, 3, kKeyMenzai, 5);              // 2.5
    PlaceWall(p, 1, kDirX, 3, 1, 2, kKeyMenzai, 6);              // 3.0
    PlaceWall(p, 1, kDirX, 5, 3, 5, kKeyMenzai, 4);              // 2.0
    return p;
}

Project HandWorkedWallHouse()
{
    Project p = NewProject(8, 6, 2, 1);
    p.info.moduleLength = 1.0f;
    RefreshDimensions(p);
    InitNodeCoords(p);
    PlaceFloor(p, 1, 1, 1, 9, 5);
    PlaceFloor(p, 1, 1, 5, 6, 7);
    PlaceFloor(p, 2, 1, 1, 6, 7);
    PlaceFloor(p, 2, 2, 2, 4, 4, 2);
    // Storey 1 along X: a 90×90 cross brace (5.0) and a 2.5 board on one wall count 7, not 7.5.
    PlaceWall(p, 1, kDirX, 1, 1, 4, kKeyTasuki, 4);
    PlaceWall(p, 1, kDirX, 1, 1, 4, kKeyMenzai, 5);
    PlaceWall(p, 1, kDirX, 1, 6, 9, kKeyKesa, 2);
    PlaceWall(p, 1, kDirX, 5, 6, 9, kKeyMenzai, 5);
    PlaceWall(p, 1, kDirX, 7, 1, 6, kKeyKesa, 3);
    PlaceWall(p, 1, kDirY, 1, 1, 7, kKeyMenzai, 2);
    PlaceWall(p, 1, kDirY, 9, 1, 5, kKeyKesa, 1);
    PlaceWall(p, 2, kDirX, 1, 1, 6, kKeyMenzai, 4);
    PlaceWall(p, 2, kDirX, 7, 1, 6, kKeyMenzai, 4);
    PlaceWall(p, 2, kDirY, 1, 1, 7, kKeyTasuki, 2);
    p.info.levelHeight[1] = 2900;
    p.info.levelHeight[2] = 2800;
    return p;
}

}  // namespace rqx::samples

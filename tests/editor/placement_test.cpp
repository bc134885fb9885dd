#include "editor/placement.h"

#include <QUndoStack>

#include <gtest/gtest.h>

#include "editor/edit_fixture.h"

using namespace rqx;
using rqx::test::EditFixture;
using rqx::test::wallMember;

// Walls store one member per span, all with the wall's extent; the segment tells the position.
TEST(Placement, WallSpansStoreSegmentsAndTheWholeExtent)
{
    EditFixture f;
    f.chooseWall(kKeyKesa, 3);  // 45×90 single brace, 2.0
    ASSERT_TRUE(f.span(2, 2, 3, 2).applied);
    EXPECT_EQ(f.at(2, 2, 1).brace[kDirX], wallMember(3, 2, 2, kKeyKesa, 1, 0, 2.0f));

    ASSERT_TRUE(f.span(2, 4, 4, 4).applied);  // two spans: 1, 3
    EXPECT_EQ(f.at(2, 4, 1).brace[kDirX], wallMember(3, 2, 3, kKeyKesa, 1, 1, 2.0f));
    EXPECT_EQ(f.at(3, 4, 1).brace[kDirX], wallMember(3, 2, 3, kKeyKesa, 1, 3, 2.0f));
    EXPECT_EQ(f.at(4, 4, 1).brace[kDirX], WallMember{});

    // Three spans along Y drawn downward (higher to lower index): code 2, segments 1, 2, 3.
    ASSERT_TRUE(f.span(8, 7, 8, 4).applied);
    for (int j = 4; j <= 6; ++j) {
        const WallMember &m = f.at(8, j, 1).brace[kDirY];
        EXPECT_EQ(m.firstIndex, 4);
        EXPECT_EQ(m.lastIndex, 6);
        EXPECT_EQ(m.code, 2);
        EXPECT_EQ(m.segment, j == 4 ? 1 : j == 5 ? 2 : 3);
    }
    EXPECT_EQ(f.at(8, 7, 1).brace[kDirY], WallMember{});

    f.chooseWall(kKeyTasuki, 4);
    ASSERT_TRUE(f.span(10, 1, 10, 2).applied);
    EXPECT_EQ(f.at(10, 1, 1).brace[kDirY], wallMember(4, 1, 1, kKeyTasuki, 3, 0, 5.0f));
    f.chooseWall(kKeyMenzai, 5);  // row 5: 2.5
    ASSERT_TRUE(f.span(11, 3, 11, 1).applied);
    EXPECT_EQ(f.at(11, 1, 1).board[kDirY], wallMember(5, 1, 2, kKeyMenzai, 4, 1, 2.5f));
    EXPECT_EQ(f.at(11, 2, 1).board[kDirY], wallMember(5, 1, 2, kKeyMenzai, 4, 3, 2.5f));
    EXPECT_EQ(f.dirty, 1);
    // Nothing else was written: no columns or beams without the link.
    EXPECT_EQ(f.at(2, 4, 1).columnKind, 0);
    EXPECT_EQ(f.at(2, 4, 1).beam[kDirX], BeamInfo{});
}

TEST(Placement, LinkedWallsBringColumnsAtTheEndsAndBeamsAboveAndBelow)
{
    EditFixture f;
    f.ed.linkColumnsAndBeams = 1;
    f.at(5, 3, 1).columnKind = 2;  // a through column already stands at the end node
    f.at(5, 3, 1).throughOrigin = 1;
    f.chooseWall(kKeyMenzai, 2);
    ASSERT_TRUE(f.span(2, 3, 5, 3).applied);
    EXPECT_EQ(f.at(2, 3, 1).columnKind, 1);
    EXPECT_EQ(f.at(5, 3, 1).columnKind, 2);  // kept
    EXPECT_EQ(f.at(3, 3, 1).columnKind, 0);
    EXPECT_EQ(f.at(4, 3, 1).columnKind, 0);
    for (int i = 2; i <= 4; ++i)
        for (int level = 1; level <= 2; ++level)
            EXPECT_EQ(f.at(i, 3, level).beam[kDirX], (BeamInfo{1, 1})) << i << "," << level;
    EXPECT_EQ(f.at(5, 3, 1).beam[kDirX], BeamInfo{});
    EXPECT_EQ(f.at(2, 3, 3).beam[kDirX], BeamInfo{});

    // On the second storey the beams go to levels 2 and 3.
    f.floor = 2;
    ASSERT_TRUE(f.span(9, 2, 9, 4).applied);
    EXPECT_EQ(f.at(9, 2, 2).columnKind, 1);
    EXPECT_EQ(f.at(9, 4, 2).columnKind, 1);
    EXPECT_EQ(f.at(9, 2, 1).columnKind, 0);
    EXPECT_EQ(f.at(9, 3, 3).beam[kDirY], (BeamInfo{1, 1}));
    EXPECT_EQ(f.at(9, 3, 2).beam[kDirY], (BeamInfo{1, 1}));

    // Deleting leaves the linked members.
    f.ed.linkColumnsAndBeams = 1;
    ASSERT_TRUE(f.span(9, 2, 9, 4, kModeDelete).applied);
    EXPECT_EQ(f.at(9, 2, 2).board[kDirY], WallMember{});
    EXPECT_EQ(f.at(9, 2, 2).columnKind, 1);
    EXPECT_EQ(f.at(9, 2, 2).beam[kDirY], (BeamInfo{1, 1}));
}

TEST(Placement, OrthogonalWallRefusedAtAMiddleNodeOnlyAndColumnsInsideNewWallRefused)
{
    EditFixture f;
    f.chooseWall(kKeyKesa, 1);
    ASSERT_TRUE(f.span(5, 2, 5, 4).applied);  // Y wall, middle node (5, 3)
    const QString t1 = QStringLiteral("筋かい・面材に直交する他の筋かい・面材は、配置できません。");
    auto r = f.span(3, 3, 5, 3);  // ends at the middle node
    EXPECT_TRUE(r.refused);
    EXPECT_FALSE(r.byReplacementRule);
    EXPECT_EQ(r.message, t1);
    EXPECT_EQ(f.span(4, 3, 8, 3).message, t1);  // passes through it
    EXPECT_TRUE(f.span(3, 2, 5, 2).applied);    // only touches the end node (5, 2)
    EXPECT_TRUE(f.span(5, 4, 7, 4).applied);    // starts at the other end node
    EXPECT_EQ(f.at(3, 3, 1).brace[kDirX], WallMember{});

    // An X board's middle node refuses a Y wall as well.
    f.chooseWall(kKeyMenzai, 1);
    ASSERT_TRUE(f.span(2, 7, 4, 7).applied);
    EXPECT_EQ(f.span(3, 9, 3, 7).message, t1);
    EXPECT_TRUE(f.span(4, 9, 4, 7).applied);

    // A column strictly inside the new wall: refusal 2; at its end node allowed.
    f.at(9, 2, 1).columnKind = 1;
    const QString t2 = QStringLiteral(
        "配置しようとする筋かい・面材の中間部分に柱があります。\r\rこの筋かい・面材は、配置できません");
    EXPECT_EQ(f.span(8, 2, 11, 2).message, t2);
    EXPECT_TRUE(f.span(9, 2, 11, 2).applied);
    // Deleting is not checked by the placing rules.
    f.chooseWall(kKeyKesa, 1);
    EXPECT_TRUE(f.span(5, 2, 5, 4, kModeDelete).applied);
}

TEST(Placement, ColumnOnAWallsMiddleNodeIsRefusedNamingTheNode)
{
    EditFixture f;
    f.chooseWall(kKeyTasuki, 2);
    ASSERT_TRUE(f.span(2, 5, 4, 5).applied);
    f.chooseColumn(1);
    auto r = f.click(3, 5);
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(r.message, QStringLiteral("筋かい・面材の中間部分に柱は、配置できません。\r\r位置： X3 - Y5"));
    EXPECT_EQ(f.at(3, 5, 1).columnKind, 0);
    EXPECT_TRUE(f.click(2, 5).applied);
    EXPECT_TRUE(f.click(4, 5).applied);
    EXPECT_EQ(f.at(4, 5, 1).columnKind, 1);

    // A wall on the second storey does not stop a storey column on the first…
    f.floor = 2;
    f.chooseWall(kKeyKesa, 1);
    ASSERT_TRUE(f.span(7, 2, 7, 5).applied);  // inner nodes (7, 3) and (7, 4) on storey 2
    f.floor = 1;
    f.chooseColumn(1);
    EXPECT_TRUE(f.click(7, 4).applied);
    // …but a through column, which stands there as well, is refused naming the node.
    f.chooseColumn(2);
    r = f.click(7, 3);
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(r.message, QStringLiteral("筋かい・面材の中間部分に柱は、配置できません。\r\r位置： X7 - Y3"));
    EXPECT_EQ(f.at(7, 3, 1).columnKind, 0);
    EXPECT_EQ(f.at(7, 3, 2).columnKind, 0);
    EXPECT_TRUE(f.click(7, 5).applied);  // the wall's end node
    EXPECT_EQ(f.at(7, 5, 2).columnKind, 2);
}

TEST(Placement, ThroughColumnIsPlacedAndDeletedOnBothStoreysFromEither)
{
    EditFixture f;
    f.chooseColumn(2);
    ASSERT_TRUE(f.click(4, 4).applied);
    for (int level = 1; level <= 2; ++level) {
        EXPECT_EQ(f.at(4, 4, level).columnKind, 2);
        EXPECT_EQ(f.at(4, 4, level).throughOrigin, 1);
    }
    EXPECT_EQ(f.at(4, 4, 3).columnKind, 0);
    f.floor = 2;
    ASSERT_TRUE(f.click(4, 4, kModeDelete).applied);
    EXPECT_EQ(f.at(4, 4, 1), NodeRecord{});
    EXPECT_EQ(f.at(4, 4, 2), NodeRecord{});

    // Entered on storey 2, deleted on storey 1.
    ASSERT_TRUE(f.click(6, 2).applied);
    EXPECT_EQ(f.at(6, 2, 1).columnKind, 2);
    EXPECT_EQ(f.at(6, 2, 1).throughOrigin, 1);
    f.floor = 1;
    ASSERT_TRUE(f.click(6, 2, kModeDelete).applied);
    EXPECT_EQ(f.at(6, 2, 1).columnKind, 0);
    EXPECT_EQ(f.at(6, 2, 2).columnKind, 0);

    // Deleting a storey column leaves the other storey's storey column alone.
    f.chooseColumn(1);
    f.click(8, 8);
    f.floor = 2;
    f.click(8, 8);
    ASSERT_TRUE(f.click(8, 8, kModeDelete).applied);
    EXPECT_EQ(f.at(8, 8, 1).columnKind, 1);
    EXPECT_EQ(f.at(8, 8, 2).columnKind, 0);
}

// A through column replaced by a storey column on one storey: the other storey keeps its column,
// now a storey column too, so that no member vanishes from the storey not on screen.
TEST(Placement, StoreyColumnOverAThroughColumnLeavesTheOtherStoreysColumn)
{
    EditFixture f;
    f.chooseColumn(2);
    f.click(3, 3);
    f.chooseColumn(1);
    ASSERT_TRUE(f.click(3, 3).applied);
    for (int level = 1; level <= 2; ++level) {
        EXPECT_EQ(f.at(3, 3, level).columnKind, 1) << level;
        EXPECT_EQ(f.at(3, 3, level).throughOrigin, 0) << level;
    }
    // Entered on storey 2, replaced there: storey 1 keeps a storey column.
    f.floor = 2;
    f.chooseColumn(2);
    f.click(5, 5);
    f.chooseColumn(1);
    ASSERT_TRUE(f.click(5, 5).applied);
    EXPECT_EQ(f.at(5, 5, 1).columnKind, 1);
    EXPECT_EQ(f.at(5, 5, 1).throughOrigin, 0);
    // Undo brings the through column back on both storeys.
    ASSERT_TRUE(f.doc.canUndo());
    f.doc.undo();
    for (int level = 1; level <= 2; ++level) {
        EXPECT_EQ(f.at(5, 5, level).columnKind, 2) << level;
        EXPECT_EQ(f.at(5, 5, level).throughOrigin, 1) << level;
    }

    // One storey: the half on the roof plane is no column of a storey and goes.
    EditFixture one(6, 6, 1);
    one.chooseColumn(2);
    one.click(2, 2);
    ASSERT_EQ(one.at(2, 2, 2).columnKind, 2);
    one.chooseColumn(1);
    ASSERT_TRUE(one.click(2, 2).applied);
    EXPECT_EQ(one.at(2, 2, 1).columnKind, 1);
    EXPECT_EQ(one.at(2, 2, 2).columnKind, 0);
    EXPECT_EQ(one.at(2, 2, 2).throughOrigin, 0);
}

TEST(Placement, BeamToolWorksOnThePlaneItsFloorButtonsName)
{
    EditFixture f;
    f.chooseTool(kToolBeam);
    ASSERT_TRUE(f.span(2, 3, 5, 3).applied);  // "２階 床梁": level 2
    for (int i = 2; i <= 4; ++i)
        EXPECT_EQ(f.at(i, 3, 2).beam[kDirX], (BeamInfo{1, 0}));
    EXPECT_EQ(f.at(2, 3, 1).beam[kDirX], BeamInfo{});
    f.floor = 2;  // "２階 小屋梁": the roof plane, level 3
    ASSERT_TRUE(f.span(2, 6, 2, 4).applied);
    EXPECT_EQ(f.at(2, 4, 3).beam[kDirY], (BeamInfo{1, 0}));
    EXPECT_EQ(f.at(2, 5, 3).beam[kDirY], (BeamInfo{1, 0}));
    EXPECT_EQ(f.at(2, 4, 2).beam[kDirY], BeamInfo{});
    f.floor = 1;
    ASSERT_TRUE(f.span(3, 3, 5, 3, kModeDelete).applied);
    EXPECT_EQ(f.at(2, 3, 2).beam[kDirX], (BeamInfo{1, 0}));
    EXPECT_EQ(f.at(3, 3, 2).beam[kDirX], BeamInfo{});
    EXPECT_EQ(f.at(4, 3, 2).beam[kDirX], BeamInfo{});

    // One storey: "１階 小屋梁" is level 2, the roof plane.
    EditFixture one(6, 6, 1);
    one.chooseTool(kToolBeam);
    ASSERT_TRUE(one.span(1, 1, 1, 3).applied);
    EXPECT_EQ(one.at(1, 2, 2).beam[kDirY], (BeamInfo{1, 0}));
    EXPECT_EQ(one.at(1, 2, 1).beam[kDirY], BeamInfo{});
}

TEST(Placement, FloorsFillTheCellsBetweenTheCorners)
{
    EditFixture f;
    f.chooseTool(kToolFloor);
    ASSERT_TRUE(f.span(5, 4, 2, 2).applied);  // cells 2..4 × 2..3
    int floored = 0;
    for (int j = 1; j <= 11; ++j)
        for (int i = 1; i <= 13; ++i)
            floored += f.at(i, j, 1).cellFloor;
    EXPECT_EQ(floored, 6);
    EXPECT_EQ(f.at(4, 3, 1).cellFloor, 1);
    f.floor = 2;
    f.ed.selectedItem[1] = 2;  // 吹き抜け
    ASSERT_TRUE(f.span(3, 3, 4, 4).applied);
    EXPECT_EQ(f.at(3, 3, 2).cellFloor, 2);
    f.floor = 1;
    ASSERT_TRUE(f.span(2, 2, 4, 3, kModeDelete).applied);
    EXPECT_EQ(f.at(2, 2, 1).cellFloor, 0);
    EXPECT_EQ(f.at(3, 2, 1).cellFloor, 0);
    EXPECT_EQ(f.at(4, 3, 1).cellFloor, 1);
}

TEST(Placement, SpansWithNothingToChangeAreNotEdits)
{
    EditFixture f;
    f.chooseWall(kKeyKesa, 1);
    EXPECT_FALSE(f.span(3, 3, 3, 3).applied);  // the start node clicked again
    f.ed.span.axisLock = AxisLock::None;
    EXPECT_FALSE(f.span(3, 3, 5, 5).applied);  // slanted, no lock to follow
    // Nor are they refused: no rule stands against a span that changes nothing. A Y wall through
    // (8, 3) and a column at (9, 4) would refuse an X wall at (8, 3) (result 1) and a wall with the
    // column strictly inside (result 2).
    f.ed.span.axisLock = AxisLock::AlongY;
    ASSERT_TRUE(f.span(8, 2, 8, 4).applied);
    f.at(9, 4, 1).columnKind = 1;
    f.dirty = 0;
    f.ed.span.axisLock = AxisLock::None;
    const NodeArray before = f.p.nodes;
    EXPECT_FALSE(f.span(8, 3, 8, 3).refused);
    EXPECT_FALSE(f.span(8, 3, 10, 5).refused);
    EXPECT_EQ(f.p.nodes, before);
    const int steps = f.doc.undoStack()->count();
    f.chooseTool(kToolFloor);
    EXPECT_FALSE(f.span(3, 3, 3, 6).applied);  // no cell between
    f.ed.selectedItem[1] = 0;
    EXPECT_FALSE(f.span(3, 3, 5, 5).applied);  // nothing chosen
    EXPECT_EQ(f.dirty, 0);
    EXPECT_EQ(f.doc.undoStack()->count(), steps);  // spans that are no edit make no step
    // With the lock of the previous span a slanted drag is forced onto that line.
    f.chooseWall(kKeyKesa, 1);
    f.ed.span.axisLock = AxisLock::AlongY;
    ASSERT_TRUE(f.span(3, 3, 6, 5).applied);
    EXPECT_EQ(f.at(3, 3, 1).brace[kDirY].lastIndex, 4);
    EXPECT_EQ(f.at(3, 4, 1).brace[kDirY].segment, 3);
}

TEST(Placement, MenuDeletionOfBoardsLeavesTheBracesOfTheSameWall)
{
    EditFixture f;
    f.chooseWall(kKeyKesa, 2);
    ASSERT_TRUE(f.span(2, 2, 4, 2).applied);
    f.chooseWall(kKeyMenzai, 4);
    ASSERT_TRUE(f.span(2, 2, 4, 2).applied);  // a brace and a board share the spans
    EXPECT_EQ(f.at(2, 2, 1).brace[kDirX].kind, 2);
    EXPECT_EQ(f.at(2, 2, 1).board[kDirX].kind, 4);
    f.chooseWall(kKeyKesa, 2);
    f.ed.span.menuDeletion = 1;
    f.ed.span.deleteKind = WallDeletion::Boards;  // "面材"
    ASSERT_TRUE(f.span(2, 2, 4, 2, kModeDelete).applied);
    EXPECT_EQ(f.at(2, 2, 1).board[kDirX], WallMember{});
    EXPECT_EQ(f.at(3, 2, 1).board[kDirX], WallMember{});
    EXPECT_EQ(f.at(2, 2, 1).brace[kDirX].kind, 2);
    EXPECT_EQ(f.at(3, 2, 1).brace[kDirX].kind, 2);
    // "筋かい+面材" and "筋かい・面材を同時に削除" take both.
    f.ed.span.deleteKind = WallDeletion::Braces;
    EXPECT_TRUE(handledWallKinds(f.ed, kModeDelete).braces);
    EXPECT_FALSE(handledWallKinds(f.ed, kModeDelete).boards);
    f.ed.span.menuDeletion = 0;
    f.ed.deleteBothKinds = 1;
    EXPECT_TRUE(handledWallKinds(f.ed, kModeDelete).boards);
    EXPECT_FALSE(handledWallKinds(f.ed, kModePlace).boards);  // placing takes the chosen kind only
}

TEST(Placement, BoardWallsAreCutAtColumnsIntoTwoWalls)
{
    EditFixture f;
    // Board over nodes 2..6 of row 3 (spans 2-5) and a brace of the same extent.
    for (int i = 2; i <= 5; ++i) {
        const int seg = i == 2 ? 1 : i == 5 ? 3 : 2;
        f.at(i, 3, 1).board[kDirX] = wallMember(3, 2, 5, kKeyMenzai, 4, seg, 1.5f);
        f.at(i, 3, 1).brace[kDirX] = wallMember(1, 2, 5, kKeyKesa, 1, seg, 1.0f);
    }
    f.at(4, 3, 1).columnKind = 1;
    f.at(6, 3, 1).columnKind = 1;  // at the end: nothing to cut
    splitBoardWallsAtColumns(f.p, 1, NodeRect{1, 1, 13, 11});
    // Left part 2..4: spans 2, 3 with last index 3; right part 4..6: spans 4, 5 starting at 4.
    EXPECT_EQ(f.at(2, 3, 1).board[kDirX], wallMember(3, 2, 3, kKeyMenzai, 4, 1, 1.5f));
    EXPECT_EQ(f.at(3, 3, 1).board[kDirX], wallMember(3, 2, 3, kKeyMenzai, 4, 3, 1.5f));
    EXPECT_EQ(f.at(4, 3, 1).board[kDirX], wallMember(3, 4, 5, kKeyMenzai, 4, 1, 1.5f));
    EXPECT_EQ(f.at(5, 3, 1).board[kDirX], wallMember(3, 4, 5, kKeyMenzai, 4, 3, 1.5f));
    EXPECT_EQ(f.at(3, 3, 1).brace[kDirX], wallMember(1, 2, 5, kKeyKesa, 1, 2, 1.0f));  // not cut

    // A two-span board cut at its middle: both spans become single walls.
    f.at(2, 7, 1).board[kDirY] = wallMember(1, 7, 8, kKeyMenzai, 4, 1, 0.5f);
    f.at(2, 8, 1).board[kDirY] = wallMember(1, 7, 8, kKeyMenzai, 4, 3, 0.5f);
    f.at(2, 8, 1).columnKind = 1;
    splitBoardWallsAtColumns(f.p, 1, NodeRect{2, 8, 2, 8});
    EXPECT_EQ(f.at(2, 7, 1).board[kDirY], wallMember(1, 7, 7, kKeyMenzai, 4, 0, 0.5f));
    EXPECT_EQ(f.at(2, 8, 1).board[kDirY], wallMember(1, 8, 8, kKeyMenzai, 4, 0, 0.5f));
}

TEST(Placement, ThroughColumnHardwareWarningNamesTheJointsThatHoldHardware)
{
    EditFixture f;
    f.chooseColumn(2);
    f.click(3, 3);
    EXPECT_EQ(warnThroughColumnHardware(f.p, f.floor, 3, 3), QString());
    const QString tail = QStringLiteral("\r\r必要に応じて [金物]-[配置金物] で削除してください。");
    f.at(3, 3, 1).hardware[1] = QStringLiteral("HD-B10");
    f.at(3, 3, 1).hardware[2] = QStringLiteral("CP-L");  // storey 1 foot: not in the way
    EXPECT_EQ(warnThroughColumnHardware(f.p, f.floor, 3, 3),
              QStringLiteral("配置した通し柱の１階柱頭部分に金物が配置されています。") + tail);
    f.at(3, 3, 2).hardware[2] = QStringLiteral("CP-T");
    EXPECT_EQ(warnThroughColumnHardware(f.p, f.floor, 3, 3),
              QStringLiteral("配置した通し柱の１階柱頭・２階柱脚部分に金物が配置されています。") + tail);
    f.at(3, 3, 1).hardware[1].clear();
    f.floor = 2;
    EXPECT_EQ(warnThroughColumnHardware(f.p, f.floor, 3, 3),
              QStringLiteral("配置した通し柱の２階柱脚部分に金物が配置されています。") + tail);
    // A storey column is not warned about.
    f.chooseColumn(1);
    f.floor = 1;
    f.at(5, 5, 1).hardware[1] = QStringLiteral("HD-B10");
    f.click(5, 5);
    EXPECT_EQ(warnThroughColumnHardware(f.p, f.floor, 5, 5), QString());
}

TEST(Placement, MembersWithIndicesBeyondTheGridDoNotUpsetEditing)
{
    // What a larger grid left behind: extents and spans reaching past the right edge (12 spans).
    EditFixture f;
    for (int i = 10; i <= 13; ++i)
        f.at(i, 4, 1).board[kDirX] = wallMember(2, 10, 40, kKeyMenzai, 4, i == 10 ? 1 : 2, 1.0f);
    f.at(13, 4, 1).brace[kDirX] = wallMember(1, 13, 13, kKeyKesa, 1, 0, 1.0f);
    f.at(12, 11, 1).brace[kDirY] = wallMember(1, 11, 30, kKeyKesa, 1, 1, 1.0f);
    f.chooseColumn(1);
    EXPECT_TRUE(f.click(12, 4).refused);  // inside that board
    f.at(12, 4, 1).columnKind = 1;
    splitBoardWallsAtColumns(f.p, 1, NodeRect{1, 1, 13, 11});
    EXPECT_EQ(f.at(11, 4, 1).board[kDirX].lastIndex, 11);
    EXPECT_EQ(f.at(12, 4, 1).board[kDirX].firstIndex, 12);
    f.chooseWall(kKeyMenzai, 2);
    EXPECT_TRUE(f.span(10, 4, 12, 4, kModeDelete).applied);
    f.ed.deleteBothKinds = 1;
    EXPECT_TRUE(f.span(1, 1, 13, 11, kModeGroupDelete).applied);
    EXPECT_TRUE(f.doc.canUndo());
    f.doc.undo();
}

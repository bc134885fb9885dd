#include "editor/group_delete.h"

#include <gtest/gtest.h>

#include "editor/edit_fixture.h"

using namespace rqx;
using rqx::test::EditFixture;

TEST(GroupDelete, WallsGoWholeWhenInsideAndStayWhenReachingOut)
{
    EditFixture f;
    f.chooseWall(kKeyKesa, 1);
    ASSERT_TRUE(f.span(1, 3, 7, 3).applied);  // long X wall, nodes 1..7
    ASSERT_TRUE(f.span(4, 5, 6, 5).applied);  // X wall 4..6
    ASSERT_TRUE(f.span(5, 6, 5, 8).applied);  // Y wall 6..8 on line 5
    f.chooseWall(kKeyMenzai, 2);
    ASSERT_TRUE(f.span(4, 5, 6, 5).applied);  // board sharing the X wall
    f.chooseWall(kKeyKesa, 1);

    // Over the middle of the long wall only: nothing of it goes.
    const NodeArray before = f.p.nodes;
    ASSERT_TRUE(f.span(3, 2, 5, 4, kModeGroupDelete).applied);
    EXPECT_EQ(f.p.nodes, before);

    // Rectangle (4, 5)..(6, 8): the X brace 4..6 and the Y brace 6..8 lie inside; the board stays
    // (braces chosen); the long wall is outside.
    ASSERT_TRUE(f.span(4, 5, 6, 8, kModeGroupDelete).applied);
    EXPECT_EQ(f.at(4, 5, 1).brace[kDirX], WallMember{});
    EXPECT_EQ(f.at(5, 5, 1).brace[kDirX], WallMember{});
    EXPECT_EQ(f.at(5, 6, 1).brace[kDirY], WallMember{});
    EXPECT_EQ(f.at(5, 7, 1).brace[kDirY], WallMember{});
    EXPECT_EQ(f.at(4, 5, 1).board[kDirX].kind, 2);
    EXPECT_EQ(f.at(1, 3, 1).brace[kDirX].kind, 1);

    // One node short of the board's end: it stays; with both kinds and the whole extent it goes.
    f.ed.deleteBothKinds = 1;
    ASSERT_TRUE(f.span(4, 4, 5, 6, kModeGroupDelete).applied);
    EXPECT_EQ(f.at(4, 5, 1).board[kDirX].kind, 2);
    ASSERT_TRUE(f.span(6, 6, 4, 4, kModeGroupDelete).applied);
    EXPECT_EQ(f.at(4, 5, 1).board[kDirX], WallMember{});
    EXPECT_EQ(f.at(5, 5, 1).board[kDirX], WallMember{});
    // A wall lying on the rectangle's edge line is inside it.
    ASSERT_TRUE(f.span(1, 3, 7, 3, kModeGroupDelete).applied);
    EXPECT_EQ(f.at(6, 3, 1).brace[kDirX], WallMember{});
}

TEST(GroupDelete, ColumnsBeamsAndFloorsOfTheRectangle)
{
    EditFixture f;
    f.chooseColumn(2);
    f.click(3, 3);
    f.chooseColumn(1);
    f.click(4, 4);
    f.click(6, 6);
    f.chooseTool(kToolColumn);
    f.floor = 2;
    ASSERT_TRUE(f.span(2, 2, 4, 4, kModeGroupDelete).applied);  // from storey 2
    EXPECT_EQ(f.at(3, 3, 1).columnKind, 0);                     // the through column's lower half as well
    EXPECT_EQ(f.at(3, 3, 2).columnKind, 0);
    EXPECT_EQ(f.at(4, 4, 1).columnKind, 1);  // storey 1's own column stays
    f.floor = 1;
    ASSERT_TRUE(f.span(2, 2, 4, 4, kModeGroupDelete).applied);
    EXPECT_EQ(f.at(4, 4, 1).columnKind, 0);
    EXPECT_EQ(f.at(6, 6, 1).columnKind, 1);

    // Beams on the plane of the beam tool (level 2 from storey 1); the four beams of each node go,
    // also the spans reaching one node out of the rectangle.
    f.chooseTool(kToolBeam);
    f.span(1, 5, 8, 5);
    f.span(5, 1, 5, 9);
    f.ed.span.axisLock = AxisLock::None;
    ASSERT_TRUE(f.span(5, 5, 5, 5, kModeGroupDelete).applied);
    EXPECT_EQ(f.at(4, 5, 2).beam[kDirX], BeamInfo{});
    EXPECT_EQ(f.at(5, 5, 2).beam[kDirX], BeamInfo{});
    EXPECT_EQ(f.at(5, 4, 2).beam[kDirY], BeamInfo{});
    EXPECT_EQ(f.at(5, 5, 2).beam[kDirY], BeamInfo{});
    EXPECT_EQ(f.at(3, 5, 2).beam[kDirX].present, 1);
    EXPECT_EQ(f.at(6, 5, 2).beam[kDirX].present, 1);
    EXPECT_EQ(f.at(5, 3, 2).beam[kDirY].present, 1);

    f.chooseTool(kToolFloor);
    f.span(1, 1, 6, 6);
    ASSERT_TRUE(f.span(2, 2, 4, 3, kModeGroupDelete).applied);  // cells 2..3 × 2
    EXPECT_EQ(f.at(2, 2, 1).cellFloor, 0);
    EXPECT_EQ(f.at(3, 2, 1).cellFloor, 0);
    EXPECT_EQ(f.at(4, 2, 1).cellFloor, 1);
    EXPECT_EQ(f.at(2, 3, 1).cellFloor, 1);
}

TEST(GroupDelete, ConfirmationNamesTheDraggedCornersAndWhatGoes)
{
    EditFixture f;
    f.chooseWall(kKeyKesa, 1);
    f.ed.span.startIx = 5;
    f.ed.span.startIy = 6;
    f.ed.span.endIx = 2;
    f.ed.span.endIy = 3;
    EXPECT_EQ(groupDeleteConfirmation(f.p, f.ed),
              QStringLiteral("(X5,Y6) - (X2,Y3) 内の「筋かい」をグループ削除します。"));
    f.chooseWall(kKeyMenzai, 1);
    EXPECT_EQ(groupDeleteLabel(f.ed), QStringLiteral("面材耐力壁"));
    f.ed.deleteBothKinds = 1;
    EXPECT_EQ(groupDeleteLabel(f.ed), QStringLiteral("筋かい と 面材耐力壁"));
    f.ed.deleteBothKinds = 0;
    f.ed.span.menuDeletion = 1;  // "筋かい" from the right-click menu
    f.ed.span.deleteKind = WallDeletion::Braces;
    EXPECT_EQ(groupDeleteLabel(f.ed), QStringLiteral("筋かい"));
    f.chooseTool(kToolFloor);
    EXPECT_EQ(groupDeleteLabel(f.ed), QStringLiteral("床"));
    f.chooseTool(kToolColumn);
    EXPECT_EQ(groupDeleteLabel(f.ed), QStringLiteral("柱"));
    f.chooseTool(kToolBeam);
    EXPECT_EQ(groupDeleteLabel(f.ed), QStringLiteral("梁"));
}

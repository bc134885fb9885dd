#include "editor/undo.h"

#include <gtest/gtest.h>

#include "editor/edit_fixture.h"

using namespace rqx;
using rqx::test::EditFixture;

TEST(Undo, TakesBackTheLastEditOnlyOnce)
{
    EditFixture f;
    f.chooseWall(kKeyKesa, 1);
    ASSERT_TRUE(f.span(2, 2, 5, 2).applied);
    const NodeArray afterFirst = f.p.nodes;
    f.ed.linkColumnsAndBeams = 1;
    ASSERT_TRUE(f.span(7, 2, 7, 6).applied);
    EXPECT_EQ(f.ed.undoAvailable, 1);
    EXPECT_EQ(f.ed.undo.undoTool, kToolWall);
    EXPECT_EQ(f.ed.undo.undoEditMode, kModePlace);
    // The region covers the span and what the link touched, one node around: 6..8 × 1..7.
    EXPECT_EQ(undoRegion(f.ed.undo), (NodeRect{6, 1, 8, 7}));
    ASSERT_TRUE(undoLastEdit(f.p, f.ed));
    EXPECT_EQ(f.p.nodes, afterFirst);  // linked columns and beams of both levels gone too
    EXPECT_EQ(f.ed.undoAvailable, 0);
    EXPECT_FALSE(undoLastEdit(f.p, f.ed));
    EXPECT_EQ(f.p.nodes, afterFirst);
}

TEST(Undo, AfterAGroupDeleteEverythingComesBack)
{
    EditFixture f;
    f.chooseWall(kKeyKesa, 2);
    f.span(2, 2, 4, 2);
    f.chooseWall(kKeyMenzai, 3);
    f.span(2, 2, 4, 2);
    f.span(4, 2, 4, 5);
    f.chooseColumn(2);
    f.click(3, 4);
    f.chooseTool(kToolFloor);
    f.span(1, 1, 6, 6);
    const NodeArray before = f.p.nodes;

    f.chooseWall(kKeyKesa, 1);
    f.ed.deleteBothKinds = 1;
    ASSERT_TRUE(f.span(1, 1, 6, 6, kModeGroupDelete).applied);
    f.chooseTool(kToolColumn);  // undo does not depend on the tool now active
    EXPECT_EQ(f.at(2, 2, 1).board[kDirX], WallMember{});
    EXPECT_EQ(undoRegion(f.ed.undo), (NodeRect{1, 1, 7, 7}));
    ASSERT_TRUE(undoLastEdit(f.p, f.ed));
    EXPECT_EQ(f.p.nodes, before);

    f.chooseTool(kToolColumn);
    ASSERT_TRUE(f.span(1, 1, 6, 6, kModeGroupDelete).applied);
    EXPECT_EQ(f.at(3, 4, 2).columnKind, 0);
    ASSERT_TRUE(undoLastEdit(f.p, f.ed));
    EXPECT_EQ(f.p.nodes, before);  // both halves of the through column
}

TEST(Undo, RefusalsKeepThePreviousSnapshot)
{
    EditFixture f;
    f.chooseWall(kKeyKesa, 1);
    f.span(2, 2, 2, 4);
    const NodeArray before = f.p.nodes;
    f.chooseColumn(1);
    ASSERT_TRUE(f.click(6, 6).applied);
    f.dirty = 0;
    EXPECT_TRUE(f.click(2, 3).refused);
    EXPECT_EQ(f.dirty, 0);
    EXPECT_EQ(f.ed.undo.undoTool, kToolColumn);
    ASSERT_TRUE(undoLastEdit(f.p, f.ed));
    EXPECT_EQ(f.p.nodes, before);
}

TEST(Undo, HardwareAndCalculationMarksWrittenSinceStay)
{
    EditFixture f;
    f.chooseColumn(1);
    ASSERT_TRUE(f.click(4, 4).applied);
    f.at(4, 4, 1).hardware[1] = QStringLiteral("HD-B15");  // the placed-hardware dialog
    f.at(4, 4, 1).isCorner = 1;                            // the calculation
    UpdateBeamSegments(f.p);
    ASSERT_TRUE(undoLastEdit(f.p, f.ed));
    EXPECT_EQ(f.at(4, 4, 1).columnKind, 0);
    EXPECT_EQ(f.at(4, 4, 1).hardware[1], QStringLiteral("HD-B15"));
    EXPECT_EQ(f.at(4, 4, 1).isCorner, 1);
}

TEST(Undo, NeverRestoresIntoAnotherProject)
{
    EditFixture f;
    f.chooseColumn(1);
    ASSERT_TRUE(f.click(4, 4).applied);
    // New project of another shape: nothing to undo.
    f.p.info.spanCountX = 8;
    ResetProject(f.p);
    EXPECT_FALSE(canUndo(f.p, f.ed.undo));
    EXPECT_FALSE(undoLastEdit(f.p, f.ed));
    EXPECT_EQ(f.ed.undoAvailable, 0);

    // Same shape, other members where the edit wrote: refused as well.
    EditFixture g;
    g.chooseColumn(1);
    ASSERT_TRUE(g.click(4, 4).applied);
    ResetProject(g.p);
    g.at(5, 5, 1).columnKind = 2;
    EXPECT_FALSE(undoLastEdit(g.p, g.ed));
    EXPECT_EQ(g.at(4, 4, 1).columnKind, 0);

    // clearUndo, as New, Open and a grid-size change do.
    EditFixture h;
    h.chooseColumn(1);
    h.click(4, 4);
    clearUndo(h.ed);
    EXPECT_EQ(h.ed.undoAvailable, 0);
    EXPECT_FALSE(undoLastEdit(h.p, h.ed));
    EXPECT_EQ(h.at(4, 4, 1).columnKind, 1);
}

TEST(Undo, SwappingTwiceLeavesTheProjectAsItWas)
{
    EditFixture f;
    f.chooseTool(kToolFloor);
    f.span(1, 1, 3, 3);
    const NodeArray after = f.p.nodes;
    swapSnapshot(f.p, f.ed.undo);
    EXPECT_EQ(f.at(1, 1, 1).cellFloor, 0);  // the model before the edit, for erasing its drawing
    swapSnapshot(f.p, f.ed.undo);
    EXPECT_EQ(f.p.nodes, after);
}

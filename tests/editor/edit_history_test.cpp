// The plan editor's edits as steps of the document's history: each applied span one step holding
// exactly the records it wrote, walked back and forth by undo and redo.
#include <QSignalSpy>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "editor/edit_fixture.h"

using namespace rqx;
using rqx::test::EditFixture;

TEST(EditHistory, EachEditIsOneStepWithItsRegion)
{
    EditFixture f;
    const NodeArray empty = f.p.nodes;
    f.chooseWall(kKeyKesa, 1);
    ASSERT_TRUE(f.span(2, 2, 5, 2).applied);
    const NodeArray afterFirst = f.p.nodes;
    f.ed.linkColumnsAndBeams = 1;
    ASSERT_TRUE(f.span(7, 2, 7, 6).applied);
    const NodeArray afterSecond = f.p.nodes;
    EXPECT_EQ(f.doc.undoStack()->count(), 2);
    EXPECT_EQ(f.doc.undoStack()->text(1), QStringLiteral(""));  // the mouse protocol names its steps

    // The region covers the span and what the link touched, one node around: 6..8 × 1..7.
    QSignalSpy drawn(&f.doc, &ProjectDocument::nodesChanged);
    f.doc.undo();
    EXPECT_EQ(f.p.nodes, afterFirst);  // linked columns and beams of both levels gone too
    ASSERT_EQ(drawn.size(), 1);
    EXPECT_EQ(drawn[0][0].value<NodeRegion>(), (NodeRegion{6, 1, 8, 7}));
    f.doc.undo();
    EXPECT_EQ(f.p.nodes, empty);
    EXPECT_FALSE(f.doc.canUndo());
    f.doc.redo();
    f.doc.redo();
    EXPECT_EQ(f.p.nodes, afterSecond);
}

TEST(EditHistory, AfterAGroupDeleteEverythingComesBack)
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
    f.doc.undo();
    EXPECT_EQ(f.p.nodes, before);

    ASSERT_TRUE(f.span(1, 1, 6, 6, kModeGroupDelete).applied);
    EXPECT_EQ(f.at(3, 4, 2).columnKind, 0);
    f.doc.undo();
    EXPECT_EQ(f.p.nodes, before);  // both halves of the through column
}

TEST(EditHistory, RefusalsMakeNoStep)
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
    EXPECT_EQ(f.doc.undoStack()->count(), 2);
    f.doc.undo();
    EXPECT_EQ(f.p.nodes, before);
}

// A step of the plan editor holds the placed hardware of its nodes: the calculation empties it where
// a column was removed, and the undo brings the column back with its hardware. The calculation's own
// marks written since stay.
TEST(EditHistory, UndoOfARemovedColumnBringsItsPlacedHardwareBack)
{
    EditFixture f;
    f.chooseColumn(1);
    ASSERT_TRUE(f.click(4, 4).applied);
    {
        NodeEdit placed(f.doc, QStringLiteral("配置金物"), NodeFields::PlacedHardware);
        placed.node(4, 4, 1).hardware[1] = QStringLiteral("HD-B15");
        placed.commit();
    }
    ASSERT_TRUE(f.click(4, 4, kModeDelete).applied);
    f.doc.calculation();  // as the N values shown while drawing run it
    EXPECT_EQ(f.at(4, 4, 1).hardware[1], QString());
    f.at(4, 4, 1).isCorner = 1;
    f.doc.undo();
    EXPECT_EQ(f.at(4, 4, 1).columnKind, 1);
    EXPECT_EQ(f.at(4, 4, 1).hardware[1], QStringLiteral("HD-B15"));
    EXPECT_EQ(f.at(4, 4, 1).isCorner, 1);
}

TEST(EditHistory, AReplacedProjectStartsAnEmptyHistory)
{
    EditFixture f;
    f.chooseColumn(1);
    ASSERT_TRUE(f.click(4, 4).applied);
    Project other = f.p;
    other.info.spanCountX = 8;
    ResetProject(other);
    f.doc.replaceProject(std::move(other));
    EXPECT_FALSE(f.doc.canUndo());
    f.doc.undo();
    EXPECT_EQ(f.p.nodes.sizeX(), 9);
}

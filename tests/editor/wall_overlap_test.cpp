#include "editor/wall_overlap.h"

#include <QUndoStack>

#include <gtest/gtest.h>

#include "editor/edit_fixture.h"

using namespace rqx;
using rqx::test::EditFixture;

namespace {

const QString kBraceDiffers =
    QStringLiteral("指定した始点、終点が異なる筋かい、または２部材にまたがる筋かいは、");
const QString kBoardUnderBrace = QStringLiteral("面材と始点、終点が異なる重複する筋かいは、");
const QString kBoardDiffers =
    QStringLiteral("指定した始点、終点が異なる面材、または２部材にまたがる面材は、");
const QString kBraceUnderBoard = QStringLiteral("筋かいと始点、終点が異なる重複する面材は、");
const QString kReplace = QStringLiteral("置換できません。");
const QString kPlace = QStringLiteral("配置できません。");
const QString kDelete = QStringLiteral("削除できません。");

}  // namespace

TEST(WallOverlap, BraceReplacesABraceOfExactlyTheSameExtentOnly)
{
    EditFixture f;
    f.chooseWall(kKeyKesa, 1);  // 15×90 (1.0) over nodes 2..5
    ASSERT_TRUE(f.span(2, 3, 5, 3).applied);
    f.chooseWall(kKeyKesa, 2);  // 30×90 (1.5), the same two end nodes
    ASSERT_TRUE(f.span(5, 3, 2, 3).applied);
    for (int i = 2; i <= 4; ++i) {
        EXPECT_EQ(f.at(i, 3, 1).brace[kDirX].kind, 2);
        EXPECT_FLOAT_EQ(f.at(i, 3, 1).brace[kDirX].multiplier, 1.5f);
        EXPECT_EQ(f.at(i, 3, 1).brace[kDirX].code, 2);
    }
    // Over two of its three spans: refused, nothing changed, the undo of the replacement kept.
    const NodeArray before = f.p.nodes;
    auto r = f.span(2, 3, 4, 3);
    EXPECT_TRUE(r.refused);
    EXPECT_TRUE(r.byReplacementRule);
    EXPECT_EQ(r.message, kBraceDiffers + kReplace);
    EXPECT_EQ(f.p.nodes, before);
    EXPECT_EQ(f.doc.undoStack()->count(), 2);
    // Deleting part of it: the deleting form.
    EXPECT_EQ(f.span(3, 3, 5, 3, kModeDelete).message, kBraceDiffers + kDelete);
    // A cross brace over two single walls side by side ("２部材にまたがる").
    f.chooseWall(kKeyKesa, 1);
    ASSERT_TRUE(f.span(2, 6, 3, 6).applied);
    ASSERT_TRUE(f.span(3, 6, 4, 6).applied);
    f.chooseWall(kKeyTasuki, 1);
    EXPECT_EQ(f.span(2, 6, 4, 6).message, kBraceDiffers + kReplace);
    EXPECT_TRUE(f.span(2, 6, 3, 6).applied);
}

TEST(WallOverlap, BracesAndBoardsShareSpansOnlyWithTheSameExtent)
{
    EditFixture f;
    f.chooseWall(kKeyKesa, 3);
    ASSERT_TRUE(f.span(2, 2, 2, 4).applied);  // two-span brace along Y
    f.chooseWall(kKeyMenzai, 6);
    EXPECT_EQ(f.span(2, 2, 2, 3).message, kBraceUnderBoard + kPlace);  // over one of its spans
    EXPECT_EQ(f.span(2, 1, 2, 4).message, kBraceUnderBoard + kPlace);  // reaching past it
    ASSERT_TRUE(f.span(2, 4, 2, 2).applied);                           // the same extent
    EXPECT_EQ(f.at(2, 3, 1).board[kDirY].kind, 6);
    EXPECT_EQ(f.at(2, 3, 1).brace[kDirY].kind, 3);

    // A brace over a board of another extent.
    f.chooseWall(kKeyMenzai, 1);
    ASSERT_TRUE(f.span(6, 5, 9, 5).applied);
    f.chooseWall(kKeyTasuki, 2);
    EXPECT_EQ(f.span(6, 5, 8, 5).message, kBoardUnderBrace + kPlace);
    // Deleting braces where only that board stands: nothing to delete, not the board's extent.
    EXPECT_EQ(f.span(6, 5, 8, 5, kModeDelete).message, QStringLiteral("指定した位置には、削除する筋かいがありません。"));
    // A board over that board's part: the board's own message first.
    f.chooseWall(kKeyMenzai, 3);
    EXPECT_EQ(f.span(7, 5, 9, 5).message, kBoardDiffers + kReplace);
}

TEST(WallOverlap, DeletionMustNameTheWholeWall)
{
    EditFixture f;
    f.chooseWall(kKeyMenzai, 2);
    ASSERT_TRUE(f.span(4, 7, 6, 7).applied);
    auto r = f.span(4, 7, 5, 7, kModeDelete);
    EXPECT_EQ(r.message, kBoardDiffers + kDelete);
    EXPECT_EQ(f.at(4, 7, 1).board[kDirX].kind, 2);
    // A board with a brace of another extent in its spans.
    f.at(5, 7, 1).brace[kDirX] = WallMember{1, 5, 5, kKeyKesa, 1, 0, 1.0f};
    EXPECT_EQ(f.span(4, 7, 6, 7, kModeDelete).message, kBraceUnderBoard + kDelete);
    f.at(5, 7, 1).brace[kDirX] = WallMember{};
    EXPECT_TRUE(f.span(6, 7, 4, 7, kModeDelete).applied);
    EXPECT_EQ(f.at(5, 7, 1).board[kDirX], WallMember{});
    // Empty spans and other members' keys are no obstacle.
    EXPECT_FALSE(checkWallOverlap(f.p, 1, kKeyMenzai, kModeDelete, NodeRect{1, 1, 13, 1}).refused);
    EXPECT_FALSE(checkWallOverlap(f.p, 1, kKeyCol1, kModePlace, NodeRect{4, 7, 5, 7}).refused);
}

// A deletion of the kind chosen where only the other kind stands deletes nothing and says so. The
// board deletion on a line with a brace but no board once answered that the brace's extent differs:
// the other kind's extent was checked on spans without a wall of the chosen kind.
TEST(WallOverlap, DeletingAKindThatIsNotThereSaysSoAndChangesNothing)
{
    EditFixture f;
    f.chooseWall(kKeyKesa, 1);
    ASSERT_TRUE(f.span(2, 3, 5, 3).applied);  // a brace over spans 2..4
    f.chooseWall(kKeyMenzai, 2);
    ASSERT_TRUE(f.span(2, 6, 4, 6).applied);  // a board over spans 2..3
    const NodeArray before = f.p.nodes;
    const int steps = f.doc.undoStack()->count();
    struct Case {
        const char *key;
        int x1, y1, x2, y2;
        const char *message;
    };
    const Case cases[] = {
        {"Menzai", 2, 3, 5, 3, "指定した位置には、削除する面材がありません。"},  // the brace's whole extent
        {"Menzai", 3, 3, 4, 3, "指定した位置には、削除する面材がありません。"},  // part of it: was the overlap message
        {"Kesa", 2, 6, 4, 6, "指定した位置には、削除する筋かいがありません。"},
        {"Tasuki", 8, 8, 8, 10, "指定した位置には、削除する筋かいがありません。"},  // an empty line
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " " << c.x1 << "," << c.y1);
        f.chooseWall(QString::fromLatin1(c.key), 1);
        const auto r = f.span(c.x1, c.y1, c.x2, c.y2, kModeDelete);
        EXPECT_TRUE(r.refused);
        EXPECT_EQ(r.message, QString::fromUtf8(c.message));
        EXPECT_EQ(f.p.nodes, before);
        EXPECT_EQ(f.doc.undoStack()->count(), steps);
    }
    // With both kinds deleted at once, a line holding either is a deletion.
    f.ed.deleteBothKinds = true;
    EXPECT_TRUE(f.span(2, 3, 5, 3, kModeDelete).applied);
    EXPECT_EQ(f.at(3, 3, 1).brace[kDirX], WallMember{});
    EXPECT_EQ(f.span(2, 3, 5, 3, kModeDelete).message, QStringLiteral("指定した位置には、削除する筋かい・面材がありません。"));
}

#include "editor/plan_mouse.h"

#include <QUndoStack>

#include <gtest/gtest.h>

#include <QList>

#include "editor/edit_fixture.h"

using namespace rqx;
using rqx::test::EditFixture;

namespace {

bool sameBand(const RubberBand &a, const RubberBand &b)
{
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.rectangle == b.rectangle &&
           a.colour == b.colour;
}

// A window that records what the protocol asks of it.
struct FakeWindow : PlanMouseHost {
    QList<RubberBand> shown;  // bands now on the surface (exclusive-or: a second drawing removes)
    QList<RubberBand> drawnEver;
    int beeps = 0;
    bool cancelEnabled = false;
    QStringList messages;
    QStringList questions;
    bool answer = true;
    QList<int> menuAnswers;  // consumed one per menu; −1 closes it
    QStringList lastMenu;
    QList<bool> lastMenuEnabled;
    int zoomMenus = 0;
    QList<std::pair<NodeRect, bool>> regions;
    bool deleteDown = false;
    bool groupDown = false;
    QString posX, posY;
    const int *floor = nullptr;

    void xorRubberBand(const RubberBand &b) override
    {
        for (int i = 0; i < shown.size(); ++i)
            if (sameBand(shown[i], b)) {
                shown.removeAt(i);
                return;
            }
        shown.append(b);
        drawnEver.append(b);
    }
    void beep() override { ++beeps; }
    void setCancelEnabled(bool on) override { cancelEnabled = on; }
    void showPosition(const QString &x, const QString &y) override
    {
        posX = x;
        posY = y;
    }
    void popupZoomMenu() override { ++zoomMenus; }
    int popupMenu(const QStringList &items, const QList<bool> &enabled) override
    {
        lastMenu = items;
        lastMenuEnabled = enabled;
        return menuAnswers.isEmpty() ? -1 : menuAnswers.takeFirst();
    }
    void showMessage(const QString &t) override { messages.append(t); }
    bool confirm(const QString &t) override
    {
        questions.append(t);
        return answer;
    }
    bool deleteToggleDown() const override { return deleteDown; }
    bool groupToggleDown() const override { return groupDown; }
    int editedFloor() const override { return floor ? *floor : 1; }
};

struct PlanMouseTest : ::testing::Test {
    EditFixture f;
    FakeWindow w;
    PlanMouse m{f.doc, f.ed, w, false, {}};

    void SetUp() override
    {
        // The document's signals draw the regions of every edit, undo and redo.
        QObject::connect(&f.doc, &ProjectDocument::nodesAboutToChange, [this](const NodeRegion &r) {
            w.regions.append({NodeRect{r.ix1, r.iy1, r.ix2, r.iy2}, true});
        });
        QObject::connect(&f.doc, &ProjectDocument::nodesChanged, [this](const NodeRegion &r) {
            w.regions.append({NodeRect{r.ix1, r.iy1, r.ix2, r.iy2}, false});
        });
        f.ed.fit.planScale = 2.0f;
        f.ed.fit.originX = 3.0f;
        f.ed.fit.originY = 3.0f;
        f.ed.fit.scaleHeight = 27 * 567;
        w.floor = &f.floor;
    }
    ScreenPoint node(int ix, int iy) const { return nodeToScreen(f.p, f.ed.fit, ix, iy); }
    void down(int ix, int iy, int button = kButtonLeft)
    {
        const ScreenPoint s = node(ix, iy);
        Paper_MouseDown(m, button, s.x, s.y);
    }
    void move(int ix, int iy)
    {
        const ScreenPoint s = node(ix, iy);
        Paper_MouseMove(m, s.x, s.y);
    }
    // Drag from one node to another through the given nodes and click there.
    void drawSpan(int x1, int y1, int x2, int y2, int button = kButtonLeft)
    {
        down(x1, y1);
        move(x2, y2);
        down(x2, y2, button);
    }
};

}  // namespace

TEST_F(PlanMouseTest, TwoClicksDrawAWallWithARubberBandBetween)
{
    f.chooseWall(kKeyKesa, 2);
    down(2, 3);
    EXPECT_EQ(f.ed.span.dragState, SpanStage::FirstPointTaken);
    EXPECT_TRUE(w.cancelEnabled);
    move(3, 3);
    move(4, 3);
    ASSERT_EQ(w.shown.size(), 1);  // one band, from the start node to the pointer's node
    EXPECT_EQ(w.shown[0].x1, node(2, 3).x);
    EXPECT_EQ(w.shown[0].x2, node(4, 3).x);
    EXPECT_FALSE(w.shown[0].rectangle);
    EXPECT_EQ(w.shown[0].colour, 15);
    EXPECT_EQ(w.posX, QStringLiteral("X4"));
    EXPECT_EQ(w.posY, QStringLiteral("Y3"));
    down(4, 3);
    EXPECT_TRUE(w.shown.isEmpty());
    EXPECT_FALSE(w.cancelEnabled);
    EXPECT_EQ(f.ed.span.dragState, SpanStage::Idle);
    EXPECT_EQ(f.at(2, 3, 1).brace[kDirX].lastIndex, 3);
    EXPECT_EQ(f.at(3, 3, 1).brace[kDirX].segment, 3);
    // The region was erased, then drawn, around the span; the edit is one step of the history.
    ASSERT_EQ(w.regions.size(), 2);
    EXPECT_TRUE(w.regions[0].second);
    EXPECT_FALSE(w.regions[1].second);
    EXPECT_EQ(w.regions[1].first, (NodeRect{1, 2, 5, 4}));
    EXPECT_EQ(f.doc.undoStack()->count(), 1);
    EXPECT_EQ(f.doc.undoStack()->text(0), QStringLiteral("耐力壁入力"));
}

TEST_F(PlanMouseTest, ColumnsTakeOneClickAndNothingChosenOnlyBeeps)
{
    f.chooseColumn(1);
    down(5, 5);
    EXPECT_EQ(f.at(5, 5, 1).columnKind, 1);
    EXPECT_EQ(f.ed.span.dragState, SpanStage::Idle);
    EXPECT_TRUE(w.drawnEver.isEmpty());  // no rubber band for columns

    f.ed.selectedItem[kToolColumn] = 0;
    down(6, 6);
    EXPECT_EQ(w.beeps, 1);
    EXPECT_EQ(f.at(6, 6, 1).columnKind, 0);
    f.chooseWall(kKeyKesa, 1);
    f.ed.selectedItem[kToolWall] = 0;
    down(2, 2);
    EXPECT_EQ(w.beeps, 2);
    EXPECT_EQ(f.ed.span.dragState, SpanStage::Idle);
}

TEST_F(PlanMouseTest, RightClickBoardsDeletesOnlyBoardsForOneSpan)
{
    f.chooseWall(kKeyKesa, 1);
    drawSpan(2, 2, 4, 2);
    f.chooseWall(kKeyMenzai, 2);
    drawSpan(2, 2, 4, 2);
    f.chooseWall(kKeyKesa, 1);  // Kesa chosen, "面材" from the menu
    w.menuAnswers = {1};
    drawSpan(4, 2, 2, 2, kButtonRight);
    EXPECT_EQ(w.lastMenu, wallDeleteMenuItems());
    EXPECT_EQ(f.at(2, 2, 1).board[kDirX], WallMember{});
    EXPECT_EQ(f.at(2, 2, 1).brace[kDirX].kind, 1);
    EXPECT_EQ(f.ed.editMode, kModePlace);
    EXPECT_TRUE(w.shown.isEmpty());
    // The next span is placed again.
    drawSpan(6, 2, 8, 2);
    EXPECT_EQ(f.at(6, 2, 1).brace[kDirX].kind, 1);
}

TEST_F(PlanMouseTest, MenuCancelOrClosingTheMenuEndsTheSpan)
{
    f.chooseTool(kToolBeam);
    w.menuAnswers = {1};  // "ｷｬﾝｾﾙ"
    drawSpan(2, 2, 5, 2, kButtonRight);
    EXPECT_EQ(w.lastMenu, memberDeleteMenuItems());
    EXPECT_EQ(w.lastMenuEnabled, (QList<bool>{true, true}));
    EXPECT_EQ(f.ed.span.dragState, SpanStage::Idle);
    EXPECT_TRUE(w.shown.isEmpty());
    EXPECT_FALSE(w.cancelEnabled);
    EXPECT_FALSE(f.doc.isDirty());
    drawSpan(2, 2, 5, 2, kButtonRight);  // closed without a choice
    EXPECT_FALSE(f.doc.isDirty());
    EXPECT_EQ(f.at(2, 2, 2).beam[kDirX], BeamInfo{});
    // "削除" deletes for this span only.
    drawSpan(2, 2, 5, 2);
    w.menuAnswers = {0};
    drawSpan(3, 2, 4, 2, kButtonRight);
    EXPECT_EQ(f.at(2, 2, 2).beam[kDirX].present, 1);
    EXPECT_EQ(f.at(3, 2, 2).beam[kDirX], BeamInfo{});
    EXPECT_EQ(f.ed.editMode, kModePlace);
    // With the delete toggle down the menu offers only "ｷｬﾝｾﾙ".
    f.ed.editMode = kModeDelete;
    w.deleteDown = true;
    drawSpan(2, 2, 3, 2, kButtonRight);
    EXPECT_EQ(w.lastMenuEnabled, (QList<bool>{false, true}));
    EXPECT_EQ(f.at(2, 2, 2).beam[kDirX].present, 1);
}

TEST_F(PlanMouseTest, LeavingTheGridAbandonsTheSpan)
{
    f.chooseWall(kKeyKesa, 1);
    down(2, 2);
    move(4, 2);
    Paper_MouseMove(m, 10, 10);  // far above and left of the plan
    EXPECT_EQ(f.ed.span.dragState, SpanStage::Idle);
    EXPECT_TRUE(w.shown.isEmpty());
    EXPECT_TRUE(w.posX.isEmpty());
    EXPECT_FALSE(w.cancelEnabled);
    // The next click starts a new span.
    down(6, 6);
    EXPECT_EQ(f.ed.span.dragState, SpanStage::FirstPointTaken);
    EXPECT_EQ(f.ed.span.startIx, 6);
    move(6, 8);
    down(6, 8);
    EXPECT_EQ(f.at(6, 7, 1).brace[kDirY].segment, 3);
    EXPECT_EQ(f.at(2, 2, 1).brace[kDirX], WallMember{});
    // A right click off the grid opens the zoom menu.
    Paper_MouseDown(m, kButtonRight, 10, 10);
    EXPECT_EQ(w.zoomMenus, 1);
}

TEST_F(PlanMouseTest, AxisLockIsKeptFromThePreviousSpan)
{
    f.chooseWall(kKeyKesa, 1);
    drawSpan(3, 2, 3, 4);  // along Y: lock 2
    EXPECT_EQ(f.ed.span.axisLock, AxisLock::AlongY);
    // Diagonally, never on the start's row or column: forced onto the start's Y line.
    down(6, 2);
    move(7, 3);
    move(8, 5);
    ASSERT_EQ(w.shown.size(), 1);
    EXPECT_EQ(w.shown[0].x2, node(6, 2).x);
    EXPECT_EQ(w.shown[0].y2, node(6, 5).y);
    down(8, 5);
    EXPECT_EQ(f.at(6, 2, 1).brace[kDirY].lastIndex, 4);
    EXPECT_EQ(f.at(6, 4, 1).brace[kDirY].segment, 3);
    EXPECT_EQ(f.at(8, 2, 1).brace[kDirY], WallMember{});
    // Passing over the start's row switches to X.
    down(2, 8);
    move(3, 9);
    move(4, 8);
    move(5, 9);
    down(5, 9);
    EXPECT_EQ(f.ed.span.axisLock, AxisLock::AlongX);
    EXPECT_EQ(f.at(2, 8, 1).brace[kDirX].lastIndex, 4);
}

TEST_F(PlanMouseTest, RefusalsShowTheirTextAndChangeNothing)
{
    f.chooseWall(kKeyMenzai, 1);
    drawSpan(4, 4, 6, 4);
    const NodeArray before = f.p.nodes;
    const int steps = f.doc.undoStack()->count();
    const std::size_t regions = w.regions.size();
    drawSpan(5, 3, 5, 4);  // ends at the board's middle node
    ASSERT_EQ(w.messages.size(), 1);
    EXPECT_EQ(w.messages[0], QStringLiteral("筋かい・面材に直交する他の筋かい・面材は、配置できません。"));
    f.chooseColumn(1);
    down(5, 4);
    ASSERT_EQ(w.messages.size(), 2);
    EXPECT_TRUE(w.messages[1].endsWith(QStringLiteral("位置： X5 - Y4")));
    // A deletion from the menu refused by the replacement rule: the mode returns to placing.
    f.chooseWall(kKeyMenzai, 1);
    w.menuAnswers = {1};
    drawSpan(4, 4, 5, 4, kButtonRight);
    ASSERT_EQ(w.messages.size(), 3);
    EXPECT_EQ(
        w.messages[2],
        QStringLiteral("指定した始点、終点が異なる面材、または２部材にまたがる面材は、削除できません。"));
    EXPECT_EQ(f.ed.editMode, kModePlace);
    EXPECT_EQ(f.p.nodes, before);
    EXPECT_EQ(f.doc.undoStack()->count(), steps);
    EXPECT_EQ(w.regions.size(), regions);
    EXPECT_TRUE(w.shown.isEmpty());
    EXPECT_FALSE(w.cancelEnabled);
}

TEST_F(PlanMouseTest, GroupDeleteAsksWithTheLineNamesAndUndoBringsAllBack)
{
    f.chooseWall(kKeyKesa, 1);
    drawSpan(2, 2, 5, 2);
    drawSpan(3, 4, 3, 6);
    const NodeArray before = f.p.nodes;
    f.ed.editMode = kModeGroupDelete;
    w.groupDown = true;
    // Corners a little outside nodes (1, 1) and (6, 7): clamped nodes named as dragged.
    const ScreenPoint a = node(6, 7), b = node(1, 1);
    Paper_MouseDown(m, kButtonLeft, a.x + 50, a.y - 50);
    Paper_MouseMove(m, b.x - 50, b.y + 50);
    ASSERT_EQ(w.shown.size(), 1);
    EXPECT_TRUE(w.shown[0].rectangle);
    EXPECT_EQ(w.shown[0].colour, 12);
    w.answer = false;
    Paper_MouseDown(m, kButtonLeft, b.x - 50, b.y + 50);
    ASSERT_EQ(w.questions.size(), 1);
    EXPECT_EQ(w.questions[0], QStringLiteral("(X6,Y7) - (X1,Y1) 内の「筋かい」をグループ削除します。"));
    EXPECT_EQ(f.p.nodes, before);
    EXPECT_TRUE(w.shown.isEmpty());
    EXPECT_EQ(f.ed.editMode, kModeGroupDelete);

    w.answer = true;
    Paper_MouseDown(m, kButtonLeft, a.x + 50, a.y - 50);
    Paper_MouseMove(m, b.x - 50, b.y + 50);
    Paper_MouseDown(m, kButtonLeft, b.x - 50, b.y + 50);
    EXPECT_EQ(f.at(2, 2, 1).brace[kDirX], WallMember{});
    EXPECT_EQ(f.at(3, 5, 1).brace[kDirY], WallMember{});
    const std::size_t regions = w.regions.size();
    f.doc.undo();
    EXPECT_EQ(f.p.nodes, before);
    ASSERT_EQ(w.regions.size(), regions + 2);
    EXPECT_EQ(w.regions.back().first, (NodeRect{1, 1, 7, 8}));
    EXPECT_EQ(f.doc.undoStack()->index(), 2);  // the two walls stay steps of the history
    // A rectangle holding no node is dropped without a question.
    const ScreenPoint c = node(3, 3);
    Paper_MouseDown(m, kButtonLeft, c.x + 20, c.y - 20);
    Paper_MouseDown(m, kButtonLeft, c.x + 60, c.y - 60);
    EXPECT_EQ(w.questions.size(), 2);
    EXPECT_EQ(f.ed.span.dragState, SpanStage::Idle);
    // A right click first offers the member menu; its choice names what goes.
    w.menuAnswers = {2};
    f.chooseWall(kKeyKesa, 1);
    f.ed.editMode = kModeGroupDelete;
    Paper_MouseDown(m, kButtonLeft, a.x + 50, a.y - 50);
    Paper_MouseDown(m, kButtonRight, b.x - 50, b.y + 50);
    EXPECT_TRUE(w.questions.back().contains(QStringLiteral("「筋かい と 面材耐力壁」")));
}

TEST_F(PlanMouseTest, ThroughColumnOverHardwareIsPlacedWithAWarning)
{
    f.at(7, 7, 2).hardware[2] = QStringLiteral("CP-T");
    f.chooseColumn(2);
    down(7, 7);
    EXPECT_EQ(f.at(7, 7, 2).columnKind, 2);
    ASSERT_EQ(w.messages.size(), 1);
    EXPECT_TRUE(
        w.messages[0].startsWith(QStringLiteral("配置した通し柱の２階柱脚部分に金物が配置されています。")));
    EXPECT_EQ(f.at(7, 7, 2).hardware[2], QStringLiteral("CP-T"));
}

TEST_F(PlanMouseTest, CancelButtonEndsTheSpan)
{
    f.chooseTool(kToolFloor);
    down(2, 2);
    move(4, 4);
    ASSERT_EQ(w.shown.size(), 1);
    EXPECT_TRUE(w.shown[0].rectangle);
    cancelSpan(m);
    EXPECT_TRUE(w.shown.isEmpty());
    EXPECT_EQ(f.ed.span.dragState, SpanStage::Idle);
    EXPECT_FALSE(w.cancelEnabled);
    down(5, 5);  // a new first point, not a second
    EXPECT_EQ(f.ed.span.dragState, SpanStage::FirstPointTaken);
    EXPECT_EQ(f.at(2, 2, 1).cellFloor, 0);
}

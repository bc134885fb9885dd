// The plan editor driven as a person drives it: QTest mouse events at the nodes' screen positions
// on the input screen's plan surface, message boxes and menus answered as they pop up.
#include "editor/ui/plan_editing.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <QTimer>

#include <deque>
#include <memory>

#include "document/project_document.h"
#include "editor/ui/input_screen.h"
#include "editor/ui/paper.h"
#include "model/project_file.h"
#include "support/writable_project.h"

using namespace rqx;

namespace {

// Answers, in order, the message boxes and pop-up menus that open while it lives: a box is
// answered with a button (its text recorded), a menu with the item of that caption, or closed
// without a choice when the caption is empty.
class ModalScript {
public:
    struct Step {
        bool menu = false;
        QString item;
        QMessageBox::StandardButton button = QMessageBox::Ok;
    };

    ModalScript()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    ModalScript &box(QMessageBox::StandardButton b = QMessageBox::Ok)
    {
        steps_.push_back({false, QString(), b});
        return *this;
    }
    ModalScript &menu(const QString &item)
    {
        steps_.push_back({true, item, QMessageBox::Ok});
        return *this;
    }
    bool done() const { return steps_.empty(); }
    QStringList texts;  // the boxes' texts, lines joined by "\r" as the program writes them
    QStringList menuItems;

private:
    void poll()
    {
        if (steps_.empty())
            return;
        const Step step = steps_.front();
        if (step.menu) {
            auto *m = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!m)
                return;
            steps_.pop_front();
            menuItems.clear();
            QAction *chosen = nullptr;
            for (QAction *a : m->actions()) {
                menuItems.append(a->text());
                if (!step.item.isEmpty() && a->text() == step.item && a->isEnabled())
                    chosen = a;
            }
            if (chosen) {
                m->setActiveAction(chosen);
                QTest::keyClick(m, Qt::Key_Return);
            } else {
                m->close();
            }
            return;
        }
        auto *b = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!b)
            return;
        steps_.pop_front();
        texts.append(QString(b->text()).replace(QLatin1Char('\n'), QLatin1Char('\r')));
        b->button(step.button)->click();
    }

    QTimer timer_;
    std::deque<Step> steps_;
};

struct PlanEditingTest : ::testing::Test {
    ProjectDocument doc;
    Project &p = rqx::test::Writable(doc);
    EditorState ed;
    std::unique_ptr<InputScreen> screen;
    PlanEditing *editing = nullptr;

    void SetUp() override
    {
        p.info.floorCount = 2;
        p.info.divisions = 2;
        p.info.moduleLength = 0.91f;
        p.info.spanCountX = 12;
        p.info.spanCountY = 8;
        ResetProject(p);
        for (int i = 1; i <= 13; ++i)
            p.grid.lineNameX[i] = QStringLiteral("X%1").arg(i);
        for (int j = 1; j <= 9; ++j)
            p.grid.lineNameY[j] = QStringLiteral("Y%1").arg(j);
        doc.replaceProject(p);
        screen = std::make_unique<InputScreen>(doc, ed);
        screen->resize(1200, 800);
        screen->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
        QCoreApplication::processEvents();
        editing = new PlanEditing(screen.get());
        screen->redrawPlan();
    }

    Paper *paper() const { return screen->paper(); }
    QPoint pixel(int ix, int iy) const
    {
        const ScreenPoint t = nodeToScreen(p, ed.fit, ix, iy);
        return paper()->surface().toPixel(t.x, t.y);
    }
    void moveTo(int ix, int iy) { QTest::mouseMove(paper(), pixel(ix, iy)); }
    void clickAt(int ix, int iy, Qt::MouseButton button = Qt::LeftButton)
    {
        moveTo(ix, iy);
        QTest::mouseClick(paper(), button, Qt::NoModifier, pixel(ix, iy));
    }
    // First click, the pointer over every node on the way, second click.
    void drag(int x1, int y1, int x2, int y2, Qt::MouseButton second = Qt::LeftButton)
    {
        clickAt(x1, y1);
        const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
        for (int k = 1; k <= steps; ++k)
            moveTo(x1 + (x2 - x1) * k / steps, y1 + (y2 - y1) * k / steps);
        clickAt(x2, y2, second);
    }
    void wall(const QString &treeKey)
    {
        screen->chooseTool(kToolWall);
        screen->chooseTreeNode(treeKey);
    }
    NodeRecord &at(int x, int y, int level) { return p.nodes(x, y, level); }
    static QString lines(const char *first, const char *second)
    {
        return QString::fromUtf8(first) + QStringLiteral("\r\r") + QString::fromUtf8(second);
    }
};

}  // namespace

TEST_F(PlanEditingTest, WallsStoreSegmentsAndExtentsAsDrawn)
{
    wall(QStringLiteral("Kesa3"));
    drag(2, 2, 3, 2);
    drag(2, 4, 4, 4);
    drag(5, 6, 2, 6);  // right to left
    EXPECT_EQ(at(2, 2, 1).brace[kDirX], (WallMember{3, 2, 2, kKeyKesa, 1, 0, 2.0f}));
    EXPECT_EQ(at(2, 4, 1).brace[kDirX], (WallMember{3, 2, 3, kKeyKesa, 1, 1, 2.0f}));
    EXPECT_EQ(at(3, 4, 1).brace[kDirX], (WallMember{3, 2, 3, kKeyKesa, 1, 3, 2.0f}));
    for (int i = 2; i <= 4; ++i) {
        const WallMember &m = at(i, 6, 1).brace[kDirX];
        EXPECT_EQ(m.segment, i - 1) << i;  // 1, 2, 3
        EXPECT_EQ(m.firstIndex, 2);
        EXPECT_EQ(m.lastIndex, 4);
        EXPECT_EQ(m.code, 2);
    }
    // "耐力壁と柱･梁配置の連動" is on when the screen opens: columns at the ends, beams along.
    EXPECT_EQ(at(2, 6, 1).columnKind, 1);
    EXPECT_EQ(at(5, 6, 1).columnKind, 1);
    EXPECT_EQ(at(3, 6, 2).beam[kDirX].present, 1);
    EXPECT_TRUE(doc.isDirty());
    EXPECT_TRUE(doc.canUndo());
    EXPECT_EQ(paper()->rubberBandsShown(), 0);
    EXPECT_FALSE(screen->cancelButton()->isEnabled());
}

TEST_F(PlanEditingTest, OrthogonalWallRefusedAtMiddleNodeAllowedAtEnd)
{
    wall(QStringLiteral("Menzai4"));
    drag(6, 1, 6, 3);
    const NodeArray before = p.nodes;
    ModalScript script;
    script.box();
    drag(4, 2, 6, 2);
    EXPECT_TRUE(script.done());
    ASSERT_EQ(script.texts.size(), 1);
    EXPECT_EQ(script.texts[0], QStringLiteral("筋かい・面材に直交する他の筋かい・面材は、配置できません。"));
    EXPECT_EQ(p.nodes, before);
    EXPECT_EQ(ed.span.dragState, SpanStage::Idle);
    EXPECT_EQ(paper()->rubberBandsShown(), 0);
    drag(4, 3, 6, 3);  // the wall's end node
    EXPECT_EQ(at(4, 3, 1).board[kDirX].kind, 4);
    EXPECT_EQ(script.texts.size(), 1);
}

TEST_F(PlanEditingTest, ColumnOnAWallsMiddleNodeIsRefusedNamingIt)
{
    wall(QStringLiteral("Tasuki2"));
    drag(3, 5, 5, 5);
    screen->chooseTool(kToolColumn);
    screen->chooseTreeNode(QStringLiteral("管柱"));
    ModalScript script;
    script.box();
    clickAt(4, 5);
    ASSERT_TRUE(script.done());
    EXPECT_EQ(script.texts[0], lines("筋かい・面材の中間部分に柱は、配置できません。", "位置： X4 - Y5"));
    EXPECT_EQ(at(4, 5, 1).columnKind, 0);
    clickAt(8, 5);
    EXPECT_EQ(at(8, 5, 1).columnKind, 1);
    EXPECT_EQ(script.texts.size(), 1);
}

TEST_F(PlanEditingTest, ThroughColumnPlacedAndDeletedFromEitherStorey)
{
    screen->chooseTool(kToolColumn);
    screen->chooseFloor(1);
    screen->chooseTreeNode(QStringLiteral("通し柱"));
    clickAt(3, 3);
    EXPECT_EQ(at(3, 3, 1).columnKind, 2);
    EXPECT_EQ(at(3, 3, 2).columnKind, 2);
    EXPECT_EQ(at(3, 3, 2).throughOrigin, 1);
    screen->chooseFloor(2);
    screen->clickDeleteToggle(0);
    clickAt(3, 3);
    EXPECT_EQ(at(3, 3, 1).columnKind, 0);
    EXPECT_EQ(at(3, 3, 2).columnKind, 0);

    screen->clickDeleteToggle(0);  // placing again, on storey 2
    screen->chooseTreeNode(QStringLiteral("通し柱"));
    clickAt(7, 4);
    EXPECT_EQ(at(7, 4, 1).columnKind, 2);
    screen->chooseFloor(1);
    screen->clickDeleteToggle(0);
    clickAt(7, 4);
    EXPECT_EQ(at(7, 4, 1).columnKind, 0);
    EXPECT_EQ(at(7, 4, 2).columnKind, 0);

    // A through column where storey 2 has a wall through the node: refused, naming the node.
    screen->clickDeleteToggle(0);
    screen->chooseFloor(2);
    wall(QStringLiteral("Kesa1"));
    drag(9, 2, 9, 4);
    screen->chooseFloor(1);
    screen->chooseTool(kToolColumn);
    screen->chooseTreeNode(QStringLiteral("通し柱"));
    ModalScript script;
    script.box();
    clickAt(9, 3);
    ASSERT_TRUE(script.done());
    EXPECT_EQ(script.texts[0], lines("筋かい・面材の中間部分に柱は、配置できません。", "位置： X9 - Y3"));
    EXPECT_EQ(at(9, 3, 1).columnKind, 0);
    EXPECT_EQ(at(9, 3, 2).columnKind, 0);
}

TEST_F(PlanEditingTest, RightClickBoardsDeletesOnlyBoardsThenPlacingGoesOn)
{
    screen->linkCheck()->setChecked(false);
    wall(QStringLiteral("Kesa2"));
    drag(2, 2, 5, 2);
    wall(QStringLiteral("Menzai3"));
    drag(2, 2, 5, 2);
    wall(QStringLiteral("Kesa2"));
    ModalScript script;
    script.menu(QStringLiteral("面材"));
    drag(2, 2, 5, 2, Qt::RightButton);
    ASSERT_TRUE(script.done());
    EXPECT_EQ(script.menuItems, (QStringList{QStringLiteral("筋かい"), QStringLiteral("面材"),
                                             QStringLiteral("筋かい+面材"), QStringLiteral("ｷｬﾝｾﾙ")}));
    for (int i = 2; i <= 4; ++i) {
        EXPECT_EQ(at(i, 2, 1).board[kDirX], WallMember{});
        EXPECT_EQ(at(i, 2, 1).brace[kDirX].kind, 2);
    }
    EXPECT_EQ(ed.editMode, kModePlace);
    drag(7, 2, 9, 2);
    EXPECT_EQ(at(7, 2, 1).brace[kDirX].kind, 2);
    // "ｷｬﾝｾﾙ" ends the span and changes nothing.
    const NodeArray before = p.nodes;
    ModalScript cancel;
    cancel.menu(QStringLiteral("ｷｬﾝｾﾙ"));
    drag(7, 2, 9, 2, Qt::RightButton);
    EXPECT_TRUE(cancel.done());
    EXPECT_EQ(p.nodes, before);
    EXPECT_EQ(paper()->rubberBandsShown(), 0);
}

TEST_F(PlanEditingTest, ReplacementRuleMessages)
{
    wall(QStringLiteral("Kesa1"));
    drag(2, 3, 5, 3);
    wall(QStringLiteral("Kesa2"));
    drag(2, 3, 5, 3);  // same two end nodes: replaced
    EXPECT_EQ(at(3, 3, 1).brace[kDirX].kind, 2);
    ModalScript script;
    script.box().box().box();
    drag(2, 3, 4, 3);  // two of its three spans
    wall(QStringLiteral("Menzai1"));
    drag(2, 3, 3, 3);  // a board over one span of the brace
    screen->clickDeleteToggle(0);
    wall(QStringLiteral("Kesa2"));
    drag(3, 3, 5, 3);  // deleting part of it
    ASSERT_TRUE(script.done());
    EXPECT_EQ(
        script.texts,
        (QStringList{
            QStringLiteral(
                "指定した始点、終点が異なる筋かい、または２部材にまたがる筋かいは、置換できません。"),
            QStringLiteral("筋かいと始点、終点が異なる重複する面材は、配置できません。"),
            QStringLiteral(
                "指定した始点、終点が異なる筋かい、または２部材にまたがる筋かいは、削除できません。")}));
    EXPECT_EQ(ed.editMode, kModeDelete);  // the toggle is down
    drag(5, 3, 2, 3);                     // the whole wall
    EXPECT_EQ(at(2, 3, 1).brace[kDirX], WallMember{});
}

TEST_F(PlanEditingTest, GroupDeleteOverTheMiddleKeepsTheWallAndUndoRestoresAll)
{
    wall(QStringLiteral("Tasuki1"));
    drag(1, 4, 8, 4);  // nodes 1..8
    drag(10, 2, 10, 6);
    screen->chooseTool(kToolColumn);
    screen->chooseTreeNode(QStringLiteral("通し柱"));
    clickAt(12, 8);
    wall(QStringLiteral("Tasuki1"));
    const NodeArray before = p.nodes;
    screen->clickDeleteToggle(1);
    EXPECT_EQ(ed.editMode, kModeGroupDelete);

    // Corners a quarter span outside nodes (3, 3) and (6, 5): only the middle of the long wall.
    auto corner = [&](int ix, int iy, int dx, int dy) {
        const QPoint a = pixel(ix, iy), b = pixel(ix + dx, iy + dy);
        return a + (b - a) / 4;
    };
    ModalScript script;
    script.box();
    QTest::mouseClick(paper(), Qt::LeftButton, Qt::NoModifier, corner(3, 3, -1, -1));
    QTest::mouseMove(paper(), corner(6, 5, 1, 1));
    EXPECT_EQ(paper()->rubberBandsShown(), 1);
    QTest::mouseClick(paper(), Qt::LeftButton, Qt::NoModifier, corner(6, 5, 1, 1));
    ASSERT_TRUE(script.done());
    EXPECT_EQ(script.texts[0], QStringLiteral("(X3,Y3) - (X6,Y5) 内の「筋かい」をグループ削除します。"));
    EXPECT_EQ(p.nodes, before);

    // Around everything, with both kinds and the columns: all goes; undo brings it all back.
    const int steps = doc.undoStack()->count();
    ModalScript all;
    all.box();
    QTest::mouseClick(paper(), Qt::LeftButton, Qt::NoModifier, corner(13, 9, 1, 1));
    QTest::mouseMove(paper(), corner(1, 1, -1, -1));
    QTest::mouseClick(paper(), Qt::LeftButton, Qt::NoModifier, corner(1, 1, -1, -1));
    ASSERT_TRUE(all.done());
    EXPECT_EQ(all.texts[0], QStringLiteral("(X13,Y9) - (X1,Y1) 内の「筋かい」をグループ削除します。"));
    EXPECT_EQ(at(1, 4, 1).brace[kDirX], WallMember{});
    EXPECT_EQ(at(10, 3, 1).brace[kDirY], WallMember{});
    EXPECT_EQ(doc.undoStack()->count(), steps + 1);
    doc.undo();
    EXPECT_EQ(p.nodes, before);
    EXPECT_EQ(doc.undoStack()->index(), steps);

    // Cancel in the confirmation: nothing happens.
    ModalScript no;
    no.box(QMessageBox::Cancel);
    QTest::mouseClick(paper(), Qt::LeftButton, Qt::NoModifier, corner(13, 9, 1, 1));
    QTest::mouseClick(paper(), Qt::LeftButton, Qt::NoModifier, corner(1, 1, -1, -1));
    ASSERT_TRUE(no.done());
    EXPECT_EQ(p.nodes, before);
    EXPECT_EQ(doc.undoStack()->count(), steps + 1);  // no step added
    EXPECT_EQ(doc.undoStack()->index(), steps);
}

TEST_F(PlanEditingTest, AxisLockOfThePreviousSpanAndLeavingTheGrid)
{
    wall(QStringLiteral("Kesa1"));
    drag(3, 2, 3, 4);  // along Y
    // Diagonally without touching the start's row or column: kept on the Y line.
    clickAt(6, 2);
    moveTo(7, 3);
    moveTo(8, 5);
    clickAt(8, 5);
    EXPECT_EQ(at(6, 2, 1).brace[kDirY].lastIndex, 4);
    EXPECT_EQ(at(8, 2, 1).brace[kDirY], WallMember{});
    // Leaving the grid abandons the span; the next click starts a new one.
    clickAt(2, 7);
    moveTo(4, 7);
    QTest::mouseMove(paper(), QPoint(2, 2));
    EXPECT_EQ(ed.span.dragState, SpanStage::Idle);
    EXPECT_EQ(paper()->rubberBandsShown(), 0);
    clickAt(6, 8);
    EXPECT_EQ(ed.span.dragState, SpanStage::FirstPointTaken);
    // The cancel button ends it as well.
    moveTo(8, 8);
    EXPECT_TRUE(screen->cancelButton()->isEnabled());
    QTest::mouseClick(screen->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(ed.span.dragState, SpanStage::Idle);
    EXPECT_EQ(paper()->rubberBandsShown(), 0);
    EXPECT_EQ(at(2, 7, 1).brace[kDirX], WallMember{});
    EXPECT_EQ(at(6, 8, 1).brace[kDirX], WallMember{});
}

TEST_F(PlanEditingTest, UndoIsOffAfterANewProjectButNotAfterAGridChange)
{
    screen->chooseTool(kToolFloor);
    drag(1, 1, 4, 4);
    EXPECT_EQ(at(2, 2, 1).cellFloor, 1);
    EXPECT_TRUE(doc.canUndo());
    doc.replaceProject(p);
    EXPECT_FALSE(doc.canUndo());
    doc.undo();
    EXPECT_EQ(at(2, 2, 1).cellFloor, 1);
    drag(5, 5, 6, 6);
    EXPECT_TRUE(doc.canUndo());
    doc.resizeGrid(14, 8, 0.91f);
    EXPECT_TRUE(doc.canUndo());  // the resize is a step of its own
}

// A small two-storey house drawn by mouse, saved by the program's writer, computed by velmrqx-cli.
TEST_F(PlanEditingTest, SmallHouseDrawnByMouseComputesItsNValues)
{
    // Storey 1: floor over cells 1..4 × 1..2; a 45×90 single brace on row 1 from X1 to X3 drawn
    // left to right; a board of 2.5 on line X5 from Y1 to Y3. The link puts 管柱 at the wall ends
    // and beams on levels 1 and 2 under the walls.
    screen->chooseFloor(1);
    screen->chooseTool(kToolFloor);
    drag(1, 1, 5, 3);
    wall(QStringLiteral("Kesa3"));
    drag(1, 1, 3, 1);
    wall(QStringLiteral("Menzai5"));
    drag(5, 1, 5, 3);
    // Storey 2: the same floor; a 15×90 cross brace over X1-X3 on row 1; a 30×90 single brace on
    // line X5 from Y2 to Y3: its column at (5, 2) stands on the floor beam between (5, 1) and (5, 3).
    screen->chooseFloor(2);
    screen->chooseTool(kToolFloor);
    screen->chooseTreeNode(QStringLiteral("床"));
    drag(1, 1, 5, 3);
    wall(QStringLiteral("Tasuki1"));
    drag(1, 1, 3, 1);
    wall(QStringLiteral("Kesa2"));
    drag(5, 2, 5, 3);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("small.RQX"));
    ASSERT_TRUE(SaveProjectFile(p, path).ok);
    QProcess cli;
    cli.start(QStringLiteral(VELM_CLI_PATH), {QStringLiteral("calc"), path});
    ASSERT_TRUE(cli.waitForFinished(30000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QStringList rows =
        QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // level,x,y → totalX, totalY (columns 16 and 17 of the CSV).
    QMap<QString, QPair<QString, QString>> totals;
    for (const QString &row : rows.mid(1)) {
        const QStringList f = row.split(QLatin1Char(','));
        ASSERT_GE(f.size(), 18);
        totals[f[0] + QLatin1Char(',') + f[1] + QLatin1Char(',') + f[2]] = {f[16], f[17]};
    }
    // By hand (B 0.8 corner / 0.5 other; L: storey 2 0.4 / 0.6, storey 1 of the two-storey part
    // 1.0 / 1.6; A = |side 1 − side 2| + correction):
    // 2F (1,1) corner: X A = 2.0 (lone cross brace, correction 0): 2.0×0.8 − 0.4 = 1.2; Y −0.4.
    // 2F (3,1) other: X 2.0×0.5 − 0.6 = 0.4; Y −0.6.
    // 2F (5,2) other: Y brace rising to (5,3), foot at (5,2): A = 1.5 − 0.5 = 1.0: 0.5 − 0.6 = −0.1;
    //   X −0.6.
    // 2F (5,3) corner: Y top at (5,3): A = 1.5 + 0.5 = 2.0: 1.6 − 0.4 = 1.2; X −0.4.
    // 1F (1,1) corner: X A = 2.0 − 0.5 (foot) = 1.5: 2.0×0.8 + 1.5×0.8 − 1.0 = 1.8; Y −1.0.
    // 1F (3,1) other: X A = 2.0 + 0.5 (top) = 2.5: 2.0×0.5 + 2.5×0.5 − 1.6 = 0.65; Y −1.6.
    // 1F (5,1) corner: Y A = 2.5: 2.5×0.8 − 1.0 = 1.0, plus half of 2F (5,2)'s A×B = 1.0×0.5 carried
    //   along the floor beam (5,1)-(5,3) (u = (0.91 − 0.455)/0.91 = 0.5): 1.25; X −1.0.
    // 1F (5,3) corner: Y 2.0×0.8 + 2.5×0.8 − 1.0 + 0.25 = 2.85; X −1.0.
    const QMap<QString, QPair<QString, QString>> expected{
        {QStringLiteral("1,1,1"), {QStringLiteral("1.8000"), QStringLiteral("-1.0000")}},
        {QStringLiteral("1,3,1"), {QStringLiteral("0.6500"), QStringLiteral("-1.6000")}},
        {QStringLiteral("1,5,1"), {QStringLiteral("-1.0000"), QStringLiteral("1.2500")}},
        {QStringLiteral("1,5,3"), {QStringLiteral("-1.0000"), QStringLiteral("2.8500")}},
        {QStringLiteral("2,1,1"), {QStringLiteral("1.2000"), QStringLiteral("-0.4000")}},
        {QStringLiteral("2,3,1"), {QStringLiteral("0.4000"), QStringLiteral("-0.6000")}},
        {QStringLiteral("2,5,2"), {QStringLiteral("-0.6000"), QStringLiteral("-0.1000")}},
        {QStringLiteral("2,5,3"), {QStringLiteral("-0.4000"), QStringLiteral("1.2000")}},
    };
    EXPECT_EQ(totals, expected);
}

// What a grid made smaller can leave behind: extents past the edges, spans stored on the edge nodes.
// Drawing, editing, refusing, group deleting and undoing around them must not go out of bounds.
TEST_F(PlanEditingTest, MembersReachingPastTheGridEdgeAreHarmless)
{
    for (int i = 10; i <= 13; ++i)
        at(i, 4, 1).board[kDirX] = WallMember{2, 10, 40, kKeyMenzai, 4, i == 10 ? 1 : 2, 1.0f};
    at(13, 7, 1).brace[kDirY] = WallMember{1, 7, 30, kKeyKesa, 1, 1, 1.0f};
    at(13, 9, 1).brace[kDirY] = WallMember{1, 9, 9, kKeyKesa, 1, 0, 1.0f};
    at(13, 9, 2).beam[kDirX] = BeamInfo{1, 1};
    at(12, 9, 1).cellFloor = 1;
    screen->redrawPlan();
    screen->chooseZoom(QStringLiteral("200(%)"));
    screen->chooseZoom(QStringLiteral("全体表示"));

    ModalScript script;
    script.box().box();
    screen->chooseTool(kToolColumn);
    screen->chooseTreeNode(QStringLiteral("管柱"));
    clickAt(12, 4);  // inside the board that runs past the edge
    wall(QStringLiteral("Menzai2"));
    screen->clickDeleteToggle(0);
    drag(10, 4, 12, 4);  // not the whole of it
    ASSERT_TRUE(script.done());
    EXPECT_TRUE(script.texts[0].endsWith(QStringLiteral("位置： X12 - Y4")));
    EXPECT_TRUE(script.texts[1].endsWith(QStringLiteral("削除できません。")));
    screen->clickDeleteToggle(0);

    const NodeArray before = p.nodes;
    const int steps = doc.undoStack()->count();
    screen->deleteBothCheck()->setChecked(true);
    screen->clickDeleteToggle(1);
    ModalScript all;
    all.box();
    const QPoint outside = pixel(13, 9) + QPoint(20, -20);
    QTest::mouseClick(paper(), Qt::LeftButton, Qt::NoModifier, outside);
    QTest::mouseClick(paper(), Qt::LeftButton, Qt::NoModifier, pixel(1, 1) - QPoint(20, -20));
    ASSERT_TRUE(all.done());
    // None of them lies inside the grid's rectangle: all stay, and the history takes no empty step.
    EXPECT_EQ(p.nodes, before);
    EXPECT_EQ(doc.undoStack()->count(), steps);
}

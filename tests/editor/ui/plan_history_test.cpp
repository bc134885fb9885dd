// The program as main.cpp builds it (document, main window, input screen, mouse editing), driven
// with QTest: every kind of plan edit is one step of the history that undo and redo walk back and
// forth, with the dirty state and the drawn plan following; Esc and the plan's right click.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolTip>
#include <QTreeWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "document/project_document.h"
#include "editor/coords.h"
#include "editor/ui/input_screen.h"
#include "editor/ui/n_value_overlay.h"
#include "editor/ui/paper.h"
#include "editor/ui/placement_overlay.h"
#include "editor/ui/plan_editing.h"
#include "calc/ui/wall_commands.h"
#include "shell/ui/main_form.h"
#include "calc/n_value.h"
#include "model/project_file.h"
#include "common/number_format.h"
#include "report/result_table.h"
#include "support/calculated.h"
#include "support/writable_project.h"

using namespace rqx;

namespace {

// Answers every message box with OK and every pop-up menu with the item of `menuChoice` (closing
// it when there is none), recording the menus' items.
struct Answerer {
    QString menuChoice;
    QList<QStringList> menus;
    QTimer timer;
    Answerer()
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Ok)->click();
            if (auto *m = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                QStringList items;
                QAction *chosen = nullptr;
                for (QAction *a : m->actions()) {
                    items << a->text();
                    if (!menuChoice.isEmpty() && a->text() == menuChoice)
                        chosen = a;
                }
                menus << items;
                if (chosen) {
                    m->setActiveAction(chosen);
                    QTest::keyClick(m, Qt::Key_Return);
                } else {
                    m->close();
                }
            }
        });
        timer.start();
    }
};

struct PlanHistoryTest : ::testing::Test {
    AppState state;
    std::unique_ptr<ProjectDocument> doc;
    std::unique_ptr<MainForm> form;
    EditorState ed;
    InputScreen *screen = nullptr;
    Project *p = nullptr;

    void SetUp() override
    {
        state.programDir = QDir::tempPath();
        doc = std::make_unique<ProjectDocument>();
        form = std::make_unique<MainForm>(*doc, state);
        p = &rqx::test::Writable(*doc);
        p->info.floorCount = 2;
        p->info.divisions = 2;
        p->info.moduleLength = 0.91f;
        p->info.spanCountX = 12;
        p->info.spanCountY = 8;
        ResetProject(*p);
        for (int i = 1; i <= 13; ++i)
            p->grid.lineNameX[i] = QStringLiteral("X%1").arg(i);
        for (int j = 1; j <= 9; ++j)
            p->grid.lineNameY[j] = QStringLiteral("Y%1").arg(j);
        screen = new InputScreen(*doc, ed);
        form->setInputScreen(screen);
        new PlanEditing(screen);
        form->resize(1200, 860);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();  // shortcuts reach the active window only
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        doc->replaceProject(*p);
        QCoreApplication::processEvents();
    }

    Paper *paper() const { return screen->paper(); }
    QPoint pixel(int ix, int iy) const
    {
        const ScreenPoint t = nodeToScreen(*p, ed.fit, ix, iy);
        return paper()->surface().toPixel(t.x, t.y);
    }
    void clickAt(int ix, int iy, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseMove(paper(), pixel(ix, iy));
        QTest::mouseClick(paper(), button, Qt::NoModifier, pixel(ix, iy));
    }
    void drag(int x1, int y1, int x2, int y2, Qt::MouseButton second = Qt::LeftButton)
    {
        clickAt(x1, y1);
        QTest::mouseMove(paper(), pixel(x2, y2));
        clickAt(x2, y2, second);
    }
    void tool(Tool t, const QString &treeKey = QString())
    {
        screen->chooseTool(t);
        if (!treeKey.isEmpty())
            screen->chooseTreeNode(treeKey);
    }
    QImage picture() const { return paper()->surface().image().copy(); }
    // Pixels where the plan as drawn step by step differs from the plan drawn whole. A wall is drawn
    // over its whole length, so a region drawn again can leave a pixel or two where a wall reaching
    // out of it crosses a beam of the next node; a step not drawn at all differs by thousands.
    int strayPixels()
    {
        const QImage stepwise = picture();
        screen->redrawPlan();
        const QImage whole = picture();
        int n = 0;
        for (int y = 0; y < stepwise.height(); ++y)
            for (int x = 0; x < stepwise.width(); ++x)
                n += stepwise.pixel(x, y) != whole.pixel(x, y);
        return n;
    }
};

TEST_F(PlanHistoryTest, EveryEditIsOneStepThatUndoAndRedoWalkWithTheDirtyStateAndTheDrawing)
{
    Answerer answers;
    struct Edit {
        const char *what;
        std::function<void()> act;
    };
    const std::vector<Edit> edits = {
        {"floor span",
         [&] {
             tool(kToolFloor, QStringLiteral("Slab1"));
             drag(1, 1, 7, 5);
         }},
        {"brace span",
         [&] {
             tool(kToolWall, QStringLiteral("Tasuki2"));
             drag(1, 1, 7, 1);
         }},
        {"board span",
         [&] {
             tool(kToolWall, QStringLiteral("Menzai3"));
             drag(1, 5, 1, 1);
         }},
        {"column click",
         [&] {
             tool(kToolColumn, QStringLiteral("通し柱"));
             clickAt(4, 3);
         }},
        {"beam span",
         [&] {
             tool(kToolBeam);
             drag(1, 3, 7, 3);
         }},
        {"replacement",  // a single brace over the cross brace of the same extent
         [&] {
             tool(kToolWall, QStringLiteral("Kesa1"));
             drag(7, 1, 1, 1);
         }},
        {"menu deletion",
         [&] {
             tool(kToolBeam);
             answers.menuChoice = QStringLiteral("削除");
             drag(1, 3, 4, 3, Qt::RightButton);
             answers.menuChoice.clear();
         }},
        {"group delete",
         [&] {
             tool(kToolWall, QStringLiteral("Kesa1"));
             screen->clickDeleteToggle(1);
             // Corners a quarter span outside nodes (1, 1) and (13, 9): every brace goes.
             const QPoint a = pixel(1, 1) - (pixel(2, 2) - pixel(1, 1)) / 4;
             const QPoint b = pixel(13, 9) + (pixel(2, 2) - pixel(1, 1)) / 4;
             QTest::mouseClick(paper(), Qt::LeftButton, Qt::NoModifier, a);
             QTest::mouseMove(paper(), b);
             QTest::mouseClick(paper(), Qt::LeftButton, Qt::NoModifier, b);
             screen->clickDeleteToggle(1);
         }},
    };
    doc->markSaved();
    std::vector<NodeArray> states{p->nodes};
    for (const Edit &e : edits) {
        e.act();
        EXPECT_FALSE(p->nodes == states.back()) << e.what;
        EXPECT_EQ(doc->undoStack()->count(), static_cast<int>(states.size())) << e.what;
        states.push_back(p->nodes);
        EXPECT_LE(strayPixels(), 4) << e.what;
    }
    EXPECT_TRUE(doc->isDirty());
    QAction *undo = form->toolbarAction(QStringLiteral("Undo"));
    EXPECT_TRUE(undo->isEnabled());
    // The boxes and menus answered on the way took the activation: shortcuts need it back.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    // Back to the start by the toolbar and Ctrl+Z in turn: each step restores the records before it
    // and draws them; at the start the project is unchanged again.
    for (std::size_t k = states.size() - 1; k > 0; --k) {
        if (k % 2)
            undo->trigger();
        else
            QTest::keySequence(form.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        EXPECT_TRUE(p->nodes == states[k - 1]) << edits[k - 1].what;
        EXPECT_LE(strayPixels(), 4) << edits[k - 1].what;
        EXPECT_EQ(doc->isDirty(), k > 1) << edits[k - 1].what;
    }
    EXPECT_FALSE(undo->isEnabled());
    // Forward again by Ctrl+Y and Ctrl+Shift+Z.
    for (std::size_t k = 1; k < states.size(); ++k) {
        QTest::keySequence(form.get(), k % 2 ? QKeySequence(Qt::CTRL | Qt::Key_Y)
                                             : QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        EXPECT_TRUE(p->nodes == states[k]) << edits[k - 1].what;
        EXPECT_LE(strayPixels(), 4) << edits[k - 1].what;
    }
    EXPECT_FALSE(form->redoAction()->isEnabled());
    // A new edit after an undo drops the steps ahead of it.
    undo->trigger();
    tool(kToolColumn, QStringLiteral("管柱"));
    clickAt(10, 7);
    EXPECT_FALSE(doc->canRedo());
    EXPECT_EQ(doc->undoStack()->count(), static_cast<int>(edits.size()));
}

TEST_F(PlanHistoryTest, EscEndsASpanAndTheRightClickOffTheGridShowsOnlyTheZoomMenu)
{
    tool(kToolWall, QStringLiteral("Kesa1"));
    clickAt(2, 2);
    QTest::mouseMove(paper(), pixel(6, 2));
    ASSERT_EQ(ed.span.dragState, SpanStage::FirstPointTaken);
    ASSERT_EQ(paper()->rubberBandsShown(), 1);
    QTest::keyClick(paper(), Qt::Key_Escape);
    EXPECT_EQ(ed.span.dragState, SpanStage::Idle);
    EXPECT_EQ(paper()->rubberBandsShown(), 0);
    EXPECT_FALSE(screen->cancelButton()->isEnabled());
    EXPECT_EQ(doc->undoStack()->count(), 0);

    // Zoomed in and scrolled to the far corner, which lies outside the grid.
    screen->chooseZoom(QStringLiteral("200(%)"));
    QScrollArea *view = screen->viewport();
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    const QPoint corner(paper()->width() - 6, paper()->height() - 6);
    ASSERT_FALSE(
        snapToNode(*p, ed.fit, ed.editMode, paper()->toTwips(corner).x(), paper()->toTwips(corner).y())
            .inGrid);
    Answerer answers;
    // The press, then the context-menu event the platform sends after it (through the application,
    // which hands an unwanted one on to the parents: the main window would show its toolbar menu).
    QTest::mouseClick(paper(), Qt::RightButton, Qt::NoModifier, corner);
    QContextMenuEvent context(QContextMenuEvent::Mouse, corner, paper()->mapToGlobal(corner));
    QApplication::sendEvent(paper(), &context);
    QTest::qWait(30);
    ASSERT_EQ(answers.menus.size(), 1);
    EXPECT_EQ(answers.menus[0], [&] {
        QStringList items;
        for (QAction *a : screen->zoomMenu()->actions())
            items << a->text();
        return items;
    }());
    EXPECT_FALSE(form->toolBar()->toggleViewAction()->isVisible());
    EXPECT_TRUE(form->toolBar()->isVisible());
}

TEST_F(PlanHistoryTest, PositionLabelsFollowAReplacedProjectBeforeThePointerMoves)
{
    QCursor::setPos(paper()->mapToGlobal(pixel(5, 7)));
    QTest::mouseMove(paper(), pixel(5, 7));
    ASSERT_EQ(screen->positionLabel(0)->text(), QStringLiteral("X5"));
    for (int i = 1; i <= 13; ++i)
        p->grid.lineNameX[i] = QStringLiteral("い%1").arg(i);
    doc->replaceProject(*p);  // as after Open, the pointer still
    EXPECT_EQ(screen->positionLabel(0)->text(), QStringLiteral("い5"));
    EXPECT_EQ(screen->positionLabel(1)->text(), QStringLiteral("Y7"));
}

// Undo and redo of a step made on the storey not shown bring that storey and that tool on screen
// before the change, so the designer sees it; the status bar names the step.
TEST_F(PlanHistoryTest, UndoAndRedoShowTheStoreyAndToolOfTheirStep)
{
    Answerer answers;
    screen->chooseFloor(2);
    tool(kToolWall, QStringLiteral("Kesa3"));
    drag(3, 2, 7, 2);
    ASSERT_EQ(p->nodes(4, 2, 2).brace[kDirX].kind, 3);
    tool(kToolWall, QStringLiteral("Menzai2"));  // another kind of wall chosen since
    screen->chooseFloor(1);
    tool(kToolColumn, QStringLiteral("管柱"));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    QTest::keySequence(form.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(screen->currentFloor(), 2);
    EXPECT_EQ(ed.currentTool, kToolWall);
    EXPECT_EQ(ed.selectedNodeKey[kToolWall], QStringLiteral("Kesa3"));  // the tree shows the brace's kind
    EXPECT_EQ(screen->tree()->currentItem()->text(0), QStringLiteral("45×90 (2.0)"));
    EXPECT_EQ(p->nodes(4, 2, 2).brace[kDirX].kind, 0);
    EXPECT_LE(strayPixels(), 4);  // the storey on screen is drawn without the brace
    EXPECT_EQ(form->statusBar()->currentMessage(), QStringLiteral("元に戻す: 耐力壁入力"));

    screen->chooseFloor(1);
    tool(kToolFloor);
    QTest::keySequence(form.get(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_EQ(screen->currentFloor(), 2);
    EXPECT_EQ(ed.currentTool, kToolWall);
    EXPECT_EQ(p->nodes(4, 2, 2).brace[kDirX].kind, 3);
    EXPECT_LE(strayPixels(), 4);
    EXPECT_EQ(form->statusBar()->currentMessage(), QStringLiteral("やり直し: 耐力壁入力"));
    // A new edit: the note of the redo goes.
    drag(3, 4, 7, 4);
    ASSERT_EQ(p->nodes(4, 4, 2).brace[kDirX].kind, 3);
    EXPECT_TRUE(form->statusBar()->currentMessage().isEmpty()) << form->statusBar()->currentMessage().toStdString();
}

// The window cannot be made smaller than its panels need: at its minimum size no control of the input
// screen lies on another or is squeezed below its own minimum, nor is any panel of the status bar.
TEST_F(PlanHistoryTest, AtItsMinimumSizeNoPanelOverlapsAnother)
{
    tool(kToolWall);  // the tallest tree
    form->resize(form->minimumSize());
    QApplication::processEvents();
    EXPECT_GE(form->minimumWidth(), 640);
    EXPECT_GE(form->minimumHeight(), 480);
    std::vector<QWidget *> controls;
    for (QWidget *w : screen->findChildren<QWidget *>())
        if (w->isVisible() && w != screen->viewport() && !screen->viewport()->isAncestorOf(w) &&
            !screen->tree()->isAncestorOf(w) && !screen->zoomCombo()->isAncestorOf(w))
            controls.push_back(w);
    for (QWidget *w : form->statusBar()->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisible())
            controls.push_back(w);
    ASSERT_GT(controls.size(), 15u);
    for (size_t a = 0; a < controls.size(); ++a) {
        const QWidget *w = controls[a];
        SCOPED_TRACE(w->objectName().toStdString() + " " + w->metaObject()->className());
        EXPECT_GE(w->height(), w->minimumSizeHint().height());
        EXPECT_GE(w->width(), std::min(w->minimumSizeHint().width(), 100));
        for (size_t b = a + 1; b < controls.size(); ++b)
            if (controls[b]->parentWidget() == w->parentWidget())
                EXPECT_FALSE(w->geometry().intersects(controls[b]->geometry())) << controls[b]->objectName().toStdString();
    }
}

// With the N values shown, a wall drawn next to a column changes the class drawn at it to what a
// fresh calculation of the saved file gives; hovering the column shows its entries of the result
// table; showing the values is no edit.
TEST_F(PlanHistoryTest, NValuesOnThePlanFollowEveryEditAndExplainThemselves)
{
    Answerer answers;
    tool(kToolFloor, QStringLiteral("Slab1"));
    drag(1, 1, 9, 7);
    tool(kToolColumn, QStringLiteral("管柱"));
    clickAt(1, 1);
    const int steps = doc->undoStack()->count();
    const bool dirty = doc->isDirty();
    NValueOverlay &values = screen->nValues();
    values.toggleAction()->trigger();
    ASSERT_TRUE(values.shown());
    EXPECT_EQ(doc->undoStack()->count(), steps);
    EXPECT_EQ(doc->isDirty(), dirty);

    // The text drawn at column (ix, iy) on the last paint of the whole plan.
    auto drawnAt = [&](int ix, int iy) {
        QCoreApplication::processEvents();  // the values follow the edit after it is drawn
        paper()->repaint();
        for (const DrawnNText &t : values.drawnTexts())
            if (t.ix == ix && t.iy == iy)
                return t.text;
        return QString();
    };
    // The class and N of a fresh calculation of the bytes a save writes.
    auto expectedAt = [&](int ix, int iy) {
        Project fresh;
        EXPECT_TRUE(ParseProject(doc->saveBytes(), fresh));
        Calculation c = test::Calculated(fresh);
        const ColumnResult &r = c.results(ix, iy, 1);
        return fresh.nodes(ix, iy, 1).hardware[0] + QLatin1Char(' ') +
               FormatFixed(std::max(TotalN(r, kDirX), TotalN(r, kDirY)), 2);
    };
    const QString before = drawnAt(1, 1);
    EXPECT_EQ(before, expectedAt(1, 1));

    // A 2.5 board wall from the corner column along X: the corner now pulls out.
    tool(kToolWall, QStringLiteral("Menzai3"));
    drag(1, 1, 5, 1);
    const QString after = drawnAt(1, 1);
    EXPECT_EQ(after, expectedAt(1, 1));
    EXPECT_NE(after, before);
    EXPECT_FALSE(drawnAt(5, 1).isEmpty());  // the column the wall's end brought
    EXPECT_LE(strayPixels(), 4);            // the calculation changed nothing the plan draws

    // Hovering the column: the result table's entries of it.
    const QPoint at = pixel(1, 1);
    QHelpEvent help(QEvent::ToolTip, at, paper()->mapToGlobal(at));
    QApplication::sendEvent(paper(), &help);
    EXPECT_EQ(QToolTip::text(), ColumnResultText(doc->project(), doc->calculation(), 1, 1, 1));
    EXPECT_TRUE(QToolTip::text().contains(after.section(QLatin1Char(' '), 1)));

    // The undo of the wall puts the old value back.
    form->toolbarAction(QStringLiteral("Undo"))->trigger();
    EXPECT_EQ(drawnAt(1, 1), before);

    // A grid shrunk under the values and its undo: the marks follow the grid of the moment.
    tool(kToolColumn, QStringLiteral("管柱"));
    clickAt(9, 7);
    ASSERT_FALSE(drawnAt(9, 7).isEmpty());
    doc->resizeGrid(3, 2, p->info.moduleLength);
    drawnAt(1, 1);
    for (const DrawnNText &t : values.drawnTexts())
        EXPECT_TRUE(t.ix <= 7 && t.iy <= 5) << t.ix << ", " << t.iy;
    form->toolbarAction(QStringLiteral("Undo"))->trigger();
    EXPECT_FALSE(drawnAt(9, 7).isEmpty());
    values.toggleAction()->trigger();
    EXPECT_TRUE(drawnAt(1, 1).isEmpty());
}

}  // namespace

namespace {

// The calculation is a function of a project value: a copy calculated on another thread while the window
// goes on editing gives exactly what the copy gives on this thread, and the window's edits are its own.
TEST_F(PlanHistoryTest, ACopyIsCalculatedOnAnotherThreadWhileTheWindowEdits)
{
    tool(kToolFloor, QStringLiteral("Slab1"));
    drag(1, 1, 9, 7);
    tool(kToolWall, QStringLiteral("Menzai3"));
    drag(1, 1, 9, 1);
    const Project copy = doc->project();
    std::atomic<bool> started = false;
    Calculation onWorker;
    std::thread worker([&] {
        started = true;
        for (int round = 0; round < 3; ++round)
            onWorker = Calculate(copy);
    });
    while (!started)
        std::this_thread::yield();
    tool(kToolWall, QStringLiteral("Menzai3"));
    drag(1, 7, 9, 7);
    drag(1, 1, 1, 7);
    tool(kToolColumn, QStringLiteral("管柱"));
    clickAt(5, 4);
    worker.join();

    const Calculation here = Calculate(copy);
    EXPECT_EQ(onWorker.results.count(), here.results.count());
    EXPECT_TRUE(std::equal(onWorker.results.begin(), onWorker.results.end(), here.results.begin()));
    EXPECT_TRUE(
        std::equal(onWorker.requiredClass.begin(), onWorker.requiredClass.end(), here.requiredClass.begin()));
    EXPECT_EQ(onWorker.beamTerms, here.beamTerms);
    EXPECT_EQ(onWorker.crossTerms, here.crossTerms);
    // The window's project went on: the worker's copy has neither the walls nor the column drawn since.
    EXPECT_EQ(copy.nodes(5, 4, 1).columnKind, 0);
    EXPECT_GT(doc->project().nodes(5, 4, 1).columnKind, 0);
    EXPECT_NE(Calculate(doc->project()).columnCount[1], here.columnCount[1]);
}

// With the wall placement shown, the side portions of the storey on screen take the state of a fresh
// check after every edit, undo and redo, lie where the plan draws their lines, and showing them is no
// edit. A wall along Y at the left edge fills the left portion; the right one stays failing.
TEST_F(PlanHistoryTest, WallPlacementTintFollowsEditsAndUndo)
{
    Answerer answers;
    WallInputs in;
    in.lw = {30.0, 20.0, 15.0};
    ASSERT_TRUE(doc->setWallInputs(in));
    tool(kToolFloor, QStringLiteral("Slab1"));
    drag(1, 1, 13, 9);
    const int steps = doc->undoStack()->count();
    PlacementOverlay &overlay = screen->placement();
    overlay.toggleAction()->trigger();
    ASSERT_TRUE(overlay.shown());
    EXPECT_EQ(doc->undoStack()->count(), steps);
    PlacementStatusPanel panel(*doc);

    auto states = [&](int direction) {
        QCoreApplication::processEvents();  // the tint follows the edit after it is drawn
        std::vector<PortionState> out;
        for (const PlacementOverlay::Tint &t : overlay.tints())
            if (t.direction == direction)
                out.push_back(t.state);
        return out;
    };
    using S = std::vector<PortionState>;
    EXPECT_EQ(states(kDirY), (S{PortionState::Failing, PortionState::Failing}));
    EXPECT_TRUE(panel.showsFailing());
    // The left Y portion spans the first quarter of the footprint: 1.365 m, from node 1 to node 4.
    for (const PlacementOverlay::Tint &t : overlay.tints())
        if (t.direction == kDirY && t.side == 1) {
            EXPECT_NEAR(t.box.left(), pixel(1, 1).x(), 1.5);
            EXPECT_NEAR(t.box.right(), pixel(4, 1).x(), 1.5);
        }

    tool(kToolWall, QStringLiteral("Menzai3"));
    drag(1, 1, 1, 9);
    ASSERT_NE(doc->project().nodes(1, 1, 1).board[kDirY].kind, 0);
    EXPECT_EQ(states(kDirY), (S{PortionState::Enough, PortionState::Failing}));
    EXPECT_EQ(overlay.tints().size(), 4u);
    form->toolbarAction(QStringLiteral("Undo"))->trigger();
    EXPECT_EQ(states(kDirY), (S{PortionState::Failing, PortionState::Failing}));
    form->toolbarAction(QStringLiteral("Redo"))->trigger();
    EXPECT_EQ(states(kDirY), (S{PortionState::Enough, PortionState::Failing}));
    EXPECT_TRUE(panel.text().contains(QStringLiteral("Y NG"))) << panel.text().toStdString();

    // Hidden: nothing is painted, and the project never changed by showing it.
    const bool dirty = doc->isDirty();
    overlay.toggleAction()->trigger();
    EXPECT_TRUE(overlay.tints().empty());
    EXPECT_EQ(doc->isDirty(), dirty);
}

}  // namespace

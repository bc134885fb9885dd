// The input screen as the designer works it: tree after every tool and floor switch, multipliers,
// delete toggles, the overlay switch, zoom, layout, position labels, rubber band and "全部材表示".
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>

#include <tuple>

#include <gtest/gtest.h>

#include "editor/column_n_marks.h"
#include "editor/coords.h"
#include "editor/plan_render.h"
#include "document/project_document.h"
#include "editor/ui/input_screen.h"
#include "editor/ui/n_value_overlay.h"
#include "editor/ui/paper.h"
#include "support/generated_houses.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"
#include "support/writable_project.h"

namespace rqx {
namespace {

void MoveTo(QWidget *w, QPoint pos)
{
    QMouseEvent ev(QEvent::MouseMove, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

struct Screen {
    ProjectDocument doc;
    Project &project = rqx::test::Writable(doc);
    EditorState editor;
    std::unique_ptr<InputScreen> w;

    explicit Screen(Project p = samples::SmallTwoStoreyHouse())
    {
        doc.replaceProject(std::move(p));
        w = std::make_unique<InputScreen>(doc, editor);
        w->resize(1200, 800);
        w->show();
        QApplication::processEvents();
    }
    QStringList treeTexts() const
    {
        QStringList t;
        for (QTreeWidgetItemIterator it(w->tree()); *it; ++it)
            t << (*it)->text(0);
        return t;
    }
    QString current() const
    {
        return w->tree()->currentItem() ? w->tree()->currentItem()->text(0) : QString();
    }
    int count(QRgb c) const
    {
        const QImage &img = w->paper()->surface().image();
        int n = 0;
        for (int y = 0; y < img.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < img.width(); ++x)
                n += (line[x] | 0xFF000000u) == c;
        }
        return n;
    }
};

TEST(InputScreenTest, OpensOnTheFloorToolOfTheFirstStorey)
{
    Screen s;
    EXPECT_EQ(s.editor.currentTool, kToolFloor);
    EXPECT_EQ(s.w->currentFloor(), 1);
    EXPECT_TRUE(s.w->toolButton(0)->isChecked());
    EXPECT_TRUE(s.w->floorButton(0)->isChecked());
    EXPECT_EQ(s.w->floorButton(0)->text(), QStringLiteral("１階 床"));
    EXPECT_EQ(s.w->floorButton(1)->text(), QStringLiteral("２階 床"));
    EXPECT_EQ(s.w->floorLabel()->text(), QStringLiteral("１階"));
    EXPECT_EQ(s.treeTexts(), QStringList{"床"});
    EXPECT_EQ(s.current(), QStringLiteral("床"));
    EXPECT_EQ(s.editor.linkColumnsAndBeams, 1);
    EXPECT_TRUE(s.w->linkCheck()->isChecked());
    EXPECT_FALSE(s.w->deleteBothCheck()->isEnabled());
    EXPECT_FALSE(s.w->otherFloorCheck()->isEnabled());
    EXPECT_EQ(s.w->otherFloorCheck()->text(), QStringLiteral("上階耐力壁表示"));
    EXPECT_FALSE(s.w->cancelButton()->isEnabled());
    EXPECT_EQ(s.w->zoomCombo()->currentText(), QStringLiteral("全体表示"));
    // At zoom 1 the plan surface is the viewport less 60 twips (4 pixels) each way.
    const QSize vp = s.w->viewport()->maximumViewportSize();
    EXPECT_EQ(s.w->paper()->size(), vp - QSize(4, 4));
    EXPECT_EQ(s.w->paper()->surface().image().size(), vp - QSize(4, 4));
    EXPECT_GT(s.count(QBColor(kQBBlue)), 1000);  // the floors, drawn
}

TEST(InputScreenTest, TreeFollowsEveryToolAndFloorSwitch)
{
    Screen s;
    s.w->chooseFloor(2);
    EXPECT_EQ(s.treeTexts(), (QStringList{"床", "吹き抜け"}));
    s.w->chooseTreeNode(QStringLiteral("吹き抜け"));
    EXPECT_EQ(s.editor.memberKey, kKeySlab2);
    EXPECT_EQ(s.editor.selectedItem[1], 2);
    s.w->chooseFloor(1);  // the first storey has no void: "床" again
    EXPECT_EQ(s.treeTexts(), QStringList{"床"});
    EXPECT_EQ(s.current(), QStringLiteral("床"));
    EXPECT_EQ(s.editor.memberKey, kKeySlab1);
    EXPECT_EQ(s.editor.selectedItem[1], 1);

    s.w->chooseTool(kToolWall);
    EXPECT_EQ(s.treeTexts().size(), 21);
    EXPECT_EQ(s.current(), QStringLiteral("15×90 (1.0)"));
    EXPECT_EQ(s.editor.memberKey, kKeyKesa);
    for (int i = 0; i < s.w->tree()->topLevelItemCount(); ++i)
        EXPECT_TRUE(s.w->tree()->topLevelItem(i)->isExpanded());
    EXPECT_EQ(s.w->floorButton(0)->text(), QStringLiteral("１階 耐力壁"));
    s.w->chooseTreeNode(QStringLiteral("Tasuki4"));
    EXPECT_EQ(s.current(), QStringLiteral("90×90 (5.0)"));
    EXPECT_FLOAT_EQ(s.editor.multiplier, 5.0f);
    EXPECT_EQ(s.editor.memberKey, kKeyTasuki);
    s.w->chooseFloor(2);  // the wall tree is not rebuilt by a floor change
    EXPECT_EQ(s.current(), QStringLiteral("90×90 (5.0)"));

    s.w->chooseTool(kToolColumn);
    EXPECT_EQ(s.treeTexts(), (QStringList{"管柱", "通し柱"}));
    EXPECT_EQ(s.current(), QStringLiteral("管柱"));  // forced on the second storey
    s.w->chooseFloor(1);
    s.w->chooseTreeNode(QStringLiteral("通し柱"));
    EXPECT_EQ(s.editor.memberKey, kKeyCol2);
    s.w->chooseTool(kToolFloor);
    s.w->chooseTool(kToolColumn);
    EXPECT_EQ(s.current(), QStringLiteral("通し柱"));  // kept on the first storey
    s.w->chooseFloor(2);
    EXPECT_EQ(s.current(), QStringLiteral("管柱"));
    EXPECT_EQ(s.editor.selectedItem[3], 1);
    EXPECT_EQ(s.editor.selectedNodeKey[3], QStringLiteral("管柱"));

    s.w->chooseTool(kToolBeam);
    EXPECT_FALSE(s.w->tree()->isVisible());
    EXPECT_EQ(s.editor.selectedItem[4], 1);
    EXPECT_EQ(s.w->floorButton(0)->text(), QStringLiteral("２階 床梁"));
    EXPECT_EQ(s.w->floorButton(1)->text(), QStringLiteral("２階 小屋梁"));
    s.w->chooseTool(kToolWall);
    EXPECT_TRUE(s.w->tree()->isVisible());
    EXPECT_EQ(s.current(), QStringLiteral("90×90 (5.0)"));
    EXPECT_FLOAT_EQ(s.editor.multiplier, 5.0f);
}

TEST(InputScreenTest, OneStoreyHouseHasOnlyTheFirstFloorButton)
{
    Screen s(samples::NewProject(20, 20, 1, 2, samples::LineNames::kNumbered));
    s.w->chooseTool(kToolBeam);
    EXPECT_EQ(s.w->floorButton(0)->text(), QStringLiteral("１階 小屋梁"));
    EXPECT_FALSE(s.w->floorButton(1)->isEnabled());
    s.w->chooseFloor(2);
    EXPECT_EQ(s.w->currentFloor(), 1);
}

TEST(InputScreenTest, DeleteTogglesExcludeEachOtherAndMarkTheMode)
{
    Screen s;
    s.w->chooseTool(kToolWall);
    QSignalSpy modes(s.w.get(), &InputScreen::editModeChanged);
    s.w->clickDeleteToggle(0);
    EXPECT_EQ(s.editor.editMode, kModeDelete);
    EXPECT_EQ(s.w->deleteToggle(0)->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
    EXPECT_EQ(s.w->deleteToggle(1)->palette().color(QPalette::ButtonText), QColor(0, 0, 0));
    EXPECT_EQ(s.w->paper()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_FALSE(s.w->linkCheck()->isEnabled());
    EXPECT_TRUE(s.w->deleteBothCheck()->isEnabled());
    // Line names turn light red.
    // Only the 11 × 11 module grid points stay white: the names are light red now.
    EXPECT_EQ(s.count(QBColor(kQBWhite)), 121);
    EXPECT_GT(s.count(QBColor(kQBLightRed)), 100);

    s.w->clickDeleteToggle(1);  // グループ削除 while 削除 is down
    EXPECT_FALSE(s.w->deleteToggle(0)->isChecked());
    EXPECT_TRUE(s.w->deleteToggle(1)->isChecked());
    EXPECT_EQ(s.editor.editMode, kModeGroupDelete);
    EXPECT_EQ(s.w->deleteToggle(0)->palette().color(QPalette::ButtonText), QColor(0, 0, 0));
    EXPECT_EQ(s.w->deleteToggle(1)->palette().color(QPalette::ButtonText), QColor(255, 0, 0));

    // Another tool leaves delete mode, so its next clicks place; "筋かい・面材を同時に削除" belongs to
    // the wall tool.
    s.w->chooseTool(kToolColumn);
    EXPECT_FALSE(s.w->deleteBothCheck()->isEnabled());
    EXPECT_EQ(s.editor.editMode, kModePlace);
    EXPECT_FALSE(s.w->deleteToggle(1)->isChecked());
    EXPECT_TRUE(s.w->linkCheck()->isEnabled());
    EXPECT_NE(s.w->paper()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(s.count(QBColor(kQBLightRed)), 0);
    EXPECT_EQ(modes.count(), 3);
    // The same tool chosen again keeps the mode; the toggle releases it.
    s.w->clickDeleteToggle(0);
    s.w->chooseTool(kToolColumn);
    EXPECT_EQ(s.editor.editMode, kModeDelete);
    s.w->clickDeleteToggle(0);
    EXPECT_EQ(s.editor.editMode, kModePlace);
    EXPECT_EQ(modes.count(), 5);

    s.w->deleteBothCheck()->setChecked(true);
    EXPECT_EQ(s.editor.deleteBothKinds, 1);
    s.w->linkCheck()->setChecked(false);
    EXPECT_EQ(s.editor.linkColumnsAndBeams, 0);
}

TEST(InputScreenTest, OverlayCaptionAndPicture)
{
    Screen s;
    s.w->chooseTool(kToolColumn);
    EXPECT_TRUE(s.w->otherFloorCheck()->isEnabled());
    const QImage plain = s.w->paper()->surface().image().copy();
    const QRgb board4 = BoardColour(4);  // a board of the second storey, not on the first
    EXPECT_EQ(s.count(board4), 0);
    s.w->clickOtherFloor();
    EXPECT_EQ(s.editor.otherFloorShown, 1);
    EXPECT_TRUE(s.w->otherFloorCheck()->isChecked());
    EXPECT_EQ(s.w->otherFloorCheck()->text(), QStringLiteral("上階耐力壁消去"));
    EXPECT_GT(s.count(board4), 20);
    // The full redraw keeps it.
    s.w->redrawButton()->click();
    EXPECT_GT(s.count(board4), 20);
    s.w->clickOtherFloor();
    EXPECT_EQ(s.w->otherFloorCheck()->text(), QStringLiteral("上階耐力壁表示"));
    EXPECT_EQ(s.w->paper()->surface().image(), plain);

    // On the second storey it names the storey below; a tool change clears it.
    s.w->chooseFloor(2);
    EXPECT_EQ(s.w->otherFloorCheck()->text(), QStringLiteral("下階耐力壁表示"));
    s.w->clickOtherFloor();
    EXPECT_EQ(s.w->otherFloorCheck()->text(), QStringLiteral("下階耐力壁消去"));
    s.w->chooseTool(kToolWall);
    EXPECT_FALSE(s.w->otherFloorCheck()->isEnabled());
    EXPECT_FALSE(s.w->otherFloorCheck()->isChecked());
    EXPECT_EQ(s.editor.otherFloorShown, 0);
    EXPECT_EQ(s.w->otherFloorCheck()->text(), QStringLiteral("下階耐力壁表示"));
}

TEST(InputScreenTest, AFloorChangeShowsThatFloorAloneAndOffersTheOverlayAgain)
{
    Screen s;
    s.w->chooseTool(kToolColumn);
    const QRgb board5 = BoardColour(5);  // a board of the first storey only (palette 5)
    s.w->chooseFloor(2);
    const QImage plain = s.w->paper()->surface().image().copy();
    EXPECT_EQ(s.count(board5), 0);
    s.w->chooseFloor(1);
    s.w->clickOtherFloor();
    ASSERT_EQ(s.w->otherFloorCheck()->text(), QStringLiteral("上階耐力壁消去"));

    // The new floor's caption reads "…表示", so the switch is off and no overlay is on the picture.
    s.w->chooseFloor(2);
    EXPECT_EQ(s.w->otherFloorCheck()->text(), QStringLiteral("下階耐力壁表示"));
    EXPECT_FALSE(s.w->otherFloorCheck()->isChecked());
    EXPECT_EQ(s.editor.otherFloorShown, 0);
    EXPECT_EQ(s.w->paper()->surface().image(), plain);
    // One click shows the storey below.
    s.w->clickOtherFloor();
    EXPECT_EQ(s.w->otherFloorCheck()->text(), QStringLiteral("下階耐力壁消去"));
    EXPECT_GT(s.count(board5), 20);
}

TEST(InputScreenTest, ZoomResizesThePaperAndOnlyAChangeRedraws)
{
    Screen s;
    QSignalSpy redraws(s.w.get(), &InputScreen::planRedrawn);
    s.w->chooseZoom(QStringLiteral("全体表示"));
    EXPECT_EQ(redraws.count(), 0);
    const QSize vp = s.w->viewport()->maximumViewportSize();
    s.w->chooseZoom(QStringLiteral("200(%)"));
    EXPECT_EQ(redraws.count(), 1);
    EXPECT_FLOAT_EQ(s.editor.zoomFactor, 2.0f);
    EXPECT_EQ(s.w->paper()->size(), QSize(2 * vp.width() - 4, 2 * vp.height() - 4));
    s.w->chooseZoom(QStringLiteral("200(%)"));
    EXPECT_EQ(redraws.count(), 1);
    s.w->chooseZoom(QStringLiteral("175(%)"));  // not in the list: nothing happens
    EXPECT_EQ(redraws.count(), 1);

    // A window resize at a zoom other than 1 keeps the paper; at zoom 1 the paper follows.
    const QSize zoomed = s.w->paper()->size();
    s.w->resize(1100, 760);
    QApplication::processEvents();
    EXPECT_EQ(s.w->paper()->size(), zoomed);
    s.w->zoomMenu()->actions().at(0)->trigger();  // "全体表示" from the plan's menu
    EXPECT_EQ(s.w->zoomCombo()->currentText(), QStringLiteral("全体表示"));
    EXPECT_EQ(s.w->paper()->size(), s.w->viewport()->maximumViewportSize() - QSize(4, 4));
    const int before = static_cast<int>(redraws.count());
    s.w->resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(s.w->paper()->size(), s.w->viewport()->maximumViewportSize() - QSize(4, 4));
    EXPECT_GT(redraws.count(), before);
}

// The plan is drawn at one scale: a module is as many pixels along X as along Y whatever the window's
// shape, and the page is centred in the control.
TEST(InputScreenTest, APlanModuleIsAsWideAsItIsHighAtEveryWindowShape)
{
    Screen s;
    for (const QSize size : {QSize(1200, 800), QSize(1900, 600), QSize(700, 1000), QSize(900, 900)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        s.w->resize(size);
        QApplication::processEvents();
        const PlanSurface &surface = s.w->paper()->surface();
        const auto pixel = [&](int ix, int iy) {
            const ScreenPoint t = nodeToScreen(s.project, s.editor.fit, ix, iy);
            return surface.toPixel(t.x, t.y);
        };
        const int spans = 10;  // half the house's 20 × 20 grid
        const QPoint origin = pixel(1, 1);
        const int alongX = pixel(1 + spans, 1).x() - origin.x();
        const int alongY = origin.y() - pixel(1, 1 + spans).y();
        EXPECT_GT(alongX, 20);
        EXPECT_NEAR(alongX, alongY, 1);
        // Centred: the page's margins on both sides of the fuller direction differ by a pixel at most.
        const QPoint left = surface.toPixel(0, 0);
        const QPoint right = surface.toPixel(surface.scaleWidth(), surface.scaleHeight());
        EXPECT_NEAR(left.x(), surface.pixelWidth() - right.x(), 2);
        EXPECT_NEAR(left.y(), surface.pixelHeight() - right.y(), 2);
        EXPECT_TRUE(left.x() <= 1 || left.y() <= 1);  // as large as the control allows
    }
}

// Ctrl+wheel zooms step by step around the pointer: the page point under it stays under it.
TEST(InputScreenTest, CtrlWheelZoomsAroundThePointer)
{
    Screen s;
    QWidget *viewport = s.w->viewport()->viewport();
    const QPoint at(viewport->width() * 3 / 4, viewport->height() / 3);
    const auto pageAt = [&] {
        const QPoint p = s.w->paper()->mapFrom(viewport, at);
        const PlanSurface &surface = s.w->paper()->surface();
        return QPointF(surface.toTwipsX(p.x()), surface.toTwipsY(p.y()));
    };
    const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent e(QPointF(at), viewport->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &e);
    };
    const QPointF before = pageAt();
    for (const auto &[delta, zoom, text] : {std::tuple{120, 1.2f, "120(%)"}, std::tuple{120, 1.5f, "150(%)"},
                                            std::tuple{-120, 1.2f, "120(%)"}}) {
        wheel(delta, Qt::ControlModifier);
        EXPECT_FLOAT_EQ(s.editor.zoomFactor, zoom);
        EXPECT_EQ(s.w->zoomCombo()->currentText(), QString::fromLatin1(text));
        const QPointF after = pageAt();
        // Within two pixels of the page at this zoom.
        const double tolerance = 2.0 * s.w->paper()->surface().twipsPerPixelX();
        EXPECT_NEAR(after.x(), before.x(), tolerance);
        EXPECT_NEAR(after.y(), before.y(), tolerance);
    }
    wheel(-120, Qt::NoModifier);  // a plain wheel scrolls, never zooms
    EXPECT_FLOAT_EQ(s.editor.zoomFactor, 1.2f);
}

// N values on a dense plan: a text without a free quarter is left out alone; the others are shown, on
// no other text and no column.
TEST(InputScreenTest, ADenseHouseAt200PercentShowsTheValuesThatFit)
{
    Screen s(samples::GeneratedHouse(samples::HouseShape{12, 10, 4, 2, 0, 0}, 7));
    NValueOverlay &values = s.w->nValues();
    values.setShown(true);
    s.w->chooseZoom(QStringLiteral("200(%)"));
    values.refreshNow();
    const size_t count = values.marks().size();
    ASSERT_GT(count, 100u);
    const NMarkLayout layout =
        LayOutNMarksOnPlan(s.w->paper()->surface(), PlanInputs{s.project, s.editor, 1}, values.marks());
    const int shown = layout.shownCount();
    EXPECT_EQ(values.textsShown(), shown);
    EXPECT_FALSE(layout.fits) << "the house must be dense enough to leave some text without room";
    EXPECT_GT(shown, static_cast<int>(count) * 3 / 4) << shown << " of " << count;
    EXPECT_TRUE(values.statusNote().contains(QStringLiteral("一部の数値は拡大すると表示")));
    for (size_t a = 0; a < count; ++a) {
        if (!layout.shown[a])
            continue;
        for (size_t b = 0; b < count; ++b) {
            EXPECT_FALSE(b != a && layout.shown[b] && layout.textBoxes[a].intersects(layout.textBoxes[b]));
            EXPECT_FALSE(b != a && layout.textBoxes[a].intersects(layout.columnBoxes[b]));
        }
    }
}

TEST(InputScreenTest, PositionLabelsNameTheLinesUnderThePointer)
{
    Screen s;
    Paper *paper = s.w->paper();
    const PlanInputs in{s.project, s.editor, 1};
    const QPointF c = NodePoint(in, 5, 7);
    const QPoint px = paper->surface().planToPixel(c.x(), c.y());
    MoveTo(paper, px);
    EXPECT_EQ(s.w->positionLabel(0)->text(), s.project.grid.lineNameX[5]);
    EXPECT_EQ(s.w->positionLabel(1)->text(), s.project.grid.lineNameY[7]);
    EXPECT_FALSE(s.w->positionLabel(0)->text().isEmpty());
    MoveTo(paper, QPoint(3, 3));  // far outside the grid
    EXPECT_TRUE(s.w->positionLabel(0)->text().isEmpty());
    EXPECT_TRUE(s.w->positionLabel(1)->text().isEmpty());
}

TEST(InputScreenTest, RubberBandsComeOffAndSurviveARedraw)
{
    Screen s;
    Paper *paper = s.w->paper();
    const QImage plain = paper->surface().image().copy();
    const RubberBand line{2000, 3000, 9000, 3000, false, 15};
    const RubberBand rect{2000, 3000, 9000, 8000, true, 12};
    paper->xorRubberBand(line);
    paper->xorRubberBand(rect);
    EXPECT_EQ(paper->rubberBandsShown(), 2);
    EXPECT_NE(paper->surface().image(), plain);
    paper->xorRubberBand(line);  // drawn again: gone
    EXPECT_EQ(paper->rubberBandsShown(), 1);
    const QImage withRect = paper->surface().image().copy();
    s.w->redrawPlan();  // the band still shown comes back over the new picture
    EXPECT_EQ(paper->surface().image(), withRect);
    s.w->cancelSpan();
    EXPECT_EQ(paper->rubberBandsShown(), 0);
    EXPECT_EQ(paper->surface().image(), plain);
    EXPECT_FALSE(s.w->cancelButton()->isEnabled());
}

TEST(InputScreenTest, ShowAllMembersTogglesItsCaptionAndColours)
{
    Screen s;
    QMenu view;
    s.w->installViewMenu(&view);
    ASSERT_EQ(view.actions().size(), 3);  // and Ｎ値表示, 壁配置表示
    QAction *a = view.actions().at(0);
    EXPECT_EQ(a->text(), QStringLiteral("全部材表示(&A)"));
    EXPECT_GT(s.count(0xFF606060), 100);  // walls grey under the floor tool
    a->trigger();
    EXPECT_EQ(a->text(), QStringLiteral("全部材表示 解除"));
    EXPECT_EQ(s.editor.showAllMembers, 1);
    EXPECT_EQ(s.count(0xFF606060), 0);
    EXPECT_GT(s.count(QBColor(kQBLightMagenta)), 100);
    a->trigger();
    EXPECT_EQ(a->text(), QStringLiteral("全部材表示"));
    EXPECT_EQ(s.editor.showAllMembers, 0);
    EXPECT_EQ(s.count(QBColor(kQBLightMagenta)), 0);
}

TEST(InputScreenTest, StatusPanelsFollowTheProject)
{
    Screen s;
    QLabel l, c;
    s.w->attachStatusPanels(&l, &c);
    EXPECT_EQ(l.text(), QStringLiteral(" 『二年目施行』 による"));
    EXPECT_EQ(c.text(), QStringLiteral(" 考 慮"));
    // A new project: its options in the panels.
    s.project.grid.lCoefficientMode = 1;
    s.project.grid.crossBeamIgnored = 1;
    s.doc.replaceProject(s.project);
    EXPECT_EQ(l.text(), QStringLiteral(" ユーザー設定"));
    EXPECT_EQ(c.text(), QStringLiteral(" 非考慮"));
}

}  // namespace
}  // namespace rqx

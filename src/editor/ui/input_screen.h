#pragma once
// The plan input screen of the main window: tool and floor buttons, the member tree, the delete
// toggles and options, the overlay of the other storey's walls, redraw and cancel, the zoom, the two
// position labels and the plan surface in its scrolling viewport. The mouse protocol on the plan is
// attached from outside through mouseHost(), the Paper's pointer signals and setSpanCanceller().

#include <QWidget>

#include <memory>

#include <array>
#include <functional>

#include "editor/coords.h"
#include "editor/editor_state.h"
#include "editor/plan_mouse.h"
#include "model/project.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QTreeWidget;
class QTreeWidgetItem;

namespace rqx {

class NValueOverlay;
class PlacementOverlay;
class Paper;
class ProjectDocument;
struct NodeRegion;

class InputScreen : public QWidget {
    Q_OBJECT
public:
    // The screen of the open project: it follows what the document reports (replaced, grid resized,
    // settings changed, nodes changed by an edit, an undo or a redo) and its edits become steps of
    // the document's history.
    InputScreen(ProjectDocument &document, EditorState &editor, QWidget *parent = nullptr);
    ~InputScreen() override;

    ProjectDocument &document() const { return document_; }

    const Project &project() const { return project_; }
    // The storey being edited (1 or 2): the document's.
    int currentFloor() const;
    EditorState &editor() { return editor_; }
    Paper *paper() const { return paper_; }

    // ---- Drawing ----
    // Clears the plan, fits it, draws the line names, the whole plan and the overlay while shown.
    void redrawPlan();
    // Erases or draws the elements of a node rectangle (around an edit or an undo).
    void drawRegion(const NodeRect &rect, bool erase);

    // ---- For the mouse protocol ----
    // Window functions for the protocol of the plan surface (rubber band, menus, messages, redraws…).
    PlanMouseHost &mouseHost();
    // How a span in progress is ended (the protocol's cancel); without one the screen only resets the
    // span state and removes the rubber band.
    void setSpanCanceller(std::function<void()> cancel) { spanCanceller_ = std::move(cancel); }
    // Ends any span: the "ｷｬﾝｾﾙ" button, a change of tool, floor or mode, the zoom menu's "ｷｬﾝｾﾙ".
    void cancelSpan();
    void setCancelEnabled(bool on);
    void setPositionLabels(const QString &xName, const QString &yName);
    // The plan's right-click zoom menu at the pointer.
    void popupZoomMenu();
    bool deleteToggleDown() const;
    bool groupToggleDown() const;

    // ---- The main window ----
    // The status bar's panels of the two calculation options (L coefficient, orthogonal beams).
    void attachStatusPanels(QLabel *lCoefficient, QLabel *crossBeam);
    void refreshStatusPanels();
    // "全部材表示(&A)" and "Ｎ値表示(&D)" in the 表示 menu.
    void installViewMenu(QMenu *menu);
    // The N values shown on the plan while drawing.
    NValueOverlay &nValues() const { return *nValues_; }
    // The wall placement's tint ("壁配置表示(&W)" in the 表示 menu).
    PlacementOverlay &placement() const { return *placement_; }
    QAction *showAllAction() const { return showAllAction_; }
    // After New or Open replaced the project: the tool and floor stay, the rest follows the project.
    void projectReplaced();
    // After the grid size or the line names changed.
    void gridChanged();

    // ---- Controls, as the user works them (also used by the tests) ----
    void chooseTool(Tool tool);   // Option1(tool − 1)
    void chooseFloor(int floor);  // Option2(floor − 1)
    void chooseZoom(const QString &text);
    void chooseTreeNode(const QString &key);
    void clickDeleteToggle(int item);  // Check2(item)
    void clickOtherFloor();            // Check3
    void clickShowAllMembers();        // 全部材表示

    // Widgets, for the window's wiring and the tests.
    QPushButton *toolButton(int index) const { return toolButtons_[index]; }
    QPushButton *floorButton(int index) const { return floorButtons_[index]; }
    QTreeWidget *tree() const { return tree_; }
    QPushButton *deleteToggle(int index) const { return deleteToggles_[index]; }
    QCheckBox *linkCheck() const { return linkCheck_; }
    QCheckBox *deleteBothCheck() const { return deleteBothCheck_; }
    QCheckBox *otherFloorCheck() const { return otherFloorCheck_; }
    QPushButton *redrawButton() const { return redrawButton_; }
    QPushButton *cancelButton() const { return cancelButton_; }
    QComboBox *zoomCombo() const { return zoomCombo_; }
    QLabel *positionLabel(int index) const { return positionLabels_[index]; }
    QLabel *floorLabel() const { return floorLabel_; }
    QScrollArea *viewport() const { return scroll_; }
    QMenu *zoomMenu() const { return zoomMenu_; }

signals:
    // Every full redraw of the plan.
    void planRedrawn();
    void toolChanged(int tool);  // the Tool as its number
    void floorChanged(int floor);
    void editModeChanged(int mode);  // the EditMode as its number

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void onToolClicked(int index);
    void onFloorClicked(int index);
    void onTreeCurrentChanged(QTreeWidgetItem *current);
    void onDeleteToggled(int item);
    void onOtherFloorClicked();
    void onZoomChosen(const QString &text);
    // A zoom of the list keeping the page point under viewportPos where it is; `steps` up or down
    // the list from the zoom shown (Ctrl+wheel).
    void zoomAround(const QString &text, QPoint viewportPos);
    void zoomStep(int steps, QPoint viewportPos);
    void onViewportResized();
    void rebuildTree();
    void relabelFloorButtons();
    void applyModeLook();
    void redrawLineNames();
    void updatePointerLabels(int twipsX, int twipsY);
    // The labels for wherever the pointer is now (after the project under it changed).
    void updatePointerLabelsAtCursor();
    // An undo or redo of a step made elsewhere: its storey and tool come on screen first.
    void showStepView(int floor, int tool, const QString &treeKey);
    void onNodesAboutToChange(const NodeRegion &region);
    void onNodesChanged(const NodeRegion &region);
    bool oneStorey() const { return project_.dims.floorCount < 2; }

    void setFloor(int floor);

    class MouseHost;
    std::unique_ptr<MouseHost> mouseHost_;
    ProjectDocument &document_;
    const Project &project_;
    EditorState &editor_;

    std::array<QPushButton *, 4> toolButtons_{};
    std::array<QPushButton *, 2> floorButtons_{};
    QLabel *floorLabel_ = nullptr;
    QTreeWidget *tree_ = nullptr;
    std::array<QPushButton *, 2> deleteToggles_{};
    QCheckBox *linkCheck_ = nullptr;
    QCheckBox *deleteBothCheck_ = nullptr;
    QCheckBox *otherFloorCheck_ = nullptr;
    QPushButton *redrawButton_ = nullptr;
    QPushButton *cancelButton_ = nullptr;
    QComboBox *zoomCombo_ = nullptr;
    std::array<QLabel *, 2> positionLabels_{};
    QScrollArea *scroll_ = nullptr;
    Paper *paper_ = nullptr;
    QMenu *zoomMenu_ = nullptr;
    QAction *showAllAction_ = nullptr;
    std::unique_ptr<NValueOverlay> nValues_;
    std::unique_ptr<PlacementOverlay> placement_;
    QLabel *lCoefficientPanel_ = nullptr;
    QLabel *crossBeamPanel_ = nullptr;
    std::function<void()> spanCanceller_;
    bool rebuildingTree_ = false;
};

}  // namespace rqx

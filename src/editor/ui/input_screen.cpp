#include "editor/ui/input_screen.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QWheelEvent>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "editor/editor_commands.h"
#include "editor/member_tree.h"
#include "editor/plan_render.h"
#include "editor/qb_color.h"
#include "editor/ui/n_value_overlay.h"
#include "editor/ui/placement_overlay.h"
#include "editor/ui/paper.h"
#include "document/project_document.h"
#include "widgets/hand_cursor.h"
#include "widgets/message.h"
#include "common/shown_text.h"

// Resources of a static library are registered by name from outside any namespace.
static void InitEditorResources()
{
    Q_INIT_RESOURCE(editor);
}

namespace rqx {

namespace {

constexpr int kRoleKey = Qt::UserRole;
constexpr int kRoleKind = Qt::UserRole + 1;
constexpr int kRoleTag = Qt::UserRole + 2;
constexpr int kLeftPanelWidth = 190;
// The viewport stops 60 twips short of the right edge and 90 above the status bar.
constexpr int kViewportRightGap = 60 / kTwipsPerPixel;
constexpr int kViewportBottomGap = 90 / kTwipsPerPixel;

void SetCaptionColour(QPushButton *button, int qbColour)
{
    QPalette pal = button->palette();
    pal.setColor(QPalette::ButtonText, QColor::fromRgb(QBColor(qbColour)));
    button->setPalette(pal);
}

QPushButton *ToggleButton(const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setCheckable(true);
    return b;
}

}  // namespace

InputScreen::InputScreen(ProjectDocument &document, EditorState &editor, QWidget *parent)
    : QWidget(parent), document_(document), project_(document.project()), editor_(editor)
{
    InitEditorResources();
    InstallFontSubstitutions();
    if (currentFloor() < 1 || currentFloor() > 2 || (oneStorey() && currentFloor() == 2))
        setFloor(1);
    if (editor_.currentTool < kToolFloor || editor_.currentTool > kToolBeam)
        editor_.currentTool = kToolFloor;
    buildControls();
    nValues_ = std::make_unique<NValueOverlay>(document_, editor_, *paper_);
    placement_ = std::make_unique<PlacementOverlay>(document_, editor_, *paper_);
    editor_.linkColumnsAndBeams = linkCheck_->isChecked() ? 1 : 0;
    // The state the window opens with: the tool's buttons, tree and captions.
    floorButtons_[currentFloor() - 1]->setChecked(true);
    floorLabel_->setText(FloorLabelText(currentFloor()));
    otherFloorCheck_->setText(OtherFloorCaption(currentFloor(), editor_.otherFloorShown != 0));
    onToolClicked(static_cast<int>(editor_.currentTool) - 1);
    applyModeLook();
    ApplyHandCursor(this);  // buttons, option buttons and the zoom list
    connect(&document, &ProjectDocument::projectReplaced, this, &InputScreen::projectReplaced);
    connect(&document, &ProjectDocument::gridResized, this, &InputScreen::gridChanged);
    connect(&document, &ProjectDocument::settingsChanged, this, [this] {
        refreshStatusPanels();
        redrawPlan();
    });
    connect(&document, &ProjectDocument::aboutToSave, this, &InputScreen::cancelSpan);
    connect(&document, &ProjectDocument::aboutToStepHistory, this, &InputScreen::cancelSpan);
    connect(&document, &ProjectDocument::stepViewNeeded, this, &InputScreen::showStepView);
    connect(&document, &ProjectDocument::nodesAboutToChange, this, &InputScreen::onNodesAboutToChange);
    connect(&document, &ProjectDocument::nodesChanged, this, &InputScreen::onNodesChanged);
}

int InputScreen::currentFloor() const
{
    return document_.currentFloor();
}

void InputScreen::setFloor(int floor)
{
    document_.setCurrentFloor(floor);
}

// ---- Building the controls ----

void InputScreen::buildControls()
{
    auto *root = new QHBoxLayout(this);
    root->setContentsMargins(2, 2, kViewportRightGap, kViewportBottomGap);
    root->setSpacing(4);

    auto *left = new QWidget(this);
    left->setFixedWidth(kLeftPanelWidth);
    auto *col = new QVBoxLayout(left);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(4);

    // Tools (Option1).
    auto *toolBox = new QWidget(left);
    auto *toolGrid = new QGridLayout(toolBox);
    toolGrid->setContentsMargins(0, 0, 0, 0);
    toolGrid->setSpacing(2);
    auto *toolGroup = new QButtonGroup(this);
    const QString toolTexts[4] = {QStringLiteral("床"), QStringLiteral("耐力壁"), QStringLiteral("柱"),
                                  QStringLiteral("梁")};
    for (int i = 0; i < 4; ++i) {
        toolButtons_[i] = ToggleButton(toolTexts[i], toolBox);
        toolButtons_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        toolGroup->addButton(toolButtons_[i], i);
        toolGrid->addWidget(toolButtons_[i], i / 2, i % 2);
    }
    connect(toolGroup, &QButtonGroup::idClicked, this, &InputScreen::onToolClicked);
    col->addWidget(toolBox);

    // Floors (Option2) and the floor label.
    auto *floorBox = new QWidget(left);
    auto *floorRow = new QHBoxLayout(floorBox);
    floorRow->setContentsMargins(0, 0, 0, 0);
    floorRow->setSpacing(2);
    auto *floorGroup = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        floorButtons_[i] = ToggleButton(QString(), floorBox);
        floorButtons_[i]->setObjectName(QStringLiteral("Option2_%1").arg(i));
        floorGroup->addButton(floorButtons_[i], i);
        floorRow->addWidget(floorButtons_[i]);
    }
    connect(floorGroup, &QButtonGroup::idClicked, this, &InputScreen::onFloorClicked);
    col->addWidget(floorBox);
    floorLabel_ = new QLabel(left);
    floorLabel_->setObjectName(QStringLiteral("FloorLabel"));
    floorLabel_->setAlignment(Qt::AlignCenter);
    QFont big = floorLabel_->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    floorLabel_->setFont(big);
    col->addWidget(floorLabel_);

    // Member tree (SSTree1).
    tree_ = new QTreeWidget(left);
    tree_->setObjectName(QStringLiteral("SSTree1"));
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setRootIsDecorated(true);
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current, QTreeWidgetItem *) { onTreeCurrentChanged(current); });
    connect(tree_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item, int) { onTreeCurrentChanged(item); });
    col->addWidget(tree_, 1);
    col->addStretch(0);

    // Delete toggles (Check2).
    auto *toggleRow = new QHBoxLayout;
    toggleRow->setSpacing(2);
    deleteToggles_[0] = ToggleButton(QStringLiteral("削    除"), left);
    deleteToggles_[1] = ToggleButton(QStringLiteral("グループ削除"), left);
    for (int i = 0; i < 2; ++i) {
        deleteToggles_[i]->setObjectName(QStringLiteral("Check2_%1").arg(i));
        toggleRow->addWidget(deleteToggles_[i]);
        connect(deleteToggles_[i], &QPushButton::clicked, this, [this, i] { onDeleteToggled(i); });
    }
    col->addLayout(toggleRow);

    // Options (Check1) and the overlay switch (Check3).
    linkCheck_ = new QCheckBox(QStringLiteral("耐力壁と柱･梁配置の連動"), left);
    linkCheck_->setObjectName(QStringLiteral("Check1_0"));
    linkCheck_->setChecked(true);
    connect(linkCheck_, &QCheckBox::toggled, this,
            [this](bool on) { editor_.linkColumnsAndBeams = on ? 1 : 0; });
    deleteBothCheck_ = new QCheckBox(QStringLiteral("筋かい・面材を同時に削除"), left);
    deleteBothCheck_->setObjectName(QStringLiteral("Check1_1"));
    deleteBothCheck_->setChecked(editor_.deleteBothKinds != 0);
    connect(deleteBothCheck_, &QCheckBox::toggled, this,
            [this](bool on) { editor_.deleteBothKinds = on ? 1 : 0; });
    otherFloorCheck_ = new QCheckBox(left);
    otherFloorCheck_->setObjectName(QStringLiteral("Check3"));
    connect(otherFloorCheck_, &QCheckBox::clicked, this, [this] { onOtherFloorClicked(); });
    col->addWidget(linkCheck_);
    col->addWidget(deleteBothCheck_);
    col->addWidget(otherFloorCheck_);

    // Zoom (Combo1), redraw (Command1) and cancel (Command2).
    zoomCombo_ = new QComboBox(left);
    zoomCombo_->setObjectName(QStringLiteral("Combo1"));
    zoomCombo_->addItems(ZoomListTexts());
    connect(zoomCombo_, &QComboBox::textActivated, this, &InputScreen::onZoomChosen);
    col->addWidget(zoomCombo_);
    auto *commandRow = new QHBoxLayout;
    commandRow->setSpacing(2);
    redrawButton_ = new QPushButton(QStringLiteral("再描画"), left);
    redrawButton_->setObjectName(QStringLiteral("Command1"));
    cancelButton_ = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), left);
    cancelButton_->setObjectName(QStringLiteral("Command2"));
    cancelButton_->setEnabled(false);
    connect(redrawButton_, &QPushButton::clicked, this, [this] { redrawPlan(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancelSpan(); });
    commandRow->addWidget(redrawButton_);
    commandRow->addWidget(cancelButton_);
    col->addLayout(commandRow);

    // Line names under the pointer (Label2).
    auto *posRow = new QHBoxLayout;
    posRow->setSpacing(2);
    for (int i = 0; i < 2; ++i) {
        positionLabels_[i] = new QLabel(left);
        positionLabels_[i]->setObjectName(QStringLiteral("Label2_%1").arg(i));
        positionLabels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        positionLabels_[i]->setAlignment(Qt::AlignCenter);
        positionLabels_[i]->setMinimumHeight(positionLabels_[i]->fontMetrics().height() + 6);
        posRow->addWidget(positionLabels_[i]);
    }
    col->addLayout(posRow);
    root->addWidget(left);

    // The plan surface in its scrolling viewport (ViewPort1, Paper).
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("ViewPort1"));
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette dark = scroll_->palette();
    dark.setColor(QPalette::Window, Qt::black);
    scroll_->setPalette(dark);
    scroll_->setBackgroundRole(QPalette::Window);
    paper_ = new Paper;
    paper_->setObjectName(QStringLiteral("Paper"));
    // The plan's right click is the mouse protocol's (members, zoom): no other menu after it.
    paper_->setContextMenuPolicy(Qt::PreventContextMenu);
    scroll_->setContextMenuPolicy(Qt::PreventContextMenu);
    scroll_->setWidget(paper_);
    scroll_->installEventFilter(this);
    scroll_->viewport()->installEventFilter(this);
    connect(paper_, &Paper::mouseMovedTo, this,
            [this](Qt::MouseButtons, int x, int y, Qt::KeyboardModifiers) { updatePointerLabels(x, y); });
    root->addWidget(scroll_, 1);

    // The plan's right-click zoom menu (MenuZoom).
    zoomMenu_ = new QMenu(this);
    const QStringList menuTexts = ZoomMenuTexts();
    for (int i = 0; i < menuTexts.size(); ++i) {
        QAction *a = zoomMenu_->addAction(menuTexts[i]);
        if (i + 1 < menuTexts.size())
            connect(a, &QAction::triggered, this, [this, text = menuTexts[i]] { chooseZoom(text); });
        else
            connect(a, &QAction::triggered, this, [this] { cancelSpan(); });
    }

    showAllAction_ = new QAction(kShowAllMenuText, this);
    showAllAction_->setObjectName(QStringLiteral("MenuView_Sel_0"));
    connect(showAllAction_, &QAction::triggered, this, [this] { clickShowAllMembers(); });
}

// ---- Drawing ----

void InputScreen::redrawPlan()
{
    RedrawPlan(paper_->surface(), project_, editor_, currentFloor());
    paper_->reapplyRubberBands();
    paper_->refreshAll();
    if (nValues_)
        nValues_->planRedrawn();
    if (placement_)
        placement_->planRedrawn();
    emit planRedrawn();
}

void InputScreen::drawRegion(const NodeRect &rect, bool erase)
{
    const PlanInputs in{project_, editor_, currentFloor()};
    rqx::drawRegion(paper_->surface(), in, erase, rect.ix1, rect.iy1, rect.ix2, rect.iy2);
    // Symbols reach less than half a centimetre past their nodes.
    const PlanSurface &s = paper_->surface();
    const QPointF a = NodePoint(in, std::min(rect.ix1, rect.ix2), std::min(rect.iy1, rect.iy2));
    const QPointF b = NodePoint(in, std::max(rect.ix1, rect.ix2), std::max(rect.iy1, rect.iy2));
    const double pad = 0.6;
    paper_->update(
        s.planRectToPixels(a.x() - pad, a.y() - pad, b.x() + pad, b.y() + pad).adjusted(-2, -2, 2, 2));
}

void InputScreen::showStepView(int floor, int tool, const QString &treeKey)
{
    if (tool >= static_cast<int>(kToolFloor) && tool <= static_cast<int>(kToolBeam) &&
        tool != static_cast<int>(editor_.currentTool))
        chooseTool(static_cast<Tool>(tool));
    if (floor != currentFloor())
        chooseFloor(floor);
    if (!treeKey.isEmpty() && editor_.currentTool <= kToolColumn &&
        editor_.selectedNodeKey[editor_.currentTool] != treeKey)
        chooseTreeNode(treeKey);
}

void InputScreen::onNodesAboutToChange(const NodeRegion &region)
{
    // A change from outside the mouse (undo, redo, a dialog) ends a span in progress; the editor's
    // own step comes after its span has ended.
    if (editor_.span.dragState != SpanStage::Idle)
        cancelSpan();
    drawRegion(NodeRect{region.ix1, region.iy1, region.ix2, region.iy2}, true);
}

void InputScreen::onNodesChanged(const NodeRegion &region)
{
    drawRegion(NodeRect{region.ix1, region.iy1, region.ix2, region.iy2}, false);
}

void InputScreen::redrawLineNames()
{
    paper_->liftRubberBands();
    drawLineNames(paper_->surface(), PlanInputs{project_, editor_, currentFloor()},
                  editor_.editMode != kModePlace);
    paper_->reapplyRubberBands();
    paper_->refreshAll();
}

// ---- Mouse protocol ----

// The input screen as the window of the mouse protocol.
class InputScreen::MouseHost : public PlanMouseHost {
public:
    explicit MouseHost(InputScreen &screen) : screen_(screen) {}
    void xorRubberBand(const RubberBand &band) override { screen_.paper_->xorRubberBand(band); }
    void beep() override { QApplication::beep(); }
    void setCancelEnabled(bool on) override { screen_.setCancelEnabled(on); }
    void showPosition(const QString &x, const QString &y) override { screen_.setPositionLabels(x, y); }
    void popupZoomMenu() override { screen_.popupZoomMenu(); }
    int popupMenu(const QStringList &items, const QList<bool> &enabled) override
    {
        QMenu menu(&screen_);
        QList<QAction *> actions;
        for (int i = 0; i < items.size(); ++i) {
            actions.append(menu.addAction(items[i]));
            actions.back()->setEnabled(i >= enabled.size() || enabled[i]);
        }
        QAction *chosen = menu.exec(QCursor::pos());
        return chosen ? static_cast<int>(actions.indexOf(chosen)) : -1;
    }
    void showMessage(const QString &text) override
    {
        ShowMessage(text, MessageKind::Ok, kMessageTitle, &screen_);
    }
    bool confirm(const QString &text) override
    {
        return ShowMessage(text, MessageKind::OkCancel, kMessageTitle, &screen_) == MessageAnswer::Ok;
    }
    void setBusy(bool busy) override
    {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }
    bool deleteToggleDown() const override { return screen_.deleteToggleDown(); }
    bool groupToggleDown() const override { return screen_.groupToggleDown(); }
    int editedFloor() const override { return screen_.currentFloor(); }

private:
    InputScreen &screen_;
};

InputScreen::~InputScreen() = default;

PlanMouseHost &InputScreen::mouseHost()
{
    if (!mouseHost_)
        mouseHost_ = std::make_unique<MouseHost>(*this);
    return *mouseHost_;
}

void InputScreen::cancelSpan()
{
    // The mouse editing ends its span; whatever band is still shown goes with it.
    if (spanCanceller_)
        spanCanceller_();
    paper_->removeRubberBands();
    setCancelEnabled(false);
}

void InputScreen::setCancelEnabled(bool on)
{
    cancelButton_->setEnabled(on);
}

void InputScreen::setPositionLabels(const QString &xName, const QString &yName)
{
    positionLabels_[0]->setText(xName);
    positionLabels_[1]->setText(yName);
}

void InputScreen::updatePointerLabels(int twipsX, int twipsY)
{
    const SnapResult snap = snapToNode(project_, editor_.fit, editor_.editMode, twipsX, twipsY);
    const GridInfo &g = project_.grid;
    if (snap.inGrid && g.lineNameX.valid(snap.ix) && g.lineNameY.valid(snap.iy))
        setPositionLabels(ShownText(g.lineNameX[snap.ix], kShownLineName),
                          ShownText(g.lineNameY[snap.iy], kShownLineName));
    else
        setPositionLabels(QString(), QString());
}

void InputScreen::updatePointerLabelsAtCursor()
{
    const QPoint at = paper_->mapFromGlobal(QCursor::pos());
    if (paper_->isVisible() && paper_->rect().contains(at)) {
        const QPoint twips = paper_->toTwips(at);
        updatePointerLabels(twips.x(), twips.y());
    } else {
        setPositionLabels(QString(), QString());
    }
}

void InputScreen::popupZoomMenu()
{
    zoomMenu_->exec(QCursor::pos());
}

bool InputScreen::deleteToggleDown() const
{
    return deleteToggles_[0]->isChecked();
}

bool InputScreen::groupToggleDown() const
{
    return deleteToggles_[1]->isChecked();
}

// ---- Main window ----

void InputScreen::attachStatusPanels(QLabel *lCoefficient, QLabel *crossBeam)
{
    lCoefficientPanel_ = lCoefficient;
    crossBeamPanel_ = crossBeam;
    refreshStatusPanels();
}

void InputScreen::refreshStatusPanels()
{
    if (lCoefficientPanel_)
        lCoefficientPanel_->setText(LCoefficientPanelText(project_.grid));
    if (crossBeamPanel_)
        crossBeamPanel_->setText(CrossBeamPanelText(project_.grid));
}

void InputScreen::installViewMenu(QMenu *menu)
{
    if (!menu)
        return;
    menu->addAction(showAllAction_);
    menu->addAction(nValues_->toggleAction());
    menu->addAction(placement_->toggleAction());
}

void InputScreen::projectReplaced()
{
    cancelSpan();
    if (oneStorey() && currentFloor() == 2)
        setFloor(1);
    floorButtons_[currentFloor() - 1]->setChecked(true);
    floorLabel_->setText(FloorLabelText(currentFloor()));
    otherFloorCheck_->setText(OtherFloorCaption(currentFloor(), editor_.otherFloorShown != 0));
    relabelFloorButtons();
    rebuildTree();
    refreshStatusPanels();
    redrawPlan();
    // The labels name the new project's lines (or nothing) before the pointer moves.
    updatePointerLabelsAtCursor();
}

void InputScreen::gridChanged()
{
    cancelSpan();
    redrawPlan();
    updatePointerLabelsAtCursor();
}

// ---- Controls ----

void InputScreen::chooseTool(Tool tool)
{
    if (tool >= kToolFloor && tool <= kToolBeam)
        toolButtons_[static_cast<int>(tool) - 1]->click();
}

void InputScreen::chooseFloor(int floor)
{
    if (floor >= 1 && floor <= 2 && floorButtons_[floor - 1]->isEnabled())
        floorButtons_[floor - 1]->click();
}

void InputScreen::chooseZoom(const QString &text)
{
    const int i = zoomCombo_->findText(text);
    if (i >= 0)
        zoomCombo_->setCurrentIndex(i);
    onZoomChosen(text);
}

void InputScreen::chooseTreeNode(const QString &key)
{
    const auto items = tree_->findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive);
    for (QTreeWidgetItem *item : items)
        if (item->data(0, kRoleKey).toString() == key) {
            tree_->setCurrentItem(item);
            onTreeCurrentChanged(item);
            return;
        }
}

void InputScreen::clickDeleteToggle(int item)
{
    if (item == 0 || item == 1)
        deleteToggles_[item]->click();
}

void InputScreen::clickOtherFloor()
{
    if (otherFloorCheck_->isEnabled())
        otherFloorCheck_->click();
}

void InputScreen::clickShowAllMembers()
{
    showAllAction_->setText(ToggleShowAllMembers(editor_, showAllAction_->text()));
    // Over the picture as it is, so that the other tools' members change colour in place.
    paper_->liftRubberBands();
    const PlanInputs in{project_, editor_, currentFloor()};
    drawWholePlan(paper_->surface(), in);
    const int other = OtherFloorLevel(currentFloor());
    if (editor_.otherFloorShown != 0 && other <= project_.dims.floorCount)
        drawOtherFloorWalls(paper_->surface(), in, other, false);
    paper_->reapplyRubberBands();
    paper_->refreshAll();
}

// ---- Handlers ----

void InputScreen::onToolClicked(int index)
{
    const Tool before = editor_.currentTool;
    editor_.currentTool = static_cast<Tool>(index + 1);
    toolButtons_[index]->setChecked(true);
    cancelSpan();
    // Another tool places again: the next clicks must not delete members of the new tool unasked.
    const bool leaveDelete = editor_.currentTool != before && editor_.editMode != kModePlace;
    if (leaveDelete) {
        deleteToggles_[0]->setChecked(false);
        deleteToggles_[1]->setChecked(false);
        editor_.editMode = kModePlace;
        applyModeLook();
    }
    tree_->setVisible(editor_.currentTool != kToolBeam);
    // The overlay switch is cleared on every tool change and offered by the column and beam tools.
    otherFloorCheck_->setEnabled(false);
    otherFloorCheck_->setChecked(false);
    editor_.otherFloorShown = 0;
    otherFloorCheck_->setText(OtherFloorCaption(currentFloor(), false));
    otherFloorCheck_->setEnabled(OtherFloorSwitchEnabled(editor_.currentTool));
    relabelFloorButtons();
    deleteBothCheck_->setEnabled(DeleteBothSwitchEnabled(editor_));
    rebuildTree();
    redrawPlan();
    if (leaveDelete)
        emit editModeChanged(static_cast<int>(editor_.editMode));
    emit toolChanged(static_cast<int>(editor_.currentTool));
}

void InputScreen::onFloorClicked(int index)
{
    const int floor = index + 1;
    if (floor == 2 && oneStorey()) {
        floorButtons_[0]->setChecked(true);
        return;
    }
    setFloor(floor);
    cancelSpan();
    // The new floor's plan comes without the other storey's walls: the switch offers to show them.
    otherFloorCheck_->setChecked(false);
    editor_.otherFloorShown = 0;
    otherFloorCheck_->setText(OtherFloorCaption(floor, false));
    floorLabel_->setText(FloorLabelText(floor));
    if (editor_.currentTool == kToolFloor || editor_.currentTool == kToolColumn)
        rebuildTree();
    redrawPlan();
    emit floorChanged(floor);
}

void InputScreen::relabelFloorButtons()
{
    const auto captions = FloorButtonCaptions(editor_.currentTool, project_.dims.floorCount);
    for (int i = 0; i < 2; ++i)
        floorButtons_[i]->setText(captions[i]);
    // A one-storey house has no second storey to edit and no plane above a roof.
    floorButtons_[1]->setEnabled(!oneStorey());
}

void InputScreen::rebuildTree()
{
    rebuildingTree_ = true;
    tree_->clear();
    const QList<MemberTreeNode> nodes = MemberTreeNodes(editor_.currentTool, currentFloor());
    QList<QTreeWidgetItem *> items;
    for (const MemberTreeNode &n : nodes) {
        QTreeWidgetItem *item =
            n.parent >= 0 ? new QTreeWidgetItem(items[n.parent]) : new QTreeWidgetItem(tree_);
        item->setText(0, n.text);
        item->setData(0, kRoleKey, n.key);
        item->setData(0, kRoleKind, n.kindKey);
        item->setData(0, kRoleTag, n.tag);
        items.append(item);
    }
    tree_->expandAll();
    const int selected = RestoreTreeSelection(editor_, currentFloor(), nodes);
    if (selected >= 0)
        tree_->setCurrentItem(items[selected]);
    rebuildingTree_ = false;
}

void InputScreen::onTreeCurrentChanged(QTreeWidgetItem *current)
{
    if (rebuildingTree_ || !current)
        return;
    MemberTreeNode node;
    node.text = current->text(0);
    node.key = current->data(0, kRoleKey).toString();
    node.kindKey = current->data(0, kRoleKind).toString();
    node.tag = current->data(0, kRoleTag).toInt();
    SelectTreeNode(editor_, node);
}

void InputScreen::onDeleteToggled(int item)
{
    cancelSpan();
    const DeleteToggles t =
        ResolveDeleteToggles({deleteToggles_[0]->isChecked(), deleteToggles_[1]->isChecked()}, item);
    deleteToggles_[0]->setChecked(t.deleteDown);
    deleteToggles_[1]->setChecked(t.groupDown);
    editor_.editMode = EditModeOf(t);
    applyModeLook();
    redrawLineNames();
    emit editModeChanged(static_cast<int>(editor_.editMode));
}

void InputScreen::applyModeLook()
{
    const EditMode mode = editor_.editMode;
    SetCaptionColour(deleteToggles_[0], mode == kModeDelete ? kQBLightRed : kQBBlack);
    SetCaptionColour(deleteToggles_[1], mode == kModeGroupDelete ? kQBLightRed : kQBBlack);
    paper_->setDeleteCursor(mode != kModePlace);
    linkCheck_->setEnabled(LinkSwitchEnabled(editor_));
    deleteBothCheck_->setEnabled(DeleteBothSwitchEnabled(editor_));
}

void InputScreen::onOtherFloorClicked()
{
    editor_.otherFloorShown = editor_.otherFloorShown != 0 ? 0 : 1;
    const bool shown = editor_.otherFloorShown != 0;
    otherFloorCheck_->setChecked(shown);
    otherFloorCheck_->setText(OtherFloorCaption(currentFloor(), shown));
    const int other = OtherFloorLevel(currentFloor());
    if (other > project_.dims.floorCount)
        return;
    const PlanInputs in{project_, editor_, currentFloor()};
    paper_->liftRubberBands();
    drawOtherFloorWalls(paper_->surface(), in, other, !shown);
    // Erasing in black also takes out this storey's members where the walls stand one above the
    // other: draw the plan again over it.
    if (!shown)
        drawWholePlan(paper_->surface(), in);
    paper_->reapplyRubberBands();
    paper_->refreshAll();
}

void InputScreen::onZoomChosen(const QString &text)
{
    // The list and the menu keep the plan's centre where it was.
    const QSize vp = scroll_->viewport()->size();
    zoomAround(text, QPoint(vp.width() / 2, vp.height() / 2));
    tree_->setFocus();
}

void InputScreen::zoomAround(const QString &text, QPoint viewportPos)
{
    const auto factor = ZoomFactorOfText(text);
    if (!factor || *factor == editor_.zoomFactor)
        return;
    // The page point under viewportPos stays under it.
    const QPoint before = paper_->mapFrom(scroll_->viewport(), viewportPos);
    const double twipsX = paper_->surface().toTwipsX(before.x());
    const double twipsY = paper_->surface().toTwipsY(before.y());
    editor_.zoomFactor = *factor;
    const QSize vp = scroll_->maximumViewportSize();
    paper_->setPaperSize({PaperExtentPixels(*factor, vp.width()), PaperExtentPixels(*factor, vp.height())});
    redrawPlan();
    const int i = zoomCombo_->findText(text);
    if (i >= 0)
        zoomCombo_->setCurrentIndex(i);
    const QPoint after = paper_->surface().toPixel(twipsX, twipsY);
    scroll_->horizontalScrollBar()->setValue(after.x() - viewportPos.x());
    scroll_->verticalScrollBar()->setValue(after.y() - viewportPos.y());
}

void InputScreen::zoomStep(int steps, QPoint viewportPos)
{
    const QStringList texts = ZoomListTexts();
    qsizetype at = 0;
    for (qsizetype i = 0; i < texts.size(); ++i)
        if (ZoomFactorOfText(texts[i]) == editor_.zoomFactor)
            at = i;
    const qsizetype next = std::clamp<qsizetype>(at + steps, 0, texts.size() - 1);
    if (next != at)
        zoomAround(texts[next], viewportPos);
}

void InputScreen::onViewportResized()
{
    if (editor_.zoomFactor != 1.0f)
        return;
    const QSize vp = scroll_->maximumViewportSize();
    const QSize size(PaperExtentPixels(1.0f, vp.width()), PaperExtentPixels(1.0f, vp.height()));
    if (size == paper_->size() && size == paper_->surface().image().size())
        return;
    paper_->setPaperSize(size);
    redrawPlan();
}

void InputScreen::keyPressEvent(QKeyEvent *event)
{
    // Esc ends a span and its rubber band as "ｷｬﾝｾﾙ" does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        editor_.span.dragState != SpanStage::Idle) {
        cancelSpan();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool InputScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == scroll_ && event->type() == QEvent::Resize && !isMinimized())
        onViewportResized();
    // Ctrl+wheel: the next zoom step, around the pointer (the report window does the same).
    if (watched == scroll_->viewport() && event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta != 0)
                zoomStep(delta > 0 ? 1 : -1, wheel->position().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace rqx

#include "editor/plan_mouse.h"

#include "editor/group_delete.h"
#include "editor/placement.h"
#include "document/project_document.h"

namespace rqx {

const QStringList &wallDeleteMenuItems()
{
    static const QStringList items{QStringLiteral("筋かい"), QStringLiteral("面材"),
                                   QStringLiteral("筋かい+面材"), QStringLiteral("ｷｬﾝｾﾙ")};
    return items;
}

const QStringList &memberDeleteMenuItems()
{
    static const QStringList items{QStringLiteral("削除"), QStringLiteral("ｷｬﾝｾﾙ")};
    return items;
}

namespace {

bool deleteDown(const PlanMouse &m)
{
    return m.host.deleteToggleDown();
}

bool groupDown(const PlanMouse &m)
{
    return m.host.groupToggleDown();
}

void setCancel(PlanMouse &m, bool on)
{
    m.host.setCancelEnabled(on);
}

void removeRubber(PlanMouse &m)
{
    if (!m.rubberShown)
        return;
    m.host.xorRubberBand(m.rubber);
    m.rubberShown = false;
}

// The band from the span's start to its end, in placing colour or light red while deleting (a
// deletion chosen from the menu keeps the colour the band was drawn in).
void drawRubberBand(PlanMouse &m)
{
    removeRubber(m);
    const SpanState &s = m.editor.span;
    RubberBand b;
    b.x1 = s.startScreenX;
    b.y1 = s.startScreenY;
    b.x2 = s.endScreenX;
    b.y2 = s.endScreenY;
    b.rectangle = m.editor.editMode == kModeGroupDelete || m.editor.currentTool == kToolFloor;
    const bool menuOnly = s.menuDeletion == 1 && !deleteDown(m);
    b.colour = m.editor.editMode != kModePlace && !menuOnly ? 12 : s.rubberColour;
    m.rubber = b;
    m.host.xorRubberBand(b);
    m.rubberShown = true;
}

bool lockedTool(const EditorState &e)
{
    return e.currentTool == kToolWall || e.currentTool == kToolBeam;
}

// The end of the span at a snapped node: the axis lock follows the pointer onto the start's column
// (2) or row (1), else keeps the previous span's, and the end is forced onto that line.
void takeEnd(PlanMouse &m, const SnapResult &snap)
{
    SpanState &s = m.editor.span;
    s.endIx = snap.ix;
    s.endIy = snap.iy;
    s.endScreenX = snap.screenX;
    s.endScreenY = snap.screenY;
    if (!lockedTool(m.editor))
        return;
    if (snap.ix == s.startIx)
        s.axisLock = AxisLock::AlongY;
    if (snap.iy == s.startIy)
        s.axisLock = AxisLock::AlongX;
    if (s.axisLock == AxisLock::AlongX) {
        s.endIy = s.startIy;
        s.endScreenY = s.startScreenY;
    } else if (s.axisLock == AxisLock::AlongY) {
        s.endIx = s.startIx;
        s.endScreenX = s.startScreenX;
    }
}

// The right-click member menu at the second point. False when the span was cancelled.
bool memberMenu(PlanMouse &m)
{
    EditorState &e = m.editor;
    SpanState &s = e.span;
    const bool wall = e.currentTool == kToolWall;
    const QStringList &items = wall ? wallDeleteMenuItems() : memberDeleteMenuItems();
    QList<bool> enabled(items.size(), true);
    if (!wall)
        enabled[0] = e.editMode == kModePlace;  // "削除" only while placing
    const int choice = m.host.popupMenu(items, enabled);
    const int cancelIndex = static_cast<int>(items.size()) - 1;
    // Closing the menu without a choice cancels as "ｷｬﾝｾﾙ" does.
    if (choice < 0 || choice >= cancelIndex || !enabled[choice]) {
        s.cancelRequested = true;
    } else {
        if (wall)
            s.deleteKind = static_cast<WallDeletion>(choice + 1);  // the menu lists braces, boards, both
        if (e.editMode == kModePlace)
            e.editMode = kModeDelete;
    }
    if (s.cancelRequested) {
        s.cancelRequested = false;
        s.dragState = SpanStage::Idle;
        removeRubber(m);
        setCancel(m, false);
        return false;
    }
    s.menuDeletion = 1;
    return true;
}

// The text of an edit in the history.
QString stepText(const EditorState &e, EditMode editMode)
{
    static const char *const tools[] = {"床", "耐力壁", "柱", "梁"};
    if (editMode == kModeGroupDelete)
        return QStringLiteral("グループ削除");
    const QString tool = e.currentTool >= kToolFloor && e.currentTool <= kToolBeam
                             ? QString::fromUtf8(tools[static_cast<int>(e.currentTool) - 1])
                             : QString();
    return tool + (editMode == kModePlace ? QStringLiteral("入力") : QStringLiteral("削除"));
}

int editedFloor(const PlanMouse &m)
{
    return m.host.editedFloor();
}

void applyWithDrawing(PlanMouse &m, EditMode editMode, const NodeRect &span)
{
    EditOutcome out = m.document.recordedEdit(
        [&](Project &project) { return applyEdit(project, editedFloor(m), m.editor, editMode, span); });
    if (!out.applied)
        return;
    // The history's step is what makes the project changed (undoing it makes it unchanged again);
    // the document's signals draw the region.
    out.change.text = stepText(m.editor, editMode);
    out.change.floor = editedFloor(m);
    out.change.tool = static_cast<int>(m.editor.currentTool);
    if (m.editor.currentTool <= kToolColumn)  // the beam tool has no tree
        out.change.treeKey = m.editor.selectedNodeKey[m.editor.currentTool];
    m.document.pushNodeEdit(std::move(out.change));
}

void endSpan(PlanMouse &m)
{
    SpanState &s = m.editor.span;
    setCancel(m, false);
    s.dragState = SpanStage::Idle;
    s.menuDeletion = 0;
    // A deletion chosen from the right-click menu lasts one span.
    if (m.editor.editMode != kModePlace && !deleteDown(m) && !groupDown(m))
        m.editor.editMode = kModePlace;
}

void groupMouseDown(PlanMouse &m, int button, int x, int y)
{
    EditorState &e = m.editor;
    SpanState &s = e.span;
    const SnapResult snap = snapToNode(m.project, e.fit, kModeGroupDelete, x, y);
    if (s.dragState == SpanStage::Idle) {
        if (button != kButtonLeft) {
            setCancel(m, false);
            return;
        }
        s.startScreenX = s.endScreenX = x;
        s.startScreenY = s.endScreenY = y;
        s.startIx = s.endIx = snap.ix;
        s.startIy = s.endIy = snap.iy;
        s.dragState = SpanStage::FirstPointTaken;
        s.menuDeletion = 0;
        setCancel(m, true);
        return;
    }
    s.endScreenX = x;
    s.endScreenY = y;
    s.endIx = snap.ix;
    s.endIy = snap.iy;
    s.menuDeletion = 0;
    const GroupRect g = groupRectToNodes(m.project, e.fit, s.startScreenX, s.startScreenY, x, y);
    if (!g.valid) {
        removeRubber(m);
        s.dragState = SpanStage::Idle;
        s.cancelRequested = false;
        setCancel(m, false);
        return;
    }
    if (button == kButtonRight && !memberMenu(m))
        return;
    const QString question = groupDeleteConfirmation(m.project, e);
    removeRubber(m);
    setCancel(m, false);
    const bool ok = m.host.confirm(question);
    if (ok) {
        m.host.setBusy(true);
        applyWithDrawing(m, kModeGroupDelete, g.rect);
        m.host.setBusy(false);
    }
    endSpan(m);
}

}  // namespace

namespace {

void takeStart(SpanState &s, const SnapResult &snap)
{
    s.startIx = s.endIx = snap.ix;
    s.startIy = s.endIy = snap.iy;
    s.startScreenX = s.endScreenX = snap.screenX;
    s.startScreenY = s.endScreenY = snap.screenY;
}

// The finished span: checked, applied with its drawing, the through-column warning, the span ended.
void finishSpan(PlanMouse &m)
{
    EditorState &e = m.editor;
    removeRubber(m);
    const NodeRect span = orderedSpan(e);
    const SpanVerdict verdict = checkSpan(m.project, editedFloor(m), e, e.editMode, span);
    if (!verdict.allowed) {
        m.host.showMessage(verdict.message);
        endSpan(m);
        return;
    }
    const bool busy = e.currentTool == kToolFloor;
    if (busy)
        m.host.setBusy(true);
    const EditMode modeUsed = e.editMode;
    applyWithDrawing(m, modeUsed, span);
    if (busy)
        m.host.setBusy(false);
    if (e.currentTool == kToolColumn && modeUsed == kModePlace) {
        const QString warning = warnThroughColumnHardware(m.project, editedFloor(m), span.ix1, span.iy1);
        if (!warning.isEmpty())
            m.host.showMessage(warning);
    }
    endSpan(m);
}

}  // namespace

void Paper_MouseDown(PlanMouse &m, int button, int x, int y)
{
    EditorState &e = m.editor;
    SpanState &s = e.span;
    const Tool tool = e.currentTool;
    if (tool < kToolFloor || tool > kToolBeam || e.selectedItem[tool] == 0) {
        m.host.beep();
        return;
    }
    if (e.editMode == kModeGroupDelete) {
        groupMouseDown(m, button, x, y);
        return;
    }
    const SnapResult snap = snapToNode(m.project, e.fit, e.editMode, x, y);
    if (!snap.inGrid) {
        if (button == kButtonRight)
            m.host.popupZoomMenu();
        return;
    }
    if (tool == kToolColumn) {
        takeStart(s, snap);  // one click: the node is start and end at once
    } else if (s.dragState == SpanStage::Idle) {
        if (button != kButtonLeft)
            return;
        takeStart(s, snap);
        s.dragState = SpanStage::FirstPointTaken;
        setCancel(m, true);
        return;
    } else {
        takeEnd(m, snap);
    }
    setCancel(m, true);
    s.menuDeletion = 0;
    if (button == kButtonRight && !memberMenu(m))
        return;
    finishSpan(m);
}

void Paper_MouseMove(PlanMouse &m, int x, int y)
{
    EditorState &e = m.editor;
    SpanState &s = e.span;
    const SnapResult snap = snapToNode(m.project, e.fit, e.editMode, x, y);
    if (snap.inGrid)
        m.host.showPosition(
            m.project.grid.lineNameX.valid(snap.ix) ? m.project.grid.lineNameX[snap.ix] : QString(),
            m.project.grid.lineNameY.valid(snap.iy) ? m.project.grid.lineNameY[snap.iy] : QString());
    else
        m.host.showPosition(QString(), QString());
    if (s.dragState != SpanStage::FirstPointTaken)
        return;
    if (e.editMode == kModeGroupDelete) {
        s.endScreenX = x;
        s.endScreenY = y;
        drawRubberBand(m);
        return;
    }
    if (!snap.inGrid) {
        // Off the grid the span is abandoned.
        cancelSpan(m);
        return;
    }
    takeEnd(m, snap);
    drawRubberBand(m);
}

void cancelSpan(PlanMouse &m)
{
    removeRubber(m);
    m.editor.span.dragState = SpanStage::Idle;
    m.editor.span.cancelRequested = false;
    setCancel(m, false);
}

}  // namespace rqx

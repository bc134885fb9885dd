#pragma once
// The mouse protocol of the plan surface: the two clicks that draw a member (one for columns), the
// rubber band in between, the right-click member menus, the group-delete rectangle, the cancel
// button and the undo command. Windows are reached through the host's functions, so the protocol
// runs the same under a test as behind the input screen; edits go to the project document.

#include <QString>
#include <QStringList>

#include <functional>

#include "document/project_document.h"
#include "editor/coords.h"
#include "editor/editor_state.h"
#include "model/project.h"

namespace rqx {

inline constexpr int kButtonLeft = 1;
inline constexpr int kButtonRight = 2;

// The rubber band as drawn: surface twips, a rectangle (group delete, floors) or a line, and the
// palette colour it was drawn in. Drawn with the exclusive-or pen, so drawing it again removes it.
struct RubberBand {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool rectangle = false;
    int colour = 15;
};

// Right-click member menus: MenuBuzaiDel_2 (wall tool) and MenuBuzaiDel_1 (other tools).
const QStringList &wallDeleteMenuItems();    // "筋かい", "面材", "筋かい+面材", "ｷｬﾝｾﾙ"
const QStringList &memberDeleteMenuItems();  // "削除", "ｷｬﾝｾﾙ"

// What the protocol asks of the window: the input screen, or a recording one under a test. Each
// has a quiet default (no window: nothing shown, every question answered OK, storey 1).
class PlanMouseHost {
public:
    virtual ~PlanMouseHost() = default;
    virtual void xorRubberBand(const RubberBand &) {}
    virtual void beep() {}
    virtual void setCancelEnabled(bool) {}  // the "ｷｬﾝｾﾙ" button
    // Line names under the pointer; both empty off the grid.
    virtual void showPosition(const QString &, const QString &) {}
    virtual void popupZoomMenu() {}
    // Pops a menu up at the pointer; the index chosen, or −1 when it was closed without a choice.
    virtual int popupMenu(const QStringList &, const QList<bool> &) { return -1; }
    virtual void showMessage(const QString &) {}            // OK, "確認ﾒｯｾｰｼﾞ"
    virtual bool confirm(const QString &) { return true; }  // OK / Cancel, "確認ﾒｯｾｰｼﾞ"; true on OK
    virtual void setBusy(bool) {}                           // hourglass pointer
    virtual bool deleteToggleDown() const { return false; }  // "削    除" pressed
    virtual bool groupToggleDown() const { return false; }   // "グループ削除" pressed
    virtual int editedFloor() const { return 1; }            // the storey being edited
};

struct PlanMouse {
    // Every edit becomes one step of the document's history, drawn through its signals; the undo
    // command is the history's.
    ProjectDocument &document;
    EditorState &editor;
    PlanMouseHost &host;
    bool rubberShown = false;
    RubberBand rubber;  // as last drawn
    const Project &project = document.project();
};

// Pointer events of the plan surface, x and y in twips.
void Paper_MouseDown(PlanMouse &m, int button, int x, int y);
void Paper_MouseMove(PlanMouse &m, int x, int y);

// Ends the span in progress: the "ｷｬﾝｾﾙ" button, a change of tool or mode, the zoom menu's "ｷｬﾝｾﾙ".
void cancelSpan(PlanMouse &m);

}  // namespace rqx

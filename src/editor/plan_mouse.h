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

// What the protocol asks of the window. Every function may be left empty.
struct PlanMouseHost {
    std::function<void(const RubberBand &)> xorRubberBand;
    std::function<void()> beep;
    std::function<void(bool)> setCancelEnabled;  // the "ｷｬﾝｾﾙ" button
    // Line names under the pointer; both empty off the grid.
    std::function<void(const QString &, const QString &)> showPosition;
    std::function<void()> popupZoomMenu;
    // Pops a menu up at the pointer; the index chosen, or −1 when it was closed without a choice.
    std::function<int(const QStringList &items, const QList<bool> &enabled)> popupMenu;
    std::function<void(const QString &)> showMessage;  // OK, "確認ﾒｯｾｰｼﾞ"
    std::function<bool(const QString &)> confirm;      // OK / Cancel, "確認ﾒｯｾｰｼﾞ"; true on OK
    std::function<void(bool)> setBusy;                 // hourglass pointer
    std::function<bool()> deleteToggleDown;            // "削    除" pressed
    std::function<bool()> groupToggleDown;             // "グループ削除" pressed
    std::function<int()> currentFloor;                 // the storey being edited; 1 when not given
};

struct PlanMouse {
    // Every edit becomes one step of the document's history, drawn through its signals; the undo
    // command is the history's.
    ProjectDocument &document;
    EditorState &editor;
    PlanMouseHost host;
    bool rubberShown = false;
    RubberBand rubber;  // as last drawn
    Project &project = document.project();
};

// Pointer events of the plan surface, x and y in twips.
void Paper_MouseDown(PlanMouse &m, int button, int x, int y);
void Paper_MouseMove(PlanMouse &m, int x, int y);

// Ends the span in progress: the "ｷｬﾝｾﾙ" button, a change of tool or mode, the zoom menu's "ｷｬﾝｾﾙ".
void cancelSpan(PlanMouse &m);

// The "Undo" command: the span ended, then the history's undo.
void undoCommand(PlanMouse &m);

}  // namespace rqx

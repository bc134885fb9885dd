#pragma once
// Editing the plan with the mouse on the input screen: the plan surface's pointer events go to the
// mouse protocol, whose window functions are the input screen's; the cancel button, a change of
// tool, floor or mode end the span through it; the toolbar's "Undo" runs the undo command.

#include <QObject>

#include "editor/plan_mouse.h"

class QAction;

namespace rqx {

class InputScreen;

class PlanEditing : public QObject {
    Q_OBJECT
public:
    explicit PlanEditing(InputScreen *screen);

    PlanMouse &mouse() { return mouse_; }
    // An "Undo" button: runs undo, enabled exactly while the document's history can undo.
    void attachUndoAction(QAction *undo);
    void undo();

private:
    InputScreen *screen_;
    PlanMouse mouse_;
};

}  // namespace rqx

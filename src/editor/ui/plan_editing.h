#pragma once
// Editing the plan with the mouse on the input screen: the plan surface's pointer events go to the
// mouse protocol, whose window functions are the input screen's; the cancel button, a change of
// tool, floor or mode, a save, an undo or a redo end the span through it.

#include <QObject>

#include "editor/plan_mouse.h"

namespace rqx {

class InputScreen;

class PlanEditing : public QObject {
    Q_OBJECT
public:
    explicit PlanEditing(InputScreen *screen);

    PlanMouse &mouse() { return mouse_; }

private:
    PlanMouse mouse_;
};

}  // namespace rqx

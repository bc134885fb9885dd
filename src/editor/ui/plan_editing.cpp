#include "editor/ui/plan_editing.h"

#include "document/project_document.h"
#include "editor/ui/input_screen.h"
#include "editor/ui/paper.h"

namespace rqx {

PlanEditing::PlanEditing(InputScreen *screen)
    : QObject(screen),
      mouse_{screen->document(), screen->editor(), screen->mouseHost(), false, {}}
{
    Paper *paper = screen->paper();
    connect(paper, &Paper::mousePressedAt, this, [this](Qt::MouseButton button, int x, int y) {
        if (button == Qt::LeftButton)
            Paper_MouseDown(mouse_, kButtonLeft, x, y);
        else if (button == Qt::RightButton)
            Paper_MouseDown(mouse_, kButtonRight, x, y);
    });
    connect(paper, &Paper::mouseMovedTo, this,
            [this](Qt::MouseButtons, int x, int y) { Paper_MouseMove(mouse_, x, y); });
    screen->setSpanCanceller([this] { cancelSpan(mouse_); });
}

}  // namespace rqx

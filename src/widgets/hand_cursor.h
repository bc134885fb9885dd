#pragma once
// The pointing hand shown over the controls a designer clicks.

#include <QCursor>

class QWidget;

namespace rqx {

// The pointing hand shown over buttons, option buttons and drop-down lists.
QCursor HandCursor();
// Gives every push button, option button and drop-down list inside root the hand cursor.
void ApplyHandCursor(QWidget *root);

}  // namespace rqx

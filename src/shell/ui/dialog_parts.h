#pragma once
// Controls the project dialogs share beyond the common dialog parts: the drop-down lists of grid
// counts and module lengths and the reading of what was typed into them.

#include <QStringList>

#include "widgets/dialog_parts.h"

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace rqx {

// "1" … maxGridCount: the choices of a grid-count list.
QStringList GridCountChoices(int maxGridCount);
// The usual module lengths in millimetres: 900, 909, 910, 980, 1000.
const QStringList &ModuleLengthChoices();

// Reads the X and Y grid counts (whole numbers 1..maxGridCount) and the module length in millimetres
// (a number above 0) from their lists. A refused value shows its message over dialog, selects the
// list's text and gives false.
bool ReadGridSizeInput(QWidget *dialog, QComboBox *countX, QComboBox *countY, QComboBox *moduleList,
                       int maxGridCount, int (&counts)[2], double &module);

}  // namespace rqx

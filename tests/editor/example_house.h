#pragma once
// The example two-storey house of examples/, drawn on the input screen with mouse events as a
// designer draws it: storey 1 of 8 × 6 modules with its single-storey north part, storey 2 of
// 8 × 4 modules with a void, braces of every size, boards, a brace and a board sharing a wall,
// through columns at storey 2's corners, second-storey columns on floor beams, floor and roof beams.

#include <QString>
#include <QStringList>

#include "model/project.h"

namespace rqx {
class InputScreen;
}

namespace rqx::example {

// The empty project the house is drawn on: 10 × 8 modules of 0.91 m, 2 divisions, two storeys,
// generated line names, the building name.
Project EmptyExampleProject();

// Draws the house with QTest mouse events on a shown input screen whose plan editing is attached.
// Returns the texts of any message box or menu that appeared (none when every span was accepted).
QStringList DrawExampleHouse(InputScreen &screen);

}  // namespace rqx::example

#pragma once
// GridSizeChange: number of modules in X and Y and the module length of the open project.

#include <QDialog>

#include "model/project.h"

class QComboBox;
class QPushButton;

namespace rqx {

class GridSizeChange : public QDialog {
    Q_OBJECT
public:
    GridSizeChange(Project &project, AppState &state, QWidget *parent = nullptr);

    // Combo1 (0) X modules, (1) Y modules, (2) module length in mm; Command1 (0) OK, (1) ｷｬﾝｾﾙ.
    QComboBox *combo1(int i) const { return combos_[i]; }
    QPushButton *command1(int i) const { return buttons_[i]; }

    // OK: refused values keep the dialog open with a message; unchanged values close it as cancelled;
    // otherwise, after the question, the grid is resized (members carried over) and the dialog closes.
    void okClicked();
    void cancelClicked();

protected:
    void reject() override;

private:
    Project &project_;
    AppState &state_;
    QComboBox *combos_[3] = {};
    QPushButton *buttons_[2] = {};
};

}  // namespace rqx

#pragma once
// GridSizeChange: number of modules in X and Y and the module length of the open project.

#include <QDialog>

#include "model/project.h"

class QComboBox;
class QPushButton;

namespace rqx {

// The grid a grid-size change asks for; the project document carries it out.
struct GridSizeRequest {
    int spanCountX = 0;
    int spanCountY = 0;
    float moduleLength = 0.0f;  // metres
};

class GridSizeChange : public QDialog {
    Q_OBJECT
public:
    GridSizeChange(const Project &project, const AppState &state, QWidget *parent = nullptr);

    // Combo1 (0) X modules, (1) Y modules, (2) module length in mm; Command1 (0) OK, (1) ｷｬﾝｾﾙ.
    QComboBox *combo1(int i) const { return combos_[i]; }
    QPushButton *command1(int i) const { return buttons_[i]; }

    // OK: refused values keep the dialog open with a message; unchanged values close it as cancelled;
    // otherwise, after the question, the dialog is accepted with the grid asked for.
    void okClicked();
    const GridSizeRequest &requested() const { return requested_; }
    void cancelClicked();

protected:
    void reject() override;

private:
    const Project &project_;
    const AppState &state_;
    GridSizeRequest requested_;
    QComboBox *combos_[3] = {};
    QPushButton *buttons_[2] = {};
};

}  // namespace rqx

#pragma once
// 設定 → 壁量計算の条件: where Lw comes from (typed with its source, the formula from the storey
// weights, or the old table of the transition), C0, the wind coefficient, the roof and typed
// 見付面積. OK refuses a value outside its range naming the field; it makes the conditions one
// undoable step when they changed, and closes as cancelled when nothing did. The default button
// stores C0 and the wind coefficient for new projects.

#include <QDialog>

#include "calc/wall_inputs.h"
#include "model/project.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace rqx {

class ProjectDocument;

class WallConditionsForm : public QDialog {
    Q_OBJECT
public:
    WallConditionsForm(ProjectDocument &document, AppState &settings, QWidget *parent = nullptr);

    // The Lw routes in the order of LwRoute (typed, formula, old table light, old table heavy).
    QRadioButton *routeOption(LwRoute route) const { return routes_[static_cast<int>(route) - 1]; }
    // Lw of storey 1, storey 2, the one-storey parts (kLwStorey1…), and its source.
    QLineEdit *lwField(int i) const { return lw_[i]; }
    QLineEdit *lwSourceField() const { return source_; }
    // w1, w2 (kN), the one-storey load (kN/m²), h (m).
    QLineEdit *weightField(int i) const { return weights_[i]; }
    QLineEdit *oneStoreyLoadField() const { return oneStoreyLoad_; }
    QLineEdit *heightField() const { return height_; }
    QComboBox *c0Choice() const { return c0_; }
    QLineEdit *windField() const { return wind_; }
    QComboBox *roofKindChoice() const { return roofKind_; }
    QComboBox *ridgeChoice() const { return ridge_; }
    // What the report prints of the wall placement (both, 四分割法, 偏心率).
    QComboBox *placementChoice() const { return placement_; }
    // Rise, eaves and verge in millimetres.
    QLineEdit *roofField(int i) const { return roof_[i]; }
    // Typed 見付面積: storey 1 X, storey 1 Y, storey 2 X, storey 2 Y (empty = computed).
    QLineEdit *exposedField(int i) const { return exposed_[i]; }
    // Command1 (0) "OK", (1) "ｷｬﾝｾﾙ", (2) "デフォルトに設定".
    QPushButton *command(int i) const { return commands_[i]; }

private:
    void showRoute();
    // The conditions as typed; false (with the field focused and the reason shown) when a field
    // holds something else than a number in its range.
    bool readInputs(WallInputs &inputs);
    void okClicked();
    void storeDefault();

    ProjectDocument &document_;
    AppState &state_;
    WallInputs original_;
    QRadioButton *routes_[4] = {};
    QLineEdit *lw_[3] = {};
    QLineEdit *source_ = nullptr;
    QLineEdit *weights_[2] = {};
    QLineEdit *oneStoreyLoad_ = nullptr;
    QLineEdit *height_ = nullptr;
    QComboBox *c0_ = nullptr;
    QLineEdit *wind_ = nullptr;
    QComboBox *roofKind_ = nullptr;
    QComboBox *ridge_ = nullptr;
    QComboBox *placement_ = nullptr;
    QLineEdit *roof_[3] = {};
    QLineEdit *exposed_[4] = {};
    QPushButton *commands_[3] = {};
};

}  // namespace rqx

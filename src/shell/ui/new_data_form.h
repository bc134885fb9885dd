#pragma once
// NewData: building size and names of a new project.

#include <QDialog>

#include "model/project.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace rqx {

class NewData : public QDialog {
    Q_OBJECT
public:
    NewData(Project &project, AppState &state, QWidget *parent = nullptr);

    // Controls by their names: Option1 (0..1) storeys, Combo4 (0..1) grid counts X/Y, Combo3 module,
    // Option2 (0..3) sub-grid lines, Label4 (0..3) pitches, Image1, Text1 (0..2) names, Command1 (0..1).
    QRadioButton *option1(int i) const { return storeys_[i]; }
    QComboBox *combo4(int i) const { return gridCount_[i]; }
    QComboBox *combo3() const { return module_; }
    QRadioButton *option2(int i) const { return division_[i]; }
    QLabel *label4(int i) const { return pitch_[i]; }
    QLabel *image1() const { return picture_; }
    QLineEdit *text1(int i) const { return names_[i]; }
    QPushButton *command1(int i) const { return buttons_[i]; }

    // OK: checks the typed values (a refused value shows a message and keeps the dialog open), then
    // starts a new project with them. Cancel: nothing changes.
    void okClicked();
    void cancelClicked();

protected:
    void reject() override;

private:
    void updatePitchLabels();
    void showDivisionPicture();

    Project &project_;
    AppState &state_;
    QRadioButton *storeys_[2] = {};
    QComboBox *gridCount_[2] = {};
    QComboBox *module_ = nullptr;
    QRadioButton *division_[4] = {};
    QLabel *pitch_[4] = {};
    QLabel *picture_ = nullptr;
    QLineEdit *names_[3] = {};
    QPushButton *buttons_[2] = {};
};

}  // namespace rqx

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

    // The storeys (0 one, 1 two; objectName Option1_*), the module counts in X and Y (Combo4_*), the
    // module length (Combo3), the sub-grid lines (0..3; Option2_*) with their pitches (Label4_*) and
    // picture (Image1), the names (0 building, 1 office, 2 person; Text1_*), the buttons (Command1_*).
    QRadioButton *storeyOption(int i) const { return storeys_[i]; }
    QComboBox *moduleCountList(int i) const { return gridCount_[i]; }
    QComboBox *moduleLengthList() const { return module_; }
    QRadioButton *divisionOption(int i) const { return division_[i]; }
    QLabel *pitchLabel(int i) const { return pitch_[i]; }
    QLabel *divisionPicture() const { return picture_; }
    QLineEdit *nameBox(int i) const { return names_[i]; }
    QPushButton *okButton() const { return buttons_[0]; }
    QPushButton *cancelButton() const { return buttons_[1]; }

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

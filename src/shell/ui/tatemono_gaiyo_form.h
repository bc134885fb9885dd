#pragma once
// TatemonoGaiyoChange: the three names and the two cover-page switches of the open project.

#include <QDialog>

#include "model/project.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace rqx {

class TatemonoGaiyoChange : public QDialog {
    Q_OBJECT
public:
    TatemonoGaiyoChange(Project &project, AppState &state, QWidget *parent = nullptr);

    // The names (0 building, 1 office, 2 person; objectName Text1_*), the cover switches (0 no office
    // and person, 1 no date; Check1_*), the buttons (Command1_*).
    QLineEdit *nameBox(int i) const { return names_[i]; }
    QCheckBox *coverCheck(int i) const { return checks_[i]; }
    QPushButton *okButton() const { return buttons_[0]; }
    QPushButton *cancelButton() const { return buttons_[1]; }

    // OK copies the names and switches into the project and marks it changed (also when nothing
    // changed); Cancel leaves everything.
    void okClicked();
    void cancelClicked();

protected:
    void reject() override;

private:
    Project &project_;
    AppState &state_;
    QLineEdit *names_[3] = {};
    QCheckBox *checks_[2] = {};
    QPushButton *buttons_[2] = {};
};

}  // namespace rqx

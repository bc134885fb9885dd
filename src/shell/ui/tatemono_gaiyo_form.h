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

    QLineEdit *text1(int i) const { return names_[i]; }
    QCheckBox *check1(int i) const { return checks_[i]; }
    QPushButton *command1(int i) const { return buttons_[i]; }

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

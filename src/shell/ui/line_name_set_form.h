#pragma once
// LineNameSetForm: the naming style, start number and direction of the grid line names.

#include <QDialog>

#include "model/project.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace rqx {

class LineNameSetForm : public QDialog {
    Q_OBJECT
public:
    LineNameSetForm(Project &project, AppState &state, QWidget *parent = nullptr);

    // Controls by their names: Option1 (0..3) X styles, Option2 (0..3) Y styles, Check1 (0..1)
    // reverse, Text1 (0..3) start numbers (X style 1, X style 4, Y style 1, Y style 4) with their
    // labels, Command1 (0..2) "O K", "ｷｬﾝｾﾙ", "デフォルト設定".
    QRadioButton *option1(int i) const { return styleButtons_[0][i]; }
    QRadioButton *option2(int i) const { return styleButtons_[1][i]; }
    QCheckBox *check1(int i) const { return reverse_[i]; }
    QLineEdit *text1(int i) const { return startBoxes_[i / 2][i % 2]; }
    QLabel *startLabel(int i) const { return startLabels_[i / 2][i % 2]; }
    QPushButton *command1(int i) const { return buttons_[i]; }

    // "O K": checks the start numbers and the names the styles have, stores the options and marks
    // the project changed (the caller regenerates the names). "ｷｬﾝｾﾙ": nothing changes.
    // "デフォルト設定": after the question, the options become the defaults of new projects.
    void okClicked();
    void cancelClicked();
    void defaultClicked();

protected:
    void reject() override;

private:
    struct Choice {
        int style[2] = {1, 1};
        int start[2] = {1, 1};
        bool startRead[2] = {false, false};  // false: styles 2 and 3 keep the stored start
        int reverse[2] = {0, 0};
    };
    void styleChosen(int dir, int index);
    void setStartBox(int dir, int which, bool enabled);
    bool readChoice(Choice &choice, bool checkCapacity);

    Project &project_;
    AppState &state_;
    QRadioButton *styleButtons_[2][4] = {};
    QCheckBox *reverse_[2] = {};
    QLineEdit *startBoxes_[2][2] = {};  // [direction][0: style 1, 1: style 4]
    QLabel *startLabels_[2][2] = {};
    QPushButton *buttons_[3] = {};
};

}  // namespace rqx

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

    // The naming styles (0..3) of the X and Y lines (objectNames Option1_*, Option2_*), their
    // reversed order (0 X, 1 Y; Check1_*), the start numbers (0..3: X style 1, X style 4, Y style 1,
    // Y style 4; Text1_*) with their labels, and the buttons "O K", "ｷｬﾝｾﾙ", "デフォルト設定" (Command1_*).
    QRadioButton *xStyleOption(int i) const { return styleButtons_[0][i]; }
    QRadioButton *yStyleOption(int i) const { return styleButtons_[1][i]; }
    QCheckBox *reverseCheck(int i) const { return reverse_[i]; }
    QLineEdit *startNumberBox(int i) const { return startBoxes_[i / 2][i % 2]; }
    QLabel *startLabel(int i) const { return startLabels_[i / 2][i % 2]; }
    QPushButton *okButton() const { return buttons_[0]; }
    QPushButton *cancelButton() const { return buttons_[1]; }
    QPushButton *defaultButton() const { return buttons_[2]; }

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

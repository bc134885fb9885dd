#pragma once
// The calculation settings dialogs: OsaekeisuSetForm (how L of first-storey columns of the
// two-storey part is taken), CrossGSetForm (pull-out passed through orthogonal beams, and the
// report's warning about it) and KaidakaSetForm (the storey heights H1, H2). Each can store its
// choice as the default for new projects.

#include <QDialog>

#include "model/project.h"

class QCheckBox;
class QPushButton;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace rqx {

class ProjectDocument;

class OsaekeisuSetForm : public QDialog {
    Q_OBJECT
public:
    // OK always marks the project changed, even for the method it had.
    OsaekeisuSetForm(ProjectDocument &document, AppState &settings, QWidget *parent = nullptr);

    // Option1 (0) the commentary's values, (1) the user setting of the figure.
    QRadioButton *methodOption(int i) const { return options_[i]; }
    // Command1 (0) "OK", (1) "ｷｬﾝｾﾙ", (2) "デフォルトに設定".
    QPushButton *command(int i) const { return commands_[i]; }

protected:
    void reject() override;

private:
    int selectedMode() const;
    void okClicked();
    void storeDefault();
    // Both heights as typed, or false after the refusal of the first one that cannot be used.
    bool readHeights(int32_t (&mm)[2]);

    ProjectDocument &document_;
    const Project &project_;
    AppState &state_;
    QRadioButton *options_[2] = {};
    QPushButton *commands_[3] = {};
};

class CrossGSetForm : public QDialog {
    Q_OBJECT
public:
    // ヘルプ opens the program's help window at the orthogonal-beam topic; helpFilePath is not read
    // since that window finds its document itself (kept for the callers).
    // OK accepts only when a value really changed (else the dialog closes as cancelled); the caller
    // then marks the project changed.
    CrossGSetForm(ProjectDocument &document, AppState &settings, const QString &helpFilePath,
                  QWidget *parent = nullptr);

    // Check1 (0) pull-out through orthogonal beams not considered, (1) no warning in the report.
    QCheckBox *option(int i) const { return checks_[i]; }
    // Command1 (0) "OK", (1) "ｷｬﾝｾﾙ", (2) "デフォルト設定"; Command2 "ヘルプ".
    QPushButton *command(int i) const { return commands_[i]; }
    QPushButton *helpButton() const { return help_; }

protected:
    void reject() override;

private:
    void okClicked();
    void storeDefault();
    void openHelp();

    ProjectDocument &document_;
    const Project &project_;
    AppState &state_;
    QString helpFilePath_;
    QCheckBox *checks_[2] = {};
    QPushButton *commands_[3] = {};
    QPushButton *help_ = nullptr;
};

class KaidakaSetForm : public QDialog {
    Q_OBJECT
public:
    // OK stores the two heights and marks the project changed only when one of them really changed
    // (else the dialog closes as cancelled). A one-storey project offers H1 only.
    KaidakaSetForm(ProjectDocument &document, AppState &settings, QWidget *parent = nullptr);

    // Text1 (0) H1, (1) H2: whole millimetres as typed, empty = not entered. OK and the default
    // button refuse anything else (a decimal point or comma, a sign, a value outside the storey range)
    // with a message naming the field, what was typed and what is expected; nothing is stored then.
    QLineEdit *height(int i) const { return heights_[i]; }
    // What each height is taken as: "(3.2 m 以下のため 2.7 m として計算)" or "(H1/2.7 = 1.296)".
    QLabel *factorLabel(int i) const { return factors_[i]; }
    // Command1 (0) "OK", (1) "ｷｬﾝｾﾙ", (2) "デフォルトに設定".
    QPushButton *command(int i) const { return commands_[i]; }

protected:
    void reject() override;

private:
    void showFactor(int i);
    void okClicked();
    void storeDefault();
    // Both heights as typed, or false after the refusal of the first one that cannot be used.
    bool readHeights(int32_t (&mm)[2]);

    ProjectDocument &document_;
    const Project &project_;
    AppState &state_;
    QLineEdit *heights_[2] = {};
    QLabel *factors_[2] = {};
    QPushButton *commands_[3] = {};
};

}  // namespace rqx

#pragma once
// The two calculation settings dialogs: OsaekeisuSetForm (how L of first-storey columns of the
// two-storey part is taken) and CrossGSetForm (pull-out passed through orthogonal beams, and the
// report's warning about it). Each can store its choice as the default for new projects.

#include <QDialog>

#include "model/project.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

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

    ProjectDocument &document_;
    Project &project_;
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

    Project &project_;
    AppState &state_;
    QString helpFilePath_;
    QCheckBox *checks_[2] = {};
    QPushButton *commands_[3] = {};
    QPushButton *help_ = nullptr;
};

}  // namespace rqx

#include "shell/ui/tatemono_gaiyo_form.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ui/app_look.h"
#include "shell/ui/dialog_parts.h"

namespace rqx {

TatemonoGaiyoChange::TatemonoGaiyoChange(Project &project, AppState &state, QWidget *parent)
    : QDialog(parent), project_(project), state_(state)
{
    setWindowIcon(AppIcon());
    setWindowTitle(state_.appTitle);
    setModal(true);

    QGroupBox *nameBox = NameBox(this, names_);
    names_[0]->setText(project_.info.buildingName);
    names_[1]->setText(project_.info.officeName);
    names_[2]->setText(project_.info.personName);

    checks_[0] = new QCheckBox(QStringLiteral("表紙に事務所名・担当者名を表示しない"), this);
    checks_[1] = new QCheckBox(QStringLiteral("表紙に日付を表示しない"), this);
    checks_[0]->setChecked(project_.info.hideOfficeOnCover != 0);
    checks_[1]->setChecked(project_.info.hideDateOnCover != 0);
    for (int i = 0; i < 2; ++i)
        checks_[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));

    QHBoxLayout *buttonRow = OkCancelRow(this, buttons_);
    connect(buttons_[0], &QPushButton::clicked, this, &TatemonoGaiyoChange::okClicked);
    connect(buttons_[1], &QPushButton::clicked, this, &TatemonoGaiyoChange::cancelClicked);

    auto *top = new QVBoxLayout(this);
    top->addWidget(nameBox);
    top->addWidget(checks_[0]);
    top->addWidget(checks_[1]);
    top->addSpacing(6);
    top->addLayout(buttonRow);
    top->setSizeConstraint(QLayout::SetFixedSize);

    ApplyHandCursor(this);
    names_[0]->setFocus();
}

void TatemonoGaiyoChange::okClicked()
{
    ProjectInfo &info = project_.info;
    info.buildingName = names_[0]->text();
    info.officeName = names_[1]->text();
    info.personName = names_[2]->text();
    info.hideOfficeOnCover = checks_[0]->isChecked() ? 1 : 0;
    info.hideDateOnCover = checks_[1]->isChecked() ? 1 : 0;
    QDialog::accept();
}

void TatemonoGaiyoChange::cancelClicked()
{
    QDialog::reject();
}

void TatemonoGaiyoChange::reject()
{
    cancelClicked();
}

}  // namespace rqx

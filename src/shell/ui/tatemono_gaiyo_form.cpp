#include "shell/ui/tatemono_gaiyo_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ui/app_look.h"
#include "shell/ui/new_data_form.h"

namespace rqx {

TatemonoGaiyoChange::TatemonoGaiyoChange(Project &project, AppState &state, QWidget *parent)
    : QDialog(parent), project_(project), state_(state)
{
    setWindowIcon(AppIcon());
    setWindowTitle(state_.appTitle);
    setModal(true);

    auto *nameBox = new QGroupBox(QStringLiteral("建物名称"), this);
    auto *nameGrid = new QGridLayout(nameBox);
    const char *nameLabels[3] = {"建物名称", "事務所名", "担当者名"};
    const int limits[3] = {NameLimits::building, NameLimits::office, NameLimits::person};
    const char *tips[3] = {"最大文字数は、５０文字です", "最大文字数は、１６文字です",
                           "最大文字数は、１６文字です"};
    const QString values[3] = {project_.info.buildingName, project_.info.officeName,
                               project_.info.personName};
    for (int i = 0; i < 3; ++i) {
        names_[i] = new QLineEdit(nameBox);
        names_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        names_[i]->setMaxLength(limits[i]);
        names_[i]->setToolTip(QString::fromUtf8(tips[i]));
        names_[i]->setMinimumWidth(i == 0 ? 380 : 200);
        names_[i]->setText(values[i]);
        nameGrid->addWidget(new QLabel(QString::fromUtf8(nameLabels[i]), nameBox), i, 0);
        nameGrid->addWidget(names_[i], i, 1, Qt::AlignLeft);
    }

    checks_[0] = new QCheckBox(QStringLiteral("表紙に事務所名・担当者名を表示しない"), this);
    checks_[1] = new QCheckBox(QStringLiteral("表紙に日付を表示しない"), this);
    checks_[0]->setChecked(project_.info.hideOfficeOnCover != 0);
    checks_[1]->setChecked(project_.info.hideDateOnCover != 0);
    for (int i = 0; i < 2; ++i)
        checks_[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));

    buttons_[0] = new QPushButton(QStringLiteral("OK"), this);
    buttons_[1] = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    for (int i = 0; i < 2; ++i) {
        buttons_[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        buttons_[i]->setMinimumSize(100, 30);
    }
    buttons_[0]->setDefault(true);
    connect(buttons_[0], &QPushButton::clicked, this, &TatemonoGaiyoChange::okClicked);
    connect(buttons_[1], &QPushButton::clicked, this, &TatemonoGaiyoChange::cancelClicked);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(buttons_[0]);
    buttonRow->addWidget(buttons_[1]);

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
    state_.isDirty = 1;
    state_.dialogCancelled = 0;
    QDialog::accept();
}

void TatemonoGaiyoChange::cancelClicked()
{
    state_.dialogCancelled = 1;
    QDialog::reject();
}

void TatemonoGaiyoChange::reject()
{
    cancelClicked();
}

}  // namespace rqx

#include "shell/ui/new_data_form.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

#include "calc/calc_settings.h"
#include "widgets/app_look.h"
#include "shell/ui/dialog_parts.h"
#include "shell/ui/text_values.h"

namespace rqx {

NewData::NewData(Project &project, AppState &state, QWidget *parent)
    : QDialog(parent), project_(project), state_(state)
{
    setWindowIcon(AppIcon());
    setWindowTitle(state_.appTitle + QStringLiteral("   新規データ"));
    setModal(true);

    // ---- 建物規模 ----
    auto *size = new QGroupBox(QStringLiteral("建物規模"), this);
    auto *sizeGrid = new QGridLayout(size);
    sizeGrid->setHorizontalSpacing(10);

    sizeGrid->addWidget(new QLabel(QStringLiteral("階    数"), size), 0, 0);
    auto *storeyRow = new QHBoxLayout;
    auto *storeyGroup = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        storeys_[i] = new QRadioButton(QString::number(i + 1), size);
        storeys_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        storeyGroup->addButton(storeys_[i], i);
        storeyRow->addWidget(storeys_[i]);
    }
    storeyRow->addStretch(1);
    storeys_[1]->setChecked(true);
    sizeGrid->addLayout(storeyRow, 0, 1, 1, 4);

    const QStringList counts = GridCountChoices(state_.maxGridCount);
    sizeGrid->addWidget(new QLabel(QStringLiteral("グリッド数"), size), 1, 0);
    auto *countRow = new QHBoxLayout;
    const char *axes[2] = {"Ｘ", "Ｙ"};
    for (int i = 0; i < 2; ++i) {
        gridCount_[i] = EditableCombo(size, counts, QString::number(state_.defaultGridCount), 70);
        gridCount_[i]->setObjectName(QStringLiteral("Combo4_%1").arg(i));
        countRow->addWidget(new QLabel(QString::fromUtf8(axes[i]), size));
        countRow->addWidget(gridCount_[i]);
        countRow->addSpacing(10);
    }
    countRow->addStretch(1);
    sizeGrid->addLayout(countRow, 1, 1, 1, 4);

    sizeGrid->addWidget(new QLabel(QStringLiteral("グリッド長"), size), 2, 0);
    auto *moduleRow = new QHBoxLayout;
    module_ = EditableCombo(size, ModuleLengthChoices(), QStringLiteral("910"), 90);
    module_->setObjectName(QStringLiteral("Combo3"));
    moduleRow->addWidget(module_);
    moduleRow->addWidget(new QLabel(QStringLiteral("(mm)"), size));
    moduleRow->addSpacing(16);
    moduleRow->addWidget(new QLabel(QStringLiteral("（ １ グリッド = 半間 ）"), size));
    moduleRow->addStretch(1);
    sizeGrid->addLayout(moduleRow, 2, 1, 1, 4);

    sizeGrid->addWidget(new QLabel(QStringLiteral("補助ｸﾞﾘｯﾄﾞ数"), size), 3, 0, Qt::AlignTop);
    auto *divisionColumn = new QGridLayout;
    auto *divisionGroup = new QButtonGroup(this);
    for (int k = 0; k < 4; ++k) {
        division_[k] = new QRadioButton(QString::number(k), size);
        division_[k]->setObjectName(QStringLiteral("Option2_%1").arg(k));
        divisionGroup->addButton(division_[k], k);
        pitch_[k] = new QLabel(size);
        pitch_[k]->setObjectName(QStringLiteral("Label4_%1").arg(k));
        divisionColumn->addWidget(division_[k], k, 0);
        divisionColumn->addWidget(pitch_[k], k, 1);
    }
    divisionColumn->setColumnMinimumWidth(1, 100);
    sizeGrid->addLayout(divisionColumn, 3, 1, 1, 2);
    picture_ = new QLabel(size);
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setFixedSize(100, 100);
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setFrameShape(QFrame::StyledPanel);
    sizeGrid->addWidget(picture_, 3, 3, 1, 2, Qt::AlignLeft);
    division_[1]->setChecked(true);

    // ---- 建物名称 ----
    QGroupBox *nameBox = NameBox(this, names_);

    auto *note1 = new QLabel(QStringLiteral("｢建物概要｣ 、 ｢階高｣は、後で変更可能です。"), this);
    auto *note2 = new QLabel(QStringLiteral("(階数および補助ｸﾞﾘｯﾄﾞ数は、後で変更できません。)"), this);

    QHBoxLayout *buttonRow = OkCancelRow(this, buttons_);
    connect(buttons_[0], &QPushButton::clicked, this, &NewData::okClicked);
    connect(buttons_[1], &QPushButton::clicked, this, &NewData::cancelClicked);

    auto *top = new QVBoxLayout(this);
    top->addWidget(size);
    top->addWidget(nameBox);
    top->addWidget(note1);
    top->addWidget(note2);
    top->addSpacing(6);
    top->addLayout(buttonRow);
    top->setSizeConstraint(QLayout::SetFixedSize);

    connect(module_, &QComboBox::editTextChanged, this, &NewData::updatePitchLabels);
    connect(module_, &QComboBox::currentIndexChanged, this, &NewData::updatePitchLabels);
    connect(divisionGroup, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            showDivisionPicture();
    });

    ApplyHandCursor(this);
    updatePitchLabels();
    showDivisionPicture();
    names_[0]->setFocus();
}

void NewData::updatePitchLabels()
{
    const double module = LeadingNumber(module_->currentText());
    for (int k = 0; k < 4; ++k)
        pitch_[k]->setText(PitchLabel(module, k));
}

void NewData::showDivisionPicture()
{
    for (int k = 0; k < 4; ++k)
        if (division_[k]->isChecked())
            picture_->setPixmap(DivisionPicture(k));
}

void NewData::okClicked()
{
    int counts[2] = {0, 0};
    double module = 0.0;
    if (!ReadGridSizeInput(this, gridCount_[0], gridCount_[1], module_, state_.maxGridCount, counts, module))
        return;

    // A new project replaces every saved item; nothing of the previous one is carried over.
    project_.header = FileHeader{};
    project_.info = ProjectInfo{};
    project_.grid = GridInfo{};
    project_.spare = {};
    ApplyNewProjectDefaults(project_, state_);
    ApplyWallInputDefaults(project_, state_);
    ProjectInfo &info = project_.info;
    info.buildingName = names_[0]->text();
    info.officeName = names_[1]->text();
    info.personName = names_[2]->text();
    int divisionIndex = 1;
    for (int k = 0; k < 4; ++k)
        if (division_[k]->isChecked())
            divisionIndex = k;
    info.divisions = divisionIndex + 1;
    info.moduleLength = static_cast<float>(module / 1000.0);
    info.floorCount = storeys_[0]->isChecked() ? 1 : 2;
    info.spanCountX = static_cast<int32_t>(std::lround(counts[0] * info.divisions));
    info.spanCountY = static_cast<int32_t>(std::lround(counts[1] * info.divisions));
    RefreshDimensions(project_);
    QDialog::accept();
}

void NewData::cancelClicked()
{
    QDialog::reject();
}

void NewData::reject()
{
    cancelClicked();
}

}  // namespace rqx

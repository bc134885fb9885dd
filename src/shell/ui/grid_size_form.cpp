#include "shell/ui/grid_size_form.h"

#include <QApplication>
#include <QStringList>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

#include "model/grid_ops.h"
#include "widgets/app_look.h"
#include "shell/ui/dialog_parts.h"
#include "widgets/message.h"
#include "shell/ui/text_values.h"

namespace rqx {

GridSizeChange::GridSizeChange(const Project &project, const AppState &state, QWidget *parent)
    : QDialog(parent), project_(project), state_(state)
{
    setWindowIcon(AppIcon());
    setWindowTitle(state_.appTitle);
    setModal(true);

    auto *title = new QLabel(QStringLiteral("データ入力グリッドサイズの変更"), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    title->setFont(titleFont);

    const QStringList counts = GridCountChoices(state_.maxGridCount);
    const int divisions = project_.dims.divisions > 0 ? project_.dims.divisions : 1;
    const QString texts[3] = {FormatFixed(static_cast<double>(project_.dims.spanCountX) / divisions, 0),
                              FormatFixed(static_cast<double>(project_.dims.spanCountY) / divisions, 0),
                              FormatFixed(static_cast<double>(project_.info.moduleLength) * 1000.0, 0)};
    const char *labels[3] = {"Ｘ方向(桁行)の最大幅", "Ｙ方向(梁間)の最大幅", "グリッド長"};
    const char *units[3] = {"グリッド", "グリッド", "(mm)"};
    auto *grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        combos_[i] = EditableCombo(this, i < 2 ? counts : ModuleLengthChoices(), texts[i], 90);
        combos_[i]->setObjectName(QStringLiteral("Combo1_%1").arg(i));
        grid->addWidget(new QLabel(QString::fromUtf8(labels[i]), this), i, 0);
        grid->addWidget(combos_[i], i, 1);
        grid->addWidget(new QLabel(QString::fromUtf8(units[i]), this), i, 2);
    }
    grid->setColumnStretch(3, 1);

    auto *note =
        new QLabel(QStringLiteral("幅を減らした場合、範囲外となった配置データは、消去されます。"), this);
    note->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));

    QHBoxLayout *buttonRow = OkCancelRow(this, buttons_);
    connect(buttons_[0], &QPushButton::clicked, this, &GridSizeChange::okClicked);
    connect(buttons_[1], &QPushButton::clicked, this, &GridSizeChange::cancelClicked);

    auto *top = new QVBoxLayout(this);
    top->addWidget(title);
    top->addSpacing(6);
    top->addLayout(grid);
    top->addSpacing(6);
    top->addWidget(note);
    top->addSpacing(6);
    top->addLayout(buttonRow);
    top->setSizeConstraint(QLayout::SetFixedSize);

    ApplyHandCursor(this);
}

void GridSizeChange::okClicked()
{
    int counts[2] = {0, 0};
    double module = 0.0;
    if (!ReadGridSizeInput(this, combos_[0], combos_[1], combos_[2], state_.maxGridCount, counts, module))
        return;

    const int divisions = project_.dims.divisions > 0 ? project_.dims.divisions : 1;
    // The stored module is single precision (0.909 reads back as 908.99994 mm): compare whole
    // millimetres, rounded, so an untouched dialog is no change.
    const long oldModule = std::lround(static_cast<double>(project_.info.moduleLength) * 1000.0);
    const long newX = std::lround(static_cast<double>(counts[0]) * divisions);
    const long newY = std::lround(static_cast<double>(counts[1]) * divisions);
    const long newModule = std::lround(module);
    if (newX == project_.info.spanCountX && newY == project_.info.spanCountY && newModule == oldModule) {
        QDialog::reject();  // nothing to apply
        return;
    }

    // A shrinking grid says how many members it removes, before they are gone.
    QString question = QStringLiteral("データ入力グリッドサイズを変更します。");
    const MemberCounts removed = MembersRemovedByResize(project_, static_cast<int>(newX), static_cast<int>(newY));
    if (removed.total() > 0) {
        QStringList parts;
        if (removed.columns > 0)
            parts << QStringLiteral("柱 %1 本").arg(removed.columns);
        if (removed.wallSpans > 0)
            parts << QStringLiteral("耐力壁 %1 スパン").arg(removed.wallSpans);
        if (removed.beamSpans > 0)
            parts << QStringLiteral("梁 %1 スパン").arg(removed.beamSpans);
        if (removed.cells > 0)
            parts << QStringLiteral("床・吹抜け %1 区画").arg(removed.cells);
        question += QStringLiteral("\r\r範囲外となる部材 %1 か所（%2）が消去されます。")
                        .arg(removed.total())
                        .arg(parts.join(QStringLiteral("、")));
    }
    MessageAnswer answer = ShowMessage(question, MessageKind::OkCancel, kMessageTitle, this);
    if (answer != MessageAnswer::Ok)
        return;

    requested_ = {static_cast<int>(newX), static_cast<int>(newY), static_cast<float>(module / 1000.0)};
    QDialog::accept();
}

void GridSizeChange::cancelClicked()
{
    QDialog::reject();
}

void GridSizeChange::reject()
{
    cancelClicked();
}

}  // namespace rqx

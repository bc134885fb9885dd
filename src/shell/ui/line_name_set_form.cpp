#include "shell/ui/line_name_set_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/line_names.h"
#include "widgets/app_look.h"
#include "widgets/message.h"
#include "shell/ui/text_values.h"

namespace rqx {

namespace {

const char *kStyleCaptions[2][4] = {{"X1 X2･･･", "いろは･･･", "ＡＢＣ･･･", "１２３･･･"},
                                    {"Y1 Y2･･･", "いろは･･･", "ＡＢＣ･･･", "１２３･･･"}};

// The start-number box of a style: 0 for style 1, 1 for style 4, -1 for the others.
int BoxOfStyle(int style)
{
    return style == kLineStyleNumbered ? 0 : style == kLineStyleDigits ? 1 : -1;
}

}  // namespace

LineNameSetForm::LineNameSetForm(Project &project, AppState &state, QWidget *parent)
    : QDialog(parent), project_(project), state_(state)
{
    setWindowIcon(AppIcon());
    setWindowTitle(state_.appTitle + QStringLiteral("   通り名の設定"));
    setModal(true);

    const char *frames[2] = {"Ｘ通り", "Ｙ通り"};
    const char *reverseTips[2] = {"右端を始点として通り名を付けます", "上端を始点として通り名を付けます"};
    auto *framesRow = new QHBoxLayout;
    for (int dir = 0; dir < 2; ++dir) {
        auto *box = new QGroupBox(QString::fromUtf8(frames[dir]), this);
        auto *grid = new QGridLayout(box);
        auto *group = new QButtonGroup(this);
        for (int i = 0; i < 4; ++i) {
            auto *b = new QRadioButton(QString::fromUtf8(kStyleCaptions[dir][i]), box);
            b->setObjectName(QStringLiteral("Option%1_%2").arg(dir + 1).arg(i));
            group->addButton(b, i);
            styleButtons_[dir][i] = b;
            grid->addWidget(b, i, 0);
        }
        for (int which = 0; which < 2; ++which) {
            auto *label = new QLabel(QStringLiteral("開始番号："), box);
            auto *edit = new QLineEdit(box);
            edit->setObjectName(QStringLiteral("Text1_%1").arg(dir * 2 + which));
            edit->setMaxLength(3);
            edit->setFixedWidth(48);
            edit->setAutoFillBackground(true);
            const int row = which == 0 ? 0 : 3;
            grid->addWidget(label, row, 1);
            grid->addWidget(edit, row, 2);
            startLabels_[dir][which] = label;
            startBoxes_[dir][which] = edit;
        }
        reverse_[dir] = new QCheckBox(QStringLiteral("逆並び"), box);
        reverse_[dir]->setObjectName(QStringLiteral("Check1_%1").arg(dir));
        reverse_[dir]->setToolTip(QString::fromUtf8(reverseTips[dir]));
        grid->addWidget(reverse_[dir], 4, 0, 1, 3);
        grid->setColumnMinimumWidth(0, 120);
        connect(group, &QButtonGroup::idClicked, this, [this, dir](int id) { styleChosen(dir, id); });
        framesRow->addWidget(box);
    }

    const char *captions[3] = {"O K", "ｷｬﾝｾﾙ", "デフォルト設定"};
    auto *buttonRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        buttons_[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        buttons_[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        buttons_[i]->setMinimumSize(i == 2 ? 130 : 100, 30);
    }
    buttons_[0]->setDefault(true);
    buttonRow->addWidget(buttons_[2]);
    buttonRow->addStretch(1);
    buttonRow->addWidget(buttons_[0]);
    buttonRow->addWidget(buttons_[1]);
    connect(buttons_[0], &QPushButton::clicked, this, &LineNameSetForm::okClicked);
    connect(buttons_[1], &QPushButton::clicked, this, &LineNameSetForm::cancelClicked);
    connect(buttons_[2], &QPushButton::clicked, this, &LineNameSetForm::defaultClicked);

    auto *top = new QVBoxLayout(this);
    top->addWidget(new QLabel(QStringLiteral("通り名の種類を選択してください。"), this));
    top->addLayout(framesRow);
    top->addWidget(new QLabel(
        QStringLiteral("｢逆並び」にチェックを付けると右端および上端を原点に通り名を付けます。"), this));
    top->addSpacing(6);
    top->addLayout(buttonRow);
    top->setSizeConstraint(QLayout::SetFixedSize);

    ApplyHandCursor(this);

    // Load: a style of 0 means the first style, counted from 1.
    GridInfo &g = project_.grid;
    if (g.lineStyleX == 0) {
        g.lineStyleX = kLineStyleNumbered;
        g.lineStartX = 1;
    }
    if (g.lineStyleY == 0) {
        g.lineStyleY = kLineStyleNumbered;
        g.lineStartY = 1;
    }
    const int styles[2] = {g.lineStyleX, g.lineStyleY};
    const int starts[2] = {g.lineStartX, g.lineStartY};
    const int reversed[2] = {g.lineReverseX, g.lineReverseY};
    for (int dir = 0; dir < 2; ++dir) {
        const int style = styles[dir] >= 1 && styles[dir] <= 4 ? styles[dir] : kLineStyleNumbered;
        styleButtons_[dir][style - 1]->setChecked(true);
        reverse_[dir]->setChecked(reversed[dir] == 1);
        const int box = BoxOfStyle(style);
        for (int which = 0; which < 2; ++which) {
            startBoxes_[dir][which]->clear();
            setStartBox(dir, which, which == box);
        }
        if (box >= 0)
            startBoxes_[dir][box]->setText(QString::number(starts[dir]));
    }
}

void LineNameSetForm::setStartBox(int dir, int which, bool enabled)
{
    QLineEdit *edit = startBoxes_[dir][which];
    edit->setEnabled(enabled);
    startLabels_[dir][which]->setEnabled(enabled);
    QPalette pal = edit->palette();
    const QColor back = enabled ? QColor(Qt::white) : palette().color(QPalette::Button);
    pal.setColor(QPalette::Active, QPalette::Base, back);
    pal.setColor(QPalette::Inactive, QPalette::Base, back);
    pal.setColor(QPalette::Disabled, QPalette::Base, back);
    edit->setPalette(pal);
}

void LineNameSetForm::styleChosen(int dir, int index)
{
    const int box = BoxOfStyle(index + 1);
    if (box >= 0 && startBoxes_[dir][box]->text().isEmpty())
        startBoxes_[dir][box]->setText(QStringLiteral("1"));
    for (int which = 0; which < 2; ++which)
        setStartBox(dir, which, which == box);
}

bool LineNameSetForm::readChoice(Choice &choice, bool checkCapacity)
{
    const int spans[2] = {project_.dims.spanCountX, project_.dims.spanCountY};
    const char *dirText[2] = {"Ｘ通り", "Ｙ通り"};
    for (int dir = 0; dir < 2; ++dir) {
        int index = 0;
        for (int i = 0; i < 4; ++i)
            if (styleButtons_[dir][i]->isChecked())
                index = i;
        choice.style[dir] = index + 1;
        choice.reverse[dir] = reverse_[dir]->isChecked() ? 1 : 0;
        const int box = BoxOfStyle(choice.style[dir]);
        choice.startRead[dir] = box >= 0;
        if (box >= 0 && !ParseWholeNumber(startBoxes_[dir][box]->text(), 0, 999, choice.start[dir])) {
            ShowMessage(StartNumberRefusedMessage(), MessageKind::Ok, kMessageTitle, this);
            startBoxes_[dir][box]->setFocus();
            startBoxes_[dir][box]->selectAll();
            return false;
        }
        if (checkCapacity) {
            const int lines = MajorLineCount(spans[dir], project_.dims.divisions);
            const int capacity = MajorLineCapacity(choice.style[dir]);
            if (lines > capacity) {
                ShowMessage(LineStyleCapacityMessage(QString::fromUtf8(kStyleCaptions[dir][index]), capacity,
                                                     QString::fromUtf8(dirText[dir]), lines),
                            MessageKind::Ok, kMessageTitle, this);
                styleButtons_[dir][index]->setFocus();
                return false;
            }
        }
    }
    return true;
}

void LineNameSetForm::okClicked()
{
    Choice c;
    if (!readChoice(c, true))
        return;
    GridInfo &g = project_.grid;
    g.lineStyleX = c.style[0];
    g.lineStyleY = c.style[1];
    if (c.startRead[0])
        g.lineStartX = c.start[0];
    if (c.startRead[1])
        g.lineStartY = c.start[1];
    g.lineReverseX = c.reverse[0];
    g.lineReverseY = c.reverse[1];
    QDialog::accept();
}

void LineNameSetForm::cancelClicked()
{
    QDialog::reject();
}

void LineNameSetForm::reject()
{
    cancelClicked();
}

void LineNameSetForm::defaultClicked()
{
    Choice c;
    if (!readChoice(c, false))
        return;
    MessageAnswer answer = ShowMessage(
        QStringLiteral(
            "通り名のデフォルトを変更します。\r\r(変更したデフォルトは、次回新規データから有効になります。)"),
        MessageKind::OkCancel, kMessageTitleFull, this);
    if (answer != MessageAnswer::Ok)
        return;
    auto &d = state_.defaultSettings;
    d[0] = c.style[0];
    d[1] = c.style[1];
    if (c.startRead[0])
        d[2] = c.start[0];
    if (c.startRead[1])
        d[3] = c.start[1];
    d[4] = c.reverse[0];
    d[5] = c.reverse[1];
}

}  // namespace rqx

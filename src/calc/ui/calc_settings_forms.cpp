#include "calc/ui/calc_settings_forms.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QGridLayout>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "calc/calc_settings.h"
#include "calc/storey_height.h"
#include "calc/ui/l_coefficient_figure.h"
#include "document/project_document.h"
#include "model/project_values.h"
#include "widgets/app_look.h"
#include "widgets/help_window.h"
#include "widgets/message.h"

namespace rqx {

namespace {

const QString kDefaultNote = QStringLiteral("(変更したデフォルトは、次回新規データから有効になります。)");

bool AskDefaultChange(QWidget *parent, const QString &first)
{
    MessageAnswer answer = ShowMessage(first + QStringLiteral("\r\r") + kDefaultNote, MessageKind::OkCancel,
                                       kMessageTitleFull, parent);
    return answer == MessageAnswer::Ok;
}

// Command1 (0..2) in a right-aligned row, followed by `extra` when given.
QHBoxLayout *CommandRow(QWidget *parent, QPushButton *(&buttons)[3], const char *const (&texts)[3],
                        QPushButton *extra = nullptr)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new QPushButton(QString::fromUtf8(texts[i]), parent);
        buttons[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        buttons[i]->setMinimumSize(i == 2 ? 130 : 100, 30);
        buttons[i]->setAutoDefault(false);
        row->addWidget(buttons[i]);
    }
    buttons[0]->setDefault(true);
    if (extra) {
        extra->setMinimumSize(100, 30);
        extra->setAutoDefault(false);
        row->addSpacing(12);
        row->addWidget(extra);
    }
    return row;
}

}  // namespace

// ---- OsaekeisuSetForm ----

OsaekeisuSetForm::OsaekeisuSetForm(ProjectDocument &document, AppState &settings, QWidget *parent)
    : QDialog(parent), document_(document), project_(document.project()), state_(settings)
{
    setWindowIcon(AppIcon());
    setWindowTitle(state_.appTitle + QStringLiteral("   押さえ係数設定"));
    setModal(true);

    auto *frame = new QGroupBox(QStringLiteral("押さえ係数Ｌの設定"), this);
    auto *prompt = new QLabel(
        QStringLiteral("２階建ての１階柱(その他の柱)の 押さえ係数Ｌ の設定方法を指定してください。"), frame);
    options_[0] = new QRadioButton(QStringLiteral("『改正建築基準法(二年目施行)の解説』 による"), frame);
    options_[1] =
        new QRadioButton(QStringLiteral("2階柱の押さえ効果を考慮して下図による   (ユーザー設定)"), frame);
    auto *figure = new LCoefficientFigure(frame);
    auto *note = new QLabel(QStringLiteral("(出隅以外のその他の柱においては 1.6 とする。)"), frame);
    auto *inFrame = new QVBoxLayout(frame);
    inFrame->addWidget(prompt);
    for (int i = 0; i < 2; ++i) {
        options_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        inFrame->addWidget(options_[i]);
    }
    inFrame->addWidget(figure, 0, Qt::AlignHCenter);
    inFrame->addWidget(note);
    options_[project_.grid.lCoefficientMode == 1 ? 1 : 0]->setChecked(true);

    static const char *const texts[3] = {"OK", "ｷｬﾝｾﾙ", "デフォルトに設定"};
    QHBoxLayout *row = CommandRow(this, commands_, texts);
    connect(commands_[0], &QPushButton::clicked, this, &OsaekeisuSetForm::okClicked);
    connect(commands_[1], &QPushButton::clicked, this, &OsaekeisuSetForm::reject);
    connect(commands_[2], &QPushButton::clicked, this, &OsaekeisuSetForm::storeDefault);

    auto *top = new QVBoxLayout(this);
    top->addWidget(frame);
    top->addLayout(row);
    top->setSizeConstraint(QLayout::SetFixedSize);
    ApplyHandCursor(this);
}

int OsaekeisuSetForm::selectedMode() const
{
    return options_[1]->isChecked() ? 1 : 0;
}

void OsaekeisuSetForm::okClicked()
{
    // Choosing the method again also counts as a change of the project.
    document_.setLCoefficientMode(selectedMode());
    QDialog::accept();
}

void OsaekeisuSetForm::reject()
{
    QDialog::reject();
}

void OsaekeisuSetForm::storeDefault()
{
    if (AskDefaultChange(this, QStringLiteral("押さえ係数Ｌの設定デフォルトを変更します。")))
        StoreLCoefficientDefault(state_, selectedMode());
}

// ---- CrossGSetForm ----

CrossGSetForm::CrossGSetForm(ProjectDocument &document, AppState &settings, const QString &helpFilePath,
                             QWidget *parent)
    : QDialog(parent),
      document_(document),
      project_(document.project()),
      state_(settings),
      helpFilePath_(helpFilePath)
{
    setWindowIcon(AppIcon());
    setWindowTitle(state_.appTitle + QStringLiteral("   直交梁による引抜き力伝達の設定"));
    setModal(true);

    auto *prompt =
        new QLabel(QStringLiteral("直交する床梁による２階柱引抜き力の影響を設定してください"), this);
    checks_[0] = new QCheckBox(QStringLiteral("直交梁により伝達される引抜き力は考慮しない"), this);
    checks_[1] =
        new QCheckBox(QStringLiteral("計算書作成時の直交梁による伝達ウォーニングを表示しない"), this);
    for (int i = 0; i < 2; ++i)
        checks_[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
    checks_[0]->setChecked(project_.grid.crossBeamIgnored == 1);
    checks_[1]->setChecked(project_.grid.crossBeamNoWarning == 1);
    // Without the transfer there is nothing to warn about.
    checks_[1]->setEnabled(!checks_[0]->isChecked());
    connect(checks_[0], &QCheckBox::toggled, checks_[1], [this](bool on) { checks_[1]->setEnabled(!on); });

    help_ = new QPushButton(QStringLiteral("ヘルプ"), this);
    help_->setObjectName(QStringLiteral("Command2"));
    static const char *const texts[3] = {"OK", "ｷｬﾝｾﾙ", "デフォルト設定"};
    QHBoxLayout *row = CommandRow(this, commands_, texts, help_);
    connect(commands_[0], &QPushButton::clicked, this, &CrossGSetForm::okClicked);
    connect(commands_[1], &QPushButton::clicked, this, &CrossGSetForm::reject);
    connect(commands_[2], &QPushButton::clicked, this, &CrossGSetForm::storeDefault);
    connect(help_, &QPushButton::clicked, this, &CrossGSetForm::openHelp);

    auto *top = new QVBoxLayout(this);
    top->addWidget(prompt);
    top->addSpacing(6);
    top->addWidget(checks_[0]);
    top->addWidget(checks_[1]);
    top->addSpacing(10);
    top->addLayout(row);
    top->setSizeConstraint(QLayout::SetFixedSize);
    ApplyHandCursor(this);
}

void CrossGSetForm::okClicked()
{
    // Accepted only when a value really changed, so the project is marked changed only then.
    const bool changed =
        document_.setCrossBeamOptions(checks_[0]->isChecked() ? 1 : 0, checks_[1]->isChecked() ? 1 : 0);
    if (changed)
        QDialog::accept();
    else
        QDialog::reject();
}

void CrossGSetForm::reject()
{
    QDialog::reject();
}

void CrossGSetForm::storeDefault()
{
    if (AskDefaultChange(this, QStringLiteral("直交梁による引抜き力伝達の設定デフォルトを変更します。")))
        StoreCrossBeamDefaults(state_, checks_[0]->isChecked() ? 1 : 0, checks_[1]->isChecked() ? 1 : 0);
}

void CrossGSetForm::openHelp()
{
    // The orthogonal-beam topic; a missing help document is reported.
    ShowHelp(this, kHelpOrthogonalBeams);
}

// ---- KaidakaSetForm ----

KaidakaSetForm::KaidakaSetForm(ProjectDocument &document, AppState &settings, QWidget *parent)
    : QDialog(parent), document_(document), project_(document.project()), state_(settings)
{
    setWindowIcon(AppIcon());
    setWindowTitle(state_.appTitle + QStringLiteral("   階高の設定"));
    setModal(true);

    auto *frame = new QGroupBox(QStringLiteral("階高の設定"), this);
    auto *prompt =
        new QLabel(QStringLiteral("各階の横架材の上端の相互間の垂直距離 (階高) を入力してください。"), frame);
    auto *rule = new QLabel(QStringLiteral("(mm 単位の整数で %1～%2 mm、空欄は未入力。3.2 m 以下は 2.7 m として計算)")
                                .arg(kMinStoreyHeightMm)
                                .arg(kMaxStoreyHeightMm),
                            frame);
    auto *grid = new QGridLayout;
    const char *const names[2] = {"１階  H1", "２階  H2"};
    for (int i = 0; i < 2; ++i) {
        const int32_t stored = project_.info.levelHeight[i + 1];
        heights_[i] = new QLineEdit(stored != 0 ? QString::number(stored) : QString(), frame);
        heights_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        heights_[i]->setPlaceholderText(QStringLiteral("未入力"));
        heights_[i]->setAlignment(Qt::AlignRight);
        heights_[i]->setMaximumWidth(100);
        factors_[i] = new QLabel(frame);
        factors_[i]->setMinimumWidth(300);
        grid->addWidget(new QLabel(QString::fromUtf8(names[i]), frame), i, 0);
        grid->addWidget(heights_[i], i, 1);
        grid->addWidget(new QLabel(QStringLiteral("mm"), frame), i, 2);
        grid->addWidget(factors_[i], i, 3);
        connect(heights_[i], &QLineEdit::textChanged, this, [this, i] { showFactor(i); });
        showFactor(i);
    }
    // A one-storey house has no second-storey height to use.
    const bool twoStoreys = project_.dims.floorCount >= 2;
    heights_[1]->setEnabled(twoStoreys);
    factors_[1]->setEnabled(twoStoreys);
    auto *inFrame = new QVBoxLayout(frame);
    inFrame->addWidget(prompt);
    inFrame->addLayout(grid);
    inFrame->addWidget(rule);

    static const char *const texts[3] = {"OK", "ｷｬﾝｾﾙ", "デフォルトに設定"};
    QHBoxLayout *row = CommandRow(this, commands_, texts);
    connect(commands_[0], &QPushButton::clicked, this, &KaidakaSetForm::okClicked);
    connect(commands_[1], &QPushButton::clicked, this, &KaidakaSetForm::reject);
    connect(commands_[2], &QPushButton::clicked, this, &KaidakaSetForm::storeDefault);

    auto *top = new QVBoxLayout(this);
    top->addWidget(frame);
    top->addLayout(row);
    top->setSizeConstraint(QLayout::SetFixedSize);
    ApplyHandCursor(this);
}

void KaidakaSetForm::showFactor(int i)
{
    int32_t mm = 0;
    StoreyHeightRefusal refusal;
    if (!ReadStoreyHeightMm(heights_[i]->text(), QString(), mm, refusal))
        factors_[i]->setText(QStringLiteral("(%1～%2 mm の整数で入力してください)")
                                 .arg(kMinStoreyHeightMm)
                                 .arg(kMaxStoreyHeightMm));
    else if (mm == 0)
        factors_[i]->setText(QStringLiteral("(3.2 m 以下として計算)"));
    else if (HeightFactor(mm) == 1.0f)
        factors_[i]->setText(QStringLiteral("(3.2 m 以下のため 2.7 m として計算)"));
    else
        factors_[i]->setText(QStringLiteral("(H%1/2.7 = %2)")
                                 .arg(i + 1)
                                 .arg(static_cast<double>(HeightFactor(mm)), 0, 'f', 3));
}

void KaidakaSetForm::okClicked()
{
    // Only the two heights change; the project counts as changed only when one of them did.
    int32_t mm[2] = {};
    if (!readHeights(mm))
        return;
    if (document_.setStoreyHeights(mm[0], mm[1])) {
        QDialog::accept();
    } else {
        QDialog::reject();
    }
}

void KaidakaSetForm::reject()
{
    QDialog::reject();
}

void KaidakaSetForm::storeDefault()
{
    int32_t mm[2] = {};
    if (readHeights(mm) && AskDefaultChange(this, QStringLiteral("階高の設定デフォルトを変更します。")))
        StoreStoreyHeightDefaults(state_, mm[0], mm[1]);
}

bool KaidakaSetForm::readHeights(int32_t (&mm)[2])
{
    static const char *const names[2] = {"１階  H1", "２階  H2"};
    for (int i = 0; i < 2; ++i) {
        StoreyHeightRefusal refusal;
        // A one-storey house's H2 cannot be typed: an unusable stored value stays as it is.
        if (!heights_[i]->isEnabled()) {
            if (!ReadStoreyHeightMm(heights_[i]->text(), QString(), mm[i], refusal))
                mm[i] = project_.info.levelHeight[i + 1];
            continue;
        }
        if (!ReadStoreyHeightMm(heights_[i]->text(), QString::fromUtf8(names[i]), mm[i], refusal)) {
            ShowMessage(refusal.text, MessageKind::Ok, kMessageTitle, this);
            heights_[i]->setFocus();
            heights_[i]->selectAll();
            return false;
        }
    }
    return true;
}

}  // namespace rqx

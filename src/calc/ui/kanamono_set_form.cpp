#include "calc/ui/kanamono_set_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "calc/hardware_class.h"
#include "calc/n_value.h"
#include "calc/placed_hardware.h"
#include "document/project_document.h"
#include "widgets/app_look.h"
#include "widgets/message.h"

namespace rqx {

namespace {

bool AskOkCancel(QWidget *parent, const QString &text)
{
    MessageAnswer answer = ShowMessage(text, MessageKind::OkCancel, kMessageTitle, parent);
    return answer == MessageAnswer::Ok;
}

// The list font: every character of a line has the width of its kind, so the columns line up.
QFont ListFont()
{
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(10);
    return f;
}

// What a placement drop-down list shows for a pending text: "空欄" for a blank, else its entry
// (-1 for a text that is no entry, which then stays pending as it is).
int ChoiceIndex(const QString &pending)
{
    return pending.isEmpty() ? 0 : static_cast<int>(PlacementChoices().indexOf(pending.trimmed()));
}

}  // namespace

// The column headings above a storey's list, placed over the parts of its lines.
class PlacedHardwareHeading : public QWidget {
public:
    PlacedHardwareHeading(QListWidget *list, QWidget *parent) : QWidget(parent), list_(list)
    {
        setFixedHeight(2 * fontMetrics().height() + 6);
    }
    // sample: a list line whose parts give the column positions; positionWidth: its position part.
    void alignWith(const QString &sample, int positionWidth)
    {
        sample_ = sample;
        positionWidth_ = positionWidth;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QFontMetrics listMetrics(list_->font());
        const int left = list_->frameWidth() + 4;
        // A line of the widest shape: a class label (one wide kana) in each of the three columns.
        const QString label = QStringLiteral("(い)  ");
        const QString s = sample_.left(positionWidth_).leftJustified(positionWidth_, QLatin1Char(' ')) +
                          label + label + label;
        auto at = [&](int chars) { return left + listMetrics.horizontalAdvance(s.left(chars)); };
        const int required = at(positionWidth_);
        const int top = at(positionWidth_ + 5);
        const int foot = at(positionWidth_ + 10);
        const int note = at(positionWidth_ + 15);
        const int h = fontMetrics().height();
        const int row2 = 2 + h + 2;
        p.drawText(QRect(left, row2, required - left, h), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("通 り"));
        p.drawText(QRect(required, row2, top - required, h), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("必要"));
        p.drawText(QRect(top, 2, note - top, h), Qt::AlignHCenter | Qt::AlignVCenter,
                   QStringLiteral("配置金物"));
        p.drawLine(top, row2 - 1, note - 8, row2 - 1);
        p.drawText(QRect(top, row2, foot - top, h), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("柱頭"));
        p.drawText(QRect(foot, row2, note - foot, h), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("柱脚"));
        p.drawText(QRect(note, row2, width() - note, h), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("備   考"));
    }

private:
    QListWidget *list_;
    QString sample_;
    int positionWidth_ = 11;
};

KanamonoSetForm::KanamonoSetForm(ProjectDocument &document, AppState &settings, QWidget *parent)
    : QDialog(parent), document_(document), project_(document.project()), state_(settings)
{
    setWindowIcon(AppIcon());
    setWindowTitle(state_.appTitle + QStringLiteral("   配置金物セット"));
    setModal(true);

    // The required classes must be those of the model as it stands.
    calc_ = &document_.calculation();
    edit_ = std::make_unique<NodeEdit>(document_, QStringLiteral("配置金物"), NodeFields::PlacedHardware);

    auto *instruction = new QLabel(QStringLiteral("各階柱頭・柱脚に配置する金物を指定してください。"), this);
    auto *storeys = new QHBoxLayout;
    const char *captions[2] = {" １ 階 ", " ２ 階 "};
    const char *clearTexts[2] = {"1F 配置金物ｸﾘｱ", "2F 配置金物ｸﾘｱ"};
    for (int i = 0; i < 2; ++i) {
        const int level = i + 1;
        auto *box = new QGroupBox(QString::fromUtf8(captions[i]), this);
        lists_[i] = new QListWidget(box);
        lists_[i]->setObjectName(QStringLiteral("List1_%1").arg(i));
        lists_[i]->setFont(ListFont());
        lists_[i]->setMinimumSize(QFontMetrics(ListFont()).horizontalAdvance(QString(36, QLatin1Char('0'))),
                                  320);
        headings_[i] = new PlacedHardwareHeading(lists_[i], box);
        auto *choiceRow = new QHBoxLayout;
        for (int k = 0; k < 2; ++k) {
            auto *combo = new QComboBox(box);
            combo->setObjectName(QStringLiteral("Combo%1_%2").arg(level).arg(k));
            combo->addItems(PlacementChoices());
            combo->setMaxVisibleItems(12);
            combo->setMinimumWidth(90);
            combos_[i][k] = combo;
            choiceRow->addWidget(new QLabel(k == 0 ? QStringLiteral("柱頭") : QStringLiteral("柱脚"), box));
            choiceRow->addWidget(combo);
            choiceRow->addSpacing(12);
            connect(combo, &QComboBox::activated, this, [this, level, k] { choiceMade(level, k); });
        }
        choiceRow->addStretch(1);
        clearButtons_[i] = new QPushButton(QString::fromUtf8(clearTexts[i]), box);
        clearButtons_[i]->setObjectName(QStringLiteral("Command2_%1").arg(i));
        clearButtons_[i]->setMinimumSize(130, 28);
        clearButtons_[i]->setAutoDefault(false);
        choiceRow->addWidget(clearButtons_[i]);
        auto *column = new QVBoxLayout(box);
        column->addWidget(headings_[i]);
        column->addWidget(lists_[i], 1);
        column->addLayout(choiceRow);
        storeys->addWidget(box);
        connect(lists_[i], &QListWidget::currentRowChanged, this,
                [this, level](int row) { lineSelected(level, row); });
        connect(clearButtons_[i], &QPushButton::clicked, this, [this, level] { clearStorey(level); });
    }

    auto *blankBox = new QGroupBox(QStringLiteral("金物自動配置"), this);
    checks_[0] = new QCheckBox(
        QStringLiteral("配置金物が空欄の場合、計算書の配置金物欄に必要金物を表示する。"), blankBox);
    (new QVBoxLayout(blankBox))->addWidget(checks_[0]);
    auto *pullBox = new QGroupBox(QStringLiteral("配置金物の1階柱頭・２階柱脚が共にHD金物の場合"), this);
    checks_[1] = new QCheckBox(QStringLiteral("両引き金物使用 (耐力の大きいHD金物に揃える)"), pullBox);
    (new QVBoxLayout(pullBox))->addWidget(checks_[1]);
    checks_[0]->setObjectName(QStringLiteral("Check1"));
    checks_[1]->setObjectName(QStringLiteral("Check2"));
    auto *options = new QHBoxLayout;
    options->addWidget(blankBox, 1);
    options->addWidget(pullBox, 1);

    const char *commandTexts[3] = {"O K", "リスト更新", "ｷｬﾝｾﾙ"};
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    for (int i = 0; i < 3; ++i) {
        commands_[i] = new QPushButton(QString::fromUtf8(commandTexts[i]), this);
        commands_[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        commands_[i]->setMinimumSize(100, 30);
        commands_[i]->setAutoDefault(false);
        buttonRow->addWidget(commands_[i]);
    }
    connect(commands_[0], &QPushButton::clicked, this, &KanamonoSetForm::okClicked);
    connect(commands_[1], &QPushButton::clicked, this, &KanamonoSetForm::refreshClicked);
    connect(commands_[2], &QPushButton::clicked, this, &KanamonoSetForm::cancelClicked);

    // The marks of the lists, in one line.
    auto *legend = new QLabel(QStringLiteral("%1：配置金物が必要金物より弱い　%2：通し柱")
                                  .arg(kWeakerPlacementMark, kThroughColumnMark),
                              this);
    legend->setObjectName(QStringLiteral("LegendLabel"));

    auto *top = new QVBoxLayout(this);
    top->addWidget(instruction);
    top->addLayout(storeys, 1);
    top->addWidget(legend);
    top->addLayout(options);
    top->addLayout(buttonRow);

    buildLists();
    checks_[0]->setChecked(project_.grid.showRequiredWhenBlank == 1);
    checks_[1]->setChecked(project_.grid.useDoublePull == 1);
    for (QCheckBox *check : checks_)
        connect(check, &QCheckBox::toggled, this, &KanamonoSetForm::optionTicked);
    commands_[0]->setEnabled(false);
    changed_ = false;
    ApplyHandCursor(this);
}

void KanamonoSetForm::buildLists()
{
    buildList(1);
    buildList(2);
}

void KanamonoSetForm::buildList(int level)
{
    const int i = level - 1;
    QListWidget *list = lists_[i];
    const int keptRow = list->currentRow();
    pending_[i] = PlacedHardwareColumns(project_, level);
    const bool empty = pending_[i].isEmpty();
    {
        const QSignalBlocker block(list);
        list->clear();
        if (empty)
            list->addItem(kNoColumnsLine);
        for (const PlacedHardwareLine &line : pending_[i])
            list->addItem(PlacedHardwareLineText(project_, *calc_, level, line));
    }
    list->setEnabled(!empty);
    combos_[i][0]->setEnabled(!empty);
    combos_[i][1]->setEnabled(!empty);
    headings_[i]->alignWith(empty ? QString() : list->item(0)->text(), PositionWidth(project_.grid));
    if (!empty) {
        list->setCurrentRow(keptRow >= 0 && keptRow < pending_[i].size() ? keptRow : 0);
        lineSelected(level, list->currentRow());
    }
}

void KanamonoSetForm::lineSelected(int level, int row)
{
    const PlacedHardwareList &lines = pending_[level - 1];
    if (row < 0 || row >= lines.size())
        return;
    loading_ = true;
    combos_[level - 1][0]->setCurrentIndex(ChoiceIndex(lines[row].top));
    combos_[level - 1][1]->setCurrentIndex(ChoiceIndex(lines[row].foot));
    loading_ = false;
}

void KanamonoSetForm::choiceMade(int level, int which)
{
    if (loading_)
        return;
    const int i = level - 1;
    const int row = lists_[i]->currentRow();
    if (row < 0 || row >= pending_[i].size())
        return;
    PlacedHardwareLine &line = pending_[i][row];
    QComboBox *combo = combos_[i][which];
    // The 1F top and the 2F foot of a through column are no joints: placing hardware there is asked.
    const bool throughEnd = (level == 1 && which == 0) || (level == 2 && which == 1);
    if (throughEnd && line.throughOrigin == 1 && combo->currentIndex() > 0) {
        const QString text = level == 1
                                 ? QStringLiteral("通し柱の １階 柱頭部分に金物を配置しようとしています。")
                                 : QStringLiteral("通し柱の ２階 柱脚部分に金物を配置しようとしています。");
        if (!AskOkCancel(this, text)) {
            lineSelected(level, row);
            return;
        }
    }
    // A list showing no entry (a stored text that is no class) keeps that text.
    auto chosen = [](QComboBox *c, const QString &kept) {
        if (c->currentIndex() < 0)
            return kept;
        return c->currentIndex() == 0 ? QString() : c->currentText().trimmed();
    };
    line.top = chosen(combos_[i][0], line.top);
    line.foot = chosen(combos_[i][1], line.foot);
    lists_[i]->item(row)->setText(PlacedHardwareLineText(project_, *calc_, level, line));
    markChanged();
}

KanamonoSetForm::~KanamonoSetForm()
{
    if (edit_)
        edit_->commit();
}

void KanamonoSetForm::optionTicked()
{
    storeOptions();  // the options are the project's, saved with it
    markChanged();
}

void KanamonoSetForm::clearStorey(int level)
{
    if (!AskOkCancel(this, QString::number(level) + QStringLiteral(" 階 配置金物をクリアーします。")))
        return;
    ClearPlacedHardware(project_, [this](int x, int y, int l) -> NodeRecord & { return written(x, y, l); },
                        level);
    // Only this storey's list is read again: the other storey's pending choices stay.
    buildList(level);
    markChanged();
}

void KanamonoSetForm::storeOptions()
{
    document_.setPlacedHardwareOptions(checks_[0]->isChecked() ? 1 : 0, checks_[1]->isChecked() ? 1 : 0);
}

NodeRecord &KanamonoSetForm::written(int x, int y, int level)
{
    return edit_->node(x, y, level);
}

bool KanamonoSetForm::apply()
{
    return ApplyPlacedHardware(
        project_, *calc_, [this](int x, int y, int l) -> NodeRecord & { return written(x, y, l); }, pending_[0],
        pending_[1]);
}

void KanamonoSetForm::okClicked()
{
    storeOptions();
    applyOnClose_ = true;
    if (mayClose())
        QDialog::accept();
}

void KanamonoSetForm::refreshClicked()
{
    storeOptions();
    if (!AskOkCancel(this, QStringLiteral("金物を配置後、リストを更新します。")))
        return;
    throughWarning_ = apply();
    buildLists();
}

void KanamonoSetForm::cancelClicked()
{
    applyOnClose_ = false;
    if (mayClose())
        QDialog::reject();
}

void KanamonoSetForm::reject()
{
    cancelClicked();
}

bool KanamonoSetForm::mayClose()
{
    if (!changed_)
        return true;
    if (!applyOnClose_)
        return AskOkCancel(this, QStringLiteral("配置金物設定を中止します。"));
    if (!AskOkCancel(this, QStringLiteral("配置金物を設定後、入力画面に戻ります")))
        return false;
    throughWarning_ = apply();
    changed_ = false;
    if (throughWarning_ &&
        !AskOkCancel(this, QStringLiteral("通し柱の１階柱頭または２階柱脚に金物を配置しています。"))) {
        changed_ = true;  // the placements stay applied
        return false;
    }
    return true;
}

void KanamonoSetForm::done(int result)
{
    // Clears and リスト更新 wrote the model at once; closing by ｷｬﾝｾﾙ does not take them back, so
    // every record written since the opening is in the step (nothing is pushed when none differs).
    if (edit_) {
        edit_->commit();
        edit_.reset();
    }
    QDialog::done(result);
}

void KanamonoSetForm::markChanged()
{
    changed_ = true;
    commands_[0]->setEnabled(true);
}

}  // namespace rqx

#include "shell/ui/data_select_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cerrno>
#include <cmath>

#include "model/project_file.h"
#include "model/settings_store.h"
#include "common/common.h"
#include "widgets/app_look.h"
#include "widgets/message.h"
#include "common/shown_text.h"

namespace rqx {

namespace {

constexpr int kGridRows = 10;       // history rows under the header row
constexpr int kTwipsPerPixel = 15;  // 96 dpi
constexpr int kNumberColumnTwips = 350;
constexpr int kSecondColumnLessTwips = 120;

const QColor kCurrentBack(0, 0, 255);      // palette 9, light blue
const QColor kCurrentText(255, 255, 255);  // palette 15
const QColor kCellBack(255, 255, 255);
const QColor kCellText(0, 0, 0);

}  // namespace

QString MissingHistoryFileMessage(const QString &path)
{
    return QStringLiteral("選択したデータファイル：\r\r") + path +
           QStringLiteral("\r\rが見つかりませんでした。");
}

bool CheckHistoryFile(const QString &path, const QString &appTitle, QWidget *parent)
{
    const FileResult check = CheckProjectFile(appTitle, path);
    if (check.ok)
        return true;
    // A missing file has the history's own message; a folder, no permission or another kind of
    // file are named as such.
    const bool missing = check.error == ENOENT || check.error == ENOTDIR;
    ShowMessage(missing ? MissingHistoryFileMessage(path) : check.message, MessageKind::Ok, kMessageTitle,
                parent);
    return false;
}

DataSelectForm::DataSelectForm(AppState &state, QWidget *parent, bool readHistory)
    : QDialog(parent), state_(state)
{
    setWindowTitle(state_.appTitle + QStringLiteral("  <データ選択>"));
    setWindowIcon(AppIcon());
    setModal(true);

    auto *title = new QLabel(QStringLiteral("データ履歴"), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);

    grid_ = new QTableWidget(kGridRows, 2, this);
    grid_->setObjectName(QStringLiteral("Grid1"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("データ名"), QStringLiteral("建 物 名")});
    QStringList numbers;
    for (int i = 1; i <= kGridRows; ++i)
        numbers << QString::number(i);
    grid_->setVerticalHeaderLabels(numbers);
    grid_->verticalHeader()->setFixedWidth(kNumberColumnTwips / kTwipsPerPixel);
    grid_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->verticalHeader()->setHighlightSections(false);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setWordWrap(false);
    grid_->setTabKeyNavigation(false);
    grid_->installEventFilter(this);
    const int rowHeight = grid_->verticalHeader()->defaultSectionSize();
    grid_->setFixedSize(560, grid_->horizontalHeader()->sizeHint().height() + kGridRows * rowHeight + 4);
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < 2; ++c) {
            auto *item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setBackground(kCellBack);
            item->setForeground(kCellText);
            grid_->setItem(r, c, item);
        }

    const char *captions[4] = {"選  択", "終  了", "その他のデータ", "新規作成"};
    const char *tips[4] = {"現在反転表示のデータを選択", "VELM-RQX を終了します",
                           "リストにない VELM-RQX データの選択", "新規データの作成"};
    for (int i = 0; i < 4; ++i) {
        buttons_[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        buttons_[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        buttons_[i]->setToolTip(QString::fromUtf8(tips[i]));
        buttons_[i]->setAutoDefault(false);
        buttons_[i]->setMinimumSize(130, 34);
    }
    clearButton_ = new QPushButton(QStringLiteral("履歴ｸﾘｱｰ"), this);
    clearButton_->setObjectName(QStringLiteral("Command2"));
    clearButton_->setToolTip(QStringLiteral("データ履歴リストをクリアーします"));
    clearButton_->setAutoDefault(false);
    clearButton_->setMinimumSize(130, 28);

    connect(buttons_[0], &QPushButton::clicked, this, &DataSelectForm::selectClicked);
    connect(buttons_[1], &QPushButton::clicked, this, &DataSelectForm::exitClicked);
    connect(buttons_[2], &QPushButton::clicked, this, &DataSelectForm::openOtherClicked);
    connect(buttons_[3], &QPushButton::clicked, this, &DataSelectForm::newClicked);
    connect(clearButton_, &QPushButton::clicked, this, &DataSelectForm::clearHistoryClicked);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int, int) { chooseCurrentRow(); });
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int previousRow, int previousColumn) {
                if (previousRow >= 0 && previousColumn >= 0)
                    paintCurrentCell(previousRow, previousColumn, false);
                const int count = static_cast<int>(state_.history.size());
                if (row < 0 || column < 0)
                    return;
                if (row >= count) {
                    // Rows below the last entry cannot be chosen: back to the last entry.
                    if (count > 0)
                        grid_->setCurrentCell(count - 1, column);
                    else
                        grid_->setCurrentCell(-1, -1);
                    return;
                }
                paintCurrentCell(row, column, true);
            });

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(buttons_[0]);
    buttons->addSpacing(8);
    buttons->addWidget(buttons_[2]);
    buttons->addWidget(buttons_[3]);
    buttons->addStretch(1);
    buttons->addWidget(clearButton_);
    buttons->addSpacing(8);
    buttons->addWidget(buttons_[1]);

    auto *left = new QVBoxLayout;
    left->addWidget(title);
    left->addWidget(grid_);

    auto *top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addSpacing(8);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    ApplyHandCursor(this);

    // The dialog's load reads the history again.
    if (readHistory)
        ReadHistoryFile(state_);
    layoutColumns();
    fillGrid();
}

QPushButton *DataSelectForm::choiceButton(int index) const
{
    return index >= 0 && index < 4 ? buttons_[index] : nullptr;
}

int DataSelectForm::currentRow() const
{
    const int row = grid_->currentRow();
    const int count = static_cast<int>(state_.history.size());
    return row >= 0 && row < count ? row + 1 : 0;
}

void DataSelectForm::layoutColumns()
{
    const int rest = grid_->width() - grid_->verticalHeader()->width() - 2 * grid_->frameWidth();
    grid_->setColumnWidth(0, static_cast<int>(std::lround(0.38 * rest)));
    grid_->setColumnWidth(
        1, static_cast<int>(std::lround(0.62 * rest)) - kSecondColumnLessTwips / kTwipsPerPixel);
}

void DataSelectForm::paintCurrentCell(int row, int column, bool current)
{
    QTableWidgetItem *item = grid_->item(row, column);
    if (!item)
        return;
    item->setBackground(current ? kCurrentBack : kCellBack);
    item->setForeground(current ? kCurrentText : kCellText);
}

void DataSelectForm::fillGrid()
{
    const int previousRow = grid_->currentRow();
    const int previousColumn = grid_->currentColumn();
    if (previousRow >= 0 && previousColumn >= 0)
        paintCurrentCell(previousRow, previousColumn, false);
    grid_->blockSignals(true);
    grid_->setCurrentCell(-1, -1);
    grid_->blockSignals(false);
    const int count = static_cast<int>(state_.history.size());
    for (int r = 0; r < kGridRows; ++r) {
        const bool used = r < count;
        grid_->item(r, 0)->setText(used ? state_.history[r].fileTitle : QString());
        grid_->item(r, 1)->setText(used ? ShownText(state_.history[r].buildingName, kShownBuildingName)
                                        : QString());
        grid_->item(r, 0)->setToolTip(used ? state_.history[r].path : QString());
    }
    buttons_[0]->setEnabled(count > 0);
    clearButton_->setEnabled(count > 0);
    if (count > 0) {
        grid_->setCurrentCell(0, 0);
        grid_->setFocus();
    }
}

bool DataSelectForm::entryUsable(int row)
{
    return CheckHistoryFile(state_.history[row - 1].path, state_.appTitle, this);
}

void DataSelectForm::selectClicked()
{
    const int row = currentRow();
    if (row < 1)
        return;
    if (!entryUsable(row))
        return;
    startChoice_ = row;
    accept();
}

void DataSelectForm::chooseCurrentRow()
{
    const int row = currentRow();
    if (row < 1 || row > static_cast<int>(state_.history.size()))
        return;
    if (!entryUsable(row))
        return;
    startChoice_ = row;
    accept();
}

void DataSelectForm::exitClicked()
{
    MessageAnswer answer =
        ShowMessage(QStringLiteral("『 ") + state_.appTitle + QStringLiteral(" 』 を終了します"),
                    MessageKind::OkCancel, kMessageTitle, this);
    if (answer != MessageAnswer::Ok)
        return;
    startChoice_ = kStartExit;
    accept();
}

void DataSelectForm::openOtherClicked()
{
    startChoice_ = kStartOpenOther;
    accept();
}

void DataSelectForm::newClicked()
{
    startChoice_ = kStartNew;
    accept();
}

void DataSelectForm::clearHistoryClicked()
{
    MessageAnswer answer = ShowMessage(QStringLiteral("データ履歴をクリアーします。"), MessageKind::OkCancel,
                                       kMessageTitleFull, this);
    if (answer != MessageAnswer::Ok)
        return;
    ClearHistory(state_);
    fillGrid();
    buttons_[1]->setFocus();
}

bool DataSelectForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseCurrentRow();
            return true;
        }
        if (key == Qt::Key_Escape) {
            exitClicked();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DataSelectForm::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
                button->click();
            else
                chooseCurrentRow();
            return;
        case Qt::Key_Escape:
            exitClicked();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

}  // namespace rqx

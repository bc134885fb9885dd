#pragma once
// The start dialog (DataSelectForm): recent projects, another file, a new project or exit.

#include <QDialog>

#include "model/project.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace rqx {

// Choices of the start dialog (startChoice): a history entry is its number 1..10.
inline constexpr int kStartNone = 0;
inline constexpr int kStartNew = -1;
inline constexpr int kStartOpenOther = -2;
inline constexpr int kStartExit = 99;

class DataSelectForm : public QDialog {
    Q_OBJECT
public:
    // Reads the history file again (the dialog's load) and fills the grid from state.history.
    // readHistory false keeps the history in memory as it is (the dialog shown again at start-up).
    explicit DataSelectForm(AppState &state, QWidget *parent = nullptr, bool readHistory = true);

    // The choice made; kStartNone when the dialog was closed through its frame.
    int startChoice() const { return startChoice_; }

    // The choice buttons (objectName Command1_0..3): "選  択", "終  了", "その他のデータ", "新規作成";
    // "履歴ｸﾘｱｰ" (Command2); the history grid (Grid1).
    QPushButton *choiceButton(int index) const;
    QPushButton *historyClearButton() const { return clearButton_; }
    QTableWidget *grid() const { return grid_; }

    // Current history row (1-based; 0 when there is none).
    int currentRow() const;

    // "選  択" (with the check of the entry's file), double-click/Enter, "終  了"/Esc, "その他のデータ",
    // "新規作成", "履歴ｸﾘｱｰ".
    void selectClicked();
    void chooseCurrentRow();
    void exitClicked();
    void openOtherClicked();
    void newClicked();
    void clearHistoryClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillGrid();
    void paintCurrentCell(int row, int column, bool current);
    void layoutColumns();
    bool entryUsable(int row);

    AppState &state_;
    int startChoice_ = kStartNone;
    QTableWidget *grid_ = nullptr;
    QPushButton *buttons_[4] = {};
    QPushButton *clearButton_ = nullptr;
};

// Message of a history entry whose file is missing ("選択したデータファイル：" …).
QString MissingHistoryFileMessage(const QString &path);

// Checks a history entry's file before it is opened: missing → the "選  択" message; a folder, no
// permission or not a project file → the file-check message; all shown with the title "確認ﾒｯｾｰｼﾞ".
// True when it can be opened.
bool CheckHistoryFile(const QString &path, const QString &appTitle, QWidget *parent);

}  // namespace rqx

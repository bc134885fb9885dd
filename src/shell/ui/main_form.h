#pragma once
// MainForm: the main window. Owns the entry sequence after the window is shown, the start dialog
// choice, the File, 設定 and Help commands, the toolbar, the frame-figure menus and the status bar.
// The plan input screen is put in by the application (setInputScreen). The open project is the
// ProjectDocument's: the window's commands report to it what they replaced or changed.

#include <QHash>
#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>

#include "common/safe_save.h"
#include "widgets/file_chooser.h"
#include "widgets/main_window_host.h"
#include "model/project.h"

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QToolBar;

namespace rqx {

struct FileResult;
class ProjectDocument;

// Toolbar keys, in toolbar order.
const QStringList &ToolbarKeys();

class MainForm : public QMainWindow, public MainWindowHost {
    Q_OBJECT
public:
    // The window of the open project, with the per-user settings it reads and writes back at exit.
    MainForm(ProjectDocument &document, AppState &settings, QWidget *parent = nullptr);
    ~MainForm() override;

    // ---- Parts others fill in ----
    // Puts the plan input screen in the window's centre (until then an empty dark area).
    void setInputScreen(QWidget *screen);
    QWidget *inputScreen() const { return inputScreen_; }
    // Toolbar button of a key of ToolbarKeys(); commands not built yet are disabled. The actions with
    // a menu item are the same QAction (NewData, Open, Save, TatemonoName, GridSize, LineName,
    // OsaeKeisu, CrossG, Kanamono, Close).
    QAction *toolbarAction(const QString &key) const;
    QToolBar *toolBar() const { return toolBar_; }
    // A key of another part of the program in the results group of the toolbar (after 配置金物).
    void addResultsToolbarAction(QAction *action);
    // 表示(&V), filled by the editor; 設定(&S); 金物(&H); Ｘ/Ｙ通り軸組図 (items: tag = line index).
    QMenu *viewMenu() const override { return viewMenu_; }
    QMenu *settingsMenu() const { return settingsMenu_; }
    QMenu *hardwareMenu() const { return hardwareMenu_; }
    QMenu *frameMenuX() const { return frameMenuX_; }
    QMenu *frameMenuY() const { return frameMenuY_; }
    // Enables the frame-figure menus and the JikuX/JikuY buttons once the frame view exists.
    void setFrameFiguresEnabled(bool enabled) override;
    // The recent-file items of the File menu (the separator excluded), most recent first.
    QList<QAction *> recentFileActions() const { return recentActions_; }
    // Status-bar panels 1..6 (3: L-coefficient method, 6: orthogonal beams).
    QLabel *statusPanel(int i) const;
    // The status bar's note that recovery copies cannot be written (empty: they work, note hidden).
    void showRecoveryProblem(const QString &reason);
    QLabel *recoveryPanel() const { return recoveryPanel_; }
    // The application printer (created on first use), used by the printer setup and the report.
    QPrinter *applicationPrinter() override;

    ProjectDocument &document() override { return document_; }
    const Project &project() const { return project_; }
    AppState &appState() override { return state_; }
    // ---- What the feature windows ask (MainWindowHost) ----
    QWidget *hostWidget() override { return this; }
    QAction *commandAction(HostCommand command) const override;
    void onFrameLineChosen(std::function<void(int direction, int line)> handler) override;
    // Undo and redo of the plan's edits: the toolbar's "Undo" (Ctrl+Z) and a redo (Ctrl+Y, Ctrl+Shift+Z).
    QAction *redoAction() const { return redoAction_; }

    // ---- Entry sequence ----
    // Shows the start dialog (modal) and then acts on the choice, as the activation after it does;
    // shows it again after a cancelled New or Open. The first call ends the start-up.
    void runStartDialog();
    // Acts on startChoice as the main window does when it becomes active after the start dialog.
    void actOnStartChoice();
    int startChoice() const { return startChoice_; }
    void setStartChoice(int choice) { startChoice_ = choice; }
    bool startupFinished() const { return startupFinished_ != 0; }

    // ---- Commands ----
    // New: false when it was refused or cancelled.
    bool newCommand();
    // Open (the file dialog): false when cancelled or the file was refused.
    bool openCommand();
    // History entry n (1-based) as the recent-file command opens it: false when nothing was loaded.
    bool openRecentCommand(int n);
    // The project path given to the program: opened as a recent-file entry is, in place of the
    // start dialog (which ends the start-up). False, after the loader's message, when it was refused.
    bool openStartupFile(const QString &path);
    // Shows the project the document now holds from a recovery copy, in place of the start dialog
    // (which ends the start-up): the caption names its file, or "新規データ".
    void showRestoredProject();
    void overwriteCommand();
    void saveAsCommand();
    void helpCommand();
    void aboutCommand();
    void tatemonoNameCommand();
    void lineNameCommand();
    void gridSizeCommand();

    // Rebuilds the X and Y frame-figure menus from the line names (the Y menu lists the top line first).
    void RebuildFrameMenus();
    // Rebuilds the recent-file items from the history.
    void rebuildRecentFiles();
    // Writes the two option texts of the status bar.
    void refreshStatusBar() override;
    // appTitle + three spaces + name, and the modified marker while the project has unsaved changes;
    // `buildingName`: the name is the building's (kept so by 名前を付けて保存).
    void setCaption(const QString &name, bool buildingName = false);
    // The window's minimum size: what the central screen, the toolbar and the status bar need.
    void applyMinimumSize();

    // File dialogs go through this (tests answer them without a window).
    void setFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
    // Path of the help file: programDir/VELMRQX.HLP, else beside the program.
    QString helpFilePath() const override;

signals:
    // A frame-figure item was chosen: dir 1 X, 2 Y; lineIndex the item's tag.
    void frameLineChosen(int dir, int lineIndex);

protected:
    void closeEvent(QCloseEvent *event) override;
    // No toolbar menu: the toolbar holds the only Undo and must not be hidden.
    QMenu *createPopupMenu() override { return nullptr; }

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void refreshFilePanel();
    QAction *makeAction(const QString &key, const QString &text, const QString &tip);
    FileDialogRequest projectFileRequest(bool save) const;
    QString initialDialogPath() const;
    // The history file with the open project's path as the last data file.
    SaveOutcome writeHistoryFile();
    // Reads path as the open project (the hourglass on, its folder the current one) and shows it; a
    // refused file is shown in a message and leaves the project and its file path as they were.
    bool loadProjectFrom(const QString &path, bool rememberInHistoryFile);
    // Writes the project to path, which becomes the document's file path, and puts it first in the
    // history; a failure is shown in a message and the file path stays as it was.
    bool saveProjectTo(const QString &path);
    // Writes the registry values, the history and the defaults; the messages of the stores that failed.
    QStringList saveStores();

    ProjectDocument &document_;
    const Project &project_;
    AppState &state_;
    int startChoice_ = 0;
    int startupFinished_ = 0;
    bool actingOnStartChoice_ = false;
    bool captionNamesBuilding_ = false;
    bool steppingHistory_ = false;  // an undo or redo of the toolbar is under way
    bool closing_ = false;

    QWidget *inputScreen_ = nullptr;
    QToolBar *toolBar_ = nullptr;
    QHash<QString, QAction *> actions_;
    QMenu *fileMenu_ = nullptr;
    QMenu *editMenu_ = nullptr;
    QMenu *viewMenu_ = nullptr;
    QMenu *settingsMenu_ = nullptr;
    QMenu *hardwareMenu_ = nullptr;
    QMenu *frameMenu_ = nullptr;
    QMenu *frameMenuX_ = nullptr;
    QMenu *frameMenuY_ = nullptr;
    QMenu *helpMenu_ = nullptr;
    QAction *recentSeparator_ = nullptr;
    QAction *exitSeparator_ = nullptr;
    QAction *redoAction_ = nullptr;
    QList<QAction *> recentActions_;
    QLabel *panels_[6] = {};
    QLabel *recoveryPanel_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    FileChooser fileChooser_;
};

}  // namespace rqx

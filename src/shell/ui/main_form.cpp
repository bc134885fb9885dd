#include "shell/ui/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

#include <cmath>

#include "model/line_names.h"
#include "model/project_file.h"
#include "model/settings_store.h"
#include "common/common.h"
#include "document/project_document.h"
#include "widgets/app_look.h"
#include "shell/ui/data_select_form.h"
#include "shell/ui/grid_size_form.h"
#include "shell/ui/line_name_set_form.h"
#include "widgets/help_window.h"
#include "widgets/message.h"
#include "shell/ui/new_data_form.h"
#include "shell/ui/tatemono_gaiyo_form.h"
#include "common/shown_text.h"

namespace rqx {

namespace {

const QString kHelpFileName = QStringLiteral("VELMRQX.HLP");
const QString kSpaces3 = QStringLiteral("   ");
// How long the status bar names the step an undo or redo applied.
constexpr int kStepNoteMs = 6000;
// Asked before another project replaces one with unsaved changes.
const QString kOtherDataQuestion =
    QStringLiteral("現在、入力中のデータは、変更されています。\r\rこのまま、他データを読込みますか？");

// The hourglass while a command works.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// Menu texts show "&" as a mnemonic: a path or line name must show it literally.
QString MenuText(const QString &text)
{
    QString t = FitMessageText(text, kShownCaption, 1);
    t.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return t;
}

void Notify(QWidget *parent, const QString &text)
{
    ShowMessage(text, MessageKind::Ok, kMessageTitle, parent);
}

bool AskYesNo(QWidget *parent, const QString &text, const QString &title)
{
    return ShowMessage(text, MessageKind::YesNo, title, parent) == MessageAnswer::Yes;
}

// Shows a project dialog modally: true when it ended with OK and something to apply.
template <class Dialog>
bool RunProjectDialog(Project &project, AppState &state, QWidget *parent)
{
    Dialog dialog(project, state, parent);
    return dialog.exec() == QDialog::Accepted;
}

// The folder the file dialogs offer next: the folder of the file last read or written.
QString DataFolderOf(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absolutePath());
}

struct ToolbarEntry {
    const char *key;
    const char *tip;
};
// Tool tips of the toolbar buttons, in toolbar order.
const ToolbarEntry kToolbar[] = {
    {"NewData", "新規作成"},
    {"Open", "開く"},
    {"Save", "上書き保存"},
    {"PreView", "計算書ﾌﾟﾚﾋﾞｭｰ"},
    {"NChkFig", "２階柱Ｎ値伝達チェック"},
    {"JikuX", "Ｘ通り軸組図"},
    {"JikuY", "Ｙ通り軸組図"},
    {"Kanamono", "配置金物"},
    {"TatemonoName", "建物名称の変更"},
    {"GridSize", "入力ｸﾞﾘｯﾄﾞ数の変更"},
    {"LineName", "通り名の変更"},
    {"OsaeKeisu", "押さえ係数Ｌの設定"},
    {"CrossG", "直交梁の影響"},
    {"Undo", "元に戻す"},
    {"Redo", "やり直し"},
    {"Close", "終了"},
};

class AboutBox : public QDialog {
public:
    AboutBox(const QString &appTitle, QWidget *parent) : QDialog(parent)
    {
        setWindowTitle(appTitle + kSpaces3 + QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
        setWindowIcon(AppIcon());
        auto *icon = new QLabel(this);
        icon->setPixmap(AppIcon().pixmap(64, 64));
        icon->setAlignment(Qt::AlignTop);
        auto *name = new QLabel(kAppTitle, this);
        QFont f = name->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.3);
        name->setFont(f);
        auto *text = new QLabel(
            VersionText() +
                QStringLiteral("\n\n木造軸組工法住宅の柱頭・柱脚接合部\nN値計算による接合金物の算定") +
                QStringLiteral("\n\nQt ") + QString::fromLatin1(qVersion()),
            this);
        auto *ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
        ApplyHandCursor(ok);
        connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
        auto *right = new QVBoxLayout;
        right->addWidget(name);
        right->addWidget(text);
        right->addStretch(1);
        auto *row = new QHBoxLayout;
        row->addWidget(icon);
        row->addSpacing(12);
        row->addLayout(right);
        auto *top = new QVBoxLayout(this);
        top->addLayout(row);
        top->addWidget(ok);
        top->setSizeConstraint(QLayout::SetFixedSize);
    }
};

}  // namespace

const QStringList &ToolbarKeys()
{
    static const QStringList keys = [] {
        QStringList k;
        for (const ToolbarEntry &e : kToolbar)
            k << QString::fromLatin1(e.key);
        return k;
    }();
    return keys;
}

MainForm::MainForm(ProjectDocument &document, AppState &settings, QWidget *parent)
    : QMainWindow(parent),
      document_(document),
      project_(document.project()),
      state_(settings),
      fileChooser_(ChooseFileWithDialog)
{
    // The window's load: the stores, then the start-up grid as an unsaved, unchanged project.
    setWindowIcon(AppIcon());
    ReadHistoryFile(state_);
    ReadDefaults(state_);
    Project startup = project_;
    if (startup.info.spanCountX == 0 && startup.info.floorCount == 0)
        SetStartupDimensions(startup, state_.defaultGridCount);
    ResetProject(startup);
    document_.setCurrentFloor(1);
    document_.markSaved();
    document_.replaceProject(std::move(startup));

    auto *empty = new QWidget(this);
    empty->setAutoFillBackground(true);
    QPalette pal = empty->palette();
    pal.setColor(QPalette::Window, QColor(32, 32, 36));
    empty->setPalette(pal);
    setCentralWidget(empty);

    buildMenus();
    buildToolBar();
    buildStatusBar();
    rebuildRecentFiles();
    RebuildFrameMenus();
    refreshStatusBar();
    setCaption(kNewDataName);
    connect(&document_, &ProjectDocument::dirtyChanged, this, &QWidget::setWindowModified);

    // 0.85 of the screen, centred.
    double fraction = 0.85;
    if (fraction <= 0.0)
        fraction = 0.87;
    if (fraction > 1.0)
        fraction = 1.0;
    if (QScreen *screen = QApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        const QSize size(static_cast<int>(s.width() * fraction), static_cast<int>(s.height() * fraction));
        resize(size);
        move(s.x() + (s.width() - size.width()) / 2, s.y() + (s.height() - size.height()) / 2);
    }
    // Small enough for a laptop, large enough for the tool panel's buttons and the toolbar.
    applyMinimumSize();
    // As the window was left at the last exit (the registry value).
    const int windowState = ReadRegistrySettings().windowState;
    if (windowState == 2)
        setWindowState(Qt::WindowMaximized);
    else if (windowState == 1)
        setWindowState(Qt::WindowMinimized);
}

MainForm::~MainForm() = default;

// ---- Building the window ----

QAction *MainForm::makeAction(const QString &key, const QString &text, const QString &tip)
{
    auto *action = new QAction(text, this);
    action->setObjectName(key);
    if (!tip.isEmpty())
        action->setToolTip(tip);
    if (!key.isEmpty())
        actions_.insert(key, action);
    return action;
}

void MainForm::buildMenus()
{
    QHash<QString, QString> tips;
    for (const ToolbarEntry &e : kToolbar)
        tips.insert(QString::fromLatin1(e.key), QString::fromUtf8(e.tip));
    auto command = [&](const QString &key, const QString &text) {
        return makeAction(key, text, tips.value(key));
    };

    fileMenu_ = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    QAction *newAction = command(QStringLiteral("NewData"), QStringLiteral("新規作成(&N)"));
    QAction *openAction = command(QStringLiteral("Open"), QStringLiteral("開く(&O)"));
    QAction *saveAction = command(QStringLiteral("Save"), QStringLiteral("上書き保存(&S)"));
    QAction *saveAsAction =
        makeAction(QStringLiteral("MenuFile_SaveAs"), QStringLiteral("名前を付けて保存(&A)..."), {});
    QAction *printerAction =
        makeAction(QStringLiteral("MenuFile_PrinterSetup"), QStringLiteral("ﾌﾟﾘﾝﾀｰの設定(&U)..."), {});
    QAction *exitAction = command(QStringLiteral("Close"), QStringLiteral("終了(&X)"));
    newAction->setShortcut(QKeySequence::New);
    openAction->setShortcut(QKeySequence::Open);
    saveAction->setShortcut(QKeySequence::Save);
    fileMenu_->addAction(newAction);
    fileMenu_->addAction(openAction);
    fileMenu_->addAction(saveAction);
    fileMenu_->addAction(saveAsAction);
    fileMenu_->addSeparator();
    fileMenu_->addAction(printerAction);
    recentSeparator_ = fileMenu_->addSeparator();
    exitSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addAction(exitAction);
    connect(newAction, &QAction::triggered, this, [this] { newCommand(); });
    connect(openAction, &QAction::triggered, this, [this] { openCommand(); });
    connect(saveAction, &QAction::triggered, this, &MainForm::overwriteCommand);
    connect(saveAsAction, &QAction::triggered, this, &MainForm::saveAsCommand);
    connect(exitAction, &QAction::triggered, this, &QWidget::close);

    // Undo and redo also as menu items, beside their toolbar keys.
    editMenu_ = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    QAction *undoAction = command(QStringLiteral("Undo"), QStringLiteral("元に戻す(&U)"));
    QAction *redoAction = command(QStringLiteral("Redo"), QStringLiteral("やり直し(&R)"));
    editMenu_->addAction(undoAction);
    editMenu_->addAction(redoAction);

    viewMenu_ = menuBar()->addMenu(QStringLiteral("表示(&V)"));

    settingsMenu_ = menuBar()->addMenu(QStringLiteral("設定(&S)"));
    QAction *nameAction = command(QStringLiteral("TatemonoName"), QStringLiteral("建物名称の変更(&N)"));
    QAction *lineAction = command(QStringLiteral("LineName"), QStringLiteral("通り名の変更(&T)"));
    QAction *gridAction = command(QStringLiteral("GridSize"), QStringLiteral("入力ｸﾞﾘｯﾄﾞ数の変更(&C)"));
    QAction *osaeAction = command(QStringLiteral("OsaeKeisu"), QStringLiteral("押さえ係数Ｌの設定(&L)"));
    QAction *crossAction = command(QStringLiteral("CrossG"), QStringLiteral("直交梁の影響(&G)"));
    QAction *heightAction =
        command(QStringLiteral("MenuEditSettei_Kaidaka"), QStringLiteral("階高の設定(&H)"));
    QAction *wallAction =
        command(QStringLiteral("MenuEditSettei_Kabe"), QStringLiteral("壁量計算の条件(&W)"));
    settingsMenu_->addAction(nameAction);
    settingsMenu_->addAction(lineAction);
    settingsMenu_->addAction(gridAction);
    settingsMenu_->addSeparator();
    settingsMenu_->addAction(osaeAction);
    settingsMenu_->addAction(crossAction);
    settingsMenu_->addAction(wallAction);
    settingsMenu_->addAction(heightAction);
    wallAction->setEnabled(false);
    osaeAction->setEnabled(false);
    crossAction->setEnabled(false);
    heightAction->setEnabled(false);
    connect(nameAction, &QAction::triggered, this, &MainForm::tatemonoNameCommand);
    connect(lineAction, &QAction::triggered, this, &MainForm::lineNameCommand);
    connect(gridAction, &QAction::triggered, this, &MainForm::gridSizeCommand);

    hardwareMenu_ = menuBar()->addMenu(QStringLiteral("金物(&H)"));
    QAction *hardwareAction = command(QStringLiteral("Kanamono"), QStringLiteral("配置金物(&K)"));
    hardwareMenu_->addAction(hardwareAction);
    hardwareAction->setEnabled(false);

    frameMenu_ = menuBar()->addMenu(QStringLiteral("軸組図(&J)"));
    frameMenuX_ = frameMenu_->addMenu(QStringLiteral("Ｘ通り軸組図(&X)"));
    frameMenuY_ = frameMenu_->addMenu(QStringLiteral("Ｙ通り軸組図(&Y)"));
    frameMenuX_->setObjectName(QStringLiteral("MenuFrameFig_X"));
    frameMenuY_->setObjectName(QStringLiteral("MenuFrameFig_Y"));
    frameMenuX_->menuAction()->setEnabled(false);
    frameMenuY_->menuAction()->setEnabled(false);

    helpMenu_ = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&L)"));  // Alt+H is 金物
    QAction *helpAction = makeAction(QStringLiteral("MenuHelp_Help"), QStringLiteral("目次(&C)"), {});
    QAction *aboutAction = makeAction(QStringLiteral("MenuHelp_Ver"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&V)"), {});
    helpAction->setShortcut(QKeySequence::HelpContents);
    helpMenu_->addAction(helpAction);
    helpMenu_->addAction(aboutAction);
    connect(helpAction, &QAction::triggered, this, &MainForm::helpCommand);
    connect(aboutAction, &QAction::triggered, this, &MainForm::aboutCommand);
}

void MainForm::buildToolBar()
{
    toolBar_ = addToolBar(QStringLiteral("Toolbar1"));
    toolBar_->setObjectName(QStringLiteral("Toolbar1"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(28, 28));
    for (const ToolbarEntry &e : kToolbar) {
        const QString key = QString::fromLatin1(e.key);
        QAction *action = actions_.value(key);
        if (!action)
            action = makeAction(key, QString::fromUtf8(e.tip), QString::fromUtf8(e.tip));
        action->setIcon(ToolbarIcon(key));
        // Groups: file, results, settings, undo, close.
        if (key == QLatin1String("PreView") || key == QLatin1String("TatemonoName") ||
            key == QLatin1String("Undo") || key == QLatin1String("Close"))
            toolBar_->addSeparator();
        toolBar_->addAction(action);
    }
    // Commands that come with later parts of the program.
    for (const char *key :
         {"PreView", "NChkFig", "JikuX", "JikuY", "Kanamono", "OsaeKeisu", "CrossG", "Undo", "Redo"})
        actions_.value(QString::fromLatin1(key))->setEnabled(false);
    // Undo and redo of the plan's edits, through the project's history; the status bar names the step.
    QAction *undo = actions_.value(QStringLiteral("Undo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = actions_.value(QStringLiteral("Redo"));
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redoAction_->setEnabled(false);
    QUndoStack *history = document_.undoStack();
    connect(undo, &QAction::triggered, this, [this, history] {
        const QString text = history->undoText();
        steppingHistory_ = true;
        document_.undo();
        steppingHistory_ = false;
        statusBar()->showMessage(QStringLiteral("元に戻す: ") + text, kStepNoteMs);
    });
    connect(redoAction_, &QAction::triggered, this, [this, history] {
        const QString text = history->redoText();
        steppingHistory_ = true;
        document_.redo();
        steppingHistory_ = false;
        statusBar()->showMessage(QStringLiteral("やり直し: ") + text, kStepNoteMs);
    });
    // A new change (a step, or a setting outside the history) makes the note of the last undo or redo
    // stale: it goes at once.
    connect(&document_, &ProjectDocument::changed, this, [this] {
        const QString note = statusBar()->currentMessage();
        if (!steppingHistory_ &&
            (note.startsWith(QStringLiteral("元に戻す: ")) || note.startsWith(QStringLiteral("やり直し: "))))
            statusBar()->clearMessage();
    });
    connect(history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(history, &QUndoStack::canRedoChanged, redoAction_, &QAction::setEnabled);
    // A grid resize and its undo or redo change the frame lines.
    connect(&document_, &ProjectDocument::gridResized, this, &MainForm::RebuildFrameMenus);
    // The toolbar holds the only Undo: it cannot be hidden.
    toolBar_->toggleViewAction()->setEnabled(false);
    toolBar_->toggleViewAction()->setVisible(false);
    connect(actions_.value(QStringLiteral("JikuX")), &QAction::triggered, this,
            [this] { frameMenuX_->popup(QCursor::pos()); });
    connect(actions_.value(QStringLiteral("JikuY")), &QAction::triggered, this,
            [this] { frameMenuY_->popup(QCursor::pos()); });
}

void MainForm::buildStatusBar()
{
    for (int i = 0; i < 6; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panels_[i]->setContentsMargins(4, 0, 4, 0);
    }
    panels_[1]->setText(QStringLiteral("押さえ係数Ｌ"));
    panels_[4]->setText(QStringLiteral("直交梁の影響"));
    panels_[3]->hide();  // free for the input screen
    statusBar()->addWidget(panels_[0], 1);
    for (int i = 1; i < 6; ++i)
        statusBar()->addPermanentWidget(panels_[i]);
    recoveryPanel_ = new QLabel(this);
    recoveryPanel_->setObjectName(QStringLiteral("RecoveryPanel"));
    recoveryPanel_->setStyleSheet(QStringLiteral("color: #c00000;"));
    recoveryPanel_->hide();
    statusBar()->insertWidget(0, recoveryPanel_);
}

void MainForm::showRecoveryProblem(const QString &reason)
{
    if (reason.isEmpty()) {
        recoveryPanel_->clear();
        recoveryPanel_->setToolTip(QString());
        recoveryPanel_->hide();
        return;
    }
    recoveryPanel_->setText(QStringLiteral(" 復元用データを保存できません（異常終了時の保護が停止中） "));
    recoveryPanel_->setToolTip(ShownText(reason, kShownCaption));
    recoveryPanel_->show();
}

QAction *MainForm::commandAction(HostCommand command) const
{
    switch (command) {
        case HostCommand::PlacedHardware:
            return toolbarAction(QStringLiteral("Kanamono"));
        case HostCommand::LCoefficient:
            return toolbarAction(QStringLiteral("OsaeKeisu"));
        case HostCommand::CrossBeam:
            return toolbarAction(QStringLiteral("CrossG"));
        case HostCommand::ReportPreview:
            return toolbarAction(QStringLiteral("PreView"));
        case HostCommand::TransferCheck:
            return toolbarAction(QStringLiteral("NChkFig"));
        case HostCommand::PrinterSetup:
            return toolbarAction(QStringLiteral("MenuFile_PrinterSetup"));
        case HostCommand::StoreyHeights:
            return toolbarAction(QStringLiteral("MenuEditSettei_Kaidaka"));
        case HostCommand::WallConditions:
            return toolbarAction(QStringLiteral("MenuEditSettei_Kabe"));
    }
    return nullptr;
}

void MainForm::onFrameLineChosen(std::function<void(int direction, int line)> handler)
{
    connect(this, &MainForm::frameLineChosen, this, std::move(handler));
}

void MainForm::addResultsToolbarAction(QAction *action)
{
    // Before the separator that opens the settings group.
    const QList<QAction *> keys = toolBar_->actions();
    const qsizetype settings = keys.indexOf(toolbarAction(QStringLiteral("TatemonoName")));
    toolBar_->insertAction(settings > 0 ? keys[settings - 1] : nullptr, action);
}

QAction *MainForm::toolbarAction(const QString &key) const
{
    return actions_.value(key, nullptr);
}

QLabel *MainForm::statusPanel(int i) const
{
    return i >= 1 && i <= 6 ? panels_[i - 1] : nullptr;
}

QPrinter *MainForm::applicationPrinter()
{
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageSize(QPageSize(QPageSize::A4));
    }
    return printer_.get();
}

void MainForm::setInputScreen(QWidget *screen)
{
    if (!screen)
        return;
    inputScreen_ = screen;
    setCentralWidget(screen);
    applyMinimumSize();
}

void MainForm::setFrameFiguresEnabled(bool enabled)
{
    frameMenuX_->menuAction()->setEnabled(enabled);
    frameMenuY_->menuAction()->setEnabled(enabled);
    actions_.value(QStringLiteral("JikuX"))->setEnabled(enabled);
    actions_.value(QStringLiteral("JikuY"))->setEnabled(enabled);
}

void MainForm::applyMinimumSize()
{
    // At least 640 × 480, and no smaller than the panels need side by side: the input screen's
    // controls and the status bar's panels never overlap.
    layout()->activate();
    setMinimumSize(QSize(640, 480).expandedTo(layout()->minimumSize()));
}

void MainForm::setCaption(const QString &name, bool buildingName)
{
    captionNamesBuilding_ = buildingName;
    // Qt's modified marker ("*") follows the document's unsaved changes.
    setWindowTitle(ShownText(state_.appTitle + kSpaces3 + name, kShownCaption) + QStringLiteral("[*]"));
    setWindowModified(document_.isDirty());
    refreshFilePanel();
}

void MainForm::refreshStatusBar()
{
    panels_[2]->setText(project_.grid.lCoefficientMode == 0 ? QStringLiteral(" 『二年目施行』 による")
                                                            : QStringLiteral(" ユーザー設定"));
    panels_[5]->setText(project_.grid.crossBeamIgnored == 0 ? QStringLiteral(" 考 慮")
                                                            : QStringLiteral(" 非考慮"));
    refreshFilePanel();
}

void MainForm::refreshFilePanel()
{
    panels_[0]->setText(QLatin1Char(' ') + document_.dataFilePath());
}

void MainForm::RebuildFrameMenus()
{
    frameMenuX_->clear();
    frameMenuY_->clear();
    const GridInfo &g = project_.grid;
    for (int k = 1; k <= g.lineNameX.size(); ++k) {
        QAction *a = frameMenuX_->addAction(MenuText(ShownText(g.lineNameX[k].trimmed(), kShownLineName)));
        a->setData(k);
        connect(a, &QAction::triggered, this, [this, k] { emit frameLineChosen(kDirX, k); });
    }
    // The Y menu lists the top line first.
    for (int k = g.lineNameY.size(); k >= 1; --k) {
        QAction *a = frameMenuY_->addAction(MenuText(ShownText(g.lineNameY[k].trimmed(), kShownLineName)));
        a->setData(k);
        connect(a, &QAction::triggered, this, [this, k] { emit frameLineChosen(kDirY, k); });
    }
}

void MainForm::rebuildRecentFiles()
{
    for (QAction *a : recentActions_) {
        fileMenu_->removeAction(a);
        a->deleteLater();
    }
    recentActions_.clear();
    const int count = std::min(static_cast<int>(state_.history.size()), kMaxHistory);
    for (int i = 0; i < count; ++i) {
        auto *a = new QAction(MenuText(state_.history[i].path), this);
        a->setObjectName(QStringLiteral("MenuFile_UsedFile_%1").arg(i + 1));
        a->setData(i + 1);
        fileMenu_->insertAction(exitSeparator_, a);
        connect(a, &QAction::triggered, this, [this, n = i + 1] { openRecentCommand(n); });
        recentActions_.append(a);
    }
    recentSeparator_->setVisible(count > 0);
}

// ---- Entry sequence ----

void MainForm::runStartDialog()
{
    // Shown again after a cancelled New or Open, the dialog keeps the history in memory: the file is
    // written only at exit, and reading it again would bring back entries the user has just cleared.
    for (bool first = true;; first = false) {
        DataSelectForm dialog(state_, this, first);
        dialog.exec();
        startupFinished_ = 1;
        rebuildRecentFiles();
        // The history file's last data name no longer names the open project.
        refreshStatusBar();
        startChoice_ = dialog.startChoice();
        if (startChoice_ == kStartNone)
            return;
        actOnStartChoice();
        // A cancelled New or Open, or an entry that could not be opened, leaves the choice set:
        // the start dialog comes again.
        if (startChoice_ == kStartNone || startChoice_ == kStartExit)
            return;
    }
}

void MainForm::actOnStartChoice()
{
    if (actingOnStartChoice_ || startChoice_ == kStartNone)
        return;
    actingOnStartChoice_ = true;
    bool done = true;
    if (startChoice_ == kStartExit) {
        actingOnStartChoice_ = false;
        close();
        return;
    }
    if (startChoice_ >= 1)
        done = openRecentCommand(startChoice_);
    else if (startChoice_ == kStartNew)
        done = newCommand();
    else if (startChoice_ == kStartOpenOther)
        done = openCommand();
    actingOnStartChoice_ = false;
    if (!done)
        return;  // the caller shows the start dialog again
    setCaption(document_.isNewData() ? kNewDataName : project_.info.buildingName, !document_.isNewData());
    RebuildFrameMenus();
    refreshStatusBar();
    startChoice_ = kStartNone;
}

// ---- File commands ----

QString MainForm::initialDialogPath() const
{
    QString dir = state_.dataDirectory;
    if (dir.isEmpty())
        dir = state_.programDir;
    const QString name = document_.isNewData() ? kNewDataName : FileNameOf(document_.dataFilePath());
    return dir.isEmpty() ? name : QDir(dir).filePath(name);
}

FileDialogRequest MainForm::projectFileRequest(bool save) const
{
    FileDialogRequest r;
    r.save = save;
    r.title = save ? QStringLiteral("『 VELM-RQX ﾃﾞｰﾀ保存 』") : QStringLiteral("『 VELM-RQX ﾃﾞｰﾀ読込み 』");
    r.initialPath = initialDialogPath();
    r.defaultSuffix = QStringLiteral("RQX");
    r.filters << QStringLiteral("VELM-RQX ﾃﾞｰﾀﾌｧｲﾙ(*.RQX)");
    if (!save)
        r.filters << QStringLiteral("すべてのﾌｧｲﾙ(*.*)");
    return r;
}

bool MainForm::newCommand()
{
    if (document_.isDirty()) {
        const QString text = QStringLiteral("現在、入力中のデータは、変更されています。\r\r(") +
                             document_.dataFilePath() +
                             QStringLiteral(")\r\rこのまま、新規データを作成しますか？");
        if (!AskYesNo(this, text, kMessageTitle))
            return false;
    }
    // The dialog fills a project of its own: a cancel leaves the open one as it was.
    Project fresh;
    if (!RunProjectDialog<NewData>(fresh, state_, this))
        return false;
    WaitCursor wait;
    ResetProject(fresh);
    GenerateLineNames(fresh);
    document_.replaceProject(std::move(fresh));
    RebuildFrameMenus();
    setCaption(kNewDataName);
    refreshStatusBar();
    return true;
}

SaveOutcome MainForm::writeHistoryFile()
{
    state_.lastDataPath = document_.dataFilePath();
    return WriteHistoryFile(state_);
}

bool MainForm::loadProjectFrom(const QString &path, bool rememberInHistoryFile)
{
    FileResult result;
    {
        WaitCursor wait;
        result = document_.LoadProject(path);
    }
    if (!result.ok) {
        Notify(this, result.message);
        return false;
    }
    state_.dataDirectory = DataFolderOf(path);
    UpdateHistory(state_, path, project_.info.buildingName);
    if (rememberInHistoryFile)
        writeHistoryFile();
    rebuildRecentFiles();
    setCaption(FileNameOf(path));
    RebuildFrameMenus();
    refreshStatusBar();
    return true;
}

bool MainForm::saveProjectTo(const QString &path)
{
    FileResult result;
    {
        WaitCursor wait;
        result = document_.SaveProject(path);
    }
    if (!result.ok) {
        Notify(this, result.message);
        return false;
    }
    state_.dataDirectory = DataFolderOf(path);
    UpdateHistory(state_, path, project_.info.buildingName);
    writeHistoryFile();
    rebuildRecentFiles();
    return true;
}

bool MainForm::openCommand()
{
    // Unsaved changes are not dropped without a word: the recent-file command's question.
    if (document_.isDirty() && !AskYesNo(this, kOtherDataQuestion, kMessageTitle))
        return false;
    if (state_.dataDirectory.isEmpty())
        state_.dataDirectory = state_.programDir;
    const QString path = fileChooser_ ? fileChooser_(this, projectFileRequest(false)) : QString();
    if (path.isEmpty())
        return false;
    // Not found, a folder, no permission, or not a project file: the message says which.
    if (const FileResult check = CheckProjectFile(state_.appTitle, path); !check.ok) {
        Notify(this, check.message);
        return false;
    }
    return loadProjectFrom(path, true);
}

bool MainForm::openRecentCommand(int n)
{
    if (n < 1 || n > static_cast<int>(state_.history.size()))
        return false;
    if (document_.isDirty() && !AskYesNo(this, kOtherDataQuestion, kMessageTitle))
        return false;
    const QString path = state_.history[n - 1].path.trimmed();
    if (path == document_.dataFilePath().trimmed())
        return true;  // already open: nothing is loaded, unsaved edits stay
    if (!CheckHistoryFile(path, state_.appTitle, this))
        return false;
    // The history file is written at exit.
    return loadProjectFrom(path, false);
}

bool MainForm::openStartupFile(const QString &path)
{
    startupFinished_ = 1;
    if (!CheckHistoryFile(path, state_.appTitle, this) || !loadProjectFrom(path, false))
        return false;
    // As after a start-dialog choice.
    setCaption(project_.info.buildingName, true);
    return true;
}

void MainForm::showRestoredProject()
{
    startupFinished_ = 1;
    // As after a start-dialog choice: the building's name, or 新規データ for a project never saved.
    const QString path = document_.dataFilePath().trimmed();
    setCaption(path == kNewDataName ? kNewDataName : project_.info.buildingName, path != kNewDataName);
    RebuildFrameMenus();
    refreshStatusBar();
}

void MainForm::overwriteCommand()
{
    if (document_.isNewData()) {
        saveAsCommand();
        return;
    }
    const QString text = QStringLiteral("入力データを上書き保存します｡\r\r( ") +
                         document_.dataFilePath().trimmed() + QStringLiteral(" )\r\rよろしいですか｡");
    if (!AskYesNo(this, text, kMessageTitle))
        return;
    saveProjectTo(document_.dataFilePath());
}

void MainForm::saveAsCommand()
{
    const QString path = fileChooser_ ? fileChooser_(this, projectFileRequest(true)) : QString();
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path)) {
        MessageAnswer answer = ShowMessage(
            path.trimmed() + QStringLiteral("\r\rはすでに存在します。\r\r上書きしてもよろしいですか。"),
            MessageKind::OkCancel, kMessageTitle, this);
        if (answer != MessageAnswer::Ok)
            return;
    }
    // The title keeps its form: the building's name stays, a file name becomes the new one.
    if (saveProjectTo(path))
        setCaption(captionNamesBuilding_ ? project_.info.buildingName : FileNameOf(path), captionNamesBuilding_);
}

QString MainForm::helpFilePath() const
{
    const QString inProgramDir = QDir(state_.programDir).filePath(kHelpFileName);
    if (!state_.programDir.isEmpty() && QFileInfo::exists(inProgramDir))
        return inProgramDir;
    const QString besideProgram = QDir(QCoreApplication::applicationDirPath()).filePath(kHelpFileName);
    if (QFileInfo::exists(besideProgram))
        return besideProgram;
    return state_.programDir.isEmpty() ? besideProgram : inProgramDir;
}

void MainForm::helpCommand()
{
    ShowHelp(this, kHelpContents);
}

void MainForm::aboutCommand()
{
    AboutBox box(state_.appTitle, this);
    box.exec();
}

// ---- 設定 commands ----

void MainForm::tatemonoNameCommand()
{
    // The dialog writes a copy; the document takes what it accepted.
    Project edited = project_;
    if (!RunProjectDialog<TatemonoGaiyoChange>(edited, state_, this))
        return;
    document_.setProjectNames(edited.info);
}

void MainForm::lineNameCommand()
{
    Project edited = project_;
    if (!RunProjectDialog<LineNameSetForm>(edited, state_, this))
        return;
    document_.setLineNameOptions(edited.grid);
    RebuildFrameMenus();
}

void MainForm::gridSizeCommand()
{
    GridSizeChange dialog(project_, state_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    const GridSizeRequest &grid = dialog.requested();
    document_.resizeGrid(grid.spanCountX, grid.spanCountY, grid.moduleLength);
}

// ---- Exit ----

QStringList MainForm::saveStores()
{
    WriteRegistrySettings({isMinimized() ? 1 : isMaximized() ? 2 : 0});
    // A store that cannot be written keeps its old file; say so, since the recent files or the
    // defaults for new projects would otherwise be lost without a word.
    const struct {
        SaveOutcome outcome;
        const char *name;
    } stores[] = {{writeHistoryFile(), "VELMRQX.INI"}, {WriteDefaults(state_), "VelmRQX.Def"}};
    QStringList failures;
    for (const auto &store : stores) {
        if (store.outcome.ok() || state_.programDir.isEmpty())
            continue;
        failures.append(QStringLiteral("設定ファイルを保存できませんでした。\r\r") + store.outcome.cause() +
                        (store.outcome.targetUntouched()
                             ? QStringLiteral("\r元のファイルはそのまま残っています。")
                             : QString()) +
                        QStringLiteral("\r\rFile Name: ") + QLatin1String(store.name));
    }
    return failures;
}

void MainForm::closeEvent(QCloseEvent *event)
{
    if (closing_) {
        event->accept();
        return;
    }
    if (document_.isDirty()) {
        const QString text = QStringLiteral("データは変更されています。\r\r(") + document_.dataFilePath() +
                             QStringLiteral(")\r\rこのまま保存せず、終了しますか？");
        if (!AskYesNo(this, text, kMessageTitleFull)) {
            event->ignore();
            return;
        }
    } else if (startChoice_ != kStartExit) {
        if (!AskYesNo(this, QStringLiteral("『 ") + state_.appTitle + QStringLiteral(" 』 を終了します"),
                      kMessageTitleFull)) {
            event->ignore();
            return;
        }
    }
    closing_ = true;
    QStringList failures;
    {
        WaitCursor wait;
        failures = saveStores();
    }
    for (const QString &failure : failures)
        Notify(this, failure);
    event->accept();
    QuitApplication();
}

}  // namespace rqx

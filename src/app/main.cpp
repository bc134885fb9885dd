// velmrqx: the desktop program. The entry sequence: registry values, application state, the main
// window (whose load reads the history and defaults files and creates the start-up grid), then the
// start dialog once the event loop runs.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include "calc/ui/calc_commands.h"
#include "calc/ui/wall_commands.h"
#include "document/document_recovery.h"
#include "document/project_document.h"
#include "editor/editor_state.h"
#include "editor/ui/input_screen.h"
#include "editor/ui/n_value_overlay.h"
#include "editor/ui/placement_overlay.h"
#include "editor/ui/plan_editing.h"
#include "model/project.h"
#include "model/settings_store.h"
#include "report/ui/report_command.h"
#include "report/ui/view_commands.h"
#include "widgets/app_look.h"
#include "shell/ui/main_form.h"
#include "shell/ui/recovery_offer.h"

namespace rqx {

// The optional project path of the command line, absolute (loading changes the current folder).
QString StartupFileArgument(const QApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("VELM-RQX /軸組Ｎ値算定"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("project file (.RQX) to open"),
                                 QStringLiteral("[project.RQX]"));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : QFileInfo(files.first()).absoluteFilePath();
}

}  // namespace rqx

namespace {

// A project open in another program is told once it is shown; a recovery copy that cannot be
// written is shown in the status bar until one is written again.
void ShowRecoveryInWindow(rqx::DocumentRecovery &recovery, rqx::MainForm &window)
{
    QObject::connect(
        &recovery, &rqx::DocumentRecovery::openElsewhere, &window, [&window](const QString &path) {
            QTimer::singleShot(0, &window, [&window, path] { rqx::ShowOpenElsewhere(path, &window); });
        });
    QObject::connect(&recovery, &rqx::DocumentRecovery::recoveryFailing, &window,
                     [&window](const QString &reason) { window.showRecoveryProblem(reason); });
    QObject::connect(&recovery, &rqx::DocumentRecovery::recoveryWorks, &window,
                     [&window] { window.showRecoveryProblem(QString()); });
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VELM-RQX"));
    QApplication::setOrganizationName(QStringLiteral("ヘルミナ"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(VELM_VERSION_MAJOR)
                                            .arg(VELM_VERSION_MINOR)
                                            .arg(VELM_VERSION_REVISION));
    const QString startupFile = rqx::StartupFileArgument(app);  // --help and --version end here
    rqx::SetUpApplicationLook(app);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    rqx::AppState state;
    state.appTitle = rqx::kAppTitle;
    state.maxGridCount = 30;
    state.defaultGridCount = 10;
    state.programDir = rqx::ChooseProgramDir(QCoreApplication::applicationDirPath());

    // The open project; the window and the plan input screen follow what it reports.
    rqx::ProjectDocument document;
    rqx::MainForm window(document, state);
    rqx::EditorState editor;
    auto *screen = new rqx::InputScreen(document, editor);
    window.setInputScreen(screen);
    new rqx::PlanEditing(screen);  // the mouse editing of the plan, owned by the screen
    screen->attachStatusPanels(window.statusPanel(3), window.statusPanel(6));
    screen->installViewMenu(window.viewMenu());
    // Ｎ値表示: a toolbar key beside the results and a note in the status bar's free panel.
    window.addResultsToolbarAction(screen->nValues().toggleAction());
    window.addResultsToolbarAction(screen->placement().toggleAction());
    QObject::connect(&screen->nValues(), &rqx::NValueOverlay::statusNoteChanged, &window,
                     [panel = window.statusPanel(4)](const QString &note) {
                         panel->setText(note);
                         panel->setVisible(!note.isEmpty());
                     });
    rqx::ApplyHandCursor(screen);  // buttons, option buttons and the zoom list
    // 配置金物, 押さえ係数Ｌの設定 and 直交梁の影響.
    rqx::InstallCalcCommands(window, document);
    // 壁量計算の条件 and the wall quantities of the storey on screen in the status bar.
    rqx::InstallWallCommands(window, document);
    window.statusBar()->addPermanentWidget(new rqx::WallStatusPanel(document));
    window.statusBar()->addPermanentWidget(new rqx::PlacementStatusPanel(document));
    // 計算書ﾌﾟﾚﾋﾞｭｰ: the report window in the main window's place.
    // ２階Ｎ値伝達ﾁｪｯｸ and the frame menus; the report command closes those views and opens them too.
    rqx::ProjectViews *views = rqx::InstallViewCommands(window);
    rqx::InstallReportCommand(window, {{}, views->reportViews(), [views] { views->closeAll(); }});
    window.show();
    QApplication::restoreOverrideCursor();
    // A project path given to the program (a double click on a project file) opens in place of the
    // start dialog; a refused one gives its message and then the start dialog.
    // Recovery copies of the open project and the lock on its file; a copy left by a program that
    // crashed is offered first, and a restored project takes the start dialog's place.
    rqx::DocumentRecovery recovery(document, rqx::RecoveryStore::DefaultFolder(),
                                   rqx::ProjectLock::DefaultFolder());
    ShowRecoveryInWindow(recovery, window);
    QTimer::singleShot(0, &window, [&window, &recovery, startupFile] {
        if (rqx::OfferRecovery(recovery, &window))
            window.showRestoredProject();
        else if (startupFile.isEmpty() || !window.openStartupFile(startupFile))
            window.runStartDialog();
    });
    return app.exec();
}

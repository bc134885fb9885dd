// velmrqx: the desktop program. The entry sequence: registry values, application state, the main
// window (whose load reads the history and defaults files and creates the start-up grid), then the
// start dialog once the event loop runs.
#include <QApplication>
#include <QTimer>

#include "editor/editor_state.h"
#include "editor/ui/input_screen.h"
#include "editor/ui/plan_editing.h"
#include "model/project.h"
#include "model/settings_store.h"
#include "shell/ui/app_look.h"
#include "shell/ui/main_form.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VELM-RQX"));
    QApplication::setOrganizationName(QStringLiteral("ヘルミナ"));
    rqx::SetUpApplicationLook(app);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    rqx::Project project;
    rqx::AppState state;
    rqx::ReadRegistrySettings(state);
    state.appTitle = rqx::kAppTitle;
    state.maxGridCount = 30;
    state.defaultGridCount = 10;
    state.dataFilePath = rqx::kNewDataName;
    state.programDir = rqx::ChooseProgramDir(QCoreApplication::applicationDirPath());

    rqx::MainForm window(project, state);
    // The plan input screen with its mouse editing, tied to the window's commands.
    rqx::EditorState editor;
    auto *screen = new rqx::InputScreen(project, state, editor);
    window.setInputScreen(screen);
    auto *editing = new rqx::PlanEditing(screen);
    editing->attachUndoAction(window.toolbarAction(QStringLiteral("Undo")));
    screen->attachStatusPanels(window.statusPanel(3), window.statusPanel(6));
    screen->installViewMenu(window.viewMenu());
    rqx::ApplyHandCursor(screen);  // buttons, option buttons and the zoom list
    QObject::connect(&window, &rqx::MainForm::projectReplaced, screen, &rqx::InputScreen::projectReplaced);
    QObject::connect(&window, &rqx::MainForm::gridResized, screen, &rqx::InputScreen::gridChanged);
    QObject::connect(&window, &rqx::MainForm::lineNamesChanged, screen, &rqx::InputScreen::redrawPlan);
    QObject::connect(&window, &rqx::MainForm::aboutToSave, screen, &rqx::InputScreen::cancelSpan);
    window.show();
    QApplication::restoreOverrideCursor();
    QTimer::singleShot(0, &window, &rqx::MainForm::runStartDialog);
    return app.exec();
}

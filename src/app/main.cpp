// velmrqx: the desktop program. The entry sequence: registry values, application state, the main
// window (whose load reads the history and defaults files and creates the start-up grid), then the
// start dialog once the event loop runs.
#include <QApplication>
#include <QTimer>

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
    window.show();
    QApplication::restoreOverrideCursor();
    QTimer::singleShot(0, &window, &rqx::MainForm::runStartDialog);
    return app.exec();
}

#include "calc/ui/calc_commands.h"

#include <QAction>
#include <QApplication>

#include "calc/ui/calc_settings_forms.h"
#include "calc/ui/kanamono_set_form.h"
#include "document/project_document.h"
#include "widgets/main_window_host.h"

namespace rqx {

namespace {

// The hourglass while a dialog is built (the placed-hardware dialog runs the calculation); the
// dialog's result.
template <class Dialog, class... Args>
int ShowWithHourglass(MainWindowHost &window, ProjectDocument &document, Args &&...args)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Dialog dialog(document, window.appState(), std::forward<Args>(args)..., window.hostWidget());
    QApplication::restoreOverrideCursor();
    return dialog.exec();
}

void Connect(MainWindowHost &window, ProjectDocument &document, HostCommand key,
             void (*command)(MainWindowHost &, ProjectDocument &))
{
    if (QAction *action = window.commandAction(key)) {
        action->setEnabled(true);
        QObject::connect(action, &QAction::triggered, window.hostWidget(),
                         [&window, &document, command] { command(window, document); });
    }
}

}  // namespace

void PlacedHardwareCommand(MainWindowHost &window, ProjectDocument &document)
{
    ShowWithHourglass<KanamonoSetForm>(window, document);
    window.refreshStatusBar();
}

void LCoefficientCommand(MainWindowHost &window, ProjectDocument &document)
{
    ShowWithHourglass<OsaekeisuSetForm>(window, document);
    window.refreshStatusBar();
}

void CrossBeamCommand(MainWindowHost &window, ProjectDocument &document)
{
    // The dialog changes the project itself, only when an option changed.
    if (ShowWithHourglass<CrossGSetForm>(window, document, window.helpFilePath()) == QDialog::Accepted)
        window.refreshStatusBar();
}

void StoreyHeightCommand(MainWindowHost &window, ProjectDocument &document)
{
    // The dialog marks the project changed itself, only when a height changed.
    ShowWithHourglass<KaidakaSetForm>(window, document);
}

void InstallCalcCommands(MainWindowHost &window, ProjectDocument &document)
{
    Connect(window, document, HostCommand::PlacedHardware, PlacedHardwareCommand);
    Connect(window, document, HostCommand::LCoefficient, LCoefficientCommand);
    Connect(window, document, HostCommand::CrossBeam, CrossBeamCommand);
    Connect(window, document, HostCommand::StoreyHeights, StoreyHeightCommand);
}

}  // namespace rqx

#include "calc/ui/calc_commands.h"

#include <QAction>
#include <QApplication>

#include "calc/ui/calc_settings_forms.h"
#include "calc/ui/kanamono_set_form.h"
#include "document/project_document.h"
#include "shell/ui/main_form.h"

namespace rqx {

namespace {

// The hourglass while a dialog is built (the placed-hardware dialog runs the calculation); the
// dialog's result.
template <class Dialog, class... Args>
int ShowWithHourglass(MainForm &window, ProjectDocument &document, Args &&...args)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Dialog dialog(document, window.appState(), std::forward<Args>(args)..., &window);
    QApplication::restoreOverrideCursor();
    return dialog.exec();
}

void Connect(MainForm &window, ProjectDocument &document, const char *key,
             void (*command)(MainForm &, ProjectDocument &))
{
    if (QAction *action = window.toolbarAction(QString::fromLatin1(key))) {
        action->setEnabled(true);
        QObject::connect(action, &QAction::triggered, &window,
                         [&window, &document, command] { command(window, document); });
    }
}

}  // namespace

void PlacedHardwareCommand(MainForm &window, ProjectDocument &document)
{
    ShowWithHourglass<KanamonoSetForm>(window, document);
    window.refreshStatusBar();
}

void LCoefficientCommand(MainForm &window, ProjectDocument &document)
{
    ShowWithHourglass<OsaekeisuSetForm>(window, document);
    window.refreshStatusBar();
}

void CrossBeamCommand(MainForm &window, ProjectDocument &document)
{
    if (ShowWithHourglass<CrossGSetForm>(window, document, window.helpFilePath()) == QDialog::Accepted) {
        document.markSettingsChanged();
        window.refreshStatusBar();
    }
}

void InstallCalcCommands(MainForm &window, ProjectDocument &document)
{
    Connect(window, document, "Kanamono", PlacedHardwareCommand);
    Connect(window, document, "OsaeKeisu", LCoefficientCommand);
    Connect(window, document, "CrossG", CrossBeamCommand);
}

}  // namespace rqx
